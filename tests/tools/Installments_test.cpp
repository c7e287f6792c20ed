#include "tools/Installments.h"

#include "runtime/Format.h"
#include "runtime/Locale.h"
#include "runtime/NumberText.h"
#include "support/SearchTesting.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using test::Loc;
using tools::LoanFields;
using tools::SearchEnd;
using tools::WalkMode;

std::string Narrow(std::wstring_view text)
{
    return std::string(text.begin(), text.end());
}

std::string Trace(const rt::Locale& locale, const LoanFields& f)
{
    return std::string("separator ") + static_cast<char>(locale.decimalSeparator) + ": value " +
           Narrow(f.initialValue) + ", installment " + Narrow(f.installment) + ", count " + Narrow(f.count) +
           ", days " + Narrow(f.days) + ", rate " + Narrow(f.rate);
}

// The fields as the window hands them to a search, after validation.
LoanFields RateSearchFields(std::wstring value, std::wstring installment, std::wstring count, std::wstring days)
{
    return {Loc(std::move(value)), Loc(std::move(installment)), std::move(count), std::move(days),
            tools::kRateSearchStart};
}

LoanFields InstallmentSearchFields(std::wstring value, std::wstring rate, std::wstring count, std::wstring days)
{
    LoanFields f{Loc(std::move(value)), L"", std::move(count), std::move(days), Loc(std::move(rate))};
    f.installment = tools::FirstInstallmentGuess(f.initialValue, f.count);
    return f;
}

TEST(Installments, SearchesReproduceTheWorkedExamples)
{
    struct Case {
        bool rateSearch;
        LoanFields (*make)();
        std::wstring found;  // the searched field, shown with "." (rate) or in the money format (installment)
        std::wstring finalAmount;
    };
    const Case cases[] = {
        {true, [] { return RateSearchFields(L"1,000.00", L"100.00", L"12", L"30"); }, L"2.922855", L"1,200.00"},
        {true, [] { return RateSearchFields(L"1,000.00", L"100.00", L"12", L"00"); }, L"3.503154", L"1,200.00"},
        {false, [] { return InstallmentSearchFields(L"1,000.00", L"3", L"12", L"30"); }, L"100.46", L"1,205.52"},
        // One installment: the initial value grown by the pro rata rate, no residual test.
        {false, [] { return InstallmentSearchFields(L"1,000.00", L"3", L"1", L"30"); }, L"1,030.00", L"1,030.00"},
        {false, [] { return InstallmentSearchFields(L"1,000.00", L"3", L"1", L"45"); }, L"1,045.00", L"1,045.00"},
        // One installment given: it may exceed the initial value; 1,100.00 after 30 days is 10 %.
        {true, [] { return RateSearchFields(L"1,000.00", L"1,100.00", L"1", L"30"); }, L"10", L"1,100.00"},
    };
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            const LoanFields fields = c.make();
            SCOPED_TRACE(Trace(locale, fields));
            test::RecordingObserver observer;
            const tools::SearchOutcome outcome =
                c.rateSearch ? tools::SearchRate(fields, observer) : tools::SearchInstallment(fields, observer);
            ASSERT_EQ(outcome.end, SearchEnd::Found);
            EXPECT_EQ(observer.Steps(), outcome.computations);
            if (c.rateSearch) {
                EXPECT_EQ(outcome.text, Loc(c.found));
                EXPECT_EQ(tools::FinalAmount(fields.count, fields.installment), Loc(c.finalAmount));
            } else {
                const std::wstring shown = rt::FormatMoney(outcome.text);
                EXPECT_EQ(shown, Loc(c.found));
                EXPECT_EQ(tools::FinalAmount(fields.count, shown), Loc(c.finalAmount));
            }
        }
    }
    rt::ScopedLocale english(rt::Locale::EnglishUS());
    EXPECT_EQ(tools::TotalInterest(L"1,200.00", L"1,000.00"), L"200.00");
    EXPECT_EQ(tools::TotalInterest(L"1,205.52", L"1,000.00"), L"205.52");
    EXPECT_EQ(tools::TotalInterest(L"Erro", L"1,000.00"), std::nullopt);
}

// Random loans whose answers exist: an installment from a random rate (rate search) or a rate (installment
// search), over many magnitudes. A third of the installments come from negative rates (down to -80 %), where
// the balance is not monotone in the rate.
struct RandomLoan {
    LoanFields fields;
    bool rateSearch;
};

RandomLoan MakeRandomLoan(std::mt19937_64& random, int maxCount, int maxValueExponent)
{
    std::uniform_int_distribution<int> count(1, maxCount);
    std::uniform_int_distribution<int> days(0, 99);
    std::uniform_int_distribution<int> valueExponent(0, maxValueExponent);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_real_distribution<double> rate(0.01, 25.0);
    std::bernoulli_distribution coin;
    const int n = count(random);
    const double value = mantissa(random) * std::pow(10.0, valueExponent(random));
    const double monthly = std::round(rate(random) * 1000) / 1000;
    RandomLoan loan;
    loan.rateSearch = coin(random);
    loan.fields.initialValue = rt::FormatMoney(value);
    loan.fields.count = std::to_wstring(n);
    loan.fields.days = rt::FormatNumber(days(random), L"00");
    if (loan.rateSearch) {
        const double i = (random() % 3 == 0 ? -monthly * 3.2 : monthly) / 100;
        double payment = value * i / (1 - std::pow(1 + i, -n)) * (coin(random) ? 1.0 : 0.97);
        if (payment < 0.01)
            payment = value / n / 2;  // an installment of 0.00 would ask for the installment search
        loan.fields.installment = rt::FormatMoney(payment);
        loan.fields.rate = tools::kRateSearchStart;
    } else {
        loan.fields.rate = rt::GeneralText(monthly);
        loan.fields.installment = tools::FirstInstallmentGuess(loan.fields.initialValue, loan.fields.count);
    }
    return loan;
}

tools::SearchOutcome Search(const RandomLoan& loan, WalkMode mode, test::RecordingObserver& observer)
{
    return loan.rateSearch ? tools::SearchRate(loan.fields, observer, mode)
                           : tools::SearchInstallment(loan.fields, observer, mode);
}

TEST(Installments, FastSearchEndsWhereTheSteppedSearchEnds)
{
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        // Negative answers over few installments, where the balance is not monotone in the rate, then random
        // loans.
        std::vector<RandomLoan> loans{{RateSearchFields(L"1,000.00", L"38.54", L"2", L"45"), true},
                                      {RateSearchFields(L"1,000.00", L"84.62", L"3", L"03"), true},
                                      {RateSearchFields(L"1,000.00", L"74.43", L"3", L"00"), true}};
        std::mt19937_64 random(7);
        for (int trial = 0; trial < 150; ++trial)
            loans.push_back(MakeRandomLoan(random, 36, 6));
        for (const RandomLoan& loan : loans) {
            const bool refused =
                loan.rateSearch && loan.fields.count != L"1" &&
                tools::InstallmentNotBelowValue(loan.fields.initialValue, loan.fields.installment).value_or(true);
            if (refused)
                continue;
            SCOPED_TRACE(Trace(locale, loan.fields));
            test::RecordingObserver fastObserver;
            test::RecordingObserver steppedObserver;
            const tools::SearchOutcome fast = Search(loan, WalkMode::Fast, fastObserver);
            const tools::SearchOutcome stepped = Search(loan, WalkMode::Stepped, steppedObserver);
            ASSERT_LT(stepped.computations, tools::kMaxSearchSteps) << "the stepped walk must end on its own";
            EXPECT_EQ(fast.end, stepped.end);
            if (stepped.end == SearchEnd::Found) {
                EXPECT_EQ(fast.text, stepped.text);
                EXPECT_EQ(fast.balance, stepped.balance);
            }
        }
    }
}

TEST(Installments, EveryInputEndsWithAnAnswerOrAFailure)
{
    // High rates over many periods fail the residual test (a step of 0.000001 in the rate, or of 0.01 in the
    // installment, moves the balance by more than 1 % of the value); none of these inputs needs the step limit.
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    std::mt19937_64 random(11);
    int found = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        const RandomLoan loan = MakeRandomLoan(random, tools::kMaxInstallments, 12);
        SCOPED_TRACE(Trace(rt::CurrentLocale(), loan.fields));
        test::RecordingObserver observer;
        const tools::SearchOutcome outcome = Search(loan, WalkMode::Fast, observer);
        ASSERT_NE(outcome.end, SearchEnd::Cancelled);
        ASSERT_LT(outcome.computations, tools::kMaxSearchSteps);  // every one ends on its own
        if (outcome.end == SearchEnd::Found) {
            ++found;
            const double value = rt::ParseNumber(loan.fields.initialValue).value();
            if (loan.fields.count != L"1") {
                EXPECT_LE(outcome.balance, value * 0.01);
            }
        }
    }
    EXPECT_GT(found, 1000);
}

TEST(Installments, ImpossibleSearchesFailAtOnceAndEndlessOnesAtTheLimit)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    struct Case {
        const char* why;
        bool rateSearch;
        LoanFields fields;
        long fast, stepped;  // computations made before failing
    };
    constexpr long kLimit = tools::kMaxSearchSteps;
    const Case cases[] = {
        {"no periods", true, {L"1,000.00", L"100.00", L"00", L"30", L"15"}, 0, 0},
        {"no periods", false, {L"1,000.00", L"0.00", L"00", L"30", L"3"}, 0, 0},
        {"one installment in cash: the rate changes nothing", true, {L"1,000.00", L"999.00", L"1", L"00", L"15"}, 0, 0},
        {"the same, counted as 01", true, {L"1,000.00", L"999.00", L"01", L"0", L"15"}, 0, 0},
        {"256 installments", true, {L"1,000.00", L"100.00", L"256", L"30", L"15"}, 0, 0},
        {"the rate driven below -100 %", true, {L"100,000.00", L"100.00", L"2", L"30", L"15"}, kLimit, kLimit},
        {"too large to move by 1000: stalls at once", false, {L"1E+25", L"1E+24", L"12", L"30", L"3"}, 2, 1},
    };
    for (const Case& c : cases) {
        for (const WalkMode mode : {WalkMode::Fast, WalkMode::Stepped}) {
            SCOPED_TRACE(std::string(c.why) + (mode == WalkMode::Fast ? ", fast" : ", stepped"));
            test::RecordingObserver observer;
            const tools::SearchOutcome outcome = c.rateSearch ? tools::SearchRate(c.fields, observer, mode)
                                                              : tools::SearchInstallment(c.fields, observer, mode);
            EXPECT_EQ(outcome.end, SearchEnd::Failed);
            EXPECT_EQ(outcome.computations, mode == WalkMode::Fast ? c.fast : c.stepped);
            EXPECT_EQ(observer.Steps(), outcome.computations);
        }
    }
    // In cash with the installment equal to the value, the balance is 0 at once.
    test::RecordingObserver observer;
    const tools::SearchOutcome atOnce = tools::SearchRate({L"1,000.00", L"1,000.00", L"1", L"00", L"15"}, observer);
    EXPECT_EQ(atOnce.end, SearchEnd::Found);
    EXPECT_EQ(atOnce.text, L"15");
}

TEST(Installments, SearchEndsSilentlyWhenCancelled)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    for (long after : {0L, 1L, 5L}) {
        SCOPED_TRACE(after);
        test::RecordingObserver rateObserver(after);
        EXPECT_EQ(tools::SearchRate(RateSearchFields(L"1,000.00", L"100.00", L"12", L"30"), rateObserver).end,
                  SearchEnd::Cancelled);
        test::RecordingObserver installmentObserver(after);
        EXPECT_EQ(
            tools::SearchInstallment(InstallmentSearchFields(L"1,000.00", L"3", L"12", L"30"), installmentObserver).end,
            SearchEnd::Cancelled);
    }
}

TEST(Installments, ValidationReadsTheFieldsWithTheLocalesRules)
{
    struct Case {
        std::wstring initialValue;  // written with "." and "," as in English
        bool missing;
    };
    // Mended: "0,50" is half a unit where "," is the separator, not the leading number 0.
    const Case values[] = {{L"0.50", false}, {L"1,000.00", false}, {L"0", true},
                           {L"0.00", true},  {L"", true},          {L"0.004", false}};
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : values) {
            SCOPED_TRACE(Narrow(Loc(c.initialValue)));
            EXPECT_EQ(tools::InitialValueMissing(Loc(c.initialValue)), c.missing);
        }
        EXPECT_EQ(tools::RateWithDecimals(Loc(L"2.")), Loc(L"2.0"));
        EXPECT_EQ(tools::RateWithDecimals(Loc(L"2.5")), Loc(L"2.5"));
        EXPECT_EQ(tools::RateWithDecimals(Loc(L"2.12345678")), Loc(L"2.123457"));
        EXPECT_EQ(tools::RateWithDecimals(Loc(L".")), Loc(L"."));  // not a number: as it is
        EXPECT_EQ(tools::MoneyReading(Loc(L"1,234.5")), 1234.5);
        EXPECT_EQ(tools::MoneyReading(Loc(L"0.005")), 0.01);
        EXPECT_EQ(tools::MoneyReading(Loc(L"0.004")), 0);  // a rate that shows as 0.00 counts as none
        EXPECT_EQ(tools::MoneyReading(L"Erro"), 0);
        EXPECT_EQ(tools::MoneyReading(L""), 0);
        EXPECT_EQ(tools::FirstInstallmentGuess(Loc(L"1,000.00"), L"12"), Loc(L"83.33"));
    }
    for (const auto& [count, refused] :
         {std::pair{L"0", true}, {L"00", true}, {L"", true}, {L"1", false}, {L"01", false}, {L"250", false}}) {
        SCOPED_TRACE(Narrow(count));
        EXPECT_EQ(tools::CountRefused(count), refused);
    }
    for (const auto& [days, shown] : {std::pair{L"5", L"05"}, {L"45", L"45"}, {L"0", L"00"}, {L"00", L"00"}}) {
        SCOPED_TRACE(Narrow(days));
        EXPECT_EQ(tools::DaysWithTwoDigits(days), shown);
    }
    rt::ScopedLocale english(rt::Locale::EnglishUS());
    EXPECT_TRUE(tools::InstallmentNotBelowValue(L"1,000.00", L"1,000.00").value());
    EXPECT_TRUE(tools::InstallmentNotBelowValue(L"1,000.00", L"1,000.0001").value());
    EXPECT_FALSE(tools::InstallmentNotBelowValue(L"1,000.00", L"999.99").value());
    EXPECT_FALSE(tools::InstallmentNotBelowValue(L"99,999,999,999,999,999,999.00", L"1.00").ok());  // beyond currency
}

TEST(Installments, ScheduleBlockWritesEveryPeriod)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    const LoanFields fields{L"1,000.00", L"515.01", L"2", L"30", L"2"};
    const rt::Result<std::wstring> block = tools::ScheduleBlock(fields, L"30.02", L"1,030.02", test::EnglishHeadings());
    ASSERT_TRUE(block.ok());
    const std::vector<std::wstring> expected{
        L" =========================",      L"            INITIAL VALUE ", L"                 1,000.00 ",
        L"   NUMBER OF INSTALLMENTS ",      L"                      2 x ", L"        INSTALLMENT VALUE ",
        L"                   515.01 ",      L"    MONTHLY INTEREST RATE ", L"                      2 % ",
        L" =========== CALCULATION =",      L"                1,000.00 T", L"                1,000.00 +",
        L"            30 days (2%) =",      L"                1,020.00 -", L" 001\u00aa             515.01 =",
        L"                  504.99 +",      L"            30 days (2%) =", L"                  515.09 -",
        L" 002\u00aa             515.01 =", L"                    0.08 T", L"",
        L"    TOTAL INTEREST AMOUNT ",      L"                    30.02 ", L"",
        L"             FINAL AMOUNT ",      L"                 1,030.02 ",
    };
    EXPECT_EQ(test::SplitLines(*block), expected);
}

TEST(Installments, ScheduleBlockFirstPeriodFollowsTheDays)
{
    struct Case {
        std::wstring days;
        std::wstring rate;
        std::wstring firstPeriod;  // the second line of periods 1 and 2
        std::wstring laterPeriod;
    };
    const Case cases[] = {
        {L"30", L"3", L"            30 days (3%) =", L"            30 days (3%) ="},
        {L"0", L"3", L"            in cash (0%) =", L"            30 days (3%) ="},
        {L"00", L"3", L"            in cash (0%) =", L"            30 days (3%) ="},
        {L"45", L"3", L"          45 days (4.5%) =", L"            30 days (3%) ="},
        // Period rates are cut to 8 characters: 2.922855 / 30 x 5 = 0.4871425 and x 7 = 0.6819995.
        {L"05", L"2.922855", L"     05 days (0.487142%) =", L"     30 days (2.922855%) ="},
        {L"07", L"2.922855", L"     07 days (0.681999%) =", L"     30 days (2.922855%) ="},
        {L"30", L"12.3456789", L"     30 days (12.34567%) =", L"     30 days (12.34567%) ="},
    };
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            const LoanFields fields{Loc(L"1,000.00"), Loc(L"100.00"), L"12", c.days, Loc(c.rate)};
            SCOPED_TRACE(Trace(locale, fields));
            const rt::Result<std::wstring> block = tools::ScheduleBlock(fields, L"", L"", test::EnglishHeadings());
            ASSERT_TRUE(block.ok());
            const std::vector<std::wstring> lines = test::SplitLines(*block);
            ASSERT_EQ(lines.size(), 11u + 4 * 12 + 7);
            EXPECT_EQ(lines[12], Loc(c.firstPeriod));
            EXPECT_EQ(lines[16], Loc(c.laterPeriod));
            for (size_t i = 0; i < lines.size() - 3; ++i) {
                if (!lines[i].empty()) {
                    EXPECT_EQ(lines[i].size(), 26u) << i;
                }
            }
        }
    }
}

TEST(Installments, ScheduleBlockWritesLongValuesWhole)
{
    rt::ScopedLocale scoped(rt::Locale::EnglishUS());
    const std::wstring value = L"99,999,999,999,999,999,999.00";  // 29 characters: no 25-character slot holds it
    const LoanFields fields{value, L"1,000,000,000,000,000,000.00", L"1", L"12345", L"3"};
    const rt::Result<std::wstring> block =
        tools::ScheduleBlock(fields, L"1,234,567,890,123,456,789,012.00", value, test::EnglishHeadings());
    ASSERT_TRUE(block.ok());
    const std::vector<std::wstring> lines = test::SplitLines(*block);
    EXPECT_EQ(lines[2], value + L" ");
    EXPECT_EQ(lines[10], value + L" T");
    EXPECT_EQ(lines[11], L"100,000,000,000,000,000,000.00 +");  // the balance in the money format: 15 digits
    EXPECT_EQ(lines[12], L"     12345 days (1234.5%) =");       // the days text needs 5 of the period's 4
    EXPECT_EQ(lines[14], L" 001\u00aa1,000,000,000,000,000,000.00 =");
    EXPECT_EQ(lines[lines.size() - 4], L"1,234,567,890,123,456,789,012.00 ");
}

}  // namespace
