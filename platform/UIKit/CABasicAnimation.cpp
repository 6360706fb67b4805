#include "UIKit/CABasicAnimation.h"

#include "UIKit/CALayer.h"

std::shared_ptr<CABasicAnimation> CABasicAnimation::make(const std::string& keyPath) {
    auto a = std::make_shared<CABasicAnimation>();
    a->keyPath = keyPath;
    return a;
}

CAAnimationValue CABasicAnimation::valueAt(double progress, const CALayer& model) const {
    std::optional<CAAnimationValue> current = model.valueForKeyPath(keyPath);
    std::optional<CAAnimationValue> from, to;
    if (fromValue) {
        from = fromValue;
        to = toValue ? toValue : byValue ? addValues(*fromValue, *byValue) : current;
    } else if (toValue) {
        from = current;
        to = toValue;
    } else if (byValue && current) {
        from = current;
        to = addValues(*current, *byValue);
    } else {
        from = to = current;
    }
    if (!from)
        from = to;
    if (!to)
        to = from;
    if (!from)
        return 0.0;
    return interpolate(*from, *to, progress);
}

double CABasicAnimation::progressAt(double localTime) const {
    return timed(localTime / effectiveDuration());
}

void CABasicAnimation::sample(double parentTime, const CALayer& model,
                              std::vector<CAAnimationSample>& out) const {
    auto t = localTime(parentTime);
    if (!t)
        return;
    out.push_back({keyPath, valueAt(progressAt(*t), model)});
}
