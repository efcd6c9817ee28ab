// The Splits page: the plan's split table at even pace or with a negative
// or positive split, every so many units and at halfway, over a flat course
// or at even effort over a real one (its profile drawn); to copy, save as
// CSV, print as a pace band, or keep as a plan file.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
#include <cstring>

#include "ui/files.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

static SplitTable splitTable;  // of the page that is open; rows are made as they show
static HillPlan hillPlan;      // the table's, over a course
static bool bSplits;           // the table holds a plan
static char szSplitHeading[192];
static char szPaceTitle[16];   // "Pace /Km"
static char szClimbTitle[16], szDescentTitle[16], szEffortTitle[24];
static char szFileNote[320];  // what became of the last course or plan file chosen
static long long iSelectedRow = -1;

static const int COLUMNS_FLAT = 4, COLUMNS_HILLS = 7;

// The columns' titles: the split unit, then the times and paces, with a
// course its climb, descent and effort pace.
static void Titles(const char *titles[COLUMNS_HILLS])
{
    const char *const fixed[COLUMNS_HILLS] = {UNIT_TABLE[tools.splitUnit].name, "Time", "Split", szPaceTitle,
                                              szClimbTitle, szDescentTitle, szEffortTitle};
    memcpy(titles, fixed, sizeof fixed);
}

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
    long double off = plan.solved ? course->metres / plan.metres - 1 : 0;
    if (off > 0.05L || off < -0.05L)
        add(" It is %.0f %% %s than the plan: is it the right course?", (double)(off > 0 ? off * 100 : -off * 100),
            off > 0 ? "longer" : "shorter");
}

// The list's columns: with a course, its climb, descent and effort pace too.
static void Columns(HWND list, bool hills)
{
    HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
    int have = (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), want = hills ? COLUMNS_HILLS : COLUMNS_FLAT;
    const char *height = UNIT_TABLE[tools.distanceUnit].height;
    snprintf(szPaceTitle, sizeof szPaceTitle, "Pace /%s", UNIT_TABLE[tools.splitUnit].name);
    snprintf(szClimbTitle, sizeof szClimbTitle, "Climb %s", height);
    snprintf(szDescentTitle, sizeof szDescentTitle, "Descent %s", height);
    snprintf(szEffortTitle, sizeof szEffortTitle, "Effort pace /%s", UNIT_TABLE[tools.splitUnit].name);
    const char *titles[COLUMNS_HILLS];
    Titles(titles);
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

// The notes over the list, each as tall as its text, then the profile and
// the list sharing what is left above the buttons.
static void Layout(HWND hPage)
{
    RECT page, margin = {4, 58, 4, 4}, button;
    GetClientRect(hPage, &page);
    MapDialogRect(hPage, &margin);
    GetWindowRect(GetDlgItem(hPage, IDC_SPLITS_COPY), &button);
    MapWindowPoints(NULL, hPage, (POINT *)&button, 2);
    int width = page.right - 2 * margin.left, y = margin.top;
    for (int id : {IDC_SPLITS_NOTE, IDC_SPLITS_COURSE_NOTE, IDC_SPLITS_FILE_NOTE}) {
        HWND note = GetDlgItem(hPage, id);
        int height = NoteHeight(note, width);
        PlaceControl(note, margin.left, y, width, height);
        y += height + (height ? margin.right / 2 : 0);
    }
    int room = button.top - margin.bottom - y, profile = room * 2 / 7;
    PlaceControl(GetDlgItem(hPage, IDC_SPLITS_PROFILE), margin.left, y, width, profile);
    PlaceControl(GetDlgItem(hPage, IDC_SPLITS_LIST), margin.left, y + profile + margin.bottom, width,
                 room - profile - margin.bottom);
}

// The table's heading: "10.00 Km. in 40:00.0, 4 % negative split: halves
// 20:24.5 and 19:35.5", with the hill effort over a course.
static void Heading(const Plan &plan, const char *strategy, long double percent, long double hill)
{
    char distance[64], time[CLOCK_TEXT_SIZE];
    FormatDistanceIn(plan.metres, tools.distanceUnit, ToolsDecimals(), distance, sizeof distance);
    FormatClock(plan.seconds, 1, time, sizeof time);
    int used = snprintf(szSplitHeading, sizeof szSplitHeading, "%s in %s, %s", distance, time, strategy);
    if (hill > 0 && used > 0 && (size_t)used < sizeof szSplitHeading)
        used += snprintf(szSplitHeading + used, sizeof szSplitHeading - used, " at even effort (%.6Lg %%)", hill);
    if ((percent > 0 || hill > 0) && used > 0 && (size_t)used < sizeof szSplitHeading) {
        char first[CLOCK_TEXT_SIZE], second[CLOCK_TEXT_SIZE];
        long double half = SecondsAt(splitTable, plan.metres / 2);
        FormatClock(half, 1, first, sizeof first);
        FormatClock(plan.seconds - half, 1, second, sizeof second);
        snprintf(szSplitHeading + used, sizeof szSplitHeading - used, ": halves %s and %s", first, second);
    }
}

// The table of the entries: false, with the note that says why not.
static bool MakeTable(const Plan &plan, char *note, size_t size)
{
    long double percent, amount = 0, hill = 0;
    char strategy[96];
    bool readable = Strategy(&percent, strategy, sizeof strategy);
    const Course *course = ToolsCourse();
    bool everyRead = ReadSplitEvery(tools.splitEvery, &amount);
    // The hill effort counts over a course only.
    bool hillRead = !course || ReadHillEffort(tools.hill, &hill);
    if (!plan.solved)
        snprintf(note, size, "%s", "Make a plan on the Plan page first: two of time, distance and pace.");
    else if (!readable)
        snprintf(note, size, "%s", strategy);
    else if (!everyRead)
        snprintf(note, size, "%s", "Type how many units a split has, as 5 or 0.5.");
    else if (!hillRead)
        snprintf(note, size, "%s", "A hill effort is 0 to 100 %: type it, as " HILL_EFFORT_DEFAULT ".");
    if (!plan.solved || !readable || !everyRead || !hillRead ||
        !PlanSplitTable(plan.metres, plan.seconds, tools.splitUnit, tools.direction, percent,
                        FinishDecimals(tools.splitUnit), &splitTable))
        return false;
    // A distance typed is as exact as its decimals; a worked-out one to the metre.
    bool typed = tools.solve != SOLVE_DISTANCE && !tools.held[SOLVE_DISTANCE][0];
    splitTable.slack = typed ? TypedSlack(tools.distance, tools.distanceUnit) : 1;
    if (!SetSplitPoints(&splitTable, amount, tools.halfway)) {
        snprintf(note, size, "%s", "Type how many units a split has, as 5 or 0.5.");
        return false;
    }
    if (course) {
        PlanOverCourse(*course, hill / 100, splitTable.metres, splitTable.seconds, splitTable.a, splitTable.b,
                       &hillPlan);
        hillPlan.unit = tools.distanceUnit;  // heights follow the distance unit
        splitTable.hills = &hillPlan;
    }
    Heading(plan, strategy, percent, course ? hill : 0);
    int used = snprintf(note, size, "%s.", szSplitHeading);
    if (splitTable.every > 1 && used > 0 && (size_t)used < size)
        snprintf(note + used, size - used, " One row every %lld: the table keeps to %lld rows.", splitTable.every,
                 SPLIT_ROWS_MAX);
    return true;
}

static void Refresh(HWND hPage)
{
    Plan plan = ToolsPlan();
    char note[320];
    szSplitHeading[0] = '\0';
    bSplits = MakeTable(plan, note, sizeof note);
    SetDlgItemTextA(hPage, IDC_SPLITS_NOTE, note);
    char line[480];
    CourseLine(plan, line, sizeof line);
    SetDlgItemTextA(hPage, IDC_SPLITS_COURSE_NOTE, line);
    SetDlgItemTextA(hPage, IDC_SPLITS_FILE_NOTE, szFileNote);
    Layout(hPage);

    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
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
    EnableWindow(GetDlgItem(hPage, IDC_SPLITS_NO_COURSE), ToolsCourse() != NULL);
    TitlePlan(GetAncestor(hPage, GA_ROOT));
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
    const char *titles[COLUMNS_HILLS];
    Titles(titles);
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
        DrawProfile(item->hDC, item->rcItem, *course, bSplits ? &splitTable : NULL, iSelectedRow, tools.distanceUnit);
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
    FillUnits(unit, tools.splitUnit);
    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Columns(list, false);
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
    } else if (code == BN_CLICKED && FileCommand(hPage, id)) {
    } else {
        return code == BN_CLICKED && TableCommand(hPage, id);
    }
    Refresh(hPage);
    return true;
}

// The list's notifications: its cells, the row selected, and a focus mark
// when Tab reaches it with no row marked yet.
static void ListNotice(HWND hPage, NMHDR *nm)
{
    if (nm->code == LVN_GETDISPINFOA) {
        CellText(reinterpret_cast<NMLVDISPINFOA *>(nm));
    } else if (nm->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW *changed = reinterpret_cast<const NMLISTVIEW *>(nm);
        if ((changed->uNewState & LVIS_SELECTED) && changed->iItem >= 0) {
            iSelectedRow = changed->iItem;  // its stretch shows on the profile
            InvalidateRect(GetDlgItem(hPage, IDC_SPLITS_PROFILE), NULL, FALSE);
        }
    } else if (nm->code == NM_SETFOCUS && bSplits &&
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
