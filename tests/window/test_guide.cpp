// The user guide's worked examples, replayed on the real window: every
// text the guide quotes must be the text the window shows.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>  // after windows.h

#include "harness.h"
#include "model/pacemodel.h"
#include "ui/resource.h"
#include "ui/velto.h"

namespace {

struct Example {
    std::string title;
    std::vector<std::string> steps;  // "> ..." and "= ..." lines, trimmed
};

std::vector<Example> ReadExamples()
{
    std::ifstream guide(std::string("Z:") + VELTO_GUIDE);
    std::vector<Example> examples;
    std::string line;
    while (std::getline(guide, line)) {
        if (line.rfind("EXAMPLE ", 0) == 0)
            examples.push_back({line, {}});
        else if (!examples.empty() && line.rfind("  > ", 0) == 0)
            examples.back().steps.push_back(line.substr(2));
        else if (!examples.empty() && line.rfind("  = ", 0) == 0)
            examples.back().steps.push_back(line.substr(2));
    }
    return examples;
}

// "Special > Marathon": the id of that item, its text without the "&".
int MenuId(HMENU menu, std::string path)
{
    std::string head = path.substr(0, path.find(" > "));
    for (int k = 0; k < GetMenuItemCount(menu); k++) {
        char text[64];
        GetMenuStringA(menu, k, text, sizeof text, MF_BYPOSITION);
        std::string plain;
        for (const char *c = text; *c; c++)
            if (*c != '&')
                plain += *c;
        if (plain != head)
            continue;
        if (head.size() == path.size())
            return (int)GetMenuItemID(menu, k);
        return MenuId(GetSubMenu(menu, k), path.substr(head.size() + 3));
    }
    return -1;
}

HWND Field(const std::string &name)
{
    return name == "Time" ? hwndTimeReadout : name == "Distance" ? hwndDistanceReadout : hwndPaceField;
}

// "10 K | 41:41.9": the columns of the guide, tab-separated as Velto writes
// them; a column with nothing in it is blank between its bars.
std::string Columns(const std::string &text)
{
    std::string columns, cell;
    std::stringstream cells(text);
    for (bool first = true; std::getline(cells, cell, '|'); first = false) {
        size_t from = cell.find_first_not_of(' '), to = cell.find_last_not_of(' ');
        columns += (first ? "" : "\t") + (from == std::string::npos ? "" : cell.substr(from, to - from + 1));
    }
    return columns;
}

// Rest of a step after its verb and the blanks that line it up.
std::string After(const std::string &step, size_t from)
{
    size_t start = step.find_first_not_of(' ', from);
    return start == std::string::npos ? "" : step.substr(start);
}

// The text of a control without its "&".
std::string Plain(HWND control)
{
    std::string plain;
    for (char c : Text(control))
        if (c != '&')
            plain += c;
    return plain;
}

// Whether a table of the page has a row that starts with these cells,
// tab-separated.
bool HasRow(HWND page, const std::string &cells)
{
    int wanted = 1 + (int)std::count(cells.begin(), cells.end(), '\t');
    for (HWND list = GetWindow(page, GW_CHILD); list; list = GetWindow(list, GW_HWNDNEXT)) {
        char name[32];
        GetClassNameA(list, name, sizeof name);
        if (strcmp(name, "SysListView32") != 0)
            continue;
        int columns = (int)SendMessageA((HWND)SendMessageA(list, LVM_GETHEADER, 0, 0), HDM_GETITEMCOUNT, 0, 0);
        columns = columns < wanted ? columns : wanted;
        for (int row = 0; row < (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); row++) {
            std::string line;
            for (int column = 0; column < columns; column++)
                line += (column ? "\t" : "") + Cell(list, row, column);
            if (line == cells)
                return true;
        }
    }
    return false;
}

// A step inside the runner's tools, on the page on show; `catcher` scripts
// the Open dialog of "> open Course ... NAME", a file beside the guide.
void ToolsStep(HWND tools, const std::string &step, BoxCatcher *catcher)
{
    SCOPED_TRACE(step);
    HWND page = ToolsPage(tools);
    ASSERT_TRUE(page != NULL);
    // Longer names first: "Age grade" before "Age".
    const std::pair<const char *, int> names[] = {
        {"Distance unit", IDC_PLAN_DISTANCE_UNIT}, {"Pace unit", IDC_PLAN_PACE_KIND}, {"Split every", IDC_SPLITS_UNIT},
        {"Result distance", IDC_RESULT_DISTANCE},   {"Result unit", IDC_RESULT_UNIT},  {"Result time", IDC_RESULT_TIME},
        {"Age-graded time", IDC_AGE_GRADED},        {"Age grade", IDC_AGE_PERCENT},    {"Age", IDC_AGE},
        {"Factor", IDC_AGE_FACTOR},                 {"Time", IDC_PLAN_TIME},
        {"Distance", IDC_PLAN_DISTANCE},            {"Pace", IDC_PLAN_PACE},           {"Speed", IDC_PLAN_SPEED},
        {"Percent", IDC_SPLITS_PERCENT},           {"Every", IDC_SPLITS_EVERY},       {"Hill effort", IDC_SPLITS_HILL},
        {"Start time", IDC_SPLITS_START},          {"Cut-offs", IDC_SPLITS_CUTOFFS},  {"Margin", IDC_SPLITS_MARGIN},
        {"Treadmill unit", IDC_TM_SPEED_UNIT},    {"Outdoor unit", IDC_TM_OUTDOOR_UNIT},
        {"Treadmill", IDC_TM_SPEED},               {"Incline", IDC_TM_INCLINE},       {"Outdoors", IDC_TM_OUTDOOR}};
    std::string verb = step.substr(2, step.find(' ', 2) - 2), rest = After(step, 2 + verb.size());
    // "> type Result time 20:00", "= Age grade 57.4 %": a name, then its text.
    std::string named = step[0] == '=' ? After(step, 1) : rest;
    int id = 0;
    std::string value;
    for (const auto &name : names)
        if (!id && named.rfind(name.first, 0) == 0 && (named.size() == strlen(name.first) || named[strlen(name.first)] == ' ')) {
            id = name.second;
            value = After(named, strlen(name.first));
        }
    if (step[0] == '=' && verb == "says") {
        bool found = false;
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            found = found || Text(child).find(Columns(rest)) != std::string::npos;
        EXPECT_TRUE(found);
    } else if (step[0] == '=' && verb == "row") {
        EXPECT_TRUE(HasRow(page, Columns(rest)));
    } else if (step[0] == '=') {
        ASSERT_NE(id, 0);
        EXPECT_EQ(Text(GetDlgItem(page, id)), value);
    } else if (verb == "type") {
        ASSERT_NE(id, 0);
        SetDlgItemTextA(page, id, value.c_str());
    } else if (verb == "choose") {
        ASSERT_NE(id, 0);
        LRESULT index = SendDlgItemMessageA(page, id, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)value.c_str());
        ASSERT_GE(index, 0);
        SendDlgItemMessageA(page, id, CB_SETCURSEL, (WPARAM)index, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)GetDlgItem(page, id));
    } else if (verb == "click") {
        HWND button = NULL;
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16];
            GetClassNameA(child, name, sizeof name);
            if (!button && _stricmp(name, "Button") == 0 && Plain(child) == rest)
                button = child;
        }
        ASSERT_TRUE(button != NULL);
        SendMessageA(button, BM_CLICK, 0, 0);
    } else if (verb == "open") {
        std::string button = rest.substr(0, rest.rfind(' ')), guide = std::string("Z:") + VELTO_GUIDE;
        std::string file = guide.substr(0, guide.rfind('/') + 1) + rest.substr(rest.rfind(' ') + 1);
        for (char &c : file)
            c = c == '/' ? '\\' : c;
        catcher->InDialog(ChooseFileScript(file));
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (Plain(child) == button)
                SendMessageA(child, BM_CLICK, 0, 0);
    } else if (verb == "close") {
        SendMessageA(tools, WM_COMMAND, IDCANCEL, 0);
    } else {
        ADD_FAILURE() << "unknown step";
    }
}

void Replay(HWND hwnd, const Example &example)
{
    BoxCatcher catcher;
    size_t boxesSeen = 0;
    for (size_t k = 0; k < example.steps.size(); k++) {
        const std::string &step = example.steps[k];
        SCOPED_TRACE(step);
        std::string verb = step.substr(2, step.find(' ', 2) - 2);
        std::string rest = After(step, 2 + verb.size());
        std::string first = rest.substr(0, rest.find(' ')), second = After(rest, first.size());
        if (step[0] == '=') {
            if (verb == "box") {
                ASSERT_LT(boxesSeen, catcher.boxes().size());
                EXPECT_EQ(catcher.boxes()[boxesSeen++].text, rest);
            } else if (verb == "says") {  // a text of the dialog opened last
                ASSERT_FALSE(catcher.dialogs().empty());
                bool found = false;
                for (const std::string &text : catcher.dialogs().back().texts)
                    found = found || text.find(Columns(rest)) != std::string::npos;
                EXPECT_TRUE(found);
            } else if (verb == "row") {  // a line Copy put on the clipboard
                EXPECT_NE(ClipboardText().find("\r\n" + Columns(rest) + "\r\n"), std::string::npos);
            } else {
                EXPECT_EQ(Text(Field(verb)), rest);
            }
        } else if (verb == "type") {
            Type(Field(first), second.c_str());
        } else if (verb == "press") {
            const std::pair<const char *, WPARAM> keys[] = {{"Tab", VK_TAB}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},
                                                            {"Up", VK_UP},   {"Down", VK_DOWN},    {"End", VK_END}};
            WPARAM key = 0;
            for (const auto &k : keys)
                key = first == k.first ? k.second : key;
            ASSERT_NE(key, 0u) << first;
            SendMessageA(GetFocus(), WM_KEYDOWN, key, 0);
        } else if (verb == "choose") {  // "Distance Unit Km", "Split Unit 400m"
            const char *units[5] = {"Mile", "Km", "400m", "440y", "200m"};
            int id = first == "Split" ? 18 : 13;
            std::string unit = rest.substr(rest.rfind(' ') + 1);
            for (int u = 0; u < 5; u++)
                if (unit == units[u])
                    SendMessageA(GetDlgItem(hwnd, id + u), BM_CLICK, 0, 0);
        } else if (verb == "menu") {
            int id = MenuId(GetMenu(hwnd), rest);
            ASSERT_GT(id, 0) << rest;
            // The runner's tools: the steps up to "> close" are taken there.
            if (id >= IDM_SPLITS && id <= IDM_TREADMILL) {
                std::vector<std::string> inside;
                while (k + 1 < example.steps.size() && inside.size() < 100 &&
                       (inside.empty() || inside.back() != "> close"))
                    inside.push_back(example.steps[++k]);
                catcher.InDialog([inside, &catcher](HWND tools) {
                    for (const std::string &step : inside)
                        ToolsStep(tools, step, &catcher);
                });
            }
            // "> dialog 50, OK", "> dialog Copy, Close": what is typed into the
            // dialog the item opens, and the buttons pressed.
            if (k + 1 < example.steps.size() && example.steps[k + 1].rfind("> dialog", 0) == 0) {
                std::string script = After(example.steps[++k], 8), last = script.substr(script.rfind(' ') + 1);
                std::string text = script.find(',') == std::string::npos ? "" : script.substr(0, script.find(','));
                char finish = last == "Cancel" ? 'C' : 'O';
                if (text == "Copy") {
                    text = "";
                    finish = 'Y';
                }
                catcher.ScriptDialog(text.c_str(), finish);
            }
            SendMessageA(hwnd, WM_COMMAND, id, 0);
        } else {
            ADD_FAILURE() << "unknown step";
        }
        Pump();
    }
    EXPECT_EQ(catcher.boxes().size(), boxesSeen) << "a box the guide does not show";
}

TEST(Guide, WorkedExamplesShowWhatTheGuideSays)
{
    std::vector<Example> examples = ReadExamples();
    ASSERT_GE(examples.size(), 8u);
    // As a reader works through them: the tools remember their entries
    // from one example to the next, the main window starts afresh.
    ResetTools();
    for (const Example &example : examples) {
        SCOPED_TRACE(example.title);
        ASSERT_FALSE(example.steps.empty());
        ResetModel();
        HWND hwnd = StartVelto(GetModuleHandleA(NULL));
        ASSERT_TRUE(hwnd != NULL);
        ShowWindow(hwnd, SW_SHOWNORMAL);
        FocusControl(hwndTimeReadout);  // as the program starts
        Pump();
        Replay(hwnd, example);
        DestroyWindow(hwnd);
        Pump();
        UnregisterClassA("Velto", GetModuleHandleA(NULL));
    }
}

}  // namespace
