// Writes FIT files as Velto exports them, each with a NAME.json of what
// Garmin's FIT SDK must read back (check_fit.mjs): a 10 km course over a
// hill with two stations, its flat plan as a workout, and 100 km of 100,000
// points. fit_samples FOLDER
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "model/watchfiles.h"

namespace {

const long double DEGREE = 111319.491L;  // metres of a degree of longitude on the equator
const long long START = 1780290000;     // 2026-06-01 05:00:00 UTC

// Points every `step` metres along the equator, heights up by 2 % to the
// middle and down again.
void Build(Course *course, int points, long double step, const char *name)
{
    static CourseBuilder builder;
    BeginCourse(&builder);
    long double length = (points - 1) * step;
    for (int k = 0; k < points; k++) {
        long double x = k * step;
        AddGeoPoint(&builder, 0, x / DEGREE, 0.02L * (x < length / 2 ? x : length - x));
    }
    FinishCourse(&builder, name, course);
}

void Write(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The course file and what it holds: its records, ends, length and time,
// and a course point at each split (named and timed as its row) and station.
void CourseSample(const std::string &folder, const char *name, const Course &course, const SplitTable &table)
{
    WatchPlan plan = {&table, &course, &course.stations, START, name, UNIT_KM, 5};
    std::string bytes;
    size_t records = 0;
    char why[160];
    if (!FitCourseFile(plan, &bytes, &records, why, sizeof why)) {
        fprintf(stderr, "%s: %s\n", name, why);
        return;
    }
    Write(folder + "/" + name + ".fit", bytes);
    char text[512];
    snprintf(text, sizeof text,
             "{\"type\": \"course\", \"records\": %zu, \"first\": [0, 0], \"last\": [0, %.12Lf], \"distance\": %.3Lf, "
             "\"seconds\": %.3Lf, \"points\": [",
             records, course.metres / DEGREE, course.metres, table.seconds);
    std::string json = text;
    size_t station = 0;
    for (long long k = 0; k <= table.rows; k++) {
        long double from = 0, to = 1e30L;  // after the last row: the stations still to come
        if (k < table.rows)
            SplitRowSpan(table, k, &from, &to);
        for (; station < course.stations.size() && course.stations[station].metres * table.metres / course.metres < to;
             station++) {
            const Station &s = course.stations[station];
            long double at = SecondsAt(table, s.metres * table.metres / course.metres);
            snprintf(text, sizeof text, "%s{\"name\": \"%s\", \"type\": \"%s\", \"seconds\": %.1Lf, \"distance\": %.3Lf}",
                     json.back() == '[' ? "" : ", ", s.name, s.name[0] == 'W' ? "water" : "food", at, s.metres);
            json += text;
        }
        if (k == table.rows)
            break;
        SplitTexts row;
        SplitRowTexts(table, k, &row);
        long double seconds;
        ReadClock(row.at, &seconds);  // the table's time, as it shows, and to the second
        snprintf(text, sizeof text,
                 "%s{\"name\": \"%s km %.*s\", \"type\": \"generic\", \"seconds\": %.1Lf, \"distance\": %.3Lf}",
                 json.back() == '[' ? "" : ", ", row.unit, (int)strcspn(row.at, "."), row.at, seconds,
                 to * course.metres / table.metres);
        json += text;
    }
    Write(folder + "/" + name + ".json", json + "]}\n");
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    std::string folder = argv[1];
    // 10 km over a hill of 100 m at even effort (hill effort 50 %), by the km,
    // with a water station at 2.5 km and food at 7.5 km.
    static Course hill;
    Build(&hill, 101, 100, "hill");
    std::vector<Waypoint> waypoints = {{0, 2500 / DEGREE, NAN, "Water 1"}, {0, 7500 / DEGREE, NAN, "Food"}};
    hill.placing = PlaceStations(hill, waypoints, &hill.stations);
    SplitTable table;
    static HillPlan hills;
    PlanSplitTable(10000, 3000, UNIT_KM, 0, 0, 3, &table);
    PlanOverCourse(hill, 0.5L, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    CourseSample(folder, "hill", hill, table);

    // Its plan on the flat as a workout: ten steps of 1000 m at 5:00 a km, give
    // or take 5 s: from 1000 / 305 to 1000 / 295 m/s.
    SplitTable flat;
    PlanSplitTable(10000, 3000, UNIT_KM, 0, 0, 3, &flat);
    std::vector<Station> none;
    WatchPlan workout = {&flat, NULL, &none, START, "10 km in 50:00", UNIT_KM, 5};
    std::string bytes;
    size_t steps = 0;
    char why[160];
    if (FitWorkoutFile(workout, &bytes, &steps, why, sizeof why)) {
        Write(folder + "/flat-workout.fit", bytes);
        std::string json = "{\"type\": \"workout\", \"steps\": [";
        for (int k = 1; k <= 10; k++)
            json += std::string(k > 1 ? ", " : "") + "{\"name\": \"" + std::to_string(k) +
                    " km\", \"metres\": 1000, \"low\": " + std::to_string(1000.0 / 305) + ", \"high\": " +
                    std::to_string(1000.0 / 295) + "}";
        Write(folder + "/flat-workout.json", json + "]}\n");
    }

    // 100 km of 100,001 points a metre apart, every 5 km in 10:00:00: thinned
    // to at most 10,000 records, its length the same.
    static Course ultra;
    Build(&ultra, 100001, 1, "100 km");
    static HillPlan ultraHills;
    PlanSplitTable(100000, 36000, UNIT_KM, 0, 0, 3, &table);
    SetSplitPoints(&table, 5, false);
    PlanOverCourse(ultra, 0.5L, table.metres, table.seconds, table.a, table.b, &ultraHills);
    table.hills = &ultraHills;
    CourseSample(folder, "ultra", ultra, table);
    return 0;
}
