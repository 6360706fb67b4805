#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIResponder.h"
#include "UIKit/UITouch.h"

#include <memory>
#include <vector>

class UIView;
class UIGestureRecognizer;

// Delivers one finger's touches to a view tree as the window does: on touch-down the view
// under the finger is found by hit-testing and keeps the touch until it lifts; the gesture
// recognizers of that view and its superviews see every touch first, and once one of them
// recognizes its gesture the others fail and the view's touches are cancelled. Points are in
// the root view's coordinates (the window's). Times come from the main run loop's clock. The
// root is held weakly: a window owns its dispatcher.
class UITouchDispatcher {
  public:
    explicit UITouchDispatcher(std::shared_ptr<UIView> root) : root_(std::move(root)) {}

    void touchDown(CGPoint point);
    void touchMove(CGPoint point);
    void touchUp(CGPoint point);
    void touchCancel();

    // Down and up at one point.
    void tap(CGPoint point);
    // Down at `from`, `steps` moves along the line, up at `to`.
    void drag(CGPoint from, CGPoint to, int steps = 10);
    // The centre of a view, in the root's coordinates.
    CGPoint centerOf(const UIView& view) const;

    std::shared_ptr<UITouch> activeTouch() const { return touch_; }
    std::shared_ptr<UIView> root() const { return root_.lock(); }

  private:
    void update(CGPoint point, UITouchPhase phase);
    void deliverToRecognizers(void (UIGestureRecognizer::*step)(const UITouchSet&, UIEvent*));
    void settleRecognizers();
    void finish();

    std::weak_ptr<UIView> root_;
    std::shared_ptr<UITouch> touch_;
    std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
    std::shared_ptr<UIView> view_;
    UIEvent event_;
    bool viewCancelled_ = false;
    double lastUpTime_ = -1;
    CGPoint lastUpPoint_;
    int lastTapCount_ = 0;
};
