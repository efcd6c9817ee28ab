// The floor for start-up and memory: one class, one window, a message loop,
// and the start-up chime played the way Velto plays it ("silent" on the
// command line leaves it out). Built a second time with Velto's manifest
// and one button (MINIMAL_THEMED), it is the floor of a program in the
// current control look.
#include <windows.h>

#include <cstring>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    if (!strstr(commandLine, "silent"))
        PlaySoundA("grovlet.wav", NULL, SND_FILENAME | SND_ASYNC);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Minimal";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "Minimal", "Minimal", WS_OVERLAPPEDWINDOW, 50, 100, 636, 212, NULL, NULL,
                                instance, NULL);
#ifdef MINIMAL_THEMED
    CreateWindowExA(0, "button", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, hwnd, NULL, instance, NULL);
#endif
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
