#pragma once

#include "UIKit/UIColor.h"

#include <string>
#include <vector>

namespace Bootwell {

// The content of the welcome screen. Step 1 shows the first entries, step 2 the last ones; a
// list of one entry shows it in both steps, entries in between are never shown.
struct ScreenModel {
    std::vector<std::string> title;
    std::vector<std::string> description;
    // The last entry colours the button in step 2.
    std::vector<UIColor> continueButtonColor;
    // The first entry is the top of the background gradient.
    std::vector<UIColor> gradientColors;
};

} // namespace Bootwell
