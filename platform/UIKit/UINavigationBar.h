#pragma once

#include "UIKit/NSAttributedString.h"
#include "UIKit/UIView.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class UIBarButtonItem;
class UIButton;
class UILabel;
class UINavigationItem;

// The bar at the top of a navigation stack. It shows the top item's title and bar buttons and,
// below the root, a back button titled after the item beneath (its back item's title, else its
// title, else "Back"). Buttons are real subviews, so taps reach them through hit-testing.
class UINavigationBar : public UIView {
  public:
    UINavigationBar();
    static std::shared_ptr<UINavigationBar> make() { return std::make_shared<UINavigationBar>(); }

    static constexpr CGFloat height = 44;

    const std::vector<std::shared_ptr<UINavigationItem>>& items() const { return items_; }
    void setItems(std::vector<std::shared_ptr<UINavigationItem>> items);
    std::shared_ptr<UINavigationItem> topItem() const;
    std::shared_ptr<UINavigationItem> backItem() const;

    // Font and colour of the title; none gives the bar's defaults.
    std::optional<NSTextAttributes> titleTextAttributes;
    void setTitleTextAttributes(std::optional<NSTextAttributes> attributes);
    std::optional<UIColor> barTintColor;
    bool isTranslucent = true;
    bool prefersLargeTitles = false;

    // Called when the back button is tapped (the navigation controller pops).
    std::function<void()> onBack;

    // Rebuilds the title and buttons from the top item; call after changing an item.
    void reloadItems();

    std::shared_ptr<UILabel> titleLabel() const { return titleLabel_; }
    std::shared_ptr<UIButton> backButton() const { return backButton_; }
    // The button showing a bar item of the top item, or none.
    std::shared_ptr<UIButton> buttonFor(const UIBarButtonItem& item) const;

    void layoutSubviews() override;

  private:
    std::shared_ptr<UIButton> makeButton(const std::shared_ptr<UIBarButtonItem>& item);
    std::string backTitle() const;

    std::vector<std::shared_ptr<UINavigationItem>> items_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIButton> backButton_;
    std::vector<std::pair<std::weak_ptr<UIBarButtonItem>, std::shared_ptr<UIView>>> leftViews_;
    std::vector<std::pair<std::weak_ptr<UIBarButtonItem>, std::shared_ptr<UIView>>> rightViews_;
};
