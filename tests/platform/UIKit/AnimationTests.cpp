#include "Foundation/RunLoop.h"
#include "UIKit/CAAnimationGroup.h"
#include "UIKit/CABasicAnimation.h"
#include "UIKit/CAGradientLayer.h"
#include "UIKit/CAKeyframeAnimation.h"
#include "UIKit/CASpringAnimation.h"
#include "UIKit/UIView.h"

#include <gtest/gtest.h>

namespace {

double presentedOpacity(const UIView& view) {
    return std::get<double>(*view.layer()->presentationLayer()->valueForKeyPath("opacity"));
}

TEST(UIViewAnimate, ModelChangesAtOnceAndCompletionFollowsTheVirtualClock) {
    auto view = UIView::make({0, 0, 100, 100});
    view->setAlpha(0);
    std::vector<bool> completions;
    UIView::animate(
        0.7, 0.2, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setAlpha(1);
            view->setHidden(true);
        },
        [&](bool finished) { completions.push_back(finished); });

    EXPECT_EQ(view->alpha(), 1);
    EXPECT_TRUE(view->isHidden());
    auto animation =
        std::dynamic_pointer_cast<CABasicAnimation>(view->layer()->animation("opacity"));
    ASSERT_TRUE(animation);
    EXPECT_EQ(std::get<double>(*animation->fromValue), 0);
    EXPECT_EQ(std::get<double>(*animation->toValue), 1);

    RunLoop::main().advance(0.1);
    EXPECT_DOUBLE_EQ(presentedOpacity(*view), 0); // still in the delay
    RunLoop::main().advance(0.45);
    EXPECT_NEAR(presentedOpacity(*view), 0.5, 1e-6);
    EXPECT_TRUE(completions.empty());
    RunLoop::main().advance(0.36);
    EXPECT_EQ(completions, std::vector<bool>{true});
    EXPECT_EQ(view->layer()->animation("opacity"), nullptr);
    EXPECT_DOUBLE_EQ(presentedOpacity(*view), 1);
}

TEST(UIViewAnimate, TransformAndFrameAreInterpolated) {
    auto view = UIView::make({0, 0, 100, 100});
    view->setTransform(CGAffineTransform::makeScale(0.6, 0.6));
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        view->setTransform(CGAffineTransform::identity());
        view->setFrame({100, 0, 100, 100});
    });
    EXPECT_TRUE(view->transform().isIdentity());
    RunLoop::main().advance(0.5);
    auto shown = view->layer()->presentationLayer();
    EXPECT_NEAR(shown->affineTransform().a, 0.8, 1e-9);
    EXPECT_NEAR(shown->position().x, 100, 1e-9);
}

TEST(UIViewAnimate, ReplacingARunningAnimationFinishesTheFirstAsInterrupted) {
    auto view = UIView::make({0, 0, 10, 10});
    std::vector<bool> first, second;
    UIView::animate(
        1.0, [&] { view->setAlpha(0.2); }, [&](bool f) { first.push_back(f); });
    RunLoop::main().advance(0.5);
    UIView::animate(
        1.0, [&] { view->setAlpha(1); }, [&](bool f) { second.push_back(f); });
    RunLoop::main().advance(0.01);
    EXPECT_EQ(first, std::vector<bool>{false});
    // The new animation starts from what was on screen, not from the old model value.
    auto replacement =
        std::dynamic_pointer_cast<CABasicAnimation>(view->layer()->animation("opacity"));
    double from = std::get<double>(*replacement->fromValue);
    EXPECT_GT(from, 0.2);
    EXPECT_LT(from, 1.0);
    RunLoop::main().advance(1.0);
    EXPECT_EQ(second, std::vector<bool>{true});
}

TEST(UIViewAnimate, NoChangeStillCompletesAfterTheDuration) {
    bool done = false;
    UIView::animate(
        0.3, [] {}, [&](bool f) { done = f; });
    RunLoop::main().advance(0.29);
    EXPECT_FALSE(done);
    RunLoop::main().advance(0.02);
    EXPECT_TRUE(done);
}

TEST(CAAnimations, KeyframesRepeatForeverAndAreRemovedByKey) {
    auto layer = CALayer::make();
    auto shake = CAKeyframeAnimation::make("transform.translation.x");
    shake->values = {-20.0, 20.0, 0.0};
    shake->duration = 0.6;
    layer->addAnimation(shake, "shake");
    RunLoop::main().advance(0.15);
    EXPECT_NEAR(
        std::get<double>(*layer->presentationLayer()->valueForKeyPath("transform.translation.x")),
        0, 1e-9);
    RunLoop::main().advance(0.5);
    EXPECT_EQ(layer->animation("shake"), nullptr);

    auto pulse = CASpringAnimation::make("transform.scale");
    pulse->fromValue = 0.98;
    pulse->toValue = 1.0;
    pulse->duration = 3;
    pulse->autoreverses = true;
    pulse->repeatCount = CAAnimation::infinity;
    pulse->damping = 1;
    pulse->initialVelocity = 0.1;
    layer->addAnimation(pulse, "pulse");
    RunLoop::main().advance(600);
    EXPECT_NE(layer->animation("pulse"), nullptr);
    EXPECT_EQ(layer->animationKeys(), std::vector<std::string>{"pulse"});
    layer->removeAnimation("pulse");
    EXPECT_TRUE(layer->animationKeys().empty());
}

TEST(CAAnimations, GroupGivesItsChildrenTheirPartOfEachLoop) {
    auto gradient = CAGradientLayer::make();
    gradient->colors = {UIColor::lightGray(), UIColor::white(), UIColor::lightGray()};
    gradient->locations = std::vector<double>{-1, -0.5, 0};
    auto sweep = CABasicAnimation::make("locations");
    sweep->fromValue = std::vector<double>{-1, -0.5, 0};
    sweep->toValue = std::vector<double>{1, 1.5, 2};
    sweep->duration = 0.5;
    auto group = CAAnimationGroup::make();
    group->animations = {sweep};
    group->duration = 1.5;
    group->repeatCount = CAAnimation::infinity;
    const double start = RunLoop::main().now();
    gradient->addAnimation(group, "locations");

    auto locationsAt = [&](double t) {
        return std::get<std::vector<double>>(
            *gradient->presentationLayer(start + t)->valueForKeyPath("locations"));
    };
    auto expectNear = [](const std::vector<double>& got, const std::vector<double>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], want[i], 1e-9);
    };
    expectNear(locationsAt(0.125), {-0.5, 0, 0.5});
    expectNear(locationsAt(1.0), {-1, -0.5, 0}); // resting between sweeps
    expectNear(locationsAt(1.5 * 7 + 0.125), {-0.5, 0, 0.5});
}

TEST(CAAnimations, TimingFunctionsAndSpringsEndWhereTheyShould) {
    CAMediaTimingFunction easeInOut(CAMediaTimingFunction::Name::easeInEaseOut);
    EXPECT_NEAR(easeInOut.evaluate(0.5), 0.5, 1e-6);
    EXPECT_LT(easeInOut.evaluate(0.2), 0.2);
    EXPECT_DOUBLE_EQ(easeInOut.evaluate(1), 1);

    CASpringAnimation spring;
    EXPECT_DOUBLE_EQ(spring.springFraction(0), 0);
    EXPECT_NEAR(spring.springFraction(spring.settlingDuration()), 1, 2e-3);
    spring.damping = 2 * std::sqrt(spring.stiffness * spring.mass); // critically damped
    for (double t = 0; t < 3; t += 0.05)
        EXPECT_LE(spring.springFraction(t), 1 + 1e-9);
}

} // namespace
