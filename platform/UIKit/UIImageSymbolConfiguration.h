#pragma once

#include "UIKit/CGGeometry.h"

#include <optional>

enum class UIImageSymbolWeight {
    unspecified,
    ultraLight,
    thin,
    light,
    regular,
    medium,
    semibold,
    bold,
    heavy,
    black
};
enum class UIImageSymbolScale { unspecified, small, medium, large };

// How a system symbol is drawn: its point size, stroke weight and scale.
struct UIImageSymbolConfiguration {
    std::optional<CGFloat> pointSize;
    UIImageSymbolWeight weight = UIImageSymbolWeight::unspecified;
    UIImageSymbolScale scale = UIImageSymbolScale::unspecified;

    static UIImageSymbolConfiguration
    withPointSize(CGFloat size, UIImageSymbolWeight weight = UIImageSymbolWeight::unspecified,
                  UIImageSymbolScale scale = UIImageSymbolScale::unspecified) {
        return {size, weight, scale};
    }
    static UIImageSymbolConfiguration withWeight(UIImageSymbolWeight weight) {
        return {{}, weight, {}};
    }
    static UIImageSymbolConfiguration withScale(UIImageSymbolScale scale) {
        return {{}, {}, scale};
    }

    // The values of `other` that are set win.
    UIImageSymbolConfiguration applying(const UIImageSymbolConfiguration& other) const;

    bool operator==(const UIImageSymbolConfiguration&) const = default;
};
