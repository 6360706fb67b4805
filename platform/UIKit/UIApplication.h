#pragma once

#include "Foundation/URL.h"
#include "UIKit/UIResponder.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class UIApplicationDelegate;
class UIScene;
class UIWindow;
class UIWindowScene;

enum class UIApplicationState { active, inactive, background };

// The running application: its delegate, scenes and windows, the idle timer, opening links
// and remote-control events. Opening a link goes to a pluggable opener (the desktop hands it
// to the default browser); every opened address is also recorded for tests.
class UIApplication : public UIResponder {
  public:
    static UIApplication& shared();

    std::shared_ptr<UIApplicationDelegate> delegate;

    // Start-up: one window scene, a window with the initial controller of the main storyboard
    // (Info "UIMainStoryboardFile", else "Main", when that storyboard exists), the delegate's
    // didFinishLaunching, then the window made key and visible and the scene active.
    bool launch(std::shared_ptr<UIApplicationDelegate> delegate,
                const std::map<std::string, std::string>& options = {});
    // Resolves every colour in the appearance the Info file asks for ("UIUserInterfaceStyle":
    // "Dark" or "Light"); launch does this first.
    static void adoptPreferredAppearance();
    // Forgets scenes, windows, recorded links and flags (tests that launch twice).
    void reset();

    UIApplicationState applicationState() const { return state_; }

    bool isIdleTimerDisabled() const { return idleTimerDisabled_; }
    void setIdleTimerDisabled(bool disabled);
    // Called when the idle timer is switched (the desktop window inhibits the screen saver).
    std::function<void(bool disabled)> onIdleTimerChange;

    using OpenCompletion = std::function<void(bool success)>;
    void open(const URL& url, const std::map<std::string, std::string>& options = {},
              OpenCompletion completion = nullptr);
    bool canOpenURL(const URL& url) const;
    // Opens a link for real; by default nothing is opened and the answer is true.
    std::function<bool(const URL& url)> urlOpener;
    // Which links may be opened; by default web, mail, telephone and file links.
    std::function<bool(const URL& url)> urlChecker;
    const std::vector<URL>& openedURLs() const { return opened_; }
    static constexpr const char* openSettingsURLString = "app-settings:";

    void beginReceivingRemoteControlEvents() { remoteControl_ = true; }
    void endReceivingRemoteControlEvents() { remoteControl_ = false; }
    bool isReceivingRemoteControlEvents() const { return remoteControl_; }

    const std::vector<std::shared_ptr<UIScene>>& connectedScenes() const { return scenes_; }
    void connectScene(const std::shared_ptr<UIScene>& scene);
    void disconnectScene(const std::shared_ptr<UIScene>& scene);
    // The windows of the connected window scenes, in scene order.
    std::vector<std::shared_ptr<UIWindow>> windows() const;
    std::shared_ptr<UIWindow> keyWindow() const;

  private:
    friend class UIWindow;
    UIApplication() = default;
    void setKeyWindow(const std::shared_ptr<UIWindow>& window);

    UIApplicationState state_ = UIApplicationState::inactive;
    bool idleTimerDisabled_ = false;
    bool remoteControl_ = false;
    std::vector<URL> opened_;
    std::vector<std::shared_ptr<UIScene>> scenes_;
    std::weak_ptr<UIWindow> keyWindow_;
};

// Runs the application: launch with the delegate, then the main run loop until it stops.
int UIApplicationMain(int argc, char** argv, std::shared_ptr<UIApplicationDelegate> delegate);
