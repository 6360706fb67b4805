#include "UIKit/CGPath.h"

#include <cmath>

void CGPath::moveTo(CGPoint p) {
    elements_.push_back({ElementType::moveTo, {p}});
    current_ = subpathStart_ = p;
}

void CGPath::lineTo(CGPoint p) {
    if (elements_.empty())
        moveTo(current_);
    elements_.push_back({ElementType::lineTo, {p}});
    current_ = p;
}

void CGPath::quadCurveTo(CGPoint end, CGPoint control) {
    if (elements_.empty())
        moveTo(current_);
    elements_.push_back({ElementType::quadCurveTo, {control, end}});
    current_ = end;
}

void CGPath::curveTo(CGPoint end, CGPoint control1, CGPoint control2) {
    if (elements_.empty())
        moveTo(current_);
    elements_.push_back({ElementType::curveTo, {control1, control2, end}});
    current_ = end;
}

void CGPath::addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                    bool clockwise) {
    Element e{ElementType::arc, {center}, radius, startAngle, endAngle, clockwise};
    elements_.push_back(e);
    current_ = {center.x + radius * std::cos(endAngle), center.y + radius * std::sin(endAngle)};
}

void CGPath::closeSubpath() {
    if (elements_.empty())
        return;
    elements_.push_back({ElementType::closeSubpath, {}});
    current_ = subpathStart_;
}

void CGPath::addPath(const CGPath& other) {
    elements_.insert(elements_.end(), other.elements_.begin(), other.elements_.end());
    if (!other.elements_.empty())
        current_ = other.current_;
}

void CGPath::apply(const CGAffineTransform& t) {
    CGFloat scale = std::sqrt(std::fabs(t.a * t.d - t.b * t.c));
    for (auto& e : elements_) {
        for (auto& p : e.points)
            p = t.apply(p);
        e.radius *= scale;
    }
    current_ = t.apply(current_);
    subpathStart_ = t.apply(subpathStart_);
}

CGRect CGPath::boundingBox() const {
    CGRect box = CGRect::null();
    for (const auto& e : elements_) {
        if (e.type == ElementType::arc) {
            CGPoint c = e.points[0];
            box = box.unionWith({c.x - e.radius, c.y - e.radius, 2 * e.radius, 2 * e.radius});
            continue;
        }
        for (const auto& p : e.points)
            box = box.unionWith({p.x, p.y, 0, 0});
    }
    return box;
}
