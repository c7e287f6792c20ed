#pragma once
// Text helpers for the tape lines and the message texts.
#include <cstddef>
#include <string>
#include <string_view>

namespace rt {

// Blanks in front of `text` up to `width` characters; a longer text comes back whole, never cut.
std::wstring RightAlign(std::wstring_view text, size_t width);

// Case mapping of Latin-1 letters (ASCII and U+00C0-U+00FE without the multiplication and division
// signs). "ß" and "ÿ" have no single upper-case letter in Latin-1 and stay as they are; every other
// character is copied unchanged.
std::wstring UpperCase(std::wstring_view text);
std::wstring LowerCase(std::wstring_view text);

// A stored message text made ready to show: every "|" becomes CR LF, and the first U+008D, U+017D and
// U+008F are replaced by `first`, `second` and `third` (a missing text removes its placeholder). One pass
// over the stored text, so what the arguments bring in is never substituted again.
std::wstring ExpandMessage(std::wstring_view stored, std::wstring_view first = {}, std::wstring_view second = {},
                           std::wstring_view third = {});

}  // namespace rt
