#include "UIKit/CGAffineTransform.h"

#include <algorithm>
#include <cmath>

CGAffineTransform CGAffineTransform::makeRotation(CGFloat radians) {
    CGFloat cs = std::cos(radians), sn = std::sin(radians);
    return {cs, sn, -sn, cs, 0, 0};
}

CGAffineTransform CGAffineTransform::concatenating(const CGAffineTransform& t) const {
    return {a * t.a + b * t.c, a * t.b + b * t.d,          c * t.a + d * t.c,
            c * t.b + d * t.d, tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

CGAffineTransform CGAffineTransform::inverted() const {
    CGFloat det = a * d - b * c;
    if (det == 0 || !std::isfinite(det))
        return identity();
    CGFloat ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

CGRect CGAffineTransform::apply(const CGRect& r) const {
    if (r.isNull())
        return r;
    CGPoint p[4] = {apply(CGPoint{r.minX(), r.minY()}), apply(CGPoint{r.maxX(), r.minY()}),
                    apply(CGPoint{r.minX(), r.maxY()}), apply(CGPoint{r.maxX(), r.maxY()})};
    CGFloat x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (const auto& q : p) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}
