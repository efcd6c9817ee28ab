// Moving between controls by keyboard. The main window is no dialog, so
// Tab, Enter and the arrows are handled by procedures put in front of the
// fields, the unit radios and the scroll bars.
#include "model/units.h"
#include "ui/resource.h"
#include "ui/velto.h"

static WNDPROC fnOldTime, fnOldDistance, fnOldButton, fnOldScroll, fnOldPace;

void FocusControl(HWND control)
{
    SetFocus(control);
    // As in a dialog: what is typed next replaces the value, not appends to it.
    if (control && (control == hwndTimeReadout || control == hwndDistanceReadout))
        SendMessageA(control, EM_SETSEL, 0, -1);
}

// Leaving sends the control its own WM_KILLFOCUS first, so a field
// recalculates before the next control has the focus.
static void MoveFocus(HWND from, WPARAM killParam, HWND to)
{
    SendMessageA(from, WM_KILLFOCUS, killParam, 0);
    FocusControl(to);
}

static LRESULT CALLBACK EditProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    int id = GetWindowLongA(hwnd, GWL_ID);
    if (iMsg == WM_KEYDOWN) {
        if (wParam == VK_TAB)
            MoveFocus(hwnd, 1, id == IDC_TIME_READOUT ? hwndDistanceReadout : hwndDistanceMile);
        else if (wParam == VK_RETURN)
            MoveFocus(hwnd, 1, hwndTargetScroll);
    }
    if (id == IDC_TIME_READOUT)
        return CallWindowProcA(fnOldTime, hwnd, iMsg, wParam, lParam);
    if (id == IDC_DISTANCE_READOUT)
        return CallWindowProcA(fnOldDistance, hwnd, iMsg, wParam, lParam);
    return DefWindowProcA(hwnd, iMsg, wParam, lParam);
}

// Within a bank Tab and Right go round to the next unit, Left to the
// previous one; Up and Down change bank at the same unit.
static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    if (iMsg == WM_KEYDOWN) {
        int id = GetWindowLongA(hwnd, GWL_ID);
        HWND parent = GetParent(hwnd);
        HWND target = NULL;
        switch (wParam) {
        case VK_TAB:
        case VK_RIGHT:
            target = GetDlgItem(parent, id < IDC_DISTANCE_200M   ? id + 1
                                         : id == IDC_DISTANCE_200M ? IDC_DISTANCE_MILE
                                         : id < IDC_SPLIT_200M     ? id + 1
                                                                   : IDC_SPLIT_MILE);
            break;
        case VK_LEFT:
            target = GetDlgItem(parent, id > IDC_SPLIT_MILE     ? id - 1
                                         : id == IDC_SPLIT_MILE   ? IDC_SPLIT_200M
                                         : id > IDC_DISTANCE_MILE ? id - 1
                                                                  : IDC_DISTANCE_200M);
            break;
        case VK_UP:
            target = id >= IDC_SPLIT_MILE ? GetDlgItem(parent, id - UNITS) : hwndDistanceReadout;
            break;
        case VK_DOWN:
            target = id <= 17 ? GetDlgItem(parent, id + 5) : hwndDistanceScroll;
            break;
        }
        if (target)
            MoveFocus(hwnd, 0, target);
    }
    return CallWindowProcA(fnOldButton, hwnd, iMsg, wParam, lParam);
}

// Page Up raises the value and Page Down lowers it, as on a scale, which is
// the reverse of what a horizontal bar does with them.
static LRESULT CALLBACK ScrollProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    if (iMsg == WM_KEYDOWN) {
        if (wParam == VK_PRIOR)
            return CallWindowProcA(fnOldScroll, hwnd, WM_KEYDOWN, VK_NEXT, 0);
        if (wParam == VK_NEXT)
            return CallWindowProcA(fnOldScroll, hwnd, WM_KEYDOWN, VK_PRIOR, 0);
        if (wParam == VK_TAB)
            MoveFocus(hwnd, 1, hwnd == hwndDistanceScroll ? hwndTargetScroll : hwndTimeReadout);
    }
    return CallWindowProcA(fnOldScroll, hwnd, iMsg, wParam, lParam);
}

// The pace field only shows a result, but a click puts the keyboard there:
// Tab goes on to the distance bar (the next row), Enter to the time bar as
// from the other fields, Esc back to the time field. Nothing is recalculated.
static LRESULT CALLBACK PaceFieldProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    if (iMsg == WM_KEYDOWN) {
        HWND target = wParam == VK_TAB      ? hwndDistanceScroll
                      : wParam == VK_RETURN ? hwndTargetScroll
                      : wParam == VK_ESCAPE ? hwndTimeReadout
                                            : NULL;
        if (target)
            FocusControl(target);
    }
    return CallWindowProcA(fnOldPace, hwnd, iMsg, wParam, lParam);
}

static WNDPROC Subclass(HWND control, WNDPROC procedure)
{
    return (WNDPROC)SetWindowLongPtrA(control, GWLP_WNDPROC, (LONG_PTR)procedure);
}

void InstallKeyboard(HWND hwnd)
{
    fnOldTime = Subclass(hwndTimeReadout, EditProc);
    fnOldDistance = Subclass(hwndDistanceReadout, EditProc);
    // All radios share one class procedure, and so do both bars; a control
    // that could not be created gives none and must not wipe it.
    for (int i = IDC_DISTANCE_MILE; i <= IDC_SPLIT_200M; i++)
        if (WNDPROC old = Subclass(GetDlgItem(hwnd, i), ButtonProc))
            fnOldButton = old;
    const HWND bars[2] = {hwndDistanceScroll, hwndTargetScroll};
    for (HWND bar : bars)
        if (WNDPROC old = Subclass(bar, ScrollProc))
            fnOldScroll = old;
    if (hwndPaceField)
        fnOldPace = Subclass(hwndPaceField, PaceFieldProc);
}
