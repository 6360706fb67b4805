#pragma once

#include "Services/UNNotification.h"
#include "Services/UNUserNotificationCenterDelegate.h"

#include <cstdint>
#include <memory>
#include <optional>

// The application's notification centre. Its delegate is held weakly, as on the phone.
// Delivery asks the delegate and reports its answer; showing the notification on the desktop
// is the notifier's business.
class UNUserNotificationCenter {
  public:
    static UNUserNotificationCenter& current();

    std::weak_ptr<UNUserNotificationCenterDelegate> delegate;

    // Delivers a notification while the application is in front: the options the delegate
    // answered with, or none when there is no delegate or it has not answered (yet).
    std::optional<uint32_t> presentInForeground(const UNNotification& notification);
    // Hands the user's response to the delegate; true once the delegate has called its
    // completion handler.
    bool deliverResponse(const UNNotificationResponse& response);

  private:
    UNUserNotificationCenter() = default;
};
