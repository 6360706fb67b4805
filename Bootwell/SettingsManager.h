#pragma once

namespace Bootwell {

// The kit's own stored settings, in the application's standard user defaults.
class SettingsManager {
  public:
    // Whether the welcome screen has been finished ("isFirstOpen"); false until it is stored.
    static bool isFirstOpen();
    static void setIsFirstOpen(bool value);

    static constexpr const char* isFirstOpenKey = "isFirstOpen";

    SettingsManager() = delete;
};

} // namespace Bootwell
