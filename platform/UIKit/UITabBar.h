#pragma once

#include "UIKit/UITabBarItem.h"
#include "UIKit/UIView.h"

#include <functional>
#include <memory>
#include <vector>

class UIButton;

// The bar at the bottom of a tab bar controller: one button per item; tapping one selects it.
class UITabBar : public UIView {
  public:
    UITabBar();
    static std::shared_ptr<UITabBar> make() { return std::make_shared<UITabBar>(); }

    static constexpr CGFloat height = 49;

    const std::vector<std::shared_ptr<UITabBarItem>>& items() const { return items_; }
    void setItems(std::vector<std::shared_ptr<UITabBarItem>> items);
    std::shared_ptr<UITabBarItem> selectedItem() const;
    void setSelectedIndex(size_t index);
    const std::vector<std::shared_ptr<UIButton>>& buttons() const { return buttons_; }

    // Called with the index of a tapped item.
    std::function<void(size_t index)> onSelect;

    void layoutSubviews() override;

  private:
    std::vector<std::shared_ptr<UITabBarItem>> items_;
    std::vector<std::shared_ptr<UIButton>> buttons_;
    size_t selected_ = 0;
};
