// The main window: its controls, layout, typed entry, units and errors.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "model/pacemodel.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

RECT Placed(HWND parent, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, parent, (POINT *)&r, 2);
    return r;
}

// ---------------------------------------------------------------- controls

TEST_F(MainWindow, WindowClassAndCaption)
{
    char name[64];
    GetClassNameA(hwnd, name, sizeof name);
    EXPECT_STREQ(name, "Velto");
    EXPECT_EQ(Text(hwnd), "Velto: A Pacing Calculator for Runners");
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCL_STYLE), CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICONSM), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), (LONG_PTR)WndProc);

    char cwd[256];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_STREQ(WorkingDirectory, cwd);
    EXPECT_EQ(myInstance, GetModuleHandleA(NULL));
}

TEST_F(MainWindow, MenuBarHasItsFourPopups)
{
    HMENU menu = GetMenu(hwnd);
    ASSERT_TRUE(menu != NULL);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    const char *titles[4] = {"&File", "&Settings", "S&pecial", "&Help"};
    for (int k = 0; k < 4; k++) {
        char text[64];
        GetMenuStringA(menu, k, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, titles[k]);
        EXPECT_TRUE(GetSubMenu(menu, k) != NULL);
    }
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), 111u);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 3), 1), 142u);
}

TEST_F(MainWindow, TwentyTwoControlsWithTheirClassesTextsAndStyles)
{
    const DWORD scroll = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ;
    const DWORD plain = WS_CHILD | WS_VISIBLE;
    const DWORD group = plain | BS_GROUPBOX;
    const DWORD radio = plain | BS_RADIOBUTTON;
    const struct {
        HWND handle;
        const char *className, *text;
        DWORD style;
    } want[22] = {
        {hwndDistanceScroll, "ScrollBar", "", scroll},
        {hwndTargetScroll, "ScrollBar", "", scroll},
        {hwndDistanceLabel, "Static", "Distance:", plain},
        {hwndTargetLabel, "Static", "Target Time:", plain},
        {hwndTimeReadoutLabel, "Static", "Time:", plain},
        {hwndDistanceReadoutLabel, "Static", "Distance:", plain},
        {hwndPaceLabel, "Static", "Pace:", plain},
        {hwndTimeReadout, "Edit", nullptr, plain},
        {hwndDistanceReadout, "Edit", nullptr, plain},
        {hwndPaceField, "Edit", nullptr, plain},
        {hwndDistanceGroup, "Button", "Distance Unit", group},
        {hwndSplitGroup, "Button", "Split Unit", group},
        {hwndDistanceMile, "Button", "Mile", radio},
        {hwndDistanceKm, "Button", "Km", radio},
        {hwndDistance400m, "Button", "400m", radio},
        {hwndDistance440y, "Button", "440y", radio},
        {hwndDistance200m, "Button", "200m", radio},
        {hwndSplitMile, "Button", "Mile", radio},
        {hwndSplitKm, "Button", "Km", radio},
        {hwndSplit400m, "Button", "400m", radio},
        {hwndSplit440y, "Button", "440y", radio},
        {hwndSplit200m, "Button", "200m", radio},
    };
    for (int k = 0; k < 22; k++) {
        int id = k + 1;
        SCOPED_TRACE(id);
        ASSERT_TRUE(want[k].handle != NULL);
        EXPECT_EQ(GetDlgItem(hwnd, id), want[k].handle);
        EXPECT_EQ(GetParent(want[k].handle), hwnd);
        char name[32];
        GetClassNameA(want[k].handle, name, sizeof name);
        EXPECT_EQ(_stricmp(name, want[k].className), 0) << name;
        if (want[k].text) {
            EXPECT_EQ(Text(want[k].handle), want[k].text);
        }
        DWORD style = (DWORD)GetWindowLongPtrA(want[k].handle, GWL_STYLE);
        EXPECT_EQ(style & ~(WS_CLIPSIBLINGS | WS_TABSTOP), want[k].style & ~WS_TABSTOP);
        // The platform gives a radio the tab stop when it is checked.
        if ((want[k].style & 0xF) != BS_RADIOBUTTON) {
            EXPECT_EQ((style & WS_TABSTOP) != 0, (want[k].style & WS_TABSTOP) != 0);
        }
        EXPECT_EQ(style & WS_GROUP, 0u);
        EXPECT_EQ(GetWindowLongPtrA(want[k].handle, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    }
}

TEST_F(MainWindow, OnlyTheMileUnitsAreMarkedAtStart)
{
    for (int id = 13; id <= 22; id++)
        EXPECT_EQ(SendMessageA(GetDlgItem(hwnd, id), BM_GETCHECK, 0, 0),
                  id == 13 || id == 18 ? BST_CHECKED : BST_UNCHECKED)
            << id;
}

TEST_F(MainWindow, FirstShowingFillsTheFields)
{
    EXPECT_EQ(Text(hwndPaceField), "0.0 /Mile");
    EXPECT_EQ(Text(hwndTimeReadout), "0.0");
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.");
}

// A class that is already there cannot be registered: the user is told and
// start-up gives up.
TEST_F(MainWindow, StartUpFailsWithAMessageWhenTheClassExists)
{
    BoxCatcher catcher;
    EXPECT_TRUE(StartVelto(GetModuleHandleA(NULL)) == NULL);
    EXPECT_EQ(catcher.texts(), Strings{"Velto cannot register its window class."});
    EXPECT_EQ(catcher.boxes()[0].caption, "Velto:  Error Notification");
}

static HHOOK refuseHook;
static LRESULT CALLBACK RefuseVeltoWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char name[32];
        GetClassNameA((HWND)wParam, name, sizeof name);
        if (strcmp(name, "Velto") == 0)
            return 1;
    }
    return CallNextHookEx(refuseHook, code, wParam, lParam);
}

TEST(StartUp, FailsWithAMessageWhenTheWindowCannotBeCreated)
{
    BoxCatcher catcher;
    refuseHook = SetWindowsHookExA(WH_CBT, RefuseVeltoWindows, NULL, GetCurrentThreadId());
    HWND hwnd = StartVelto(GetModuleHandleA(NULL));
    UnhookWindowsHookEx(refuseHook);
    UnregisterClassA("Velto", GetModuleHandleA(NULL));
    EXPECT_TRUE(hwnd == NULL);
    EXPECT_EQ(catcher.texts(), Strings{"Velto cannot create its main window."});
}

// A control that cannot be created fails alone: the others are placed,
// and the radios of its bank still answer.
static LRESULT CALLBACK RefuseTheLastControl(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && ((CBT_CREATEWNDA *)lParam)->lpcs->hMenu == (HMENU)22 &&
        (((CBT_CREATEWNDA *)lParam)->lpcs->style & WS_CHILD))
        return 1;
    return CallNextHookEx(refuseHook, code, wParam, lParam);
}

TEST(StartUp, OneMissingControlLeavesTheOthersPlaced)
{
    ResetModel();
    refuseHook = SetWindowsHookExA(WH_CBT, RefuseTheLastControl, NULL, GetCurrentThreadId());
    HWND hwnd = StartVelto(GetModuleHandleA(NULL));
    UnhookWindowsHookEx(refuseHook);
    ASSERT_TRUE(hwnd != NULL);
    EXPECT_TRUE(hwndSplit200m == NULL);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    Pump();
    RECT r = Placed(hwnd, hwndTimeReadout);
    EXPECT_EQ(r.left, 14 * FixedFont().cxChar + 20);
    EXPECT_EQ(r.right - r.left, 13 * FixedFont().cxChar);
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.");
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    EXPECT_EQ(iSplitChecked, 19);
    DestroyWindow(hwnd);
    Pump();
    UnregisterClassA("Velto", GetModuleHandleA(NULL));
}

// ------------------------------------------------------------------ layout

TEST_F(MainWindow, CreationPlacesAndSizesTheWindowFromTheFont)
{
    Metrics m = FixedFont();
    RECT r;
    GetWindowRect(hwnd, &r);
    int height = 12 * m.cyChar + 20;
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.right - r.left, 3 * height);
}

class Layout : public MainWindow {
protected:
    // Every control where the layout formulas put it for a client of cx x cy.
    void Check(int cx, int cy)
    {
        SCOPED_TRACE(std::to_string(cx) + " x " + std::to_string(cy));
        Metrics m = FixedFont();
        Resize(cx, cy);
        int row = (cy - 20) / 5;
        int L = 14 * m.cxChar, R = 13 * m.cxChar, S = cx - L - 30, G = 3 * row / 2;
        int B = (cx - L - R - 55) / 5;
        int c = m.cyChar;
        struct {
            HWND h;
            int x, y, w, h_;
        } want[22] = {
            {hwndDistanceLabel, 10, 3 * row + 10, L, c},
            {hwndTargetLabel, 10, 4 * row + 10, L, c},
            {hwndDistanceScroll, L + 20, 3 * row + 10, S, c},
            {hwndTargetScroll, L + 20, 4 * row + 10, S, c},
            {hwndTimeReadoutLabel, 10, 10, L, c},
            {hwndTimeReadout, L + 20, 10, R, c},
            {hwndDistanceReadoutLabel, 10, row + 10, L, c},
            {hwndDistanceReadout, L + 20, row + 10, R, c},
            {hwndPaceLabel, 10, 2 * row + 10, L, c},
            {hwndPaceField, L + 20, 2 * row + 10, R, c},
            {hwndDistanceGroup, L + R + 30, 5, cx - L - R - 40, G},
            {hwndSplitGroup, L + R + 30, G + 5, cx - L - R - 40, G},
        };
        for (int k = 0; k < 5; k++) {
            want[12 + k] = {GetDlgItem(hwnd, 13 + k), L + R + 35 + k * B, G - 5 - c, B, c};
            want[17 + k] = {GetDlgItem(hwnd, 18 + k), L + R + 35 + k * B, 3 * row - 5 - c, B, c};
        }
        for (auto &w : want) {
            RECT r = Placed(hwnd, w.h);
            SCOPED_TRACE(GetDlgCtrlID(w.h));
            EXPECT_EQ(r.left, w.x);
            EXPECT_EQ(r.top, w.y);
            // A negative size is passed on; the platform shows it as none.
            EXPECT_EQ(r.right - r.left, std::max(w.w, 0));
            EXPECT_EQ(r.bottom - r.top, std::max(w.h_, 0));
        }
        EXPECT_EQ(iDistanceMax, S);
        EXPECT_EQ(iTargetMax, S);
        if (S > 0) {
            int lo, hi;
            GetScrollRange(hwndDistanceScroll, SB_CTL, &lo, &hi);
            EXPECT_EQ(lo, 0);
            EXPECT_EQ(hi, S);
            GetScrollRange(hwndTargetScroll, SB_CTL, &lo, &hi);
            EXPECT_EQ(hi, S);
        }
    }
};

TEST_F(Layout, FollowsTheFormulasForEveryClientSize)
{
    RECT client;
    GetClientRect(hwnd, &client);
    Check(client.right, client.bottom);  // as first shown
    Check(628, 167);
    Check(628, 168);  // odd 3 x row: the split radios sit a pixel lower
    Check(1000, 400);
    Check(300, 100);
    Check(0, 0);
}

TEST_F(Layout, WorkedExampleWithAnEightBySixteenFont)
{
    Metrics m = FixedFont();
    if (m.cxChar != 8 || m.cyChar != 16)
        GTEST_SKIP() << "system fixed font is " << m.cxChar << " x " << m.cyChar;
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 636);
    EXPECT_EQ(r.bottom - r.top, 212);

    Resize(628, 167);
    EXPECT_EQ(Placed(hwnd, hwndTimeReadoutLabel).left, 10);
    EXPECT_EQ(Placed(hwnd, hwndTimeReadoutLabel).right, 10 + 112);
    EXPECT_EQ(Placed(hwnd, hwndDistanceReadout).top, 39);
    EXPECT_EQ(Placed(hwnd, hwndPaceField).top, 68);
    EXPECT_EQ(Placed(hwnd, hwndPaceField).left, 132);
    EXPECT_EQ(Placed(hwnd, hwndPaceField).right, 132 + 104);
    EXPECT_EQ(Placed(hwnd, hwndDistanceScroll).top, 97);
    EXPECT_EQ(Placed(hwnd, hwndTargetScroll).top, 126);
    EXPECT_EQ(Placed(hwnd, hwndTargetScroll).right, 132 + 486);
    RECT g = Placed(hwnd, hwndSplitGroup);
    EXPECT_EQ(g.left, 246);
    EXPECT_EQ(g.top, 48);
    EXPECT_EQ(g.right - g.left, 372);
    EXPECT_EQ(g.bottom - g.top, 43);
    EXPECT_EQ(Placed(hwnd, hwndDistanceGroup).top, 5);
    const int xs[5] = {251, 322, 393, 464, 535};
    for (int k = 0; k < 5; k++) {
        RECT d = Placed(hwnd, GetDlgItem(hwnd, 13 + k)), s = Placed(hwnd, GetDlgItem(hwnd, 18 + k));
        EXPECT_EQ(d.left, xs[k]);
        EXPECT_EQ(d.right - d.left, 71);
        EXPECT_EQ(d.top, 22);
        EXPECT_EQ(s.top, 66);
    }
    EXPECT_EQ(iDistanceMax, 486);

    Resize(0, 0);  // as when minimised
    EXPECT_EQ(iDistanceMax, -142);
    EXPECT_EQ(iTargetMax, -142);
}

TEST_F(Layout, EverySizeChangeRecalculates)
{
    dDistance = 6.2137f;
    dTime = 2400;
    Resize(700, 200);
    EXPECT_EQ(Text(hwndPaceField), "6:26.2 /Mile");
    EXPECT_EQ(Text(hwndTimeReadout), "40:00.0");
    EXPECT_EQ(Text(hwndDistanceReadout), "6.21 Mi.");
    EXPECT_EQ(dDistance, 6.21f);  // read back as shown
    // the thumbs follow the new range: trunc(2400 / 5000 x S)
    int S = iTargetMax;
    EXPECT_EQ(Thumb(hwndTargetScroll), (int)(2400.0 / 5000 * S));
    EXPECT_EQ(Thumb(hwndDistanceScroll), (int)(6.21f / 10.0L * S));
}

TEST_F(MainWindow, EarlySizeNotificationBeforeTheControls)
{
    // What the creation's own size notification meets: no controls yet.
    DestroyWindow(hwnd);
    Pump();
    UnregisterClassA("Velto", GetModuleHandleA(NULL));
    dDistance = 2;
    dTime = 600;
    iDistanceMax = 0;
    hwnd = StartVelto(GetModuleHandleA(NULL));
    ASSERT_TRUE(hwnd != NULL);
    // The controls exist now but were never placed: all still 0 x 0 at (0, 0).
    RECT r = Placed(hwnd, hwndPaceField);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(Text(hwndPaceField), "");
    EXPECT_NE(iDistanceMax, 0);  // the maxima were stored all the same
    ShowWindow(hwnd, SW_SHOWNORMAL);
    Pump();
    EXPECT_EQ(Text(hwndPaceField), "5:00.0 /Mile");
}

// ------------------------------------------------------------ typed entry

TEST_F(MainWindow, TypedTimeMovesTheThumbButNotThePaceUntilLeft)
{
    BoxCatcher catcher;
    Type(hwndDistanceReadout, "5");
    Type(hwndTimeReadout, "40:00");
    EXPECT_EQ(dTime, 2400);
    EXPECT_EQ(Thumb(hwndTargetScroll), (int)(2400.0 / 5000 * iTargetMax));
    EXPECT_EQ(Text(hwndTimeReadout), "40:00");
    // Leaving the distance field recalculated with the time still 0.
    EXPECT_EQ(Text(hwndPaceField), "0.0 /Mile");

    SetFocus(hwndDistanceReadout);  // leave the time field
    EXPECT_EQ(Text(hwndPaceField), "8:00.0 /Mile");
    EXPECT_EQ(Text(hwndTimeReadout), "40:00.0");
    EXPECT_EQ(Text(hwndDistanceReadout), "5.00 Mi.");
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST_F(MainWindow, TypedDistanceMovesTheThumbAndIsReadBackWhenLeft)
{
    BoxCatcher catcher;
    Type(hwndDistanceReadout, "5");
    EXPECT_EQ(dDistance, 5);
    EXPECT_EQ(Thumb(hwndDistanceScroll), iDistanceMax / 2);
    EXPECT_EQ(Text(hwndDistanceReadout), "5");
    SetFocus(hwndTimeReadout);
    EXPECT_EQ(Text(hwndDistanceReadout), "5.00 Mi.");
    EXPECT_EQ(dDistance, 5);

    fMaxScrollMiles = 30;
    Type(hwndDistanceReadout, "26.218758");
    EXPECT_EQ(dDistance, 26.218758f);
    SetFocus(hwndTimeReadout);
    EXPECT_EQ(Text(hwndDistanceReadout), "26.22 Mi.");
    EXPECT_EQ(dDistance, 26.22f);  // the value shown, 26.219999 in a float
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST_F(MainWindow, TimeLimits)
{
    BoxCatcher catcher;
    SetWindowTextA(hwndTimeReadout, "1:23:20");  // 5000 s, the maximum
    EXPECT_EQ(dTime, 5000);
    EXPECT_EQ(Thumb(hwndTargetScroll), iTargetMax);
    EXPECT_TRUE(catcher.boxes().empty());

    SetWindowTextA(hwndTimeReadout, "1:23:21");
    EXPECT_EQ(catcher.texts(), Strings{"Time out of range."});
    EXPECT_EQ(catcher.boxes()[0].caption, "Velto:  Error Notification");
    EXPECT_EQ(dTime, 0);
    EXPECT_EQ(Thumb(hwndTargetScroll), 0);
    EXPECT_EQ(Text(hwndTimeReadout), "0.0");
}

TEST_F(MainWindow, TypingPastTheTimeLimitFailsAtTheSecondColon)
{
    BoxCatcher catcher;
    Type(hwndTimeReadout, "1:30");
    EXPECT_EQ(dTime, 90);
    EXPECT_TRUE(catcher.boxes().empty());
    SendMessageA(hwndTimeReadout, WM_CHAR, ':', 1);  // "1:30:" is 5400 s
    EXPECT_EQ(catcher.texts(), Strings{"Time out of range."});
    EXPECT_EQ(dTime, 0);
}

TEST_F(MainWindow, MalformedTimesAreOutOfRange)
{
    for (const char *text : {"5a", "-5", "1.5:2.5", "1:2:3:4", "1234567890"}) {
        BoxCatcher catcher;
        dTime = 100;
        SetWindowTextA(hwndTimeReadout, text);
        EXPECT_EQ(catcher.texts(), Strings{"Time out of range."}) << text;
        EXPECT_EQ(dTime, 0) << text;
    }
    BoxCatcher catcher;
    SetWindowTextA(hwndTimeReadout, "");  // empty is 0, and no error
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST_F(MainWindow, DistanceLimits)
{
    const struct {
        const char *text;
        bool accepted;
        float miles;
    } cases[] = {
        {"10", true, 10}, {"10.01", false, 0}, {"-0.5", false, 0}, {"abc", true, 0},
        {"26.22 Mi.", false, 0}, {"5k", true, 5}, {"M2.5", true, 2.5f}, {"", true, 0},
        {"  MK", true, 0}, {"-0", true, 0},
    };
    for (auto &c : cases) {
        BoxCatcher catcher;
        dDistance = 1;
        SetWindowTextA(hwndDistanceReadout, c.text);
        EXPECT_EQ(catcher.boxes().size(), c.accepted ? 0u : 1u) << c.text;
        if (!c.accepted) {
            EXPECT_EQ(catcher.texts()[0], "Distance out of range.");
            EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.");
            EXPECT_EQ(Thumb(hwndDistanceScroll), 0);
        }
        EXPECT_EQ(dDistance, c.miles) << c.text;
        EXPECT_FALSE(std::signbit(dDistance)) << c.text;
    }
}

TEST_F(MainWindow, DistanceTextsAreReadInTheShownUnit)
{
    fMaxScrollMiles = 30;
    for (const char *text : {"26.22 Mi.", "26.22", "M26.22", "26.22 Laps", " 26.22 Km."}) {
        SetWindowTextA(hwndDistanceReadout, text);
        EXPECT_EQ(dDistance, 26.22f) << text;
    }
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "42.195");
    EXPECT_EQ(dDistance, (float)(42.195f / (long double)1.609344f));
}

TEST_F(MainWindow, KilometreLimitAtTwoDecimals)
{
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "16.09");  // 9.99786 mi
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_NEAR(dDistance, 9.99786, 1e-5);
    SetWindowTextA(hwndDistanceReadout, "16.1");  // 10.0041 mi
    EXPECT_EQ(catcher.texts(), Strings{"Distance out of range."});
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Km.");
}

// Numbers that are not finite would make every readout "nan".
TEST_F(MainWindow, NonFiniteDistancesAreOutOfRange)
{
    for (const char *text : {"nan", "NAN", "-nan", "inf", "INFINITY", "1e999", "1e39"}) {
        BoxCatcher catcher;
        dDistance = 1;
        SetWindowTextA(hwndDistanceReadout, text);
        EXPECT_EQ(catcher.texts(), Strings{"Distance out of range."}) << text;
        EXPECT_EQ(dDistance, 0) << text;
        EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.") << text;
    }
}

// The box has no owner: while it is up, the field that lost the focus to it
// recalculates with the values in force; the reset comes after it closes.
TEST_F(MainWindow, FieldLosingTheFocusToTheBoxRecalculates)
{
    BoxCatcher catcher;
    Type(hwndDistanceReadout, "4");
    SetFocus(hwndTimeReadout);  // "4.00 Mi."
    Type(hwndTimeReadout, "20:00");
    SetWindowTextA(hwndTimeReadout, "99:99");
    ASSERT_EQ(catcher.texts(), Strings{"Time out of range."});
    EXPECT_EQ(catcher.boxes()[0].timeField, "20:00.0");
    EXPECT_EQ(dTime, 0);
    EXPECT_EQ(Text(hwndTimeReadout), "0.0");
    EXPECT_EQ(Text(hwndPaceField), "0.0 /Mile");
}

// ---------------------------------------------------- focus and stacking

// Back from a box or a dialog the focus is where it was, a field's text all
// selected; its return recalculates nothing and opens nothing.
TEST_F(MainWindow, FocusReturnsToTheControlThatHadIt)
{
    BoxCatcher catcher;
    Type(hwndDistanceReadout, "11");
    Pump();  // the hand-back is posted
    EXPECT_EQ(catcher.texts(), Strings{"Distance out of range."});
    EXPECT_EQ(GetFocus(), hwndDistanceReadout);
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.");
    EXPECT_EQ(SendMessageA(hwndDistanceReadout, EM_GETSEL, 0, 0), MAKELRESULT(0, 8));

    SetFocus(hwndSplitKm);
    for (int command : {121, 122}) {
        catcher.ScriptDialog("", 'C');
        SendMessageA(hwnd, WM_COMMAND, command, 0);
        Pump();
        EXPECT_EQ(GetFocus(), hwndSplitKm) << command;
    }
    SetWindowTextA(hwndPaceField, "untouched");
    catcher.ScriptDialog("", 'O');
    SendMessageA(hwnd, WM_COMMAND, 141, 0);
    Pump();
    EXPECT_EQ(GetFocus(), hwndSplitKm);
    EXPECT_EQ(Text(hwndPaceField), "untouched");
    EXPECT_EQ(catcher.dialogs().size(), 3u);
    EXPECT_EQ(catcher.boxes().size(), 1u);
}

// The first minute: the time field has the focus, and what is typed replaces
// what Velto wrote, there and in each field Tab leads to.
TEST_F(MainWindow, TypingReplacesTheTextVeltoWrote)
{
    BoxCatcher catcher;
    FocusControl(hwndTimeReadout);  // as WinMain does
    for (const char *keys : {"12:34\t", "5\t"})
        for (const char *k = keys; *k; k++)
            if (*k == '\t')
                SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
            else
                SendMessageA(GetFocus(), WM_CHAR, (unsigned char)*k, 1);
    EXPECT_EQ(Text(hwndTimeReadout), "12:34.0");
    EXPECT_EQ(Text(hwndDistanceReadout), "5.00 Mi.");
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(GetFocus(), hwndDistanceMile);
    // A click places the caret: the selection is Velto's only when it moves the focus.
    SendMessageA(hwndDistanceReadout, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(hwndDistanceReadout, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(GetFocus(), hwndDistanceReadout);
    EXPECT_EQ(LOWORD(SendMessageA(hwndDistanceReadout, EM_GETSEL, 0, 0)),
              HIWORD(SendMessageA(hwndDistanceReadout, EM_GETSEL, 0, 0)));
}

// Screen readers name a field or a bar after the label stacked right
// before it, and find a radio's bank in the group box before the radios.
TEST_F(MainWindow, EachLabelAndGroupBoxIsStackedRightBeforeItsControls)
{
    const HWND pairs[5][2] = {{hwndTimeReadoutLabel, hwndTimeReadout},
                              {hwndDistanceReadoutLabel, hwndDistanceReadout},
                              {hwndPaceLabel, hwndPaceField},
                              {hwndDistanceLabel, hwndDistanceScroll},
                              {hwndTargetLabel, hwndTargetScroll}};
    for (auto &pair : pairs)
        EXPECT_EQ(GetWindow(pair[1], GW_HWNDPREV), pair[0]) << Text(pair[0]);
    for (int bank = 0; bank < 2; bank++) {
        HWND before = bank ? hwndSplitGroup : hwndDistanceGroup;
        for (int id = 13 + 5 * bank; id < 18 + 5 * bank; id++) {
            EXPECT_EQ(GetWindow(GetDlgItem(hwnd, id), GW_HWNDPREV), before) << id;
            before = GetDlgItem(hwnd, id);
        }
    }
}

static std::vector<DWORD> ClientPixels(HWND hwnd)
{
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd), mem = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels((size_t)r.right * r.bottom);
    GetDIBits(mem, bitmap, 0, r.bottom, pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    return pixels;
}

TEST_F(MainWindow, TheStackingChangesNoPixel)
{
    SetFocus(NULL);  // no caret to blink between the pictures
    std::vector<DWORD> stacked = ClientPixels(hwnd);
    HWND after = HWND_TOP;
    for (int id = 1; id <= 22; id++) {  // back to the order of creation
        SetWindowPos(GetDlgItem(hwnd, id), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = GetDlgItem(hwnd, id);
    }
    ASSERT_EQ(GetWindow(hwnd, GW_CHILD), hwndDistanceScroll);
    EXPECT_TRUE(ClientPixels(hwnd) == stacked);
}

// ------------------------------------------------------------------ units

TEST_F(MainWindow, EveryUnitOfBothBanks)
{
    SetWindowTextA(hwndDistanceReadout, "1");
    SetWindowTextA(hwndTimeReadout, "6:40");  // 400 s a mile
    const char *distance[5] = {"1.00 Mi.", "1.61 Km.", "4.02 Laps", "4.00 Laps", "8.05 Laps"};
    const float factor[5] = {1.0f, 1.609344f, 4.02336f, 4.0f, 8.04672f};
    for (int k = 0; k < 5; k++) {
        SCOPED_TRACE(k);
        SendMessageA(GetDlgItem(hwnd, 13), BM_CLICK, 0, 0);
        SetWindowTextA(hwndDistanceReadout, "1");
        SendMessageA(GetDlgItem(hwnd, 13 + k), BM_CLICK, 0, 0);
        EXPECT_EQ(iUnitChecked, 13 + k);
        EXPECT_EQ(dDistanceFactor, factor[k]);
        EXPECT_EQ(Text(hwndDistanceReadout), distance[k]);
        for (int id = 13; id <= 17; id++)
            EXPECT_EQ(SendMessageA(GetDlgItem(hwnd, id), BM_GETCHECK, 0, 0), id == 13 + k);
    }
    // 400 s a mile: / 1.609344 = 248.55, / 4.02336 = 99.42, / 4 = 100, / 8.04672 = 49.71
    SendMessageA(GetDlgItem(hwnd, 13), BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "1");
    const char *pace[5] = {"6:40.0 /Mile", "4:08.5 /Km", "1:39.4 /Lap", "1:40.0 /Lap", "49.7 /Lap"};
    for (int k = 0; k < 5; k++) {
        SCOPED_TRACE(k);
        SendMessageA(GetDlgItem(hwnd, 18 + k), BM_CLICK, 0, 0);
        EXPECT_EQ(iSplitChecked, 18 + k);
        EXPECT_EQ(dSplitFactor, factor[k]);
        EXPECT_EQ(Text(hwndPaceField), pace[k]);
        for (int id = 18; id <= 22; id++)
            EXPECT_EQ(SendMessageA(GetDlgItem(hwnd, id), BM_GETCHECK, 0, 0), id == 18 + k);
    }
    EXPECT_EQ(SendMessageA(hwndDistanceMile, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindow, SwitchingUnitsReRoundsTheDistance)
{
    SetWindowTextA(hwndDistanceReadout, "6.21");
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    EXPECT_EQ(Text(hwndDistanceReadout), "9.99 Km.");  // 6.21 x 1.609344 = 9.994
    EXPECT_EQ(dDistance, (float)(9.99f / (long double)1.609344f));  // 6.2075 mi
    SendMessageA(hwndDistanceMile, BM_CLICK, 0, 0);
    EXPECT_EQ(Text(hwndDistanceReadout), "6.21 Mi.");

    SendMessageA(hwndDistanceMile, BM_CLICK, 0, 0);  // already marked: recalculates only
    EXPECT_EQ(Text(hwndDistanceReadout), "6.21 Mi.");
    EXPECT_EQ(SendMessageA(hwndDistanceMile, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// The maximum shown rounded up in another unit is still the maximum.
TEST_F(MainWindow, DistanceAtTheLimitKeptThroughItsOwnReadBack)
{
    BoxCatcher catcher;
    SetWindowTextA(hwndDistanceReadout, "10");
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);  // "16.09 Km." is 9.99786 mi
    SendMessageA(hwndDistanceMile, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "10");
    SendMessageA(hwndDistance200m, BM_CLICK, 0, 0);  // "80.47 Laps" reads as 10.0004 mi
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(dDistance, 10);
    EXPECT_EQ(Text(hwndDistanceReadout), "80.47 Laps");
    SetWindowTextA(hwndDistanceReadout, "80.48");  // typed beyond the rounding
    EXPECT_EQ(catcher.texts(), Strings{"Distance out of range."});
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Laps");
}

// -------------------------------------------------- no division by zero

TEST_F(MainWindow, ThumbsWithNoRangeStayAtZero)
{
    BoxCatcher catcher;
    fMaxScrollSecs = 0;
    SetWindowTextA(hwndTimeReadout, "0");
    EXPECT_EQ(Thumb(hwndTargetScroll), 0);
    fMaxScrollSecs = 5000;

    Resize(0, 0);  // range maximum -142
    SetWindowTextA(hwndDistanceReadout, "5");
    EXPECT_EQ(dDistance, 5);
    EXPECT_TRUE(catcher.boxes().empty());
}

// ------------------------------------------------------ the real program

// The logo comes first, for three seconds, with the main window hidden.
TEST(Program, ShowsTheLogoBeforeTheMainWindow)
{
    if (!getenv("VELTO_EXE"))
        GTEST_SKIP() << "VELTO_EXE not set";
    DWORD start = GetTickCount();
    PROCESS_INFORMATION pi = StartProgram("");
    bool logoWithMainHidden = false;
    for (int tries = 0; tries < 100 && !logoWithMainHidden; tries++) {
        logoWithMainHidden = FindOf(pi.dwProcessId, "VeltoLogo", true) && FindOf(pi.dwProcessId, "Velto", false);
        Sleep(20);
    }
    EXPECT_TRUE(logoWithMainHidden);
    HWND main = WaitForWindow(pi.dwProcessId);
    ASSERT_TRUE(main != NULL);
    EXPECT_GE(GetTickCount() - start, 3000u);
    EXPECT_TRUE(FindOf(pi.dwProcessId, "VeltoLogo", true) == NULL);  // the logo is gone
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    for (int tries = 0; tries < 100 && gui.hwndFocus != GetDlgItem(main, 8); tries++) {
        Sleep(20);
        GetGUIThreadInfo(GetWindowThreadProcessId(main, NULL), &gui);
    }
    EXPECT_EQ(gui.hwndFocus, GetDlgItem(main, 8));  // typing goes to the time field, replacing "0.0"
    EXPECT_EQ(SendMessageA(GetDlgItem(main, 8), EM_GETSEL, 0, 0), MAKELRESULT(0, 3));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

TEST(Program, TwoCopiesRunSideBySideAndCloseWithExitCodeZero)
{
    if (!getenv("VELTO_EXE"))
        GTEST_SKIP() << "VELTO_EXE not set";
    PROCESS_INFORMATION first = StartProgram("");
    PROCESS_INFORMATION second = StartProgram("--any /thing ignored");
    HWND one = WaitForWindow(first.dwProcessId), two = WaitForWindow(second.dwProcessId);
    ASSERT_TRUE(one != NULL);
    ASSERT_TRUE(two != NULL);
    EXPECT_NE(one, two);
    char text[64] = "";  // another process's field answers only WM_GETTEXT
    SendMessageA(GetDlgItem(two, 10), WM_GETTEXT, sizeof text, (LPARAM)text);
    EXPECT_STREQ(text, "0.0 /Mile");

    for (auto &pi : {first, second}) {
        HWND w = pi.dwProcessId == first.dwProcessId ? one : two;
        PostMessageA(w, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(pi.hProcess, &code);
        EXPECT_EQ(code, 0u);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

static BOOL CALLBACK AddName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
    ((Strings *)names)->push_back(IS_INTRESOURCE(name) ? std::to_string((UINT_PTR)name) : name);
    return TRUE;
}

// The entries of an icon group: {side (0 for 256), colours, bits}.
static std::vector<std::vector<int>> IconGroup(HMODULE exe, const char *name)
{
    HRSRC found = FindResourceA(exe, name, (LPCSTR)RT_GROUP_ICON);
    const BYTE *g = found ? (const BYTE *)LockResource(LoadResource(exe, found)) : NULL;
    std::vector<std::vector<int>> entries;
    for (int k = 0; g && k < *(const WORD *)(g + 4); k++) {
        const BYTE *e = g + 6 + 14 * k;
        entries.push_back({e[0], e[2], *(const WORD *)(e + 6)});
    }
    return entries;
}

TEST(Program, ManifestIconsAndVersionAsBuilt)
{
    if (!getenv("VELTO_EXE"))
        GTEST_SKIP() << "VELTO_EXE not set";
    HMODULE exe = LoadLibraryExA(WindowsPath(getenv("VELTO_EXE")).c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe != NULL);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found != NULL);
    std::string manifest((const char *)LockResource(LoadResource(exe, found)), SizeofResource(exe, found));
    for (const char *want : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                             "level=\"asInvoker\"", ">true</dpiAware>", ">UTF-8</activeCodePage>",
                             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(want), std::string::npos) << want;
    EXPECT_TRUE(IsProcessDPIAware());  // the tests carry the same manifest
    EXPECT_EQ(GetACP(), 65001u);       // which Wine 8 honours, as Windows 10 1903 on

    Strings groups;
    EnumResourceNamesA(exe, (LPCSTR)RT_GROUP_ICON, AddName, (LONG_PTR)&groups);
    EXPECT_EQ(groups, (Strings{"APPICON", "MYICON"}));  // Explorer takes the first
    std::vector<std::vector<int>> app;
    for (int side : {16, 20, 24, 32, 40, 48, 64, 0})
        app.push_back({side, 0, 32});
    EXPECT_EQ(IconGroup(exe, "AppIcon"), app);
    EXPECT_EQ(IconGroup(exe, "myIcon"), (std::vector<std::vector<int>>{{32, 16, 4}}));

    found = FindResourceA(exe, MAKEINTRESOURCEA(1), (LPCSTR)RT_VERSION);
    ASSERT_TRUE(found != NULL);
    std::wstring version((const wchar_t *)LockResource(LoadResource(exe, found)),
                         SizeofResource(exe, found) / sizeof(wchar_t));
    for (const wchar_t *want : {L"LegalCopyright", L"Copyright (c) 2026 the Velto developers", L"1.0.0.0"})
        EXPECT_NE(version.find(want), std::wstring::npos);
    FreeLibrary(exe);
}

}  // namespace
