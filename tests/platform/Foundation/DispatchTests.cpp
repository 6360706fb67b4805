#include "Foundation/DispatchGroup.h"
#include "Foundation/DispatchQueue.h"
#include "Foundation/RunLoop.h"
#include "Foundation/Timer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST(DispatchTests, SyncOntoMainFromASerialQueueWhileMainRunsItsLoop) {
    DispatchQueue queue("test.serial");
    std::atomic<bool> finished = false;
    std::thread::id ranOn;
    queue.async([&] {
        DispatchQueue::main().sync([&] { ranOn = std::this_thread::get_id(); });
        finished = true;
    });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return finished.load(); }, 10));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(DispatchTests, SerialQueueRunsBlocksInOrderOffTheMainThread) {
    std::vector<int> order;
    std::atomic<bool> offMain = true;
    {
        DispatchQueue queue("test.order");
        EXPECT_EQ(queue.label(), "test.order");
        for (int i = 0; i < 100; ++i) {
            queue.async([&, i] {
                if (RunLoop::isMainThread())
                    offMain = false;
                order.push_back(i);
            });
        }
        int probe = 0;
        queue.sync([&] { probe = static_cast<int>(order.size()); });
        EXPECT_EQ(probe, 100);
        queue.sync([&] { EXPECT_TRUE(queue.isCurrent()); });
    }
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[i], i);
    EXPECT_TRUE(offMain);
}

TEST(DispatchTests, AsyncAfterRunsInDueOrderUnderTheVirtualClock) {
    std::vector<std::string> order;
    double start = RunLoop::main().now();
    auto& main = DispatchQueue::main();
    main.asyncAfter(1.0, [&] { order.push_back("1.0"); });
    main.asyncAfter(0.5, [&] {
        order.push_back("0.5");
        main.asyncAfter(0.2, [&] { order.push_back("0.7"); });
    });
    main.async([&] { order.push_back("now"); });
    main.asyncAfter(1.0, [&] { order.push_back("1.0 second"); });

    RunLoop::main().advance(0.6);
    EXPECT_EQ(order, (std::vector<std::string>{"now", "0.5"}));
    RunLoop::main().advance(0.4);
    EXPECT_EQ(order, (std::vector<std::string>{"now", "0.5", "0.7", "1.0", "1.0 second"}));
    EXPECT_DOUBLE_EQ(RunLoop::main().now() - start, 1.0);
}

TEST(DispatchTests, GroupNotifyFiresOnceWhenAllWorkHasLeft) {
    DispatchGroup group;
    std::atomic<int> notified = 0;
    std::vector<std::unique_ptr<DispatchQueue>> queues;
    for (int i = 0; i < 4; ++i) {
        group.enter();
        queues.push_back(std::make_unique<DispatchQueue>("test.group." + std::to_string(i)));
        queues.back()->async([group] { group.leave(); });
    }
    group.notify(DispatchQueue::main(), [&] { ++notified; });
    ASSERT_TRUE(group.wait(10));
    RunLoop::main().runUntil([&] { return notified > 0; }, 10);
    group.leave(); // an extra leave must not fire it again
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(notified, 1);

    int immediate = 0;
    group.notify(DispatchQueue::main(), [&] { ++immediate; });
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(immediate, 1) << "nothing outstanding: notify runs at once";
}

TEST(DispatchTests, RepeatingTimerFiresOnTheClockUntilInvalidated) {
    int fired = 0;
    auto timer = Timer::scheduledTimer(0.02, true, [&](Timer& t) {
        if (++fired == 5)
            t.invalidate();
    });
    RunLoop::main().advance(0.05);
    EXPECT_EQ(fired, 2);
    RunLoop::main().advance(1.0);
    EXPECT_EQ(fired, 5);
    EXPECT_FALSE(timer->isValid());

    int once = 0;
    Timer::scheduledTimer(0.5, false, [&](Timer&) { ++once; });
    RunLoop::main().advance(2.0);
    EXPECT_EQ(once, 1);
}

TEST(DispatchTests, GlobalQueueRunsConcurrently) {
    std::atomic<int> inside = 0, most = 0, done = 0;
    for (int i = 0; i < 4; ++i) {
        DispatchQueue::global().async([&] {
            int now = ++inside;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            --inside;
            ++done;
        });
    }
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return done == 4; }, 10));
    EXPECT_GT(most, 1);
}
