#include "Bootwell/UIViewController+Alerts.h"

#include "UIKit/UIApplication.h"
#include "UIKit/UIWindow.h"
#include "support/TouchHelpers.h"

#include <gtest/gtest.h>

namespace {

class AlertsTests : public ::testing::Test {
  protected:
    void SetUp() override {
        UIApplication::shared().reset();
        window->setRootViewController(screen);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
    void TearDown() override { UIApplication::shared().reset(); }

    std::shared_ptr<UIAlertController> shown() {
        RunLoop::main().runUntilIdle();
        RunLoop::main().advance(1);
        return std::dynamic_pointer_cast<UIAlertController>(screen->presentedViewController());
    }
    static std::vector<std::pair<std::string, UIAlertActionStyle>>
    buttons(const std::shared_ptr<UIAlertController>& alert) {
        std::vector<std::pair<std::string, UIAlertActionStyle>> out;
        for (const auto& action : alert->actions())
            out.emplace_back(action->title, action->style);
        return out;
    }

    std::shared_ptr<UIWindow> window = UIWindow::make();
    std::shared_ptr<UIViewController> screen = std::make_shared<UIViewController>();
};

using Buttons = std::vector<std::pair<std::string, UIAlertActionStyle>>;

} // namespace

TEST_F(AlertsTests, AlertWithoutActionTitleHasOnlyItsCancelButton) {
    int cancelled = 0;
    Bootwell::presentAlert(*screen, "Melodrift", "The format is not supported by Media Player.",
                           std::nullopt, nullptr, "Okay", [&](UIAlertAction&) { ++cancelled; });
    auto alert = shown();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyle::alert);
    EXPECT_EQ(alert->title(), "Melodrift");
    EXPECT_EQ(buttons(alert), (Buttons{{"Okay", UIAlertActionStyle::cancel}}));
    ASSERT_TRUE(tapAlertAction(alert, "Okay"));
    EXPECT_EQ(cancelled, 1);
    EXPECT_FALSE(screen->presentedViewController());
}

TEST_F(AlertsTests, CancelComesBeforeTheActionAndEachRunsItsOwnHandler) {
    std::string tapped;
    Bootwell::presentAlert(
        *screen, std::nullopt, std::nullopt, "Rename", [&](UIAlertAction& a) { tapped = a.title; },
        "Cancel");
    auto alert = shown();
    ASSERT_TRUE(alert);
    EXPECT_EQ(buttons(alert), (Buttons{{"Cancel", UIAlertActionStyle::cancel},
                                       {"Rename", UIAlertActionStyle::defaultStyle}}));
    ASSERT_TRUE(tapAlertAction(alert, "Rename"));
    EXPECT_EQ(tapped, "Rename");
}

TEST_F(AlertsTests, DestructiveAlertPutsCancelFirst) {
    bool destroyed = false;
    Bootwell::presentDestructiveAlert(
        *screen, "Delete?", std::nullopt, "Delete", [&](UIAlertAction&) { destroyed = true; },
        "Keep");
    auto alert = shown();
    ASSERT_TRUE(alert);
    EXPECT_EQ(buttons(alert), (Buttons{{"Keep", UIAlertActionStyle::cancel},
                                       {"Delete", UIAlertActionStyle::destructive}}));
    ASSERT_TRUE(tapAlertAction(alert, "Keep"));
    EXPECT_FALSE(destroyed);
}

TEST_F(AlertsTests, ActionSheetListsItsEntriesInOrderThenCancel) {
    Bootwell::presentActionSheet(*screen, std::nullopt, std::nullopt, {});
    auto empty = shown();
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->preferredStyle(), UIAlertControllerStyle::actionSheet);
    EXPECT_EQ(buttons(empty), (Buttons{{"Cancel", UIAlertActionStyle::cancel}}));
    ASSERT_TRUE(tapAlertAction(empty, "Cancel"));

    std::vector<std::string> tapped;
    Bootwell::presentActionSheet(*screen, "Sort", "By what?",
                                 {{"Name", [&](UIAlertAction&) { tapped.push_back("Name"); }},
                                  {"Date", [&](UIAlertAction&) { tapped.push_back("Date"); }}});
    auto sheet = shown();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(buttons(sheet), (Buttons{{"Name", UIAlertActionStyle::defaultStyle},
                                       {"Date", UIAlertActionStyle::defaultStyle},
                                       {"Cancel", UIAlertActionStyle::cancel}}));
    ASSERT_TRUE(tapAlertAction(sheet, "Date"));
    EXPECT_EQ(tapped, std::vector<std::string>{"Date"});
}
