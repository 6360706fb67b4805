#pragma once

#include "UIKit/CGGeometry.h"

#include <memory>
#include <vector>

class UIView;
class UIGestureRecognizer;

enum class UITouchPhase { began, moved, stationary, ended, cancelled };

// One finger on the screen, from touch-down to lift-off. Locations are kept in the
// coordinates of the root view the touch arrived in (the window) and converted on request.
class UITouch {
  public:
    UITouchPhase phase = UITouchPhase::began;
    double timestamp = 0;
    int tapCount = 1;

    // The view hit on touch-down; it keeps the touch until lift-off.
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    std::shared_ptr<UIView> window() const { return root_.lock(); }
    // In `view`'s coordinates; in the root's when `view` is null.
    CGPoint location(const UIView* view) const;
    CGPoint previousLocation(const UIView* view) const;
    CGPoint locationInRoot() const { return location_; }
    const std::vector<std::weak_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
        return recognizers_;
    }

  private:
    friend class UITouchDispatcher;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIView> root_;
    CGPoint location_;
    CGPoint previous_;
    std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers_;
};

enum class UIEventType { touches, presses, motion, remoteControl };

struct UIEvent {
    UIEventType type = UIEventType::touches;
    double timestamp = 0;
    std::vector<std::shared_ptr<UITouch>> allTouches;
};
