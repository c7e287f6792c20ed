#include <windows.h>

#include <gtest/gtest.h>

// The test programs run on a desktop of their own with a working window manager underneath.
TEST(WinTestHost, CreatesAndActivatesAWindow)
{
    HWND hwnd = CreateWindowW(L"STATIC", L"probe", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    SetForegroundWindow(hwnd);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    DestroyWindow(hwnd);
}
