#pragma once
// The program's resources and identity: the message table, icons and cursors by number, the application's
// title, executable name and folder. Resources are read from the executable (the program or a test program,
// which links the same resources).
#include <windows.h>

#include <string>
#include <string_view>

namespace rt {

// String resource `id` whole (no length limit); empty when there is none.
std::wstring LoadResString(int id);

// Message `n` of the message table (string n * 10 + 2), with every "|" turned into CR LF and the placeholders
// U+008D, U+017D and U+008F filled from a1, a2 and a3 in one pass; empty when the message does not exist.
std::wstring LoadMessage(int n, std::wstring_view a1 = {}, std::wstring_view a2 = {}, std::wstring_view a3 = {});

// Icon resource `id` at `size` x `size` pixels (0: the image's own size); nullptr when there is none.
// The handle is kept for the program's life and shared by every caller: never destroy it.
HICON LoadIconResource(int id, int size = 0);

// Cursor resource `id` at its own size, with its hot spot; nullptr when there is none. Shared like icons.
HCURSOR LoadCursorResource(int id);

// "Plumvane": the title of message boxes and input boxes that are given none.
std::wstring AppTitle();

// The executable's file name without its extension ("Plumvane"): the program's name in the source of every
// error it raises.
std::wstring ExeName();

// The executable's folder, ending in a backslash.
std::wstring AppPath();

}  // namespace rt
