#include "model/planfile.h"

#include "model/raceday.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char versionLine[] = "Velto plan";
static const int version = 2;
static const char endLine[] = "end=plan";

static void Add(std::string *text, const char *key, const char *value)
{
    *text += key;
    *text += '=';
    *text += value;
    *text += "\r\n";
}

static void WriteCourse(const Course &c, std::string *text)
{
    char value[64];
    Add(text, "course", c.name);
    snprintf(value, sizeof value, "%.17Lg", c.metres);
    Add(text, "course-metres", value);
    Add(text, "course-heights", c.heights ? "1" : "0");
    if (c.fileStart != 0) {
        snprintf(value, sizeof value, "%.17Lg", c.fileStart);
        Add(text, "course-start", value);
    }
    if (c.waypoints > 0) {
        snprintf(value, sizeof value, "%lld", c.waypoints);
        Add(text, "course-waypoints", value);
    }
    snprintf(value, sizeof value, "%d", c.steps + 1);
    Add(text, "height-count", value);
    text->reserve(text->size() + (size_t)(c.steps + 1) * 20);
    for (double height : c.height) {
        snprintf(value, sizeof value, "%.9g", height);
        Add(text, "height", value);
    }
    // Where the course goes, for a watch, and its stations.
    std::vector<long double> stations(c.stations.size());
    std::transform(c.stations.begin(), c.stations.end(), stations.begin(), [](const Station &s) { return s.metres; });
    for (size_t k : ThinPoints(c, stations, RECORDS_MAX)) {
        snprintf(value, sizeof value, "%.9f,%.9f,%.3f", c.points[k].lat, c.points[k].lon, c.points[k].metres);
        Add(text, "point", value);
    }
    for (const Station &s : c.stations) {
        char station[128];
        snprintf(station, sizeof station, "%.3Lf,%.9f,%.9f,%s", s.metres, s.lat, s.lon, s.name);
        Add(text, "station", station);
    }
    if (c.placing.unnamed || c.placing.distant || c.placing.shared) {
        snprintf(value, sizeof value, "%lld,%lld,%lld", c.placing.unnamed, c.placing.distant, c.placing.shared);
        Add(text, "waypoints-left-out", value);
    }
}

std::string WritePlanFile(const ToolsState &s, const Course *course)
{
    char value[80];
    snprintf(value, sizeof value, "%s %d\r\n", versionLine, version);
    std::string text = value;
    for (int k = 0; k < TOOLS_KEY_COUNT; k++)
        if (TOOLS_KEYS[k].plan && KeyValue(TOOLS_KEYS[k], s, value, sizeof value))
            Add(&text, TOOLS_KEYS[k].name, value);
    if (course)
        WriteCourse(*course, &text);
    text += endLine;
    text += "\r\n";
    return text;
}

// What a plan file has said so far: read aside, so that what was open
// stays until all of it is read.
struct PlanReading {
    ToolsState state;
    int version;
    bool course, metres, ended;
    char name[64];
    long double length, start;
    long long waypoints;
    bool heightsFlag;
    long stated;  // heights, or -1 where the file does not say
    std::vector<double> heights;
    std::vector<CoursePoint> points;
    std::vector<Station> stations;
    Placing placing;
};

// The first line: "Velto plan N", after a UTF-8 mark if one leads.
static bool VersionLine(const char *line, int *v, char *why, size_t size)
{
    const char *head = !strncmp(line, "\xEF\xBB\xBF", 3) ? line + 3 : line;
    size_t prefix = strlen(versionLine);
    char *stop = nullptr;
    long n = !strncmp(head, versionLine, prefix) && head[prefix] == ' ' ? strtol(head + prefix + 1, &stop, 10) : 0;
    if (!stop || *stop != '\0' || n < 1) {
        snprintf(why, size, "%s", "not a Velto plan");
        return false;
    }
    if (n > version) {
        snprintf(why, size, "a plan of a later Velto (version %ld)", n);
        return false;
    }
    *v = (int)n;
    return true;
}

static bool Number(const char *value, long double *n)
{
    char *stop;
    *n = strtold(value, &stop);
    return stop != value && *stop == '\0' && std::isfinite(*n);
}

// Numbers parted by commas, as many as asked; the rest after them.
static bool Numbers(const char *value, long double *numbers, int count, const char **rest)
{
    for (int k = 0; k < count; k++) {
        char *stop;
        numbers[k] = strtold(value, &stop);
        if (stop == value || !std::isfinite(numbers[k]) || (*stop != ',' && (k + 1 < count || *stop)))
            return false;
        value = *stop ? stop + 1 : stop;
    }
    *rest = value;
    return true;
}

static bool OnEarth(long double lat, long double lon)
{
    return lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180;
}

// "point=lat,lon,metres", in order along the way.
static bool Point(PlanReading *r, const char *value)
{
    long double n[3];
    const char *rest;
    if (!Numbers(value, n, 3, &rest) || *rest || !OnEarth(n[0], n[1]) || n[2] < 0 ||
        (!r->points.empty() && n[2] < r->points.back().metres) || r->points.size() >= 4 * RECORDS_MAX)
        return false;
    r->points.push_back({(double)n[0], (double)n[1], (double)n[2]});
    return true;
}

// "station=metres,lat,lon,name".
static bool StationLine(PlanReading *r, const char *value)
{
    long double n[3];
    const char *name;
    if (!Numbers(value, n, 3, &name) || !*name || !OnEarth(n[1], n[2]) || n[0] < 0 || r->stations.size() >= 10000)
        return false;
    Station s;
    snprintf(s.name, sizeof s.name, "%s", name);
    s.metres = n[0];
    s.lat = (double)n[1];
    s.lon = (double)n[2];
    r->stations.push_back(s);
    return true;
}

// "waypoints-left-out=unnamed,distant,shared": whole counts.
static bool Counts(const char *value, Placing *placing)
{
    long double n[3];
    const char *rest;
    if (!Numbers(value, n, 3, &rest) || *rest)
        return false;
    for (long double x : n)
        if (x < 0 || x > 1e9 || x != floorl(x))
            return false;
    placing->unnamed = (long long)n[0];
    placing->distant = (long long)n[1];
    placing->shared = (long long)n[2];
    return true;
}

// One key and its value; false for one the file cannot hold.
static bool TakeLine(PlanReading *r, const char *key, const char *value)
{
    const ToolsKey *tools = FindToolsKey(key);
    long double n;
    if (tools && tools->plan)
        return TakeKey(*tools, value, &r->state);
    if (!strcmp(key, "course")) {
        snprintf(r->name, sizeof r->name, "%s", value);
        return r->course = true;
    }
    if (!strcmp(key, "course-metres")) {
        r->metres = Number(value, &r->length);
        return r->metres;
    }
    if (!strcmp(key, "course-heights")) {
        r->heightsFlag = !strcmp(value, "1");
        return !strcmp(value, "0") || !strcmp(value, "1");
    }
    if (!strcmp(key, "course-start"))
        return Number(value, &r->start);
    if (!strcmp(key, "course-waypoints")) {
        bool taken = Number(value, &n) && n >= 0 && n <= 1e15L && n == floorl(n);
        r->waypoints = taken ? (long long)n : 0;
        return taken;
    }
    if (!strcmp(key, "height-count")) {
        bool taken = Number(value, &n) && n >= 2 && n <= PROFILE_MAX && n == floorl(n) && r->stated < 0;
        r->stated = taken ? (long)n : r->stated;
        return taken;
    }
    if (!strcmp(key, "height")) {
        bool taken = Number(value, &n) && fabsl(n) < HEIGHT_LIMIT && r->heights.size() < (size_t)PROFILE_MAX;
        if (taken)
            r->heights.push_back((double)n);
        return taken;
    }
    if (!strcmp(key, "point"))
        return Point(r, value);
    if (!strcmp(key, "station"))
        return StationLine(r, value);
    if (!strcmp(key, "waypoints-left-out"))
        return Counts(value, &r->placing);
    if (!strcmp(key, "end") && r->version >= 2)
        return r->ended = !strcmp(value, "plan");
    return false;
}

// The file's lines, one at a time: false at the end, or for a line that
// will not fit (then `why` says so).
static bool ReadLines(const char *text, size_t length, PlanReading *r, char *why, size_t size)
{
    char line[256];
    long long number = 0, complete = 0;
    for (size_t at = 0; at < length || number == 0;) {
        size_t end = at;
        while (end < length && text[end] != '\n')
            end++;
        size_t n = end - at;
        if (n > 0 && text[end - 1] == '\r')
            n--;
        number++;
        if (end < length)
            complete = number;
        if (n >= sizeof line) {
            snprintf(why, size, "line %lld is longer than any of a plan", number);
            return false;
        }
        memcpy(line, text + at, n);
        line[n] = '\0';
        at = end + 1;
        if (number == 1) {
            if (!VersionLine(line, &r->version, why, size))
                return false;
        } else if (r->version >= 2 && end >= length && strcmp(line, endLine) != 0) {
            break;  // a last line without its end: cut off in the middle of it
        } else if (n > 0) {
            char *equals = strchr(line, '=');
            if (!equals || r->ended) {
                snprintf(why, size, "line %lld is damaged: %s", number, r->ended ? "after the end" : "no key and value");
                return false;
            }
            *equals = '\0';
            if (!TakeLine(r, line, equals + 1)) {
                snprintf(why, size, "line %lld is damaged: %.40s=%.40s", number, line, equals + 1);
                return false;
            }
        }
        if (at >= length)
            break;
    }
    if (r->version >= 2 && !r->ended) {
        snprintf(why, size, "cut off after line %lld", complete);
        return false;
    }
    if (r->version >= 2 && r->course && r->stated != (long)r->heights.size()) {
        snprintf(why, size, "the course's profile has %zu heights, not the %ld it states", r->heights.size(), r->stated);
        return false;
    }
    return true;
}

bool ReadPlanFile(const char *text, size_t length, ToolsState *state, Course *course, bool *withCourse, char *why,
                  size_t size)
{
    PlanReading r;
    r.state = *state;
    r.version = 0;
    r.course = r.metres = r.ended = false;
    r.name[0] = '\0';
    r.length = r.start = 0;
    r.waypoints = 0;
    r.heightsFlag = true;  // the heights are there; a flat course says so
    r.stated = -1;
    r.placing = {0, 0, 0};
    if (!ReadLines(text, length, &r, why, size))
        return false;
    if (r.course && (!r.metres || r.heights.size() < 2)) {
        snprintf(why, size, "%s", "the course's profile is cut short");
        return false;
    }
    bool pointsFit = r.points.empty() || (r.points.size() >= 2 && r.points.back().metres <= r.length * (1 + 1e-9L) + 1);
    bool stationsFit = std::all_of(r.stations.begin(), r.stations.end(),
                                   [&](const Station &s) { return s.metres <= r.length + 1; });
    if (r.course && (!pointsFit || !stationsFit)) {
        snprintf(why, size, "%s", "the course's points or stations lie beyond its length");
        return false;
    }
    if (r.course) {
        Course read;
        if (!SetProfile(&read, r.length, r.heights, r.heightsFlag, why, size))
            return false;
        snprintf(read.name, sizeof read.name, "%s", r.name);
        read.fileStart = r.start;
        read.waypoints = r.waypoints;
        read.points = r.points;
        read.stations = r.stations;
        read.placing = r.placing;
        *course = read;
    }
    *state = r.state;
    *withCourse = r.course;
    return true;
}
