// The plan as files for a watch: a FIT course whose points carry the plan's
// times (a watch's virtual partner runs it), a FIT workout of a step a
// split with a pace range, and a GPX with a time at each point. Pure code:
// the bytes of each file, or why there are none.
#ifndef VELTO_WATCHFILES_H
#define VELTO_WATCHFILES_H

#include <cstddef>
#include <string>
#include <vector>

#include "model/raceday.h"

struct WatchPlan {
    const SplitTable *table;                // the plan's rows, over the course where there is one
    const Course *course;                   // NULL: no course, and no course file
    const std::vector<Station> *stations;   // of the course
    long long startUnix;                    // when the plan starts, Unix seconds
    const char *name;                       // the course's or the plan's, UTF-8
    int unit;                               // the rows' unit, for the names of points and steps
    long double range;                      // a workout step's pace, give or take so many seconds a unit
};

// The course: its points (thinned to RECORDS_MAX) with their distances,
// heights and the plan's times, a course point at every split and station,
// a lap with the totals. False, with why, for a plan without a course or
// one beyond what a FIT file holds.
bool FitCourseFile(const WatchPlan &plan, std::string *bytes, size_t *records, char *why, size_t size);

// The workout: a step a split (merged to STEPS_MAX), its distance, and a
// speed range around its planned pace.
bool FitWorkoutFile(const WatchPlan &plan, std::string *bytes, size_t *steps, char *why, size_t size);

// The course as a GPX track with a <time> at each point, its stations as
// named waypoints with the time of arrival.
bool TimedGpxFile(const WatchPlan &plan, std::string *text, char *why, size_t size);

// "2026-12-08T05:00:00Z" of a Unix time.
void FormatUtc(long long unix, char *buf, size_t size);

#endif
