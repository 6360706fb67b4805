#pragma once

#include "UIKit/UITouch.h"
#include "UIKit/UIView.h"

#include <memory>
#include <string>
#include <vector>

class UITouchDispatcher;
class UIViewController;
class UIWindowScene;

// The root of what is on screen: it shows its root controller's view and, above it, the views
// of presented controllers. A window starts hidden; makeKeyAndVisible shows it (the root
// controller appears) and makes it the key window. The window's frame is the device's screen
// (390 × 844 on a phone, 820 × 1180 on a pad) and its safe area the device's.
//
// Touches and keys come in here, from the desktop window or from tests: sendTouch routes a
// finger by hit-testing, sendText types into the first responder.
class UIWindow : public UIView {
  public:
    UIWindow();
    explicit UIWindow(const CGRect& frame);
    ~UIWindow() override;
    static std::shared_ptr<UIWindow> make();
    static std::shared_ptr<UIWindow> make(const std::shared_ptr<UIWindowScene>& scene);

    std::shared_ptr<UIViewController> rootViewController() const { return root_; }
    void setRootViewController(std::shared_ptr<UIViewController> controller);

    void makeKeyAndVisible();
    void makeKey();
    bool isKeyWindow() const { return key_; }
    std::shared_ptr<UIWindowScene> windowScene() const { return scene_.lock(); }
    void setWindowScene(const std::shared_ptr<UIWindowScene>& scene);

    // The controller the user sees on top: the root, then each presented controller in turn.
    std::shared_ptr<UIViewController> topPresentedController() const;

    // One finger, in window coordinates. A touch that begins goes to the view hit at that point.
    void sendTouch(UITouchPhase phase, CGPoint point);
    // Down and up at one point.
    void tap(CGPoint point);
    // Down at `from`, moves in `steps`, up at `to`.
    void drag(CGPoint from, CGPoint to, int steps = 10);
    // Typed text, backspace and return go to the first responder when it takes text.
    bool sendText(const std::string& text);
    bool sendBackspace();
    bool sendReturn();

    // The window a view is in, or none.
    static std::shared_ptr<UIWindow> of(const std::shared_ptr<UIView>& view);
    // Windows that are alive, in the order they were made.
    static std::vector<std::shared_ptr<UIWindow>> allWindows();

  private:
    friend class UIApplication;
    void setKey(bool key) { key_ = key; }
    UITouchDispatcher& dispatcher();

    std::shared_ptr<UIViewController> root_;
    std::weak_ptr<UIWindowScene> scene_;
    std::unique_ptr<UITouchDispatcher> dispatcher_;
    bool key_ = false;
};
