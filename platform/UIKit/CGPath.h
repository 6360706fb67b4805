#pragma once

#include "UIKit/CGAffineTransform.h"
#include "UIKit/CGGeometry.h"

#include <vector>

// A path as a list of drawing steps, in the coordinates of the layer that draws it.
class CGPath {
  public:
    enum class ElementType { moveTo, lineTo, quadCurveTo, curveTo, arc, closeSubpath };

    struct Element {
        ElementType type;
        // moveTo, lineTo: points[0]. quadCurveTo: control, end. curveTo: control1, control2,
        // end. arc: points[0] is the centre.
        std::vector<CGPoint> points;
        CGFloat radius = 0;
        CGFloat startAngle = 0;
        CGFloat endAngle = 0;
        bool clockwise = true;

        bool operator==(const Element&) const = default;
    };

    void moveTo(CGPoint p);
    void lineTo(CGPoint p);
    void quadCurveTo(CGPoint end, CGPoint control);
    void curveTo(CGPoint end, CGPoint control1, CGPoint control2);
    // Angles in radians, measured from the positive x axis towards positive y (down).
    void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                bool clockwise);
    void closeSubpath();
    void addPath(const CGPath& other);
    void apply(const CGAffineTransform& t);

    const std::vector<Element>& elements() const { return elements_; }
    bool isEmpty() const { return elements_.empty(); }
    CGPoint currentPoint() const { return current_; }
    // The box of every point and control point (arcs by their full extent).
    CGRect boundingBox() const;

    bool operator==(const CGPath&) const = default;

  private:
    std::vector<Element> elements_;
    CGPoint current_;
    CGPoint subpathStart_;
};
