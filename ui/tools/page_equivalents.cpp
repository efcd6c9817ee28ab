// The Equivalents page: what a race result is worth at the usual distances
// by three models side by side, with the VDOT, and a caution where a model
// is taken beyond what it was fitted for.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>
#include <cstring>

#include "model/equivalents.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"

// The pace headings follow the pace unit, as the cells do.
static void PaceHeadings(HWND list)
{
    static char paceTitle[16];
    snprintf(paceTitle, sizeof paceTitle, "/%s", UNIT_TABLE[tools.paceKind < UNITS ? tools.paceKind : UNIT_KM].name);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = paceTitle;
    for (int m = 0; m < MODELS; m++)
        SendMessageA(list, LVM_SETCOLUMNA, (WPARAM)(2 + 2 * m), (LPARAM)&column);
}

// A row a race, each model's time and pace; `outside` gathers, for each
// model, the races it is taken beyond what it was fitted for.
static void Rows(HWND list, const RaceResult &result, const long double *k, long double vdot,
                 char outside[MODELS][128])
{
    int kind = tools.paceKind < UNITS ? tools.paceKind : UNIT_KM;
    for (int r = 0; r < EQ_RACES; r++) {
        long double metres = EQUIVALENT_METRES[r];
        long double times[MODELS] = {k ? RiegelTime(result.metres, result.seconds, *k, metres) : 0,
                                     CameronTime(result.metres, result.seconds, metres), VdotTime(vdot, metres)};
        char cells[1 + 2 * MODELS][CLOCK_TEXT_SIZE];
        const char *texts[1 + 2 * MODELS] = {szEquivalentNames[r]};
        for (int m = 0; m < MODELS; m++) {
            cells[1 + 2 * m][0] = cells[2 + 2 * m][0] = '\0';
            if (times[m] > 0) {
                FormatClock(times[m], 1, cells[1 + 2 * m], CLOCK_TEXT_SIZE);
                FormatClock(PaceIn(times[m] / metres, kind), 1, cells[2 + 2 * m], CLOCK_TEXT_SIZE);
                size_t used = strlen(outside[m]);
                if (!WithinModel(m, metres, times[m]) && m != MODEL_VDOT)
                    snprintf(outside[m] + used, sizeof outside[m] - used, ", %s", szEquivalentNames[r]);
            }
            texts[1 + 2 * m] = cells[1 + 2 * m];
            texts[2 + 2 * m] = cells[2 + 2 * m];
        }
        SetRow(list, r, texts, 1 + 2 * MODELS);
    }
    FitColumns(list, 1 + 2 * MODELS);
}

static void Refresh(HWND hPage)
{
    RaceResult result = ToolsResult();
    bool known = result.distance == READ_OK && result.time == READ_OK;
    long double k = 0;
    bool exponent = ReadExponent(tools.exponent, &k);
    SetDlgItemTextA(hPage, IDC_EQ_EXPONENT_NOTE,
                    exponent ? "1.06 is usual; Riegel's own fit 1.07 to 1.08" : "Type one from 1.01 to 1.15, as 1.06");
    HWND list = GetDlgItem(hPage, IDC_EQ_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    PaceHeadings(list);
    char vdotLine[96] = "", cautions[MODELS][160] = {"", "", ""};
    if (known) {
        long double vdot = Vdot(result.metres, result.seconds);
        if (vdot > 0)
            snprintf(vdotLine, sizeof vdotLine, "VDOT %.2f (Daniels and Gilbert)", (double)vdot);
        else
            snprintf(vdotLine, sizeof vdotLine, "%s", "No VDOT: the result is slower than walking pace.");
        // Which model is taken beyond its range, for the result or which
        // races; with no VDOT, the line above says all of that model.
        char outside[MODELS][128];
        for (int m = 0; m < MODELS; m++)
            snprintf(outside[m], sizeof outside[m], "%s",
                     WithinModel(m, result.metres, result.seconds) || (m == MODEL_VDOT && !(vdot > 0)) ? ""
                                                                                                : ", this result");
        Rows(list, result, exponent ? &k : NULL, vdot, outside);
        for (int m = 0, line = 0; m < MODELS; m++)
            if (outside[m][0])
                snprintf(cautions[line++], sizeof cautions[0], "%s is fitted for %s: not for %s.", szModelNames[m],
                         szModelRanges[m], outside[m] + 2);
    }
    SetDlgItemTextA(hPage, IDC_EQ_VDOT, vdotLine);
    char text[MODELS * 160 + 4];
    snprintf(text, sizeof text, "%s%s%s%s%s", cautions[0], cautions[1][0] ? "\n" : "", cautions[1],
             cautions[2][0] ? "\n" : "", cautions[2]);
    SetDlgItemTextA(hPage, IDC_EQ_CAUTIONS, text);
}

INT_PTR CALLBACK EquivalentsPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM)
{
    if (ResultPageMessage(hPage, iMsg, wParam, Refresh))
        return TRUE;
    switch (iMsg) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(hPage, IDC_EQ_LIST);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        int kind = tools.paceKind < UNITS ? tools.paceKind : UNIT_KM;
        char pace[16];
        snprintf(pace, sizeof pace, "/%s", UNIT_TABLE[kind].name);
        const char *const titles[7] = {"Race", "Riegel", pace, "Cameron", pace, "VDOT", pace};
        AddColumns(list, titles, 7, 76);
        SetDlgItemTextA(hPage, IDC_EQ_EXPONENT, tools.exponent);
        SendDlgItemMessageA(hPage, IDC_EQ_EXPONENT, EM_LIMITTEXT, sizeof tools.exponent - 1, 0);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EQ_EXPONENT && HIWORD(wParam) == EN_CHANGE) {
            GetDlgItemTextA(hPage, IDC_EQ_EXPONENT, tools.exponent, sizeof tools.exponent);
            Refresh(hPage);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
