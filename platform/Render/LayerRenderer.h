#pragma once

#include "UIKit/CALayer.h"

#include <memory>

typedef struct _cairo cairo_t;
class UIView;

// Draws a layer tree with cairo as it stands at one moment: each layer's presentation values
// (its running animations applied), then background, gradient or shape, contents, the view's
// own content, sublayers in z order, border; with opacity, corner clipping, shadows and masks.
// User space is points; the cairo transform decides the scale.
class LayerRenderer {
  public:
    LayerRenderer(cairo_t* cr, double time);

    // Draws `layer` in its superlayer's coordinates (its frame where it stands).
    void draw(const CALayer& layer);
    // Draws the tree of a view with the view's frame origin at (0, 0).
    void drawView(const UIView& view);

    // Whether anything drawn had a running animation, so the next frame differs.
    bool sawAnimation() const { return sawAnimation_; }
    // Whether anything drawn changes with time alone (a blinking caret).
    bool needsTimedFrames() const { return timed_; }
    void markTimed() { timed_ = true; }
    double time() const { return time_; }
    cairo_t* context() const { return cr_; }

  private:
    void drawResolved(const CALayer& layer, bool withShadow);
    void drawBody(const CALayer& layer);
    void drawMasked(const CALayer& layer);
    void drawShadow(const CALayer& layer);
    void drawBackground(const CALayer& layer);
    void drawGradient(const CALayer& layer);
    void drawShape(const CALayer& layer);
    void drawContents(const CALayer& layer);
    void drawSublayers(const CALayer& layer);
    void drawBorder(const CALayer& layer);
    void applyGeometry(const CALayer& layer);

    cairo_t* cr_;
    double time_;
    bool sawAnimation_ = false;
    bool timed_ = false;
};
