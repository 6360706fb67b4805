#pragma once

#include "UIKit/CGGeometry.h"

#include <memory>

class UIView;
class UIViewController;

// The screen the window shows until the application gives it one of its own: the dark
// gradient with a sample of every control, so the look can be checked by eye and in snapshots.
class GalleryScreen {
  public:
    static std::shared_ptr<UIView> make(CGSize size);
    // A controller showing it at the screen's size.
    static std::shared_ptr<UIViewController> makeController();
    // A navigation stack showing a table of `rows` files under its bar, titled "Library".
    static std::shared_ptr<UIViewController> makeList(int rows);
};
