// The runner's tools of the Special menu: the split table, race prediction
// and the time from a pace. Each is a modal dialog over the model's values;
// only Time from Pace changes them.
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "model/pacemodel.h"
#include "model/tools.h"
#include "ui/resource.h"
#include "ui/velto.h"

// The split unit as its radio reads: "Mile", "Km", "400m", "440y", "200m".
static const char *SplitUnitName()
{
    static const char *const names[5] = {"Mile", "Km", "400m", "440y", "200m"};
    return iSplitChecked >= IDC_SPLIT_MILE && iSplitChecked <= IDC_SPLIT_200M ? names[iSplitChecked - IDC_SPLIT_MILE]
                                                                              : "unit";
}

// The distance, time and pace as the readouts show them after the next
// recalculation (a field being typed in may still show something else).
struct ModelTexts {
    char distance[DISTANCE_TEXT_SIZE], time[TIME_TEXT_SIZE], pace[PACE_TEXT_SIZE];
};

static void ReadModel(ModelTexts *texts)
{
    long double pace = dDistance > 0 ? (long double)dTime / dDistance / dSplitFactor : 0;
    FormatDistance(dDistance, texts->distance, sizeof texts->distance);
    to_timestring(dTime, texts->time, sizeof texts->time);
    FormatPace(pace > FLT_MAX ? INFINITY : (float)pace, texts->pace, sizeof texts->pace);
}

static const char szSetFirst[] = "Set a distance and a target time first (type them or drag their bars), "
                                 "then open this again.";

// ------------------------------------------------------------------ splits

static SplitPlan splitPlan;  // of the dialog that is open; rows are drawn from it

static void ShowSplitNote(HWND hDlg)
{
    char note[256];
    ModelTexts texts;
    ReadModel(&texts);
    int used = snprintf(note, sizeof note, "%s in %s at even pace, %s.", texts.distance, texts.time, texts.pace);
    if (splitPlan.every > 1 && used > 0 && (size_t)used < sizeof note)
        snprintf(note + used, sizeof note - used, "\nOne row every %lld x %s: the table keeps to %lld rows.",
                 splitPlan.every, SplitUnitName(), SPLIT_ROWS_MAX);
    SetDlgItemTextA(hDlg, IDC_SPLITS_NOTE, note);
}

// Rows are drawn as they come into view: the list holds no text, so any
// distance opens at once.
static void DrawSplitRow(const DRAWITEMSTRUCT *item)
{
    if (item->itemID == (UINT)-1)
        return;
    char unit[SPLIT_UNIT_SIZE], time[TIME_TEXT_SIZE];
    SplitRow(splitPlan, item->itemID, unit, sizeof unit, time, sizeof time);
    bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = item->rcItem;
    int width = r.right - r.left;
    r.right = r.left + width * 2 / 5;
    DrawTextA(item->hDC, unit, -1, &r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    r.left = r.right;
    r.right = item->rcItem.right - width / 8;
    DrawTextA(item->hDC, time, -1, &r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(item->hDC, &item->rcItem);
}

// The table as plain text, one row a line, a tab between the columns.
static void CopySplits(HWND hDlg)
{
    size_t size = (size_t)(splitPlan.rows + 1) * SPLIT_LINE_MAX + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    char *text = memory ? static_cast<char *>(GlobalLock(memory)) : NULL;
    if (!text) {
        if (memory)
            GlobalFree(memory);
        return;
    }
    size_t used = (size_t)snprintf(text, size, "%s\tTime\r\n", SplitUnitName());
    for (long long k = 0; k < splitPlan.rows && used < size; k++) {
        char unit[SPLIT_UNIT_SIZE], time[TIME_TEXT_SIZE];
        SplitRow(splitPlan, k, unit, sizeof unit, time, sizeof time);
        int n = snprintf(text + used, size - used, "%s\t%s\r\n", unit, time);
        used += n > 0 ? (size_t)n : 0;
    }
    GlobalUnlock(memory);
    if (OpenClipboard(hDlg)) {
        EmptyClipboard();
        if (SetClipboardData(CF_TEXT, memory))
            memory = NULL;  // the clipboard owns it now
        CloseClipboard();
    }
    if (memory)
        GlobalFree(memory);
}

static INT_PTR CALLBACK SplitsProc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_INITDIALOG:
        if (PlanSplits(dDistance, dTime, dSplitFactor, &splitPlan)) {
            ShowSplitNote(hDlg);
            SendDlgItemMessageA(hDlg, IDC_SPLITS_LIST, LB_SETCOUNT, (WPARAM)splitPlan.rows, 0);
        } else {
            splitPlan.rows = 0;
            SetDlgItemTextA(hDlg, IDC_SPLITS_NOTE, szSetFirst);
            EnableWindow(GetDlgItem(hDlg, IDC_SPLITS_COPY), FALSE);
        }
        return TRUE;
    case WM_MEASUREITEM: {
        TEXTMETRICA tm;
        HDC hdc = GetDC(hDlg);
        HGDIOBJ old = SelectObject(hdc, (HFONT)SendMessageA(hDlg, WM_GETFONT, 0, 0));
        GetTextMetricsA(hdc, &tm);
        SelectObject(hdc, old);
        ReleaseDC(hDlg, hdc);
        reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight = tm.tmHeight + 2;
        return TRUE;
    }
    case WM_DRAWITEM:
        DrawSplitRow(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SPLITS_COPY) {
            if (splitPlan.rows > 0)  // the button is off then, but a message may still come
                CopySplits(hDlg);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, 0);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// -------------------------------------------------------------- prediction

static void ShowPredictions(HWND hDlg)
{
    char text[1024], time[TIME_TEXT_SIZE], pace[PACE_TEXT_SIZE];
    ModelTexts texts;
    ReadModel(&texts);
    int used = snprintf(text, sizeof text, "From %s in %s, by Riegel's formula:\r\n\r\nRace\tTime\tPace per %s\r\n",
                        texts.distance, texts.time, SplitUnitName());
    for (int k = 0; k < RACES && used > 0 && (size_t)used < sizeof text; k++) {
        long double t = PredictSeconds(dDistance, dTime, fRaceMiles[k]);
        long double p = t / ((long double)fRaceMiles[k] * dSplitFactor);
        to_timestring(t > FLT_MAX ? INFINITY : (float)t, time, sizeof time);
        FormatPace(p > FLT_MAX ? INFINITY : (float)p, pace, sizeof pace);
        used += snprintf(text + used, sizeof text - used, "%s\t%s\t%s\r\n", szRaceNames[k], time, pace);
    }
    if (!WithinRiegelRange(dTime) && used > 0 && (size_t)used < sizeof text)
        snprintf(text + used, sizeof text - used,
                 "\r\nCaution: the formula is meant for efforts of 3:30 to 4:00:00; these are rough.");
    SetDlgItemTextA(hDlg, IDC_PREDICTION_TEXT, text);
}

static INT_PTR CALLBACK PredictionProc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (iMsg == WM_INITDIALOG) {
        int stops[2] = {64, 124};  // dialog units
        SendDlgItemMessageA(hDlg, IDC_PREDICTION_TEXT, EM_SETTABSTOPS, 2, (LPARAM)stops);
        if (dDistance > 0 && dTime > 0)
            ShowPredictions(hDlg);
        else
            SetDlgItemTextA(hDlg, IDC_PREDICTION_TEXT, szSetFirst);
        SetFocus(GetDlgItem(hDlg, IDOK));
        return FALSE;  // the focus is set
    }
    if (iMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

// ----------------------------------------------------------- time from pace

// OK takes the pace only when the whole time it gives can be used; any
// fault is told and the dialog stays, with nothing changed.
static bool TakePace(HWND hDlg)
{
    char text[64];
    GetDlgItemTextA(hDlg, IDC_PACE_VALUE, text, sizeof text);
    double pace = atosecs(text);
    if (pace < 0) {
        myerror("The pace \"%s\" cannot be read: write it as the time field takes it, for example 4:30.", text);
        return false;
    }
    if (!(dDistance > 0)) {
        myerror("%s", "Set a distance first: the time is the pace over the distance.");
        return false;
    }
    long double t = TimeFromPace(pace, dDistance, dSplitFactor);
    if (t > fMaxScrollSecs) {
        char time[TIME_TEXT_SIZE], range[TIME_TEXT_SIZE];
        to_timestring(t > FLT_MAX ? INFINITY : (float)t, time, sizeof time);
        to_timestring(fMaxScrollSecs, range, sizeof range);
        myerror("That pace gives %s, above the time range of %s: raise it in Settings > Time Resolution first.",
                time, range);
        return false;
    }
    dTime = (float)t;
    SetScrollPos(hwndTargetScroll, SB_CTL, ScrollPosition(dTime, fMaxScrollSecs, iTargetMax), TRUE);
    return true;
}

static INT_PTR CALLBACK PaceProc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (iMsg == WM_INITDIALOG) {
        char label[32];
        snprintf(label, sizeof label, "Pace per %s:", SplitUnitName());
        SetDlgItemTextA(hDlg, IDC_PACE_PROMPT, label);
        return TRUE;  // the focus goes to the field
    }
    if (iMsg != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        if (TakePace(hDlg))
            EndDialog(hDlg, 1);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

void RunnersTool(HWND hwnd, int id)
{
    switch (id) {
    case IDM_SPLITS:
        DialogBoxParamA(myInstance, "SplitsBox", hwnd, SplitsProc, 0);
        break;
    case IDM_PREDICTION:
        DialogBoxParamA(myInstance, "PredictionBox", hwnd, PredictionProc, 0);
        break;
    case IDM_TIME_FROM_PACE:
        if (DialogBoxParamA(myInstance, "PaceBox", hwnd, PaceProc, 0) == 1)
            ReCalc();
        break;
    }
}
