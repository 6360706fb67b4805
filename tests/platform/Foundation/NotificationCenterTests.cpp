#include "Foundation/NotificationCenter.h"

#include <gtest/gtest.h>

TEST(NotificationCenterTests, DeliversByNameAndSkipsObserversThatWentAway) {
    NotificationCenter center;
    int heard = 0, other = 0, dead = 0;
    auto observer = std::make_shared<int>(1);
    center.addObserver(observer, "trimDone", [&](const Notification& n) {
        EXPECT_EQ(n.name, "trimDone");
        EXPECT_EQ(n.object, nullptr);
        ++heard;
    });
    center.addObserver(observer, "other", [&](const Notification&) { ++other; });
    {
        auto shortLived = std::make_shared<int>(2);
        center.addObserver(shortLived, "trimDone", [&](const Notification&) { ++dead; });
    }
    center.post("trimDone");
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(dead, 0);

    center.removeObserver(observer.get());
    center.post("trimDone");
    center.post("other");
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(other, 0);
}

TEST(NotificationCenterTests, AnObjectFilterRestrictsDelivery) {
    NotificationCenter center;
    int sender = 0, stranger = 0, heard = 0;
    auto observer = std::make_shared<int>(1);
    center.addObserver(
        observer, "n", [&](const Notification&) { ++heard; }, &sender);
    center.post("n", &stranger);
    center.post("n", &sender);
    EXPECT_EQ(heard, 1);
}

TEST(NotificationCenterTests, HandlerMayRemoveItself) {
    NotificationCenter center;
    auto observer = std::make_shared<int>(1);
    int heard = 0;
    center.addObserver(observer, "n", [&](const Notification&) {
        ++heard;
        center.removeObserver(observer.get());
    });
    center.post("n");
    center.post("n");
    EXPECT_EQ(heard, 1);
}
