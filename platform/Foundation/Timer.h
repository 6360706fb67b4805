#pragma once

#include <functional>
#include <memory>

// A timer on the main run loop. The run loop keeps a scheduled timer alive until it is
// invalidated or, for a one-shot timer, until it has fired.
class Timer : public std::enable_shared_from_this<Timer> {
  public:
    using Block = std::function<void(Timer&)>;

    static std::shared_ptr<Timer> scheduledTimer(double interval, bool repeats, Block block);

    void invalidate() { valid_ = false; }
    bool isValid() const { return valid_; }
    double timeInterval() const { return interval_; }

    Timer(double interval, bool repeats, Block block)
        : interval_(interval), repeats_(repeats), block_(std::move(block)) {}

  private:
    void schedule();

    double interval_;
    bool repeats_;
    Block block_;
    bool valid_ = true;
};
