#pragma once

#include "Foundation/Date.h"

#include <string>

// Formats dates with ICU in the current locale and time zone, by pattern
// ("yyyy-MM-dd HH:mm:ss") or by style.
class DateFormatter {
  public:
    enum class Style { none, shortStyle, medium, longStyle, full };

    std::string dateFormat;
    Style dateStyle = Style::none;
    Style timeStyle = Style::none;

    // A pattern, when set, wins over the styles.
    std::string string(const Date& date) const;
};
