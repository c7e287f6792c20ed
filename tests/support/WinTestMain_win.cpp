// main() of the Win32 test programs. Each program takes a desktop of its own, so test programs that
// CTest runs side by side never share focus, activation or typed input.
#include <windows.h>

#include "support/DialogScript_win.h"

#include <gtest/gtest.h>

#include <string>

int main(int argc, char** argv)
{
    const std::wstring name = L"plumvane-test-" + std::to_wstring(GetCurrentProcessId());
    if (HDESK desk = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr))
        SetThreadDesktop(desk);
    testing::InitGoogleTest(&argc, argv);
    // A message box that no test answers fails that test and is closed, instead of blocking the run.
    test::DialogScript unanswered;
    return RUN_ALL_TESTS();
}
