#include "runtime/Locale.h"
#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace {

using namespace std::string_literals;
constexpr double kMax = std::numeric_limits<double>::max();

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t c : text)
        out += c >= 32 && c < 127 ? static_cast<char>(c) : '?';
    return out;
}

// ParseNumber never gives an infinity: these stand for its failures in the tables.
constexpr double kOverflow = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = -kOverflow;

double Outcome(const rt::Result<double>& r)
{
    if (r)
        return *r;
    return r.error() == rt::ValueError::Overflow       ? kOverflow
           : r.error() == rt::ValueError::TypeMismatch ? kNotANumber
                                                        : 0.5;
}

TEST(NumberText, ReadsTextsWithTheLocaleSeparators)
{
    const std::wstring tenThousandNines(10000, L'9');
    const struct {
        bool portuguese;
        std::wstring text;
        double expected;
    } cases[] = {
        {false, L"1,234.57", 1234.57}, {false, L"1,2,3", 123},  // grouping is not checked
        {false, L"1,234,", 1234},      {false, L"1,.5", 1.5},          {false, L".,5", 0.5},
        {false, L"12.", 12},           {false, L"-.5", -0.5},          {false, L"00012", 12},
        {false, L"1E+5", 1e5},         {false, L"-2.5E-07", -2.5e-7},  {false, L"1,000.5e2", 100050},
        {false, L"1,e5", 1e5},         {false, L"\t12\r\n", 12},       {false, L"\u00a05\u3000", 5},
        {false, L"- 5", -5},           {false, L"+ 5", 5},             {false, L"1e-400", 0},
        {false, L"0e99999999999999999999", 0}, {false, L"1e-99999999999999999999", 0},
        {true, L"1.234,57", 1234.57},  {true, L"1.5", 15},  // "." groups thousands here
        // Signs after the digits, the currency symbol, parentheses for a negative amount.
        {false, L"12-", -12},          {false, L" 12 + ", 12},         {false, L"1e5-", -1e5},
        {false, L"$1,000.50", 1000.5}, {false, L"1000 $", 1000},       {false, L"-$5", -5},
        {false, L"(12)", -12},         {false, L" ( $ 12 ) ", -12},    {false, L"(12)-", -12},
        {true, L"R$ 1.000,50", 1000.5}, {true, L"12 R$-", -12},        {true, L"(R$12)", -12},
        {true, L",5", 0.5},            {true, L"1,5e3", 1500},         {true, L"-1.234.567,5", -1234567.5},
        // Correctly rounded, to the limits of the range.
        {false, L"9007199254740993", 9007199254740992.0},  // tie: even
        {false, L"9007199254740993." + std::wstring(900, L'0') + L"1", 9007199254740994.0},  // a far digit decides
        {false, L"2.2250738585072014e-308", std::numeric_limits<double>::min()},
        {false, L"3e-324", std::numeric_limits<double>::denorm_min()},
        {false, L"1.7976931348623158e308", kMax},
        {false, L"0." + std::wstring(10000, L'0') + L"1", 0},
        {false, tenThousandNines + L"e-10000", 1},
        {false, L"-1e400", kOverflow}, {false, L"1.7976931348623159e308", kOverflow}, {false, L"0.1e310", kOverflow},
        {false, L"1e99999999999999999999", kOverflow}, {false, tenThousandNines, kOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.text).substr(0, 40) + (c.portuguese ? " (pt-BR)" : " (en-US)"));
        rt::ScopedLocale locale(c.portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        EXPECT_EQ(Outcome(rt::ParseNumber(c.text)), c.expected);
        EXPECT_EQ(rt::IsNumeric(c.text), c.expected != kOverflow);
    }
}

TEST(NumberText, RefusesWhatIsNotANumber)
{
    const std::wstring tenThousandLetters(10000, L'x');
    const std::pair<bool, std::wstring> cases[] = {
        {false, L""},      {false, L"   "},     {false, L"abc"},    {false, L"."},     {false, L","},
        {false, L",5"},    {false, L"1..2"},    {false, L"1.2.3"},  {false, L"1e"},    {false, L"1e+"},
        {false, L"e5"},    {false, L"1e5.5"},   {false, L"--5"},    {false, L"+-5"},   {false, L"- -5"},
        {false, L"-5-"},   {false, L"+5-"},     {false, L"5--"},    {false, L"(5"},    {false, L"5)"},
        {false, L"((5))"}, {false, L")5("},     {false, L"$$5"},    {false, L"$1e5"},  {false, L"1e5$"},
        {false, L"5-3"},   {false, L"$"},       {false, L"(-)"},    {true, L"$5"},     {false, L"R$5"},
        {false, L"&H10"},  {false, L"1 2"},
        {false, L"1e 5"},  {false, L"1 e5"},    {false, L"1d5"},    {false, L"1e+-5"}, {false, L"1e5,"},
        {false, L"5 ,"},   {false, L"1.#INF"},  {false, L"0x10"},   {false, L"-"},     {false, L"+."},
        {false, L"5\0"s},  {false, L"\0"s},     {false, L"\uff15"}, {false, L"\u0661"}, {false, L"5\u200b"},
        {true, L"1,2,3"},  {true, L"1,5,"},     {true, L"."},       {true, L"1,5,3"},
        {false, tenThousandLetters},
    };
    for (const auto& [portuguese, text] : cases) {
        SCOPED_TRACE(Narrow(text).substr(0, 40) + (portuguese ? " (pt-BR)" : " (en-US)"));
        rt::ScopedLocale locale(portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        EXPECT_EQ(Outcome(rt::ParseNumber(text)), kNotANumber);
        EXPECT_FALSE(rt::IsNumeric(text));
    }
}

TEST(NumberText, LeadingNumberReadsLikeVal)
{
    const std::pair<std::wstring, double> cases[] = {
        {L"", 0},          {L"abc", 0},        {L"  12abc", 12},    {L"1 2 3", 123},    {L"1,5", 1},
        {L"\t-\n3.5", -3.5}, {L"\r5", 0},       {L"1,234.5", 1},     {L"1.2.3", 1.2},
        {L"12e3", 12000},  {L"1.5D2", 150},    {L"1 e 2", 100},     {L"1e", 1},
        {L"1e+x", 1},      {L"2E-1x", 0.2},    {L".5", 0.5},        {L"-.5", -0.5},
        {L".", 0},         {L"-", 0},          {L"+5", 5},          {L"--5", 0},
        {L"$5", 0},        {L"5%", 5},         {L"&H10", 16},       {L"&hff", 255},
        {L"& H 1f", 31},   {L"&HFFFF", -1},    {L"&H8000", -32768}, {L"&H7FFF", 32767},
        {L"&H10000", 65536}, {L"&HFFFFFFFF", -1}, {L"&H80000000", -2147483648.0}, {L"&H100000000", 0},
        {L"&H0000000000001", 1}, {L"&O17", 15}, {L"&o177777", -1},   {L"&O8", 0},
        {L"&H", 0},        {L"&", 0},          {L"&X1", 0},         {L"&H1G", 1},
        {L"-&H10", 0},     {L"1e999999", kMax}, {L"-1e99999999999999999999", -kMax}, {L"1e-999999", 0},
        {std::wstring(10000, L'9'), kMax}, {L"5\0" L"5"s, 5}, {L"\uff15", 0},
    };
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());  // "." is the decimal point whatever the locale
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(Narrow(text).substr(0, 40));
        EXPECT_EQ(rt::LeadingNumber(text), expected);
    }
}

TEST(NumberText, WholeNumbersRoundHalvesToEven)
{
    const double inf = std::numeric_limits<double>::infinity();
    constexpr std::optional<int64_t> kOverflow;
    const std::pair<double, std::optional<int64_t>> longs[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {-2.5, -2}, {2.4999999999999996, 2}, {0.49999999999999994, 0},
        {2147483647.4, 2147483647}, {-2147483648.5, -2147483648}, {2147483647.5, kOverflow},
        {-2147483648.6, kOverflow}, {inf, kOverflow}, {-inf, kOverflow}, {std::nan(""), kOverflow},
    };
    for (const auto& [value, expected] : longs) {
        SCOPED_TRACE(value);
        const auto whole = rt::ToLong(value);
        ASSERT_EQ(whole.ok(), expected.has_value());
        if (expected)
            EXPECT_EQ(*whole, *expected);
        else
            EXPECT_EQ(whole.error(), rt::ValueError::Overflow);
    }
    EXPECT_EQ(rt::ToInteger(32766.5).value_or(0), 32766);
    EXPECT_EQ(rt::ToInteger(-32768.5).value_or(0), -32768);
    EXPECT_EQ(rt::ToInteger(3.5).value_or(0), 4);
    EXPECT_FALSE(rt::ToInteger(32767.5).ok());
    EXPECT_FALSE(rt::ToInteger(-32768.6).ok());
}

TEST(NumberText, RoundToSignificantJudgesHalvesOnTheExactValue)
{
    struct Case {
        double value;
        int digits;
        const char* expected;
        int exponent;
    };
    const Case cases[] = {
        {2.5, 1, "3", 0},  // exact half: away from zero
        {-2.5, 1, "3", 0},        {0.125, 2, "13", -1},  {2.675, 3, "267", 0},  // the double is below 2.675
        {1.005, 15, "1005", 0},   {1000000000000005.0, 15, "100000000000001", 15},
        {std::nextafter(10.0, 0.0), 15, "1", 1},  // carry into a new digit
        {0.1, 15, "1", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " to " + std::to_string(c.digits));
        const auto d = rt::RoundToSignificant(c.value, c.digits);
        EXPECT_EQ(std::string(d.digits, d.digits + d.count), c.expected);
        EXPECT_EQ(d.exponent, c.exponent);
        EXPECT_EQ(d.negative, c.value < 0);
    }
}

TEST(NumberText, GeneralTextUsesFifteenDigitsAndTheExponentForm)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::wstring> cases[] = {
        {-0.0, L"0"},          {-3, L"-3"},                {0.30000000000000004, L"0.3"},
        {2.0 / 3, L"0.666666666666667"},                   {1234567.891, L"1234567.891"},
        {0.0001, L"0.0001"},   {0.00001, L"1E-05"},        {-2.5e-7, L"-2.5E-07"},
        {999999999999999, L"999999999999999"},             {999999999999999.9, L"1E+15"},
        {1.5e16, L"1.5E+16"},  {9999999999999995.0, L"1E+16"}, {100000000000000.5, L"100000000000001"},
        {1e-300, L"1E-300"},   {kMax, L"1.79769313486231E+308"},  // rounded up it would not read back
        {-1.797693134862315e308, L"-1.79769313486231E+308"},   {4.9406564584124654e-324, L"4.94065645841247E-324"},
        {inf, L"1.#INF"},      {-inf, L"-1.#INF"},         {std::nan(""), L"-1.#IND"},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(rt::GeneralText(value), expected);
    }
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(rt::GeneralText(1.5), L"1,5");
    EXPECT_EQ(rt::GeneralText(1234.5), L"1234,5");
    EXPECT_EQ(rt::GeneralText(-1.5e-7), L"-1,5E-07");
}

// Any finite double: its text reads back to a double with the same text, in either locale.
TEST(NumberText, GeneralTextReadsBackToTheSameText)
{
    std::mt19937_64 random(20240607);
    for (const bool portuguese : {false, true}) {
        rt::ScopedLocale locale(portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        for (int i = 0; i < 20000; ++i) {
            double value = i == 0 ? kMax : std::bit_cast<double>(random());
            if (!std::isfinite(value))
                continue;
            if (i % 2 == 0)  // also plenty of everyday magnitudes
                value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 100);
            const std::wstring text = rt::GeneralText(value);
            SCOPED_TRACE(Narrow(text));
            const auto back = rt::ParseNumber(text);
            ASSERT_TRUE(back.ok());
            ASSERT_EQ(rt::GeneralText(*back), text);
            ASSERT_LE(std::fabs(*back - value), std::fabs(value) * 5e-15);
        }
    }
}

}  // namespace
