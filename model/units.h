// The five units of Velto, in the order of its unit radios, and every way
// each is written: by the main window, the runner's tools, their files and
// their drawings. One table, so that no two places spell a unit apart.
#ifndef VELTO_UNITS_H
#define VELTO_UNITS_H

enum { UNIT_MILE, UNIT_KM, UNIT_400M, UNIT_440Y, UNIT_200M, UNITS };
// A pace is given per one of the units, or as a speed.
enum { PACE_KMH = UNITS, PACE_MPH, PACE_KINDS };

struct UnitInfo {
    long double metres;      // one of it: a mile is 1609.344 m, a 440-yard lap a quarter of it
    float perMile;           // so many a mile, as the main window holds it
    const char *name;        // its radio's text, and the tools' lists: "Mile", "400m"
    const char *suffix;      // after a distance: " Mi.", " Km.", " Laps"
    const char *windowPace;  // after a pace in the main window: " /Mile", " /Lap"
    const char *pace;        // after a pace in the tools: " /Mile", " /400m"
    const char *perName;     // a pace kind: "per Mile"
    const char *words;       // a number of it in words: "mi", "laps of 400 m"
    const char *shortWords;  // the same on a course's line: "mi", "laps"
    const char *height;      // heights shown beside it: feet beside miles, else metres
};
extern const UnitInfo UNIT_TABLE[UNITS];
extern const char *const szPaceKindNames[PACE_KINDS];  // "per Mile" ... "km/h", "mph"

const long double FOOT_METRES = 0.3048L;

// Metres in one of the height unit shown beside a distance unit.
long double HeightUnitMetres(int unit);

// The radio of a unit in either bank of the main window, and back: -1 for
// an id that is no unit of the bank.
int DistanceRadio(int unit);
int SplitRadio(int unit);
int UnitOfDistanceRadio(int id);
int UnitOfSplitRadio(int id);

#endif
