#pragma once

#include "UIKit/CAAnimation.h"

// Runs its animations on a shared timeline; their beginTimes count from the group's start and
// they have no effect outside the group's duration.
class CAAnimationGroup : public CAAnimation {
  public:
    static std::shared_ptr<CAAnimationGroup> make() { return std::make_shared<CAAnimationGroup>(); }
    std::shared_ptr<CAAnimation> copy() const override;

    std::vector<std::shared_ptr<CAAnimation>> animations;

    void sample(double parentTime, const CALayer& model,
                std::vector<CAAnimationSample>& out) const override;
};
