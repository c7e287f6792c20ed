#pragma once
// Helpers of the Win32 benchmarks: timing, the program's message loop, and the class of the bare windows
// that measure what the platform itself costs.
#include "runtime/App_win.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <vector>

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Runs the queued messages through the program's own loop until none is left.
inline void Settle()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        rt::ProcessMessage(message);
}

// Runs the queued messages through the platform's own loop until none is left: for bare windows, or to leave the
// program's loop out of a figure.
inline void SettlePlain()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// "BareWindow": a plain window class with the platform's default procedure, registered at the first call.
inline const wchar_t* BareWindowClass()
{
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"BareWindow";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;  // a failure shows as CreateWindow failing in the benchmark
    return L"BareWindow";
}

// The median, over rounds, of the time per call of `call(i)` in microseconds; `betweenRounds` runs untimed
// after each round (for instance to let a window repaint).
template <class F, class G> double MedianMicroseconds(int rounds, int calls, F call, G betweenRounds)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> perCall;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < calls; ++i)
            call(i);
        QueryPerformanceCounter(&end);
        perCall.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                          static_cast<double>(frequency.QuadPart) / calls);
        betweenRounds();
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}
