// The calculator's process-wide state and ReCalc.
#include "model/pacemodel.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

float dDistance = 0;
float dTime = 0;
float dPace = 0;
float dSplit = 1.0f;
float dDistanceFactor = 1.0f;
float dSplitFactor = 1.0f;
int iUnitChecked = 13;
int iSplitChecked = 18;
float fMaxScrollMiles = 10.0f;
float fMaxScrollSecs = 5000.0f;
char szDistanceFormat[5] = "%.2f";
int iDistancePrecisionChecked = 124;
int iTargetPrecisionChecked = 128;
char szDistance[DISTANCE_TEXT_SIZE] = "0";
char szTime[TIME_TEXT_SIZE] = "0.0";
char szPace[PACE_TEXT_SIZE] = "";

// Mile, Km, 400m, 440y, 200m. A 440-yard lap is exactly a quarter mile.
static const float unitFactor[5] = {1.0f, 1.609344f, 4.02336f, 4.0f, 8.04672f};
static const char *const distanceSuffix[5] = {" Mi.", " Km.", " Laps", " Laps", " Laps"};
static const char *const paceSuffix[5] = {" /Mile", " /Km", " /Lap", " /Lap", " /Lap"};

// Position of a radio id (13..17 or 18..22) in the unit tables, or -1.
static int unit_index(int id, int first)
{
    return id >= first && id < first + 5 ? id - first : -1;
}

float UnitFactor(int id)
{
    int k = id < 18 ? unit_index(id, 13) : unit_index(id, 18);
    return k < 0 ? 0.0f : unitFactor[k];
}

static void append(char *buf, size_t size, int unit, const char *const suffix[5])
{
    if (unit < 0)
        return;
    size_t used = strlen(buf);
    snprintf(buf + used, size - used, "%s", suffix[unit]);
}

void ReCalc()
{
    if (dDistance != 0) {
        long double pace = (long double)dTime * dSplit / dDistance;
        // Over a distance typed as 1e-45 the pace leaves the float range.
        dPace = pace > FLT_MAX ? INFINITY : (float)pace;
    } else {
        dPace = 0;
    }

    FormatPace((float)(dPace / (long double)dSplitFactor), szPace, sizeof szPace);
    to_timestring(dTime, szTime, sizeof szTime);
    FormatDistance(dDistance, szDistance, sizeof szDistance);
    ShowReadouts(szPace, szTime, szDistance);
}

void FormatPace(float seconds, char *buf, size_t size)
{
    to_timestring(seconds, buf, size);
    append(buf, size, unit_index(iSplitChecked, 18), paceSuffix);
}

void FormatDistance(float miles, char *buf, size_t size)
{
    snprintf(buf, size, szDistanceFormat, (double)((long double)miles * dDistanceFactor));
    append(buf, size, unit_index(iUnitChecked, 13), distanceSuffix);
}

int ScrollPosition(float value, float maximum, int range)
{
    if (!(maximum > 0) || range <= 0)
        return 0;
    long double position = (long double)value / maximum * range;
    if (!(position > 0))
        return 0;
    return position < INT_MAX ? (int)position : INT_MAX;
}
