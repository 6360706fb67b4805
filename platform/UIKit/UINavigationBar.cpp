#include "UIKit/UINavigationBar.h"

#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIButton.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationItem.h"

namespace {
constexpr CGFloat margin = 8;
constexpr CGFloat spacing = 8;
} // namespace

UINavigationBar::UINavigationBar() : UIView(CGRect{0, 0, 0, height}) {
    setBackgroundColor(UIColor::systemGray6());
    titleLabel_ = UILabel::make();
    titleLabel_->textAlignment = NSTextAlignment::center;
    titleLabel_->setFont(UIFont::systemFont(17, UIFont::Weight::semibold));
}

void UINavigationBar::setItems(std::vector<std::shared_ptr<UINavigationItem>> items) {
    items_ = std::move(items);
    reloadItems();
}

std::shared_ptr<UINavigationItem> UINavigationBar::topItem() const {
    return items_.empty() ? nullptr : items_.back();
}

std::shared_ptr<UINavigationItem> UINavigationBar::backItem() const {
    return items_.size() < 2 ? nullptr : items_[items_.size() - 2];
}

void UINavigationBar::setTitleTextAttributes(std::optional<NSTextAttributes> attributes) {
    titleTextAttributes = std::move(attributes);
    reloadItems();
}

std::string UINavigationBar::backTitle() const {
    auto back = backItem();
    if (!back)
        return "";
    if (back->backBarButtonItem && back->backBarButtonItem->title)
        return *back->backBarButtonItem->title;
    if (back->backButtonTitle)
        return *back->backButtonTitle;
    if (back->title)
        return *back->title;
    return "Back";
}

std::shared_ptr<UIButton>
UINavigationBar::makeButton(const std::shared_ptr<UIBarButtonItem>& item) {
    auto button = UIButton::make(UIButtonType::system);
    button->setTitle(item->displayTitle(), UIControlStateNormal);
    if (item->image)
        button->setImage(item->image, UIControlStateNormal);
    button->setEnabled(item->isEnabled);
    if (item->tintColor)
        button->setTintColor(item->tintColor);
    std::weak_ptr<UIBarButtonItem> weak = item;
    button->addHandler(
        [weak](const std::shared_ptr<UIControl>&, UIEvent*) {
            if (auto i = weak.lock())
                i->perform();
        },
        UIControlEventTouchUpInside);
    return button;
}

void UINavigationBar::reloadItems() {
    for (auto& [item, view] : leftViews_)
        view->removeFromSuperview();
    for (auto& [item, view] : rightViews_)
        view->removeFromSuperview();
    leftViews_.clear();
    rightViews_.clear();
    if (backButton_)
        backButton_->removeFromSuperview();
    backButton_ = nullptr;

    auto top = topItem();
    titleLabel_->removeFromSuperview();
    if (!top)
        return;
    if (top->titleView) {
        addSubview(top->titleView);
    } else {
        titleLabel_->setText(top->title.value_or(""));
        if (titleTextAttributes && titleTextAttributes->foregroundColor)
            titleLabel_->setTextColor(*titleTextAttributes->foregroundColor);
        else
            titleLabel_->setTextColor(UIColor::label());
        if (titleTextAttributes && titleTextAttributes->font)
            titleLabel_->setFont(*titleTextAttributes->font);
        addSubview(titleLabel_);
    }
    for (auto& item : top->leftBarButtonItems) {
        auto view = item->customView ? item->customView : makeButton(item);
        leftViews_.push_back({item, view});
        addSubview(view);
    }
    if (leftViews_.empty() && backItem() && !top->hidesBackButton) {
        backButton_ = UIButton::make(UIButtonType::system);
        backButton_->setTitle("‹ " + backTitle(), UIControlStateNormal);
        backButton_->addHandler(
            [this](const std::shared_ptr<UIControl>&, UIEvent*) {
                if (onBack)
                    onBack();
            },
            UIControlEventTouchUpInside);
        addSubview(backButton_);
    }
    for (auto& item : top->rightBarButtonItems) {
        auto view = item->customView ? item->customView : makeButton(item);
        rightViews_.push_back({item, view});
        addSubview(view);
    }
    setNeedsLayout();
    layoutSubviews();
}

std::shared_ptr<UIButton> UINavigationBar::buttonFor(const UIBarButtonItem& item) const {
    for (auto* list : {&leftViews_, &rightViews_})
        for (auto& [weak, view] : *list)
            if (weak.lock().get() == &item)
                return std::dynamic_pointer_cast<UIButton>(view);
    return nullptr;
}

void UINavigationBar::layoutSubviews() {
    CGSize size = bounds().size;
    auto widthOf = [](UIView& view) {
        CGSize fit = view.sizeThatFits({200, height});
        return std::max<CGFloat>(fit.width, 32);
    };
    CGFloat left = margin;
    if (backButton_) {
        CGFloat w = widthOf(*backButton_);
        backButton_->setFrame({left, 0, w, height});
        left += w + spacing;
    }
    for (auto& [item, view] : leftViews_) {
        CGFloat w = widthOf(*view);
        view->setFrame({left, 0, w, height});
        left += w + spacing;
    }
    CGFloat right = size.width - margin;
    for (auto& [item, view] : rightViews_) {
        CGFloat w = widthOf(*view);
        right -= w;
        view->setFrame({right, 0, w, height});
        right -= spacing;
    }
    CGFloat side = std::max(left, size.width - right);
    CGFloat titleWidth = std::max<CGFloat>(0, size.width - 2 * side);
    auto top = topItem();
    if (top && top->titleView)
        top->titleView->setFrame({side, 0, titleWidth, height});
    else
        titleLabel_->setFrame({side, 0, titleWidth, height});
}
