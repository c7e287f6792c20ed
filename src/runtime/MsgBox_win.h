#pragma once
// The message box of the program: the system's MessageBox with the classic style numbers.
#include <string_view>

namespace rt {

// Classic style numbers (they add up, e.g. 36 = Yes/No with the question icon).
inline constexpr int kMsgOkOnly = 0;
inline constexpr int kMsgOkCancel = 1;
inline constexpr int kMsgYesNoCancel = 3;
inline constexpr int kMsgYesNo = 4;
inline constexpr int kMsgCritical = 16;
inline constexpr int kMsgQuestion = 32;
inline constexpr int kMsgExclamation = 48;
inline constexpr int kMsgInformation = 64;
inline constexpr int kMsgDefaultButton2 = 256;
inline constexpr int kMsgDefaultButton3 = 512;

// Answers.
inline constexpr int kMsgResultOk = 1;
inline constexpr int kMsgResultCancel = 2;
inline constexpr int kMsgResultYes = 6;
inline constexpr int kMsgResultNo = 7;

// Shows `prompt` (CR LF breaks lines) and waits for the answer: 1 OK, 2 Cancel (also Esc or the close box
// where the box has a Cancel button), 6 Yes, 7 No; 0 when the box could not be shown. An empty title gives
// the application title. The box is owned by the thread's active window and disables the program's windows
// while it is open.
int MsgBox(std::wstring_view prompt, int style = 0, std::wstring_view title = {});

}  // namespace rt
