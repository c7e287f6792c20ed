#include "runtime/Currency.h"

#include "runtime/Locale.h"
#include "runtime/NumberText.h"

#include <bit>
#include <cmath>

namespace rt {

Result<Currency> Currency::FromDouble(double value)
{
    if (!std::isfinite(value))
        return ValueError::Overflow;
    // value = mantissa x 2^power exactly; value x 10000 fits in 128 bits before the shift.
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
    int power = -1074;
    if (biased != 0) {
        mantissa |= uint64_t{1} << 52;
        power = biased - 1075;
    }
    using U128 = unsigned __int128;
    const U128 product = U128{mantissa} * 10000u;
    constexpr U128 kLimit = U128{1} << 63;  // magnitude of the most negative amount
    U128 scaled = 0;
    if (power >= 0) {
        if (product != 0 && (power >= 64 || (product << power) >> power != product))
            return ValueError::Overflow;
        scaled = product << power;
    } else if (-power < 127) {
        const int shift = -power;
        scaled = product >> shift;
        const U128 rest = product & ((U128{1} << shift) - 1);
        const U128 half = U128{1} << (shift - 1);
        if (rest > half || (rest == half && (scaled & 1) != 0))
            ++scaled;
    }
    const bool negative = std::signbit(value);
    if (scaled > kLimit || (scaled == kLimit && !negative))
        return ValueError::Overflow;
    const uint64_t magnitude = static_cast<uint64_t>(scaled);
    return Currency(negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude));
}

Result<Currency> Currency::FromText(std::wstring_view text)
{
    const Result<double> value = ParseNumber(text);
    if (!value)
        return value.error();
    return FromDouble(*value);
}

double Currency::ToDouble() const { return static_cast<double>(scaled_) / 10000.0; }

std::wstring Currency::ToText() const
{
    const uint64_t magnitude = scaled_ < 0 ? 0 - static_cast<uint64_t>(scaled_) : static_cast<uint64_t>(scaled_);
    std::wstring out = scaled_ < 0 ? L"-" : L"";
    out += std::to_wstring(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        out += CurrentLocale().decimalSeparator;
        wchar_t digits[4];
        for (int i = 3; i >= 0; --i, fraction /= 10)
            digits[i] = static_cast<wchar_t>(L'0' + fraction % 10);
        int count = 4;
        while (digits[count - 1] == L'0')
            --count;
        out.append(digits, static_cast<size_t>(count));
    }
    return out;
}

}  // namespace rt
