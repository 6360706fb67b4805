#pragma once

typedef struct _cairo_surface cairo_surface_t;

// Blurs an A8 image surface in place: three box passes of half-width `radius` each way,
// close to a Gaussian of about that deviation.
void blurAlpha(cairo_surface_t* surface, int radius);
