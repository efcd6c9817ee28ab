#include "model/entry.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "time/timeconversions.h"

// Half a unit of the last of `decimals` decimals: how far a rounded text can
// lie above the value it shows.
static long double HalfLastDecimal(int decimals)
{
    if (decimals < 0)
        return 0;
    return 0.5L * powl(10.0L, -(long double)(decimals < 30 ? decimals : 30)) + 1e-12L;
}

float ReadDistance(const char *text, float factor, float maximum, int decimals)
{
    char buffer[13];
    snprintf(buffer, sizeof buffer, "%s", text);
    // The first run free of separators, or the whole text when there is none.
    char *number = buffer + strspn(buffer, " MKL");
    if (*number != '\0')
        number[strcspn(number, " MKL")] = '\0';
    else
        number = buffer;
    double v = strtod(number, NULL);

    // "nan", "inf" and "1e999" are out of range too: a NaN would spread
    // into every readout.
    if (!(v >= 0 && v <= FLT_MAX))
        return -1;
    float tmp = (float)v;
    long double q = tmp / (long double)factor;
    if (q > maximum) {
        // The maximum shown in another unit is rounded, and may read back a
        // hair above itself ("80.47 Laps" for 10 miles): it is still the maximum.
        if (v - (long double)maximum * factor <= HalfLastDecimal(decimals))
            return maximum;
        return -1;
    }
    return (float)q + 0.0f;  // "-0" would show as "-0.00"
}

float ReadTime(const char *text, float maximum, int decimals)
{
    double v = atosecs(text);
    if (v < 0)
        return -1;
    float tmp = (float)v;  // atosecs gives at most about 3.7e12
    if (tmp > maximum)
        return v - (long double)maximum <= HalfLastDecimal(decimals) ? maximum : -1;
    return tmp;
}

int ReadWholeMiles(const char *text, long long *number)
{
    // Any 18 characters fit a long long; beyond an int is absurd anyway.
    *number = strtoll(text, NULL, 10);
    return *number >= INT_MIN && *number <= INT_MAX ? (int)*number : 0;
}
