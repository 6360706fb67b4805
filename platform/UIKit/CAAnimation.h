#pragma once

#include "UIKit/CAAnimationValue.h"
#include "UIKit/CAMediaTimingFunction.h"

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CALayer;

enum class CAFillMode { removed, forwards, backwards, both };

// One value an animation gives a key path at a moment.
struct CAAnimationSample {
    std::string keyPath;
    CAAnimationValue value;
};

// The timing every animation shares. Times are in seconds of the run loop's clock
// (RunLoop::main().now()); a top-level animation's beginTime of 0 means "when added".
class CAAnimation {
  public:
    static constexpr float infinity = std::numeric_limits<float>::infinity();

    virtual ~CAAnimation() = default;
    virtual std::shared_ptr<CAAnimation> copy() const = 0;

    double duration = 0;  // 0 means 0.25 seconds
    double beginTime = 0; // a group's children count from the group's start
    double timeOffset = 0;
    double speed = 1;
    float repeatCount = 0;     // 0 means once; `infinity` repeats forever
    double repeatDuration = 0; // when above 0, replaces repeatCount
    bool autoreverses = false;
    CAFillMode fillMode = CAFillMode::removed;
    bool isRemovedOnCompletion = true;
    std::optional<CAMediaTimingFunction> timingFunction;
    // Called once the animation ends or is taken off its layer; `finished` tells which.
    std::function<void(bool finished)> didStop;

    double effectiveDuration() const { return duration > 0 ? duration : 0.25; }
    // The length of all repetitions, in the parent's time; infinite for endless ones.
    double activeDuration() const;
    // Time within one pass [0, effectiveDuration] at `parentTime`, or nothing while the
    // animation has no effect (before it begins or after it ends, unless it fills).
    std::optional<double> localTime(double parentTime) const;

    // What the animation gives its key paths at `parentTime`.
    virtual void sample(double parentTime, const CALayer& model,
                        std::vector<CAAnimationSample>& out) const = 0;

  protected:
    double timed(double fraction) const;
};

// An animation of one key path ("opacity", "position", "transform.scale", ...).
class CAPropertyAnimation : public CAAnimation {
  public:
    std::string keyPath;
    bool isAdditive = false;
};
