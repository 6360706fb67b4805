#include "Bootwell/Date+Formatting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

// The formatter reads the locale and time zone from the environment when first used, so
// every test of this file asks for the same ones before formatting anything.
class DateFormattingTests : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        setenv("LC_ALL", "en_US", 1);
        tzset();
    }

    // 2024-03-05 14:07:09 UTC
    Date moment{1709647629};
};

TEST_F(DateFormattingTests, Pattern) {
    EXPECT_EQ(Bootwell::formatted(moment, "yyyy-MM-dd HH:mm:ss"), "2024-03-05 14:07:09");
    EXPECT_EQ(Bootwell::formatted(Date(0), "yyyy-MM-dd HH:mm:ss"), "1970-01-01 00:00:00");
    EXPECT_EQ(Bootwell::formatted(moment, "d MMM"), "5 Mar");
}

TEST_F(DateFormattingTests, StylesShowTheDateWithoutTime) {
    using Style = DateFormatter::Style;
    EXPECT_EQ(Bootwell::formatted(moment, Style::medium), "Mar 5, 2024");
    EXPECT_EQ(Bootwell::formatted(moment, Style::shortStyle), "3/5/24");
    EXPECT_EQ(Bootwell::formatted(moment, Style::longStyle), "March 5, 2024");
    EXPECT_EQ(Bootwell::formatted(moment, Style::full), "Tuesday, March 5, 2024");
    EXPECT_EQ(Bootwell::formatted(moment, Style::none), "");
}

} // namespace
