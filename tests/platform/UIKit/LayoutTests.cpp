#include "Foundation/Console.h"
#include "Foundation/RunLoop.h"
#include "UIKit/UILabel.h"
#include "UIKit/UILayoutGuide.h"
#include "UIKit/UIView.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<UIView> constrained(const std::shared_ptr<UIView>& parent) {
    auto view = UIView::make();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent->addSubview(view);
    return view;
}

TEST(AutoLayout, PinnedByLeadingTrailingTopAndHeight) {
    auto root = UIView::make({0, 0, 390, 844});
    auto bar = constrained(root);
    auto leading = bar->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20);
    NSLayoutConstraint::activate(
        {leading, bar->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -20),
         bar->topAnchor().constraintEqualTo(root->topAnchor(), 100),
         bar->heightAnchor().constraintEqualToConstant(50)});
    EXPECT_TRUE(leading->isActive());
    EXPECT_EQ(leading->holder(), root);
    root->layoutIfNeeded();
    EXPECT_EQ(bar->frame(), (CGRect{20, 100, 350, 50}));

    leading->setConstant(60);
    root->layoutIfNeeded();
    EXPECT_EQ(bar->frame(), (CGRect{60, 100, 310, 50}));

    // The superview's size is followed too.
    root->setFrame({0, 0, 500, 844});
    root->layoutIfNeeded();
    EXPECT_EQ(bar->frame(), (CGRect{60, 100, 420, 50}));
}

TEST(AutoLayout, ConstantChangesAreLaidOutOnTheNextRunLoopTurn) {
    auto root = UIView::make({0, 0, 200, 200});
    auto box = constrained(root);
    auto left = box->leftAnchor().constraintEqualTo(root->leftAnchor(), 10);
    NSLayoutConstraint::activate({left, box->topAnchor().constraintEqualTo(root->topAnchor()),
                                  box->widthAnchor().constraintEqualToConstant(30),
                                  box->heightAnchor().constraintEqualTo(box->widthAnchor(), 2, 0)});
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(box->frame(), (CGRect{10, 0, 30, 60}));
    left->setConstant(25);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(box->frame().origin.x, 25);
}

TEST(AutoLayout, ChainOfThreeViewsSharesTheWidth) {
    auto root = UIView::make({0, 0, 320, 100});
    auto a = constrained(root), b = constrained(root), c = constrained(root);
    std::vector<std::shared_ptr<NSLayoutConstraint>> list{
        a->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
        b->leadingAnchor().constraintEqualTo(a->trailingAnchor(), 10),
        c->leadingAnchor().constraintEqualTo(b->trailingAnchor(), 10),
        c->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -10),
        b->widthAnchor().constraintEqualTo(a->widthAnchor()),
        c->widthAnchor().constraintEqualTo(a->widthAnchor(), 2, 0),
    };
    for (auto& v : {a, b, c}) {
        list.push_back(v->centerYAnchor().constraintEqualTo(root->centerYAnchor()));
        list.push_back(v->heightAnchor().constraintEqualToConstant(20));
    }
    NSLayoutConstraint::activate(list);
    root->layoutIfNeeded();
    // 320 = 4 × 10 + w + w + 2w
    EXPECT_DOUBLE_EQ(a->frame().size.width, 70);
    EXPECT_DOUBLE_EQ(b->frame().origin.x, 90);
    EXPECT_DOUBLE_EQ(c->frame().origin.x, 170);
    EXPECT_DOUBLE_EQ(c->frame().size.width, 140);
    EXPECT_DOUBLE_EQ(a->frame().origin.y, 40);
}

TEST(AutoLayout, ConstraintsBetweenViewsOfDifferentSuperviews) {
    // The mask-beside-a-handle arrangement: siblings of a strip inside a control.
    auto control = UIView::make({0, 0, 300, 60});
    auto strip = UIView::make({0, 10, 300, 40});
    control->addSubview(strip);
    auto handle = constrained(control);
    auto mask = constrained(control);
    auto handleLeft = handle->leftAnchor().constraintEqualTo(control->leftAnchor(), 50);
    NSLayoutConstraint::activate({
        handleLeft,
        handle->widthAnchor().constraintEqualToConstant(20),
        handle->topAnchor().constraintEqualTo(control->topAnchor()),
        handle->bottomAnchor().constraintEqualTo(control->bottomAnchor()),
        mask->leftAnchor().constraintEqualTo(control->leftAnchor()),
        mask->rightAnchor().constraintEqualTo(handle->leftAnchor()),
        mask->topAnchor().constraintEqualTo(strip->topAnchor()),
        mask->bottomAnchor().constraintEqualTo(strip->bottomAnchor()),
    });
    control->layoutIfNeeded();
    EXPECT_EQ(mask->frame(), (CGRect{0, 10, 50, 40}));
    handleLeft->setConstant(120);
    control->layoutIfNeeded();
    EXPECT_EQ(mask->frame(), (CGRect{0, 10, 120, 40}));
}

TEST(AutoLayout, InequalitiesAndPriorities) {
    auto root = UIView::make({0, 0, 200, 200});
    auto box = constrained(root);
    auto wide = box->widthAnchor().constraintEqualToConstant(300);
    wide->setPriority(UILayoutPriorityDefaultHigh);
    NSLayoutConstraint::activate(
        {box->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
         box->topAnchor().constraintEqualTo(root->topAnchor()),
         box->heightAnchor().constraintEqualToConstant(10),
         box->trailingAnchor().constraintLessThanOrEqualTo(root->trailingAnchor(), -20), wide});
    root->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(box->frame().size.width, 180); // the required bound wins over 300

    wide->setConstant(100);
    root->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(box->frame().size.width, 100);
}

TEST(AutoLayout, ContradictingRequiredConstraintIsDroppedAndLogged) {
    auto root = UIView::make({0, 0, 200, 200});
    auto box = constrained(root);
    NSLayoutConstraint::activate({box->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
                                  box->topAnchor().constraintEqualTo(root->topAnchor()),
                                  box->heightAnchor().constraintEqualToConstant(10),
                                  box->widthAnchor().constraintEqualToConstant(40),
                                  box->widthAnchor().constraintEqualToConstant(60)});
    root->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(box->frame().size.width, 40);
    auto log = Console::systemLogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find("Unable to simultaneously satisfy constraints"), std::string::npos);
}

TEST(AutoLayout, IntrinsicSizeOfALabelAndCompressedFittingSize) {
    auto root = UIView::make({0, 0, 390, 844});
    auto container = constrained(root);
    auto label = std::make_shared<UILabel>();
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    label->setText("Hello");
    container->addSubview(label);
    NSLayoutConstraint::activate({
        container->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 10),
        container->topAnchor().constraintEqualTo(root->topAnchor(), 10),
        label->leadingAnchor().constraintEqualTo(container->leadingAnchor(), 8),
        label->trailingAnchor().constraintEqualTo(container->trailingAnchor(), -8),
        label->topAnchor().constraintEqualTo(container->topAnchor(), 4),
        label->bottomAnchor().constraintEqualTo(container->bottomAnchor(), -4),
    });
    CGSize text = label->intrinsicContentSize();
    ASSERT_GT(text.width, 0);
    root->layoutIfNeeded();
    EXPECT_EQ(label->frame().size, text);
    EXPECT_EQ(container->frame().size, (CGSize{text.width + 16, text.height + 8}));
    EXPECT_EQ(container->systemLayoutSizeFitting(UIView::layoutFittingCompressedSize),
              (CGSize{text.width + 16, text.height + 8}));

    // A longer text grows the container on the next layout.
    label->setText("Hello, longer world");
    root->layoutIfNeeded();
    EXPECT_GT(container->frame().size.width, text.width + 16);
}

TEST(AutoLayout, SafeAreaAndMarginGuides) {
    auto root = UIView::make({0, 0, 390, 844});
    root->setSafeAreaInsets({47, 0, 34, 0});
    auto child = UIView::make({0, 0, 390, 844});
    root->addSubview(child);
    auto footer = constrained(child);
    auto header = constrained(child);
    NSLayoutConstraint::activate({
        footer->bottomAnchor().constraintEqualTo(child->safeAreaLayoutGuide()->bottomAnchor(), -20),
        footer->leadingAnchor().constraintEqualTo(child->layoutMarginsGuide()->leadingAnchor()),
        footer->trailingAnchor().constraintEqualTo(child->layoutMarginsGuide()->trailingAnchor()),
        footer->heightAnchor().constraintEqualToConstant(50),
        header->topAnchor().constraintEqualTo(child->safeAreaLayoutGuide()->topAnchor(), 20),
        header->leadingAnchor().constraintEqualTo(child->leadingAnchor()),
        header->widthAnchor().constraintEqualToConstant(10),
        header->heightAnchor().constraintEqualToConstant(10),
    });
    root->layoutIfNeeded();
    EXPECT_EQ(child->safeAreaInsets(), (UIEdgeInsets{47, 0, 34, 0}));
    EXPECT_EQ(footer->frame(), (CGRect{8, 844 - 34 - 20 - 50, 374, 50}));
    EXPECT_EQ(header->frame().origin.y, 67);
}

TEST(AutoLayout, RemovingAViewDeactivatesItsConstraintsToTheTree) {
    auto root = UIView::make({0, 0, 100, 100});
    auto box = constrained(root);
    auto inner = constrained(box);
    auto outside = box->leadingAnchor().constraintEqualTo(root->leadingAnchor());
    auto inside = inner->leadingAnchor().constraintEqualTo(box->leadingAnchor());
    auto own = box->widthAnchor().constraintEqualToConstant(10);
    NSLayoutConstraint::activate({outside, inside, own});
    box->removeFromSuperview();
    EXPECT_FALSE(outside->isActive());
    EXPECT_TRUE(inside->isActive());
    EXPECT_TRUE(own->isActive());
    inside->setActive(false);
    EXPECT_TRUE(box->constraints().size() == 1);
}

TEST(AutoLayout, ScrollContentIsPlacedInContentCoordinates) {
    auto root = UIView::make({0, 0, 100, 100});
    auto scroll = UIView::make({0, 0, 100, 100});
    root->addSubview(scroll);
    scroll->setBounds({100, 0, 100, 100}); // scrolled one page
    auto page = constrained(scroll);
    NSLayoutConstraint::activate(
        {page->leadingAnchor().constraintEqualTo(scroll->leadingAnchor(), 100),
         page->topAnchor().constraintEqualTo(scroll->topAnchor()),
         page->widthAnchor().constraintEqualTo(scroll->widthAnchor()),
         page->heightAnchor().constraintEqualTo(scroll->heightAnchor())});
    root->layoutIfNeeded();
    EXPECT_EQ(page->frame(), (CGRect{100, 0, 100, 100}));
    EXPECT_EQ(root->hitTest({50, 50}, nullptr), page);
}

} // namespace
