#pragma once
// The icon sizes the Properties page accepts from its size boxes.
#include <optional>
#include <string_view>

namespace imagelist {

inline constexpr int kMinIconSize = 1;
inline constexpr int kMaxIconSize = 256;

// The size a box's text gives: a number in the locale's form that is whole and from 1 to 256 ("32", " 48 ",
// "3E1", "72.0"); nothing for any other text, so that no list is ever made at a size it cannot have.
std::optional<int> ParseIconSize(std::wstring_view text);

}  // namespace imagelist
