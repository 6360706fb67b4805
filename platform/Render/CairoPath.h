#pragma once

#include "UIKit/CALayer.h"
#include "UIKit/CGGeometry.h"
#include "UIKit/CGPath.h"

typedef struct _cairo cairo_t;

// Adds a path's steps to cairo's current path. Angles grow clockwise on screen (y down).
void appendPath(cairo_t* cr, const CGPath& path);
// A rectangle with the masked corners rounded (radius capped at half the shorter side).
void appendRoundedRect(cairo_t* cr, const CGRect& rect, CGFloat radius,
                       CACornerMask corners = kCALayerAllCorners);
// Keeps only the part of cairo's current path between two fractions of its length.
void trimCurrentPath(cairo_t* cr, double start, double end);
