#include "Foundation/DateFormatter.h"

#include <memory>
#include <unicode/datefmt.h>
#include <unicode/smpdtfmt.h>

namespace {

icu::DateFormat::EStyle icuStyle(DateFormatter::Style style) {
    switch (style) {
    case DateFormatter::Style::none:
        return icu::DateFormat::kNone;
    case DateFormatter::Style::shortStyle:
        return icu::DateFormat::kShort;
    case DateFormatter::Style::medium:
        return icu::DateFormat::kMedium;
    case DateFormatter::Style::longStyle:
        return icu::DateFormat::kLong;
    case DateFormatter::Style::full:
        return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

} // namespace

std::string DateFormatter::string(const Date& date) const {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateFormat> format;
    if (!dateFormat.empty()) {
        format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(dateFormat),
                                                         icu::Locale::getDefault(), status);
    } else if (dateStyle == Style::none && timeStyle == Style::none) {
        return "";
    } else {
        format.reset(
            icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle), icuStyle(timeStyle)));
    }
    if (!format || U_FAILURE(status))
        return "";
    icu::UnicodeString text;
    format->format(date.timeIntervalSince1970() * 1000.0, text);
    std::string out;
    text.toUTF8String(out);
    return out;
}
