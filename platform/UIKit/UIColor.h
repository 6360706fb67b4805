#pragma once

#include "UIKit/UITraitCollection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class UIImage;

// A colour value: red, green, blue and alpha in [0, 1], a grey level, a pattern made of an
// image, or a dynamic colour that picks its value from a trait collection.
class UIColor {
  public:
    UIColor() = default;
    UIColor(double red, double green, double blue, double alpha);

    static UIColor rgba(double red, double green, double blue, double alpha = 1.0) {
        return {red, green, blue, alpha};
    }
    // Components as 8-bit values over 255.
    static UIColor rgb255(int red, int green, int blue, double alpha = 1.0);
    static UIColor white(double white, double alpha = 1.0);
    // 0xRRGGBB.
    static UIColor hex(uint32_t rgb, double alpha = 1.0);
    // "#RRGGBB", "RRGGBB" or "#RRGGBBAA"; nothing for anything else.
    static std::optional<UIColor> fromHexString(const std::string& text);
    static UIColor patternImage(std::shared_ptr<UIImage> image);
    static UIColor dynamic(std::function<UIColor(const UITraitCollection&)> provider);
    static UIColor dynamic(const UIColor& light, const UIColor& dark);

    static UIColor clear() { return white(0, 0); }
    static UIColor white() { return white(1); }
    static UIColor black() { return white(0); }
    static UIColor gray() { return white(0.5); }
    static UIColor lightGray() { return white(2.0 / 3.0); }
    static UIColor darkGray() { return white(1.0 / 3.0); }
    static UIColor red() { return {1, 0, 0, 1}; }
    static UIColor green() { return {0, 1, 0, 1}; }
    static UIColor blue() { return {0, 0, 1, 1}; }
    static UIColor purple() { return {0.5, 0, 0.5, 1}; }
    static UIColor orange() { return {1, 0.5, 0, 1}; }
    static UIColor yellow() { return {1, 1, 0, 1}; }
    static UIColor systemBlue();
    static UIColor systemRed();
    static UIColor systemGreen();
    static UIColor systemOrange();
    static UIColor systemYellow();
    static UIColor systemPink();
    static UIColor systemPurple();
    static UIColor systemTeal();
    static UIColor systemIndigo();
    static UIColor systemGray();
    static UIColor systemGray2();
    static UIColor systemGray3();
    static UIColor systemGray4();
    static UIColor systemGray5();
    static UIColor systemGray6();
    static UIColor label();
    static UIColor secondaryLabel();
    static UIColor lightText();
    static UIColor darkText();
    static UIColor systemBackground();
    static UIColor secondarySystemBackground();
    // A grouped table's background and its rows'.
    static UIColor systemGroupedBackground();
    static UIColor secondarySystemGroupedBackground();
    static UIColor separator();
    static UIColor link();
    static UIColor tintColor() { return systemBlue(); }

    // A dynamic colour resolved for the traits; any other colour is returned as it is.
    UIColor resolvedColor(const UITraitCollection& traits) const;
    // The components after resolving against the current traits; false for a pattern.
    bool getRed(double* red, double* green, double* blue, double* alpha) const;
    bool getWhite(double* white, double* alpha) const;
    // 2 for a grey level, 4 for red-green-blue-alpha, 0 for a pattern.
    int numberOfComponents() const;
    double alpha() const;
    UIColor withAlphaComponent(double alpha) const;

    bool isPattern() const { return pattern_ != nullptr; }
    bool isDynamic() const { return provider_ != nullptr; }
    const std::shared_ptr<UIImage>& patternImageValue() const { return pattern_; }

    // Dynamic colours are equal when they resolve alike in light and in dark.
    bool operator==(const UIColor& other) const;
    std::string description() const;

  private:
    enum class Space { rgb, grey };
    double r_ = 0, g_ = 0, b_ = 0, a_ = 0;
    Space space_ = Space::rgb;
    std::shared_ptr<UIImage> pattern_;
    std::shared_ptr<const std::function<UIColor(const UITraitCollection&)>> provider_;
};
