// Any text as a start time, as cut-offs (with and without a start) and as a
// station's name: read or refused without a crash; what is read is a time
// of day, and cut-offs by distance whose times grow, all after the start.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "model/raceday.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    text.resize(std::min(text.size(), text.find('\0')));
    long double start = -1;
    if (ReadStartTime(text.c_str(), &start) == READ_OK && !(start >= 0 && start < 86400))
        __builtin_trap();
    char why[160], clock[32];
    const long double *starts[2] = {nullptr, &start};
    for (const long double *from : starts) {
        if (from && !(*from >= 0))
            continue;
        std::vector<Cutoff> cutoffs;
        if (ReadCutoffs(text.c_str(), UNIT_MILE, from, &cutoffs, why, sizeof why))
            for (size_t k = 0; k < cutoffs.size(); k++)
                if (!(cutoffs[k].seconds > 0) || !std::isfinite(cutoffs[k].metres) ||
                    (k > 0 && !(cutoffs[k].metres >= cutoffs[k - 1].metres && cutoffs[k].seconds > cutoffs[k - 1].seconds)))
                    __builtin_trap();
        long double seconds = 0;
        if (StationCutoff(text.c_str(), from, &seconds) && !(seconds > 0))
            __builtin_trap();
        FormatTimeOfDay(seconds, clock, sizeof clock);
    }
    return 0;
}
