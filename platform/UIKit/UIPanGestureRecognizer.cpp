#include "UIKit/UIPanGestureRecognizer.h"

#include "UIKit/UITouch.h"
#include "UIKit/UIView.h"

#include <cmath>

CGPoint UIPanGestureRecognizer::current() const {
    return touches_.empty() ? lastPoint_ : touches_.front()->locationInRoot();
}

// Vectors convert between spaces without the translation part of the mapping.
CGPoint UIPanGestureRecognizer::vectorIn(CGPoint v, const UIView* view) const {
    if (!view)
        return v;
    CGPoint a = view->convertPointFrom({0, 0}, nullptr);
    CGPoint b = view->convertPointFrom(v, nullptr);
    return b - a;
}

CGPoint UIPanGestureRecognizer::vectorToRoot(CGPoint v, const UIView* view) const {
    if (!view)
        return v;
    CGPoint a = view->convertPointTo({0, 0}, nullptr);
    CGPoint b = view->convertPointTo(v, nullptr);
    return b - a;
}

CGPoint UIPanGestureRecognizer::translation(const UIView* view) const {
    return vectorIn(current() - reference_, view);
}

void UIPanGestureRecognizer::setTranslation(CGPoint translation, const UIView* view) {
    reference_ = current() - vectorToRoot(translation, view);
}

CGPoint UIPanGestureRecognizer::velocity(const UIView* view) const {
    return vectorIn(velocity_, view);
}

void UIPanGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    UIGestureRecognizer::touchesBegan(touches, event);
    if (touches.empty() || touches_.size() > touches.size())
        return;
    reference_ = lastPoint_ = touches.front()->locationInRoot();
    lastTime_ = touches.front()->timestamp;
    velocity_ = {};
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
    if (touches.empty() || isFinished())
        return;
    const auto& touch = touches.front();
    CGPoint p = touch->locationInRoot();
    double dt = touch->timestamp - lastTime_;
    if (dt > 0)
        velocity_ = {(p.x - lastPoint_.x) / dt, (p.y - lastPoint_.y) / dt};
    lastPoint_ = p;
    lastTime_ = touch->timestamp;
    if (state() == UIGestureRecognizerState::possible) {
        CGPoint d = p - reference_;
        if (std::hypot(d.x, d.y) < hysteresis)
            return;
        if (touches_.size() < minimumNumberOfTouches || touches_.size() > maximumNumberOfTouches ||
            !shouldBegin()) {
            setState(UIGestureRecognizerState::failed);
            return;
        }
        setState(UIGestureRecognizerState::began);
        return;
    }
    setState(UIGestureRecognizerState::changed);
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
    if (!touches.empty())
        lastPoint_ = touches.front()->locationInRoot();
    if (state() == UIGestureRecognizerState::began || state() == UIGestureRecognizerState::changed)
        setState(UIGestureRecognizerState::ended);
    else if (state() == UIGestureRecognizerState::possible)
        setState(UIGestureRecognizerState::failed);
}

void UIPanGestureRecognizer::reset() {
    UIGestureRecognizer::reset();
    velocity_ = {};
}
