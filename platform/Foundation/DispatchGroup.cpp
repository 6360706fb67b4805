#include "Foundation/DispatchGroup.h"

#include <chrono>

DispatchGroup::DispatchGroup() : state_(std::make_shared<State>()) {}

void DispatchGroup::enter() const {
    std::lock_guard lock(state_->mutex);
    ++state_->count;
}

void DispatchGroup::leave() const {
    std::vector<std::pair<DispatchQueue, std::function<void()>>> due;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->count == 0)
            return; // an unbalanced leave is ignored rather than fatal
        if (--state_->count > 0)
            return;
        due.swap(state_->waiting);
    }
    state_->zero.notify_all();
    for (auto& [queue, block] : due)
        queue.async(std::move(block));
}

void DispatchGroup::notify(const DispatchQueue& queue, std::function<void()> block) const {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->count > 0) {
            state_->waiting.emplace_back(queue, std::move(block));
            return;
        }
    }
    queue.async(std::move(block));
}

bool DispatchGroup::wait(double timeout) const {
    std::unique_lock lock(state_->mutex);
    return state_->zero.wait_for(lock, std::chrono::duration<double>(timeout),
                                 [&] { return state_->count == 0; });
}
