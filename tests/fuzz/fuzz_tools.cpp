// The runner's tools on any values: a pace read from any text and turned
// into a time, split tables of any distance and time in every unit and
// time format, and predictions: no undefined behaviour, no text cut, no
// table beyond its cap.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/pacemodel.h"
#include "model/tools.h"

void ShowReadouts(const char *, const char *, const char *) {}

static float TakeFloat(const uint8_t *&data, size_t &size)
{
    float value = 0;
    if (size >= sizeof value) {
        memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const formats[3] = {"%.0f", "%.1f", "%.2f"};
    if (size < 2)
        return 0;
    float factor = UnitFactor(18 + data[0] % 5);
    snprintf(szTimeFormat, sizeof szTimeFormat, "%s", formats[data[1] % 3]);
    data += 2;
    size -= 2;
    float miles = TakeFloat(data, size), seconds = TakeFloat(data, size);

    SplitPlan plan;
    if (PlanSplits(miles, seconds, factor, &plan)) {
        if (plan.rows < 1 || plan.rows > SPLIT_ROWS_MAX || plan.every < 1)
            __builtin_trap();
        long long rows[4] = {0, plan.rows / 2, plan.rows - 2, plan.rows - 1};
        for (long long k : rows) {
            if (k < 0)
                continue;
            char unit[SPLIT_UNIT_SIZE], time[TIME_TEXT_MAX + 2];  // room to see a text too long
            SplitRow(plan, k, unit, sizeof unit, time, sizeof time);
            if (strlen(unit) >= sizeof unit - 1 || strlen(time) > TIME_TEXT_MAX)
                __builtin_trap();
        }
    }
    for (int k = 0; k < RACES; k++)
        if (std::isnan((double)PredictSeconds(miles, seconds, fRaceMiles[k])))
            __builtin_trap();

    char text[32];
    size_t n = size < sizeof text - 1 ? size : sizeof text - 1;
    memcpy(text, data, n);
    text[n] = '\0';
    double pace = atosecs(text);
    if (pace >= 0 && miles >= 0 && std::isfinite(miles) && TimeFromPace(pace, miles, factor) < 0)
        __builtin_trap();
    return 0;
}
