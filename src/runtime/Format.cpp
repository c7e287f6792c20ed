#include "runtime/Format.h"

#include "runtime/Locale.h"
#include "runtime/NumberText.h"

#include <cmath>
#include <string>

namespace rt {

namespace {

struct Pattern {
    int minWhole = 0;     // "0" placeholders before the point
    bool grouping = false;
    bool hasPoint = false;
    int minFraction = 0;  // decimals up to the last "0" after the point
    int maxFraction = 0;  // all placeholders after the point
};

Pattern ReadPattern(std::wstring_view text)
{
    Pattern p;
    for (const wchar_t c : text) {
        if (c == L'.' && !p.hasPoint) {
            p.hasPoint = true;
        } else if (c == L'0' || c == L'#') {
            if (!p.hasPoint) {
                p.minWhole += c == L'0';
            } else {
                ++p.maxFraction;
                if (c == L'0')
                    p.minFraction = p.maxFraction;
            }
        } else if (c == L',' && !p.hasPoint) {
            p.grouping = true;
        }
    }
    return p;
}

// The digits of |value| x 10^decimals rounded to a whole number, halves away from zero, taken from the
// value's 15-significant-digit form. Empty for zero.
std::string ScaledDigits(const SignificantDigits& d, int decimals)
{
    const int keep = d.exponent + 1 + decimals;  // digits whose place is at least 10^-decimals
    std::string digits;
    if (d.IsZero() || keep < 0)
        return digits;
    if (keep >= d.count) {
        digits.assign(d.digits, d.digits + d.count);
        digits.append(static_cast<size_t>(keep - d.count), '0');
        return digits;
    }
    digits.assign(d.digits, d.digits + keep);
    if (d.digits[keep] >= '5') {
        int k = keep - 1;
        while (k >= 0 && digits[k] == '9')
            digits[k--] = '0';
        if (k >= 0)
            ++digits[k];
        else
            digits.insert(digits.begin(), '1');
    }
    const size_t first = digits.find_first_not_of('0');
    digits.erase(0, first == std::string::npos ? digits.size() : first);
    return digits;
}

}  // namespace

std::wstring FormatNumber(double value, std::wstring_view pattern)
{
    if (!std::isfinite(value))
        return GeneralText(value);
    const Pattern p = ReadPattern(pattern);
    const Locale& locale = CurrentLocale();
    const SignificantDigits d = RoundToSignificant(value, 15);
    const std::string digits = ScaledDigits(d, p.maxFraction);

    const size_t fractionSize = static_cast<size_t>(p.maxFraction);
    const size_t wholeSize = digits.size() > fractionSize ? digits.size() - fractionSize : 0;
    std::string whole = digits.substr(0, wholeSize);
    if (whole.size() < static_cast<size_t>(p.minWhole))
        whole.insert(0, static_cast<size_t>(p.minWhole) - whole.size(), '0');
    std::string fraction = digits.substr(wholeSize);
    fraction.insert(0, fractionSize - fraction.size(), '0');
    while (fraction.size() > static_cast<size_t>(p.minFraction) && fraction.back() == '0')
        fraction.pop_back();

    std::wstring out;
    out.reserve(whole.size() + whole.size() / 3 + fraction.size() + 3);
    if (d.negative && !digits.empty())
        out += L'-';
    for (size_t i = 0; i < whole.size(); ++i) {
        out += static_cast<wchar_t>(whole[i]);
        const size_t left = whole.size() - 1 - i;
        if (p.grouping && left > 0 && left % 3 == 0)
            out += locale.thousandsSeparator;
    }
    if (p.hasPoint) {
        out += locale.decimalSeparator;
        for (const char c : fraction)
            out += static_cast<wchar_t>(c);
    }
    return out;
}

std::wstring FormatMoney(std::wstring_view valueText)
{
    const Result<double> value = ParseNumber(valueText);
    return value ? FormatNumber(*value, L"#,##0.00") : std::wstring(L"0.00");
}

std::wstring FormatMoney(double value)
{
    return std::isfinite(value) ? FormatNumber(value, L"#,##0.00") : std::wstring(L"0.00");
}

}  // namespace rt
