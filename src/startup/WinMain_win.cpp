// Entry point of Plumvane.exe.
#include "startup/Main_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) { return Main(commandLine ? commandLine : L""); }
