#pragma once

#include "Services/UNNotification.h"

#include <cstdint>
#include <functional>

class UNUserNotificationCenter;

// Answers the notification centre's questions about delivered notifications.
class UNUserNotificationCenterDelegate {
  public:
    virtual ~UNUserNotificationCenterDelegate() = default;

    // A notification arrived while the application is in front: answer how to show it
    // (UNNotificationPresentationOptions bits). Without an answer it is not shown.
    virtual void willPresentNotification(UNUserNotificationCenter& center,
                                         const UNNotification& notification,
                                         std::function<void(uint32_t options)> completionHandler) {
        (void)center, (void)notification;
        completionHandler(UNNotificationPresentationOptionNone);
    }
    // The user opened or dismissed a notification.
    virtual void didReceiveNotificationResponse(UNUserNotificationCenter& center,
                                                const UNNotificationResponse& response,
                                                std::function<void()> completionHandler) {
        (void)center, (void)response;
        completionHandler();
    }
};
