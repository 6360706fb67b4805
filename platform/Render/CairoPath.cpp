#include "Render/CairoPath.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <vector>

void appendPath(cairo_t* cr, const CGPath& path) {
    using T = CGPath::ElementType;
    for (const auto& e : path.elements()) {
        switch (e.type) {
        case T::moveTo:
            cairo_move_to(cr, e.points[0].x, e.points[0].y);
            break;
        case T::lineTo:
            cairo_line_to(cr, e.points[0].x, e.points[0].y);
            break;
        case T::quadCurveTo: {
            double x0 = 0, y0 = 0;
            if (cairo_has_current_point(cr))
                cairo_get_current_point(cr, &x0, &y0);
            CGPoint c = e.points[0], p = e.points[1];
            cairo_curve_to(cr, x0 + 2.0 / 3 * (c.x - x0), y0 + 2.0 / 3 * (c.y - y0),
                           p.x + 2.0 / 3 * (c.x - p.x), p.y + 2.0 / 3 * (c.y - p.y), p.x, p.y);
            break;
        }
        case T::curveTo:
            cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y,
                           e.points[2].x, e.points[2].y);
            break;
        case T::arc:
            if (e.clockwise)
                cairo_arc(cr, e.points[0].x, e.points[0].y, e.radius, e.startAngle, e.endAngle);
            else
                cairo_arc_negative(cr, e.points[0].x, e.points[0].y, e.radius, e.startAngle,
                                   e.endAngle);
            break;
        case T::closeSubpath:
            cairo_close_path(cr);
            break;
        }
    }
}

void appendRoundedRect(cairo_t* cr, const CGRect& rect, CGFloat radius, CACornerMask corners) {
    CGRect r = rect.standardized();
    double maxRadius = std::min(r.size.width, r.size.height) / 2;
    radius = std::clamp(radius, 0.0, maxRadius);
    if (radius <= 0 || corners == 0) {
        cairo_rectangle(cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
        return;
    }
    auto radiusOf = [&](CACornerMask corner) { return (corners & corner) ? radius : 0.0; };
    double tl = radiusOf(kCALayerMinXMinYCorner), tr = radiusOf(kCALayerMaxXMinYCorner);
    double bl = radiusOf(kCALayerMinXMaxYCorner), br = radiusOf(kCALayerMaxXMaxYCorner);
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.maxX() - tr, r.minY() + tr, tr, -M_PI / 2, 0);
    cairo_arc(cr, r.maxX() - br, r.maxY() - br, br, 0, M_PI / 2);
    cairo_arc(cr, r.minX() + bl, r.maxY() - bl, bl, M_PI / 2, M_PI);
    cairo_arc(cr, r.minX() + tl, r.minY() + tl, tl, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

namespace {

struct Segment {
    double x0, y0, x1, y1, length;
    bool startsSubpath;
};

std::vector<Segment> flatten(cairo_t* cr) {
    std::vector<Segment> segments;
    cairo_path_t* path = cairo_copy_path_flat(cr);
    double cx = 0, cy = 0, sx = 0, sy = 0;
    bool fresh = true;
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        cairo_path_data_t* d = &path->data[i];
        switch (d->header.type) {
        case CAIRO_PATH_MOVE_TO:
            cx = sx = d[1].point.x;
            cy = sy = d[1].point.y;
            fresh = true;
            break;
        case CAIRO_PATH_LINE_TO:
        case CAIRO_PATH_CLOSE_PATH: {
            double x = d->header.type == CAIRO_PATH_CLOSE_PATH ? sx : d[1].point.x;
            double y = d->header.type == CAIRO_PATH_CLOSE_PATH ? sy : d[1].point.y;
            segments.push_back({cx, cy, x, y, std::hypot(x - cx, y - cy), fresh});
            fresh = false;
            cx = x, cy = y;
            break;
        }
        case CAIRO_PATH_CURVE_TO:
            break;
        }
    }
    cairo_path_destroy(path);
    return segments;
}

} // namespace

void trimCurrentPath(cairo_t* cr, double start, double end) {
    start = std::clamp(start, 0.0, 1.0);
    end = std::clamp(end, 0.0, 1.0);
    std::vector<Segment> segments = flatten(cr);
    cairo_new_path(cr);
    double total = 0;
    for (const auto& s : segments)
        total += s.length;
    if (total <= 0 || end <= start)
        return;
    double from = start * total, to = end * total, at = 0;
    bool drawing = false;
    for (const auto& s : segments) {
        double a = std::max(from, at), b = std::min(to, at + s.length);
        if (b > a && s.length > 0) {
            double t0 = (a - at) / s.length, t1 = (b - at) / s.length;
            if (!drawing || s.startsSubpath)
                cairo_move_to(cr, s.x0 + (s.x1 - s.x0) * t0, s.y0 + (s.y1 - s.y0) * t0);
            cairo_line_to(cr, s.x0 + (s.x1 - s.x0) * t1, s.y0 + (s.y1 - s.y0) * t1);
            drawing = true;
        } else {
            drawing = false;
        }
        at += s.length;
    }
}
