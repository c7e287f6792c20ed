#pragma once
// Fixed-point decimal: a 96-bit unsigned mantissa, a sign and a scale of 0 to 28 digits
// (value = ±mantissa / 10^scale), with the platform's DECIMAL variant semantics. Arithmetic keeps
// as many digits as fit in 96 bits at a scale of at most 28 and rounds the dropped ones half to
// even, so sums of typed amounts are exact where floating point is not (0.1 + 0.2 is 0.3).
#include "runtime/ValueError.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

class Decimal {
public:
    static constexpr int kMaxScale = 28;

    // Zero.
    Decimal() = default;

    static Decimal FromInt64(int64_t value);
    // Raw parts, for tests that compare with the platform's own layout. A scale above 28 is
    // refused (InvalidCall).
    static Result<Decimal> FromParts(uint64_t low64, uint32_t high32, int scale, bool negative);
    // The double rounded to 15 significant digits; magnitudes below 5E-29 give 0; 2^96 and beyond,
    // NaN and infinities give Overflow.
    static Result<Decimal> FromDouble(double value);
    // Reads a text exactly with the current locale: blanks around, one leading sign, thousands
    // separators between integer digits, the decimal separator, an exponent ("1.5E-3"). Digits
    // beyond what fits are rounded half to even. Anything else is TypeMismatch; too big is Overflow.
    static Result<Decimal> FromText(std::wstring_view text);

    Result<Decimal> Add(const Decimal& other) const;
    Result<Decimal> Sub(const Decimal& other) const;
    Result<Decimal> Mul(const Decimal& other) const;
    Result<Decimal> Div(const Decimal& other) const;  // DivisionByZero; Overflow
    Decimal Negate() const;

    // -1, 0 or 1 by value: 1.50 equals 1.5, and there is no negative zero.
    int Compare(const Decimal& other) const;
    friend bool operator==(const Decimal& a, const Decimal& b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) { return a.Compare(b) <=> 0; }

    bool IsZero() const { return low_ == 0 && high_ == 0; }
    bool IsNegative() const { return negative_ && !IsZero(); }
    uint64_t Low64() const { return low_; }
    uint32_t High32() const { return high_; }
    int Scale() const { return scale_; }

    // The mantissa divided by the power of ten in double arithmetic, as the platform converts (1/3 gives
    // 0.33333333333333337, one unit above the nearest double).
    double ToDouble() const;
    // "20", "12.5", "-3", "0.3333333333333333333333333333": no thousands separators, no trailing
    // zeros, the current locale's decimal separator, never "-0".
    std::wstring ToText() const;

private:
    Decimal(uint64_t low, uint32_t high, int scale, bool negative)
        : low_(low), high_(high), scale_(static_cast<uint8_t>(scale)), negative_(negative) {}
    friend struct DecimalAccess;

    uint64_t low_ = 0;
    uint32_t high_ = 0;
    uint8_t scale_ = 0;
    bool negative_ = false;
};

}  // namespace rt
