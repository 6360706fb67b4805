#pragma once

#include <map>
#include <memory>
#include <string>

class UIApplication;
class UIWindow;

// What the application tells its delegate about its life.
class UIApplicationDelegate {
  public:
    virtual ~UIApplicationDelegate() = default;

    // The application's window, set at launch from the main storyboard.
    std::shared_ptr<UIWindow> window;

    virtual bool didFinishLaunchingWithOptions(UIApplication& application,
                                               const std::map<std::string, std::string>& options) {
        (void)application;
        (void)options;
        return true;
    }
    virtual void applicationDidBecomeActive(UIApplication&) {}
    virtual void applicationWillResignActive(UIApplication&) {}
    virtual void applicationDidEnterBackground(UIApplication&) {}
    virtual void applicationWillEnterForeground(UIApplication&) {}
    virtual void applicationWillTerminate(UIApplication&) {}
};
