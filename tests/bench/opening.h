// A modal window's opening, timed the same way in the benchmark and in its
// floor: from the command that opens it until a timer's turn comes once it
// is active, after all its painting; then it is closed.
#ifndef VELTO_BENCH_OPENING_H
#define VELTO_BENCH_OPENING_H

#include <windows.h>

#include <chrono>

using Clock = std::chrono::steady_clock;

inline Clock::time_point openStart;
inline double openMs;
inline HHOOK openHook;

inline void CALLBACK Opened(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = GetActiveWindow();
    if (!window || !IsWindowVisible(window))
        return;  // again at the next tick
    KillTimer(NULL, timer);
    openMs = std::chrono::duration<double, std::milli>(Clock::now() - openStart).count();
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

// What runs once the window is up; a benchmark may put its own in.
inline TIMERPROC whenOpen = Opened;

inline LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE)
        SetTimer(NULL, 0, 1, whenOpen);
    return CallNextHookEx(openHook, code, wParam, lParam);
}

// The milliseconds from calling `open` until its window has painted.
template <class Open> double TimeOpening(Open open)
{
    openHook = SetWindowsHookExA(WH_CBT, OnActivate, NULL, GetCurrentThreadId());
    openStart = Clock::now();
    open();
    UnhookWindowsHookEx(openHook);
    return openMs;
}

#endif
