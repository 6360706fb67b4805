#include "UIKit/CAGradientLayer.h"
#include "UIKit/UIView.h"

#include "Foundation/RunLoop.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A root of 300 × 400 with a container at (10, 20) holding one child.
struct Tree {
    std::shared_ptr<UIView> root = UIView::make({0, 0, 300, 400});
    std::shared_ptr<UIView> container = UIView::make({10, 20, 200, 200});
    std::shared_ptr<UIView> child = UIView::make({5, 5, 50, 50});

    Tree() {
        root->addSubview(container);
        container->addSubview(child);
    }
};

TEST(UIViewHitTest, FindsTheFrontmostInteractiveView) {
    Tree t;
    auto overlay = UIView::make({0, 0, 100, 100});
    t.container->addSubview(overlay);
    EXPECT_EQ(t.root->hitTest({20, 30}, nullptr), overlay);

    struct Case {
        const char* what;
        std::function<void(UIView&)> change;
    };
    const Case cases[] = {
        {"hidden", [](UIView& v) { v.setHidden(true); }},
        {"not interactive", [](UIView& v) { v.setUserInteractionEnabled(false); }},
        {"transparent", [](UIView& v) { v.setAlpha(0.005); }},
    };
    for (const auto& c : cases) {
        auto cover = UIView::make({0, 0, 100, 100});
        t.container->addSubview(cover);
        c.change(*cover);
        EXPECT_EQ(t.root->hitTest({20, 30}, nullptr), overlay) << c.what;
        cover->removeFromSuperview();
    }
}

TEST(UIViewHitTest, HiddenOrNonInteractiveParentHidesItsSubtree) {
    Tree t;
    EXPECT_EQ(t.root->hitTest({20, 30}, nullptr), t.child);
    t.container->setUserInteractionEnabled(false);
    EXPECT_EQ(t.root->hitTest({20, 30}, nullptr), t.root);
    t.container->setUserInteractionEnabled(true);
    t.container->setHidden(true);
    EXPECT_EQ(t.root->hitTest({20, 30}, nullptr), t.root);
}

TEST(UIViewHitTest, SubviewsOutsideTheirSuperviewAreNotHit) {
    Tree t;
    t.child->setFrame({190, 190, 50, 50}); // reaches past the container's bounds
    EXPECT_EQ(t.root->hitTest({205, 215}, nullptr), t.child);
    EXPECT_EQ(t.root->hitTest({225, 235}, nullptr), t.root);
    EXPECT_EQ(t.root->hitTest({-1, 5}, nullptr), nullptr);
}

TEST(UIViewCoordinates, ConvertThroughFramesBoundsOriginAndTransform) {
    Tree t;
    EXPECT_EQ(t.child->convertPointTo({0, 0}, t.root.get()), (CGPoint{15, 25}));
    EXPECT_EQ(t.root->convertPointTo({15, 25}, t.child.get()), (CGPoint{0, 0}));

    // Scrolling the container's content shifts what lies under a point.
    t.container->setBounds({0, 100, 200, 200});
    EXPECT_EQ(t.child->convertPointTo({0, 0}, nullptr), (CGPoint{15, -75}));

    // A scale about the centre: the child's centre stays, its corner moves.
    t.container->setBounds({0, 0, 200, 200});
    t.child->setTransform(CGAffineTransform::makeScale(2, 2));
    EXPECT_EQ(t.child->frame(), (CGRect{-20, -20, 100, 100}));
    EXPECT_EQ(t.child->convertPointTo({0, 0}, t.container.get()), (CGPoint{-20, -20}));
    EXPECT_EQ(t.container->convertPointTo({-20, -20}, t.child.get()), (CGPoint{0, 0}));
    EXPECT_EQ(t.root->hitTest({10 + 70, 20 + 70}, nullptr), t.child);
}

TEST(UIViewTree, InsertBelowAndAboveKeepViewsAndLayersInStep) {
    auto root = UIView::make({0, 0, 100, 100});
    auto a = UIView::make(), b = UIView::make(), c = UIView::make();
    auto gradient = CAGradientLayer::make();
    root->layer()->insertSublayer(gradient, 0);
    root->addSubview(a);
    root->addSubview(c);
    root->insertSubviewBelow(b, c);
    ASSERT_EQ(root->subviews(), (std::vector<std::shared_ptr<UIView>>{a, b, c}));
    std::vector<std::shared_ptr<CALayer>> layers{gradient, a->layer(), b->layer(), c->layer()};
    EXPECT_EQ(root->layer()->sublayers(), layers);

    root->insertSubviewAbove(a, c);
    EXPECT_EQ(root->subviews(), (std::vector<std::shared_ptr<UIView>>{b, c, a}));
    EXPECT_EQ(root->layer()->sublayers().back(), a->layer());
    EXPECT_EQ(root->layer()->sublayers().front(), gradient);

    b->removeFromSuperview();
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_EQ(b->layer()->superlayer(), nullptr);
    EXPECT_EQ(root->subviews().size(), 2u);

    // A view cannot become a subview of its own descendant.
    a->addSubview(root);
    EXPECT_EQ(root->superview(), nullptr);
}

TEST(UIViewTree, SuperviewIsWeakAndTagsAreFound) {
    auto child = UIView::make();
    child->tag = 7;
    {
        auto parent = UIView::make();
        parent->addSubview(child);
        EXPECT_EQ(parent->viewWithTag(7), child);
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST(UIViewGeometry, AutoresizingFollowsTheSuperview) {
    auto parent = UIView::make({0, 0, 100, 100});
    auto fill = UIView::make({0, 0, 100, 100});
    fill->autoresizingMask = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
    auto pinnedRight = UIView::make({80, 10, 10, 10});
    pinnedRight->autoresizingMask = UIViewAutoresizingFlexibleLeftMargin;
    auto fixed = UIView::make({10, 10, 10, 10});
    parent->addSubview(fill);
    parent->addSubview(pinnedRight);
    parent->addSubview(fixed);
    parent->setFrame({0, 0, 200, 150});
    EXPECT_EQ(fill->frame(), (CGRect{0, 0, 200, 150}));
    EXPECT_EQ(pinnedRight->frame(), (CGRect{180, 10, 10, 10}));
    EXPECT_EQ(fixed->frame(), (CGRect{10, 10, 10, 10}));
}

TEST(UIViewLayout, LayoutSubviewsRunsOnceForMarkedViewsAndOnTheRunLoop) {
    struct Counting : UIView {
        int passes = 0;
        void layoutSubviews() override { ++passes; }
    };
    auto view = std::make_shared<Counting>();
    view->setFrame({0, 0, 10, 10});
    view->layoutIfNeeded();
    EXPECT_EQ(view->passes, 1);
    view->layoutIfNeeded();
    EXPECT_EQ(view->passes, 1);
    view->setNeedsLayout();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(view->passes, 2);
}

TEST(UIViewAppearance, TintAndTraitsComeFromTheNearestAncestor) {
    Tree t;
    EXPECT_EQ(t.child->tintColor(), UIColor::systemBlue());
    t.container->setTintColor(UIColor::systemRed());
    EXPECT_EQ(t.child->tintColor(), UIColor::systemRed());
    t.root->overrideUserInterfaceStyle = UIUserInterfaceStyle::dark;
    EXPECT_EQ(t.child->traitCollection().userInterfaceStyle, UIUserInterfaceStyle::dark);
    double r, g, b, a;
    UIColor::label().resolvedColor(t.child->traitCollection()).getRed(&r, &g, &b, &a);
    EXPECT_EQ(r, 1.0);
}

} // namespace

namespace {

TEST(UIViewAppearance, AlphaKeepsFullPrecisionAndFollowsTheLayer) {
    auto view = UIView::make();
    view->setAlpha(0.7);
    EXPECT_EQ(view->alpha(), 0.7);
    EXPECT_FLOAT_EQ(view->layer()->opacity, 0.7f);
    view->setAlpha(3);
    EXPECT_EQ(view->alpha(), 1.0);
    view->layer()->opacity = 0.25f; // changed on the layer directly
    EXPECT_EQ(view->alpha(), 0.25);
}

} // namespace
