#include "UIKit/UIButton.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIMenu.h"
#include "UIKit/UIMenuPanel.h"
#include "UIKit/UITapGestureRecognizer.h"
#include "UIKit/UITouchDispatcher.h"
#include "UIKit/UIWindow.h"

#include <gtest/gtest.h>

namespace {

// A screen-like owner of a button, with an action in the selector style.
struct Screen {
    std::vector<int> tappedTags;
    void btnMain(std::shared_ptr<UIButton> sender) { tappedTags.push_back(sender->tag); }
};

struct ButtonFixture : ::testing::Test {
    std::shared_ptr<UIView> root = UIView::make({0, 0, 390, 844});
    std::shared_ptr<UIButton> button = UIButton::make(UIButtonType::custom, {100, 100, 80, 40});
    std::shared_ptr<Screen> screen = std::make_shared<Screen>();
    UITouchDispatcher touches{root};

    void SetUp() override {
        button->tag = 3;
        root->addSubview(button);
        button->addTarget(screen, &Screen::btnMain, UIControlEventTouchUpInside, "btnMain:");
    }
};

TEST_F(ButtonFixture, TapInsideSendsTheActionWithTheSender) {
    touches.tap({140, 120});
    EXPECT_EQ(screen->tappedTags, std::vector<int>{3});
    EXPECT_EQ(button->actions(screen.get(), UIControlEventTouchUpInside),
              std::vector<std::string>{"btnMain:"});
}

TEST_F(ButtonFixture, DragOutDisabledAndGoneTargetsSendNothing) {
    touches.touchDown({140, 120});
    EXPECT_TRUE(button->isHighlighted());
    touches.touchMove({340, 420});
    EXPECT_FALSE(button->isHighlighted());
    touches.touchUp({340, 420});
    EXPECT_TRUE(screen->tappedTags.empty());

    button->setEnabled(false);
    touches.tap({140, 120});
    EXPECT_TRUE(screen->tappedTags.empty());

    button->setEnabled(true);
    screen.reset();
    touches.tap({140, 120}); // the weakly held target has gone: nothing happens
}

TEST_F(ButtonFixture, ASuperviewTapRecognizerDoesNotTakeTheButtonsTap) {
    int backgroundTaps = 0;
    auto tap = UITapGestureRecognizer::make();
    tap->addAction([&](UIGestureRecognizer&) { ++backgroundTaps; });
    root->addGestureRecognizer(tap);
    touches.tap({140, 120});
    EXPECT_EQ(screen->tappedTags.size(), 1u);
    EXPECT_EQ(backgroundTaps, 0);
    touches.tap({10, 10});
    EXPECT_EQ(backgroundTaps, 1);
}

TEST_F(ButtonFixture, ImagesAndTitlesPerStateFallBackToNormal) {
    auto normal = UIImage::blank({20, 20});
    auto selected = UIImage::blank({20, 20});
    auto background = UIImage::blank({80, 40});
    button->setImage(normal, UIControlStateNormal);
    button->setImage(selected, UIControlStateSelected);
    button->setBackgroundImage(background, UIControlStateNormal);
    button->setTitle("Play", UIControlStateNormal);
    button->setTitle("Off", UIControlStateDisabled);
    button->setTitleColor(UIColor::black(), UIControlStateNormal);

    EXPECT_EQ(button->currentImage(), normal);
    EXPECT_EQ(button->imageView()->image(), normal);
    button->setSelected(true);
    EXPECT_EQ(button->currentImage(), selected);
    EXPECT_EQ(button->imageView()->image(), selected);
    EXPECT_EQ(button->currentBackgroundImage(), background); // falls back to normal
    EXPECT_EQ(button->currentTitle(), "Play");
    button->setSelected(false);
    button->setEnabled(false);
    EXPECT_EQ(button->currentTitle(), "Off");
    EXPECT_EQ(button->titleLabel()->text(), "Off");
    EXPECT_EQ(button->currentTitleColor(), UIColor::black());
    EXPECT_EQ(button->image(UIControlStateHighlighted), normal);

    button->setImage(nullptr, UIControlStateSelected);
    EXPECT_EQ(button->image(UIControlStateSelected), normal);
}

TEST_F(ButtonFixture, AMenuAsPrimaryActionShowsOnTapAndRunsTheChosenAction) {
    std::vector<std::string> ran;
    auto remove = UIAction::make("Delete", nullptr, [&](UIAction& a) { ran.push_back(a.title); });
    auto share = UIAction::make("Share", nullptr, [&](UIAction& a) { ran.push_back(a.title); });
    button->menu = UIMenu::make("", {remove, share});
    button->showsMenuAsPrimaryAction = true;
    touches.tap({140, 120});
    EXPECT_TRUE(screen->tappedTags.empty());
    ASSERT_EQ(UIMenu::shownMenu(), button->menu);
    EXPECT_EQ(UIMenu::shownMenuSource(), button);
    EXPECT_TRUE(UIMenu::selectShownAction("Share"));
    EXPECT_EQ(ran, std::vector<std::string>{"Share"});
    EXPECT_EQ(UIMenu::shownMenu(), nullptr);
    EXPECT_FALSE(UIMenu::selectShownAction("Delete"));
}

// In a window the menu is a panel of rows beside its button: a tap on a row runs that action
// and closes the panel, a disabled row does nothing, a tap beside the panel closes it.
TEST(MenuPanel, RowsRunTheirActionsAndATapBesideClosesIt) {
    auto window = UIWindow::make();
    window->setFrame({0, 0, 390, 844});
    window->makeKeyAndVisible();
    auto button = UIButton::make(UIButtonType::custom, {300, 700, 60, 40});
    window->addSubview(button);
    std::vector<std::string> ran;
    auto record = [&](UIAction& a) { ran.push_back(a.title); };
    auto rename = UIAction::make("Rename", nullptr, record);
    auto locked = UIAction::make("Move", nullptr, record);
    locked->attributes = UIMenuElementAttributesDisabled;
    auto remove = UIAction::make("Delete", UIImage::systemName("trash.fill"), record);
    remove->attributes = UIMenuElementAttributesDestructive;
    button->menu = UIMenu::make("", {rename, locked, UIMenu::make("", {remove})});
    button->showsMenuAsPrimaryAction = true;

    auto openMenu = [&] {
        window->tap({330, 720});
        auto panel = std::dynamic_pointer_cast<UIMenuPanel>(window->subviews().back());
        EXPECT_TRUE(panel);
        return panel ? panel->panel()->convertRectTo(panel->panel()->bounds(), nullptr) : CGRect{};
    };
    CGRect box = openMenu();
    // Three rows and a group gap; no room below the button, so above it, on its right side.
    EXPECT_EQ(box.size.height, 3 * UIMenuPanel::rowHeight + 8);
    EXPECT_LE(box.maxY(), 700);
    EXPECT_EQ(box.maxX(), 360);
    window->tap({box.midX(), box.minY() + UIMenuPanel::rowHeight * 1.5}); // "Move"
    EXPECT_TRUE(ran.empty());
    window->tap({box.midX(), box.maxY() - UIMenuPanel::rowHeight / 2}); // "Delete"
    EXPECT_EQ(ran, std::vector<std::string>{"Delete"});
    EXPECT_FALSE(UIMenu::shownMenu());
    EXPECT_FALSE(std::dynamic_pointer_cast<UIMenuPanel>(window->subviews().back()));

    openMenu();
    window->tap({20, 20});
    EXPECT_FALSE(UIMenu::shownMenu());
    EXPECT_EQ(window->subviews().back(), button);
    EXPECT_EQ(ran.size(), 1u);
}

TEST(UIButtonLayout, SystemButtonSizesToItsTitleAndImage) {
    auto button = UIButton::make(UIButtonType::system);
    button->setTitle("Continue", UIControlStateNormal);
    CGSize titleOnly = button->intrinsicContentSize();
    EXPECT_GT(titleOnly.width, 0);
    EXPECT_GE(titleOnly.height, 30);
    button->setImage(UIImage::blank({24, 24}), UIControlStateNormal);
    EXPECT_DOUBLE_EQ(button->intrinsicContentSize().width, titleOnly.width + 24);
    EXPECT_EQ(button->currentTitleColor(), UIColor::systemBlue());
    button->setFrame({0, 0, 200, 50});
    button->layoutIfNeeded();
    CGRect image = button->imageView()->frame();
    CGRect title = button->titleLabel()->frame();
    EXPECT_DOUBLE_EQ(image.maxX(), title.minX());
    EXPECT_DOUBLE_EQ(image.midY(), 25);
}

TEST(UILabelText, AttributedTextKeepsRunsAndTheLabelsDefaults) {
    auto label = UILabel::make();
    EXPECT_FALSE(label->hasText());
    label->setFont(UIFont::boldSystemFont(24));
    label->setText("Terms of Use and Policy");
    NSAttributedString text = label->attributedText();
    EXPECT_EQ(text.attributes(0).font, UIFont::boldSystemFont(24));

    NSAttributedString linked("Terms of Use and Policy");
    NSTextAttributes link;
    link.link = "https://example.com/terms";
    linked.addAttributes(link, linked.range("Terms of Use"));
    label->setAttributedText(linked);
    NSRange run;
    EXPECT_EQ(label->attributedText().attributes(3, &run).link, "https://example.com/terms");
    EXPECT_EQ(run, (NSRange{0, 12}));
    EXPECT_FALSE(label->attributedText().attributes(13).link.has_value());
    EXPECT_EQ(label->text(), "Terms of Use and Policy");
}

TEST(UILabelText, MultiLineTextWrapsAtTheWidth) {
    auto label = UILabel::make();
    label->setNumberOfLines(0);
    label->setText("Where all your audio files are set to be converted");
    CGSize one = label->sizeThatFits({0, 0});
    CGSize wrapped = label->sizeThatFits({120, 0});
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GT(wrapped.height, one.height * 2);
}

TEST(UIImageViewSize, IntrinsicSizeIsTheImages) {
    auto view = UIImageView::make();
    EXPECT_EQ(view->intrinsicContentSize().width, UIView::noIntrinsicMetric);
    view->setImage(UIImage::blank({30, 20}, 2));
    EXPECT_EQ(view->intrinsicContentSize(), (CGSize{30, 20}));
    EXPECT_FALSE(view->isUserInteractionEnabled());
}

} // namespace
