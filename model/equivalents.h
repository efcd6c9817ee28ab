// What a race result is worth elsewhere: equivalent times by Riegel,
// Cameron and the Daniels-Gilbert VDOT, and the training paces of that VDOT.
// Distances in metres, times in seconds.
#ifndef VELTO_EQUIVALENTS_H
#define VELTO_EQUIVALENTS_H

#include <cstddef>

// The races of the Equivalents page, shortest first.
enum { EQ_1500M, EQ_MILE, EQ_3K, EQ_5K, EQ_10K, EQ_15K, EQ_10MI, EQ_HALF, EQ_MARATHON, EQ_RACES };
extern const char *const szEquivalentNames[EQ_RACES];
extern const long double EQUIVALENT_METRES[EQ_RACES];

// Riegel: T2 = T1 x (D2 / D1)^k, k from RIEGEL_K_MIN to RIEGEL_K_MAX.
const long double RIEGEL_K_MIN = 1.01L, RIEGEL_K_MAX = 1.15L, RIEGEL_K = 1.06L;
long double RiegelTime(long double metres, long double seconds, long double k, long double target);
// Riegel's exponent as typed: true for one from RIEGEL_K_MIN to RIEGEL_K_MAX.
bool ReadExponent(const char *text, long double *k);

// Cameron: T2 = T1 x (D2 / D1) x a(D1) / a(D2),
// a(d) = 13.49681 - 0.000030363 d + 835.7114 d^-0.7905.
long double CameronTime(long double metres, long double seconds, long double target);

// Daniels-Gilbert: the oxygen cost of running at v m/min, the fraction of
// the maximum held for t minutes, and their quotient, the VDOT.
long double OxygenCost(long double metresPerMinute);
long double FractionHeld(long double minutes);
// 0 for a result slower than a brisk walk, 6 km/h: no running VDOT.
const long double WALKING_METRES_PER_MINUTE = 100;
long double Vdot(long double metres, long double seconds);
// The time over `target` metres with the same VDOT; 0 where none is found.
long double VdotTime(long double vdot, long double target);

// Where each model was fitted: a result or a target outside gives a caution.
enum { MODEL_RIEGEL, MODEL_CAMERON, MODEL_VDOT, MODELS };
extern const char *const szModelNames[MODELS];
bool WithinModel(int model, long double metres, long double seconds);
// The fitted range in words: "efforts of 3:30 to 4:00:00".
extern const char *const szModelRanges[MODELS];

// Training paces at fractions of the VDOT: the speed at which the oxygen
// cost is that fraction of it; marathon pace is the VDOT's marathon. Easy is
// a range, from its slow end to its fast.
enum { PACE_EASY_SLOW, PACE_EASY, PACE_MARATHON, PACE_THRESHOLD, PACE_INTERVAL, PACE_REPETITION, TRAINING_PACES };
extern const long double TRAINING_FRACTIONS[TRAINING_PACES];
// Seconds per metre of a training pace.
long double TrainingSecondsPerMetre(long double vdot, int pace);

// The usual repeats: which pace, over how far.
struct Repeat {
    const char *name;
    int pace;
    long double metres;
};
const int REPEATS = 8;
extern const Repeat TRAINING_REPEATS[REPEATS];

#endif
