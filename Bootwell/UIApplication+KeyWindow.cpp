#include "Bootwell/UIApplication+KeyWindow.h"

#include "UIKit/UIApplication.h"
#include "UIKit/UIWindow.h"
#include "UIKit/UIWindowScene.h"

namespace Bootwell {

std::shared_ptr<UIWindow> keyWindow() {
    for (const auto& scene : UIApplication::shared().connectedScenes()) {
        auto windowScene = std::dynamic_pointer_cast<UIWindowScene>(scene);
        if (!windowScene)
            continue;
        for (const auto& window : windowScene->windows()) {
            if (window->isKeyWindow())
                return window;
        }
    }
    return nullptr;
}

} // namespace Bootwell
