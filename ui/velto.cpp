// The main window procedure: sizing and layout, scroll bars, typed entry
// and unit choice.
#include "model/entry.h"
#include "model/pacemodel.h"
#include "model/units.h"
#include "ui/resource.h"
#include "ui/velto.h"

int iDistanceMax, iTargetMax;

static int cxChar, cyChar;      // system fixed font, measured once
static int cxClient, cyClient;  // client area
static int cyRow;               // row pitch
static HWND hwndFocus;          // the control that had the focus when the window was left

// Posted on the window's return, so that the hand-back comes after what a
// closing box or dialog still has to do.
static const UINT WM_HANDBACK = WM_APP + 1;

// The unit radios by id, from the distance bank's first: then the split bank.
static HWND *const unitRadios[10] = {
    &hwndDistanceMile, &hwndDistanceKm, &hwndDistance400m, &hwndDistance440y, &hwndDistance200m,
    &hwndSplitMile,    &hwndSplitKm,    &hwndSplit400m,    &hwndSplit440y,    &hwndSplit200m,
};

// The time or distance field while it has the focus, as their own
// notifications tell: known without asking the system on every drag.
static HWND hwndTyping;

// A field rewritten while it has the focus is all selected again: the caret
// would land before the new text, and what the user types next would be
// put in front of it.
static void Rewrite(HWND field, const char *text)
{
    if (!field)  // no fields yet while the window is being created
        return;
    SetWindowTextA(field, text);
    if (field == hwndTyping)
        SendMessageA(field, EM_SETSEL, 0, -1);
}

// ReCalc's texts go to the pace, time and distance fields, in that order.
// Setting the time and distance texts runs their read-back at once.
void ShowReadouts(const char *pace, const char *time, const char *distance)
{
    Rewrite(hwndPaceField, pace);
    Rewrite(hwndTimeReadout, time);
    Rewrite(hwndDistanceReadout, distance);
}

void ResetButtons(HWND hwnd, int bank)
{
    if (bank != 0 && bank != 1)
        return;
    for (int id = IDC_DISTANCE_MILE + UNITS * bank; id < IDC_DISTANCE_MILE + UNITS * bank + UNITS; id++)
        SendMessageA(GetDlgItem(hwnd, id), BM_SETCHECK, BST_UNCHECKED, 0);
}

static void OnCreate(HWND hwnd)
{
    TEXTMETRICA tm;
    HDC hdc = GetDC(hwnd);
    SelectObject(hdc, GetStockObject(SYSTEM_FIXED_FONT));
    GetTextMetricsA(hdc, &tm);
    cxChar = tm.tmAveCharWidth;
    cyChar = tm.tmHeight + tm.tmExternalLeading;
    ReleaseDC(hwnd, hdc);

    // Twelve lines high, in the 3:1 proportions of the 600 x 200 creation size.
    int height = 12 * cyChar + 20;
    MoveWindow(hwnd, 50, 100, height * 600 / 200, height, TRUE);
}

static void OnSize(LPARAM lParam)
{
    cxClient = LOWORD(lParam);
    cyClient = HIWORD(lParam);
    cyRow = (cyClient - 20) / 5;
    int L = 14 * cxChar;                  // labels: "Target Time:" and two more
    int R = 13 * cxChar;                  // fields
    int S = cxClient - L - 30;            // scroll bars
    int G = 3 * cyRow / 2;                // group boxes
    int B = (cxClient - L - R - 55) / 5;  // radios

    // The size notification of the window's creation comes before its controls.
    if (bControlsCreated) {
        MoveWindow(hwndDistanceLabel, 10, 3 * cyRow + 10, L, cyChar, TRUE);
        MoveWindow(hwndTargetLabel, 10, 4 * cyRow + 10, L, cyChar, TRUE);
        MoveWindow(hwndDistanceScroll, L + 20, 3 * cyRow + 10, S, cyChar, TRUE);
        MoveWindow(hwndTargetScroll, L + 20, 4 * cyRow + 10, S, cyChar, TRUE);
        MoveWindow(hwndTimeReadoutLabel, 10, 10, L, cyChar, TRUE);
        MoveWindow(hwndTimeReadout, L + 20, 10, R, cyChar, TRUE);
        MoveWindow(hwndDistanceReadoutLabel, 10, cyRow + 10, L, cyChar, TRUE);
        MoveWindow(hwndDistanceReadout, L + 20, cyRow + 10, R, cyChar, TRUE);
        MoveWindow(hwndPaceLabel, 10, 2 * cyRow + 10, L, cyChar, TRUE);
        MoveWindow(hwndPaceField, L + 20, 2 * cyRow + 10, R, cyChar, TRUE);
        MoveWindow(hwndDistanceGroup, L + R + 30, 5, cxClient - L - R - 40, G, TRUE);
        MoveWindow(hwndSplitGroup, L + R + 30, G + 5, cxClient - L - R - 40, G, TRUE);
        for (int k = 0; k < 5; k++)
            MoveWindow(*unitRadios[k], L + R + 35 + k * B, G - 5 - cyChar, B, cyChar, TRUE);
        for (int k = 0; k < 5; k++)
            MoveWindow(*unitRadios[5 + k], L + R + 35 + k * B, 3 * cyRow - 5 - cyChar, B, cyChar, TRUE);

        // One scroll unit is one pixel of the bar.
        SetScrollRange(hwndTargetScroll, SB_CTL, 0, S, TRUE);
        SetScrollRange(hwndDistanceScroll, SB_CTL, 0, S, TRUE);
    }
    iTargetMax = S;
    iDistanceMax = S;
    ReCalc();
}

// A typed or read-back value is taken, and its thumb follows; one out of
// range is reported, and the value and its thumb go to 0 once the box is
// closed.
static void Entry(bool accepted, const char *message, float *value, float taken, float maximum, int range,
                  HWND bar)
{
    if (!accepted) {
        myerror("%s", message);
        *value = 0;
        SetScrollPos(bar, SB_CTL, 0, TRUE);
        ReCalc();
        return;
    }
    *value = taken;
    SetScrollPos(bar, SB_CTL, ScrollPosition(taken, maximum, range), TRUE);
}

// Every change of the time text: the model and the thumb follow it; the pace
// waits until the field is left.
static void TimeEntry()
{
    GetWindowTextA(hwndTimeReadout, szTime, 13);
    float t = ReadTime(szTime, fMaxScrollSecs, FormatDecimals(szTimeFormat));
    Entry(t >= 0, "Time out of range.", &dTime, t, fMaxScrollSecs, iTargetMax, hwndTargetScroll);
}

// The distance text is read as its first number, in the unit shown, whatever
// letters follow it.
static void DistanceEntry()
{
    GetWindowTextA(hwndDistanceReadout, szDistance, 13);
    float q = ReadDistance(szDistance, dDistanceFactor, fMaxScrollMiles, FormatDecimals(szDistanceFormat));
    Entry(q >= 0, "Distance out of range.", &dDistance, q, fMaxScrollMiles, iDistanceMax, hwndDistanceScroll);
}

static void UnitChoice(HWND hwnd, int id)
{
    int bank = id < IDC_SPLIT_MILE ? 0 : 1;
    ResetButtons(hwnd, bank);
    SendMessageA(*unitRadios[id - IDC_DISTANCE_MILE], BM_SETCHECK, BST_CHECKED, 0);
    if (bank == 0) {
        dDistanceFactor = UnitFactor(id);
        iUnitChecked = id;
    } else {
        dSplitFactor = UnitFactor(id);
        iSplitChecked = id;
    }
    ReCalc();
}

// Arrows step 0.01 and pages 0.1 of the shown distance unit, or 1 and 60
// seconds; the thumb maps its position linearly onto 0 .. maximum.
static void OnHScroll(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    HWND bar = (HWND)lParam;
    int id = GetWindowLongA(bar, GWL_ID);
    unsigned code = LOWORD(wParam);
    if (code > SB_RIGHT || (id != IDC_DISTANCE_SCROLL && id != IDC_TARGET_SCROLL))
        return;  // SB_ENDSCROLL follows every action

    bool distance = id == IDC_DISTANCE_SCROLL;
    float *value = distance ? &dDistance : &dTime;
    float maximum = distance ? fMaxScrollMiles : fMaxScrollSecs;
    int range = distance ? iDistanceMax : iTargetMax;
    long double line = distance ? (long double)0.01 / dDistanceFactor : 1;
    long double page = distance ? (long double)0.1 / dDistanceFactor : 60;
    int p = HIWORD(wParam);
    int position = 0;

    switch (code) {
    case SB_LINELEFT:
    case SB_LINERIGHT:
    case SB_PAGELEFT:
    case SB_PAGERIGHT: {
        long double step = code <= SB_LINERIGHT ? line : page;
        *value = (float)(code % 2 ? *value + step : *value - step);  // the odd codes go right
        position = ScrollPosition(*value, maximum, range);
        break;
    }
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        // Past the right end the clamp below takes the maximum; a bar with no
        // range (a window made too narrow) keeps the value.
        if (range > 0)
            *value = p >= range ? maximum : (float)((long double)p * maximum / range);
        position = p;
        break;
    case SB_LEFT:
        *value = 0;
        position = 0;
        break;
    case SB_RIGHT:
        *value = maximum;
        position = range;
        break;
    }
    if (position >= range)
        position = range;
    if (position <= 0)  // last, so that a bar with no range gets 0
        position = 0;

    // Both values, whichever bar moved. NaN is not greater than 0 either.
    if (!(dDistance > 0))
        dDistance = 0;
    if (dDistance >= fMaxScrollMiles)
        dDistance = fMaxScrollMiles;
    if (!(dTime > 0))
        dTime = 0;
    if (dTime >= fMaxScrollSecs)
        dTime = fMaxScrollSecs;

    SetScrollPos(bar, SB_CTL, position, TRUE);
    ReCalc();
    UpdateWindow(hwnd);
}

static void OnCommand(HWND hwnd, WPARAM wParam)
{
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    switch (id) {
    case IDC_TIME_READOUT:
    case IDC_DISTANCE_READOUT:
        if (code == EN_SETFOCUS) {
            hwndTyping = GetDlgItem(hwnd, id);
        } else if (code == EN_KILLFOCUS) {
            hwndTyping = NULL;
            ReCalc();
        } else if (code == EN_UPDATE)
            id == IDC_TIME_READOUT ? TimeEntry() : DistanceEntry();
        break;
    default:
        if (id >= IDC_DISTANCE_MILE && id <= IDC_SPLIT_200M)
            UnitChoice(hwnd, id);
        else
            MenuCommand(hwnd, id);  // unknown ids do nothing there
        break;
    }
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_CREATE:
        OnCreate(hwnd);
        return 0;
    case WM_SIZE:
        OnSize(lParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;  // the controls show everything
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_COMMAND:
        OnCommand(hwnd, wParam);
        return 0;
    case WM_HSCROLL:
        OnHScroll(hwnd, wParam, lParam);
        return 0;
    case WM_INITMENUPOPUP:
        InitMenuPopup(wParam, lParam);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        // Leaving for a box, a dialog or another program: remember where the
        // user was. Coming back, the default handling gives the window the
        // focus, and WM_SETFOCUS has it handed on.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus))
                hwndFocus = focus;
        }
        break;
    case WM_CLOSE:
        if (!ToolsMayClose(hwnd))
            return 0;  // the user stays, to keep the plan's changes
        break;
    case WM_ENDSESSION:
        if (wParam)
            ToolsEndSession();
        break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETSCREENREADER)
            NameControlsForScreenReaders();
        break;
    case WM_SETFOCUS:
        // Not at once: after OK in a dialog the window still recalculates
        // with the focus its own, and a field given the focus now would re-read
        // a rejected value as the box opens, and open a second one.
        if (hwndFocus && IsChild(hwnd, hwndFocus)) {
            PostMessageA(hwnd, WM_HANDBACK, 0, 0);
            return 0;
        }
        break;
    case WM_HANDBACK:
        // Only if nothing has taken the focus since, and no box is up.
        if (GetActiveWindow() == hwnd && GetFocus() == hwnd && hwndFocus && IsChild(hwnd, hwndFocus))
            FocusControl(hwndFocus);
        return 0;
    }
    return DefWindowProcA(hwnd, iMsg, wParam, lParam);
}
