#include "runtime/Format.h"
#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct FormatCase {
    double value;
    const wchar_t* pattern;
    const wchar_t* expected;
};

void ExpectFormats(const FormatCase* begin, const FormatCase* end)
{
    for (const FormatCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(std::to_string(c->value));
        EXPECT_EQ(rt::FormatNumber(c->value, c->pattern), c->expected);
    }
}

TEST(Format, MoneyPatternRoundsHalvesAwayOnFifteenDigits)
{
    const FormatCase cases[] = {
        {2.675, L"#,##0.00", L"2.68"},  // the double is below 2.675, its 15-digit form is not
        {1.005, L"#,##0.00", L"1.01"},
        {0.125, L"#,##0.00", L"0.13"},
        {-0.125, L"#,##0.00", L"-0.13"},
        {0.124999999999999, L"#,##0.00", L"0.12"},
        {0, L"#,##0.00", L"0.00"},
        {0.5, L"#,##0.00", L"0.50"},
        {123, L"#,##0.00", L"123.00"},
        {999.995, L"#,##0.00", L"1,000.00"},
        {1000, L"#,##0.00", L"1,000.00"},
        {-2.5, L"#,##0.00", L"-2.50"},
        {-1234.5, L"#,##0.00", L"-1,234.50"},
        {1234567.891, L"#,##0.00", L"1,234,567.89"},
        {999999.999, L"#,##0.00", L"1,000,000.00"},
        {1e20, L"#,##0.00", L"100,000,000,000,000,000,000.00"},
        {1e15 + 0.3, L"#,##0.00", L"1,000,000,000,000,000.00"},
        {1000000000000005.0, L"#,##0.00", L"1,000,000,000,000,010.00"},  // an exact half at the 16th digit
        {1e-7, L"#,##0.00", L"0.00"},
        {-0.001, L"#,##0.00", L"0.00"},  // rounds to zero: no sign
        {-0.004999, L"#,##0.00", L"0.00"},
        {-0.005, L"#,##0.00", L"-0.01"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, RatePatternKeepsOneToSixDecimals)
{
    const FormatCase cases[] = {
        {2.675, L"#0.0#####", L"2.675"},
        {5, L"#0.0#####", L"5.0"},
        {0, L"#0.0#####", L"0.0"},
        {0.1234567, L"#0.0#####", L"0.123457"},
        {0.0000005, L"#0.0#####", L"0.000001"},
        {1.0000005, L"#0.0#####", L"1.000001"},
        {1.9999995, L"#0.0#####", L"2.0"},
        {12345.6789, L"#0.0#####", L"12345.6789"},  // no grouping without ","
        {-0.0000001, L"#0.0#####", L"0.0"},
        {-1.25, L"#0.0#####", L"-1.25"},
        {1e20, L"#0.0#####", L"100000000000000000000.0"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, WholePatternsPadWithZeros)
{
    const FormatCase cases[] = {
        {5, L"00", L"05"},        {0, L"00", L"00"},          {0.4, L"00", L"00"},
        {0.5, L"00", L"01"},      {1.5, L"00", L"02"},        {2.5, L"00", L"03"},
        {-2.5, L"00", L"-03"},    {-0.4, L"00", L"00"},       {123, L"00", L"123"},
        {2.675, L"00", L"03"},    {1234567.891, L"00", L"1234568"}, {99.5, L"00", L"100"},
        {7, L"000", L"007"},      {1, L"000", L"001"},        {12.5, L"000", L"013"},
        {1000, L"000", L"1000"},  {-7, L"000", L"-007"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, UsesTheLocaleSeparators)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    const FormatCase cases[] = {
        {1234567.891, L"#,##0.00", L"1.234.567,89"},
        {2.675, L"#,##0.00", L"2,68"},
        {-1000, L"#,##0.00", L"-1.000,00"},
        {1.25, L"#0.0#####", L"1,25"},
        {5, L"00", L"05"},
    };
    ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(Format, MoneyOfATextNeverFails)
{
    const std::pair<std::wstring, std::wstring> english[] = {
        {L"1234.5", L"1,234.50"}, {L"1,2,3", L"123.00"}, {L" -0.005 ", L"-0.01"}, {L"1e3", L"1,000.00"},
        {L"", L"0.00"},           {L"abc", L"0.00"},     {L"1,5,", L"15.00"},    {L"1e400", L"0.00"},
        {L"12abc", L"0.00"},      {std::wstring(10000, L'9'), L"0.00"},
    };
    for (const auto& [text, expected] : english) {
        SCOPED_TRACE(std::string(text.begin(), text.begin() + std::min<size_t>(text.size(), 20)));
        EXPECT_EQ(rt::FormatMoney(text), expected);
    }
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(rt::FormatMoney(L"1.234,5"), L"1.234,50");
    EXPECT_EQ(rt::FormatMoney(L"1.5"), L"15,00");
    EXPECT_EQ(rt::FormatMoney(L"x"), L"0.00");
}

TEST(Format, NonFiniteValuesHaveADefinedText)
{
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(rt::FormatMoney(infinity), L"0.00");
    EXPECT_EQ(rt::FormatMoney(std::nan("")), L"0.00");
    EXPECT_EQ(rt::FormatNumber(-infinity, L"00"), L"-1.#INF");
    EXPECT_EQ(rt::FormatMoney(1234.5), L"1,234.50");
}

}  // namespace
