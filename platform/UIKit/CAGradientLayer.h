#pragma once

#include "UIKit/CALayer.h"

enum class CAGradientLayerType { axial, radial, conic };

// Fills its bounds with a gradient between colours at locations, along the line from
// startPoint to endPoint (unit coordinates of the bounds: (0, 0) top-left, (1, 1) bottom-right).
class CAGradientLayer : public CALayer {
  public:
    static std::shared_ptr<CAGradientLayer> make() { return std::make_shared<CAGradientLayer>(); }
    std::shared_ptr<CALayer> copyLayer() const override {
        return std::make_shared<CAGradientLayer>(*this);
    }

    std::vector<UIColor> colors;
    // Evenly spread when missing.
    std::optional<std::vector<double>> locations;
    CGPoint startPoint{0.5, 0};
    CGPoint endPoint{0.5, 1};
    CAGradientLayerType type = CAGradientLayerType::axial;

    // The locations in force: the given ones, or even spacing over the colours.
    std::vector<double> effectiveLocations() const;

    std::optional<CAAnimationValue> valueForKeyPath(const std::string& keyPath) const override;
    bool setValueForKeyPath(const std::string& keyPath, const CAAnimationValue& value) override;
};
