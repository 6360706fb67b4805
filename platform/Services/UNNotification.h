#pragma once

#include "Foundation/Date.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// How a notification that arrives while the application is in front is shown, as bits.
enum UNNotificationPresentationOptions : uint32_t {
    UNNotificationPresentationOptionNone = 0,
    UNNotificationPresentationOptionBadge = 1 << 0,
    UNNotificationPresentationOptionSound = 1 << 1,
    UNNotificationPresentationOptionAlert = 1 << 2,
    UNNotificationPresentationOptionList = 1 << 3,
    UNNotificationPresentationOptionBanner = 1 << 4,
};

struct UNNotificationContent {
    std::string title;
    std::string subtitle;
    std::string body;
    std::optional<int64_t> badge;
    nlohmann::json userInfo = nlohmann::json::object();
};

struct UNNotificationRequest {
    std::string identifier;
    UNNotificationContent content;
};

// A notification as it is delivered.
struct UNNotification {
    UNNotificationRequest request;
    Date date;
};

// What the user did with a delivered notification.
struct UNNotificationResponse {
    static constexpr const char* defaultActionIdentifier =
        "com.apple.UNNotificationDefaultActionIdentifier";
    static constexpr const char* dismissActionIdentifier =
        "com.apple.UNNotificationDismissActionIdentifier";

    UNNotification notification;
    std::string actionIdentifier = defaultActionIdentifier;
};
