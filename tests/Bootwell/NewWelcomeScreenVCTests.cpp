#include "Bootwell/Bootwell.h"
#include "Bootwell/NewWelcomeScreenVC.h"
#include "Bootwell/SettingsManager.h"

#include "UIKit/CAGradientLayer.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIWindow.h"
#include "UIKit/UIWindowScene.h"
#include "support/TouchHelpers.h"

#include <gtest/gtest.h>

namespace {

using Bootwell::NewWelcomeScreenVC;
using Bootwell::SettingsManager;

const UIColor stepTwoBlue = UIColor::rgba(0.4588, 0.5922, 0.9490, 1);

class NewWelcomeScreenVCTests : public ::testing::Test {
  protected:
    void SetUp() override {
        UIApplication::shared().reset();
        scene->activationState = UISceneActivationState::foregroundActive;
        UIApplication::shared().connectScene(scene);
        window->setRootViewController(home);
    }
    void TearDown() override { UIApplication::shared().reset(); }

    // The welcome screen as start-up shows it, loaded and faded in.
    std::shared_ptr<NewWelcomeScreenVC> show(std::vector<std::string> titles,
                                             std::vector<std::string> texts,
                                             std::vector<UIColor> buttonColours,
                                             std::vector<UIColor> gradient) {
        Bootwell::Bootwell::shared().showWelcomeScreen(titles, texts, buttonColours, gradient,
                                                       window);
        RunLoop::main().runUntilIdle();
        RunLoop::main().advance(2);
        return std::dynamic_pointer_cast<NewWelcomeScreenVC>(window->rootViewController());
    }

    std::shared_ptr<UIWindowScene> scene = UIWindowScene::make();
    std::shared_ptr<UIWindow> window = UIWindow::make(scene);
    std::shared_ptr<UIViewController> home = std::make_shared<UIViewController>();
};

std::optional<UIColor> gradientTop(UIViewController& screen) {
    for (const auto& layer : screen.view()->layer()->sublayers())
        if (auto gradient = std::dynamic_pointer_cast<CAGradientLayer>(layer))
            return gradient->colors.front();
    return std::nullopt;
}

} // namespace

TEST_F(NewWelcomeScreenVCTests, OnceFinishedItChangesNothing) {
    SettingsManager::setIsFirstOpen(true);
    EXPECT_FALSE(show({"A"}, {"B"}, {UIColor::red()}, {UIColor::red()}));
    EXPECT_EQ(window->rootViewController(), home);
    EXPECT_FALSE(window->isKeyWindow());
}

TEST_F(NewWelcomeScreenVCTests, TwoStepsFromTwoEntryListsAndTheFirstTapStoresNothing) {
    auto welcome =
        show({"First title", "Second title"}, {"First text", "Second text"},
             {UIColor::red(), stepTwoBlue}, {UIColor::rgb255(21, 46, 92), UIColor::green()});
    ASSERT_TRUE(welcome);
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_FALSE(welcome->isStarted);
    EXPECT_EQ(welcome->titleLabel()->text(), "First title");
    EXPECT_EQ(welcome->descLabel()->text(), "First text");
    EXPECT_EQ(welcome->continueButton()->currentTitle(), "Continue");
    EXPECT_EQ(welcome->continueButton()->backgroundColor(), UIColor::rgb255(117, 151, 242));
    EXPECT_EQ(gradientTop(*welcome), UIColor::rgb255(21, 46, 92));
    for (auto part :
         std::vector<std::shared_ptr<UIView>>{welcome->titleLabel(), welcome->descLabel(),
                                              welcome->continueButton(), welcome->policyTextView()})
        EXPECT_DOUBLE_EQ(part->alpha(), 1);
    RunLoop::main().advance(1.5); // 100 frames at 30 a second
    EXPECT_DOUBLE_EQ(welcome->animView()->currentFrame(), 100);

    ASSERT_TRUE(tapView(welcome->continueButton()));
    EXPECT_TRUE(welcome->isStarted);
    EXPECT_FALSE(SettingsManager::isFirstOpen());
    EXPECT_EQ(welcome->titleLabel()->text(), "Second title");
    EXPECT_TRUE(welcome->titleLabel()->font().isBold());
    EXPECT_EQ(welcome->descLabel()->text(), "Second text");
    EXPECT_EQ(welcome->continueButton()->currentTitle(), "Let's Start");
    EXPECT_EQ(welcome->continueButton()->backgroundColor(), stepTwoBlue);
    // The second part of the animation, queued on the main queue, plays 150 to 200.
    RunLoop::main().advance(1);
    EXPECT_DOUBLE_EQ(welcome->animView()->currentFrame(), 200);

    ASSERT_TRUE(tapView(welcome->continueButton()));
    EXPECT_TRUE(SettingsManager::isFirstOpen());
    EXPECT_NE(window->rootViewController(), welcome);
    EXPECT_NE(window->rootViewController(), home);
    EXPECT_TRUE(window->rootViewController());
}

TEST_F(NewWelcomeScreenVCTests, OneEntryListsShowTheSameEntryInBothSteps) {
    auto welcome = show({"Only"}, {"Text"}, {UIColor::red()}, {UIColor::green()});
    ASSERT_TRUE(welcome);
    EXPECT_EQ(welcome->titleLabel()->text(), "Only");
    tapView(welcome->continueButton());
    EXPECT_EQ(welcome->titleLabel()->text(), "Only");
    EXPECT_EQ(welcome->descLabel()->text(), "Text");
    EXPECT_EQ(welcome->continueButton()->backgroundColor(), UIColor::red());
}

TEST_F(NewWelcomeScreenVCTests, EmptyListsGiveEmptyLabelsNoButtonColourAndABlueBackground) {
    auto welcome = show({}, {}, {}, {});
    ASSERT_TRUE(welcome);
    EXPECT_FALSE(welcome->titleLabel()->hasText());
    EXPECT_FALSE(welcome->descLabel()->hasText());
    EXPECT_EQ(gradientTop(*welcome), UIColor::systemBlue());
    tapView(welcome->continueButton());
    EXPECT_FALSE(welcome->titleLabel()->hasText());
    EXPECT_FALSE(welcome->continueButton()->backgroundColor());
}

TEST_F(NewWelcomeScreenVCTests, WithoutAKeyWindowTheWelcomeStaysButIsRemembered) {
    auto welcome = NewWelcomeScreenVC::make({{"A"}, {"B"}, {}, {}});
    auto lone = UIWindow::make();
    lone->setRootViewController(welcome);
    lone->setHidden(false);
    RunLoop::main().advance(2);
    welcome->continueButtonTapped();
    welcome->continueButtonTapped();
    EXPECT_TRUE(SettingsManager::isFirstOpen());
    EXPECT_EQ(lone->rootViewController(), welcome);
}

TEST_F(NewWelcomeScreenVCTests, ConsentLinksOpenTheTermsAndThePolicyPages) {
    auto welcome = show({"A"}, {"B"}, {}, {});
    ASSERT_TRUE(welcome);
    auto text = welcome->policyTextView();
    EXPECT_EQ(text->text(), "By continuing, you accept our Terms of Use and Policy.");
    EXPECT_FALSE(text->isEditable);
    EXPECT_TRUE(text->tapLink("Terms of Use"));
    EXPECT_TRUE(text->tapLink("Policy"));
    const auto& opened = UIApplication::shared().openedURLs();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].absoluteString(), Bootwell::Bootwell::termsLink);
    EXPECT_EQ(opened[1].absoluteString(), Bootwell::Bootwell::policyLink);
}

TEST(NewWelcomeScreenVCDeathTest, CannotBeMadeFromAnInterfaceFile) {
    EXPECT_DEATH(NewWelcomeScreenVC::fromCoder(), "init\\(coder:\\) has not been implemented");
}
