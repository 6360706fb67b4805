#pragma once

#include <functional>
#include <memory>
#include <string>

// A queue of blocks. The main queue runs them on the main thread's run loop; a queue made
// with a label is serial and runs them one after another on a thread of its own; the global
// queue runs them concurrently on a small pool. Copies share one queue; a serial queue's
// thread ends once the last copy is gone and its blocks have run.
class DispatchQueue {
  public:
    using Block = std::function<void()>;

    explicit DispatchQueue(const std::string& label);

    static DispatchQueue& main();
    static DispatchQueue& global();

    void async(Block block) const;
    // Runs the block and waits for it. Called on the queue's own thread it runs at once.
    void sync(const Block& block) const;
    // Runs the block after `seconds` measured on the main run loop's clock.
    void asyncAfter(double seconds, Block block) const;

    const std::string& label() const;
    bool isCurrent() const;

    struct Impl;

  private:
    enum class Kind { main, serial, concurrent };
    DispatchQueue(Kind kind, const std::string& label, int threads);

    struct Owner;
    std::shared_ptr<Owner> owner_;
};
