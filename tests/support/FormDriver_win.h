#pragma once
// Drives the program's forms in tests with real window messages through the runtime's message handling:
// keys are posted to the focused window and translated by the loop, clicks are posted to the control.
// Nothing sleeps: waiting means pumping messages until a condition holds or a deadline passes.
#include "runtime/Control_win.h"
#include "runtime/TextBox_win.h"

#include <windows.h>

#include <functional>
#include <string_view>

namespace test {

// Pumps messages until `done` holds (true) or `timeoutMs` passes (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Pumps until no message is waiting (the runtime's own queued work included).
void Settle();

// Presses and releases `keyCode` on the focused window, with Shift held when `shift` is set.
void PressKey(int keyCode, bool shift = false);
// Types each character of `text` as its key (digits, letters, punctuation of the US layout).
void TypeText(std::wstring_view text);
// Alt + `letter`, as an access key.
void PressAltKey(wchar_t letter);
// A left click (press and release) at `x`, `y` pixels of `hwnd`'s client area.
void ClickAt(HWND hwnd, int x = 2, int y = 2);
// A left click near the top-left corner of `control`, then Settle.
void Click(const rt::Control& control);
// Focuses `box`, then types `text` into it.
void TypeInto(rt::TextBox& box, std::wstring_view text);

}  // namespace test
