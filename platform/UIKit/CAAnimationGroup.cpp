#include "UIKit/CAAnimationGroup.h"

std::shared_ptr<CAAnimation> CAAnimationGroup::copy() const {
    auto group = std::make_shared<CAAnimationGroup>(*this);
    for (auto& child : group->animations) {
        if (child)
            child = child->copy();
    }
    return group;
}

void CAAnimationGroup::sample(double parentTime, const CALayer& model,
                              std::vector<CAAnimationSample>& out) const {
    auto t = localTime(parentTime);
    if (!t)
        return;
    double groupTime = timingFunction ? timed(*t / effectiveDuration()) * effectiveDuration() : *t;
    for (const auto& child : animations) {
        if (child)
            child->sample(groupTime, model, out);
    }
}
