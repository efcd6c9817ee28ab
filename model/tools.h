// The runner's tools beside the calculator: a split table at even pace,
// race predictions by Riegel's formula, and the time a pace gives over a
// distance. Pure functions of the model's values: distance in miles, time
// in seconds, units as factors of units per mile.
#ifndef VELTO_TOOLS_H
#define VELTO_TOOLS_H

#include <cstddef>

#include "time/timeconversions.h"

// A split table is kept to this many rows, whatever the distance.
const long long SPLIT_ROWS_MAX = 10000;

// One row per `every` whole split units, then the finish when the distance
// is not a whole number of shown units.
struct SplitPlan {
    long double units;  // the distance in split units
    long double seconds;
    long long whole;    // whole split units in the distance
    long long every;    // 1, or the step that keeps the rows within the cap
    long long rows;     // rows of the table
};

// Fills *plan; false when there is no distance or no time to split (or a
// distance of 10^15 units and more, which no window holds).
bool PlanSplits(float miles, float seconds, float splitFactor, SplitPlan *plan);

// Row k (0 .. rows - 1): the split unit it ends at ("7", or "42.20" for
// the finish) and its cumulative time in the current time format.
void SplitRow(const SplitPlan &plan, long long k, char *unit, size_t unitSize, char *time, size_t timeSize);

// Longest row text of a plan: unit, tab, time and a line end.
const size_t SPLIT_UNIT_SIZE = 24;
const size_t SPLIT_LINE_MAX = SPLIT_UNIT_SIZE + 1 + TIME_TEXT_MAX + 2;

// The races predicted from a result, shortest first; the presets of the
// Special menu take their distances from here.
enum { RACE_1500M, RACE_MILE, RACE_5K, RACE_10K, RACE_HALF_MARATHON, RACE_MARATHON, RACES };
extern const char *const szRaceNames[RACES];
extern const float fRaceMiles[RACES];

// Riegel: T2 = T1 x (D2 / D1)^1.06, in seconds; 0 without a result.
long double PredictSeconds(float miles, float seconds, float raceMiles);

// The formula holds for efforts of about 3.5 minutes to 4 hours.
bool WithinRiegelRange(float seconds);

// The time a pace (seconds per split unit) gives over a distance.
long double TimeFromPace(double pace, float miles, float splitFactor);

#endif
