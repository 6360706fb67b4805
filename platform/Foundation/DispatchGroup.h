#pragma once

#include "Foundation/DispatchQueue.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// Counts outstanding work. Each notify block runs once, on its queue, when the count next
// reaches zero (at once when nothing is outstanding).
class DispatchGroup {
  public:
    DispatchGroup();

    void enter() const;
    void leave() const;
    void notify(const DispatchQueue& queue, std::function<void()> block) const;
    // Waits up to `timeout` seconds of real time; answers whether the count reached zero.
    bool wait(double timeout) const;

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable zero;
        int count = 0;
        std::vector<std::pair<DispatchQueue, std::function<void()>>> waiting;
    };
    std::shared_ptr<State> state_;
};
