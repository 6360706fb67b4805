#include "UIKit/UIGestureRecognizer.h"

#include "UIKit/UITouch.h"
#include "UIKit/UIView.h"

#include <algorithm>

void UIGestureRecognizer::addTarget(const std::shared_ptr<void>& target,
                                    const std::string& selector, Action action) {
    targets_.push_back({target, target != nullptr, selector, std::move(action)});
}

void UIGestureRecognizer::removeTarget(const void* target) {
    targets_.erase(std::remove_if(targets_.begin(), targets_.end(),
                                  [&](const Target& t) {
                                      return target == nullptr || t.target.lock().get() == target;
                                  }),
                   targets_.end());
}

std::vector<std::string> UIGestureRecognizer::selectors() const {
    std::vector<std::string> out;
    for (const auto& t : targets_)
        out.push_back(t.selector);
    return out;
}

void UIGestureRecognizer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled && hasRecognized() && !isFinished())
        setState(UIGestureRecognizerState::cancelled);
}

CGPoint UIGestureRecognizer::location(const UIView* view) const {
    if (touches_.empty())
        return {};
    return touches_.front()->location(view);
}

void UIGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
    for (const auto& t : touches) {
        if (std::find(touches_.begin(), touches_.end(), t) == touches_.end())
            touches_.push_back(t);
    }
}

void UIGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {}
void UIGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {}

void UIGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    if (hasRecognized() && !isFinished())
        setState(UIGestureRecognizerState::cancelled);
    else if (state_ == UIGestureRecognizerState::possible)
        setState(UIGestureRecognizerState::failed);
}

void UIGestureRecognizer::reset() {
    state_ = UIGestureRecognizerState::possible;
    touches_.clear();
}

bool UIGestureRecognizer::hasRecognized() const {
    return state_ == UIGestureRecognizerState::began ||
           state_ == UIGestureRecognizerState::changed || state_ == UIGestureRecognizerState::ended;
}

bool UIGestureRecognizer::isFinished() const {
    return state_ == UIGestureRecognizerState::ended ||
           state_ == UIGestureRecognizerState::cancelled ||
           state_ == UIGestureRecognizerState::failed;
}

bool UIGestureRecognizer::shouldBegin() {
    if (!enabled_)
        return false;
    if (auto d = delegate.lock()) {
        if (!d->gestureRecognizerShouldBegin(*this))
            return false;
    }
    // The touched view (a control, say) may keep the touch for itself.
    if (!touches_.empty()) {
        if (auto touched = touches_.front()->view()) {
            auto own = view();
            for (auto v = touched; v && v != own; v = v->superview()) {
                if (!v->gestureRecognizerShouldBegin(*this))
                    return false;
            }
        }
    }
    return true;
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    state_ = state;
    if (state == UIGestureRecognizerState::possible || state == UIGestureRecognizerState::failed)
        return;
    auto keepAlive = shared_from_this();
    auto targets = targets_;
    for (auto& t : targets) {
        if (t.hasTarget && t.target.expired())
            continue;
        if (t.action)
            t.action(*this);
    }
}
