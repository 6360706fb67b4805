#include "UIKit/UIPresentationController.h"

#include "Foundation/RunLoop.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"

UIPresentationController::UIPresentationController(
    const std::shared_ptr<UIViewController>& presented)
    : presented_(presented) {}

void UIPresentationController::attach(const std::shared_ptr<UIViewController>& presenting,
                                      const std::shared_ptr<UIWindow>& window,
                                      UIModalPresentationStyle style) {
    presenting_ = presenting;
    window_ = window;
    style_ = style;
}

CGRect UIPresentationController::frameOfPresentedViewInContainerView() const {
    auto window = containerView();
    if (!window)
        return {};
    CGRect bounds = window->bounds();
    bool pad = UIDevice::current().userInterfaceIdiom() == UIUserInterfaceIdiom::pad;
    CGFloat top = window->safeAreaInsets().top;
    switch (style_) {
    case UIModalPresentationStyle::pageSheet:
        if (pad) {
            CGFloat w = std::min<CGFloat>(704, bounds.size.width);
            return {(bounds.size.width - w) / 2, top + 20, w, bounds.size.height - top - 20};
        }
        return {0, top + 10, bounds.size.width, bounds.size.height - top - 10};
    case UIModalPresentationStyle::formSheet:
        if (pad) {
            CGSize size{std::min<CGFloat>(540, bounds.size.width),
                        std::min<CGFloat>(620, bounds.size.height)};
            return {(bounds.size.width - size.width) / 2, (bounds.size.height - size.height) / 2,
                    size.width, size.height};
        }
        return {0, top + 10, bounds.size.width, bounds.size.height - top - 10};
    case UIModalPresentationStyle::currentContext:
    case UIModalPresentationStyle::overCurrentContext:
        if (auto host = presentingViewController())
            if (auto view = host->viewIfLoaded())
                return view->convertRectTo(view->bounds(), window.get());
        return bounds;
    default:
        return bounds;
    }
}

bool UIPresentationController::slides() const {
    auto presented = presentedViewController();
    if (!presented || presented->modalTransitionStyle == UIModalTransitionStyle::crossDissolve)
        return false;
    return style_ != UIModalPresentationStyle::popover &&
           style_ != UIModalPresentationStyle::custom;
}

void UIPresentationController::animateIn(UIView& view, CGRect frame) {
    if (slides()) {
        CGFloat distance =
            containerView() ? containerView()->bounds().size.height : frame.size.height;
        view.setFrame(frame.offsetBy(0, distance));
        UIView::animate(UIViewController::transitionDuration,
                        [&view, frame] { view.setFrame(frame); });
    } else {
        CGFloat alpha = view.alpha();
        view.setAlpha(0);
        UIView::animate(UIViewController::transitionDuration,
                        [&view, alpha] { view.setAlpha(alpha); });
    }
}

void UIPresentationController::animateOut(UIView& view) {
    if (slides()) {
        CGRect frame = view.frame();
        CGFloat distance =
            containerView() ? containerView()->bounds().size.height : frame.size.height;
        UIView::animate(UIViewController::transitionDuration,
                        [&view, frame, distance] { view.setFrame(frame.offsetBy(0, distance)); });
    } else {
        UIView::animate(UIViewController::transitionDuration, [&view] { view.setAlpha(0); });
    }
}

void UIPresentationController::runPresentation(bool animated, Completion completion) {
    auto presented = presentedViewController();
    auto presenting = presentingViewController();
    auto window = containerView();
    if (!presented || !presenting || !window)
        return;
    phase_ = Phase::presenting;
    auto view = presented->view();
    CGRect frame = frameOfPresentedViewInContainerView();
    view->setFrame(frame);
    if (style_ != UIModalPresentationStyle::popover)
        view->autoresizingMask = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
    window->addSubview(view);
    view->layoutIfNeeded();

    bool removes = removesPresentersView();
    if (removes)
        presenting->beginAppearanceTransition(false, animated);
    presented->beginAppearanceTransition(true, animated);
    if (animated)
        animateIn(*view, frame);

    auto self = shared_from_this();
    auto finish = [self, presented, presenting, removes, completion] {
        if (self->phase_ != Phase::presenting)
            return;
        if (removes) {
            if (auto hostView = presenting->viewIfLoaded()) {
                self->presenterFrame_ = hostView->frame();
                hostView->removeFromSuperview();
            }
            presenting->endAppearanceTransition();
        }
        presented->endAppearanceTransition();
        self->phase_ = Phase::presented;
        if (completion)
            completion();
        auto after = std::move(self->afterPresented_);
        self->afterPresented_.clear();
        for (auto& block : after)
            block();
    };
    if (animated)
        RunLoop::main().postAfter(UIViewController::transitionDuration, finish);
    else
        finish();
}

void UIPresentationController::runDismissal(bool animated, Completion completion) {
    auto presented = presentedViewController();
    auto presenting = presentingViewController();
    auto window = containerView();
    if (!presented || !presenting)
        return;
    phase_ = Phase::dismissing;
    auto view = presented->view();
    bool removes = removesPresentersView();
    if (removes) {
        auto hostView = presenting->view();
        if (window && !hostView->superview()) {
            hostView->setFrame(presenterFrame_);
            window->insertSubviewBelow(hostView, view);
        }
        presenting->beginAppearanceTransition(true, animated);
    }
    presented->beginAppearanceTransition(false, animated);
    if (animated)
        animateOut(*view);

    auto self = shared_from_this();
    auto finish = [self, presented, presenting, removes, view, completion] {
        view->removeFromSuperview();
        view->setAlpha(1);
        presented->endAppearanceTransition();
        if (removes)
            presenting->endAppearanceTransition();
        self->phase_ = Phase::idle;
        if (presenting->presented_ == presented)
            presenting->setPresented(nullptr);
        if (presented->presentation_ == self)
            presented->setPresentation(nullptr);
        self->presenting_.reset();
        if (completion)
            completion();
    };
    if (animated)
        RunLoop::main().postAfter(UIViewController::transitionDuration, finish);
    else
        finish();
}

void UIPresentationController::whenPresented(std::function<void()> block) {
    if (phase_ == Phase::presenting)
        afterPresented_.push_back(std::move(block));
    else
        block();
}
