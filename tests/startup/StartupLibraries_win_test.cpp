// The real program as a whole process: at its first idle moment it has not loaded the common controls, which
// its first paint does not need (loading them registers every one of their window classes); the first menu
// opened brings them, with the list of the menus' icons.
#include "support/ThreadWindow_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <string>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Plumva";

bool HasModule(DWORD pid, const wchar_t* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szModule, name) == 0;
    CloseHandle(snapshot);
    return found;
}

template <class Condition>
bool WaitFor(Condition condition)
{
    for (int i = 0; i < 250; ++i) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

TEST(StartupLibraries, TheCommonControlsComeWithTheFirstMenuNotBeforeTheFirstIdleMoment)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    // A copy of its own, so that nothing it writes touches the other tests.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path here = std::filesystem::path(self).parent_path();
    const std::filesystem::path folder = here / (L"libraries-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(here / L"Plumvane.exe", folder / L"Plumvane.exe",
                               std::filesystem::copy_options::overwrite_existing);
    std::wstring command = L"\"" + (folder / L"Plumvane.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                               &info));
    EXPECT_EQ(WaitForInputIdle(info.hProcess, 20000), 0u);
    HWND main = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (main = test::CaptionedWindowOf(info.dwThreadId)) != nullptr; }));
    EXPECT_TRUE(HasModule(info.dwProcessId, L"user32.dll"));  // the modules can be read at all
    EXPECT_FALSE(HasModule(info.dwProcessId, L"comctl32.dll"));

    // Alt+F, as the window's own keyboard-menu command.
    if (main)
        PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    EXPECT_TRUE(WaitFor([&] { return HasModule(info.dwProcessId, L"comctl32.dll"); }));

    DWORD_PTR answer = 0;
    if (main) {
        SendMessageTimeoutW(main, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not close";
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace
