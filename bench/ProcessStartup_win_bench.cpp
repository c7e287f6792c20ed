// Start-up of the real program as a whole process, beside two floors started the same way, alternating, in one
// run: a bare window program (BareWindow.exe: a window with a menu bar and an edit box) and the same program
// making the windows the calculator shows at start the platform's plain way (BareWindow.exe keypad):
//   idle   process creation to the first moment its message loop waits for input (WaitForInputIdle);
//   exit   process creation to the process's end, with WM_CLOSE posted to its window at that moment.
// ProcessStartup_win_bench [rounds] [program]: rounds of each (default 15); the program to start, by default the
// one ./run.sh starts (build/release/Plumvane.exe) if it has been built, else this build's. Prints medians in
// milliseconds and the ratios; asserts nothing.
// Plumvane runs from a copy in a folder of its own (its backup file would land there), and the settings key it
// writes at its exit is put back as it was before the run.
#include "MedianTiming_win.h"
#include "support/ThreadWindow_win.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 20000;
constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\Plumva";
constexpr wchar_t kSavedKey[] = L"Software\\Plumvane start-up bench\\Plumva";

struct Timing {
    double idle = 0;
    double exit = 0;
};

std::optional<Timing> StartAndClose(const std::filesystem::path& exe, const wchar_t* arguments = L"")
{
    std::wstring command = L"\"" + exe.wstring() + L"\"" + (*arguments ? L" " : L"") + arguments;
    const std::wstring folder = exe.parent_path().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info)) {
        std::fprintf(stderr, "could not start %ls (error %lu)\n", command.c_str(), GetLastError());
        return std::nullopt;
    }
    Timing timing;
    const DWORD idle = WaitForInputIdle(info.hProcess, kWaitMs);
    timing.idle = MillisecondsSince(start);
    // Should the idle moment come before the window, the close waits for the window (and the exit shows it).
    HWND window = test::CaptionedWindowOf(info.dwThreadId);
    for (int i = 0; !window && i < 2000; ++i) {
        Sleep(1);
        window = test::CaptionedWindowOf(info.dwThreadId);
    }
    bool ended = false;
    if (idle == 0 && window && PostMessageW(window, WM_CLOSE, 0, 0))
        ended = WaitForSingleObject(info.hProcess, kWaitMs) == WAIT_OBJECT_0;
    timing.exit = MillisecondsSince(start);
    if (!ended) {
        std::fprintf(stderr, "%ls did not %s\n", exe.filename().c_str(), idle != 0 ? "become idle" : "close");
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, kWaitMs);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!ended)
        return std::nullopt;
    return timing;
}

bool KeyExists(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Copies the key at `from` (with its subkeys) to `to`, which is emptied first.
void CopyKey(const wchar_t* from, const wchar_t* to)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, to);
    HKEY source = nullptr;
    HKEY target = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from, 0, KEY_READ, &source) == ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
            ERROR_SUCCESS)
        RegCopyTreeW(source, nullptr, target);
    if (source)
        RegCloseKey(source);
    if (target)
        RegCloseKey(target);
}

// Keeps the program's settings as they were before the run: each run's exit stores the options it read.
class SettingsKept {
public:
    SettingsKept() : existed_(KeyExists(kSettingsKey))
    {
        if (existed_)
            CopyKey(kSettingsKey, kSavedKey);
    }
    ~SettingsKept()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        if (existed_)
            CopyKey(kSavedKey, kSettingsKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Plumvane start-up bench");
    }
    SettingsKept(const SettingsKept&) = delete;
    SettingsKept& operator=(const SettingsKept&) = delete;

private:
    bool existed_;
};

// The program ./run.sh starts, the release build's, if it has been built; else the one beside this bench.
std::filesystem::path DefaultProgram(const std::filesystem::path& benchFolder)
{
    const std::filesystem::path build = benchFolder.parent_path();
    const std::filesystem::path release = build.parent_path() / L"release" / L"Plumvane.exe";
    std::error_code error;
    return std::filesystem::exists(release, error) ? release : build / L"Plumvane.exe";
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path here = std::filesystem::path(self).parent_path();
    const std::filesystem::path floor = here / L"BareWindow.exe";
    const std::filesystem::path folder = here / (L"startup-" + std::to_wstring(GetCurrentProcessId()));
    const std::filesystem::path program = folder / L"Plumvane.exe";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path original = argc > 2 ? std::filesystem::path(argv[2]) : DefaultProgram(here);
    std::filesystem::copy_file(original, program, std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "could not copy Plumvane.exe beside the bench: %s\n", error.message().c_str());
        return 1;
    }
    std::printf("%ls: %.1f MB; BareWindow.exe: %.1f MB\n", original.c_str(),
                static_cast<double>(std::filesystem::file_size(program, error)) / 1e6,
                static_cast<double>(std::filesystem::file_size(floor, error)) / 1e6);

    // 0: the bare window, 1: the same windows as the calculator's, 2: Plumvane.
    const auto start = [&](int which) {
        return which == 0 ? StartAndClose(floor) : which == 1 ? StartAndClose(floor, L"keypad") : StartAndClose(program);
    };
    std::vector<double> idle[3], exit[3];
    {
        SettingsKept settings;
        // One untimed start of each first: the first start of an exe pays for reading it from disk.
        for (int which = 0; which < 3; ++which)
            start(which);
        for (int round = 0; round < rounds; ++round) {
            // Rotating which goes first, so that none always follows the same one's exit.
            for (int turn = 0; turn < 3; ++turn) {
                const int which = (round + turn) % 3;
                if (const auto timing = start(which)) {
                    idle[which].push_back(timing->idle);
                    exit[which].push_back(timing->exit);
                }
            }
        }
    }
    std::filesystem::remove_all(folder, error);

    if (idle[0].empty() || idle[1].empty() || idle[2].empty())
        return 1;
    std::printf("medians of %zu rounds, milliseconds from process creation\n", idle[2].size());
    const char* const names[2] = {"to the first idle moment:          ", "to the exit, closed at that moment:"};
    for (int measure = 0; measure < 2; ++measure) {
        std::vector<double>* const times = measure == 0 ? idle : exit;
        const double bare = Median(times[0]), same = Median(times[1]), ours = Median(times[2]);
        std::printf("  %s Plumvane %7.1f   bare window %7.1f (ratio %.2f)   same windows %7.1f (ratio %.2f)\n",
                    names[measure], ours, bare, ours / bare, same, ours / same);
    }
    return 0;
}
