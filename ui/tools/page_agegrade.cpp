// The Age Grade page: a result against the road tables for an age and a
// sex, with the version lines of the tables.
#include <cstdio>
#include <cstring>

#include "model/agegrade.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"

static void Refresh(HWND hPage)
{
    char percent[96] = "", graded[CLOCK_TEXT_SIZE] = "", factor[32] = "", standard[96] = "", note[96] = "";
    int years = 0;
    RaceResult result = ToolsResult();
    if (!ReadAge(tools.age, &years)) {
        snprintf(note, sizeof note, "%s", "Type a whole age from 5 to 100.");
    } else if (result.distance == READ_OK && result.time == READ_OK) {
        AgeGrade grade = GradeByAge(tools.sex, years, result.metres, result.seconds);
        if (grade.status == DISTANCE_OUTSIDE) {
            snprintf(note, sizeof note, "%s", "The tables run from 1 mile to 200 km.");
        } else if (grade.status == AGE_GRADED) {
            char open[CLOCK_TEXT_SIZE];
            snprintf(percent, sizeof percent, "%.1f %%, %s", (double)grade.percent, grade.level);
            FormatClock(grade.gradedSeconds, 0, graded, sizeof graded);
            snprintf(factor, sizeof factor, "%.4f", (double)grade.factor);
            FormatClock(grade.openSeconds, 0, open, sizeof open);
            snprintf(standard, sizeof standard, "%s, the best at any age over the distance", open);
        }
    }
    SetDlgItemTextA(hPage, IDC_AGE_NOTE, note);
    SetDlgItemTextA(hPage, IDC_AGE_PERCENT, percent);
    SetDlgItemTextA(hPage, IDC_AGE_GRADED, graded);
    SetDlgItemTextA(hPage, IDC_AGE_FACTOR, factor);
    SetDlgItemTextA(hPage, IDC_AGE_STANDARD, standard);
}

// The title of each table shipped, as its file gives it; one without a
// revision date says so, so that a figure can be traced to its tables.
static void ShowTables(HWND hPage)
{
    const char *const *t = szAgeTableVersions;
    char tables[320];
    snprintf(tables, sizeof tables, "Tables: %s%s; %s%s. Public domain (CC0), from the Age-Grade-Tables of Alan Jones.",
             t[SEX_MAN], strstr(t[SEX_MAN], "Version") ? "" : " (no revision date)", t[SEX_WOMAN],
             strstr(t[SEX_WOMAN], "Version") ? "" : " (no revision date)");
    SetDlgItemTextA(hPage, IDC_AGE_TABLES, tables);
}

INT_PTR CALLBACK AgeGradePageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (ResultPageMessage(hPage, iMsg, wParam, Refresh))
        return TRUE;
    switch (iMsg) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(hPage, IDC_AGE, EM_LIMITTEXT, sizeof tools.age - 1, 0);
        SetDlgItemTextA(hPage, IDC_AGE, tools.age);
        CheckRadioButton(hPage, IDC_SEX_MAN, IDC_SEX_WOMAN, tools.sex == SEX_WOMAN ? IDC_SEX_WOMAN : IDC_SEX_MAN);
        ShowTables(hPage);
        return FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == IDC_AGE && code == EN_CHANGE) {
            GetDlgItemTextA(hPage, id, tools.age, sizeof tools.age);
            Refresh(hPage);
        } else if (code == BN_CLICKED && (id == IDC_SEX_MAN || id == IDC_SEX_WOMAN)) {
            tools.sex = id == IDC_SEX_WOMAN ? SEX_WOMAN : SEX_MAN;
            Refresh(hPage);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    }
    return FALSE;
}
