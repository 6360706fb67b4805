#include "Foundation/RunLoop.h"
#include "UIKit/CABasicAnimation.h"
#include "UIKit/CASpringAnimation.h"
#include "UIKit/UIView.h"
#include "UIKit/UIViewAnimationContext.h"

#include <algorithm>
#include <cmath>

namespace {

struct AnimationState {
    std::vector<UIViewAnimationContext*> stack;
    int disabled = 0;
    bool enabled = true;
};

AnimationState& state() {
    static AnimationState s;
    return s;
}

UIViewAnimationContext::Settings settingsFor(double duration, double delay,
                                             UIViewAnimationOptions options) {
    UIViewAnimationContext::Settings s;
    s.duration = std::max(0.0, duration);
    s.delay = std::max(0.0, delay);
    switch (options & (3u << 16)) {
    case UIViewAnimationOptionCurveEaseIn:
        s.timing = CAMediaTimingFunction(CAMediaTimingFunction::Name::easeIn);
        break;
    case UIViewAnimationOptionCurveEaseOut:
        s.timing = CAMediaTimingFunction(CAMediaTimingFunction::Name::easeOut);
        break;
    case UIViewAnimationOptionCurveLinear:
        s.timing = CAMediaTimingFunction(CAMediaTimingFunction::Name::linear);
        break;
    default:
        break;
    }
    s.repeats = options & UIViewAnimationOptionRepeat;
    s.autoreverses = options & UIViewAnimationOptionAutoreverse;
    s.beginFromCurrentState = options & UIViewAnimationOptionBeginFromCurrentState;
    return s;
}

// Waits for a block's animations and reports once, on the main run loop.
struct CompletionGroup {
    int remaining = 0;
    bool finished = true;
    std::function<void(bool)> completion;

    void stopped(bool didFinish) {
        finished = finished && didFinish;
        if (--remaining > 0 || !completion)
            return;
        auto done = std::move(completion);
        bool result = finished;
        RunLoop::main().post([done, result] { done(result); });
    }
};

} // namespace

void UIViewAnimationContext::recordChange(UIView& view, const std::string& keyPath) {
    auto& s = state();
    if (s.stack.empty() || s.disabled > 0 || !s.enabled)
        return;
    UIViewAnimationContext* context = s.stack.back();
    const auto& layer = view.layer();
    for (const auto& c : context->changes_) {
        if (c.layer.lock() == layer && c.keyPath == keyPath)
            return;
    }
    // An animation already running on the key starts the new one from what is on screen.
    std::optional<CAAnimationValue> from;
    if (layer->animation(keyPath))
        from = layer->presentationLayer()->valueForKeyPath(keyPath);
    if (!from)
        from = layer->valueForKeyPath(keyPath);
    if (!from)
        return;
    context->changes_.push_back({layer, keyPath, *from});
}

void UIViewAnimationContext::run(const Settings& settings, const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    UIViewAnimationContext context;
    auto& s = state();
    s.stack.push_back(&context);
    if (animations)
        animations();
    s.stack.pop_back();

    auto group = std::make_shared<CompletionGroup>();
    group->completion = std::move(completion);
    const double now = RunLoop::main().now();
    std::vector<std::pair<std::shared_ptr<CALayer>, std::shared_ptr<CAPropertyAnimation>>> pending;
    for (const auto& change : context.changes_) {
        auto layer = change.layer.lock();
        if (!layer)
            continue;
        auto to = layer->valueForKeyPath(change.keyPath);
        if (!to || *to == change.from || settings.duration <= 0)
            continue;
        std::shared_ptr<CABasicAnimation> animation;
        if (settings.spring) {
            auto spring = CASpringAnimation::make(change.keyPath);
            double ratio = std::clamp(settings.spring->first, 0.01, 1.0);
            spring->stiffness = 100;
            spring->damping = ratio * 2 * std::sqrt(spring->stiffness * spring->mass);
            spring->initialVelocity = settings.spring->second;
            animation = spring;
        } else {
            animation = CABasicAnimation::make(change.keyPath);
            animation->timingFunction = settings.timing;
        }
        animation->fromValue = change.from;
        animation->toValue = *to;
        animation->duration = settings.duration;
        animation->beginTime = now + settings.delay;
        if (settings.delay > 0)
            animation->fillMode = CAFillMode::backwards;
        if (settings.repeats)
            animation->repeatCount = CAAnimation::infinity;
        animation->autoreverses = settings.autoreverses;
        pending.emplace_back(layer, animation);
    }
    group->remaining = static_cast<int>(pending.size());
    for (auto& [layer, animation] : pending) {
        animation->didStop = [group](bool finished) { group->stopped(finished); };
        layer->addAnimation(animation, animation->keyPath);
    }
    if (pending.empty() && group->completion) {
        auto done = std::move(group->completion);
        RunLoop::main().postAfter(settings.delay + settings.duration, [done] { done(true); });
    }
}

void UIViewAnimationContext::setEnabled(bool enabled) {
    state().enabled = enabled;
}
bool UIViewAnimationContext::isEnabled() {
    return state().enabled;
}

void UIViewAnimationContext::runWithoutAnimation(const std::function<void()>& changes) {
    ++state().disabled;
    if (changes)
        changes();
    --state().disabled;
}

void UIView::animate(double duration, double delay, UIViewAnimationOptions options,
                     const std::function<void()>& animations,
                     std::function<void(bool)> completion) {
    UIViewAnimationContext::run(settingsFor(duration, delay, options), animations,
                                std::move(completion));
}

void UIView::animate(double duration, const std::function<void()>& animations,
                     std::function<void(bool)> completion) {
    animate(duration, 0, UIViewAnimationOptionNone, animations, std::move(completion));
}

void UIView::animateWithSpring(double duration, double delay, double dampingRatio, double velocity,
                               UIViewAnimationOptions options,
                               const std::function<void()>& animations,
                               std::function<void(bool)> completion) {
    auto settings = settingsFor(duration, delay, options);
    settings.spring = std::make_pair(dampingRatio, velocity);
    UIViewAnimationContext::run(settings, animations, std::move(completion));
}

void UIView::transition(const std::shared_ptr<UIView>& view, double duration,
                        UIViewAnimationOptions options, const std::function<void()>& animations,
                        std::function<void(bool)> completion) {
    // A cross-dissolve shows as the view fading in from half its opacity.
    auto settings = settingsFor(duration, 0, options);
    if (view && (options & (7u << 20)) == UIViewAnimationOptionTransitionCrossDissolve &&
        duration > 0) {
        auto fade = CABasicAnimation::make("opacity");
        fade->fromValue = 0.5 * view->alpha();
        fade->toValue = double(view->alpha());
        fade->duration = duration;
        view->layer()->addAnimation(fade, "transition");
    }
    UIViewAnimationContext::run(settings, animations, std::move(completion));
}

void UIView::performWithoutAnimation(const std::function<void()>& changes) {
    UIViewAnimationContext::runWithoutAnimation(changes);
}

bool UIView::areAnimationsEnabled() {
    return UIViewAnimationContext::isEnabled();
}
void UIView::setAnimationsEnabled(bool enabled) {
    UIViewAnimationContext::setEnabled(enabled);
}
