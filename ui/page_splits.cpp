// The Splits page: the plan's split table at even pace or with a negative
// or positive split, to copy, save as CSV or print as a pace band.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
#include <cstring>

#include "ui/resource.h"
#include "ui/tools.h"
#include "ui/velto.h"

// The common dialogs live in a library of their own, loaded when first asked.
static FARPROC CommonDialog(const char *name)
{
    static HMODULE library;
    if (!library)
        library = LoadLibraryA("comdlg32.dll");
    return library ? GetProcAddress(library, name) : NULL;
}

static BOOL SaveFileDialog(OPENFILENAMEA *ofn)
{
    auto save = reinterpret_cast<BOOL(WINAPI *)(OPENFILENAMEA *)>(
        reinterpret_cast<void *>(CommonDialog("GetSaveFileNameA")));
    return save ? save(ofn) : FALSE;
}

static BOOL PrintDialog(PRINTDLGA *pd)
{
    auto print =
        reinterpret_cast<BOOL(WINAPI *)(PRINTDLGA *)>(reinterpret_cast<void *>(CommonDialog("PrintDlgA")));
    return print ? print(pd) : FALSE;
}

static SplitTable splitTable;  // of the page that is open; rows are made as they show
static bool bSplits;           // the table holds a plan
static char szSplitHeading[192];
static char szPaceTitle[16];  // "Pace /Km"

static const char *const columnTitles[4] = {"", "Time", "Split", "Pace"};

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

// The system's words for why a file call failed, without the final stop.
static void SystemReason(DWORD error, char *buf, DWORD size)
{
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, buf, size,
                             NULL);
    while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n' || buf[n - 1] == '.' || buf[n - 1] == ' '))
        buf[--n] = '\0';
    if (n == 0)
        snprintf(buf, size, "error %lu", (unsigned long)error);
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

static void Refresh(HWND hPage)
{
    Plan plan = ToolsPlan();
    long double percent;
    char strategy[96], note[320];
    bool readable = Strategy(&percent, strategy, sizeof strategy);
    bSplits = plan.solved && readable &&
              PlanSplitTable(plan.metres, plan.seconds, tools.splitUnit, tools.direction, percent,
                             FinishDecimals(tools.splitUnit), &splitTable);
    if (!plan.solved) {
        snprintf(note, sizeof note, "%s", "Make a plan on the Plan page first: two of time, distance and pace.");
        szSplitHeading[0] = '\0';
    } else if (!readable) {
        snprintf(note, sizeof note, "%s", strategy);
    } else {
        char distance[64], time[CLOCK_TEXT_SIZE];
        FormatDistanceIn(plan.metres, tools.distanceUnit, ToolsDecimals(), distance, sizeof distance);
        FormatClock(plan.seconds, 1, time, sizeof time);
        int used = snprintf(szSplitHeading, sizeof szSplitHeading, "%s in %s, %s", distance, time, strategy);
        if (bSplits && percent > 0 && used > 0 && (size_t)used < sizeof szSplitHeading) {
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

    HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char *>(szUnitNames[tools.splitUnit]);
    SendMessageA(list, LVM_SETCOLUMNA, 0, (LPARAM)&column);
    snprintf(szPaceTitle, sizeof szPaceTitle, "Pace /%s", szUnitNames[tools.splitUnit]);
    column.pszText = szPaceTitle;
    SendMessageA(list, LVM_SETCOLUMNA, 3, (LPARAM)&column);
    SendMessageA(list, LVM_SETITEMCOUNT, bSplits ? (WPARAM)splitTable.rows : 0, 0);
    InvalidateRect(list, NULL, TRUE);
    static const int buttons[3] = {IDC_SPLITS_COPY, IDC_SPLITS_SAVE, IDC_SPLITS_PRINT};
    for (int id : buttons)
        EnableWindow(GetDlgItem(hPage, id), bSplits);
    EnableWindow(GetDlgItem(hPage, IDC_SPLITS_PERCENT), tools.direction != 0);
}

// The table as text: the headings, then one row a line, `separator`
// between the columns; for a spreadsheet (a comma) every time with its
// hours. Returns the length, or the size it needs.
static size_t TableText(char separator, char *text, size_t size)
{
    bool hours = separator == ',';
    size_t used = 0;
    auto add = [&](const char *a, const char *b, const char *c, const char *d) {
        int n = snprintf(text ? text + used : NULL, text && used < size ? size - used : 0, "%s%c%s%c%s%c%s\r\n", a,
                         separator, b, separator, c, separator, d);
        used += n > 0 ? (size_t)n : 0;
    };
    add(szUnitNames[tools.splitUnit], columnTitles[1], columnTitles[2], szPaceTitle);
    for (long long k = 0; k < splitTable.rows; k++) {
        SplitTexts row;
        SplitRowTexts(splitTable, k, &row, hours);
        add(row.unit, row.at, row.split, row.pace);
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

// Writes the table next to `path`, then puts it in the file's place: a file
// there stays as it was unless the whole table is written. 0, or the error.
static DWORD WriteTable(const char *path)
{
    char folder[MAX_PATH], fresh[MAX_PATH];
    snprintf(folder, sizeof folder, "%s", path);
    char *slash = strrchr(folder, '\\');
    if (slash)
        slash[1] = '\0';
    else
        snprintf(folder, sizeof folder, "%s", ".");
    if (!GetTempFileNameA(folder, "vlt", 0, fresh))  // makes the file, so no other takes its name
        return GetLastError();
    size_t size = TableText(',', NULL, 0) + 1;
    char *text = new char[size];
    size_t length = TableText(',', text, size);
    DWORD error = 0, written = 0;
    HANDLE file = CreateFileA(fresh, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, text, (DWORD)length, &written, NULL) ||
        written != length || !FlushFileBuffers(file))
        error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    delete[] text;
    if (!error && !MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error)
        DeleteFileA(fresh);  // ours alone; the chosen file is untouched
    return error;
}

static void SaveTable(HWND hPage)
{
    char path[MAX_PATH];
    PlanFileName(splitTable.metres, splitTable.seconds, tools.distanceUnit, "csv", path, sizeof path);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetAncestor(hPage, GA_ROOT);
    ofn.lpstrFilter = "Comma-separated values (*.csv)\0*.csv\0All files\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrDefExt = "csv";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!SaveFileDialog(&ofn))
        return;
    DWORD error = WriteTable(path);
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
    const char *cells[4] = {row.unit, row.at, row.split, row.pace};
    int k = info->item.iSubItem >= 0 && info->item.iSubItem < 4 ? info->item.iSubItem : 0;
    snprintf(info->item.pszText, (size_t)info->item.cchTextMax, "%s", cells[k]);
}

INT_PTR CALLBACK SplitsPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_INITDIALOG: {
        CheckRadioButton(hPage, IDC_SPLITS_EVEN, IDC_SPLITS_POSITIVE,
                         tools.direction < 0 ? IDC_SPLITS_NEGATIVE : tools.direction > 0 ? IDC_SPLITS_POSITIVE
                                                                                         : IDC_SPLITS_EVEN);
        SetDlgItemTextA(hPage, IDC_SPLITS_PERCENT, tools.percent);
        SendDlgItemMessageA(hPage, IDC_SPLITS_PERCENT, EM_LIMITTEXT, sizeof tools.percent - 1, 0);
        FillCombo(GetDlgItem(hPage, IDC_SPLITS_UNIT), szUnitNames, UNITS, tools.splitUnit);
        HWND list = GetDlgItem(hPage, IDC_SPLITS_LIST);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        RECT r;
        GetClientRect(list, &r);
        for (int k = 0; k < 4; k++) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.fmt = k ? LVCFMT_RIGHT : LVCFMT_LEFT;
            column.cx = (r.right - GetSystemMetrics(SM_CXVSCROLL)) / 4;
            column.pszText = const_cast<char *>(columnTitles[k]);
            SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)k, (LPARAM)&column);
        }
        return FALSE;
    }
    case WM_PAGE_SHOWN:
        Refresh(hPage);
        return TRUE;
    case WM_NOTIFY: {
        NMHDR *nm = reinterpret_cast<NMHDR *>(lParam);
        if (nm->idFrom == IDC_SPLITS_LIST && nm->code == LVN_GETDISPINFOA)
            CellText(reinterpret_cast<NMLVDISPINFOA *>(lParam));
        return FALSE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDCANCEL)
            return ClosePage(hPage);
        if (code == BN_CLICKED && id >= IDC_SPLITS_EVEN && id <= IDC_SPLITS_POSITIVE) {
            tools.direction = id == IDC_SPLITS_EVEN ? 0 : id == IDC_SPLITS_NEGATIVE ? -1 : 1;
            Refresh(hPage);
        } else if (code == EN_CHANGE && id == IDC_SPLITS_PERCENT) {
            GetDlgItemTextA(hPage, id, tools.percent, sizeof tools.percent);
            Refresh(hPage);
        } else if (code == CBN_SELCHANGE && id == IDC_SPLITS_UNIT) {
            int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
            if (selected >= 0 && selected < UNITS)
                tools.splitUnit = selected;
            Refresh(hPage);
        } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_COPY) {
            CopyTable(hPage);
        } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_SAVE) {
            SaveTable(hPage);
        } else if (code == BN_CLICKED && bSplits && id == IDC_SPLITS_PRINT) {
            PrintBand(hPage);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    }
    return FALSE;
}
