#pragma once

#include "UIKit/CAAnimationValue.h"
#include "UIKit/CAMediaTimingFunction.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CALayer;
class UIView;

// The changes made inside one UIView::animate block, and the settings their animations get.
// Blocks nest; each records into the innermost one.
class UIViewAnimationContext {
  public:
    struct Settings {
        double duration = 0.2;
        double delay = 0;
        CAMediaTimingFunction timing{CAMediaTimingFunction::Name::easeInEaseOut};
        bool repeats = false;
        bool autoreverses = false;
        bool beginFromCurrentState = false;
        // A spring instead of the timing curve, when set: damping ratio and initial velocity.
        std::optional<std::pair<double, double>> spring;
    };

    // Runs `animations` recording its changes, then attaches one animation per change and
    // calls `completion` once all of them have stopped.
    static void run(const Settings& settings, const std::function<void()>& animations,
                    std::function<void(bool)> completion);
    // Called by a view before an animatable property changes.
    static void recordChange(UIView& view, const std::string& keyPath);
    static void setEnabled(bool enabled);
    static bool isEnabled();
    static void runWithoutAnimation(const std::function<void()>& changes);

  private:
    struct Change {
        std::weak_ptr<CALayer> layer;
        std::string keyPath;
        CAAnimationValue from;
    };
    std::vector<Change> changes_;
};
