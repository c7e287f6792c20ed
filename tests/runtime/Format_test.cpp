#include "runtime/Format.h"
#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Halves round away from zero on the value's 15-significant-digit form; a value that rounds to zero
// shows no "-".
TEST(Format, PatternsRoundHalvesAwayOnFifteenDigits)
{
    const struct {
        bool portuguese;
        double value;
        const wchar_t* pattern;
        const wchar_t* expected;
    } cases[] = {
        {false, 2.675, L"#,##0.00", L"2.68"},  // the double is below 2.675, its 15-digit form is not
        {false, 1.005, L"#,##0.00", L"1.01"},
        {false, -0.125, L"#,##0.00", L"-0.13"},
        {false, 0.124999999999999, L"#,##0.00", L"0.12"},
        {false, 0, L"#,##0.00", L"0.00"},
        {false, 999.995, L"#,##0.00", L"1,000.00"},
        {false, -1234.5, L"#,##0.00", L"-1,234.50"},
        {false, 999999.999, L"#,##0.00", L"1,000,000.00"},
        {false, 1e20, L"#,##0.00", L"100,000,000,000,000,000,000.00"},
        {false, 1000000000000005.0, L"#,##0.00", L"1,000,000,000,000,010.00"},  // an exact half at the 16th digit
        {false, 1e-7, L"#,##0.00", L"0.00"},
        {false, -0.004999, L"#,##0.00", L"0.00"},  // rounds to zero: no sign
        {false, -0.005, L"#,##0.00", L"-0.01"},
        {false, 5, L"#0.0#####", L"5.0"},
        {false, 0.1234567, L"#0.0#####", L"0.123457"},
        {false, 1.9999995, L"#0.0#####", L"2.0"},
        {false, 12345.6789, L"#0.0#####", L"12345.6789"},  // no grouping without ","
        {false, -0.0000001, L"#0.0#####", L"0.0"},
        {false, 1e20, L"#0.0#####", L"100000000000000000000.0"},
        {false, 0.4, L"00", L"00"},   {false, 0.5, L"00", L"01"},   {false, 2.5, L"00", L"03"},
        {false, -2.5, L"00", L"-03"}, {false, -0.4, L"00", L"00"},  {false, 2.675, L"00", L"03"},
        {false, 99.5, L"00", L"100"}, {false, 1234567.891, L"00", L"1234568"},
        {false, 12.5, L"000", L"013"}, {false, -7, L"000", L"-007"}, {false, 1000, L"000", L"1000"},
        {true, 1234567.891, L"#,##0.00", L"1.234.567,89"},
        {true, -1000, L"#,##0.00", L"-1.000,00"},
        {true, 1.25, L"#0.0#####", L"1,25"},
        {false, -std::numeric_limits<double>::infinity(), L"00", L"-1.#INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << (c.portuguese ? " pt-BR" : ""));
        rt::ScopedLocale locale(c.portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        EXPECT_EQ(rt::FormatNumber(c.value, c.pattern), c.expected);
    }
}

TEST(Format, MoneyNeverFails)
{
    const std::pair<std::wstring, std::wstring> english[] = {
        {L"1,2,3", L"123.00"}, {L" -0.005 ", L"-0.01"}, {L"1e3", L"1,000.00"}, {L"", L"0.00"},
        {L"abc", L"0.00"},     {L"1,5,", L"15.00"},     {L"1e400", L"0.00"},   {L"12abc", L"0.00"},
        {std::wstring(10000, L'9'), L"0.00"},
    };
    for (const auto& [text, expected] : english) {
        SCOPED_TRACE(std::string(text.begin(), text.begin() + std::min<size_t>(text.size(), 20)));
        EXPECT_EQ(rt::FormatMoney(text), expected);
    }
    EXPECT_EQ(rt::FormatMoney(std::numeric_limits<double>::infinity()), L"0.00");
    EXPECT_EQ(rt::FormatMoney(std::nan("")), L"0.00");
    EXPECT_EQ(rt::FormatMoney(1234.5), L"1,234.50");
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(rt::FormatMoney(L"1.234,5"), L"1.234,50");
    EXPECT_EQ(rt::FormatMoney(L"1.5"), L"15,00");
    EXPECT_EQ(rt::FormatMoney(L"x"), L"0.00");
}

}  // namespace
