#include "model/settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/equivalents.h"
#include "model/plan.h"

const ToolsState TOOLS_DEFAULTS = {"",        "",      "",    {"", "", ""}, UNIT_MILE, UNIT_MILE, SOLVE_PACE,
                                   0,         "5",     UNIT_MILE, "1",    false,     HILL_EFFORT_DEFAULT,
                                   "",        "",      UNIT_KM,   false,  "1.06",    "",        0,
                                   PAGE_PLAN, 0,       0};

static const char header[] = "[Velto tools]";
static const int version = 1;

// The value of a key as it stands; every byte printable, for a text box.
static bool Printable(const char *value)
{
    for (const char *c = value; *c; c++)
        if ((unsigned char)*c < 0x20 || (unsigned char)*c > 0x7E)
            return false;
    return true;
}

static bool Text(const char *value, char *to, size_t size)
{
    if (strlen(value) >= size || !Printable(value))
        return false;
    snprintf(to, size, "%s", value);
    return true;
}

static bool Whole(const char *value, int low, int high, int *to)
{
    char *end;
    long n = strtol(value, &end, 10);
    if (end == value || *end != '\0' || n < low || n > high)
        return false;
    *to = (int)n;
    return true;
}

// An amount typed into an entry, kept as typed when it reads within its range.
static bool Amount(const char *value, long double low, long double high, bool whole, char *to, size_t size)
{
    long double n = 0;
    Reading reading = ReadAmount(value, &n);
    if (reading == READ_EMPTY)
        return Text(value, to, size);  // empty is as typed too
    if (reading == READ_BAD || n < low || n > high || (whole && n != floorl(n)))
        return false;
    return Text(value, to, size);
}

static const char *const heldKeys[3] = {"time-exact", "distance-exact", "pace-exact"};

bool TakeToolsValue(const char *key, const char *value, ToolsState *s)
{
    for (int k = 0; k < 3; k++)
        if (!strcmp(key, heldKeys[k]))
            return Amount(value, 0, HUGE_VALL, false, s->held[k], sizeof s->held[k]);
    if (!strcmp(key, "page"))
        return Whole(value, 0, PAGES - 1, &s->page);
    if (!strcmp(key, "distance-unit"))
        return Whole(value, 0, UNITS - 1, &s->distanceUnit);
    if (!strcmp(key, "pace-unit"))
        return Whole(value, 0, PACE_KINDS - 1, &s->paceKind);
    if (!strcmp(key, "result-unit"))
        return Whole(value, 0, UNITS - 1, &s->resultUnit);
    if (!strcmp(key, "work-out"))
        return Whole(value, SOLVE_TIME, SOLVE_PACE, &s->solve);
    if (!strcmp(key, "time"))
        return Text(value, s->time, sizeof s->time);
    if (!strcmp(key, "distance"))
        return Text(value, s->distance, sizeof s->distance);
    if (!strcmp(key, "pace"))
        return Text(value, s->pace, sizeof s->pace);
    if (!strcmp(key, "split"))
        return Whole(value, -1, 1, &s->direction);
    if (!strcmp(key, "percent"))
        return Amount(value, 0, 20, false, s->percent, sizeof s->percent);
    if (!strcmp(key, "split-unit"))
        return Whole(value, 0, UNITS - 1, &s->splitUnit);
    if (!strcmp(key, "result-distance"))
        return Text(value, s->resultDistance, sizeof s->resultDistance);
    if (!strcmp(key, "result-time"))
        return Text(value, s->resultTime, sizeof s->resultTime);
    if (!strcmp(key, "result-typed") || !strcmp(key, "halfway")) {
        int flag;
        if (!Whole(value, 0, 1, &flag))
            return false;
        (key[0] == 'h' ? s->halfway : s->resultTyped) = flag != 0;
        return true;
    }
    if (!strcmp(key, "split-every"))
        return Amount(value, 0, 1e6L, false, s->splitEvery, sizeof s->splitEvery);
    if (!strcmp(key, "hill-effort"))
        return Amount(value, 0, 100, false, s->hill, sizeof s->hill);
    if (!strcmp(key, "exponent"))
        return Amount(value, RIEGEL_K_MIN, RIEGEL_K_MAX, false, s->exponent, sizeof s->exponent);
    if (!strcmp(key, "age"))
        return Amount(value, 5, 100, true, s->age, sizeof s->age);
    if (!strcmp(key, "sex")) {
        if (strcmp(value, "woman") != 0 && strcmp(value, "man") != 0)
            return false;
        s->sex = !strcmp(value, "woman");
        return true;
    }
    return false;
}

SettingsFile ReadSettings(const char *text, ToolsState *state)
{
    *state = TOOLS_DEFAULTS;
    ToolsState read = TOOLS_DEFAULTS;
    bool headed = false, versioned = false, unknownUnit[3] = {false, false, false};
    char line[256];
    for (const char *p = text; *p;) {
        size_t n = strcspn(p, "\r\n");
        bool fits = n < sizeof line;
        snprintf(line, sizeof line, "%.*s", (int)(fits ? n : 0), p);
        p += n;
        p += strspn(p, "\r\n");
        if (!fits || line[0] == '\0' || line[0] == ';')
            continue;  // a line longer than any value is nobody's
        if (!headed) {
            if (strcmp(line, header) != 0)
                return SETTINGS_NONE;  // not ours
            headed = true;
            continue;
        }
        char *equals = strchr(line, '=');
        if (!equals)
            continue;
        *equals = '\0';
        if (!strcmp(line, "version")) {
            int v;
            if (!Whole(equals + 1, 1, 1000000, &v))
                return SETTINGS_NONE;
            if (v > version)
                return SETTINGS_LATER;  // a later Velto's: its values may mean other things
            versioned = true;
        } else if (!TakeToolsValue(line, equals + 1, &read)) {
            unknownUnit[0] = unknownUnit[0] || !strcmp(line, "distance-unit");
            unknownUnit[1] = unknownUnit[1] || !strcmp(line, "pace-unit");
            unknownUnit[2] = unknownUnit[2] || !strcmp(line, "result-unit");
        }
    }
    if (!headed || !versioned)
        return SETTINGS_NONE;
    // A number in a unit not known is no number: 42.195 of an unknown unit is
    // not 42.195 miles.
    if (unknownUnit[0])
        read.distance[0] = read.held[SOLVE_DISTANCE][0] = '\0';
    if (unknownUnit[1])
        read.pace[0] = read.held[SOLVE_PACE][0] = '\0';
    if (unknownUnit[2])
        read.resultDistance[0] = '\0';
    *state = read;
    return SETTINGS_OURS;
}

size_t WriteSettings(const ToolsState &s, char *text, size_t size)
{
    int n = snprintf(text, size,
                     "%s\r\n; What Velto's runner's tools held when they were last closed.\r\nversion=%d\r\npage=%d\r\n"
                     "work-out=%d\r\ntime=%s\r\ndistance=%s\r\ndistance-unit=%d\r\npace=%s\r\npace-unit=%d\r\n"
                     "split=%d\r\npercent=%s\r\nsplit-unit=%d\r\nresult-distance=%s\r\nresult-unit=%d\r\n"
                     "result-time=%s\r\nresult-typed=%d\r\nexponent=%s\r\nage=%s\r\nsex=%s\r\n"
                     "time-exact=%s\r\ndistance-exact=%s\r\npace-exact=%s\r\nsplit-every=%s\r\nhalfway=%d\r\n"
                     "hill-effort=%s\r\n",
                     header, version, s.page, s.solve, s.time, s.distance, s.distanceUnit, s.pace, s.paceKind,
                     s.direction, s.percent, s.splitUnit, s.resultDistance, s.resultUnit, s.resultTime,
                     s.resultTyped ? 1 : 0, s.exponent, s.age, s.sex == 1 ? "woman" : "man", s.held[0], s.held[1],
                     s.held[2], s.splitEvery, s.halfway ? 1 : 0, s.hill);
    return n > 0 && (size_t)n < size ? (size_t)n : 0;
}
