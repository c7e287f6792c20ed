#include "runtime/Currency.h"
#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int64_t kMinScaled = std::numeric_limits<int64_t>::min();
constexpr int64_t kMaxScaled = std::numeric_limits<int64_t>::max();
constexpr int64_t kOverflow = kMinScaled;  // stands for the failure in the tables (FromScaled only reaches it)

int64_t Outcome(const rt::Result<rt::Currency>& c, rt::ValueError expected = rt::ValueError::Overflow)
{
    return c ? c->Scaled() : c.error() == expected ? kOverflow : -1;
}

TEST(Currency, FromDoubleRoundsHalvesToEvenOnTheExactValue)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, int64_t> cases[] = {
        {0.03125, 312}, {0.09375, 938}, {-0.03125, -312},  // exact halves of ten-thousandths: even
        {0.00025, 3},  // the double is just above 0.00025; a rounded product would give 2
        {0.00125, 13}, {0.000025, 0}, {2.0 / 3, 6667}, {-0.0, 0},
        {std::numeric_limits<double>::denorm_min(), 0},
        {922337203685477.5, 9223372036854775000}, {-922337203685477.5, -9223372036854775000},
        {922337203685477.625, kOverflow}, {-922337203685477.625, kOverflow}, {-1e300, kOverflow},
        {inf, kOverflow}, {-inf, kOverflow}, {std::nan(""), kOverflow},
    };
    for (const auto& [value, scaled] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Outcome(rt::Currency::FromDouble(value)), scaled);
    }
}

TEST(Currency, FromTextReadsWithTheLocaleRules)
{
    const struct {
        bool portuguese;
        const wchar_t* text;
        int64_t scaled;
    } cases[] = {
        {false, L"1,234.5", 12345000}, {false, L" -3 ", -30000}, {false, L"0.00025", 3}, {false, L"1e-5", 0},
        {true, L"1.234,5", 12345000},  {true, L"1.5", 150000},   {true, L"0,6667", 6667},
        {false, L"1e20", kOverflow},   {false, L"1e400", kOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.scaled));
        rt::ScopedLocale locale(c.portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        EXPECT_EQ(Outcome(rt::Currency::FromText(c.text)), c.scaled);
    }
    for (const wchar_t* text : {L"", L"abc", L"1,5,.0.3"})
        EXPECT_EQ(Outcome(rt::Currency::FromText(text), rt::ValueError::TypeMismatch), kOverflow);
}

TEST(Currency, TextHasNoTrailingZerosNorGrouping)
{
    const std::pair<int64_t, std::wstring> cases[] = {
        {200000, L"20"}, {125000, L"12.5"},   {6667, L"0.6667"}, {-30000, L"-3"}, {0, L"0"}, {-1, L"-0.0001"},
        {12345678900, L"1234567.89"}, {kMaxScaled, L"922337203685477.5807"}, {kMinScaled, L"-922337203685477.5808"},
    };
    for (const auto& [scaled, expected] : cases) {
        SCOPED_TRACE(scaled);
        EXPECT_EQ(rt::Currency::FromScaled(scaled).ToText(), expected);
    }
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(rt::Currency::FromScaled(-12345678900).ToText(), L"-1234567,89");
}

TEST(Currency, ComparesAndConvertsBack)
{
    EXPECT_LT(rt::Currency::FromScaled(125000), rt::Currency::FromScaled(125001));
    EXPECT_EQ(rt::Currency::FromScaled(125000), rt::Currency::FromDouble(12.5).value());
    EXPECT_EQ(rt::Currency::FromScaled(6667).ToDouble(), 0.6667);
    EXPECT_EQ(rt::Currency::FromScaled(kMinScaled).ToDouble(), -922337203685477.5808);
}

}  // namespace
