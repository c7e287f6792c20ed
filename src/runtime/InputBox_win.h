#pragma once
// The input box: a small modal dialog that asks for one line of text.
#include <string>
#include <string_view>

namespace rt {

// Control ids inside the input box, for tests that answer it (its window class is the dialog class "#32770").
inline constexpr int kInputBoxPromptId = 1001;
inline constexpr int kInputBoxEditId = 1002;

// Shows `prompt` (CR LF breaks lines) above an edit holding `defaultText`, selected, with OK and Cancel.
// Returns the edited text on OK (Enter); "" on Cancel, Esc or the close box, and when the box could not be
// shown. An empty title gives the application title. The box is owned by the thread's active window, which is
// disabled while the box is open and enabled again before it closes.
std::wstring InputBox(std::wstring_view prompt, std::wstring_view title = {}, std::wstring_view defaultText = {});

}  // namespace rt
