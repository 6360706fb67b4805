#pragma once

#include "UIKit/UITabBar.h"
#include "UIKit/UIViewController.h"

#include <memory>
#include <vector>

// Controllers side by side, one shown at a time, chosen in the tab bar at the bottom. The
// selected controller's view fills the space above the bar (all of it while the bar is hidden).
class UITabBarController : public UIViewController {
  public:
    static std::shared_ptr<UITabBarController> make() {
        return std::make_shared<UITabBarController>();
    }

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const {
        return controllers_;
    }
    void setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers);
    size_t selectedIndex() const { return selected_; }
    void setSelectedIndex(size_t index);
    std::shared_ptr<UIViewController> selectedViewController() const;
    void setSelectedViewController(const std::shared_ptr<UIViewController>& controller);

    std::shared_ptr<UITabBar> tabBar();

    void loadView() override;
    std::vector<std::shared_ptr<UIViewController>> childrenForAppearance() const override;
    void layoutContent();

  private:
    std::vector<std::shared_ptr<UIViewController>> controllers_;
    std::shared_ptr<UITabBar> bar_;
    size_t selected_ = 0;
};
