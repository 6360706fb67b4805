#pragma once

#include "UIKit/CABasicAnimation.h"

// A basic animation whose progress follows a damped spring instead of a timing curve.
class CASpringAnimation : public CABasicAnimation {
  public:
    static std::shared_ptr<CASpringAnimation> make(const std::string& keyPath);
    std::shared_ptr<CAAnimation> copy() const override {
        return std::make_shared<CASpringAnimation>(*this);
    }

    double mass = 1;
    double stiffness = 100;
    double damping = 10;
    // In fractions of the whole distance per second.
    double initialVelocity = 0;

    // How long the spring takes to come to rest (within a thousandth of the distance).
    double settlingDuration() const;
    // The spring's fraction of the distance after `seconds`.
    double springFraction(double seconds) const;

  protected:
    double progressAt(double localTime) const override { return springFraction(localTime); }
};
