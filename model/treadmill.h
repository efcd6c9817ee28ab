// A treadmill session at its outdoor worth: the belt's missing air
// resistance taken as a 1 % incline (Jones and Doust, J Sports Sci 14:321,
// 1996), and the energy cost of running on a gradient (Minetti et al.
// 2002, RunningCost). At the same metabolic power the outdoor flat speed
// is the treadmill's times C(g - 0.01) / C(0), g the incline as a fraction.
// Pure code: speeds in metres a second.
#ifndef VELTO_TREADMILL_H
#define VELTO_TREADMILL_H

// The inclines a treadmill has, percent, and the speeds Jones and Doust
// measured the 1 % rule between, in metres a second.
const long double INCLINE_MIN = -5, INCLINE_MAX = 25;
const long double MEASURED_SLOWEST = 2.9L, MEASURED_FASTEST = 5.0L;

// An incline as typed: true for -5 to 25 percent.
bool ReadIncline(const char *text, long double *percent);

// The outdoor flat speed of a treadmill speed at an incline, and back.
long double OutdoorSpeed(long double treadmill, long double inclinePercent);
long double TreadmillSpeed(long double outdoor, long double inclinePercent);

// Whether a treadmill speed is among those the 1 % rule was measured at.
bool MeasuredSpeed(long double metresPerSecond);

#endif
