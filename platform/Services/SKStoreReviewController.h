#pragma once

#include <memory>
#include <vector>

class UIWindowScene;

// The system's store review prompt. The desktop has no store to rate the application in, so a
// request is recorded (tests read the record) and written to the system log; whether a real
// prompt would appear is, as on the phone, never told to the caller.
class SKStoreReviewController {
  public:
    struct Request {
        std::weak_ptr<UIWindowScene> scene;
        double time = 0; // on the main run loop's clock
    };

    static void requestReviewInScene(const std::shared_ptr<UIWindowScene>& scene);

    static std::vector<Request> requests();
    static size_t requestCount() { return requests().size(); }
    static void clearRequests();
};
