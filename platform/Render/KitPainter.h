#pragma once

#include "UIKit/CGGeometry.h"

class LayerRenderer;
class UIView;

// How the kit's composite views look beyond their subviews: the navigation bar's material and
// hairline, table rows' default selection, separators and disclosure marks, and alerts and
// action sheets as a phone draws them (rounded panels, hairlines between stacked buttons, the
// cancel button set apart in a panel of its own).
class KitPainter {
  public:
    // True when the view's background was drawn here instead of from its layer.
    static bool paintBackground(LayerRenderer& renderer, UIView& view, const CGRect& bounds);
    static void paint(LayerRenderer& renderer, UIView& view, const CGRect& bounds);
    static void paintOverlay(LayerRenderer& renderer, UIView& view, const CGRect& bounds);
};
