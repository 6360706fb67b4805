#pragma once

namespace Bootwell {

// Launch counting and the store review prompt. All of it runs on the main thread.
struct StoreKitHelper {
    // The launches counted since the last review request.
    static constexpr const char* launchCountKey = "number0fTimesLaunched";

    // Counts this launch, then asks for a review when one is due.
    static void countLaunch();
    // When the count has passed Bootwell::reviewLaunchThreshold: asks for the prompt on the
    // main queue and starts the count again at 0 (at once, before the prompt runs).
    static void requestReviewIfDue();
    // Asks the system for the prompt in the first foreground-active window scene; nothing
    // when there is none.
    static void requestReview();
};

} // namespace Bootwell
