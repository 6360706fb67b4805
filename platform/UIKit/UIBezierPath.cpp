#include "UIKit/UIBezierPath.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<UIBezierPath> UIBezierPath::rect(const CGRect& r) {
    auto p = make();
    CGRect s = r.standardized();
    p->move({s.minX(), s.minY()});
    p->addLine({s.maxX(), s.minY()});
    p->addLine({s.maxX(), s.maxY()});
    p->addLine({s.minX(), s.maxY()});
    p->close();
    return p;
}

std::shared_ptr<UIBezierPath> UIBezierPath::ovalIn(const CGRect& r) {
    // Four cubic quarters; k places the control points of a circle's quarter.
    constexpr CGFloat k = 0.5522847498;
    CGRect s = r.standardized();
    CGFloat rx = s.width() / 2, ry = s.height() / 2, cx = s.midX(), cy = s.midY();
    auto p = make();
    p->move({cx + rx, cy});
    p->addCurve({cx, cy + ry}, {cx + rx, cy + k * ry}, {cx + k * rx, cy + ry});
    p->addCurve({cx - rx, cy}, {cx - k * rx, cy + ry}, {cx - rx, cy + k * ry});
    p->addCurve({cx, cy - ry}, {cx - rx, cy - k * ry}, {cx - k * rx, cy - ry});
    p->addCurve({cx + rx, cy}, {cx + k * rx, cy - ry}, {cx + rx, cy - k * ry});
    p->close();
    return p;
}

std::shared_ptr<UIBezierPath> UIBezierPath::roundedRect(const CGRect& r, CGFloat cornerRadius) {
    return roundedRect(r, UIRectCornerAllCorners, {cornerRadius, cornerRadius});
}

std::shared_ptr<UIBezierPath> UIBezierPath::roundedRect(const CGRect& r, uint32_t corners,
                                                        CGSize radii) {
    CGRect s = r.standardized();
    CGFloat limit = std::min(s.width(), s.height()) / 2;
    CGFloat rad = std::clamp(std::max(radii.width, radii.height), 0.0, limit);
    auto radiusOf = [&](uint32_t corner) { return (corners & corner) ? rad : 0.0; };
    CGFloat tl = radiusOf(UIRectCornerTopLeft), tr = radiusOf(UIRectCornerTopRight);
    CGFloat bl = radiusOf(UIRectCornerBottomLeft), br = radiusOf(UIRectCornerBottomRight);
    const CGFloat pi = M_PI;
    auto p = make();
    p->move({s.minX() + tl, s.minY()});
    p->addLine({s.maxX() - tr, s.minY()});
    if (tr > 0)
        p->addArc({s.maxX() - tr, s.minY() + tr}, tr, -pi / 2, 0, true);
    p->addLine({s.maxX(), s.maxY() - br});
    if (br > 0)
        p->addArc({s.maxX() - br, s.maxY() - br}, br, 0, pi / 2, true);
    p->addLine({s.minX() + bl, s.maxY()});
    if (bl > 0)
        p->addArc({s.minX() + bl, s.maxY() - bl}, bl, pi / 2, pi, true);
    p->addLine({s.minX(), s.minY() + tl});
    if (tl > 0)
        p->addArc({s.minX() + tl, s.minY() + tl}, tl, pi, 3 * pi / 2, true);
    p->close();
    return p;
}

std::shared_ptr<UIBezierPath> UIBezierPath::arc(CGPoint center, CGFloat radius, CGFloat startAngle,
                                                CGFloat endAngle, bool clockwise) {
    auto p = make();
    p->addArc(center, radius, startAngle, endAngle, clockwise);
    return p;
}

std::shared_ptr<UIBezierPath> UIBezierPath::fromPath(const CGPath& path) {
    auto p = make();
    p->path_ = path;
    return p;
}
