// The calculator's state and the one recalculation that derives the pace
// and renders the three readouts. Distance is held in miles, time in
// seconds; units enter only as factors of units per mile.
#ifndef VELTO_PACEMODEL_H
#define VELTO_PACEMODEL_H

#include <cstddef>

#include "time/timeconversions.h"

extern float dDistance;        // miles
extern float dTime;            // target time, seconds
extern float dPace;            // seconds per mile, times dSplit
extern float dSplit;
extern float dDistanceFactor;  // shown distance units per mile
extern float dSplitFactor;     // split units per mile
extern int iUnitChecked;       // checked distance-unit radio, 13..17
extern int iSplitChecked;      // checked split-unit radio, 18..22
extern float fMaxScrollMiles;
extern float fMaxScrollSecs;
extern char szDistanceFormat[5];
extern int iDistancePrecisionChecked;
extern int iTargetPrecisionChecked;

// Readout buffers, sized for every value a float can hold, so that no
// text is ever cut:
// - time: the longest time text (TIME_TEXT_MAX);
// - pace: that and " /Mile";
// - distance: FLT_MAX x 8.04672 (the 200 m lap factor) is about 2.7e39,
//   40 digits, then ".xxxx", " Laps" and a sign.
const size_t PACE_TEXT_SIZE = TIME_TEXT_MAX + 6 + 1;
const size_t TIME_TEXT_SIZE = TIME_TEXT_MAX + 1;
const size_t DISTANCE_TEXT_SIZE = 1 + 40 + 5 + 5 + 1;
extern char szDistance[DISTANCE_TEXT_SIZE];
extern char szTime[TIME_TEXT_SIZE];
extern char szPace[PACE_TEXT_SIZE];

// Units per mile of the unit behind a radio id of either bank (Mile, Km,
// 400m, 440y, 200m), or 0 for an id that is no unit.
float UnitFactor(int id);

void ReCalc();

// The readouts' texts of a pace (seconds per split unit) and of a distance
// (miles), in the chosen units and formats, as ReCalc writes them.
void FormatPace(float seconds, char *buf, size_t size);
void FormatDistance(float miles, char *buf, size_t size);

// Scroll thumb of a value: trunc(value / maximum x range), divided first.
// 0 where the maximum or the range is not positive, and never a float
// that does not fit an int.
int ScrollPosition(float value, float maximum, int range);

// Shows the pace, time and distance texts, in that order; defined by the
// window code (and by tests).
void ShowReadouts(const char *pace, const char *time, const char *distance);

#endif
