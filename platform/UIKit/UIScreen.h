#pragma once

#include "UIKit/CGGeometry.h"

// The display the application runs on: a phone of 390 × 844 points unless the application
// was started as a pad.
class UIScreen {
  public:
    static UIScreen& main();

    CGRect bounds() const { return bounds_; }
    CGFloat scale() const { return scale_; }
    // Set once at start-up (the window does this for a pad).
    void configure(CGSize size, CGFloat scale);

  private:
    CGRect bounds_{0, 0, 390, 844};
    CGFloat scale_ = 3;
};
