#pragma once

#include "UIKit/CGGeometry.h"

class LayerRenderer;
class UIView;

// The content of the controls: button backgrounds and pressed tints, slider tracks and thumb,
// progress bars, text fields with placeholder and caret, the search field, the spinner's
// spokes and the page dots.
class ControlPainter {
  public:
    static void paint(LayerRenderer& renderer, UIView& view, const CGRect& bounds);
    static void paintOverlay(LayerRenderer& renderer, UIView& view, const CGRect& bounds);

    // The caret blinks on this period while a field is edited.
    static constexpr double caretPeriod = 1.0;
};
