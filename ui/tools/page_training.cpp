// The Training page: the paces of a race result's VDOT, per every unit, and
// the times of the usual repeats at them.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>

#include "model/equivalents.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"

// The columns: per mile, km, and the 400 m, 200 m and 440 y laps.
static const int paceUnits[5] = {UNIT_MILE, UNIT_KM, UNIT_400M, UNIT_200M, UNIT_440Y};
static const char *const paceNames[5] = {"Easy", "Marathon", "Threshold", "Interval", "Repetition"};

static void Refresh(HWND hPage)
{
    RaceResult result = ToolsResult();
    HWND paces = GetDlgItem(hPage, IDC_TRAINING_PACES), repeats = GetDlgItem(hPage, IDC_TRAINING_REPEATS);
    SendMessageA(paces, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(repeats, LVM_DELETEALLITEMS, 0, 0);
    if (result.distance != READ_OK || result.time != READ_OK) {
        SetDlgItemTextA(hPage, IDC_TRAINING_VDOT, "Type a race result: its distance and its time.");
        return;
    }
    long double vdot = Vdot(result.metres, result.seconds);
    if (!(vdot > 0)) {
        SetDlgItemTextA(hPage, IDC_TRAINING_VDOT, "No VDOT: the result is slower than walking pace.");
        return;
    }
    char line[128];
    snprintf(line, sizeof line, "VDOT %.2f: each pace is the speed at which running costs a set part of it", (double)vdot);
    SetDlgItemTextA(hPage, IDC_TRAINING_VDOT, line);
    for (int p = 0; p < 5; p++) {
        char cells[6][2 * CLOCK_TEXT_SIZE];
        const char *texts[6] = {paceNames[p]};
        for (int u = 0; u < 5; u++) {
            long double metres = UNIT_TABLE[paceUnits[u]].metres;
            if (p == 0) {  // easy is a range: fast end to slow, in whole seconds
                char fast[CLOCK_TEXT_SIZE], slow[CLOCK_TEXT_SIZE];
                FormatClock(TrainingSecondsPerMetre(vdot, PACE_EASY) * metres, 0, fast, sizeof fast);
                FormatClock(TrainingSecondsPerMetre(vdot, PACE_EASY_SLOW) * metres, 0, slow, sizeof slow);
                snprintf(cells[1 + u], sizeof cells[0], "%s-%s", fast, slow);
            } else {
                FormatClock(TrainingSecondsPerMetre(vdot, PACE_EASY + p) * metres, 1, cells[1 + u], sizeof cells[0]);
            }
            texts[1 + u] = cells[1 + u];
        }
        SetRow(paces, p, texts, 6);
    }
    FitColumns(paces, 6);
    for (int r = 0; r < REPEATS; r++) {
        char time[CLOCK_TEXT_SIZE];
        FormatClock(TrainingSecondsPerMetre(vdot, TRAINING_REPEATS[r].pace) * TRAINING_REPEATS[r].metres, 1, time,
                    sizeof time);
        const char *texts[2] = {TRAINING_REPEATS[r].name, time};
        SetRow(repeats, r, texts, 2);
    }
    FitColumns(repeats, 2);
}

INT_PTR CALLBACK TrainingPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (ResultPageMessage(hPage, iMsg, wParam, Refresh))
        return TRUE;
    switch (iMsg) {
    case WM_INITDIALOG: {
        const char *const paceTitles[6] = {"Pace", "/Mile", "/Km", "/400m", "/200m", "/440y"};
        const char *const repeatTitles[2] = {"Repeat", "Time"};
        AddColumns(GetDlgItem(hPage, IDC_TRAINING_PACES), paceTitles, 6, 90);
        AddColumns(GetDlgItem(hPage, IDC_TRAINING_REPEATS), repeatTitles, 2, 160);
        return FALSE;
    }
    }
    return FALSE;
}
