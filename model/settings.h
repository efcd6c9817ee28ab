// What the runner's tools hold, and how it is kept from one start to the
// next: a small INI text, read value by value, so that a damaged, foreign
// or future file gives the defaults and a bad value is dropped alone.
#ifndef VELTO_SETTINGS_H
#define VELTO_SETTINGS_H

#include <cstddef>

// The tools' pages, in the order of their tabs.
enum { PAGE_PLAN, PAGE_SPLITS, PAGE_EQUIVALENTS, PAGE_TRAINING, PAGE_AGE_GRADE, PAGE_TREADMILL, PAGES };

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
    // Race day: the course's stations shown, the start as a time of day, the
    // cut-offs as typed, how near one is too near (minutes), and the pace
    // range of a watch's workout (seconds a km either way).
    bool stations;
    char start[16], cutoffs[160], margin[8], range[8];
    int width, height;  // of the tools window, in pixels; 0 as it was made
    bool maximized;
    // The treadmill: its speed and the pace outdoors, each in a way of its
    // own (km/h, mph, per km, per mile), the incline, and which is worked out
    // (0 the pace outdoors).
    char treadmill[16], outdoor[16], incline[8];
    int treadmillUnit, outdoorUnit, treadmillSolve;
    float seenDistance, seenTime;  // the main window's values when the tools last took them; not kept
};

extern const ToolsState TOOLS_DEFAULTS;

// Each value the tools keep, once: its key, and how it is read, checked and
// written. velto.ini holds them all, a plan file those marked `plan`; the
// pages take an entry's value by the same check (`inEffect`), so that what
// is written is always read back, and what is read is what the page shows.
enum KeyKind { KEY_TEXT, KEY_CHOICE, KEY_FLAG };
struct ToolsKey {
    const char *name;
    KeyKind kind;
    size_t offset;                      // of its field in ToolsState
    size_t size;                        // of a text field
    int low, high;                      // of a choice
    const char *const *words;           // a choice written as a word ("man", "woman"), else as a number
    bool (*inEffect)(const char *text);  // a text's check: the value the pages take; NULL for any text typed
    bool plan;                          // a plan file holds it too
};
extern const ToolsKey TOOLS_KEYS[];
extern const int TOOLS_KEY_COUNT;
const ToolsKey *FindToolsKey(const char *name);

// A key's value from a file into the state: false, and the state as it was,
// for a value the key does not take.
bool TakeKey(const ToolsKey &key, const char *value, ToolsState *state);
// The value as written: false for an entry whose value is not in effect (a
// percentage typed over 20 under even pace), which is written not at all.
bool KeyValue(const ToolsKey &key, const ToolsState &state, char *buf, size_t size);

// One value of the file by its key: false for a key not known, or a value
// it does not take (then the state keeps what it had).
bool TakeToolsValue(const char *key, const char *value, ToolsState *state);

// Reads what WriteSettings wrote into *state, over the defaults: the
// defaults for a text that is not such a file, one cut short of the extent
// it states, and one of a later version, which is never to be written over.
enum SettingsFile { SETTINGS_NONE, SETTINGS_OURS, SETTINGS_LATER };
SettingsFile ReadSettings(const char *text, ToolsState *state);

// The text of the file; its length, or 0 when it does not fit.
size_t WriteSettings(const ToolsState &state, char *text, size_t size);

const size_t SETTINGS_TEXT_MAX = 4096;

// The hill effort over a course when none is typed, percent: see the guide.
#define HILL_EFFORT_DEFAULT "50"

#endif
