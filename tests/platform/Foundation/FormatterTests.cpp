#include "Foundation/ByteCountFormatter.h"
#include "Foundation/DateFormatter.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

TEST(FormatterTests, ByteCountsInTheFileStyle) {
    struct Case {
        int64_t bytes;
        const char* text;
    };
    for (Case c :
         {Case{0, "Zero KB"}, Case{1, "1 byte"}, Case{999, "999 bytes"}, Case{1000, "1 KB"},
          Case{3000 + 4096, "7 KB"}, Case{999'499, "999 KB"}, Case{999'960, "1 MB"},
          Case{1'200'000, "1.2 MB"}, Case{1'250'000'000, "1.25 GB"}}) {
        EXPECT_EQ(ByteCountFormatter::fileString(c.bytes), c.text) << c.bytes;
    }
}

TEST(FormatterTests, DatesByPatternAndStyleInTheCurrentZone) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale("en_US"), status);
    icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("UTC"));
    Date date(1700000000); // 2023-11-14 22:13:20 UTC

    DateFormatter pattern;
    pattern.dateFormat = "yyyy-MM-dd HH:mm:ss";
    EXPECT_EQ(pattern.string(date), "2023-11-14 22:13:20");

    DateFormatter medium;
    medium.dateStyle = DateFormatter::Style::medium;
    EXPECT_EQ(medium.string(date), "Nov 14, 2023");

    icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone("Asia/Tokyo"));
    EXPECT_EQ(medium.string(date), "Nov 15, 2023");
}
