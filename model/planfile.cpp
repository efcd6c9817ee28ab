#include "model/planfile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char versionLine[] = "Velto plan";
static const int version = 1;

// The keys of the tools' state that a plan holds.
static const char *const planKeys[] = {"work-out",   "time",      "distance", "distance-unit", "pace",
                                       "pace-unit",  "time-exact", "distance-exact", "pace-exact", "split",
                                       "percent",    "split-unit", "split-every", "halfway", "hill-effort"};

std::string WritePlanFile(const ToolsState &s, const Course *course)
{
    char line[160];
    std::string text;
    auto add = [&](const char *key, const char *value) {
        snprintf(line, sizeof line, "%s=%s\r\n", key, value);
        text += line;
    };
    snprintf(line, sizeof line, "%s %d\r\n", versionLine, version);
    text += line;
    auto number = [&](const char *key, int value) {
        char v[16];
        snprintf(v, sizeof v, "%d", value);
        add(key, v);
    };
    number("work-out", s.solve);
    add("time", s.time);
    add("distance", s.distance);
    number("distance-unit", s.distanceUnit);
    add("pace", s.pace);
    number("pace-unit", s.paceKind);
    add("time-exact", s.held[0]);
    add("distance-exact", s.held[1]);
    add("pace-exact", s.held[2]);
    number("split", s.direction);
    add("percent", s.percent);
    number("split-unit", s.splitUnit);
    add("split-every", s.splitEvery);
    number("halfway", s.halfway ? 1 : 0);
    add("hill-effort", s.hill);
    if (course) {
        add("course", course->name);
        snprintf(line, sizeof line, "course-metres=%.17Lg\r\ncourse-heights=%d\r\n", course->metres,
                 course->heights ? 1 : 0);
        text += line;
        text.reserve(text.size() + (size_t)(course->steps + 1) * 20);
        for (int j = 0; j <= course->steps; j++) {
            snprintf(line, sizeof line, "height=%.9g\r\n", course->height[j]);
            text += line;
        }
    }
    return text;
}

static bool PlanKey(const char *key)
{
    for (const char *k : planKeys)
        if (!strcmp(key, k))
            return true;
    return false;
}

bool ReadPlanFile(const char *text, size_t length, ToolsState *state, Course *course, bool *withCourse, char *why,
                  size_t size)
{
    ToolsState read = *state;
    static Course profile;  // read aside: what was open stays until all is read
    bool hasCourse = false, hasMetres = false;
    int heights = 0;
    long long number = 0;
    char line[256];
    for (size_t at = 0; at < length || number == 0;) {
        size_t end = at;
        while (end < length && text[end] != '\n')
            end++;
        size_t n = end - at;
        if (n > 0 && text[end - 1] == '\r')
            n--;
        number++;
        if (n >= sizeof line) {
            snprintf(why, size, "line %lld is longer than any of a plan", number);
            return false;
        }
        memcpy(line, text + at, n);
        line[n] = '\0';
        at = end + 1;
        if (number == 1) {
            // A UTF-8 mark may lead the file.
            const char *head = !strncmp(line, "\xEF\xBB\xBF", 3) ? line + 3 : line;
            size_t prefix = strlen(versionLine);
            char *stop = nullptr;
            long v = !strncmp(head, versionLine, prefix) && head[prefix] == ' ' ? strtol(head + prefix + 1, &stop, 10) : 0;
            if (!stop || *stop != '\0' || v < 1) {
                snprintf(why, size, "%s", "not a Velto plan");
                return false;
            }
            if (v > version) {
                snprintf(why, size, "a plan of a later Velto (version %ld)", v);
                return false;
            }
            if (at >= length)
                break;
            continue;
        }
        if (n == 0) {
            if (at >= length)
                break;
            continue;
        }
        char *equals = strchr(line, '=');
        if (!equals) {
            snprintf(why, size, "line %lld is damaged: no key and value", number);
            return false;
        }
        *equals = '\0';
        const char *key = line, *value = equals + 1;
        bool taken = true;
        if (PlanKey(key)) {
            taken = TakeToolsValue(key, value, &read);
        } else if (!strcmp(key, "course")) {
            snprintf(profile.name, sizeof profile.name, "%s", value);
            hasCourse = true;
        } else if (!strcmp(key, "course-metres")) {
            char *stop;
            profile.metres = strtold(value, &stop);
            taken = hasMetres = *stop == '\0' && profile.metres > 0 && std::isfinite(profile.metres);
        } else if (!strcmp(key, "course-heights")) {
            taken = !strcmp(value, "0") || !strcmp(value, "1");
            profile.heights = !strcmp(value, "1");
        } else if (!strcmp(key, "height")) {
            char *stop;
            double h = strtod(value, &stop);
            taken = *stop == '\0' && std::isfinite(h) && fabs(h) < 12000 && heights < PROFILE_MAX;
            if (taken)
                profile.height[heights++] = h;
        } else {
            taken = false;
        }
        if (!taken) {
            snprintf(why, size, "line %lld is damaged: %.40s=%.40s", number, key, value);
            return false;
        }
    }
    if (hasCourse && (!hasMetres || heights < 2)) {
        snprintf(why, size, "%s", "the course's profile is cut short");
        return false;
    }
    *state = read;
    *withCourse = hasCourse;
    if (hasCourse) {
        profile.steps = heights - 1;
        ProfileFigures(&profile);
        *course = profile;
    }
    return true;
}
