// The calculator's process-wide state and ReCalc.
#include "model/pacemodel.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/units.h"
#include "ui/resource.h"  // the ids of the unit radios and precision items

float dDistance = 0;
float dTime = 0;
float dPace = 0;
float dSplit = 1.0f;
float dDistanceFactor = 1.0f;
float dSplitFactor = 1.0f;
int iUnitChecked = IDC_DISTANCE_MILE;
int iSplitChecked = IDC_SPLIT_MILE;
float fMaxScrollMiles = 10.0f;
float fMaxScrollSecs = 5000.0f;
char szDistanceFormat[5] = "%.2f";
int iDistancePrecisionChecked = IDM_DISTANCE_PRECISION_2;
int iTargetPrecisionChecked = IDM_TIME_PRECISION_1;
char szDistance[DISTANCE_TEXT_SIZE] = "0";
char szTime[TIME_TEXT_SIZE] = "0.0";
char szPace[PACE_TEXT_SIZE] = "";

float UnitFactor(int id)
{
    int k = id < IDC_SPLIT_MILE ? UnitOfDistanceRadio(id) : UnitOfSplitRadio(id);
    return k < 0 ? 0.0f : UNIT_TABLE[k].perMile;
}

static void append(char *buf, size_t size, const char *suffix)
{
    size_t used = strlen(buf);
    snprintf(buf + used, size - used, "%s", suffix);
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
    int unit = UnitOfSplitRadio(iSplitChecked);
    if (unit >= 0)
        append(buf, size, UNIT_TABLE[unit].windowPace);
}

void FormatDistance(float miles, char *buf, size_t size)
{
    snprintf(buf, size, szDistanceFormat, (double)((long double)miles * dDistanceFactor));
    int unit = UnitOfDistanceRadio(iUnitChecked);
    if (unit >= 0)
        append(buf, size, UNIT_TABLE[unit].suffix);
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
