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

const std::wstring kMax = L"79228162514264337593543950335";

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

Decimal Dec(const std::wstring& text)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const Result<Decimal> r = Decimal::FromText(text);
    EXPECT_TRUE(r.ok()) << "cannot read " << std::string(text.begin(), text.end());
    return r.value_or(Decimal());
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

struct OpCase {
    const wchar_t* a;
    char op;
    const wchar_t* b;
    const wchar_t* expected;
};

void RunOps(std::initializer_list<OpCase> cases)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    for (const OpCase& c : cases) {
        SCOPED_TRACE(Narrow(c.a) + " " + c.op + " " + Narrow(c.b));
        const Decimal a = Dec(c.a);
        const Decimal b = Dec(c.b);
        const Result<Decimal> r = c.op == '+'   ? a.Add(b)
                                  : c.op == '-' ? a.Sub(b)
                                  : c.op == '*' ? a.Mul(b)
                                                : a.Div(b);
        EXPECT_EQ(Show(r), c.expected);
    }
}

TEST(Decimal, IsExactWhereBinaryFloatingPointIsNot)
{
    RunOps({
        {L"0.1", '+', L"0.2", L"0.3"},
        {L"0.1", '-', L"0.3", L"-0.2"},
        {L"1", '/', L"3", L"0.3333333333333333333333333333"},
        {L"2", '/', L"3", L"0.6666666666666666666666666667"},
        // A whole digit leaves room for 28 decimals: 29 significant digits.
        {L"20", '/', L"3", L"6.6666666666666666666666666667"},
        {L"0.3333333333333333333333333333", '*', L"3", L"0.9999999999999999999999999999"},
        {L"1", '/', L"7", L"0.1428571428571428571428571429"},
        {L"-22", '/', L"7", L"-3.1428571428571428571428571429"},
        {L"1.00", '/', L"4", L"0.25"},
        {L"12", '/', L"0.4", L"30"},
    });
    EXPECT_EQ(Dec(L"0.1").Add(Dec(L"0.2"))->Compare(Dec(L"0.3")), 0);
}

TEST(Decimal, RoundsDroppedDigitsHalfToEven)
{
    RunOps({
        // Sums that need 29 digits before the point keep none after it.
        {L"10000000000000000000000000000", '+', L"0.5", L"10000000000000000000000000000"},
        {L"10000000000000000000000000001", '+', L"0.5", L"10000000000000000000000000002"},
        {L"10000000000000000000000000000", '-', L"0.5", L"10000000000000000000000000000"},
        {L"10000000000000000000000000000", '+', L"0.5000000000000000000000000001", L"10000000000000000000000000001"},
        {L"10000000000000000000000000000", '+', L"0.0000000000000000000000000001", L"10000000000000000000000000000"},
        // Products below the 28th decimal.
        {L"0.00000000000001", '*', L"0.000000000000015", L"0.0000000000000000000000000002"},
        {L"0.00000000000001", '*', L"0.000000000000025", L"0.0000000000000000000000000002"},
        {L"0.00000000000001", '*', L"0.000000000000025000000000001", L"0.0000000000000000000000000003"},
        {L"0.00000000000001", '*', L"0.000000000000005", L"0"},
        // Quotients at the 28th decimal.
        {L"0.0000000000000000000000000001", '/', L"2", L"0"},
        {L"0.0000000000000000000000000003", '/', L"2", L"0.0000000000000000000000000002"},
        {L"0.0000000000000000000000000005", '/', L"2", L"0.0000000000000000000000000002"},
        {L"0.0000000000000000000000000007", '/', L"2", L"0.0000000000000000000000000004"},
        {L"2", '/', L"0.0000000000000000000000000003", L"6666666666666666666666666666.7"},
    });
}

TEST(Decimal, ReducesTheScaleWhenTheExactResultNeedsMoreThan96Bits)
{
    RunOps({
        {L"3", '*', L"3.3333333333333333333333333333", L"10"},
        {L"1.0000000000000000000000000000", '*', L"1.0000000000000000000000000000", L"1"},
        {L"1.2345678901234567890123456789", '*', L"9.876543210987654321098765432", L"12.193263113702179522618503273"},
        {L"0.0000000000000000000000000001", '*', L"0.0000000000000000000000000001", L"0"},
        {L"1234567890.123456789", '+', L"0.0000000000000000005", L"1234567890.1234567890000000005"},
        {L"79228162514264337593543950335", '/', L"18446744073709551616", L"4294967295.9999999999999999999"},
        {L"79228162514264337593543950335", '/', L"18446744073709551617", L"4294967295.9999999997671693563"},
        {L"0.0000000000000000000000000001", '/', kMax.c_str(), L"0"},
        {L"1", '/', L"12345678901234567", L"0.000000000000000081000000729"},
    });
}

TEST(Decimal, CarriesAcrossWordBoundaries)
{
    RunOps({
        {L"18446744073709551615", '+', L"1", L"18446744073709551616"},
        {L"18446744073709551616", '-', L"1", L"18446744073709551615"},
        {kMax.c_str(), '-', L"18446744073709551616", L"79228162495817593519834398719"},
        {L"4294967296", '*', L"4294967297", L"18446744078004518912"},
        {L"18446744073709551615", '*', L"4294967295", L"79228162495817593515539431425"},
        {L"18446744073709551617", '*', L"4294967295", L"79228162495817593524129366015"},
        {kMax.c_str(), '/', L"3", L"26409387504754779197847983445"},
        {L"-18446744073709551616", '+', L"18446744073709551615", L"-1"},
    });
}

TEST(Decimal, OverflowsJustPastTheLargestValue)
{
    const std::wstring negMax = L"-" + kMax;
    RunOps({
        {kMax.c_str(), '+', L"1", L"Overflow"},
        {negMax.c_str(), '-', L"1", L"Overflow"},
        {kMax.c_str(), '+', L"0.4", kMax.c_str()},
        {kMax.c_str(), '+', L"0.5", L"Overflow"},  // rounds to the even 2^96
        {kMax.c_str(), '-', L"0.5", L"79228162514264337593543950334"},
        {kMax.c_str(), '*', L"0.1", L"7922816251426433759354395033.5"},
        {kMax.c_str(), '*', L"0.5", L"39614081257132168796771975168"},
        {kMax.c_str(), '*', L"2", L"Overflow"},
        {kMax.c_str(), '/', L"0.5", L"Overflow"},
        {kMax.c_str(), '/', L"-0.1", L"Overflow"},
        {kMax.c_str(), '/', L"1.0000000000000000000000000001", L"79228162514264337593543950327"},
        {negMax.c_str(), '+', kMax.c_str(), L"0"},
    });
    EXPECT_EQ(Show(Decimal::FromText(kMax)), kMax);
    EXPECT_EQ(Show(Decimal::FromText(L"79228162514264337593543950336")), L"Overflow");
    EXPECT_EQ(Show(Decimal::FromText(L"79228162514264337593543950335.5")), L"Overflow");
    EXPECT_EQ(Show(Decimal::FromText(L"79228162514264337593543950335.49")), kMax);
}

TEST(Decimal, RefusesDivisionByZero)
{
    RunOps({
        {L"1", '/', L"0", L"DivisionByZero"},
        {L"0", '/', L"0", L"DivisionByZero"},
        {L"1", '/', L"0.000", L"DivisionByZero"},
        {L"0", '/', L"7", L"0"},
    });
}

TEST(Decimal, NeverShowsOrOrdersANegativeZero)
{
    const Decimal negativeZero = Decimal::FromParts(0, 0, 3, true).value();
    EXPECT_FALSE(negativeZero.IsNegative());
    EXPECT_TRUE(negativeZero.IsZero());
    EXPECT_EQ(negativeZero.ToText(), L"0");
    EXPECT_EQ(negativeZero, Decimal());
    EXPECT_EQ(Decimal().Negate().ToText(), L"0");
    EXPECT_FALSE(Decimal().Negate().IsNegative());
    EXPECT_EQ(Show(Dec(L"-1").Add(Dec(L"1"))), L"0");
    EXPECT_EQ(Show(Dec(L"-0.0000000000000000000000000001").Div(Dec(L"4"))), L"0");
    EXPECT_EQ(Show(Dec(L"-0.000000000000001").Mul(Dec(L"0.000000000000001"))), L"0");
    EXPECT_FALSE(Dec(L"-0").IsNegative());
    EXPECT_EQ(Show(Decimal::FromDouble(-0.0)), L"0");
    EXPECT_EQ(Show(Decimal::FromDouble(-1e-30)), L"0");
}

TEST(Decimal, ComparesByValue)
{
    EXPECT_EQ(Dec(L"1.50"), Dec(L"1.5"));
    EXPECT_LT(Dec(L"-1"), Decimal());
    EXPECT_LT(Decimal(), Dec(L"0.0000000000000000000000000001"));
    EXPECT_LT(Dec(L"0.0000000000000000000000000001"), Dec(L"10000000000000000000000000000"));
    EXPECT_LT(Dec(L"-10000000000000000000000000000"), Dec(L"-0.0000000000000000000000000001"));
    EXPECT_GT(Dec(kMax), Dec(L"7922816251426433759354395033.5"));
    EXPECT_LT(Dec(L"-" + kMax), Dec(L"-7922816251426433759354395033.5"));
    EXPECT_EQ(Dec(L"18446744073709551616").Compare(Dec(L"18446744073709551615.999999999")), 1);
    EXPECT_EQ(Decimal::FromInt64(std::numeric_limits<int64_t>::min()).ToText(), L"-9223372036854775808");
    EXPECT_EQ(Decimal::FromInt64(-42).ToText(), L"-42");
}

TEST(Decimal, WritesTextWithoutTrailingZerosOrGrouping)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    struct Case {
        uint64_t low;
        uint32_t high;
        int scale;
        bool negative;
        const wchar_t* expected;
    };
    for (const Case& c : {Case{20, 0, 0, false, L"20"}, Case{125, 0, 1, false, L"12.5"},
                          Case{1250, 0, 2, false, L"12.5"}, Case{3, 0, 0, true, L"-3"},
                          Case{1000, 0, 3, false, L"1"}, Case{100, 0, 0, false, L"100"},
                          Case{1, 0, 28, false, L"0.0000000000000000000000000001"},
                          Case{1, 0, 28, true, L"-0.0000000000000000000000000001"},
                          Case{~0ull, ~0u, 0, false, L"79228162514264337593543950335"},
                          Case{~0ull, ~0u, 28, true, L"-7.9228162514264337593543950335"},
                          Case{0, 1, 0, false, L"18446744073709551616"},
                          Case{10000000000000000000ull, 0, 19, false, L"1"}}) {
        SCOPED_TRACE(Narrow(c.expected));
        EXPECT_EQ(Decimal::FromParts(c.low, c.high, c.scale, c.negative)->ToText(), c.expected);
    }
    EXPECT_EQ(Show(Decimal::FromParts(1, 0, 29, false)), L"InvalidCall");
}

TEST(Decimal, ReadsAndWritesWithTheLocaleSeparators)
{
    struct Case {
        bool portuguese;
        const wchar_t* text;
        const wchar_t* expected;
    };
    for (const Case& c : {Case{false, L"1,234.57", L"1234.57"}, Case{true, L"1.234,57", L"1234,57"},
                          Case{false, L"1.5", L"1.5"}, Case{true, L"1,5", L"1,5"},
                          Case{true, L"1.5", L"15"},  // "." groups thousands there
                          Case{false, L"1,5", L"15"}, Case{false, L"1,234,567.891", L"1234567.891"},
                          Case{true, L"-1.234.567,891", L"-1234567,891"}, Case{true, L"1,5E2", L"150"},
                          Case{false, L".5", L"0.5"}, Case{true, L",5", L"0,5"}, Case{false, L"5.", L"5"},
                          Case{true, L"1,234.5", L"TypeMismatch"}, Case{false, L"1.234,5", L"TypeMismatch"}}) {
        SCOPED_TRACE(Narrow(c.text) + (c.portuguese ? " pt-BR" : " en-US"));
        rt::ScopedLocale locale(c.portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        EXPECT_EQ(Show(Decimal::FromText(c.text)), c.expected);
    }
}

TEST(Decimal, ReadsLongTextsRoundingHalfToEven)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    for (const Case& c : {
             Case{L"0.33333333333333333333333333335", L"0.3333333333333333333333333334"},
             Case{L"0.33333333333333333333333333325", L"0.3333333333333333333333333332"},
             Case{L"1.00000000000000000000000000005", L"1"},
             Case{L"1.000000000000000000000000000050000001", L"1.0000000000000000000000000001"},
             Case{L"1.00000000000000000000000000015", L"1.0000000000000000000000000002"},
             Case{L"9.99999999999999999999999999995", L"10"},
             Case{L"0.00000000000000000000000000005", L"0"},
             Case{L"0.000000000000000000000000000051", L"0.0000000000000000000000000001"},
             Case{L"0.00000000000000000000000000015", L"0.0000000000000000000000000002"},
             Case{L"12345678901234567890.123456789012345", L"12345678901234567890.123456789"},
             Case{L"1.5e-28", L"0.0000000000000000000000000002"},
             Case{L"2.5E-28", L"0.0000000000000000000000000002"},
             Case{L"7.9228162514264337593543950335E28", L"79228162514264337593543950335"},
             Case{L"1e28", L"10000000000000000000000000000"},
             Case{L"1e29", L"Overflow"},
             Case{L"0.0001e32", L"10000000000000000000000000000"},
             Case{L"1234e-3", L"1.234"},
         }) {
        SCOPED_TRACE(Narrow(c.text));
        EXPECT_EQ(Show(Decimal::FromText(c.text)), c.expected);
    }
}

TEST(Decimal, GivesADefinedResultForAnyText)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const std::wstring tenThousandDigits = L"1" + std::wstring(9999, L'0');
    const std::wstring tinyAfterZeros = L"0." + std::wstring(9998, L'0') + L"1";
    const std::wstring longThirds = L"0." + std::wstring(9998, L'3');
    const std::wstring groupedDigits = L"1" + std::wstring(10, L',') + L"2";
    struct Case {
        std::wstring text;
        const wchar_t* expected;
    };
    for (const Case& c : {
             Case{L"", L"TypeMismatch"},
             Case{L"   ", L"TypeMismatch"},
             Case{L"abc", L"TypeMismatch"},
             Case{L"12abc", L"TypeMismatch"},
             Case{L".", L"TypeMismatch"},
             Case{L",", L"TypeMismatch"},
             Case{L"-", L"TypeMismatch"},
             Case{L"+-1", L"TypeMismatch"},
             Case{L"--1", L"TypeMismatch"},
             Case{L"- 1", L"TypeMismatch"},
             Case{L"1..2", L"TypeMismatch"},
             Case{L"1.2.3", L"TypeMismatch"},
             Case{L"1,,2", L"TypeMismatch"},
             Case{L",5", L"TypeMismatch"},
             Case{L"1,", L"TypeMismatch"},
             Case{L"1,.5", L"TypeMismatch"},
             Case{L"1.5,3", L"TypeMismatch"},
             Case{groupedDigits, L"TypeMismatch"},
             Case{L"1e", L"TypeMismatch"},
             Case{L"1e+", L"TypeMismatch"},
             Case{L"e5", L"TypeMismatch"},
             Case{L"1 000", L"TypeMismatch"},
             Case{L"(5)", L"TypeMismatch"},
             Case{L"5-", L"TypeMismatch"},
             Case{L"$5", L"TypeMismatch"},
             Case{L"&H10", L"TypeMismatch"},
             Case{std::wstring(L"1\0", 2), L"TypeMismatch"},
             Case{std::wstring(L"\0", 1), L"TypeMismatch"},
             Case{L"\u0661\u0662", L"TypeMismatch"},  // Arabic-Indic digits
             Case{L"\uFF11\uFF12", L"TypeMismatch"},  // full-width digits
             Case{L"1\u00A0000", L"TypeMismatch"},
             Case{L"1e999999999999999999999999", L"Overflow"},
             Case{L"1e-999999999999999999999999", L"0"},
             Case{L"0e999999999999", L"0"},
             Case{L"-0.000", L"0"},
             Case{tenThousandDigits, L"Overflow"},
             Case{tinyAfterZeros, L"0"},
             Case{longThirds, L"0.3333333333333333333333333333"},
             Case{L" \t12.5\r\n", L"12.5"},
             Case{L"+7", L"7"},
         }) {
        SCOPED_TRACE(Narrow(c.text.substr(0, 40)));
        EXPECT_EQ(Show(Decimal::FromText(c.text)), c.expected);
    }
}

TEST(Decimal, FromDoubleKeepsFifteenSignificantDigits)
{
    rt::ScopedLocale us(rt::Locale::EnglishUS());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        const wchar_t* expected;
    };
    for (const Case& c : {
             Case{0.1, L"0.1"},
             Case{0.1 + 0.2, L"0.3"},
             Case{1.0 / 3, L"0.333333333333333"},
             Case{2.0 / 3, L"0.666666666666667"},
             Case{-1.5, L"-1.5"},
             Case{123456789012345678.0, L"123456789012346000"},
             Case{0.12345678901234568, L"0.123456789012346"},
             Case{1234567890123456.5, L"1234567890123460"},
             // Scaled in double arithmetic, 9.9999999999999947 lands on a tie and rounds up.
             Case{9.999999999999995, L"10"},
             Case{79228162514264e15, L"79228162514264000000000000000"},
             Case{79228162514264328e12, L"79228162514264300000000000000"},  // the largest double below 2^96
             Case{79228162514264337593543950336.0, L"Overflow"},              // 2^96
             Case{-1e300, L"Overflow"},
             Case{nan, L"Overflow"},
             Case{inf, L"Overflow"},
             Case{-inf, L"Overflow"},
             // Below 28 decimals: rounded at the 28th, and zero under 2^-95.
             Case{1e-28, L"0.0000000000000000000000000001"},
             Case{1.5e-28, L"0.0000000000000000000000000002"},
             Case{1.23456789012345e-20, L"0.0000000000000000000123456789"},
             Case{4.9e-29, L"0"},
             Case{5.1e-29, L"0.0000000000000000000000000001"},
             Case{1e-29, L"0"},
             Case{5e-324, L"0"},
         }) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Show(Decimal::FromDouble(c.value)), c.expected);
    }
}

TEST(Decimal, ConvertsToADoubleAsThePlatformDoes)
{
    EXPECT_EQ(Dec(L"0.1").ToDouble(), 0.1);
    EXPECT_EQ(Dec(L"-2.5").ToDouble(), -2.5);
    // The platform divides the mantissa by the power of ten in doubles: not always the nearest double.
    EXPECT_EQ(Dec(L"1").Div(Dec(L"3"))->ToDouble(), 0.33333333333333337);
    EXPECT_EQ(Dec(kMax).ToDouble(), 79228162514264337593543950336.0);
    EXPECT_EQ(Decimal::FromParts(0, 0, 5, true)->ToDouble(), 0.0);
    EXPECT_FALSE(std::signbit(Decimal::FromParts(0, 0, 5, true)->ToDouble()));
}

}  // namespace
