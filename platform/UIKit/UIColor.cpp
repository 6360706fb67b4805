#include "UIKit/UIColor.h"

#include "UIKit/UIImage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {
double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
} // namespace

UIColor::UIColor(double red, double green, double blue, double alpha)
    : r_(clamp01(red)), g_(clamp01(green)), b_(clamp01(blue)), a_(clamp01(alpha)) {}

UIColor UIColor::rgb255(int red, int green, int blue, double alpha) {
    return {red / 255.0, green / 255.0, blue / 255.0, alpha};
}

UIColor UIColor::white(double white, double alpha) {
    UIColor c(white, white, white, alpha);
    c.space_ = Space::grey;
    return c;
}

UIColor UIColor::hex(uint32_t rgb, double alpha) {
    return rgb255((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, alpha);
}

std::optional<UIColor> UIColor::fromHexString(const std::string& text) {
    std::string s = text;
    if (!s.empty() && s[0] == '#')
        s.erase(0, 1);
    if (s.size() != 6 && s.size() != 8)
        return std::nullopt;
    if (!std::all_of(s.begin(), s.end(), [](unsigned char ch) { return std::isxdigit(ch); }))
        return std::nullopt;
    uint64_t value = std::stoull(s, nullptr, 16);
    if (s.size() == 6)
        return hex(static_cast<uint32_t>(value));
    return hex(static_cast<uint32_t>(value >> 8), (value & 0xFF) / 255.0);
}

UIColor UIColor::patternImage(std::shared_ptr<UIImage> image) {
    UIColor c(0, 0, 0, 1);
    c.pattern_ = std::move(image);
    return c;
}

UIColor UIColor::dynamic(std::function<UIColor(const UITraitCollection&)> provider) {
    UIColor c;
    c.provider_ = std::make_shared<const std::function<UIColor(const UITraitCollection&)>>(
        std::move(provider));
    return c;
}

UIColor UIColor::dynamic(const UIColor& light, const UIColor& dark) {
    return dynamic([light, dark](const UITraitCollection& traits) {
        return traits.userInterfaceStyle == UIUserInterfaceStyle::dark ? dark : light;
    });
}

UIColor UIColor::systemBlue() {
    return dynamic(rgb255(0, 122, 255), rgb255(10, 132, 255));
}
UIColor UIColor::systemRed() {
    return dynamic(rgb255(255, 59, 48), rgb255(255, 69, 58));
}
UIColor UIColor::systemGreen() {
    return dynamic(rgb255(52, 199, 89), rgb255(48, 209, 88));
}
UIColor UIColor::systemOrange() {
    return dynamic(rgb255(255, 149, 0), rgb255(255, 159, 10));
}
UIColor UIColor::systemYellow() {
    return dynamic(rgb255(255, 204, 0), rgb255(255, 214, 10));
}
UIColor UIColor::systemPink() {
    return dynamic(rgb255(255, 45, 85), rgb255(255, 55, 95));
}
UIColor UIColor::systemPurple() {
    return dynamic(rgb255(175, 82, 222), rgb255(191, 90, 242));
}
UIColor UIColor::systemTeal() {
    return dynamic(rgb255(48, 176, 199), rgb255(64, 200, 224));
}
UIColor UIColor::systemIndigo() {
    return dynamic(rgb255(88, 86, 214), rgb255(94, 92, 230));
}
UIColor UIColor::systemGray() {
    return dynamic(rgb255(142, 142, 147), rgb255(142, 142, 147));
}
UIColor UIColor::systemGray2() {
    return dynamic(rgb255(174, 174, 178), rgb255(99, 99, 102));
}
UIColor UIColor::systemGray3() {
    return dynamic(rgb255(199, 199, 204), rgb255(72, 72, 74));
}
UIColor UIColor::systemGray4() {
    return dynamic(rgb255(209, 209, 214), rgb255(58, 58, 60));
}
UIColor UIColor::systemGray5() {
    return dynamic(rgb255(229, 229, 234), rgb255(44, 44, 46));
}
UIColor UIColor::systemGray6() {
    return dynamic(rgb255(242, 242, 247), rgb255(28, 28, 30));
}
UIColor UIColor::label() {
    return dynamic(black(), white());
}
UIColor UIColor::secondaryLabel() {
    return dynamic(rgb255(60, 60, 67, 0.6), rgb255(235, 235, 245, 0.6));
}
UIColor UIColor::lightText() {
    return white(1, 0.6);
}
UIColor UIColor::darkText() {
    return black();
}
UIColor UIColor::systemBackground() {
    return dynamic(white(), black());
}
UIColor UIColor::secondarySystemBackground() {
    return dynamic(rgb255(242, 242, 247), rgb255(28, 28, 30));
}
UIColor UIColor::systemGroupedBackground() {
    return dynamic(rgb255(242, 242, 247), black());
}
UIColor UIColor::secondarySystemGroupedBackground() {
    return dynamic(white(), rgb255(28, 28, 30));
}
UIColor UIColor::separator() {
    return dynamic(rgb255(60, 60, 67, 0.29), rgb255(84, 84, 88, 0.6));
}
UIColor UIColor::link() {
    return dynamic(rgb255(0, 122, 255), rgb255(9, 132, 255));
}

UIColor UIColor::resolvedColor(const UITraitCollection& traits) const {
    if (!provider_)
        return *this;
    return (*provider_)(traits).resolvedColor(traits);
}

bool UIColor::getRed(double* red, double* green, double* blue, double* alpha) const {
    UIColor c = resolvedColor(UITraitCollection::current());
    if (c.pattern_)
        return false;
    if (red)
        *red = c.r_;
    if (green)
        *green = c.g_;
    if (blue)
        *blue = c.b_;
    if (alpha)
        *alpha = c.a_;
    return true;
}

bool UIColor::getWhite(double* white, double* alpha) const {
    UIColor c = resolvedColor(UITraitCollection::current());
    if (c.pattern_)
        return false;
    if (white)
        *white = 0.299 * c.r_ + 0.587 * c.g_ + 0.114 * c.b_;
    if (alpha)
        *alpha = c.a_;
    return true;
}

int UIColor::numberOfComponents() const {
    UIColor c = resolvedColor(UITraitCollection::current());
    if (c.pattern_)
        return 0;
    return c.space_ == Space::grey ? 2 : 4;
}

double UIColor::alpha() const {
    return resolvedColor(UITraitCollection::current()).a_;
}

UIColor UIColor::withAlphaComponent(double alpha) const {
    if (provider_) {
        UIColor base = *this;
        return dynamic([base, alpha](const UITraitCollection& traits) {
            return base.resolvedColor(traits).withAlphaComponent(alpha);
        });
    }
    UIColor c = *this;
    c.a_ = clamp01(alpha);
    return c;
}

bool UIColor::operator==(const UIColor& o) const {
    if (provider_ || o.provider_) {
        if (provider_ == o.provider_)
            return true;
        UITraitCollection light, dark;
        dark.userInterfaceStyle = UIUserInterfaceStyle::dark;
        return resolvedColor(light) == o.resolvedColor(light) &&
               resolvedColor(dark) == o.resolvedColor(dark);
    }
    if (pattern_ || o.pattern_)
        return pattern_ == o.pattern_;
    return r_ == o.r_ && g_ == o.g_ && b_ == o.b_ && a_ == o.a_;
}

std::string UIColor::description() const {
    if (pattern_)
        return "UIColor(pattern " + pattern_->name() + ")";
    UIColor c = resolvedColor(UITraitCollection::current());
    char text[96];
    std::snprintf(text, sizeof text, "UIColor(%.4g, %.4g, %.4g, %.4g)", c.r_, c.g_, c.b_, c.a_);
    return text;
}
