// The runner's tools of the Special menu, on the real window.
#include <chrono>
#include <string>
#include <vector>

#include "harness.h"
#include "model/pacemodel.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

class Tools : public MainWindow {
protected:
    void Command(int id) { SendMessageA(hwnd, WM_COMMAND, id, 0); }
};

// Like Marathon: distance and both ranges, thumbs from the stored values;
// the time is kept, and reported if above the new range.
TEST_F(Tools, FiveAndTenKPresets)
{
    ResizeForRange(400);
    BoxCatcher catcher;
    SetWindowTextA(hwndTimeReadout, "1:00:00");
    Command(151);  // 10 K
    EXPECT_EQ(Text(hwndDistanceReadout), "6.21 Mi.");
    EXPECT_EQ(fMaxScrollMiles, 10.0f);
    EXPECT_EQ(fMaxScrollSecs, 7200.0f);
    EXPECT_EQ(Thumb(hwndTargetScroll), 200);  // 3600 / 7200 x 400
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    Command(150);  // 5 K
    EXPECT_EQ(Text(hwndDistanceReadout), "5.00 Km.");
    EXPECT_EQ(fMaxScrollMiles, 5.0f);
    EXPECT_EQ(Thumb(hwndDistanceScroll), 248);  // 3.1068559 / 5 x 400 = 248.5
    EXPECT_EQ(Text(hwndTimeReadout), "1:00:00.0");  // 3600 is the new range
    EXPECT_TRUE(catcher.boxes().empty());
    SetWindowTextA(hwndTimeReadout, "1:00:10");
    EXPECT_EQ(catcher.texts(), Strings{"Time out of range."});
}

TEST_F(Tools, SplitsOfAMarathonByKilometreAndTheirCopy)
{
    BoxCatcher catcher;
    Command(131);
    SetWindowTextA(hwndTimeReadout, "3:30:00");
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    OpenClipboard(NULL);
    EmptyClipboard();
    CloseClipboard();
    catcher.ScriptDialog("", 'Y');
    Command(152);
    ASSERT_EQ(catcher.dialogs().size(), 1u);
    EXPECT_EQ(catcher.dialogs()[0].listCount, 43);
    EXPECT_EQ(catcher.dialogs()[0].texts[0], "26.22 Mi. in 3:30:00.0 at even pace, 4:58.6 /Km.");
    std::string copied = ClipboardText();
    EXPECT_EQ(copied.substr(0, 29), "Km\tTime\r\n1\t4:58.6\r\n2\t9:57.2\r\n");
    EXPECT_NE(copied.find("\r\n10\t49:46.0\r\n"), std::string::npos);
    EXPECT_EQ(copied.substr(copied.size() - 19), "\r\n42.20\t3:30:00.0\r\n");

    // Nothing to split: it says what to set, and Copy leaves the clipboard alone.
    SetWindowTextA(hwndTimeReadout, "0");
    catcher.ScriptDialog("", 'Y');
    Command(152);
    EXPECT_EQ(catcher.dialogs()[1].listCount, 0);
    EXPECT_EQ(catcher.dialogs()[1].texts[0].substr(0, 45), "Set a distance and a target time first (type ");
    EXPECT_EQ(ClipboardText(), copied);
    EXPECT_TRUE(catcher.boxes().empty());
}

// 1000 miles in 200 m laps: 8,047 rows, drawn only as they are shown.
TEST_F(Tools, TheLongestSplitTableOpensAtOnce)
{
    BoxCatcher catcher;
    fMaxScrollMiles = 1000;
    SendMessageA(hwndSplit200m, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "1000");
    SetWindowTextA(hwndTimeReadout, "1:23:20");
    catcher.ScriptDialog("", 'O');
    auto start = std::chrono::steady_clock::now();
    Command(152);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(catcher.dialogs()[0].listCount, 8047);
    EXPECT_LT(ms, 1000);
    printf("split table of 8047 rows opened and closed in %.0f ms\n", ms);
}

TEST_F(Tools, RacePredictionFromTwentyMinutesForFiveK)
{
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    Command(150);
    SetWindowTextA(hwndTimeReadout, "20:00");
    catcher.ScriptDialog("", 'O');
    Command(153);
    std::string text = catcher.dialogs()[0].texts[0];
    // 1200 x (42.195 / 5)^1.06 = 11509.3 s, 272.8 s a kilometre
    EXPECT_NE(text.find("From 5.00 Km. in 20:00.0, by Riegel's formula:"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nMarathon\t3:11:49.3\t4:32.8 /Km\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n5 K\t20:00.0\t4:00.0 /Km\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Caution"), std::string::npos);

    SetWindowTextA(hwndTimeReadout, "3:00");  // below 3:30: rough
    catcher.ScriptDialog("", 'X');
    Command(153);
    EXPECT_NE(catcher.dialogs()[1].texts[0].find("Caution: "), std::string::npos);
}

TEST_F(Tools, TimeFromPaceSetsTheTimeOrSaysWhyNot)
{
    ResizeForRange(400);
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);  // "10.00 Km.": exactly 10 km
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    Command(151);
    catcher.ScriptDialog("4:30", 'O');
    Command(154);
    EXPECT_EQ(catcher.dialogs()[0].texts[0], "Pace per Km:");
    EXPECT_EQ(catcher.dialogs()[0].focusId, 421);
    EXPECT_EQ(Text(hwndTimeReadout), "45:00.0");  // 270 s x 10 km
    EXPECT_EQ(Text(hwndPaceField), "4:30.0 /Km");
    EXPECT_EQ(Thumb(hwndTargetScroll), 150);  // 2700 / 7200 x 400

    // Unreadable, too long for the range, and Cancel or Esc: nothing changes.
    for (auto script : {std::make_pair("4:3O", 'K'), std::make_pair("13:00", 'K'), std::make_pair("5:00", 'C'),
                        std::make_pair("5:00", 'X')}) {
        catcher.ScriptDialog(script.first, script.second);
        Command(154);
        EXPECT_EQ(Text(hwndTimeReadout), "45:00.0") << script.first;
    }
    EXPECT_EQ(catcher.texts(),
              (Strings{"The pace \"4:3O\" cannot be read: write it as the time field takes it, for example 4:30.",
                       "That pace gives 2:10:00.0, above the time range of 2:00:00.0: raise it in Settings > Time "
                       "Resolution first."}));

    SetWindowTextA(hwndDistanceReadout, "0");
    catcher.ScriptDialog("4:30", 'K');
    Command(154);
    EXPECT_EQ(catcher.texts().back(), "Set a distance first: the time is the pace over the distance.");
    EXPECT_EQ(Text(hwndTimeReadout), "45:00.0");
}

}  // namespace
