// The program's entry and its message loop.
#include "ui/velto.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int iCmdShow)
{
    MSG msg;
    HWND hwnd = StartVelto(hInstance);
    if (!hwnd)
        return 1;

    DisplayLogo(hInstance);  // the main window is still hidden

    // The first showing sizes the window, which places the controls and
    // fills the fields.
    ShowWindow(hwnd, iCmdShow);
    UpdateWindow(hwnd);
    FocusControl(hwndTimeReadout);  // ready for typing at once

    bool prepared = false;
    for (;;) {
        // The first time the queue is empty, all is painted: the tools'
        // libraries load then, not while the user waits for the window.
        if (!prepared && !PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            PrepareTools();
            prepared = true;
        }
        if (GetMessageA(&msg, NULL, 0, 0) <= 0)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
