// The race-day plan of the Splits page: the course it is run over, chosen
// from a GPX or CSV file, and the plan kept as a file of its own. The
// window's title names the plan file while what it shows is that plan.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "model/planfile.h"
#include "ui/files.h"
#include "ui/tools/tools.h"
#include "ui/velto.h"

static Course course, loading;  // the one planned over, and one being read
static bool bCourse;
static int iCourseChange;       // counts the changes of course, to tell one plan from another
static char szPlanPath[MAX_PATH];  // the plan file open or saved last, or ""
static std::string planEntries;    // its entries, as written, when it was opened or saved
static int iPlanCourse;            // and the course then

// A plan file of a profile at its finest is some 400 KB.
static const unsigned long long PLAN_FILE_MAX = 4ULL * 1024 * 1024;

FARPROC CommonDialog(const char *name)
{
    return SystemFunction(L"comdlg32.dll", name);
}

bool ChooseFile(HWND hPage, bool save, const char *filter, const char *extension, char *path, size_t size,
                int *filterIndex)
{
    auto dialog = reinterpret_cast<BOOL(WINAPI *)(OPENFILENAMEA *)>(
        reinterpret_cast<void *>(CommonDialog(save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetAncestor(hPage, GA_ROOT);
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = (DWORD)size;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    ofn.nFilterIndex = filterIndex ? (DWORD)*filterIndex : 1;
    HWND button = GetFocus();
    bool chosen = dialog && dialog(&ofn);
    if (chosen && filterIndex)
        *filterIndex = (int)ofn.nFilterIndex;
    // The keyboard back on the button that opened it, as after any dialog
    // (after "Replace?" it would stay nowhere).
    if (button && IsWindow(button))
        SetFocus(button);
    return chosen;
}

const Course *ToolsCourse()
{
    return bCourse ? &course : NULL;
}

void ForgetCourse()
{
    bCourse = false;
    iCourseChange++;
}

static const char *Named(const char *path)
{
    const char *name = strrchr(path, '\\');
    return name ? name + 1 : path;
}

bool ChooseCourse(HWND hPage, char *why, size_t size)
{
    char path[MAX_PATH] = "";
    if (!ChooseFile(hPage, false, "Courses (*.gpx, *.csv)\0*.gpx;*.csv\0All files\0*.*\0", "gpx", path,
                    sizeof path))
        return false;
    return TakeCourseFile(path, why, size);
}

bool TakeCourseFile(const char *path, char *why, size_t size)
{
    char reason[200];
    if (!LoadCourseFile(path, &loading, reason, sizeof reason)) {
        snprintf(why, size, "%s was not taken: %s.%s", Named(path), reason,
                 bCourse ? " The course before stays." : "");
        return false;
    }
    course = loading;
    bCourse = true;
    iCourseChange++;
    return true;
}

// Whether what the tools show is the plan file open, as it was opened or saved.
static bool ShowsOpenPlan()
{
    return szPlanPath[0] && iPlanCourse == iCourseChange && WritePlanFile(tools, NULL) == planEntries;
}

static void OpenPlanIs(const char *path)
{
    snprintf(szPlanPath, sizeof szPlanPath, "%s", path);
    planEntries = WritePlanFile(tools, NULL);
    iPlanCourse = iCourseChange;
}

void TitlePlan(HWND hwndTools)
{
    char title[MAX_PATH + 48] = "Runner's Tools";
    if (szPlanPath[0])
        snprintf(title, sizeof title, "Runner's Tools: %s%s", Named(szPlanPath),
                 ShowsOpenPlan() ? "" : " (changed)");
    char shown[sizeof title];
    GetWindowTextA(hwndTools, shown, sizeof shown);
    if (strcmp(shown, title) != 0)
        SetWindowTextA(hwndTools, title);
}

// A name for a plan that is not the one open, and for its files: from its
// course and its distance and time ("hill-course 10 km in 50-00.veltoplan").
void FreshPlanName(const char *extension, char *path, size_t size)
{
    const Plan plan = ToolsPlan();
    char name[MAX_PATH] = "";
    PlanFileName(plan.metres, plan.seconds, tools.distanceUnit, extension, name, sizeof name);
    char folder[MAX_PATH] = "";
    snprintf(folder, sizeof folder, "%s", szPlanPath);
    char *slash = strrchr(folder, '\\');
    if (slash)
        slash[1] = '\0';  // beside the plan open, where this race's plans are
    else
        folder[0] = '\0';
    char courseName[64] = "";
    if (bCourse) {
        snprintf(courseName, sizeof courseName, "%s", course.name);
        char *dot = strrchr(courseName, '.');
        if (dot)
            *dot = '\0';
    }
    snprintf(path, size, "%s%s%s%s", folder, courseName, courseName[0] ? " " : "", name);
}

static bool WritePlan(HWND owner, const char *path)
{
    std::string text = WritePlanFile(tools, ToolsCourse());
    DWORD error = WriteWhole(path, text.data(), text.size());
    if (error) {
        char reason[256];
        SystemReason(error, reason, sizeof reason);
        myerror("The plan could not be saved as %s: %s.", path, reason);
        return false;
    }
    OpenPlanIs(path);
    TitlePlan(owner);
    return true;
}

void SavePlan(HWND hPage)
{
    char path[MAX_PATH];
    if (ShowsOpenPlan())
        snprintf(path, sizeof path, "%s", szPlanPath);
    else
        FreshPlanName("veltoplan", path, sizeof path);
    if (ChooseFile(hPage, true, "Velto plans (*.veltoplan)\0*.veltoplan\0All files\0*.*\0", "veltoplan", path,
                   sizeof path))
        WritePlan(GetAncestor(hPage, GA_ROOT), path);
}

// A plan's text into the tools: false, with why, when it is none.
static bool TakePlan(const std::string &text, char *why, size_t size)
{
    bool withCourse = false;
    if (!ReadPlanFile(text.data(), text.size(), &tools, &loading, &withCourse, why, size))
        return false;
    bCourse = withCourse;
    if (withCourse)
        course = loading;
    iCourseChange++;
    return true;
}

bool OpenPlan(HWND hPage, char *why, size_t size)
{
    char path[MAX_PATH] = "";
    if (!ChooseFile(hPage, false, "Velto plans (*.veltoplan)\0*.veltoplan\0All files\0*.*\0", "veltoplan", path,
                    sizeof path))
        return false;
    std::string text;
    char reason[200];
    DWORD error = ReadWhole(path, PLAN_FILE_MAX, &text);
    if (error == ERROR_FILE_TOO_LARGE)
        snprintf(reason, sizeof reason, "%s", "it is larger than any plan");
    else if (error) {
        char system[160];
        SystemReason(error, system, sizeof system);
        snprintf(reason, sizeof reason, "the file could not be read: %s", system);
    }
    if (error || !TakePlan(text, reason, sizeof reason)) {
        snprintf(why, size, "%s was not opened: %s. What was open stays.", Named(path), reason);
        return false;
    }
    OpenPlanIs(path);
    TitlePlan(GetAncestor(hPage, GA_ROOT));
    return true;
}

bool ToolsMayClose(HWND hwnd)
{
    if (!szPlanPath[0] || ShowsOpenPlan())
        return true;
    char question[MAX_PATH + 64];
    snprintf(question, sizeof question, "The plan %s has changed since it was opened or saved. Save it?",
             Named(szPlanPath));
    switch (MessageBoxA(hwnd, question, "Velto", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return WritePlan(hwnd, szPlanPath);
    case IDNO:
        return true;
    default:
        return false;
    }
}

// The course is kept beside the tools' entries, so that the next start
// plans over it again: written when it changed, read at the first opening.
static int iKeptCourse;

void ForgetPlan()
{
    bCourse = false;
    szPlanPath[0] = '\0';
    iKeptCourse = ++iCourseChange;
}

void KeepCourse(const char *folder)
{
    if (iKeptCourse == iCourseChange)
        return;
    char path[MAX_PATH + 32];
    snprintf(path, sizeof path, "%s\\course.veltoplan", folder);
    if (!bCourse) {
        DeleteFileA(path);
    } else {
        std::string text = WritePlanFile(tools, &course);
        if (WriteWhole(path, text.data(), text.size()) != 0)
            return;  // tried again at the next closing
    }
    iKeptCourse = iCourseChange;
}

void TakeKeptCourse(const char *folder)
{
    char path[MAX_PATH + 32];
    snprintf(path, sizeof path, "%s\\course.veltoplan", folder);
    std::string text;
    ToolsState entries = tools;  // velto.ini holds the entries; the kept file only the course
    bool withCourse = false;
    char why[160];
    if (ReadWhole(path, PLAN_FILE_MAX, &text) == 0 &&
        ReadPlanFile(text.data(), text.size(), &entries, &loading, &withCourse, why, sizeof why) && withCourse) {
        course = loading;
        bCourse = true;
        iCourseChange++;
    }
    iKeptCourse = iCourseChange;
}
