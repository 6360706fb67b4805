#pragma once

#include "UIKit/UIView.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class UIAction;
class UITouch;

// The events a control sends, as bits.
enum UIControlEvents : uint32_t {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchDownRepeat = 1 << 1,
    UIControlEventTouchDragInside = 1 << 2,
    UIControlEventTouchDragOutside = 1 << 3,
    UIControlEventTouchDragEnter = 1 << 4,
    UIControlEventTouchDragExit = 1 << 5,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventTouchUpOutside = 1 << 7,
    UIControlEventTouchCancel = 1 << 8,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventPrimaryActionTriggered = 1 << 13,
    UIControlEventMenuActionTriggered = 1 << 14,
    UIControlEventEditingDidBegin = 1 << 16,
    UIControlEventEditingChanged = 1 << 17,
    UIControlEventEditingDidEnd = 1 << 18,
    UIControlEventEditingDidEndOnExit = 1 << 19,
    UIControlEventAllTouchEvents = 0x0FFF,
    UIControlEventAllEditingEvents = 0xF0000,
    UIControlEventAllEvents = 0xFFFFFFFF,
};
inline UIControlEvents operator|(UIControlEvents a, UIControlEvents b) {
    return static_cast<UIControlEvents>(uint32_t(a) | uint32_t(b));
}

// The states a control shows, as bits; normal is none of them.
enum UIControlState : uint32_t {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
    UIControlStateFocused = 1 << 3,
};
inline UIControlState operator|(UIControlState a, UIControlState b) {
    return static_cast<UIControlState>(uint32_t(a) | uint32_t(b));
}

// A view that tracks a touch and sends actions for events: target-action pairs, plain
// handlers or UIActions. A disabled control keeps its touches but sends nothing.
class UIControl : public UIView {
  public:
    using Handler = std::function<void(const std::shared_ptr<UIControl>& sender, UIEvent* event)>;

    using UIView::UIView;

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    UIControlState state() const;
    bool isTracking() const { return tracking_; }
    bool isTouchInside() const { return touchInside_; }

    // `selector` names the action as an interface file does ("btnMain:"); the target is held
    // weakly and actions of a target that has gone are skipped.
    void addTarget(const std::shared_ptr<void>& target, const std::string& selector,
                   Handler handler, uint32_t events);
    template <class T, class S>
    void addTarget(const std::shared_ptr<T>& target, void (T::*method)(std::shared_ptr<S>),
                   uint32_t events, const std::string& selector = "") {
        std::weak_ptr<T> weak = target;
        addTarget(
            target, selector,
            [weak, method](const std::shared_ptr<UIControl>& sender, UIEvent*) {
                auto t = weak.lock();
                auto typed = std::dynamic_pointer_cast<S>(sender);
                if (t && typed)
                    ((*t).*method)(typed);
            },
            events);
    }
    template <class T>
    void addTarget(const std::shared_ptr<T>& target, void (T::*method)(), uint32_t events,
                   const std::string& selector = "") {
        std::weak_ptr<T> weak = target;
        addTarget(
            target, selector,
            [weak, method](const std::shared_ptr<UIControl>&, UIEvent*) {
                if (auto t = weak.lock())
                    ((*t).*method)();
            },
            events);
    }
    void addHandler(Handler handler, uint32_t events) {
        addTarget(nullptr, "", std::move(handler), events);
    }
    void addAction(const std::shared_ptr<UIAction>& action, uint32_t events);
    void removeAction(const std::shared_ptr<UIAction>& action, uint32_t events);
    // A null target removes every action for the events.
    void removeTarget(const void* target, uint32_t events);
    // The selectors a target has for an event.
    std::vector<std::string> actions(const void* target, uint32_t event) const;
    uint32_t allControlEvents() const;

    // Calls every action registered for any of the events, in the order they were added.
    void sendActions(uint32_t events, UIEvent* event = nullptr);

    // Touch tracking; subclasses refine these.
    virtual bool beginTracking(UITouch& touch, UIEvent* event);
    virtual bool continueTracking(UITouch& touch, UIEvent* event);
    virtual void endTracking(UITouch* touch, UIEvent* event);
    virtual void cancelTracking(UIEvent* event);

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    // A single tap recognizer of a superview does not take a control's touch.
    bool gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) override;

  protected:
    // Called when enabled, selected or highlighted changes.
    virtual void stateDidChange() {}
    // What a touch-up inside does; a button with a menu shows the menu instead.
    virtual void primaryTouchUpInside(UIEvent* event);
    // How far outside its bounds a touch still counts as inside.
    static constexpr CGFloat touchSlop = 70;

  private:
    struct Entry {
        std::weak_ptr<void> target;
        bool hasTarget;
        std::string selector;
        Handler handler;
        std::shared_ptr<UIAction> action;
        uint32_t events;
    };
    bool isInside(UITouch& touch) const;

    std::vector<Entry> entries_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool touchInside_ = false;
};
