#include "Services/KeyboardAvoidanceManager.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIView.h"

#include <gtest/gtest.h>

namespace {

// A phone-sized top view holding a screen with a field near the top and one near the bottom.
struct Screen {
    std::shared_ptr<UIView> top = UIView::make({0, 0, 390, 844});
    std::shared_ptr<UIView> content = UIView::make({0, 0, 390, 844});
    std::shared_ptr<UITextField> high = UITextField::make({20, 100, 350, 40});
    std::shared_ptr<UITextField> low = UITextField::make({20, 760, 350, 40});
    std::shared_ptr<UITextView> notes = UITextView::make({20, 600, 350, 100});

    Screen() {
        top->setSafeAreaInsets({47, 0, 34, 0});
        top->addSubview(content);
        content->addSubview(high);
        content->addSubview(low);
        content->addSubview(notes);
    }
};

class KeyboardAvoidanceManagerTests : public ::testing::Test {
  protected:
    void TearDown() override {
        if (auto first = UIResponder::currentFirstResponder())
            first->resignFirstResponder();
        manager.setEnabled(false);
    }
    KeyboardAvoidanceManager& manager = KeyboardAvoidanceManager::shared();
};

} // namespace

TEST_F(KeyboardAvoidanceManagerTests, LiftsTheScreenUntilTheFieldClearsTheKeyboardAndPutsItBack) {
    Screen screen;
    manager.setEnabled(true);
    ASSERT_TRUE(screen.low->becomeFirstResponder());
    ASSERT_TRUE(manager.keyboardFrame());
    EXPECT_EQ(*manager.keyboardFrame(), (CGRect{0, 844 - 336, 390, 336}));
    // Field bottom 800 + 10 must sit at the keyboard's top, 508.
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, -302);
    EXPECT_DOUBLE_EQ(manager.currentShift(), 302);
    screen.low->resignFirstResponder();
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, 0);
    EXPECT_FALSE(manager.keyboardFrame());
}

TEST_F(KeyboardAvoidanceManagerTests, FieldAboveTheKeyboardAndSwitchingFieldsMoveOnlyAsNeeded) {
    Screen screen;
    manager.setEnabled(true);
    screen.high->becomeFirstResponder();
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, 0);
    screen.notes->isEditable = true;
    screen.notes->becomeFirstResponder();
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, -(700 + 10 - 508));
    screen.low->becomeFirstResponder();
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, -302);
    screen.high->becomeFirstResponder();
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, 0);
}

TEST_F(KeyboardAvoidanceManagerTests, NeverPushesTheFieldPastTheSafeAreaTop) {
    Screen screen;
    auto tall = UITextField::make({20, 300, 350, 500});
    screen.content->addSubview(tall);
    manager.setEnabled(true);
    tall->becomeFirstResponder();
    // Lifting it fully would take 302 points; its top may rise only to 47.
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, -(300 - 47));
}

TEST_F(KeyboardAvoidanceManagerTests, DoesNothingUntilEnabledAndRestoresWhenDisabled) {
    Screen screen;
    screen.low->becomeFirstResponder();
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, 0);
    EXPECT_FALSE(manager.keyboardFrame());
    screen.low->resignFirstResponder();

    manager.setEnabled(true);
    screen.low->becomeFirstResponder();
    EXPECT_LT(screen.content->frame().origin.y, 0);
    manager.setEnabled(false);
    EXPECT_DOUBLE_EQ(screen.content->frame().origin.y, 0);
}

TEST_F(KeyboardAvoidanceManagerTests, AFieldOutsideAnyScreenOrGoneIsLeftAlone) {
    manager.setEnabled(true);
    auto lone = UITextField::make({0, 800, 100, 40});
    lone->becomeFirstResponder();
    EXPECT_EQ(lone->frame().origin.y, 800);
    {
        Screen screen;
        screen.low->becomeFirstResponder();
        EXPECT_LT(screen.content->frame().origin.y, 0);
    }
    // The screen went away while lifted: nothing is left to restore, nothing breaks.
    EXPECT_DOUBLE_EQ(manager.currentShift(), 0);
    Screen again;
    again.low->becomeFirstResponder();
    EXPECT_DOUBLE_EQ(again.content->frame().origin.y, -302);
}
