#pragma once

#include "UIKit/UINavigationBar.h"
#include "UIKit/UIViewController.h"

#include <memory>
#include <vector>

// A stack of controllers with a bar on top. The top controller's view fills the space below
// the bar (all of it when the bar is hidden). Pushing and popping send the appearance
// callbacks to the controllers coming and going while the navigation controller is on screen,
// and animate on the run loop's clock. The bar's back button pops.
class UINavigationController : public UIViewController {
  public:
    UINavigationController();
    explicit UINavigationController(std::shared_ptr<UIViewController> root);
    static std::shared_ptr<UINavigationController>
    make(std::shared_ptr<UIViewController> root = nullptr);

    static constexpr double pushDuration = 0.35;

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return stack_; }
    void setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers,
                            bool animated);
    std::shared_ptr<UIViewController> topViewController() const;
    // The top controller, or what it presented.
    std::shared_ptr<UIViewController> visibleViewController() const;

    void pushViewController(const std::shared_ptr<UIViewController>& controller, bool animated);
    // Pops the top controller, never the root; none when there is nothing to pop.
    std::shared_ptr<UIViewController> popViewController(bool animated);
    std::vector<std::shared_ptr<UIViewController>> popToRootViewController(bool animated);
    std::vector<std::shared_ptr<UIViewController>>
    popToViewController(const std::shared_ptr<UIViewController>& controller, bool animated);

    std::shared_ptr<UINavigationBar> navigationBar();
    bool isNavigationBarHidden() const { return barHidden_; }
    void setNavigationBarHidden(bool hidden, bool animated);

    bool isTransitioning() const { return transitioning_; }

    void loadView() override;
    std::vector<std::shared_ptr<UIViewController>> childrenForAppearance() const override;
    bool prefersStatusBarHidden() const override;
    UIStatusBarStyle preferredStatusBarStyle() const override;
    bool shouldAutorotate() const override;
    uint32_t supportedInterfaceOrientations() const override;

    // Places the bar and the top controller's view; run when the view is resized.
    void layoutContent();

  private:
    void transition(const std::shared_ptr<UIViewController>& from,
                    const std::shared_ptr<UIViewController>& to, bool animated, bool forward,
                    std::vector<std::shared_ptr<UIViewController>> removed);
    void updateBar();
    CGRect contentFrame() const;

    std::vector<std::shared_ptr<UIViewController>> stack_;
    std::shared_ptr<UINavigationBar> bar_;
    bool barHidden_ = false;
    bool transitioning_ = false;
};
