#include "Foundation/NotificationCenter.h"

#include <algorithm>

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* center = new NotificationCenter();
    return *center;
}

void NotificationCenter::addObserver(const std::shared_ptr<void>& observer, const std::string& name,
                                     Handler handler, const void* object) {
    std::lock_guard lock(mutex_);
    entries_.push_back({observer, observer.get(), name, object, std::move(handler)});
}

void NotificationCenter::removeObserver(const void* observer) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& e) { return e.identity == observer; });
}

void NotificationCenter::post(const std::string& name, const void* object) {
    std::vector<std::pair<std::shared_ptr<void>, Handler>> targets;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(entries_, [](const Entry& e) { return e.observer.expired(); });
        for (const Entry& e : entries_) {
            if (e.name != name || (e.object && e.object != object))
                continue;
            if (auto alive = e.observer.lock())
                targets.emplace_back(alive, e.handler);
        }
    }
    // Handlers run outside the lock so that they may add or remove observers.
    Notification notification{name, object};
    for (auto& [observer, handler] : targets)
        handler(notification);
}
