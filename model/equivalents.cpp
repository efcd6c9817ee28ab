#include "model/equivalents.h"

#include <cmath>

#include "time/clocktext.h"

const char *const szEquivalentNames[EQ_RACES] = {"1500 m", "Mile",  "3 km",          "5 km",    "10 km",
                                                 "15 km",  "10 mi", "Half marathon", "Marathon"};
const long double EQUIVALENT_METRES[EQ_RACES] = {1500.0L,  1609.344L, 3000.0L,  5000.0L, 10000.0L,
                                                 15000.0L, 16093.44L, 21097.5L, 42195.0L};

static bool Result(long double metres, long double seconds)
{
    return metres > 0 && seconds > 0 && std::isfinite(metres) && std::isfinite(seconds);
}

long double RiegelTime(long double metres, long double seconds, long double k, long double target)
{
    if (!Result(metres, seconds) || !(target > 0))
        return 0;
    return seconds * powl(target / metres, k);
}

static long double CameronFactor(long double d)
{
    return 13.49681L - 0.000030363L * d + 835.7114L * powl(d, -0.7905L);
}

bool ReadExponent(const char *text, long double *k)
{
    long double value = 0;
    if (ReadAmount(text, &value) != READ_OK || value < RIEGEL_K_MIN || value > RIEGEL_K_MAX)
        return false;
    *k = value;
    return true;
}

long double CameronTime(long double metres, long double seconds, long double target)
{
    if (!Result(metres, seconds) || !(target > 0))
        return 0;
    long double a2 = CameronFactor(target);
    // The factor falls below 0 only for runs of some 440 km and more.
    if (!(a2 > 0) || !(CameronFactor(metres) > 0))
        return 0;
    return seconds * (target / metres) * CameronFactor(metres) / a2;
}

long double OxygenCost(long double v)
{
    return -4.60L + 0.182258L * v + 0.000104L * v * v;
}

long double FractionHeld(long double t)
{
    return 0.8L + 0.1894393L * expl(-0.012778L * t) + 0.2989558L * expl(-0.1932605L * t);
}

long double Vdot(long double metres, long double seconds)
{
    if (!Result(metres, seconds))
        return 0;
    long double minutes = seconds / 60;
    if (metres / minutes < WALKING_METRES_PER_MINUTE)
        return 0;  // the oxygen cost is that of running
    return OxygenCost(metres / minutes) / FractionHeld(minutes);
}

long double VdotTime(long double vdot, long double target)
{
    if (!(vdot > 0) || !std::isfinite(vdot) || !(target > 0) || !std::isfinite(target))
        return 0;
    // The VDOT of a run falls as it takes longer: halve the bracket until
    // it is as narrow as a long double can tell.
    long double fast = 1e-3L, slow = 1e9L;
    if (Vdot(target, fast) < vdot || Vdot(target, slow) > vdot)
        return 0;
    for (int k = 0; k < 200 && slow - fast > fast * 1e-15L; k++) {
        long double mid = (fast + slow) / 2;
        if (Vdot(target, mid) > vdot)
            fast = mid;
        else
            slow = mid;
    }
    long double seconds = (fast + slow) / 2;
    // No time at all where the VDOT would take a walk to the target.
    return fabsl(Vdot(target, seconds) - vdot) <= vdot * 1e-9L ? seconds : 0;
}

const char *const szModelNames[MODELS] = {"Riegel", "Cameron", "VDOT"};
const char *const szModelRanges[MODELS] = {"efforts of 3:30 to 4:00:00", "400 m to the marathon",
                                           "1500 m to the marathon, VDOT 30 to 85"};

// A distance within a range, give or take 0.1 %: a marathon shown as 26.22
// miles (42,197 m) is still a marathon.
static bool Between(long double metres, long double low, long double high)
{
    return metres >= low * 0.999L && metres <= high * 1.001L;
}

bool WithinModel(int model, long double metres, long double seconds)
{
    switch (model) {
    case MODEL_RIEGEL:
        return seconds >= 210 && seconds <= 4 * 3600;
    case MODEL_CAMERON:
        return Between(metres, 400, 42195);
    case MODEL_VDOT: {
        long double vdot = Vdot(metres, seconds);
        return Between(metres, 1500, 42195) && vdot >= 30 && vdot <= 85;
    }
    }
    return false;
}

// Fitted to the published paces of VDOT 49 (see the guide): the easy range
// from 59 % of the VDOT to 67 %, then threshold, interval and repetition
// pace. Marathon pace is the marathon's own (its fraction unused).
const long double TRAINING_FRACTIONS[TRAINING_PACES] = {0.59L, 0.67L, 0, 0.885L, 0.975L, 1.065L};

long double TrainingSecondsPerMetre(long double vdot, int pace)
{
    if (pace < 0 || pace >= TRAINING_PACES || !(vdot > 0) || !std::isfinite(vdot))
        return 0;
    if (pace == PACE_MARATHON) {
        // The pace of the VDOT's marathon, so that it agrees with the
        // Equivalents page at every VDOT.
        long double marathon = EQUIVALENT_METRES[EQ_MARATHON];
        return VdotTime(vdot, marathon) / marathon;
    }
    // 0.000104 v^2 + 0.182258 v - (4.60 + f x VDOT) = 0, the positive root.
    long double a = 0.000104L, b = 0.182258L, c = -(4.60L + TRAINING_FRACTIONS[pace] * vdot);
    long double v = (-b + sqrtl(b * b - 4 * a * c)) / (2 * a);  // metres a minute
    return v > 0 ? 60 / v : 0;
}

const Repeat TRAINING_REPEATS[REPEATS] = {
    {"Threshold 1000 m", PACE_THRESHOLD, 1000},  {"Threshold mile", PACE_THRESHOLD, 1609.344L},
    {"Interval 400 m", PACE_INTERVAL, 400},      {"Interval 800 m", PACE_INTERVAL, 800},
    {"Interval 1000 m", PACE_INTERVAL, 1000},    {"Interval 1200 m", PACE_INTERVAL, 1200},
    {"Repetition 200 m", PACE_REPETITION, 200},  {"Repetition 400 m", PACE_REPETITION, 400},
};
