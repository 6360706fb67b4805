#include "UIKit/CASpringAnimation.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<CASpringAnimation> CASpringAnimation::make(const std::string& keyPath) {
    auto a = std::make_shared<CASpringAnimation>();
    a->keyPath = keyPath;
    return a;
}

// The displacement x from rest solves m x'' + c x' + k x = 0 with x(0) = 1 and
// x'(0) = -initialVelocity; the fraction travelled is 1 - x.
double CASpringAnimation::springFraction(double t) const {
    double m = std::max(mass, 1e-6), k = std::max(stiffness, 1e-6), c = std::max(damping, 0.0);
    double w0 = std::sqrt(k / m);
    double zeta = c / (2 * std::sqrt(k * m));
    double v0 = -initialVelocity;
    double x;
    if (zeta < 1) {
        double wd = w0 * std::sqrt(1 - zeta * zeta);
        x = std::exp(-zeta * w0 * t) *
            (std::cos(wd * t) + (zeta * w0 + v0) / wd * std::sin(wd * t));
    } else if (zeta == 1) {
        x = std::exp(-w0 * t) * (1 + (w0 + v0) * t);
    } else {
        double s = w0 * std::sqrt(zeta * zeta - 1);
        double r1 = -zeta * w0 + s, r2 = -zeta * w0 - s;
        double c2 = (v0 - r1) / (r2 - r1);
        double c1 = 1 - c2;
        x = c1 * std::exp(r1 * t) + c2 * std::exp(r2 * t);
    }
    return 1 - x;
}

double CASpringAnimation::settlingDuration() const {
    const double step = 1.0 / 60;
    double restSince = 0;
    for (double t = 0; t < 60; t += step) {
        if (std::fabs(1 - springFraction(t)) > 1e-3)
            restSince = t + step;
        else if (t - restSince > 0.5)
            break;
    }
    return restSince;
}
