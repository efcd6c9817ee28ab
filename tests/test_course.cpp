// Courses: distances on the ellipsoid, the cost of running on a gradient,
// smoothing, reading a CSV, even effort over the hills and plan files,
// against published figures and arithmetic written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "model/course.h"
#include "model/plan.h"
#include "model/planfile.h"

namespace {

// Published WGS-84 figures: a degree of longitude on the equator, a degree
// of latitude from 45 N (a thousandth of it around 45.5 N, as a track's
// short hops are taken); Minetti's C(0.1) and C(-0.1).
TEST(Course, GeodesicAndCost)
{
    const long double pairs[][5] = {{0, 0, 0, 1, 111319.491L},         {45, 0, 46, 0, 111141.548L},
                                    {10, 20, 10, 20, 0},                {0, 0, 0, 0.001L, 111.319491L},
                                    {45.4995L, 0, 45.5005L, 0, 111.141548L}};
    for (const auto &p : pairs)
        EXPECT_NEAR((double)GeodesicMetres(p[0], p[1], p[2], p[3]), (double)p[4], 0.001) << (double)p[0];
    EXPECT_NEAR((double)RunningCost(0.1L), 5.968, 0.0005);
    EXPECT_NEAR((double)RunningCost(-0.1L), 2.152, 0.0005);
    EXPECT_EQ(RunningCost(0.9L), RunningCost(0.45L));  // held within +-0.45
}

Course course;

// A course from a CSV's text; the reason when there is none.
std::string Build(const std::string &csv)
{
    CourseBuilder builder;
    bool built = ReadCourseCsv(csv.data(), csv.size(), &builder) && FinishCourse(&builder, "csv", &course);
    return built ? "" : builder.error;
}

// A steady 2 % keeps its grade through the smoothing, to its very ends;
// the top of a climb is the mean of the 11 heights 10 m apart within 50 m
// either side, 100 - 0.02 x 300 / 11 = 99.45 m.
TEST(Course, Smoothing)
{
    ASSERT_EQ(Build("km,m\n0,100\n1,120\n"), "");
    EXPECT_NEAR((double)course.climb, 20, 1e-9);
    EXPECT_NEAR((double)((course.height[50] - course.height[40]) / 100), 0.02, 1e-12);
    EXPECT_NEAR((double)(course.height[1] - course.height[0]), 0.2, 1e-9);
    ASSERT_EQ(Build("km,m\n0,0\n5,100\n10,0\n"), "");
    EXPECT_NEAR((double)course.highest, 100 - 0.02 * 300 / 11, 1e-9);
    EXPECT_NEAR((double)course.climb, 100 - 0.02 * 300 / 11, 1e-9);
}

// GPS noise of sigma 2 m at a point every 10 m over 5 km of flat (drawn
// with a fixed seed) is neither climb nor hills: under 5 m of climb, and
// each km of even effort within a second of the flat plan's 5:00.0. A real
// hill of 10 m, over a km, climbs its 10 m.
TEST(Course, NoiseIsNoClimb)
{
    std::mt19937 random(2027);
    std::normal_distribution<double> noise(0, 2);
    std::string flat = "m,m\n";
    for (int k = 0; k <= 500; k++)
        flat += std::to_string(k * 10) + "," + std::to_string(noise(random)) + "\n";
    ASSERT_EQ(Build(flat), "");
    EXPECT_LT((double)course.climb, 5);
    EXPECT_LT((double)course.descent, 5);
    static HillPlan hills;
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(5000, 1500, UNIT_KM, 0, 0, 3, &table));
    PlanOverCourse(course, 1, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    for (int km = 1; km <= 5; km++)
        EXPECT_NEAR((double)(SecondsAt(table, km * 1000) - SecondsAt(table, km * 1000 - 1000)), 300, 1) << km;
    ASSERT_EQ(Build("km,m\n0,0\n2,0\n3,10\n5,10\n"), "");
    EXPECT_NEAR((double)course.climb, 10, 1e-9);
}

// What a file can hold, and what is said of what it cannot; points of a GPX.
TEST(Course, CsvAndPoints)
{
    const struct {
        const char *text, *error;
        long double metres;
    } files[] = {
        {"Distance (km),Height (m)\n0,10\n0.5,12\n1,30\n", "", 1000},
        {"mi,ft\r\n0,0\r\n1,328\r\n", "", 1609.344L},
        {"dist_m,ele_m,time\n0,5,x\n400,6,y\n", "", 400},
        {"0,10\n1,20\n", "the first line must name the units: km, mi or m for the distance, m or ft for the height", 0},
        {"km,m\n0,10\nabc,3\n", "line 3: not a distance and a height", 0},
        {"km,m\n0,10\n2,3\n1,4\n", "line 4: the distance goes back", 0},
        {"km,m\n0,10\n", "only one place in this course: no way to run", 0},
        {"km,m\n5,100\n6,120\n", "", 1000},  // from 5 km in the file: it starts there
        {"m,m\n0,1\n0.5,2\n", "the course is shorter than a metre: no way to run", 0},
        {"", "an empty file", 0},
    };
    for (const auto &f : files) {
        EXPECT_EQ(Build(f.text), f.error) << f.text;
        EXPECT_TRUE(f.error[0] || std::fabs((double)(course.metres - f.metres)) < 1e-9) << f.text;
    }
    EXPECT_EQ((double)course.fileStart, 5000);  // the last course built, from 5 km in its file
    EXPECT_NEAR(course.height[0], 100, 1e-9);
    CourseBuilder geo;
    BeginCourse(&geo);
    // Repeated: nothing added; off the earth, or no number: refused.
    const bool taken[] = {AddGeoPoint(&geo, 0, 0, NAN), AddGeoPoint(&geo, 0, 0, NAN), AddGeoPoint(&geo, 91, 0, 5),
                          AddGeoPoint(&geo, 0, NAN, 5), AddGeoPoint(&geo, 0, 0.01L, NAN)};
    EXPECT_EQ(std::vector<bool>(taken, taken + 5), (std::vector<bool>{true, true, false, false, true}));
    ASSERT_TRUE(FinishCourse(&geo, "flat", &course));
    EXPECT_FALSE(course.heights);  // no heights: a flat plan
    EXPECT_NEAR((double)course.metres, 1113.19491, 0.001);
}

std::string Row(const SplitTable &table, long long k)
{
    SplitTexts row;
    SplitRowTexts(table, k, &row);
    return std::string(row.unit) + " " + row.at + " " + row.split + " " + row.climb + " " + row.descent + " " +
           row.effort;
}

// 10 km in 50:00 up 100 m in 5 km and down again, in halves. Even effort
// takes time in proportion to C(i) / C(0): C(0.02) = 4.00817, C(-0.02) =
// 3.22886, so the first half is 3000 x 4.00817 / 7.23703 = 1661.5 s,
// 27:41.5, give or take the rounded top; at 0 % the flat table, 25:00.0.
// A marathon every 5 km with halfway (3:30:00 flat: 1:45:00.0 there).
TEST(Course, EvenEffortAndSplitPoints)
{
    ASSERT_EQ(Build("km,m\n0,0\n5,100\n10,0\n"), "");
    static HillPlan hills;
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(10000, 3000, UNIT_KM, 0, 0, 3, &table) && SetSplitPoints(&table, 5, false));
    table.hills = &hills;
    PlanOverCourse(course, 1, table.metres, table.seconds, table.a, table.b, &hills);
    EXPECT_NEAR((double)SecondsAt(table, 5000), 1661.5, 2);
    PlanOverCourse(course, 0, table.metres, table.seconds, table.a, table.b, &hills);
    EXPECT_EQ(Row(table, 0), "5 25:00.0 25:00.0 99 0 5:00.0");

    ASSERT_TRUE(PlanSplitTable(42195, 12600, UNIT_KM, 0, 0, 3, &table) && SetSplitPoints(&table, 5, true));
    EXPECT_EQ(table.rows, 10);
    EXPECT_EQ(Row(table, 4).substr(0, 16), "21.098 1:45:00.0");
    EXPECT_EQ(Row(table, 9).substr(0, 16), "42.195 3:30:00.0");
    ASSERT_TRUE(PlanSplitTable(10000, 3000, UNIT_KM, 0, 0, 3, &table) && SetSplitPoints(&table, 1, true));
    EXPECT_EQ(table.rows, 10);  // halfway is the 5th row already
    ASSERT_TRUE(PlanSplitTable(1609.344L, 480, UNIT_MILE, 0, 0, 2, &table) && SetSplitPoints(&table, 0.5L, false));
    EXPECT_EQ(Row(table, 0).substr(0, 12), "0.5 4:00.0 4");
    EXPECT_FALSE(SetSplitPoints(&table, 0, false));
}

// A plan file stands alone: the plan and the profile come back as written;
// what is not such a file, is damaged or is later is refused with why, and
// nothing changes.
TEST(PlanFile, RoundTripAndRefusals)
{
    ASSERT_EQ(Build("km,m\n0,0\n5,100\n10,0\n"), "");
    ToolsState read = TOOLS_DEFAULTS;
    snprintf(read.time, sizeof read.time, "%s", "50:00");
    snprintf(read.splitEvery, sizeof read.splitEvery, "%s", "2.5");
    read.halfway = true;
    std::string text = WritePlanFile(read, &course);
    EXPECT_EQ(text.rfind("Velto plan 2\r\n", 0), 0u);
    static Course back;
    read = TOOLS_DEFAULTS;
    bool withCourse = false;
    char why[160] = "";
    ASSERT_TRUE(ReadPlanFile(text.data(), text.size(), &read, &back, &withCourse, why, sizeof why)) << why;
    EXPECT_TRUE(withCourse);
    EXPECT_EQ(WritePlanFile(read, &back), text);
    const char *const refused[][2] = {
        {"", "not a Velto plan"},
        {"[Velto tools]\nversion=1\n", "not a Velto plan"},
        {"Velto plan 3\ntime=50:00\n", "a plan of a later Velto (version 3)"},
        {"Velto plan 1\ntime 50:00\n", "line 2 is damaged: no key and value"},
        {"Velto plan 1\nsplit-unit=9\n", "line 2 is damaged: split-unit=9"},
        {"Velto plan 1\ncourse=x\ncourse-metres=100\nheight=5\n", "the course's profile is cut short"},
        // Crafted: a course of 1e-4948 m, whose step would be 0 and every index NaN.
        {"Velto plan 1\ncourse=x\ncourse-metres=1e-4948\nheight=1\nheight=2\n",
         "the course is shorter than a metre: no way to run"},
        {"Velto plan 2\ntime=50:00\n", "cut off after line 2"},
        {"Velto plan 2\ntime=50:00\nend=plan\nhalfway=1\n", "line 4 is damaged: after the end"},
    };
    for (const auto &r : refused) {
        ToolsState kept = read;
        EXPECT_FALSE(ReadPlanFile(r[0], strlen(r[0]), &kept, &back, &withCourse, why, sizeof why)) << r[0];
        EXPECT_STREQ(why, r[1]);
        EXPECT_STREQ(kept.time, "50:00");
    }
}

// Page states drawn at random, from the entries a runner can leave (a
// percentage refused under even pace, a split of 2,000,000 units, a time
// followed by a Cyrillic letter, a decimal comma), write a plan and a
// velto.ini that read back to the same state, with the same table.
TEST(PlanFile, EveryStateThePageAllowsOpensAgain)
{
    const char *const typed[] = {"", "25", "abc", "4", "0", "20,0", "2000000", "0.5", "50:00 \xD1\x87", "3:30:00",
                                 "42.195", "4,5", "100", "101", " 7 ", "1e5"};
    std::mt19937 random(27);
    auto any = [&](int count) { return (int)(random() % (unsigned)count); };
    ASSERT_EQ(Build("km,m\n0,0\n5,100\n10,0\n"), "");
    static Course back;
    for (int k = 0; k < 500; k++) {
        ToolsState state = TOOLS_DEFAULTS;
        for (int n = 0; n < TOOLS_KEY_COUNT; n++) {
            const ToolsKey &key = TOOLS_KEYS[n];
            char *field = reinterpret_cast<char *>(&state) + key.offset;
            if (key.kind == KEY_TEXT)
                snprintf(field, key.size, "%s", typed[any(sizeof typed / sizeof typed[0])]);
            else if (key.kind == KEY_FLAG)
                *reinterpret_cast<bool *>(field) = any(2);
            else
                *reinterpret_cast<int *>(field) = key.low + any(key.high - key.low + 1);
        }
        std::string plan = WritePlanFile(state, k % 2 ? &course : nullptr);
        ToolsState read = state;  // a plan is read over what the tools hold
        bool withCourse = false;
        char why[160] = "";
        ASSERT_TRUE(ReadPlanFile(plan.data(), plan.size(), &read, &back, &withCourse, why, sizeof why)) << why << plan;
        EXPECT_EQ(memcmp(&read, &state, sizeof read), 0) << plan;
        EXPECT_EQ(withCourse, k % 2 == 1);
        // velto.ini: every value written reads back the same (those not in
        // effect are not written, and start as at first), and what is read
        // goes round again unchanged.
        char ini[SETTINGS_TEXT_MAX];
        ASSERT_GT(WriteSettings(state, ini, sizeof ini), 0u);
        ASSERT_EQ(ReadSettings(ini, &read), SETTINGS_OURS);
        for (int n = 0; n < TOOLS_KEY_COUNT; n++) {
            char written[80], back[80];
            if (KeyValue(TOOLS_KEYS[n], state, written, sizeof written)) {
                ASSERT_TRUE(KeyValue(TOOLS_KEYS[n], read, back, sizeof back));
                EXPECT_STREQ(back, written) << TOOLS_KEYS[n].name;
            }
        }
        ToolsState again;
        ASSERT_GT(WriteSettings(read, ini, sizeof ini), 0u);
        ASSERT_EQ(ReadSettings(ini, &again), SETTINGS_OURS);
        EXPECT_EQ(memcmp(&again, &read, sizeof read), 0) << ini;
    }
}

// A plan cut short is refused, whatever it holds: after a height line, in
// the middle of a number, before its end; a plan of the first version,
// which states no extent, and one without its course-heights line after
// one of a flat course, read as ever. velto.ini cut short gives the
// defaults, not half of what it held.
TEST(PlanFile, CutShortIsRefusedAndOldFilesOpen)
{
    ASSERT_EQ(Build("km,m\n0,0\n5,100\n10,0\n"), "");
    ToolsState state = TOOLS_DEFAULTS;
    snprintf(state.time, sizeof state.time, "%s", "50:00");
    std::string plan = WritePlanFile(state, &course);
    // After the height line that holds byte 600, in the middle of the first
    // height, and in the middle of the end: the lines whole before the cut.
    size_t heights = plan.find("\nheight=") + 1;
    const size_t cuts[] = {plan.find('\n', 600) + 1, heights + 9, plan.size() - 4};
    static Course back;
    bool withCourse;
    char why[160];
    for (size_t cut : cuts) {
        ToolsState read = TOOLS_DEFAULTS;
        EXPECT_FALSE(ReadPlanFile(plan.data(), cut, &read, &back, &withCourse, why, sizeof why)) << cut;
        EXPECT_EQ(why, "cut off after line " + std::to_string(std::count(plan.begin(), plan.begin() + cut, '\n')));
        EXPECT_STREQ(read.time, "");
    }
    const char flat[] = "Velto plan 1\r\ncourse=flat\r\ncourse-metres=10\r\ncourse-heights=0\r\nheight=0\r\nheight=0\r\n";
    const char old[] = "Velto plan 1\r\ntime=40:00\r\ncourse=hill\r\ncourse-metres=20\r\nheight=0\r\nheight=3";
    ASSERT_TRUE(ReadPlanFile(flat, sizeof flat - 1, &state, &back, &withCourse, why, sizeof why)) << why;
    EXPECT_FALSE(back.heights);
    ASSERT_TRUE(ReadPlanFile(old, sizeof old - 1, &state, &back, &withCourse, why, sizeof why)) << why;
    EXPECT_TRUE(back.heights && withCourse);
    EXPECT_STREQ(state.time, "40:00");
    char ini[SETTINGS_TEXT_MAX];
    size_t length = WriteSettings(state, ini, sizeof ini);
    ini[length - 20] = '\0';
    EXPECT_EQ(ReadSettings(ini, &state), SETTINGS_NONE);
    EXPECT_STREQ(state.time, "");
}

}  // namespace
