// Race equivalents, training paces and age grading, against the published
// checks: the figures of the models, Daniels' VDOT tables and the
// 2025 road tables.
#include <gtest/gtest.h>

#include "clock_text.h"

#include <string>

#include "model/agegrade.h"
#include "model/equivalents.h"
#include "model/plan.h"
#include "model/settings.h"
#include "model/treadmill.h"
#include "time/clocktext.h"

namespace {

// From 20:00 for 5 km: VDOT 49.81, and the three models side by side.
TEST(Equivalents, FromTwentyMinutesForFiveKilometres)
{
    EXPECT_NEAR((double)Vdot(5000, 1200), 49.81, 0.005);
    const struct {
        int race;
        const char *riegel, *cameron, *vdot;
    } cases[] = {
        {EQ_10K, "41:41.9", "41:39.7", "41:27.9"},
        {EQ_HALF, "1:32:00.2", "1:31:51.2", "1:31:49.7"},
        {EQ_MARATHON, "3:11:49.3", "3:15:11.5", "3:11:17.2"},
    };
    long double vdot = Vdot(5000, 1200);
    for (const auto &c : cases) {
        long double metres = EQUIVALENT_METRES[c.race];
        EXPECT_EQ(Clock(RiegelTime(5000, 1200, RIEGEL_K, metres)), c.riegel);
        EXPECT_EQ(Clock(CameronTime(5000, 1200, metres)), c.cameron);
        EXPECT_EQ(Clock(VdotTime(vdot, metres)), c.vdot);
    }
    EXPECT_EQ(Clock(CameronTime(800, 115, 1500)), "3:58.2");  // 800 m in 1:55
    // A larger exponent slows the longer races: 1200 x 8.439^1.15 for the marathon.
    EXPECT_GT(RiegelTime(5000, 1200, RIEGEL_K_MAX, 42195), RiegelTime(5000, 1200, RIEGEL_K, 42195));
}

// Daniels' table for VDOT 50: 5 km 19:57, 10 km 41:21, half 1:31:35,
// marathon 3:10:49; the formulas agree within 0.5 %.
TEST(Equivalents, PublishedVdotFiftyTable)
{
    const struct {
        long double metres, seconds;
    } table[] = {{5000, 19 * 60 + 57}, {10000, 41 * 60 + 21}, {21097.5L, 91 * 60 + 35}, {42195, 3 * 3600 + 10 * 60 + 49}};
    for (const auto &t : table)
        EXPECT_NEAR((double)(VdotTime(50, t.metres) / t.seconds), 1.0, 0.005) << (double)t.metres;
}

TEST(Equivalents, CautionsWhereAModelWasNotFitted)
{
    const struct {
        int model;
        long double metres, seconds;
        bool within;
    } cases[] = {
        {MODEL_RIEGEL, 5000, 1200, true},   {MODEL_RIEGEL, 800, 115, false},  // under 3:30
        {MODEL_RIEGEL, 42195, 15000, false}, {MODEL_CAMERON, 800, 115, true},
        {MODEL_CAMERON, 100000, 30000, false}, {MODEL_VDOT, 5000, 1200, true},
        {MODEL_VDOT, 800, 115, false},        {MODEL_VDOT, 5000, 3000, false},  // VDOT 16
        {MODEL_CAMERON, 26.22L * 1609.344L, 12600, true},  // 42,197 m: the marathon as shown
    };
    for (const auto &c : cases)
        EXPECT_EQ(WithinModel(c.model, c.metres, c.seconds), c.within) << c.model << " " << (double)c.metres;
    EXPECT_EQ(VdotTime(0, 5000), 0);
    EXPECT_EQ(CameronTime(5000, 1200, 500000), 0);  // beyond where the formula holds
}

// VDOT 49: Easy about 8:40 /Mile, Marathon 7:24 /Mile, Threshold 6:55
// /Mile, Interval 3:59 /Km, Repetition 1:29 per 400 m, all within 1 %.
TEST(Training, PacesOfVdotFortyNineAsPublished)
{
    const struct {
        int pace;
        long double metres, published;
    } cases[] = {
        {PACE_EASY, 1609.344L, 520},      {PACE_MARATHON, 1609.344L, 444}, {PACE_THRESHOLD, 1609.344L, 415},
        {PACE_INTERVAL, 1000, 239},       {PACE_REPETITION, 400, 89},
    };
    for (const auto &c : cases)
        EXPECT_NEAR((double)(TrainingSecondsPerMetre(49, c.pace) * c.metres / c.published), 1.0, 0.01) << c.pace;
    EXPECT_GT(TrainingSecondsPerMetre(49, PACE_EASY_SLOW), TrainingSecondsPerMetre(49, PACE_EASY));
    EXPECT_EQ(TrainingSecondsPerMetre(0, PACE_EASY), 0);
    // Marathon pace is the marathon equivalent's, to the tenth of a second a
    // km, at every VDOT the model is fitted for.
    for (int vdot = 30; vdot <= 85; vdot++)
        EXPECT_EQ(Clock(TrainingSecondsPerMetre(vdot, PACE_MARATHON) * 1000), Clock(VdotTime(vdot, 42195) / 42.195L))
            << vdot;
    EXPECT_EQ(Vdot(5000, 3001), 0);  // just under 6 km/h: a walk, no VDOT
    EXPECT_GT(Vdot(5000, 2999), 0);
}

// Man, 57, 10 km in 55:00: factor 0.8361, (1584 / 0.8361) / 3300 = 57.4 %,
// 3300 x 0.8361 = 2759.1 s; man 40 at 5 km 0.9475; woman 50 at 10 km 0.8822.
TEST(AgeGrading, AgainstTheRoadTables)
{
    AgeGrade grade = GradeByAge(SEX_MAN, 57, 10000, 3300);
    ASSERT_EQ(grade.status, AGE_GRADED);
    EXPECT_NEAR((double)grade.percent, 57.41, 0.005);
    EXPECT_EQ(Clock(grade.gradedSeconds, 0), "45:59");
    EXPECT_STREQ(grade.level, "below the local class");
    EXPECT_NEAR((double)GradeByAge(SEX_MAN, 40, 5000, 1000).factor, 0.9475, 1e-9);
    EXPECT_NEAR((double)GradeByAge(SEX_WOMAN, 50, 10000, 3000).factor, 0.8822, 1e-9);
    // Halfway between 5 km (0.8592) and 6 km (0.8652): 0.8622, standard 922.
    grade = GradeByAge(SEX_WOMAN, 50, 5500, 1500);
    EXPECT_NEAR((double)grade.factor, 0.8622, 1e-9);
    EXPECT_NEAR((double)grade.openSeconds, 922, 1e-9);
    EXPECT_EQ(GradeByAge(SEX_MAN, 4, 10000, 3300).status, AGE_OUTSIDE);
    EXPECT_EQ(GradeByAge(SEX_MAN, 101, 10000, 3300).status, AGE_OUTSIDE);
    EXPECT_EQ(GradeByAge(SEX_MAN, 57, 1500, 300).status, DISTANCE_OUTSIDE);
    EXPECT_EQ(GradeByAge(SEX_MAN, 57, 200001, 90000).status, DISTANCE_OUTSIDE);
    EXPECT_EQ(GradeByAge(SEX_MAN, 57, 1609.344L, 300).status, AGE_GRADED);  // a mile typed in miles
    EXPECT_STREQ(szAgeTableVersions[SEX_MAN], "Male Road Running Age Standard factors 2025 -- Version 2025-07-27");
}

// What the tools keep (its round trip is fuzzed): a damaged, foreign or
// later file gives the defaults; a value out of range is dropped alone.
TEST(ToolsMemory, RefusedWholeOrValueByValue)
{
    ToolsState read;
    for (const char *file : {"", "garbage\x01\x02", "[Other program]\nversion=1\npage=2\n",
                             "[Velto tools]\npage=2\n"}) {
        EXPECT_EQ(ReadSettings(file, &read), SETTINGS_NONE);
        EXPECT_EQ(read.page, PAGE_PLAN);
    }
    // A later Velto's: the defaults, and the file is never written over.
    EXPECT_EQ(ReadSettings("[Velto tools]\nversion=2\npage=2\n", &read), SETTINGS_LATER);
    EXPECT_EQ(read.page, PAGE_PLAN);
    // A distance or pace in a unit not known is dropped with it; the exact
    // values behind the entries come back as written.
    ASSERT_EQ(ReadSettings("[Velto tools]\nversion=1\ndistance=42.195\ndistance-unit=9\npace=8:00\npace-unit=1\n"
                           "distance-exact=42.195\npace-exact=298.62559241706161137\ntime-exact=1e5\n",
                           &read),
              SETTINGS_OURS);
    EXPECT_EQ(std::string(read.distance) + "|" + read.held[SOLVE_DISTANCE] + "|" + read.pace + "|" +
                  read.held[SOLVE_PACE] + "|" + read.held[SOLVE_TIME],  // 1e5: not a number the entries read
              "||8:00|298.62559241706161137|");
    ASSERT_TRUE(ReadSettings("[Velto tools]\r\nversion=1\r\npage=9\r\nage=57.5\r\nexponent=1.3\r\nsplit=-1\r\n"
                             "time=12:34\r\nsex=woman\r\n",
                             &read));
    EXPECT_EQ(read.page, PAGE_PLAN);      // dropped
    EXPECT_STREQ(read.age, "");           // dropped
    EXPECT_STREQ(read.exponent, "1.06");  // dropped
    EXPECT_EQ(read.direction, -1);
    EXPECT_STREQ(read.time, "12:34");
    EXPECT_EQ(read.sex, 1);
}

// The checks of the treadmill, from the formula: 12 km/h at 1 % is 12.00
// km/h outdoors; at 0 %, 12 x C(-0.01) / C(0) = 12 x 0.9471 = 11.37 km/h
// (5:16.7 a km); 10 km/h at 5 % is 10 x C(0.04) / C(0) = 12.36 km/h. Back
// again, and the inclines a treadmill has.
TEST(Treadmill, OutdoorWorth)
{
    const long double kmh = 1 / 3.6L;
    const struct {
        long double speed, incline, outdoor;
    } checks[] = {{12, 1, 12}, {12, 0, 11.3656L}, {10, 5, 12.3646L}};
    for (const auto &c : checks) {
        EXPECT_NEAR((double)(OutdoorSpeed(c.speed * kmh, c.incline) / kmh), (double)c.outdoor, 0.0005) << (double)c.incline;
        EXPECT_NEAR((double)(TreadmillSpeed(c.outdoor * kmh, c.incline) / kmh), (double)c.speed, 0.0005);
    }
    EXPECT_NEAR((double)(1000 / OutdoorSpeed(12 * kmh, 0)), 316.7, 0.05);  // 5:16.7 a km
    EXPECT_TRUE(MeasuredSpeed(12 * kmh));
    EXPECT_FALSE(MeasuredSpeed(20 * kmh));  // 5.56 m/s
    const std::pair<const char *, bool> inclines[] = {{"-5", true}, {"25", true}, {"-5.5", false}, {"26", false},
                                                      {"2,5", true}, {"", false}, {"x", false}};
    long double percent;
    for (const auto &i : inclines)
        EXPECT_EQ(ReadIncline(i.first, &percent), i.second) << i.first;
}

}  // namespace
