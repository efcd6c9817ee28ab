// The runner's tools window and its pages: what they share.
#ifndef VELTO_TOOLS_H
#define VELTO_TOOLS_H

#include <windows.h>

#include "model/course.h"
#include "model/plan.h"
#include "model/settings.h"

// What the tools hold, from one opening to the next and, through the file
// under %APPDATA%\Velto, from one start to the next.
extern ToolsState tools;

// The tools as at the very first start: no entries, even pace, the Plan
// page, and the file not read yet.
void ToolsDefaults();

// The file the tools keep their entries in: read once, when they first open,
// and written whole (or not at all) as they close.
void LoadToolsSettings();
void SaveToolsSettings();

// The plan of the tools' entries, and the decimals a distance is shown with.
Plan ToolsPlan();
// Keeps the exact number behind entry k (SOLVE_TIME ...) that the tools wrote.
void HoldEntry(int k, long double value);
// Puts the keyboard in a page's first entry that takes typing, its text
// selected (or its first control); the control, or NULL.
HWND FocusFirstEntry(HWND hPage);
int ToolsDecimals();

// The pages' dialog procedures.
INT_PTR CALLBACK PlanPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK SplitsPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK EquivalentsPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK TrainingPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK AgeGradePageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK TreadmillPageProc(HWND, UINT, WPARAM, LPARAM);

// The race result of the Equivalents, Training and Age Grade pages: as
// typed there, or else the plan's. Its distance in metres and its time.
struct RaceResult {
    Reading distance, time;
    long double metres, seconds;
};
RaceResult ToolsResult();
// What every page with a result (IDC_RESULT_...) takes alike: its showing,
// Esc, and the result typed; `refresh` then shows what follows. True when
// taken.
bool ResultPageMessage(HWND hPage, UINT iMsg, WPARAM wParam, void (*refresh)(HWND));

// Esc in a page's entry (a multi-line one tells its page, not the window)
// closes the window as Close does.
INT_PTR ClosePage(HWND hPage);

// Sent to a page when it is shown: it reads the plan again.
const UINT WM_PAGE_SHOWN = WM_APP + 10;

// Fills a drop-down list with texts, or the units' names, and selects one.
void FillCombo(HWND combo, const char *const texts[], int count, int selected);
void FillUnits(HWND combo, int selected);

// A report list's columns, the first `firstWidth` pixels wide and the others
// sharing the rest, and a row of it.
void AddColumns(HWND list, const char *const titles[], int count, int firstWidth);
void SetRow(HWND list, int k, const char *const cells[], int count);
// Sizes a list's `count` columns to their texts and headings.
void FitColumns(HWND list, int count);

// A page's note drawn by the page (SS_OWNERDRAW), its window text wrapped to
// its width but never between a number and the unit after it ("20 m");
// and the height that text needs at a width, 0 for none.
void DrawNote(const DRAWITEMSTRUCT *item);
int NoteHeight(HWND note, int width);
// Moves a control, in a batch of moves made at once, only where it is not
// already, so that nothing flickers; the batch, or NULL when it failed.
HDWP PlaceControl(HDWP batch, HWND control, int x, int y, int width, int height);

// The pace band: a narrow strip of large digits per column, the rows of
// the table under a heading, drawn into any device context within `area`;
// `page` counts from 0. Returns the number of pages the table needs.
int DrawPaceBand(HDC hdc, const RECT &area, const SplitTable &table, const char *heading, int page);

// A course's height profile within `area`, the split marks of `table` (if
// any, over that course) and the stretch of its row `selected` (or -1)
// shown apart, its distance marked along the foot in `unit` and heights in
// the height unit beside it, and its stations where asked.
void DrawProfile(HDC hdc, const RECT &area, const Course &course, const SplitTable *table, long long selected,
                 int unit, bool stations);

// A function of the common dialogs' library; a file chosen in its Open or
// Save dialog (of the filter `*filterIndex`, from 1, where asked), the
// keyboard back on the control that opened it.
FARPROC CommonDialog(const char *name);
bool ChooseFile(HWND hPage, bool save, const char *filter, const char *extension, char *path, size_t size,
                int *filterIndex = NULL);
// A name for the plan's files, from its course, distance and time, in the
// folder of the plan open: "hill-course 10 km in 50-00.fit".
void FreshPlanName(const char *extension, char *path, size_t size);

// The race-day plan: the course it is run over (NULL: flat), chosen from a
// file (false, with why, when none was taken), or dropped; the plan saved
// as a file, or one opened (false, with why, when none was); the window's
// title naming the plan file open, "(changed)" once what is shown is no
// longer what it holds.
const Course *ToolsCourse();
bool ChooseCourse(HWND hPage, char *why, size_t size);
bool TakeCourseFile(const char *path, char *why, size_t size);
void ForgetCourse();
void SavePlan(HWND hPage);
bool OpenPlan(HWND hPage, char *why, size_t size);
void TitlePlan(HWND hwndTools);
// No course and no plan file open, as at the first start.
void ForgetPlan();
// The course kept in the tools' folder for the next start, and taken from it.
void KeepCourse(const char *folder);
void TakeKeptCourse(const char *folder);

// A course from a GPX or CSV file: false, with the reason, for a file that
// cannot be one; then *course is as it was.
bool LoadCourseFile(const char *path, Course *course, char *why, size_t size);

#endif
