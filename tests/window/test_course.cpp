// Race-day plans under Wine: courses read through the real Open dialog, a
// GPX with XmlLite and a CSV, broken files refused with their reason and
// the course before kept; the profile drawn on the page and on the band.
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
            catcher.InDialog([path](HWND open) {
                SetDlgItemTextA(open, 1148, path.c_str());
                SetDlgItemTextA(open, 1152, path.c_str());
                PostMessageA(open, WM_COMMAND, IDOK, 0);
            });
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
