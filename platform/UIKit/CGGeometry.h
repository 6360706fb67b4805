#pragma once

#include <algorithm>
#include <cmath>

// Points, sizes and rectangles in points. Rectangles may have negative sizes; the min/max
// accessors and `standardized` treat them as the area they cover.
using CGFloat = double;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;

    static CGPoint zero() { return {}; }
    bool operator==(const CGPoint&) const = default;
    CGPoint operator+(const CGPoint& o) const { return {x + o.x, y + o.y}; }
    CGPoint operator-(const CGPoint& o) const { return {x - o.x, y - o.y}; }
    CGPoint operator*(CGFloat s) const { return {x * s, y * s}; }
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;

    static CGSize zero() { return {}; }
    bool operator==(const CGSize&) const = default;
};

struct CGVector {
    CGFloat dx = 0;
    CGFloat dy = 0;
    bool operator==(const CGVector&) const = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;

    CGRect() = default;
    CGRect(CGPoint o, CGSize s) : origin(o), size(s) {}
    CGRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) : origin{x, y}, size{w, h} {}

    static CGRect zero() { return {}; }
    // The rectangle of no area that every union ignores.
    static CGRect null();

    bool operator==(const CGRect&) const = default;

    CGFloat width() const { return std::fabs(size.width); }
    CGFloat height() const { return std::fabs(size.height); }
    CGFloat minX() const { return std::min(origin.x, origin.x + size.width); }
    CGFloat maxX() const { return std::max(origin.x, origin.x + size.width); }
    CGFloat midX() const { return origin.x + size.width / 2; }
    CGFloat minY() const { return std::min(origin.y, origin.y + size.height); }
    CGFloat maxY() const { return std::max(origin.y, origin.y + size.height); }
    CGFloat midY() const { return origin.y + size.height / 2; }
    CGPoint center() const { return {midX(), midY()}; }

    bool isNull() const;
    bool isEmpty() const { return isNull() || size.width == 0 || size.height == 0; }
    CGRect standardized() const { return {minX(), minY(), width(), height()}; }
    // Half-open on the far edges, as hit-testing expects.
    bool contains(CGPoint p) const;
    bool contains(const CGRect& r) const;
    bool intersects(const CGRect& r) const;
    CGRect intersection(const CGRect& r) const;
    CGRect unionWith(const CGRect& r) const;
    // Positive values shrink the rectangle.
    CGRect insetBy(CGFloat dx, CGFloat dy) const;
    CGRect offsetBy(CGFloat dx, CGFloat dy) const;
};

// Distances from each edge, positive inwards.
struct UIEdgeInsets {
    CGFloat top = 0;
    CGFloat left = 0;
    CGFloat bottom = 0;
    CGFloat right = 0;

    static UIEdgeInsets zero() { return {}; }
    bool operator==(const UIEdgeInsets&) const = default;
    UIEdgeInsets operator+(const UIEdgeInsets& o) const {
        return {top + o.top, left + o.left, bottom + o.bottom, right + o.right};
    }
    CGRect inset(const CGRect& r) const {
        return {r.origin.x + left, r.origin.y + top, r.size.width - left - right,
                r.size.height - top - bottom};
    }
};
