#include "model/treadmill.h"

#include "model/course.h"
#include "time/clocktext.h"

bool ReadIncline(const char *text, long double *percent)
{
    // A minus sign first is a decline; the rest reads as any amount.
    while (*text == ' ')
        text++;
    bool down = *text == '-';
    long double value = 0;
    Reading read = ReadAmount(down ? text + 1 : text, &value);
    if (read != READ_OK && read != READ_ZERO)
        return false;
    value = down ? -value : value;
    if (value < INCLINE_MIN || value > INCLINE_MAX)
        return false;
    *percent = value;
    return true;
}

// The belt's ratio of costs: C(g - 0.01) / C(0).
static long double Ratio(long double inclinePercent)
{
    return RunningCost(inclinePercent / 100 - 0.01L) / RunningCost(0);
}

long double OutdoorSpeed(long double treadmill, long double inclinePercent)
{
    return treadmill * Ratio(inclinePercent);
}

long double TreadmillSpeed(long double outdoor, long double inclinePercent)
{
    return outdoor / Ratio(inclinePercent);
}

bool MeasuredSpeed(long double metresPerSecond)
{
    return metresPerSecond >= MEASURED_SLOWEST && metresPerSecond <= MEASURED_FASTEST;
}
