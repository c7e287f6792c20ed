#include "runtime/NumberText.h"

#include "runtime/Locale.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace rt {

namespace {

// The blanks the platform's number reader skips around a number: the Unicode space characters.
bool IsBlank(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Exponents are read with saturation: any exponent beyond this already puts every mantissa out of range.
constexpr int64_t kExponentLimit = 1'000'000'000;

void AddExponentDigit(int64_t& exponent, wchar_t c)
{
    exponent = std::min<int64_t>(exponent * 10 + (c - L'0'), kExponentLimit);
}

enum class Magnitude { Normal, Zero, Overflow };

// Collects the digits of a decimal number and turns them into the nearest double. Only the first
// kMaxSignificant significant digits are kept; a non-zero digit beyond them is kept as one sticky digit,
// which is enough for correct rounding since a halfway point between doubles has fewer digits.
class DigitCollector {
public:
    void Add(wchar_t c, bool afterPoint)
    {
        const char d = static_cast<char>(c);
        if (count_ == 0 && d == '0') {
            if (afterPoint)
                --scale_;
            return;
        }
        if (count_ < kMaxSignificant) {
            digits_[count_++] = d;
            if (afterPoint)
                --scale_;
        } else {
            if (!afterPoint)
                ++scale_;
            sticky_ = sticky_ || d != '0';
        }
    }

    // The value times 10^exponent. Zero when no significant digit was seen.
    Magnitude Finish(int64_t exponent, double& value)
    {
        value = 0.0;
        if (count_ == 0)
            return Magnitude::Zero;
        if (sticky_) {
            digits_[count_++] = '1';
            --scale_;
        }
        const int64_t power = scale_ + exponent;
        const int64_t top = count_ - 1 + power;  // the value lies in [10^top, 10^(top+1))
        if (top > 310)
            return Magnitude::Overflow;
        if (top < -330)
            return Magnitude::Zero;
        char buffer[kMaxSignificant + 1 + 24];
        std::memcpy(buffer, digits_, count_);
        char* end = buffer + count_;
        *end++ = 'e';
        end = std::to_chars(end, buffer + sizeof buffer, power).ptr;
        const auto result = std::from_chars(buffer, end, value);
        if (result.ec == std::errc::result_out_of_range) {
            value = 0.0;
            return top > 0 ? Magnitude::Overflow : Magnitude::Zero;
        }
        return Magnitude::Normal;
    }

private:
    static constexpr int kMaxSignificant = 800;
    char digits_[kMaxSignificant + 1];
    int count_ = 0;
    int64_t scale_ = 0;  // the digits read as a whole number, times 10^scale_
    bool sticky_ = false;
};

// The exact binary value a = odd * 2^power2.
void SplitBinary(double a, uint64_t& odd, int& power2)
{
    const uint64_t bits = std::bit_cast<uint64_t>(a);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
    int power = -1074;
    if (biased != 0) {
        mantissa |= uint64_t{1} << 52;
        power = biased - 1075;
    }
    const int zeros = std::countr_zero(mantissa);
    odd = mantissa >> zeros;
    power2 = power + zeros;
}

// Whether the positive double a is exactly digits x 10^power, where digits (up to 16 of them) end in 5.
bool IsExactly(double a, const char* digits, int count, int power)
{
    uint64_t decimal = 0;
    for (int i = 0; i < count; ++i)
        decimal = decimal * 10 + static_cast<uint64_t>(digits[i] - '0');
    uint64_t odd = 0;
    int power2 = 0;
    SplitBinary(a, odd, power2);
    // decimal is odd, so both sides must have the same power of two and the same odd part.
    const int fives = power >= 0 ? power : -power;
    if (power2 != power || fives > 27)
        return false;
    unsigned __int128 scaled = 1;
    for (int i = 0; i < fives; ++i)
        scaled *= 5;
    return power >= 0 ? scaled * decimal == odd : scaled * odd == decimal;
}

// Reads "d.ddd...e+XX" as written by std::to_chars in scientific form.
int ReadScientific(const char* text, const char* end, char* digits, int& exponent)
{
    int count = 0;
    const char* p = text;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            digits[count++] = *p;
    }
    ++p;  // 'e'
    if (*p == '+')
        ++p;
    std::from_chars(p, end, exponent);
    return count;
}

std::wstring NonFiniteText(double value)
{
    if (std::isnan(value))
        return L"-1.#IND";
    return value < 0 ? L"-1.#INF" : L"1.#INF";
}

Result<int64_t> RoundToWhole(double value, double low, double high)
{
    if (std::isnan(value))
        return ValueError::Overflow;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (!(whole >= low && whole <= high))
        return ValueError::Overflow;
    return static_cast<int64_t>(whole);
}

}  // namespace

Result<double> ParseNumber(std::wstring_view text)
{
    const Locale& locale = CurrentLocale();
    const std::wstring_view currency = locale.currencySymbol;
    const size_t n = text.size();
    size_t i = 0;
    bool negative = false;
    bool signSeen = false;
    bool currencySeen = false;
    bool parenthesis = false;  // an amount in parentheses is negative, as in accounts
    bool closed = false;
    bool exponentSeen = false;
    // Blanks anywhere around the marks; each mark at most once: one sign, before or after the number.
    const auto takeMark = [&](bool before) {
        while (i < n && IsBlank(text[i]))
            ++i;
        if (i == n)
            return false;
        if (!signSeen && (text[i] == L'+' || text[i] == L'-')) {
            signSeen = true;
            negative = text[i] == L'-';
            ++i;
        } else if (!currencySeen && !exponentSeen && !currency.empty() && text.substr(i).starts_with(currency)) {
            currencySeen = true;
            i += currency.size();
        } else if (before && !parenthesis && text[i] == L'(') {
            parenthesis = true;
            ++i;
        } else if (!before && parenthesis && !closed && text[i] == L')') {
            closed = true;
            ++i;
        } else {
            return false;
        }
        return true;
    };
    while (takeMark(true)) {
    }
    DigitCollector collector;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < n; ++i) {
        const wchar_t c = text[i];
        if (IsDigit(c)) {
            collector.Add(c, afterPoint);
            anyDigit = true;
        } else if (c == locale.decimalSeparator && !afterPoint) {
            afterPoint = true;
        } else if (c == locale.thousandsSeparator && (anyDigit || afterPoint)) {
            // Grouping is not checked: "1,2,3" reads as 123, as on the platform.
        } else {
            break;
        }
    }
    if (!anyDigit)
        return ValueError::TypeMismatch;
    int64_t exponent = 0;
    // An amount of money has no exponent.
    if (!currencySeen && i < n && (text[i] == L'e' || text[i] == L'E')) {
        exponentSeen = true;
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == L'+' || text[i] == L'-')) {
            negativeExponent = text[i] == L'-';
            ++i;
        }
        if (i == n || !IsDigit(text[i]))
            return ValueError::TypeMismatch;
        for (; i < n && IsDigit(text[i]); ++i)
            AddExponentDigit(exponent, text[i]);
        if (negativeExponent)
            exponent = -exponent;
    }
    while (takeMark(false)) {
    }
    if (i != n || parenthesis != closed)
        return ValueError::TypeMismatch;
    double value = 0.0;
    if (collector.Finish(exponent, value) == Magnitude::Overflow)
        return ValueError::Overflow;
    return negative || parenthesis ? -value : value;
}

bool IsNumeric(std::wstring_view text) { return ParseNumber(text).ok(); }

double LeadingNumber(std::wstring_view text)
{
    const size_t n = text.size();
    size_t i = 0;
    // Val() drops these wherever they are, even between digits.
    auto skip = [&] {
        while (i < n && (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\n'))
            ++i;
    };
    skip();
    if (i < n && text[i] == L'&') {
        ++i;
        skip();
        if (i == n)
            return 0.0;
        const wchar_t radixMark = text[i];
        unsigned base = 0;
        if (radixMark == L'H' || radixMark == L'h')
            base = 16;
        else if (radixMark == L'O' || radixMark == L'o')
            base = 8;
        else
            return 0.0;
        ++i;
        uint64_t value = 0;
        bool tooBig = false;
        for (skip(); i < n; ++i, skip()) {
            const wchar_t c = text[i];
            unsigned digit = 0;
            if (IsDigit(c))
                digit = static_cast<unsigned>(c - L'0');
            else if (c >= L'a' && c <= L'f')
                digit = static_cast<unsigned>(c - L'a' + 10);
            else if (c >= L'A' && c <= L'F')
                digit = static_cast<unsigned>(c - L'A' + 10);
            else
                break;
            if (digit >= base)
                break;
            value = value * base + digit;
            tooBig = tooBig || value > 0xFFFFFFFFu;
            if (tooBig)
                value = 0;  // keeps reading the digits without overflowing
        }
        if (tooBig)
            return 0.0;
        if (value <= 0xFFFF)
            return static_cast<int16_t>(static_cast<uint16_t>(value));
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    bool negative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    DigitCollector collector;
    bool anyDigit = false;
    bool afterPoint = false;
    for (skip(); i < n; ++i, skip()) {
        const wchar_t c = text[i];
        if (IsDigit(c)) {
            collector.Add(c, afterPoint);
            anyDigit = true;
        } else if (c == L'.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;
    int64_t exponent = 0;
    if (i < n && (text[i] == L'e' || text[i] == L'E' || text[i] == L'd' || text[i] == L'D')) {
        ++i;
        skip();
        bool negativeExponent = false;
        if (i < n && (text[i] == L'+' || text[i] == L'-')) {
            negativeExponent = text[i] == L'-';
            ++i;
        }
        // Without digits the marker is not part of the number: "1e" reads as 1.
        for (skip(); i < n && IsDigit(text[i]); ++i, skip())
            AddExponentDigit(exponent, text[i]);
        if (negativeExponent)
            exponent = -exponent;
    }
    double value = 0.0;
    if (collector.Finish(exponent, value) == Magnitude::Overflow)
        value = std::numeric_limits<double>::max();
    return negative ? -value : value;
}

Result<int32_t> ToLong(double value)
{
    const auto whole = RoundToWhole(value, -2147483648.0, 2147483647.0);
    if (!whole)
        return whole.error();
    return static_cast<int32_t>(*whole);
}

Result<int16_t> ToInteger(double value)
{
    const auto whole = RoundToWhole(value, -32768.0, 32767.0);
    if (!whole)
        return whole.error();
    return static_cast<int16_t>(*whole);
}

SignificantDigits RoundToSignificant(double value, int digitCount)
{
    SignificantDigits result;
    if (value == 0.0 || !std::isfinite(value))
        return result;
    const int n = std::clamp(digitCount, 1, SignificantDigits::kMaxDigits);
    result.negative = std::signbit(value);
    const double a = std::fabs(value);

    // One digit more than wanted, correctly rounded; it decides the rounding unless it is a 5, which may
    // be an exact half (rounded away from zero) or come from rounding the digits after it.
    char text[48];
    char digits[SignificantDigits::kMaxDigits + 1];
    int exponent = 0;
    auto written = std::to_chars(text, text + sizeof text, a, std::chars_format::scientific, n);
    ReadScientific(text, written.ptr, digits, exponent);
    bool roundUp = digits[n] > '5';
    if (digits[n] == '5') {
        if (IsExactly(a, digits, n + 1, exponent - n)) {
            roundUp = true;
        } else {
            written = std::to_chars(text, text + sizeof text, a, std::chars_format::scientific, n - 1);
            ReadScientific(text, written.ptr, digits, exponent);
        }
    }
    if (roundUp) {
        int k = n - 1;
        while (k >= 0 && digits[k] == '9')
            digits[k--] = '0';
        if (k >= 0) {
            ++digits[k];
        } else {
            digits[0] = '1';
            ++exponent;
        }
    }
    int count = n;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    std::memcpy(result.digits, digits, count);
    result.count = count;
    result.exponent = exponent;
    return result;
}

std::wstring GeneralText(double value)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    SignificantDigits d = RoundToSignificant(value, 15);
    if (d.IsZero())
        return L"0";
    // Rounded up, the largest doubles would read beyond the range: keep them just below it.
    if (d.exponent == 308 && std::string_view(d.digits, d.count) == "179769313486232")
        d.digits[14] = '1';
    const wchar_t point = CurrentLocale().decimalSeparator;
    std::wstring out;
    out.reserve(24);
    if (d.negative)
        out += L'-';
    if (d.exponent < -4 || d.exponent >= 15) {
        out += static_cast<wchar_t>(d.digits[0]);
        if (d.count > 1) {
            out += point;
            for (int i = 1; i < d.count; ++i)
                out += static_cast<wchar_t>(d.digits[i]);
        }
        out += d.exponent < 0 ? L"E-" : L"E+";
        const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
        if (magnitude < 10)
            out += L'0';
        out += std::to_wstring(magnitude);
    } else if (d.exponent >= 0) {
        for (int i = 0; i <= d.exponent; ++i)
            out += i < d.count ? static_cast<wchar_t>(d.digits[i]) : L'0';
        if (d.count > d.exponent + 1) {
            out += point;
            for (int i = d.exponent + 1; i < d.count; ++i)
                out += static_cast<wchar_t>(d.digits[i]);
        }
    } else {
        out += L'0';
        out += point;
        out.append(static_cast<size_t>(-d.exponent - 1), L'0');
        for (int i = 0; i < d.count; ++i)
            out += static_cast<wchar_t>(d.digits[i]);
    }
    return out;
}

}  // namespace rt
