#include "Foundation/Timer.h"

#include "Foundation/RunLoop.h"

#include <algorithm>

std::shared_ptr<Timer> Timer::scheduledTimer(double interval, bool repeats, Block block) {
    // As on the phone, a timer never fires more often than every 0.1 ms.
    auto timer = std::make_shared<Timer>(std::max(interval, 0.0001), repeats, std::move(block));
    timer->schedule();
    return timer;
}

void Timer::schedule() {
    RunLoop::main().postAfter(interval_, [self = shared_from_this()] {
        if (!self->valid_)
            return;
        self->block_(*self);
        if (!self->repeats_)
            self->valid_ = false;
        if (self->valid_)
            self->schedule();
    });
}
