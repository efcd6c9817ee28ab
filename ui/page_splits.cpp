// The Splits page: the plan's split table at even pace or with a negative
// or positive split, every so many units and at halfway, over a flat course
// or at even effort over a real one (its profile drawn); to copy, save as
// CSV, print as a pace band, or keep as a plan file.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
#include <cstring>

#include "ui/resource.h"
#include "ui/tools.h"
#include "ui/velto.h"

static BOOL PrintDialog(PRINTDLGA *pd)
{
    auto print =
        reinterpret_cast<BOOL(WINAPI *)(PRINTDLGA *)>(reinterpret_cast<void *>(CommonDialog("PrintDlgA")));
    return print ? print(pd) : FALSE;
}

static SplitTable splitTable;  // of the page that is open; rows are made as they show
static HillPlan hillPlan;      // the table's, over a course
static bool bSplits;           // the table holds a plan
static char szSplitHeading[192];
static char szPaceTitle[16];   // "Pace /Km"
static char szClimbTitle[16], szDescentTitle[16];
static char szCourseNote[320];  // what became of the last course or plan file chosen
static long long iSelectedRow = -1;

static const char *const columnTitles[4] = {"", "Time", "Split", "Pace"};
static const int COLUMNS_FLAT = 4, COLUMNS_HILLS = 7;

// A printer to print on: the default one, or else any at all. Asked before
// the Print dialog, which says nothing of ours (and under Wine only the
// system's "install a printer") when there is none.
static bool PrinterReady()
{
    static HMODULE spooler;
    if (!spooler)
        spooler = LoadLibraryA("winspool.drv");
    auto byDefault = reinterpret_cast<BOOL(WINAPI *)(LPSTR, LPDWORD)>(
        reinterpret_cast<void *>(spooler ? GetProcAddress(spooler, "GetDefaultPrinterA") : NULL));
    auto all = reinterpret_cast<BOOL(WINAPI *)(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD)>(
        reinterpret_cast<void *>(spooler ? GetProcAddress(spooler, "EnumPrintersA") : NULL));
    char name[512];
    DWORD size = sizeof name, needed = 0, count = 0;
    if (byDefault && byDefault(name, &size))
        return true;
    if (all)
        all(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &needed, &count);
    return needed > 0;
}

// The strategy as its entries read: false, with a note, when the percentage is not 0 to 20.
static bool Strategy(long double *percent, char *words, size_t size)
{
    if (tools.direction == 0) {
        *percent = 0;
        snprintf(words, size, "%s", "even pace");
        return true;
    }
    if (!ReadSplitPercent(tools.percent, percent)) {
        snprintf(words, size, "%s", "A split is 0 to 20 %: type the percentage, as 4.");
        return false;
    }
    if (*percent == 0)
        snprintf(words, size, "%s", "even pace");
    else
        snprintf(words, size, "%.6Lg %% %s split", *percent, tools.direction < 0 ? "negative" : "positive");
    return true;
}

// The course's line: its length in the file and in the plan, its climb,
// descent and range of heights, and a caution when it is far off the plan.
static void CourseLine(const Plan &plan, char *line, size_t size)
{
    const Course *course = ToolsCourse();
    if (!course) {
        snprintf(line, size, "%s", szCourseNote[0] ? szCourseNote : "No course: the plan is for flat ground.");
        return;
    }
    static const char *const words[UNITS] = {"mi", "km", "laps", "laps", "laps"};
    long double per = METRES_PER_UNIT[tools.distanceUnit], perHeight = tools.distanceUnit == UNIT_MILE ? 0.3048L : 1;
    const char *h = tools.distanceUnit == UNIT_MILE ? "ft" : "m";
    int used = snprintf(line, size, "%s: course %.2f %s in the file", course->name, (double)(course->metres / per),
                        words[tools.distanceUnit]);
    if (plan.solved && used > 0 && (size_t)used < size)
        used += snprintf(line + used, size - used, ", planned over %.2f %s", (double)(plan.metres / per),
                         words[tools.distanceUnit]);
    if (used > 0 && (size_t)used < size) {
        if (course->heights)
            used += snprintf(line + used, size - used, "; climb %.0f %s, descent %.0f %s, %.0f to %.0f %s.",
                             (double)(course->climb / perHeight), h, (double)(course->descent / perHeight), h,
                             (double)(course->lowest / perHeight), (double)(course->highest / perHeight), h);
        else
            used += snprintf(line + used, size - used, "%s", "; no heights in this course: a flat plan.");
    }
    long double off = plan.solved ? course->metres / plan.metres - 1 : 0;
    if ((off > 0.05L || off < -0.05L) && used > 0 && (size_t)used < size)
        used += snprintf(line + used, size - used, " It is %.0f %% %s than the plan: is it the right course?",
                         (double)(off > 0 ? off * 100 : -off * 100), off > 0 ? "longer" : "shorter");
    if (szCourseNote[0] && used > 0 && (size_t)used < size)
        snprintf(line + used, size - used, " %s", szCourseNote);
}

// The list's columns: with a course, its climb, descent and effort pace too.
static void Columns(HWND list, bool hills)
{
    HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
    int have = (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), want = hills ? COLUMNS_HILLS : COLUMNS_FLAT;
    const char *feet = tools.distanceUnit == UNIT_MILE ? "ft" : "m";
    snprintf(szClimbTitle, sizeof szClimbTitle, "Climb %s", feet);
    snprintf(szDescentTitle, sizeof szDescentTitle, "Descent %s", feet);
    const char *titles[COLUMNS_HILLS] = {szUnitNames[tools.splitUnit], columnTitles[1], columnTitles[2], szPaceTitle,
                                         szClimbTitle, szDescentTitle, "Effort pace"};
    // Each column as wide as its heading or the last row's text, the
    // widest, at any DPI; the list is made row by row as it shows, so the
    // widths come from the texts, not from the rows.
    SplitTexts last = {};
    if (bSplits)
        SplitRowTexts(splitTable, splitTable.rows - 1, &last);
    const char *widest[COLUMNS_HILLS] = {last.unit, last.at, last.at, last.pace, "8888", "8888", last.pace};
    int pad = 3 * GetSystemMetrics(SM_CXEDGE) + 8;
    for (; have > want; have--)
        SendMessageA(list, LVM_DELETECOLUMN, (WPARAM)(have - 1), 0);
    for (int k = 0; k < want; k++) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = k ? LVCFMT_RIGHT : LVCFMT_LEFT;
        int title = (int)SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, (LPARAM)titles[k]) + pad;
        int cell = (int)SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, (LPARAM)widest[k]) + pad;
        column.cx = title > cell ? title : cell;
        column.pszText = const_cast<char *>(titles[k]);
        SendMessageA(list, k < have ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA, (WPARAM)k, (LPARAM)&column);
    }
}

static void Refresh(HWND hPage)
{
    Plan plan = ToolsPlan();
    long double percent, amount = 0, hill = 0;
    char strategy[96], note[320];
    bool readable = Strategy(&percent, strategy, sizeof strategy);
    Reading every = ReadAmount(tools.splitEvery, &amount), effort = ReadAmount(tools.hill, &hill);
    bool everyRead = every == READ_OK, hillRead = (effort == READ_OK || effort == READ_ZERO) && hill <= 100;
    const Course *course = ToolsCourse();
    bSplits = plan.solved && readable && everyRead && hillRead &&
              PlanSplitTable(plan.metres, plan.seconds, tools.splitUnit, tools.direction, percent,
                             FinishDecimals(tools.splitUnit), &splitTable) &&
              SetSplitPoints(&splitTable, amount, tools.halfway);
    if (bSplits && course) {
        PlanOverCourse(*course, hill / 100, splitTable.metres, splitTable.seconds, splitTable.a, splitTable.b,
                       &hillPlan);
        hillPlan.feet = tools.distanceUnit == UNIT_MILE;  // heights follow the distance unit
        splitTable.hills = &hillPlan;
    }
    if (!plan.solved) {
        snprintf(note, sizeof note, "%s", "Make a plan on the Plan page first: two of time, distance and pace.");
        szSplitHeading[0] = '\0';
    } else if (!readable) {
        snprintf(note, sizeof note, "%s", strategy);
    } else if (!everyRead) {
        snprintf(note, sizeof note, "%s", "Type how many units a split has, as 5 or 0.5.");
    } else if (!hillRead) {
        snprintf(note, sizeof note, "%s", "A hill effort is 0 to 100 %: type it, as " HILL_EFFORT_DEFAULT ".");
    } else {
        char distance[64], time[CLOCK_TEXT_SIZE];
        FormatDistanceIn(plan.metres, tools.distanceUnit, ToolsDecimals(), distance, sizeof distance);
        FormatClock(plan.seconds, 1, time, sizeof time);
        int used = snprintf(szSplitHeading, sizeof szSplitHeading, "%s in %s, %s", distance, time, strategy);
        if (bSplits && course && hill > 0 && used > 0 && (size_t)used < sizeof szSplitHeading)
            used += snprintf(szSplitHeading + used, sizeof szSplitHeading - used, " at even effort (%.6Lg %%)", hill);
        if (bSplits && (percent > 0 || (course && hill > 0)) && used > 0 && (size_t)used < sizeof szSplitHeading) {
            char first[CLOCK_TEXT_SIZE], second[CLOCK_TEXT_SIZE];
            long double half = SecondsAt(splitTable, plan.metres / 2);
            FormatClock(half, 1, first, sizeof first);
            FormatClock(plan.seconds - half, 1, second, sizeof second);
            snprintf(szSplitHeading + used, sizeof szSplitHeading - used, ": halves %s and %s", first, second);
        }
        used = snprintf(note, sizeof note, "%s.", szSplitHeading);
        if (bSplits && splitTable.every > 1 && used > 0 && (size_t)used < sizeof note)
            snprintf(note + used, sizeof note - used, " One row every %lld: the table keeps to %lld rows.",
                     splitTable.every, SPLIT_ROWS_MAX);
    }
    SetDlgItemTextA(hPage, IDC_SPLITS_NOTE, note);
    char line[480];
    CourseLine(plan, line, sizeof line);
    SetDlgItemTextA(hPage, IDC_SPLITS_COURSE_NOTE, line);

    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
    snprintf(szPaceTitle, sizeof szPaceTitle, "Pace /%s", szUnitNames[tools.splitUnit]);
    Columns(list, bSplits && splitTable.hills);
    SendMessageA(list, LVM_SETITEMCOUNT, bSplits ? (WPARAM)splitTable.rows : 0, 0);
    if (!bSplits || iSelectedRow >= splitTable.rows)
        iSelectedRow = -1;
    InvalidateRect(list, NULL, TRUE);
    InvalidateRect(GetDlgItem(hPage, IDC_SPLITS_PROFILE), NULL, TRUE);
    static const int buttons[4] = {IDC_SPLITS_COPY, IDC_SPLITS_SAVE, IDC_SPLITS_PRINT, IDC_SPLITS_SAVE_PLAN};
    for (int id : buttons)
        EnableWindow(GetDlgItem(hPage, id), bSplits);
    EnableWindow(GetDlgItem(hPage, IDC_SPLITS_PERCENT), tools.direction != 0);
    EnableWindow(GetDlgItem(hPage, IDC_SPLITS_NO_COURSE), course != NULL);
}

// The table as text: the headings, then one row a line, `separator`
// between the columns; for a spreadsheet (a comma) every time with its
// hours. Returns the length, or the size it needs.
static size_t TableText(char separator, char *text, size_t size)
{
    bool hours = separator == ',', hills = splitTable.hills != NULL;
    size_t used = 0;
    auto add = [&](const char *const cells[]) {
        for (int c = 0; c < (hills ? COLUMNS_HILLS : COLUMNS_FLAT); c++) {
            int n = snprintf(text ? text + used : NULL, text && used < size ? size - used : 0, "%s%s",
                             c ? (separator == ',' ? "," : "\t") : "", cells[c]);
            used += n > 0 ? (size_t)n : 0;
        }
        int n = snprintf(text ? text + used : NULL, text && used < size ? size - used : 0, "\r\n");
        used += n > 0 ? (size_t)n : 0;
    };
    const char *titles[COLUMNS_HILLS] = {szUnitNames[tools.splitUnit], columnTitles[1], columnTitles[2], szPaceTitle,
                                         szClimbTitle, szDescentTitle, "Effort pace"};
    add(titles);
    for (long long k = 0; k < splitTable.rows; k++) {
        SplitTexts row;
        SplitRowTexts(splitTable, k, &row, hours);
        const char *cells[COLUMNS_HILLS] = {row.unit, row.at, row.split, row.pace, row.climb, row.descent, row.effort};
        add(cells);
    }
    return used;
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
    size_t size = TableText(',', NULL, 0) + 1;
    char *text = new char[size];
    size_t length = TableText(',', text, size);
    DWORD error = WriteWhole(path, text, length);
    delete[] text;
    if (error) {
        char reason[256];
        SystemReason(error, reason, sizeof reason);
        myerror("The table could not be saved as %s: %s.", path, reason);
    }
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
    DOCINFOA doc = {sizeof doc, "Velto pace band", NULL, NULL, 0};
    RECT area = {0, 0, GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES)};
    bool printed = StartDocA(pd.hDC, &doc) > 0;
    int pages = 1;
    for (int page = 0; printed && page < pages; page++) {
        printed = StartPage(pd.hDC) > 0;
        pages = DrawPaceBand(pd.hDC, area, splitTable, szSplitHeading, page);
        printed = printed && EndPage(pd.hDC) > 0;
    }
    if (printed)
        EndDoc(pd.hDC);
    else
        AbortDoc(pd.hDC);
    DeleteDC(pd.hDC);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (!printed)
        myerror("%s", "The pace band could not be printed.");
}

// The list holds no text: each cell is made when it shows.
static void CellText(NMLVDISPINFOA *info)
{
    if (!(info->item.mask & LVIF_TEXT) || !bSplits || info->item.iItem < 0 || info->item.iItem >= splitTable.rows)
        return;
    SplitTexts row;
    SplitRowTexts(splitTable, info->item.iItem, &row);
    const char *cells[COLUMNS_HILLS] = {row.unit, row.at, row.split, row.pace, row.climb, row.descent, row.effort};
    int k = info->item.iSubItem >= 0 && info->item.iSubItem < COLUMNS_HILLS ? info->item.iSubItem : 0;
    snprintf(info->item.pszText, (size_t)info->item.cchTextMax, "%s", cells[k]);
}

static void DrawCourse(const DRAWITEMSTRUCT *item)
{
    const Course *course = ToolsCourse();
    if (course) {
        DrawProfile(item->hDC, item->rcItem, *course, bSplits ? &splitTable : NULL, iSelectedRow,
                    tools.distanceUnit == UNIT_MILE);
        return;
    }
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
}

// The page's entries as the tools hold them: at its making, and after a
// plan file is opened.
static void ShowEntries(HWND hPage)
{
    CheckRadioButton(hPage, IDC_SPLITS_EVEN, IDC_SPLITS_POSITIVE,
                     tools.direction < 0 ? IDC_SPLITS_NEGATIVE : tools.direction > 0 ? IDC_SPLITS_POSITIVE
                                                                                     : IDC_SPLITS_EVEN);
    const struct {
        int id;
        const char *text;
        size_t size;
    } entries[3] = {{IDC_SPLITS_PERCENT, tools.percent, sizeof tools.percent},
                    {IDC_SPLITS_EVERY, tools.splitEvery, sizeof tools.splitEvery},
                    {IDC_SPLITS_HILL, tools.hill, sizeof tools.hill}};
    for (const auto &e : entries) {
        SetDlgItemTextA(hPage, e.id, e.text);
        SendDlgItemMessageA(hPage, e.id, EM_LIMITTEXT, e.size - 1, 0);
    }
    CheckDlgButton(hPage, IDC_SPLITS_HALFWAY, tools.halfway ? BST_CHECKED : BST_UNCHECKED);
    HWND unit = GetDlgItem(hPage, IDC_SPLITS_UNIT);
    SendMessageA(unit, CB_RESETCONTENT, 0, 0);
    FillCombo(unit, szUnitNames, UNITS, tools.splitUnit);
    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    snprintf(szPaceTitle, sizeof szPaceTitle, "Pace /%s", szUnitNames[tools.splitUnit]);
    Columns(list, false);
}

// What the page's own controls take, typed or chosen.
static bool Command(HWND hPage, int id, int code)
{
    if (code == BN_CLICKED && id >= IDC_SPLITS_EVEN && id <= IDC_SPLITS_POSITIVE) {
        tools.direction = id == IDC_SPLITS_EVEN ? 0 : id == IDC_SPLITS_NEGATIVE ? -1 : 1;
    } else if (code == EN_CHANGE && id == IDC_SPLITS_PERCENT) {
        GetDlgItemTextA(hPage, id, tools.percent, sizeof tools.percent);
    } else if (code == EN_CHANGE && id == IDC_SPLITS_EVERY) {
        GetDlgItemTextA(hPage, id, tools.splitEvery, sizeof tools.splitEvery);
    } else if (code == EN_CHANGE && id == IDC_SPLITS_HILL) {
        GetDlgItemTextA(hPage, id, tools.hill, sizeof tools.hill);
    } else if (code == BN_CLICKED && id == IDC_SPLITS_HALFWAY) {
        tools.halfway = IsDlgButtonChecked(hPage, id) == BST_CHECKED;
    } else if (code == CBN_SELCHANGE && id == IDC_SPLITS_UNIT) {
        int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
        if (selected >= 0 && selected < UNITS)
            tools.splitUnit = selected;
    } else if (code == BN_CLICKED && id == IDC_SPLITS_COURSE) {
        szCourseNote[0] = '\0';
        ChooseCourse(hPage, szCourseNote, sizeof szCourseNote);
    } else if (code == BN_CLICKED && id == IDC_SPLITS_NO_COURSE) {
        szCourseNote[0] = '\0';
        ForgetCourse();
    } else if (code == BN_CLICKED && id == IDC_SPLITS_OPEN_PLAN) {
        szCourseNote[0] = '\0';
        if (OpenPlan(hPage, szCourseNote, sizeof szCourseNote))
            ShowEntries(hPage);
    } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_SAVE_PLAN) {
        SavePlan(hPage);
        return true;
    } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_COPY) {
        CopyTable(hPage);
        return true;
    } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_SAVE) {
        SaveTable(hPage);
        return true;
    } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_PRINT) {
        PrintBand(hPage);
        return true;
    } else {
        return false;
    }
    Refresh(hPage);
    return true;
}

INT_PTR CALLBACK SplitsPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_INITDIALOG:
        ShowEntries(hPage);
        return FALSE;
    case WM_PAGE_SHOWN:
        Refresh(hPage);
        return TRUE;
    case WM_DRAWITEM:
        if (wParam == IDC_SPLITS_PROFILE)
            DrawCourse(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        NMHDR *nm = reinterpret_cast<NMHDR *>(lParam);
        if (nm->idFrom == IDC_SPLITS_LIST && nm->code == LVN_GETDISPINFOA)
            CellText(reinterpret_cast<NMLVDISPINFOA *>(lParam));
        if (nm->idFrom == IDC_SPLITS_LIST && nm->code == LVN_ITEMCHANGED) {
            const NMLISTVIEW *changed = reinterpret_cast<const NMLISTVIEW *>(lParam);
            if ((changed->uNewState & LVIS_SELECTED) && changed->iItem >= 0) {
                iSelectedRow = changed->iItem;  // its stretch shows on the profile
                InvalidateRect(GetDlgItem(hPage, IDC_SPLITS_PROFILE), NULL, FALSE);
            }
        }
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            return ClosePage(hPage);
        return Command(hPage, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
