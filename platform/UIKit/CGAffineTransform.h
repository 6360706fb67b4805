#pragma once

#include "UIKit/CGGeometry.h"

// A 2-D affine transform: x' = a x + c y + tx, y' = b x + d y + ty.
struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static CGAffineTransform identity() { return {}; }
    static CGAffineTransform makeScale(CGFloat sx, CGFloat sy) { return {sx, 0, 0, sy, 0, 0}; }
    static CGAffineTransform makeTranslation(CGFloat x, CGFloat y) { return {1, 0, 0, 1, x, y}; }
    static CGAffineTransform makeRotation(CGFloat radians);

    bool isIdentity() const { return *this == identity(); }
    bool operator==(const CGAffineTransform&) const = default;

    // `t1.concatenating(t2)` applies t1 first, then t2.
    CGAffineTransform concatenating(const CGAffineTransform& t2) const;
    // These apply the new step before the existing transform, as on the phone.
    CGAffineTransform scaledBy(CGFloat sx, CGFloat sy) const {
        return makeScale(sx, sy).concatenating(*this);
    }
    CGAffineTransform translatedBy(CGFloat x, CGFloat y) const {
        return makeTranslation(x, y).concatenating(*this);
    }
    CGAffineTransform rotated(CGFloat radians) const {
        return makeRotation(radians).concatenating(*this);
    }
    // The identity when the transform cannot be inverted.
    CGAffineTransform inverted() const;

    CGPoint apply(CGPoint p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    CGSize apply(CGSize s) const {
        return {a * s.width + c * s.height, b * s.width + d * s.height};
    }
    // The bounding box of the transformed rectangle.
    CGRect apply(const CGRect& r) const;
};
