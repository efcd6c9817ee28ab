// The Plan page: any two of time, distance and pace give the third, with
// the speed always shown, and "Use in window" hands the plan to the main
// window.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "model/caution.h"
#include "model/entry.h"
#include "model/pacemodel.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

static const int entryIds[3] = {IDC_PLAN_TIME, IDC_PLAN_DISTANCE, IDC_PLAN_PACE};
static const int noteIds[3] = {IDC_PLAN_TIME_NOTE, IDC_PLAN_DISTANCE_NOTE, IDC_PLAN_PACE_NOTE};
static char *const entryTexts[3] = {tools.time, tools.distance, tools.pace};
static bool bWriting;  // the page itself writes the worked-out entry

static float ToFloat(long double value)
{
    return value > FLT_MAX ? FLT_MAX : (float)value;
}

// The largest ranges the window's resolution dialogs take.
static const float MAX_RANGE_MILES = 1000, MAX_RANGE_SECS = 100000;

// The window's ranges for a plan: its own where they hold it, else raised to
// the next whole mile and minute, as a preset sets its own. `fits` is false
// beyond what the resolution dialogs take.
struct Ranges {
    float miles, secs;
    bool fits;
};
static Ranges RangesFor(const Plan &plan)
{
    Ranges r = {fMaxScrollMiles, fMaxScrollSecs, true};
    long double miles = plan.metres / UNIT_TABLE[UNIT_MILE].metres;
    if (miles > fMaxScrollMiles)
        r.miles = miles > MAX_RANGE_MILES ? MAX_RANGE_MILES + 1 : (float)ceill(miles);
    if (plan.seconds > fMaxScrollSecs)
        r.secs = plan.seconds > MAX_RANGE_SECS ? MAX_RANGE_SECS + 1 : (float)(ceill(plan.seconds / 60) * 60);
    r.fits = r.miles <= MAX_RANGE_MILES && r.secs <= MAX_RANGE_SECS;
    return r;
}

// What the main window will keep of the plan within those ranges, by its own
// rules: the time and distance as its read-back takes them (-1 where out of
// range), and the texts it will show.
static void WindowWillHold(const Plan &plan, const Ranges &ranges, float *time, float *miles, char *timeText,
                           char *distanceText)
{
    char text[DISTANCE_TEXT_SIZE];
    to_timestring(ToFloat(plan.seconds), text, sizeof text);
    text[12] = '\0';  // the field is read to 12 characters
    *time = ReadTime(text, ranges.secs, FormatDecimals(szTimeFormat));
    FormatDistance(ToFloat(plan.metres / UNIT_TABLE[UNIT_MILE].metres), text, sizeof text);
    text[12] = '\0';
    *miles = ReadDistance(text, dDistanceFactor, ranges.miles, FormatDecimals(szDistanceFormat));
    to_timestring(*time, timeText, TIME_TEXT_SIZE);
    FormatDistance(*miles, distanceText, DISTANCE_TEXT_SIZE);
}

// Beside "Use in window": what the window will make of the plan. False
// when it cannot hold it at all.
static bool UseNote(HWND hPage, const Plan &plan)
{
    char note[512];
    bool usable = false;
    Ranges ranges = RangesFor(plan);
    float time = -1, miles = -1;
    char timeText[TIME_TEXT_SIZE], distanceText[DISTANCE_TEXT_SIZE];
    if (plan.solved && ranges.fits)
        WindowWillHold(plan, ranges, &time, &miles, timeText, distanceText);
    if (!plan.solved) {
        snprintf(note, sizeof note, "%s", "Make a plan first: two of time, distance and pace.");
    } else if (time < 0 || miles < 0) {
        snprintf(note, sizeof note, "%s",
                 "Beyond the window: its ranges go up to 1000 miles and 27:46:40.");
    } else {
        usable = true;
        int used = snprintf(note, sizeof note, "The window will hold %s in %s.", distanceText, timeText);
        if ((ranges.miles != fMaxScrollMiles || ranges.secs != fMaxScrollSecs) && used > 0 &&
            (size_t)used < sizeof note) {
            char range[TIME_TEXT_SIZE];
            to_timestring(ranges.secs, range, sizeof range);
            used += snprintf(note + used, sizeof note - used, " Its ranges become %g miles and %s.",
                             (double)ranges.miles, range);
        }
        char exact[CLOCK_TEXT_SIZE], held[CLOCK_TEXT_SIZE];
        FormatClock(plan.seconds, 2, exact, sizeof exact);
        FormatClock(time, 2, held, sizeof held);
        if (strcmp(exact, held) != 0 && used > 0 && (size_t)used < sizeof note)
            snprintf(note + used, sizeof note - used, " %s",
                     time >= 10000 ? "It keeps times from 2:46:40 on to 10 s."
                     : time >= 1000 ? "It keeps times from 16:40 on to whole seconds."
                                    : "It keeps times to its Time Precision.");
    }
    SetDlgItemTextA(hPage, IDC_PLAN_USE_NOTE, note);
    EnableWindow(GetDlgItem(hPage, IDC_PLAN_USE), usable);
    return usable;
}

// The worked-out entry, the notes, the speed and the hand-over, from the entries.
static void Refresh(HWND hPage)
{
    Plan plan = ToolsPlan();
    int decimals = ToolsDecimals();
    char text[NOTE_SIZE];
    if (plan.solved) {
        if (tools.solve == SOLVE_TIME)
            FormatClock(plan.seconds, 1, text, sizeof text);
        else if (tools.solve == SOLVE_DISTANCE)
            FormatDistanceIn(plan.metres, tools.distanceUnit, decimals, text, sizeof text);
        else
            FormatPaceIn(plan.secondsPerMetre, tools.paceKind, text, sizeof text);
    } else {
        text[0] = '\0';
    }
    // Shown rounded, held exact: working out another entry next starts
    // from this one's own value, not from its text.
    snprintf(entryTexts[tools.solve], sizeof tools.time, "%s", text);
    const long double values[3] = {plan.seconds, plan.metres / UNIT_TABLE[tools.distanceUnit].metres,
                                   PaceIn(plan.secondsPerMetre, tools.paceKind)};
    tools.held[tools.solve][0] = '\0';
    if (plan.solved)
        HoldEntry(tools.solve, values[tools.solve]);
    bWriting = true;
    SetDlgItemTextA(hPage, entryIds[tools.solve], text);
    bWriting = false;

    for (int k = 0; k < 3; k++) {
        if (k == tools.solve)
            snprintf(text, sizeof text, "%s", plan.solved ? "worked out" : "");
        // A time is faster than any runner only over a distance of its own.
        else if (!(k == SOLVE_TIME && tools.solve == SOLVE_DISTANCE) &&
                 PlanCaution(plan, k, entryTexts[k], tools.distanceUnit, tools.paceKind, decimals, text, sizeof text))
            ;
        else
            PlanNote(plan, k, tools.distanceUnit, tools.paceKind, decimals, text, sizeof text);
        SetDlgItemTextA(hPage, noteIds[k], text);
    }
    text[0] = '\0';
    if (plan.solved || plan.read[SOLVE_PACE] == READ_OK)
        FormatSpeeds(plan.secondsPerMetre, text, sizeof text);
    SetDlgItemTextA(hPage, IDC_PLAN_SPEED, text);
    UseNote(hPage, plan);
}

// The worked-out entry is shown, not typed.
static void Solve(HWND hPage, int solve)
{
    tools.solve = solve;
    CheckRadioButton(hPage, IDC_SOLVE_TIME, IDC_SOLVE_PACE, IDC_SOLVE_TIME + solve);
    for (int k = 0; k < 3; k++)
        SendDlgItemMessageA(hPage, entryIds[k], EM_SETREADONLY, k == solve, 0);
    Refresh(hPage);
}

// The main window takes the plan as its own rules keep it, and shows that
// at once; what is out of its range it refuses as ever, by its read-back.
static void UseInWindow(HWND hPage)
{
    Plan plan = ToolsPlan();
    if (!UseNote(hPage, plan))
        return;
    Ranges ranges = RangesFor(plan);
    float time, miles;
    char timeText[TIME_TEXT_SIZE], distanceText[DISTANCE_TEXT_SIZE];
    WindowWillHold(plan, ranges, &time, &miles, timeText, distanceText);
    fMaxScrollMiles = ranges.miles;
    fMaxScrollSecs = ranges.secs;
    dTime = time;
    dDistance = miles;
    SetScrollPos(hwndTargetScroll, SB_CTL, ScrollPosition(dTime, fMaxScrollSecs, iTargetMax), TRUE);
    SetScrollPos(hwndDistanceScroll, SB_CTL, ScrollPosition(dDistance, fMaxScrollMiles, iDistanceMax), TRUE);
    ReCalc();
    tools.seenDistance = dDistance;  // what the window holds is the plan's
    tools.seenTime = dTime;
    Refresh(hPage);
}

// The entries, their units and what is worked out, as the tools hold them.
static void ShowEntries(HWND hPage)
{
    SendDlgItemMessageA(hPage, IDC_PLAN_DISTANCE_UNIT, CB_SETCURSEL, (WPARAM)tools.distanceUnit, 0);
    SendDlgItemMessageA(hPage, IDC_PLAN_PACE_KIND, CB_SETCURSEL, (WPARAM)tools.paceKind, 0);
    bWriting = true;
    for (int k = 0; k < 3; k++) {
        char shown[sizeof tools.time];
        GetDlgItemTextA(hPage, entryIds[k], shown, sizeof shown);
        if (strcmp(shown, entryTexts[k]) != 0)  // as it stands, the caret where it was
            SetDlgItemTextA(hPage, entryIds[k], entryTexts[k]);
    }
    bWriting = false;
    Solve(hPage, tools.solve);
}

INT_PTR CALLBACK PlanPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM)
{
    switch (iMsg) {
    case WM_INITDIALOG:
        FillUnits(GetDlgItem(hPage, IDC_PLAN_DISTANCE_UNIT), tools.distanceUnit);
        FillCombo(GetDlgItem(hPage, IDC_PLAN_PACE_KIND), szPaceKindNames, PACE_KINDS, tools.paceKind);
        for (int k = 0; k < 3; k++)
            SendDlgItemMessageA(hPage, entryIds[k], EM_LIMITTEXT, sizeof tools.time - 1, 0);
        ShowEntries(hPage);
        return FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDCANCEL)
            return ClosePage(hPage);
        if (code == EN_CHANGE && !bWriting && (id == IDC_PLAN_TIME || id == IDC_PLAN_DISTANCE || id == IDC_PLAN_PACE)) {
            int k = id - IDC_PLAN_TIME;
            if (k != tools.solve) {
                GetDlgItemTextA(hPage, id, entryTexts[k], sizeof tools.time);
                tools.held[k][0] = '\0';  // typed: the text is the value
                Refresh(hPage);
            }
        } else if (code == CBN_SELCHANGE && (id == IDC_PLAN_DISTANCE_UNIT || id == IDC_PLAN_PACE_KIND)) {
            int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
            // The entry's text is read in the new unit, and so is nothing else.
            if (id == IDC_PLAN_DISTANCE_UNIT && selected >= 0 && selected < UNITS) {
                tools.distanceUnit = selected;
                tools.held[SOLVE_DISTANCE][0] = '\0';
            }
            if (id == IDC_PLAN_PACE_KIND && selected >= 0 && selected < PACE_KINDS) {
                tools.paceKind = selected;
                tools.held[SOLVE_PACE][0] = '\0';
            }
            Refresh(hPage);
        } else if (code == BN_CLICKED && id >= IDC_SOLVE_TIME && id <= IDC_SOLVE_PACE) {
            Solve(hPage, id - IDC_SOLVE_TIME);
        } else if (code == BN_CLICKED && id == IDC_PLAN_USE) {
            UseInWindow(hPage);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    case WM_PAGE_SHOWN:
        ShowEntries(hPage);  // a plan file opened since may have others
        return TRUE;
    }
    return FALSE;
}
