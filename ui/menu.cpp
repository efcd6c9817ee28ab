// The menu commands and the dialogs they open.
#include <cstdio>

#include "model/entry.h"
#include "model/pacemodel.h"
#include "model/plan.h"
#include "ui/files.h"
#include "ui/resource.h"
#include "ui/velto.h"

// Found on first use: the shell is a large library, loaded only for Doc.
HINSTANCE(WINAPI *pShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static HMENU hMenu;  // the popup opened last, where the precision marks move

static const char *const distanceFormats[4] = {"%.1f", "%.2f", "%.3f", "%.4f"};
static const char *const timeFormats[3] = {"%.0f", "%.1f", "%.2f"};

// Marathon (42.195 km), half marathon, 5 K and 10 K: the race distance in
// miles, shared with the predictions, and the ranges of both bars.
static const struct {
    const float *miles;
    float maxMiles, maxSecs;
} presets[4] = {
    {&fRaceMiles[RACE_MARATHON], 30.0f, 18300.0f},
    {&fRaceMiles[RACE_HALF_MARATHON], 15.0f, 7200.0f},
    {&fRaceMiles[RACE_5K], 5.0f, 3600.0f},
    {&fRaceMiles[RACE_10K], 10.0f, 7200.0f},
};

// Both resolution dialogs. The field is checked at every change and the
// value kept; OK stores what was kept, even from an earlier opening.
static INT_PTR CALLBACK ResProc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    static char buffer[20];
    static int i;
    static float f;

    if (iMsg == WM_INITDIALOG)
        return TRUE;  // the focus goes to the field
    if (iMsg != WM_COMMAND)
        return FALSE;

    switch (LOWORD(wParam)) {
    case IDC_DISTANCE_MAX: {
        if (HIWORD(wParam) != EN_UPDATE)
            return FALSE;
        GetWindowTextA((HWND)lParam, buffer, 19);
        long long value;
        i = ReadWholeMiles(buffer, &value);
        if (value < 0 || value > 1000) {
            myerror("%s %lld %s", "Value ", value, " is absurd.");
            return TRUE;
        }
        return FALSE;
    }
    case IDC_TIME_MAX:
        if (HIWORD(wParam) != EN_UPDATE)
            return FALSE;
        GetWindowTextA((HWND)lParam, buffer, 19);
        f = (float)atosecs(buffer);
        if (f < 0 || f > 100000) {
            myerror("%s %lld %s", "Value ", (long long)f, " is absurd.");
            return TRUE;
        }
        return FALSE;
    case IDC_DISTANCE_OK:
        // A maximum of 0 or below would leave the bar nothing to divide by.
        if (i > 0)
            fMaxScrollMiles = (float)i;
        EndDialog(hDlg, 0);
        return TRUE;
    case IDC_TIME_OK:
        if (f > 0)
            fMaxScrollSecs = f;
        EndDialog(hDlg, 0);
        return TRUE;
    case IDCANCEL:
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

static INT_PTR CALLBACK AboutProc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (iMsg == WM_INITDIALOG)
        return TRUE;
    if (iMsg == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDC_ABOUT_OK)) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

static void Precision(int id, int first, int *checked, char *format, const char *const formats[])
{
    CheckMenuItem(hMenu, *checked, MF_BYCOMMAND | MF_UNCHECKED);
    *checked = id;
    CheckMenuItem(hMenu, id, MF_BYCOMMAND | MF_CHECKED);
    snprintf(format, 5, "%s", formats[id - first]);
    ReCalc();
}

static void Preset(int k)
{
    dDistance = *presets[k].miles;
    fMaxScrollMiles = presets[k].maxMiles;
    fMaxScrollSecs = presets[k].maxSecs;
    SetScrollPos(hwndDistanceScroll, SB_CTL, ScrollPosition(dDistance, fMaxScrollMiles, iDistanceMax), TRUE);
    SetScrollPos(hwndTargetScroll, SB_CTL, ScrollPosition(dTime, fMaxScrollSecs, iTargetMax), TRUE);
    ReCalc();
}

// The documentation is looked for in the folder the program started in.
static void OpenDoc(HWND hwnd)
{
    if (!pShellExecute) {
        FARPROC found = SystemFunction(L"shell32.dll", "ShellExecuteA");
        pShellExecute = reinterpret_cast<decltype(pShellExecute)>(reinterpret_cast<void *>(found));
    }
    int r = pShellExecute ? (int)(INT_PTR)pShellExecute(hwnd, "open", "velto.txt", NULL, WorkingDirectory,
                                                         SW_SHOWNORMAL)
                          : 0;
    if (r == SE_ERR_NOASSOC) {
        // A Windows with no program for .txt still has Notepad.
        char guide[sizeof WorkingDirectory + 16];
        snprintf(guide, sizeof guide, "\"%s%svelto.txt\"", WorkingDirectory, WorkingDirectory[0] ? "\\" : "");
        r = (int)(INT_PTR)pShellExecute(hwnd, "open", "notepad.exe", guide, WorkingDirectory, SW_SHOWNORMAL);
        if (r <= 32)
            r = SE_ERR_NOASSOC;
    }
    if (r == SE_ERR_FNF || r == SE_ERR_PNF)
        myerror("%s", "Velto.txt not found. Check installation");
    else if (r == SE_ERR_NOASSOC)
        myerror("%s", "No application chosen to open a .txt");
    else if (r <= 32)
        myerror("%s %d", "Unusual error opening velto.txt =", r);
}

void MenuCommand(HWND hwnd, int id)
{
    switch (id) {
    case IDM_EXIT:
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        break;
    case IDM_DISTANCE_RESOLUTION:
        DialogBoxParamA(myInstance, "DistResBox", hwnd, ResProc, 0);
        ReCalc();
        break;
    case IDM_TIME_RESOLUTION:
        DialogBoxParamA(myInstance, "TimeResBox", hwnd, ResProc, 0);
        ReCalc();
        break;
    case IDM_DISTANCE_PRECISION_1:
    case IDM_DISTANCE_PRECISION_2:
    case IDM_DISTANCE_PRECISION_3:
    case IDM_DISTANCE_PRECISION_4:
        Precision(id, IDM_DISTANCE_PRECISION_1, &iDistancePrecisionChecked, szDistanceFormat, distanceFormats);
        break;
    case IDM_TIME_PRECISION_0:
    case IDM_TIME_PRECISION_1:
    case IDM_TIME_PRECISION_2:
        Precision(id, IDM_TIME_PRECISION_0, &iTargetPrecisionChecked, szTimeFormat, timeFormats);
        break;
    case IDM_MARATHON:
        Preset(0);
        break;
    case IDM_HALF_MARATHON:
        Preset(1);
        break;
    case IDM_5K:
        Preset(2);
        break;
    case IDM_10K:
        Preset(3);
        break;
    case IDM_SPLITS:
    case IDM_PREDICTION:
    case IDM_TIME_FROM_PACE:
    case IDM_PACE_PLAN:
    case IDM_TRAINING:
    case IDM_AGE_GRADE:
    case IDM_TOOLS:
    case IDM_TREADMILL:
        RunnersTool(hwnd, id);
        break;
    case IDM_ABOUT:
        DialogBoxParamA(myInstance, "AboutBox", hwnd, AboutProc, 0);
        break;
    case IDM_DOC:
        OpenDoc(hwnd);
        break;
    }
}

// Opening a precision submenu (positions 2 and 3 of Settings) marks the
// current choice. Special and Help, at the same positions of the menu bar,
// hold neither id and stay as they are.
void InitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    hMenu = (HMENU)wParam;
    if (LOWORD(lParam) == 2)
        CheckMenuItem(hMenu, iDistancePrecisionChecked, MF_BYCOMMAND | MF_CHECKED);
    if (LOWORD(lParam) == 3)
        CheckMenuItem(hMenu, iTargetPrecisionChecked, MF_BYCOMMAND | MF_CHECKED);
}
