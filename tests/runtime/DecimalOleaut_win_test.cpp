// rt::Decimal against the platform's own DECIMAL functions in oleaut32 on thousands of generated
// operands. Every result of ours is also checked against the exact value (support/BigInt.h). Where
// the platform differs, the case must belong to one of the listed defects of Wine's oleaut32.
#include <windows.h>
#include <oleauto.h>

#include "runtime/Decimal.h"
#include "runtime/Locale.h"
#include "support/BigInt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using rt::Decimal;
using rt::Result;
using rt::ValueError;
using test::BigInt;

using U128 = BigInt::U128;
constexpr U128 kLimit = U128(1) << 96;
constexpr int kOperands = 4000;

// An exact signed rational num / den.
struct Exact {
    bool negative = false;
    BigInt num;
    BigInt den{1};
};

U128 Mantissa(const Decimal& d) { return (U128(d.High32()) << 64) | d.Low64(); }
Exact ExactOf(const Decimal& d) { return {d.IsNegative(), BigInt(Mantissa(d)), BigInt::Pow10(d.Scale())}; }

Exact Sum(const Exact& a, const Exact& b)
{
    const BigInt x = a.num * b.den;
    const BigInt y = b.num * a.den;
    Exact r;
    r.den = a.den * b.den;
    if (a.negative == b.negative) {
        r.num = x + y;
        r.negative = a.negative;
    } else if (Compare(x, y) >= 0) {
        r.num = x - y;
        r.negative = a.negative;
    } else {
        r.num = y - x;
        r.negative = b.negative;
    }
    return r;
}

// Whether a result is the exact value rounded half to even at the largest scale (at most 28) whose
// mantissa fits in 96 bits, or Overflow when even scale 0 does not fit.
std::string CheckRounding(const Exact& exact, const Result<Decimal>& ours)
{
    const BigInt limit = BigInt(kLimit);
    if (!ours) {
        if (ours.error() != ValueError::Overflow)
            return "unexpected failure";
        // Overflow is right when |value| >= 2^96 - 1/2, that is 2 num >= (2^97 - 1) den.
        return Compare(exact.num * BigInt(2), (limit * BigInt(2) - BigInt(1)) * exact.den) >= 0 ? ""
                                                                                             : "false overflow";
    }
    const BigInt m(Mantissa(*ours));
    const BigInt scaledNum = exact.num * BigInt::Pow10(ours->Scale());
    const BigInt mDen = m * exact.den;
    if (!exact.num.IsZero() && !m.IsZero() && exact.negative != ours->IsNegative())
        return "wrong sign";
    const BigInt diff = Compare(mDen, scaledNum) >= 0 ? mDen - scaledNum : scaledNum - mDen;
    if (diff.IsZero())
        return "";
    const int half = Compare(diff * BigInt(2), exact.den);
    if (half > 0 || (half == 0 && m.IsOdd()))
        return "not the nearest at its scale";
    if (ours->Scale() < Decimal::kMaxScale && Compare(m * BigInt(10) + BigInt(5), limit) < 0)
        return "fewer digits than fit";
    return "";
}

// ---- the platform side ----

DECIMAL ToOle(const Decimal& d)
{
    DECIMAL o{};
    o.scale = static_cast<BYTE>(d.Scale());
    o.sign = d.IsNegative() ? DECIMAL_NEG : 0;
    o.Hi32 = d.High32();
    o.Lo64 = d.Low64();
    return o;
}

// The platform's result as an exact value; it may carry a scale above 28.
struct OleResult {
    HRESULT hr = S_OK;
    DECIMAL value{};
};

bool SameValue(const Result<Decimal>& ours, const OleResult& ole)
{
    if (!ours || FAILED(ole.hr)) {
        if (ours || SUCCEEDED(ole.hr))
            return false;
        const HRESULT expected = ours.error() == ValueError::Overflow         ? DISP_E_OVERFLOW
                                 : ours.error() == ValueError::DivisionByZero ? DISP_E_DIVBYZERO
                                                                              : DISP_E_TYPEMISMATCH;
        return ole.hr == expected;
    }
    const BigInt a = BigInt(Mantissa(*ours)) * BigInt::Pow10(ole.value.scale);
    const BigInt b = BigInt((U128(ole.value.Hi32) << 64) | ole.value.Lo64) * BigInt::Pow10(ours->Scale());
    if (Compare(a, b) != 0)
        return false;
    return a.IsZero() || ours->IsNegative() == (ole.value.sign == DECIMAL_NEG);
}

std::string Describe(const Decimal& d)
{
    return (d.IsNegative() ? "-" : "+") + std::to_string(d.Scale()) + ":" + std::to_string(d.High32()) + ":" +
           std::to_string(d.Low64());
}

std::string Describe(const Result<Decimal>& r)
{
    return r ? Describe(*r) : "error " + std::to_string(static_cast<int>(r.error()));
}

std::string Describe(const OleResult& r)
{
    if (FAILED(r.hr)) {
        char buf[32];
        snprintf(buf, sizeof buf, "hr %08lx", static_cast<unsigned long>(r.hr));
        return buf;
    }
    return (r.value.sign ? "-" : "+") + std::to_string(r.value.scale) + ":" + std::to_string(r.value.Hi32) + ":" +
           std::to_string(r.value.Lo64);
}

// Counts the agreements and each listed exception, and fails on anything else.
class Tally {
public:
    explicit Tally(std::string what) : what_(std::move(what)) {}
    ~Tally()
    {
        std::string line = what_ + ": " + std::to_string(same_) + " identical";
        for (const auto& [name, count] : exceptions_)
            line += ", " + std::to_string(count) + " " + name;
        printf("%s\n", line.c_str());
    }
    void Same() { ++same_; }
    void Exception(const char* name) { ++exceptions_[name]; }
    void Fail(const std::string& detail)
    {
        if (++failures_ <= 20)
            ADD_FAILURE() << what_ << ": " << detail;
    }

private:
    std::string what_;
    int same_ = 0;
    int failures_ = 0;
    std::map<std::string, int> exceptions_;
};

// ---- generated operands ----

Decimal RandomDecimal(std::mt19937_64& rng)
{
    std::uniform_int_distribution<int> bitsDist(0, 96), scaleDist(0, 28), pick(0, 19);
    const bool negative = (rng() & 1) != 0;
    const int scale = scaleDist(rng);
    U128 m;
    switch (pick(rng)) {
    case 0: m = kLimit - 1; break;
    case 1: m = U128(1) << 64; break;
    case 2: m = U128(10000000000000000000ull) * 1000000000ull; break;  // 10^28
    case 3: m = 5; break;
    default: {
        const int bits = bitsDist(rng);
        m = bits == 0 ? 0 : ((U128(rng()) << 64 | rng()) >> (128 - bits)) | (U128(1) << (bits - 1));
    }
    }
    return Decimal::FromParts(static_cast<uint64_t>(m), static_cast<uint32_t>(m >> 64), scale, negative).value();
}

double RandomDouble(std::mt19937_64& rng)
{
    std::uniform_int_distribution<int> kind(0, 3), binExp(-110, 100), digits(1, 17), tenExp(0, 30);
    switch (kind(rng)) {
    case 0: {
        // Any bit pattern over the range that converts.
        const uint64_t bits = (rng() & 0x800FFFFFFFFFFFFFull) | (uint64_t(1023 + binExp(rng)) << 52);
        return std::bit_cast<double>(bits);
    }
    case 1: {
        // A typed-looking number: a few digits over a power of ten.
        const int n = digits(rng);
        uint64_t m = rng() % 100000000000000000ull;
        for (int k = n; k < 17; ++k)
            m /= 10;
        const double x = static_cast<double>(m) / std::pow(10.0, tenExp(rng) - 5);
        return (rng() & 1) ? -x : x;
    }
    case 2: {
        // Near a tie at the 15th digit.
        const double base = static_cast<double>(rng() % 1000000000000000ull) + 0.5;
        return base / std::pow(10.0, tenExp(rng) - 10);
    }
    default:
        return std::ldexp(static_cast<double>(rng() % 1000) + 1, binExp(rng) - 10);
    }
}

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

OleResult OleFromText(const std::wstring& text, LCID lcid)
{
    OleResult r;
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    r.hr = VarDecFromStr(b, lcid, 0, &r.value);
    SysFreeString(b);
    return r;
}

std::wstring OleText(const Decimal& d, LCID lcid)
{
    DECIMAL o = ToOle(d);
    BSTR b = nullptr;
    if (FAILED(VarBstrFromDec(&o, lcid, 0, &b)))
        return L"<failed>";
    std::wstring s(b, SysStringLen(b));
    SysFreeString(b);
    return s;
}

// Texts of a value the way people and programs write it: grouped, signed, padded, with exponents.
std::wstring RandomText(std::mt19937_64& rng, const Decimal& d, const rt::Locale& locale)
{
    std::wstring t = d.ToText();
    const bool negative = !t.empty() && t[0] == L'-';
    if (negative)
        t.erase(0, 1);
    const size_t point = std::min(t.find(locale.decimalSeparator), t.size());
    std::wstring whole = t.substr(0, point);
    std::wstring fraction = point < t.size() ? t.substr(point + 1) : L"";
    switch (rng() % 4) {
    case 0: break;
    case 1:
        for (size_t k = whole.size(); k > 3; k -= 3)
            whole.insert(k - 3, 1, locale.thousandsSeparator);
        break;
    case 2: {
        // Exponent form: move the point left by some places and compensate.
        const int shift = static_cast<int>(rng() % (whole.size() + 1));
        fraction = whole.substr(whole.size() - shift) + fraction;
        whole = whole.substr(0, whole.size() - shift);
        if (whole.empty())
            whole = L"0";
        fraction += L"E" + std::to_wstring(shift);
        if (fraction[0] == L'E')
            fraction = L"0" + fraction;
        break;
    }
    default:
        fraction += L"000";
        break;
    }
    std::wstring text = (negative ? L"-" : (rng() % 4 == 0 ? L"+" : L"")) + whole;
    if (!fraction.empty())
        text += locale.decimalSeparator + fraction;
    if (rng() % 4 == 0)
        text = L"  " + text + L" ";
    return text;
}

// ---- arithmetic ----

enum class Op { Add, Sub, Mul, Div };

struct Outcome {
    Result<Decimal> ours = Decimal();
    OleResult ole;
    Exact exact;
};

Outcome Run(Op op, const Decimal& a, const Decimal& b)
{
    DECIMAL oa = ToOle(a);
    DECIMAL ob = ToOle(b);
    Outcome o;
    const bool negative = a.IsNegative() != b.IsNegative();
    switch (op) {
    case Op::Add:
        o.ours = a.Add(b);
        o.ole.hr = VarDecAdd(&oa, &ob, &o.ole.value);
        o.exact = Sum(ExactOf(a), ExactOf(b));
        break;
    case Op::Sub:
        o.ours = a.Sub(b);
        o.ole.hr = VarDecSub(&oa, &ob, &o.ole.value);
        o.exact = Sum(ExactOf(a), ExactOf(b.Negate()));
        break;
    case Op::Mul:
        o.ours = a.Mul(b);
        o.ole.hr = VarDecMul(&oa, &ob, &o.ole.value);
        o.exact = {negative, BigInt(Mantissa(a)) * BigInt(Mantissa(b)), BigInt::Pow10(a.Scale() + b.Scale())};
        break;
    case Op::Div:
        o.ours = a.Div(b);
        o.ole.hr = VarDecDiv(&oa, &ob, &o.ole.value);
        o.exact = {negative, BigInt(Mantissa(a)) * BigInt::Pow10(b.Scale()),
                   BigInt(Mantissa(b)) * BigInt::Pow10(a.Scale())};
        break;
    }
    return o;
}

// Whether an operand brought to the larger scale, or the exact sum or difference, needs more than 96
// bits: the platform then has to drop digits.
bool AlignedNeedsMoreThan96Bits(const Decimal& a, const Decimal& b)
{
    const int scale = std::max(a.Scale(), b.Scale());
    const BigInt x = BigInt(Mantissa(a)) * BigInt::Pow10(scale - a.Scale());
    const BigInt y = BigInt(Mantissa(b)) * BigInt::Pow10(scale - b.Scale());
    const BigInt limit(kLimit);
    return Compare(x, limit) >= 0 || Compare(y, limit) >= 0 || Compare(x + y, limit) >= 0 ||
           Compare(Compare(x, y) >= 0 ? x - y : y - x, limit) >= 0;
}

bool ProductNeedsRounding(const Decimal& a, const Decimal& b)
{
    return a.Scale() + b.Scale() > Decimal::kMaxScale ||
           Compare(BigInt(Mantissa(a)) * BigInt(Mantissa(b)), BigInt(kLimit)) >= 0;
}

// The platform's result is ours less one unit in the last place, at our scale.
bool OneUnitBelow(const OleResult& ole, const Decimal& ours)
{
    const U128 m = (U128(ole.value.Hi32) << 64) | ole.value.Lo64;
    return SUCCEEDED(ole.hr) && ole.value.scale == ours.Scale() && m + 1 == Mantissa(ours) &&
           (ole.value.sign == DECIMAL_NEG) == ours.IsNegative();
}

// Our result was rounded down from an exact half; the platform rounded it up.
bool TieRoundedUp(const OleResult& ole, const Outcome& o)
{
    if (!o.ours || FAILED(ole.hr) || ole.value.scale != o.ours->Scale())
        return false;
    const U128 m = (U128(ole.value.Hi32) << 64) | ole.value.Lo64;
    // ours + 1/2 == exact, over the common denominator 2 den
    const BigInt twiceOurs = (BigInt(Mantissa(*o.ours)) * o.exact.den).ShiftedLeft(1);
    const BigInt twiceExact = (o.exact.num * BigInt::Pow10(o.ours->Scale())).ShiftedLeft(1);
    return m == Mantissa(*o.ours) + 1 && Compare(twiceOurs + o.exact.den, twiceExact) == 0;
}

void CheckArithmetic(Op op, const Decimal& a, const Decimal& b, Tally& tally)
{
    const Outcome o = Run(op, a, b);
    const std::string detail =
        Describe(a) + " " + "+-*/"[static_cast<int>(op)] + " " + Describe(b) + ": ours " + Describe(o.ours) +
        ", platform " + Describe(o.ole);
    if (op == Op::Div && b.IsZero()) {
        if (o.ours || o.ours.error() != ValueError::DivisionByZero)
            tally.Fail("not DivisionByZero: " + detail);
    } else if (const std::string why = CheckRounding(o.exact, o.ours); !why.empty()) {
        tally.Fail(why + ": " + detail);
        return;
    }
    if (SameValue(o.ours, o.ole)) {
        tally.Same();
        return;
    }
    // Defects of Wine's oleaut32, the platform these tests run on. In each, our result was just
    // checked against the exact value, and the platform's is visibly off.
    if ((op == Op::Add || op == Op::Sub) && AlignedNeedsMoreThan96Bits(a, b))
        tally.Exception("sums needing more than 96 bits (Wine rounds an operand first, or garbles)");
    else if ((op == Op::Add || op == Op::Sub) && (a.IsZero() || b.IsZero()) && a.Scale() != b.Scale())
        tally.Exception("sums with a zero of another scale (Wine subtracts the scales)");
    else if (op == Op::Mul && ProductNeedsRounding(a, b))
        tally.Exception("products needing more than 96 bits or 28 decimals (Wine truncates or garbles)");
    else if (op == Op::Div && static_cast<uint32_t>(b.Low64()) == 0)
        tally.Exception("divisors with 32 low zero bits (Wine loses digits)");
    else if (op == Op::Div && o.ours && OneUnitBelow(o.ole, *o.ours))
        tally.Exception("quotients Wine truncates instead of rounding");
    else if (op == Op::Div && TieRoundedUp(o.ole, o))
        tally.Exception("quotient ties Wine rounds up instead of to even");
    else
        tally.Fail(detail);
}

constexpr const char* kOpNames[] = {"VarDecAdd", "VarDecSub", "VarDecMul", "VarDecDiv"};

TEST(DecimalOleaut, ArithmeticOnGeneratedOperands)
{
    std::mt19937_64 rng(20240601);
    for (Op op : {Op::Add, Op::Sub, Op::Mul, Op::Div}) {
        Tally tally(kOpNames[static_cast<int>(op)]);
        for (int i = 0; i < kOperands; ++i) {
            const Decimal a = RandomDecimal(rng);
            const Decimal b = RandomDecimal(rng);
            CheckArithmetic(op, a, b, tally);
        }
    }
}

TEST(DecimalOleaut, ArithmeticAtTiesAndLimits)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const wchar_t* max = L"79228162514264337593543950335";
    struct Case {
        const wchar_t* a;
        Op op;
        const wchar_t* b;
    };
    Tally tally("fixed cases");
    for (const Case& c : {
             Case{L"0.1", Op::Add, L"0.2"}, Case{L"1", Op::Div, L"3"}, Case{L"2", Op::Div, L"3"},
             Case{L"20", Op::Div, L"3"}, Case{L"0.3333333333333333333333333333", Op::Mul, L"3"},
             Case{L"10000000000000000000000000000", Op::Add, L"0.5"},
             Case{L"10000000000000000000000000001", Op::Add, L"0.5"},
             Case{L"10000000000000000000000000000", Op::Sub, L"0.5"},
             Case{L"0.00000000000001", Op::Mul, L"0.000000000000015"},
             Case{L"0.00000000000001", Op::Mul, L"0.000000000000025"},
             Case{L"0.0000000000000000000000000001", Op::Div, L"2"},
             Case{L"0.0000000000000000000000000005", Op::Div, L"2"},
             Case{L"0.0000000000000000000000000007", Op::Div, L"2"},
             Case{max, Op::Add, L"1"}, Case{max, Op::Add, L"0.4"}, Case{max, Op::Add, L"0.5"},
             Case{max, Op::Sub, L"0.5"}, Case{max, Op::Mul, L"0.1"}, Case{max, Op::Mul, L"0.5"},
             Case{max, Op::Mul, L"2"}, Case{max, Op::Div, L"0.5"}, Case{max, Op::Div, L"3"},
             Case{L"18446744073709551615", Op::Add, L"1"}, Case{L"18446744073709551615", Op::Mul, L"4294967295"},
             Case{L"1", Op::Div, L"0"}, Case{L"0", Op::Div, L"0"}, Case{L"0", Op::Div, L"5"},
             Case{L"10000000000000000000000000000", Op::Mul, L"1.25"},
         }) {
        CheckArithmetic(c.op, Decimal::FromText(c.a).value(), Decimal::FromText(c.b).value(), tally);
    }
}

TEST(DecimalOleaut, CompareOnGeneratedOperands)
{
    std::mt19937_64 rng(99);
    Tally tally("VarDecCmp");
    for (int i = 0; i < kOperands; ++i) {
        const Decimal a = RandomDecimal(rng);
        // Equal values at different scales too.
        const Decimal one = Decimal::FromParts(10, 0, 1, false).value();
        const Decimal b = (i % 4 == 0) ? a.Mul(one).value() : RandomDecimal(rng);
        DECIMAL oa = ToOle(a);
        DECIMAL ob = ToOle(b);
        const int platform = static_cast<int>(VarDecCmp(&oa, &ob)) - VARCMP_EQ;
        if (a.Compare(b) == platform)
            tally.Same();
        else if (AlignedNeedsMoreThan96Bits(a, b))
            tally.Exception("operands needing more than 96 bits at one scale (Wine compares wrongly)");
        else
            tally.Fail(Describe(a) + " vs " + Describe(b) + ": ours " + std::to_string(a.Compare(b)));
    }
}

// ---- conversions ----

Exact ExactOfDouble(double x)
{
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent);
    const BigInt m(static_cast<uint64_t>(std::ldexp(fraction, 53)));
    exponent -= 53;
    if (exponent >= 0)
        return {x < 0, m.ShiftedLeft(exponent), BigInt(1)};
    return {x < 0, m, BigInt(1).ShiftedLeft(-exponent)};
}

// |d - x| * den * 10^scale(d), for x = num / den.
BigInt Distance(U128 mantissa, int scale, bool negative, const Exact& x)
{
    const BigInt a = BigInt(mantissa) * x.den;
    const BigInt b = x.num * BigInt::Pow10(scale);
    if (mantissa != 0 && !x.num.IsZero() && negative != x.negative)
        return a + b;
    return Compare(a, b) >= 0 ? a - b : b - a;
}

BigInt Distance(const Decimal& d, const Exact& x) { return Distance(Mantissa(d), d.Scale(), d.IsNegative(), x); }

// Whether the platform's conversion lies farther from x than ours: |ole - x| > |ours - x|.
bool PlatformFarther(const OleResult& ole, const Decimal& ours, const Exact& x)
{
    const U128 m = (U128(ole.value.Hi32) << 64) | ole.value.Lo64;
    const bool negative = ole.value.sign == DECIMAL_NEG;
    const BigInt platform = Distance(m, ole.value.scale, negative, x) * BigInt::Pow10(ours.Scale());
    return Compare(platform, Distance(ours, x) * BigInt::Pow10(ole.value.scale)) > 0;
}

// The two differ by one unit at the larger of their scales (trailing zeros are dropped).
bool OneUnitApart(const OleResult& ole, const Decimal& ours)
{
    const int scale = std::max<int>(ole.value.scale, ours.Scale());
    const BigInt platform =
        BigInt((U128(ole.value.Hi32) << 64) | ole.value.Lo64) * BigInt::Pow10(scale - ole.value.scale);
    const BigInt our = BigInt(Mantissa(ours)) * BigInt::Pow10(scale - ours.Scale());
    return (ole.value.sign == DECIMAL_NEG) == ours.IsNegative() &&
           (Compare(platform + BigInt(1), our) == 0 || Compare(our + BigInt(1), platform) == 0);
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
    U128 m = Mantissa(*ours);
    while (m != 0 && m % 10 == 0)
        m /= 10;
    if (m >= 1000000000000000ull)
        return "more than 15 digits";
    if (x == 0)
        return m == 0 ? "" : "not zero";
    if (Mantissa(*ours) != 0 && ours->IsNegative() != (x < 0))
        return "wrong sign";
    const int unitExponent = std::max(static_cast<int>(std::floor(std::log10(std::fabs(x)) + 1e-12)) - 14, -28);
    const Exact exact = ExactOfDouble(x);
    // 8 |ours - x| <= 5 * 10^unitExponent, over the common denominator den * 10^scale
    BigInt left = Distance(*ours, exact).ShiftedLeft(3);
    BigInt right = BigInt(5) * exact.den * BigInt::Pow10(ours->Scale());
    if (unitExponent >= 0)
        right = right * BigInt::Pow10(unitExponent);
    else
        left = left * BigInt::Pow10(-unitExponent);
    return Compare(left, right) <= 0 ? "" : "not the 15-digit value";
}

unsigned SignificantDigits(const OleResult& ole)
{
    U128 m = (U128(ole.value.Hi32) << 64) | ole.value.Lo64;
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
        OleResult ole;
        ole.hr = VarDecFromR8(x, &ole.value);
        const Result<Decimal> ours = Decimal::FromDouble(x);
        char text[40];
        snprintf(text, sizeof text, "%.17g", x);
        if (const std::string why = CheckFifteenDigits(x, ours); !why.empty())
            tally.Fail(why + ": " + text + " gives " + Describe(ours));
        else if (SameValue(ours, ole))
            tally.Same();
        // 2^96 itself does not fit in 96 bits, yet Wine returns a value just below the largest.
        else if (std::fabs(x) == 0x1p96 && SUCCEEDED(ole.hr))
            tally.Exception("2^96 (Wine returns a value)");
        // Wine keeps 16 digits, or all of a large double's binary value, where the platform keeps 15.
        else if (SUCCEEDED(ole.hr) && SignificantDigits(ole) > 15)
            tally.Exception("values Wine keeps more than 15 digits of");
        // Wine reports NaN as a bad variant type; we report Overflow, as for the infinities.
        else if (std::isnan(x) && ole.hr == DISP_E_BADVARTYPE)
            tally.Exception("NaN (Wine: bad variant type)");
        // Wine drops a digit of tiny values, gives 0 between 5E-29 and 2^-94, or rounds twice.
        else if (ours && SUCCEEDED(ole.hr) && PlatformFarther(ole, *ours, ExactOfDouble(x)))
            tally.Exception("values Wine converts less accurately");
        // Deliberate: we round as the platform does, the scaled double rather than the exact value, so
        // where that product lands on a tie the exact value does not have (2.5E-28 scaled by 10^28 is
        // exactly 2.5 in doubles) the last digit differs by one from Wine's.
        else if (ours && SUCCEEDED(ole.hr) && OneUnitApart(ole, *ours))
            tally.Exception("ties of the scaled double (rounded as the platform does)");
        else
            tally.Fail(std::string(text) + ": ours " + Describe(ours) + ", platform " + Describe(ole));
    }
}

struct LocaleCase {
    LCID lcid;
    rt::Locale locale;
    const char* name;
};

std::vector<LocaleCase> BothLocales()
{
    return {{0x0409, rt::Locale::EnglishUS(), "en-US"}, {0x0416, rt::Locale::PortugueseBR(), "pt-BR"}};
}

TEST(DecimalOleaut, FromTextInBothLocales)
{
    std::mt19937_64 rng(4242);
    for (const LocaleCase& lc : BothLocales()) {
        rt::ScopedLocale scoped(lc.locale);
        Tally tally(std::string("VarDecFromStr ") + lc.name);
        for (int i = 0; i < kOperands; ++i) {
            const Decimal d = RandomDecimal(rng);
            const std::wstring text = RandomText(rng, d, lc.locale);
            const Result<Decimal> ours = Decimal::FromText(text);
            const OleResult ole = OleFromText(text, lc.lcid);
            if (!ours || *ours != d)
                tally.Fail("misread " + Narrow(text) + " as " + Describe(ours));
            else if (SameValue(ours, ole))
                tally.Same();
            else
                tally.Fail(Narrow(text) + ": ours " + Describe(ours) + ", platform " + Describe(ole));
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
        std::string digits;
        for (int k = 0; k < wholeDigits + fractionDigits; ++k)
            digits += static_cast<char>('0' + (k == 0 && rng() % 2 ? 0 : rng() % 10));
        const bool negative = rng() % 2 != 0;
        const std::string text = (negative ? "-" : "") + digits.substr(0, static_cast<size_t>(wholeDigits)) + "." +
                                 digits.substr(static_cast<size_t>(wholeDigits));
        BigInt num;
        for (char c : digits)
            num = num * BigInt(10) + BigInt(static_cast<U128>(c - '0'));
        const Exact exact{negative, num, BigInt::Pow10(fractionDigits)};
        const std::wstring wide(text.begin(), text.end());
        const Result<Decimal> ours = Decimal::FromText(wide);
        const OleResult ole = OleFromText(wide, 0x0409);
        if (const std::string why = CheckRounding(exact, ours); !why.empty())
            tally.Fail(why + ": " + text + " gives " + Describe(ours));
        else if (SameValue(ours, ole))
            tally.Same();
        // Wine refuses a text with more significant digits than fit, where the platform rounds.
        else if (ole.hr == DISP_E_OVERFLOW && ours)
            tally.Exception("texts Wine refuses for their length");
        // Wine returns scales above 28, which are not valid decimals.
        else if (SUCCEEDED(ole.hr) && ole.value.scale > Decimal::kMaxScale)
            tally.Exception("texts Wine gives more than 28 decimals");
        else
            tally.Fail(text + ": ours " + Describe(ours) + ", platform " + Describe(ole));
    }
}

// Texts the platform reads differently on purpose: our numbers take one leading sign and group
// thousands only between digits of the whole part, so parentheses, trailing signs, currency symbols,
// hexadecimal and stray separators are not numbers.
TEST(DecimalOleaut, FromTextGrammar)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    struct Case {
        std::wstring text;
        const wchar_t* ours;
        bool platformAgrees;
    };
    for (const Case& c : {
             Case{L"", L"TypeMismatch", true},          Case{L"   ", L"TypeMismatch", true},
             Case{L"abc", L"TypeMismatch", true},       Case{L".", L"TypeMismatch", true},
             Case{L"-", L"TypeMismatch", true},         Case{L"1e", L"TypeMismatch", true},
             Case{L"e5", L"TypeMismatch", true},        Case{L"1.2.3", L"TypeMismatch", true},
             Case{L",5", L"TypeMismatch", true},        Case{L"1 000", L"TypeMismatch", true},
             Case{L"12abc", L"TypeMismatch", true},     Case{L"1e400", L"Overflow", true},
             Case{L"0e400", L"0", true},                Case{L" -1,234.5e1 ", L"-12345", true},
             Case{L"(5)", L"TypeMismatch", false},      Case{L"5-", L"TypeMismatch", false},
             Case{L"$5", L"TypeMismatch", false},       Case{L"&H10", L"TypeMismatch", false},
             Case{L"1,,2", L"TypeMismatch", false},     Case{L"1,", L"TypeMismatch", false},
             Case{L"+-1", L"TypeMismatch", false},      Case{L"- 1", L"TypeMismatch", false},
             Case{L"1,23.4,5", L"TypeMismatch", false},
             Case{std::wstring(L"1\0", 2), L"TypeMismatch", false},  // Wine stops at the NUL
         }) {
        SCOPED_TRACE(Narrow(c.text));
        const Result<Decimal> ours = Decimal::FromText(c.text);
        EXPECT_EQ(ours ? ours->ToText() : (ours.error() == ValueError::Overflow ? L"Overflow" : L"TypeMismatch"),
                  c.ours);
        EXPECT_EQ(SameValue(ours, OleFromText(c.text, 0x0409)), c.platformAgrees);
    }
}

TEST(DecimalOleaut, TextInBothLocales)
{
    std::mt19937_64 rng(555);
    for (const LocaleCase& lc : BothLocales()) {
        rt::ScopedLocale scoped(lc.locale);
        Tally tally(std::string("VarBstrFromDec ") + lc.name);
        std::vector<Decimal> values = {Decimal(), Decimal::FromParts(0, 0, 5, true).value(),
                                       Decimal::FromParts(~0ull, ~0u, 0, true).value(),
                                       Decimal::FromParts(~0ull, ~0u, 28, false).value(),
                                       Decimal::FromParts(1, 0, 28, true).value(),
                                       Decimal::FromParts(1000, 0, 3, false).value()};
        for (int i = 0; i < kOperands; ++i)
            values.push_back(RandomDecimal(rng));
        for (const Decimal& d : values) {
            const std::wstring platform = OleText(d, lc.lcid);
            if (platform == d.ToText())
                tally.Same();
            else
                tally.Fail(Describe(d) + ": ours " + Narrow(d.ToText()) + ", platform " + Narrow(platform));
        }
    }
}

}  // namespace
