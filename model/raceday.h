// Race day over a plan: the course's aid stations placed along it, a start
// time and cut-offs, and the table they make with the split rows; the
// course thinned for a watch, and the splits as a watch's workout steps.
// Pure code: distances in metres, times in seconds.
#ifndef VELTO_RACEDAY_H
#define VELTO_RACEDAY_H

#include <cstddef>
#include <vector>

#include "model/course.h"
#include "model/plan.h"

// ------------------------------------------------------------- stations

// A waypoint this near the course is one of its stations.
const long double STATION_REACH = 100;

// The named waypoints near the course, each at its nearest distance along
// it; where the course passes a place more than once, at the pass after the
// station before (waypoints are taken in the order of the file).
Placing PlaceStations(const Course &course, const std::vector<Waypoint> &waypoints, std::vector<Station> *stations);

// ---------------------------------------------------- start and cut-offs

// A start time of day, "05:00" or "5:00:30": its seconds past midnight.
// READ_EMPTY for nothing typed, READ_BAD for anything but a time of day.
Reading ReadStartTime(const char *text, long double *seconds);

// A cut-off: by so many metres of the plan, so many seconds from the start.
struct Cutoff {
    long double metres, seconds;
};
// Cut-offs typed as distance and time, parted by ";": "50 km 8:00:00;
// 80 km 13:30:00". A distance without a unit is in `unit`. With a start
// time (`start`, else NULL) the times are times of day ("13:00", "+1 02:00"
// the next day). False, with why, for anything else, or for cut-offs whose
// times do not grow with their distances. Sorted by distance.
bool ReadCutoffs(const char *text, int unit, const long double *start, std::vector<Cutoff> *cutoffs, char *why,
                 size_t size);
// A cut-off a station's name carries: "Aid 3 (cut-off 8:00:00)", read as
// the typed ones are. False where it has none.
bool StationCutoff(const char *name, const long double *start, long double *seconds);

// A time of day: "05:26", "+1 06:12" past midnight, to the minute.
void FormatTimeOfDay(long double seconds, char *buf, size_t size);

// ------------------------------------------------------ the race's table

// A row of its own in the table: a station, or a cut-off where no split
// ends; `cutoff` -1 where it has none.
struct Mark {
    long double metres;  // of the plan
    char name[48];
    long double cutoff;
};

struct RaceDay {
    const SplitTable *table;
    std::vector<Mark> marks;         // by distance
    std::vector<long long> source;   // each row: a split row (>= 0), or a mark (-1 - its index)
    std::vector<long double> cutoff; // each row's cut-off, or -1
    bool clock;                      // a start time is set
    long double start, margin;       // its time of day; how near a cut-off is too near
    long long firstLate;             // the first row past its cut-off or within the margin, or -1
    bool stations, cutoffs;          // rows of stations; cut-offs anywhere
};
// The split table with marks among its rows; the cut-offs at a split's end
// go to that split. `start` NULL: no time of day.
void PlanRaceDay(const SplitTable &table, const std::vector<Mark> &marks, const std::vector<Cutoff> &cutoffs,
                 const long double *start, long double margin, RaceDay *day);

struct RaceTexts {
    SplitTexts split;  // a mark's row has its distance and time only
    char station[48], clock[24], cutoff[96];
    bool late;         // past its cut-off, or within the margin
};
// `hours`: every time as h:mm:ss.d, for a spreadsheet.
void RaceRowTexts(const RaceDay &day, long long row, RaceTexts *texts, bool hours = false);
// Where a row ends, metres of the plan; the seconds there.
long double RaceRowEnd(const RaceDay &day, long long row);

// ------------------------------------------------------- for the watch

// The points of the course to keep, at most `max`, in order: the start, the
// finish, the highest and the lowest, the nearest to each distance of
// `keep` (course metres), and as many more as fit, evenly along the way.
std::vector<size_t> ThinPoints(const Course &course, const std::vector<long double> &keep, size_t max);
const size_t RECORDS_MAX = 10000;

// The splits as a watch's workout steps, at most `max`: where there are more
// rows, the neighbours nearest in pace are merged, two by two.
struct WorkoutStep {
    long double metres, seconds;
    long long first, last;  // the rows it holds
};
std::vector<WorkoutStep> WorkoutSteps(const SplitTable &table, size_t max);
const size_t STEPS_MAX = 50;

#endif
