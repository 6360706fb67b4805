#pragma once

#include <string>

// A timing curve: a cubic Bézier from (0, 0) to (1, 1) with two control points.
class CAMediaTimingFunction {
  public:
    enum class Name { linear, easeIn, easeOut, easeInEaseOut, defaultTiming };

    CAMediaTimingFunction() : CAMediaTimingFunction(Name::linear) {}
    explicit CAMediaTimingFunction(Name name);
    CAMediaTimingFunction(double c1x, double c1y, double c2x, double c2y);

    // The curve's output for a time fraction in [0, 1].
    double evaluate(double x) const;
    bool operator==(const CAMediaTimingFunction&) const = default;

  private:
    double c1x_ = 0, c1y_ = 0, c2x_ = 1, c2y_ = 1;
};
