#include "Foundation/DispatchQueue.h"
#include "Foundation/RunLoop.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

// A loop that waits on another event queue (the window's) learns of new work through the
// wake handler, from whichever thread posted it.
TEST(RunLoopWake, HandlerHearsPostsFromAnyThreadUntilRemoved) {
    std::atomic<int> wakes{0};
    std::atomic<bool> fromOtherThread{false};
    RunLoop::main().setWakeHandler([&] {
        ++wakes;
        if (!RunLoop::isMainThread())
            fromOtherThread = true;
    });
    RunLoop::main().post([] {});
    EXPECT_EQ(wakes.load(), 1);
    std::thread([] { RunLoop::main().postAfter(1, [] {}); }).join();
    EXPECT_EQ(wakes.load(), 2);
    EXPECT_TRUE(fromOtherThread.load());
    RunLoop::main().wake();
    EXPECT_EQ(wakes.load(), 3);

    RunLoop::main().setWakeHandler(nullptr);
    RunLoop::main().post([] {});
    EXPECT_EQ(wakes.load(), 3);
    RunLoop::main().advance(2);
}
