#pragma once
// Number patterns in the platform's Format notation, limited to digit placeholders: "0" (always a digit),
// "#" (a digit when needed), one "." (the locale's decimal separator) and "," in the whole part
// (the locale's thousands separator every three digits). Other pattern characters are ignored.
#include <string>
#include <string_view>

namespace rt {

// Formats a value with a pattern such as "#,##0.00", "#0.0#####", "00" or "000". The value is first taken
// to 15 significant digits, then rounded to the pattern's decimals with halves away from zero
// (2.675 gives "2.68"). A negative value that rounds to zero shows no sign. Infinities and NaN give their
// general text.
std::wstring FormatNumber(double value, std::wstring_view pattern);

// The money format "#,##0.00" of a text read with the locale's rules; "0.00" when the text is not a
// number. Never fails.
std::wstring FormatMoney(std::wstring_view valueText);

// The money format "#,##0.00" of a value; "0.00" for infinities and NaN.
std::wstring FormatMoney(double value);

}  // namespace rt
