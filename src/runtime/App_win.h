#pragma once
// The program's message loop and the platform operations that act on it: yielding (DoEvents) and simulated
// keys (SendKeys) delivered through the program's own queue, never as global input.
#include <windows.h>

#include <string_view>

namespace rt {

// Runs the message loop until WM_QUIT or until no form is loaded; returns the WM_QUIT exit code (0 otherwise).
int RunMessageLoop();

// Processes the messages waiting now and returns. A WM_QUIT is left for the outer loop.
void DoEvents();

// Queues simulated key strokes for the focused control: "{TAB}" (any case), with "+" (Shift), "^" (Ctrl) or
// "%" (Alt) in front. Each key-down is delivered to the control that has the focus when it is processed and
// each key-up to the one that has it then, so the release of a Tab reaches the newly focused control.
// Returns false, queuing nothing, for any other text.
bool SendKeys(std::wstring_view keys);

// The keys held now ran a command that moved the focus (an access key): their releases, which the newly
// focused control reads next, are no key events of its own.
void IgnoreReleasesOfHeldKeys();

// Shift (1), Ctrl (2) and Alt (4) as they are held now, or as a simulated key being delivered says.
int ShiftState();

// Hands one message from any of the program's loops to its window: menu shortcuts first, then
// TranslateMessage and DispatchMessage. The modal loops of forms use it too.
void ProcessMessage(MSG& message);

// Records an exception that reached the runtime from a handler or window procedure (the error state).
void ReportException() noexcept;

}  // namespace rt
