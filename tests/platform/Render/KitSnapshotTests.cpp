#include "Render/GalleryScreen.h"
#include "Render/Snapshot.h"
#include "UIKit/UIAlertController.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UILabel.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIPopoverPresentationController.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UITableView.h"
#include "UIKit/UITableViewController.h"
#include "UIKit/UIWindow.h"
#include "support/UIHarness.h"

#include <gtest/gtest.h>

namespace {

using Pixel = SnapshotImage::Pixel;

int brightness(Pixel p) {
    return (p.r + p.g + p.b) / 3;
}

// A plain white screen, so dimming and panels show plainly.
std::shared_ptr<UIViewController> whiteScreen() {
    auto controller = std::make_shared<UIViewController>();
    controller->view()->setBackgroundColor(UIColor::white());
    return controller;
}

class KitSnapshotTest : public ::testing::Test {
  protected:
    void SetUp() override { Snapshot::prepare(); }
    UIHarness harness;
};

TEST_F(KitSnapshotTest, AlertDimsTheScreenBehindARoundedPanel) {
    auto screen = whiteScreen();
    auto window = harness.launch(screen);
    int before = brightness(Snapshot::image(*window).pixelAt({20, 100}));

    auto alert = UIAlertController::make("Create Folder", "Name the new folder",
                                         UIAlertControllerStyle::alert);
    alert->addAction(UIAlertAction::make("Cancel", UIAlertActionStyle::cancel));
    alert->addAction(UIAlertAction::make("Create", UIAlertActionStyle::defaultStyle));
    screen->present(alert, true);
    harness.settle();

    auto image = Snapshot::image(*window);
    EXPECT_LT(brightness(image.pixelAt({20, 100})), before - 30); // the dimmed backdrop
    CGRect box = alert->contentView()->convertRectTo(alert->contentView()->bounds(), nullptr);
    EXPECT_GT(brightness(image.pixelAt(box.center())), brightness(image.pixelAt({20, 100})));
    // Rounded: the panel's corner pixel is backdrop, a point further in is panel.
    EXPECT_EQ(image.pixelAt({box.minX() + 1, box.minY() + 1}), image.pixelAt({20, 100}));
    // The title's ink lies inside the panel.
    CGRect title = alert->titleLabel()->convertRectTo(alert->titleLabel()->bounds(), nullptr);
    EXPECT_GT(image.countDiffering(title, image.pixelAt({box.minX() + 4, title.midY()})), 30);
}

TEST_F(KitSnapshotTest, ActionSheetSetsItsCancelButtonApart) {
    auto screen = whiteScreen();
    auto window = harness.launch(screen);
    auto sheet =
        UIAlertController::make(std::nullopt, std::nullopt, UIAlertControllerStyle::actionSheet);
    sheet->addAction(UIAlertAction::make("Rename", UIAlertActionStyle::defaultStyle));
    sheet->addAction(UIAlertAction::make("Delete", UIAlertActionStyle::destructive));
    sheet->addAction(UIAlertAction::make("Cancel", UIAlertActionStyle::cancel));
    screen->present(sheet, true);
    harness.settle();

    auto image = Snapshot::image(*window);
    auto cancel = sheet->buttonFor(*sheet->action("Cancel"));
    CGRect c = cancel->convertRectTo(cancel->bounds(), nullptr);
    Pixel backdrop = image.pixelAt({4, 100});
    // The strip just above the cancel panel shows the dimmed screen, not a panel.
    EXPECT_EQ(image.pixelAt({c.midX() + 60, c.minY() - 4}), backdrop);
    EXPECT_NE(image.pixelAt({c.midX() + 60, c.midY()}), backdrop);
}

TEST_F(KitSnapshotTest, SelectedRowShowsItsSelectionBackground) {
    auto list = GalleryScreen::makeList(8);
    auto window = harness.launch(list);
    auto nav = std::dynamic_pointer_cast<UINavigationController>(list);
    ASSERT_TRUE(nav);
    auto table = std::dynamic_pointer_cast<UITableViewController>(nav->topViewController());
    ASSERT_TRUE(table);
    auto view = table->tableView();
    auto cell = view->cellForRow({2, 0});
    ASSERT_TRUE(cell);
    CGRect row = cell->convertRectTo(cell->bounds(), nullptr);
    CGPoint blank{row.maxX() - 60, row.minY() + 4}; // away from text and chevron
    Pixel plain = Snapshot::image(*window).pixelAt(blank);

    view->selectRow(IndexPath(2, 0), false, UITableViewScrollPosition::none);
    auto image = Snapshot::image(*window);
    Pixel selected = image.pixelAt(blank);
    EXPECT_LT(brightness(selected), brightness(plain) - 10);
    // Only that row: the next one keeps the plain background.
    EXPECT_EQ(image.pixelAt({blank.x, row.maxY() + 4}), plain);
}

} // namespace

namespace {

// On the pad an action sheet is a small popover panel; the screen around it is not dimmed and
// its buttons answer taps.
TEST_F(KitSnapshotTest, PadActionSheetIsACentredPanelWhoseButtonsWork) {
    UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::pad);
    UIScreen::main().configure({820, 1180}, 2);
    auto screen = whiteScreen();
    auto window = harness.launch(screen);
    auto sheet = UIAlertController::make(std::string(), std::string("song.mp3"),
                                         UIAlertControllerStyle::actionSheet);
    bool played = false;
    sheet->addAction(UIAlertAction::make("Play", UIAlertActionStyle::defaultStyle,
                                         [&](const UIAlertAction&) { played = true; }));
    sheet->addAction(UIAlertAction::make("Cancel", UIAlertActionStyle::cancel));
    auto popover = sheet->popoverPresentationController();
    ASSERT_TRUE(popover);
    popover->sourceView = screen->view();
    popover->sourceRect = CGRect{screen->view()->bounds().center(), {0, 0}};
    popover->permittedArrowDirections = UIPopoverArrowDirectionNone;
    screen->present(sheet, true);
    harness.settle();

    CGRect box = sheet->contentView()->convertRectTo(sheet->contentView()->bounds(), nullptr);
    EXPECT_LT(box.width(), 400);
    EXPECT_LT(box.height(), 300);
    EXPECT_NEAR(box.midX(), 410, 1);
    EXPECT_NEAR(box.midY(), 590, 1);
    auto image = Snapshot::image(*window);
    EXPECT_EQ(brightness(image.pixelAt({20, 100})), 255);
    EXPECT_LT(brightness(image.pixelAt({box.minX() + 20, box.minY() + 4})), 250);

    auto play = sheet->buttonFor(*sheet->action("Play"));
    harness.tap(play);
    harness.settle();
    EXPECT_TRUE(played);
    EXPECT_FALSE(screen->presentedViewController());
}

} // namespace
