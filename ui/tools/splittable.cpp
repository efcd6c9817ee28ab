// The Splits page's table: the split rows of the plan, at even pace or with
// a split, over a course at even effort, with the race's stations, its
// start and its cut-offs among them; its columns, as the list, the
// clipboard and a CSV show them.
#include <cstdio>
#include <cstring>

#include "ui/tools/splits.h"

SplitTable splitTable;
HillPlan hillPlan;
RaceDay raceDay;
bool bSplits;
char szSplitHeading[192];

// The columns a table can have; those of the table shown, in order.
enum { COL_UNIT, COL_AT, COL_SPLIT, COL_PACE, COL_CLIMB, COL_DESCENT, COL_EFFORT, COL_STATION, COL_CLOCK, COL_CUTOFF,
       COLUMN_KINDS };
static int iShown[COLUMN_KINDS], iShownCount;
static unsigned iTableVersion;  // counts the tables made
static char szTitles[COLUMN_KINDS][24];

// The strategy as its entries read: false, with a note, when the percentage is not 0 to 20.
static bool Strategy(long double *percent, char *words, size_t size)
{
    if (tools.direction == 0) {
        *percent = 0;
        snprintf(words, size, "%s", "even pace");
        return true;
    }
    if (!ReadSplitPercent(tools.percent, percent)) {
        snprintf(words, size, "%s", "A split is 0 to 20 %: type the percentage, as 4.");
        return false;
    }
    if (*percent == 0)
        snprintf(words, size, "%s", "even pace");
    else
        snprintf(words, size, "%.6Lg %% %s split", *percent, tools.direction < 0 ? "negative" : "positive");
    return true;
}

// The table's heading: "10.00 Km. in 40:00.0, 4 % negative split: halves
// 20:24.5 and 19:35.5", with the hill effort over a course.
static void Heading(const Plan &plan, const char *strategy, long double percent, long double hill)
{
    char distance[64], time[CLOCK_TEXT_SIZE];
    FormatDistanceIn(plan.metres, tools.distanceUnit, ToolsDecimals(), distance, sizeof distance);
    FormatClock(plan.seconds, 1, time, sizeof time);
    int used = snprintf(szSplitHeading, sizeof szSplitHeading, "%s in %s, %s", distance, time, strategy);
    if (hill > 0 && used > 0 && (size_t)used < sizeof szSplitHeading)
        used += snprintf(szSplitHeading + used, sizeof szSplitHeading - used, " at even effort (%.6Lg %%)", hill);
    if ((percent > 0 || hill > 0) && used > 0 && (size_t)used < sizeof szSplitHeading) {
        char first[CLOCK_TEXT_SIZE], second[CLOCK_TEXT_SIZE];
        long double half = SecondsAt(splitTable, plan.metres / 2);
        FormatClock(half, 1, first, sizeof first);
        FormatClock(plan.seconds - half, 1, second, sizeof second);
        snprintf(szSplitHeading + used, sizeof szSplitHeading - used, ": halves %s and %s", first, second);
    }
}

// The split rows of the entries: false, with the note that says why not.
static bool Splits(const Plan &plan, long double *percent, long double *hill, char *note, size_t size)
{
    long double amount = 0;
    char strategy[96];
    bool readable = Strategy(percent, strategy, sizeof strategy);
    const Course *course = ToolsCourse();
    bool everyRead = ReadSplitEvery(tools.splitEvery, &amount);
    *hill = 0;
    bool hillRead = !course || ReadHillEffort(tools.hill, hill);  // the hill effort counts over a course only
    if (!plan.solved)
        snprintf(note, size, "%s", "Make a plan on the Plan page first: two of time, distance and pace.");
    else if (!readable)
        snprintf(note, size, "%s", strategy);
    else if (!everyRead)
        snprintf(note, size, "%s", "Type how many units a split has, as 5 or 0.5.");
    else if (!hillRead)
        snprintf(note, size, "%s", "A hill effort is 0 to 100 %: type it, as " HILL_EFFORT_DEFAULT ".");
    if (!plan.solved || !readable || !everyRead || !hillRead ||
        !PlanSplitTable(plan.metres, plan.seconds, tools.splitUnit, tools.direction, *percent,
                        FinishDecimals(tools.splitUnit), &splitTable))
        return false;
    // A distance typed is as exact as its decimals; a worked-out one to the metre.
    bool typed = tools.solve != SOLVE_DISTANCE && !tools.held[SOLVE_DISTANCE][0];
    splitTable.slack = typed ? TypedSlack(tools.distance, tools.distanceUnit) : 1;
    if (!SetSplitPoints(&splitTable, amount, tools.halfway)) {
        snprintf(note, size, "%s", "Type how many units a split has, as 5 or 0.5.");
        return false;
    }
    if (course) {
        PlanOverCourse(*course, *hill / 100, splitTable.metres, splitTable.seconds, splitTable.a, splitTable.b,
                       &hillPlan);
        hillPlan.unit = tools.distanceUnit;  // heights follow the distance unit
        splitTable.hills = &hillPlan;
    }
    Heading(plan, strategy, *percent, course ? *hill : 0);
    return true;
}

// The race day of the entries: the course's stations (with a cut-off their
// names carry), the start and the cut-offs; what they read as, or why not,
// goes to `note`.
static void RaceDayRows(char *note, size_t size)
{
    long double start = 0, margin = 0;
    Reading startRead = ReadStartTime(tools.start, &start), marginRead = ReadAmount(tools.margin, &margin);
    const long double *clock = startRead == READ_OK ? &start : NULL;
    if (startRead == READ_BAD)
        snprintf(note, size, "%s", " Type the start as a time of day, as 05:00.");
    else if (marginRead != READ_OK && marginRead != READ_ZERO)
        snprintf(note, size, "%s", " Type the margin before a cut-off in minutes, as 10.");
    std::vector<Mark> marks;
    const Course *course = ToolsCourse();
    if (course && tools.stations)
        for (const Station &s : course->stations) {
            Mark mark = {s.metres * splitTable.metres / course->metres, "", -1};
            snprintf(mark.name, sizeof mark.name, "%s", s.name);
            if (!StationCutoff(s.name, clock, &mark.cutoff))
                mark.cutoff = -1;
            marks.push_back(mark);
        }
    std::vector<Cutoff> cutoffs;
    char why[160];
    if (!ReadCutoffs(tools.cutoffs, tools.distanceUnit, clock, &cutoffs, why, sizeof why)) {
        snprintf(note, size, " Cut-offs not marked: %s.", why);
        cutoffs.clear();
    } else if (!cutoffs.empty() && cutoffs.back().metres > splitTable.metres + 1) {
        snprintf(note, size, " Cut-offs not marked: the one at %.6Lg %s is past the finish.",
                 cutoffs.back().metres / UNIT_TABLE[tools.distanceUnit].metres, UNIT_TABLE[tools.distanceUnit].shortWords);
        cutoffs.clear();
    }
    PlanRaceDay(splitTable, marks, cutoffs, clock, marginRead == READ_OK ? margin * 60 : 0, &raceDay);
    if (raceDay.firstLate >= 0 && !note[0]) {
        RaceTexts first;
        RaceRowTexts(raceDay, raceDay.firstLate, &first);
        bool station = first.station[0] && strcmp(first.station, "Cut-off") != 0;
        snprintf(note, size, " Cut-off at risk first at %s %s%s%s: arriving %s, cut-off %s.", first.split.unit,
                 UNIT_TABLE[tools.splitUnit].shortWords, station ? ", " : "", station ? first.station : "",
                 clock ? first.clock : first.split.at, first.cutoff);
    }
}

bool MakeTable(const Plan &plan, char *note, size_t size)
{
    long double percent, hill;
    iTableVersion++;  // the rows made before are of another table
    szSplitHeading[0] = '\0';
    raceDay.source.clear();
    raceDay.stations = raceDay.cutoffs = raceDay.clock = false;
    if (!Splits(plan, &percent, &hill, note, size))
        return false;
    char race[256] = "";
    RaceDayRows(race, sizeof race);
    int used = snprintf(note, size, "%s.", szSplitHeading);
    if (splitTable.every > 1 && used > 0 && (size_t)used < size)
        used += snprintf(note + used, size - used, " One row every %lld: the table keeps to %lld rows.",
                         splitTable.every, SPLIT_ROWS_MAX);
    if (used > 0 && (size_t)used < size)
        snprintf(note + used, size - used, "%s", race);
    return true;
}

long long TableRows()
{
    return !bSplits ? 0 : raceDay.source.empty() ? splitTable.rows : (long long)raceDay.source.size();
}

long long SplitRowOf(long long row)
{
    long long source = raceDay.source.empty() ? row : raceDay.source[(size_t)row];
    return source >= 0 ? source : -1;
}

static const char *Cell(const RaceTexts &t, int kind)
{
    const char *const cells[COLUMN_KINDS] = {t.split.unit,  t.split.at,      t.split.split, t.split.pace, t.split.climb,
                                             t.split.descent, t.split.effort, t.station,     t.clock,      t.cutoff};
    return cells[kind];
}

// The columns of the table shown, and their titles: the split unit, the
// times and pace, over a course its climb, descent and effort pace, and the
// stations, time of day and cut-offs of race day.
static void Shown()
{
    const char *unit = UNIT_TABLE[tools.splitUnit].name, *height = UNIT_TABLE[tools.distanceUnit].height;
    snprintf(szTitles[COL_UNIT], sizeof szTitles[0], "%s", unit);
    snprintf(szTitles[COL_AT], sizeof szTitles[0], "%s", "Time");
    snprintf(szTitles[COL_SPLIT], sizeof szTitles[0], "%s", "Split");
    snprintf(szTitles[COL_PACE], sizeof szTitles[0], "Pace /%s", unit);
    snprintf(szTitles[COL_CLIMB], sizeof szTitles[0], "Climb %s", height);
    snprintf(szTitles[COL_DESCENT], sizeof szTitles[0], "Descent %s", height);
    snprintf(szTitles[COL_EFFORT], sizeof szTitles[0], "Effort pace /%s", unit);
    snprintf(szTitles[COL_STATION], sizeof szTitles[0], "%s", "Station");
    snprintf(szTitles[COL_CLOCK], sizeof szTitles[0], "%s", "Time of day");
    snprintf(szTitles[COL_CUTOFF], sizeof szTitles[0], "%s", "Cut-off");
    iShownCount = 0;
    bool hills = bSplits && splitTable.hills;
    for (int kind = 0; kind < COLUMN_KINDS; kind++)
        if (kind <= COL_PACE || (hills && kind <= COL_EFFORT) || (kind == COL_STATION && raceDay.stations) ||
            (kind == COL_CLOCK && raceDay.clock) || (kind == COL_CUTOFF && raceDay.cutoffs))
            iShown[iShownCount++] = kind;
}

void TableColumns(HWND list)
{
    Shown();
    HWND header = (HWND)SendMessageA(list, LVM_GETHEADER, 0, 0);
    int have = (int)SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
    // Each column as wide as its heading or the widest text it can have,
    // at any DPI; the list is made row by row as it shows, so the widths come
    // from the texts, not from the rows. The last row's are the widest.
    RaceTexts last = {};
    if (bSplits)
        RaceRowTexts(raceDay, TableRows() - 1, &last);
    snprintf(last.split.climb, sizeof last.split.climb, "%s", "8888");
    snprintf(last.split.descent, sizeof last.split.descent, "%s", "8888");
    snprintf(last.split.split, sizeof last.split.split, "%s", last.split.at);
    snprintf(last.station, sizeof last.station, "%s", "Water and food 10");
    snprintf(last.clock, sizeof last.clock, "%s", "+1 00:00");
    snprintf(last.cutoff, sizeof last.cutoff, "%s", "+1 00:00, 00 min to spare");
    int pad = 3 * GetSystemMetrics(SM_CXEDGE) + 8;
    for (; have > iShownCount; have--)
        SendMessageA(list, LVM_DELETECOLUMN, (WPARAM)(have - 1), 0);
    for (int k = 0; k < iShownCount; k++) {
        int kind = iShown[k];
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = k && kind != COL_STATION ? LVCFMT_RIGHT : LVCFMT_LEFT;
        int title = (int)SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, (LPARAM)szTitles[kind]) + pad;
        int cell = (int)SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, (LPARAM)Cell(last, kind)) + pad;
        column.cx = title > cell ? title : cell;
        column.pszText = szTitles[kind];
        SendMessageA(list, k < have ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA, (WPARAM)k, (LPARAM)&column);
    }
}

void TableCell(NMLVDISPINFOA *info)
{
    if (!(info->item.mask & LVIF_TEXT) || info->item.iItem < 0 || info->item.iItem >= TableRows())
        return;
    // The list asks a row's cells one by one: the row is made once for them.
    static RaceTexts row;
    static long long made = -1;
    static unsigned madeFor = 0;
    if (made != info->item.iItem || madeFor != iTableVersion) {
        RaceRowTexts(raceDay, info->item.iItem, &row);
        made = info->item.iItem;
        madeFor = iTableVersion;
    }
    int k = info->item.iSubItem >= 0 && info->item.iSubItem < iShownCount ? info->item.iSubItem : 0;
    snprintf(info->item.pszText, (size_t)info->item.cchTextMax, "%s", Cell(row, iShown[k]));
}

size_t TableText(char separator, char *text, size_t size)
{
    bool hours = separator == ',';
    size_t used = 0;
    auto put = [&](const char *part, size_t length) {
        if (text && used + length < size)
            memcpy(text + used, part, length);
        used += length;
    };
    auto add = [&](const char *cell, bool first) {
        if (!first)
            put(separator == ',' ? "," : "\t", 1);
        // A spreadsheet's cell with a comma or a quote in it is quoted.
        bool quoted = separator == ',' && strpbrk(cell, ",\"");
        if (quoted)
            put("\"", 1);
        for (const char *c = cell; *c; c++)
            put(*c == '"' && quoted ? "\"\"" : c, *c == '"' && quoted ? 2 : 1);  // a quote doubled
        if (quoted)
            put("\"", 1);
        if (text && used < size)
            text[used] = '\0';
    };
    for (int k = 0; k < iShownCount; k++)
        add(szTitles[iShown[k]], k == 0);
    add("\r\n", true);
    for (long long r = 0; r < TableRows(); r++) {
        RaceTexts row;
        RaceRowTexts(raceDay, r, &row, hours);
        for (int k = 0; k < iShownCount; k++)
            add(Cell(row, iShown[k]), k == 0);
        add("\r\n", true);
    }
    return used;
}
