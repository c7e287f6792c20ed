#include "runtime/Decimal.h"
#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using rt::Decimal;
using rt::Result;
using rt::ValueError;
using namespace std::string_literals;

const std::wstring kMax = L"79228162514264337593543950335";
const std::wstring kTiny = L"0.0000000000000000000000000001";  // one unit at scale 28

// The result's text, or the failure's name: one string to compare in the tables.
std::wstring Show(const Result<Decimal>& r)
{
    if (r)
        return r->ToText();
    switch (r.error()) {
    case ValueError::Overflow: return L"Overflow";
    case ValueError::DivisionByZero: return L"DivisionByZero";
    case ValueError::TypeMismatch: return L"TypeMismatch";
    case ValueError::InvalidCall: return L"InvalidCall";
    }
    return L"?";
}

std::string Narrow(const std::wstring& w)
{
    std::string out;
    for (const wchar_t c : w.substr(0, 60))
        out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
    return out;
}

Decimal Dec(const std::wstring& text)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const Result<Decimal> r = Decimal::FromText(text);
    EXPECT_TRUE(r.ok()) << "cannot read " << Narrow(text);
    return r.value_or(Decimal());
}

TEST(Decimal, ArithmeticRoundsTheLastDigitHalfToEven)
{
    const struct {
        std::wstring a;
        char op;
        std::wstring b, expected;
    } cases[] = {
        // Exact where binary floating point is not; a whole digit leaves room for 28 decimals.
        {L"0.1", '+', L"0.2", L"0.3"},
        {L"1", '/', L"3", L"0.3333333333333333333333333333"},
        {L"2", '/', L"3", L"0.6666666666666666666666666667"},
        {L"20", '/', L"3", L"6.6666666666666666666666666667"},
        {L"-22", '/', L"7", L"-3.1428571428571428571428571429"},
        {L"12", '/', L"0.4", L"30"},
        {L"3", '*', L"-2", L"-6"},
        {L"-3", '*', L"-2", L"6"},
        // Sums that need 29 digits before the point keep none after it.
        {L"10000000000000000000000000000", '+', L"0.5", L"10000000000000000000000000000"},
        {L"10000000000000000000000000001", '+', L"0.5", L"10000000000000000000000000002"},
        {L"10000000000000000000000000000", '+', L"0.5000000000000000000000000001", L"10000000000000000000000000001"},
        // Products and quotients at the 28th decimal.
        {L"0.00000000000001", '*', L"0.000000000000015", L"0.0000000000000000000000000002"},
        {L"0.00000000000001", '*', L"0.000000000000025", L"0.0000000000000000000000000002"},
        {L"0.00000000000001", '*', L"0.000000000000025000000000001", L"0.0000000000000000000000000003"},
        {L"0.0000000000000000000000000005", '/', L"2", L"0.0000000000000000000000000002"},
        {L"0.0000000000000000000000000007", '/', L"2", L"0.0000000000000000000000000004"},
        {L"2", '/', L"0.0000000000000000000000000003", L"6666666666666666666666666666.7"},
        // The scale drops when the exact result needs more than 96 bits.
        {L"3", '*', L"3.3333333333333333333333333333", L"10"},
        {L"1.2345678901234567890123456789", '*', L"9.876543210987654321098765432", L"12.193263113702179522618503273"},
        {kTiny, '*', kTiny, L"0"},
        {L"1234567890.123456789", '+', L"0.0000000000000000005", L"1234567890.1234567890000000005"},
        {kMax, '/', L"18446744073709551617", L"4294967295.9999999997671693563"},
        {L"1", '/', L"12345678901234567", L"0.000000000000000081000000729"},
        // Carries across the 32- and 64-bit words.
        {L"18446744073709551615", '+', L"1", L"18446744073709551616"},
        {kMax, '-', L"18446744073709551616", L"79228162495817593519834398719"},
        {L"18446744073709551617", '*', L"4294967295", L"79228162495817593524129366015"},
        {kMax, '/', L"3", L"26409387504754779197847983445"},
        {L"-18446744073709551616", '+', L"18446744073709551615", L"-1"},
        // Just past the largest value.
        {kMax, '+', L"1", L"Overflow"},
        {L"-" + kMax, '-', L"1", L"Overflow"},
        {kMax, '+', L"0.4", kMax},
        {kMax, '+', L"0.5", L"Overflow"},  // rounds to the even 2^96
        {kMax, '-', L"0.5", L"79228162514264337593543950334"},
        {kMax, '*', L"0.5", L"39614081257132168796771975168"},
        {kMax, '/', L"0.5", L"Overflow"},
        {kMax, '/', L"-0.1", L"Overflow"},
        {kMax, '/', L"1.0000000000000000000000000001", L"79228162514264337593543950327"},
        // Division by zero, and results that are zero show no sign (their text is "0").
        {L"1", '/', L"0.000", L"DivisionByZero"},
        {L"0", '/', L"0", L"DivisionByZero"},
        {L"-1", '+', L"1", L"0"},
        {L"-" + kTiny, '/', L"4", L"0"},
        {L"-0.000000000000001", '*', L"0.000000000000001", L"0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.a) + " " + c.op + " " + Narrow(c.b));
        const Decimal a = Dec(c.a);
        const Decimal b = Dec(c.b);
        const Result<Decimal> r = c.op == '+' ? a.Add(b) : c.op == '-' ? a.Sub(b) : c.op == '*' ? a.Mul(b) : a.Div(b);
        EXPECT_EQ(Show(r), c.expected);
    }
}

TEST(Decimal, ComparesByValueWithoutANegativeZero)
{
    const Decimal negativeZero = Decimal::FromParts(0, 0, 3, true).value();
    EXPECT_EQ(negativeZero, Decimal());
    EXPECT_EQ(negativeZero.ToText(), L"0");
    EXPECT_FALSE(Decimal().Negate().IsNegative());
    EXPECT_EQ(Dec(L"1.50"), Dec(L"1.5"));
    EXPECT_LT(Dec(L"-1"), Decimal());
    EXPECT_LT(Dec(L"-5"), Dec(L"3"));
    EXPECT_GT(Dec(L"3"), Dec(L"-5"));
    EXPECT_LT(Decimal(), Dec(kTiny));
    EXPECT_LT(Dec(kTiny), Dec(L"10000000000000000000000000000"));
    EXPECT_LT(Dec(L"-10000000000000000000000000000"), Dec(L"-" + kTiny));
    EXPECT_GT(Dec(kMax), Dec(L"7922816251426433759354395033.5"));
    EXPECT_EQ(Dec(L"18446744073709551616").Compare(Dec(L"18446744073709551615.999999999")), 1);
    EXPECT_EQ(Decimal::FromInt64(std::numeric_limits<int64_t>::min()).ToText(), L"-9223372036854775808");
}

TEST(Decimal, WritesTextWithoutTrailingZerosOrGrouping)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const struct {
        uint64_t low;
        uint32_t high;
        int scale;
        bool negative;
        const wchar_t* expected;
    } cases[] = {
        {1250, 0, 2, false, L"12.5"}, {1000, 0, 3, false, L"1"}, {100, 0, 0, false, L"100"},
        {1, 0, 28, true, L"-0.0000000000000000000000000001"}, {~0ull, ~0u, 0, false, kMax.c_str()},
        {~0ull, ~0u, 28, true, L"-7.9228162514264337593543950335"}, {0, 1, 0, false, L"18446744073709551616"},
        {10000000000000000000ull, 0, 19, false, L"1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.expected));
        EXPECT_EQ(Decimal::FromParts(c.low, c.high, c.scale, c.negative)->ToText(), c.expected);
    }
    EXPECT_EQ(Show(Decimal::FromParts(1, 0, 29, false)), L"InvalidCall");
    rt::ScopedLocale br(rt::Locale::PortugueseBR());
    EXPECT_EQ(Decimal::FromParts(1250, 0, 2, true)->ToText(), L"-12,5");
}

// Any text gives a value or a defined failure: separators of the locale, digits beyond what fits
// rounded half to even, the grammar's edges and hostile input.
TEST(Decimal, ReadsTextsWithTheLocaleRules)
{
    const std::wstring tenThousandDigits = L"1" + std::wstring(9999, L'0');
    const struct {
        bool portuguese;
        std::wstring text;
        std::wstring expected;  // in en-US form
    } cases[] = {
        {false, L"1,234,567.891", L"1234567.891"}, {true, L"-1.234.567,891", L"-1234567.891"},
        {true, L"1.5", L"15"},  // "." groups thousands there
        {false, L"1,5", L"15"},        {true, L"1,5E2", L"150"},     {false, L".5", L"0.5"},
        {true, L",5", L"0.5"},         {false, L"5.", L"5"},         {false, L" \t+12.5\r\n", L"12.5"},
        {true, L"1,234.5", L"TypeMismatch"}, {false, L"1.234,5", L"TypeMismatch"},
        // More digits than fit.
        {false, L"0.33333333333333333333333333335", L"0.3333333333333333333333333334"},
        {false, L"0.33333333333333333333333333325", L"0.3333333333333333333333333332"},
        {false, L"1.000000000000000000000000000050000001", L"1.0000000000000000000000000001"},
        {false, L"9.99999999999999999999999999995", L"10"},
        {false, L"0.00000000000000000000000000005", L"0"},
        {false, L"0.000000000000000000000000000051", kTiny},
        {false, L"12345678901234567890.123456789012345", L"12345678901234567890.123456789"},
        {false, L"2.5E-28", L"0.0000000000000000000000000002"},
        {false, L"7.9228162514264337593543950335E28", kMax},
        {false, L"0.0001e32", L"10000000000000000000000000000"},
        {false, L"1e29", L"Overflow"},
        {false, L"8e28", L"Overflow"},
        {false, kMax + L".49", kMax},
        {false, kMax + L".5", L"Overflow"},
        {false, L"79228162514264337593543950336", L"Overflow"},
        {false, tenThousandDigits, L"Overflow"},
        {false, L"0." + std::wstring(9998, L'3'), L"0.3333333333333333333333333333"},
        {false, L"0." + std::wstring(9998, L'0') + L"1", L"0"},
        {false, L"1e-999999999999999999999999", L"0"},
        {false, L"1e999999999999999999999999", L"Overflow"},
        {false, L"-0.000", L"0"},
        // Not numbers.
        {false, L"", L"TypeMismatch"},  {false, L"   ", L"TypeMismatch"},  {false, L"12abc", L"TypeMismatch"},
        {false, L".", L"TypeMismatch"}, {false, L"-", L"TypeMismatch"},    {false, L"+-1", L"TypeMismatch"},
        {false, L"- 1", L"TypeMismatch"}, {false, L"1..2", L"TypeMismatch"}, {false, L"1,,2", L"TypeMismatch"},
        {false, L",5", L"TypeMismatch"}, {false, L"1,", L"TypeMismatch"},  {false, L"1,.5", L"TypeMismatch"},
        {false, L"1.5,3", L"TypeMismatch"}, {false, L"1e+", L"TypeMismatch"}, {false, L"e5", L"TypeMismatch"},
        {false, L"1 000", L"TypeMismatch"}, {false, L"(5)", L"TypeMismatch"}, {false, L"5-", L"TypeMismatch"},
        {false, L"&H10", L"TypeMismatch"}, {false, L"1\0"s, L"TypeMismatch"}, {false, L"\u0661\u0662", L"TypeMismatch"},
        {false, L"\uFF11\uFF12", L"TypeMismatch"}, {false, L"1\u00A0000", L"TypeMismatch"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text) + (c.portuguese ? " pt-BR" : " en-US"));
        Result<Decimal> r = ValueError::InvalidCall;
        {
            rt::ScopedLocale locale(c.portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
            r = Decimal::FromText(c.text);
        }
        EXPECT_EQ(Show(r), c.expected);
    }
}

TEST(Decimal, ConvertsDoublesKeepingFifteenSignificantDigits)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::wstring> cases[] = {
        {0.1 + 0.2, L"0.3"},
        {2.0 / 3, L"0.666666666666667"},
        {123456789012345678.0, L"123456789012346000"},
        {1234567890123456.5, L"1234567890123460"},
        // Scaled in double arithmetic, 9.9999999999999947 lands on a tie and rounds up.
        {9.999999999999995, L"10"},
        // Exact ties at the 15th digit go to the even neighbour, down as well as up.
        {100000000000002.5, L"100000000000002"},
        {100000000000003.5, L"100000000000004"},
        {-100000000000002.5, L"-100000000000002"},
        {79228162514264328e12, L"79228162514264300000000000000"},  // the largest double below 2^96
        {79228162514264337593543950336.0, L"Overflow"},              // 2^96
        {std::nan(""), L"Overflow"},
        {-inf, L"Overflow"},
        // Below 28 decimals: rounded at the 28th, and zero under 5E-29.
        {1.5e-28, L"0.0000000000000000000000000002"},
        {1.23456789012345e-20, L"0.0000000000000000000123456789"},
        {4.9e-29, L"0"},
        {5.1e-29, kTiny},
        {-1e-30, L"0"},
        {-0.0, L"0"},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Show(Decimal::FromDouble(value)), expected);
    }
    // Back to a double the platform's way: the mantissa divided by the power of ten, not always the nearest.
    EXPECT_EQ(Dec(L"0.1").ToDouble(), 0.1);
    EXPECT_EQ(Dec(L"1").Div(Dec(L"3"))->ToDouble(), 0.33333333333333337);
    EXPECT_EQ(Dec(kMax).ToDouble(), 79228162514264337593543950336.0);
    EXPECT_FALSE(std::signbit(Decimal::FromParts(0, 0, 5, true)->ToDouble()));
}

}  // namespace
