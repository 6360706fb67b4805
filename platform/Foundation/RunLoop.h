#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

// The main thread's loop: blocks posted to the main queue, delayed blocks and timers.
// Its clock is real in the application. Tests switch it to a virtual clock that moves only
// when they advance it, so delays and timers run without sleeping.
class RunLoop {
  public:
    using Block = std::function<void()>;

    static RunLoop& main();
    static bool isMainThread();

    // Thread-safe.
    void post(Block block);
    void postAfter(double seconds, Block block);
    void wake();

    double now() const;
    void useVirtualClock(bool isVirtual);
    bool isVirtualClock() const;

    // Runs what is due, then waits up to `maxWait` seconds of real time for more.
    // Returns whether any block ran.
    bool runOnce(double maxWait);
    // Runs until `stop` is called.
    void run();
    void stop();
    // Called, on the posting thread, after every post and wake: a loop that waits on something
    // else (the window's event queue) uses it to learn that the run loop has work. The handler
    // must be thread-safe and quick; null removes it.
    void setWakeHandler(std::function<void()> handler);

    // Seconds until the next delayed block is due, or a negative number when none waits.
    double secondsUntilNextDue() const;

    // Runs every block that is ready now, including the ones they post, without waiting.
    void runUntilIdle();
    // Virtual clock: moves time forward, running each delayed block at its own moment.
    void advance(double seconds);
    // Runs the loop until `done` answers true or `timeout` seconds of real time pass.
    bool runUntil(const std::function<bool()>& done, double timeout = 30.0);

  private:
    RunLoop() = default;
    double nowLocked() const;
    bool takeNext(Block& block, double until);

    mutable std::mutex mutex_;
    std::condition_variable wakeup_;
    std::multimap<std::pair<double, uint64_t>, Block> scheduled_;
    uint64_t sequence_ = 0;
    bool virtual_ = false;
    double virtualNow_ = 0;
    bool stopped_ = false;
    bool woken_ = false;
    std::shared_ptr<std::function<void()>> wakeHandler_;
};
