// The Race Prediction page: the plan's result carried to the usual races by
// Riegel's formula.
#include <cstdio>

#include "ui/resource.h"
#include "ui/tools.h"

static void Refresh(HWND hPage)
{
    Plan plan = ToolsPlan();
    char text[1024];
    if (!plan.solved) {
        snprintf(text, sizeof text, "%s", "Make a plan on the Plan page first: two of time, distance and pace.");
        SetDlgItemTextA(hPage, IDC_PREDICTION_TEXT, text);
        return;
    }
    char distance[64], time[CLOCK_TEXT_SIZE], pace[64];
    int kind = tools.paceKind < UNITS ? tools.paceKind : UNIT_KM;
    FormatDistanceIn(plan.metres, tools.distanceUnit, ToolsDecimals(), distance, sizeof distance);
    FormatClock(plan.seconds, 1, time, sizeof time);
    int used = snprintf(text, sizeof text, "From %s in %s, by Riegel's formula:\r\n\r\nRace\tTime\tPace\r\n", distance,
                        time);
    for (int k = 0; k < RACES && used > 0 && (size_t)used < sizeof text; k++) {
        long double t = RiegelSeconds(plan.metres, plan.seconds, RACE_METRES[k]);
        FormatClock(t, 1, time, sizeof time);
        FormatPaceIn(t / RACE_METRES[k], kind, pace, sizeof pace);
        used += snprintf(text + used, sizeof text - used, "%s\t%s\t%s\r\n", szRaceNames[k], time, pace);
    }
    if (!WithinRiegelRange(plan.seconds) && used > 0 && (size_t)used < sizeof text)
        snprintf(text + used, sizeof text - used,
                 "\r\nCaution: the formula is meant for efforts of 3:30 to 4:00:00; these are rough.");
    SetDlgItemTextA(hPage, IDC_PREDICTION_TEXT, text);
}

INT_PTR CALLBACK PredictionPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (iMsg == WM_INITDIALOG) {
        int stops[2] = {64, 124};  // dialog units
        SendDlgItemMessageA(hPage, IDC_PREDICTION_TEXT, EM_SETTABSTOPS, 2, (LPARAM)stops);
        return FALSE;
    }
    if (iMsg == WM_PAGE_SHOWN) {
        Refresh(hPage);
        return TRUE;
    }
    if (iMsg == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        return ClosePage(hPage);
    return FALSE;
}
