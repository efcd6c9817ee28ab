// Any text: atosecs gives exactly -1 or a finite number of seconds >= 0.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "time/timeconversions.h"

void ShowReadouts(const char *, const char *, const char *) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char text[4097];
    size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
    memcpy(text, data, n);
    text[n] = '\0';
    double v = atosecs(text);
    if (!(v == -1.0 || (std::isfinite(v) && v >= 0)))
        __builtin_trap();
    return 0;
}
