#include "UIKit/UIViewController.h"

#include "Foundation/Console.h"
#include "UIKit/UIBarButtonItem.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UINib.h"
#include "UIKit/UIPopoverPresentationController.h"
#include "UIKit/UIPresentationController.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UITabBarController.h"
#include "UIKit/UITabBarItem.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"

#include <algorithm>

UIViewController::UIViewController() = default;

UIViewController::UIViewController(std::string nibName, const Bundle* bundle)
    : nibName_(std::move(nibName)), nibBundle_(bundle) {}

UIViewController::~UIViewController() = default;

// ---- The view ----

std::shared_ptr<UIView> UIViewController::view() {
    loadViewIfNeeded();
    return view_;
}

void UIViewController::loadViewIfNeeded() {
    if (view_)
        return;
    auto keep = sharedController();
    loadView();
    if (!view_)
        setView(UIView::make(UIScreen::main().bounds()));
    viewDidLoad();
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
    if (view_)
        view_->setViewController({});
    view_ = std::move(view);
    if (view_)
        view_->setViewController(weak_from_this());
}

void UIViewController::loadView() {
    if (viewLoader_) {
        auto loader = viewLoader_;
        loader(*this);
        return;
    }
    if (!nibName_.empty()) {
        auto nib = UINib::make(nibName_, nibBundle_);
        nib->instantiate(shared_from_this());
        if (!view_)
            throw UIInterfaceError("interface file \"" + nibName_ + "\" does not set the view of " +
                                   className());
        return;
    }
    auto view = UIView::make(UIScreen::main().bounds());
    view->setBackgroundColor(UIColor::systemBackground());
    setView(view);
}

void UIViewController::setTitle(std::optional<std::string> title) {
    title_ = title;
    navigationItem()->title = title;
    if (auto nav = navigationController())
        nav->navigationBar()->reloadItems();
}

// ---- Appearance ----

void UIViewController::beginAppearanceTransition(bool isAppearing, bool animated) {
    auto keep = sharedController();
    if (isAppearing) {
        if (isOnScreen())
            return;
        loadViewIfNeeded();
        appearance_ = UIAppearanceState::appearing;
        appearanceAnimated_ = animated;
        viewWillAppear(animated);
    } else {
        if (!isOnScreen())
            return;
        appearance_ = UIAppearanceState::disappearing;
        appearanceAnimated_ = animated;
        viewWillDisappear(animated);
    }
    for (auto& child : childrenForAppearance())
        child->beginAppearanceTransition(isAppearing, animated);
}

void UIViewController::endAppearanceTransition() {
    auto keep = sharedController();
    if (appearance_ == UIAppearanceState::appearing) {
        appearance_ = UIAppearanceState::appeared;
        viewDidAppear(appearanceAnimated_);
    } else if (appearance_ == UIAppearanceState::disappearing) {
        appearance_ = UIAppearanceState::disappeared;
        viewDidDisappear(appearanceAnimated_);
    } else {
        return;
    }
    for (auto& child : childrenForAppearance())
        child->endAppearanceTransition();
}

// ---- Presentation ----

std::shared_ptr<UIViewController> UIViewController::outermostContainer() {
    auto top = sharedController();
    while (auto up = top->parent())
        top = up;
    return top;
}

std::shared_ptr<UIViewController>
UIViewController::presentationHost(UIModalPresentationStyle style) {
    if (style == UIModalPresentationStyle::currentContext ||
        style == UIModalPresentationStyle::overCurrentContext) {
        for (auto c = sharedController(); c; c = c->parent())
            if (c->definesPresentationContext)
                return c;
    }
    return outermostContainer();
}

UIModalPresentationStyle UIViewController::effectivePresentationStyle() const {
    auto style = modalPresentationStyle;
    if (style == UIModalPresentationStyle::automatic || style == UIModalPresentationStyle::none)
        return UIModalPresentationStyle::pageSheet;
    if (style == UIModalPresentationStyle::popover &&
        UIDevice::current().userInterfaceIdiom() != UIUserInterfaceIdiom::pad)
        return UIModalPresentationStyle::pageSheet;
    return style;
}

std::shared_ptr<UIPopoverPresentationController> UIViewController::popoverPresentationController() {
    if (effectivePresentationStyle() != UIModalPresentationStyle::popover)
        return nullptr;
    auto popover = std::dynamic_pointer_cast<UIPopoverPresentationController>(presentation_);
    if (!popover && (!presentation_ || !presentation_->presentingViewController())) {
        popover = std::make_shared<UIPopoverPresentationController>(sharedController());
        presentation_ = popover;
    }
    return popover;
}

void UIViewController::present(const std::shared_ptr<UIViewController>& controller, bool animated,
                               Completion completion) {
    if (!controller)
        return;
    auto style = controller->effectivePresentationStyle();
    auto host = presentationHost(style);
    if (auto current = host->presented_) {
        if (current->isBeingDismissed()) {
            std::weak_ptr<UIViewController> weakHost = host;
            host->pendingPresentations_.push_back([weakHost, controller, animated, completion] {
                if (auto h = weakHost.lock())
                    h->present(controller, animated, completion);
            });
            return;
        }
        Console::systemLog("Attempt to present " + controller->className() + " on " +
                           host->className() + " which is already presenting " +
                           current->className());
        return;
    }
    if (controller->presentation_ && controller->presentation_->presentingViewController()) {
        Console::systemLog("Application tried to present " + controller->className() +
                           ", which is already presented");
        return;
    }
    auto window = host->viewWindow();
    if (!window) {
        Console::systemLog("Attempt to present " + controller->className() + " on " +
                           host->className() + " whose view is not in the window hierarchy");
        return;
    }
    auto presentation = controller->presentation_;
    if (!presentation ||
        (style == UIModalPresentationStyle::popover) !=
            bool(std::dynamic_pointer_cast<UIPopoverPresentationController>(presentation))) {
        if (style == UIModalPresentationStyle::popover)
            presentation = std::make_shared<UIPopoverPresentationController>(controller);
        else
            presentation = std::make_shared<UIPresentationController>(controller);
    }
    controller->presentation_ = presentation;
    host->presented_ = controller;
    presentation->attach(host, window, style);
    presentation->runPresentation(animated, std::move(completion));
}

void UIViewController::dismiss(bool animated, Completion completion) {
    std::shared_ptr<UIViewController> victim;
    for (auto c = sharedController(); c && !victim; c = c->parent())
        if (c->presented_)
            victim = c->presented_;
    if (!victim)
        for (auto c = sharedController(); c && !victim; c = c->parent())
            if (c->presentation_ && c->presentation_->presentingViewController())
                victim = c;
    if (!victim || victim->isBeingDismissed())
        return;
    auto presentation = victim->presentation_;
    if (presentation->isPresenting()) {
        std::weak_ptr<UIViewController> weak = sharedController();
        presentation->whenPresented([weak, animated, completion] {
            if (auto self = weak.lock())
                self->dismiss(animated, completion);
        });
        return;
    }
    // Whatever the victim presented goes first, at once.
    if (victim->presented_)
        victim->dismiss(false);
    auto host = presentation->presentingViewController();
    presentation->runDismissal(animated, [host, completion] {
        if (completion)
            completion();
        if (!host)
            return;
        auto pending = std::move(host->pendingPresentations_);
        host->pendingPresentations_.clear();
        for (auto& block : pending)
            block();
    });
}

std::shared_ptr<UIViewController> UIViewController::presentedViewController() const {
    for (auto c = std::const_pointer_cast<UIViewController>(
             std::static_pointer_cast<const UIViewController>(shared_from_this()));
         c; c = c->parent())
        if (c->presented_)
            return c->presented_;
    return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const {
    if (presentation_)
        if (auto host = presentation_->presentingViewController())
            return host;
    if (auto up = parent())
        return up->presentingViewController();
    return nullptr;
}

bool UIViewController::isBeingPresented() const {
    return presentation_ && presentation_->isPresenting();
}

bool UIViewController::isBeingDismissed() const {
    return presentation_ && presentation_->isDismissing();
}

// ---- Containment ----

void UIViewController::addChild(const std::shared_ptr<UIViewController>& child) {
    if (!child || child.get() == this)
        return;
    if (child->parent().get() == this)
        return;
    child->removeFromParent();
    child->willMoveToParent(this);
    children_.push_back(child);
    child->parent_ = sharedController();
}

void UIViewController::removeFromParent() {
    auto up = parent();
    if (!up)
        return;
    auto keep = sharedController();
    std::erase(up->children_, keep);
    parent_.reset();
    didMoveToParent(nullptr);
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
    for (auto c = parent(); c; c = c->parent())
        if (auto nav = std::dynamic_pointer_cast<UINavigationController>(c))
            return nav;
    return nullptr;
}

std::shared_ptr<UITabBarController> UIViewController::tabBarController() const {
    for (auto c = parent(); c; c = c->parent())
        if (auto tab = std::dynamic_pointer_cast<UITabBarController>(c))
            return tab;
    return nullptr;
}

std::shared_ptr<UINavigationItem> UIViewController::navigationItem() {
    if (!navigationItem_) {
        navigationItem_ = std::make_shared<UINavigationItem>();
        navigationItem_->title = title_;
    }
    return navigationItem_;
}

std::shared_ptr<UITabBarItem> UIViewController::tabBarItem() {
    if (!tabBarItem_) {
        tabBarItem_ = std::make_shared<UITabBarItem>();
        tabBarItem_->title = title_.value_or("");
    }
    return tabBarItem_;
}

// ---- Editing ----

void UIViewController::setEditing(bool editing, bool animated) {
    (void)animated;
    editing_ = editing;
    if (editButtonItem_) {
        editButtonItem_->systemItem =
            editing ? UIBarButtonSystemItem::done : UIBarButtonSystemItem::edit;
        editButtonItem_->style = editing ? UIBarButtonItemStyle::done : UIBarButtonItemStyle::plain;
        if (auto nav = navigationController())
            nav->navigationBar()->reloadItems();
    }
}

std::shared_ptr<UIBarButtonItem> UIViewController::editButtonItem() {
    if (!editButtonItem_) {
        std::weak_ptr<UIViewController> weak = sharedController();
        editButtonItem_ = UIBarButtonItem::make(editing_ ? UIBarButtonSystemItem::done
                                                         : UIBarButtonSystemItem::edit,
                                                [weak](UIBarButtonItem&) {
                                                    if (auto self = weak.lock())
                                                        self->setEditing(!self->isEditing(), true);
                                                });
    }
    return editButtonItem_;
}

// ---- Answers ----

uint32_t UIViewController::supportedInterfaceOrientations() const {
    if (UIDevice::current().userInterfaceIdiom() == UIUserInterfaceIdiom::pad)
        return UIInterfaceOrientationMaskAll;
    return UIInterfaceOrientationMaskAllButUpsideDown;
}

std::shared_ptr<UIWindow> UIViewController::viewWindow() const {
    return view_ ? UIWindow::of(view_) : nullptr;
}

std::shared_ptr<UIResponder> UIViewController::nextResponder() const {
    if (view_)
        if (auto super = view_->superview())
            return super;
    if (auto up = parent())
        return up;
    return presentingViewController();
}
