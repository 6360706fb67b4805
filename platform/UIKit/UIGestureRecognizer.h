#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIResponder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class UIView;
class UIGestureRecognizer;

enum class UIGestureRecognizerState { possible, began, changed, ended, cancelled, failed };

// Asked by a recognizer before it begins and when another one would take the touch.
class UIGestureRecognizerDelegate {
  public:
    virtual ~UIGestureRecognizerDelegate() = default;
    virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer&) { return true; }
    virtual bool shouldRecognizeSimultaneously(UIGestureRecognizer&, UIGestureRecognizer&) {
        return false;
    }
};

// Watches the touches of its view (and the view's subviews) and, once it recognizes its
// gesture, reports each change of state to its targets. The touch dispatcher feeds it.
class UIGestureRecognizer : public std::enable_shared_from_this<UIGestureRecognizer> {
  public:
    using Action = std::function<void(UIGestureRecognizer& recognizer)>;

    virtual ~UIGestureRecognizer() = default;

    // `selector` names the action (as an interface file would); it is informational.
    void addTarget(const std::shared_ptr<void>& target, const std::string& selector, Action action);
    // Calls a member function of the target, held weakly, with the recognizer.
    template <class T, class R>
    void addTarget(const std::shared_ptr<T>& target, void (T::*method)(std::shared_ptr<R>),
                   const std::string& selector = "") {
        std::weak_ptr<T> weak = target;
        addTarget(target, selector, [weak, method](UIGestureRecognizer& r) {
            auto t = weak.lock();
            auto typed = std::dynamic_pointer_cast<R>(r.shared_from_this());
            if (t && typed)
                ((*t).*method)(typed);
        });
    }
    void addAction(Action action) { addTarget(nullptr, "", std::move(action)); }
    void removeTarget(const void* target);
    std::vector<std::string> selectors() const;

    UIGestureRecognizerState state() const { return state_; }
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool cancelsTouchesInView = true;
    std::weak_ptr<UIGestureRecognizerDelegate> delegate;

    // Where the touch is, in `view`'s coordinates (the root's when null).
    CGPoint location(const UIView* view) const;
    size_t numberOfTouches() const { return touches_.size(); }

    // The dispatcher's entry points.
    virtual void touchesBegan(const UITouchSet& touches, UIEvent* event);
    virtual void touchesMoved(const UITouchSet& touches, UIEvent* event);
    virtual void touchesEnded(const UITouchSet& touches, UIEvent* event);
    virtual void touchesCancelled(const UITouchSet& touches, UIEvent* event);
    // Back to possible once the touches are over.
    virtual void reset();
    // A continuous gesture begins, changes and ends; a discrete one goes straight to ended.
    bool hasRecognized() const;
    bool isFinished() const;

    // Whether the recognizer may move from possible to began (or ended, when discrete).
    bool shouldBegin();

  protected:
    // Changes the state and, for began, changed, ended and cancelled, calls the targets.
    void setState(UIGestureRecognizerState state);

    UITouchSet touches_;

  private:
    friend class UIView;
    void attach(const std::shared_ptr<UIView>& view) { view_ = view; }

    struct Target {
        std::weak_ptr<void> target;
        bool hasTarget;
        std::string selector;
        Action action;
    };
    std::vector<Target> targets_;
    std::weak_ptr<UIView> view_;
    UIGestureRecognizerState state_ = UIGestureRecognizerState::possible;
    bool enabled_ = true;
};
