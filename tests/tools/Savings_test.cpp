#include "tools/Savings.h"

#include "runtime/Currency.h"
#include "runtime/Date.h"
#include "runtime/Format.h"
#include "runtime/Locale.h"
#include "runtime/NumberText.h"
#include "support/SearchTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using test::Loc;
using tools::SearchEnd;
using tools::WalkMode;

std::string Narrow(std::wstring_view text)
{
    return std::string(text.begin(), text.end());
}

TEST(Savings, CapitalizationReproducesTheWorkedExamples)
{
    struct Case {
        std::wstring value, rate, days, amount;
    };
    const Case cases[] = {
        {L"1000", L"2", L"45", L"1,030.20"},  // one month, then 15 days at 1 %
        {L"1000", L"2", L"60", L"1,040.40"},  // two months, no rest days
        {L"1000", L"2", L"20", L"1,013.33"},  // rest days only
        {L"1000", L"2", L"31", L"1,020.68"},  // one rest day: 1/30 of the rate
        {L"999.996", L"2", L"45", L"1,030.20"},
        {L"1000", L"2", L"45.5", L"1,030.54"},  // 15.5 rest days
        {L"1234.5678", L"0.0001", L"1500", L"1,234.63"},
    };
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Narrow(c.value) + " at " + Narrow(c.rate) + " for " + Narrow(c.days));
            const rt::Result<std::wstring> amount = tools::CalculaCapital(Loc(c.value), Loc(c.rate), Loc(c.days));
            ASSERT_TRUE(amount.ok());
            EXPECT_EQ(*amount, Loc(c.amount));
        }
    }
}

TEST(Savings, ArithmeticErrorsAreReported)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    EXPECT_FALSE(tools::CalculaCapital(L"1000", L"900000000000000", L"1500").ok());  // overflows in month 24
    EXPECT_FALSE(tools::CalculaCapital(L"1E+307", L"1000", L"60").ok());
    EXPECT_FALSE(tools::CalculaCapital(L"abc", L"2", L"45").ok());
    EXPECT_FALSE(tools::CalculaCapital(L"1000", L"2", L"1000000000").ok());  // months beyond 16 bits
    test::RecordingObserver observer;
    const tools::CashCheckOutcome outcome = tools::SearchCashCheck(L"1000", L"900000000000000", L"730", observer);
    EXPECT_EQ(outcome.end, SearchEnd::Failed);
    EXPECT_TRUE(outcome.net.empty());
}

TEST(Savings, CashCheckFindsTheNetAmount)
{
    struct Case {
        std::wstring check, rate, days, net;
    };
    const Case cases[] = {
        {L"1030.2", L"2", L"45", L"1,000.00"},
        {L"1000", L"2", L"30", L"980.39"},
        {L"1000", L"150", L"60", L"160.00"},  // the search starts below zero
        {L"0.01", L"1", L"1", L"0.01"},
    };
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Narrow(c.check) + " at " + Narrow(c.rate) + " over " + Narrow(c.days));
            test::RecordingObserver observer;
            const tools::CashCheckOutcome outcome = tools::SearchCashCheck(Loc(c.check), Loc(c.rate), c.days, observer);
            ASSERT_EQ(outcome.end, SearchEnd::Found);
            EXPECT_EQ(outcome.net, Loc(c.net));
            EXPECT_EQ(outcome.computations, observer.Steps());
            // The net amount compounds to the check or just below it.
            const double reached =
                rt::ParseNumber(tools::CalculaCapital(outcome.net, Loc(c.rate), c.days).value()).value();
            EXPECT_LE(reached, rt::ParseNumber(Loc(c.check)).value() + 0.01);
        }
    }
}

TEST(Savings, FastCashCheckEndsWhereTheSteppedWalkEnds)
{
    rt::ScopedLocale scoped(rt::Locale::PortugueseBR());
    std::mt19937_64 random(5);
    std::uniform_int_distribution<int> days(1, tools::kCashCheckMaxDays);
    std::uniform_int_distribution<int> exponent(0, 4);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_real_distribution<double> rate(0.05, 12.0);
    for (int trial = 0; trial < 60; ++trial) {
        const std::wstring check =
            rt::Currency::FromDouble(mantissa(random) * std::pow(10.0, exponent(random))).value().ToText();
        const std::wstring monthly = rt::Currency::FromDouble(std::round(rate(random) * 100) / 100).value().ToText();
        const std::wstring span = std::to_wstring(days(random));
        SCOPED_TRACE(Narrow(check) + " at " + Narrow(monthly) + " over " + Narrow(span));
        test::RecordingObserver fastObserver;
        test::RecordingObserver steppedObserver;
        const tools::CashCheckOutcome fast = tools::SearchCashCheck(check, monthly, span, fastObserver);
        const tools::CashCheckOutcome stepped =
            tools::SearchCashCheck(check, monthly, span, steppedObserver, WalkMode::Stepped);
        ASSERT_EQ(stepped.end, SearchEnd::Found);
        EXPECT_EQ(fast.end, SearchEnd::Found);
        EXPECT_EQ(fast.net, stepped.net);
    }
}

// The benchmark's cash check. The figure and the 3,623,968 computations of the plain walk were recomputed from
// the rules, apart from this program, by tests/tools/cash_check_oracle.py.
TEST(Savings, LargestCashCheckEndsWhereTheSteppedWalkEnds)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    test::RecordingObserver observer;
    const tools::CashCheckOutcome outcome = tools::SearchCashCheck(L"1000000000", L"2", L"730", observer);
    ASSERT_EQ(outcome.end, SearchEnd::Found);
    EXPECT_EQ(outcome.net, L"617,604,127.09");
    EXPECT_LT(outcome.computations, 200);
}

struct DateSetting {
    rt::Locale locale;
    std::wstring format;                    // the program's date format
    std::wstring initial;                   // 1 March 2024 as typed
    std::wstring shownInitial, shownFinal;  // 1 March and 15 April 2024 in the block
};

std::vector<DateSetting> DateSettings()
{
    return {{rt::Locale::EnglishUS(), L"mm/dd/yyyy", L"3/1/2024", L"03/01/24", L"04/15/24"},
            {rt::Locale::PortugueseBR(), L"dd/mm/yyyy", L"01/03/2024", L"01/03/24", L"15/04/24"}};
}

TEST(Savings, BlockOfFortyFiveDays)
{
    for (const DateSetting& setting : DateSettings()) {
        rt::ScopedLocale scoped(setting.locale);
        SCOPED_TRACE(Narrow(setting.format));
        const rt::Result<std::wstring> block = tools::CapitalBlock(
            Loc(L"1,000.00"), L"2", L"45", Loc(L"1,030.20"), setting.initial, setting.format, test::EnglishHeadings());
        ASSERT_TRUE(block.ok());
        const std::vector<std::wstring> expected{
            L" =========================",
            L"            INITIAL VALUE ",
            Loc(L"                 1,000.00 "),
            L"           NUMBER OF DAYS ",
            L"                       45 ",
            L"             FINAL AMOUNT ",
            Loc(L"                 1,030.20 "),
            L"    MONTHLY INTEREST RATE ",
            L"                      2 % ",
            L" =========== CALCULATION =",
            L" " + setting.shownInitial + Loc(L"       1,000.00 +"),
            L"            30 days (2%) =",
            Loc(L"                1,020.00 +"),
            L"            15 days (1%) =",
            L" " + setting.shownFinal + Loc(L"       1,030.20 T"),
            L"",
            L"    TOTAL INTEREST AMOUNT ",
            Loc(L"                    30.20 "),
        };
        EXPECT_EQ(test::SplitLines(*block), expected);
    }
}

TEST(Savings, BlockLinesFollowMonthsAndRestDays)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    struct Case {
        std::wstring days, finalAmount;
        std::vector<std::wstring> calculation;  // the lines after the initial date's
    };
    const Case cases[] = {
        {L"60",
         L"1,040.40",
         {L"            30 days (2%) =", L"                1,020.00 +", L"            30 days (2%) =",
          L"                1,040.40 T"}},
        {L"20", L"1,013.33", {L"      20 days (1.33333%) =", L" 03/21/24       1,013.33 T"}},
        {L"35",
         L"1,023.40",
         {L"            30 days (2%) =", L"                1,020.00 +", L"      05 days (0.33333%) =",
          L" 04/05/24       1,023.40 T"}},
        {L"30.4", L"1,020.00", {L"            30 days (2%) =", L"                1,020.00 T"}},  // 0.4 rounds to 0
        {L"0.4", L"1,000.00", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.days));
        const rt::Result<std::wstring> block = tools::CapitalBlock(L"1,000.00", L"2", c.days, c.finalAmount,
                                                                   L"3/1/2024", L"mm/dd/yyyy", test::EnglishHeadings());
        ASSERT_TRUE(block.ok());
        const std::vector<std::wstring> lines = test::SplitLines(*block);
        ASSERT_EQ(lines.size(), 11 + c.calculation.size() + 3);
        EXPECT_EQ(std::vector<std::wstring>(lines.begin() + 11, lines.end() - 3), c.calculation);
        EXPECT_EQ(lines.end()[-3], L"");
    }
}

TEST(Savings, MonthlyValuesOfTheBlockAreTakenToTheCent)
{
    // 50 months at 1.37 %: at full precision 1,974.57, month by month in cents 1,974.58.
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    const std::wstring amount = tools::CalculaCapital(L"1000", L"1.37", L"1500").value();
    const rt::Result<std::wstring> block =
        tools::CapitalBlock(L"1,000.00", L"1.37", L"1500", amount, L"3/1/2024", L"mm/dd/yyyy", test::EnglishHeadings());
    ASSERT_TRUE(block.ok());
    const std::vector<std::wstring> lines = test::SplitLines(*block);
    EXPECT_EQ(amount, L"1,974.57");
    EXPECT_EQ(lines.end()[-4], L"                1,974.58 T");
}

TEST(Savings, BlockWritesLongValuesWhole)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    const std::wstring value = L"922,337,203,685,477.58";       // 22 characters for a slot of 15
    const std::wstring days = L"0000000000000000000000000045";  // 28 characters for a slot of 25
    const rt::Result<std::wstring> block = tools::CapitalBlock(value, L"2", days, L"950,007,319,796,041.91",
                                                               L"3/1/2024", L"mm/dd/yyyy", test::EnglishHeadings());
    ASSERT_TRUE(block.ok());
    const std::vector<std::wstring> lines = test::SplitLines(*block);
    EXPECT_EQ(lines[4], days + L" ");
    // A blank stays between a date and its amount.
    EXPECT_EQ(lines[10], L" 03/01/24 " + value + L" +");
    EXPECT_EQ(lines[14], L" 04/15/24 950,007,319,796,041.91 T");
    const rt::Result<std::wstring> billion = tools::CapitalBlock(
        L"1,000,000,000.00", L"2", L"20", L"1,013,333,333.33", L"3/1/2024", L"mm/dd/yyyy", test::EnglishHeadings());
    ASSERT_TRUE(billion.ok());
    EXPECT_EQ(test::SplitLines(*billion)[10], L" 03/01/24 1,000,000,000.00 +");
    EXPECT_EQ(test::SplitLines(*billion)[12], L" 03/21/24 1,013,333,333.33 T");
}

TEST(Savings, AnswersAreTested)
{
    const rt::Date march1 = rt::Date::FromYmd(2024, 3, 1).value();
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        SCOPED_TRACE(std::string("separator ") + static_cast<char>(locale.decimalSeparator));
        EXPECT_EQ(tools::PositiveAmount(Loc(L"1,000.5")), Loc(L"1000.5"));
        EXPECT_EQ(tools::PositiveAmount(Loc(L"0.00001")), std::nullopt);  // four decimals: 0
        EXPECT_EQ(tools::PositiveAmount(L"0"), std::nullopt);
        EXPECT_EQ(tools::PositiveAmount(L""), std::nullopt);  // a cancelled box
        EXPECT_EQ(tools::PositiveAmount(L"-5"), std::nullopt);
        EXPECT_EQ(tools::PositiveAmount(L"abc"), std::nullopt);
        EXPECT_EQ(tools::PositiveAmount(L"99999999999999999"), std::nullopt);  // beyond currency

        EXPECT_EQ(tools::DaysFromAnswer(L"45", march1), L"45");
        EXPECT_EQ(tools::DaysFromAnswer(L" 45 ", march1), L" 45 ");  // as typed
        const std::wstring april15 = locale.dateOrder == rt::DateOrder::DayMonthYear ? L"15/04/2024" : L"4/15/2024";
        EXPECT_EQ(tools::DaysFromAnswer(april15, march1), L"45");
        const std::wstring february25 = locale.dateOrder == rt::DateOrder::DayMonthYear ? L"25/02/2024" : L"2/25/2024";
        EXPECT_EQ(tools::DaysFromAnswer(february25, march1), L"-5");
        EXPECT_EQ(tools::DaysFromAnswer(L"soon", march1), L"0");
        EXPECT_EQ(tools::DaysFromAnswer(L"", march1), L"0");
    }
    for (const auto& [days, max, inRange] : {std::tuple{L"45", 1500, true},
                                             {L"1500", 1500, true},
                                             {L"1501", 1500, false},
                                             {L"730", 730, true},
                                             {L"731", 730, false},
                                             {L"0", 1500, false},
                                             {L"-5", 1500, false},
                                             {L"0.5", 730, true}}) {
        SCOPED_TRACE(Narrow(days));
        EXPECT_EQ(tools::DaysInRange(days, max), inRange);
    }
}

}  // namespace
