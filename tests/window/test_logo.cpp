// The start-up picture: where it goes, what the screen holds during the
// pause and after it, the desktop lock, and the picture as built.
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"
#include "ui/velto.h"

namespace {

TEST(Logo, CornerCentresThePictureAndTruncatesTowardZero)
{
    auto corner = [](int cx, int cy) {
        POINT p = LogoCorner(cx, cy, 336, 479);
        return std::vector<LONG>{p.x, p.y};
    };
    EXPECT_EQ(corner(1280, 1024), (std::vector<LONG>{472, 272}));  // 944 / 2, 545 / 2
    EXPECT_EQ(corner(1920, 1080), (std::vector<LONG>{792, 300}));  // 601 / 2
    EXPECT_EQ(corner(336, 479), (std::vector<LONG>{0, 0}));
    EXPECT_EQ(corner(333, 476), (std::vector<LONG>{-1, -1}));    // -3 / 2
    EXPECT_EQ(corner(300, 1024), (std::vector<LONG>{-18, 272}));  // narrower only
    EXPECT_EQ(corner(1280, 400), (std::vector<LONG>{472, -39}));  // lower only: -79 / 2
}

struct Screen {
    HDC hdc = CreateDCA("DISPLAY", NULL, NULL, NULL);
    POINT at = LogoCorner(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 336, 479);
    ~Screen() { DeleteDC(hdc); }
    COLORREF Pixel(int x, int y) { return GetPixel(hdc, at.x + x, at.y + y); }
    void Fill(COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r = {at.x, at.y, at.x + 336, at.y + 479};
        FillRect(hdc, &r, brush);
        DeleteObject(brush);
    }
};

const POINT samples[5] = {{5, 5}, {168, 70}, {238, 250}, {40, 440}, {330, 470}};
const COLORREF magenta = RGB(255, 0, 255);

DWORD WINAPI RunLogo(LPVOID)
{
    return DisplayLogo(GetModuleHandleA(NULL));
}

// Visible top-level windows of one thread.
std::vector<HWND> WindowsOf(DWORD thread)
{
    std::vector<HWND> found;
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM list) {
            if (IsWindowVisible(w))
                ((std::vector<HWND> *)list)->push_back(w);
            return TRUE;
        },
        (LPARAM)&found);
    return found;
}

TEST(Logo, ShownCentredForThreeSecondsThenTheScreenIsPutBack)
{
    ASSERT_EQ(GetFileAttributesA("grovlet.wav"), INVALID_FILE_ATTRIBUTES);  // no sound to play
    Screen screen;
    screen.Fill(magenta);
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(NULL), "Plintho");
    HDC mem = CreateCompatibleDC(screen.hdc);
    SelectObject(mem, picture);

    DWORD start = GetTickCount(), threadId;
    HANDLE thread = CreateThread(NULL, 0, RunLogo, NULL, 0, &threadId);
    Sleep(1200);
    for (POINT s : samples)
        EXPECT_EQ(screen.Pixel(s.x, s.y), GetPixel(mem, s.x, s.y)) << s.x << "," << s.y;
    // Where the display context is not shown (Wine), a topmost window shows it.
    std::vector<HWND> shown = WindowsOf(threadId);
    ASSERT_EQ(shown.size(), 1u);
    RECT r;
    GetWindowRect(shown[0], &r);
    EXPECT_EQ(r.left, screen.at.x);
    EXPECT_EQ(r.top, screen.at.y);
    EXPECT_EQ(r.right - r.left, 336);
    EXPECT_EQ(r.bottom - r.top, 479);
    EXPECT_TRUE(GetWindowLongPtrA(shown[0], GWL_EXSTYLE) & WS_EX_TOPMOST);

    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    DWORD elapsed = GetTickCount() - start;
    DWORD result = 0;
    GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    EXPECT_EQ(result, 1u);
    EXPECT_GE(elapsed, 3000u);
    EXPECT_LT(elapsed, 4500u);
    for (POINT s : samples)
        EXPECT_EQ(screen.Pixel(s.x, s.y), magenta) << s.x << "," << s.y;
    EXPECT_TRUE(WindowsOf(threadId).empty());
    // The lock is free again.
    EXPECT_TRUE(LockWindowUpdate(GetDesktopWindow()));
    LockWindowUpdate(NULL);
    DeleteDC(mem);
    DeleteObject(picture);
}

TEST(Logo, SkippedAtOnceWhileAnotherHoldsTheLock)
{
    Screen screen;
    screen.Fill(magenta);
    ASSERT_TRUE(LockWindowUpdate(GetDesktopWindow()));
    DWORD start = GetTickCount();
    EXPECT_EQ(DisplayLogo(GetModuleHandleA(NULL)), 1);
    DWORD elapsed = GetTickCount() - start;
    LockWindowUpdate(NULL);
    EXPECT_LT(elapsed, 500u);
    for (POINT s : samples)
        EXPECT_EQ(screen.Pixel(s.x, s.y), magenta);
    EXPECT_TRUE(WindowsOf(GetCurrentThreadId()).empty());
}

TEST(Logo, SkippedAtOnceWithoutThePicture)
{
    DWORD start = GetTickCount();
    EXPECT_EQ(DisplayLogo(GetModuleHandleA("kernel32.dll")), 1);  // holds no "Plintho"
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_TRUE(LockWindowUpdate(GetDesktopWindow()));  // and left the lock free
    LockWindowUpdate(NULL);
}

TEST(Logo, PictureAsBuiltIntoTheProgram)
{
    const char *exe = getenv("VELTO_EXE");
    if (!exe)
        GTEST_SKIP() << "VELTO_EXE not set";
    std::string path = std::string("Z:") + exe;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    HMODULE program = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program != NULL);
    HRSRC found = FindResourceA(program, "plintho", (LPCSTR)RT_BITMAP);  // names ignore case
    ASSERT_TRUE(found != NULL);
    EXPECT_EQ(SizeofResource(program, found), 162008u);
    const BITMAPINFOHEADER *head = (const BITMAPINFOHEADER *)LockResource(LoadResource(program, found));
    EXPECT_EQ(head->biSize, 40u);
    EXPECT_EQ(head->biWidth, 336);
    EXPECT_EQ(head->biHeight, 479);  // positive: rows bottom-up
    EXPECT_EQ(head->biPlanes, 1);
    EXPECT_EQ(head->biBitCount, 8);
    EXPECT_EQ(head->biCompression, (DWORD)BI_RGB);
    EXPECT_TRUE(head->biClrUsed == 0 || head->biClrUsed == 256);
    FreeLibrary(program);
}

}  // namespace
