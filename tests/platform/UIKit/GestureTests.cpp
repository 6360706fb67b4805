#include "UIKit/UIPanGestureRecognizer.h"
#include "UIKit/UITapGestureRecognizer.h"
#include "UIKit/UITouchDispatcher.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"

#include <gtest/gtest.h>

namespace {

// A handle inside a strip; the pan reports what a drag handler reads.
struct Drag {
    UIGestureRecognizerState state;
    CGPoint translation;
};

struct PanFixture : ::testing::Test {
    std::shared_ptr<UIView> root = UIView::make({0, 0, 400, 400});
    std::shared_ptr<UIView> strip = UIView::make({50, 100, 300, 60});
    std::shared_ptr<UIView> handle = UIView::make({0, 0, 20, 60});
    std::shared_ptr<UIPanGestureRecognizer> pan = UIPanGestureRecognizer::make();
    std::vector<Drag> seen;
    UITouchDispatcher touches{root};

    void SetUp() override {
        root->addSubview(strip);
        strip->addSubview(handle);
        pan->addAction([this](UIGestureRecognizer& r) {
            auto& p = static_cast<UIPanGestureRecognizer&>(r);
            seen.push_back({p.state(), p.translation(p.view()->superview().get())});
        });
        handle->addGestureRecognizer(pan);
    }
};

TEST_F(PanFixture, GoesThroughBeganChangedEndedWithTheTranslationFromTouchDown) {
    touches.touchDown({60, 130});
    touches.touchMove({65, 130}); // within the hysteresis: nothing yet
    EXPECT_TRUE(seen.empty());
    touches.touchMove({75, 131});
    touches.touchMove({110, 132});
    touches.touchUp({110, 132});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].state, UIGestureRecognizerState::began);
    EXPECT_EQ(seen[0].translation, (CGPoint{15, 1}));
    EXPECT_EQ(seen[1].state, UIGestureRecognizerState::changed);
    EXPECT_EQ(seen[1].translation, (CGPoint{50, 2}));
    EXPECT_EQ(seen[2].state, UIGestureRecognizerState::ended);
    EXPECT_EQ(seen[2].translation, (CGPoint{50, 2}));
    EXPECT_EQ(pan->state(), UIGestureRecognizerState::possible);
}

TEST_F(PanFixture, CancelledTouchCancelsTheGestureAndSetTranslationResetsIt) {
    touches.touchDown({60, 130});
    touches.touchMove({80, 130});
    pan->setTranslation({0, 0}, strip.get());
    touches.touchMove({90, 130});
    touches.touchCancel();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].translation, (CGPoint{10, 0}));
    EXPECT_EQ(seen[2].state, UIGestureRecognizerState::cancelled);
}

TEST_F(PanFixture, TranslationIsMeasuredInTheAskedViewsSpace) {
    handle->setFrame({140, 0, 20, 60}); // the middle of the strip, which stays on screen
    strip->setTransform(CGAffineTransform::makeScale(2, 2));
    touches.touchDown(touches.centerOf(*handle));
    CGPoint start = touches.centerOf(*handle);
    touches.touchMove({start.x + 40, start.y});
    EXPECT_EQ(pan->translation(nullptr), (CGPoint{40, 0}));
    EXPECT_EQ(pan->translation(handle.get()), (CGPoint{20, 0}));
    touches.touchUp({start.x + 40, start.y});
}

TEST_F(PanFixture, ATouchOutsideTheHandleDoesNotStartIt) {
    touches.drag({300, 130}, {350, 130});
    EXPECT_TRUE(seen.empty());
}

TEST(TapGesture, RecognizesOnLiftOffButFailsWhenTheTouchWanders) {
    auto root = UIView::make({0, 0, 200, 200});
    auto tap = UITapGestureRecognizer::make();
    int taps = 0;
    CGPoint where;
    tap->addAction([&](UIGestureRecognizer& r) {
        EXPECT_EQ(r.state(), UIGestureRecognizerState::ended);
        where = r.location(nullptr);
        ++taps;
    });
    root->addGestureRecognizer(tap);
    UITouchDispatcher touches(root);
    touches.tap({50, 50});
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(where, (CGPoint{50, 50}));
    touches.drag({50, 50}, {100, 50});
    EXPECT_EQ(taps, 1);

    // A double tap needs two touches close in time and place.
    tap->numberOfTapsRequired = 2;
    touches.tap({50, 50});
    EXPECT_EQ(taps, 1);
    touches.tap({52, 50});
    EXPECT_EQ(taps, 2);
}

TEST(TapGesture, ARecognizedGestureCancelsTheViewsTouches) {
    struct Recording : UIView {
        std::vector<std::string> calls;
        void touchesBegan(const UITouchSet&, UIEvent*) override { calls.push_back("began"); }
        void touchesEnded(const UITouchSet&, UIEvent*) override { calls.push_back("ended"); }
        void touchesCancelled(const UITouchSet&, UIEvent*) override {
            calls.push_back("cancelled");
        }
    };
    auto root = std::make_shared<Recording>();
    root->setFrame({0, 0, 100, 100});
    auto tap = UITapGestureRecognizer::make();
    root->addGestureRecognizer(tap);
    UITouchDispatcher touches(root);
    touches.tap({10, 10});
    EXPECT_EQ(root->calls, (std::vector<std::string>{"began", "cancelled"}));
    root->calls.clear();
    tap->cancelsTouchesInView = false;
    touches.tap({10, 10});
    EXPECT_EQ(root->calls, (std::vector<std::string>{"began", "ended"}));
}

// The window routes touches with a dispatcher it keeps, so taps in a row count as a double
// tap there too, and a window once tapped is still freed when let go.
TEST(TapGesture, WindowRoutingCountsDoubleTapsAndLetsTheWindowGo) {
    auto window = UIWindow::make();
    window->setFrame({0, 0, 200, 200});
    auto tap = UITapGestureRecognizer::make();
    tap->numberOfTapsRequired = 2;
    int taps = 0;
    tap->addAction([&](UIGestureRecognizer&) { ++taps; });
    window->addGestureRecognizer(tap);
    window->tap({50, 50});
    window->tap({51, 50});
    EXPECT_EQ(taps, 1);

    std::weak_ptr<UIWindow> weak = window;
    window.reset();
    EXPECT_TRUE(weak.expired());
}

} // namespace
