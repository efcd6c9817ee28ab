// Any plan file: read or refused without a crash, every value in its range,
// the course it holds planned over and drawn, and what is read written and
// read back the same.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "model/planfile.h"
#include "model/plan.h"

static void PlanAndDraw(const Course &course, size_t size)
{
    if (!(course.metres >= COURSE_METRES_MIN) || course.steps < 1 || course.steps >= PROFILE_MAX ||
        course.height.size() != (size_t)course.steps + 1 || course.level.size() != course.height.size())
        __builtin_trap();
    static HillPlan hills;
    SplitTable table;
    if (!PlanSplitTable(42195, 12600, UNIT_KM, 1, 3, 3, &table) || !SetSplitPoints(&table, 5, true))
        __builtin_trap();
    PlanOverCourse(course, 0.5L, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    for (long long k : {0LL, table.rows / 2, table.rows - 1}) {
        SplitTexts row;
        SplitRowTexts(table, k, &row);
        if (strstr(row.at, "nan") || strstr(row.climb, "nan") || strstr(row.effort, "nan"))
            __builtin_trap();
    }
    // The profile across a strip as wide as a printer's at 4,800 dpi, and the
    // stretch of a row.
    std::vector<PlotPoint> outline;
    int width = 1 + (int)(size % 6000);
    long double from, to;
    SplitRowSpan(table, table.rows / 2, &from, &to);
    ProfileOutline(course, width, 300, course.lowest, course.highest - course.lowest + 1, from / hills.scale,
                   to / hills.scale, &outline);
    for (const PlotPoint &p : outline)
        if (p.x < 0 || p.x > width || p.y < 0 || p.y > 300)
            __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ToolsState state = TOOLS_DEFAULTS;
    Course course, again;
    bool withCourse = false;
    char why[160];
    if (!ReadPlanFile(reinterpret_cast<const char *>(data), size, &state, &course, &withCourse, why, sizeof why))
        return 0;
    if (state.splitUnit < 0 || state.splitUnit > 4 || state.direction < -1 || state.direction > 1)
        __builtin_trap();
    if (withCourse)
        PlanAndDraw(course, size);
    std::string text = WritePlanFile(state, withCourse ? &course : nullptr);
    ToolsState read = TOOLS_DEFAULTS;
    bool with = false;
    if (!ReadPlanFile(text.data(), text.size(), &read, &again, &with, why, sizeof why) ||
        WritePlanFile(read, with ? &again : nullptr) != text)
        __builtin_trap();
    return 0;
}
