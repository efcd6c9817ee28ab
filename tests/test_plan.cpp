// The pace plan of the tools, against the published checks and figures
// worked by hand.
#include <gtest/gtest.h>

#include "clock_text.h"

#include <cstring>
#include <string>

#include "model/plan.h"

namespace {

TEST(ClockText, ReadsEveryDecimalAndSaysWhatItCannotRead)
{
    const struct {
        const char *text;
        Reading reading;
        long double seconds;
    } cases[] = {
        {"3:29:45.6", READ_OK, 12585.6L}, {"4.30", READ_OK, 4.3L},        {"1:75", READ_OK, 135},
        {"8:00.0 /Mile", READ_OK, 480},   {" 12:34 ", READ_OK, 754},       {"60.00000000", READ_OK, 60},
        {"2:46:41", READ_OK, 10001},      {"", READ_EMPTY, 0},             {"   ", READ_EMPTY, 0},
        {"0", READ_ZERO, 0},              {"0:00", READ_ZERO, 0},          {".", READ_BAD, 0},
        {"4:3O", READ_BAD, 0},            {"1:2:3:4", READ_BAD, 0},        {"-5", READ_BAD, 0},
        {"1.5:2.5", READ_BAD, 0},         {"1e3", READ_BAD, 0},
    };
    for (const auto &c : cases) {
        long double seconds = 0;
        EXPECT_EQ(ReadClock(c.text, &seconds), c.reading) << c.text;
        if (c.reading == READ_OK) {
            EXPECT_NEAR((double)seconds, (double)c.seconds, 1e-12) << c.text;
        }
    }
}

TEST(ClockText, ShownRoundedOnce)
{
    const struct {
        long double seconds;
        int decimals;
        const char *text;
    } cases[] = {
        {12585.6L, 1, "3:29:45.6"}, {59.96L, 1, "1:00.0"}, {482.8032L, 1, "8:02.8"}, {0, 1, "0.0"},
        {3600, 1, "1:00:00.0"},     {45.6L, 0, "46"},      {65.5L, 2, "1:05.50"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Clock(c.seconds, c.decimals), c.text);
    char words[64];
    FormatClockWords(4.3L, words, sizeof words);
    EXPECT_STREQ(words, "4.3 s");
    FormatClockWords(12585.6L, words, sizeof words);
    EXPECT_STREQ(words, "3 h 29 min 45.6 s");
}

// 5:00 /Km = 12.00 km/h = 7.46 mph = 8:02.8 /Mile (1609.344 x 0.3 s);
// 3:30:00 at 8:00 /Mile is 12600 / 480 = 26.25 mi; 8:00 /Mile over 26.22 mi
// is 12585.6 s; 12 km/h over 10 km is 3000 s.
TEST(PacePlan, AnyTwoGiveTheThird)
{
    char text[64];
    Plan plan = SolvePlan(SOLVE_TIME, "", "10", UNIT_KM, "5:00", UNIT_KM);
    ASSERT_TRUE(plan.solved);
    FormatSpeeds(plan.secondsPerMetre, text, sizeof text);
    EXPECT_STREQ(text, "12.00 km/h, 7.46 mph");
    FormatPaceIn(plan.secondsPerMetre, UNIT_MILE, text, sizeof text);
    EXPECT_STREQ(text, "8:02.8 /Mile");

    plan = SolvePlan(SOLVE_DISTANCE, "3:30:00", "", UNIT_MILE, "8:00", UNIT_MILE);
    ASSERT_TRUE(plan.solved);
    FormatDistanceIn(plan.metres, UNIT_MILE, 2, text, sizeof text);
    EXPECT_STREQ(text, "26.25 Mi.");

    plan = SolvePlan(SOLVE_TIME, "", "26.22", UNIT_MILE, "8:00", UNIT_MILE);
    EXPECT_EQ(Clock(plan.seconds), "3:29:45.6");
    plan = SolvePlan(SOLVE_TIME, "", "10", UNIT_KM, "12", PACE_KMH);
    EXPECT_EQ(Clock(plan.seconds), "50:00.0");
    plan = SolvePlan(SOLVE_PACE, "45:00", "10", UNIT_KM, "", UNIT_400M);
    FormatPaceIn(plan.secondsPerMetre, UNIT_400M, text, sizeof text);
    EXPECT_STREQ(text, "1:48.0 /400m");
}

TEST(PacePlan, EachEntrySaysWhatItRead)
{
    const struct {
        int solve;
        const char *time, *distance, *pace;
        int paceKind, entry;
        const char *note;
    } cases[] = {
        {SOLVE_TIME, "", "10", "4.30", UNIT_KM, SOLVE_PACE, "= 4.3 s per Km, 43.0 over 10.00 Km."},
        {SOLVE_TIME, "", "10", "12", PACE_KMH, SOLVE_PACE, "= 12 km/h = 5:00.0 /Km, 50:00.0 over 10.00 Km."},
        {SOLVE_PACE, "3:29:45.6", "26.22", "", UNIT_MILE, SOLVE_TIME, "= 3 h 29 min 45.6 s"},
        {SOLVE_PACE, "1:00:00", "10", "", UNIT_MILE, SOLVE_DISTANCE, "= 10 km = 6.214 mi"},
        {SOLVE_TIME, "", "10", "", UNIT_KM, SOLVE_PACE, "Type the pace, as 4:30"},
        {SOLVE_TIME, "", "10", "0:00", UNIT_KM, SOLVE_PACE, "A pace of 0 makes no plan"},
        {SOLVE_TIME, "", "10", ".", UNIT_KM, SOLVE_PACE, "Not a pace: type m:ss or seconds, as 4:30"},
        {SOLVE_TIME, "", "ten", "4:30", UNIT_KM, SOLVE_DISTANCE, "Not a distance: type a number, as 26.22"},
    };
    for (const auto &c : cases) {
        Plan plan = SolvePlan(c.solve, c.time, c.distance, UNIT_KM, c.pace, c.paceKind);
        char note[NOTE_SIZE];
        PlanNote(plan, c.entry, UNIT_KM, c.paceKind, 2, note, sizeof note);
        EXPECT_STREQ(note, c.note);
        EXPECT_EQ(plan.solved, c.solve != c.entry && strchr(c.note, '=') != nullptr) << c.note;
    }
}

std::string Row(const SplitTable &table, long long k)
{
    SplitTexts row;
    SplitRowTexts(table, k, &row);
    return std::string(row.unit) + " " + row.at + " " + row.split + " " + row.pace;
}

// 10 km in 40:00, 4 % negative: T1 = 2400 / 1.96 = 1224.49 s; the pace
// falls evenly, the first km 248.82 s, the last 231.18 s.
TEST(SplitTables, NegativeSplitOfTenKilometres)
{
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(10000, 2400, UNIT_KM, -1, 4, 2, &table));
    EXPECT_EQ(table.rows, 10);
    EXPECT_EQ(Row(table, 0), "1 4:08.8 4:08.8 4:08.8");
    EXPECT_EQ(Row(table, 4).substr(0, 9), "5 20:24.5");
    EXPECT_EQ(Row(table, 9), "10 40:00.0 3:51.2 3:51.2");
    ASSERT_TRUE(PlanSplitTable(10000, 2400, UNIT_KM, +1, 4, 2, &table));  // positive: 2400 / 2.04 = 1176.5 s
    EXPECT_EQ(Row(table, 4).substr(0, 9), "5 19:36.5");
}

// 8:00 /Mile over 26.22 mi: every mile in exactly 8:00.0, the last 0.22 mi
// in 105.6 s.
TEST(SplitTables, EvenPaceKeepsThePlanExactly)
{
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(26.22L * 1609.344L, 12585.6L, UNIT_MILE, 0, 0, 2, &table));
    ASSERT_EQ(table.rows, 27);
    for (long long k = 0; k < 26; k++)
        EXPECT_EQ(Row(table, k).substr(Row(table, k).size() - 14), " 8:00.0 8:00.0") << k;
    EXPECT_EQ(Row(table, 25), "26 3:28:00.0 8:00.0 8:00.0");
    EXPECT_EQ(Row(table, 26), "26.22 3:29:45.6 1:45.6 8:00.0");
}

// The finish row has the distance's shown decimals and never repeats the
// last whole row: 10.004 km at three decimals is a row of its own, at two
// it is the 10th row.
TEST(SplitTables, TheFinishRowAsTheDistanceIsShown)
{
    const struct {
        long double metres;
        int unit, decimals;
        long long rows;
        const char *last, *beforeLast;
    } cases[] = {
        // 2700 x 10000 / 10004 = 2698.92 s; the last 4 m take 1.08 s, at 269.89 s a km
        {10004, UNIT_KM, 3, 11, "10.004 45:00.0 1.1 4:29.9", "10 44:58.9 4:29.9 4:29.9"},
        {10004, UNIT_KM, 2, 10, "10 45:00.0 4:31.0 4:29.9", "9 40:29.0 4:29.9 4:29.9"},
        // 2700 x 9000 / 9996 = 2430.97 s; the last 996 m take 269.03 s
        {9996, UNIT_KM, 3, 10, "9.996 45:00.0 4:29.0 4:30.1", "9 40:31.0 4:30.1 4:30.1"},
        {0.0001L * 1609.344L, UNIT_MILE, 4, 1, "0.0001 45:00.0 45:00.0 7500:00:00.0", ""},
    };
    for (const auto &c : cases) {
        SplitTable table;
        ASSERT_TRUE(PlanSplitTable(c.metres, 2700, c.unit, 0, 0, c.decimals, &table));
        ASSERT_EQ(table.rows, c.rows) << c.last;
        EXPECT_EQ(Row(table, c.rows - 1), c.last);
        if (c.rows > 1) {
            EXPECT_EQ(Row(table, c.rows - 2), c.beforeLast);
        }
    }
}

// 1000 miles in 200 m laps are 8046.72 laps: every lap and the finish.
// 3000 miles are 24140 laps: one row every 3, within the cap.
TEST(SplitTables, KeptToTenThousandRows)
{
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(1000 * 1609.344L, 360000, UNIT_200M, 0, 0, 2, &table));
    EXPECT_EQ(table.rows, 8047);
    ASSERT_TRUE(PlanSplitTable(3000 * 1609.344L, 1080000, UNIT_200M, -1, 20, 2, &table));
    EXPECT_EQ(table.every, 3);
    EXPECT_LE(table.rows, SPLIT_ROWS_MAX);
    EXPECT_EQ(Row(table, 0).substr(0, 2), "3 ");
    EXPECT_FALSE(PlanSplitTable(10000, 2400, UNIT_KM, -1, 21, 2, &table));  // 0 to 20 %
    EXPECT_FALSE(PlanSplitTable(0, 2400, UNIT_KM, 0, 0, 2, &table));
}

}  // namespace
