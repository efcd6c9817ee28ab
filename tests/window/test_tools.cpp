// The runner's tools window, driven inside its own modal loop as a user
// would; the 5 K and 10 K presets of the main window.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"
#include "model/equivalents.h"
#include "model/pacemodel.h"
#include "ui/resource.h"
#include "ui/tools.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

class Tools : public MainWindow {
protected:
    void Command(int id) { SendMessageA(hwnd, WM_COMMAND, id, 0); }
};

// The page on show in the tools window.
HWND Page(HWND tools)
{
    for (HWND child = GetWindow(tools, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16];
        GetClassNameA(child, name, sizeof name);
        if (strcmp(name, "#32770") == 0 && IsWindowVisible(child))
            return child;
    }
    return NULL;
}

std::string Item(HWND page, int id)
{
    return Text(GetDlgItem(page, id));
}

void Enter(HWND page, int id, const char *text)
{
    SetDlgItemTextA(page, id, text);  // the entry reports the change, as typing does
}

void Click(HWND page, int id)
{
    SendDlgItemMessageA(page, id, BM_CLICK, 0, 0);
}

void Choose(HWND page, int id, int index)
{
    SendDlgItemMessageA(page, id, CB_SETCURSEL, (WPARAM)index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)GetDlgItem(page, id));
}

// Any two give the third; each entry says what it read, and nothing is
// ever a box; "Use in window" hands the plan over, and the window keeps it
// by its own rules, as the note beside the button said it would.
TEST_F(Tools, PlanWorksOutTheThirdAndHandsItToTheWindow)
{
    BoxCatcher catcher;
    Command(131);  // ranges of 30 miles and 5:05:00
    std::string useNote, speed;
    catcher.InDialog([&](HWND tools) {
        HWND page = Page(tools);
        Click(page, IDC_SOLVE_TIME);
        Choose(page, IDC_PLAN_DISTANCE_UNIT, UNIT_MILE);
        Enter(page, IDC_PLAN_DISTANCE, "26.22");
        Choose(page, IDC_PLAN_PACE_KIND, UNIT_MILE);
        Enter(page, IDC_PLAN_PACE, "8:00");
        EXPECT_EQ(Item(page, IDC_PLAN_TIME), "3:29:45.6");  // 480 x 26.22 = 12585.6 s
        speed = Item(page, IDC_PLAN_SPEED);
        useNote = Item(page, IDC_PLAN_USE_NOTE);
        Click(page, IDC_PLAN_USE);

        Click(page, IDC_SOLVE_DISTANCE);
        Enter(page, IDC_PLAN_TIME, "3:30:00");
        EXPECT_EQ(Item(page, IDC_PLAN_DISTANCE), "26.25 Mi.");  // 12600 / 480

        Click(page, IDC_SOLVE_TIME);
        Choose(page, IDC_PLAN_DISTANCE_UNIT, UNIT_KM);
        Enter(page, IDC_PLAN_DISTANCE, "10");
        Choose(page, IDC_PLAN_PACE_KIND, UNIT_KM);
        const struct {
            const char *pace, *time, *note;
        } entries[] = {
            {"4.30", "43.0", "= 4.3 s per Km, 43.0 over 10.00 Km."},
            {".", "", "Not a pace: type m:ss or seconds, as 4:30"},
            {"5:00", "50:00.0", "= 5 min 0.0 s per Km, 50:00.0 over 10.00 Km."},
        };
        for (const auto &e : entries) {
            Enter(page, IDC_PLAN_PACE, e.pace);
            EXPECT_EQ(Item(page, IDC_PLAN_TIME), e.time) << e.pace;
            EXPECT_EQ(Item(page, IDC_PLAN_PACE_NOTE), e.note) << e.pace;
        }
        EXPECT_EQ(Item(page, IDC_PLAN_SPEED), "12.00 km/h, 7.46 mph");
        Choose(page, IDC_PLAN_PACE_KIND, UNIT_MILE);  // 5:00 now a mile
        EXPECT_EQ(Item(page, IDC_PLAN_TIME), "31:04.1");  // 300 x 10 / 1.609344 = 1864.11 s
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(155);
    EXPECT_EQ(speed, "12.07 km/h, 7.50 mph");  // 26.22 mi in 3.496 h
    EXPECT_EQ(useNote, "The window will hold 26.22 Mi. in 3:29:50.0. It keeps times from 2:46:40 on to 10 s.");
    EXPECT_EQ(Text(hwndTimeReadout), "3:29:50.0");
    EXPECT_EQ(Text(hwndDistanceReadout), "26.22 Mi.");
    EXPECT_TRUE(catcher.boxes().empty());

    // Time from Pace: the same page, working out the time, typing the pace.
    int focus = 0, solve = 0;
    catcher.InDialog([&](HWND tools) {
        focus = GetDlgCtrlID(GetFocus());
        solve = (int)IsDlgButtonChecked(Page(tools), IDC_SOLVE_TIME);
        PostMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(154);
    EXPECT_EQ(focus, IDC_PLAN_PACE);
    EXPECT_EQ(solve, BST_CHECKED);
}

// 10 km in 40:00 with a 4 % negative split: 5 km at 2400 / 1.96 = 1224.5 s,
// the first km in 248.8 s, the last in 231.2 s; copied and saved with the
// headings.
TEST_F(Tools, SplitsWithAStrategyToCopyAndSave)
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
    Strings first, last, heading;
    std::string note, tooMuch;
    catcher.InDialog([&](HWND tools) {
        HWND page = Page(tools);
        EXPECT_EQ(GetDlgItem(page, IDC_SPLITS_LIST) != NULL, true);
        Click(page, IDC_SPLITS_NEGATIVE);
        Enter(page, IDC_SPLITS_PERCENT, "4");
        HWND list = GetDlgItem(page, IDC_SPLITS_LIST);
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 10);
        for (int c = 0; c < 4; c++) {
            first.push_back(Cell(list, 0, c));
            last.push_back(Cell(list, 9, c));
        }
        EXPECT_EQ(Cell(list, 4, 1), "20:24.5");
        note = Item(page, IDC_SPLITS_NOTE);
        Click(page, IDC_SPLITS_COPY);
        catcher.InDialog([&](HWND save) {
            SetDlgItemTextA(save, 1148, path);  // the file name box
            SetDlgItemTextA(save, 1152, path);
            PostMessageA(save, WM_COMMAND, IDOK, 0);
        });
        Click(page, IDC_SPLITS_SAVE);
        Enter(page, IDC_SPLITS_PERCENT, "25");
        tooMuch = Item(page, IDC_SPLITS_NOTE);
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(152);
    EXPECT_EQ(first, (Strings{"1", "4:08.8", "4:08.8", "4:08.8"}));
    EXPECT_EQ(last, (Strings{"10", "40:00.0", "3:51.2", "3:51.2"}));
    EXPECT_EQ(note, "10.00 Km. in 40:00.0, 4 % negative split: halves 20:24.5 and 19:35.5.");
    EXPECT_EQ(tooMuch, "A split is 0 to 20 %: type the percentage, as 4.");
    std::string copied = ClipboardText();
    EXPECT_EQ(copied.substr(0, 44), "Km\tTime\tSplit\tPace\r\n1\t4:08.8\t4:08.8\t4:08.8\r\n");
    std::ifstream saved(path, std::ios::binary);
    std::stringstream csv;
    csv << saved.rdbuf();
    EXPECT_EQ(csv.str().substr(0, 44), "Km,Time,Split,Pace\r\n1,4:08.8,4:08.8,4:08.8\r\n");
    EXPECT_NE(csv.str().find("\r\n10,40:00.0,3:51.2,3:51.2\r\n"), std::string::npos);
    EXPECT_TRUE(catcher.boxes().empty());
    DeleteFileA(path);
}

// The texts the band draws, read back from a metafile into the Strings at `texts`.
int CALLBACK ReadText(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM texts)
{
    Strings *drawn = reinterpret_cast<Strings *>(texts);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
        const wchar_t *chars = reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) +
                                                                 text->emrtext.offString);
        std::string narrow;
        for (DWORD k = 0; k < text->emrtext.nChars; k++)
            narrow += (char)chars[k];
        drawn->push_back(narrow);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const EMREXTTEXTOUTA *text = reinterpret_cast<const EMREXTTEXTOUTA *>(record);
        drawn->push_back(std::string(reinterpret_cast<const char *>(record) + text->emrtext.offString,
                                     text->emrtext.nChars));
    }
    return 1;
}

// A marathon plan at 8:00 a mile, drawn as a band on an A4 page: the
// heading, then a mile and its time a row, to the finish.
TEST(PaceBand, DrawsTheHeadingAndEveryRow)
{
    SplitTable table;
    ASSERT_TRUE(PlanSplitTable(26.22L * 1609.344L, 12585.6L, UNIT_MILE, 0, 0, 2, &table));
    HDC emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    RECT a4 = {0, 0, MulDiv(2100, GetDeviceCaps(emf, LOGPIXELSX), 254), MulDiv(2970, GetDeviceCaps(emf, LOGPIXELSY), 254)};
    int pages = DrawPaceBand(emf, a4, table, "26.22 Mi. in 3:29:45.6, even pace", 0);
    HENHMETAFILE picture = CloseEnhMetaFile(emf);
    Strings texts;
    EnumEnhMetaFile(NULL, picture, ReadText, &texts, NULL);
    DeleteEnhMetaFile(picture);
    EXPECT_EQ(pages, 1);
    ASSERT_EQ(texts.size(), 3u + 2 * 27);
    EXPECT_EQ(Strings(texts.begin(), texts.begin() + 5), (Strings{"26.22 Mi.", "3:29:45.6", "even pace", "1", "8:00.0"}));
    EXPECT_EQ(Strings(texts.end() - 2, texts.end()), (Strings{"26.22", "3:29:45.6"}));

    // 10,000 rows: strips side by side, many pages.
    ASSERT_TRUE(PlanSplitTable(1242 * 1609.344L, 500000, UNIT_200M, 0, 0, 2, &table));
    emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    EXPECT_GT(DrawPaceBand(emf, a4, table, "", 0), 20);
    DeleteEnhMetaFile(CloseEnhMetaFile(emf));
}

// From 5 km in 20:00 (the plan's values): 10 km by Riegel, Cameron and the
// VDOT in 41:41.9, 41:39.7 and 41:27.9; the VDOT 49.81.
TEST_F(Tools, EquivalentsByThreeModels)
{
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    Command(150);
    SetWindowTextA(hwndTimeReadout, "20:00");
    Strings tenK;
    std::string vdot, exponentNote, cautions, noCautions;
    catcher.InDialog([&](HWND tools) {
        HWND page = Page(tools), list = GetDlgItem(page, IDC_EQ_LIST);
        for (int c = 0; c < 7; c++)
            tenK.push_back(Cell(list, EQ_10K, c));
        vdot = Item(page, IDC_EQ_VDOT);
        noCautions = Item(page, IDC_EQ_CAUTIONS);
        Enter(page, IDC_EQ_EXPONENT, "1.2");
        exponentNote = Item(page, IDC_EQ_EXPONENT_NOTE);
        EXPECT_EQ(Cell(list, EQ_10K, 1), "");  // no Riegel without an exponent in range
        Enter(page, IDC_EQ_EXPONENT, "1.06");
        Enter(page, IDC_RESULT_DISTANCE, "0.8");  // 800 m in 1:55
        Enter(page, IDC_RESULT_TIME, "1:55");
        EXPECT_EQ(Cell(list, EQ_1500M, 3), "3:58.2");
        cautions = Item(page, IDC_EQ_CAUTIONS);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(153);
    EXPECT_EQ(tenK, (Strings{"10 km", "41:41.9", "4:10.2", "41:39.7", "4:10.0", "41:27.9", "4:08.8"}));
    EXPECT_EQ(vdot, "VDOT 49.81 (Daniels and Gilbert)");
    EXPECT_EQ(noCautions, "");
    EXPECT_EQ(exponentNote, "Type an exponent from 1.01 to 1.15, as 1.06");
    // 1:55 is under 3:30, and 800 m short of 1500 m; the predictions
    // (115 x (1500 / 800)^1.06 = 224 s and up) are within Riegel's range.
    EXPECT_EQ(cautions, "Riegel is fitted for efforts of 3:30 to 4:00:00: not for this result.\n"
                        "VDOT is fitted for 1500 m to the marathon, VDOT 30 to 85: not for this result.");
    EXPECT_TRUE(catcher.boxes().empty());
}

// VDOT 49.81 (5 km in 20:00): threshold 6:50.1 a mile and 4:14.8 a km,
// the easy range 8:33 to 9:28 a mile; 400 m at interval pace in 1:34.2.
TEST_F(Tools, TrainingPacesOfTheResult)
{
    BoxCatcher catcher;
    Strings threshold, easy, repeats;
    catcher.InDialog([&](HWND tools) {
        HWND page = Page(tools);
        Choose(page, IDC_RESULT_UNIT, UNIT_KM);
        Enter(page, IDC_RESULT_DISTANCE, "5");
        Enter(page, IDC_RESULT_TIME, "20:00");
        HWND paces = GetDlgItem(page, IDC_TRAINING_PACES), list = GetDlgItem(page, IDC_TRAINING_REPEATS);
        for (int c = 0; c < 6; c++) {
            threshold.push_back(Cell(paces, 2, c));
            easy.push_back(Cell(paces, 0, c));
        }
        for (int r : {0, 2})
            repeats.push_back(Cell(list, r, 0) + " " + Cell(list, r, 1));
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(156);
    EXPECT_EQ(threshold, (Strings{"Threshold", "6:50.1", "4:14.8", "1:41.9", "51.0", "1:42.5"}));
    EXPECT_EQ(easy, (Strings{"Easy", "8:33-9:28", "5:19-5:53", "2:08-2:21", "1:04-1:11", "2:08-2:22"}));
    EXPECT_EQ(repeats, (Strings{"Threshold 1000 m 4:14.8", "Interval 400 m 1:34.2"}));
}

// Man, 57, 10 km in 55:00: 57.4 %, 45:59, factor 0.8361; the tables'
// version shown; ages and distances outside the tables refused in a line.
TEST_F(Tools, AgeGradeAgainstTheRoadTables)
{
    BoxCatcher catcher;
    std::string percent, graded, factor, tables, tooYoung, tooShort, woman;
    catcher.InDialog([&](HWND tools) {
        HWND page = Page(tools);
        Enter(page, IDC_AGE, "57");
        Click(page, IDC_SEX_MAN);
        Choose(page, IDC_RESULT_UNIT, UNIT_KM);
        Enter(page, IDC_RESULT_DISTANCE, "10");
        Enter(page, IDC_RESULT_TIME, "55:00");
        percent = Item(page, IDC_AGE_PERCENT);
        graded = Item(page, IDC_AGE_GRADED);
        factor = Item(page, IDC_AGE_FACTOR);
        tables = Item(page, IDC_AGE_TABLES);
        Click(page, IDC_SEX_WOMAN);
        Enter(page, IDC_AGE, "50");
        woman = Item(page, IDC_AGE_FACTOR);
        Enter(page, IDC_AGE, "4");
        tooYoung = Item(page, IDC_AGE_NOTE);
        EXPECT_EQ(Item(page, IDC_AGE_PERCENT), "");
        Enter(page, IDC_AGE, "57");
        Enter(page, IDC_RESULT_DISTANCE, "1");
        tooShort = Item(page, IDC_AGE_NOTE);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    Command(157);
    EXPECT_EQ(percent, "57.4 %, below the local class");
    EXPECT_EQ(graded, "45:59");
    EXPECT_EQ(factor, "0.8361");
    EXPECT_EQ(woman, "0.8822");
    EXPECT_EQ(tables.substr(0, 73), "Tables: Male Road Running Age Standard factors 2025 -- Version 2025-07-27");
    EXPECT_EQ(tooYoung, "Type a whole age from 5 to 100.");
    EXPECT_EQ(tooShort, "The tables run from 1 mile to 200 km.");
}

// ------------------------------------------------- what the tools keep

// Velto itself, started with %APPDATA% at `appData` and the tools opened on
// the page they were left on and closed again: what that page showed.
struct Kept {
    int page = -1;
    std::string age;
    DWORD exitCode = 99;
};

Kept StartWithToolsFile(const std::string &appData)
{
    Kept kept;
    char old[MAX_PATH];
    GetEnvironmentVariableA("APPDATA", old, sizeof old);
    SetEnvironmentVariableA("APPDATA", appData.c_str());  // the child's
    PROCESS_INFORMATION pi = StartProgram("");
    SetEnvironmentVariableA("APPDATA", old);
    HWND main = WaitForWindow(pi.dwProcessId);
    PostMessageA(main, WM_COMMAND, IDM_TOOLS, 0);
    HWND tools = WaitForWindow(pi.dwProcessId, "#32770", "Runner's Tools");
    if (tools) {
        kept.page = (int)SendMessageA(GetDlgItem(tools, IDC_TOOLS_TABS), TCM_GETCURSEL, 0, 0);
        for (HWND page = GetWindow(tools, GW_CHILD); page; page = GetWindow(page, GW_HWNDNEXT))
            if (IsWindowVisible(page) && GetDlgItem(page, IDC_AGE)) {
                char age[16] = "";  // another process's field answers only WM_GETTEXT
                SendMessageA(GetDlgItem(page, IDC_AGE), WM_GETTEXT, sizeof age, (LPARAM)age);
                kept.age = age;
            }
        PostMessageA(tools, WM_COMMAND, IDCANCEL, 0);
        for (int tries = 0; tries < 100 && IsWindow(tools); tries++)
            Sleep(50);
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 20000);
    GetExitCodeProcess(pi.hProcess, &kept.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return kept;
}

std::string FileText(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A damaged file gives the defaults and is written anew; a folder that is
// not there yet is made; a read-only file is read and left as it is.
TEST(ToolsMemory, DamagedMissingAndReadOnlyFiles)
{
    if (!getenv("VELTO_EXE"))
        GTEST_SKIP() << "VELTO_EXE not set";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string appData = std::string(temp) + "velto-memory", folder = appData + "\\Velto", ini = folder + "\\velto.ini";
    CreateDirectoryA(appData.c_str(), NULL);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(ini.c_str());
    RemoveDirectoryA(folder.c_str());

    Kept missing = StartWithToolsFile(appData);  // no folder yet
    EXPECT_EQ(missing.page, PAGE_PLAN);
    EXPECT_EQ(missing.exitCode, 0u);
    ToolsState state;
    EXPECT_TRUE(ReadSettings(FileText(ini).c_str(), &state));

    std::ofstream(ini, std::ios::binary) << "[Velto tools]\r\nversion=1\r\npage=\x01\x02\xff\r\n\xff\xfe garbage";
    Kept damaged = StartWithToolsFile(appData);
    EXPECT_EQ(damaged.page, PAGE_PLAN);
    EXPECT_EQ(damaged.exitCode, 0u);
    EXPECT_TRUE(ReadSettings(FileText(ini).c_str(), &state));  // written whole again

    std::string own = "[Velto tools]\r\nversion=1\r\npage=4\r\nage=57\r\nsex=woman\r\n";
    std::ofstream(ini, std::ios::binary) << own;
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    Kept readOnly = StartWithToolsFile(appData);
    EXPECT_EQ(readOnly.page, PAGE_AGE_GRADE);
    EXPECT_EQ(readOnly.age, "57");
    EXPECT_EQ(readOnly.exitCode, 0u);
    EXPECT_EQ(FileText(ini), own);  // left as it was, and nothing beside it
    EXPECT_EQ(GetFileAttributesA((ini + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
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
