#include "Render/CairoColor.h"

#include <cairo.h>

Rgba resolvedRgba(const UIColor& color, const UITraitCollection& traits) {
    UIColor resolved = color.resolvedColor(traits);
    if (resolved.isPattern())
        return {0.5, 0.5, 0.5, resolved.alpha()};
    Rgba c;
    if (!resolved.getRed(&c.r, &c.g, &c.b, &c.a)) {
        double w = 0;
        resolved.getWhite(&w, &c.a);
        c.r = c.g = c.b = w;
    }
    return c;
}

void setSourceColor(cairo_t* cr, const UIColor& color, double alpha,
                    const UITraitCollection& traits) {
    Rgba c = resolvedRgba(color, traits);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a * alpha);
}
