// The runner's tools: one window over the main window, a tab per tool. It
// starts from the main window's distance and time as shown, and from then on
// holds its own exact entries.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
#include <cstring>

#include "model/pacemodel.h"
#include "ui/files.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

ToolsState tools = TOOLS_DEFAULTS;

static const struct {
    const char *title, *name;
    DLGPROC proc;
} pages[PAGES] = {
    {"Plan", "PlanPage", PlanPageProc},
    {"Splits", "SplitsPage", SplitsPageProc},
    {"Equivalents", "EquivalentsPage", EquivalentsPageProc},
    {"Training", "TrainingPage", TrainingPageProc},
    {"Age Grade", "AgeGradePage", AgeGradePageProc},
    {"Treadmill", "TreadmillPage", TreadmillPageProc},
};

static HWND hwndTools;         // the window, while it is open
static HWND hwndPages[PAGES];  // of the window that is open; made when first shown
static POINT ptSmallest;       // the window's size as made: it grows from there
static HHOOK hookCtrlTab;
static int iFocusPace;  // Time from Pace: the keyboard starts in the pace entry

// An entry as the plan reads it: the exact number behind it where the tools
// wrote it themselves, else its text.
static const char *PlanEntry(int k, const char *text)
{
    return tools.held[k][0] ? tools.held[k] : text;
}

Plan ToolsPlan()
{
    return SolvePlan(tools.solve, PlanEntry(SOLVE_TIME, tools.time), PlanEntry(SOLVE_DISTANCE, tools.distance),
                     tools.distanceUnit, PlanEntry(SOLVE_PACE, tools.pace), tools.paceKind);
}

void HoldEntry(int k, long double value)
{
    char *held = tools.held[k];
    int n = snprintf(held, sizeof tools.held[k], "%.21Lg", value);
    // A number the entries cannot read back (1e+30) is not held: the text rules.
    if (n <= 0 || (size_t)n >= sizeof tools.held[k] || strchr(held, 'e'))
        held[0] = '\0';
}

HWND FocusFirstEntry(HWND hPage)
{
    HWND first = NULL;
    for (HWND child = GetWindow(hPage, GW_CHILD); child && !first; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16];
        GetClassNameA(child, name, sizeof name);
        LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (!_stricmp(name, "Edit") && (style & WS_VISIBLE) && (style & WS_TABSTOP) && !(style & WS_DISABLED) &&
            !(style & ES_READONLY))
            first = child;
    }
    if (!first)
        first = GetNextDlgTabItem(hPage, NULL, FALSE);
    if (first) {
        SetFocus(first);
        SendMessageA(first, EM_SETSEL, 0, -1);  // typing replaces it
    }
    return first;
}

int ToolsDecimals()
{
    return FormatDecimals(szDistanceFormat);
}

INT_PTR ClosePage(HWND hPage)
{
    PostMessageA(GetParent(hPage), WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void FillCombo(HWND combo, const char *const texts[], int count, int selected)
{
    for (int k = 0; k < count; k++)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)texts[k]);
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)selected, 0);
}

void FillUnits(HWND combo, int selected)
{
    for (int k = 0; k < UNITS; k++)
        SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)UNIT_TABLE[k].name);
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)selected, 0);
}

// Sets row k's cells, inserting the row first.
void SetRow(HWND list, int k, const char *const cells[], int count)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = k;
    item.pszText = const_cast<char *>(cells[0]);
    SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
    for (int c = 1; c < count; c++) {
        item.iSubItem = c;
        item.pszText = const_cast<char *>(cells[c]);
        SendMessageA(list, LVM_SETITEMTEXTA, (WPARAM)k, (LPARAM)&item);
    }
}

void AddColumns(HWND list, const char *const titles[], int count, int firstWidth)
{
    RECT r;
    GetClientRect(list, &r);
    // Room for a vertical scroll bar, so that no column hides under it.
    int rest = (r.right - firstWidth - GetSystemMetrics(SM_CXVSCROLL) - 2) / (count - 1);
    for (int k = 0; k < count; k++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = k ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = k ? rest : firstWidth;
        column.pszText = const_cast<char *>(titles[k]);
        SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)k, (LPARAM)&column);
    }
}

void FitColumns(HWND list, int count)
{
    // Each column as wide as its widest text or its heading, at any DPI.
    for (int c = 0; c < count; c++) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, (WPARAM)c, LVSCW_AUTOSIZE);
        int cells = (int)SendMessageA(list, LVM_GETCOLUMNWIDTH, (WPARAM)c, 0);
        SendMessageA(list, LVM_SETCOLUMNWIDTH, (WPARAM)c, LVSCW_AUTOSIZE_USEHEADER);
        int heading = (int)SendMessageA(list, LVM_GETCOLUMNWIDTH, (WPARAM)c, 0);
        if (c == count - 1)  // the last one is stretched by the heading's rule: not wider than needed
            heading = cells;
        SendMessageA(list, LVM_SETCOLUMNWIDTH, (WPARAM)c, cells > heading ? cells : heading);
    }
}

// A note's text to draw: the blank between a number and its unit one that
// does not break.
static int NoteText(HWND note, wchar_t *wide, int size)
{
    char text[1024];
    GetWindowTextA(note, text, sizeof text);
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, size);
    for (int k = 1; k + 1 < n; k++)
        if (wide[k] == L' ' && wide[k - 1] >= L'0' && wide[k - 1] <= L'9' && !(wide[k + 1] >= L'0' && wide[k + 1] <= L'9'))
            wide[k] = 0x00A0;
    return n > 0 ? n - 1 : 0;
}

static const UINT NOTE_FORMAT = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT | DT_TOP;

void DrawNote(const DRAWITEMSTRUCT *item)
{
    wchar_t text[1024];
    int n = NoteText(item->hwndItem, text, 1024);
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(item->hDC, (HFONT)SendMessageA(item->hwndItem, WM_GETFONT, 0, 0));
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetSysColor(IsWindowEnabled(item->hwndItem) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT r = item->rcItem;
    DrawTextW(item->hDC, text, n, &r, NOTE_FORMAT);
    SelectObject(item->hDC, old);
}

int NoteHeight(HWND note, int width)
{
    wchar_t text[1024];
    int n = NoteText(note, text, 1024);
    if (n == 0)
        return 0;
    HDC hdc = GetDC(note);
    HGDIOBJ old = SelectObject(hdc, (HFONT)SendMessageA(note, WM_GETFONT, 0, 0));
    RECT r = {0, 0, width, 0};
    DrawTextW(hdc, text, n, &r, NOTE_FORMAT | DT_CALCRECT);
    SelectObject(hdc, old);
    ReleaseDC(note, hdc);
    return r.bottom;
}

HDWP PlaceControl(HDWP batch, HWND control, int x, int y, int width, int height)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, GetParent(control), (POINT *)&r, 2);
    bool sized = r.right - r.left != width || r.bottom - r.top != height;
    if (!batch || (r.left == x && r.top == y && !sized))
        return batch;
    // A control of another size is drawn anew whole: its old picture, kept
    // where it fits, would show a note wrapped at the old width or a profile
    // at the old scale.
    return DeferWindowPos(batch, control, NULL, x, y, width, height,
                          SWP_NOZORDER | SWP_NOACTIVATE | (sized ? SWP_NOCOPYBITS : 0));
}

// The tab and list controls, loaded only for the tools.
static bool CommonControls()
{
    static bool ready;
    if (ready)
        return true;
    auto init = reinterpret_cast<BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *)>(
        reinterpret_cast<void *>(SystemFunction(L"comctl32.dll", "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    ready = init && init(&icc);
    return ready;
}

void PrepareTools()
{
    CommonControls();
}

// The window's values as shown, when they changed since the tools last took
// them; a window that holds no plan (a time or distance of 0) leaves the
// tools their own.
static void TakeWindowValues()
{
    if (!(dDistance > 0 && dTime > 0) || (dDistance == tools.seenDistance && dTime == tools.seenTime))
        return;
    tools.seenDistance = dDistance;
    tools.seenTime = dTime;
    to_timestring(dTime, tools.time, sizeof tools.time);
    snprintf(tools.distance, sizeof tools.distance, szDistanceFormat, (double)((long double)dDistance * dDistanceFactor));
    if (UnitOfDistanceRadio(iUnitChecked) >= 0)
        tools.distanceUnit = UnitOfDistanceRadio(iUnitChecked);
    if (UnitOfSplitRadio(iSplitChecked) >= 0)
        tools.paceKind = tools.splitUnit = UnitOfSplitRadio(iSplitChecked);
    tools.solve = SOLVE_PACE;
    // The pace too, exactly, so that Time from Pace starts from this one.
    tools.held[SOLVE_TIME][0] = tools.held[SOLVE_DISTANCE][0] = tools.held[SOLVE_PACE][0] = '\0';
    Plan plan = SolvePlan(SOLVE_PACE, tools.time, tools.distance, tools.distanceUnit, "", tools.paceKind);
    tools.pace[0] = '\0';
    if (plan.solved) {
        FormatPaceIn(plan.secondsPerMetre, tools.paceKind, tools.pace, sizeof tools.pace);
        HoldEntry(SOLVE_PACE, PaceIn(plan.secondsPerMetre, tools.paceKind));
    }
}

// The frame of the pages, under the row of tabs and over Close. The tab
// control is only as tall as its row: one as large as the pages paints its
// whole pane under them at every resize, half the time a resize takes.
static RECT PagesFrame(HWND hDlg)
{
    RECT client, margin = {6, 6, 6, 6}, tabs, close;
    GetClientRect(hDlg, &client);
    MapDialogRect(hDlg, &margin);
    GetWindowRect(GetDlgItem(hDlg, IDC_TOOLS_TABS), &tabs);
    MapWindowPoints(NULL, hDlg, (POINT *)&tabs, 2);
    GetWindowRect(GetDlgItem(hDlg, IDCANCEL), &close);
    MapWindowPoints(NULL, hDlg, (POINT *)&close, 2);
    return {margin.left, tabs.bottom, client.right - margin.right, close.top - margin.bottom};
}

// The frame where it was and where it is now to be drawn again: only its
// edges, not the pages within.
static void FrameMoved(HWND hDlg)
{
    static RECT last;
    RECT now = PagesFrame(hDlg);
    for (const RECT &frame : {last, now}) {
        RECT inner = frame;
        InflateRect(&inner, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
        HRGN edges = CreateRectRgnIndirect(&frame), within = CreateRectRgnIndirect(&inner);
        CombineRgn(edges, edges, within, RGN_DIFF);
        InvalidateRgn(hDlg, edges, TRUE);
        DeleteObject(edges);
        DeleteObject(within);
    }
    last = now;
}

// Where the pages go, within their frame.
static RECT PageArea(HWND hDlg)
{
    RECT r = PagesFrame(hDlg);
    InflateRect(&r, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
    return r;
}

// The height of the row of tabs.
static int TabsHeight(HWND tabs)
{
    RECT item = {0, 0, 0, 0};
    SendMessageA(tabs, TCM_GETITEMRECT, 0, (LPARAM)&item);
    return item.bottom + GetSystemMetrics(SM_CYEDGE);
}

// The window grown or shrunk: the tabs and the pages take the room, Close
// keeps to the lower right corner; moved all at once.
static void Layout(HWND hDlg, int width, int height)
{
    RECT margin = {6, 6, 6, 6};
    MapDialogRect(hDlg, &margin);
    HWND close = GetDlgItem(hDlg, IDCANCEL);
    RECT button;
    GetWindowRect(close, &button);
    int bw = button.right - button.left, bh = button.bottom - button.top;
    HWND tabs = GetDlgItem(hDlg, IDC_TOOLS_TABS);
    HDWP batch = BeginDeferWindowPos(2);
    batch = PlaceControl(batch, close, width - margin.right - bw, height - margin.bottom - bh, bw, bh);
    batch = PlaceControl(batch, tabs, margin.left, margin.top, width - 2 * margin.left, TabsHeight(tabs));
    if (batch)
        EndDeferWindowPos(batch);
    FrameMoved(hDlg);
    RECT area = PageArea(hDlg);
    batch = BeginDeferWindowPos(PAGES);
    for (int k = 0; k < PAGES; k++)  // the pages made so far
        if (hwndPages[k])
            batch = PlaceControl(batch, hwndPages[k], area.left, area.top, area.right - area.left, area.bottom - area.top);
    if (batch)
        EndDeferWindowPos(batch);
}

static void ShowPage(HWND hDlg, int page)
{
    HWND tabs = GetDlgItem(hDlg, IDC_TOOLS_TABS);
    if (!hwndPages[page]) {
        hwndPages[page] = CreateDialogParamA(myInstance, pages[page].name, hDlg, pages[page].proc, 0);
        // Right after the tabs in the stacking: Tab goes from them into the
        // page, then to Close.
        RECT r = PageArea(hDlg);
        SetWindowPos(hwndPages[page], tabs, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
    }
    for (int k = 0; k < PAGES; k++)
        if (hwndPages[k] && k != page)
            ShowWindow(hwndPages[k], SW_HIDE);
    SendMessageA(hwndPages[page], WM_PAGE_SHOWN, 0, 0);
    ShowWindow(hwndPages[page], SW_SHOW);
    SendMessageA(tabs, TCM_SETCURSEL, (WPARAM)page, 0);
    tools.page = page;
}

// The window at the size it was left at, centred, or maximised; never
// smaller than it is made, nor larger than the screen it is on.
static void RememberedSize(HWND hDlg)
{
    RECT made;
    GetWindowRect(hDlg, &made);
    ptSmallest = {made.right - made.left, made.bottom - made.top};
    MONITORINFO screen = {};
    screen.cbSize = sizeof screen;
    GetMonitorInfoA(MonitorFromWindow(hDlg, MONITOR_DEFAULTTONEAREST), &screen);
    const RECT &work = screen.rcWork;
    int width = tools.width > ptSmallest.x ? tools.width : ptSmallest.x;
    int height = tools.height > ptSmallest.y ? tools.height : ptSmallest.y;
    width = width < work.right - work.left ? width : (int)(work.right - work.left);
    height = height < work.bottom - work.top ? height : (int)(work.bottom - work.top);
    SetWindowPos(hDlg, NULL, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (tools.maximized)
        ShowWindow(hDlg, SW_SHOWMAXIMIZED);
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in any tabbed dialog.
static LRESULT CALLBACK CtrlTab(int code, WPARAM wParam, LPARAM lParam)
{
    MSG *msg = reinterpret_cast<MSG *>(lParam);
    if (code == MSGF_DIALOGBOX && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB &&
        GetKeyState(VK_CONTROL) < 0) {
        HWND window = GetAncestor(msg->hwnd, GA_ROOT);
        int step = GetKeyState(VK_SHIFT) < 0 ? PAGES - 1 : 1;
        ShowPage(window, (tools.page + step) % PAGES);
        if (!FocusFirstEntry(hwndPages[tools.page]))  // not left in the page now hidden
            SetFocus(GetDlgItem(window, IDC_TOOLS_TABS));
        return 1;
    }
    return CallNextHookEx(hookCtrlTab, code, wParam, lParam);
}

static INT_PTR CALLBACK ToolsProc(HWND hDlg, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_INITDIALOG: {
        hwndTools = hDlg;
        TitlePlan(hDlg);
        RememberedSize(hDlg);
        HWND tabs = GetDlgItem(hDlg, IDC_TOOLS_TABS);
        for (int k = 0; k < PAGES; k++) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char *>(pages[k].title);
            SendMessageA(tabs, TCM_INSERTITEMA, (WPARAM)k, (LPARAM)&item);
            hwndPages[k] = NULL;
        }
        RECT client;
        GetClientRect(hDlg, &client);
        Layout(hDlg, client.right, client.bottom);  // the row of tabs as tall as they are
        ShowPage(hDlg, (int)lParam);
        hookCtrlTab = SetWindowsHookExA(WH_MSGFILTER, CtrlTab, NULL, GetCurrentThreadId());
        HWND pace = iFocusPace ? GetDlgItem(hwndPages[lParam], IDC_PLAN_PACE) : NULL;
        if (pace) {
            SetFocus(pace);
            SendMessageA(pace, EM_SETSEL, 0, -1);
        } else if (!FocusFirstEntry(hwndPages[lParam])) {
            SetFocus(tabs);
        }
        return FALSE;  // the focus is set
    }
    case WM_NOTIFY: {
        const NMHDR *nm = reinterpret_cast<const NMHDR *>(lParam);
        if (nm->idFrom == IDC_TOOLS_TABS && nm->code == TCN_SELCHANGE) {
            ShowPage(hDlg, (int)SendMessageA(nm->hwndFrom, TCM_GETCURSEL, 0, 0));
            // A tab clicked: the keyboard goes into the page. The arrow keys
            // on the tabs keep it there, to go on turning.
            if (GetKeyState(VK_LBUTTON) < 0)
                FocusFirstEntry(hwndPages[tools.page]);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {  // Close, Esc and the close box
            EndDialog(hDlg, 0);
            return TRUE;
        }
        return FALSE;  // Enter in an entry, with no default button, does nothing
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hDlg, &ps);
        RECT frame = PagesFrame(hDlg);
        DrawEdge(hdc, &frame, EDGE_RAISED, BF_LEFT | BF_RIGHT | BF_BOTTOM | BF_SOFT);
        EndPaint(hDlg, &ps);
        return TRUE;
    }
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO *>(lParam)->ptMinTrackSize = ptSmallest;
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            Layout(hDlg, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DESTROY: {
        // Every way the window ends: Close, and the main window closed under
        // it (by the installer, End task), a Save or Print dialog open or not.
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (GetWindowPlacement(hDlg, &placement)) {
            tools.width = placement.rcNormalPosition.right - placement.rcNormalPosition.left;
            tools.height = placement.rcNormalPosition.bottom - placement.rcNormalPosition.top;
            tools.maximized = placement.showCmd == SW_SHOWMAXIMIZED;
        }
        SaveToolsSettings();
        hwndTools = NULL;
        UnhookWindowsHookEx(hookCtrlTab);
        memset(hwndPages, 0, sizeof hwndPages);
        return FALSE;
    }
    }
    return FALSE;
}

void ToolsEndSession()
{
    // Windows may end the process once the session's end is answered.
    if (hwndTools)
        SaveToolsSettings();
}

void RunnersTool(HWND hwnd, int id)
{
    if (!CommonControls()) {
        myerror("%s", "The runner's tools need the Windows common controls, which could not be loaded.");
        return;
    }
    LoadToolsSettings();
    TakeWindowValues();
    int page = id == IDM_SPLITS       ? PAGE_SPLITS
               : id == IDM_PREDICTION ? PAGE_EQUIVALENTS
               : id == IDM_TRAINING   ? PAGE_TRAINING
               : id == IDM_AGE_GRADE  ? PAGE_AGE_GRADE
               : id == IDM_TREADMILL  ? PAGE_TREADMILL
               : id == IDM_TOOLS      ? tools.page
                                      : PAGE_PLAN;
    iFocusPace = id == IDM_TIME_FROM_PACE;
    if (iFocusPace)
        tools.solve = SOLVE_TIME;
    DialogBoxParamA(myInstance, "ToolsBox", hwnd, ToolsProc, (LPARAM)page);
}
