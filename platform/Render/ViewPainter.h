#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIView.h"

#include <functional>
#include <vector>

class LayerRenderer;

// Draws what a view shows beyond its layer: text, images, control tracks and thumbs, carets.
// `paint` runs above the layer's background and below its sublayers; `paintOverlay` above
// the sublayers (pressed-state tints, scroll indicators). Bounds are the layer's, as on screen.
class ViewPainter {
  public:
    static void paint(LayerRenderer& renderer, UIView& view, const CGRect& bounds);
    static void paintOverlay(LayerRenderer& renderer, UIView& view, const CGRect& bounds);

    // Kinds of view added elsewhere (bars, tables, alerts) give their painters here; the
    // first that answers true has drawn the view.
    using Painter = std::function<bool(LayerRenderer&, UIView&, const CGRect&)>;
    static void addPainter(Painter painter);
    static void addOverlayPainter(Painter painter);

  private:
    static std::vector<Painter>& painters();
    static std::vector<Painter>& overlayPainters();
};

// Where content of `size` sits in `bounds` for a content mode.
CGRect contentModeRect(UIViewContentMode mode, const CGRect& bounds, CGSize size);
