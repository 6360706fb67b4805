#include "UIKit/UITabBarController.h"

#include "UIKit/UIScreen.h"

namespace {
class TabView : public UIView {
  public:
    using UIView::UIView;
    std::function<void()> onLayout;
    void layoutSubviews() override {
        if (onLayout)
            onLayout();
    }
};
} // namespace

std::shared_ptr<UITabBar> UITabBarController::tabBar() {
    if (!bar_) {
        bar_ = UITabBar::make();
        std::weak_ptr<UITabBarController> weak =
            std::static_pointer_cast<UITabBarController>(sharedController());
        bar_->onSelect = [weak](size_t index) {
            if (auto self = weak.lock())
                self->setSelectedIndex(index);
        };
    }
    return bar_;
}

void UITabBarController::loadView() {
    auto view = std::make_shared<TabView>(UIScreen::main().bounds());
    view->setBackgroundColor(UIColor::systemBackground());
    std::weak_ptr<UITabBarController> weak =
        std::static_pointer_cast<UITabBarController>(sharedController());
    view->onLayout = [weak] {
        if (auto self = weak.lock())
            self->layoutContent();
    };
    setView(view);
    view->addSubview(tabBar());
    if (auto selected = selectedViewController())
        view->insertSubview(selected->view(), 0);
    layoutContent();
}

void UITabBarController::layoutContent() {
    auto view = viewIfLoaded();
    if (!view)
        return;
    CGRect bounds = view->bounds();
    CGFloat bottom = view->safeAreaInsets().bottom;
    CGFloat barTop = bounds.size.height - bottom - UITabBar::height;
    bar_->setFrame({0, barTop, bounds.size.width, UITabBar::height + bottom});
    CGRect content = bar_->isHidden() ? bounds : CGRect{0, 0, bounds.size.width, barTop};
    if (auto selected = selectedViewController())
        if (auto selectedView = selected->viewIfLoaded();
            selectedView && selectedView->superview() == view)
            selectedView->setFrame(content);
}

void UITabBarController::setViewControllers(
    std::vector<std::shared_ptr<UIViewController>> controllers) {
    auto old = selectedViewController();
    for (auto& c : controllers_)
        if (std::find(controllers.begin(), controllers.end(), c) == controllers.end())
            c->removeFromParent();
    controllers_ = std::move(controllers);
    std::vector<std::shared_ptr<UITabBarItem>> items;
    for (auto& c : controllers_) {
        addChild(c);
        items.push_back(c->tabBarItem());
    }
    tabBar()->setItems(items);
    selected_ = 0;
    if (old && isViewLoaded()) {
        if (auto oldView = old->viewIfLoaded())
            oldView->removeFromSuperview();
    }
    setSelectedIndex(0);
}

std::shared_ptr<UIViewController> UITabBarController::selectedViewController() const {
    return selected_ < controllers_.size() ? controllers_[selected_] : nullptr;
}

void UITabBarController::setSelectedViewController(
    const std::shared_ptr<UIViewController>& controller) {
    auto it = std::find(controllers_.begin(), controllers_.end(), controller);
    if (it != controllers_.end())
        setSelectedIndex(size_t(it - controllers_.begin()));
}

void UITabBarController::setSelectedIndex(size_t index) {
    if (index >= controllers_.size())
        return;
    auto from = selectedViewController();
    auto to = controllers_[index];
    selected_ = index;
    tabBar()->setSelectedIndex(index);
    if (!isViewLoaded())
        return;
    bool onScreen = isOnScreen();
    if (from != to) {
        if (onScreen && from)
            from->beginAppearanceTransition(false, false);
        if (from)
            if (auto fromView = from->viewIfLoaded())
                fromView->removeFromSuperview();
        if (onScreen && from)
            from->endAppearanceTransition();
    }
    if (!to->viewIfLoaded() || to->viewIfLoaded()->superview() != view())
        view()->insertSubviewBelow(to->view(), bar_);
    layoutContent();
    if (from != to && onScreen) {
        to->beginAppearanceTransition(true, false);
        to->endAppearanceTransition();
    }
}

std::vector<std::shared_ptr<UIViewController>> UITabBarController::childrenForAppearance() const {
    if (auto selected = selectedViewController())
        return {selected};
    return {};
}
