#pragma once

#include "Bootwell/ScreenModel.h"
#include "Services/UNUserNotificationCenterDelegate.h"
#include "UIKit/UIApplicationDelegate.h"
#include "UIKit/UIResponder.h"

// The application delegate: the start-up sequence, and the notification centre's questions.
class AppDelegate : public UIResponder,
                    public UIApplicationDelegate,
                    public UNUserNotificationCenterDelegate {
  public:
    // The welcome screen's texts and colours.
    static Bootwell::ScreenModel welcomeContent();

    // Idle timer off, the launch counted, keyboard avoidance on, the welcome screen offered.
    bool didFinishLaunchingWithOptions(UIApplication& application,
                                       const std::map<std::string, std::string>& options) override;

    // Shown in front as in the background: banner, list, sound and badge.
    void willPresentNotification(UNUserNotificationCenter& center,
                                 const UNNotification& notification,
                                 std::function<void(uint32_t options)> completionHandler) override;
    void didReceiveNotificationResponse(UNUserNotificationCenter& center,
                                        const UNNotificationResponse& response,
                                        std::function<void()> completionHandler) override;
};
