#pragma once
// The shared procedures every window calls: message texts, the money format and Num Lock.
#include <string>
#include <string_view>

namespace Module1 {

// Message N of the message table with "|" as line breaks and its placeholders filled from the texts.
std::wstring CarregaMensagem(int n, std::wstring_view first = {}, std::wstring_view second = {},
                             std::wstring_view third = {});

// "#,##0.00" in the locale's separators, or "0.00" for a text that is not a number.
std::wstring FormataValor(std::wstring_view value);
std::wstring FormataValor(double value);

// With `alwaysOn` (the main window's "NumLock always ON", which the caller reads), switches Num Lock back on
// when it is off.
void LigaNumLock(bool alwaysOn);

}  // namespace Module1
