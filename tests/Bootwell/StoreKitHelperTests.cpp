#include "Bootwell/StoreKitHelper.h"
#include "Bootwell/UIApplication+KeyWindow.h"

#include "Foundation/RunLoop.h"
#include "Foundation/UserDefaults.h"
#include "Services/SKStoreReviewController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIWindow.h"
#include "UIKit/UIWindowScene.h"

#include <gtest/gtest.h>

namespace {

class StoreKitHelperTests : public ::testing::Test {
  protected:
    void SetUp() override {
        UIApplication::shared().reset();
        SKStoreReviewController::clearRequests();
        scene->activationState = UISceneActivationState::foregroundActive;
        UIApplication::shared().connectScene(scene);
    }
    void TearDown() override { UIApplication::shared().reset(); }

    int64_t storedCount() const {
        return UserDefaults::standard().integer(Bootwell::StoreKitHelper::launchCountKey);
    }
    // One launch: the count, then whatever the main queue was given.
    size_t launch() {
        Bootwell::StoreKitHelper::countLaunch();
        RunLoop::main().runUntilIdle();
        return SKStoreReviewController::requestCount();
    }

    std::shared_ptr<UIWindowScene> scene = UIWindowScene::make();
};

} // namespace

TEST_F(StoreKitHelperTests, EveryThirdLaunchAsksForAReviewAndStartsCountingAgain) {
    struct Step {
        int64_t count;
        size_t requests;
    };
    const Step steps[] = {{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(launch(), steps[i].requests) << "launch " << i + 1;
        EXPECT_EQ(storedCount(), steps[i].count) << "launch " << i + 1;
    }
    EXPECT_EQ(SKStoreReviewController::requests()[0].scene.lock(), scene);
}

TEST_F(StoreKitHelperTests, CountIsResetBeforeThePromptRuns) {
    UserDefaults::standard().set(Bootwell::StoreKitHelper::launchCountKey, int64_t(10));
    Bootwell::StoreKitHelper::countLaunch();
    EXPECT_EQ(storedCount(), 0);
    EXPECT_EQ(SKStoreReviewController::requestCount(), 0u);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(SKStoreReviewController::requestCount(), 1u);
}

TEST_F(StoreKitHelperTests, WithoutAForegroundActiveWindowSceneTheRequestIsDropped) {
    scene->activationState = UISceneActivationState::background;
    UserDefaults::standard().set(Bootwell::StoreKitHelper::launchCountKey, int64_t(2));
    EXPECT_EQ(launch(), 0u);
    EXPECT_EQ(storedCount(), 0);
    UIApplication::shared().reset();
    Bootwell::StoreKitHelper::requestReview();
    EXPECT_EQ(SKStoreReviewController::requestCount(), 0u);
}

TEST_F(StoreKitHelperTests, KeyWindowIsTheFirstKeyWindowOfTheConnectedScenes) {
    EXPECT_FALSE(Bootwell::keyWindow());
    auto other = UIWindowScene::make();
    UIApplication::shared().connectScene(other);
    auto plain = UIWindow::make(scene);
    auto key = UIWindow::make(other);
    EXPECT_FALSE(Bootwell::keyWindow());
    key->makeKeyAndVisible();
    EXPECT_EQ(Bootwell::keyWindow(), key);
}
