#include "Foundation/RunLoop.h"
#include "Services/SKStoreReviewController.h"
#include "Services/UNUserNotificationCenter.h"

#include <gtest/gtest.h>

namespace {

struct Recorder : UNUserNotificationCenterDelegate {
    bool answers = true;
    int asked = 0;
    void willPresentNotification(UNUserNotificationCenter&, const UNNotification&,
                                 std::function<void(uint32_t)> completion) override {
        ++asked;
        if (answers)
            completion(UNNotificationPresentationOptionBanner |
                       UNNotificationPresentationOptionSound);
    }
};

} // namespace

TEST(UserNotificationsTests, ForegroundDeliveryReportsTheDelegatesAnswer) {
    auto& center = UNUserNotificationCenter::current();
    UNNotification notification{{"reminder", {"Title", "", "Body", std::nullopt, {}}}, Date::now()};
    EXPECT_FALSE(center.presentInForeground(notification));

    auto delegate = std::make_shared<Recorder>();
    center.delegate = delegate;
    EXPECT_EQ(center.presentInForeground(notification), 18u);
    delegate->answers = false;
    EXPECT_FALSE(center.presentInForeground(notification));
    EXPECT_EQ(delegate->asked, 2);
    // The base delegate completes responses at once.
    EXPECT_TRUE(center.deliverResponse({notification}));

    delegate.reset();
    EXPECT_FALSE(center.presentInForeground(notification));
}

TEST(StoreReviewTests, RequestsAreRecordedWithTheirTime) {
    SKStoreReviewController::clearRequests();
    RunLoop::main().advance(2);
    SKStoreReviewController::requestReviewInScene(nullptr);
    auto requests = SKStoreReviewController::requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_DOUBLE_EQ(requests[0].time, RunLoop::main().now());
    SKStoreReviewController::clearRequests();
    EXPECT_EQ(SKStoreReviewController::requestCount(), 0u);
}
