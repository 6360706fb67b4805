#pragma once

#include "UIKit/CGGeometry.h"

#include <memory>

class UIView;

// The screen the window shows until the application gives it one of its own: the dark
// gradient with a sample of every control, so the look can be checked by eye and in snapshots.
class GalleryScreen {
  public:
    static std::shared_ptr<UIView> make(CGSize size);
};
