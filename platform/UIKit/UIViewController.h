#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIInterfaceError.h"
#include "UIKit/UIInterfaceOrientation.h"
#include "UIKit/UIResponder.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Bundle;
class UIBarButtonItem;
class UINavigationController;
class UINavigationItem;
class UIPopoverPresentationController;
class UIPresentationController;
class UIStoryboard;
class UITabBarController;
class UIView;
class UIWindow;
struct UITabBarItem;

enum class UIModalPresentationStyle {
    automatic = -2,
    none = -1,
    fullScreen = 0,
    pageSheet = 1,
    formSheet = 2,
    currentContext = 3,
    custom = 4,
    overFullScreen = 5,
    overCurrentContext = 6,
    popover = 7,
};

enum class UIModalTransitionStyle {
    coverVertical = 0,
    flipHorizontal = 1,
    crossDissolve = 2,
    partialCurl = 3
};

// Where a controller stands in its appearance: between will- and did-appear it is appearing.
enum class UIAppearanceState { disappeared, appearing, appeared, disappearing };

// A screen: it owns a view, made on first access (from its storyboard scene, its interface file
// or `loadView`), and hears when that view appears and disappears. Controllers present others
// modally, sit in containers (navigation and tab bar controllers) and answer questions about
// the status bar and orientation. Controllers live in std::shared_ptr.
//
// Appearance follows the platform's rules: a full-screen presentation makes the presenter
// disappear and, on dismissal, reappear; page sheets, form sheets, over-current-context,
// custom and popover presentations leave the presenter on screen and send it nothing.
// Animated transitions take `transitionDuration` on the main run loop's clock.
class UIViewController : public UIResponder {
  public:
    using Completion = std::function<void()>;

    UIViewController();
    // The view comes from the interface file `nibName` (in `bundle`, the main one when null),
    // loaded with the controller as owner when the view is first needed.
    explicit UIViewController(std::string nibName, const Bundle* bundle = nullptr);
    ~UIViewController() override;

    static constexpr double transitionDuration = 0.3;

    // The view.
    std::shared_ptr<UIView> view();
    std::shared_ptr<UIView> viewIfLoaded() const { return view_; }
    bool isViewLoaded() const { return view_ != nullptr; }
    void loadViewIfNeeded();
    void setView(std::shared_ptr<UIView> view);
    // Makes the view: from the storyboard scene or interface file when there is one, else a
    // plain view the size of the screen. Overrides set the view with setView.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }
    virtual void viewWillLayoutSubviews() {}
    virtual void viewDidLayoutSubviews() {}
    // Called once a storyboard has made the controller (before its view is loaded).
    virtual void awakeFromNib() {}
    const std::string& nibName() const { return nibName_; }

    std::optional<std::string> title() const { return title_; }
    void setTitle(std::optional<std::string> title);

    // Appearance, as containers and presentations drive it. Repeated calls in the same
    // direction are ignored, so a controller hears each callback once per transition.
    UIAppearanceState appearanceState() const { return appearance_; }
    bool isOnScreen() const {
        return appearance_ == UIAppearanceState::appearing ||
               appearance_ == UIAppearanceState::appeared;
    }
    void beginAppearanceTransition(bool isAppearing, bool animated);
    void endAppearanceTransition();
    // The children that appear with this controller (all children; containers override).
    virtual std::vector<std::shared_ptr<UIViewController>> childrenForAppearance() const {
        return children_;
    }

    // Modal presentation.
    UIModalPresentationStyle modalPresentationStyle = UIModalPresentationStyle::automatic;
    UIModalTransitionStyle modalTransitionStyle = UIModalTransitionStyle::coverVertical;
    bool definesPresentationContext = false;
    bool isModalInPresentation = false;
    CGSize preferredContentSize;
    // Presents from the controller that handles presentations for this one (its outermost
    // container, or the nearest that defines the context for over-current-context). A
    // presenter already showing a controller refuses with a console line; one in the middle
    // of a dismissal presents once that dismissal has ended.
    void present(const std::shared_ptr<UIViewController>& controller, bool animated,
                 Completion completion = nullptr);
    // Dismisses what this controller presented, or, when it presented nothing, this
    // controller's own presentation (or its container's). Ignored while one is running.
    void dismiss(bool animated, Completion completion = nullptr);
    std::shared_ptr<UIViewController> presentedViewController() const;
    std::shared_ptr<UIViewController> presentingViewController() const;
    bool isBeingPresented() const;
    bool isBeingDismissed() const;
    // The style a presentation would use now (automatic becomes page sheet; a popover on a
    // phone becomes a page sheet).
    UIModalPresentationStyle effectivePresentationStyle() const;
    // The popover's anchor, made on first use while the effective style is popover.
    std::shared_ptr<UIPopoverPresentationController> popoverPresentationController();
    std::shared_ptr<UIPresentationController> presentationController() const {
        return presentation_;
    }

    // Containment.
    std::shared_ptr<UIViewController> parent() const { return parent_.lock(); }
    const std::vector<std::shared_ptr<UIViewController>>& children() const { return children_; }
    void addChild(const std::shared_ptr<UIViewController>& child);
    void removeFromParent();
    virtual void willMoveToParent(UIViewController* parent) { (void)parent; }
    virtual void didMoveToParent(UIViewController* parent) { (void)parent; }
    std::shared_ptr<UINavigationController> navigationController() const;
    std::shared_ptr<UITabBarController> tabBarController() const;
    std::shared_ptr<UIStoryboard> storyboard() const { return storyboard_; }
    void setStoryboard(std::shared_ptr<UIStoryboard> storyboard) {
        storyboard_ = std::move(storyboard);
    }

    std::shared_ptr<UINavigationItem> navigationItem();
    std::shared_ptr<UITabBarItem> tabBarItem();
    bool hidesBottomBarWhenPushed = false;

    // Editing.
    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);
    // A bar button that toggles editing, titled "Edit" or "Done".
    std::shared_ptr<UIBarButtonItem> editButtonItem();

    // Status bar and orientation answers.
    virtual bool prefersStatusBarHidden() const { return false; }
    virtual UIStatusBarStyle preferredStatusBarStyle() const {
        return UIStatusBarStyle::defaultStyle;
    }
    virtual bool shouldAutorotate() const { return true; }
    virtual uint32_t supportedInterfaceOrientations() const;
    virtual UIInterfaceOrientation preferredInterfaceOrientationForPresentation() const {
        return UIInterfaceOrientation::portrait;
    }

    // The window the view is in, or none.
    std::shared_ptr<UIWindow> viewWindow() const;

    // The view's superview, else the parent, else the presenter.
    std::shared_ptr<UIResponder> nextResponder() const override;

    std::shared_ptr<UIViewController> sharedController() {
        return std::static_pointer_cast<UIViewController>(shared_from_this());
    }

    // Storyboards and interface files: what builds the view on first access.
    using ViewLoader = std::function<void(UIViewController& controller)>;
    void setViewLoader(ViewLoader loader) { viewLoader_ = std::move(loader); }
    bool loadsFromInterface() const { return viewLoader_ || !nibName_.empty(); }

  private:
    friend class UIPresentationController;
    std::shared_ptr<UIViewController> presentationHost(UIModalPresentationStyle style);
    std::shared_ptr<UIViewController> outermostContainer();
    void setPresented(std::shared_ptr<UIViewController> controller) {
        presented_ = std::move(controller);
    }
    void setPresentation(std::shared_ptr<UIPresentationController> presentation) {
        presentation_ = std::move(presentation);
    }

    std::shared_ptr<UIView> view_;
    std::string nibName_;
    const Bundle* nibBundle_ = nullptr;
    ViewLoader viewLoader_;
    std::optional<std::string> title_;
    UIAppearanceState appearance_ = UIAppearanceState::disappeared;
    bool appearanceAnimated_ = false;
    std::weak_ptr<UIViewController> parent_;
    std::vector<std::shared_ptr<UIViewController>> children_;
    std::shared_ptr<UIViewController> presented_;
    std::shared_ptr<UIPresentationController> presentation_;
    std::vector<std::function<void()>> pendingPresentations_;
    std::shared_ptr<UIStoryboard> storyboard_;
    std::shared_ptr<UINavigationItem> navigationItem_;
    std::shared_ptr<UITabBarItem> tabBarItem_;
    std::shared_ptr<UIBarButtonItem> editButtonItem_;
    bool editing_ = false;
};
