#pragma once
#include <string_view>

// Starts the program: keeps the command-line word, fills the program-wide state from the system's locale,
// loads the companion form (which shows the calculator) and runs the message loop until the exit.
int Main(std::wstring_view commandLine);
