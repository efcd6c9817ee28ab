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

    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
