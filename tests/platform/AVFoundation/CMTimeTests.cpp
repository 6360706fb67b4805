#include "AVFoundation/CMTime.h"
#include "AVFoundation/CMTimeRange.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(CMTimeTests, SecondsOfNumericAndSpecialTimes) {
    EXPECT_DOUBLE_EQ(CMTimeMake(3, 1).seconds(), 3.0);
    EXPECT_DOUBLE_EQ(CMTimeGetSeconds(CMTimeMake(-441, 44100)), -0.01);
    EXPECT_DOUBLE_EQ(kCMTimeZero.seconds(), 0.0);
    EXPECT_TRUE(std::isnan(kCMTimeIndefinite.seconds()));
    EXPECT_TRUE(std::isnan(kCMTimeInvalid.seconds()));
    EXPECT_TRUE(std::isinf(kCMTimePositiveInfinity.seconds()));
    EXPECT_FALSE(CMTimeMake(1, 0).isValid()); // no timescale, no time
    EXPECT_EQ(CMTimeMakeWithSeconds(1.5, 600), CMTimeMake(900, 600));
    EXPECT_EQ(CMTimeMakeWithSeconds(2.0004, 1).value, 2);
}

TEST(CMTimeTests, ArithmeticAcrossTimescales) {
    struct Case {
        CMTime a, b, sum, difference;
    };
    const Case cases[] = {
        {CMTimeMake(1, 2), CMTimeMake(1, 3), CMTimeMake(5, 6), CMTimeMake(1, 6)},
        {CMTimeMake(44100, 44100), CMTimeMake(24000, 48000), CMTimeMake(3, 2), CMTimeMake(1, 2)},
        {CMTimeMake(7, 1), kCMTimeZero, CMTimeMake(7, 1), CMTimeMake(7, 1)},
        {CMTimeMake(7, 1), kCMTimeIndefinite, kCMTimeIndefinite, kCMTimeIndefinite},
        {CMTimeMake(7, 1), kCMTimeInvalid, kCMTimeInvalid, kCMTimeInvalid},
        {kCMTimePositiveInfinity, CMTimeMake(1, 1), kCMTimePositiveInfinity,
         kCMTimePositiveInfinity},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CMTimeAdd(c.a, c.b), c.sum);
        EXPECT_EQ(CMTimeSubtract(c.a, c.b), c.difference);
    }
    // Timescales whose common multiple is too large fall back to the larger one.
    CMTime sum = CMTimeAdd(CMTimeMake(1, 2147483647), CMTimeMake(1, 2147483646));
    EXPECT_EQ(sum.timescale, 2147483647);
    EXPECT_NEAR(sum.seconds(), 2.0 / 2147483646.5, 1e-18);
}

TEST(CMTimeTests, OrderingPutsSpecialTimesAtTheEnds) {
    EXPECT_LT(CMTimeMake(1, 3), CMTimeMake(1, 2));
    EXPECT_EQ(CMTimeMake(2, 4), CMTimeMake(1, 2));
    EXPECT_LT(kCMTimeInvalid, kCMTimeNegativeInfinity);
    EXPECT_LT(kCMTimeNegativeInfinity, CMTimeMake(-100, 1));
    EXPECT_LT(CMTimeMake(1000000, 1), kCMTimeIndefinite);
    EXPECT_LT(kCMTimeIndefinite, kCMTimePositiveInfinity);
    EXPECT_EQ(CMTimeMinimum(CMTimeMake(5, 1), CMTimeMake(9, 2)), CMTimeMake(9, 2));
    EXPECT_EQ(CMTimeMaximum(CMTimeMake(5, 1), kCMTimeIndefinite), kCMTimeIndefinite);
}

TEST(CMTimeTests, RangesFromStartAndEndOrDuration) {
    CMTimeRange fromEnd = CMTimeRangeFromTimeToTime(CMTimeMake(2, 1), CMTimeMake(7, 1));
    CMTimeRange fromDuration = CMTimeRangeMake(CMTimeMake(2, 1), CMTimeMake(5, 1));
    EXPECT_EQ(fromEnd, fromDuration);
    EXPECT_EQ(fromEnd.duration, CMTimeMake(5, 1));
    EXPECT_EQ(CMTimeRangeGetEnd(fromDuration), CMTimeMake(7, 1));
    EXPECT_TRUE(fromEnd.containsTime(CMTimeMake(2, 1)));
    EXPECT_FALSE(fromEnd.containsTime(CMTimeMake(7, 1)));
    EXPECT_TRUE(kCMTimeRangeZero.isEmpty());
    // An end before the start gives no range.
    EXPECT_FALSE(CMTimeRangeFromTimeToTime(CMTimeMake(7, 1), CMTimeMake(2, 1)).isValid());
}
