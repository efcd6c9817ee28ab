#include "model/plan.h"

#include "model/course.h"

#include <cmath>
#include <cstdio>
#include <cstring>

static bool Unit(int unit)
{
    return unit >= 0 && unit < UNITS;
}

long double SecondsPerMetre(long double value, int kind)
{
    if (Unit(kind))
        return value / UNIT_TABLE[kind].metres;
    if (kind == PACE_KMH)
        return 3.6L / value;  // km/h is 1/3.6 m/s
    return 3600.0L / (value * UNIT_TABLE[UNIT_MILE].metres);
}

long double PaceIn(long double secondsPerMetre, int kind)
{
    // Speeds are the reciprocal: the same formula both ways.
    if (Unit(kind))
        return secondsPerMetre * UNIT_TABLE[kind].metres;
    return SecondsPerMetre(secondsPerMetre, kind);
}

Plan SolvePlan(int solve, const char *time, const char *distance, int distanceUnit, const char *pace, int paceKind)
{
    Plan plan = {};
    long double value = 0;
    plan.read[SOLVE_TIME] = ReadClock(time, &plan.seconds);
    plan.read[SOLVE_DISTANCE] = ReadAmount(distance, &value);
    plan.metres = Unit(distanceUnit) ? value * UNIT_TABLE[distanceUnit].metres : 0;
    plan.read[SOLVE_PACE] = Unit(paceKind) ? ReadClock(pace, &value) : ReadAmount(pace, &value);
    plan.secondsPerMetre = plan.read[SOLVE_PACE] == READ_OK ? SecondsPerMetre(value, paceKind) : 0;

    bool given[3];
    for (int k = 0; k < 3; k++)
        given[k] = k != solve && plan.read[k] == READ_OK;
    if (solve == SOLVE_TIME && given[SOLVE_DISTANCE] && given[SOLVE_PACE])
        plan.seconds = plan.secondsPerMetre * plan.metres;
    else if (solve == SOLVE_DISTANCE && given[SOLVE_TIME] && given[SOLVE_PACE])
        plan.metres = plan.seconds / plan.secondsPerMetre;
    else if (solve == SOLVE_PACE && given[SOLVE_TIME] && given[SOLVE_DISTANCE])
        plan.secondsPerMetre = plan.seconds / plan.metres;
    else if (solve >= SOLVE_TIME && solve <= SOLVE_PACE) {
        plan.read[solve] = READ_EMPTY;
        return plan;
    }
    plan.solved = std::isfinite(plan.seconds) && std::isfinite(plan.metres) && std::isfinite(plan.secondsPerMetre) &&
                  plan.seconds > 0 && plan.metres > 0 && plan.secondsPerMetre > 0;
    if (solve >= SOLVE_TIME && solve <= SOLVE_PACE)
        plan.read[solve] = plan.solved ? READ_OK : READ_BAD;
    return plan;
}

void FormatDistanceIn(long double metres, int unit, int decimals, char *buf, size_t size)
{
    if (!Unit(unit)) {
        snprintf(buf, size, "%s", "");
        return;
    }
    snprintf(buf, size, "%.*f%s", decimals, (double)(metres / UNIT_TABLE[unit].metres), UNIT_TABLE[unit].suffix);
}

void FormatPaceIn(long double secondsPerMetre, int kind, char *buf, size_t size)
{
    if (Unit(kind)) {
        FormatClock(PaceIn(secondsPerMetre, kind), 1, buf, size);
        size_t used = strlen(buf);
        snprintf(buf + used, size - used, "%s", UNIT_TABLE[kind].pace);
    } else {
        snprintf(buf, size, "%.2f %s", (double)PaceIn(secondsPerMetre, kind), szPaceKindNames[kind]);
    }
}

void FormatSpeeds(long double secondsPerMetre, char *buf, size_t size)
{
    snprintf(buf, size, "%.2f km/h, %.2f mph", (double)PaceIn(secondsPerMetre, PACE_KMH),
             (double)PaceIn(secondsPerMetre, PACE_MPH));
}

static const char *const empties[3] = {"Type the time, as 3:30:00", "Type the distance, as 26.22",
                                       "Type the pace, as 4:30"};
static const char *const zeros[3] = {"A time of 0 makes no plan", "A distance of 0 makes no plan",
                                     "A pace of 0 makes no plan"};
static const char *const unreadables[3] = {"Not a time: type h:mm:ss, m:ss or seconds, as 3:30:00",
                                           "Not a distance: type a number, as 26.22",
                                           "Not a pace: type m:ss or seconds, as 4:30"};

void PlanNote(const Plan &plan, int entry, int distanceUnit, int paceKind, int decimals, char *buf, size_t size)
{
    snprintf(buf, size, "%s", "");
    if (entry < SOLVE_TIME || entry > SOLVE_PACE)
        return;
    bool speed = !Unit(paceKind);
    switch (plan.read[entry]) {
    case READ_EMPTY:
        snprintf(buf, size, "%s", entry == SOLVE_PACE && speed ? "Type the speed, as 12.5" : empties[entry]);
        return;
    case READ_ZERO:
        snprintf(buf, size, "%s", entry == SOLVE_PACE && speed ? "A speed of 0 makes no plan" : zeros[entry]);
        return;
    case READ_BAD:
        snprintf(buf, size, "%s",
                 entry == SOLVE_PACE && speed ? "Not a speed: type a number, as 12.5" : unreadables[entry]);
        return;
    case READ_OK:
        break;
    }
    char words[64], other[64];
    if (entry == SOLVE_TIME) {
        FormatClockWords(plan.seconds, words, sizeof words);
        snprintf(buf, size, "= %s", words);
    } else if (entry == SOLVE_DISTANCE && Unit(distanceUnit)) {
        // Miles beside kilometres, kilometres beside anything else.
        int beside = distanceUnit == UNIT_KM ? UNIT_MILE : UNIT_KM;
        snprintf(buf, size, "= %.6Lg %s = %.3f %s", plan.metres / UNIT_TABLE[distanceUnit].metres,
                 UNIT_TABLE[distanceUnit].words, (double)(plan.metres / UNIT_TABLE[beside].metres), UNIT_TABLE[beside].words);
    } else if (entry == SOLVE_PACE) {
        if (speed) {
            FormatPaceIn(plan.secondsPerMetre, UNIT_KM, other, sizeof other);
            snprintf(buf, size, "= %.6Lg %s = %s", PaceIn(plan.secondsPerMetre, paceKind), szPaceKindNames[paceKind],
                     other);
        } else {
            FormatClockWords(PaceIn(plan.secondsPerMetre, paceKind), words, sizeof words);
            snprintf(buf, size, "= %s %s", words, szPaceKindNames[paceKind]);
        }
        // And what it comes to over the distance.
        if (plan.read[SOLVE_DISTANCE] == READ_OK && Unit(distanceUnit)) {
            char time[CLOCK_TEXT_SIZE], distance[64];
            FormatClock(plan.secondsPerMetre * plan.metres, 1, time, sizeof time);
            FormatDistanceIn(plan.metres, distanceUnit, decimals, distance, sizeof distance);
            size_t used = strlen(buf);
            snprintf(buf + used, size - used, ", %s over %s", time, distance);
        }
    }
}

// ----------------------------------------------------------- split table

bool ReadSplitPercent(const char *text, long double *percent)
{
    long double value = 0;
    Reading read = ReadAmount(text, &value);
    if ((read != READ_OK && read != READ_ZERO) || !(value <= 20))
        return false;
    *percent = value;
    return true;
}

bool ReadSplitEvery(const char *text, long double *amount)
{
    long double value = 0;
    if (ReadAmount(text, &value) != READ_OK)
        return false;
    *amount = value;
    return true;
}

bool ReadHillEffort(const char *text, long double *percent)
{
    long double value = 0;
    Reading read = ReadAmount(text, &value);
    if ((read != READ_OK && read != READ_ZERO) || !(value <= 100))
        return false;
    *percent = value;
    return true;
}

long double TypedSlack(const char *text, int unit)
{
    long double value;
    if (!Unit(unit) || ReadAmount(text, &value) != READ_OK)
        return 0;
    while (*text == ' ' || *text == '\t')
        text++;
    size_t number = strcspn(text, " \t/");
    const char *point = strpbrk(text, ".,");
    long double last = 1;
    if (point && point < text + number)
        for (const char *c = point + 1; c < text + number; c++)
            last /= 10;
    return last / 2 * UNIT_TABLE[unit].metres;
}

bool PlanSplitTable(long double metres, long double seconds, int unit, int direction, long double percent,
                    int decimals, SplitTable *t)
{
    if (!Unit(unit) || !(metres > 0) || !(seconds > 0) || !std::isfinite(metres) || !std::isfinite(seconds) ||
        !(percent >= 0 && percent <= 20))
        return false;
    long double units = metres / UNIT_TABLE[unit].metres;
    if (units >= 1e15L)  // far beyond any race; whole units would not count
        return false;
    t->metres = metres;
    t->seconds = seconds;
    t->unitMetres = UNIT_TABLE[unit].metres;
    t->decimals = decimals < 0 ? 0 : decimals > 6 ? 6 : decimals;

    // The pace changes evenly along the way, so that the second half takes
    // s = +-percent / 100 more than the first: T1 = T / (2 + s), and the
    // pace at x metres is a + b x with b D^2 / 4 = T2 - T1 and a D + b D^2 / 2 = T.
    long double s = direction < 0 ? -percent / 100 : direction > 0 ? percent / 100 : 0;
    long double first = seconds / (2 + s);
    t->b = 4 * s * first / (metres * metres);
    t->a = seconds / metres - t->b * metres / 2;

    t->amount = 1;
    t->stepMetres = t->unitMetres;
    t->hills = nullptr;
    t->slack = 1;
    return SetSplitPoints(t, 1, false);
}

// "42.195", "13.1", "10": no zeros that say nothing.
static void Trimmed(long double value, int decimals, char *buf, size_t size)
{
    snprintf(buf, size, "%.*f", decimals, (double)value);
    char *point = strchr(buf, '.');
    if (!point)
        return;
    char *end = buf + strlen(buf);
    while (end > point + 1 && end[-1] == '0')
        *--end = '\0';
    if (end == point + 1)
        *point = '\0';
}

// Two places on the way that their labels show as one.
static bool SameLabel(const SplitTable &t, long double metres1, long double metres2)
{
    char one[64], two[64];
    snprintf(one, sizeof one, "%.*f", t.decimals, (double)(metres1 / t.unitMetres));
    snprintf(two, sizeof two, "%.*f", t.decimals, (double)(metres2 / t.unitMetres));
    return strcmp(one, two) == 0;
}

// Within a metre, or the slack the distance was known to, of a row this long.
static long double Slack(const SplitTable &t, long double row)
{
    long double slack = t.slack < row / 20 ? t.slack : row / 20;
    return slack > 1 ? slack : 1;
}

bool SetSplitPoints(SplitTable *t, long double amount, bool halfway)
{
    if (!(amount > 0) || !std::isfinite(amount) || t->metres / (amount * t->unitMetres) >= 1e15L)
        return false;  // no split, or splits too small to count
    t->amount = amount;
    t->stepMetres = amount * t->unitMetres;
    // The finish as its label shows it: when that is a whole number of
    // splits, the last whole row is the finish.
    t->whole = (long long)floorl(t->metres / t->stepMetres);
    long double wholeEnd = (long double)t->whole * t->stepMetres;
    bool finishShowsWhole =
        t->whole >= 1 && (SameLabel(*t, t->metres, wholeEnd) || t->metres - wholeEnd <= Slack(*t, t->stepMetres));

    // The smallest step that keeps to the cap: below whole / cap the whole
    // rows alone are too many; from there at most a step or two more, when
    // the finish or halfway needs a row of its own.
    long long cap = SPLIT_ROWS_MAX;
    t->every = t->whole > cap ? (t->whole + cap - 1) / cap : 1;
    for (;; t->every++) {
        t->shown = t->whole / t->every;
        t->lastIsFinish = finishShowsWhole && t->shown * t->every == t->whole;
        t->rows = t->shown + (t->lastIsFinish ? 0 : 1);
        // Halfway, unless a row ends there already.
        t->halfRow = -1;
        if (halfway) {
            long double stride = t->stepMetres * (long double)t->every;
            long long before = (long long)floorl(t->metres / 2 / stride);
            long long nearest = (long long)roundl(t->metres / 2 / stride);
            bool onRow = nearest >= 1 && nearest <= t->shown &&
                         (SameLabel(*t, t->metres / 2, nearest * stride) ||
                          fabsl(t->metres / 2 - nearest * stride) <= Slack(*t, stride));
            if (!onRow) {
                t->halfRow = before < t->shown ? before : t->shown;
                t->rows++;
            }
        }
        if (t->rows <= cap)
            return true;
    }
}

long double SecondsAt(const SplitTable &t, long double x)
{
    if (t.hills && t.hills->hill > 0)
        return HillSecondsAt(*t.hills, t.a, t.b, x);
    return t.a * x + t.b * x * x / 2;
}

int FinishDecimals(int unit)
{
    return unit == UNIT_MILE ? 2 : 3;
}

// The finish row's label, "42.195", without the zeros that say nothing.
static void FinishLabel(const SplitTable &t, char *buf, size_t size)
{
    Trimmed(t.metres / t.unitMetres, t.decimals, buf, size);
}

void PlanFileName(long double metres, long double seconds, int unit, const char *extension, char *buf, size_t size)
{
    char distance[48] = "", time[CLOCK_TEXT_SIZE];
    if (Unit(unit))
        Trimmed(metres / UNIT_TABLE[unit].metres, FinishDecimals(unit), distance, sizeof distance);
    FormatClock(seconds, 1, time, sizeof time);
    size_t n = strlen(time);
    if (n > 2 && !strcmp(time + n - 2, ".0"))
        time[n - 2] = '\0';
    for (char *c = time; *c; c++)
        if (*c == ':')
            *c = '-';  // no colon in a file name
    snprintf(buf, size, "%s %s in %s.%s", distance, Unit(unit) ? UNIT_TABLE[unit].words : "", time, extension);
}

// Where row k ends, and its label: a split's end, halfway or the finish.
static long double RowEnd(const SplitTable &t, long long k, char *label, size_t size)
{
    if (t.halfRow >= 0 && k == t.halfRow) {
        Trimmed(t.metres / 2 / t.unitMetres, t.decimals, label, size);
        return t.metres / 2;
    }
    if (t.halfRow >= 0 && k > t.halfRow)
        k--;
    if (k < t.shown && !(t.lastIsFinish && k == t.shown - 1)) {
        long long n = (k + 1) * t.every;
        Trimmed((long double)n * t.amount, 3, label, size);
        return (long double)n * t.stepMetres;
    }
    FinishLabel(t, label, size);
    return t.metres;
}

void SplitRowSpan(const SplitTable &t, long long k, long double *from, long double *to)
{
    char label[32];
    *from = k > 0 ? RowEnd(t, k - 1, label, sizeof label) : 0;
    *to = RowEnd(t, k, label, sizeof label);
}

void SplitRowTexts(const SplitTable &t, long long k, SplitTexts *row, bool hours)
{
    char before[32];
    long double from = k > 0 ? RowEnd(t, k - 1, before, sizeof before) : 0;
    long double to = RowEnd(t, k, row->unit, sizeof row->unit);
    long double at = to >= t.metres ? t.seconds : SecondsAt(t, to);
    long double split = at - SecondsAt(t, from);
    auto format = hours ? FormatClockHours : FormatClock;
    format(at, 1, row->at, sizeof row->at);
    format(split, 1, row->split, sizeof row->split);
    format(to > from ? split / (to - from) * t.unitMetres : 0, 1, row->pace, sizeof row->pace);
    row->climb[0] = row->descent[0] = row->effort[0] = '\0';
    if (!t.hills)
        return;
    // Climb and descent in feet or metres; the effort pace is the pace on
    // the flat of the same effort.
    long double up, down, scale = t.hills->scale;
    ClimbBetween(*t.hills->course, from / scale, to / scale, &up, &down);
    long double perHeight = HeightUnitMetres(t.hills->unit);
    snprintf(row->climb, sizeof row->climb, "%.0f", (double)(up / perHeight));
    snprintf(row->descent, sizeof row->descent, "%.0f", (double)(down / perHeight));
    long double perWork = t.hills->hill > 0 ? t.hills->k : 1;
    long double flat = perWork * (t.a * (to - from) + t.b * (to * to - from * from) / 2);
    format(to > from ? flat / (to - from) * t.unitMetres : 0, 1, row->effort, sizeof row->effort);
}

// ------------------------------------------------------------- presets

// Kilometres as miles (km / 1.609344), rounded to float once.
const float fRaceMiles[RACES] = {3.106855869293213f, 6.213711738586426f, 13.109378814697266f, 26.21875762939453f};
