// Reading typed distances and resolution-dialog numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "model/entry.h"

namespace {

const float km = 1.609344f;

TEST(DistanceReading, LimitsInMiles)
{
    EXPECT_EQ(ReadDistance("10", 1, 10, 2), 10);
    EXPECT_EQ(ReadDistance("10.01", 1, 10, 2), -1);
    EXPECT_EQ(ReadDistance("-0.5", 1, 10, 2), -1);
    EXPECT_EQ(ReadDistance("abc", 1, 10, 2), 0);
    EXPECT_EQ(ReadDistance("", 1, 10, 2), 0);
    EXPECT_EQ(ReadDistance("  MK", 1, 10, 2), 0);
    float zero = ReadDistance("-0", 1, 10, 2);
    EXPECT_EQ(zero, 0);
    EXPECT_FALSE(std::signbit(zero));
}

TEST(DistanceReading, FirstNumberInTheShownUnit)
{
    for (const char *text : {"26.22 Mi.", "26.22", "M26.22", " 26.22 Km.", "26.22 Laps", "26.22Kx"})
        EXPECT_EQ(ReadDistance(text, 1, 30, 2), 26.22f) << text;
    EXPECT_EQ(ReadDistance("5k", 1, 10, 2), 5);  // a small k is no separator: the number stops there
    // 16.09 km = 9.99786 mi passes 10 mi, 16.1 km = 10.0041 mi does not
    EXPECT_NEAR(ReadDistance("16.09", km, 10, 2), 9.99786, 1e-5);
    EXPECT_EQ(ReadDistance("16.1", km, 10, 2), -1);
}

// The maximum shown rounded in another unit reads back as the maximum; a
// number above it by more than that rounding is out of range.
TEST(DistanceReading, TheMaximumAsShownIsTheMaximum)
{
    const struct {
        const char *text;
        float factor, maximum;
        int decimals;
        float miles;
    } cases[] = {
        {"80.47 Laps", 8.04672f, 10, 2, 10},  // 10 mi = 80.4672 laps
        {"32.19 Km.", km, 20, 2, 20},         // 20 mi = 32.18688 km
        {"16.1 Km.", km, 10, 1, 10},          // 10 mi = 16.09344 km
        {"8046.7196 Laps", 8.04672f, 1000, 4, 1000},
        {"80.48", 8.04672f, 10, 2, -1},  // 0.0128 laps over
        {"16.1", km, 10, 2, -1},         // 0.0066 km over, more than 0.005
        {"10.01", 1, 10, 2, -1},
        {"10.1", 1, 10, 1, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadDistance(c.text, c.factor, c.maximum, c.decimals), c.miles) << c.text << " " << c.decimals;
}

TEST(TimeReading, TheMaximumAsShownIsTheMaximumInEveryPrecision)
{
    const struct {
        const char *text;
        float maximum;
        int decimals;
        float seconds;
    } cases[] = {
        {"1:23:20.0", 5000, 1, 5000}, {"1:23:21", 5000, 1, -1},   {"16:40", 999.9f, 0, 999.9f},
        {"16:40.0", 999.9f, 1, -1},   {"1:00.0", 59.95f, 1, 59.95f}, {"10.00", 9.999f, 2, 9.999f},
        {"10.01", 9.999f, 2, -1},     {"1:2a", 5000, 1, -1},       {"", 5000, 1, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadTime(c.text, c.maximum, c.decimals), c.seconds) << c.text << " " << c.decimals;
}

TEST(DistanceReading, OnlyTheFirstTwelveCharactersCount)
{
    EXPECT_EQ(ReadDistance("1234567890.12345", 1, 1e10f, 2), 1234567890.1f);
}

TEST(DistanceReading, NumbersThatAreNotFiniteAreOutOfRange)
{
    for (const char *text : {"nan", "NAN", "-nan", "inf", "INFINITY", "1e999", "1e39", "0x1p200"})
        EXPECT_EQ(ReadDistance(text, 1, 3e38f, 2), -1) << text;
}

TEST(WholeMilesReading, TheLeadingWholeNumber)
{
    long long number;
    EXPECT_EQ(ReadWholeMiles("1500", &number), 1500);
    EXPECT_EQ(ReadWholeMiles("12.5", &number), 12);
    EXPECT_EQ(ReadWholeMiles(" -5", &number), -5);
    EXPECT_EQ(ReadWholeMiles("-", &number), 0);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(ReadWholeMiles("", &number), 0);
    EXPECT_EQ(ReadWholeMiles("2147483647", &number), 2147483647);
}

TEST(WholeMilesReading, BeyondAnIntIsKeptAsReadButNotAsMiles)
{
    long long number;
    EXPECT_EQ(ReadWholeMiles("99999999999", &number), 0);
    EXPECT_EQ(number, 99999999999LL);
    EXPECT_EQ(ReadWholeMiles("-99999999999", &number), 0);
    EXPECT_EQ(number, -99999999999LL);
    EXPECT_EQ(ReadWholeMiles("999999999999999999", &number), 0);
    EXPECT_EQ(number, 999999999999999999LL);
}

}  // namespace
