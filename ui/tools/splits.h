// What the Splits page's files share: the table of the tools' entries, with
// the rows and columns of race day, and the export of the plan to a watch.
#ifndef VELTO_SPLITS_H
#define VELTO_SPLITS_H

#include <windows.h>
#include <commctrl.h>  // after windows.h

#include "model/raceday.h"
#include "ui/tools/tools.h"

extern SplitTable splitTable;  // of the page that is open; rows are made as they show
extern HillPlan hillPlan;      // the table's, over a course
extern RaceDay raceDay;        // its stations, start and cut-offs
extern bool bSplits;           // the table holds a plan
extern char szSplitHeading[192];

// The table of the tools' entries and race day: false, with the note that
// says why there is none; `note` otherwise holds the heading, and what the
// race day entries read as.
bool MakeTable(const Plan &plan, char *note, size_t size);
// Its rows, and the split row a row is (-1 for a station's or cut-off's).
long long TableRows();
long long SplitRowOf(long long row);
// The list's columns as the table has them, a cell as it shows.
void TableColumns(HWND list);
void TableCell(NMLVDISPINFOA *info);
// The table as text: the headings, then one row a line, `separator`
// between the columns; for a spreadsheet (a comma) every time with its
// hours. Returns the length, or the size it needs.
size_t TableText(char separator, char *text, size_t size);

// The plan as a FIT course, a FIT workout or a timed GPX, through the Save
// dialog; `line` says what was written, or why nothing was.
void ExportForWatch(HWND hPage, char *line, size_t size);

#endif
