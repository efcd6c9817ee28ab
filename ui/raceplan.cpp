// The race-day plan of the Splits page: the course it is run over, chosen
// from a GPX or CSV file, and the plan kept as a file of its own, written
// whole or not at all. Files the tools write go through WriteWhole.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "model/planfile.h"
#include "ui/tools.h"
#include "ui/velto.h"

static Course course, loading;  // the one planned over, and one being read
static bool bCourse;
static char szPlanName[MAX_PATH];  // the plan file open, for the window's title

FARPROC CommonDialog(const char *name)
{
    static HMODULE library;
    if (!library)
        library = LoadLibraryA("comdlg32.dll");
    return library ? GetProcAddress(library, name) : NULL;
}

static BOOL FileDialog(OPENFILENAMEA *ofn, bool save)
{
    auto dialog = reinterpret_cast<BOOL(WINAPI *)(OPENFILENAMEA *)>(
        reinterpret_cast<void *>(CommonDialog(save ? "GetSaveFileNameA" : "GetOpenFileNameA")));
    return dialog ? dialog(ofn) : FALSE;
}

bool ChooseFile(HWND hPage, bool save, const char *filter, const char *extension, char *path, size_t size)
{
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetAncestor(hPage, GA_ROOT);
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = (DWORD)size;
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    return FileDialog(&ofn, save) != 0;
}

void SystemReason(DWORD error, char *buf, DWORD size)
{
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, buf, size,
                             NULL);
    while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n' || buf[n - 1] == '.' || buf[n - 1] == ' '))
        buf[--n] = '\0';
    if (n == 0)
        snprintf(buf, size, "error %lu", (unsigned long)error);
}

DWORD WriteWhole(const char *path, const char *text, size_t length)
{
    // Next to the chosen file, so that the replace is a rename on one volume.
    char folder[MAX_PATH], fresh[MAX_PATH];
    snprintf(folder, sizeof folder, "%s", path);
    char *slash = strrchr(folder, '\\');
    if (slash)
        slash[1] = '\0';
    else
        snprintf(folder, sizeof folder, "%s", ".");
    if (!GetTempFileNameA(folder, "vlt", 0, fresh))  // makes the file, so no other takes its name
        return GetLastError();
    DWORD error = 0, written = 0;
    HANDLE file = CreateFileA(fresh, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, text, (DWORD)length, &written, NULL) ||
        written != length || !FlushFileBuffers(file))
        error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!error && !MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error)
        DeleteFileA(fresh);  // ours alone; the chosen file is untouched
    return error;
}

const Course *ToolsCourse()
{
    return bCourse ? &course : NULL;
}

void ForgetCourse()
{
    bCourse = false;
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
    return true;
}

// The window's title names the plan file open.
void TitlePlan(HWND hwndTools)
{
    char title[MAX_PATH + 32];
    snprintf(title, sizeof title, szPlanName[0] ? "Runner's Tools: %s" : "Runner's Tools", szPlanName);
    SetWindowTextA(hwndTools, title);
}

void SavePlan(HWND hPage)
{
    char path[MAX_PATH];
    const Plan plan = ToolsPlan();
    if (szPlanName[0])
        snprintf(path, sizeof path, "%s", szPlanName);
    else
        PlanFileName(plan.metres, plan.seconds, tools.distanceUnit, "veltoplan", path, sizeof path);
    if (!ChooseFile(hPage, true, "Velto plans (*.veltoplan)\0*.veltoplan\0All files\0*.*\0", "veltoplan", path,
                    sizeof path))
        return;
    std::string text = WritePlanFile(tools, ToolsCourse());
    DWORD error = WriteWhole(path, text.data(), text.size());
    if (error) {
        char reason[256];
        SystemReason(error, reason, sizeof reason);
        myerror("The plan could not be saved as %s: %s.", path, reason);
        return;
    }
    snprintf(szPlanName, sizeof szPlanName, "%s", Named(path));
    TitlePlan(GetAncestor(hPage, GA_ROOT));
}

bool OpenPlan(HWND hPage, char *why, size_t size)
{
    char path[MAX_PATH] = "";
    if (!ChooseFile(hPage, false, "Velto plans (*.veltoplan)\0*.veltoplan\0All files\0*.*\0", "veltoplan", path,
                    sizeof path))
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    LARGE_INTEGER length = {};
    bool read = false;
    std::string text;
    // A plan of a profile at its finest is some 400 KB.
    if (file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &length) && length.QuadPart < 4LL * 1024 * 1024) {
        text.resize((size_t)length.QuadPart);
        DWORD got = 0;
        read = ReadFile(file, &text[0], (DWORD)length.QuadPart, &got, NULL) && got == length.QuadPart;
    }
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    char reason[160] = "the file could not be read, or is larger than any plan";
    bool withCourse = false;
    if (!read || !ReadPlanFile(text.data(), text.size(), &tools, &loading, &withCourse, reason, sizeof reason)) {
        snprintf(why, size, "%s was not opened: %s. What was open stays.", Named(path), reason);
        return false;
    }
    bCourse = withCourse;
    if (withCourse)
        course = loading;
    snprintf(szPlanName, sizeof szPlanName, "%s", Named(path));
    TitlePlan(GetAncestor(hPage, GA_ROOT));
    return true;
}
