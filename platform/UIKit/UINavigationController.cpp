#include "UIKit/UINavigationController.h"

#include "Foundation/RunLoop.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIView.h"

#include <algorithm>

namespace {
// The navigation controller's own view: it places the bar and the top view on every layout.
class NavigationView : public UIView {
  public:
    using UIView::UIView;
    std::function<void()> onLayout;
    void layoutSubviews() override {
        if (onLayout)
            onLayout();
    }
};
} // namespace

UINavigationController::UINavigationController() = default;

UINavigationController::UINavigationController(std::shared_ptr<UIViewController> root) {
    if (root)
        stack_.push_back(std::move(root));
}

std::shared_ptr<UINavigationController>
UINavigationController::make(std::shared_ptr<UIViewController> root) {
    auto nav = std::make_shared<UINavigationController>();
    if (root)
        nav->setViewControllers({root}, false);
    return nav;
}

std::shared_ptr<UINavigationBar> UINavigationController::navigationBar() {
    if (!bar_) {
        bar_ = UINavigationBar::make();
        std::weak_ptr<UINavigationController> weak =
            std::static_pointer_cast<UINavigationController>(sharedController());
        bar_->onBack = [weak] {
            if (auto self = weak.lock())
                self->popViewController(true);
        };
    }
    return bar_;
}

void UINavigationController::loadView() {
    auto view = std::make_shared<NavigationView>(UIScreen::main().bounds());
    view->setBackgroundColor(UIColor::systemBackground());
    std::weak_ptr<UINavigationController> weak =
        std::static_pointer_cast<UINavigationController>(sharedController());
    view->onLayout = [weak] {
        if (auto self = weak.lock())
            self->layoutContent();
    };
    setView(view);
    view->addSubview(navigationBar());
    for (auto& c : stack_)
        if (c->parent().get() != this)
            addChild(c);
    if (auto top = topViewController())
        view->insertSubview(top->view(), 0);
    updateBar();
    layoutContent();
}

CGRect UINavigationController::contentFrame() const {
    auto view = viewIfLoaded();
    if (!view)
        return {};
    CGRect bounds = view->bounds();
    if (barHidden_)
        return bounds;
    CGFloat top = view->safeAreaInsets().top + UINavigationBar::height;
    return {0, top, bounds.size.width, std::max<CGFloat>(0, bounds.size.height - top)};
}

void UINavigationController::layoutContent() {
    auto view = viewIfLoaded();
    if (!view)
        return;
    CGRect bounds = view->bounds();
    bar_->setFrame({0, view->safeAreaInsets().top, bounds.size.width, UINavigationBar::height});
    bar_->setHidden(barHidden_);
    if (auto top = topViewController(); top && !transitioning_)
        if (auto topView = top->viewIfLoaded(); topView && topView->superview() == view)
            topView->setFrame(contentFrame());
}

void UINavigationController::updateBar() {
    std::vector<std::shared_ptr<UINavigationItem>> items;
    for (auto& c : stack_)
        items.push_back(c->navigationItem());
    navigationBar()->setItems(items);
}

std::shared_ptr<UIViewController> UINavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back();
}

std::shared_ptr<UIViewController> UINavigationController::visibleViewController() const {
    auto top = topViewController();
    if (auto presented = presentedViewController())
        return presented;
    return top;
}

std::vector<std::shared_ptr<UIViewController>>
UINavigationController::childrenForAppearance() const {
    if (auto top = topViewController())
        return {top};
    return {};
}

void UINavigationController::setViewControllers(
    std::vector<std::shared_ptr<UIViewController>> controllers, bool animated) {
    auto from = topViewController();
    auto old = stack_;
    stack_.clear();
    for (auto& c : controllers)
        if (c && std::find(stack_.begin(), stack_.end(), c) == stack_.end())
            stack_.push_back(c);
    std::vector<std::shared_ptr<UIViewController>> removed;
    for (auto& c : old)
        if (std::find(stack_.begin(), stack_.end(), c) == stack_.end())
            removed.push_back(c);
    for (auto& c : stack_)
        if (c->parent().get() != this)
            addChild(c);
    if (!isViewLoaded()) {
        for (auto& c : removed)
            c->removeFromParent();
        return;
    }
    auto to = topViewController();
    bool forward = std::find(old.begin(), old.end(), to) == old.end();
    transition(from, to, animated, forward, removed);
}

void UINavigationController::pushViewController(const std::shared_ptr<UIViewController>& controller,
                                                bool animated) {
    if (!controller || std::find(stack_.begin(), stack_.end(), controller) != stack_.end())
        return;
    auto stack = stack_;
    stack.push_back(controller);
    setViewControllers(stack, animated);
}

std::shared_ptr<UIViewController> UINavigationController::popViewController(bool animated) {
    if (stack_.size() < 2)
        return nullptr;
    auto top = stack_.back();
    auto stack = stack_;
    stack.pop_back();
    setViewControllers(stack, animated);
    return top;
}

std::vector<std::shared_ptr<UIViewController>>
UINavigationController::popToRootViewController(bool animated) {
    if (stack_.size() < 2)
        return {};
    return popToViewController(stack_.front(), animated);
}

std::vector<std::shared_ptr<UIViewController>>
UINavigationController::popToViewController(const std::shared_ptr<UIViewController>& controller,
                                            bool animated) {
    auto it = std::find(stack_.begin(), stack_.end(), controller);
    if (it == stack_.end() || it + 1 == stack_.end())
        return {};
    std::vector<std::shared_ptr<UIViewController>> popped(it + 1, stack_.end());
    setViewControllers({stack_.begin(), it + 1}, animated);
    return popped;
}

void UINavigationController::transition(const std::shared_ptr<UIViewController>& from,
                                        const std::shared_ptr<UIViewController>& to, bool animated,
                                        bool forward,
                                        std::vector<std::shared_ptr<UIViewController>> removed) {
    auto view = this->view();
    updateBar();
    if (from == to) {
        for (auto& c : removed)
            c->removeFromParent();
        return;
    }
    bool onScreen = isOnScreen();
    animated = animated && onScreen;
    CGRect frame = contentFrame();
    if (to) {
        auto toView = to->view();
        toView->setFrame(frame);
        view->insertSubviewBelow(toView, bar_);
        toView->layoutIfNeeded();
    }
    if (onScreen) {
        if (from)
            from->beginAppearanceTransition(false, animated);
        if (to)
            to->beginAppearanceTransition(true, animated);
    }
    auto self = std::static_pointer_cast<UINavigationController>(sharedController());
    auto finish = [self, from, to, onScreen, removed] {
        self->transitioning_ = false;
        if (from && from != to)
            if (auto fromView = from->viewIfLoaded())
                fromView->removeFromSuperview();
        if (onScreen) {
            if (from)
                from->endAppearanceTransition();
            if (to)
                to->endAppearanceTransition();
        }
        for (auto& c : removed)
            c->removeFromParent();
        self->layoutContent();
    };
    if (!animated) {
        finish();
        return;
    }
    transitioning_ = true;
    CGFloat width = frame.size.width;
    auto toView = to ? to->view() : nullptr;
    auto fromView = from ? from->viewIfLoaded() : nullptr;
    if (toView)
        toView->setFrame(frame.offsetBy(forward ? width : -width / 3, 0));
    UIView::animate(pushDuration, [=] {
        if (toView)
            toView->setFrame(frame);
        if (fromView)
            fromView->setFrame(frame.offsetBy(forward ? -width / 3 : width, 0));
    });
    RunLoop::main().postAfter(pushDuration, finish);
}

void UINavigationController::setNavigationBarHidden(bool hidden, bool animated) {
    (void)animated;
    barHidden_ = hidden;
    if (isViewLoaded())
        layoutContent();
}

bool UINavigationController::prefersStatusBarHidden() const {
    auto top = topViewController();
    return top ? top->prefersStatusBarHidden() : false;
}

UIStatusBarStyle UINavigationController::preferredStatusBarStyle() const {
    auto top = topViewController();
    return top ? top->preferredStatusBarStyle() : UIStatusBarStyle::defaultStyle;
}

bool UINavigationController::shouldAutorotate() const {
    auto top = topViewController();
    return top ? top->shouldAutorotate() : true;
}

uint32_t UINavigationController::supportedInterfaceOrientations() const {
    auto top = topViewController();
    return top ? top->supportedInterfaceOrientations()
               : UIViewController::supportedInterfaceOrientations();
}
