#include "UIKit/CALayer.h"

#include "Foundation/RunLoop.h"

#include <algorithm>
#include <cmath>

namespace {

struct TransformParts {
    CGFloat sx, sy, rotation, tx, ty;
};

TransformParts decompose(const CGAffineTransform& t) {
    return {std::hypot(t.a, t.b), std::hypot(t.c, t.d), std::atan2(t.b, t.a), t.tx, t.ty};
}

CGAffineTransform compose(const TransformParts& p) {
    return CGAffineTransform::makeScale(p.sx, p.sy)
        .concatenating(CGAffineTransform::makeRotation(p.rotation))
        .concatenating(CGAffineTransform::makeTranslation(p.tx, p.ty));
}

template <class T>
const T* as(const CAAnimationValue& v) {
    return std::get_if<T>(&v);
}

} // namespace

CALayer::CALayer(const CALayer& o)
    : std::enable_shared_from_this<CALayer>(), zPosition(o.zPosition), opacity(o.opacity),
      isHidden(o.isHidden), masksToBounds(o.masksToBounds), backgroundColor(o.backgroundColor),
      cornerRadius(o.cornerRadius), maskedCorners(o.maskedCorners), borderWidth(o.borderWidth),
      borderColor(o.borderColor), shadowColor(o.shadowColor), shadowOpacity(o.shadowOpacity),
      shadowOffset(o.shadowOffset), shadowRadius(o.shadowRadius), shadowPath(o.shadowPath),
      shouldRasterize(o.shouldRasterize), rasterizationScale(o.rasterizationScale),
      contents(o.contents), contentsGravity(o.contentsGravity), contentsScale(o.contentsScale),
      mask(o.mask), name(o.name), bounds_(o.bounds_), position_(o.position_),
      anchorPoint_(o.anchorPoint_), transform_(o.transform_), sublayers_(o.sublayers_),
      owningView_(o.owningView_), needsDisplay_(o.needsDisplay_) {}

CALayer::~CALayer() {
    // Whoever waits for these animations hears that they did not finish, on the next turn of
    // the run loop rather than from inside a destructor.
    for (auto& [key, animation] : animations_) {
        if (animation->didStop) {
            auto stop = animation->didStop;
            RunLoop::main().post([stop] { stop(false); });
        }
    }
}

CGRect CALayer::frame() const {
    CGRect local{-anchorPoint_.x * bounds_.size.width, -anchorPoint_.y * bounds_.size.height,
                 bounds_.size.width, bounds_.size.height};
    CGRect r = transform_.isIdentity() ? local : transform_.apply(local);
    return r.offsetBy(position_.x, position_.y);
}

void CALayer::setFrame(const CGRect& frame) {
    bounds_.size = frame.size;
    position_ = {frame.origin.x + anchorPoint_.x * frame.size.width,
                 frame.origin.y + anchorPoint_.y * frame.size.height};
}

CGPoint CALayer::convertToSuperlayer(CGPoint p) const {
    CGPoint d{p.x - bounds_.origin.x - anchorPoint_.x * bounds_.size.width,
              p.y - bounds_.origin.y - anchorPoint_.y * bounds_.size.height};
    return transform_.apply(d) + position_;
}

CGPoint CALayer::convertFromSuperlayer(CGPoint p) const {
    CGPoint d = transform_.inverted().apply(p - position_);
    return {d.x + bounds_.origin.x + anchorPoint_.x * bounds_.size.width,
            d.y + bounds_.origin.y + anchorPoint_.y * bounds_.size.height};
}

void CALayer::detach(const std::shared_ptr<CALayer>& layer) {
    if (auto old = layer->superlayer_.lock()) {
        auto& list = old->sublayers_;
        list.erase(std::remove(list.begin(), list.end(), layer), list.end());
    }
    layer->superlayer_.reset();
}

void CALayer::addSublayer(const std::shared_ptr<CALayer>& layer) {
    insertSublayer(layer, static_cast<size_t>(-1));
}

void CALayer::insertSublayer(const std::shared_ptr<CALayer>& layer, size_t index) {
    if (!layer || layer.get() == this)
        return;
    auto keepAlive = layer;
    if (layer->superlayer().get() == this) {
        auto at = static_cast<size_t>(std::find(sublayers_.begin(), sublayers_.end(), layer) -
                                      sublayers_.begin());
        if (at < index && index != static_cast<size_t>(-1))
            --index;
    }
    detach(layer);
    index = std::min(index, sublayers_.size());
    sublayers_.insert(sublayers_.begin() + static_cast<std::ptrdiff_t>(index), layer);
    layer->superlayer_ = weak_from_this();
}

void CALayer::insertSublayer(const std::shared_ptr<CALayer>& layer,
                             const std::shared_ptr<CALayer>& sibling, bool above) {
    if (!layer || layer == sibling)
        return;
    auto keepAlive = layer;
    detach(layer);
    auto it = std::find(sublayers_.begin(), sublayers_.end(), sibling);
    if (it == sublayers_.end()) {
        insertSublayer(layer, above ? sublayers_.size() : 0);
        return;
    }
    insertSublayer(layer, static_cast<size_t>(it - sublayers_.begin()) + (above ? 1 : 0));
}

void CALayer::replaceSublayer(const std::shared_ptr<CALayer>& old,
                              const std::shared_ptr<CALayer>& replacement) {
    auto it = std::find(sublayers_.begin(), sublayers_.end(), old);
    if (it == sublayers_.end() || !replacement)
        return;
    size_t index = static_cast<size_t>(it - sublayers_.begin());
    old->removeFromSuperlayer();
    insertSublayer(replacement, index);
}

void CALayer::removeFromSuperlayer() {
    auto self = shared_from_this();
    detach(self);
}

void CALayer::addAnimation(const std::shared_ptr<CAAnimation>& animation, const std::string& key) {
    if (!animation)
        return;
    auto copy = animation->copy();
    const double now = RunLoop::main().now();
    if (copy->beginTime == 0)
        copy->beginTime = now;
    std::string slot = key.empty() ? "#unnamed-" + std::to_string(++unnamedAnimations_) : key;
    removeAnimation(slot);
    animations_.emplace_back(slot, copy);
    double end = copy->beginTime + copy->activeDuration();
    if (std::isfinite(end)) {
        std::weak_ptr<CALayer> weakSelf = weak_from_this();
        std::weak_ptr<CAAnimation> weakAnimation = copy;
        RunLoop::main().postAfter(std::max(0.0, end - now), [weakSelf, weakAnimation, slot] {
            auto self = weakSelf.lock();
            auto running = weakAnimation.lock();
            if (self && running)
                self->finishAnimation(slot, running);
        });
    }
}

void CALayer::finishAnimation(const std::string& key,
                              const std::shared_ptr<CAAnimation>& animation) {
    auto it = std::find_if(animations_.begin(), animations_.end(), [&](const auto& entry) {
        return entry.first == key && entry.second == animation;
    });
    if (it == animations_.end())
        return;
    if (animation->isRemovedOnCompletion)
        animations_.erase(it);
    if (animation->didStop) {
        auto stop = std::move(animation->didStop);
        animation->didStop = nullptr;
        stop(true);
    }
}

std::shared_ptr<CAAnimation> CALayer::animation(const std::string& key) const {
    for (const auto& [k, a] : animations_) {
        if (k == key)
            return a;
    }
    return nullptr;
}

std::vector<std::string> CALayer::animationKeys() const {
    std::vector<std::string> keys;
    for (const auto& entry : animations_)
        keys.push_back(entry.first);
    return keys;
}

void CALayer::removeAnimation(const std::string& key) {
    auto it = std::find_if(animations_.begin(), animations_.end(),
                           [&](const auto& entry) { return entry.first == key; });
    if (it == animations_.end())
        return;
    auto animation = it->second;
    animations_.erase(it);
    if (animation->didStop) {
        auto stop = std::move(animation->didStop);
        animation->didStop = nullptr;
        stop(false);
    }
}

void CALayer::removeAllAnimations() {
    while (!animations_.empty())
        removeAnimation(animations_.front().first);
}

std::optional<CAAnimationValue> CALayer::valueForKeyPath(const std::string& k) const {
    TransformParts t = decompose(transform_);
    if (k == "opacity")
        return double(opacity);
    if (k == "position")
        return position_;
    if (k == "position.x")
        return position_.x;
    if (k == "position.y")
        return position_.y;
    if (k == "bounds")
        return bounds_;
    if (k == "bounds.size")
        return bounds_.size;
    if (k == "bounds.origin")
        return bounds_.origin;
    if (k == "bounds.size.width")
        return bounds_.size.width;
    if (k == "bounds.size.height")
        return bounds_.size.height;
    if (k == "anchorPoint")
        return anchorPoint_;
    if (k == "zPosition")
        return zPosition;
    if (k == "transform")
        return transform_;
    if (k == "transform.scale" || k == "transform.scale.x")
        return t.sx;
    if (k == "transform.scale.y")
        return t.sy;
    if (k == "transform.rotation" || k == "transform.rotation.z")
        return t.rotation;
    if (k == "transform.translation")
        return CGPoint{t.tx, t.ty};
    if (k == "transform.translation.x")
        return t.tx;
    if (k == "transform.translation.y")
        return t.ty;
    if (k == "cornerRadius")
        return cornerRadius;
    if (k == "borderWidth")
        return borderWidth;
    if (k == "shadowOpacity")
        return double(shadowOpacity);
    if (k == "shadowRadius")
        return shadowRadius;
    if (k == "shadowOffset")
        return shadowOffset;
    if (k == "backgroundColor" && backgroundColor)
        return *backgroundColor;
    if (k == "borderColor" && borderColor)
        return *borderColor;
    if (k == "shadowColor" && shadowColor)
        return *shadowColor;
    return std::nullopt;
}

bool CALayer::setValueForKeyPath(const std::string& k, const CAAnimationValue& v) {
    const double* number = as<double>(v);
    auto setPart = [&](auto change) {
        if (!number)
            return false;
        TransformParts t = decompose(transform_);
        change(t, *number);
        transform_ = compose(t);
        return true;
    };
    if (k == "opacity" && number)
        return opacity = float(*number), true;
    if (k == "position" && as<CGPoint>(v))
        return position_ = *as<CGPoint>(v), true;
    if (k == "position.x" && number)
        return position_.x = *number, true;
    if (k == "position.y" && number)
        return position_.y = *number, true;
    if (k == "bounds" && as<CGRect>(v))
        return bounds_ = *as<CGRect>(v), true;
    if (k == "bounds.size" && as<CGSize>(v))
        return bounds_.size = *as<CGSize>(v), true;
    if (k == "bounds.origin" && as<CGPoint>(v))
        return bounds_.origin = *as<CGPoint>(v), true;
    if (k == "bounds.size.width" && number)
        return bounds_.size.width = *number, true;
    if (k == "bounds.size.height" && number)
        return bounds_.size.height = *number, true;
    if (k == "anchorPoint" && as<CGPoint>(v))
        return anchorPoint_ = *as<CGPoint>(v), true;
    if (k == "zPosition" && number)
        return zPosition = *number, true;
    if (k == "transform" && as<CGAffineTransform>(v))
        return transform_ = *as<CGAffineTransform>(v), true;
    if (k == "transform.scale")
        return setPart([](TransformParts& t, double x) { t.sx = t.sy = x; });
    if (k == "transform.scale.x")
        return setPart([](TransformParts& t, double x) { t.sx = x; });
    if (k == "transform.scale.y")
        return setPart([](TransformParts& t, double x) { t.sy = x; });
    if (k == "transform.rotation" || k == "transform.rotation.z")
        return setPart([](TransformParts& t, double x) { t.rotation = x; });
    if (k == "transform.translation.x")
        return setPart([](TransformParts& t, double x) { t.tx = x; });
    if (k == "transform.translation.y")
        return setPart([](TransformParts& t, double x) { t.ty = x; });
    if (k == "transform.translation" && as<CGPoint>(v)) {
        TransformParts t = decompose(transform_);
        t.tx = as<CGPoint>(v)->x;
        t.ty = as<CGPoint>(v)->y;
        transform_ = compose(t);
        return true;
    }
    if (k == "cornerRadius" && number)
        return cornerRadius = *number, true;
    if (k == "borderWidth" && number)
        return borderWidth = *number, true;
    if (k == "shadowOpacity" && number)
        return shadowOpacity = float(*number), true;
    if (k == "shadowRadius" && number)
        return shadowRadius = *number, true;
    if (k == "shadowOffset" && as<CGSize>(v))
        return shadowOffset = *as<CGSize>(v), true;
    if (k == "backgroundColor" && as<UIColor>(v))
        return backgroundColor = *as<UIColor>(v), true;
    if (k == "borderColor" && as<UIColor>(v))
        return borderColor = *as<UIColor>(v), true;
    if (k == "shadowColor" && as<UIColor>(v))
        return shadowColor = *as<UIColor>(v), true;
    return false;
}

std::shared_ptr<CALayer> CALayer::presentationLayer(double time) const {
    auto copy = copyLayer();
    std::vector<CAAnimationSample> samples;
    for (const auto& entry : animations_)
        entry.second->sample(time, *this, samples);
    for (const auto& s : samples)
        copy->setValueForKeyPath(s.keyPath, s.value);
    return copy;
}

std::shared_ptr<CALayer> CALayer::presentationLayer() const {
    return presentationLayer(RunLoop::main().now());
}
