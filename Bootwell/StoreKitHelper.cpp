#include "Bootwell/StoreKitHelper.h"

#include "Bootwell/Bootwell.h"
#include "Foundation/DispatchQueue.h"
#include "Foundation/UserDefaults.h"
#include "Services/SKStoreReviewController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIWindowScene.h"

namespace Bootwell {

void StoreKitHelper::countLaunch() {
    auto& defaults = UserDefaults::standard();
    defaults.set(launchCountKey, defaults.integer(launchCountKey) + 1);
    requestReviewIfDue();
}

void StoreKitHelper::requestReviewIfDue() {
    auto& defaults = UserDefaults::standard();
    if (Bootwell::reviewLaunchThreshold >= defaults.integer(launchCountKey))
        return;
    DispatchQueue::main().async([] { requestReview(); });
    defaults.set(launchCountKey, int64_t(0));
}

void StoreKitHelper::requestReview() {
    for (const auto& scene : UIApplication::shared().connectedScenes()) {
        if (scene->activationState != UISceneActivationState::foregroundActive)
            continue;
        if (auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene))
            SKStoreReviewController::requestReviewInScene(windowScene);
        return;
    }
}

} // namespace Bootwell
