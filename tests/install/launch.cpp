// Starts velto.exe as a user would and checks it, for the install test.
//   launch PROGRAM FOLDER          start PROGRAM in FOLDER, check the readouts,
//                                  close it, return its exit code
//   launch --shortcut LINK         the same with what the shortcut LINK names,
//                                  in the folder it names, printing both
//   launch --doc ...               also choose Help > Doc first: the guide must
//                                  open in Notepad, with no error box
//   launch --keep PROGRAM FOLDER   start it and leave it running
//   launch --tools PROGRAM FOLDER [save]  start it, open Special > Splits on
//                                  a plan, type 7 as the split's percentage
//                                  (and press Save as CSV), and leave it so
//   launch --hold FILE SECONDS     hold FILE open, shared with no one
//   launch --stubborn SECONDS      a window of Velto's class that will not
//                                  close, for SECONDS
//   launch --run "COMMAND LINE"    run it as it stands (the installer's /D=
//                                  takes no quotes) and return its exit code
// Wide calls throughout: the folders may have any name.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>

static HWND WaitForWindow(const wchar_t *className, DWORD processId, const wchar_t *titlePart)
{
    for (int tries = 0; tries < 400; tries++) {
        HWND found = NULL;
        while ((found = FindWindowExW(NULL, found, className, NULL)) != NULL) {
            DWORD owner;
            GetWindowThreadProcessId(found, &owner);
            wchar_t title[256] = L"";
            GetWindowTextW(found, title, 256);
            if ((!processId || owner == processId) && IsWindowVisible(found) &&
                (!titlePart || wcsstr(title, titlePart)))
                return found;
        }
        Sleep(50);
    }
    return NULL;
}

// Help > Doc: Notepad shows the guide, and Velto shows no error box.
static bool OpenDoc(HWND main, DWORD processId)
{
    PostMessageW(main, WM_COMMAND, 142, 0);
    HWND notepad = WaitForWindow(L"Notepad", 0, L"velto");
    HWND box = FindWindowW(NULL, L"Velto:  Error Notification");
    if (box) {
        wchar_t text[256] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        printf("error box: %ls\n", text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    if (notepad) {
        wchar_t title[256];
        GetWindowTextW(notepad, title, 256);
        printf("notepad: %ls\n", title);
        PostMessageW(notepad, WM_CLOSE, 0, 0);
    }
    (void)processId;
    return notepad && !box;
}

// A control of a window or of any window inside it.
static HWND Descendant(HWND window, int id)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        HWND inner = Descendant(child, id);
        if (inner)
            return inner;
    }
    return NULL;
}

// The runner's tools open over a plan, a percentage typed, and maybe the
// Save dialog open: what a closing from outside must not lose.
static int OpenTools(HWND main, DWORD processId, bool save)
{
    SendMessageW(GetDlgItem(main, 8), WM_SETTEXT, 0, (LPARAM)L"40:00");
    SendMessageW(GetDlgItem(main, 9), WM_SETTEXT, 0, (LPARAM)L"5");
    PostMessageW(main, WM_COMMAND, 152, 0);  // Special > Splits
    HWND tools = WaitForWindow(L"#32770", processId, L"Runner's Tools");
    HWND percent = tools ? Descendant(tools, 533) : NULL;
    if (!percent)
        return 108;
    SendMessageW(percent, WM_SETTEXT, 0, (LPARAM)L"7");
    if (!save)
        return 0;
    PostMessageW(Descendant(tools, 538), BM_CLICK, 0, 0);
    return WaitForWindow(L"#32770", processId, L"Save") ? 0 : 109;
}

static int Launch(const wchar_t *program, const wchar_t *folder, bool doc, bool keep, int tools = 0)
{
    wchar_t command[MAX_PATH + 2];
    swprintf(command, MAX_PATH + 2, L"\"%ls\"", program);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(NULL, command, NULL, NULL, FALSE, 0, NULL, folder, &si, &pi)) {
        printf("cannot start %ls\n", program);
        return 101;
    }
    HWND main = WaitForWindow(L"Velto", pi.dwProcessId, NULL);
    if (!main) {
        printf("no main window\n");
        TerminateProcess(pi.hProcess, 102);
        return 102;
    }
    if (tools)
        return OpenTools(main, pi.dwProcessId, tools > 1);
    if (keep)
        return 0;
    wchar_t pace[64] = L"";
    SendMessageW(GetDlgItem(main, 10), WM_GETTEXT, 64, (LPARAM)pace);
    printf("pace field: %ls\n", pace);
    bool docShown = !doc || OpenDoc(main, pi.dwProcessId);
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
        return 103;
    DWORD code = 104;
    GetExitCodeProcess(pi.hProcess, &code);
    printf("exit code: %lu\n", code);
    if (!docShown)
        return 107;
    return wcscmp(pace, L"0.0 /Mile") == 0 ? (int)code : 105;
}

static LRESULT CALLBACK Stubborn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CLOSE)
        return 0;  // a Velto that hangs, or will not let go
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

static int StayOpen(int seconds)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Stubborn;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"Velto";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"Velto", L"Velto", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL, wc.hInstance, NULL);
    ShowWindow(hwnd, SW_SHOW);
    SetTimer(hwnd, 1, (UINT)seconds * 1000, NULL);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0 && msg.message != WM_TIMER)
        DispatchMessageW(&msg);
    return 0;
}

int wmain(int argc, wchar_t **argv)
{
    bool doc = argc > 1 && wcscmp(argv[1], L"--doc") == 0;
    if (doc) {
        argc--;
        argv++;
    }
    if (argc == 3 && wcscmp(argv[1], L"--stubborn") == 0)
        return StayOpen(_wtoi(argv[2]));
    if (argc == 3 && wcscmp(argv[1], L"--run") == 0) {
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(NULL, argv[2], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
            return 101;
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 104;
        GetExitCodeProcess(pi.hProcess, &code);
        return (int)code;
    }
    if (argc == 4 && wcscmp(argv[1], L"--keep") == 0)
        return Launch(argv[2], argv[3], false, true);
    if ((argc == 4 || argc == 5) && wcscmp(argv[1], L"--tools") == 0)
        return Launch(argv[2], argv[3], false, true, argc == 5 ? 2 : 1);
    if (argc == 4 && wcscmp(argv[1], L"--hold") == 0) {
        HANDLE file = CreateFileW(argv[2], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        if (file == INVALID_HANDLE_VALUE)
            return 110;
        Sleep((DWORD)_wtoi(argv[3]) * 1000);
        CloseHandle(file);
        return 0;
    }
    if (argc == 3 && wcscmp(argv[1], L"--shortcut") == 0) {
        CoInitialize(NULL);
        IShellLinkW *link = NULL;
        IPersistFile *file = NULL;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW, (void **)&link)) ||
            FAILED(link->QueryInterface(IID_IPersistFile, (void **)&file)) || FAILED(file->Load(argv[2], STGM_READ))) {
            printf("cannot read %ls\n", argv[2]);
            return 106;
        }
        wchar_t target[MAX_PATH], folder[MAX_PATH];
        link->GetPath(target, MAX_PATH, NULL, 0);
        link->GetWorkingDirectory(folder, MAX_PATH);
        printf("target: %ls\nfolder: %ls\n", target, folder);
        file->Release();
        link->Release();
        return Launch(target, folder, doc, false);
    }
    if (argc == 3)
        return Launch(argv[1], argv[2], doc, false);
    printf("usage: launch [--doc] PROGRAM FOLDER | launch [--doc] --shortcut LINK | launch --keep PROGRAM FOLDER |"
           " launch --stubborn SECONDS\n");
    return 100;
}
