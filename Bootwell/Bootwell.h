#pragma once

#include <cstdint>
#include <string>

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

  private:
    Bootwell() = default;
};

} // namespace Bootwell
