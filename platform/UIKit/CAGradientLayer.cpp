#include "UIKit/CAGradientLayer.h"

std::vector<double> CAGradientLayer::effectiveLocations() const {
    if (locations)
        return *locations;
    std::vector<double> even;
    for (size_t i = 0; i < colors.size(); ++i)
        even.push_back(colors.size() == 1 ? 0.0 : double(i) / double(colors.size() - 1));
    return even;
}

std::optional<CAAnimationValue> CAGradientLayer::valueForKeyPath(const std::string& k) const {
    if (k == "locations")
        return effectiveLocations();
    if (k == "startPoint")
        return startPoint;
    if (k == "endPoint")
        return endPoint;
    return CALayer::valueForKeyPath(k);
}

bool CAGradientLayer::setValueForKeyPath(const std::string& k, const CAAnimationValue& v) {
    if (k == "locations" && std::holds_alternative<std::vector<double>>(v))
        return locations = std::get<std::vector<double>>(v), true;
    if (k == "startPoint" && std::holds_alternative<CGPoint>(v))
        return startPoint = std::get<CGPoint>(v), true;
    if (k == "endPoint" && std::holds_alternative<CGPoint>(v))
        return endPoint = std::get<CGPoint>(v), true;
    return CALayer::setValueForKeyPath(k, v);
}
