// What the runner's tools hold, and how it is kept from one start to the
// next: a small INI text, read value by value, so that a damaged, foreign
// or future file gives the defaults and a bad value is dropped alone.
#ifndef VELTO_SETTINGS_H
#define VELTO_SETTINGS_H

#include <cstddef>

// The tools' pages, in the order of their tabs.
enum { PAGE_PLAN, PAGE_SPLITS, PAGE_EQUIVALENTS, PAGE_TRAINING, PAGE_AGE_GRADE, PAGES };

// The entries as typed, so that every value stays as exact as it was written.
struct ToolsState {
    char time[64], distance[64], pace[64];
    // The exact number behind an entry the tools wrote themselves (worked
    // out, or taken from the main window), in the entry's unit; empty once
    // the user types in it. A plan never rebuilds itself from a rounded text.
    char held[3][48];
    int distanceUnit, paceKind, solve;
    int direction;  // of the split: -1 negative, 0 even, +1 positive
    char percent[16];
    int splitUnit;
    char splitEvery[16];  // splits of so many units
    bool halfway;         // and a row at half the distance
    char hill[8];         // hill effort over a course, percent
    char resultDistance[64], resultTime[64];  // the race result of the other pages
    int resultUnit;
    bool resultTyped;  // else it follows the plan
    char exponent[16];  // Riegel's
    char age[8];
    int sex;
    int page;
    float seenDistance, seenTime;  // the main window's values when the tools last took them; not kept
};

extern const ToolsState TOOLS_DEFAULTS;

// Reads what WriteSettings wrote into *state, over the defaults: the
// defaults for a text that is not such a file, and for one of a later
// version, which is never to be written over.
enum SettingsFile { SETTINGS_NONE, SETTINGS_OURS, SETTINGS_LATER };
SettingsFile ReadSettings(const char *text, ToolsState *state);

// One value of the file by its key: false for a key not known, or a value
// out of its range (then the state keeps what it had).
bool TakeToolsValue(const char *key, const char *value, ToolsState *state);

// The text of the file; its length, or 0 when it does not fit.
size_t WriteSettings(const ToolsState &state, char *text, size_t size);

const size_t SETTINGS_TEXT_MAX = 2048;

// The hill effort over a course when none is typed, percent: see the guide.
#define HILL_EFFORT_DEFAULT "50"

#endif
