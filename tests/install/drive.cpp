// Clicks through the installer or the uninstaller as a user would, for the
// install test:
//   drive "COMMAND LINE" ACTION...
// Each ACTION is taken in turn, when it can be: "next" presses the button
// that goes on (Next, I Agree, Install, Uninstall, Finish) once a new page
// shows, "quit" presses Cancel, "nostart" clears "Start Velto" on the last
// page and presses Finish; "yes", "no", "ok", "retry" and "cancel" answer
// the next message box. Prints each box's text and the exit code, which it
// returns.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

struct Found {
    DWORD processId;
    HWND main, box;
};

static BOOL CALLBACK Look(HWND hwnd, LPARAM lParam)
{
    Found *found = (Found *)lParam;
    DWORD owner;
    GetWindowThreadProcessId(hwnd, &owner);
    char className[32];
    GetClassNameA(hwnd, className, sizeof className);
    if (owner != found->processId || !IsWindowVisible(hwnd) || strcmp(className, "#32770") != 0)
        return TRUE;
    if (GetDlgItem(hwnd, 0xFFFF))
        found->box = hwnd;  // a message box: its text has that id
    else
        found->main = hwnd;
    return TRUE;
}

static HWND InnerPage(HWND main)
{
    return FindWindowExA(main, NULL, "#32770", NULL);
}

static void Click(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        printf("usage: drive \"COMMAND LINE\" ACTION...\n");
        return 100;
    }
    std::vector<char> command(argv[1], argv[1] + strlen(argv[1]) + 1);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        printf("cannot start %s\n", argv[1]);
        return 101;
    }
    HWND lastPage = NULL;
    int next = 2;
    for (int tick = 0; tick < 1200 && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT; tick++) {
        Found found = {pi.dwProcessId, NULL, NULL};
        EnumWindows(Look, (LPARAM)&found);
        if (found.box) {
            char text[512] = "";
            GetDlgItemTextA(found.box, 0xFFFF, text, sizeof text);
            for (char *c = text; *c; c++)
                if (*c == '\r' || *c == '\n')
                    *c = ' ';
            printf("box: %s\n", text);
            const char *answers[5] = {"yes", "no", "ok", "retry", "cancel"};
            const int ids[5] = {IDYES, IDNO, IDOK, IDRETRY, IDCANCEL};
            int id = IDCANCEL;
            if (next < argc)
                for (int k = 0; k < 5; k++)
                    if (strcmp(argv[next], answers[k]) == 0)
                        id = ids[k];
            next++;
            Click(found.box, id);
            // Wait for the box to go before looking again.
            for (int wait = 0; wait < 100 && IsWindow(found.box) && IsWindowVisible(found.box); wait++)
                Sleep(50);
            continue;
        }
        if (!found.main || next >= argc)
            continue;
        HWND page = InnerPage(found.main);
        HWND go = GetDlgItem(found.main, 1);
        const char *action = argv[next];
        if (strcmp(action, "quit") == 0) {
            // Again each second: a click while the page is busy goes unheard.
            if (tick % 20 == 0 && IsWindowEnabled(GetDlgItem(found.main, IDCANCEL)))
                Click(found.main, IDCANCEL);
        } else if (page && page != lastPage && go && IsWindowEnabled(go)) {
            Sleep(200);  // the page settles
            if (strcmp(action, "nostart") == 0) {
                HWND run = FindWindowExA(page, NULL, "Button", "Start Velto");
                if (!run)
                    continue;  // not the last page yet
                SendMessageA(run, BM_SETCHECK, BST_UNCHECKED, 0);
            }
            Click(found.main, 1);
            next++;
            lastPage = page;
        }
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        printf("still running; actions left: %d\n", argc - next);
        TerminateProcess(pi.hProcess, 102);
        return 102;
    }
    DWORD code = 103;
    GetExitCodeProcess(pi.hProcess, &code);
    printf("exit: %lu\n", code);
    return (int)code;
}
