#include "support/UIHarness.h"

#include "Foundation/Console.h"
#include "UIKit/UIAlertController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIPopoverPresentationController.h"
#include "UIKit/UIScene.h"
#include "UIKit/UITabBarController.h"
#include "UIKit/UITextField.h"
#include "UIKit/UIWindow.h"

#include <gtest/gtest.h>

namespace {

// A screen that writes down its appearance callbacks.
class Screen : public UIViewController {
  public:
    explicit Screen(std::string name, std::vector<std::string>* log)
        : name_(std::move(name)), log_(log) {}
    void viewDidLoad() override { note("load"); }
    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }

  private:
    void note(const std::string& what) { log_->push_back(name_ + "." + what); }
    std::string name_;
    std::vector<std::string>* log_;
};

struct PresentationCase {
    UIModalPresentationStyle style;
    bool presenterDisappears;
};

class PresentationTest : public ::testing::TestWithParam<PresentationCase> {};

TEST_P(PresentationTest, AppearanceFollowsTheStyle) {
    UIHarness h;
    std::vector<std::string> log;
    auto home = std::make_shared<Screen>("home", &log);
    h.launch(home);
    log.clear();
    auto sheet = std::make_shared<Screen>("sheet", &log);
    sheet->modalPresentationStyle = GetParam().style;
    bool completed = false;
    home->present(sheet, true, [&] { completed = true; });
    EXPECT_FALSE(completed) << "an animated presentation takes time";
    h.settle();
    EXPECT_TRUE(completed);
    EXPECT_EQ(home->presentedViewController(), sheet);
    EXPECT_EQ(sheet->presentingViewController(), home);

    // The sheet's view loads when it is first needed, before any of its callbacks.
    std::vector<std::string> shown =
        GetParam().presenterDisappears
            ? std::vector<std::string>{"sheet.load", "home.willDisappear", "sheet.willAppear",
                                       "home.didDisappear", "sheet.didAppear"}
            : std::vector<std::string>{"sheet.load", "sheet.willAppear", "sheet.didAppear"};
    EXPECT_EQ(log, shown);
    EXPECT_EQ(h.isVisible(home->view()), !GetParam().presenterDisappears);

    log.clear();
    sheet->dismiss(true);
    h.settle();
    std::vector<std::string> hidden =
        GetParam().presenterDisappears
            ? std::vector<std::string>{"home.willAppear", "sheet.willDisappear",
                                       "sheet.didDisappear", "home.didAppear"}
            : std::vector<std::string>{"sheet.willDisappear", "sheet.didDisappear"};
    EXPECT_EQ(log, hidden);
    EXPECT_EQ(home->presentedViewController(), nullptr);
    EXPECT_TRUE(h.isVisible(home->view()));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, PresentationTest,
    ::testing::Values(PresentationCase{UIModalPresentationStyle::fullScreen, true},
                      PresentationCase{UIModalPresentationStyle::pageSheet, false},
                      PresentationCase{UIModalPresentationStyle::formSheet, false},
                      PresentationCase{UIModalPresentationStyle::overCurrentContext, false},
                      PresentationCase{UIModalPresentationStyle::custom, false},
                      PresentationCase{UIModalPresentationStyle::popover, false}));

TEST(PresentationTest, SecondDismissWhileRunningAndPresentingTwiceAreRefused) {
    UIHarness h;
    std::vector<std::string> log;
    auto home = std::make_shared<Screen>("home", &log);
    h.launch(home);
    auto nav = UINavigationController::make(std::make_shared<Screen>("convert", &log));
    nav->modalPresentationStyle = UIModalPresentationStyle::fullScreen;
    home->present(nav, true);
    h.settle();
    home->present(std::make_shared<Screen>("other", &log), false);
    EXPECT_EQ(home->presentedViewController(), nav);
    EXPECT_FALSE(Console::systemLogLines().empty());

    // The root of the presented stack dismisses the stack; a second call is ignored.
    int completions = 0;
    auto root = nav->topViewController();
    root->dismiss(true, [&] { ++completions; });
    root->dismiss(true, [&] { ++completions; });
    // Presenting while the dismissal runs waits for it.
    auto next = std::make_shared<Screen>("next", &log);
    home->present(next, false);
    h.settle();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(home->presentedViewController(), next);
}

TEST(NavigationTest, PushPopAndPopToRoot) {
    UIHarness h;
    std::vector<std::string> log;
    auto root = std::make_shared<Screen>("root", &log);
    root->setTitle("Result");
    auto nav = UINavigationController::make(root);
    h.launch(nav);
    log.clear();
    auto second = std::make_shared<Screen>("second", &log);
    auto third = std::make_shared<Screen>("third", &log);
    nav->pushViewController(second, true);
    h.settle();
    nav->pushViewController(third, false);
    EXPECT_EQ(nav->viewControllers().size(), 3u);
    EXPECT_EQ(third->navigationController(), nav);
    EXPECT_EQ(nav->navigationBar()->topItem(), third->navigationItem());
    EXPECT_EQ(log,
              (std::vector<std::string>{"second.load", "root.willDisappear", "second.willAppear",
                                        "root.didDisappear", "second.didAppear", "third.load",
                                        "second.willDisappear", "third.willAppear",
                                        "second.didDisappear", "third.didAppear"}));

    // The bar's back button pops, as the user taps it.
    log.clear();
    h.tap(nav->navigationBar()->backButton());
    EXPECT_EQ(nav->topViewController(), second);
    EXPECT_EQ(log, (std::vector<std::string>{"third.willDisappear", "second.willAppear",
                                             "third.didDisappear", "second.didAppear"}));
    nav->pushViewController(third, false);
    auto popped = nav->popToRootViewController(true);
    h.settle();
    EXPECT_EQ(popped.size(), 2u);
    EXPECT_EQ(nav->viewControllers(), std::vector<std::shared_ptr<UIViewController>>{root});
    EXPECT_EQ(nav->popViewController(true), nullptr) << "the root is never popped";
    EXPECT_EQ(third->navigationController(), nullptr);
    EXPECT_TRUE(h.isVisible(root->view()));
    EXPECT_FALSE(h.isVisible(third->view()));
}

TEST(NavigationTest, TabBarSelectsAndHides) {
    UIHarness h;
    std::vector<std::string> log;
    auto tabs = UITabBarController::make();
    auto a = std::make_shared<Screen>("a", &log);
    auto b = std::make_shared<Screen>("b", &log);
    tabs->setViewControllers({a, b});
    h.launch(tabs);
    log.clear();
    h.tap(tabs->tabBar()->buttons()[1]);
    EXPECT_EQ(tabs->selectedViewController(), b);
    EXPECT_EQ(b->tabBarController(), tabs);
    EXPECT_EQ(log, (std::vector<std::string>{"a.willDisappear", "a.didDisappear", "b.load",
                                             "b.willAppear", "b.didAppear"}));
    tabs->tabBar()->setHidden(true);
    EXPECT_FALSE(h.isVisible(tabs->tabBar()));
}

TEST(AlertTest, TextFieldIsFilledAndActionRunsAfterDismissal) {
    UIHarness h;
    std::vector<std::string> log;
    auto home = std::make_shared<Screen>("home", &log);
    h.launch(home);
    auto alert = UIAlertController::make("Save File", "", UIAlertControllerStyle::alert);
    alert->addTextField([](const std::shared_ptr<UITextField>& field) {
        field->placeholder = "File name";
        field->setText("take");
    });
    std::string saved;
    std::weak_ptr<UIAlertController> weak = alert;
    alert->addAction(UIAlertAction::make(
        "Save", UIAlertActionStyle::defaultStyle,
        [&saved, weak](UIAlertAction&) { saved = weak.lock()->textFields()[0]->text(); }));
    bool cancelled = false;
    alert->addAction(UIAlertAction::make("Cancel", UIAlertActionStyle::cancel,
                                         [&](UIAlertAction&) { cancelled = true; }));
    home->present(alert, true);
    h.settle();
    ASSERT_EQ(h.presentedAlert(), alert);
    EXPECT_EQ(alert->textFields()[0]->placeholder, "File name");
    EXPECT_TRUE(h.isVisible(home->view())) << "an alert leaves its presenter on screen";
    EXPECT_TRUE(alert->textFields()[0]->isFirstResponder());

    h.fillAlertField(0, "intro");
    h.type(alert->textFields()[0], " 2");
    h.tapAlertAction("Save");
    EXPECT_EQ(saved, "intro 2");
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(h.presentedAlert(), nullptr);
    EXPECT_THROW(h.tapAlertAction("Save"), std::runtime_error);
    EXPECT_THROW(
        UIAlertController::make("", "", UIAlertControllerStyle::actionSheet)->addTextField(),
        std::logic_error);
}

TEST(AlertTest, ActionSheetIsAPopoverOnThePad) {
    UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::pad);
    UIHarness h;
    std::vector<std::string> log;
    auto home = std::make_shared<Screen>("home", &log);
    auto window = h.launch(home);
    EXPECT_EQ(window->frame().size, (CGSize{820, 1180}));
    auto sheet = UIAlertController::make("", "song.mp3", UIAlertControllerStyle::actionSheet);
    std::vector<std::string> tapped;
    for (auto title : {"Play", "Share", "Delete"})
        sheet->addAction(
            UIAlertAction::make(title, UIAlertActionStyle::defaultStyle,
                                [&tapped, title](UIAlertAction&) { tapped.push_back(title); }));
    sheet->addAction(UIAlertAction::make("Cancel", UIAlertActionStyle::cancel));
    auto popover = sheet->popoverPresentationController();
    ASSERT_NE(popover, nullptr);
    CGRect bounds = home->view()->bounds();
    popover->sourceView = home->view();
    popover->sourceRect = CGRect{bounds.midX(), bounds.midY(), 0, 0};
    popover->permittedArrowDirections = UIPopoverArrowDirectionNone;
    home->present(sheet, true);
    h.settle();
    CGRect frame = sheet->view()->frame();
    EXPECT_DOUBLE_EQ(frame.midX(), 410);
    EXPECT_DOUBLE_EQ(frame.midY(), 590);
    EXPECT_EQ(sheet->presentationController()->presentationStyle(),
              UIModalPresentationStyle::popover);
    h.tapAlertAction("Share");
    EXPECT_EQ(tapped, std::vector<std::string>{"Share"});
    UIDevice::current().setUserInterfaceIdiom(UIUserInterfaceIdiom::phone);
    EXPECT_EQ(UIAlertController::make("", "", UIAlertControllerStyle::actionSheet)
                  ->popoverPresentationController(),
              nullptr);
}

TEST(ApplicationTest, LinksIdleTimerScenesAndKeyWindow) {
    UIHarness h;
    auto window = h.launch(std::make_shared<UIViewController>());
    auto& app = UIApplication::shared();
    EXPECT_EQ(app.keyWindow(), window);
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_EQ(app.connectedScenes().front()->activationState,
              UISceneActivationState::foregroundActive);
    std::vector<std::string> opened;
    app.urlOpener = [&](const URL& url) {
        opened.push_back(url.absoluteString());
        return true;
    };
    bool success = false;
    app.open(*URL::fromString("https://example.com/app"), {}, [&](bool ok) { success = ok; });
    app.open(*URL::fromString("gopher://example.com"));
    h.runUntilIdle();
    EXPECT_TRUE(success);
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.com/app"})
        << "an unknown scheme is not opened";
    EXPECT_EQ(app.openedURLs().size(), 2u);
    app.setIdleTimerDisabled(true);
    EXPECT_TRUE(app.isIdleTimerDisabled());
}

} // namespace
