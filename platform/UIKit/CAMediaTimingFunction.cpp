#include "UIKit/CAMediaTimingFunction.h"

#include <algorithm>
#include <cmath>

CAMediaTimingFunction::CAMediaTimingFunction(Name name) {
    switch (name) {
    case Name::linear:
        *this = {0, 0, 1, 1};
        break;
    case Name::easeIn:
        *this = {0.42, 0, 1, 1};
        break;
    case Name::easeOut:
        *this = {0, 0, 0.58, 1};
        break;
    case Name::easeInEaseOut:
        *this = {0.42, 0, 0.58, 1};
        break;
    case Name::defaultTiming:
        *this = {0.25, 0.1, 0.25, 1};
        break;
    }
}

CAMediaTimingFunction::CAMediaTimingFunction(double c1x, double c1y, double c2x, double c2y)
    : c1x_(c1x), c1y_(c1y), c2x_(c2x), c2y_(c2y) {}

namespace {
double bezier(double t, double p1, double p2) {
    double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}
} // namespace

double CAMediaTimingFunction::evaluate(double x) const {
    x = std::clamp(x, 0.0, 1.0);
    if (c1x_ == c1y_ && c2x_ == c2y_)
        return x;
    // The curve's x grows with t, so bisection finds the t for x.
    double lo = 0, hi = 1, t = x;
    for (int i = 0; i < 60; ++i) {
        t = (lo + hi) / 2;
        if (bezier(t, c1x_, c2x_) < x)
            lo = t;
        else
            hi = t;
    }
    return bezier(t, c1y_, c2y_);
}
