#include "model/settings.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/agegrade.h"
#include "model/equivalents.h"
#include "model/plan.h"
#include "model/raceday.h"
#include "model/treadmill.h"

const ToolsState TOOLS_DEFAULTS = {"",        "",      "",    {"", "", ""}, UNIT_MILE, UNIT_MILE, SOLVE_PACE,
                                   0,         "5",     UNIT_MILE, "1",    false,     HILL_EFFORT_DEFAULT,
                                   "",        "",      UNIT_KM,   false,  "1.06",    "",        0,
                                   PAGE_PLAN, true,    "",        "",     "10",      "5",       0,
                                   0,         false,   "",        "",     "1",       0,         2,
                                   0,         0,       0};

static const char header[] = "[Velto tools]";
static const int version = 1;
// The last line of a file written whole. A file that states its number of
// lines must reach it; files of earlier Veltos state none.
static const char endLine[] = "end=1";

// What a single-line entry can hold: anything but the end of a line.
static bool AnyText(const char *)
{
    return true;
}

static bool Exact(const char *text)
{
    long double value;
    Reading reading = ReadAmount(text, &value);
    return reading == READ_OK || reading == READ_ZERO;
}

static bool Percent(const char *text)
{
    long double value;
    return ReadSplitPercent(text, &value);
}

static bool Every(const char *text)
{
    long double value;
    return ReadSplitEvery(text, &value);
}

static bool Hill(const char *text)
{
    long double value;
    return ReadHillEffort(text, &value);
}

static bool Exponent(const char *text)
{
    long double value;
    return ReadExponent(text, &value);
}

static bool Age(const char *text)
{
    int value;
    return ReadAge(text, &value);
}

static bool StartTime(const char *text)
{
    long double seconds;
    return ReadStartTime(text, &seconds) == READ_OK;
}

// Minutes of a margin, seconds of a range: an amount of 0 or more.
static bool Amount(const char *text)
{
    long double value;
    Reading reading = ReadAmount(text, &value);
    return reading == READ_OK || reading == READ_ZERO;
}

static bool Incline(const char *text)
{
    long double value;
    return ReadIncline(text, &value);
}

static const char *const sexes[] = {"man", "woman"};

#define TEXT(name, field, check, plan) {name, KEY_TEXT, offsetof(ToolsState, field), sizeof(ToolsState::field), 0, 0, NULL, check, plan}
#define CHOICE(name, field, low, high, plan) {name, KEY_CHOICE, offsetof(ToolsState, field), 0, low, high, NULL, NULL, plan}
#define FLAG(name, field, plan) {name, KEY_FLAG, offsetof(ToolsState, field), 0, 0, 1, NULL, NULL, plan}

const ToolsKey TOOLS_KEYS[] = {
    CHOICE("page", page, 0, PAGES - 1, false),
    CHOICE("work-out", solve, SOLVE_TIME, SOLVE_PACE, true),
    TEXT("time", time, AnyText, true),
    TEXT("distance", distance, AnyText, true),
    CHOICE("distance-unit", distanceUnit, 0, UNITS - 1, true),
    TEXT("pace", pace, AnyText, true),
    CHOICE("pace-unit", paceKind, 0, PACE_KINDS - 1, true),
    CHOICE("split", direction, -1, 1, true),
    TEXT("percent", percent, Percent, true),
    CHOICE("split-unit", splitUnit, 0, UNITS - 1, true),
    TEXT("result-distance", resultDistance, AnyText, false),
    CHOICE("result-unit", resultUnit, 0, UNITS - 1, false),
    TEXT("result-time", resultTime, AnyText, false),
    FLAG("result-typed", resultTyped, false),
    TEXT("exponent", exponent, Exponent, false),
    TEXT("age", age, Age, false),
    {"sex", KEY_CHOICE, offsetof(ToolsState, sex), 0, 0, 1, sexes, NULL, false},
    TEXT("time-exact", held[0], Exact, true),
    TEXT("distance-exact", held[1], Exact, true),
    TEXT("pace-exact", held[2], Exact, true),
    TEXT("split-every", splitEvery, Every, true),
    FLAG("halfway", halfway, true),
    TEXT("hill-effort", hill, Hill, true),
    FLAG("stations", stations, true),
    TEXT("start-time", start, StartTime, true),
    TEXT("cut-offs", cutoffs, AnyText, true),
    TEXT("margin", margin, Amount, true),
    TEXT("watch-range", range, Amount, true),
    CHOICE("window-width", width, 0, 100000, false),
    CHOICE("window-height", height, 0, 100000, false),
    FLAG("window-maximized", maximized, false),
    TEXT("treadmill-speed", treadmill, AnyText, false),
    CHOICE("treadmill-unit", treadmillUnit, 0, 3, false),
    TEXT("incline", incline, Incline, false),
    TEXT("outdoor-pace", outdoor, AnyText, false),
    CHOICE("outdoor-unit", outdoorUnit, 0, 3, false),
    CHOICE("treadmill-works-out", treadmillSolve, 0, 1, false),
};
const int TOOLS_KEY_COUNT = sizeof TOOLS_KEYS / sizeof TOOLS_KEYS[0];

#undef TEXT
#undef CHOICE
#undef FLAG

const ToolsKey *FindToolsKey(const char *name)
{
    for (const ToolsKey &key : TOOLS_KEYS)
        if (!strcmp(key.name, name))
            return &key;
    return NULL;
}

// A text fits its field and is one line; an empty entry is as typed, and
// so is any entry that is its key's to check.
static bool TextTaken(const ToolsKey &key, const char *value)
{
    return strlen(value) < key.size && !strpbrk(value, "\r\n") && (!value[0] || key.inEffect(value));
}

bool TakeKey(const ToolsKey &key, const char *value, ToolsState *s)
{
    char *field = reinterpret_cast<char *>(s) + key.offset;
    if (key.kind == KEY_TEXT) {
        if (!TextTaken(key, value))
            return false;
        snprintf(field, key.size, "%s", value);
        return true;
    }
    long n = -1;
    if (key.words) {
        for (int k = key.low; k <= key.high; k++)
            if (!strcmp(value, key.words[k - key.low]))
                n = k;
        if (n < 0)
            return false;
    } else {
        char *end;
        n = strtol(value, &end, 10);
        if (end == value || *end != '\0' || n < key.low || n > key.high)
            return false;
    }
    if (key.kind == KEY_FLAG)
        *reinterpret_cast<bool *>(field) = n != 0;
    else
        *reinterpret_cast<int *>(field) = (int)n;
    return true;
}

bool KeyValue(const ToolsKey &key, const ToolsState &s, char *buf, size_t size)
{
    const char *field = reinterpret_cast<const char *>(&s) + key.offset;
    if (key.kind == KEY_TEXT) {
        if (!TextTaken(key, field))
            return false;
        snprintf(buf, size, "%s", field);
        return true;
    }
    int n = key.kind == KEY_FLAG ? *reinterpret_cast<const bool *>(field) : *reinterpret_cast<const int *>(field);
    if (n < key.low || n > key.high)
        return false;
    if (key.words)
        snprintf(buf, size, "%s", key.words[n - key.low]);
    else
        snprintf(buf, size, "%d", n);
    return true;
}

bool TakeToolsValue(const char *name, const char *value, ToolsState *state)
{
    const ToolsKey *key = FindToolsKey(name);
    return key && TakeKey(*key, value, state);
}

// The lines of a text, each without its end; `complete` is false for a last
// line that has no end, as in a file cut short.
struct Lines {
    const char *at;
    char line[256];
    bool fits, complete;
};

static bool NextLine(Lines *lines)
{
    if (!*lines->at)
        return false;
    size_t n = strcspn(lines->at, "\n");
    lines->complete = lines->at[n] == '\n';
    size_t text = n > 0 && lines->at[n - 1] == '\r' ? n - 1 : n;
    lines->fits = text < sizeof lines->line;
    snprintf(lines->line, sizeof lines->line, "%.*s", (int)(lines->fits ? text : 0), lines->at);
    lines->at += n + (lines->complete ? 1 : 0);
    return true;
}

SettingsFile ReadSettings(const char *text, ToolsState *state)
{
    *state = TOOLS_DEFAULTS;
    ToolsState read = TOOLS_DEFAULTS;
    bool headed = false, versioned = false, ended = false, unknownUnit[3] = {false, false, false};
    long stated = 0, count = 0;
    Lines lines = {text, "", true, true};
    while (NextLine(&lines)) {
        count++;
        ended = lines.complete && !strcmp(lines.line, endLine);
        char *line = lines.line;
        if (!lines.fits || line[0] == '\0' || line[0] == ';')
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
        const char *value = equals + 1;
        if (!strcmp(line, "version")) {
            char *end;
            long v = strtol(value, &end, 10);
            if (end == value || *end || v < 1)
                return SETTINGS_NONE;
            if (v > version)
                return SETTINGS_LATER;  // a later Velto's: its values may mean other things
            versioned = true;
        } else if (!strcmp(line, "lines")) {
            stated = strtol(value, NULL, 10);
        } else if (!TakeToolsValue(line, value, &read)) {
            unknownUnit[0] = unknownUnit[0] || !strcmp(line, "distance-unit");
            unknownUnit[1] = unknownUnit[1] || !strcmp(line, "pace-unit");
            unknownUnit[2] = unknownUnit[2] || !strcmp(line, "result-unit");
        }
    }
    if (!headed || !versioned || (stated && (count != stated || !ended)))
        return SETTINGS_NONE;  // cut short of what it states: nothing half read
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
    // The values first, to count the lines the file states.
    char body[SETTINGS_TEXT_MAX], value[80];
    size_t used = 0;
    int lines = 5;  // the header, the comment, version, lines and the end
    for (const ToolsKey &key : TOOLS_KEYS) {
        if (!KeyValue(key, s, value, sizeof value))
            continue;
        int n = snprintf(body + used, sizeof body - used, "%s=%s\r\n", key.name, value);
        if (n < 0 || (size_t)n >= sizeof body - used)
            return 0;
        used += (size_t)n;
        lines++;
    }
    int n = snprintf(text, size,
                     "%s\r\n; What Velto's runner's tools held when they were last closed.\r\nversion=%d\r\n"
                     "lines=%d\r\n%s%s\r\n",
                     header, version, lines, body, endLine);
    return n > 0 && (size_t)n < size ? (size_t)n : 0;
}
