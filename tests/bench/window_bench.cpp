// Velto against floors built and run the same way, in the same run:
//   window_bench drag            20,000 thumb drags on the real window and on
//                                a floor window that makes only the platform
//                                calls one drag needs
//   window_bench startup A B     start-up time and peak memory of program A
//                                (velto.exe, less its 3 s logo) and B (minimal)
//   window_bench tools F M       the runner's tools opened on a split table of
//                                10,000 rows, to their first painting, against
//                                the floor's first F and median M (ms)
//   window_bench course          a 100 km track of 100,000 points read; the
//                                Splits page planned and redrawn over it
//                                after a change of hill effort
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "opening.h"
#include "model/pacemodel.h"
#include "model/watchfiles.h"
#include "ui/files.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"


static HWND floorPace, floorTime, floorDistance, floorBar, floorOther;

// One drag message as the text asks for it, without the calculator: the
// thumb, the three readouts, the two thumbs the read-back places, a redraw.
static LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_HSCROLL) {
        int p = HIWORD(wParam);
        SetScrollPos((HWND)lParam, SB_CTL, p, TRUE);
        SetWindowTextA(floorPace, p % 2 ? "6:26.2 /Mile" : "6:27.1 /Mile");
        SetWindowTextA(floorTime, p % 2 ? "40:00.0" : "40:01.0");
        SetWindowTextA(floorDistance, p % 2 ? "6.21 Mi." : "6.20 Mi.");
        SetScrollPos(floorOther, SB_CTL, p / 2, TRUE);
        SetScrollPos(floorBar, SB_CTL, p, TRUE);
        UpdateWindow(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

static HWND MakeFloor(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Floor";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, "Floor", "Floor", WS_OVERLAPPEDWINDOW, 50, 100, 636, 212, NULL, NULL, instance, NULL);
    DWORD edit = WS_CHILD | WS_VISIBLE, bar = WS_CHILD | WS_VISIBLE | SBS_HORZ;
    floorTime = CreateWindowExA(0, "edit", "", edit, 132, 10, 104, 16, hwnd, (HMENU)8, instance, NULL);
    floorDistance = CreateWindowExA(0, "edit", "", edit, 132, 39, 104, 16, hwnd, (HMENU)9, instance, NULL);
    floorPace = CreateWindowExA(0, "edit", "", edit, 132, 68, 104, 16, hwnd, (HMENU)10, instance, NULL);
    floorBar = CreateWindowExA(0, "scrollbar", NULL, bar, 132, 97, 486, 16, hwnd, (HMENU)1, instance, NULL);
    floorOther = CreateWindowExA(0, "scrollbar", NULL, bar, 132, 126, 486, 16, hwnd, (HMENU)2, instance, NULL);
    SetScrollRange(floorBar, SB_CTL, 0, 486, TRUE);
    SetScrollRange(floorOther, SB_CTL, 0, 486, TRUE);
    return hwnd;
}

static double Drags(HWND target, HWND bar, int count)
{
    auto start = Clock::now();
    for (int n = 0; n < count; n++)
        SendMessageA(target, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, (n * 7) % 487), (LPARAM)bar);
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

static void Drag(bool visible, int rounds, int perRound)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND velto = StartVelto(instance), floor = MakeFloor(instance);
    ShowWindow(velto, visible ? SW_SHOWNORMAL : SW_HIDE);
    ShowWindow(floor, visible ? SW_SHOWNORMAL : SW_HIDE);
    SendMessageA(velto, WM_SIZE, 0, MAKELPARAM(628, 167));  // bars of 486, as the floor's
    double real = 0, base = 0;
    for (int r = 0; r < rounds; r++) {  // interleaved, so that drift falls on both
        real += Drags(velto, hwndDistanceScroll, perRound);
        base += Drags(floor, floorBar, perRound);
    }
    printf("| drag, %s, %d messages | %.0f us | %.0f us | %.2f | |\n", visible ? "shown" : "hidden", rounds * perRound,
           real / rounds, base / rounds, real / base);
    DestroyWindow(velto);
    DestroyWindow(floor);
    UnregisterClassA("Velto", instance);
    UnregisterClassA("Floor", instance);
}

struct Start {
    double ms;
    SIZE_T peak;
};

// Started in the folder of Velto, whose chime both play.
static Start Run(const char *program, const char *arguments, const char *folder, const char *className, bool logo)
{
    char command[2 * MAX_PATH];
    snprintf(command, sizeof command, "\"%s\" %s", program, arguments);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    auto start = Clock::now();
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, folder, &si, &pi))
        return {-1, 0};
    HWND shown = NULL;
    while (!shown && std::chrono::duration<double>(Clock::now() - start).count() < 30) {
        HWND w = NULL;
        while ((w = FindWindowExA(NULL, w, className, NULL)) != NULL) {
            DWORD owner;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pi.dwProcessId && IsWindowVisible(w))
                shown = w;
        }
        if (!shown)
            Sleep(1);
    }
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count() - (logo ? 3000 : 0);
    Sleep(300);  // settled
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters);
    PostMessageA(shown, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 20000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return {ms, counters.PeakWorkingSetSize};
}

static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Opening the tools on 10,000 rows (1242 miles of 200 m laps), to their
// first painting (opening.h); then closed.
// The floor's figures (tools_floor.exe, run just before) give the ratio.
static void ToolsOpen(double floorFirst, double floorMedian)
{
    HWND velto = StartVelto(GetModuleHandleA(NULL));
    ShowWindow(velto, SW_SHOWNORMAL);
    UpdateWindow(velto);
    // As the program does once its window is up: the controls load then,
    // not at the first opening.
    Clock::time_point start = Clock::now();
    PrepareTools();
    double prepared = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::vector<double> times;
    for (int n = 0; n < 6; n++) {
        ToolsDefaults();
        snprintf(tools.time, sizeof tools.time, "%s", "100:00:00");
        snprintf(tools.distance, sizeof tools.distance, "%s", "1242");
        tools.splitUnit = UNIT_200M;
        times.push_back(TimeOpening([velto] { SendMessageA(velto, WM_COMMAND, IDM_SPLITS, 0); }));
    }
    double median = Median(std::vector<double>(times.begin() + 1, times.end()));
    printf("| tools opened on 10,000 split rows, to the first painting: first, median of 5 (the controls loaded "
           "before, once the window is up: %.0f ms) | %.0f ms, %.0f ms | %.0f ms, %.0f ms | %.2f, %.2f | |\n",
           prepared, times[0], median, floorFirst, floorMedian, times[0] / floorFirst, median / floorMedian);
    DestroyWindow(velto);
}


// A GPX of 100,000 points over 100 km along the equator, rolling hills.
static void WriteTrack(const char *path)
{
    FILE *file = fopen(path, "wb");
    fputs("<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>\n", file);
    for (int k = 0; k < 100000; k++)
        fprintf(file, "<trkpt lat=\"0\" lon=\"%.8f\"><ele>%.1f</ele></trkpt>\n", k * 1.0000001 / 111319.491,
                50 + 40 * sin(k / 1500.0));
    fputs("</trkseg></trk></gpx>\n", file);
    fclose(file);
}

static double redrawMs[5], resizeMs[5];

static void CALLBACK Redraw(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND tools = GetActiveWindow();
    if (!tools || !IsWindowVisible(tools))
        return;
    KillTimer(NULL, timer);
    HWND page = FindWindowExA(tools, NULL, "#32770", NULL);  // the Splits page, the only one made
    for (int k = 0; k < 5; k++) {
        Clock::time_point start = Clock::now();
        SetDlgItemTextA(page, IDC_SPLITS_HILL, k % 2 ? "40" : "60");
        RedrawWindow(tools, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        redrawMs[k] = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    // The window dragged larger and smaller: laid out and painted again.
    RECT made;
    GetWindowRect(tools, &made);
    for (int k = 0; k < 5; k++) {
        Clock::time_point start = Clock::now();
        int grow = k % 2 ? 0 : 300;
        SetWindowPos(tools, NULL, 0, 0, made.right - made.left + grow, made.bottom - made.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER);
        RedrawWindow(tools, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        resizeMs[k] = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    PostMessageA(tools, WM_COMMAND, IDCANCEL, 0);
}

// The three files for a watch of the course open, 100 km by the km at even
// effort, made and written: the milliseconds it all took, median of 3.
static double Export(const char *folder)
{
    static SplitTable table;
    static HillPlan hills;
    const Course *course = ToolsCourse();
    PlanSplitTable(100000, 32400, UNIT_KM, 0, 0, 3, &table);
    PlanOverCourse(*course, 0.5L, table.metres, table.seconds, table.a, table.b, &hills);
    table.hills = &hills;
    WatchPlan plan = {&table, course, &course->stations, 1780290000, "bench", UNIT_KM, 5};
    std::vector<double> times;
    for (int n = 0; n < 3; n++) {
        Clock::time_point start = Clock::now();
        std::string bytes;
        size_t count;
        char why[160], path[MAX_PATH];
        for (int kind = 0; kind < 3; kind++) {
            bool made = kind == 0 ? FitCourseFile(plan, &bytes, &count, why, sizeof why)
                        : kind == 1 ? FitWorkoutFile(plan, &bytes, &count, why, sizeof why)
                                    : TimedGpxFile(plan, &bytes, why, sizeof why);
            snprintf(path, sizeof path, "%svelto-bench-%d", folder, kind);
            if (made)
                WriteWhole(path, bytes.data(), bytes.size());
            DeleteFileA(path);
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(times);
}

static void CourseOpen()
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    snprintf(path, sizeof path, "%svelto-bench-track.gpx", folder);
    WriteTrack(path);
    HWND velto = StartVelto(GetModuleHandleA(NULL));
    ShowWindow(velto, SW_SHOWNORMAL);
    PrepareTools();
    ToolsDefaults();
    snprintf(tools.time, sizeof tools.time, "%s", "9:00:00");
    snprintf(tools.distance, sizeof tools.distance, "%s", "100");
    tools.distanceUnit = tools.splitUnit = UNIT_KM;
    std::vector<double> opens;  // the plan over it is made as the page shows, timed below
    char why[256];
    for (int n = 0; n < 3; n++) {
        Clock::time_point start = Clock::now();
        TakeCourseFile(path, why, sizeof why);
        opens.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    whenOpen = Redraw;
    TimeOpening([velto] { SendMessageA(velto, WM_COMMAND, IDM_SPLITS, 0); });
    printf("| a 100 km track of 100,000 points read, median of 3 | %.0f ms | | | |\n", Median(opens));
    printf("| the Splits page planned and redrawn over it after a change of hill effort, median of 5 | %.1f ms | | | |\n",
           Median(std::vector<double>(redrawMs, redrawMs + 5)));
    printf("| the tools window resized over it, laid out and redrawn, median of 5 | %.1f ms | | | |\n",
           Median(std::vector<double>(resizeMs, resizeMs + 5)));
    printf("| the FIT course, FIT workout and GPX of it by the km, made and written, median of 3 | %.0f ms | | | |\n",
           Export(folder));
    DestroyWindow(velto);
    DeleteFileA(path);
}

// The tools' kept entries and course in a folder of the run's own: what a
// session in the same prefix kept (the pictures' 10 km hill, say) would
// otherwise be opened and measured instead of the bench's own course.
static void OwnSettings()
{
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof folder, folder);
    snprintf(folder + n, sizeof folder - n, "velto-bench-%lu", GetCurrentProcessId());
    CreateDirectoryA(folder, NULL);
    SetEnvironmentVariableA("APPDATA", folder);
}

int main(int argc, char **argv)
{
    OwnSettings();
    if (argc == 2 && strcmp(argv[1], "course") == 0) {
        CourseOpen();
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "drag") == 0) {
        Drag(false, 4, 5000);
        Drag(true, 4, 250);
        return 0;
    }
    if (argc == 4 && strcmp(argv[1], "tools") == 0) {
        ToolsOpen(atof(argv[2]), atof(argv[3]));
        return 0;
    }
    if (argc == 6 && strcmp(argv[1], "startup") == 0) {
        std::vector<double> vStart, mStart, sStart, tStart, vPeak, mPeak, sPeak, tPeak;
        for (int n = 0; n < 5; n++) {
            Start t = Run(argv[5], "", argv[4], "Minimal", false);
            tStart.push_back(t.ms);
            tPeak.push_back(t.peak / 1048576.0);
            Start v = Run(argv[2], "", argv[4], "Velto", true), m = Run(argv[3], "", argv[4], "Minimal", false),
                  s = Run(argv[3], "silent", argv[4], "Minimal", false);
            vStart.push_back(v.ms);
            mStart.push_back(m.ms);
            sStart.push_back(s.ms);
            vPeak.push_back(v.peak / 1048576.0);
            mPeak.push_back(m.peak / 1048576.0);
            sPeak.push_back(s.peak / 1048576.0);
        }
        printf("| start-up to the window shown, less the 3 s logo, median of 5 | %.0f ms | %.0f ms | %+.0f ms | "
               "%.0f ms |\n",
               Median(vStart), Median(mStart), Median(vStart) - Median(mStart), Median(sStart));
        printf("| peak working set, median of 5 | %.1f MiB | %.1f MiB | %.2f | %.1f MiB |\n", Median(vPeak),
               Median(mPeak), Median(vPeak) / Median(mPeak), Median(sPeak));
        printf("| the same against the floor with Velto's manifest and one button | %.0f ms, %.1f MiB | %.0f ms, "
               "%.1f MiB | %+.0f ms, %.2f | |\n",
               Median(vStart), Median(vPeak), Median(tStart), Median(tPeak), Median(vStart) - Median(tStart),
               Median(vPeak) / Median(tPeak));
        return 0;
    }
    printf("usage: window_bench drag | window_bench tools | window_bench course | window_bench startup VELTO MINIMAL FOLDER MINIMAL_THEMED\n");
    return 2;
}
