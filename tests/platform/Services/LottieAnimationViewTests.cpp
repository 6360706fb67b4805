#include "Foundation/Bundle.h"
#include "Foundation/Console.h"
#include "Foundation/RunLoop.h"
#include "Services/LottieAnimationView.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

Bundle kitBundle() {
    return *Bundle::at(mainResourcesPath() + "/Bootwell_Bootwell.bundle");
}

std::shared_ptr<LottieAnimationView> waves() {
    auto view = LottieAnimationView::named("waves", kitBundle());
    view->setFrame({0, 0, 390, 400});
    return view;
}

uint32_t alphaOf(uint32_t pixel) {
    return pixel >> 24;
}

size_t visiblePixels(const std::vector<uint32_t>& pixels) {
    return std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return alphaOf(p) > 0; });
}

} // namespace

TEST(LottieAnimationViewTests, LoadsTheKitAnimationAndItsMeasures) {
    auto view = waves();
    ASSERT_TRUE(view->hasAnimation());
    EXPECT_EQ(view->totalFrames(), 240u);
    EXPECT_DOUBLE_EQ(view->frameRate(), 30);
    EXPECT_EQ(view->animationSize(), (CGSize{390, 400}));
    EXPECT_EQ(view->intrinsicContentSize(), (CGSize{390, 400}));
    EXPECT_GT(visiblePixels(view->currentFramePixels(390, 400)), 1000u);
}

TEST(LottieAnimationViewTests, MissingAnimationDrawsAndPlaysNothing) {
    auto view = LottieAnimationView::named("no such animation", kitBundle());
    EXPECT_FALSE(view->hasAnimation());
    EXPECT_EQ(Console::printedLines().size(), 1u);
    std::vector<uint32_t> pixels(16 * 16, 0xFFFFFFFF);
    EXPECT_FALSE(view->renderCurrentFrame(pixels.data(), 16, 16, 16 * 4));
    EXPECT_EQ(visiblePixels(pixels), 0u);
    std::optional<bool> finished;
    view->play(0, 100, std::nullopt, [&](bool done) { finished = done; });
    EXPECT_EQ(finished, false);
    EXPECT_FALSE(view->isAnimationPlaying());
}

TEST(LottieAnimationViewTests, ColourThroughRepeatedWildcardsReachesEveryPaint) {
    auto view = waves();
    view->setCurrentFrame(60);
    view->setColorValue(UIColor::rgba(1, 0, 0, 1), AnimationKeypath({"**", "**", "**", "Color"}));
    auto pixels = view->currentFramePixels(390, 400);
    ASSERT_GT(visiblePixels(pixels), 1000u);
    for (uint32_t p : pixels) {
        // Premultiplied ARGB: only red may be left where anything is drawn.
        ASSERT_EQ(p & 0x0000FFFF, 0u);
    }
}

TEST(LottieAnimationViewTests, ColourOnOneNamedPaintLeavesTheOthers) {
    auto view = waves();
    view->setCurrentFrame(60);
    auto before = view->currentFramePixels(390, 400);
    view->setColorValue(UIColor::rgba(1, 0, 0, 1),
                        AnimationKeypath::fromString("Wave Front.Wave.Fill.Color"));
    auto after = view->currentFramePixels(390, 400);
    EXPECT_NE(before, after);
    bool othersStay =
        std::any_of(after.begin(), after.end(), [](uint32_t p) { return (p & 0xFF) > 0x20; });
    EXPECT_TRUE(othersStay);
}

TEST(LottieAnimationViewTests, KeypathCollapsesRunsOfDoubleWildcards) {
    struct Case {
        const char* dotted;
        const char* owner;
        const char* property;
    };
    for (const Case& c : {Case{"**.**.**.Color", "**", "Color"},
                          Case{"Wave Front.Wave.Fill.Color", "Wave Front.Wave.Fill", "Color"},
                          Case{"**.Wave.**.**.Color", "**.Wave.**", "Color"},
                          Case{"Color", "", "Color"}, Case{"", "", ""}}) {
        auto path = AnimationKeypath::fromString(c.dotted);
        EXPECT_EQ(path.ownerPath(), c.owner) << c.dotted;
        EXPECT_EQ(path.propertyName(), c.property) << c.dotted;
    }
}

TEST(LottieAnimationViewTests, PlaysOnceBetweenTwoFramesOnTheRunLoopClock) {
    auto view = waves();
    int calls = 0;
    bool result = false;
    view->play(0, 100, LottieLoopMode::playOnce, [&](bool finished) {
        ++calls;
        result = finished;
    });
    EXPECT_TRUE(view->isAnimationPlaying());
    auto first = view->currentFramePixels(100, 100);
    RunLoop::main().advance(1.0);
    EXPECT_NEAR(view->currentFrame(), 30, 0.01);
    EXPECT_EQ(view->renderedFrameNumber(), 30u);
    EXPECT_NE(view->currentFramePixels(100, 100), first);
    RunLoop::main().advance(2.4);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(result);
    EXPECT_FALSE(view->isAnimationPlaying());
    EXPECT_DOUBLE_EQ(view->currentFrame(), 100);
    RunLoop::main().advance(5);
    EXPECT_EQ(calls, 1);
}

TEST(LottieAnimationViewTests, LoopsUntilANewRequestCutsItShort) {
    auto view = waves();
    std::optional<bool> first;
    view->play(150, 200, LottieLoopMode::loop, [&](bool finished) { first = finished; });
    RunLoop::main().advance(2.0); // 60 frames: one pass of 50 and 10 more
    EXPECT_TRUE(view->isAnimationPlaying());
    EXPECT_NEAR(view->currentFrame(), 160, 0.01);
    EXPECT_FALSE(first);
    view->play(200, 150, LottieLoopMode::playOnce);
    EXPECT_EQ(first, false);
    RunLoop::main().advance(1.0);
    EXPECT_NEAR(view->currentFrame(), 170, 0.01);
}

TEST(LottieAnimationViewTests, PauseHoldsTheFrameAndStopGoesBackToTheStart) {
    auto view = waves();
    std::optional<bool> finished;
    view->play(0, 200, std::nullopt, [&](bool done) { finished = done; });
    RunLoop::main().advance(0.5);
    view->pause();
    EXPECT_EQ(finished, false);
    RunLoop::main().advance(1.0);
    EXPECT_NEAR(view->currentFrame(), 15, 0.01);
    view->stop();
    EXPECT_DOUBLE_EQ(view->currentFrame(), 0);
}

TEST(LottieAnimationViewTests, ContentModePlacesTheAnimationInTheBounds) {
    struct Case {
        UIViewContentMode mode;
        CGRect expected;
    };
    auto view = waves();
    view->setFrame({0, 0, 195, 100});
    for (const Case& c : {Case{UIViewContentMode::scaleToFill, {0, 0, 195, 100}},
                          Case{UIViewContentMode::scaleAspectFit, {48.75, 0, 97.5, 100}},
                          Case{UIViewContentMode::scaleAspectFill, {0, -50, 195, 200}},
                          Case{UIViewContentMode::center, {-97.5, -150, 390, 400}},
                          Case{UIViewContentMode::topLeft, {0, 0, 390, 400}},
                          Case{UIViewContentMode::bottomRight, {-195, -300, 390, 400}}}) {
        view->contentMode = c.mode;
        EXPECT_EQ(view->contentRect(), c.expected) << int(c.mode);
    }
}

TEST(LottieAnimationViewTests, AspectFitLeavesTheMarginsClearAtAnyPixelScale) {
    auto view = waves();
    view->setFrame({0, 0, 195, 100});
    view->contentMode = UIViewContentMode::scaleAspectFit;
    view->setCurrentFrame(60);
    // Twice the points in pixels, as on a high-density display.
    auto pixels = view->currentFramePixels(390, 200);
    size_t outside = 0;
    for (size_t y = 0; y < 200; ++y)
        for (size_t x = 0; x < 390; ++x)
            if ((x < 97 || x >= 293) && alphaOf(pixels[y * 390 + x]) > 0)
                ++outside;
    EXPECT_EQ(outside, 0u);
    EXPECT_GT(visiblePixels(pixels), 500u);
}
