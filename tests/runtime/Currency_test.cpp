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

TEST(Currency, RoundsHalvesToEvenOnTheExactValue)
{
    const std::pair<double, int64_t> cases[] = {
        {0.03125, 312},     // exactly 312.5 ten-thousandths: even
        {0.09375, 938},     // exactly 937.5: even
        {-0.03125, -312},
        {1.03125, 10312},
        {0.00025, 3},       // the double is just above 0.00025; a rounded product would give 2
        {0.00125, 13},
        {0.12345, 1235},
        {0.000025, 0},
        {0.00005, 1},
        {2.0 / 3, 6667},
        {12.5, 125000},
        {-3, -30000},
        {-0.0, 0},
        {1e-300, 0},
        {std::numeric_limits<double>::denorm_min(), 0},
        {922337203685477.5, 9223372036854775000},
        {-922337203685477.5, -9223372036854775000},
    };
    for (const auto& [value, scaled] : cases) {
        SCOPED_TRACE(value);
        const auto c = rt::Currency::FromDouble(value);
        ASSERT_TRUE(c.ok());
        EXPECT_EQ(c->Scaled(), scaled);
    }
}

TEST(Currency, OverflowsOutsideItsRange)
{
    for (const double value : {922337203685477.625, -922337203685477.625, 1e15, -1e300,
                               std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), std::nan("")}) {
        SCOPED_TRACE(value);
        const auto c = rt::Currency::FromDouble(value);
        ASSERT_FALSE(c.ok());
        EXPECT_EQ(c.error(), rt::ValueError::Overflow);
    }
}

TEST(Currency, ReadsTextsWithTheLocaleRules)
{
    const struct {
        bool portuguese;
        const wchar_t* text;
        int64_t scaled;
    } cases[] = {
        {false, L"12.5", 125000},  {false, L"1,234.5", 12345000}, {false, L" -3 ", -30000},
        {false, L"0.00025", 3},    {false, L"1e-5", 0},            {true, L"1.234,5", 12345000},
        {true, L"1.5", 150000},    {true, L"0,6667", 6667},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.scaled));
        rt::ScopedLocale locale(c.portuguese ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        const auto value = rt::Currency::FromText(c.text);
        ASSERT_TRUE(value.ok());
        EXPECT_EQ(value->Scaled(), c.scaled);
    }
    EXPECT_EQ(rt::Currency::FromText(L"abc").error(), rt::ValueError::TypeMismatch);
    EXPECT_EQ(rt::Currency::FromText(L"").error(), rt::ValueError::TypeMismatch);
    EXPECT_EQ(rt::Currency::FromText(L"1e20").error(), rt::ValueError::Overflow);
    EXPECT_EQ(rt::Currency::FromText(L"1e400").error(), rt::ValueError::Overflow);
}

TEST(Currency, TextHasNoTrailingZerosNorGrouping)
{
    const std::pair<int64_t, std::wstring> cases[] = {
        {200000, L"20"},
        {125000, L"12.5"},
        {6667, L"0.6667"},
        {-30000, L"-3"},
        {0, L"0"},
        {-1, L"-0.0001"},
        {12345678900, L"1234567.89"},
        {kMaxScaled, L"922337203685477.5807"},
        {kMinScaled, L"-922337203685477.5808"},
    };
    for (const auto& [scaled, expected] : cases) {
        SCOPED_TRACE(scaled);
        EXPECT_EQ(rt::Currency::FromScaled(scaled).ToText(), expected);
    }
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(rt::Currency::FromScaled(125000).ToText(), L"12,5");
    EXPECT_EQ(rt::Currency::FromScaled(-12345678900).ToText(), L"-1234567,89");
}

TEST(Currency, ComparesAndConvertsBack)
{
    const auto a = rt::Currency::FromScaled(125000);
    const auto b = rt::Currency::FromScaled(125001);
    EXPECT_LT(a, b);
    EXPECT_GT(b, a);
    EXPECT_EQ(a, rt::Currency::FromDouble(12.5).value());
    EXPECT_NE(a, b);
    EXPECT_EQ(rt::Currency().Scaled(), 0);
    EXPECT_EQ(a.ToDouble(), 12.5);
    EXPECT_EQ(rt::Currency::FromScaled(6667).ToDouble(), 0.6667);
    EXPECT_EQ(rt::Currency::FromScaled(kMinScaled).ToDouble(), -922337203685477.5808);
}

}  // namespace
