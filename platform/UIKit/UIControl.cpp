#include "UIKit/UIControl.h"

#include "UIKit/UIMenu.h"
#include "UIKit/UITapGestureRecognizer.h"
#include "UIKit/UITouch.h"

#include <algorithm>

void UIControl::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled)
        highlighted_ = false;
    stateDidChange();
}

void UIControl::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    stateDidChange();
}

void UIControl::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_)
        return;
    highlighted_ = highlighted;
    stateDidChange();
}

UIControlState UIControl::state() const {
    uint32_t s = UIControlStateNormal;
    if (highlighted_)
        s |= UIControlStateHighlighted;
    if (!enabled_)
        s |= UIControlStateDisabled;
    if (selected_)
        s |= UIControlStateSelected;
    return static_cast<UIControlState>(s);
}

void UIControl::addTarget(const std::shared_ptr<void>& target, const std::string& selector,
                          Handler handler, uint32_t events) {
    entries_.push_back({target, target != nullptr, selector, std::move(handler), nullptr, events});
}

void UIControl::addAction(const std::shared_ptr<UIAction>& action, uint32_t events) {
    if (action)
        entries_.push_back({{}, false, action->title, nullptr, action, events});
}

void UIControl::removeAction(const std::shared_ptr<UIAction>& action, uint32_t events) {
    for (auto& e : entries_) {
        if (e.action == action)
            e.events &= ~events;
    }
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const Entry& e) { return e.events == 0; }),
                   entries_.end());
}

void UIControl::removeTarget(const void* target, uint32_t events) {
    for (auto& e : entries_) {
        if (!target || (e.hasTarget && e.target.lock().get() == target))
            e.events &= ~events;
    }
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const Entry& e) { return e.events == 0; }),
                   entries_.end());
}

std::vector<std::string> UIControl::actions(const void* target, uint32_t event) const {
    std::vector<std::string> out;
    for (const auto& e : entries_) {
        if (!(e.events & event))
            continue;
        if (target ? e.hasTarget && e.target.lock().get() == target : !e.hasTarget)
            out.push_back(e.selector);
    }
    return out;
}

uint32_t UIControl::allControlEvents() const {
    uint32_t all = 0;
    for (const auto& e : entries_)
        all |= e.events;
    return all;
}

void UIControl::sendActions(uint32_t events, UIEvent* event) {
    auto self = std::static_pointer_cast<UIControl>(sharedView());
    auto entries = entries_;
    for (auto& e : entries) {
        if (!(e.events & events))
            continue;
        if (e.hasTarget && e.target.expired())
            continue;
        if (e.action)
            e.action->perform(self);
        else if (e.handler)
            e.handler(self, event);
    }
}

bool UIControl::isInside(UITouch& touch) const {
    return bounds().insetBy(-touchSlop, -touchSlop).contains(touch.location(this));
}

bool UIControl::beginTracking(UITouch&, UIEvent*) {
    return true;
}
bool UIControl::continueTracking(UITouch&, UIEvent*) {
    return true;
}
void UIControl::endTracking(UITouch*, UIEvent*) {}
void UIControl::cancelTracking(UIEvent*) {}

void UIControl::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (!enabled_ || touches.empty())
        return;
    auto keepAlive = sharedView();
    UITouch& touch = *touches.front();
    touchInside_ = true;
    tracking_ = beginTracking(touch, event);
    setHighlighted(true);
    sendActions(touch.tapCount > 1 ? UIControlEventTouchDown | UIControlEventTouchDownRepeat
                                   : UIControlEventTouchDown,
                event);
}

void UIControl::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    if (!enabled_ || touches.empty() || (!highlighted_ && !touchInside_ && !tracking_))
        return;
    auto keepAlive = sharedView();
    UITouch& touch = *touches.front();
    bool inside = isInside(touch);
    bool wasInside = touchInside_;
    touchInside_ = inside;
    setHighlighted(inside);
    if (tracking_)
        tracking_ = continueTracking(touch, event);
    uint32_t events = inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (inside != wasInside)
        events |= inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    sendActions(events, event);
}

void UIControl::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (!enabled_ || touches.empty())
        return;
    auto keepAlive = sharedView();
    UITouch& touch = *touches.front();
    bool inside = isInside(touch);
    setHighlighted(false);
    if (tracking_)
        endTracking(&touch, event);
    tracking_ = false;
    touchInside_ = false;
    if (inside)
        primaryTouchUpInside(event);
    else
        sendActions(UIControlEventTouchUpOutside, event);
}

void UIControl::primaryTouchUpInside(UIEvent* event) {
    sendActions(UIControlEventTouchUpInside | UIControlEventPrimaryActionTriggered, event);
}

void UIControl::touchesCancelled(const UITouchSet&, UIEvent* event) {
    if (!enabled_)
        return;
    auto keepAlive = sharedView();
    bool wasActive = tracking_ || highlighted_ || touchInside_;
    setHighlighted(false);
    if (tracking_)
        cancelTracking(event);
    tracking_ = false;
    touchInside_ = false;
    if (wasActive)
        sendActions(UIControlEventTouchCancel, event);
}

bool UIControl::gestureRecognizerShouldBegin(UIGestureRecognizer& recognizer) {
    auto tap = dynamic_cast<UITapGestureRecognizer*>(&recognizer);
    if (tap && tap->numberOfTapsRequired == 1 && recognizer.view().get() != this)
        return false;
    return UIView::gestureRecognizerShouldBegin(recognizer);
}
