// Race-day plans under Wine: courses read through the real Open dialog, a
// GPX with XmlLite and a CSV, broken files refused with their reason and
// the course before kept; the profile drawn on the page and on the band.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
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

std::string Folder()
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return folder;
}

// The guide's course (data/hill-course.gpx): 10 km, up 100 m and down;
// climb 100 - 0.02 x 300 / 11 = 99.45 m after smoothing. Even effort at
// 100 %: the first 5 km in 27:41.5, give or take 2 s.
TEST_F(Courses, ReadThroughTheDialogAndRefusedWithWhy)
{
    std::string guide = std::string("Z:") + VELTO_GUIDE;
    std::string shipped = guide.substr(0, guide.rfind('/') + 1) + "hill-course.gpx";
    for (char &c : shipped)
        c = c == '/' ? '\\' : c;
    const struct {
        const char *name, *text;
    } files[] = {
        {"", shipped.c_str()},
        {"slope.csv", "km,m\n0,100\n1,120\n"},
        {"text.gpx", "hello, not a course"},
        {"cut.gpx", "<gpx><trk><trkseg><trkpt lat=\"0\" lon=\"0\"><ele>1</ele></trkpt><trkpt lat="},
        {"one.gpx", "<gpx><rte><rtept lat=\"10\" lon=\"20\"><ele>5</ele></rtept></rte></gpx>"},
    };
    std::vector<std::string> paths;
    for (const auto &f : files) {
        std::string path = f.name[0] ? Folder() + f.name : f.text;
        if (f.name[0])
            std::ofstream(path, std::ios::binary) << f.text;
        paths.push_back(path);
    }
    BoxCatcher catcher;
    SendMessageA(hwndDistanceKm, BM_CLICK, 0, 0);
    SendMessageA(hwndSplitKm, BM_CLICK, 0, 0);
    SetWindowTextA(hwndDistanceReadout, "10");
    SetWindowTextA(hwndTimeReadout, "50:00");
    Strings lines;
    std::string first, flat;
    int columns = 0;
    catcher.InDialog([&](HWND tools) {
        HWND page = ToolsPage(tools);
        SetDlgItemTextA(page, IDC_SPLITS_EVERY, "5");
        SetDlgItemTextA(page, IDC_SPLITS_HILL, "100");
        for (const std::string &path : paths) {
            catcher.InDialog([path](HWND open) {
                SetDlgItemTextA(open, 1148, path.c_str());
                SetDlgItemTextA(open, 1152, path.c_str());
                PostMessageA(open, WM_COMMAND, IDOK, 0);
            });
            SendDlgItemMessageA(page, IDC_SPLITS_COURSE, BM_CLICK, 0, 0);
            lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)));
            if (lines.size() == 1) {
                HWND list = GetDlgItem(page, IDC_SPLITS_LIST);
                first = Cell(list, 0, 0) + " " + Cell(list, 0, 1) + " " + Cell(list, 0, 4) + " " + Cell(list, 0, 5);
                columns = (int)SendMessageA((HWND)SendMessageA(list, LVM_GETHEADER, 0, 0), HDM_GETITEMCOUNT, 0, 0);
            }
        }
        SendDlgItemMessageA(page, IDC_SPLITS_NO_COURSE, BM_CLICK, 0, 0);
        lines.push_back(Text(GetDlgItem(page, IDC_SPLITS_COURSE_NOTE)));
        flat = Cell(GetDlgItem(page, IDC_SPLITS_LIST), 0, 1);
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    });
    SendMessageA(hwnd, WM_COMMAND, IDM_SPLITS, 0);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "hill-course.gpx: course 10.00 km in the file, planned over 10.00 km; climb 99 m, descent 99 m, "
                        "0 to 99 m.");
    EXPECT_EQ(columns, 7);
    EXPECT_EQ(first.substr(0, 6), "5 27:4") << first;  // 27:39.5 to 27:43.5
    EXPECT_EQ(first.substr(first.size() - 4), "99 0") << first;
    EXPECT_EQ(lines[1], "slope.csv: course 1.00 km in the file, planned over 10.00 km; climb 20 m, descent 0 m, 100 to "
                        "120 m. It is 90 % shorter than the plan: is it the right course?");
    for (size_t k = 2; k < 5; k++) {
        std::string name = files[k].name;
        EXPECT_EQ(lines[k].rfind("slope.csv: course 1.00 km", 0), 0u) << lines[k];  // the course before stays
        EXPECT_NE(lines[k].find(name + " was not taken: "), std::string::npos) << lines[k];
    }
    EXPECT_NE(lines[2].find("not XML, or cut off"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("not XML, or cut off"), std::string::npos) << lines[3];
    EXPECT_NE(lines[4].find("only one place in this course"), std::string::npos) << lines[4];
    EXPECT_EQ(lines[5], "No course: the plan is for flat ground.");
    EXPECT_EQ(flat, "25:00.0");
    EXPECT_TRUE(catcher.boxes().empty());
    for (size_t k = 1; k < paths.size(); k++)
        DeleteFileA(paths[k].c_str());
}

int CALLBACK Records(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM found)
{
    Strings &seen = *reinterpret_cast<Strings *>(found);
    if (record->iType == EMR_POLYGON16 || record->iType == EMR_POLYGON)
        seen.push_back("polygon");
    if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
        const wchar_t *chars =
            reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) + text->emrtext.offString);
        std::string s(chars, chars + text->emrtext.nChars);
        if (s.find(" m") != std::string::npos || s.find("effort") != std::string::npos)
            seen.push_back(s);
    }
    return 1;
}

// The profile on the page and at the head of the band: its area, its
// heights labelled; the band's rows with their climb and effort pace.
TEST(Profile, OnThePageAndOnTheBand)
{
    CourseBuilder builder;
    BeginCourse(&builder);
    AddDistancePoint(&builder, 0, 0);
    AddDistancePoint(&builder, 5000, 100);
    AddDistancePoint(&builder, 10000, 0);
    static Course course;
    ASSERT_TRUE(FinishCourse(&builder, "hill", &course));
    SplitTable table;
    static HillPlan hills;
    ASSERT_TRUE(PlanSplitTable(10000, 3000, UNIT_KM, 0, 0, 3, &table));
    ASSERT_TRUE(SetSplitPoints(&table, 5, false));
    PlanOverCourse(course, 0.5L, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    Strings page, band;
    HDC emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    RECT area = {0, 0, 400, 80};
    DrawProfile(emf, area, course, &table, 0, false);
    HENHMETAFILE picture = CloseEnhMetaFile(emf);
    EnumEnhMetaFile(NULL, picture, Records, &page, NULL);
    DeleteEnhMetaFile(picture);
    EXPECT_EQ(page, (Strings{"99 m", "0 m", "polygon", "polygon"}));  // the course, and the first row's stretch
    emf = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    RECT a4 = {0, 0, 2480, 3508};
    DrawPaceBand(emf, a4, table, "10.00 Km. in 50:00.0, even pace", 0);
    picture = CloseEnhMetaFile(emf);
    EnumEnhMetaFile(NULL, picture, Records, &band, NULL);
    DeleteEnhMetaFile(picture);
    ASSERT_GE(band.size(), 5u);
    EXPECT_EQ(Strings(band.begin(), band.begin() + 3), (Strings{"99 m", "0 m", "polygon"}));
    EXPECT_EQ(band[3].rfind("+99 -0, effort ", 0), 0u) << band[3];
}

}  // namespace
