#include "model/entry.h"

#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

float ReadDistance(const char *text, float factor, float maximum)
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
    if (q > maximum)
        return -1;
    return (float)q + 0.0f;  // "-0" would show as "-0.00"
}

int ReadWholeMiles(const char *text, long long *number)
{
    // Any 18 characters fit a long long; beyond an int is absurd anyway.
    *number = strtoll(text, NULL, 10);
    return *number >= INT_MIN && *number <= INT_MAX ? (int)*number : 0;
}
