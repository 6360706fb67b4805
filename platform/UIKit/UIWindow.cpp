#include "UIKit/UIWindow.h"

#include "UIKit/UIApplication.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITouchDispatcher.h"
#include "UIKit/UIViewController.h"
#include "UIKit/UIWindowScene.h"

#include <algorithm>

namespace {
std::vector<std::weak_ptr<UIWindow>>& registry() {
    static std::vector<std::weak_ptr<UIWindow>> windows;
    return windows;
}
} // namespace

UIWindow::UIWindow() : UIWindow(UIScreen::main().bounds()) {}

UIWindow::UIWindow(const CGRect& frame) : UIView(frame) {
    setHidden(true);
    setSafeAreaInsets(UIDevice::current().screenSafeAreaInsets());
    setBackgroundColor(UIColor::black());
}

UIWindow::~UIWindow() {
    if (auto scene = scene_.lock())
        scene->removeWindow(this);
    std::erase_if(registry(), [](const std::weak_ptr<UIWindow>& w) { return w.expired(); });
}

std::shared_ptr<UIWindow> UIWindow::make() {
    auto window = std::make_shared<UIWindow>();
    registry().push_back(window);
    return window;
}

std::shared_ptr<UIWindow> UIWindow::make(const std::shared_ptr<UIWindowScene>& scene) {
    auto window = make();
    window->setWindowScene(scene);
    return window;
}

std::vector<std::shared_ptr<UIWindow>> UIWindow::allWindows() {
    std::vector<std::shared_ptr<UIWindow>> out;
    for (auto& weak : registry())
        if (auto w = weak.lock())
            out.push_back(w);
    return out;
}

void UIWindow::setWindowScene(const std::shared_ptr<UIWindowScene>& scene) {
    if (auto old = scene_.lock())
        old->removeWindow(this);
    scene_ = scene;
    if (scene)
        scene->addWindow(std::static_pointer_cast<UIWindow>(sharedView()));
}

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
    if (controller == root_)
        return;
    bool visible = !isHidden();
    auto old = root_;
    if (old) {
        if (visible)
            old->beginAppearanceTransition(false, false);
        if (auto view = old->viewIfLoaded(); view && view->superview().get() == this)
            view->removeFromSuperview();
        if (visible)
            old->endAppearanceTransition();
    }
    root_ = std::move(controller);
    if (!root_)
        return;
    auto view = root_->view();
    view->setFrame(bounds());
    view->autoresizingMask = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
    insertSubview(view, 0);
    view->layoutIfNeeded();
    if (visible) {
        root_->beginAppearanceTransition(true, false);
        root_->endAppearanceTransition();
    }
}

void UIWindow::makeKey() {
    UIApplication::shared().setKeyWindow(std::static_pointer_cast<UIWindow>(sharedView()));
}

void UIWindow::makeKeyAndVisible() {
    makeKey();
    if (!isHidden())
        return;
    setHidden(false);
    if (root_) {
        root_->beginAppearanceTransition(true, false);
        root_->endAppearanceTransition();
    }
    layoutIfNeeded();
}

std::shared_ptr<UIViewController> UIWindow::topPresentedController() const {
    auto top = root_;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

UITouchDispatcher& UIWindow::dispatcher() {
    if (!dispatcher_)
        dispatcher_ = std::make_unique<UITouchDispatcher>(sharedView());
    return *dispatcher_;
}

void UIWindow::sendTouch(UITouchPhase phase, CGPoint point) {
    layoutIfNeeded();
    auto keep = sharedView();
    switch (phase) {
    case UITouchPhase::began:
        dispatcher().touchDown(point);
        break;
    case UITouchPhase::moved:
    case UITouchPhase::stationary:
        dispatcher().touchMove(point);
        break;
    case UITouchPhase::ended:
        dispatcher().touchUp(point);
        break;
    case UITouchPhase::cancelled:
        dispatcher().touchCancel();
        break;
    }
}

void UIWindow::tap(CGPoint point) {
    sendTouch(UITouchPhase::began, point);
    sendTouch(UITouchPhase::ended, point);
}

void UIWindow::drag(CGPoint from, CGPoint to, int steps) {
    sendTouch(UITouchPhase::began, from);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        double t = double(i) / steps;
        sendTouch(UITouchPhase::moved,
                  {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
    }
    sendTouch(UITouchPhase::ended, to);
}

namespace {
UIKeyInput* keyInput() {
    auto responder = UIResponder::currentFirstResponder();
    return dynamic_cast<UIKeyInput*>(responder.get());
}
} // namespace

bool UIWindow::sendText(const std::string& text) {
    auto responder = UIResponder::currentFirstResponder();
    auto* input = dynamic_cast<UIKeyInput*>(responder.get());
    if (!input)
        return false;
    input->insertText(text);
    return true;
}

bool UIWindow::sendBackspace() {
    auto responder = UIResponder::currentFirstResponder();
    auto* input = keyInput();
    if (!input)
        return false;
    input->deleteBackward();
    return true;
}

bool UIWindow::sendReturn() {
    auto responder = UIResponder::currentFirstResponder();
    if (auto field = std::dynamic_pointer_cast<UITextField>(responder)) {
        field->pressReturn();
        return true;
    }
    if (auto* input = keyInput()) {
        input->insertText("\n");
        return true;
    }
    return false;
}

std::shared_ptr<UIWindow> UIWindow::of(const std::shared_ptr<UIView>& view) {
    if (!view)
        return nullptr;
    return std::dynamic_pointer_cast<UIWindow>(view->rootView());
}
