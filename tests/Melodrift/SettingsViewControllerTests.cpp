#include "Melodrift/ListCustomTableViewCell.h"
#include "Melodrift/SettingsViewController.h"

#include "UIKit/UIApplication.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIStoryboard.h"
#include "UIKit/UITableView.h"
#include "UIKit/UIWindow.h"
#include "support/UIHarness.h"

#include <gtest/gtest.h>

TEST(SettingsViewControllerTests, EachLinkRowOpensItsPageAndIsDeselected) {
    UIHarness ui;
    ui.launchStoryboard("Main", "SettingsViewController");
    auto settings = std::dynamic_pointer_cast<SettingsViewController>(ui.topController());
    ASSERT_TRUE(settings);
    auto table = settings->tableView();
    ASSERT_EQ(table->numberOfRows(SettingsViewController::linksSection), 7);
    for (int row = 0; row < 7; ++row) {
        IndexPath path(row, SettingsViewController::linksSection);
        auto cell = std::dynamic_pointer_cast<ListCustomTableViewCell>(table->cellForRow(path));
        ASSERT_TRUE(cell) << row;
        ASSERT_TRUE(cell->menuListLabel.lock()) << row;
        EXPECT_FALSE(UIHarness::text(cell->menuListLabel.lock()).empty());
        ui.tapRow(table, path);
        EXPECT_TRUE(table->indexPathsForSelectedRows().empty());
    }
    const auto& opened = UIApplication::shared().openedURLs();
    ASSERT_EQ(opened.size(), 7u);
    for (size_t i = 0; i < opened.size(); ++i)
        EXPECT_EQ(opened[i].absoluteString(), SettingsViewController::links()[i]);
}

TEST(SettingsViewControllerTests, SettingsOpenFromTheFirstScreenAndBackDismissesThem) {
    UIHarness ui;
    ui.launchStoryboard("Main");
    ui.tapButton("Settings");
    auto navigation = std::dynamic_pointer_cast<UINavigationController>(ui.topController());
    ASSERT_TRUE(navigation);
    ASSERT_TRUE(
        std::dynamic_pointer_cast<SettingsViewController>(navigation->viewControllers()[0]));
    ui.tapButton("Back");
    EXPECT_FALSE(ui.window()->rootViewController()->presentedViewController());
}

TEST(MainStoryboardTests, EveryScreenTheAppOpensByIdentifierIsThere) {
    EXPECT_EQ(loadEveryScene("Main"), std::vector<std::string>{});
    auto storyboard = UIStoryboard::make("Main");
    for (const char* identifier :
         {"will_convert_nav", "folder_in", "folder_in2", "move_view", "AudioPlayerViewController",
          "TrimViewController", "player", "SettingsViewController"})
        EXPECT_NO_THROW(storyboard->instantiateViewController(identifier)) << identifier;
    EXPECT_TRUE(storyboard->instantiateInitialViewController());
}
