// Race day: the FIT protocol's CRC, stations placed along a course, start
// times and cut-offs, the course thinned for a watch and the splits merged
// into a workout's steps; against the protocol's bytes and arithmetic
// written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "model/fit.h"
#include "model/raceday.h"

namespace {

// The headers of two published FIT files: their CRC is the one they carry
// (0xB729 and 12856), and a file with its CRC appended checks to 0.
TEST(Fit, CrcOfPublishedHeaders)
{
    const unsigned char workout[12] = {0x0e, 0x10, 0x4d, 0x08, 0xce, 0x03, 0x00, 0x00, '.', 'F', 'I', 'T'};
    const unsigned char activity[12] = {14, 32, 84, 8, 214, 204, 9, 0, 46, 70, 73, 84};
    EXPECT_EQ(FitCrc(0, workout, 12), 0xB729);
    EXPECT_EQ(FitCrc(0, activity, 12), 12856);
    FitFile fit;
    BeginFit(&fit);
    const FitField field = {0, 1, FIT_ENUM};
    FitDefine(&fit, 0, 0, &field, 1);
    FitMessage(&fit, 0);
    FitValue(&fit, 6, 1);
    std::string file = FinishFit(fit);
    ASSERT_EQ(file.size(), 14u + 9 + 2 + 2);
    EXPECT_EQ(file.substr(8, 4), ".FIT");
    EXPECT_EQ(file[4], 11);  // the records' size
    EXPECT_EQ(FitCrc(0, file.data(), file.size()), 0);
}

Course course;

// A course along the equator, a point every `step` metres, heights from `height`.
void Equator(int points, long double step, double (*height)(long double))
{
    CourseBuilder builder;
    BeginCourse(&builder);
    for (int k = 0; k < points; k++)  // 111,319.491 m a degree of longitude on the equator
        AddGeoPoint(&builder, 0, k * step / 111319.491L, height(k * step));
    ASSERT_TRUE(FinishCourse(&builder, "equator", &course));
}

// Out and back: 5 km east and home again. A waypoint at 2 km is passed at
// 2 km and at 8 km: after a station at the turn it is the second pass. One
// 300 m off the way and one without a name are left out.
TEST(Stations, PlacedAlongAnOutAndBack)
{
    CourseBuilder builder;
    BeginCourse(&builder);
    for (int k = 0; k <= 100; k++)
        AddGeoPoint(&builder, 0, (k <= 50 ? k : 100 - k) * 100 / 111319.491L, 0);
    ASSERT_TRUE(FinishCourse(&builder, "out and back", &course));
    auto at = [](double metres, double north, const char *name) {
        Waypoint w = {north / 110574.0, metres / 111319.491, NAN, ""};
        snprintf(w.name, sizeof w.name, "%s", name);
        return w;
    };
    std::vector<Waypoint> waypoints = {at(2000, 20, "Water 1"), at(5000, 0, "Turn"), at(2000, -20, "Water 2"),
                                       at(3000, 300, "Far"), at(4000, 0, "")};
    std::vector<Station> stations;
    Placing placing = PlaceStations(course, waypoints, &stations);
    ASSERT_EQ(stations.size(), 3u);
    const double want[3] = {2000, 5000, 8000};
    for (int k = 0; k < 3; k++)
        EXPECT_NEAR((double)stations[k].metres, want[k], 0.5) << stations[k].name;
    EXPECT_EQ(placing.distant, 1);
    EXPECT_EQ(placing.unnamed, 1);
}

// 100 km in 16:00:00 at even pace from 05:00 (576 s a km), every 10 km:
// 50 km at 8:00:00 (13:00), 35 km at 5:36:00 (10:36), a station at 25 km
// at 4:00:00 (09:00). Cut-offs at 13:00 (no time to spare: marked, on the
// 50 km row) and 10:30 at 35 km (5:30:00 from the start: a row of its own,
// 6 min late, and the first).
TEST(Cutoffs, ReadAndMarked)
{
    long double start = 0;
    ASSERT_EQ(ReadStartTime("05:00", &start), READ_OK);
    EXPECT_EQ((double)start, 5 * 3600);
    const std::pair<const char *, Reading> starts[] = {{"", READ_EMPTY}, {"5", READ_BAD}, {"24:00", READ_BAD},
                                                       {"23:59:59.5", READ_OK}, {"5:7", READ_OK}};
    long double seconds;
    for (const auto &s : starts)
        EXPECT_EQ(ReadStartTime(s.first, &seconds), s.second) << s.first;
    char text[64];
    FormatTimeOfDay(start + 25 * 3600 + 12 * 60, text, sizeof text);
    EXPECT_STREQ(text, "+1 06:12");
    std::vector<Cutoff> cutoffs;
    char why[160] = "";
    ASSERT_TRUE(ReadCutoffs("50 km 13:00; 35 10:30", UNIT_KM, &start, &cutoffs, why, sizeof why)) << why;
    ASSERT_EQ(cutoffs.size(), 2u);
    EXPECT_EQ((double)cutoffs[0].seconds, 5.5 * 3600);
    const char *const refused[][2] = {
        {"50 km", "cut-off 1 is not a distance and a time, as 50 km 8:00:00"},
        {"80 km 7:00:00; 50 km 8:00:00", "the cut-offs are out of order: 7:00:00 from the start at 80 km, 8:00:00 at 50 km"},
    };
    for (const auto &r : refused) {
        EXPECT_FALSE(ReadCutoffs(r[0], UNIT_KM, NULL, &cutoffs, why, sizeof why)) << r[0];
        EXPECT_STREQ(why, r[1]);
    }
    ASSERT_TRUE(StationCutoff("Aid 3 (cut-off 8:00:00)", NULL, &seconds));
    EXPECT_EQ((double)seconds, 8 * 3600);
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(100000, 16 * 3600, UNIT_KM, 0, 0, 3, &table) && SetSplitPoints(&table, 10, false));
    ASSERT_TRUE(ReadCutoffs("50 km 13:00; 35 10:30", UNIT_KM, &start, &cutoffs, why, sizeof why));
    RaceDay day;
    PlanRaceDay(table, {{25000, "Water", -1}}, cutoffs, &start, 600, &day);
    ASSERT_EQ(day.source.size(), 10u + 1 + 1);  // the splits, the station, the cut-off at 35 km
    std::vector<std::string> rows;
    for (long long k = 0; k < (long long)day.source.size(); k++) {
        RaceTexts t;
        RaceRowTexts(day, k, &t);
        rows.push_back(std::string(t.split.unit) + "|" + t.split.at + "|" + t.station + "|" + t.clock + "|" + t.cutoff);
    }
    EXPECT_EQ(rows[2], "25.00|4:00:00.0|Water|09:00|");
    EXPECT_EQ(rows[4], "35.00|5:36:00.0|Cut-off|10:36|10:30, 6 min late");
    EXPECT_EQ(rows[6], "50|8:00:00.0||13:00|13:00, 0 s to spare");
    EXPECT_EQ(day.firstLate, 4);
}

double Hill(long double x)
{
    return x < 50000 ? (double)(x / 500) : (double)((100000 - x) / 500);
}

// 100 km of 100,000 points thinned to 10,000: the start, the finish, the
// top (at 50 km) and each point asked for are kept, the rest evenly.
TEST(Watch, ThinnedAndMerged)
{
    Equator(100001, 1, Hill);
    std::vector<long double> keep = {12345.6L, 42195};
    std::vector<size_t> kept = ThinPoints(course, keep, RECORDS_MAX);
    EXPECT_EQ(kept.size(), RECORDS_MAX);
    EXPECT_EQ(kept.front(), 0u);
    EXPECT_EQ(kept.back(), 100000u);
    for (size_t want : {(size_t)50000, (size_t)12346, (size_t)42195})
        EXPECT_TRUE(std::binary_search(kept.begin(), kept.end(), want)) << want;
    // 100 km by the km at even pace: 100 rows become 50 steps, the distance
    // and the time the same.
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(100000, 33000, UNIT_KM, 0, 0, 3, &table));
    std::vector<WorkoutStep> steps = WorkoutSteps(table, STEPS_MAX);
    ASSERT_EQ(steps.size(), STEPS_MAX);
    long double metres = 0, seconds = 0;
    for (const WorkoutStep &s : steps)
        metres += s.metres, seconds += s.seconds;
    EXPECT_NEAR((double)metres, 100000, 1e-6);
    EXPECT_NEAR((double)seconds, 33000, 1e-6);
    EXPECT_EQ(WorkoutSteps(table, 200).size(), 100u);
}

}  // namespace
