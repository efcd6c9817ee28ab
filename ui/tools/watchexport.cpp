// The plan to a watch, from the Splits page: a FIT course (over a GPX's
// course, with its times and stations), a FIT workout, or a GPX with a time
// at each point, chosen in the Save dialog and written whole or not at all.
#include <cstdio>
#include <cstring>
#include <string>

#include "model/watchfiles.h"
#include "ui/files.h"
#include "ui/tools/splits.h"

enum { EXPORT_COURSE = 1, EXPORT_WORKOUT, EXPORT_GPX };

// The start of the plan: today at the start time typed, else now; in Unix
// seconds, the local time made universal.
static long long StartUnix()
{
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    long double start;
    if (ReadStartTime(tools.start, &start) == READ_OK) {
        long long whole = (long long)start;
        local.wHour = (WORD)(whole / 3600);
        local.wMinute = (WORD)(whole / 60 % 60);
        local.wSecond = (WORD)(whole % 60);
    }
    local.wMilliseconds = 0;
    if (!TzSpecificLocalTimeToSystemTime(NULL, &local, &utc))
        utc = local;
    FILETIME file;
    SystemTimeToFileTime(&utc, &file);
    ULARGE_INTEGER ticks = {{file.dwLowDateTime, file.dwHighDateTime}};
    return (long long)((ticks.QuadPart - 116444736000000000ULL) / 10000000ULL);
}

// A name for the watch: the course's, without its extension, or the plan's
// heading; in UTF-8, as FIT and GPX files carry text.
static std::string WatchName()
{
    char name[96];
    const Course *course = ToolsCourse();
    snprintf(name, sizeof name, "%s", course ? course->name : szSplitHeading);
    char *cut = course ? strrchr(name, '.') : strchr(name, ',');
    if (cut)
        *cut = '\0';
    wchar_t wide[96];
    char utf8[288];
    if (!MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 96) ||
        !WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, NULL, NULL))
        return name;
    return utf8;
}

// The bytes of the kind chosen: false, with why, where there are none.
static bool WatchFile(int kind, const WatchPlan &plan, std::string *bytes, char *what, size_t size)
{
    char why[160] = "";
    size_t count = 0;
    bool made = kind == EXPORT_COURSE ? FitCourseFile(plan, bytes, &count, why, sizeof why)
                : kind == EXPORT_GPX  ? TimedGpxFile(plan, bytes, why, sizeof why)
                                      : FitWorkoutFile(plan, bytes, &count, why, sizeof why);
    if (!made)
        snprintf(what, size, "%s", why);
    else if (kind == EXPORT_COURSE)
        snprintf(what, size, "a FIT course of %zu points, with %lld splits and %zu stations", count,
                 splitTable.rows, plan.stations->size());
    else if (kind == EXPORT_GPX)
        snprintf(what, size, "a GPX of %zu timed points and %zu stations", plan.course->points.size(),
                 plan.stations->size());
    else if (count < (size_t)splitTable.rows)
        snprintf(what, size, "a FIT workout of %zu steps: its %lld splits, those nearest in pace merged", count,
                 splitTable.rows);
    else
        snprintf(what, size, "a FIT workout of %zu steps", count);
    return made;
}

void ExportForWatch(HWND hPage, char *line, size_t size)
{
    const Course *course = ToolsCourse();
    bool withCourse = course && course->points.size() >= 2;
    const char *filter = withCourse ? "FIT course (*.fit)\0*.fit\0FIT workout (*.fit)\0*.fit\0GPX with times (*.gpx)\0*.gpx\0"
                                    : "FIT workout (*.fit)\0*.fit\0";
    const char *without = course ? " This course has no places, only heights: a course file needs a GPX."
                                 : " Without a course only the workout goes to a watch: choose one with Course ...";
    char path[MAX_PATH];
    FreshPlanName("fit", path, sizeof path);
    int index = 1;
    line[0] = '\0';
    if (!ChooseFile(hPage, true, filter, "fit", path, sizeof path, &index)) {
        if (!withCourse)
            snprintf(line, size, "%s", without + 1);
        return;
    }
    // The type chosen, or the one the name says: a ".gpx" is a GPX.
    size_t n = strlen(path);
    int kind = !withCourse ? EXPORT_WORKOUT : n > 4 && !_stricmp(path + n - 4, ".gpx") ? EXPORT_GPX : index;
    static const std::vector<Station> none;
    std::string name = WatchName();
    // The range is typed in seconds a km, and given a step in its unit.
    long double range = 5;
    Reading typed = ReadAmount(tools.range, &range);
    if (typed != READ_OK && typed != READ_ZERO)
        range = 5;
    WatchPlan plan = {&splitTable, withCourse ? course : NULL, course && tools.stations ? &course->stations : &none,
                      StartUnix(), name.c_str(), tools.splitUnit, range * UNIT_TABLE[tools.splitUnit].metres / 1000};
    std::string bytes;
    char what[200];
    const char *file = strrchr(path, '\\') ? strrchr(path, '\\') + 1 : path;
    if (!WatchFile(kind, plan, &bytes, what, sizeof what)) {
        snprintf(line, size, "%s was not written: %s.", file, what);
        return;
    }
    DWORD error = WriteWhole(path, bytes.data(), bytes.size());
    if (error) {
        char reason[160];
        SystemReason(error, reason, sizeof reason);
        snprintf(line, size, "%s was not written: %s.", file, reason);
        return;
    }
    snprintf(line, size, "Written: %s, %s.%s", file, what, withCourse ? "" : without);
}
