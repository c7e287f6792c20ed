// Keeps one hidden GUI process alive in the test prefix, so Wine's desktop process stays up between tests
// instead of restarting (and holding the test runner's pipe) for every test program.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CreateWindowW(L"STATIC", L"plumvane-keeper", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
