// The Treadmill page: a treadmill speed and incline give the outdoor flat
// pace of the same effort, or an outdoor pace gives the treadmill speed
// that matches it; with the outdoor worth of inclines 0 to 15 % at the
// treadmill's speed.
#include <windows.h>
#include <commctrl.h>  // after windows.h

#include <cstdio>

#include "model/treadmill.h"
#include "ui/resource.h"
#include "ui/tools/tools.h"

// The ways a speed is given on this page: as a speed, or as a pace.
static const int kinds[4] = {PACE_KMH, PACE_MPH, UNIT_KM, UNIT_MILE};
static const char *const kindNames[4] = {"km/h", "mph", "per Km", "per Mile"};
static bool bWriting;  // the page itself writes the worked-out entry

// A speed as typed in a kind: metres a second, or 0 where it reads as none.
static long double Speed(const char *text, int kind)
{
    long double value = 0;
    Reading read = kind < UNITS ? ReadClock(text, &value) : ReadAmount(text, &value);
    return read == READ_OK ? 1 / SecondsPerMetre(value, kind) : 0;
}

// "12.00 km/h = 5:00.0 /Km" of a speed, in the kind given first.
static void SpeedWords(long double metresPerSecond, int kind, char *buf, size_t size)
{
    char first[48], other[48];
    FormatPaceIn(1 / metresPerSecond, kind, first, sizeof first);
    FormatPaceIn(1 / metresPerSecond, kind < UNITS ? (int)PACE_KMH : (int)UNIT_KM, other, sizeof other);
    snprintf(buf, size, "%s = %s", first, other);
}

// The outdoor worth of inclines 0 to 15 % at the treadmill's speed.
static void Inclines(HWND hPage, long double belt)
{
    HWND list = GetDlgItem(hPage, IDC_TM_LIST);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (int incline = 0; belt > 0 && incline <= 15; incline++) {
        long double outdoor = OutdoorSpeed(belt, incline);
        char cells[5][CLOCK_TEXT_SIZE + 8];
        snprintf(cells[0], sizeof cells[0], "%d %%", incline);
        for (int k = 0; k < 4; k++)
            FormatPaceIn(1 / outdoor, kinds[(k + 2) % 4], cells[1 + k], sizeof cells[0]);
        const char *texts[5] = {cells[0], cells[1], cells[2], cells[3], cells[4]};
        SetRow(list, incline, texts, 5);
    }
    FitColumns(list, 5);
}

static void Refresh(HWND hPage)
{
    long double incline = 0;
    bool inclined = ReadIncline(tools.incline, &incline);
    bool outdoorWorkedOut = tools.treadmillSolve == 0;
    long double belt = Speed(tools.treadmill, kinds[tools.treadmillUnit]);
    long double outdoor = Speed(tools.outdoor, kinds[tools.outdoorUnit]);
    char text[160] = "";
    if (outdoorWorkedOut)
        outdoor = inclined && belt > 0 ? OutdoorSpeed(belt, incline) : 0;
    else
        belt = inclined && outdoor > 0 ? TreadmillSpeed(outdoor, incline) : 0;
    long double worked = outdoorWorkedOut ? outdoor : belt;
    int workedKind = kinds[outdoorWorkedOut ? tools.outdoorUnit : tools.treadmillUnit];
    if (worked > 0)
        FormatPaceIn(1 / worked, workedKind, text, sizeof text);
    bWriting = true;
    SetDlgItemTextA(hPage, outdoorWorkedOut ? IDC_TM_OUTDOOR : IDC_TM_SPEED, text);
    bWriting = false;
    const struct {
        int note;
        long double speed;
        int kind;
        const char *empty;
    } notes[2] = {{IDC_TM_SPEED_NOTE, belt, kinds[tools.treadmillUnit], "Type the treadmill's speed, as 12 (km/h)"},
                  {IDC_TM_OUTDOOR_NOTE, outdoor, kinds[tools.outdoorUnit], "Type the pace outdoors, as 5:00 (a km)"}};
    for (int k = 0; k < 2; k++) {
        text[0] = '\0';
        if (notes[k].speed > 0)
            SpeedWords(notes[k].speed, notes[k].kind, text, sizeof text);
        else if (k == (outdoorWorkedOut ? 0 : 1))
            snprintf(text, sizeof text, "%s", notes[k].empty);
        SetDlgItemTextA(hPage, notes[k].note, (k == (outdoorWorkedOut ? 1 : 0) && worked > 0) ? "worked out" : text);
    }
    if (!inclined)
        snprintf(text, sizeof text, "%s", "Type the incline from -5 to 25 %, as 1.");
    else if (belt > 0 && !MeasuredSpeed(belt))
        snprintf(text, sizeof text, "%s",
                 "Jones and Doust measured the 1 % rule only from 2.9 to 5.0 m/s (10.4 to 18.0 km/h); the figure "
                 "is still given.");
    else
        text[0] = '\0';
    SetDlgItemTextA(hPage, IDC_TM_CAUTION, text);
    Inclines(hPage, belt);
}

// What is worked out is shown, not typed.
static void Solve(HWND hPage, int solve)
{
    tools.treadmillSolve = solve;
    CheckRadioButton(hPage, IDC_TM_SOLVE_OUTDOOR, IDC_TM_SOLVE_BELT, IDC_TM_SOLVE_OUTDOOR + solve);
    SendDlgItemMessageA(hPage, IDC_TM_OUTDOOR, EM_SETREADONLY, solve == 0, 0);
    SendDlgItemMessageA(hPage, IDC_TM_SPEED, EM_SETREADONLY, solve == 1, 0);
    Refresh(hPage);
}

static void ShowEntries(HWND hPage)
{
    bWriting = true;
    SetDlgItemTextA(hPage, IDC_TM_SPEED, tools.treadmill);
    SetDlgItemTextA(hPage, IDC_TM_INCLINE, tools.incline);
    SetDlgItemTextA(hPage, IDC_TM_OUTDOOR, tools.outdoor);
    bWriting = false;
    SendDlgItemMessageA(hPage, IDC_TM_SPEED_UNIT, CB_SETCURSEL, (WPARAM)tools.treadmillUnit, 0);
    SendDlgItemMessageA(hPage, IDC_TM_OUTDOOR_UNIT, CB_SETCURSEL, (WPARAM)tools.outdoorUnit, 0);
    Solve(hPage, tools.treadmillSolve);
}

static bool Command(HWND hPage, int id, int code)
{
    static const struct {
        int id;
        char *text;
        int size;
    } entries[3] = {{IDC_TM_SPEED, tools.treadmill, (int)sizeof tools.treadmill},
                    {IDC_TM_INCLINE, tools.incline, (int)sizeof tools.incline},
                    {IDC_TM_OUTDOOR, tools.outdoor, (int)sizeof tools.outdoor}};
    if (code == EN_CHANGE && !bWriting) {
        for (const auto &e : entries)
            if (e.id == id)
                GetDlgItemTextA(hPage, id, e.text, e.size);
    } else if (code == CBN_SELCHANGE && (id == IDC_TM_SPEED_UNIT || id == IDC_TM_OUTDOOR_UNIT)) {
        int selected = (int)SendDlgItemMessageA(hPage, id, CB_GETCURSEL, 0, 0);
        if (selected >= 0 && selected < 4)
            (id == IDC_TM_SPEED_UNIT ? tools.treadmillUnit : tools.outdoorUnit) = selected;
    } else if (code == BN_CLICKED && (id == IDC_TM_SOLVE_OUTDOOR || id == IDC_TM_SOLVE_BELT)) {
        Solve(hPage, id - IDC_TM_SOLVE_OUTDOOR);
        return true;
    } else {
        return false;
    }
    if (!bWriting)
        Refresh(hPage);
    return true;
}

INT_PTR CALLBACK TreadmillPageProc(HWND hPage, UINT iMsg, WPARAM wParam, LPARAM)
{
    switch (iMsg) {
    case WM_INITDIALOG: {
        for (int id : {IDC_TM_SPEED_UNIT, IDC_TM_OUTDOOR_UNIT})
            FillCombo(GetDlgItem(hPage, id), kindNames, 4, 0);
        const char *const titles[5] = {"Incline", "Outdoors /Km", "/Mile", "km/h", "mph"};
        AddColumns(GetDlgItem(hPage, IDC_TM_LIST), titles, 5, 60);
        for (int id : {IDC_TM_SPEED, IDC_TM_OUTDOOR})
            SendDlgItemMessageA(hPage, id, EM_LIMITTEXT, sizeof tools.treadmill - 1, 0);
        SendDlgItemMessageA(hPage, IDC_TM_INCLINE, EM_LIMITTEXT, sizeof tools.incline - 1, 0);
        return FALSE;
    }
    case WM_PAGE_SHOWN:
        ShowEntries(hPage);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            return ClosePage(hPage);
        return Command(hPage, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
