#pragma once

#include "UIKit/UIColor.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class UIWindow;

namespace Bootwell {

// The kit's main class. Its configuration is class-level; instances hold no state.
class Bootwell {
  public:
    static Bootwell& shared();

    // Launch count above which a review prompt is requested.
    static inline int64_t reviewLaunchThreshold = 2;
    static inline std::string termsLink = "https://velaro.github.io/melodrift/terms.html";
    static inline std::string policyLink = "https://velaro.github.io/melodrift/privacy.html";
    static inline bool notificationsAuthorized = false;

    // Until the welcome screen has been finished once: makes it, from the four lists, the
    // window's root and shows the window. Afterwards it does nothing.
    void showWelcomeScreen(const std::vector<std::string>& titles,
                           const std::vector<std::string>& descriptions,
                           const std::vector<UIColor>& continueButtonColors,
                           const std::vector<UIColor>& gradientColors,
                           const std::shared_ptr<UIWindow>& window);

  private:
    Bootwell() = default;
};

} // namespace Bootwell
