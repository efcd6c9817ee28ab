// The floor for opening the runner's tools: a window, then a modal tabbed
// dialog, its page a virtual list of 10,000 rows, opened six times and timed
// from the command to the first painting as Velto's are (window_bench
// tools), with the same manifest. Prints the first opening and the median
// of the five after it, in milliseconds.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <algorithm>
#include <cstdio>
#include <vector>

#include "opening.h"

static INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        HWND list = GetDlgItem(page, 100);
        const char *const titles[4] = {"Lap", "Time", "Split", "Pace"};
        for (int k = 0; k < 4; k++) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 80;
            column.pszText = const_cast<char *>(titles[k]);
            SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)k, (LPARAM)&column);
        }
        SendMessageA(list, LVM_SETITEMCOUNT, 10000, 0);
        return TRUE;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == LVN_GETDISPINFOA) {
        NMLVDISPINFOA *info = reinterpret_cast<NMLVDISPINFOA *>(lParam);
        if (info->item.mask & LVIF_TEXT)
            snprintf(info->item.pszText, (size_t)info->item.cchTextMax, "%d:%02d.0", info->item.iItem / 60,
                     info->item.iItem % 60);
        return TRUE;
    }
    return FALSE;
}

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        HWND tabs = GetDlgItem(dialog, 10);
        const char *const names[5] = {"Plan", "Splits", "Equivalents", "Training", "Age Grade"};
        for (int k = 0; k < 5; k++) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char *>(names[k]);
            SendMessageA(tabs, TCM_INSERTITEMA, (WPARAM)k, (LPARAM)&item);
        }
        HWND page = CreateDialogParamA(GetModuleHandleA(NULL), "FloorPage", dialog, PageProc, 0);
        RECT r;
        GetWindowRect(tabs, &r);
        MapWindowPoints(NULL, dialog, (POINT *)&r, 2);
        SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&r);
        SetWindowPos(page, tabs, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND main = CreateWindowExA(0, "STATIC", "Floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 100, 636, 212, NULL, NULL,
                                instance, NULL);
    UpdateWindow(main);
    std::vector<double> times;
    for (int n = 0; n < 6; n++) {
        times.push_back(TimeOpening([&] { DialogBoxParamA(instance, "FloorBox", main, DialogProc, 0); }));
    }
    std::vector<double> later(times.begin() + 1, times.end());
    std::sort(later.begin(), later.end());
    printf("%.1f %.1f\n", times[0], later[later.size() / 2]);
    return 0;
}
