#pragma once
// The fixed-point currency type: a 64-bit whole number of ten-thousandths, so four decimals are exact
// from -922,337,203,685,477.5808 to 922,337,203,685,477.5807.
#include "runtime/ValueError.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

class Currency {
public:
    Currency() = default;

    // The exact binary value rounded to four decimals, halves to the even neighbour; out of range, an
    // infinity or NaN gives Overflow.
    static Result<Currency> FromDouble(double value);
    // The text read with the locale's rules (ParseNumber), then as FromDouble, as the platform does.
    // Not a number: TypeMismatch.
    static Result<Currency> FromText(std::wstring_view text);
    static constexpr Currency FromScaled(int64_t scaled) { return Currency(scaled); }

    int64_t Scaled() const { return scaled_; }
    double ToDouble() const;
    // No thousands separators, no trailing zeros, the locale's decimal separator: "20", "12.5", "-3".
    std::wstring ToText() const;

    friend auto operator<=>(const Currency&, const Currency&) = default;

private:
    explicit constexpr Currency(int64_t scaled) : scaled_(scaled) {}

    int64_t scaled_ = 0;
};

}  // namespace rt
