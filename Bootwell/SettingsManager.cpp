#include "Bootwell/SettingsManager.h"

#include "Foundation/UserDefaults.h"

namespace Bootwell {

bool SettingsManager::isFirstOpen() {
    return UserDefaults::standard().boolean(isFirstOpenKey);
}

void SettingsManager::setIsFirstOpen(bool value) {
    UserDefaults::standard().set(isFirstOpenKey, value);
}

} // namespace Bootwell
