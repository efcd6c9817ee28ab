// The main window: what its source files and tests share.
#ifndef VELTO_VELTO_H
#define VELTO_VELTO_H

#include <windows.h>
#include <shellapi.h>

extern HINSTANCE myInstance;
extern char WorkingDirectory[256];

extern HWND hwndDistanceScroll, hwndTargetScroll;
extern HWND hwndDistanceLabel, hwndTargetLabel, hwndTimeReadoutLabel, hwndDistanceReadoutLabel,
    hwndPaceLabel;
extern HWND hwndTimeReadout, hwndDistanceReadout, hwndPaceField;
extern HWND hwndDistanceGroup, hwndSplitGroup;
extern HWND hwndDistanceMile, hwndDistanceKm, hwndDistance400m, hwndDistance440y, hwndDistance200m;
extern HWND hwndSplitMile, hwndSplitKm, hwndSplit400m, hwndSplit440y, hwndSplit200m;

// Set once StartVelto has made the controls (a few may have failed).
extern bool bControlsCreated;

// Scroll range maxima: each bar's width in pixels, set at every resize.
extern int iDistanceMax, iTargetMax;

// Start-up up to the first showing: registers the class, creates the
// hidden main window and its controls and marks the Mile units. Returns
// the main window, or NULL after telling the user why it could not.
HWND StartVelto(HINSTANCE hInstance);

// Stacks each label right before its control and each group box right
// before its radios, and names the controls for a screen reader if one
// runs, and again when one starts later.
void ForAssistiveTechnology();
void NameControlsForScreenReaders();

// Puts the keyboard-navigation procedures in front of the fields, the unit
// radios and the scroll bars.
void InstallKeyboard(HWND hwnd);

// Gives a control the focus; the time or distance field with all its text
// selected, ready to be typed over.
void FocusControl(HWND control);

LRESULT CALLBACK WndProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

// The menu: a command by its id, and the opening of a popup.
void MenuCommand(HWND hwnd, int id);
void InitMenuPopup(WPARAM wParam, LPARAM lParam);

// The runner's tools window, on the page of a menu id of Special.
void RunnersTool(HWND hwnd, int id);
// The session ends: the tools, if open, keep their entries now.
void ToolsEndSession();
// Velto is asked to close: false when the user stays to keep a plan file's
// changes (asked only when a plan file open has changed).
bool ToolsMayClose(HWND hwnd);
// Loads what the tools window needs, so that its first opening is as quick as
// any other; once the main window is on the screen.
void PrepareTools();

// How Doc asks the shell to open the documentation (a test may answer instead).
extern HINSTANCE(WINAPI *pShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Clears the marks of one bank of unit radios: 0 distance, 1 split.
void ResetButtons(HWND hwnd, int bank);

// The start-up picture, centred on the screen for three seconds with the
// start-up sound; always 1. Its top-left corner on a screen of a size.
int DisplayLogo(HINSTANCE hInstance);
POINT LogoCorner(int cxScreen, int cyScreen, int cxPicture, int cyPicture);

// Shows a printf-style message in a modal error box.
void myerror(const char *fmt, ...);

#endif
