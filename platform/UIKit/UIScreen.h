#pragma once

#include "UIKit/CGGeometry.h"

// The device's screen; its size follows the device's idiom.
class UIScreen {
  public:
    static UIScreen& main();

    CGRect bounds() const;
    CGFloat scale() const { return scale_; }
    void setScale(CGFloat scale) { scale_ = scale; }

  private:
    UIScreen() = default;
    CGFloat scale_ = 2;
};
