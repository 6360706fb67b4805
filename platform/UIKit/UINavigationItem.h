#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIBarButtonItem;
class UIView;

// What a navigation bar shows while a controller is on top: a title (or a view) and the bar
// buttons. The back button leading back to a controller comes from that controller's item.
class UINavigationItem {
  public:
    UINavigationItem() = default;
    explicit UINavigationItem(std::string title) : title(std::move(title)) {}

    std::optional<std::string> title;
    std::shared_ptr<UIView> titleView;
    std::optional<std::string> prompt;
    // Shown on the bar of the next controller pushed above this one.
    std::shared_ptr<UIBarButtonItem> backBarButtonItem;
    std::optional<std::string> backButtonTitle;
    bool hidesBackButton = false;

    std::vector<std::shared_ptr<UIBarButtonItem>> leftBarButtonItems;
    std::vector<std::shared_ptr<UIBarButtonItem>> rightBarButtonItems;

    std::shared_ptr<UIBarButtonItem> leftBarButtonItem() const;
    void setLeftBarButtonItem(std::shared_ptr<UIBarButtonItem> item);
    std::shared_ptr<UIBarButtonItem> rightBarButtonItem() const;
    void setRightBarButtonItem(std::shared_ptr<UIBarButtonItem> item);
};
