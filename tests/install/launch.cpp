// Starts velto.exe as a user would, waits for its main window, checks the
// readouts are filled, closes it and returns its exit code.
//   launch PROGRAM FOLDER      start PROGRAM in FOLDER
//   launch --shortcut LINK     start what the shortcut LINK names, in the
//                              folder it names, and print both
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

static HWND WaitForMainWindow(DWORD processId)
{
    for (int tries = 0; tries < 400; tries++) {
        HWND found = NULL;
        while ((found = FindWindowExA(NULL, found, "Velto", NULL)) != NULL) {
            DWORD owner;
            GetWindowThreadProcessId(found, &owner);
            if (owner == processId && IsWindowVisible(found))
                return found;
        }
        Sleep(50);
    }
    return NULL;
}

static int Launch(char *program, const char *folder)
{
    char command[MAX_PATH + 2];
    snprintf(command, sizeof command, "\"%s\"", program);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, folder, &si, &pi)) {
        printf("cannot start %s\n", program);
        return 101;
    }
    HWND main = WaitForMainWindow(pi.dwProcessId);
    if (!main) {
        printf("no main window\n");
        TerminateProcess(pi.hProcess, 102);
        return 102;
    }
    char pace[64] = "";
    SendMessageA(GetDlgItem(main, 10), WM_GETTEXT, sizeof pace, (LPARAM)pace);
    printf("pace field: %s\n", pace);
    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
        return 103;
    DWORD code = 104;
    GetExitCodeProcess(pi.hProcess, &code);
    printf("exit code: %lu\n", code);
    return strcmp(pace, "0.0 /Mile") == 0 ? (int)code : 105;
}

int main(int argc, char **argv)
{
    if (argc == 3 && strcmp(argv[1], "--shortcut") == 0) {
        CoInitialize(NULL);
        IShellLinkA *link = NULL;
        IPersistFile *file = NULL;
        WCHAR path[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, MAX_PATH);
        if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link)) ||
            FAILED(link->QueryInterface(IID_IPersistFile, (void **)&file)) || FAILED(file->Load(path, STGM_READ))) {
            printf("cannot read %s\n", argv[2]);
            return 106;
        }
        char target[MAX_PATH], folder[MAX_PATH];
        link->GetPath(target, sizeof target, NULL, 0);
        link->GetWorkingDirectory(folder, sizeof folder);
        printf("target: %s\nfolder: %s\n", target, folder);
        file->Release();
        link->Release();
        return Launch(target, folder);
    }
    if (argc == 3)
        return Launch(argv[1], argv[2]);
    printf("usage: launch PROGRAM FOLDER | launch --shortcut LINK\n");
    return 100;
}
