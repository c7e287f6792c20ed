// Start-up time: from the creation of this process to the first moment its message loop is idle.
//   Startup_win_bench plumvane   the program's own start-up (companion form, main window, keypad, menus)
//   Startup_win_bench plain      the same with the "Office XP" menus off (the system's own menus)
//   Startup_win_bench minimal    a bare Win32 program that only opens one window
// Each run prints one figure; run both a few times in one session to compare them.
#include "core/ProgramState.h"
#include "runtime/Form_win.h"
#include "runtime/LocaleFromSystem_win.h"
#include "runtime/Settings_win.h"
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

void OpenPlumvane(bool plainMenus)
{
    // The option as the run asks: the store keeps what the program saves at its exit.
    rt::SaveSetting(L"Plumva", L"Conf", L"MenuXP", plainMenus ? L"False" : L"True");
    core::ProgramState& program = core::Program();
    const rt::Locale locale = rt::SystemLocale();
    rt::SetCurrentLocale(locale);
    core::FillFromLocale(program, locale);
    rt::TheForm<frmSysTray>().Load();
}

}  // namespace

int main(int argc, char** argv)
{
    const char* mode = argc > 1 ? argv[1] : "plumvane";
    const bool minimal = std::strcmp(mode, "minimal") == 0;
    const bool plain = std::strcmp(mode, "plain") == 0;
    if (minimal)
        OpenMinimalWindow();
    else
        OpenPlumvane(plain);
    PumpUntilIdle();
    const double ms = MillisecondsSinceProcessStart();
    if (plain)
        rt::SaveSetting(L"Plumva", L"Conf", L"MenuXP", L"True");
    std::printf("%s start-up to idle: %.1f ms\n", mode, ms);
    return 0;
}
