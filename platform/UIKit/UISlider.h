#pragma once

#include "UIKit/UIControl.h"

#include <map>
#include <optional>

class UIImage;

// A thumb on a track between minimumValue and maximumValue. Dragging the thumb moves the value
// with the finger (isTracking while it does) and sends valueChanged on each move, or once at
// the end when not continuous.
class UISlider : public UIControl {
  public:
    using UIControl::UIControl;
    static std::shared_ptr<UISlider> make(const CGRect& frame = {}) {
        return std::make_shared<UISlider>(frame);
    }

    float value() const { return value_; }
    // Clamped to the range. `animated` slides the thumb on screen; the value changes at once.
    void setValue(float value, bool animated = false);
    float minimumValue() const { return minimum_; }
    float maximumValue() const { return maximum_; }
    void setMinimumValue(float value);
    void setMaximumValue(float value);
    bool isContinuous = true;
    std::optional<UIColor> minimumTrackTintColor;
    std::optional<UIColor> maximumTrackTintColor;
    std::optional<UIColor> thumbTintColor;
    void setThumbImage(const std::shared_ptr<UIImage>& image, UIControlState state);
    std::shared_ptr<UIImage> thumbImage(UIControlState state) const;
    std::shared_ptr<UIImage> currentThumbImage() const { return thumbImage(state()); }

    CGRect trackRect(const CGRect& bounds) const;
    CGRect thumbRect(const CGRect& bounds, const CGRect& track, float value) const;

    bool beginTracking(UITouch& touch, UIEvent* event) override;
    bool continueTracking(UITouch& touch, UIEvent* event) override;
    void endTracking(UITouch* touch, UIEvent* event) override;
    CGSize intrinsicContentSize() const override { return {noIntrinsicMetric, 31}; }

  private:
    static constexpr CGFloat thumbSize = 28;
    float value_ = 0;
    float minimum_ = 0;
    float maximum_ = 1;
    float startValue_ = 0;
    CGFloat startX_ = 0;
    bool changedWhileTracking_ = false;
    std::map<uint32_t, std::shared_ptr<UIImage>> thumbImages_;
};
