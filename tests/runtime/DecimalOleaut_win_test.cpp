// rt::Decimal against the platform's own DECIMAL functions in oleaut32 on thousands of generated
// operands. Every result of ours is also checked against the exact value (support/BigInt.h). Where
// the platform differs, the case must belong to one of the listed defects of Wine's oleaut32.
#include "runtime/Decimal.h"
#include "runtime/Locale.h"
#include "support/BigInt.h"
#include "support/OleTally_win.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using rt::Decimal;
using rt::Result;
using rt::ValueError;
using test::BigInt;
using test::Tally;
using U128 = BigInt::U128;

constexpr U128 kLimit = U128(1) << 96;
constexpr int kOperands = 4000;

// Either side's value as sign, scale and mantissa (the platform's scale may exceed 28).
struct Parts {
    bool negative;
    int scale;
    U128 mantissa;
};
Parts Of(const Decimal& d) { return {d.IsNegative(), d.Scale(), (U128(d.High32()) << 64) | d.Low64()}; }
Parts Of(const DECIMAL& o) { return {o.sign == DECIMAL_NEG, o.scale, (U128(o.Hi32) << 64) | o.Lo64}; }

DECIMAL ToOle(const Decimal& d)
{
    DECIMAL o{};
    o.scale = static_cast<BYTE>(d.Scale());
    o.sign = d.IsNegative() ? DECIMAL_NEG : 0;
    o.Hi32 = d.High32();
    o.Lo64 = d.Low64();
    return o;
}

struct Ole {
    HRESULT hr = S_OK;
    DECIMAL value{};
};

std::string Describe(const Parts& p)
{
    return (p.negative ? "-" : "+") + std::to_string(p.scale) + ":" + std::to_string(uint32_t(p.mantissa >> 64)) +
           ":" + std::to_string(uint64_t(p.mantissa));
}
std::string Describe(const Result<Decimal>& r)
{
    return r ? Describe(Of(*r)) : "error " + std::to_string(int(r.error()));
}
std::string Describe(const Ole& r)
{
    return SUCCEEDED(r.hr) ? Describe(Of(r.value)) : "hr " + std::to_string(unsigned(r.hr));
}

// An exact signed rational num / den.
struct Exact {
    bool negative = false;
    BigInt num;
    BigInt den{1};
};
Exact ExactOf(const Parts& p) { return {p.negative, BigInt(p.mantissa), BigInt::Pow10(p.scale)}; }

Exact Sum(const Exact& a, const Exact& b)
{
    const BigInt x = a.num * b.den;
    const BigInt y = b.num * a.den;
    if (a.negative == b.negative)
        return {a.negative, x + y, a.den * b.den};
    return Compare(x, y) >= 0 ? Exact{a.negative, x - y, a.den * b.den} : Exact{b.negative, y - x, a.den * b.den};
}

// |p - x| * x.den * 10^p.scale: zero exactly when the two are equal.
BigInt Distance(const Parts& p, const Exact& x)
{
    const BigInt a = BigInt(p.mantissa) * x.den;
    const BigInt b = x.num * BigInt::Pow10(p.scale);
    if (p.mantissa != 0 && !x.num.IsZero() && p.negative != x.negative)
        return a + b;
    return Compare(a, b) >= 0 ? a - b : b - a;
}

bool SameValue(const Result<Decimal>& ours, const Ole& ole)
{
    if (!ours || FAILED(ole.hr)) {
        const HRESULT expected = ours                                        ? S_OK
                                 : ours.error() == ValueError::Overflow       ? DISP_E_OVERFLOW
                                 : ours.error() == ValueError::DivisionByZero ? DISP_E_DIVBYZERO
                                                                              : DISP_E_TYPEMISMATCH;
        return ole.hr == expected;
    }
    return Distance(Of(ole.value), ExactOf(Of(*ours))).IsZero();
}

// Whether a result is the exact value rounded half to even at the largest scale (at most 28) whose
// mantissa fits in 96 bits, or Overflow when even scale 0 does not fit.
std::string CheckRounding(const Exact& exact, const Result<Decimal>& ours)
{
    const BigInt limit(kLimit);
    if (!ours) {
        // Overflow is right when |value| >= 2^96 - 1/2, that is 2 num >= (2^97 - 1) den.
        const bool tooBig = Compare(exact.num * BigInt(2), (limit * BigInt(2) - BigInt(1)) * exact.den) >= 0;
        return ours.error() == ValueError::Overflow && tooBig ? "" : "false failure";
    }
    const Parts p = Of(*ours);
    if (!exact.num.IsZero() && p.mantissa != 0 && exact.negative != p.negative)
        return "wrong sign";
    const BigInt diff = Distance(p, exact);
    if (diff.IsZero())
        return "";
    const int half = Compare(diff * BigInt(2), exact.den);
    if (half > 0 || (half == 0 && (p.mantissa & 1) != 0))
        return "not the nearest at its scale";
    if (p.scale < Decimal::kMaxScale && Compare(BigInt(p.mantissa) * BigInt(10) + BigInt(5), limit) < 0)
        return "fewer digits than fit";
    return "";
}

// The two differ by one unit at the larger of their scales.
bool OneUnitApart(const Ole& ole, const Decimal& ours)
{
    const Parts o = Of(ole.value);
    const Parts p = Of(ours);
    const int scale = std::max(o.scale, p.scale);
    const BigInt platform = BigInt(o.mantissa) * BigInt::Pow10(scale - o.scale);
    const BigInt our = BigInt(p.mantissa) * BigInt::Pow10(scale - p.scale);
    return SUCCEEDED(ole.hr) && (o.negative == p.negative || o.mantissa == 0 || p.mantissa == 0) &&
           (Compare(platform + BigInt(1), our) == 0 || Compare(our + BigInt(1), platform) == 0);
}

// Wine's quotient is the exact one cut toward zero, or the exact one is a tie (which Wine rounds away from
// zero, and we to even).
bool TruncatedOrTie(const Ole& ole, const Decimal& ours, const Exact& exact)
{
    const Parts o = Of(ole.value);
    const bool below = o.negative == exact.negative &&
                       Compare(BigInt(o.mantissa) * exact.den, exact.num * BigInt::Pow10(o.scale)) < 0;
    const bool truncated = below && Compare(Distance(o, exact), exact.den) < 0;
    const bool tie = Compare(Distance(Of(ours), exact) * BigInt(2), exact.den) == 0;
    return truncated || tie;
}

// |x| scaled to 15 whole digits (or to 28 decimals) in double arithmetic, at once or by one power of ten short
// and then by ten, lands exactly halfway between two whole numbers: the tie the platform's rounding sees.
bool ScaledDoubleIsATie(double x)
{
    constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10,
                                 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21,
                                 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30};
    const auto scaled = [&](int k) {
        return k >= 0 ? std::fabs(x) * kPow10[k] : std::fabs(x) / kPow10[-k];
    };
    const auto half = [](double t) { return t - std::floor(t) == 0.5; };
    for (int k = 28; k >= -30; --k) {
        const double t = scaled(k);
        if (t < 1e15 && (t >= 1e14 || k == 28))
            return half(t) || (k > -30 && half(scaled(k - 1) * 10));
    }
    return false;
}

Decimal RandomDecimal(std::mt19937_64& rng)
{
    const bool negative = (rng() & 1) != 0;
    const int scale = static_cast<int>(rng() % 29);
    const int bits = static_cast<int>(rng() % 97);
    U128 m = bits == 0 ? 0 : ((U128(rng()) << 64 | rng()) >> (128 - bits)) | (U128(1) << (bits - 1));
    switch (rng() % 20) {  // the edges now and then
    case 0: m = kLimit - 1; break;
    case 1: m = U128(1) << 64; break;
    case 2: m = U128(10000000000000000000ull) * 1000000000ull; break;  // 10^28
    case 3: m = 5; break;
    }
    return Decimal::FromParts(uint64_t(m), uint32_t(m >> 64), scale, negative).value();
}

// Whether an operand brought to the larger scale, or the exact sum or difference, needs more than 96 bits.
bool AlignedNeedsMoreThan96Bits(const Decimal& a, const Decimal& b)
{
    const int scale = std::max(a.Scale(), b.Scale());
    const BigInt x = BigInt(Of(a).mantissa) * BigInt::Pow10(scale - a.Scale());
    const BigInt y = BigInt(Of(b).mantissa) * BigInt::Pow10(scale - b.Scale());
    const BigInt limit(kLimit);
    return Compare(x, limit) >= 0 || Compare(y, limit) >= 0 || Compare(x + y, limit) >= 0 ||
           Compare(Compare(x, y) >= 0 ? x - y : y - x, limit) >= 0;
}

void CheckArithmetic(char op, const Decimal& a, const Decimal& b, Tally& tally)
{
    DECIMAL oa = ToOle(a);
    DECIMAL ob = ToOle(b);
    const Exact x = ExactOf(Of(a));
    const Exact y = ExactOf(Of(b));
    const bool negative = x.negative != y.negative;
    const Exact exact = op == '+'   ? Sum(x, y)
                        : op == '-' ? Sum(x, {!y.negative, y.num, y.den})
                        : op == '*' ? Exact{negative, x.num * y.num, x.den * y.den}
                                    : Exact{negative, x.num * y.den, y.num * x.den};
    const Result<Decimal> ours = op == '+' ? a.Add(b) : op == '-' ? a.Sub(b) : op == '*' ? a.Mul(b) : a.Div(b);
    const auto oleOp = op == '+' ? VarDecAdd : op == '-' ? VarDecSub : op == '*' ? VarDecMul : VarDecDiv;
    Ole ole;
    ole.hr = oleOp(&oa, &ob, &ole.value);
    const std::string detail =
        Describe(Of(a)) + " " + op + " " + Describe(Of(b)) + ": ours " + Describe(ours) + ", platform " + Describe(ole);
    if (op == '/' && b.IsZero()) {
        if (ours || ours.error() != ValueError::DivisionByZero)
            return tally.Fail("not DivisionByZero: " + detail);
    } else if (const std::string why = CheckRounding(exact, ours); !why.empty()) {
        return tally.Fail(why + ": " + detail);
    }
    if (op == '-' && a.Compare(b) != (exact.num.IsZero() ? 0 : exact.negative ? -1 : 1))
        tally.Fail("Compare: " + detail);
    const bool sum = op == '+' || op == '-';
    // Defects of Wine's oleaut32, the platform these tests run on. In each, our result was just checked
    // against the exact value, and the platform's is visibly off.
    if (SameValue(ours, ole))
        tally.Same();
    else if (sum && AlignedNeedsMoreThan96Bits(a, b))
        tally.Note("sums needing more than 96 bits (Wine rounds an operand first, or garbles)");
    else if (sum && (a.IsZero() || b.IsZero()) && a.Scale() != b.Scale())
        tally.Note("sums with a zero of another scale (Wine subtracts the scales)");
    else if (op == '*' && (a.Scale() + b.Scale() > Decimal::kMaxScale || Compare(x.num * y.num, BigInt(kLimit)) >= 0))
        tally.Note("products needing more than 96 bits or 28 decimals (Wine truncates or garbles)");
    else if (op == '/' && uint32_t(b.Low64()) == 0)
        tally.Note("divisors with 32 low zero bits (Wine loses digits)");
    else if (op == '/' && ours && OneUnitApart(ole, *ours) && TruncatedOrTie(ole, *ours, exact))
        tally.Note("quotients one unit off (Wine truncates, or rounds ties up)");
    else
        tally.Fail(detail);
}

// Compare is checked on the same operands against the sign of the exact difference.
TEST(DecimalOleaut, ArithmeticOnGeneratedOperands)
{
    std::mt19937_64 rng(20240601);
    const Decimal one = Decimal::FromParts(10, 0, 1, false).value();
    for (const char op : {'+', '-', '*', '/'}) {
        Tally tally(std::string("VarDec ") + op + " (and Compare)");
        for (int i = 0; i < kOperands; ++i) {
            const Decimal a = RandomDecimal(rng);
            const Decimal b = i % 8 == 0 ? a.Mul(one).value() : RandomDecimal(rng);  // equal at another scale
            CheckArithmetic(op, a, b, tally);
        }
    }
}

Exact ExactOfDouble(double x)
{
    int exponent = 0;
    const BigInt m(static_cast<uint64_t>(std::ldexp(std::frexp(std::fabs(x), &exponent), 53)));
    exponent -= 53;
    return exponent >= 0 ? Exact{x < 0, m.ShiftedLeft(exponent)} : Exact{x < 0, m, BigInt(1).ShiftedLeft(-exponent)};
}

// At most 15 significant digits, within half a unit of the 15th digit (of the 28th decimal for tiny
// values) plus an eighth: the platform rounds the double scaled by a power of ten in double
// arithmetic, and that product is off by up to half of its own last bit. Overflow for NaN, the
// infinities and 2^96 and up.
std::string CheckFifteenDigits(double x, const Result<Decimal>& ours)
{
    if (!std::isfinite(x) || std::fabs(x) >= 0x1p96)
        return !ours && ours.error() == ValueError::Overflow ? "" : "no Overflow";
    if (!ours)
        return "failed";
    U128 m = Of(*ours).mantissa;
    while (m != 0 && m % 10 == 0)
        m /= 10;
    if (m >= 1000000000000000ull)
        return "more than 15 digits";
    if (x == 0)
        return m == 0 ? "" : "not zero";
    if (m != 0 && ours->IsNegative() != (x < 0))
        return "wrong sign";
    const int unitExponent = std::max(static_cast<int>(std::floor(std::log10(std::fabs(x)) + 1e-12)) - 14, -28);
    const Exact exact = ExactOfDouble(x);
    // 8 |ours - x| <= 5 * 10^unitExponent, over the common denominator den * 10^scale
    BigInt left = Distance(Of(*ours), exact).ShiftedLeft(3);
    BigInt right = BigInt(5) * exact.den * BigInt::Pow10(ours->Scale());
    if (unitExponent >= 0)
        right = right * BigInt::Pow10(unitExponent);
    else
        left = left * BigInt::Pow10(-unitExponent);
    return Compare(left, right) <= 0 ? "" : "not the 15-digit value";
}

double RandomDouble(std::mt19937_64& rng)
{
    const int tenExponent = static_cast<int>(rng() % 31);
    switch (rng() % 4) {
    case 0:  // any bit pattern over the range that converts
        return std::bit_cast<double>((rng() & 0x800FFFFFFFFFFFFFull) | (uint64_t(1023 - 110 + rng() % 211) << 52));
    case 1: {  // a typed-looking number: a few digits over a power of ten
        const double x = double((rng() % 100000000000000000ull) >> (rng() % 57)) / std::pow(10.0, tenExponent - 5);
        return (rng() & 1) ? -x : x;
    }
    case 2:  // near a tie at the 15th digit
        return (double(rng() % 1000000000000000ull) + 0.5) / std::pow(10.0, tenExponent - 10);
    default:
        return std::ldexp(double(rng() % 1000) + 1, static_cast<int>(rng() % 211) - 120);
    }
}

unsigned SignificantDigits(U128 m)
{
    while (m != 0 && m % 10 == 0)
        m /= 10;
    unsigned n = 0;
    for (; m != 0; m /= 10)
        ++n;
    return n;
}

TEST(DecimalOleaut, FromDoubleOnGeneratedValues)
{
    std::mt19937_64 rng(77);
    std::vector<double> values = {0.0, -0.0, 0.1, 1e-28, 1.5e-28, 2.5e-28, 5e-29, 4.9e-29, 0x1p-95, 0x1p-94,
                                  9.999999999999995, 999999999999999.5, 0x1p96, 0x1.fffffffffffffp95, 1e300,
                                  -1e-320, std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (int i = 0; i < kOperands; ++i)
        values.push_back(RandomDouble(rng));
    Tally tally("VarDecFromR8");
    for (const double x : values) {
        Ole ole;
        ole.hr = VarDecFromR8(x, &ole.value);
        const Result<Decimal> ours = Decimal::FromDouble(x);
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", x);
        if (const std::string why = CheckFifteenDigits(x, ours); !why.empty())
            tally.Fail(why + ": " + text + " gives " + Describe(ours));
        else if (SameValue(ours, ole))
            tally.Same();
        // 2^96 itself does not fit in 96 bits, yet Wine returns a value just below the largest.
        else if (std::fabs(x) == 0x1p96 && SUCCEEDED(ole.hr))
            tally.Note("2^96 (Wine returns a value)");
        // Wine keeps 16 digits, or all of a large double's binary value, where the platform keeps 15.
        else if (SUCCEEDED(ole.hr) && SignificantDigits(Of(ole.value).mantissa) > 15)
            tally.Note("values Wine keeps more than 15 digits of");
        // Wine reports NaN as a bad variant type; we report Overflow, as for the infinities.
        else if (std::isnan(x) && ole.hr == DISP_E_BADVARTYPE)
            tally.Note("NaN (Wine: bad variant type)");
        // Wine drops a digit of tiny values, gives 0 between 5E-29 and 2^-94, or rounds twice: farther from x.
        else if (ours && SUCCEEDED(ole.hr) &&
                 Compare(Distance(Of(ole.value), ExactOfDouble(x)) * BigInt::Pow10(ours->Scale()),
                         Distance(Of(*ours), ExactOfDouble(x)) * BigInt::Pow10(ole.value.scale)) > 0)
            tally.Note("values Wine converts less accurately");
        // Deliberate: we round as the platform does, the scaled double rather than the exact value, so
        // where that product lands on a tie the exact value does not have (2.5E-28 scaled by 10^28 is
        // exactly 2.5 in doubles) the last digit differs by one from Wine's.
        else if (ours && OneUnitApart(ole, *ours) && ScaledDoubleIsATie(x))
            tally.Note("ties of the scaled double (rounded as the platform does)");
        else
            tally.Fail(std::string(text) + ": ours " + Describe(ours) + ", platform " + Describe(ole));
    }
}

Ole OleFromText(const std::wstring& text, LCID lcid)
{
    Ole r;
    BSTR b = test::MakeBstr(text);
    r.hr = VarDecFromStr(b, lcid, 0, &r.value);
    SysFreeString(b);
    return r;
}

// A value's text the way people and programs write it: grouped, signed, padded, with exponents.
std::wstring RandomText(std::mt19937_64& rng, const Decimal& d, const rt::Locale& locale)
{
    std::wstring t = d.ToText();
    const bool negative = !t.empty() && t[0] == L'-';
    if (negative)
        t.erase(0, 1);
    const size_t point = std::min(t.find(locale.decimalSeparator), t.size());
    std::wstring whole = t.substr(0, point);
    std::wstring fraction = point < t.size() ? t.substr(point + 1) : L"";
    if (const int form = int(rng() % 4); form == 1) {
        for (size_t k = whole.size(); k > 3; k -= 3)
            whole.insert(k - 3, 1, locale.thousandsSeparator);
    } else if (form == 2) {  // move the point left and compensate with an exponent
        const size_t shift = rng() % (whole.size() + 1);
        fraction = whole.substr(whole.size() - shift) + fraction + L"E" + std::to_wstring(shift);
        whole = whole.size() == shift ? L"0" : whole.substr(0, whole.size() - shift);
        if (fraction[0] == L'E')
            fraction = L"0" + fraction;
    } else if (form == 3) {
        fraction += L"000";
    }
    std::wstring text = (negative ? L"-" : (rng() % 4 == 0 ? L"+" : L"")) + whole;
    if (!fraction.empty())
        text += locale.decimalSeparator + fraction;
    return rng() % 4 == 0 ? L"  " + text + L" " : text;
}

// Generated values written by both sides, and read back from texts as people write them.
TEST(DecimalOleaut, TextAndReadingInBothLocales)
{
    std::mt19937_64 rng(4242);
    for (const test::OleLocale& lc : test::DotAndCommaLocales()) {
        rt::ScopedLocale scoped(lc.locale);
        Tally tally(std::string("VarBstrFromDec, VarDecFromStr ") + lc.name);
        for (int i = 0; i < kOperands; ++i) {
            const Decimal d = RandomDecimal(rng);
            DECIMAL o = ToOle(d);
            BSTR b = nullptr;
            const std::wstring platform = SUCCEEDED(VarBstrFromDec(&o, lc.lcid, 0, &b)) ? test::TakeBstr(b) : L"?";
            if (platform != d.ToText())
                tally.Fail(Describe(Of(d)) + ": ours " + test::Narrow(d.ToText()) + ", platform " +
                           test::Narrow(platform));
            const std::wstring text = RandomText(rng, d, lc.locale);
            const Result<Decimal> ours = Decimal::FromText(text);
            if (!ours || *ours != d)
                tally.Fail("misread " + test::Narrow(text) + " as " + Describe(ours));
            else if (SameValue(ours, OleFromText(text, lc.lcid)))
                tally.Same();
            else
                tally.Fail(test::Narrow(text) + ": ours " + Describe(ours) + ", platform " +
                           Describe(OleFromText(text, lc.lcid)));
        }
    }
}

// Texts with more digits than fit: ours must be the exact value rounded.
TEST(DecimalOleaut, FromTextWithMoreDigitsThanFit)
{
    std::mt19937_64 rng(31337);
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    Tally tally("VarDecFromStr, long texts");
    for (int i = 0; i < kOperands / 4; ++i) {
        const int wholeDigits = static_cast<int>(rng() % 30);
        const int fractionDigits = static_cast<int>(rng() % 40) + (wholeDigits == 0 ? 1 : 0);
        const bool negative = rng() % 2 != 0;
        std::wstring text = negative ? L"-" : L"";
        BigInt num;
        for (int k = 0; k < wholeDigits + fractionDigits; ++k) {
            const int digit = k == 0 && rng() % 2 ? 0 : int(rng() % 10);
            text += (k == wholeDigits ? L"." : L"") + std::to_wstring(digit);
            num = num * BigInt(10) + BigInt(U128(digit));
        }
        const Result<Decimal> ours = Decimal::FromText(text);
        const Ole ole = OleFromText(text, 0x0409);
        if (const std::string why = CheckRounding({negative, num, BigInt::Pow10(fractionDigits)}, ours); !why.empty())
            tally.Fail(why + ": " + test::Narrow(text) + " gives " + Describe(ours));
        else if (SameValue(ours, ole))
            tally.Same();
        // Wine refuses a text with more significant digits than fit, where the platform rounds.
        else if (ole.hr == DISP_E_OVERFLOW && ours)
            tally.Note("texts Wine refuses for their length");
        // Wine returns scales above 28, which are not valid decimals.
        else if (SUCCEEDED(ole.hr) && ole.value.scale > Decimal::kMaxScale)
            tally.Note("texts Wine gives more than 28 decimals");
        else
            tally.Fail(test::Narrow(text) + ": ours " + Describe(ours) + ", platform " + Describe(ole));
    }
}

// Texts the platform reads differently on purpose: our numbers take one leading sign and group
// thousands only between digits of the whole part, so parentheses, trailing signs, currency symbols,
// hexadecimal and stray separators are not numbers.
TEST(DecimalOleaut, FromTextGrammar)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const std::wstring platformOnly[] = {L"(5)", L"5-", L"$5",   L"&H10", L"1,,2", L"1,", L"+-1", L"- 1", L"1,23.4,5",
                                         std::wstring(L"1\0", 2)};  // Wine stops at the NUL
    for (const std::wstring& text : platformOnly) {
        SCOPED_TRACE(test::Narrow(text));
        const Result<Decimal> ours = Decimal::FromText(text);
        ASSERT_FALSE(ours.ok());
        EXPECT_EQ(ours.error(), ValueError::TypeMismatch);
        EXPECT_TRUE(SUCCEEDED(OleFromText(text, 0x0409).hr));
    }
}

}  // namespace
