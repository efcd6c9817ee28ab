// Drives the real main window under Wine: start-up, messages, and the
// error boxes, which a CBT hook reads and closes.
#ifndef VELTO_TEST_HARNESS_H
#define VELTO_TEST_HARNESS_H

#include <gtest/gtest.h>
#include <windows.h>

#include "model_reset.h"

#include <functional>
#include <string>
#include <vector>

// Handles the messages waiting in this thread's queue.
void Pump();

// The runner's tools as at a first start, keeping their file in a folder
// of the test's own (the folder of %APPDATA%, emptied).
void ResetTools();

std::string Text(HWND control);

// Types into a field with the focus, replacing its text, one character at
// a time as the keyboard would.
void Type(HWND field, const char *text);

// The text on the clipboard, or "" when it holds none.
std::string ClipboardText();

// Velto itself (the program VELTO_EXE names), started with these arguments.
std::string WindowsPath(const char *unixPath);
PROCESS_INFORMATION StartProgram(const char *arguments);
// A top-level window of a class (and title) that belongs to a process,
// visible or not; and the visible one, waited for.
HWND FindOf(DWORD processId, const char *className, bool visible, const char *title = NULL);
HWND WaitForWindow(DWORD processId, const char *className = "Velto", const char *title = NULL);

// The script of an Open or Save dialog that chooses `path`: typed into the
// file name box, as one version or another has it, then OK.
std::function<void(HWND)> ChooseFileScript(const std::string &path);

// The page on show in the runner's tools window.
HWND ToolsPage(HWND tools);

// The text of a cell of a report list view.
std::string Cell(HWND list, int row, int column);

// Scroll thumb position of a scroll-bar control.
int Thumb(HWND bar);

// The system fixed font's average width and line height, as the layout uses them.
struct Metrics {
    int cxChar, cyChar;
};
Metrics FixedFont();

// A message box shown while the hook was in place.
struct Box {
    std::string caption;
    std::string text;
    std::string timeField, distanceField;  // the two fields as the box closed
};

// What a scripted dialog showed, and where its focus was when it opened.
struct Dialog {
    std::vector<std::string> texts;  // its controls' texts, in order
    int focusId = 0;
    int listCount = -1;  // rows of its list 401, if it has one
};

// Records every message box and presses its OK, and runs the script of the
// next dialog; in place for its lifetime.
class BoxCatcher {
public:
    BoxCatcher();
    ~BoxCatcher();
    const std::vector<Box> &boxes() const;
    std::vector<std::string> texts() const;
    // The next dialog gets `text` in its field, typed key by key or set
    // whole, then `finish`: 'O' clicks OK, 'C' CANCEL, 'E' presses Enter,
    // 'X' presses Esc, 'Y' clicks Copy then OK, 'K' OK then CANCEL if it
    // is still open.
    void ScriptDialog(const char *text, char finish, bool whole = false);
    // The next dialog runs `script` inside its own modal loop, as a user
    // would act there; scripts queue up for dialogs opened one in another.
    void InDialog(std::function<void(HWND)> script);
    const std::vector<Dialog> &dialogs() const;
};

// The started main window, shown and sized, with the model as at start.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Sends the size notification of a client area of w x h.
    void Resize(int w, int h);
    // Sizes the client so that both scroll bars have `range` positions.
    void ResizeForRange(int range);
    HWND hwnd = NULL;
};

#endif
