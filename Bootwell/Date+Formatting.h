#pragma once

#include "Foundation/Date.h"
#include "Foundation/DateFormatter.h"

#include <string>

// Dates as text in the current locale and time zone. Each call makes a fresh formatter, so a
// change of locale or time zone is seen at once.
namespace Bootwell {

// The date in a pattern such as "yyyy-MM-dd HH:mm:ss".
std::string formatted(const Date& date, const std::string& dateFormat);
// The date alone (no time) in one of the platform's date styles.
std::string formatted(const Date& date, DateFormatter::Style dateStyle);

} // namespace Bootwell
