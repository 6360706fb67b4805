#include "UIKit/UIFont.h"

#include <algorithm>
#include <cctype>

namespace {
std::string weightSuffix(double weight) {
    if (weight >= UIFont::Weight::black)
        return "Black";
    if (weight >= UIFont::Weight::heavy)
        return "Heavy";
    if (weight >= UIFont::Weight::bold)
        return "Bold";
    if (weight >= UIFont::Weight::semibold)
        return "Semibold";
    if (weight >= UIFont::Weight::medium)
        return "Medium";
    if (weight <= UIFont::Weight::ultraLight)
        return "Ultralight";
    if (weight <= UIFont::Weight::thin)
        return "Thin";
    if (weight <= UIFont::Weight::light)
        return "Light";
    return "Regular";
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}
} // namespace

UIFont UIFont::systemFont(CGFloat size, double weight) {
    UIFont f;
    f.size_ = size;
    f.weight_ = weight;
    f.name_ = ".SFUI-" + weightSuffix(weight);
    return f;
}

UIFont UIFont::italicSystemFont(CGFloat size) {
    UIFont f = systemFont(size);
    f.italic_ = true;
    f.name_ = ".SFUI-Italic";
    return f;
}

UIFont UIFont::monospacedDigitSystemFont(CGFloat size, double weight) {
    return systemFont(size, weight);
}

std::optional<UIFont> UIFont::named(const std::string& name, CGFloat size) {
    if (name.empty())
        return std::nullopt;
    UIFont f;
    f.system_ = false;
    f.name_ = name;
    f.size_ = size;
    auto dash = name.find('-');
    f.family_ = name.substr(0, dash);
    std::string style = dash == std::string::npos ? "" : lower(name.substr(dash + 1));
    if (style.find("bold") != std::string::npos)
        f.weight_ = Weight::bold;
    if (style.find("semibold") != std::string::npos)
        f.weight_ = Weight::semibold;
    if (style.find("medium") != std::string::npos)
        f.weight_ = Weight::medium;
    if (style.find("light") != std::string::npos)
        f.weight_ = Weight::light;
    if (style.find("black") != std::string::npos || style.find("heavy") != std::string::npos)
        f.weight_ = Weight::heavy;
    f.italic_ =
        style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos;
    return f;
}

UIFont UIFont::withSize(CGFloat size) const {
    UIFont f = *this;
    f.size_ = size;
    return f;
}

CGFloat UIFont::averageCharacterWidth() const {
    return size_ * (isBold() ? 0.58 : 0.52);
}
