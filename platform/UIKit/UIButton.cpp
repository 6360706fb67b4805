#include "UIKit/UIButton.h"

#include "UIKit/UIImage.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIMenu.h"

#include <algorithm>

UIButton::UIButton(UIButtonType type, const CGRect& frame) : UIControl(frame), type_(type) {
    isOpaque = false;
}

std::shared_ptr<UIButton> UIButton::make(UIButtonType type, const CGRect& frame) {
    return std::make_shared<UIButton>(type, frame);
}

std::shared_ptr<UIButton> UIButton::make(UIButtonType type,
                                         const std::shared_ptr<UIAction>& primaryAction) {
    auto button = make(type);
    if (primaryAction) {
        button->setTitle(primaryAction->title, UIControlStateNormal);
        if (primaryAction->image)
            button->setImage(primaryAction->image, UIControlStateNormal);
        button->addAction(primaryAction, UIControlEventPrimaryActionTriggered);
    }
    return button;
}

template <class T>
std::optional<T> UIButton::lookup(const std::map<uint32_t, T>& values, UIControlState state) {
    auto it = values.find(state);
    if (it != values.end())
        return it->second;
    // A combined state falls back to its strongest single state, then to normal.
    for (uint32_t single :
         {UIControlStateDisabled, UIControlStateHighlighted, UIControlStateSelected}) {
        if (!(state & single))
            continue;
        it = values.find(single);
        if (it != values.end())
            return it->second;
    }
    it = values.find(UIControlStateNormal);
    if (it != values.end())
        return it->second;
    return std::nullopt;
}

void UIButton::setTitle(const std::optional<std::string>& title, UIControlState state) {
    if (title)
        titles_[state] = *title;
    else
        titles_.erase(state);
    updateContent();
}

std::optional<std::string> UIButton::title(UIControlState state) const {
    if (auto attributed = lookup(attributedTitles_, state))
        return attributed->string();
    return lookup(titles_, state);
}

void UIButton::setTitleColor(const std::optional<UIColor>& color, UIControlState state) {
    if (color)
        titleColors_[state] = *color;
    else
        titleColors_.erase(state);
    updateContent();
}

std::optional<UIColor> UIButton::titleColor(UIControlState state) const {
    return lookup(titleColors_, state);
}

void UIButton::setAttributedTitle(const std::optional<NSAttributedString>& title,
                                  UIControlState state) {
    if (title)
        attributedTitles_[state] = *title;
    else
        attributedTitles_.erase(state);
    updateContent();
}

std::optional<NSAttributedString> UIButton::attributedTitle(UIControlState state) const {
    return lookup(attributedTitles_, state);
}

void UIButton::setImage(const std::shared_ptr<UIImage>& image, UIControlState state) {
    if (image)
        images_[state] = image;
    else
        images_.erase(state);
    updateContent();
}

std::shared_ptr<UIImage> UIButton::image(UIControlState state) const {
    auto found = lookup(images_, state);
    if (!found || !*found)
        return nullptr;
    auto configuration = lookup(symbolConfigurations_, state);
    if (configuration && (*found)->isSymbolImage())
        return (*found)->withConfiguration(*configuration);
    return *found;
}

void UIButton::setBackgroundImage(const std::shared_ptr<UIImage>& image, UIControlState state) {
    if (image)
        backgroundImages_[state] = image;
    else
        backgroundImages_.erase(state);
    updateContent();
}

std::shared_ptr<UIImage> UIButton::backgroundImage(UIControlState state) const {
    auto found = lookup(backgroundImages_, state);
    return found ? *found : nullptr;
}

void UIButton::setPreferredSymbolConfiguration(const UIImageSymbolConfiguration& configuration,
                                               UIControlState state) {
    symbolConfigurations_[state] = configuration;
    updateContent();
}

UIColor UIButton::currentTitleColor() const {
    if (auto color = titleColor(state()))
        return *color;
    if (type_ == UIButtonType::custom)
        return UIColor::white();
    if (!isEnabled())
        return UIColor::systemGray();
    UIColor tint = tintColor();
    return isHighlighted() ? tint.withAlphaComponent(0.2) : tint;
}

std::shared_ptr<UILabel> UIButton::titleLabel() {
    if (!titleLabel_) {
        titleLabel_ = std::make_shared<UILabel>();
        titleLabel_->setFont(UIFont::systemFont(
            type_ == UIButtonType::custom ? 18 : 15,
            type_ == UIButtonType::custom ? UIFont::Weight::regular : UIFont::Weight::medium));
        titleLabel_->textAlignment = NSTextAlignment::center;
        addSubview(titleLabel_);
        updateContent();
    }
    return titleLabel_;
}

std::shared_ptr<UIImageView> UIButton::imageView() {
    if (!imageView_) {
        imageView_ = std::make_shared<UIImageView>();
        imageView_->contentMode = UIViewContentMode::center;
        addSubview(imageView_);
        updateContent();
    }
    return imageView_;
}

void UIButton::updateContent() {
    if (weak_from_this().expired())
        return;
    auto title = currentTitle();
    auto attributed = attributedTitle(state());
    if ((title || attributed) && !titleLabel_) {
        titleLabel();
        return;
    }
    if (currentImage() && !imageView_) {
        imageView();
        return;
    }
    if (titleLabel_) {
        if (attributed)
            titleLabel_->setAttributedText(*attributed);
        else if (title)
            titleLabel_->setText(*title);
        else
            titleLabel_->clearText();
        titleLabel_->setTextColor(currentTitleColor());
        titleLabel_->setHidden(!title && !attributed);
    }
    if (imageView_) {
        imageView_->setImage(currentImage());
        imageView_->setHidden(!currentImage());
        imageView_->setTintColor(type_ == UIButtonType::custom
                                     ? std::nullopt
                                     : std::optional<UIColor>(currentTitleColor()));
    }
    invalidateIntrinsicContentSize();
    setNeedsLayout();
    setNeedsDisplay();
}

void UIButton::stateDidChange() {
    updateContent();
}

void UIButton::primaryTouchUpInside(UIEvent* event) {
    if (showsMenuAsPrimaryAction && menu) {
        UIMenu::show(menu, sharedView());
        sendActions(UIControlEventMenuActionTriggered, event);
        return;
    }
    UIControl::primaryTouchUpInside(event);
}

CGSize UIButton::titleSize() const {
    auto attributed = attributedTitle(state());
    auto title = currentTitle();
    if (!attributed && !title)
        return {0, 0};
    UIFont font = titleLabel_ ? titleLabel_->font()
                              : UIFont::systemFont(type_ == UIButtonType::custom ? 18 : 15);
    NSAttributedString text = attributed ? *attributed : NSAttributedString(*title);
    return text.boundingSize(0, 1, font);
}

CGSize UIButton::imageSize() const {
    auto image = currentImage();
    return image ? image->size() : CGSize{};
}

CGSize UIButton::intrinsicContentSize() const {
    CGSize t = titleSize(), i = imageSize();
    CGFloat spacing = t.width > 0 && i.width > 0 ? imageTitleSpacing : 0;
    CGFloat w = t.width + i.width + spacing + contentEdgeInsets.left + contentEdgeInsets.right;
    CGFloat h = std::max(t.height, i.height) + contentEdgeInsets.top + contentEdgeInsets.bottom;
    // A system button keeps some room around its title.
    if (type_ != UIButtonType::custom && t.height > 0)
        h = std::max(h, t.height + 12);
    return {w, h};
}

CGSize UIButton::sizeThatFits(CGSize) const {
    return intrinsicContentSize();
}

// The image and then the title, side by side, centred in the content rectangle.
void UIButton::layoutSubviews() {
    CGRect content = contentEdgeInsets.inset(bounds());
    CGSize t = titleSize(), i = imageSize();
    CGFloat spacing = t.width > 0 && i.width > 0 ? imageTitleSpacing : 0;
    CGFloat total = std::min(content.size.width, t.width + i.width + spacing);
    CGFloat x = content.midX() - total / 2;
    if (imageView_) {
        CGRect f{x, content.midY() - i.height / 2, i.width, i.height};
        imageView_->setFrame(imageEdgeInsets.inset(f));
    }
    if (titleLabel_) {
        CGFloat w = std::max(0.0, std::min(t.width, content.size.width - i.width - spacing));
        CGRect f{x + i.width + spacing, content.midY() - t.height / 2, w, t.height};
        titleLabel_->setFrame(titleEdgeInsets.inset(f));
    }
}
