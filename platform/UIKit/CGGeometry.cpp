#include "UIKit/CGGeometry.h"

#include <limits>

CGRect CGRect::null() {
    constexpr CGFloat inf = std::numeric_limits<CGFloat>::infinity();
    return {inf, inf, 0, 0};
}

bool CGRect::isNull() const {
    return std::isinf(origin.x) || std::isinf(origin.y);
}

bool CGRect::contains(CGPoint p) const {
    if (isNull())
        return false;
    return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
}

bool CGRect::contains(const CGRect& r) const {
    if (isNull() || r.isNull())
        return false;
    return r.minX() >= minX() && r.maxX() <= maxX() && r.minY() >= minY() && r.maxY() <= maxY();
}

bool CGRect::intersects(const CGRect& r) const {
    CGRect i = intersection(r);
    return !i.isNull() && i.width() > 0 && i.height() > 0;
}

CGRect CGRect::intersection(const CGRect& r) const {
    if (isNull() || r.isNull())
        return null();
    CGFloat x0 = std::max(minX(), r.minX());
    CGFloat y0 = std::max(minY(), r.minY());
    CGFloat x1 = std::min(maxX(), r.maxX());
    CGFloat y1 = std::min(maxY(), r.maxY());
    if (x1 < x0 || y1 < y0)
        return null();
    return {x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::unionWith(const CGRect& r) const {
    if (isNull())
        return r;
    if (r.isNull())
        return *this;
    CGFloat x0 = std::min(minX(), r.minX());
    CGFloat y0 = std::min(minY(), r.minY());
    CGFloat x1 = std::max(maxX(), r.maxX());
    CGFloat y1 = std::max(maxY(), r.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::insetBy(CGFloat dx, CGFloat dy) const {
    CGRect s = standardized();
    return {s.origin.x + dx, s.origin.y + dy, s.size.width - 2 * dx, s.size.height - 2 * dy};
}

CGRect CGRect::offsetBy(CGFloat dx, CGFloat dy) const {
    return {origin.x + dx, origin.y + dy, size.width, size.height};
}
