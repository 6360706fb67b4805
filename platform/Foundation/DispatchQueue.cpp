#include "Foundation/DispatchQueue.h"

#include "Foundation/RunLoop.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

struct DispatchQueue::Impl : std::enable_shared_from_this<Impl> {
    Kind kind;
    std::string label;
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<Block> blocks;
    std::vector<std::thread> threads;
    bool closing = false;

    Impl(Kind kind, std::string label) : kind(kind), label(std::move(label)) {}

    void start(int count);
    void work();
    void push(Block block);
    void close();
};

namespace {
thread_local const DispatchQueue::Impl* currentQueue = nullptr;
}

// Closes the queue when the last copy of the DispatchQueue goes away.
struct DispatchQueue::Owner {
    explicit Owner(std::shared_ptr<Impl> impl) : impl(std::move(impl)) {}
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;
    ~Owner() { impl->close(); }

    std::shared_ptr<Impl> impl;
};

void DispatchQueue::Impl::start(int count) {
    for (int i = 0; i < count; ++i) {
        // Each worker keeps the queue alive until it has drained it.
        threads.emplace_back([self = shared_from_this()] { self->work(); });
    }
}

void DispatchQueue::Impl::work() {
    currentQueue = this;
    for (;;) {
        Block block;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return closing || !blocks.empty(); });
            if (blocks.empty())
                break;
            block = std::move(blocks.front());
            blocks.pop_front();
        }
        block();
    }
    currentQueue = nullptr;
}

void DispatchQueue::Impl::push(Block block) {
    if (kind == Kind::main) {
        RunLoop::main().post(std::move(block));
        return;
    }
    {
        std::lock_guard lock(mutex);
        blocks.push_back(std::move(block));
    }
    ready.notify_one();
}

void DispatchQueue::Impl::close() {
    {
        std::lock_guard lock(mutex);
        closing = true;
    }
    ready.notify_all();
    for (std::thread& thread : threads) {
        if (thread.get_id() == std::this_thread::get_id()) {
            thread.detach(); // the last copy went away inside one of this queue's blocks
        } else {
            thread.join();
        }
    }
}

DispatchQueue::DispatchQueue(const std::string& label) : DispatchQueue(Kind::serial, label, 1) {}

DispatchQueue::DispatchQueue(Kind kind, const std::string& label, int threads) {
    auto impl = std::make_shared<Impl>(kind, label);
    impl->start(threads);
    owner_ = std::make_shared<Owner>(impl);
}

DispatchQueue& DispatchQueue::main() {
    // Never destroyed, so blocks may be posted to it until the process ends.
    static DispatchQueue* queue = new DispatchQueue(Kind::main, "com.apple.main-thread", 0);
    return *queue;
}

DispatchQueue& DispatchQueue::global() {
    static DispatchQueue* queue =
        new DispatchQueue(Kind::concurrent, "com.apple.root.default-qos",
                          static_cast<int>(std::max(4u, std::thread::hardware_concurrency())));
    return *queue;
}

void DispatchQueue::async(Block block) const {
    owner_->impl->push(std::move(block));
}

void DispatchQueue::sync(const Block& block) const {
    if (isCurrent()) {
        block();
        return;
    }
    std::promise<void> done;
    owner_->impl->push([&] {
        block();
        done.set_value();
    });
    if (owner_->impl->kind == Kind::main)
        RunLoop::main().wake();
    done.get_future().wait();
}

void DispatchQueue::asyncAfter(double seconds, Block block) const {
    if (owner_->impl->kind == Kind::main) {
        RunLoop::main().postAfter(seconds, std::move(block));
        return;
    }
    RunLoop::main().postAfter(seconds, [impl = owner_->impl, block = std::move(block)]() mutable {
        impl->push(std::move(block));
    });
}

const std::string& DispatchQueue::label() const {
    return owner_->impl->label;
}

bool DispatchQueue::isCurrent() const {
    if (owner_->impl->kind == Kind::main)
        return RunLoop::isMainThread();
    return currentQueue == owner_->impl.get();
}
