#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct Notification {
    std::string name;
    const void* object = nullptr;
};

// Delivers posted notifications synchronously, on the posting thread, to every observer of
// the name. Observers are held weakly: one that has gone away is skipped and forgotten.
class NotificationCenter {
  public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    // `object`, when given, restricts delivery to notifications posted with that object.
    void addObserver(const std::shared_ptr<void>& observer, const std::string& name,
                     Handler handler, const void* object = nullptr);
    // Removes the observer for every name.
    void removeObserver(const void* observer);
    void post(const std::string& name, const void* object = nullptr);

  private:
    struct Entry {
        std::weak_ptr<void> observer;
        const void* identity;
        std::string name;
        const void* object;
        Handler handler;
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;
};
