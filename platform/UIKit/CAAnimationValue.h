#pragma once

#include "UIKit/CGAffineTransform.h"
#include "UIKit/CGGeometry.h"
#include "UIKit/UIColor.h"

#include <variant>
#include <vector>

// A value an animation moves a layer property through.
using CAAnimationValue =
    std::variant<double, CGPoint, CGSize, CGRect, CGAffineTransform, std::vector<double>, UIColor>;

// The value at fraction `t` of the way from `from` to `to` (t may leave [0, 1], as springs
// overshoot). Values of different kinds jump at the midpoint.
CAAnimationValue interpolate(const CAAnimationValue& from, const CAAnimationValue& to, double t);
// from + by, for animations given a step instead of an end.
CAAnimationValue addValues(const CAAnimationValue& from, const CAAnimationValue& by);
