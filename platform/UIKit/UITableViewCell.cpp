#include "UIKit/UITableViewCell.h"

#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"

namespace {
constexpr CGFloat accessoryWidth = 34;
constexpr CGFloat inset = 16;
} // namespace

UITableViewCell::UITableViewCell() : UITableViewCell(UITableViewCellStyle::defaultStyle, "") {}

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier)
    : UIView(CGRect{0, 0, 320, 44}), reuseIdentifier_(std::move(reuseIdentifier)), style_(style) {
    setBackgroundColor(UIColor::systemBackground());
    contentView_ = UIView::make(bounds());
    contentView_->autoresizingMask =
        UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
}

const std::shared_ptr<UIView>& UITableViewCell::contentView() {
    attachContent();
    return contentView_;
}

void UITableViewCell::attachContent() {
    if (contentView_->superview().get() != this)
        insertSubview(contentView_, 0);
}

std::shared_ptr<UILabel> UITableViewCell::textLabel() {
    if (!textLabel_) {
        textLabel_ = UILabel::make();
        contentView_->addSubview(textLabel_);
        setNeedsLayout();
    }
    return textLabel_;
}

std::shared_ptr<UILabel> UITableViewCell::detailTextLabel() {
    if (style_ == UITableViewCellStyle::defaultStyle)
        return nullptr;
    if (!detailTextLabel_) {
        detailTextLabel_ = UILabel::make();
        detailTextLabel_->setTextColor(UIColor::secondaryLabel());
        detailTextLabel_->setFont(
            UIFont::systemFont(style_ == UITableViewCellStyle::subtitle ? 12 : 17));
        contentView_->addSubview(detailTextLabel_);
        setNeedsLayout();
    }
    return detailTextLabel_;
}

std::shared_ptr<UIImageView> UITableViewCell::imageView() {
    if (!imageView_) {
        imageView_ = UIImageView::make();
        imageView_->contentMode = UIViewContentMode::scaleAspectFit;
        contentView_->addSubview(imageView_);
        setNeedsLayout();
    }
    return imageView_;
}

void UITableViewCell::setBackgroundView(std::shared_ptr<UIView> view) {
    if (backgroundView_)
        backgroundView_->removeFromSuperview();
    backgroundView_ = std::move(view);
    updateBackgrounds();
}

void UITableViewCell::setSelectedBackgroundView(std::shared_ptr<UIView> view) {
    if (selectedBackgroundView_)
        selectedBackgroundView_->removeFromSuperview();
    selectedBackgroundView_ = std::move(view);
    updateBackgrounds();
}

bool UITableViewCell::showsSelectedBackground() const {
    return selectedBackgroundView_ && selectedBackgroundView_->superview().get() == this &&
           !selectedBackgroundView_->isHidden();
}

void UITableViewCell::updateBackgrounds() {
    attachContent();
    bool showSelected =
        (selected_ || highlighted_) && selectionStyle != UITableViewCellSelectionStyle::none;
    if (backgroundView_) {
        backgroundView_->setFrame(bounds());
        insertSubview(backgroundView_, 0);
    }
    if (selectedBackgroundView_) {
        selectedBackgroundView_->setFrame(bounds());
        insertSubviewBelow(selectedBackgroundView_, contentView_);
        selectedBackgroundView_->setHidden(!showSelected);
    }
}

void UITableViewCell::setSelected(bool selected, bool animated) {
    (void)animated;
    selected_ = selected;
    updateBackgrounds();
}

void UITableViewCell::setHighlighted(bool highlighted, bool animated) {
    (void)animated;
    highlighted_ = highlighted;
    updateBackgrounds();
}

void UITableViewCell::setEditing(bool editing, bool animated) {
    (void)animated;
    editing_ = editing;
    setNeedsLayout();
}

void UITableViewCell::setSwipeOffset(CGFloat offset) {
    swipeOffset_ = offset;
    setNeedsLayout();
    layoutSubviews();
}

void UITableViewCell::layoutSubviews() {
    attachContent();
    CGRect b = bounds();
    bool accessory = accessoryView || accessoryType != UITableViewCellAccessoryType::none;
    CGFloat contentWidth = b.size.width - (accessory ? accessoryWidth : 0);
    contentView_->setFrame({swipeOffset_, 0, contentWidth, b.size.height});
    if (accessoryView) {
        CGSize size = accessoryView->frame().size;
        accessoryView->setFrame({swipeOffset_ + contentWidth + (accessoryWidth - size.width) / 2,
                                 (b.size.height - size.height) / 2, size.width, size.height});
        if (accessoryView->superview().get() != this)
            addSubview(accessoryView);
    }
    if (backgroundView_)
        backgroundView_->setFrame(b);
    if (selectedBackgroundView_)
        selectedBackgroundView_->setFrame(b);
    CGFloat x = inset;
    if (imageView_ && imageView_->image()) {
        CGFloat side = std::min<CGFloat>(b.size.height - 8, 30);
        imageView_->setFrame({x, (b.size.height - side) / 2, side, side});
        x += side + inset;
    }
    CGFloat width = std::max<CGFloat>(0, contentWidth - x - inset);
    if (style_ == UITableViewCellStyle::subtitle && detailTextLabel_) {
        if (textLabel_)
            textLabel_->setFrame({x, 4, width, b.size.height * 0.55 - 4});
        detailTextLabel_->setFrame({x, b.size.height * 0.55, width, b.size.height * 0.45 - 4});
    } else {
        if (textLabel_)
            textLabel_->setFrame({x, 0, width, b.size.height});
        if (detailTextLabel_)
            detailTextLabel_->setFrame({x + width / 2, 0, width / 2, b.size.height});
    }
}
