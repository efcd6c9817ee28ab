// A pace plan, exactly: any two of time, distance and pace give the third,
// and a split table follows it at even pace or with a negative or positive
// split. Pure functions; distances in metres, times in seconds, both long
// double, never rounded to what a window shows.
#ifndef VELTO_PLAN_H
#define VELTO_PLAN_H

#include <cstddef>

#include "model/units.h"
#include "time/clocktext.h"

// Seconds per metre of a pace (seconds per unit) or speed, and back.
long double SecondsPerMetre(long double value, int kind);
long double PaceIn(long double secondsPerMetre, int kind);

enum { SOLVE_TIME, SOLVE_DISTANCE, SOLVE_PACE };

struct Plan {
    Reading read[3];  // how the time, distance and pace entries read
    bool solved;      // all three known
    long double seconds, metres, secondsPerMetre;
};

// The two entries other than `solve` give the third; an entry that is
// empty, zero or unreadable leaves the plan unsolved.
Plan SolvePlan(int solve, const char *time, const char *distance, int distanceUnit, const char *pace, int paceKind);

// A distance in a unit, a pace in a kind, as the tools show them, with
// the unit: "26.22 Mi.", "8:00.0 /Mile", "12.00 km/h".
void FormatDistanceIn(long double metres, int unit, int decimals, char *buf, size_t size);
void FormatPaceIn(long double secondsPerMetre, int kind, char *buf, size_t size);
// Both speeds: "12.00 km/h, 7.46 mph".
void FormatSpeeds(long double secondsPerMetre, char *buf, size_t size);

// What an entry was read as, or why it was not, for the line beside it:
// "= 4.3 s per Km, 43.0 over 10.00 Km.".
const size_t NOTE_SIZE = 256;
void PlanNote(const Plan &plan, int entry, int distanceUnit, int paceKind, int decimals, char *buf, size_t size);

// ----------------------------------------------------------- split table

// A split table keeps to this many rows, whatever the distance.
const long long SPLIT_ROWS_MAX = 10000;

struct HillPlan;

struct SplitTable {
    long double metres, seconds, unitMetres;
    long double amount, stepMetres;  // a split: `amount` units
    long long halfRow;               // the row that ends halfway, or -1
    const HillPlan *hills;           // over a course, or none: flat
    long double a, b;          // seconds per metre at x metres: a + b x
    long long whole;           // whole splits in the distance
    long long every;           // one row every so many units (1, or more past the cap)
    long long shown;           // rows of whole units
    long long rows;            // and the finish, when it is not one of them
    bool lastIsFinish;         // the last whole row ends the race (the rest does not show)
    int decimals;              // of the finish row's label, as the distance is shown
    // A halfway or finish row within this of a row that ends there is that
    // row: a metre, or as much as the distance was known (see TypedSlack),
    // never more than a twentieth of a row.
    long double slack;
};

// A split's percentage as typed: true for 0 to 20, false for anything else,
// nothing typed among it.
bool ReadSplitPercent(const char *text, long double *percent);
// Splits of so many units as typed: any amount above 0.
bool ReadSplitEvery(const char *text, long double *amount);
// The hill effort over a course as typed: 0 to 100 percent.
bool ReadHillEffort(const char *text, long double *percent);
// How far a distance typed in a unit may be from what it says: half its
// last decimal ("62.14" miles: 8.05 m), or 0 for a text that is no amount.
long double TypedSlack(const char *text, int unit);

// `percent` 0 to 20; `direction` -1 for a negative split (the second half
// faster), +1 for a positive one, 0 for even pace. False without a plan.
bool PlanSplitTable(long double metres, long double seconds, int unit, int direction, long double percent,
                    int decimals, SplitTable *table);

// The decimals of the finish row's label: to the hundredth of a mile, to
// the metre (or the lap's thousandth) otherwise.
int FinishDecimals(int unit);

// A file name for a plan: "42.195 km in 3-30-00.csv".
void PlanFileName(long double metres, long double seconds, int unit, const char *extension, char *buf, size_t size);

// Splits of `amount` units (5 Km, 0.5 Mile), and a row at halfway: false,
// and the table as it was, for no amount or one too small to count.
bool SetSplitPoints(SplitTable *table, long double amount, bool halfway);

// Seconds from the start to x metres.
long double SecondsAt(const SplitTable &table, long double x);

// Where row k starts and ends, in metres.
void SplitRowSpan(const SplitTable &table, long long k, long double *from, long double *to);

// Row k (0 .. rows - 1): the unit it ends at ("7", or "42.20" for the
// finish), the time there, the time of the split and its pace per unit.
struct SplitTexts {
    char unit[32], at[CLOCK_TEXT_SIZE], split[CLOCK_TEXT_SIZE], pace[CLOCK_TEXT_SIZE];
    // Over a course: its climb and descent (in feet or metres, as its hills),
    // and the pace on the flat of the same effort.
    char climb[24], descent[24], effort[CLOCK_TEXT_SIZE];
};
// `hours`: every time as h:mm:ss.d, for a spreadsheet.
void SplitRowTexts(const SplitTable &table, long long k, SplitTexts *row, bool hours = false);

// ------------------------------------------------------------- presets

// The races of the Special menu's presets, as the window holds them: miles
// rounded to float once.
enum { RACE_5K, RACE_10K, RACE_HALF_MARATHON, RACE_MARATHON, RACES };
extern const float fRaceMiles[RACES];

#endif
