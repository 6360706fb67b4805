#include "UIKit/CAAnimation.h"

#include <cmath>

double CAAnimation::activeDuration() const {
    double cycle = effectiveDuration() * (autoreverses ? 2 : 1);
    double total =
        repeatDuration > 0 ? repeatDuration : cycle * (repeatCount > 0 ? double(repeatCount) : 1.0);
    return speed > 0 ? total / speed : total;
}

std::optional<double> CAAnimation::localTime(double parentTime) const {
    double d = effectiveDuration();
    double cycle = d * (autoreverses ? 2 : 1);
    double total =
        repeatDuration > 0 ? repeatDuration : cycle * (repeatCount > 0 ? double(repeatCount) : 1.0);
    double t = (parentTime - beginTime) * speed + timeOffset;
    bool fillsBackwards = fillMode == CAFillMode::backwards || fillMode == CAFillMode::both;
    bool fillsForwards = fillMode == CAFillMode::forwards || fillMode == CAFillMode::both;
    if (t < 0) {
        if (!fillsBackwards)
            return std::nullopt;
        return 0.0;
    }
    if (t >= total) {
        if (!fillsForwards || std::isinf(total))
            return std::nullopt;
        t = total;
        double u = std::fmod(t, cycle);
        if (u == 0)
            return autoreverses ? 0.0 : d;
        return u > d ? 2 * d - u : u;
    }
    double u = std::fmod(t, cycle);
    return u > d ? 2 * d - u : u;
}

double CAAnimation::timed(double fraction) const {
    if (!timingFunction)
        return fraction;
    return timingFunction->evaluate(fraction);
}
