#include "harness.h"

#include <commctrl.h>  // after windows.h

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>

#include "model/pacemodel.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void ResetTools()
{
    char folder[MAX_PATH], file[MAX_PATH + 32];
    GetTempPathA(sizeof folder, folder);
    snprintf(folder + strlen(folder), sizeof folder - strlen(folder), "velto-tests-%lu", GetCurrentProcessId());
    CreateDirectoryA(folder, NULL);
    SetEnvironmentVariableA("APPDATA", folder);
    for (const char *name : {"velto.ini", "course.veltoplan"}) {
        snprintf(file, sizeof file, "%s\\Velto\\%s", folder, name);
        SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file);
    }
    ToolsDefaults();
}

std::string Text(HWND control)
{
    char text[256];
    GetWindowTextA(control, text, sizeof text);
    return text;
}

void Type(HWND field, const char *text)
{
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    for (const char *p = text; *p; p++)
        SendMessageA(field, WM_CHAR, (unsigned char)*p, 1);
}

std::string ClipboardText()
{
    std::string text;
    if (OpenClipboard(NULL)) {
        HANDLE data = GetClipboardData(CF_TEXT);
        const char *p = data ? (const char *)GlobalLock(data) : NULL;
        text = p ? p : "";
        if (data)
            GlobalUnlock(data);
        CloseClipboard();
    }
    return text;
}

std::string WindowsPath(const char *unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

PROCESS_INFORMATION StartProgram(const char *arguments)
{
    const char *exe = getenv("VELTO_EXE");
    std::string command = "\"" + WindowsPath(exe) + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    EXPECT_TRUE(CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    return pi;
}

HWND FindOf(DWORD processId, const char *className, bool visible, const char *title)
{
    HWND found = NULL;
    while ((found = FindWindowExA(NULL, found, className, title)) != NULL) {
        DWORD owner;
        GetWindowThreadProcessId(found, &owner);
        if (owner == processId && (IsWindowVisible(found) != FALSE) == visible)
            return found;
    }
    return NULL;
}

HWND WaitForWindow(DWORD processId, const char *className, const char *title)
{
    for (int tries = 0; tries < 400; tries++) {
        if (HWND found = FindOf(processId, className, true, title))
            return found;
        Sleep(50);
    }
    return NULL;
}

std::function<void(HWND)> ChooseFileScript(const std::string &path)
{
    return [path](HWND dialog) {
        SetDlgItemTextA(dialog, 1148, path.c_str());
        SetDlgItemTextA(dialog, 1152, path.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
}

HWND ToolsPage(HWND tools)
{
    for (HWND child = GetWindow(tools, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16];
        GetClassNameA(child, name, sizeof name);
        if (strcmp(name, "#32770") == 0 && IsWindowVisible(child))
            return child;
    }
    return NULL;
}

std::string Cell(HWND list, int row, int column)
{
    char text[64] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    return text;
}

int Thumb(HWND bar)
{
    return GetScrollPos(bar, SB_CTL);
}

Metrics FixedFont()
{
    TEXTMETRICA tm;
    HDC hdc = GetDC(NULL);
    HGDIOBJ old = SelectObject(hdc, GetStockObject(SYSTEM_FIXED_FONT));
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, old);
    ReleaseDC(NULL, hdc);
    return {tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading};
}

static HHOOK hook;
static std::vector<Box> caught;
static HWND openBox;
static std::vector<Dialog> dialogsRun;
static std::string scriptText;
static char scriptFinish;
static bool scriptWhole;
static HWND scriptDialog;
static UINT_PTR scriptTimer;
static std::deque<std::function<void(HWND)>> scripts;
static std::deque<HWND> scriptedDialogs;  // waiting for their turn, in order

// Runs inside the dialog's own modal loop, as a user would act.
static void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    if (!scriptedDialogs.empty()) {
        HWND dlg = scriptedDialogs.front();
        if (!IsWindowVisible(dlg)) {  // a modal dialog shows once its queue is empty
            SetTimer(NULL, 0, 10, RunScript);
            return;
        }
        scriptedDialogs.pop_front();
        std::function<void(HWND)> script = scripts.front();
        scripts.pop_front();
        script(dlg);
        return;
    }
    HWND dlg = scriptDialog;
    dialogsRun.back().focusId = GetDlgCtrlID(GetFocus());
    dialogsRun.back().listCount = (int)SendDlgItemMessageA(dlg, 401, LB_GETCOUNT, 0, 0);
    HWND field = NULL;
    for (int id : {300, 301, 421})
        if (!field)
            field = GetDlgItem(dlg, id);
    if (field && scriptWhole)
        SetWindowTextA(field, scriptText.c_str());
    else if (field)
        for (char c : scriptText)
            SendMessageA(field, WM_CHAR, (unsigned char)c, 1);
    int ok = GetDlgItem(dlg, 302) ? 302 : GetDlgItem(dlg, 303) ? 303 : GetDlgItem(dlg, 304) ? 304 : IDOK;
    switch (scriptFinish) {
    case 'Y':  // Copy, then close
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(402, BN_CLICKED), (LPARAM)GetDlgItem(dlg, 402));
        // fall through
    case 'O':
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(ok, BN_CLICKED), (LPARAM)GetDlgItem(dlg, ok));
        break;
    case 'K':  // OK, and CANCEL when the dialog stays
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(ok, BN_CLICKED), (LPARAM)GetDlgItem(dlg, ok));
        if (IsWindow(dlg))
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
        break;
    case 'C':
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDCANCEL));
        break;
    case 'E':
    case 'X': {
        // Where the keyboard is; after a box the dialog itself may have it,
        // or no window, and the dialog takes the key all the same.
        HWND focus = GetFocus();
        if (!focus || (focus != dlg && !IsChild(dlg, focus)))
            focus = dlg;
        PostMessageA(focus, WM_KEYDOWN, scriptFinish == 'E' ? VK_RETURN : VK_ESCAPE, 0);
        break;
    }
    }
}

static BOOL CALLBACK AddText(HWND control, LPARAM dialog)
{
    ((Dialog *)dialog)->texts.push_back(Text(control));
    return TRUE;
}

static LRESULT CALLBACK CatchBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = (HWND)wParam;
    char className[32] = "";
    if (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND)
        GetClassNameA(window, className, sizeof className);
    char caption[64] = "";
    if (className[0])
        GetWindowTextA(window, caption, sizeof caption);
    // Every box of the program is myerror's; the dialogs have other captions.
    bool messageBox = strcmp(className, "#32770") == 0 && strcmp(caption, "Velto:  Error Notification") == 0;
    bool dialog = strcmp(className, "#32770") == 0 && !messageBox;
    if (messageBox && code == HCBT_ACTIVATE && window != openBox) {
        openBox = window;
        char text[512];
        Box box;
        GetWindowTextA(window, text, sizeof text);
        box.caption = text;
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        box.text = text;
        caught.push_back(box);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else if (messageBox && code == HCBT_DESTROYWND && window == openBox) {
        caught.back().timeField = Text(hwndTimeReadout);
        caught.back().distanceField = Text(hwndDistanceReadout);
        openBox = NULL;
    } else if (dialog && code == HCBT_ACTIVATE && !scripts.empty() && window != scriptDialog) {
        scriptDialog = window;
        Dialog seen;
        EnumChildWindows(window, AddText, (LPARAM)&seen);
        dialogsRun.push_back(seen);
        scriptedDialogs.push_back(window);
        SetTimer(NULL, 0, 0, RunScript);
    } else if (dialog && code == HCBT_ACTIVATE && window != scriptDialog && scriptFinish) {
        scriptDialog = window;
        Dialog seen;
        EnumChildWindows(window, AddText, (LPARAM)&seen);
        dialogsRun.push_back(seen);
        scriptTimer = SetTimer(NULL, 0, 0, RunScript);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

BoxCatcher::BoxCatcher()
{
    caught.clear();
    dialogsRun.clear();
    openBox = NULL;
    scriptFinish = 0;
    scriptDialog = NULL;
    scripts.clear();
    scriptedDialogs.clear();
    hook = SetWindowsHookExA(WH_CBT, CatchBoxes, NULL, GetCurrentThreadId());
}

BoxCatcher::~BoxCatcher()
{
    UnhookWindowsHookEx(hook);
}

const std::vector<Box> &BoxCatcher::boxes() const
{
    return caught;
}

std::vector<std::string> BoxCatcher::texts() const
{
    std::vector<std::string> texts;
    for (const Box &box : caught)
        texts.push_back(box.text);
    return texts;
}

void BoxCatcher::ScriptDialog(const char *text, char finish, bool whole)
{
    scriptText = text;
    scriptFinish = finish;
    scriptWhole = whole;
    scriptDialog = NULL;
}

void BoxCatcher::InDialog(std::function<void(HWND)> script)
{
    scripts.push_back(script);
}

const std::vector<Dialog> &BoxCatcher::dialogs() const
{
    return dialogsRun;
}

void MainWindow::SetUp()
{
    ResetModel();
    ResetTools();
    hwnd = StartVelto(GetModuleHandleA(NULL));
    ASSERT_TRUE(hwnd != NULL);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    Pump();
}

void MainWindow::TearDown()
{
    if (hwnd)
        DestroyWindow(hwnd);
    Pump();
    UnregisterClassA("Velto", GetModuleHandleA(NULL));
}

void MainWindow::Resize(int w, int h)
{
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w, h));
}

void MainWindow::ResizeForRange(int range)
{
    Resize(range + 14 * FixedFont().cxChar + 30, 167);  // the bars are cx - 14 cxChar - 30 wide
    ASSERT_EQ(iDistanceMax, range);
}
