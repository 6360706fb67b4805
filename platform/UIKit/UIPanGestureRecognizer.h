#pragma once

#include "UIKit/UIGestureRecognizer.h"

// Recognizes a drag: it begins once the touch has moved 10 points, changes with every move and
// ends when the touch lifts. The translation is measured from where the touch went down (or
// from where setTranslation last put it).
class UIPanGestureRecognizer : public UIGestureRecognizer {
  public:
    static std::shared_ptr<UIPanGestureRecognizer> make() {
        return std::make_shared<UIPanGestureRecognizer>();
    }

    static constexpr CGFloat hysteresis = 10;
    size_t minimumNumberOfTouches = 1;
    size_t maximumNumberOfTouches = 100;

    // In `view`'s coordinate space (the root's when null).
    CGPoint translation(const UIView* view) const;
    void setTranslation(CGPoint translation, const UIView* view);
    // Points per second, from the last moves.
    CGPoint velocity(const UIView* view) const;

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void reset() override;

  private:
    CGPoint current() const;
    CGPoint vectorIn(CGPoint rootVector, const UIView* view) const;
    CGPoint vectorToRoot(CGPoint vector, const UIView* view) const;

    CGPoint reference_;
    CGPoint lastPoint_;
    double lastTime_ = 0;
    CGPoint velocity_;
};
