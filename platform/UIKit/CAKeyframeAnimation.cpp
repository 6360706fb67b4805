#include "UIKit/CAKeyframeAnimation.h"

#include <algorithm>

std::shared_ptr<CAKeyframeAnimation> CAKeyframeAnimation::make(const std::string& keyPath) {
    auto a = std::make_shared<CAKeyframeAnimation>();
    a->keyPath = keyPath;
    return a;
}

std::optional<CAAnimationValue> CAKeyframeAnimation::valueAt(double progress) const {
    if (values.empty())
        return std::nullopt;
    if (values.size() == 1)
        return values.front();
    const size_t n = values.size();
    auto timeOf = [&](size_t i) {
        if (keyTimes && keyTimes->size() == n)
            return (*keyTimes)[i];
        return double(i) / double(n - 1);
    };
    progress = std::clamp(progress, 0.0, 1.0);
    size_t i = 0;
    while (i + 2 < n && progress >= timeOf(i + 1))
        ++i;
    if (calculationMode == CAAnimationCalculationMode::discrete) {
        size_t k = 0;
        while (k + 1 < n && progress >= timeOf(k + 1))
            ++k;
        return values[k];
    }
    double t0 = timeOf(i), t1 = timeOf(i + 1);
    double f = t1 > t0 ? (progress - t0) / (t1 - t0) : 1.0;
    f = std::clamp(f, 0.0, 1.0);
    if (i < timingFunctions.size())
        f = timingFunctions[i].evaluate(f);
    return interpolate(values[i], values[i + 1], f);
}

void CAKeyframeAnimation::sample(double parentTime, const CALayer&,
                                 std::vector<CAAnimationSample>& out) const {
    auto t = localTime(parentTime);
    if (!t)
        return;
    if (auto v = valueAt(timed(*t / effectiveDuration())))
        out.push_back({keyPath, *v});
}
