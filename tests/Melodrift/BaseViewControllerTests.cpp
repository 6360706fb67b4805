#include "Melodrift/AudioPlayerViewController.h"
#include "Melodrift/BaseViewController.h"

#include "UIKit/UIActivityViewController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIPopoverPresentationController.h"
#include "UIKit/UIWindow.h"
#include "support/TouchHelpers.h"

#include <gtest/gtest.h>

namespace {

struct DeleteRecorder : AlertActionDelegate {
    explicit DeleteRecorder(std::vector<IndexPath>& asked) : asked(asked) {}
    std::vector<IndexPath>& asked;
    void didRequestDelete(const IndexPath& indexPath) override { asked.push_back(indexPath); }
};

class BaseViewControllerTests : public ::testing::Test {
  protected:
    void SetUp() override { UIApplication::shared().reset(); }
    void TearDown() override {
        UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::phone);
        UIApplication::shared().reset();
    }

    // A screen shown alone in a window, or pushed onto a navigation stack above a root.
    std::shared_ptr<BaseViewController> showAlone() {
        auto screen = std::make_shared<BaseViewController>();
        window->setRootViewController(screen);
        window->makeKeyAndVisible();
        settle();
        return screen;
    }
    std::shared_ptr<BaseViewController> showPushed() {
        auto root = std::make_shared<BaseViewController>();
        navigation = std::make_shared<UINavigationController>(root);
        window->setRootViewController(navigation);
        window->makeKeyAndVisible();
        auto screen = std::make_shared<BaseViewController>();
        navigation->pushViewController(screen, false);
        settle();
        return screen;
    }
    static void settle() {
        RunLoop::main().runUntilIdle();
        RunLoop::main().advance(1);
    }
    static std::shared_ptr<UIAlertController> sheetOf(const std::shared_ptr<UIViewController>& c) {
        settle();
        return std::dynamic_pointer_cast<UIAlertController>(c->presentedViewController());
    }

    URL song = URL::fileURL("/music/Out/Live/song.mp3");
    std::shared_ptr<UIWindow> window = UIWindow::make();
    std::shared_ptr<UINavigationController> navigation;
};

} // namespace

TEST_F(BaseViewControllerTests, SheetNamesTheFileAndOffersTheFiveActionsInOrder) {
    auto screen = showAlone();
    screen->presentFileActions(song, IndexPath(3, 0), nullptr);
    auto sheet = sheetOf(screen);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->preferredStyle(), UIAlertControllerStyle::actionSheet);
    EXPECT_EQ(sheet->title(), "");
    EXPECT_EQ(sheet->message, "song.mp3");
    std::vector<std::string> titles;
    for (const auto& action : sheet->actions())
        titles.push_back(action->title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Play", "Share", "Delete", "Show File Destination",
                                                "Cancel"}));
    EXPECT_EQ(sheet->action("Delete")->style, UIAlertActionStyle::defaultStyle);
    EXPECT_EQ(sheet->action("Cancel")->style, UIAlertActionStyle::cancel);
    EXPECT_NE(sheet->modalPresentationStyle, UIModalPresentationStyle::popover);
}

TEST_F(BaseViewControllerTests, DeleteAsksTheDelegateAndDoesNothingWithoutOne) {
    auto screen = showAlone();
    screen->presentFileActions(song, IndexPath(3, 1), nullptr);
    ASSERT_TRUE(tapAlertAction(sheetOf(screen), "Delete"));
    EXPECT_FALSE(screen->presentedViewController());

    std::vector<IndexPath> asked;
    auto recorder = std::make_shared<DeleteRecorder>(asked);
    screen->presentFileActions(song, IndexPath(3, 1), recorder);
    std::weak_ptr<DeleteRecorder> kept = recorder;
    recorder.reset(); // only the sheet holds the delegate now
    auto sheet = sheetOf(screen);
    EXPECT_FALSE(kept.expired());
    ASSERT_TRUE(tapAlertAction(sheet, "Delete"));
    EXPECT_EQ(asked, std::vector<IndexPath>{IndexPath(3, 1)});
}

TEST_F(BaseViewControllerTests, CancelPopsToTheRootOnlyInsideANavigationStack) {
    auto alone = showAlone();
    alone->presentFileActions(song, {}, nullptr);
    ASSERT_TRUE(tapAlertAction(sheetOf(alone), "Cancel"));
    EXPECT_FALSE(alone->presentedViewController());
    EXPECT_EQ(window->rootViewController(), alone);

    auto pushed = showPushed();
    pushed->presentFileActions(song, {}, nullptr);
    ASSERT_TRUE(tapAlertAction(sheetOf(pushed), "Cancel"));
    settle();
    EXPECT_EQ(navigation->viewControllers().size(), 1u);

    // At the root of its stack nothing more happens.
    auto root = std::dynamic_pointer_cast<BaseViewController>(navigation->viewControllers()[0]);
    root->presentFileActions(song, {}, nullptr);
    ASSERT_TRUE(tapAlertAction(sheetOf(root), "Cancel"));
    EXPECT_EQ(navigation->viewControllers().size(), 1u);
}

TEST_F(BaseViewControllerTests, FileDestinationNamesTheLibraryAndTheFileOnly) {
    auto screen = showAlone();
    screen->presentFileActions(song, {}, nullptr);
    ASSERT_TRUE(tapAlertAction(sheetOf(screen), "Show File Destination"));
    auto alert = sheetOf(screen);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyle::alert);
    EXPECT_EQ(alert->title(), "File Destination");
    EXPECT_EQ(alert->message, "Melodrift/song.mp3");
    ASSERT_EQ(alert->actions().size(), 1u);
    EXPECT_EQ(alert->actions()[0]->title, "OK");
    ASSERT_TRUE(tapAlertAction(alert, "OK"));
    EXPECT_FALSE(screen->presentedViewController());
}

TEST_F(BaseViewControllerTests, OnAPadTheSheetAndTheShareSheetFloatAtTheCentreWithoutArrow) {
    UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::pad);
    window = UIWindow::make();
    auto screen = showAlone();
    screen->presentFileActions(song, {}, nullptr);
    auto sheet = sheetOf(screen);
    ASSERT_TRUE(sheet);
    auto checkAnchor = [&](UIViewController& presented) {
        EXPECT_EQ(presented.modalPresentationStyle, UIModalPresentationStyle::popover);
        auto popover = presented.popoverPresentationController();
        ASSERT_TRUE(popover);
        EXPECT_EQ(popover->permittedArrowDirections, uint32_t(UIPopoverArrowDirectionNone));
        EXPECT_EQ(popover->sourceView.lock(), screen->view());
        CGRect bounds = screen->view()->bounds();
        EXPECT_EQ(popover->sourceRect, (CGRect{bounds.midX(), bounds.midY(), 0, 0}));
    };
    checkAnchor(*sheet);
    // The sheet's buttons cannot be hit-tested inside a pad popover yet (its content box is
    // laid out taller than the popover), so the action is performed as its button would.
    sheet->performAction(sheet->action("Share"));
    settle();
    auto share =
        std::dynamic_pointer_cast<UIActivityViewController>(screen->presentedViewController());
    ASSERT_TRUE(share);
    EXPECT_EQ(share->urls(), std::vector<URL>{song});
    checkAnchor(*share);
}

TEST_F(BaseViewControllerTests, PlayOpensThePlayerOnTheFileInACustomPresentation) {
    auto screen = showAlone();
    screen->presentFileActions(song, {}, nullptr);
    ASSERT_TRUE(tapAlertAction(sheetOf(screen), "Play"));
    auto player =
        std::dynamic_pointer_cast<AudioPlayerViewController>(screen->presentedViewController());
    ASSERT_TRUE(player);
    EXPECT_EQ(player->mediaURL, song);
    EXPECT_EQ(player->modalPresentationStyle, UIModalPresentationStyle::custom);
}
