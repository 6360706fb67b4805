#include "Services/SKStoreReviewController.h"

#include "Foundation/Console.h"
#include "Foundation/RunLoop.h"

#include <mutex>

namespace {

std::mutex& lock() {
    static std::mutex mutex;
    return mutex;
}

std::vector<SKStoreReviewController::Request>& recorded() {
    static std::vector<SKStoreReviewController::Request> requests;
    return requests;
}

} // namespace

void SKStoreReviewController::requestReviewInScene(const std::shared_ptr<UIWindowScene>& scene) {
    {
        std::lock_guard guard(lock());
        recorded().push_back({scene, RunLoop::main().now()});
    }
    Console::systemLog("Store review requested");
}

std::vector<SKStoreReviewController::Request> SKStoreReviewController::requests() {
    std::lock_guard guard(lock());
    return recorded();
}

void SKStoreReviewController::clearRequests() {
    std::lock_guard guard(lock());
    recorded().clear();
}
