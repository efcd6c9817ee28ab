// Cost of one recalculation (formatting included) and of reading a time.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "model/pacemodel.h"
#include "time/timeconversions.h"

static char benchPace[PACE_TEXT_SIZE], benchTime[TIME_TEXT_SIZE], benchDistance[DISTANCE_TEXT_SIZE];

// Stands in for the window: keeps the texts as a field would.
void ShowReadouts(const char *pace, const char *time, const char *distance)
{
    snprintf(benchPace, sizeof benchPace, "%s", pace);
    snprintf(benchTime, sizeof benchTime, "%s", time);
    snprintf(benchDistance, sizeof benchDistance, "%s", distance);
}

static void BM_ReCalc(benchmark::State &state)
{
    dTime = 2400;
    int step = 0;
    for (auto _ : state) {
        dDistance = 6.2137f + 0.01f * (step++ & 255);  // as a drag varies it
        ReCalc();
        benchmark::DoNotOptimize(benchPace);
    }
}
BENCHMARK(BM_ReCalc);

static void BM_atosecs(benchmark::State &state)
{
    const char *texts[4] = {"40:00.0", "1:02:05.5", "59.9", "2:59:59"};
    int step = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(atosecs(texts[step++ & 3]));
}
BENCHMARK(BM_atosecs);

BENCHMARK_MAIN();
