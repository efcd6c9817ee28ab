// Start-up: the window class, the main window and its twenty-two controls.
#include "model/units.h"
#include "ui/files.h"
#include "ui/resource.h"
#include "ui/velto.h"

HINSTANCE myInstance;
char WorkingDirectory[256];

HWND hwndDistanceScroll, hwndTargetScroll;
HWND hwndDistanceLabel, hwndTargetLabel, hwndTimeReadoutLabel, hwndDistanceReadoutLabel, hwndPaceLabel;
HWND hwndTimeReadout, hwndDistanceReadout, hwndPaceField;
HWND hwndDistanceGroup, hwndSplitGroup;
HWND hwndDistanceMile, hwndDistanceKm, hwndDistance400m, hwndDistance440y, hwndDistance200m;
HWND hwndSplitMile, hwndSplitKm, hwndSplit400m, hwndSplit440y, hwndSplit200m;
bool bControlsCreated;

static const DWORD SCROLL = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ;
static const DWORD PLAIN = WS_CHILD | WS_VISIBLE;
static const DWORD GROUP = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
static const DWORD RADIO = WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON;

// In id order, 1 to 22. The radios are plain, not automatic: the program
// alone moves their marks. Their texts are the units' names.
static const struct {
    HWND *handle;
    const char *className;
    const char *text;
    DWORD style;
} controls[] = {
    {&hwndDistanceScroll, "scrollbar", NULL, SCROLL},
    {&hwndTargetScroll, "scrollbar", NULL, SCROLL},
    {&hwndDistanceLabel, "static", "Distance:", PLAIN},
    {&hwndTargetLabel, "static", "Target Time:", PLAIN},
    {&hwndTimeReadoutLabel, "static", "Time:", PLAIN},
    {&hwndDistanceReadoutLabel, "static", "Distance:", PLAIN},
    {&hwndPaceLabel, "static", "Pace:", PLAIN},
    {&hwndTimeReadout, "edit", NULL, PLAIN},
    {&hwndDistanceReadout, "edit", NULL, PLAIN},
    {&hwndPaceField, "edit", NULL, PLAIN},
    {&hwndDistanceGroup, "button", "Distance Unit", GROUP},
    {&hwndSplitGroup, "button", "Split Unit", GROUP},
    {&hwndDistanceMile, "button", UNIT_TABLE[UNIT_MILE].name, RADIO},
    {&hwndDistanceKm, "button", UNIT_TABLE[UNIT_KM].name, RADIO},
    {&hwndDistance400m, "button", UNIT_TABLE[UNIT_400M].name, RADIO},
    {&hwndDistance440y, "button", UNIT_TABLE[UNIT_440Y].name, RADIO},
    {&hwndDistance200m, "button", UNIT_TABLE[UNIT_200M].name, RADIO},
    {&hwndSplitMile, "button", UNIT_TABLE[UNIT_MILE].name, RADIO},
    {&hwndSplitKm, "button", UNIT_TABLE[UNIT_KM].name, RADIO},
    {&hwndSplit400m, "button", UNIT_TABLE[UNIT_400M].name, RADIO},
    {&hwndSplit440y, "button", UNIT_TABLE[UNIT_440Y].name, RADIO},
    {&hwndSplit200m, "button", UNIT_TABLE[UNIT_200M].name, RADIO},
};

HWND StartVelto(HINSTANCE hInstance)
{
    static char szAppName[] = "Velto";
    WNDCLASSEXA wndclass;
    HWND hwnd;

    SafeLibrarySearch();  // before any library is loaded by name
    myInstance = hInstance;
    DWORD length = GetCurrentDirectoryA(sizeof WorkingDirectory, WorkingDirectory);
    if (length == 0 || length >= sizeof WorkingDirectory)
        WorkingDirectory[0] = '\0';  // too long to keep: look up Doc without it

    wndclass.cbSize = sizeof wndclass;
    wndclass.style = CS_HREDRAW | CS_VREDRAW;
    wndclass.lpfnWndProc = WndProc;
    wndclass.cbClsExtra = 0;
    wndclass.cbWndExtra = 0;
    wndclass.hInstance = hInstance;
    wndclass.hIcon = LoadIconA(hInstance, "myIcon");
    wndclass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wndclass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wndclass.lpszMenuName = "VeltoMenu";
    wndclass.lpszClassName = szAppName;
    wndclass.hIconSm = LoadIconA(hInstance, "myIcon");
    if (!RegisterClassExA(&wndclass)) {
        myerror("%s", "Velto cannot register its window class.");
        return NULL;
    }

    // No handle of an earlier window may be taken for a control of this one.
    for (int k = 0; k < (int)(sizeof controls / sizeof controls[0]); k++)
        *controls[k].handle = NULL;
    bControlsCreated = false;

    // WM_CREATE moves and sizes the window from the system font.
    hwnd = CreateWindowExA(0, szAppName, "Velto: A Pacing Calculator for Runners", WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, 600, 200, NULL, NULL, hInstance, NULL);
    if (!hwnd) {
        myerror("%s", "Velto cannot create its main window.");
        return NULL;
    }

    for (int k = 0; k < (int)(sizeof controls / sizeof controls[0]); k++)
        *controls[k].handle =
            CreateWindowExA(0, controls[k].className, controls[k].text, controls[k].style, 0, 0, 0, 0,
                            hwnd, (HMENU)(INT_PTR)(k + 1), hInstance, NULL);
    bControlsCreated = true;

    InstallKeyboard(hwnd);
    ResetButtons(hwnd, 0);
    SendMessageA(hwndDistanceMile, BM_SETCHECK, BST_CHECKED, 0);
    ResetButtons(hwnd, 1);
    SendMessageA(hwndSplitMile, BM_SETCHECK, BST_CHECKED, 0);
    ForAssistiveTechnology();
    return hwnd;
}
