#include "Melodrift/AppDelegate.h"

#include "Bootwell/NewWelcomeScreenVC.h"
#include "Bootwell/SettingsManager.h"
#include "Foundation/RunLoop.h"
#include "Foundation/UserDefaults.h"
#include "Services/KeyboardAvoidanceManager.h"
#include "Services/SKStoreReviewController.h"
#include "Services/UNUserNotificationCenter.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIWindow.h"
#include "support/TouchHelpers.h"

#include <gtest/gtest.h>

namespace {

class AppDelegateTests : public ::testing::Test {
  protected:
    void SetUp() override { SKStoreReviewController::clearRequests(); }
    void TearDown() override {
        UIApplication::shared().reset();
        KeyboardAvoidanceManager::shared().setEnabled(false);
    }

    // One process launch: a fresh application and delegate.
    std::shared_ptr<AppDelegate> launch() {
        UIApplication::shared().reset();
        auto delegate = std::make_shared<AppDelegate>();
        EXPECT_TRUE(UIApplication::shared().launch(delegate));
        RunLoop::main().runUntilIdle();
        RunLoop::main().advance(2);
        return delegate;
    }
};

} // namespace

TEST_F(AppDelegateTests, FirstLaunchShowsTheWelcomeWithTheAppsContent) {
    auto delegate = launch();
    EXPECT_TRUE(UIApplication::shared().isIdleTimerDisabled());
    EXPECT_TRUE(KeyboardAvoidanceManager::shared().isEnabled());
    EXPECT_EQ(UserDefaults::standard().integer("number0fTimesLaunched"), 1);
    EXPECT_EQ(SKStoreReviewController::requestCount(), 0u);

    ASSERT_TRUE(delegate->window);
    auto welcome = std::dynamic_pointer_cast<Bootwell::NewWelcomeScreenVC>(
        delegate->window->rootViewController());
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(delegate->window->isKeyWindow());
    EXPECT_EQ(welcome->titleLabel()->text(), "Welcome to Melodrift");
    EXPECT_EQ(welcome->descLabel()->text(), "Where all your audio files're set to be converted");
    const auto& model = welcome->screenModel;
    EXPECT_EQ(model.title.back(), "Let's tune your experience");
    EXPECT_EQ(model.description.back().back(), ' ');
    EXPECT_EQ(model.continueButtonColor.back(), UIColor::systemBlue());
    EXPECT_EQ(model.gradientColors.front(), UIColor::rgba(0.0824, 0.1804, 0.3608, 1));

    // "Continue", then "Let's Start": the storyboard's first screen takes over for good.
    ASSERT_TRUE(tapView(welcome->continueButton()));
    EXPECT_EQ(welcome->continueButton()->currentTitle(), "Let's Start");
    ASSERT_TRUE(tapView(welcome->continueButton()));
    EXPECT_TRUE(Bootwell::SettingsManager::isFirstOpen());
    auto home = delegate->window->rootViewController();
    EXPECT_FALSE(std::dynamic_pointer_cast<Bootwell::NewWelcomeScreenVC>(home));

    auto next = launch();
    ASSERT_TRUE(next->window);
    EXPECT_FALSE(std::dynamic_pointer_cast<Bootwell::NewWelcomeScreenVC>(
        next->window->rootViewController()));
    EXPECT_EQ(next->window->rootViewController()->className(), home->className());
}

TEST_F(AppDelegateTests, EveryThirdLaunchRecordsAReviewRequest) {
    launch();
    launch();
    EXPECT_EQ(SKStoreReviewController::requestCount(), 0u);
    launch();
    EXPECT_EQ(SKStoreReviewController::requestCount(), 1u);
    EXPECT_EQ(UserDefaults::standard().integer("number0fTimesLaunched"), 0);
    launch();
    EXPECT_EQ(UserDefaults::standard().integer("number0fTimesLaunched"), 1);
}

TEST_F(AppDelegateTests, NotificationsInFrontShowAsInTheBackground) {
    auto delegate = std::make_shared<AppDelegate>();
    UNUserNotificationCenter::current().delegate = delegate;
    UNNotification notification{{"id", {"Reminder", "", "Come back", std::nullopt, {}}},
                                Date::now()};
    EXPECT_EQ(UNUserNotificationCenter::current().presentInForeground(notification), 27u);
    EXPECT_TRUE(UNUserNotificationCenter::current().deliverResponse({notification}));
}
