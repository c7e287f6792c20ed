// Start-up time: from the creation of this process to the first moment its message loop is idle.
//   Startup_win_bench plumvane   the program's own start-up (companion form, main window, keypad, menus)
//   Startup_win_bench minimal    a bare Win32 program that only opens one window
// Each run prints one figure; run both a few times in one session to compare them.
#include "core/ProgramState.h"
#include "runtime/Form_win.h"
#include "runtime/LocaleFromSystem_win.h"
#include "startup/frmSysTray_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

double MillisecondsSinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// Pumps until the queue is empty: the point where a message loop would first wait.
void PumpUntilIdle()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void OpenMinimalWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MinimalBench";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"MinimalBench", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 220,
                              380, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
}

void OpenPlumvane()
{
    core::ProgramState& program = core::Program();
    const rt::Locale locale = rt::SystemLocale();
    rt::SetCurrentLocale(locale);
    core::FillFromLocale(program, locale);
    rt::TheForm<frmSysTray>().Load();
}

}  // namespace

int main(int argc, char** argv)
{
    const bool minimal = argc > 1 && std::strcmp(argv[1], "minimal") == 0;
    if (minimal)
        OpenMinimalWindow();
    else
        OpenPlumvane();
    PumpUntilIdle();
    std::printf("%s start-up to idle: %.1f ms\n", minimal ? "minimal" : "plumvane", MillisecondsSinceProcessStart());
    return 0;
}
