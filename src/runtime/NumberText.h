#pragma once
// Numbers as text: reading a text with the locale's rules, the leading-number reading that ignores the
// locale, whole-number conversion, and the general decimal text of a double. Every function is defined
// for every input: a text that is not a number gives a failure or a stated value, never a crash.
#include "runtime/ValueError.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Reads a text as a number with the current locale's separators: digits, one decimal separator, thousands
// separators anywhere after the first digit or the decimal separator (grouping is not checked), an exponent
// (E or e, optional sign, digits). Around them, with blanks anywhere: one sign, before or after the digits
// ("12-"); the locale's currency symbol, before or after, but then no exponent ("$1,000.50"); parentheses,
// which make the number negative ("(12)"). Correctly rounded.
// Not a number (empty, blanks only, letters, a lone separator, two decimal separators, two signs, an
// unclosed parenthesis): TypeMismatch. Beyond the range of a double: Overflow; below it: 0.
Result<double> ParseNumber(std::wstring_view text);

// True when ParseNumber reads the text.
bool IsNumeric(std::wstring_view text);

// Reads the number at the start of a text the way the classic Val() does: blanks, tabs and line feeds are
// skipped anywhere, "." is always the decimal point, one sign, an exponent with E or D, or a "&H" / "&O"
// hexadecimal or octal number; reading stops at the first character that cannot continue the number.
// No number gives 0. Never fails: a magnitude beyond a double gives the largest double of that sign, a
// hexadecimal or octal number beyond 32 bits gives 0. Hexadecimal and octal numbers are 16-bit signed up
// to &HFFFF, 32-bit signed above ("&HFFFF" is -1, "&H10000" is 65536).
double LeadingNumber(std::wstring_view text);

// Whole numbers: halves round to the even neighbour; out of range or NaN gives Overflow.
Result<int32_t> ToLong(double value);
Result<int16_t> ToInteger(double value);

// The general decimal text of a double: at most 15 significant digits, no trailing zeros, the locale's
// decimal separator, no thousands separators; the exponent form ("1E-05", "1.5E+16") when the decimal
// exponent is below -4 or at least 15. Reads back through ParseNumber to a double with the same text
// (so the largest doubles, which would round to 1.79769313486232E+308, write 1.79769313486231E+308).
// Infinities and NaN give "1.#INF", "-1.#INF" and "-1.#IND".
std::wstring GeneralText(double value);

// A finite double rounded to a number of significant decimal digits: value = 0.d1d2...dn x 10^(exponent+1),
// i.e. d1.d2...dn x 10^exponent. Halves round away from zero; the halves are judged on the exact binary
// value. Trailing zeros are removed; zero has the single digit "0" and exponent 0.
struct SignificantDigits {
    static constexpr int kMaxDigits = 15;
    bool negative = false;
    int count = 1;
    int exponent = 0;
    char digits[kMaxDigits] = {'0'};  // ASCII '0'..'9'

    bool IsZero() const { return count == 1 && digits[0] == '0'; }
};

// digitCount is 1 to 15; value must be finite.
SignificantDigits RoundToSignificant(double value, int digitCount);

}  // namespace rt
