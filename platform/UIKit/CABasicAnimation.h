#pragma once

#include "UIKit/CAAnimation.h"

// Moves one key path from a value to a value. A missing end is the layer's model value.
class CABasicAnimation : public CAPropertyAnimation {
  public:
    static std::shared_ptr<CABasicAnimation> make(const std::string& keyPath);
    std::shared_ptr<CAAnimation> copy() const override {
        return std::make_shared<CABasicAnimation>(*this);
    }

    std::optional<CAAnimationValue> fromValue;
    std::optional<CAAnimationValue> toValue;
    std::optional<CAAnimationValue> byValue;

    // The value at fraction `progress` of one pass.
    CAAnimationValue valueAt(double progress, const CALayer& model) const;
    void sample(double parentTime, const CALayer& model,
                std::vector<CAAnimationSample>& out) const override;

  protected:
    virtual double progressAt(double localTime) const;
};
