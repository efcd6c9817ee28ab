// The runner's tools window, driven inside its own modal loop as a user
// would, where the guide's worked examples do not reach; the 5 K and 10 K
// presets of the main window.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"
#include "model/pacemodel.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

class Tools : public MainWindow {
protected:
    void Command(int id) { SendMessageA(hwnd, WM_COMMAND, id, 0); }
};

// 10 km in 40:00 with a 4 % negative split, copied and saved with the
// headings; a split over 20 % is refused in a line; an empty hill effort
// with no course leaves the table as it is.
TEST_F(Tools, SplitsToCopyAndSave)
{
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    Command(151);
    SetWindowTextA(hwndTimeReadout, "40:00");
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    snprintf(path, sizeof path, "%svelto-splits.csv", folder);
    DeleteFileA(path);
    std::string tooMuch;
    int flatRows = 0;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        SendDlgItemMessageA(page, IDC_SPLITS_NEGATIVE, BM_CLICK, 0, 0);
        SetDlgItemTextA(page, IDC_SPLITS_PERCENT, "4");
        SendDlgItemMessageA(page, IDC_SPLITS_COPY, BM_CLICK, 0, 0);
        catcher.InDialog(ChooseFileScript(path));
        SendDlgItemMessageA(page, IDC_SPLITS_SAVE, BM_CLICK, 0, 0);
        SetDlgItemTextA(page, IDC_SPLITS_PERCENT, "25");
        tooMuch = Text(GetDlgItem(page, IDC_SPLITS_NOTE)) + " " +
                  std::to_string(SendDlgItemMessageA(page, IDC_SPLITS_LIST, LVM_GETITEMCOUNT, 0, 0));
        // The hill effort counts over a course only: without one, left empty, the table stands.
        SetDlgItemTextA(page, IDC_SPLITS_PERCENT, "4");
        SetDlgItemTextA(page, IDC_SPLITS_HILL, "");
        flatRows = (int)SendDlgItemMessageA(page, IDC_SPLITS_LIST, LVM_GETITEMCOUNT, 0, 0);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(152);
    EXPECT_EQ(tooMuch, "A split is 0 to 20 %: type the percentage, as 4. 0");
    EXPECT_EQ(flatRows, 10);
    EXPECT_EQ(ClipboardText().substr(0, 48), "Km\tTime\tSplit\tPace /Km\r\n1\t4:08.8\t4:08.8\t4:08.8\r\n");
    std::stringstream csv;
    csv << std::ifstream(path, std::ios::binary).rdbuf();
    // One time format a column, that a spreadsheet reads as times.
    EXPECT_EQ(csv.str().substr(0, 57), "Km,Time,Split,Pace /Km\r\n1,0:04:08.8,0:04:08.8,0:04:08.8\r\n");
    EXPECT_NE(csv.str().find("\r\n10,0:40:00.0,0:03:51.2,0:03:51.2\r\n"), std::string::npos);
    EXPECT_TRUE(catcher.boxes().empty());
    DeleteFileA(path);
}

// The texts the band draws, read back from a metafile (Wine keeps them
// wide), and its filled areas.
int CALLBACK ReadText(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM texts)
{
    if (record->iType == EMR_POLYGON16 || record->iType == EMR_POLYGON)
        reinterpret_cast<Strings *>(texts)->push_back("polygon");
    if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
        const wchar_t *chars =
            reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) + text->emrtext.offString);
        reinterpret_cast<Strings *>(texts)->push_back(std::string(chars, chars + text->emrtext.nChars));
    }
    return 1;
}

// A marathon at 8:00 a mile on an A4 page: the heading, then a mile and its
// time a row, to the finish; 10,000 rows take strips side by side on pages.
TEST(PaceBand, DrawsTheHeadingAndEveryRow)
{
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(26.22L * 1609.344L, 12585.6L, UNIT_MILE, 0, 0, 2, &table));
    HDC emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    RECT a4 = {0, 0, MulDiv(2100, GetDeviceCaps(emf, LOGPIXELSX), 254), MulDiv(2970, GetDeviceCaps(emf, LOGPIXELSY), 254)};
    EXPECT_EQ(DrawPaceBand(emf, a4, table, "26.22 Mi. in 3:29:45.6, even pace", 0), 1);
    HENHMETAFILE picture = CloseEnhMetaFile(emf);
    Strings texts;
    EnumEnhMetaFile(NULL, picture, ReadText, &texts, NULL);
    DeleteEnhMetaFile(picture);
    ASSERT_EQ(texts.size(), 3u + 2 * 27);
    EXPECT_EQ(Strings(texts.begin(), texts.begin() + 5), (Strings{"26.22 Mi.", "3:29:45.6", "even pace", "1", "8:00.0"}));
    EXPECT_EQ(Strings(texts.end() - 2, texts.end()), (Strings{"26.22", "3:29:45.6"}));
    ASSERT_TRUE(PlanSplitTable(1242 * 1609.344L, 500000, UNIT_200M, 0, 0, 2, &table));
    emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    EXPECT_GT(DrawPaceBand(emf, a4, table, "", 0), 20);
    DeleteEnhMetaFile(CloseEnhMetaFile(emf));
}

// What a drawing leaves in a metafile: its areas, its heights and climbs.
Strings Drawn(const std::function<void(HDC)> &draw)
{
    HDC emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    draw(emf);
    HENHMETAFILE picture = CloseEnhMetaFile(emf);
    Strings seen;
    EnumEnhMetaFile(NULL, picture, ReadText, &seen, NULL);
    DeleteEnhMetaFile(picture);
    return seen;
}

// The profile on the page and at the head of the band: its area, its
// heights labelled; the band's rows with their climb and effort pace.
TEST(Profile, OnThePageAndOnTheBand)
{
    CourseBuilder builder;
    static Course course;
    static HillPlan hills;
    const char csv[] = "km,m\n0,0\n5,100\n10,0\n";
    ASSERT_TRUE(ReadCourseCsv(csv, sizeof csv - 1, &builder) && FinishCourse(&builder, "hill", &course));
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(10000, 3000, UNIT_KM, 0, 0, 3, &table) && SetSplitPoints(&table, 5, false));
    PlanOverCourse(course, 0.5L, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    RECT area = {0, 0, 400, 80}, a4 = {0, 0, 2480, 3508};
    // The course, the first row's stretch, a station's flag and a mark a km
    // (of 9 px labels, 37 px apart).
    course.stations.push_back({"Water", 2500, 0, 0.0225});
    Strings page = Drawn([&](HDC hdc) { DrawProfile(hdc, area, course, &table, 0, UNIT_KM, true); });
    EXPECT_EQ(page, (Strings{"99 m", "0 m", "polygon", "polygon", "polygon", "1", "2", "3", "4", "5", "6", "7", "8",
                             "9"}));
    Strings band = Drawn([&](HDC hdc) { DrawPaceBand(hdc, a4, table, "10.00 Km. in 50:00.0, even pace", 0); });
    ASSERT_GE(band.size(), 11u);  // the heading, the profile's heights and area, then the first row
    EXPECT_EQ(Strings(band.begin() + 3, band.begin() + 6), (Strings{"99 m", "0 m", "polygon"}));
    auto row = std::find_if(band.begin(), band.end(), [](const std::string &t) { return t.rfind("+99 -0, effort ", 0) == 0; });
    EXPECT_NE(row, band.end());
}


// What the tools keep, read at their first opening of a run: a folder not
// there yet is made; a damaged file gives the defaults and is written whole
// again; a read-only file is read and left as it is.
TEST_F(Tools, KeptEntriesSurviveAnyFile)
{
    char appData[MAX_PATH];
    GetEnvironmentVariableA("APPDATA", appData, sizeof appData);  // the test's own, emptied
    std::string folder = std::string(appData) + "\\Velto", ini = folder + "\\velto.ini";
    RemoveDirectoryA(folder.c_str());
    auto open = [&](const char *file) {
        if (file)
            std::ofstream(ini, std::ios::binary) << file;
        ToolsDefaults();  // as at a new start
        BoxCatcher catcher;
        std::string seen;
        catcher.InDialog([&](HWND tools) {
            HWND age = GetDlgItem(ToolsPage(tools), IDC_AGE);
            seen = std::to_string(SendDlgItemMessageA(tools, IDC_TOOLS_TABS, TCM_GETCURSEL, 0, 0)) + " " +
                   (age ? Text(age) : "");
            SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
        });
        Command(IDM_TOOLS);
        std::stringstream text;
        text << std::ifstream(ini, std::ios::binary).rdbuf();
        return seen + "|" + text.str().substr(0, 15);
    };
    EXPECT_EQ(open(NULL), "0 |[Velto tools]\r\n");
    EXPECT_EQ(open("[Velto tools]\r\nversion=1\r\npage=\x01\xff\r\n\xfe garbage"), "0 |[Velto tools]\r\n");
    const char own[] = "[Velto tools]\r\nversion=1\r\npage=4\r\nage=57\r\n";
    std::ofstream(ini, std::ios::binary) << own;
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(open(NULL), std::string("4 57|") + std::string(own).substr(0, 15));
    std::stringstream text;
    text << std::ifstream(ini, std::ios::binary).rdbuf();
    EXPECT_EQ(text.str(), own);
    EXPECT_EQ(GetFileAttributesA((ini + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A later Velto's file: read as the defaults, and left for that Velto.
    EXPECT_EQ(open("[Velto tools]\r\nversion=2\r\npage=4\r\n"), "0 |[Velto tools]\r\n");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(ini, std::ios::binary).rdbuf()), {}),
              "[Velto tools]\r\nversion=2\r\npage=4\r\n");
}

// Picks a unit of a page's drop-down list as a user does.
void Choose(HWND page, int id, int index)
{
    SendDlgItemMessageA(page, id, CB_SETCURSEL, (WPARAM)index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)GetDlgItem(page, id));
}

// The control with the keyboard, and whether all its text is selected.
std::string Focus()
{
    DWORD from = 0, to = 0;
    SendMessageA(GetFocus(), EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
    return std::to_string(GetDlgCtrlID(GetFocus())) + (from == 0 && to == Text(GetFocus()).size() ? " all" : " part");
}

// Typed entries keep their exact values whatever is worked out, and are
// kept when the session ends; a window that holds no plan leaves the kept
// one; one that does gives its pace too; the keyboard starts in a page's
// first entry; the pace headings follow.
TEST_F(Tools, EntriesStayExactAndTheWindowGivesOnlyAPlan)
{
    BoxCatcher catcher;
    Strings seen;
    auto entries = [&](HWND page) {
        seen.push_back(Text(GetDlgItem(page, IDC_PLAN_TIME)) + " " + Text(GetDlgItem(page, IDC_PLAN_PACE)));
    };
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        seen.push_back(Focus());
        SetDlgItemTextA(page, IDC_PLAN_TIME, "3:30:00");
        Choose(page, IDC_PLAN_DISTANCE_UNIT, UNIT_KM);
        Choose(page, IDC_PLAN_PACE_KIND, UNIT_KM);
        SetDlgItemTextA(page, IDC_PLAN_DISTANCE, "42.195");
        SendDlgItemMessageA(page, IDC_SOLVE_TIME, BM_CLICK, 0, 0);  // from the pace shown as 4:58.6
        entries(page);
        SendDlgItemMessageA(page, IDC_SOLVE_PACE, BM_CLICK, 0, 0);
        entries(page);
        SendMessageA(hwnd, WM_ENDSESSION, TRUE, 0);  // the tools keep what they hold, before Windows ends Velto
        char appData[MAX_PATH];
        GetEnvironmentVariableA("APPDATA", appData, sizeof appData);  // the test's own
        std::stringstream ini;
        ini << std::ifstream(std::string(appData) + "\\Velto\\velto.ini", std::ios::binary).rdbuf();
        seen.push_back(ini.str().substr(ini.str().find("\ntime="), 17));
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_PACE_PLAN);
    ToolsDefaults();  // a new start: the main window at 0, then one click on a bar
    SendMessageA(hwnd, WM_HSCROLL, SB_LINERIGHT, (LPARAM)hwndDistanceScroll);
    catcher.InDialog([&](HWND tools) {
        entries(ToolsPage(tools));
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_PACE_PLAN);
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    Command(IDM_5K);
    SetWindowTextA(hwndTimeReadout, "22:30");
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        entries(page);
        Choose(page, IDC_PLAN_PACE_KIND, UNIT_MILE);
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG ctrlTab = {GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        for (int k = 0; k < 2; k++)  // Splits, then Equivalents
            CallMsgFilterA(&ctrlTab, MSGF_DIALOGBOX);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        seen.push_back(Focus());
        char title[16] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = title;
        column.cchTextMax = sizeof title;
        SendDlgItemMessageA(ToolsPage(tools), IDC_EQ_LIST, LVM_GETCOLUMNA, 2, (LPARAM)&column);
        seen.push_back(title);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_TIME_FROM_PACE);
    EXPECT_EQ(seen, (Strings{std::to_string(IDC_PLAN_TIME) + " all", "3:30:00.0 4:58.6 /Km", "3:30:00.0 4:58.6 /Km",
                             "\ntime=3:30:00.0\r\n", "3:30:00.0 4:58.6 /Km", "22:30.0 4:30.0 /Km",
                             std::to_string(IDC_RESULT_DISTANCE) + " all", "/Mile"}));
    EXPECT_TRUE(catcher.boxes().empty());
}

// A plan beyond the window's ranges raises them, as far as its dialogs
// go, with no box; beyond that the button is off and says why.
TEST_F(Tools, UseInWindowRaisesTheRanges)
{
    BoxCatcher catcher;
    std::string held, beyond;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools), note = GetDlgItem(page, IDC_PLAN_USE_NOTE);
        SetDlgItemTextA(page, IDC_PLAN_TIME, "6:40:00");
        SetDlgItemTextA(page, IDC_PLAN_DISTANCE, "50");
        held = Text(note);
        for (int k = 0; k < 2; k++)  // twice: no box either time
            SendDlgItemMessageA(page, IDC_PLAN_USE, BM_CLICK, 0, 0);
        SetDlgItemTextA(page, IDC_PLAN_DISTANCE, "1001");
        beyond = Text(note).substr(0, 17) + (IsWindowEnabled(GetDlgItem(page, IDC_PLAN_USE)) ? " on" : " off");
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_PACE_PLAN);
    EXPECT_EQ(held, "The window will hold 50.00 Mi. in 6:40:00.0. Its ranges become 50 miles and 6:40:00.0.");
    EXPECT_EQ(Text(hwndDistanceReadout) + " " + Text(hwndTimeReadout), "50.00 Mi. 6:40:00.0");
    EXPECT_EQ(fMaxScrollMiles * 1000 + fMaxScrollSecs, 50.0f * 1000 + 24000.0f);  // both ranges raised
    EXPECT_EQ(beyond, "Beyond the window off");
    EXPECT_TRUE(catcher.boxes().empty());
}

// A table not saved leaves the file there as it was, and says why; a
// clipboard held elsewhere and a missing printer are said so, once.
TEST_F(Tools, FailuresLeaveFilesAndSaySo)
{
    BoxCatcher catcher;
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string path = std::string(folder) + "velto-held.csv";
    std::ofstream(path, std::ios::binary) << "the user's own";
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    SetWindowTextA(hwndTimeReadout, "40:00");
    SetWindowTextA(hwndDistanceReadout, "5");
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        catcher.InDialog([&](HWND save) {
            catcher.InDialog([](HWND replace) { PostMessageA(replace, WM_COMMAND, IDYES, 0); });
            ChooseFileScript(path)(save);
        });
        SendDlgItemMessageA(page, IDC_SPLITS_SAVE, BM_CLICK, 0, 0);
        OpenClipboard(tools);  // another window has it
        SendDlgItemMessageA(page, IDC_SPLITS_COPY, BM_CLICK, 0, 0);
        CloseClipboard();
        SendDlgItemMessageA(page, IDC_SPLITS_PRINT, BM_CLICK, 0, 0);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(IDM_SPLITS);
    CloseHandle(held);
    std::stringstream kept;
    kept << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(kept.str(), "the user's own");
    ASSERT_EQ(catcher.texts().size(), 3u);
    EXPECT_EQ(catcher.texts()[0].rfind("The table could not be saved as " + path + ": ", 0), 0u) << catcher.texts()[0];
    EXPECT_EQ(catcher.texts()[1], "The table could not be copied: another program holds the clipboard.");
    EXPECT_EQ(catcher.texts()[2], "The pace band could not be printed: Windows has no printer ready.");
    DeleteFileA(path.c_str());
}

// What a control's text needs that it lacks, or "": a label or a line
// wrapped to its width must end above its bottom, with no word wider than
// it; a button's text must fit beside its check mark or within its edges.
std::string Cut(HWND control)
{
    char className[32], text[1024];
    GetClassNameA(control, className, sizeof className);
    GetWindowTextA(control, text, sizeof text);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    bool button = lstrcmpiA(className, "Button") == 0;
    if (!text[0] || !IsWindowVisible(control) || (!button && lstrcmpiA(className, "Static") != 0) ||
        (!button && (style & SS_TYPEMASK) == SS_OWNERDRAW))
        return "";
    RECT client;
    GetClientRect(control, &client);
    HDC hdc = GetDC(control);
    HGDIOBJ old = SelectObject(hdc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    int room = client.right;
    if (button && (style & BS_TYPEMASK) != BS_PUSHBUTTON && (style & BS_TYPEMASK) != BS_DEFPUSHBUTTON)
        room -= GetSystemMetrics(SM_CXMENUCHECK) + 2;
    else if (button)
        room -= 2 * GetSystemMetrics(SM_CXEDGE);
    RECT need = {0, 0, room, 0};
    UINT format = DT_CALCRECT | (button ? DT_SINGLELINE : DT_WORDBREAK) | ((style & SS_NOPREFIX) && !button ? DT_NOPREFIX : 0);
    DrawTextA(hdc, text, -1, &need, format);
    SelectObject(hdc, old);
    ReleaseDC(control, hdc);
    if (need.right <= room && need.bottom <= client.bottom)
        return "";
    return std::string(text) + " needs " + std::to_string(need.right) + " x " + std::to_string(need.bottom) +
           ", has " + std::to_string(room) + " x " + std::to_string(client.bottom);
}

// Every line of every page fits its place, whatever its entries hold:
// each entry in turn empty, unreadable, 0, tiny and huge; and after the
// window has grown.
TEST_F(Tools, EveryLineFits)
{
    BoxCatcher catcher;
    SetWindowTextA(hwndTimeReadout, "40:00");
    SetWindowTextA(hwndDistanceReadout, "6.21");
    Strings cut;
    for (int page : {IDM_PACE_PLAN, IDM_SPLITS, IDM_PREDICTION, IDM_TRAINING, IDM_AGE_GRADE, IDM_TREADMILL}) {
        catcher.InDialog([&](HWND tools) {
            HWND shown = ToolsPage(tools);
            auto check = [&]() {
                for (HWND c = GetWindow(shown, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                    std::string why = Cut(c);
                    if (!why.empty() && std::find(cut.begin(), cut.end(), why) == cut.end())
                        cut.push_back(why);
                }
            };
            check();
            for (HWND entry = GetWindow(shown, GW_CHILD); entry; entry = GetWindow(entry, GW_HWNDNEXT)) {
                char className[16];
                GetClassNameA(entry, className, sizeof className);
                if (lstrcmpiA(className, "Edit") != 0)
                    continue;
                std::string was = Text(entry);
                for (const char *probe : {"", "x", "0", "0.1", "99999"}) {
                    SetWindowTextA(entry, probe);
                    check();
                }
                SetWindowTextA(entry, was.c_str());
            }
            // Grown, each part of another size is drawn anew whole, not its
            // old picture kept where it fits (a note wrapped at the old width).
            RECT frame, client, waiting;
            UpdateWindow(tools);
            GetWindowRect(tools, &frame);
            if (page == IDM_SPLITS)
                SetWindowPos(tools, NULL, 0, 0, frame.right - frame.left + 300, frame.bottom - frame.top + 200,
                             SWP_NOMOVE | SWP_NOZORDER);
            for (int id : {IDC_SPLITS_PROFILE, IDC_SPLITS_NOTE, IDC_SPLITS_COURSE_NOTE})
                if (page == IDM_SPLITS && GetClientRect(GetDlgItem(shown, id), &client) && client.right &&
                    (!GetUpdateRect(GetDlgItem(shown, id), &waiting, FALSE) || !EqualRect(&client, &waiting)))
                    cut.push_back(std::to_string(id) + " keeps its old picture");
            SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
        });
        Command(page);
    }
    if (const char *dpi = getenv("VELTO_DPI")) {  // the run at another screen's size
        HDC screen = GetDC(NULL);
        EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), atoi(dpi));
        ReleaseDC(NULL, screen);
    }
    EXPECT_EQ(cut, Strings{});
    EXPECT_TRUE(catcher.boxes().empty());
}

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

}  // namespace
