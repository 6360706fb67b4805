#include "Bootwell/Date+Formatting.h"

namespace Bootwell {

std::string formatted(const Date& date, const std::string& dateFormat) {
    DateFormatter formatter;
    formatter.dateFormat = dateFormat;
    return formatter.string(date);
}

std::string formatted(const Date& date, DateFormatter::Style dateStyle) {
    DateFormatter formatter;
    formatter.dateStyle = dateStyle;
    formatter.timeStyle = DateFormatter::Style::none;
    return formatter.string(date);
}

} // namespace Bootwell
