#pragma once
// The icon sizes the Properties page accepts from its size boxes.
#include <optional>
#include <string_view>

namespace imagelist {

inline constexpr int kMinIconSize = 1;
inline constexpr int kMaxIconSize = 256;

// The size a box's text gives: the whole number of a number in the locale's form, rounded to the nearest with
// halves to the even one ("32", " 48 ", "3E1", "16.5" gives 16, "16.6" 17); nothing for any other text and for
// whole numbers outside 1 to 256, so that no list is ever made at a size it cannot have.
std::optional<int> ParseIconSize(std::wstring_view text);

}  // namespace imagelist
