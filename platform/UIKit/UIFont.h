#pragma once

#include "UIKit/CGGeometry.h"

#include <optional>
#include <string>

// A font by family, size and weight. Text is measured from these metrics until a renderer
// installs a measurer of its own (see UILabel).
class UIFont {
  public:
    // Weights on the phone's scale, from -1 (lightest) to 1 (heaviest).
    struct Weight {
        static constexpr double ultraLight = -0.8;
        static constexpr double thin = -0.6;
        static constexpr double light = -0.4;
        static constexpr double regular = 0.0;
        static constexpr double medium = 0.23;
        static constexpr double semibold = 0.3;
        static constexpr double bold = 0.4;
        static constexpr double heavy = 0.56;
        static constexpr double black = 0.62;
    };

    UIFont() = default;

    static UIFont systemFont(CGFloat size, double weight = Weight::regular);
    static UIFont boldSystemFont(CGFloat size) { return systemFont(size, Weight::bold); }
    static UIFont italicSystemFont(CGFloat size);
    static UIFont monospacedDigitSystemFont(CGFloat size, double weight = Weight::regular);
    // A named family ("Helvetica-Bold" style names give bold); nothing for an empty name.
    static std::optional<UIFont> named(const std::string& name, CGFloat size);
    static CGFloat systemFontSize() { return 17; }
    static CGFloat labelFontSize() { return 17; }
    static CGFloat buttonFontSize() { return 18; }

    const std::string& familyName() const { return family_; }
    const std::string& fontName() const { return name_; }
    CGFloat pointSize() const { return size_; }
    double weight() const { return weight_; }
    bool isBold() const { return weight_ >= Weight::semibold; }
    bool isItalic() const { return italic_; }
    bool isSystemFont() const { return system_; }
    UIFont withSize(CGFloat size) const;

    CGFloat ascender() const { return size_ * 0.95; }
    CGFloat descender() const { return -size_ * 0.25; }
    CGFloat lineHeight() const { return size_ * 1.2; }
    // An average advance of one character, for measuring without a renderer.
    CGFloat averageCharacterWidth() const;

    bool operator==(const UIFont&) const = default;

  private:
    std::string family_ = ".SFUI";
    std::string name_ = ".SFUI-Regular";
    CGFloat size_ = 17;
    double weight_ = Weight::regular;
    bool italic_ = false;
    bool system_ = true;
};
