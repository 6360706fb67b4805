#pragma once

#include "Foundation/Bundle.h"
#include "Services/AnimationKeypath.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIView.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Timer;

enum class LottieLoopMode { playOnce, loop, autoReverse };

// A view that plays a vector animation (a Lottie file) with rlottie. The animation runs on
// the main run loop's clock, so tests move it with RunLoop::advance. Colours can be replaced
// on every property a keypath reaches. The view draws nothing itself: a renderer asks it for
// the pixels of the current frame (renderCurrentFrame), placed in the bounds by contentMode.
class LottieAnimationView : public UIView {
  public:
    using Completion = std::function<void(bool finished)>;

    LottieAnimationView();
    ~LottieAnimationView() override;

    // The animation "<name>.json" in the bundle. A missing or unreadable file gives a view
    // with no animation (it draws nothing and plays nothing) and a console line.
    static std::shared_ptr<LottieAnimationView> named(const std::string& name,
                                                      const Bundle& bundle);
    bool loadAnimation(const std::string& path);
    bool hasAnimation() const;

    // What the loaded animation is made of; zeros without one.
    double frameRate() const;
    size_t totalFrames() const;
    CGSize animationSize() const;

    // Replaces the colour of every fill and stroke the keypath reaches (its last key must be
    // "Color"). Applies to frames drawn from now on, playing or not. The colour's alpha is not
    // used: the animation's own opacities stay.
    void setColorValue(const UIColor& color, const AnimationKeypath& keypath);

    LottieLoopMode loopMode = LottieLoopMode::playOnce;
    double animationSpeed = 1;

    // Plays from one frame to the other (backwards when `toFrame` is smaller) in `mode`, or in
    // loopMode when none is given. A play request cuts short the one before it, whose
    // completion hears false. A single pass ends on `toFrame` and calls the completion with true.
    void play(double fromFrame, double toFrame, std::optional<LottieLoopMode> mode = std::nullopt,
              Completion completion = nullptr);
    // The whole animation.
    void play(Completion completion = nullptr);
    // Stops where it is.
    void pause();
    // Stops and goes back to the first frame.
    void stop();
    bool isAnimationPlaying() const { return playing_; }

    // The frame shown now (fractional while playing).
    double currentFrame() const;
    void setCurrentFrame(double frame);
    // The whole frame that is drawn for currentFrame.
    size_t renderedFrameNumber() const;

    // Where the animation lies in the bounds for the content mode.
    CGRect contentRect() const;
    // Draws the current frame into a premultiplied ARGB32 buffer (cairo's image format) that
    // covers the view's bounds at `width` × `height` pixels. The buffer is cleared first;
    // the animation is placed by contentMode and clipped to the buffer. False (and a clear
    // buffer) when there is no animation.
    bool renderCurrentFrame(uint32_t* buffer, size_t width, size_t height,
                            size_t bytesPerLine) const;
    // The same into a new buffer of width × height pixels, rows packed.
    std::vector<uint32_t> currentFramePixels(size_t width, size_t height) const;

    CGSize intrinsicContentSize() const override;

  private:
    struct Player;
    double elapsedFrames() const;
    void finish(bool finished);
    void startTicking();
    void stopTicking();

    std::unique_ptr<Player> player_;
    bool playing_ = false;
    double fromFrame_ = 0;
    double toFrame_ = 0;
    double startedAt_ = 0;
    double pausedFrame_ = 0;
    LottieLoopMode mode_ = LottieLoopMode::playOnce;
    Completion completion_;
    uint64_t generation_ = 0;
    std::shared_ptr<Timer> ticker_;
};
