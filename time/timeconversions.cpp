// Seconds to clock-style text and back. All calls come from the one
// user-interface thread: FormatBuf is shared between calls.
#include "time/timeconversions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The seconds conversion, "%.0f", "%.1f" or "%.2f", as Time Precision sets it.
char szTimeFormat[5] = "%.1f";

static char FormatBuf[20];

// Clocks cannot show these; the pace over a vanishing distance reaches them.
static const char szInfinite[] = "infinite";
static const char szTooLong[] = "too long";
static const char szInvalid[] = "invalid";

int FormatDecimals(const char *fmt)
{
    const char *point = strchr(fmt, '.');
    return point ? (int)strtol(point + 1, nullptr, 10) : 6;
}

// The seconds as szTimeFormat will print them, so that the leading-zero
// test and the carry see 59.96 as 60.0 and never show "1:60.0".
static double shown_seconds(float ss)
{
    long double scale = 1;
    for (int d = FormatDecimals(szTimeFormat); d > 0; d--)
        scale *= 10;
    return (double)(nearbyintl(ss * scale) / scale);
}

void to_timestring(float secs, char *buf, size_t bufsize)
{
    if (std::isnan(secs) || secs < 0) {
        snprintf(buf, bufsize, "%s", szInvalid);
        return;
    }
    if (std::isinf(secs)) {
        snprintf(buf, bufsize, "%s", szInfinite);
        return;
    }
    if (secs >= 3600.0L * 18446744073709551616.0L) {  // hours beyond 64 bits
        snprintf(buf, bufsize, "%s", szTooLong);
        return;
    }

    unsigned long long hh;
    int mm;
    float ss;
    if (secs < 2147483648.0f) {
        // The reciprocals are a little below 1/3600 and 1/60, so an exact
        // multiple of a minute comes out as 60 seconds; the carry mends it.
        hh = (unsigned long long)(secs * (long double)(1.0 / 3600));
        float temp = (float)(secs - 3600.0L * hh);
        mm = (int)(temp * (long double)(1.0 / 60));
        ss = (float)(secs - 3600.0L * hh - 60.0L * mm);
    } else {
        // Here every float is a whole number, and exact integer division
        // keeps the split right where the reciprocal's error reaches hours.
        unsigned __int128 whole = (unsigned __int128)secs;
        hh = (unsigned long long)(whole / 3600);
        mm = (int)(whole % 3600 / 60);
        ss = (float)(int)(whole % 60);
    }

    double shown = shown_seconds(ss);
    if (shown >= 60) {
        mm += 1;
        shown -= 60;
    }
    if (mm >= 60) {
        hh += 1;
        mm -= 60;
    }
    shown += 0.0;  // a negative zero prints as "-0.0"

    const char *prefix;
    if (hh != 0) {
        if (mm == 0)
            prefix = shown < 10 ? "%llu:00:0" : "%llu:00:";
        else if (mm < 10)
            prefix = shown < 10 ? "%llu:0%d:0" : "%llu:0%d:";
        else
            prefix = shown < 10 ? "%llu:%d:0" : "%llu:%d:";
    } else if (mm != 0) {
        prefix = shown < 10 ? "%d:0" : "%d:";
    } else {
        snprintf(buf, bufsize, szTimeFormat, shown);
        return;
    }
    snprintf(FormatBuf, sizeof FormatBuf, "%s%s", prefix, szTimeFormat);
    if (hh == 0)
        snprintf(buf, bufsize, FormatBuf, mm, shown);
    else if (mm == 0)
        snprintf(buf, bufsize, FormatBuf, hh, shown);
    else
        snprintf(buf, bufsize, FormatBuf, hh, mm, shown);
}

double atosecs(const char *time_string)
{
    int decptflg = 0;
    int flds = 0;
    char temp[10];
    size_t len = 0;
    double times[3];
    static const char fmtstr[] = "%15.4g";
    char secsbuf[16];

    for (const char *p = time_string; *p != '\0'; p++) {
        if (*p == ':') {
            if (flds == 2)  // a fourth field does not fit times
                return -1.0;
            temp[len] = '\0';
            times[flds++] = strtod(temp, nullptr);
            len = 0;
            continue;
        }
        bool digit = *p >= '0' && *p <= '9';
        if (!digit && !(*p == '.' && !decptflg))
            return -1.0;
        if (*p == '.')
            decptflg = 1;  // one point in the whole text, not one per field
        if (len == sizeof temp - 1)  // a tenth character does not fit temp
            return -1.0;
        temp[len++] = *p;
    }
    temp[len] = '\0';
    times[flds] = strtod(temp, nullptr);

    // Printing with four significant digits and reading back is what makes
    // 3725.5 s come back as 3726 and 10799 s as 10800.
    snprintf(secsbuf, sizeof secsbuf, fmtstr, secs(times, flds + 1));
    return strtod(secsbuf, nullptr);
}

double secs(const double *times, int nfields)
{
    double total = 0;
    for (int i = 0; i < nfields; i++)
        total = total * 60 + times[i];
    return total;
}
