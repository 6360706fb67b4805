#include "UIKit/CAShapeLayer.h"

std::optional<CAAnimationValue> CAShapeLayer::valueForKeyPath(const std::string& k) const {
    if (k == "strokeStart")
        return strokeStart;
    if (k == "strokeEnd")
        return strokeEnd;
    if (k == "lineWidth")
        return lineWidth;
    if (k == "fillColor" && fillColor)
        return *fillColor;
    if (k == "strokeColor" && strokeColor)
        return *strokeColor;
    return CALayer::valueForKeyPath(k);
}

bool CAShapeLayer::setValueForKeyPath(const std::string& k, const CAAnimationValue& v) {
    const double* number = std::get_if<double>(&v);
    if (k == "strokeStart" && number)
        return strokeStart = *number, true;
    if (k == "strokeEnd" && number)
        return strokeEnd = *number, true;
    if (k == "lineWidth" && number)
        return lineWidth = *number, true;
    if (k == "fillColor" && std::holds_alternative<UIColor>(v))
        return fillColor = std::get<UIColor>(v), true;
    if (k == "strokeColor" && std::holds_alternative<UIColor>(v))
        return strokeColor = std::get<UIColor>(v), true;
    return CALayer::setValueForKeyPath(k, v);
}
