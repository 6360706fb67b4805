#include "Services/UNUserNotificationCenter.h"

UNUserNotificationCenter& UNUserNotificationCenter::current() {
    static UNUserNotificationCenter center;
    return center;
}

std::optional<uint32_t>
UNUserNotificationCenter::presentInForeground(const UNNotification& notification) {
    auto handler = delegate.lock();
    if (!handler)
        return std::nullopt;
    auto answer = std::make_shared<std::optional<uint32_t>>();
    handler->willPresentNotification(*this, notification,
                                     [answer](uint32_t options) { *answer = options; });
    return *answer;
}

bool UNUserNotificationCenter::deliverResponse(const UNNotificationResponse& response) {
    auto handler = delegate.lock();
    if (!handler)
        return false;
    auto completed = std::make_shared<bool>(false);
    handler->didReceiveNotificationResponse(*this, response, [completed] { *completed = true; });
    return *completed;
}
