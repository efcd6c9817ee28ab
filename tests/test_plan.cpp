// The pace plan of the tools, against the published checks and figures
// worked by hand.
#include <gtest/gtest.h>

#include "clock_text.h"

#include <cstring>
#include <string>

#include "model/caution.h"
#include "model/plan.h"

namespace {

// Every decimal kept, shown rounded once; what cannot be read said.
TEST(ClockText, ReadAndShown)
{
    const struct {
        const char *text;
        Reading reading;
        long double seconds;
    } cases[] = {
        {"3:29:45.6", READ_OK, 12585.6L}, {"4.30", READ_OK, 4.3L},   {"1:75", READ_OK, 135},
        {"8:00.0 /Mile", READ_OK, 480},   {"60.00000000", READ_OK, 60}, {"2:46:41", READ_OK, 10001},
        {" ", READ_EMPTY, 0},             {"0:00", READ_ZERO, 0},     {".", READ_BAD, 0},
        {"4:3O", READ_BAD, 0},            {"1:2:3:4", READ_BAD, 0},   {"1.5:2.5", READ_BAD, 0},
        {"4:30,5 /Km", READ_OK, 270.5L},  {"4,3,0", READ_BAD, 0},  // a decimal comma reads as a point
    };
    for (const auto &c : cases) {
        long double seconds = 0;
        EXPECT_EQ(ReadClock(c.text, &seconds), c.reading) << c.text;
        EXPECT_NEAR((double)seconds, (double)c.seconds, 1e-12) << c.text;
    }
    EXPECT_EQ(Clock(59.96L), "1:00.0");  // never 60.0
    EXPECT_EQ(Clock(45.6L, 0), "46");
    EXPECT_EQ(Clock(65.5L, 2), "1:05.50");
    char hours[CLOCK_TEXT_SIZE];  // for a spreadsheet, one format a column
    FormatClockHours(57.1L, 1, hours, sizeof hours);
    EXPECT_STREQ(hours, "0:00:57.1");
    char words[64];
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

// Rows of tables worked by hand:
// - 10 km in 40:00, 4 % negative: T1 = 2400 / 1.96 = 1224.49 s, the pace
//   falling evenly, the first km 248.82 s, the last 231.18 s; positive,
//   T1 = 2400 / 2.04 = 1176.47 s, its 5th km 239.06 s.
// - 8:00 /Mile over 26.22 mi: every mile 8:00.0, the last 0.22 mi 105.6 s.
// - 45:00 over 10.004 km: 10 km at 2700 x 10000 / 10004 = 2698.92 s; the
//   finish a row of its own at three decimals, the 10th row at two. Over
//   9.996 km: 9 km at 2430.97 s. Over 0.0001 mi: the finish only.
// - 1000 miles of 200 m laps, 8046.72: every lap in 44.74 s; 3000 miles,
//   24140 laps, 20 % negative: every 3rd, the first three in 164.04 s.
TEST(SplitTables, RowsWorkedByHand)
{
    const struct {
        long double metres, seconds;
        int unit, direction, percent, decimals;
        long long rows, k;
        const char *row;
    } cases[] = {
        {10000, 2400, UNIT_KM, -1, 4, 2, 10, 0, "1 4:08.8 4:08.8 4:08.8"},
        {10000, 2400, UNIT_KM, -1, 4, 2, 10, 4, "5 20:24.5 4:01.0 4:01.0"},
        {10000, 2400, UNIT_KM, -1, 4, 2, 10, 9, "10 40:00.0 3:51.2 3:51.2"},
        {10000, 2400, UNIT_KM, +1, 4, 2, 10, 4, "5 19:36.5 3:59.1 3:59.1"},
        {26.22L * 1609.344L, 12585.6L, UNIT_MILE, 0, 0, 2, 27, 0, "1 8:00.0 8:00.0 8:00.0"},
        {26.22L * 1609.344L, 12585.6L, UNIT_MILE, 0, 0, 2, 27, 25, "26 3:28:00.0 8:00.0 8:00.0"},
        {26.22L * 1609.344L, 12585.6L, UNIT_MILE, 0, 0, 2, 27, 26, "26.22 3:29:45.6 1:45.6 8:00.0"},
        {10004, 2700, UNIT_KM, 0, 0, 3, 11, 9, "10 44:58.9 4:29.9 4:29.9"},
        {10004, 2700, UNIT_KM, 0, 0, 3, 11, 10, "10.004 45:00.0 1.1 4:29.9"},
        {10004, 2700, UNIT_KM, 0, 0, 2, 10, 9, "10 45:00.0 4:31.0 4:29.9"},
        {9996, 2700, UNIT_KM, 0, 0, 3, 10, 8, "9 40:31.0 4:30.1 4:30.1"},
        {9996, 2700, UNIT_KM, 0, 0, 3, 10, 9, "9.996 45:00.0 4:29.0 4:30.1"},
        {0.0001L * 1609.344L, 2700, UNIT_MILE, 0, 0, 4, 1, 0, "0.0001 45:00.0 45:00.0 7500:00:00.0"},
        {1000 * 1609.344L, 360000, UNIT_200M, 0, 0, 2, 8047, 0, "1 44.7 44.7 44.7"},
        {3000 * 1609.344L, 1080000, UNIT_200M, -1, 20, 2, 8047, 0, "3 2:44.0 2:44.0 54.7"},
        // 4000 km of 200 m laps, 20,000: every 2nd gives 10,000 rows, the finish the last.
        {4000000, 1440000, UNIT_200M, 0, 0, 3, 10000, 0, "2 2:24.0 2:24.0 1:12.0"},
        {4000000, 1440000, UNIT_200M, 0, 0, 3, 10000, 9999, "20000 400:00:00.0 2:24.0 1:12.0"},
        // The marathon's finish to the metre, with no zeros that say nothing.
        // 195 m at 12600 / 42195 s/m is 58.23 s; 176.028 m of the half at 6300 / 21097.5 is 52.56 s.
        {42195, 12600, UNIT_KM, 0, 0, 3, 43, 42, "42.195 3:30:00.0 58.2 4:58.6"},
        {21097.5L, 6300, UNIT_MILE, 0, 0, 2, 14, 13, "13.11 1:45:00.0 52.6 8:00.6"},
    };
    for (const auto &c : cases) {
        SplitTable table;
        ASSERT_TRUE(PlanSplitTable(c.metres, c.seconds, c.unit, c.direction, c.percent, c.decimals, &table));
        EXPECT_EQ(table.rows, c.rows) << c.row;
        EXPECT_EQ(Row(table, c.k), c.row);
    }
    // 62.14 mi as typed, known to 0.005 mi (8.05 m), by the km with halfway:
    // 100,004.6 m, the finish 4.6 m past the 100th km and halfway 2.3 m past
    // the 50th are those rows, not rows of a second or two of their own.
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(62.14L * 1609.344L, 36000, UNIT_KM, 0, 0, 3, &table));
    table.slack = TypedSlack("62.14", UNIT_MILE);
    ASSERT_TRUE(SetSplitPoints(&table, 1, true));
    EXPECT_EQ(table.rows, 100);
    EXPECT_EQ(Row(table, 49).substr(0, 3), "50 ");
    EXPECT_EQ(Row(table, 99).substr(0, 8), "100.005 ");
    EXPECT_FALSE(PlanSplitTable(10000, 2400, UNIT_KM, -1, 21, 2, &table));  // 0 to 20 %
    EXPECT_FALSE(PlanSplitTable(0, 2400, UNIT_KM, 0, 0, 2, &table));
}

// A split's percentage, 0 to 20, nothing typed not among it; a file name
// from the plan, with no colon.
TEST(ToolsEntries, PercentagesAndFileNames)
{
    long double value = 0;
    const std::pair<const char *, bool> percents[] = {{"", false}, {" ", false}, {"abc", false}, {"21", false},
                                                      {"4", true},  {"0", true},  {"20,0", true}};
    for (const auto &c : percents)
        EXPECT_EQ(ReadSplitPercent(c.first, &value), c.second) << c.first;
    const struct {
        long double metres, seconds;
        int unit;
        const char *name;
    } names[] = {{42195, 12600, UNIT_KM, "42.195 km in 3-30-00.csv"},
                 {26.22L * 1609.344L, 12585.6L, UNIT_MILE, "26.22 mi in 3-29-45.6.csv"},
                 {10000, 2700, UNIT_400M, "25 laps of 400 m in 45-00.csv"}};
    char text[64];
    for (const auto &c : names) {
        PlanFileName(c.metres, c.seconds, c.unit, "csv", text, sizeof text);
        EXPECT_STREQ(text, c.name);
    }
}

// Faster than any runner, from the men's world records (marathon 2:00:35,
// 7235 s, 2:51.47 a km; without a distance, 40 km/h): said with a likely
// reading that is possible; the record's own pace, and slower, are not.
TEST(ToolsEntries, CautionForImpossiblePaces)
{
    const struct {
        int solve;
        const char *time, *distance, *pace;
        int paceKind, entry;
        const char *caution;
    } cases[] = {
        {SOLVE_TIME, "", "10", "4.30", UNIT_KM, SOLVE_PACE, "4.3 s per Km is faster than any runner: did you mean 4:30?"},
        {SOLVE_TIME, "", "", "5", UNIT_MILE, SOLVE_PACE, "5.0 s per Mile is faster than any runner: did you mean 5:00?"},
        {SOLVE_TIME, "", "42.195", "2:51.4", UNIT_KM, SOLVE_PACE, "2 min 51.4 s per Km is faster than any runner."},
        {SOLVE_TIME, "", "42.195", "2:51.5", UNIT_KM, SOLVE_PACE, ""},
        {SOLVE_TIME, "", "", "45", PACE_KMH, SOLVE_PACE, "45 km/h is faster than any runner."},
        {SOLVE_PACE, "3:30", "42.2", "", UNIT_KM, SOLVE_TIME,
         "3 min 30.0 s over 42.20 Km. is faster than any runner: did you mean 3:30:00?"},
        {SOLVE_PACE, "1:00:00", "42.2", "", UNIT_KM, SOLVE_TIME, "1 h 0 min 0.0 s over 42.20 Km. is faster than any runner."},
        {SOLVE_PACE, "3:30:00", "42.2", "", UNIT_KM, SOLVE_TIME, ""},
        {SOLVE_PACE, "20:00", "10", "", UNIT_KM, SOLVE_TIME, "20 min 0.0 s over 10.00 Km. is faster than any runner."},
        // 100 m has its record (9.58 s); 40 km/h (9.0 s) holds only below it.
        {SOLVE_PACE, "9.4", "0.1", "", UNIT_KM, SOLVE_TIME, "9.4 s over 0.10 Km. is faster than any runner."},
    };
    for (const auto &c : cases) {
        Plan plan = SolvePlan(c.solve, c.time, c.distance, UNIT_KM, c.pace, c.paceKind);
        char text[NOTE_SIZE];
        bool said = PlanCaution(plan, c.entry, c.entry == SOLVE_PACE ? c.pace : c.time, UNIT_KM, c.paceKind, 2, text,
                                sizeof text);
        EXPECT_EQ(std::string(said ? text : "-"), c.caution[0] ? c.caution : "-");
    }
}

}  // namespace
