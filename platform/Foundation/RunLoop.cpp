#include "Foundation/RunLoop.h"

#include <chrono>
#include <thread>

namespace {

// Static initialisation runs on the main thread, before any other thread exists.
const std::thread::id mainThreadId = std::this_thread::get_id();

double realSeconds() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration<double>(steady_clock::now() - start).count();
}

} // namespace

RunLoop& RunLoop::main() {
    static RunLoop* loop = new RunLoop(); // never destroyed: threads may post until exit
    return *loop;
}

bool RunLoop::isMainThread() {
    return std::this_thread::get_id() == mainThreadId;
}

double RunLoop::nowLocked() const {
    return virtual_ ? virtualNow_ : realSeconds();
}

double RunLoop::now() const {
    std::lock_guard lock(mutex_);
    return nowLocked();
}

void RunLoop::useVirtualClock(bool isVirtual) {
    std::lock_guard lock(mutex_);
    if (isVirtual && !virtual_)
        virtualNow_ = 0;
    virtual_ = isVirtual;
}

bool RunLoop::isVirtualClock() const {
    std::lock_guard lock(mutex_);
    return virtual_;
}

void RunLoop::post(Block block) {
    postAfter(0, std::move(block));
}

void RunLoop::postAfter(double seconds, Block block) {
    std::shared_ptr<std::function<void()>> handler;
    {
        std::lock_guard lock(mutex_);
        double due = nowLocked() + (seconds > 0 ? seconds : 0);
        scheduled_.emplace(std::make_pair(due, sequence_++), std::move(block));
        handler = wakeHandler_;
    }
    wakeup_.notify_all();
    if (handler)
        (*handler)();
}

void RunLoop::wake() {
    std::shared_ptr<std::function<void()>> handler;
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
        handler = wakeHandler_;
    }
    wakeup_.notify_all();
    if (handler)
        (*handler)();
}

void RunLoop::setWakeHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    wakeHandler_ = handler ? std::make_shared<std::function<void()>>(std::move(handler)) : nullptr;
}

// Takes the earliest block due at or before `until`, in posting order among equals.
bool RunLoop::takeNext(Block& block, double until) {
    std::lock_guard lock(mutex_);
    if (scheduled_.empty())
        return false;
    auto first = scheduled_.begin();
    if (first->first.first > until)
        return false;
    if (virtual_ && first->first.first > virtualNow_)
        virtualNow_ = first->first.first;
    block = std::move(first->second);
    scheduled_.erase(first);
    return true;
}

double RunLoop::secondsUntilNextDue() const {
    std::lock_guard lock(mutex_);
    if (scheduled_.empty())
        return -1;
    double wait = scheduled_.begin()->first.first - nowLocked();
    return wait > 0 ? wait : 0;
}

bool RunLoop::runOnce(double maxWait) {
    bool ran = false;
    Block block;
    // Only what is due when the pass starts, so a block that reposts itself cannot starve
    // the caller.
    uint64_t limit;
    {
        std::lock_guard lock(mutex_);
        limit = sequence_;
    }
    while (takeNext(block, now())) {
        ran = true;
        block();
        block = nullptr;
        std::lock_guard lock(mutex_);
        if (!scheduled_.empty() && scheduled_.begin()->first.second >= limit)
            break;
    }
    if (ran || maxWait <= 0)
        return ran;

    std::unique_lock lock(mutex_);
    double wait = maxWait;
    if (!scheduled_.empty() && !virtual_) {
        wait = std::min(wait, scheduled_.begin()->first.first - nowLocked());
    }
    if (virtual_ && !scheduled_.empty() && scheduled_.begin()->first.first <= virtualNow_) {
        return false;
    }
    if (wait > 0 && !woken_ && !stopped_) {
        wakeup_.wait_for(lock, std::chrono::duration<double>(wait), [&] {
            return woken_ || stopped_ ||
                   (!scheduled_.empty() && scheduled_.begin()->first.first <= nowLocked());
        });
    }
    woken_ = false;
    return false;
}

void RunLoop::run() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = false;
    }
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stopped_)
                return;
        }
        runOnce(1.0);
    }
}

void RunLoop::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    wakeup_.notify_all();
}

void RunLoop::runUntilIdle() {
    Block block;
    while (takeNext(block, now())) {
        block();
        block = nullptr;
    }
}

void RunLoop::advance(double seconds) {
    double target;
    {
        std::lock_guard lock(mutex_);
        target = nowLocked() + seconds;
    }
    runUntilIdle();
    Block block;
    while (takeNext(block, target)) {
        block();
        block = nullptr;
        runUntilIdle();
    }
    std::lock_guard lock(mutex_);
    if (virtual_ && virtualNow_ < target)
        virtualNow_ = target;
}

bool RunLoop::runUntil(const std::function<bool()>& done, double timeout) {
    double deadline = realSeconds() + timeout;
    while (!done()) {
        if (realSeconds() > deadline)
            return false;
        runOnce(0.01);
    }
    return true;
}
