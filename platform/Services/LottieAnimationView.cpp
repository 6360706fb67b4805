#include "Services/LottieAnimationView.h"

#include "Foundation/Console.h"
#include "Foundation/RunLoop.h"
#include "Foundation/Timer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <rlottie.h>
#include <sstream>

namespace {

// Content sizes beyond this many pixels a side are not drawn (a guard against absurd scales).
constexpr double maxRenderSide = 16384;

CGRect placed(UIViewContentMode mode, CGSize bounds, CGSize content) {
    const double bw = bounds.width, bh = bounds.height, cw = content.width, ch = content.height;
    switch (mode) {
    case UIViewContentMode::scaleToFill:
    case UIViewContentMode::redraw:
        return {0, 0, bw, bh};
    case UIViewContentMode::scaleAspectFit:
    case UIViewContentMode::scaleAspectFill: {
        double sx = bw / cw, sy = bh / ch;
        double s = mode == UIViewContentMode::scaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        return {(bw - cw * s) / 2, (bh - ch * s) / 2, cw * s, ch * s};
    }
    case UIViewContentMode::center:
        return {(bw - cw) / 2, (bh - ch) / 2, cw, ch};
    case UIViewContentMode::top:
        return {(bw - cw) / 2, 0, cw, ch};
    case UIViewContentMode::bottom:
        return {(bw - cw) / 2, bh - ch, cw, ch};
    case UIViewContentMode::left:
        return {0, (bh - ch) / 2, cw, ch};
    case UIViewContentMode::right:
        return {bw - cw, (bh - ch) / 2, cw, ch};
    case UIViewContentMode::topLeft:
        return {0, 0, cw, ch};
    case UIViewContentMode::topRight:
        return {bw - cw, 0, cw, ch};
    case UIViewContentMode::bottomLeft:
        return {0, bh - ch, cw, ch};
    case UIViewContentMode::bottomRight:
        return {bw - cw, bh - ch, cw, ch};
    }
    return {0, 0, bw, bh};
}

void clear(uint32_t* buffer, size_t height, size_t bytesPerLine) {
    std::memset(buffer, 0, height * bytesPerLine);
}

} // namespace

struct LottieAnimationView::Player {
    std::unique_ptr<rlottie::Animation> animation;
    // rlottie keeps the last frame it drew and draws it again, old colours and all, when
    // asked for the same frame number after a value change.
    bool valuesChanged = false;

    void render(size_t frame, rlottie::Surface surface) {
        if (valuesChanged) {
            uint32_t pixel = 0;
            size_t other = frame + 1 < animation->totalFrame() ? frame + 1 : 0;
            if (other != frame)
                animation->renderSync(other, rlottie::Surface(&pixel, 1, 1, 4), false);
            valuesChanged = false;
        }
        animation->renderSync(frame, surface, false);
    }
};

LottieAnimationView::LottieAnimationView() : player_(std::make_unique<Player>()) {
    setBackgroundColor(std::nullopt);
    isOpaque = false;
}

LottieAnimationView::~LottieAnimationView() {
    stopTicking();
}

std::shared_ptr<LottieAnimationView> LottieAnimationView::named(const std::string& name,
                                                                const Bundle& bundle) {
    auto view = std::make_shared<LottieAnimationView>();
    auto path = bundle.path(name, "json");
    if (!path) {
        Console::print("Unable to find animation named " + name + " in " + bundle.bundlePath());
        return view;
    }
    view->loadAnimation(*path);
    return view;
}

bool LottieAnimationView::loadAnimation(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    // Loaded from the text, without rlottie's model cache, so colour changes stay this view's.
    auto animation = in ? rlottie::Animation::loadFromData(text.str(), path, "", false) : nullptr;
    if (!animation) {
        Console::print("Unable to load animation " + path);
        return false;
    }
    stop();
    player_->animation = std::move(animation);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    return true;
}

bool LottieAnimationView::hasAnimation() const {
    return player_->animation != nullptr;
}

double LottieAnimationView::frameRate() const {
    return hasAnimation() ? player_->animation->frameRate() : 0;
}

size_t LottieAnimationView::totalFrames() const {
    return hasAnimation() ? player_->animation->totalFrame() : 0;
}

CGSize LottieAnimationView::animationSize() const {
    if (!hasAnimation())
        return {};
    size_t width = 0, height = 0;
    player_->animation->size(width, height);
    return {double(width), double(height)};
}

void LottieAnimationView::setColorValue(const UIColor& color, const AnimationKeypath& keypath) {
    if (!hasAnimation() || keypath.propertyName() != "Color" || keypath.ownerPath().empty())
        return;
    double r = 0, g = 0, b = 0, a = 0;
    if (!color.getRed(&r, &g, &b, &a))
        return;
    rlottie::Color value{float(r), float(g), float(b)};
    std::string owner = keypath.ownerPath();
    player_->animation->setValue<rlottie::Property::FillColor>(owner, value);
    player_->animation->setValue<rlottie::Property::StrokeColor>(owner, value);
    player_->valuesChanged = true;
    setNeedsDisplay();
}

void LottieAnimationView::play(double fromFrame, double toFrame, std::optional<LottieLoopMode> mode,
                               Completion completion) {
    Completion previous = std::move(completion_);
    completion_ = nullptr;
    ++generation_;
    if (!hasAnimation()) {
        playing_ = false;
        if (previous)
            previous(false);
        if (completion)
            completion(false);
        return;
    }
    fromFrame_ = fromFrame;
    toFrame_ = toFrame;
    mode_ = mode.value_or(loopMode);
    startedAt_ = RunLoop::main().now();
    playing_ = true;
    completion_ = std::move(completion);
    startTicking();
    setNeedsDisplay();
    if (mode_ == LottieLoopMode::playOnce) {
        double speed = animationSpeed > 0 ? animationSpeed : 1;
        double seconds = std::fabs(toFrame - fromFrame) / (frameRate() * speed);
        std::weak_ptr<UIResponder> weak = weak_from_this();
        uint64_t generation = generation_;
        RunLoop::main().postAfter(seconds, [weak, generation] {
            auto self = std::static_pointer_cast<LottieAnimationView>(weak.lock());
            if (self && self->generation_ == generation && self->playing_)
                self->finish(true);
        });
    }
    if (previous)
        previous(false);
}

void LottieAnimationView::play(Completion completion) {
    double last = totalFrames() > 0 ? double(totalFrames() - 1) : 0;
    play(0, last, std::nullopt, std::move(completion));
}

void LottieAnimationView::pause() {
    if (!playing_)
        return;
    pausedFrame_ = currentFrame();
    finish(false);
}

void LottieAnimationView::stop() {
    bool wasPlaying = playing_;
    pausedFrame_ = 0;
    if (wasPlaying)
        finish(false);
    setNeedsDisplay();
}

void LottieAnimationView::finish(bool finished) {
    if (finished)
        pausedFrame_ = toFrame_;
    playing_ = false;
    ++generation_;
    stopTicking();
    setNeedsDisplay();
    if (auto completion = std::move(completion_)) {
        completion_ = nullptr;
        completion(finished);
    }
}

double LottieAnimationView::elapsedFrames() const {
    double speed = animationSpeed > 0 ? animationSpeed : 1;
    return std::max(0.0, RunLoop::main().now() - startedAt_) * frameRate() * speed;
}

double LottieAnimationView::currentFrame() const {
    if (!playing_)
        return pausedFrame_;
    double span = std::fabs(toFrame_ - fromFrame_);
    double direction = toFrame_ < fromFrame_ ? -1 : 1;
    if (span == 0)
        return fromFrame_;
    double progress = elapsedFrames();
    switch (mode_) {
    case LottieLoopMode::playOnce:
        progress = std::min(progress, span);
        break;
    case LottieLoopMode::loop:
        progress = std::fmod(progress, span);
        break;
    case LottieLoopMode::autoReverse:
        progress = std::fmod(progress, 2 * span);
        if (progress > span)
            progress = 2 * span - progress;
        break;
    }
    return fromFrame_ + direction * progress;
}

void LottieAnimationView::setCurrentFrame(double frame) {
    if (playing_)
        finish(false);
    pausedFrame_ = frame;
    setNeedsDisplay();
}

size_t LottieAnimationView::renderedFrameNumber() const {
    size_t total = totalFrames();
    if (total == 0)
        return 0;
    double frame = std::floor(currentFrame() + 1e-6);
    return size_t(std::clamp(frame, 0.0, double(total - 1)));
}

CGRect LottieAnimationView::contentRect() const {
    CGSize size = animationSize();
    CGRect area = bounds();
    if (size.width <= 0 || size.height <= 0)
        return {};
    if (area.isEmpty())
        return {0, 0, size.width, size.height};
    return placed(contentMode, area.size, size);
}

bool LottieAnimationView::renderCurrentFrame(uint32_t* buffer, size_t width, size_t height,
                                             size_t bytesPerLine) const {
    if (!buffer || width == 0 || height == 0 || bytesPerLine < width * 4)
        return false;
    clear(buffer, height, bytesPerLine);
    if (!hasAnimation())
        return false;
    CGRect area = bounds().isEmpty() ? CGRect(CGPoint{}, animationSize()) : bounds();
    CGRect content = contentRect();
    double sx = double(width) / area.width(), sy = double(height) / area.height();
    double left = std::round(content.origin.x * sx), top = std::round(content.origin.y * sy);
    double contentWidth = std::round(content.width() * sx);
    double contentHeight = std::round(content.height() * sy);
    if (contentWidth < 1 || contentHeight < 1 || contentWidth > maxRenderSide ||
        contentHeight > maxRenderSide)
        return true;

    size_t frame = renderedFrameNumber();
    if (left == 0 && top == 0 && contentWidth == double(width) && contentHeight == double(height)) {
        player_->render(frame, rlottie::Surface(buffer, width, height, bytesPerLine));
        return true;
    }
    // Drawn at its placed size on its own, then copied into the part of the buffer it covers.
    size_t cw = size_t(contentWidth), ch = size_t(contentHeight);
    std::vector<uint32_t> scratch(cw * ch, 0);
    player_->render(frame, rlottie::Surface(scratch.data(), cw, ch, cw * 4));
    long x0 = std::max(0L, long(left)), y0 = std::max(0L, long(top));
    long x1 = std::min(long(width), long(left) + long(cw));
    long y1 = std::min(long(height), long(top) + long(ch));
    for (long y = y0; y < y1; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(buffer) +
                                                size_t(y) * bytesPerLine);
        const uint32_t* source = scratch.data() + size_t(y - long(top)) * cw;
        for (long x = x0; x < x1; ++x)
            row[x] = source[x - long(left)];
    }
    return true;
}

std::vector<uint32_t> LottieAnimationView::currentFramePixels(size_t width, size_t height) const {
    std::vector<uint32_t> pixels(width * height, 0);
    if (!pixels.empty())
        renderCurrentFrame(pixels.data(), width, height, width * 4);
    return pixels;
}

CGSize LottieAnimationView::intrinsicContentSize() const {
    CGSize size = animationSize();
    if (size.width <= 0)
        return {noIntrinsicMetric, noIntrinsicMetric};
    return size;
}

void LottieAnimationView::startTicking() {
    stopTicking();
    double rate = frameRate() > 0 ? frameRate() : 30;
    std::weak_ptr<UIResponder> weak = weak_from_this();
    ticker_ = Timer::scheduledTimer(1.0 / rate, true, [weak](Timer& timer) {
        auto self = std::static_pointer_cast<LottieAnimationView>(weak.lock());
        if (!self || !self->playing_) {
            timer.invalidate();
            return;
        }
        self->setNeedsDisplay();
    });
}

void LottieAnimationView::stopTicking() {
    if (ticker_)
        ticker_->invalidate();
    ticker_ = nullptr;
}
