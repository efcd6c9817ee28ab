// Menu commands, the resolution dialogs, the About box and Doc.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "model/pacemodel.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

class Menus : public MainWindow {
protected:
    void Command(int id) { SendMessageA(hwnd, WM_COMMAND, id, 0); }
    HMENU Popup(int position) { return GetSubMenu(GetMenu(hwnd), position); }
    // Opens a popup as the menu does: the message comes with its position.
    void Open(HMENU popup, int position)
    {
        SendMessageA(hwnd, WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(position, FALSE));
    }
    // The checked ids among first..last of a popup.
    std::vector<int> Checked(HMENU popup, int first, int last)
    {
        std::vector<int> ids;
        for (int id = first; id <= last; id++)
            if (GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED)
                ids.push_back(id);
        return ids;
    }
};

// ------------------------------------------------------------------- menu

struct Item {
    const char *text;
    int id;  // -1 for a popup
    std::vector<Item> items;
};

void CheckMenu(HMENU menu, const std::vector<Item> &want, const std::string &where)
{
    ASSERT_EQ(GetMenuItemCount(menu), (int)want.size()) << where;
    for (int k = 0; k < (int)want.size(); k++) {
        char text[64];
        GetMenuStringA(menu, k, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, want[k].text) << where << " " << k;
        UINT state = GetMenuState(menu, k, MF_BYPOSITION);
        if (want[k].id < 0)
            state &= 0xFF;  // a popup's item count fills the high byte
        if (want[k].id == 0) {
            EXPECT_TRUE(state & MF_SEPARATOR) << where << " " << k;
            continue;
        }
        EXPECT_EQ(state & (MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_SEPARATOR), 0u) << text;
        if (want[k].id < 0) {
            ASSERT_TRUE(GetSubMenu(menu, k) != NULL) << text;
            CheckMenu(GetSubMenu(menu, k), want[k].items, text);
        } else {
            EXPECT_EQ(GetMenuItemID(menu, k), (UINT)want[k].id) << text;
        }
    }
}

TEST_F(Menus, TemplateAsTheWindowHasIt)
{
    std::vector<Item> bar = {
        {"&File", -1, {{"&Exit", 111, {}}}},
        {"&Settings",
         -1,
         {{"&Distance Resolution ...", 121, {}},
          {"&Time Resolution ...", 122, {}},
          {"Distance P&recision ...",
           -1,
           {{"&1. xx.x", 123, {}}, {"&2. xx.xx", 124, {}}, {"&3. xx.xxx", 125, {}}, {"&4. xx.xxxx", 126, {}}}},
          {"Ti&me Precision ...",
           -1,
           {{"&1. Whole Secs.", 127, {}}, {"&2. .1 Sec.", 128, {}}, {"&3. .01 Sec.", 129, {}}}}}},
        {"S&pecial",
         -1,
         {{"&Marathon", 131, {}},
          {"&Half Mar.", 132, {}},
          {"", 0, {}},  // a separator before the runner's tools
          {"&5 K", 150, {}},
          {"1&0 K", 151, {}},
          {"&Splits ...", 152, {}},
          {"&Race Prediction ...", 153, {}},
          {"Time from &Pace ...", 154, {}},
          {"Pace P&lan ...", 155, {}},
          {"&Training Paces ...", 156, {}},
          {"&Age Grade ...", 157, {}},
          {"Runner's T&ools ...", 158, {}},
          {"Tr&eadmill ...", 159, {}}}},
        {"&Help", -1, {{"&About", 141, {}}, {"&Doc", 142, {}}}},
    };
    CheckMenu(GetMenu(hwnd), bar, "menu bar");
}

TEST_F(Menus, OpeningAPrecisionSubmenuMarksTheCurrentChoice)
{
    HMENU distance = GetSubMenu(Popup(1), 2), time = GetSubMenu(Popup(1), 3);
    Open(Popup(1), 1);
    Open(distance, 2);
    EXPECT_EQ(Checked(distance, 123, 126), std::vector<int>{124});
    Open(time, 3);
    EXPECT_EQ(Checked(time, 127, 129), std::vector<int>{128});
}

TEST_F(Menus, SpecialAndHelpMarkNothing)
{
    Open(Popup(2), 2);
    Open(Popup(3), 3);
    EXPECT_TRUE(Checked(Popup(2), 131, 132).empty());
    EXPECT_TRUE(Checked(Popup(3), 141, 142).empty());
    EXPECT_TRUE(Checked(GetSubMenu(Popup(1), 2), 123, 126).empty());
    EXPECT_TRUE(Checked(GetSubMenu(Popup(1), 3), 127, 129).empty());
}

TEST_F(Menus, DistancePrecisionMovesTheMarkAndShowsTheReadBackValue)
{
    Type(hwndDistanceReadout, "6.2137");
    SetFocus(hwndTimeReadout);
    EXPECT_EQ(Text(hwndDistanceReadout), "6.21 Mi.");
    HMENU distance = GetSubMenu(Popup(1), 2);
    Open(distance, 2);
    Command(126);
    EXPECT_EQ(Checked(distance, 123, 126), std::vector<int>{126});
    EXPECT_STREQ(szDistanceFormat, "%.4f");
    EXPECT_EQ(iDistancePrecisionChecked, 126);
    EXPECT_EQ(Text(hwndDistanceReadout), "6.2100 Mi.");  // not 6.2137

    Open(distance, 2);
    Command(126);  // the same choice again changes nothing
    EXPECT_EQ(Checked(distance, 123, 126), std::vector<int>{126});
    EXPECT_EQ(Text(hwndDistanceReadout), "6.2100 Mi.");

    Command(123);
    EXPECT_EQ(Text(hwndDistanceReadout), "6.2 Mi.");
    EXPECT_EQ(Checked(distance, 123, 126), std::vector<int>{123});
    Command(125);
    EXPECT_EQ(Text(hwndDistanceReadout), "6.200 Mi.");
}

TEST_F(Menus, TimePrecision)
{
    SetWindowTextA(hwndTimeReadout, "59.94");
    SetWindowTextA(hwndDistanceReadout, "1");
    SetFocus(hwndTimeReadout);
    SetFocus(hwndDistanceReadout);
    EXPECT_EQ(Text(hwndTimeReadout), "59.9");
    HMENU time = GetSubMenu(Popup(1), 3);
    Open(time, 3);
    Command(129);
    EXPECT_STREQ(szTimeFormat, "%.2f");
    EXPECT_EQ(Text(hwndTimeReadout), "59.90");
    EXPECT_EQ(Text(hwndPaceField), "59.90 /Mile");
    Command(127);  // 59.9 s to whole seconds is a minute
    EXPECT_EQ(Checked(time, 127, 129), std::vector<int>{127});
    EXPECT_EQ(Text(hwndTimeReadout), "1:00");
    EXPECT_EQ(dTime, 60);
}

TEST_F(Menus, MarathonInMilesAndKilometres)
{
    ResizeForRange(400);
    SetWindowTextA(hwndTimeReadout, "1:06:40");  // 4000 s
    Command(131);
    EXPECT_EQ(Text(hwndDistanceReadout), "26.22 Mi.");
    EXPECT_EQ(dDistance, 26.22f);
    EXPECT_EQ(fMaxScrollMiles, 30.0f);
    EXPECT_EQ(fMaxScrollSecs, 18300.0f);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 349);  // 26.22 / 30 x 400 = 349.6
    EXPECT_EQ(dTime, 4000);                     // untouched
    EXPECT_EQ(Thumb(hwndTargetScroll), 87);     // 4000 / 18300 x 400 = 87.4

    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    Command(131);  // 26.21875763 x 1.609344 = 42.1950004
    EXPECT_EQ(Text(hwndDistanceReadout), "42.20 Km.");
}

TEST_F(Menus, HalfMarathonAfterMarathonRejectsALongerTime)
{
    ResizeForRange(400);
    BoxCatcher catcher;
    Command(131);
    SetWindowTextA(hwndTimeReadout, "2:30:00");  // 9000 s, within 18300
    EXPECT_EQ(dTime, 9000);
    Command(132);
    EXPECT_EQ(catcher.texts(), Strings{"Time out of range."});
    EXPECT_EQ(dTime, 0);
    EXPECT_EQ(Thumb(hwndTargetScroll), 0);
    EXPECT_EQ(fMaxScrollSecs, 7200.0f);
    EXPECT_EQ(fMaxScrollMiles, 15.0f);
    EXPECT_EQ(Text(hwndDistanceReadout), "13.11 Mi.");
}

// A command that rewrites the field the keyboard is in leaves its text
// selected: what is typed next replaces it, and is not put in front of it.
TEST_F(Menus, TypingAfterACommandReplacesTheField)
{
    BoxCatcher catcher;
    const std::pair<int, const char *> cases[] = {{150, "19:30"}, {131, "3:30:00"}, {132, "1:45:00"},
                                                  {151, "40:00"}, {128, "20:00"},   {0, "25:00"}};  // 0: a resize
    for (const auto &c : cases) {
        Type(hwndTimeReadout, "20:00");
        SendMessageA(hwndTimeReadout, EM_SETSEL, 5, 5);  // the caret after the text, as typing leaves it
        if (c.first)
            Command(c.first);
        else
            Resize(640, 180);
        for (const char *p = c.second; *p; p++)
            SendMessageA(hwndTimeReadout, WM_CHAR, (unsigned char)*p, 1);
        EXPECT_EQ(Text(hwndTimeReadout), c.second) << c.first;
    }
    EXPECT_TRUE(catcher.texts().empty());
}

TEST_F(Menus, UnknownIdsDoNothing)
{
    SetWindowTextA(hwndDistanceReadout, "3");
    for (int id : {0, 23, 110, 112, 120, 130, 133, 140, 143, 9999, 65535})
        Command(id);
    EXPECT_EQ(Text(hwndDistanceReadout), "3");  // nothing recalculated
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(Menus, ExitEndsTheLoopWithCodeZero)
{
    Command(111);
    EXPECT_FALSE(IsWindow(hwnd));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    hwnd = NULL;
}

// --------------------------------------------------------------- dialogs

TEST_F(Menus, DistanceDialogReportsAtTheFourthDigitAndOkStores)
{
    BoxCatcher catcher;
    catcher.ScriptDialog("1500", 'O');
    Command(121);
    ASSERT_EQ(catcher.dialogs().size(), 1u);
    EXPECT_EQ(catcher.dialogs()[0].texts,
              (Strings{"Change Distance Resolution Dialog", "Enter Maximum Miles:", "", "OK", "CANCEL"}));
    EXPECT_EQ(catcher.dialogs()[0].focusId, 301);
    EXPECT_EQ(catcher.texts(), Strings{"Value  1500  is absurd."});
    EXPECT_EQ(catcher.boxes()[0].caption, "Velto:  Error Notification");
    EXPECT_EQ(fMaxScrollMiles, 1500.0f);
}

TEST_F(Menus, DistanceDialogValues)
{
    const struct {
        const char *text;
        bool whole;
        Strings boxes;
        float stored;  // 0: nothing stored
    } cases[] = {
        {"12.5", false, {}, 12},
        {"-5", false, {"Value  -5  is absurd."}, 0},
        {"-", false, {}, 0},
        {"0", false, {}, 0},
        {"2147483647", true, {"Value  2147483647  is absurd."}, 2147483647.0f},
        {"99999999999", true, {"Value  99999999999  is absurd."}, 0},
        {"-99999999999", true, {"Value  -99999999999  is absurd."}, 0},
        {"999999999999999999", true, {"Value  999999999999999999  is absurd."}, 0},
    };
    for (auto &c : cases) {
        BoxCatcher catcher;
        fMaxScrollMiles = 10;
        catcher.ScriptDialog(c.text, 'O', c.whole);
        Command(121);
        EXPECT_EQ(catcher.texts(), c.boxes) << c.text;
        EXPECT_EQ(fMaxScrollMiles, c.stored ? c.stored : 10.0f) << c.text;
    }
}

TEST_F(Menus, TimeDialogChecksEveryKeystroke)
{
    BoxCatcher catcher;
    catcher.ScriptDialog("5:05:00", 'O');  // 5, 5:, 5:0, 5:05, 5:05:, 5:05:0 all pass
    Command(122);
    EXPECT_TRUE(catcher.boxes().empty());
    EXPECT_EQ(fMaxScrollSecs, 18300.0f);
    EXPECT_EQ(catcher.dialogs()[0].texts[0], "Change Time Resolution Dialog");
    EXPECT_EQ(catcher.dialogs()[0].texts[1], "Enter Maximum Target:");
    EXPECT_EQ(catcher.dialogs()[0].focusId, 300);
}

TEST_F(Menus, TimeDialogValues)
{
    const struct {
        const char *text;
        Strings boxes;
        float stored;  // 0: nothing stored
    } cases[] = {
        {"100001", {}, 100000},  // four significant digits
        {"27:48:00", {"Value  100100  is absurd."}, 100100},
        {"abc", {"Value  -1  is absurd."}, 0},
        {"0", {}, 0},
        // 999999999 h and more, read as 3.6e12 s; 3599999959040 as a float
        {"999999999:9999:999", {"Value  3599999959040  is absurd."}, 3.6e12f},
    };
    for (auto &c : cases) {
        BoxCatcher catcher;
        fMaxScrollSecs = 5000;
        catcher.ScriptDialog(c.text, 'O', true);
        Command(122);
        EXPECT_EQ(catcher.texts(), c.boxes) << c.text;
        EXPECT_EQ(fMaxScrollSecs, c.stored ? c.stored : 5000.0f) << c.text;
    }
}

TEST_F(Menus, CancelAndEscStoreNothingEnterStores)
{
    BoxCatcher catcher;
    catcher.ScriptDialog("20", 'C');
    Command(121);
    EXPECT_EQ(fMaxScrollMiles, 10.0f);
    catcher.ScriptDialog("20", 'X');
    Command(121);
    EXPECT_EQ(fMaxScrollMiles, 10.0f);
    catcher.ScriptDialog("20", 'E');
    Command(121);
    EXPECT_EQ(fMaxScrollMiles, 20.0f);
    catcher.ScriptDialog("1:00:00", 'X');
    Command(122);
    EXPECT_EQ(fMaxScrollSecs, 5000.0f);
    EXPECT_EQ(catcher.dialogs().size(), 4u);
}

TEST_F(Menus, OkInAFreshDialogStoresTheLastValueOfTheRun)
{
    BoxCatcher catcher;
    catcher.ScriptDialog("12", 'O');
    Command(121);
    fMaxScrollMiles = 10;
    catcher.ScriptDialog("", 'O');
    Command(121);
    EXPECT_EQ(fMaxScrollMiles, 12.0f);
    EXPECT_EQ(catcher.dialogs()[1].texts[2], "");  // the field starts empty
}

TEST_F(Menus, LoweringAMaximumBelowTheValueReportsAfterOk)
{
    BoxCatcher catcher;
    SetWindowTextA(hwndDistanceReadout, "8");
    catcher.ScriptDialog("5", 'O');
    Command(121);
    EXPECT_EQ(catcher.texts(), Strings{"Distance out of range."});
    EXPECT_EQ(dDistance, 0);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 0);

    SetWindowTextA(hwndTimeReadout, "1:00:00");
    catcher.ScriptDialog("30:00", 'O');
    Command(122);
    EXPECT_EQ(catcher.texts(), (Strings{"Distance out of range.", "Time out of range."}));
    EXPECT_EQ(dTime, 0);

    // The same with the field's focus to hand back after the dialog: one
    // box, then the focus back in the field.
    catcher.ScriptDialog("1000", 'O');
    Command(121);
    SetWindowTextA(hwndDistanceReadout, "950");
    FocusControl(hwndDistanceReadout);
    catcher.ScriptDialog("20", 'O');
    Command(121);
    Pump();
    EXPECT_EQ(catcher.texts().size(), 3u);
    EXPECT_EQ(GetFocus(), hwndDistanceReadout);
    EXPECT_EQ(Text(hwndDistanceReadout), "0.00 Mi.");
}

// An absurd time maximum stays storable; the readouts cope with it.
TEST_F(Menus, AbsurdMaximaAreHandled)
{
    BoxCatcher catcher;
    catcher.ScriptDialog("99999:00:00", 'O', true);  // 359996400 s, kept as 3.6e8
    Command(122);
    EXPECT_EQ(catcher.texts(), Strings{"Value  360000000  is absurd."});
    SendMessageA(hwnd, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), (LPARAM)hwndTargetScroll);
    EXPECT_EQ(Text(hwndTimeReadout), "100000:00:00.0");
    EXPECT_EQ(dTime, fMaxScrollSecs);
    SetWindowTextA(hwndDistanceReadout, "1e-25");  // 3.6e33 s a mile
    SetFocus(hwndDistanceReadout);
    SetFocus(hwndTimeReadout);
    EXPECT_EQ(Text(hwndPaceField), "too long /Mile");
}

TEST_F(Menus, AboutBoxClosesOnOkEnterAndEsc)
{
    BoxCatcher catcher;
    for (char finish : {'O', 'E', 'X'}) {
        catcher.ScriptDialog("", finish);
        Command(141);
    }
    ASSERT_EQ(catcher.dialogs().size(), 3u);
    Strings texts = catcher.dialogs()[0].texts;
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts, (Strings{"Velto 1.0", "myIcon", "A Pacing Calculator for Runners", "Written by the Velto developers", "OK"}));
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST_F(Menus, DialogTemplatesAsBuilt)
{
    const struct {
        const char *name;
        std::vector<DWORD> styles;
        std::vector<WORD> ids, classes;
    } want[3] = {
        {"AboutBox", {0x50020001, 0x50000003, 0x50020001, 0x50020001, 0x50030001},
         {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 304}, {0x82, 0x82, 0x82, 0x82, 0x80}},
        {"DistResBox", {0x50020001, 0x50020000, 0x50810000, 0x50030001, 0x50030000},
         {0xFFFF, 0xFFFF, 301, 302, 2}, {0x82, 0x82, 0x81, 0x80, 0x80}},
        {"TimeResBox", {0x50020001, 0x50020000, 0x50810000, 0x50030001, 0x50030000},
         {0xFFFF, 0xFFFF, 300, 303, 2}, {0x82, 0x82, 0x81, 0x80, 0x80}},
    };
    for (auto &w : want) {
        SCOPED_TRACE(w.name);
        HRSRC found = FindResourceA(NULL, w.name, (LPCSTR)RT_DIALOG);
        ASSERT_TRUE(found != NULL);
        const BYTE *t = (const BYTE *)LockResource(LoadResource(NULL, found));
        const DLGTEMPLATE *head = (const DLGTEMPLATE *)t;
        EXPECT_EQ(head->style, 0x80400000u);
        EXPECT_EQ(head->dwExtendedStyle, 0u);
        EXPECT_EQ(head->cdit, 5);
        EXPECT_EQ(head->x, 20);
        EXPECT_EQ(head->y, 20);
        EXPECT_EQ(head->cx, 160);
        EXPECT_EQ(head->cy, 80);
        const WORD *p = (const WORD *)(head + 1);
        EXPECT_EQ(p[0], 0);  // no menu
        EXPECT_EQ(p[1], 0);  // no class
        EXPECT_EQ(p[2], 0);  // empty title, and no font
        p += 3;
        for (int k = 0; k < 5; k++) {
            p = (const WORD *)(((UINT_PTR)p + 3) & ~(UINT_PTR)3);
            const DLGITEMTEMPLATE *item = (const DLGITEMTEMPLATE *)p;
            EXPECT_EQ(item->style, w.styles[k]) << k;
            EXPECT_EQ(item->dwExtendedStyle, 0u);
            EXPECT_EQ(item->id, w.ids[k]) << k;
            p = (const WORD *)(item + 1);
            EXPECT_EQ(p[0], 0xFFFF) << k;
            EXPECT_EQ(p[1], w.classes[k]) << k;
            p += 2;
            std::string text;
            if (*p == 0xFFFF) {
                p += 2;
            } else {
                while (*p)
                    text += (char)*p++;
                p++;
            }
            if (w.styles[k] == 0x50000003) {
                EXPECT_EQ(text, "myIcon");  // the icon's name as written
            }
            EXPECT_EQ(*p, 0) << k;  // no creation data
            p++;
        }
    }
}

// ------------------------------------------------------------------- Doc

// The shell's answers, the first to velto.txt, the next to Notepad; and
// what it was asked to open, with what, where.
static std::vector<INT_PTR> shellAnswers;
static Strings shellCalls;
static HINSTANCE WINAPI FakeShell(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT)
{
    EXPECT_STREQ(verb, "open");
    EXPECT_STREQ(directory, WorkingDirectory);
    shellCalls.push_back(std::string(file) + (parameters ? std::string(" ") + parameters : ""));
    INT_PTR answer = shellAnswers.empty() ? 42 : shellAnswers.front();
    if (!shellAnswers.empty())
        shellAnswers.erase(shellAnswers.begin());
    return (HINSTANCE)answer;
}

// Without a program for .txt the guide opens in Notepad, and only when that
// fails too does Velto say there is no program.
TEST_F(Menus, DocReportsEachShellResult)
{
    std::string guide = std::string("notepad.exe \"") + WorkingDirectory + "\\velto.txt\"";
    const struct {
        std::vector<INT_PTR> answers;
        Strings boxes;
        size_t calls;
    } cases[] = {
        {{2}, {"Velto.txt not found. Check installation"}, 1},
        {{3}, {"Velto.txt not found. Check installation"}, 1},
        {{31, 42}, {}, 2},
        {{31, 2}, {"No application chosen to open a .txt"}, 2},
        {{5}, {"Unusual error opening velto.txt = 5"}, 1},
        {{0}, {"Unusual error opening velto.txt = 0"}, 1},
        {{32}, {"Unusual error opening velto.txt = 32"}, 1},
        {{33}, {}, 1},
        {{42}, {}, 1},
    };
    pShellExecute = FakeShell;
    for (auto &c : cases) {
        BoxCatcher catcher;
        shellAnswers = c.answers;
        shellCalls.clear();
        Command(142);
        EXPECT_EQ(catcher.texts(), c.boxes) << c.answers[0];
        ASSERT_EQ(shellCalls.size(), c.calls) << c.answers[0];
        EXPECT_EQ(shellCalls[0], "velto.txt");
        EXPECT_EQ(shellCalls.back(), c.calls > 1 ? guide : "velto.txt");
    }
    pShellExecute = NULL;  // found again on first use
}

TEST_F(Menus, DocWithoutTheFileSaysSo)
{
    BoxCatcher catcher;
    char empty[MAX_PATH];
    GetTempPathA(sizeof empty, empty);
    snprintf(WorkingDirectory, sizeof WorkingDirectory, "%svelto-no-doc", empty);
    CreateDirectoryA(WorkingDirectory, NULL);
    Command(142);
    EXPECT_EQ(catcher.texts(), Strings{"Velto.txt not found. Check installation"});
}

// Notepad with the documentation loaded (its title names the file).
HWND FindNotepad(std::string &title)
{
    for (int tries = 0; tries < 100; tries++) {
        HWND found = FindWindowA("Notepad", NULL);
        char text[128] = "";
        if (found)
            GetWindowTextA(found, text, sizeof text);
        title = text;
        if (found && strstr(text, "velto"))
            return found;
        Sleep(100);
    }
    return FindWindowA("Notepad", NULL);
}

TEST_F(Menus, DocOpensTheFileBesideTheProgram)
{
    const char *exe = getenv("VELTO_EXE");
    if (!exe)
        GTEST_SKIP() << "VELTO_EXE not set";
    std::string folder = std::string("Z:") + exe;
    folder.resize(folder.rfind('/'));
    for (char &c : folder)
        if (c == '/')
            c = '\\';
    snprintf(WorkingDirectory, sizeof WorkingDirectory, "%s", folder.c_str());
    BoxCatcher catcher;
    Command(142);
    EXPECT_EQ(catcher.texts(), Strings{}) << WorkingDirectory;
    std::string title;
    HWND notepad = FindNotepad(title);
    EXPECT_TRUE(notepad != NULL);
    EXPECT_NE(title.find("velto"), std::string::npos) << title;
    if (notepad)
        PostMessageA(notepad, WM_CLOSE, 0, 0);
}

}  // namespace
