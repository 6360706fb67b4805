#pragma once

#include "UIKit/CAAnimation.h"

enum class CAAnimationCalculationMode { linear, discrete, paced };

// Moves one key path through a list of values, evenly spaced unless keyTimes are given.
class CAKeyframeAnimation : public CAPropertyAnimation {
  public:
    static std::shared_ptr<CAKeyframeAnimation> make(const std::string& keyPath);
    std::shared_ptr<CAAnimation> copy() const override {
        return std::make_shared<CAKeyframeAnimation>(*this);
    }

    std::vector<CAAnimationValue> values;
    // Fractions of the duration, one per value, rising from 0 to 1.
    std::optional<std::vector<double>> keyTimes;
    // One per segment between values.
    std::vector<CAMediaTimingFunction> timingFunctions;
    CAAnimationCalculationMode calculationMode = CAAnimationCalculationMode::linear;

    std::optional<CAAnimationValue> valueAt(double progress) const;
    void sample(double parentTime, const CALayer& model,
                std::vector<CAAnimationSample>& out) const override;
};
