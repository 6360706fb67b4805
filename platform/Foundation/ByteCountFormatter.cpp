#include "Foundation/ByteCountFormatter.h"

#include <cmath>
#include <cstdio>

namespace ByteCountFormatter {

std::string fileString(int64_t bytes) {
    if (bytes == 0)
        return "Zero KB";
    if (bytes == 1)
        return "1 byte";
    if (std::llabs(bytes) < 1000)
        return std::to_string(bytes) + " bytes";

    static const char* units[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    static const int decimals[] = {0, 1, 2, 2, 2, 2};
    double value = static_cast<double>(bytes);
    int unit = -1;
    while (std::fabs(value) >= 1000 && unit < 5) {
        value /= 1000;
        ++unit;
    }
    // Rounding may carry into the next unit (999.96 KB is 1 MB).
    double scale = std::pow(10.0, decimals[unit]);
    double rounded = std::round(value * scale) / scale;
    if (std::fabs(rounded) >= 1000 && unit < 5) {
        rounded /= 1000;
        ++unit;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals[unit], rounded);
    std::string number = text;
    if (number.find('.') != std::string::npos) {
        while (number.back() == '0')
            number.pop_back();
        if (number.back() == '.')
            number.pop_back();
    }
    return number + " " + units[unit];
}

} // namespace ByteCountFormatter
