// Any course text: as a CSV of distance and height, and as points of
// latitude, longitude and height (as a GPX gives them), to a profile and a
// plan over it: never a crash, a hang, a NaN or a height beyond the file's.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "model/course.h"
#include "model/plan.h"

static Course course;
static HillPlan hills;

static void Check(CourseBuilder *builder)
{
    if (!FinishCourse(builder, "fuzz", &course))
        return;
    if (!(course.metres >= COURSE_METRES_MIN) || !std::isfinite(course.climb) || !std::isfinite(course.descent) ||
        course.steps < 1 || course.steps >= PROFILE_MAX)
        __builtin_trap();
    // Every height of the profile between the lowest and highest of the file
    // (its points' heights, as read or taken between neighbours).
    long double low = builder->height[0], high = builder->height[0];
    for (long double h : builder->height) {
        low = h < low ? h : low;
        high = h > high ? h : high;
    }
    for (double h : course.height)
        if (!(h >= low - 1e-9L * (1 + fabsl(low)) && h <= high + 1e-9L * (1 + fabsl(high))))
            __builtin_trap();
    SplitTable table;
    PlanSplitTable(10000, 3000, UNIT_KM, -1, 5, 3, &table);
    SetSplitPoints(&table, 0.5L, true);
    PlanOverCourse(course, 1, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    SplitTexts row;
    SplitRowTexts(table, table.rows / 2, &row);
    if (strstr(row.at, "nan") || strstr(row.climb, "nan") || strstr(row.effort, "nan"))
        __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static CourseBuilder builder;
    ReadCourseCsv(reinterpret_cast<const char *>(data), size, &builder);
    Check(&builder);
    // The same bytes as points: three numbers from each 12 bytes.
    BeginCourse(&builder);
    for (size_t at = 0; at + 12 <= size && at < 12 * 2000; at += 12) {
        float v[3];
        memcpy(v, data + at, sizeof v);
        AddGeoPoint(&builder, v[0], v[1], v[2]);
    }
    Check(&builder);
    return 0;
}
