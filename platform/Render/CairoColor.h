#pragma once

#include "UIKit/UIColor.h"
#include "UIKit/UITraitCollection.h"

typedef struct _cairo cairo_t;

// A colour's components, ready for cairo.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};

// Dynamic colours resolved for the traits; patterns give a neutral grey.
Rgba resolvedRgba(const UIColor& color,
                  const UITraitCollection& traits = UITraitCollection::current());
// Sets the colour as the source, its alpha multiplied by `alpha`.
void setSourceColor(cairo_t* cr, const UIColor& color, double alpha = 1,
                    const UITraitCollection& traits = UITraitCollection::current());
