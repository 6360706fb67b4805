#include "UIKit/UIImageSymbolConfiguration.h"

UIImageSymbolConfiguration
UIImageSymbolConfiguration::applying(const UIImageSymbolConfiguration& other) const {
    UIImageSymbolConfiguration c = *this;
    if (other.pointSize)
        c.pointSize = other.pointSize;
    if (other.weight != UIImageSymbolWeight::unspecified)
        c.weight = other.weight;
    if (other.scale != UIImageSymbolScale::unspecified)
        c.scale = other.scale;
    return c;
}
