// The race result of the Equivalents, Training and Age Grade pages: one
// result for the three, typed on any of them, or else the plan's.
#include <cstdio>

#include "ui/tools.h"

static bool bWritingResult;  // the page itself writes the entries

// Until a result is typed, it is the plan: its entries where they were
// typed, its worked-out value where not.
static void FollowPlan()
{
    if (tools.resultTyped)
        return;
    Plan plan = ToolsPlan();
    tools.resultUnit = tools.distanceUnit;
    if (tools.solve == SOLVE_DISTANCE && plan.solved)
        snprintf(tools.resultDistance, sizeof tools.resultDistance, "%.10Lg",
                 plan.metres / METRES_PER_UNIT[tools.distanceUnit]);
    else if (tools.solve != SOLVE_DISTANCE)
        snprintf(tools.resultDistance, sizeof tools.resultDistance, "%s", tools.distance);
    if (tools.solve == SOLVE_TIME && plan.solved)
        FormatClock(plan.seconds, 2, tools.resultTime, sizeof tools.resultTime);
    else if (tools.solve != SOLVE_TIME)
        snprintf(tools.resultTime, sizeof tools.resultTime, "%s", tools.time);
}

RaceResult ToolsResult()
{
    FollowPlan();
    RaceResult result = {};
    long double amount = 0;
    result.distance = ReadAmount(tools.resultDistance, &amount);
    result.metres = amount * METRES_PER_UNIT[tools.resultUnit];
    result.time = ReadClock(tools.resultTime, &result.seconds);
    return result;
}

// What each entry read, as the Plan page says it.
static void Notes(HWND hPage, const ResultIds &ids)
{
    RaceResult result = ToolsResult();
    Plan read = {};
    read.read[SOLVE_TIME] = result.time;
    read.read[SOLVE_DISTANCE] = result.distance;
    read.seconds = result.seconds;
    read.metres = result.metres;
    char note[NOTE_SIZE];
    PlanNote(read, SOLVE_DISTANCE, tools.resultUnit, UNIT_KM, ToolsDecimals(), note, sizeof note);
    SetDlgItemTextA(hPage, ids.distanceNote, note);
    PlanNote(read, SOLVE_TIME, tools.resultUnit, UNIT_KM, ToolsDecimals(), note, sizeof note);
    SetDlgItemTextA(hPage, ids.timeNote, note);
}

static void ShowResult(HWND hPage, const ResultIds &ids)
{
    FollowPlan();
    HWND unit = GetDlgItem(hPage, ids.unit);
    if (SendMessageA(unit, CB_GETCOUNT, 0, 0) == 0)
        FillCombo(unit, szUnitNames, UNITS, tools.resultUnit);
    SendMessageA(unit, CB_SETCURSEL, (WPARAM)tools.resultUnit, 0);
    bWritingResult = true;
    SetDlgItemTextA(hPage, ids.distance, tools.resultDistance);
    SetDlgItemTextA(hPage, ids.time, tools.resultTime);
    bWritingResult = false;
    Notes(hPage, ids);
}

static bool ResultChanged(HWND hPage, const ResultIds &ids, int id, int code)
{
    if (code == EN_CHANGE && !bWritingResult && (id == ids.distance || id == ids.time)) {
        GetDlgItemTextA(hPage, ids.distance, tools.resultDistance, sizeof tools.resultDistance);
        GetDlgItemTextA(hPage, ids.time, tools.resultTime, sizeof tools.resultTime);
    } else if (code == CBN_SELCHANGE && id == ids.unit) {
        int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
        if (selected < 0 || selected >= UNITS)
            return false;
        tools.resultUnit = selected;
        GetDlgItemTextA(hPage, ids.distance, tools.resultDistance, sizeof tools.resultDistance);
        GetDlgItemTextA(hPage, ids.time, tools.resultTime, sizeof tools.resultTime);
    } else {
        return false;
    }
    tools.resultTyped = true;  // from now on the result is the user's own
    Notes(hPage, ids);
    return true;
}

bool ResultPageMessage(HWND hPage, UINT iMsg, WPARAM wParam, const ResultIds &ids, void (*refresh)(HWND))
{
    if (iMsg == WM_PAGE_SHOWN) {
        ShowResult(hPage, ids);
        refresh(hPage);
        return true;
    }
    if (iMsg != WM_COMMAND)
        return false;
    if (LOWORD(wParam) == IDCANCEL)
        return ClosePage(hPage);
    if (!ResultChanged(hPage, ids, LOWORD(wParam), HIWORD(wParam)))
        return false;
    refresh(hPage);
    return true;
}
