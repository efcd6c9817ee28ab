// The start-up picture: drawn straight onto the screen, centred, for three
// seconds while the start-up sound plays, then the screen is put back.
#include "ui/velto.h"

#include <mmsystem.h>

POINT LogoCorner(int cxScreen, int cyScreen, int cxPicture, int cyPicture)
{
    // Negative where the picture is larger than the screen.
    POINT corner = {(cxScreen - cxPicture) / 2, (cyScreen - cyPicture) / 2};
    return corner;
}

static void DrawBitmap(HDC hdc, HBITMAP hBitmap, int xStart, int yStart)
{
    BITMAP bm;
    POINT ptSize, ptOrg;
    HDC hdcMem = CreateCompatibleDC(hdc);
    if (!hdcMem)
        return;
    HGDIOBJ old = SelectObject(hdcMem, hBitmap);
    SetMapMode(hdcMem, GetMapMode(hdc));
    GetObjectA(hBitmap, sizeof bm, &bm);
    ptSize.x = bm.bmWidth;
    ptSize.y = bm.bmHeight;
    DPtoLP(hdc, &ptSize, 1);
    ptOrg.x = 0;
    ptOrg.y = 0;
    DPtoLP(hdcMem, &ptOrg, 1);
    BitBlt(hdc, xStart, yStart, ptSize.x, ptSize.y, hdcMem, ptOrg.x, ptOrg.y, SRCCOPY);
    SelectObject(hdcMem, old);  // the picture is not deleted while selected
    DeleteDC(hdcMem);
}

// Under Wine's X11 driver what is drawn on the display context stays in
// Wine's own copy of the screen and is never shown, so there the picture
// also goes into a borderless topmost window at the same place.
static bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The window is painted by its class brush, the picture itself: a static
// control would be drawn by whichever control library the manifest picks.
static HWND ShowPictureWindow(HINSTANCE hInstance, HBITMAP picture, POINT at, SIZE size)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hbrBackground = CreatePatternBrush(picture);
    wc.lpszClassName = "VeltoLogo";
    if (!RegisterClassA(&wc)) {
        DeleteObject(wc.hbrBackground);
        return NULL;
    }
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "VeltoLogo", NULL, WS_POPUP, at.x, at.y,
                                  size.cx, size.cy, NULL, NULL, hInstance, NULL);
    if (window) {
        SetWindowPos(window, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        UpdateWindow(window);  // no messages are handled during the pause
    }
    return window;
}

static void HidePictureWindow(HINSTANCE hInstance, HWND window)
{
    WNDCLASSA wc;
    if (window)
        DestroyWindow(window);
    if (GetClassInfoA(hInstance, "VeltoLogo", &wc)) {
        UnregisterClassA("VeltoLogo", hInstance);
        DeleteObject(wc.hbrBackground);
    }
}

int DisplayLogo(HINSTANCE hInstance)
{
    BITMAP bm;
    SIZE Size, Screen;

    HBITMAP mybmhandle = LoadBitmapA(hInstance, "Plintho");
    if (!mybmhandle)
        return 1;  // without the picture there is no size to work with
    GetObjectA(mybmhandle, sizeof bm, &bm);
    Size.cx = bm.bmWidth;
    Size.cy = bm.bmHeight;
    Screen.cx = GetSystemMetrics(SM_CXSCREEN);
    Screen.cy = GetSystemMetrics(SM_CYSCREEN);
    POINT at = LogoCorner(Screen.cx, Screen.cy, Size.cx, Size.cy);

    // Only one window can hold the lock: if another has it, no logo.
    if (!LockWindowUpdate(GetDesktopWindow())) {
        DeleteObject(mybmhandle);
        return 1;
    }

    HDC hdc = CreateDCA("DISPLAY", NULL, NULL, NULL);
    HBITMAP savedbmhandle = hdc ? CreateCompatibleBitmap(hdc, Size.cx, Size.cy) : NULL;
    HDC hdcMem = savedbmhandle ? CreateCompatibleDC(hdc) : NULL;
    if (!hdcMem) {  // no screen to draw on or to save: no logo, nothing left over
        if (savedbmhandle)
            DeleteObject(savedbmhandle);
        if (hdc)
            DeleteDC(hdc);
        DeleteObject(mybmhandle);
        LockWindowUpdate(NULL);
        return 1;
    }
    HGDIOBJ old = SelectObject(hdcMem, savedbmhandle);
    BitBlt(hdcMem, 0, 0, Size.cx, Size.cy, hdc, at.x, at.y, SRCCOPY);
    DrawBitmap(hdc, mybmhandle, at.x, at.y);
    HWND window = UnderWine() ? ShowPictureWindow(hInstance, mybmhandle, at, Size) : NULL;

    PlaySoundA("grovlet.wav", NULL, SND_FILENAME | SND_ASYNC);
    Sleep(3000);

    // The window goes first: the platform repaints what it covered, and the
    // saved area must be put back over that.
    if (UnderWine())
        HidePictureWindow(hInstance, window);
    BitBlt(hdc, at.x, at.y, Size.cx, Size.cy, hdcMem, 0, 0, SRCCOPY);
    DeleteObject(mybmhandle);
    SelectObject(hdcMem, old);
    DeleteDC(hdcMem);
    DeleteObject(savedbmhandle);  // no longer selected anywhere
    DeleteDC(hdc);
    LockWindowUpdate(NULL);
    return 1;
}
