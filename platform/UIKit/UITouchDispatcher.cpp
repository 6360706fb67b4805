#include "UIKit/UITouchDispatcher.h"

#include "Foundation/RunLoop.h"
#include "UIKit/UIGestureRecognizer.h"
#include "UIKit/UIView.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double multiTapInterval = 0.35;
constexpr CGFloat multiTapDistance = 20;
} // namespace

void UITouchDispatcher::touchDown(CGPoint point) {
    if (touch_)
        touchCancel();
    auto root = root_.lock();
    if (!root)
        return;
    double now = RunLoop::main().now();
    touch_ = std::make_shared<UITouch>();
    touch_->root_ = root;
    touch_->location_ = touch_->previous_ = point;
    touch_->timestamp = now;
    touch_->phase = UITouchPhase::began;
    bool repeat =
        lastUpTime_ >= 0 && now - lastUpTime_ <= multiTapInterval &&
        std::hypot(point.x - lastUpPoint_.x, point.y - lastUpPoint_.y) <= multiTapDistance;
    touch_->tapCount = repeat ? lastTapCount_ + 1 : 1;
    event_ = UIEvent{UIEventType::touches, now, {touch_}};
    viewCancelled_ = false;

    view_ = root->hitTest(point, &event_);
    if (!view_)
        view_ = root;
    touch_->view_ = view_;
    recognizers_.clear();
    for (auto v = view_; v; v = v->superview()) {
        for (auto& r : v->gestureRecognizers()) {
            if (r->isEnabled())
                recognizers_.push_back(r);
        }
    }
    for (auto& r : recognizers_)
        touch_->recognizers_.push_back(r);
    deliverToRecognizers(&UIGestureRecognizer::touchesBegan);
    settleRecognizers();
    if (!viewCancelled_)
        view_->touchesBegan({touch_}, &event_);
}

void UITouchDispatcher::update(CGPoint point, UITouchPhase phase) {
    touch_->previous_ = touch_->location_;
    touch_->location_ = point;
    touch_->timestamp = RunLoop::main().now();
    touch_->phase = phase;
    event_.timestamp = touch_->timestamp;
}

void UITouchDispatcher::touchMove(CGPoint point) {
    if (!touch_)
        return;
    auto keepAlive = touch_;
    update(point, UITouchPhase::moved);
    deliverToRecognizers(&UIGestureRecognizer::touchesMoved);
    settleRecognizers();
    if (!viewCancelled_)
        view_->touchesMoved({touch_}, &event_);
}

void UITouchDispatcher::touchUp(CGPoint point) {
    if (!touch_)
        return;
    auto keepAlive = touch_;
    update(point, UITouchPhase::ended);
    deliverToRecognizers(&UIGestureRecognizer::touchesEnded);
    settleRecognizers();
    if (!viewCancelled_)
        view_->touchesEnded({touch_}, &event_);
    lastUpTime_ = touch_->timestamp;
    lastUpPoint_ = point;
    lastTapCount_ = touch_->tapCount;
    finish();
}

void UITouchDispatcher::touchCancel() {
    if (!touch_)
        return;
    auto keepAlive = touch_;
    touch_->phase = UITouchPhase::cancelled;
    deliverToRecognizers(&UIGestureRecognizer::touchesCancelled);
    if (!viewCancelled_)
        view_->touchesCancelled({touch_}, &event_);
    lastUpTime_ = -1;
    finish();
}

void UITouchDispatcher::deliverToRecognizers(void (UIGestureRecognizer::*step)(const UITouchSet&,
                                                                               UIEvent*)) {
    auto list = recognizers_;
    for (auto& r : list) {
        if (r->state() == UIGestureRecognizerState::failed ||
            r->state() == UIGestureRecognizerState::cancelled)
            continue;
        if (r->state() == UIGestureRecognizerState::ended)
            continue;
        ((*r).*step)({touch_}, &event_);
    }
}

// Once a recognizer has its gesture, the ones that have not fail (unless allowed to work
// alongside it) and the view loses the touch when the recognizer cancels touches in views.
void UITouchDispatcher::settleRecognizers() {
    for (auto& winner : recognizers_) {
        if (!winner->hasRecognized())
            continue;
        for (auto& other : recognizers_) {
            if (other == winner || other->hasRecognized() || other->isFinished())
                continue;
            bool together = false;
            if (auto d = winner->delegate.lock())
                together = d->shouldRecognizeSimultaneously(*winner, *other);
            if (auto d = other->delegate.lock())
                together = together || d->shouldRecognizeSimultaneously(*other, *winner);
            if (!together)
                other->touchesCancelled({touch_}, &event_);
        }
        if (winner->cancelsTouchesInView && !viewCancelled_) {
            viewCancelled_ = true;
            view_->touchesCancelled({touch_}, &event_);
        }
    }
}

void UITouchDispatcher::finish() {
    for (auto& r : recognizers_)
        r->reset();
    recognizers_.clear();
    touch_.reset();
    view_.reset();
}

void UITouchDispatcher::tap(CGPoint point) {
    touchDown(point);
    touchUp(point);
}

void UITouchDispatcher::drag(CGPoint from, CGPoint to, int steps) {
    touchDown(from);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i) {
        double f = double(i) / steps;
        touchMove({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
    }
    touchUp(to);
}

CGPoint UITouchDispatcher::centerOf(const UIView& view) const {
    CGRect b = view.bounds();
    return view.convertPointTo(b.center(), nullptr);
}
