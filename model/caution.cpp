#include "model/caution.h"

#include <cmath>
#include <cstdio>
#include <cstring>

// Men's world records (World Athletics, as of 2025): track to 10,000 m, then
// road, and 100 km.
static const struct {
    long double metres, seconds;
} records[] = {
    {100, 9.58L},        {200, 19.19L},       {400, 43.03L},        {800, 100.91L},
    {1000, 131.96L},     {1500, 206.00L},     {1609.344L, 223.13L}, {2000, 283.13L},
    {3000, 437.55L},     {5000, 755.36L},     {10000, 1571.00L},    {21097.5L, 3402},
    {42195, 7235},       {100000, 21941},
};
static const int RECORDS = sizeof records / sizeof records[0];
static const long double FASTEST_METRES_PER_SECOND = 40 / 3.6L;

// The fastest any runner has covered `metres` in: between two records on
// the straight line between them on a log-log scale; 40 km/h below the
// shortest record.
static long double RecordSeconds(long double metres)
{
    if (!(metres > 0) || !std::isfinite(metres))
        return 0;
    if (metres < records[0].metres)
        return metres / FASTEST_METRES_PER_SECOND;
    int k = 1;
    while (k < RECORDS - 1 && metres > records[k].metres)
        k++;
    // Beyond the last record the line of the last two goes on.
    long double slope = logl(records[k].seconds / records[k - 1].seconds) /
                        logl(records[k].metres / records[k - 1].metres);
    return records[k - 1].seconds * powl(metres / records[k - 1].metres, slope);
}

// Over a known distance (metres > 0) faster than its record pace, or else
// faster than 40 km/h.
static bool FasterThanAnyRunner(long double metres, long double secondsPerMetre)
{
    if (!(secondsPerMetre > 0))
        return false;
    if (secondsPerMetre < 1 / FASTEST_METRES_PER_SECOND)
        return true;
    return metres > 0 && std::isfinite(metres) && secondsPerMetre * metres < RecordSeconds(metres);
}

// A pace typed "4.30" or "4,3" for 4:30, or "5" for 5:00: the number before
// the point as minutes, the digits after it as seconds.
static bool MeantPace(const char *text, char *meant, size_t size)
{
    unsigned minutes = 0, seconds = 0;
    while (*text == ' ')
        text++;
    const char *rest = text;
    for (; *rest >= '0' && *rest <= '9' && rest - text < 2; rest++)
        minutes = minutes * 10 + (unsigned)(*rest - '0');
    if (rest == text)
        return false;
    if (*rest == '.' || *rest == ',') {
        // "4.3" is 4:30, "4.05" 4:05: the digits are the seconds' tens first.
        rest++;
        for (unsigned tens = 10; *rest >= '0' && *rest <= '9' && tens > 0; rest++, tens /= 10)
            seconds += (unsigned)(*rest - '0') * tens;
    }
    if (*rest != '\0' && *rest != ' ' && *rest != '/')
        return false;
    if (minutes == 0 || seconds >= 60)
        return false;
    snprintf(meant, size, "%u:%02u", minutes, seconds);
    return true;
}

// A time typed "3:30" for 3:30:00, or "42" for 42:00: one field more.
static bool MeantTime(const char *text, char *meant, size_t size)
{
    while (*text == ' ')
        text++;
    size_t length = strcspn(text, " /");
    int colons = 0;
    for (size_t k = 0; k < length; k++) {
        if (text[k] == ':')
            colons++;
        else if (text[k] < '0' || text[k] > '9')
            return false;  // with decimals it was meant as it stands
    }
    if (colons > 1 || length == 0 || length > 8)
        return false;
    snprintf(meant, size, "%.*s:00", (int)length, text);
    return true;
}

// A reading worth offering: no faster than any runner, no slower than a
// slow walk (3 km/h).
static bool Likely(long double metres, long double secondsPerMetre)
{
    return !FasterThanAnyRunner(metres, secondsPerMetre) && secondsPerMetre <= 1.2L;
}

bool PlanCaution(const Plan &plan, int entry, const char *text, int distanceUnit, int paceKind, int decimals,
                 char *buf, size_t size)
{
    snprintf(buf, size, "%s", "");
    bool distance = plan.read[SOLVE_DISTANCE] == READ_OK && plan.metres > 0;
    char read[160], meant[48] = "";
    if (entry == SOLVE_PACE && plan.read[SOLVE_PACE] == READ_OK) {
        if (!FasterThanAnyRunner(distance ? plan.metres : 0, plan.secondsPerMetre))
            return false;
        long double value = PaceIn(plan.secondsPerMetre, paceKind);
        bool speed = paceKind >= UNITS;
        if (speed) {
            snprintf(read, sizeof read, "%.6Lg %s", value, szPaceKindNames[paceKind]);
        } else {
            char words[64];
            FormatClockWords(value, words, sizeof words);
            snprintf(read, sizeof read, "%s %s", words, szPaceKindNames[paceKind]);
            long double seconds;
            if (!MeantPace(text, meant, sizeof meant) || ReadClock(meant, &seconds) != READ_OK ||
                !Likely(distance ? plan.metres : 0, SecondsPerMetre(seconds, paceKind)))
                meant[0] = '\0';  // no likelier reading
        }
    } else if (entry == SOLVE_TIME && plan.read[SOLVE_TIME] == READ_OK && distance) {
        if (!FasterThanAnyRunner(plan.metres, plan.seconds / plan.metres))
            return false;
        char words[64], over[64];
        FormatClockWords(plan.seconds, words, sizeof words);
        FormatDistanceIn(plan.metres, distanceUnit, decimals, over, sizeof over);
        snprintf(read, sizeof read, "%s over %s", words, over);
        long double seconds;
        if (!MeantTime(text, meant, sizeof meant) || ReadClock(meant, &seconds) != READ_OK ||
            !Likely(plan.metres, seconds / plan.metres))
            meant[0] = '\0';
    } else {
        return false;
    }
    if (meant[0])
        snprintf(buf, size, "%s is faster than any runner: did you mean %s?", read, meant);
    else
        snprintf(buf, size, "%s is faster than any runner.", read);
    return true;
}
