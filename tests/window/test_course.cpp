// Race-day plans under Wine: courses read through the real Open dialog, a
// CSV, and broken files refused with their reason, the course before kept.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <fstream>
#include <string>
#include <vector>

#include "harness.h"
#include "ui/resource.h"
#include "ui/tools.h"
#include "ui/velto.h"

namespace {

using Strings = std::vector<std::string>;

class Courses : public MainWindow {};

// The guide's example 13 reads its GPX through the dialog; here a CSV, and
// broken files refused with why while the course before stays.
TEST_F(Courses, ReadThroughTheDialogAndRefusedWithWhy)
{
    const char *const files[][2] = {
        {"slope.csv", "km,m\n0,100\n1,120\n"},
        {"text.gpx", "hello, not a course"},
        {"cut.gpx", "<gpx><trk><trkseg><trkpt lat=\"0\" lon=\"0\"><ele>1</ele></trkpt><trkpt lat="},
        {"one.gpx", "<gpx><rte><rtept lat=\"10\" lon=\"20\"><ele>5</ele></rtept></rte></gpx>"},
    };
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "10");
    SetWindowTextA(hwndTimeReadout, "50:00");
    Strings lines;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        for (const auto &file : files) {
            std::string path = std::string(folder) + file[0];
            std::ofstream(path, std::ios::binary) << file[1];
            catcher.InDialog(ChooseFileScript(path));
            SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
            lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)));
            DeleteFileA(path.c_str());
        }
        SendDlgItemMessageA(page, IDC_SPLITS_NO_COURSE, BM_CLICK, 0, 0);
        lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)));
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_COMMAND, IDM_SPLITS, 0);
    ASSERT_EQ(lines.size(), 5u);
    std::string slope = "slope.csv: course 1.00 km in the file, planned over 10.00 km; climb 20 m, descent 0 m, 100 to "
                        "120 m. It is 90 % shorter than the plan: is it the right course?";
    EXPECT_EQ(lines[0], slope);
    const char *const why[3] = {"not XML, or cut off", "not XML, or cut off", "only one place in this course"};
    for (size_t k = 1; k < 4; k++)  // the course before stays, and the line says why not the new one
        EXPECT_EQ(lines[k].rfind(slope + " " + files[k][0] + " was not taken: " + why[k - 1], 0), 0u) << lines[k];
    EXPECT_EQ(lines[4], "No course: the plan is for flat ground.");
    EXPECT_TRUE(catcher.boxes().empty());
}

}  // namespace
