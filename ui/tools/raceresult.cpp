// The race result of the Equivalents, Training and Age Grade pages: one
// result for the three, typed on any of them, or else the plan's.
#include <cstdio>

#include "model/caution.h"
#include "ui/resource.h"

#include "ui/tools/tools.h"

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
                 plan.metres / UNIT_TABLE[tools.distanceUnit].metres);
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
    result.metres = amount * UNIT_TABLE[tools.resultUnit].metres;
    result.time = ReadClock(tools.resultTime, &result.seconds);
    return result;
}

// What each entry read, as the Plan page says it, and a result faster than
// any runner's cautioned as a plan is.
static void Notes(HWND hPage)
{
    RaceResult result = ToolsResult();
    Plan read = {};
    read.read[SOLVE_TIME] = result.time;
    read.read[SOLVE_DISTANCE] = result.distance;
    read.seconds = result.seconds;
    read.metres = result.metres;
    char note[NOTE_SIZE];
    PlanNote(read, SOLVE_DISTANCE, tools.resultUnit, UNIT_KM, ToolsDecimals(), note, sizeof note);
    SetDlgItemTextA(hPage, IDC_RESULT_DISTANCE_NOTE, note);
    PlanNote(read, SOLVE_TIME, tools.resultUnit, UNIT_KM, ToolsDecimals(), note, sizeof note);
    SetDlgItemTextA(hPage, IDC_RESULT_TIME_NOTE, note);
    PlanCaution(read, SOLVE_TIME, tools.resultTime, tools.resultUnit, UNIT_KM, ToolsDecimals(), note, sizeof note);
    SetDlgItemTextA(hPage, IDC_RESULT_CAUTION, note);
}

static void ShowResult(HWND hPage)
{
    FollowPlan();
    HWND unit = GetDlgItem(hPage, IDC_RESULT_UNIT);
    if (SendMessageA(unit, CB_GETCOUNT, 0, 0) == 0)
        FillUnits(unit, tools.resultUnit);
    SendMessageA(unit, CB_SETCURSEL, (WPARAM)tools.resultUnit, 0);
    bWritingResult = true;
    SetDlgItemTextA(hPage, IDC_RESULT_DISTANCE, tools.resultDistance);
    SetDlgItemTextA(hPage, IDC_RESULT_TIME, tools.resultTime);
    bWritingResult = false;
    Notes(hPage);
}

static bool ResultChanged(HWND hPage, int id, int code)
{
    if (code == EN_CHANGE && !bWritingResult && (id == IDC_RESULT_DISTANCE || id == IDC_RESULT_TIME)) {
        GetDlgItemTextA(hPage, IDC_RESULT_DISTANCE, tools.resultDistance, sizeof tools.resultDistance);
        GetDlgItemTextA(hPage, IDC_RESULT_TIME, tools.resultTime, sizeof tools.resultTime);
    } else if (code == CBN_SELCHANGE && id == IDC_RESULT_UNIT) {
        int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
        if (selected < 0 || selected >= UNITS)
            return false;
        tools.resultUnit = selected;
        GetDlgItemTextA(hPage, IDC_RESULT_DISTANCE, tools.resultDistance, sizeof tools.resultDistance);
        GetDlgItemTextA(hPage, IDC_RESULT_TIME, tools.resultTime, sizeof tools.resultTime);
    } else {
        return false;
    }
    tools.resultTyped = true;  // from now on the result is the user's own
    Notes(hPage);
    return true;
}

bool ResultPageMessage(HWND hPage, UINT iMsg, WPARAM wParam, void (*refresh)(HWND))
{
    if (iMsg == WM_PAGE_SHOWN) {
        ShowResult(hPage);
        refresh(hPage);
        return true;
    }
    if (iMsg != WM_COMMAND)
        return false;
    if (LOWORD(wParam) == IDCANCEL)
        return ClosePage(hPage);
    if (!ResultChanged(hPage, LOWORD(wParam), HIWORD(wParam)))
        return false;
    refresh(hPage);
    return true;
}
