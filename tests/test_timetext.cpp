// Time text: writing seconds as clock text, reading typed text back.
#include <gtest/gtest.h>

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/pacemodel.h"
#include "time/timeconversions.h"

namespace {

std::string Text(float secs, const char *format = "%.1f")
{
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", format);
    char buf[TIME_TEXT_SIZE];
    to_timestring(secs, buf, sizeof buf);
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.1f");
    return buf;
}

TEST(TimeTextWriting, EveryPrefixOfTheTable)
{
    EXPECT_EQ(Text(5.5f), "5.5");
    EXPECT_EQ(Text(45.3f), "45.3");
    EXPECT_EQ(Text(65.5f), "1:05.5");
    EXPECT_EQ(Text(750.5f), "12:30.5");
    EXPECT_EQ(Text(3605.5f), "1:00:05.5");
    EXPECT_EQ(Text(3630.5f), "1:00:30.5");
    EXPECT_EQ(Text(3725.5f), "1:02:05.5");
    EXPECT_EQ(Text(3750.5f), "1:02:30.5");
    EXPECT_EQ(Text(4205.5f), "1:10:05.5");
    EXPECT_EQ(Text(4230.5f), "1:10:30.5");
}

TEST(TimeTextWriting, BoundariesOfMinutesAndHours)
{
    EXPECT_EQ(Text(0), "0.0");
    EXPECT_EQ(Text(59.94f), "59.9");
    EXPECT_EQ(Text(60), "1:00.0");
    EXPECT_EQ(Text(99), "1:39.0");
    EXPECT_EQ(Text(600), "10:00.0");
    EXPECT_EQ(Text(3600), "1:00:00.0");
    EXPECT_EQ(Text(36000), "10:00:00.0");
    EXPECT_EQ(Text(-0.0f), "0.0");
}

TEST(TimeTextWriting, OtherPrecisions)
{
    EXPECT_EQ(Text(3600, "%.0f"), "1:00:00");
    EXPECT_EQ(Text(3725.7f, "%.0f"), "1:02:06");
    EXPECT_EQ(Text(60, "%.2f"), "1:00.00");
    EXPECT_EQ(Text(3725.5f, "%.2f"), "1:02:05.50");
}

// The reciprocals of 60 and 3600 fall a little short, so whole minutes and
// hours are where a split goes wrong if the carry is missing.
TEST(TimeTextWriting, EveryWholeMinuteUpToHundredHours)
{
    for (int k = 0; k <= 6000; k++) {
        int h = k / 60, m = k % 60;
        char want[32];
        if (h == 0 && m == 0)
            snprintf(want, sizeof want, "0.0");
        else if (h == 0)
            snprintf(want, sizeof want, "%d:00.0", m);
        else
            snprintf(want, sizeof want, "%d:%02d:00.0", h, m);
        ASSERT_EQ(Text(60.0f * k), want) << k << " minutes";
    }
}

TEST(TimeTextWriting, SecondsRoundedUpCarryIntoMinutesAndHours)
{
    EXPECT_EQ(Text(69.96f), "1:10.0");
    EXPECT_EQ(Text(119.96f), "2:00.0");
    EXPECT_EQ(Text(59.96f), "1:00.0");
    EXPECT_EQ(Text(3599.96f), "1:00:00.0");
    EXPECT_EQ(Text(9.96f), "10.0");
    EXPECT_EQ(Text(3609.96f), "1:00:10.0");
    EXPECT_EQ(Text(59.6f, "%.0f"), "1:00");
    EXPECT_EQ(Text(3599.996f, "%.2f"), "1:00:00.00");
}

TEST(TimeTextWriting, HoursBeyondInt)
{
    // 2^31 s = 596523 h (2147482800 s) and 848 s = 14:08.
    EXPECT_EQ(Text(2147483648.0f), "596523:14:08.0");
    // 3600 x 2^63 s is exactly 2^63 hours.
    EXPECT_EQ(Text(3600.0f * 9223372036854775808.0f), "9223372036854775808:00:00.0");
}

TEST(TimeTextWriting, ValuesNoClockShows)
{
    EXPECT_EQ(Text(INFINITY), "infinite");
    EXPECT_EQ(Text(FLT_MAX), "too long");
    EXPECT_EQ(Text(3600.0f * 18446744073709551616.0f), "too long");  // 2^64 hours
    EXPECT_EQ(Text(NAN), "invalid");
    EXPECT_EQ(Text(-1.0f), "invalid");
}

TEST(TimeTextWriting, LongestTextFitsAndSmallBuffersAreNotOverrun)
{
    // The last float below 2^64 hours, 225 x 2^68 - 2^52 s, has the most
    // hour digits: 2^64 - 2^52 / 3600 = 1.8446742...e19 hours.
    float longest = std::nextafter(3600.0f * 18446744073709551616.0f, 0.0f);
    char buf[TIME_TEXT_SIZE + 8];
    memset(buf, 'x', sizeof buf);
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.2f");
    to_timestring(longest, buf, TIME_TEXT_SIZE);
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.1f");
    EXPECT_EQ(strlen(buf), TIME_TEXT_MAX);
    EXPECT_EQ(std::string(buf, 7), "1844674");
    EXPECT_EQ(buf[TIME_TEXT_SIZE], 'x');

    char small[6];
    memset(small, 'x', sizeof small);
    to_timestring(3725.5f, small, 4);
    EXPECT_STREQ(small, "1:0");
    EXPECT_EQ(small[4], 'x');
}

TEST(TimeTextReading, EmptyAndPartialFields)
{
    EXPECT_EQ(atosecs(""), 0);
    EXPECT_EQ(atosecs("."), 0);
    EXPECT_EQ(atosecs(":"), 0);
    EXPECT_EQ(atosecs("::"), 0);
    EXPECT_EQ(atosecs(":30"), 30);
    EXPECT_EQ(atosecs("1:"), 60);
    EXPECT_EQ(atosecs(".5"), 0.5);
    EXPECT_EQ(atosecs("5:"), 300);
    EXPECT_EQ(atosecs("5:05:"), 18300);
}

TEST(TimeTextReading, FieldsFoldBaseSixty)
{
    EXPECT_EQ(atosecs("90"), 90);
    EXPECT_EQ(atosecs("7:30"), 450);
    EXPECT_EQ(atosecs("1.5:30"), 120);
    EXPECT_EQ(atosecs("1:75"), 135);
    EXPECT_EQ(atosecs("90:00"), 5400);
    EXPECT_EQ(atosecs("1:23:20"), 5000);
    EXPECT_EQ(atosecs("0:0:59.9"), 59.9);
}

TEST(TimeTextReading, FourSignificantDigits)
{
    EXPECT_EQ(atosecs("20:00.7"), 1201);
    EXPECT_EQ(atosecs("2:46:41"), 10000);
    EXPECT_EQ(atosecs("1:02:05.5"), 3726);
    EXPECT_EQ(atosecs("5:30.26"), 330.3);
    EXPECT_EQ(atosecs("16:40.3"), 1000);
    EXPECT_EQ(atosecs("3:25:46"), 12350);
    EXPECT_EQ(atosecs("2:59:59"), 10800);
    EXPECT_EQ(atosecs("100001"), 100000);
    EXPECT_EQ(atosecs("27:48:00"), 100100);  // 100080 s
    // 12345 is an exact tie in binary: nearest-even gives 1.234e4.
    EXPECT_EQ(atosecs("12345"), 12340);
    EXPECT_EQ(atosecs("123456789"), 123500000);
}

TEST(TimeTextReading, MalformedTextIsMinusOne)
{
    for (const char *text : {"1.5:2.5", "1..2", "5 ", " 5", "-5", "+5", "1e3", "1:2a", "0x10",
                             "inf", "nan", "1,5", "\t1"})
        EXPECT_EQ(atosecs(text), -1.0) << '"' << text << '"';
}

TEST(TimeTextReading, TooManyFieldsOrTooLongAFieldIsMinusOne)
{
    EXPECT_EQ(atosecs("1:2:3:4"), -1.0);
    EXPECT_EQ(atosecs("1:2:3:"), -1.0);
    EXPECT_EQ(atosecs(":::"), -1.0);
    EXPECT_EQ(atosecs("1234567890"), -1.0);
    EXPECT_EQ(atosecs("0000000001"), -1.0);
    EXPECT_EQ(atosecs("1:1234567890"), -1.0);
    EXPECT_EQ(atosecs("000000001:1"), 61);  // nine characters still fit
}

TEST(TimeTextReading, SecsFoldsTheFirstFields)
{
    const double times[3] = {1, 2, 3.5};
    EXPECT_EQ(secs(times, 0), 0);
    EXPECT_EQ(secs(times, 1), 1);
    EXPECT_EQ(secs(times, 2), 62);
    EXPECT_EQ(secs(times, 3), 3723.5);
}

// Every written text must be accepted by the reader, show minutes and
// seconds below 60, and read back as the shown value to four significant
// digits; reading back the text of that value must give it again.
TEST(TimeTextRoundTrip, SweepOfValuesInEveryPrecision)
{
    const char *formats[] = {"%.0f", "%.1f", "%.2f"};
    for (int d = 0; d < 3; d++) {
        for (double v = 0; v < 400000; v = v * 1.0007 + 0.013) {
            float x = (float)v;
            std::string text = Text(x, formats[d]);

            int colons = 0;
            for (const char *p = text.c_str(); *p; p++) {
                ASSERT_TRUE((*p >= '0' && *p <= '9') || *p == ':' || *p == '.') << text;
                if (*p == ':') {
                    colons++;
                    const char *field = p + 1;
                    ASSERT_LT(atoi(field), 60) << text;
                    // exactly two digits
                    ASSERT_TRUE(isdigit(field[0]) && isdigit(field[1])) << text;
                    ASSERT_TRUE(!field[2] || field[2] == '.' || field[2] == ':') << text;
                }
            }
            ASSERT_LE(colons, 2) << text;

            double back = atosecs(text.c_str());
            double shownError = 0.5 * std::pow(10.0, -d);
            ASSERT_GE(back, 0) << text;
            ASSERT_LE(std::fabs(back - x), shownError + 0.0005 * (x + 1)) << text;

            snprintf(szTimeFormat, sizeof szTimeFormat, "%s", formats[d]);
            char again[TIME_TEXT_SIZE];
            to_timestring((float)back, again, sizeof again);
            snprintf(szTimeFormat, sizeof szTimeFormat, "%s", "%.1f");
            ASSERT_EQ(atosecs(again), back) << text << " then " << again;
        }
    }
}

}  // namespace
