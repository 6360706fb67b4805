#pragma once

#include "UIKit/CALayer.h"

enum class CAShapeLayerLineCap { butt, round, square };
enum class CAShapeLayerLineJoin { miter, round, bevel };
enum class CAShapeLayerFillRule { nonZero, evenOdd };

// Draws a path in its own coordinates: filled, then stroked.
class CAShapeLayer : public CALayer {
  public:
    static std::shared_ptr<CAShapeLayer> make() { return std::make_shared<CAShapeLayer>(); }
    std::shared_ptr<CALayer> copyLayer() const override {
        return std::make_shared<CAShapeLayer>(*this);
    }

    std::optional<CGPath> path;
    // None fills nothing, strokes nothing.
    std::optional<UIColor> fillColor = UIColor::black();
    std::optional<UIColor> strokeColor;
    CGFloat lineWidth = 1;
    CAShapeLayerLineCap lineCap = CAShapeLayerLineCap::butt;
    CAShapeLayerLineJoin lineJoin = CAShapeLayerLineJoin::miter;
    CAShapeLayerFillRule fillRule = CAShapeLayerFillRule::nonZero;
    std::vector<CGFloat> lineDashPattern;
    // The part of the path that is stroked, as fractions of its length.
    CGFloat strokeStart = 0;
    CGFloat strokeEnd = 1;

    std::optional<CAAnimationValue> valueForKeyPath(const std::string& keyPath) const override;
    bool setValueForKeyPath(const std::string& keyPath, const CAAnimationValue& value) override;
};
