#include "Bootwell/Bootwell.h"

#include "Bootwell/NewWelcomeScreenVC.h"
#include "Bootwell/SettingsManager.h"
#include "UIKit/UIWindow.h"

namespace Bootwell {

Bootwell& Bootwell::shared() {
    static Bootwell instance;
    return instance;
}

void Bootwell::showWelcomeScreen(const std::vector<std::string>& titles,
                                 const std::vector<std::string>& descriptions,
                                 const std::vector<UIColor>& continueButtonColors,
                                 const std::vector<UIColor>& gradientColors,
                                 const std::shared_ptr<UIWindow>& window) {
    if (SettingsManager::isFirstOpen())
        return;
    auto welcome =
        NewWelcomeScreenVC::make({titles, descriptions, continueButtonColors, gradientColors});
    welcome->isStarted = false;
    if (!window)
        return;
    window->setRootViewController(welcome);
    window->makeKeyAndVisible();
}

} // namespace Bootwell
