#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIViewController.h"

#include <functional>
#include <memory>
#include <vector>

class UIView;
class UIWindow;

// Carries out one modal presentation: places the presented view in the window, runs the
// transition on the main run loop's clock and sends the appearance callbacks. Only a
// full-screen presentation takes the presenter's view off screen (and puts it back when
// dismissed); every other style leaves the presenter as it is.
class UIPresentationController : public std::enable_shared_from_this<UIPresentationController> {
  public:
    using Completion = std::function<void()>;

    explicit UIPresentationController(const std::shared_ptr<UIViewController>& presented);
    virtual ~UIPresentationController() = default;

    std::shared_ptr<UIViewController> presentedViewController() const { return presented_.lock(); }
    std::shared_ptr<UIViewController> presentingViewController() const {
        return presenting_.lock();
    }
    UIModalPresentationStyle presentationStyle() const { return style_; }
    // The window the presented view is shown in.
    std::shared_ptr<UIWindow> containerView() const { return window_.lock(); }
    virtual CGRect frameOfPresentedViewInContainerView() const;
    bool removesPresentersView() const { return style_ == UIModalPresentationStyle::fullScreen; }

    bool isPresenting() const { return phase_ == Phase::presenting; }
    bool isPresented() const { return phase_ == Phase::presented; }
    bool isDismissing() const { return phase_ == Phase::dismissing; }

    // Driven by UIViewController.
    void attach(const std::shared_ptr<UIViewController>& presenting,
                const std::shared_ptr<UIWindow>& window, UIModalPresentationStyle style);
    void runPresentation(bool animated, Completion completion);
    void runDismissal(bool animated, Completion completion);
    // Runs `block` once the presentation transition has ended (at once when it has).
    void whenPresented(std::function<void()> block);

  private:
    enum class Phase { idle, presenting, presented, dismissing };
    void animateIn(UIView& view, CGRect frame);
    void animateOut(UIView& view);
    bool slides() const;

    std::weak_ptr<UIViewController> presented_;
    std::weak_ptr<UIViewController> presenting_;
    std::weak_ptr<UIWindow> window_;
    UIModalPresentationStyle style_ = UIModalPresentationStyle::fullScreen;
    Phase phase_ = Phase::idle;
    CGRect presenterFrame_;
    std::vector<std::function<void()>> afterPresented_;
};
