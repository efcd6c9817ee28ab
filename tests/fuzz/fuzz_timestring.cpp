// Any float in any precision: the text fits its buffer, and a clock text is
// read back by atosecs as the shown value to four significant digits.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/pacemodel.h"
#include "time/timeconversions.h"

void ShowReadouts(const char *, const char *, const char *) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const formats[3] = {"%.0f", "%.1f", "%.2f"};
    if (size < 5)
        return 0;
    float secs;
    memcpy(&secs, data, sizeof secs);
    int d = data[4] % 3;
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", formats[d]);

    char text[TIME_TEXT_SIZE + 1];
    text[TIME_TEXT_SIZE] = 'x';
    to_timestring(secs, text, TIME_TEXT_SIZE);
    if (text[TIME_TEXT_SIZE] != 'x' || strlen(text) > TIME_TEXT_MAX)
        __builtin_trap();
    if (!(secs >= 0 && secs < 1e12f))  // the fixed texts, or beyond what is typed
        return 0;

    double back = atosecs(text);
    if (back < 0)
        __builtin_trap();
    double allowed = 0.5 * std::pow(10.0, -d) + 0.0005 * (secs + 1.0);
    if (std::fabs(back - secs) > allowed)
        __builtin_trap();
    return 0;
}
