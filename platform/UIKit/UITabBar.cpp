#include "UIKit/UITabBar.h"

#include "UIKit/UIButton.h"

UITabBar::UITabBar() : UIView(CGRect{0, 0, 0, height}) {
    setBackgroundColor(UIColor::systemGray6());
}

void UITabBar::setItems(std::vector<std::shared_ptr<UITabBarItem>> items) {
    for (auto& button : buttons_)
        button->removeFromSuperview();
    buttons_.clear();
    items_ = std::move(items);
    for (size_t i = 0; i < items_.size(); ++i) {
        auto button = UIButton::make(UIButtonType::system);
        button->setTitle(items_[i]->title, UIControlStateNormal);
        if (items_[i]->image)
            button->setImage(items_[i]->image, UIControlStateNormal);
        button->addHandler(
            [this, i](const std::shared_ptr<UIControl>&, UIEvent*) {
                if (onSelect)
                    onSelect(i);
            },
            UIControlEventTouchUpInside);
        addSubview(button);
        buttons_.push_back(button);
    }
    setSelectedIndex(std::min(selected_, items_.empty() ? 0 : items_.size() - 1));
    layoutSubviews();
}

std::shared_ptr<UITabBarItem> UITabBar::selectedItem() const {
    return selected_ < items_.size() ? items_[selected_] : nullptr;
}

void UITabBar::setSelectedIndex(size_t index) {
    selected_ = index;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setSelected(i == index);
}

void UITabBar::layoutSubviews() {
    if (buttons_.empty())
        return;
    CGFloat w = bounds().size.width / buttons_.size();
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setFrame({w * i, 0, w, height});
}
