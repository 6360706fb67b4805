#pragma once

#include "UIKit/CGPath.h"

#include <cstdint>
#include <memory>

// The corners of a rectangle, as bits.
enum UIRectCorner : uint32_t {
    UIRectCornerTopLeft = 1,
    UIRectCornerTopRight = 2,
    UIRectCornerBottomLeft = 4,
    UIRectCornerBottomRight = 8,
    UIRectCornerAllCorners = 15,
};

// A path with the stroke settings of a drawing.
class UIBezierPath {
  public:
    UIBezierPath() = default;

    static std::shared_ptr<UIBezierPath> make() { return std::make_shared<UIBezierPath>(); }
    static std::shared_ptr<UIBezierPath> rect(const CGRect& rect);
    static std::shared_ptr<UIBezierPath> ovalIn(const CGRect& rect);
    static std::shared_ptr<UIBezierPath> roundedRect(const CGRect& rect, CGFloat cornerRadius);
    // Each radius is capped at half the rectangle's shorter side.
    static std::shared_ptr<UIBezierPath> roundedRect(const CGRect& rect, uint32_t corners,
                                                     CGSize cornerRadii);
    static std::shared_ptr<UIBezierPath> arc(CGPoint center, CGFloat radius, CGFloat startAngle,
                                             CGFloat endAngle, bool clockwise);
    static std::shared_ptr<UIBezierPath> fromPath(const CGPath& path);

    void move(CGPoint p) { path_.moveTo(p); }
    void addLine(CGPoint p) { path_.lineTo(p); }
    void addQuadCurve(CGPoint end, CGPoint control) { path_.quadCurveTo(end, control); }
    void addCurve(CGPoint end, CGPoint control1, CGPoint control2) {
        path_.curveTo(end, control1, control2);
    }
    void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                bool clockwise) {
        path_.addArc(center, radius, startAngle, endAngle, clockwise);
    }
    void close() { path_.closeSubpath(); }
    void append(const UIBezierPath& other) { path_.addPath(other.path_); }
    void apply(const CGAffineTransform& t) { path_.apply(t); }
    void removeAllPoints() { path_ = CGPath(); }

    const CGPath& cgPath() const { return path_; }
    CGRect bounds() const { return path_.boundingBox(); }
    bool isEmpty() const { return path_.isEmpty(); }
    CGPoint currentPoint() const { return path_.currentPoint(); }

    CGFloat lineWidth = 1;
    bool usesEvenOddFillRule = false;

  private:
    CGPath path_;
};
