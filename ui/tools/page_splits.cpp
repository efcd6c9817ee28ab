// The Splits page: the plan's split table at even pace or with a negative
// or positive split, every so many units and at halfway, over a flat course
// or at even effort over a real one (its profile drawn), with the race's
// stations, start and cut-offs; to copy, save as CSV, print as a pace band,
// keep as a plan file or send to a watch.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "ui/files.h"
#include "ui/resource.h"
#include "ui/tools/splits.h"
#include "ui/velto.h"

static char szFileNote[320];  // what became of the last file chosen or written
static bool bShowing;          // the page itself writes its entries: no refresh for each
static long long iSelectedRow = -1;

// A printer to print on: the default one, or else any at all. Asked before
// the Print dialog, which says nothing of ours (and under Wine only the
// system's "install a printer") when there is none.
static bool PrinterReady()
{
    auto byDefault = reinterpret_cast<BOOL(WINAPI *)(LPSTR, LPDWORD)>(
        reinterpret_cast<void *>(SystemFunction(L"winspool.drv", "GetDefaultPrinterA")));
    auto all = reinterpret_cast<BOOL(WINAPI *)(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)>(
        reinterpret_cast<void *>(SystemFunction(L"winspool.drv", "EnumPrintersA")));
    char name[512];
    DWORD size = sizeof name, needed = 0, count = 0;
    if (byDefault && byDefault(name, &size))
        return true;
    if (all)
        all(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &needed, &count);
    return needed > 0;
}

// The stations of the course, and what became of the waypoints of its file
// that are none: " 46 stations; 2 waypoints left out, far from the course."
static void Stations(const Course &course, char *line, size_t size, int *used)
{
    const Placing &left = course.placing;
    long long out = left.unnamed + left.distant;
    if (course.stations.empty() && out == 0)
        return;
    char parts[160] = "";
    if (left.unnamed)
        snprintf(parts, sizeof parts, ", %lld without a name", left.unnamed);
    if (left.distant)
        snprintf(parts + strlen(parts), sizeof parts - strlen(parts), ", %lld over %.0Lf m from the course", left.distant,
                 STATION_REACH);
    int n = snprintf(line + *used, size - (size_t)*used, " %zu station%s%s", course.stations.size(),
                     course.stations.size() == 1 ? "" : "s", tools.stations ? "" : ", not shown");
    *used += n > 0 ? n : 0;
    if (left.shared && (size_t)*used < size)
        *used += snprintf(line + *used, size - (size_t)*used, ", %lld where another is", left.shared);
    if (out && (size_t)*used < size)
        *used += snprintf(line + *used, size - (size_t)*used, "; %lld waypoint%s left out%s", out,
                          out == 1 ? "" : "s", parts);
    if ((size_t)*used < size)
        *used += snprintf(line + *used, size - (size_t)*used, "%s", ".");
}

// The course's line: its length in the file and in the plan, where in the
// file it starts or what it was read from, its climb, descent and range of
// heights, and a caution when it is far off the plan.
static void CourseLine(const Plan &plan, char *line, size_t size)
{
    const Course *course = ToolsCourse();
    if (!course) {
        snprintf(line, size, "%s", "No course: the plan is for flat ground.");
        return;
    }
    const UnitInfo &unit = UNIT_TABLE[tools.distanceUnit];
    long double per = unit.metres, perHeight = HeightUnitMetres(tools.distanceUnit);
    int used = snprintf(line, size, "%s: course %.2f %s", course->name, (double)(course->metres / per),
                        unit.shortWords);
    auto add = [&](const char *format, auto... values) {
        if (used >= 0 && (size_t)used < size)
            used += snprintf(line + used, size - used, format, values...);
    };
    if (course->fileStart != 0)
        add(" from %.2f %s", (double)(course->fileStart / per), unit.shortWords);
    add("%s", " in the file");
    if (plan.solved)
        add(", planned over %.2f %s", (double)(plan.metres / per), unit.shortWords);
    if (course->heights)
        add("; climb %.0f %s, descent %.0f %s, %.0f to %.0f %s.", (double)(course->climb / perHeight), unit.height,
            (double)(course->descent / perHeight), unit.height, (double)(course->lowest / perHeight),
            (double)(course->highest / perHeight), unit.height);
    else
        add("%s", "; no heights in this course: a flat plan.");
    if (course->waypoints > 0) {
        char count[32];
        snprintf(count, sizeof count, "%lld", course->waypoints);
        size_t n = strlen(count);
        char grouped[48];
        size_t g = 0;
        for (size_t k = 0; k < n; k++) {  // "1,325"
            grouped[g++] = count[k];
            if ((n - k - 1) % 3 == 0 && k + 1 < n)
                grouped[g++] = ',';
        }
        grouped[g] = '\0';
        add(" Read from its %s waypoints: no track or route.", grouped);
    }
    Stations(*course, line, size, &used);
    long double off = plan.solved ? course->metres / plan.metres - 1 : 0;
    if (off > 0.05L || off < -0.05L)
        add(" It is %.0f %% %s than the plan: is it the right course?", (double)(off > 0 ? off * 100 : -off * 100),
            off > 0 ? "longer" : "shorter");
}

// The buttons of the table, in their two rows at the foot of the page.
static const int upperButtons[3] = {IDC_SPLITS_COPY, IDC_SPLITS_SAVE, IDC_SPLITS_PRINT};
static const int lowerButtons[3] = {IDC_SPLITS_SAVE_PLAN, IDC_SPLITS_OPEN_PLAN, IDC_SPLITS_EXPORT};

// The notes under the entries, each as tall as its text; the buttons at the
// foot; the profile and the list sharing what is left, the profile two
// sevenths of it.
static void Layout(HWND hPage)
{
    RECT page, margin = {4, 92, 4, 4}, button;
    GetClientRect(hPage, &page);
    MapDialogRect(hPage, &margin);
    GetWindowRect(GetDlgItem(hPage, IDC_SPLITS_COPY), &button);
    int width = page.right - 2 * margin.left, y = margin.top, high = button.bottom - button.top;
    int lower = page.bottom - margin.bottom - high, upper = lower - margin.bottom - high;
    HDWP batch = BeginDeferWindowPos(11);
    for (int row = 0; row < 2; row++)
        for (int id : row ? lowerButtons : upperButtons) {
            HWND control = GetDlgItem(hPage, id);
            GetWindowRect(control, &button);
            MapWindowPoints(NULL, hPage, (POINT *)&button, 2);
            batch = PlaceControl(batch, control, button.left, row ? lower : upper, button.right - button.left, high);
        }
    for (int id : {IDC_SPLITS_NOTE, IDC_SPLITS_COURSE_NOTE, IDC_SPLITS_FILE_NOTE}) {
        HWND note = GetDlgItem(hPage, id);
        int height = NoteHeight(note, width);
        batch = PlaceControl(batch, note, margin.left, y, width, height);
        y += height + (height ? margin.right / 2 : 0);
    }
    int room = upper - margin.bottom - y, profile = room * 2 / 7;
    batch = PlaceControl(batch, GetDlgItem(hPage, IDC_SPLITS_PROFILE), margin.left, y, width, profile);
    batch = PlaceControl(batch, GetDlgItem(hPage, IDC_SPLITS_LIST), margin.left, y + profile + margin.bottom, width,
                         room - profile - margin.bottom);
    if (batch)
        EndDeferWindowPos(batch);
}

static void Refresh(HWND hPage)
{
    Plan plan = ToolsPlan();
    char note[640];
    bSplits = MakeTable(plan, note, sizeof note);
    SetDlgItemTextA(hPage, IDC_SPLITS_NOTE, note);
    char line[640];
    CourseLine(plan, line, sizeof line);
    SetDlgItemTextA(hPage, IDC_SPLITS_COURSE_NOTE, line);
    SetDlgItemTextA(hPage, IDC_SPLITS_FILE_NOTE, szFileNote);
    Layout(hPage);

    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
    TableColumns(list);
    SendMessageA(list, LVM_SETITEMCOUNT, (WPARAM)TableRows(), 0);
    if (iSelectedRow >= TableRows())
        iSelectedRow = -1;
    InvalidateRect(list, NULL, TRUE);
    InvalidateRect(GetDlgItem(hPage, IDC_SPLITS_PROFILE), NULL, TRUE);
    for (int id : upperButtons)
        EnableWindow(GetDlgItem(hPage, id), bSplits);
    for (int id : lowerButtons)
        EnableWindow(GetDlgItem(hPage, id), bSplits || id == IDC_SPLITS_OPEN_PLAN);
    EnableWindow(GetDlgItem(hPage, IDC_SPLITS_PERCENT), tools.direction != 0);
    EnableWindow(GetDlgItem(hPage, IDC_SPLITS_NO_COURSE), ToolsCourse() != NULL);
    TitlePlan(GetAncestor(hPage, GA_ROOT));
}

static void CopyTable(HWND hPage)
{
    size_t size = TableText('\t', NULL, 0) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    char *text = memory ? static_cast<char *>(GlobalLock(memory)) : NULL;
    if (!text) {
        if (memory)
            GlobalFree(memory);
        return;
    }
    TableText('\t', text, size);
    GlobalUnlock(memory);
    bool given = false;  // then the clipboard owns it
    bool opened = OpenClipboard(hPage) != 0;
    if (opened) {
        EmptyClipboard();
        given = SetClipboardData(CF_TEXT, memory) != NULL;
        CloseClipboard();
    }
    if (!given) {
        GlobalFree(memory);  // cppcheck-suppress doubleFree ; the clipboard took it only on success
        myerror("%s", opened ? "The table could not be copied."
                             : "The table could not be copied: another program holds the clipboard.");
    }
}

static void SaveTable(HWND hPage)
{
    char path[MAX_PATH];
    PlanFileName(splitTable.metres, splitTable.seconds, tools.distanceUnit, "csv", path, sizeof path);
    if (!ChooseFile(hPage, true, "Comma-separated values (*.csv)\0*.csv\0All files\0*.*\0", "csv", path, sizeof path))
        return;
    std::string text(TableText(',', NULL, 0) + 1, '\0');
    size_t length = TableText(',', &text[0], text.size());
    DWORD error = WriteWhole(path, text.data(), length);
    if (error) {
        char reason[256];
        SystemReason(error, reason, sizeof reason);
        myerror("The table could not be saved as %s: %s.", path, reason);
    }
}

static BOOL PrintDialog(PRINTDLGA *pd)
{
    auto print =
        reinterpret_cast<BOOL(WINAPI *)(PRINTDLGA *)>(reinterpret_cast<void *>(CommonDialog("PrintDlgA")));
    return print ? print(pd) : FALSE;
}

// The band's pages on a printer context the Print dialog gave: false when
// the printer stopped or refused them.
static bool PrintPages(HDC hdc)
{
    DOCINFOA doc = {sizeof doc, "Velto pace band", NULL, NULL, 0};
    RECT area = {0, 0, GetDeviceCaps(hdc, HORZRES), GetDeviceCaps(hdc, VERTRES)};
    bool printed = StartDocA(hdc, &doc) > 0;
    int pages = 1;
    for (int page = 0; printed && page < pages; page++) {
        printed = StartPage(hdc) > 0;
        pages = DrawPaceBand(hdc, area, splitTable, szSplitHeading, page);
        printed = printed && EndPage(hdc) > 0;
    }
    if (printed)
        EndDoc(hdc);
    else
        AbortDoc(hdc);
    return printed;
}

static void PrintBand(HWND hPage)
{
    if (!PrinterReady()) {
        myerror("%s", "The pace band could not be printed: Windows has no printer ready.");
        return;
    }
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = GetAncestor(hPage, GA_ROOT);
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;  // our own word
    if (!PrintDialog(&pd)) {
        auto error = reinterpret_cast<DWORD(WINAPI *)()>(reinterpret_cast<void *>(CommonDialog("CommDlgExtendedError")));
        if (error && error() != 0)  // not a Cancel
            myerror("%s", "The pace band could not be printed: Windows has no printer ready.");
        return;
    }
    bool printed = PrintPages(pd.hDC);
    DeleteDC(pd.hDC);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (!printed)
        myerror("%s", "The pace band could not be printed.");
}

static void DrawCourse(const DRAWITEMSTRUCT *item)
{
    const Course *course = ToolsCourse();
    if (course) {
        DrawProfile(item->hDC, item->rcItem, *course, bSplits ? &splitTable : NULL,
                    iSelectedRow >= 0 ? SplitRowOf(iSelectedRow) : -1, tools.distanceUnit, tools.stations);
        return;
    }
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
}

// The page's entries and the tools' text each holds.
static const struct {
    int id;
    char *text;
    size_t size;
} entries[] = {{IDC_SPLITS_PERCENT, tools.percent, sizeof tools.percent},
               {IDC_SPLITS_EVERY, tools.splitEvery, sizeof tools.splitEvery},
               {IDC_SPLITS_HILL, tools.hill, sizeof tools.hill},
               {IDC_SPLITS_START, tools.start, sizeof tools.start},
               {IDC_SPLITS_CUTOFFS, tools.cutoffs, sizeof tools.cutoffs},
               {IDC_SPLITS_MARGIN, tools.margin, sizeof tools.margin},
               {IDC_SPLITS_RANGE, tools.range, sizeof tools.range}};

// The page's entries as the tools hold them: at its making, and after a
// plan file is opened.
static void ShowEntries(HWND hPage)
{
    CheckRadioButton(hPage, IDC_SPLITS_EVEN, IDC_SPLITS_POSITIVE,
                     tools.direction < 0 ? IDC_SPLITS_NEGATIVE : tools.direction > 0 ? IDC_SPLITS_POSITIVE
                                                                                     : IDC_SPLITS_EVEN);
    bShowing = true;
    for (const auto &e : entries) {
        SetDlgItemTextA(hPage, e.id, e.text);
        SendDlgItemMessageA(hPage, e.id, EM_LIMITTEXT, e.size - 1, 0);
    }
    bShowing = false;
    CheckDlgButton(hPage, IDC_SPLITS_HALFWAY, tools.halfway ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hPage, IDC_SPLITS_STATIONS, tools.stations ? BST_CHECKED : BST_UNCHECKED);
    HWND unit = GetDlgItem(hPage, IDC_SPLITS_UNIT);
    SendMessageA(unit, CB_RESETCONTENT, 0, 0);
    FillUnits(unit, tools.splitUnit);
    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

// A button's file: the course, the plan opened or saved.
static bool FileCommand(HWND hPage, int id)
{
    szFileNote[0] = '\0';
    if (id == IDC_SPLITS_COURSE) {
        ChooseCourse(hPage, szFileNote, sizeof szFileNote);
    } else if (id == IDC_SPLITS_NO_COURSE) {
        ForgetCourse();
    } else if (id == IDC_SPLITS_OPEN_PLAN) {
        if (OpenPlan(hPage, szFileNote, sizeof szFileNote))
            ShowEntries(hPage);
    } else if (id == IDC_SPLITS_EXPORT && bSplits) {
        ExportForWatch(hPage, szFileNote, sizeof szFileNote);
    } else {
        return false;
    }
    return true;
}

// What the table is used for: each only while there is one.
static bool TableCommand(HWND hPage, int id)
{
    if (!bSplits)
        return false;
    if (id == IDC_SPLITS_SAVE_PLAN)
        SavePlan(hPage);
    else if (id == IDC_SPLITS_COPY)
        CopyTable(hPage);
    else if (id == IDC_SPLITS_SAVE)
        SaveTable(hPage);
    else if (id == IDC_SPLITS_PRINT)
        PrintBand(hPage);
    else
        return false;
    return true;
}

// An entry typed in: its text to the tools. False for no entry of the page.
static bool Typed(HWND hPage, int id)
{
    const auto *e = std::find_if(std::begin(entries), std::end(entries), [id](const auto &each) { return each.id == id; });
    if (e == std::end(entries))
        return false;
    GetDlgItemTextA(hPage, id, e->text, (int)e->size);
    return true;
}

// The choices of the page's own buttons and list.
static bool Chosen(HWND hPage, int id, int code)
{
    if (code == BN_CLICKED && id >= IDC_SPLITS_EVEN && id <= IDC_SPLITS_POSITIVE) {
        tools.direction = id == IDC_SPLITS_EVEN ? 0 : id == IDC_SPLITS_NEGATIVE ? -1 : 1;
    } else if (code == BN_CLICKED && id == IDC_SPLITS_HALFWAY) {
        tools.halfway = IsDlgButtonChecked(hPage, id) == BST_CHECKED;
    } else if (code == BN_CLICKED && id == IDC_SPLITS_STATIONS) {
        tools.stations = IsDlgButtonChecked(hPage, id) == BST_CHECKED;
    } else if (code == CBN_SELCHANGE && id == IDC_SPLITS_UNIT) {
        int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
        if (selected >= 0 && selected < UNITS)
            tools.splitUnit = selected;
    } else {
        return false;
    }
    return true;
}

// What the page's own controls take, typed or chosen.
static bool Command(HWND hPage, int id, int code)
{
    if (code == EN_CHANGE && bShowing)
        return true;  // refreshed once, when shown
    if ((code == EN_CHANGE && Typed(hPage, id)) || Chosen(hPage, id, code) ||
        (code == BN_CLICKED && FileCommand(hPage, id))) {
        Refresh(hPage);
        return true;
    }
    return code == BN_CLICKED && TableCommand(hPage, id);
}

// The list's notifications: its cells, the row selected, and a focus mark
// when Tab reaches it with no row marked yet.
static void ListNotice(HWND hPage, NMHDR *nm)
{
    if (nm->code == LVN_GETDISPINFOA) {
        TableCell(reinterpret_cast<NMLVDISPINFOA *>(nm));
    } else if (nm->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW *changed = reinterpret_cast<const NMLISTVIEW *>(nm);
        if ((changed->uNewState & LVIS_SELECTED) && changed->iItem >= 0) {
            iSelectedRow = changed->iItem;  // its stretch shows on the profile
            InvalidateRect(GetDlgItem(hPage, IDC_SPLITS_PROFILE), NULL, FALSE);
        }
    } else if (nm->code == NM_SETFOCUS && TableRows() > 0 &&
               SendMessageA(nm->hwndFrom, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED) < 0) {
        LVITEMA item = {};
        item.stateMask = item.state = LVIS_FOCUSED;
        SendMessageA(nm->hwndFrom, LVM_SETITEMSTATE, 0, (LPARAM)&item);
    }
}

INT_PTR CALLBACK SplitsPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_INITDIALOG:
        szFileNote[0] = '\0';
        ShowEntries(hPage);
        return FALSE;
    case WM_PAGE_SHOWN:
        Refresh(hPage);
        return TRUE;
    case WM_SIZE:
        Layout(hPage);
        return TRUE;
    case WM_DRAWITEM:
        if (wParam == IDC_SPLITS_PROFILE)
            DrawCourse(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        else
            DrawNote(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        NMHDR *nm = reinterpret_cast<NMHDR *>(lParam);
        if (nm->idFrom == IDC_SPLITS_LIST)
            ListNotice(hPage, nm);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            return ClosePage(hPage);
        return Command(hPage, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
