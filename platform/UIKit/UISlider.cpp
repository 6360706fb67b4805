#include "UIKit/UISlider.h"

#include "UIKit/UITouch.h"

#include <algorithm>

void UISlider::setValue(float value, bool) {
    float clamped = std::clamp(value, minimum_, std::max(minimum_, maximum_));
    if (clamped == value_)
        return;
    value_ = clamped;
    setNeedsDisplay();
}

void UISlider::setMinimumValue(float value) {
    minimum_ = value;
    if (maximum_ < minimum_)
        maximum_ = minimum_;
    setValue(value_);
}

void UISlider::setMaximumValue(float value) {
    maximum_ = value;
    if (minimum_ > maximum_)
        minimum_ = maximum_;
    setValue(value_);
}

void UISlider::setThumbImage(const std::shared_ptr<UIImage>& image, UIControlState state) {
    thumbImages_[state] = image;
    setNeedsDisplay();
}

std::shared_ptr<UIImage> UISlider::thumbImage(UIControlState state) const {
    auto it = thumbImages_.find(state);
    if (it == thumbImages_.end())
        it = thumbImages_.find(UIControlStateNormal);
    return it == thumbImages_.end() ? nullptr : it->second;
}

CGRect UISlider::trackRect(const CGRect& b) const {
    return {b.minX(), b.midY() - 2, b.width(), 4};
}

CGRect UISlider::thumbRect(const CGRect& b, const CGRect& track, float value) const {
    (void)b;
    float range = maximum_ - minimum_;
    double fraction = range > 0 ? (value - minimum_) / range : 0;
    CGFloat travel = std::max(0.0, track.width() - thumbSize);
    CGFloat x = track.minX() + travel * fraction;
    return {x, track.midY() - thumbSize / 2, thumbSize, thumbSize};
}

bool UISlider::beginTracking(UITouch& touch, UIEvent*) {
    CGRect thumb = thumbRect(bounds(), trackRect(bounds()), value_);
    CGPoint p = touch.location(this);
    if (!thumb.insetBy(-10, -10).contains(p))
        return false;
    startValue_ = value_;
    startX_ = p.x;
    changedWhileTracking_ = false;
    return true;
}

bool UISlider::continueTracking(UITouch& touch, UIEvent* event) {
    CGFloat travel = std::max(1.0, trackRect(bounds()).width() - thumbSize);
    CGFloat dx = touch.location(this).x - startX_;
    float before = value_;
    setValue(startValue_ + static_cast<float>(dx / travel) * (maximum_ - minimum_));
    if (value_ != before) {
        changedWhileTracking_ = true;
        if (isContinuous)
            sendActions(UIControlEventValueChanged, event);
    }
    return true;
}

void UISlider::endTracking(UITouch*, UIEvent* event) {
    if (!isContinuous && changedWhileTracking_)
        sendActions(UIControlEventValueChanged, event);
}
