// Scroll bars and keyboard navigation, through real messages.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "harness.h"
#include "model/entry.h"
#include "model/pacemodel.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

// A window whose scroll bars have exactly 300 positions.
class Scroll : public MainWindow {
protected:
    void SetUp() override
    {
        MainWindow::SetUp();
        ResizeForRange(300);
    }
    void Send(HWND bar, int code, int position = 0)
    {
        SendMessageA(hwnd, WM_HSCROLL, MAKEWPARAM(code, position), (LPARAM)bar);
    }
};

TEST_F(Scroll, ThumbDragIsReadBackAsShown)
{
    Send(hwndDistanceScroll, SB_THUMBTRACK, 104);  // 3.4666667 mi
    EXPECT_EQ(Text(hwndDistanceReadout), "3.47 Mi.");
    EXPECT_EQ(dDistance, 3.47f);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 104);

    Send(hwndDistanceScroll, SB_THUMBTRACK, 103);  // 3.4333334 mi
    EXPECT_EQ(Text(hwndDistanceReadout), "3.43 Mi.");
    EXPECT_EQ(dDistance, 3.43f);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 102);  // trunc(3.43 / 10 x 300)

    Send(hwndDistanceScroll, SB_THUMBPOSITION, 1);  // 0.0333 mi
    EXPECT_EQ(Text(hwndDistanceReadout), "0.03 Mi.");
    EXPECT_EQ(Thumb(hwndDistanceScroll), 0);

    Send(hwndTargetScroll, SB_THUMBTRACK, 150);  // 150 x 5000 / 300 = 2500 s
    EXPECT_EQ(Text(hwndTimeReadout), "41:40.0");
    EXPECT_EQ(dTime, 2500);
    EXPECT_EQ(Thumb(hwndTargetScroll), 75 * 2);
}

TEST_F(Scroll, PaceFollowsTheDrag)
{
    SetWindowTextA(hwndTimeReadout, "40:00");
    Send(hwndDistanceScroll, SB_THUMBTRACK, 186);  // 6.2 mi
    EXPECT_EQ(Text(hwndDistanceReadout), "6.20 Mi.");
    EXPECT_EQ(Text(hwndPaceField), "6:27.1 /Mile");  // 2400 / 6.2 = 387.10
}

TEST_F(Scroll, ArrowsAndPagesStepInTheShownUnit)
{
    Send(hwndDistanceScroll, SB_THUMBTRACK, 150);  // 5 mi
    Send(hwndDistanceScroll, SB_LINERIGHT);
    EXPECT_EQ(Text(hwndDistanceReadout), "5.01 Mi.");
    Send(hwndDistanceScroll, SB_PAGERIGHT);
    EXPECT_EQ(Text(hwndDistanceReadout), "5.11 Mi.");
    Send(hwndDistanceScroll, SB_LINELEFT);
    Send(hwndDistanceScroll, SB_PAGELEFT);
    EXPECT_EQ(Text(hwndDistanceReadout), "5.00 Mi.");

    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "5");  // 5 km
    Send(hwndDistanceScroll, SB_LINERIGHT);
    EXPECT_EQ(Text(hwndDistanceReadout), "5.01 Km.");
    Send(hwndDistanceScroll, SB_PAGERIGHT);
    EXPECT_EQ(Text(hwndDistanceReadout), "5.11 Km.");

    SendMessageA(hwndDistance200m, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "5");  // 5 laps
    Send(hwndDistanceScroll, SB_LINELEFT);
    EXPECT_EQ(Text(hwndDistanceReadout), "4.99 Laps");
    Send(hwndDistanceScroll, SB_PAGELEFT);
    EXPECT_EQ(Text(hwndDistanceReadout), "4.89 Laps");

    Send(hwndTargetScroll, SB_THUMBTRACK, 60);  // 1000 s
    Send(hwndTargetScroll, SB_LINERIGHT);
    EXPECT_EQ(Text(hwndTimeReadout), "16:41.0");
    Send(hwndTargetScroll, SB_PAGELEFT);
    EXPECT_EQ(Text(hwndTimeReadout), "15:41.0");
}

TEST_F(Scroll, BothEndsClamp)
{
    Send(hwndDistanceScroll, SB_RIGHT);
    EXPECT_EQ(dDistance, 10);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 300);
    Send(hwndDistanceScroll, SB_LINERIGHT);  // 10.01 held at 10
    EXPECT_EQ(dDistance, 10);
    EXPECT_EQ(Text(hwndDistanceReadout), "10.00 Mi.");
    EXPECT_EQ(Thumb(hwndDistanceScroll), 300);
    Send(hwndDistanceScroll, SB_THUMBTRACK, 65535);  // far past the end
    EXPECT_EQ(dDistance, 10);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 300);

    Send(hwndDistanceScroll, SB_LEFT);
    EXPECT_EQ(dDistance, 0);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 0);
    Send(hwndDistanceScroll, SB_LINELEFT);  // -0.01 held at 0
    EXPECT_EQ(dDistance, 0);
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.");

    Send(hwndTargetScroll, SB_RIGHT);
    EXPECT_EQ(Text(hwndTimeReadout), "1:23:20.0");
    Send(hwndTargetScroll, SB_PAGERIGHT);
    EXPECT_EQ(dTime, 5000);
    EXPECT_EQ(Thumb(hwndTargetScroll), 300);
    Send(hwndTargetScroll, SB_LEFT);
    Send(hwndTargetScroll, SB_PAGELEFT);
    EXPECT_EQ(dTime, 0);
}

TEST_F(Scroll, OneDecimalUndoesAnArrowStepButNotAPage)
{
    snprintf(szDistanceFormat, sizeof szDistanceFormat, "%s", "%.1f");
    SetWindowTextA(hwndDistanceReadout, "3.4");
    Send(hwndDistanceScroll, SB_LINERIGHT);  // 3.41 shown as 3.4
    EXPECT_EQ(Text(hwndDistanceReadout), "3.4 Mi.");
    EXPECT_EQ(dDistance, 3.4f);
    Send(hwndDistanceScroll, SB_PAGERIGHT);
    EXPECT_EQ(Text(hwndDistanceReadout), "3.5 Mi.");
}

TEST_F(Scroll, AboveTenThousandSecondsOneSecondIsUndone)
{
    fMaxScrollSecs = 20000;
    SetWindowTextA(hwndTimeReadout, "3:00:00");  // 10800 s
    Send(hwndTargetScroll, SB_LINERIGHT);        // 10801 reads back as 10800
    EXPECT_EQ(dTime, 10800);
    Send(hwndTargetScroll, SB_PAGERIGHT);  // 10860
    EXPECT_EQ(dTime, 10860);
    EXPECT_EQ(Text(hwndTimeReadout), "3:01:00.0");
}

// End, or the thumb at the end, gives the maximum, whatever its rounding
// in the shown unit; in kilometres at 10 miles it shows 9.99786 mi.
TEST_F(Scroll, RightEndKeepsTheMaximumInEveryUnit)
{
    BoxCatcher catcher;
    const struct {
        HWND unit;
        float range;
        const char *text;  // the maximum as shown
        int thumb;
    } ends[] = {
        {hwndDistance200m, 10, "80.47 Laps", 300}, {hwndDistanceKm, 20, "32.19 Km.", 300},
        {hwndDistance400m, 26, "104.61 Laps", 300}, {hwndDistanceKm, 10, "16.09 Km.", 299},
    };
    for (const auto &end : ends) {
        SendMessageA(end.unit, BM_CLICK, 0, 0);
        fMaxScrollMiles = end.range;
        for (int code : {SB_RIGHT, SB_THUMBTRACK, SB_LEFT}) {
            Send(hwndDistanceScroll, code, 300);
            if (code == SB_LEFT)
                continue;
            EXPECT_EQ(Text(hwndDistanceReadout), end.text) << code;
            EXPECT_EQ(Thumb(hwndDistanceScroll), end.thumb) << end.text;
        }
        EXPECT_EQ(dDistance, 0);
    }
    // The time bar's end in each seconds precision: 999.9 s is "16:40" whole.
    fMaxScrollSecs = 999.9f;
    for (const char *format : {"%.0f", "%.1f", "%.2f"}) {
        snprintf(szTimeFormat, sizeof szTimeFormat, "%s", format);
        Send(hwndTargetScroll, SB_RIGHT);
        EXPECT_EQ(dTime, 999.9f) << format;
        EXPECT_EQ(Thumb(hwndTargetScroll), 300) << format;
    }
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST_F(Scroll, EndScrollAndUnknownCodesChangeNothing)
{
    Type(hwndDistanceReadout, "5");  // not yet recalculated
    Send(hwndDistanceScroll, SB_THUMBTRACK, 150);
    Type(hwndDistanceReadout, "7");
    int thumb = Thumb(hwndDistanceScroll);
    for (int code : {SB_ENDSCROLL, 9, 100, 0xFFFF}) {
        Send(hwndDistanceScroll, code, 20);
        Send(hwndTargetScroll, code, 20);
        EXPECT_EQ(Text(hwndDistanceReadout), "7") << code;  // no recalculation
        EXPECT_EQ(dDistance, 7) << code;
        EXPECT_EQ(dTime, 0) << code;
        EXPECT_EQ(Thumb(hwndDistanceScroll), thumb) << code;
    }
}

// A window too narrow for any range: the thumb codes keep the value.
TEST_F(Scroll, NoRangeNoDivision)
{
    SetWindowTextA(hwndDistanceReadout, "5");
    Resize(0, 0);
    ASSERT_LE(iDistanceMax, 0);
    Send(hwndDistanceScroll, SB_THUMBTRACK, 100);
    EXPECT_EQ(dDistance, 5);
    Send(hwndDistanceScroll, SB_RIGHT);
    EXPECT_EQ(dDistance, 10);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 0);
}

// --------------------------------------------------------------- keyboard

void Key(HWND control, WPARAM vk)
{
    SendMessageA(control, WM_KEYDOWN, vk, 0);
}

class Keys : public MainWindow {
protected:
    HWND Control(int id) { return GetDlgItem(hwnd, id); }
    // Where the focus goes from control `from` on `vk`.
    int After(int from, WPARAM vk)
    {
        SetFocus(Control(from));
        Key(Control(from), vk);
        return GetDlgCtrlID(GetFocus());
    }
};

TEST_F(Keys, EveryCellOfTheTable)
{
    const WPARAM keys[6] = {VK_TAB, VK_RETURN, VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN};
    // 0 means the focus stays.
    const struct {
        int from, to[6];
    } table[] = {
        {8, {9, 2, 0, 0, 0, 0}},        {9, {13, 2, 0, 0, 0, 0}},
        {13, {14, 0, 14, 17, 9, 18}},   {14, {15, 0, 15, 13, 9, 19}},
        {15, {16, 0, 16, 14, 9, 20}},   {16, {17, 0, 17, 15, 9, 21}},
        {17, {13, 0, 13, 16, 9, 22}},   {18, {19, 0, 19, 22, 13, 1}},
        {19, {20, 0, 20, 18, 14, 1}},   {20, {21, 0, 21, 19, 15, 1}},
        {21, {22, 0, 22, 20, 16, 1}},   {22, {18, 0, 18, 21, 17, 1}},
        {1, {2, 0, 0, 0, 0, 0}},        {2, {8, 0, 0, 0, 0, 0}},
        {10, {1, 2, 0, 0, 0, 0}},  // the pace field is no trap
    };
    for (auto &row : table)
        for (int k = 0; k < 6; k++)
            EXPECT_EQ(After(row.from, keys[k]), row.to[k] ? row.to[k] : row.from)
                << "from " << row.from << " key " << keys[k];
}

TEST_F(Keys, ShiftTabMovesForwardToo)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
    EXPECT_EQ(After(8, VK_TAB), 9);
    EXPECT_EQ(After(22, VK_TAB), 18);
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
}

TEST_F(Keys, FullCycle)
{
    SetFocus(hwndTimeReadout);
    const WPARAM keys[6] = {VK_TAB, VK_TAB, VK_DOWN, VK_DOWN, VK_TAB, VK_TAB};
    const int path[6] = {9, 13, 18, 1, 2, 8};
    for (int k = 0; k < 6; k++) {
        Key(GetFocus(), keys[k]);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), path[k]);
    }
}

TEST_F(Keys, TabOnABankNeverLeavesIt)
{
    SetFocus(hwndDistanceMile);
    const int path[6] = {14, 15, 16, 17, 13, 14};
    for (int step : path) {
        Key(GetFocus(), VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), step);
    }
}

static HHOOK focusHook;
static std::vector<std::string> paceAtFocus;
static LRESULT CALLBACK RecordPace(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SETFOCUS)
        paceAtFocus.push_back(Text(hwndPaceField));
    return CallNextHookEx(focusHook, code, wParam, lParam);
}

// Leaving a field by key rewrites the readouts before the next control has
// the focus.
TEST_F(Keys, LeavingAFieldByKeyRecalculatesFirst)
{
    Type(hwndDistanceReadout, "5");
    Type(hwndTimeReadout, "40:00");
    EXPECT_EQ(Text(hwndPaceField), "0.0 /Mile");
    paceAtFocus.clear();
    focusHook = SetWindowsHookExA(WH_CBT, RecordPace, NULL, GetCurrentThreadId());
    Key(hwndTimeReadout, VK_TAB);
    UnhookWindowsHookEx(focusHook);
    ASSERT_FALSE(paceAtFocus.empty());
    EXPECT_EQ(paceAtFocus[0], "8:00.0 /Mile");  // 2400 s / 5 mi
    EXPECT_EQ(Text(hwndTimeReadout), "40:00.0");
    EXPECT_EQ(GetFocus(), hwndDistanceReadout);

    Type(hwndDistanceReadout, "4");
    Key(hwndDistanceReadout, VK_RETURN);
    EXPECT_EQ(Text(hwndPaceField), "10:00.0 /Mile");
    EXPECT_EQ(Text(hwndDistanceReadout), "4.00 Mi.");
    EXPECT_EQ(GetFocus(), hwndTargetScroll);
    Pump();  // the characters of Tab and Enter, if any, change nothing
    EXPECT_EQ(Text(hwndTimeReadout), "40:00.0");
    EXPECT_EQ(Text(hwndDistanceReadout), "4.00 Mi.");
}

TEST_F(Keys, PageKeysOnABarAreExchanged)
{
    SetWindowTextA(hwndDistanceReadout, "5");
    SetFocus(hwndDistanceScroll);
    Key(hwndDistanceScroll, VK_PRIOR);  // Page Up raises
    EXPECT_EQ(Text(hwndDistanceReadout), "5.10 Mi.");
    Key(hwndDistanceScroll, VK_NEXT);  // Page Down lowers
    Key(hwndDistanceScroll, VK_NEXT);
    EXPECT_EQ(Text(hwndDistanceReadout), "4.90 Mi.");
    Key(hwndDistanceScroll, VK_RIGHT);
    EXPECT_EQ(Text(hwndDistanceReadout), "4.91 Mi.");
    Key(hwndDistanceScroll, VK_LEFT);
    Key(hwndDistanceScroll, VK_LEFT);
    EXPECT_EQ(Text(hwndDistanceReadout), "4.89 Mi.");
    Key(hwndDistanceScroll, VK_END);
    EXPECT_EQ(dDistance, 10);
    Key(hwndDistanceScroll, VK_HOME);
    EXPECT_EQ(dDistance, 0);

    SetFocus(hwndTargetScroll);
    Key(hwndTargetScroll, VK_PRIOR);
    EXPECT_EQ(dTime, 60);
    Key(hwndTargetScroll, VK_RIGHT);
    EXPECT_EQ(dTime, 61);
    Key(hwndTargetScroll, VK_NEXT);
    EXPECT_EQ(dTime, 1);
}

TEST_F(Keys, OtherKeysReachTheControlUnchanged)
{
    SetWindowTextA(hwndTimeReadout, "1:23");
    SetFocus(hwndTimeReadout);
    SendMessageA(hwndTimeReadout, EM_SETSEL, 0, 0);
    Key(hwndTimeReadout, VK_DELETE);
    EXPECT_EQ(Text(hwndTimeReadout), ":23");
    EXPECT_EQ(dTime, 23);
    Key(hwndTimeReadout, VK_LEFT);
    EXPECT_EQ(GetFocus(), hwndTimeReadout);

    // Typing in the pace field is harmless; Esc goes back to the time field.
    SetFocus(hwndPaceField);
    SendMessageA(hwndPaceField, WM_CHAR, '7', 1);
    EXPECT_EQ(dTime, 23);
    EXPECT_EQ(After(10, VK_ESCAPE), 8);
    EXPECT_EQ(Text(hwndTimeReadout), "23.0");  // rewritten when it was left
    EXPECT_EQ(SendMessageA(hwndTimeReadout, EM_GETSEL, 0, 0), MAKELRESULT(0, 4));
}

// ----------------------------------------------------- randomized run

// Many scroll messages and keys, valid or not, in every distance unit: the
// model stays finite and in range, the thumbs on their bars, and the model
// equal to what the fields show.
TEST_F(Scroll, RandomizedMessagesKeepEveryInvariant)
{
    // Hidden: a shown bar redraws at every thumb move, which under Wine on a
    // virtual display costs some 6 ms and tells nothing about the model.
    ShowWindow(hwnd, SW_HIDE);
    BoxCatcher catcher;
    std::mt19937 random(20261208);
    const WPARAM keys[8] = {VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_TAB, 'A'};
    const int messages = 20000;
    auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < messages; n++) {
        if (n % (messages / 5) == 0)
            SendMessageA(GetDlgItem(hwnd, 13 + n / (messages / 5)), BM_CLICK, 0, 0);
        HWND bar = random() % 2 ? hwndDistanceScroll : hwndTargetScroll;
        if (random() % 4 == 0) {
            Key(bar, keys[random() % 8]);
        } else {
            int code = random() % 12;
            if (code == 11)
                code = random() % 65536;
            Send(bar, code, random() % 65536);
        }

        ASSERT_TRUE(std::isfinite(dDistance) && dDistance >= 0 && dDistance <= fMaxScrollMiles) << n;
        ASSERT_TRUE(std::isfinite(dTime) && dTime >= 0 && dTime <= fMaxScrollSecs) << n;
        int d = Thumb(hwndDistanceScroll), t = Thumb(hwndTargetScroll);
        ASSERT_TRUE(d >= 0 && d <= iDistanceMax && t >= 0 && t <= iTargetMax) << n;
        std::string time = Text(hwndTimeReadout), distance = Text(hwndDistanceReadout);
        // As shown: the maximum shown rounded up still reads as the maximum.
        ASSERT_EQ(dTime, ReadTime(time.c_str(), fMaxScrollSecs, FormatDecimals(szTimeFormat))) << n << " " << time;
        ASSERT_EQ(dDistance, ReadDistance(distance.c_str(), dDistanceFactor, fMaxScrollMiles, 2)) << n << " " << distance;
        ASSERT_EQ(d, ScrollPosition(dDistance, fMaxScrollMiles, iDistanceMax)) << n;
        ASSERT_EQ(t, ScrollPosition(dTime, fMaxScrollSecs, iTargetMax)) << n;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("randomized run: %d messages in %.2f s, %.0f per second, %zu error boxes\n", messages, seconds,
           messages / seconds, catcher.boxes().size());
}

}  // namespace
