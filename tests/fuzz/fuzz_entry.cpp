// Any text in the distance field, in any unit and under any maximum the
// program can hold, and in the two resolution dialogs: no undefined
// behaviour, and every accepted value within its range.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/entry.h"
#include "model/pacemodel.h"

void ShowReadouts(const char *, const char *, const char *) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const float maxima[5] = {10, 30, 1000, 2147483647.0f, 0.5f};
    if (size < 1)
        return 0;
    float factor = UnitFactor(13 + data[0] % 5);
    float maximum = maxima[data[0] / 5 % 5];
    char text[32];
    size_t n = size - 1 < sizeof text - 1 ? size - 1 : sizeof text - 1;
    memcpy(text, data + 1, n);
    text[n] = '\0';

    int decimals = 1 + data[0] / 25 % 4;
    float miles = ReadDistance(text, factor, maximum, decimals);
    if (!(miles == -1 || (miles >= 0 && miles <= maximum && !std::signbit(miles))))
        __builtin_trap();
    float seconds = ReadTime(text, maximum * 500, decimals % 3);
    if (!(seconds == -1 || (seconds >= 0 && seconds <= maximum * 500)))
        __builtin_trap();

    // The dialogs read at most 18 characters.
    text[n < 18 ? n : 18] = '\0';
    long long number;
    int i = ReadWholeMiles(text, &number);
    if (i != 0 && i != number)
        __builtin_trap();
    float f = (float)atosecs(text);
    if (!(f == -1 || (f >= 0 && f < 1e13f)))
        __builtin_trap();
    volatile long long shown = (long long)f;  // as the absurd-value message shows it
    (void)shown;
    return 0;
}
