#include "runtime/Decimal.h"

#include "runtime/Locale.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

namespace rt {

namespace {

__extension__ typedef unsigned __int128 U128;

constexpr U128 kLimit = U128(1) << 96;  // every mantissa is below this
constexpr int kMaxDigits = 30;          // digits kept while reading a text: one more than fit, for rounding

constexpr std::array<U128, 39> kPow10 = [] {
    std::array<U128, 39> p{};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// The largest mantissa that can still be multiplied by 10^i without reaching 2^96.
constexpr std::array<U128, 30> kMaxBeforeScale = [] {
    std::array<U128, 30> m{};
    for (size_t i = 0; i < m.size(); ++i)
        m[i] = (kLimit - 1) / kPow10[i];
    return m;
}();

// The doubles the platform scales by when it converts a double (1e23 and up are not exact).
constexpr std::array<double, 29> kDoublePow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                                 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
                                                 1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28};

uint64_t Low(U128 v) { return static_cast<uint64_t>(v); }
uint64_t High(U128 v) { return static_cast<uint64_t>(v >> 64); }

// 192-bit unsigned, little-endian words: holds a product of two mantissas, or a mantissa times 10^28.
struct U192 {
    uint64_t w[3] = {0, 0, 0};

    U192() = default;
    explicit U192(U128 v) : w{Low(v), High(v), 0} {}

    bool Fits96() const { return w[2] == 0 && (w[1] >> 32) == 0; }
    U128 To128() const { return (U128(w[1]) << 64) | w[0]; }

    int BitLength() const
    {
        for (int i = 2; i >= 0; --i)
            if (w[i] != 0)
                return 64 * i + 64 - std::countl_zero(w[i]);
        return 0;
    }

    // Divides in place by a divisor of at most 64 bits and returns the remainder.
    uint64_t DivMod(uint64_t divisor)
    {
        U128 rem = 0;
        for (int i = 2; i >= 0; --i) {
            const U128 cur = (rem << 64) | w[i];
            w[i] = Low(cur / divisor);
            rem = cur - U128(w[i]) * divisor;
        }
        return Low(rem);
    }
};

// Both factors below 2^128 with a product below 2^192 (mantissas, powers of ten up to 10^28).
U192 Multiply(U128 a, U128 b)
{
    const U128 p00 = U128(Low(a)) * Low(b);
    const U128 p01 = U128(Low(a)) * High(b);
    const U128 p10 = U128(High(a)) * Low(b);
    const U128 p11 = U128(High(a)) * High(b);
    const U128 mid = U128(High(p00)) + Low(p01) + Low(p10);
    U192 r;
    r.w[0] = Low(p00);
    r.w[1] = Low(mid);
    r.w[2] = Low(p11) + High(p01) + High(p10) + High(mid);
    return r;
}

int CompareU192(const U192& a, const U192& b)
{
    for (int i = 2; i >= 0; --i)
        if (a.w[i] != b.w[i])
            return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
}

U192 AddU192(const U192& a, const U192& b)
{
    U192 r;
    U128 carry = 0;
    for (int i = 0; i < 3; ++i) {
        const U128 s = U128(a.w[i]) + b.w[i] + carry;
        r.w[i] = Low(s);
        carry = s >> 64;
    }
    return r;
}

// a - b with a >= b.
U192 SubU192(const U192& a, const U192& b)
{
    U192 r;
    uint64_t borrow = 0;
    for (int i = 0; i < 3; ++i) {
        const uint64_t d = a.w[i] - b.w[i];
        r.w[i] = d - borrow;
        borrow = (a.w[i] < b.w[i]) || (d < borrow) ? 1 : 0;
    }
    return r;
}

}  // namespace

struct DecimalAccess {
    static U128 Mantissa(const Decimal& d) { return (U128(d.high_) << 64) | d.low_; }
    static bool Sign(const Decimal& d) { return d.negative_; }

    // Zero is always positive, so that no operation produces a negative zero.
    static Decimal Make(U128 mantissa, int scale, bool negative)
    {
        return Decimal(Low(mantissa), static_cast<uint32_t>(High(mantissa)), scale, negative && mantissa != 0);
    }

    // A rounding that carried the mantissa up to exactly 2^96: drop one more digit. 2^96 ends in 6,
    // so that digit always rounds up and there is no tie.
    static Result<Decimal> MakeAfterRoundUp(U128 mantissa, int scale, bool negative)
    {
        if (mantissa == kLimit) {
            if (scale == 0)
                return ValueError::Overflow;
            mantissa = mantissa / 10 + 1;
            --scale;
        }
        return Make(mantissa, scale, negative);
    }

    // The exact value magnitude / 10^scale (slightly more when sticky is set) rounded half to even
    // at the largest scale of at most 28 whose mantissa fits in 96 bits.
    static Result<Decimal> RoundToFit(U192 magnitude, int scale, bool sticky, bool negative)
    {
        if (magnitude.Fits96() && scale <= Decimal::kMaxScale)
            return Make(magnitude.To128(), scale, negative);
        // A 192-bit magnitude is below 10^58: dropping more digits than that leaves less than half.
        if (scale - Decimal::kMaxScale > 58)
            return Make(0, Decimal::kMaxScale, negative);

        // Divide step by step, keeping the last step's remainder for the rounding decision and
        // whether anything below it was non-zero.
        uint64_t lastRem = 0;
        uint64_t lastDivisor = 1;
        int dropped = 0;
        auto step = [&](int digits) {
            sticky = sticky || lastRem != 0;
            lastDivisor = Low(kPow10[digits]);
            lastRem = magnitude.DivMod(lastDivisor);
            dropped += digits;
        };
        for (int need = scale - Decimal::kMaxScale; need > 0; need -= std::min(need, 19))
            step(std::min(need, 19));
        while (!magnitude.Fits96()) {
            // 77/256 is just below log10(2): the estimate never drops too many digits.
            const int estimate = ((magnitude.BitLength() - 96) * 77) >> 8;
            step(std::clamp(estimate, 1, 19));
        }
        if (dropped > scale)
            return ValueError::Overflow;

        U128 mantissa = magnitude.To128();
        const U128 twice = U128(lastRem) * 2;
        if (twice > lastDivisor || (twice == lastDivisor && (sticky || (mantissa & 1) != 0)))
            return MakeAfterRoundUp(mantissa + 1, scale - dropped, negative);
        return Make(mantissa, scale - dropped, negative);
    }
};

using A = DecimalAccess;

Decimal Decimal::FromInt64(int64_t value)
{
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return Decimal(magnitude, 0, 0, value < 0);
}

Result<Decimal> Decimal::FromParts(uint64_t low64, uint32_t high32, int scale, bool negative)
{
    if (scale < 0 || scale > kMaxScale)
        return ValueError::InvalidCall;
    return Decimal(low64, high32, scale, negative);
}

// Follows the platform's conversion step for step, so that the 15th digit rounds as it does there:
// scale the double by a power of ten in double arithmetic, round that to an integer half to even.
Result<Decimal> Decimal::FromDouble(double value)
{
    const int exponent = static_cast<int>((std::bit_cast<uint64_t>(value) >> 52) & 0x7FF) - 1022;
    if (exponent < -94)
        return Decimal();  // below 2^-95: zero, subnormals and anything that rounds to 0 at 28 digits
    if (exponent > 96)
        return ValueError::Overflow;  // 2^96 and up, infinities and NaN

    double scaled = std::fabs(value);
    // 19728 / 65536 approximates log10(2); power is how far to scale for 15 digits before the point.
    int power = 14 - ((exponent * 19728) >> 16);
    if (power >= 0) {
        power = std::min(power, kMaxScale);
        scaled *= kDoublePow10[power];
    } else if (power != -1 || scaled >= 1e15) {
        scaled /= kDoublePow10[-power];
    } else {
        power = 0;
    }
    if (scaled < 1e14 && power < kMaxScale) {
        scaled *= 10;
        ++power;
    }

    uint64_t mantissa = static_cast<uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(mantissa);
    if (fraction > 0.5 || (fraction == 0.5 && (mantissa & 1) != 0))
        ++mantissa;
    if (mantissa == 0)
        return Decimal();

    if (power < 0) {
        const U128 whole = U128(mantissa) * kPow10[-power];
        if (whole >= kLimit)
            return ValueError::Overflow;
        return A::Make(whole, 0, value < 0);
    }
    while (power > 0 && mantissa % 10 == 0) {
        mantissa /= 10;
        --power;
    }
    return A::Make(mantissa, power, value < 0);
}

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

Result<Decimal> Decimal::FromText(std::wstring_view text)
{
    const Locale& locale = CurrentLocale();
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    size_t i = begin;

    bool negative = false;
    if (i < end && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';

    // value = mantissa * 10^power, plus a little more when a dropped digit was non-zero (sticky)
    U128 mantissa = 0;
    int kept = 0;
    bool sticky = false;
    int64_t power = 0;
    bool anyDigit = false;
    auto take = [&](wchar_t c, bool fraction) {
        const int digit = c - L'0';
        anyDigit = true;
        if (kept < kMaxDigits) {
            mantissa = mantissa * 10 + digit;
            if (mantissa != 0)
                ++kept;
            if (fraction)
                --power;
        } else {
            sticky = sticky || digit != 0;
            if (!fraction)
                ++power;
        }
    };

    while (i < end) {
        const wchar_t c = text[i];
        if (IsDigit(c)) {
            take(c, false);
            ++i;
        } else if (c != locale.decimalSeparator && c == locale.thousandsSeparator && i > begin &&
                   IsDigit(text[i - 1]) && i + 1 < end && IsDigit(text[i + 1])) {
            ++i;  // a thousands separator counts only between two digits of the whole part
        } else {
            break;
        }
    }
    if (i < end && text[i] == locale.decimalSeparator) {
        ++i;
        while (i < end && IsDigit(text[i]))
            take(text[i++], true);
    }
    if (!anyDigit)
        return ValueError::TypeMismatch;
    if (i < end && (text[i] == L'E' || text[i] == L'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == L'+' || text[i] == L'-'))
            negativeExponent = text[i++] == L'-';
        if (i == end || !IsDigit(text[i]))
            return ValueError::TypeMismatch;
        int64_t exponent = 0;
        while (i < end && IsDigit(text[i])) {
            exponent = std::min<int64_t>(exponent * 10 + (text[i] - L'0'), 1'000'000'000);  // far past any fit
            ++i;
        }
        power += negativeExponent ? -exponent : exponent;
    }
    if (i != end)
        return ValueError::TypeMismatch;

    if (mantissa == 0)
        return Decimal();
    if (power > 0) {
        if (power > kMaxScale || mantissa > kMaxBeforeScale[power])
            return ValueError::Overflow;
        return A::Make(mantissa * kPow10[power], 0, negative);
    }
    // Far beyond 28 digits everything rounds to zero; cap so the scale fits an int.
    const int scale = static_cast<int>(std::min<int64_t>(-power, 1000));
    return A::RoundToFit(U192(mantissa), scale, sticky, negative);
}

Result<Decimal> Decimal::Add(const Decimal& other) const
{
    const int scale = std::max<int>(scale_, other.scale_);
    const U192 a = Multiply(A::Mantissa(*this), kPow10[scale - scale_]);
    const U192 b = Multiply(A::Mantissa(other), kPow10[scale - other.scale_]);
    if (negative_ == other.negative_)
        return A::RoundToFit(AddU192(a, b), scale, false, negative_);
    if (CompareU192(a, b) >= 0)
        return A::RoundToFit(SubU192(a, b), scale, false, negative_);
    return A::RoundToFit(SubU192(b, a), scale, false, other.negative_);
}

Result<Decimal> Decimal::Sub(const Decimal& other) const
{
    Decimal negated = other;
    negated.negative_ = !other.negative_;
    return Add(negated);
}

Result<Decimal> Decimal::Mul(const Decimal& other) const
{
    return A::RoundToFit(Multiply(A::Mantissa(*this), A::Mantissa(other)), scale_ + other.scale_, false,
                         negative_ != other.negative_);
}

// Long division in steps of up to nine digits: each step's remainder times 10^9 still fits in 128
// bits. The quotient takes digits while they fit in 96 bits and the scale stays at most 28, then
// rounds half to even on the exact remainder.
Result<Decimal> Decimal::Div(const Decimal& other) const
{
    const U128 divisor = A::Mantissa(other);
    if (divisor == 0)
        return ValueError::DivisionByZero;
    const bool negative = negative_ != other.negative_;
    const U128 dividend = A::Mantissa(*this);
    if (dividend == 0)
        return Decimal();

    int scale = scale_ - other.scale_;
    U128 quotient = dividend / divisor;
    U128 rem = dividend - quotient * divisor;
    // A negative scale: pull in digits until the quotient is a whole number at scale 0.
    while (scale < 0) {
        const int digits = std::min(-scale, 9);
        const U128 t = rem * kPow10[digits];
        const U128 d = t / divisor;
        rem = t - d * divisor;
        if (quotient > kMaxBeforeScale[digits])
            return ValueError::Overflow;
        quotient = quotient * kPow10[digits] + d;
        if (quotient >= kLimit)
            return ValueError::Overflow;
        scale += digits;
    }

    const int naturalScale = scale;
    while (rem != 0 && scale < kMaxScale) {
        const int digits = std::min(kMaxScale - scale, 9);
        const U128 t = rem * kPow10[digits];
        const U128 d = t / divisor;
        const U128 nextRem = t - d * divisor;
        if (quotient <= kMaxBeforeScale[digits] && quotient * kPow10[digits] + d < kLimit) {
            quotient = quotient * kPow10[digits] + d;
            rem = nextRem;
            scale += digits;
            continue;
        }
        // Only some of these digits fit: quotient * 10^take + (the first take digits of d) < 2^96.
        // The largest take with quotient * 10^take below the limit is at most one too many.
        int take = digits - 1;
        while (take > 0 && quotient > kMaxBeforeScale[take])
            --take;
        U128 head = d / kPow10[digits - take];
        if (take > 0 && quotient * kPow10[take] + head >= kLimit) {
            --take;
            head = d / kPow10[digits - take];
        }
        // What is left over, as a fraction of one unit in the last place: left / (10^drop * divisor).
        const U128 dropUnit = kPow10[digits - take];
        const U128 left = (d - head * dropUnit) * divisor + nextRem;
        quotient = quotient * kPow10[take] + head;
        scale += take;
        const U128 twice = left * 2;
        const U128 unit = dropUnit * divisor;
        if (twice > unit || (twice == unit && (quotient & 1) != 0))
            return A::MakeAfterRoundUp(quotient + 1, scale, negative);
        return A::Make(quotient, scale, negative);
    }
    if (rem != 0) {
        const U128 twice = rem * 2;
        if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
            return A::MakeAfterRoundUp(quotient + 1, scale, negative);
        return A::Make(quotient, scale, negative);
    }
    // Exact: no trailing zeros beyond the operands' own scale.
    while (scale > naturalScale && quotient % 10 == 0) {
        quotient /= 10;
        --scale;
    }
    return A::Make(quotient, scale, negative);
}

Decimal Decimal::Negate() const { return A::Make(A::Mantissa(*this), scale_, !negative_); }

int Decimal::Compare(const Decimal& other) const
{
    const bool aNegative = IsNegative();
    const bool bNegative = other.IsNegative();
    if (aNegative != bNegative)
        return aNegative ? -1 : 1;
    int magnitude;
    if (scale_ == other.scale_) {
        const U128 a = A::Mantissa(*this);
        const U128 b = A::Mantissa(other);
        magnitude = a < b ? -1 : (a > b ? 1 : 0);
    } else {
        const int scale = std::max<int>(scale_, other.scale_);
        magnitude = CompareU192(Multiply(A::Mantissa(*this), kPow10[scale - scale_]),
                                Multiply(A::Mantissa(other), kPow10[scale - other.scale_]));
    }
    return aNegative ? -magnitude : magnitude;
}

// As the platform converts: the mantissa as a double divided by the power of ten as a double.
double Decimal::ToDouble() const
{
    const double magnitude = (static_cast<double>(high_) * 18446744073709551616.0 + static_cast<double>(low_)) /
                             kDoublePow10[scale_];
    return IsNegative() ? -magnitude : magnitude;
}

std::wstring Decimal::ToText() const
{
    // At most 29 digits; build them from the right.
    wchar_t digits[40];
    int count = 0;
    U128 m = A::Mantissa(*this);
    while (m != 0) {
        // Nineteen digits at a time: one 128-bit division, then cheap 64-bit ones.
        const U128 q = m / kPow10[19];
        uint64_t chunk = Low(m - q * kPow10[19]);
        m = q;
        for (int n = 0; n < 19 && (chunk != 0 || m != 0); ++n) {
            digits[count++] = static_cast<wchar_t>(L'0' + chunk % 10);
            chunk /= 10;
        }
    }
    // digits[0] is the last digit. Leave out the fraction's trailing zeros.
    int skip = 0;
    while (skip < scale_ && skip < count && digits[skip] == L'0')
        ++skip;
    const int fractionDigits = scale_ - skip;
    if (count == skip)
        return L"0";

    std::wstring text;
    text.reserve(static_cast<size_t>(count + 4));
    if (negative_)
        text += L'-';
    const int wholeDigits = count - scale_;
    if (wholeDigits <= 0) {
        text += L'0';
    } else {
        for (int k = count - 1; k >= scale_; --k)
            text += digits[k];
    }
    if (fractionDigits > 0) {
        text += CurrentLocale().decimalSeparator;
        for (int k = scale_ - 1; k >= skip; --k)
            text += k < count ? digits[k] : L'0';
    }
    return text;
}

}  // namespace rt
