#include "UIKit/UITapGestureRecognizer.h"

#include "UIKit/UITouch.h"

#include <cmath>

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    UIGestureRecognizer::touchesBegan(touches, event);
    if (!touches.empty())
        start_ = touches.front()->locationInRoot();
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
    if (state() != UIGestureRecognizerState::possible || touches.empty())
        return;
    CGPoint p = touches.front()->locationInRoot();
    if (std::hypot(p.x - start_.x, p.y - start_.y) > allowableMovement)
        setState(UIGestureRecognizerState::failed);
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
    if (state() != UIGestureRecognizerState::possible || touches.empty())
        return;
    if (touches.front()->tapCount < numberOfTapsRequired)
        return;
    if (static_cast<int>(touches_.size()) < numberOfTouchesRequired || !shouldBegin()) {
        setState(UIGestureRecognizerState::failed);
        return;
    }
    setState(UIGestureRecognizerState::ended);
}
