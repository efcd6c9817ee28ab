#include "model/tools.h"

#include <cmath>
#include <cstdio>

const char *const szRaceNames[RACES] = {"1500 m", "Mile", "5 K", "10 K", "Half Marathon", "Marathon"};
// Kilometres as miles (km / 1.609344), rounded to float once.
const float fRaceMiles[RACES] = {0.9320567846298218f, 1.0f, 3.106855869293213f, 6.213711738586426f, 13.109378814697266f,
                                 26.21875762939453f};

bool PlanSplits(float miles, float seconds, float splitFactor, SplitPlan *plan)
{
    if (!(miles > 0) || !(seconds > 0) || !(splitFactor > 0) || !std::isfinite(miles) || !std::isfinite(seconds))
        return false;
    plan->units = (long double)miles * splitFactor;
    plan->seconds = seconds;
    if (plan->units >= 1e15L)  // far beyond any distance the window can hold; whole units would not count
        return false;
    // 10 km in kilometres is 9.9999998 in floats: within the floats' own
    // error a distance is a whole number of units.
    long double nearest = floorl(plan->units + 0.5L);
    bool exact = nearest >= 1 && fabsl(plan->units - nearest) <= 1e-4L + plan->units * 1e-6L;
    plan->whole = (long long)(exact ? nearest : floorl(plan->units));
    plan->every = 1;
    if (plan->whole + (exact ? 0 : 1) > SPLIT_ROWS_MAX)
        plan->every = (plan->whole + SPLIT_ROWS_MAX - 2) / (SPLIT_ROWS_MAX - 1);
    long long shown = plan->whole / plan->every;
    bool finish = !exact || shown * plan->every != plan->whole;
    plan->rows = shown + (finish ? 1 : 0);
    return true;
}

void SplitRow(const SplitPlan &plan, long long k, char *unit, size_t unitSize, char *time, size_t timeSize)
{
    if (k < plan.whole / plan.every) {
        long long n = (k + 1) * plan.every;
        snprintf(unit, unitSize, "%lld", n);
        to_timestring((float)(plan.seconds * n / plan.units), time, timeSize);
    } else {
        snprintf(unit, unitSize, "%.2f", (double)plan.units);
        to_timestring((float)plan.seconds, time, timeSize);
    }
}

long double PredictSeconds(float miles, float seconds, float raceMiles)
{
    if (!(miles > 0) || !(seconds > 0) || !std::isfinite(miles) || !std::isfinite(seconds))
        return 0;
    return seconds * powl((long double)raceMiles / miles, 1.06L);
}

bool WithinRiegelRange(float seconds)
{
    return seconds >= 210 && seconds <= 4 * 3600;
}

long double TimeFromPace(double pace, float miles, float splitFactor)
{
    return pace * (long double)miles * splitFactor;
}
