// The runner's tools window and its pages: what they share.
#ifndef VELTO_TOOLS_H
#define VELTO_TOOLS_H

#include <windows.h>

#include "model/plan.h"

// The pages, in the order of their tabs.
enum { PAGE_PLAN, PAGE_SPLITS, PAGE_PREDICTION, PAGES };

// What the tools hold, from one opening to the next: the entries as typed,
// so that every value stays as exact as it was written.
struct ToolsState {
    char time[64], distance[64], pace[64];
    int distanceUnit, paceKind, solve;
    int direction;  // of the split: -1 negative, 0 even, +1 positive
    char percent[16];
    int splitUnit;
    int page;
    float seenDistance, seenTime;  // the window's values when the tools last took them
};
extern ToolsState tools;

// The tools as at the first start: no entries, even pace, the Plan page.
void ToolsDefaults();

// The plan of the tools' entries, and the decimals a distance is shown with.
Plan ToolsPlan();
int ToolsDecimals();

// The pages' dialog procedures.
INT_PTR CALLBACK PlanPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK SplitsPageProc(HWND, UINT, WPARAM, LPARAM);
INT_PTR CALLBACK PredictionPageProc(HWND, UINT, WPARAM, LPARAM);

// Esc in a page's entry (a multi-line one tells its page, not the window)
// closes the window as Close does.
INT_PTR ClosePage(HWND hPage);

// Sent to a page when it is shown: it reads the plan again.
const UINT WM_PAGE_SHOWN = WM_APP + 10;

// Fills a drop-down list with texts and selects one.
void FillCombo(HWND combo, const char *const texts[], int count, int selected);

// The common dialogs, loaded on first use like the shell for Doc.
BOOL SaveFileDialog(OPENFILENAMEA *ofn);
BOOL PrintDialog(PRINTDLGA *pd);

// The pace band: a narrow strip of large digits per column, the rows of
// the table under a heading, drawn into any device context within `area`;
// `page` counts from 0. Returns the number of pages the table needs.
int DrawPaceBand(HDC hdc, const RECT &area, const SplitTable &table, const char *heading, int page);

#endif
