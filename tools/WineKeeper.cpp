// Keeps one hidden GUI process alive in the test prefix, so Wine's desktop process stays up between tests
// instead of restarting (and holding the test runner's pipe) for every test program.
// WineKeeper.exe [file]: once it runs, it creates `file`, which tells the set-up that this keeper (and not
// the keeper of another prefix on the machine) is up.
#include "runtime/Handles_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    CreateWindowW(L"STATIC", L"plumvane-keeper", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    // The file's existence is the whole message: it is closed at once.
    if (commandLine && *commandLine)
        rt::OwnFile(CreateFileW(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
