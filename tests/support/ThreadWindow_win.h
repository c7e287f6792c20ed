#pragma once
// Another process's main window, for tests and benchmarks that start the real program.
#include <windows.h>

namespace test {

// The top-level window of `thread` that takes input: visible, with a caption; null while there is none.
inline HWND CaptionedWindowOf(DWORD thread)
{
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM param) {
            if (!IsWindowVisible(hwnd) || (GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
                return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace test
