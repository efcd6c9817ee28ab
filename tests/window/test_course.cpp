// Race-day plans under Wine: courses read through the real Open dialog, a
// CSV, and broken files refused with their reason, the course before kept;
// plan files that name themselves only while they are what is shown.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"
#include "ui/files.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

class Courses : public MainWindow {
protected:
    std::string folder;
    void SetUp() override
    {
        MainWindow::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder = temp;
        SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
        SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
        SetWindowTextA(hwndDistanceReadout, "10");
        SetWindowTextA(hwndTimeReadout, "50:00");
    }
};

// The guide's example 13 reads its GPX through the dialog; here a CSV, one
// from 5 km in its file, the waypoints of a file with no track, and broken
// files refused with why on a line of their own, the course before staying.
TEST_F(Courses, ReadThroughTheDialogAndRefusedWithWhy)
{
    const char *const files[][3] = {
        {"slope.csv", "km,m\n0,100\n1,120\n", ""},
        {"text.gpx", "hello, not a course", "text.gpx was not taken: not XML, or cut off, at line 1."},
        {"cut.gpx", "<gpx><trk><trkseg><trkpt lat=\"0\" lon=\"0\"><ele>1</ele></trkpt><trkpt lat=", "cut.gpx was not taken: not XML"},
        {"one.gpx", "<gpx><rte><rtept lat=\"10\" lon=\"20\"><ele>5</ele></rtept></rte></gpx>",
         "one.gpx was not taken: only one place in this course: no way to run. The course before stays."},
        {"dtd.gpx", "<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"b\">]><gpx/>",
         "dtd.gpx was not taken: it has a DTD, which a course does not need: not read. The course before stays."},
        {"later.csv", "km,m\n5,100\n6,110\n", ""},
        {"marks.gpx", "<gpx><wpt lat=\"0\" lon=\"0\"><ele>10</ele><name>start</name></wpt><wpt lat=\"0\" lon=\"0.01\">"
                      "<ele>30</ele></wpt><wpt lat=\"0\" lon=\"0.02\"><ele>10</ele></wpt></gpx>", ""},
        {"held.csv", "km,m\n0,1\n1,2\n", "held.csv was not taken: the file could not be read: "},
    };
    BoxCatcher catcher;
    Strings lines;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        for (const auto &file : files) {
            std::string path = folder + file[0];
            std::ofstream(path, std::ios::binary) << file[1];
            HANDLE held = file[2][0] == 'h' ? CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)
                                            : INVALID_HANDLE_VALUE;  // another program has it, for itself
            catcher.InDialog(ChooseFileScript(path));
            SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
            if (held != INVALID_HANDLE_VALUE)
                CloseHandle(held);
            lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)) + "|" +
                            Text(GetDlgItem(page, IDC_SPLITS_FILE_NOTE)));
            DeleteFileA(path.c_str());
        }
        SendDlgItemMessageA(page, IDC_SPLITS_NO_COURSE, BM_CLICK, 0, 0);
        lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)));
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_COMMAND, IDM_SPLITS, 0);
    ASSERT_EQ(lines.size(), 9u);
    std::string slope = "slope.csv: course 1.00 km in the file, planned over 10.00 km; climb 20 m, descent 0 m, 100 to "
                        "120 m. It is 90 % shorter than the plan: is it the right course?";
    EXPECT_EQ(lines[0], slope + "|");
    for (size_t k = 1; k < 5; k++)  // the course before stays, and its own line says why not the new one
        EXPECT_EQ(lines[k].rfind(slope + "|" + files[k][2], 0), 0u) << lines[k];
    EXPECT_EQ(lines[5].substr(0, 55), "later.csv: course 1.00 km from 5.00 km in the file, pla");
    EXPECT_NE(lines[6].find("climb 20 m, descent 20 m, 10 to 30 m. Read from its 3 waypoints: no track or route."),
              std::string::npos) << lines[6];
    EXPECT_NE(lines[7].find(std::string("|") + files[7][2]), std::string::npos) << lines[7];
    EXPECT_EQ(lines[8], "No course: the plan is for flat ground.");
    EXPECT_TRUE(catcher.boxes().empty());
}

// XmlLite reads a stream of exactly the file's bytes: no terminating NUL,
// no rounding of a memory block.
TEST(CourseFiles, TheXmlStreamIsTheFileExactly)
{
    for (std::string bytes : {std::string("<gpx/>"), std::string(12345, 'x'), std::string()}) {
        IStream *stream = ByteStream(bytes);
        ASSERT_TRUE(stream != NULL);
        STATSTG stat = {};
        ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
        EXPECT_EQ(stat.cbSize.QuadPart, bytes.size());
        stream->Release();
    }
}

// Every letter a page underlines is its own among the page's and the
// window's, and Alt with it reaches the control its label stands before.
TEST_F(Courses, MnemonicsAreUniqueAndReachTheirControl)
{
    BoxCatcher catcher;
    Strings wrong;
    for (int id : {IDM_PACE_PLAN, IDM_SPLITS, IDM_PREDICTION, IDM_TRAINING, IDM_AGE_GRADE}) {
        catcher.InDialog([&](HWND tools) {
            HWND page = ToolsPage(tools);
            std::string seen;
            for (HWND parent : {tools, page})
                for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                    std::string text = Text(child);
                    size_t amp = text.find('&');
                    if (child == page || amp == std::string::npos || amp + 1 >= text.size())
                        continue;
                    char letter = (char)tolower((unsigned char)text[amp + 1]);
                    if (seen.find(letter) != std::string::npos)
                        wrong.push_back(std::to_string(id) + ": " + text + " shares its letter");
                    seen += letter;
                    char name[16];
                    GetClassNameA(child, name, sizeof name);
                    LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK;
                    bool label = !_stricmp(name, "Static"), choice = !_stricmp(name, "Button") &&
                                 (style == BS_AUTORADIOBUTTON || style == BS_AUTOCHECKBOX);
                    if (!label && !choice)
                        continue;  // a push button would act: its letter is checked above
                    SetFocus(GetDlgItem(tools, IDCANCEL));
                    MSG alt = {GetFocus(), WM_SYSCHAR, (WPARAM)letter, 1 << 29, 0, {0, 0}};
                    IsDialogMessageA(tools, &alt);
                    HWND want = label ? GetWindow(child, GW_HWNDNEXT) : child;
                    if (GetFocus() != want)
                        wrong.push_back(std::to_string(id) + ": Alt+" + letter + " of " + text + " goes to " +
                                        Text(GetFocus()));
                }
            SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(hwnd, WM_COMMAND, id, 0);
    }
    EXPECT_EQ(wrong, Strings{});
}

// A plan file names the window while it is what is shown, and "(changed)"
// once it is not; Save then proposes a name of the course and plan, and
// after its "Replace?" the keyboard is back on the button. The course is
// kept for the next start; closing Velto asks for a changed plan's changes.
TEST_F(Courses, PlanFilesNameThemselvesOnlyWhileShown)
{
    std::string course = folder + "hill.csv", plan = folder + "race.veltoplan";
    std::ofstream(course, std::ios::binary) << "km,m\n0,0\n5,100\n10,0\n";
    std::ofstream(plan, std::ios::binary) << "an older plan";
    SetFileAttributesA(plan.c_str(), FILE_ATTRIBUTE_HIDDEN);  // the user's: kept by the save that replaces it
    BoxCatcher catcher;
    Strings seen;
    std::string proposed;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        catcher.InDialog(ChooseFileScript(course));
        SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
        catcher.InDialog([&](HWND save) {
            catcher.InDialog([](HWND replace) { PostMessageA(replace, WM_COMMAND, IDYES, 0); });
            ChooseFileScript(plan)(save);
        });
        HWND button = GetDlgItem(page, IDC_SPLITS_SAVE_PLAN);
        SetFocus(button);
        SendMessageA(button, BM_CLICK, 0, 0);
        seen.push_back(Text(tools) + (GetFocus() == button ? " focus" : " lost"));
        SetDlgItemTextA(page, IDC_SPLITS_HILL, "60");
        seen.push_back(Text(tools));
        SetDlgItemTextA(page, IDC_SPLITS_HILL, "50");
        seen.push_back(Text(tools));
        SendDlgItemMessageA(page, IDC_SPLITS_NO_COURSE, BM_CLICK, 0, 0);
        seen.push_back(Text(tools));
        catcher.InDialog([&](HWND save) {
            char name[MAX_PATH] = "";
            GetDlgItemTextA(save, 1148, name, sizeof name);
            GetDlgItemTextA(save, 1152, name + strlen(name), (int)(sizeof name - strlen(name)));
            proposed = name;
            PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(button, BM_CLICK, 0, 0);
        catcher.InDialog(ChooseFileScript(course));
        SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_COMMAND, IDM_SPLITS, 0);
    EXPECT_EQ(seen, (Strings{"Runner's Tools: race.veltoplan focus", "Runner's Tools: race.veltoplan (changed)",
                             "Runner's Tools: race.veltoplan", "Runner's Tools: race.veltoplan (changed)"}));
    EXPECT_NE(proposed.find("10 km in 50-00.veltoplan"), std::string::npos) << proposed;
    std::stringstream text;
    text << std::ifstream(plan, std::ios::binary).rdbuf();
    EXPECT_EQ(text.str().rfind("Velto plan 2\r\n", 0), 0u);
    EXPECT_TRUE(GetFileAttributesA(plan.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    // The plan open is not the plan shown: closing Velto asks, and Cancel stays.
    std::string question;
    catcher.InDialog([&](HWND box) {
        question = Text(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(question, "The plan race.veltoplan has changed since it was opened or saved. Save it?");
    // A new start: the course is there again, and no plan file open.
    ToolsDefaults();
    std::string line;
    catcher.InDialog([&](HWND tools) {
        line = Text(GetDlgItem(ToolsPage(tools), IDC_SPLITS_COURSE_NOTE)) + "|" + Text(tools);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_COMMAND, IDM_SPLITS, 0);
    EXPECT_EQ(line.substr(0, 35), "hill.csv: course 10.00 km in the fi");
    EXPECT_EQ(line.substr(line.find('|')), "|Runner's Tools");
    DeleteFileA(course.c_str());
    SetFileAttributesA(plan.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(plan.c_str());
    EXPECT_TRUE(catcher.boxes().empty());
}

// What Garmin's FIT SDK must read in a file exported (check_fit.mjs): for
// the course its records and ends, its length and time, and a course point
// a row of the table, named and timed as the row shows.
std::string Expected(HWND list, int records)
{
    std::string json = "{\"type\": \"course\", \"records\": " + std::to_string(records) +
                       ", \"first\": [0, 0], \"last\": [0, 0.089831528], \"distance\": 10000, \"seconds\": 3000, "
                       "\"points\": [";
    for (int row = 0; row < (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); row++) {
        std::string at = Cell(list, row, 1), station = Cell(list, row, 7);
        long double seconds = 0;
        ReadClock(at.c_str(), &seconds);
        char point[200];
        snprintf(point, sizeof point, "%s{\"name\": \"%s\", \"type\": \"%s\", \"seconds\": %.1Lf, \"distance\": %s}",
                 row ? ", " : "", station.empty() ? (Cell(list, row, 0) + " km " + at.substr(0, at.find('.'))).c_str()
                                                  : station.c_str(),
                 station.empty() ? "generic" : "water", seconds,
                 std::to_string(strtod(Cell(list, row, 0).c_str(), NULL) * 1000).c_str());
        json += point;
    }
    return json + "]}\n";
}

// The plan of the guide's hill to a watch through the real Save dialog: a
// FIT course (decoded by Garmin's SDK after this run) and a timed GPX that
// Velto reads again as the same course; without a course the workout
// alone, 10 km at 5:00 a km give or take 5 s (1000 / 305 to 1000 / 295 m/s).
TEST_F(Courses, ExportedForAWatch)
{
    std::string guide = std::string("Z:") + VELTO_GUIDE, hill = guide.substr(0, guide.rfind('/') + 1) + "hill-course.gpx";
    std::replace(hill.begin(), hill.end(), '/', '\\');
    const char *exports = getenv("VELTO_EXPORTS");
    std::string out = exports ? WindowsPath(exports) + "\\" : folder;
    for (const char *name : {"hill.fit", "hill.gpx", "flat-workout.fit"})
        DeleteFileA((out + name).c_str());  // of a run before: no "Replace?" to answer
    BoxCatcher catcher;
    Strings lines;
    std::string json, types;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        SetDlgItemTextA(page, IDC_SPLITS_EVERY, "1");
        SetDlgItemTextA(page, IDC_SPLITS_START, "09:00");
        catcher.InDialog(ChooseFileScript(hill));
        SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
        for (int type : {0, 2}) {
            catcher.InDialog(ChooseFileScript(out + (type ? "hill.gpx" : "hill.fit")));  // a .gpx is a GPX
            SendDlgItemMessageA(page, IDC_SPLITS_EXPORT, BM_CLICK, 0, 0);
            lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_FILE_NOTE)));
        }
        json = Expected(GetDlgItem(page, IDC_SPLITS_LIST), 101);
        catcher.InDialog(ChooseFileScript(out + "hill.gpx"));  // Velto reads what it wrote
        SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
        lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)));
        SendDlgItemMessageA(page, IDC_SPLITS_NO_COURSE, BM_CLICK, 0, 0);
        catcher.InDialog([&](HWND save) {
            types = std::to_string(SendDlgItemMessageA(save, 1136, CB_GETCOUNT, 0, 0));
            ChooseFileScript(out + "flat-workout.fit")(save);
        });
        SendDlgItemMessageA(page, IDC_SPLITS_EXPORT, BM_CLICK, 0, 0);
        lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_FILE_NOTE)));
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_COMMAND, IDM_SPLITS, 0);
    std::ofstream(out + "hill.json", std::ios::binary) << json;
    std::string steps;
    for (int k = 1; k <= 10; k++)
        steps += std::string(k > 1 ? ", " : "") + "{\"name\": \"" + std::to_string(k) + " km\", \"metres\": 1000, \"low\": " +
                 std::to_string(1000.0 / 305) + ", \"high\": " + std::to_string(1000.0 / 295) + "}";
    std::ofstream(out + "flat-workout.json", std::ios::binary) << "{\"type\": \"workout\", \"steps\": [" << steps << "]}\n";
    EXPECT_EQ(lines, (Strings{"Written: hill.fit, a FIT course of 101 points, with 10 splits and 2 stations.",
                              "Written: hill.gpx, a GPX of 101 timed points and 2 stations.",
                              "hill.gpx: course 10.00 km in the file, planned over 10.00 km; climb 99 m, descent 99 m, "
                              "0 to 99 m. 2 stations.",
                              "Written: flat-workout.fit, a FIT workout of 10 steps. Without a course only the workout "
                              "goes to a watch: choose one with Course ..."}));
    EXPECT_EQ(types, "1");  // only the workout offered
    EXPECT_TRUE(catcher.boxes().empty());
}

}  // namespace
