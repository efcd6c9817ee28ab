#include "model/raceday.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <queue>

// ------------------------------------------------------------- stations

// A stretch of the course that passes within reach of a place, and its
// nearest distance to it.
struct Pass {
    long double metres, away;
};

// The passes of the course by a place: for each stretch within reach, its
// point nearest the place. Distances in a plane around the place, which
// within 100 m is as good as the ellipsoid.
static std::vector<Pass> Passes(const Course &c, double lat, double lon)
{
    const long double PI = 3.141592653589793238462643383279502884L, R = 6371008.8L;
    long double perLat = R * PI / 180, perLon = perLat * cosl(lat * PI / 180);
    long double reachLat = STATION_REACH / perLat * 2, reachLon = perLon > 1 ? STATION_REACH / perLon * 2 : 360;
    std::vector<Pass> passes;
    bool inside = false;
    const CoursePoint *p = c.points.data();
    for (size_t k = 0; k + 1 < c.points.size(); k++) {
        const CoursePoint &a = p[k], &b = p[k + 1];
        bool inReach = fabsl(a.lat - lat) < reachLat + fabsl(b.lat - a.lat) && fabsl(a.lon - lon) < reachLon + fabsl(b.lon - a.lon);
        long double away = STATION_REACH + 1, t = 0;
        if (inReach) {
            long double ax = (a.lon - lon) * perLon, ay = (a.lat - lat) * perLat;
            long double dx = (b.lon - a.lon) * perLon, dy = (b.lat - a.lat) * perLat, length = dx * dx + dy * dy;
            t = length > 0 ? -(ax * dx + ay * dy) / length : 0;
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            away = hypotl(ax + t * dx, ay + t * dy);
        }
        if (away <= STATION_REACH) {
            long double metres = a.metres + t * (b.metres - a.metres);
            if (!inside)
                passes.push_back({metres, away});
            else if (away < passes.back().away)
                passes.back() = {metres, away};
        }
        inside = away <= STATION_REACH;
    }
    return passes;
}

Placing PlaceStations(const Course &course, const std::vector<Waypoint> &waypoints, std::vector<Station> *stations)
{
    Placing placing = {0, 0, 0};
    stations->clear();
    long double after = 0;  // where the station before is
    for (const Waypoint &w : waypoints) {
        if (!w.name[0]) {
            placing.unnamed++;
            continue;
        }
        std::vector<Pass> passes = Passes(course, w.lat, w.lon);
        if (passes.empty()) {
            placing.distant++;
            continue;
        }
        // The first pass from the station before on, else the nearest of all.
        auto later = std::find_if(passes.begin(), passes.end(), [&](const Pass &pass) { return pass.metres >= after; });
        const Pass *at = later != passes.end() ? &*later : NULL;
        if (!at)
            at = &*std::min_element(passes.begin(), passes.end(),
                                    [](const Pass &x, const Pass &y) { return x.away < y.away; });
        bool shared = std::any_of(stations->begin(), stations->end(),
                                  [&](const Station &s) { return fabsl(s.metres - at->metres) < 1; });
        placing.shared += shared ? 1 : 0;
        Station station;
        snprintf(station.name, sizeof station.name, "%s", w.name);
        station.metres = at->metres;
        station.lat = w.lat;
        station.lon = w.lon;
        stations->push_back(station);
        after = at->metres;
    }
    std::stable_sort(stations->begin(), stations->end(),
                     [](const Station &x, const Station &y) { return x.metres < y.metres; });
    return placing;
}

// ---------------------------------------------------- start and cut-offs

// A field of digits, `digits` long at most; false without one.
static bool Digits(const char **text, int most, long double *value)
{
    const char *c = *text;
    long double n = 0;
    int count = 0;
    for (; *c >= '0' && *c <= '9' && count < most; c++, count++)
        n = n * 10 + (*c - '0');
    if (count == 0)
        return false;
    *text = c;
    *value = n;
    return true;
}

// "h:mm" or "h:mm:ss" of a day, the seconds with decimals: false for anything else.
static bool DayClock(const char *text, long double *seconds)
{
    long double hours, minutes, secs = 0;
    if (!Digits(&text, 2, &hours) || *text++ != ':' || !Digits(&text, 2, &minutes) || minutes >= 60)
        return false;
    if (*text == ':') {
        text++;
        if (!Digits(&text, 2, &secs) || secs >= 60)
            return false;
        if (*text == '.' || *text == ',') {
            int places = 0;
            for (text++; *text >= '0' && *text <= '9'; text++)
                secs += (*text - '0') * powl(10, -++places);
        }
    }
    if (*text != '\0' || hours >= 24)
        return false;
    *seconds = hours * 3600 + minutes * 60 + secs;
    return true;
}

Reading ReadStartTime(const char *text, long double *seconds)
{
    char token[32];
    while (*text == ' ')
        text++;
    size_t n = strlen(text);
    while (n > 0 && text[n - 1] == ' ')
        n--;
    if (n == 0)
        return READ_EMPTY;
    if (n >= sizeof token)
        return READ_BAD;
    snprintf(token, sizeof token, "%.*s", (int)n, text);
    return DayClock(token, seconds) ? READ_OK : READ_BAD;
}

// The blank-parted words of a text, at most `most`.
static int Words(const char *text, char words[][32], int most)
{
    int count = 0;
    while (*text) {
        while (*text == ' ' || *text == '\t')
            text++;
        size_t n = strcspn(text, " \t");
        if (n == 0)
            break;
        if (count == most || n >= 32)
            return most + 1;  // more than a cut-off has
        snprintf(words[count++], 32, "%.*s", (int)n, text);
        text += n;
    }
    return count;
}

// A cut-off's time from its words: elapsed, or a time of day (with "+1" for
// the next day) when there is a start; the seconds from the start.
static bool CutoffTime(char words[][32], int count, const long double *start, long double *seconds)
{
    if (!start)
        return count == 1 && ReadClock(words[0], seconds) == READ_OK;
    long double day = 0, of;
    if (count == 2) {
        const char *d = words[0];
        if (*d++ != '+' || !Digits(&d, 2, &day) || *d)
            return false;
    } else if (count != 1) {
        return false;
    }
    if (!DayClock(words[count - 1], &of))
        return false;
    *seconds = day * 86400 + of - *start;
    if (count == 1 && *seconds <= 0)
        *seconds += 86400;  // a time of day before the start is the next day's
    return *seconds > 0;
}

// "50 km 8:00:00": the distance in metres of the unit named or `unit`.
static bool OneCutoff(const char *text, int unit, const long double *start, Cutoff *cutoff)
{
    char words[5][32];
    int count = Words(text, words, 4);
    if (count < 2 || count > 4)
        return false;
    long double amount;
    if (ReadAmount(words[0], &amount) != READ_OK)
        return false;
    static const struct {
        const char *word;
        long double metres;
    } units[] = {{"km", 1000}, {"k", 1000}, {"mi", 1609.344L}, {"mile", 1609.344L}, {"miles", 1609.344L}, {"m", 1}};
    long double metres = UNIT_TABLE[unit].metres;
    int first = 1;
    for (const auto &u : units)
        if (!strcmp(words[1], u.word)) {
            metres = u.metres;
            first = 2;
        }
    cutoff->metres = amount * metres;
    return count > first && CutoffTime(words + first, count - first, start, &cutoff->seconds);
}

bool ReadCutoffs(const char *text, int unit, const long double *start, std::vector<Cutoff> *cutoffs, char *why,
                 size_t size)
{
    cutoffs->clear();
    int number = 0;
    for (const char *at = text; *at;) {
        size_t n = strcspn(at, ";\r\n");
        char item[96];
        snprintf(item, sizeof item, "%.*s", (int)(n < sizeof item - 1 ? n : sizeof item - 1), at);
        at += n + (at[n] ? 1 : 0);
        if (strspn(item, " \t") == strlen(item))
            continue;
        number++;
        Cutoff cutoff;
        if (n >= sizeof item || !OneCutoff(item, unit, start, &cutoff)) {
            snprintf(why, size, "cut-off %d is not a distance and a %s, as %s", number,
                     start ? "time of day" : "time", start ? "50 km 13:00" : "50 km 8:00:00");
            return false;
        }
        cutoffs->push_back(cutoff);
    }
    std::stable_sort(cutoffs->begin(), cutoffs->end(), [](const Cutoff &x, const Cutoff &y) { return x.metres < y.metres; });
    for (size_t k = 1; k < cutoffs->size(); k++)
        if (!((*cutoffs)[k].seconds > (*cutoffs)[k - 1].seconds)) {
            char later[CLOCK_TEXT_SIZE], earlier[CLOCK_TEXT_SIZE];
            FormatClock((*cutoffs)[k].seconds, 0, later, sizeof later);
            FormatClock((*cutoffs)[k - 1].seconds, 0, earlier, sizeof earlier);
            snprintf(why, size, "the cut-offs are out of order: %s from the start at %.6Lg km, %s at %.6Lg km", later,
                     (*cutoffs)[k].metres / 1000, earlier, (*cutoffs)[k - 1].metres / 1000);
            return false;
        }
    return true;
}

bool StationCutoff(const char *name, const long double *start, long double *seconds)
{
    char lower[48];
    size_t n = 0;
    for (; name[n] && n + 1 < sizeof lower; n++)
        lower[n] = (char)(name[n] >= 'A' && name[n] <= 'Z' ? name[n] - 'A' + 'a' : name[n]);
    lower[n] = '\0';
    const char *at = NULL;
    for (const char *word : {"cut-off", "cutoff", "cut off"})
        if (!at && (at = strstr(lower, word)) != NULL)
            at += strlen(word);
    if (!at)
        return false;
    at += strspn(at, " :@");
    if (!strncmp(at, "at ", 3))
        at += 3;
    char text[40];
    snprintf(text, sizeof text, "%.*s", (int)strcspn(at, ")]"), at);
    char words[3][32];
    int count = Words(text, words, 2);
    return count >= 1 && count <= 2 && CutoffTime(words, count, start, seconds);
}

void FormatTimeOfDay(long double seconds, char *buf, size_t size)
{
    if (!std::isfinite(seconds) || seconds < 0 || seconds > 86400.0L * 1e6L) {
        snprintf(buf, size, "%s", "");
        return;
    }
    long long minutes = (long long)roundl(seconds / 60);
    long long day = minutes / 1440;
    int hh = (int)(minutes % 1440 / 60), mm = (int)(minutes % 60);
    if (day > 0)
        snprintf(buf, size, "+%lld %02d:%02d", day, hh, mm);
    else
        snprintf(buf, size, "%02d:%02d", hh, mm);
}

// ------------------------------------------------------ the race's table

void PlanRaceDay(const SplitTable &table, const std::vector<Mark> &marks, const std::vector<Cutoff> &cutoffs,
                 const long double *start, long double margin, RaceDay *day)
{
    day->table = &table;
    day->marks = marks;
    day->clock = start != NULL;
    day->start = start ? *start : 0;
    day->margin = margin;
    day->firstLate = -1;
    day->stations = !marks.empty();
    day->cutoffs = !cutoffs.empty() || std::any_of(marks.begin(), marks.end(), [](const Mark &m) { return m.cutoff >= 0; });
    day->source.clear();
    day->cutoff.clear();
    if (!day->stations && cutoffs.empty())
        return;  // the split rows alone, as they are
    // Cut-offs where a split ends go to that split; the others are rows.
    std::vector<long double> ends((size_t)table.rows);
    for (long long k = 0; k < table.rows; k++) {
        long double from;
        SplitRowSpan(table, k, &from, &ends[(size_t)k]);
    }
    // Within a metre, or as near as the plan's distance is known.
    long double near = table.slack > 1 ? (table.slack < 50 ? table.slack : 50) : 1;
    std::vector<long double> splitCutoff(ends.size(), -1);
    for (const Cutoff &c : cutoffs) {
        auto at = std::lower_bound(ends.begin(), ends.end(), c.metres - near);
        auto station = std::find_if(day->marks.begin(), day->marks.end(),
                                    [&](const Mark &m) { return fabsl(m.metres - c.metres) <= near; });
        if (at != ends.end() && fabsl(*at - c.metres) <= near)
            splitCutoff[(size_t)(at - ends.begin())] = c.seconds;
        else if (station != day->marks.end())
            station->cutoff = c.seconds;  // the station's own cut-off, typed
        else
            day->marks.push_back({c.metres, "Cut-off", c.seconds});
    }
    std::stable_sort(day->marks.begin(), day->marks.end(), [](const Mark &x, const Mark &y) { return x.metres < y.metres; });
    size_t m = 0;
    for (long long k = 0; k < table.rows; k++) {
        for (; m < day->marks.size() && day->marks[m].metres < ends[(size_t)k]; m++) {
            day->source.push_back(-1 - (long long)m);
            day->cutoff.push_back(day->marks[m].cutoff);
        }
        day->source.push_back(k);
        day->cutoff.push_back(splitCutoff[(size_t)k]);
    }
    for (; m < day->marks.size(); m++) {  // at the finish, after its row
        day->source.push_back(-1 - (long long)m);
        day->cutoff.push_back(day->marks[m].cutoff);
    }
    for (size_t row = 0; row < day->source.size() && day->firstLate < 0; row++)
        if (day->cutoff[row] >= 0 && SecondsAt(table, RaceRowEnd(*day, (long long)row)) > day->cutoff[row] - margin)
            day->firstLate = (long long)row;
}

long double RaceRowEnd(const RaceDay &day, long long row)
{
    long long source = day.source.empty() ? row : day.source[(size_t)row];
    if (source < 0)
        return day.marks[(size_t)(-1 - source)].metres;
    long double from, to;
    SplitRowSpan(*day.table, source, &from, &to);
    return to;
}

void RaceRowTexts(const RaceDay &day, long long row, RaceTexts *t, bool hours)
{
    const SplitTable &table = *day.table;
    long long source = day.source.empty() ? row : day.source[(size_t)row];
    long double at;
    t->station[0] = t->clock[0] = t->cutoff[0] = '\0';
    t->late = false;
    if (source >= 0) {
        SplitRowTexts(table, source, &t->split, hours);
        at = SecondsAt(table, RaceRowEnd(day, row));
    } else {
        const Mark &mark = day.marks[(size_t)(-1 - source)];
        memset(&t->split, 0, sizeof t->split);
        snprintf(t->split.unit, sizeof t->split.unit, "%.2f", (double)(mark.metres / table.unitMetres));
        snprintf(t->station, sizeof t->station, "%s", mark.name);
        at = mark.metres >= table.metres ? table.seconds : SecondsAt(table, mark.metres);
        (hours ? FormatClockHours : FormatClock)(at, 1, t->split.at, sizeof t->split.at);
    }
    if (source >= 0 && RaceRowEnd(day, row) >= table.metres)
        at = table.seconds;
    if (day.clock)
        FormatTimeOfDay(day.start + at, t->clock, sizeof t->clock);
    long double cutoff = day.cutoff.empty() ? -1 : day.cutoff[(size_t)row];
    if (cutoff < 0)
        return;
    char when[CLOCK_TEXT_SIZE];
    if (day.clock)
        FormatTimeOfDay(day.start + cutoff, when, sizeof when);
    else
        FormatClock(cutoff, 0, when, sizeof when);
    // Late to the minute begun, time to spare to the minute whole; under a
    // minute, to the second.
    long double spare = cutoff - at;
    t->late = spare < day.margin;
    char by[32];
    if (fabsl(spare) < 60)
        snprintf(by, sizeof by, "%.0f s", (double)(spare < 0 ? ceill(-spare) : floorl(spare)));
    else
        snprintf(by, sizeof by, "%.0f min", (double)(spare < 0 ? ceill(-spare / 60) : floorl(spare / 60)));
    if (spare < 0)
        snprintf(t->cutoff, sizeof t->cutoff, "%s, %s late", when, by);
    else if (t->late)
        snprintf(t->cutoff, sizeof t->cutoff, "%s, %s to spare", when, by);
    else
        snprintf(t->cutoff, sizeof t->cutoff, "%s", when);
}

// ------------------------------------------------------- for the watch

std::vector<size_t> ThinPoints(const Course &course, const std::vector<long double> &keep, size_t max)
{
    size_t n = course.points.size();
    std::vector<size_t> kept;
    if (n == 0 || max == 0)
        return kept;
    const CoursePoint *p = course.points.data();
    size_t high = 0, low = 0;
    for (size_t k = 1; k < n; k++) {
        long double h = HeightAt(course, p[k].metres);
        high = h > HeightAt(course, p[high].metres) ? k : high;
        low = h < HeightAt(course, p[low].metres) ? k : low;
    }
    std::vector<size_t> must = {0, n - 1, high, low};
    for (long double metres : keep) {
        auto at = std::lower_bound(p, p + n, metres, [](const CoursePoint &q, long double m) { return q.metres < m; });
        size_t k = (size_t)(at - p);
        if (k > 0 && (k == n || metres - p[k - 1].metres < p[k].metres - metres))
            k--;
        must.push_back(k);
    }
    std::sort(must.begin(), must.end());
    must.erase(std::unique(must.begin(), must.end()), must.end());
    if (must.size() >= max) {  // more to keep than room: the ends, and evenly among the rest
        for (size_t k = 0; k < max; k++)
            kept.push_back(must[k * (must.size() - 1) / (max > 1 ? max - 1 : 1)]);
        kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
        return kept;
    }
    // Evenly along the way: the first point at or after each step.
    size_t room = max - must.size();
    long double step = course.metres / (long double)(room + 1);
    size_t next = 1;
    std::vector<size_t> even;
    for (size_t k = 1; k + 1 < n && even.size() < room; k++)
        if (p[k].metres >= step * (long double)next) {
            even.push_back(k);
            while (step * (long double)next <= p[k].metres)
                next++;
        }
    std::merge(must.begin(), must.end(), even.begin(), even.end(), std::back_inserter(kept));
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    if (kept.size() > max)
        kept.resize(max);
    return kept;
}

std::vector<WorkoutStep> WorkoutSteps(const SplitTable &table, size_t max)
{
    std::vector<WorkoutStep> steps;
    for (long long k = 0; k < table.rows; k++) {
        long double from, to;
        SplitRowSpan(table, k, &from, &to);
        long double at = to >= table.metres ? table.seconds : SecondsAt(table, to);
        steps.push_back({to - from, at - SecondsAt(table, from), k, k});
    }
    if (max < 1 || steps.size() <= max)
        return steps;
    // Neighbours merged, the pair nearest in pace first, until few enough.
    size_t n = steps.size();
    std::vector<size_t> next(n), before(n);
    std::vector<unsigned> version(n, 0);
    std::vector<bool> gone(n, false);
    for (size_t k = 0; k < n; k++) {
        next[k] = k + 1;
        before[k] = k > 0 ? k - 1 : n;  // n: none
    }
    auto gap = [&](size_t a, size_t b) {
        return fabsl(steps[a].seconds / steps[a].metres - steps[b].seconds / steps[b].metres);
    };
    struct Pair {
        long double gap;
        size_t left;
        unsigned leftVersion, rightVersion;
        bool operator<(const Pair &o) const { return gap > o.gap || (gap == o.gap && left > o.left); }
    };
    std::priority_queue<Pair> pairs;
    for (size_t k = 0; k + 1 < n; k++)
        pairs.push({gap(k, k + 1), k, 0, 0});
    for (size_t alive = n; alive > max && !pairs.empty();) {
        Pair pair = pairs.top();
        pairs.pop();
        size_t a = pair.left, b = next[a];
        if (gone[a] || b >= n || version[a] != pair.leftVersion || version[b] != pair.rightVersion)
            continue;  // one of them changed since
        steps[a].metres += steps[b].metres;
        steps[a].seconds += steps[b].seconds;
        steps[a].last = steps[b].last;
        gone[b] = true;
        next[a] = next[b];
        if (next[a] < n)
            before[next[a]] = a;
        version[a]++;
        alive--;
        if (a > 0 && before[a] < n)
            pairs.push({gap(before[a], a), before[a], version[before[a]], version[a]});
        if (next[a] < n)
            pairs.push({gap(a, next[a]), a, version[a], version[next[a]]});
    }
    std::vector<WorkoutStep> merged;
    for (size_t k = 0; k < n; k++)
        if (!gone[k])
            merged.push_back(steps[k]);
    return merged;
}
