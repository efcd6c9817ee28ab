// A long run of random user actions on the real window: typing, leaving
// fields, scrolling, units, keys, menu commands, dialogs and sizes. After
// each, the model must be sound and equal to what the window shows.
// VELTO_SOAK_ACTIONS and VELTO_SOAK_SEED choose the run; a failure names
// the seed and the action, so that any run can be replayed.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "harness.h"
#include "model/entry.h"
#include "model/pacemodel.h"
#include "ui/velto.h"

namespace {

const char *const distanceFormats[4] = {"%.1f", "%.2f", "%.3f", "%.4f"};
const char *const timeFormats[3] = {"%.0f", "%.1f", "%.2f"};
const char *const paceSuffixes[5] = {" /Mile", " /Km", " /Lap", " /Lap", " /Lap"};

unsigned long Setting(const char *name, unsigned long otherwise)
{
    const char *value = getenv(name);
    return value ? strtoul(value, nullptr, 10) : otherwise;
}

class Soak : public MainWindow {
protected:
    std::mt19937 random;
    int Pick(int n) { return (int)(random() % (unsigned)n); }

    std::string RandomText()
    {
        // Mostly what a time or a distance is made of, now and then not.
        static const char usual[] = "0123456789012345:.", other[] = " -+eEMKLkainf,x";
        std::string text;
        for (int n = Pick(16); n > 0; n--)
            text += Pick(12) ? usual[Pick(sizeof usual - 1)] : other[Pick(sizeof other - 1)];
        return text;
    }
    HWND RandomControl()
    {
        static const int ids[14] = {1, 2, 8, 9, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
        return GetDlgItem(hwnd, ids[Pick(14)]);
    }
    HMENU Submenu(int position) { return GetSubMenu(GetSubMenu(GetMenu(hwnd), 1), position); }
    void Open(HMENU popup, int position)
    {
        SendMessageA(hwnd, WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(position, FALSE));
    }

    // One random action; true when it reaches the precision menus.
    bool Act(BoxCatcher &catcher)
    {
        int kind = Pick(100);
        if (kind < 20) {
            static HWND *const fields[3] = {&hwndTimeReadout, &hwndDistanceReadout, &hwndPaceField};
            Type(*fields[Pick(3)], RandomText().c_str());
        } else if (kind < 30) {
            SetWindowTextA(Pick(2) ? hwndTimeReadout : hwndDistanceReadout, RandomText().c_str());
        } else if (kind < 38) {
            SetFocus(RandomControl());
        } else if (kind < 63) {
            int code = Pick(12);
            SendMessageA(hwnd, WM_HSCROLL, MAKEWPARAM(code == 11 ? Pick(65536) : code, Pick(65536)),
                         (LPARAM)(Pick(2) ? hwndDistanceScroll : hwndTargetScroll));
        } else if (kind < 71) {
            SendMessageA(GetDlgItem(hwnd, 13 + Pick(10)), BM_CLICK, 0, 0);
        } else if (kind < 83) {
            static const WPARAM keys[11] = {VK_TAB,   VK_RETURN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,
                                            VK_PRIOR, VK_NEXT,   VK_HOME, VK_END,   '7'};
            HWND control = RandomControl();
            SetFocus(control);
            SendMessageA(control, WM_KEYDOWN, keys[Pick(11)], 0);
        } else if (kind < 91) {
            int position = 2 + Pick(2);
            Open(Submenu(position), position);
            SendMessageA(hwnd, WM_COMMAND, position == 2 ? 123 + Pick(4) : 127 + Pick(3), 0);
            return true;
        } else if (kind < 94) {
            static const int presets[4] = {131, 132, 150, 151};  // Marathon, Half Mar., 5 K, 10 K
            SendMessageA(hwnd, WM_COMMAND, presets[Pick(4)], 0);
        } else if (kind < 97) {
            // The resolution dialogs, About and the runner's tools, with any text.
            static const char finishes[5] = {'O', 'C', 'E', 'X', 'K'};
            static const int dialogs[6] = {121, 122, 141, 152, 153, 154};
            int command = dialogs[Pick(10) ? Pick(6) : 2];
            char finish = finishes[Pick(5)];
            if (command >= 152)
                finish = Pick(2) ? 'C' : 'X';  // the tools window closes by Close or Esc
            catcher.ScriptDialog(RandomText().c_str(), finish);
            SendMessageA(hwnd, WM_COMMAND, command, 0);
        } else if (kind < 99) {
            int w = Pick(10) ? Pick(1200) : 0, h = Pick(10) ? Pick(400) : 0;
            if (Pick(2))
                Resize(w, h);
            else
                SetWindowPos(hwnd, NULL, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            static const int shows[3] = {SW_MINIMIZE, SW_MAXIMIZE, SW_RESTORE};
            ShowWindow(hwnd, shows[Pick(3)]);
            ShowWindow(hwnd, SW_HIDE);
        }
        return false;
    }

    // Empty when all is well, else what is wrong.
    std::string Check(bool menus)
    {
        char what[256] = "";
        std::string time = Text(hwndTimeReadout).substr(0, 12), distance = Text(hwndDistanceReadout).substr(0, 12);
        if (!(std::isfinite(dTime) && dTime >= 0 && dTime <= fMaxScrollSecs))
            snprintf(what, sizeof what, "time %g outside 0..%g", dTime, fMaxScrollSecs);
        else if (!(std::isfinite(dDistance) && dDistance >= 0 && dDistance <= fMaxScrollMiles))
            snprintf(what, sizeof what, "distance %g outside 0..%g", dDistance, fMaxScrollMiles);
        else if (dTime != ReadTime(time.c_str(), fMaxScrollSecs, FormatDecimals(szTimeFormat)))
            snprintf(what, sizeof what, "time %g but the field shows '%s'", dTime, time.c_str());
        else if (dDistance != ReadDistance(distance.c_str(), dDistanceFactor, fMaxScrollMiles,
                                           FormatDecimals(szDistanceFormat)))
            snprintf(what, sizeof what, "distance %g but the field shows '%s'", dDistance, distance.c_str());
        else if (iDistanceMax != iTargetMax)
            snprintf(what, sizeof what, "ranges %d and %d", iDistanceMax, iTargetMax);
        else if (iDistanceMax > 0 && (Thumb(hwndDistanceScroll) != ScrollPosition(dDistance, fMaxScrollMiles, iDistanceMax) ||
                                      Thumb(hwndTargetScroll) != ScrollPosition(dTime, fMaxScrollSecs, iTargetMax)))
            snprintf(what, sizeof what, "thumbs %d, %d for %g, %g", Thumb(hwndDistanceScroll), Thumb(hwndTargetScroll),
                     dDistance, dTime);
        if (*what)
            return what;
        for (int bank = 0; bank < 2; bank++) {
            int checked = 0, which = 0;
            for (int id = 13 + 5 * bank; id < 18 + 5 * bank; id++)
                if (SendMessageA(GetDlgItem(hwnd, id), BM_GETCHECK, 0, 0) == BST_CHECKED)
                    checked++, which = id;
            if (checked != 1 || which != (bank ? iSplitChecked : iUnitChecked))
                return "unit marks of bank " + std::to_string(bank);
        }
        if (dDistanceFactor != UnitFactor(iUnitChecked) || dSplitFactor != UnitFactor(iSplitChecked))
            return "unit factors";
        if (strcmp(szDistanceFormat, distanceFormats[iDistancePrecisionChecked - 123]) != 0 ||
            strcmp(szTimeFormat, timeFormats[iTargetPrecisionChecked - 127]) != 0)
            return "formats and check states differ";
        if (menus) {
            for (int position = 2; position <= 3; position++) {
                HMENU popup = Submenu(position);
                Open(popup, position);
                int marks = 0;
                for (int k = 0; k < GetMenuItemCount(popup); k++)
                    marks += (GetMenuState(popup, k, MF_BYPOSITION) & MF_CHECKED) != 0;
                int current = position == 2 ? iDistancePrecisionChecked : iTargetPrecisionChecked;
                if (marks != 1 || !(GetMenuState(popup, current, MF_BYCOMMAND) & MF_CHECKED))
                    return "precision marks";
            }
        }
        return "";
    }
};

TEST_F(Soak, RandomActions)
{
    unsigned long actions = Setting("VELTO_SOAK_ACTIONS", 5000), seed = Setting("VELTO_SOAK_SEED", 20261208);
    random.seed(seed);
    ShowWindow(hwnd, SW_HIDE);  // the same messages, without drawing each one
    BoxCatcher catcher;
    size_t dialogs = 0;
    auto start = std::chrono::steady_clock::now();
    unsigned long n = 0;
    for (; n < actions; n++) {
        bool menus = Act(catcher);
        Pump();
        dialogs = catcher.dialogs().size();
        std::string wrong = Check(menus);
        ASSERT_EQ(wrong, "") << "seed " << seed << ", action " << n;
        ASSERT_TRUE(IsWindow(hwnd));
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("soak: seed %lu, %lu actions in %.1f s (%.0f a second), %zu error boxes, %zu dialogs, 0 violations\n", seed,
           n, seconds, n / seconds, catcher.boxes().size(), dialogs);
}

}  // namespace
