#include "tools/DateMask.h"
#include "tools/DateSpan.h"

#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using tools::DateUnit;
using tools::SpanButton;
using tools::SpanOutcome;

// A date order and a separator, with the program's date format for that order.
struct DateStyle {
    rt::DateOrder order;
    wchar_t separator;
    std::wstring format;
};

std::vector<DateStyle> AllStyles()
{
    std::vector<DateStyle> styles;
    for (auto order : {rt::DateOrder::DayMonthYear, rt::DateOrder::MonthDayYear})
        for (wchar_t separator : {L'/', L'.', L'-'})
            styles.push_back({order, separator,
                              order == rt::DateOrder::DayMonthYear ? L"dd/mm/yyyy" : L"mm/dd/yyyy"});
    return styles;
}

rt::Locale LocaleOf(const DateStyle& style)
{
    rt::Locale locale = rt::Locale::EnglishUS();
    locale.dateOrder = style.order;
    locale.dateSeparator = style.separator;
    return locale;
}

std::string Describe(const DateStyle& style)
{
    return std::string(style.format.begin(), style.format.end()) + " with '" + static_cast<char>(style.separator) +
           "'";
}

rt::Date Ymd(int year, int month, int day) { return *rt::Date::FromYmd(year, month, day); }

std::wstring Blanks(size_t count) { return std::wstring(count, L' '); }

// The fields as the window keeps them: a date field rebuilds its mask when set to a text that is not ten
// characters long (the caret is at 0 after a write).
class FakeFields : public tools::DateFields {
public:
    explicit FakeFields(wchar_t separator) : mask(separator) {}

    std::wstring DateText(int index) const override { return dates[index]; }
    void SetDateText(int index, const std::wstring& text) override
    {
        dates[index] = mask.AfterChange(text, 0).text;
    }
    std::wstring UnitText(DateUnit unit) const override { return units[static_cast<size_t>(unit)]; }
    void SetUnitText(DateUnit unit, const std::wstring& text) override { units[static_cast<size_t>(unit)] = text; }
    bool UnitTicked(DateUnit unit) const override { return ticked[static_cast<size_t>(unit)]; }
    void SetLeapDays(const std::wstring& caption) override { leapDays = caption; }

    tools::DateMask mask;
    std::wstring dates[2];
    std::array<std::wstring, tools::kDateUnitCount> units;
    std::array<bool, tools::kDateUnitCount> ticked{true, true, true, true};
    std::wstring leapDays;
};

struct SpanCase {
    const char* what;
    rt::Date initial;
    std::optional<rt::Date> final;  // empty: the final date field holds the empty mask
    std::array<std::wstring, 4> typed;
    std::array<bool, 4> ticked;
    SpanButton button;
    SpanOutcome outcome;
    std::optional<rt::Date> finalAfter;  // the final date the field shows afterwards (empty: the mask)
    std::array<std::wstring, 4> units;
    std::wstring leapDays;
};

constexpr std::array<bool, 4> kAll{true, true, true, true};

TEST(DateSpan, CalculatesEverySpanInEveryDateStyle)
{
    const std::vector<SpanCase> cases = {
        {"439 days from the years button", Ymd(2020, 1, 1), Ymd(2021, 3, 15), {}, kAll, SpanButton::Years,
         SpanOutcome::Done, Ymd(2021, 3, 15), {L"1", L"2", L"1", L"6"}, L"1"},
        {"equal dates", Ymd(2020, 5, 5), Ymd(2020, 5, 5), {L"3", L"", L"x", L"1"}, kAll, SpanButton::Years,
         SpanOutcome::Done, Ymd(2020, 5, 5), {L"0", L"0", L"0", L"0"}, L"0"},
        {"366 days over a leap day", Ymd(2020, 1, 1), Ymd(2021, 1, 1), {}, kAll, SpanButton::Years,
         SpanOutcome::Done, Ymd(2021, 1, 1), {L"1", L"0", L"0", L"0"}, L"1"},
        {"365 days after the leap day", Ymd(2020, 3, 1), Ymd(2021, 3, 1), {}, kAll, SpanButton::Years,
         SpanOutcome::Done, Ymd(2021, 3, 1), {L"1", L"0", L"0", L"0"}, L"0"},
        {"362 days as months divide by 31", Ymd(2021, 1, 1), Ymd(2021, 12, 29), {}, {false, true, false, true},
         SpanButton::Years, SpanOutcome::Done, Ymd(2021, 12, 29), {L"0", L"11", L"0", L"32"}, L"0"},
        {"400 days from the months button", Ymd(2021, 1, 1), Ymd(2022, 2, 5), {}, {false, true, true, true},
         SpanButton::Months, SpanOutcome::Done, Ymd(2022, 2, 5), {L"0", L"13", L"1", L"3"}, L"0"},
        {"the days button", Ymd(2020, 1, 1), Ymd(2021, 3, 15), {}, kAll, SpanButton::Days, SpanOutcome::Done,
         Ymd(2021, 3, 15), {L"0", L"0", L"0", L"439"}, L"0"},
        {"the weeks button", Ymd(2020, 1, 1), Ymd(2021, 3, 15), {}, kAll, SpanButton::Weeks, SpanOutcome::Done,
         Ymd(2021, 3, 15), {L"0", L"0", L"62", L"5"}, L"0"},
        {"two typed years move over the leap day", Ymd(2019, 1, 1), std::nullopt, {L"2", L"", L"", L""}, kAll,
         SpanButton::FinalDate, SpanOutcome::Done, Ymd(2021, 1, 1), {L"2", L"0", L"0", L"0"}, L"1"},
        {"one typed month", Ymd(2020, 1, 1), std::nullopt, {L"", L"1", L"", L""}, kAll, SpanButton::FinalDate,
         SpanOutcome::Done, Ymd(2020, 1, 31), {L"0", L"1", L"0", L"0"}, L"0"},
        {"typed units add up", Ymd(2021, 1, 1), std::nullopt, {L"0", L"1", L"1", L"1"}, kAll,
         SpanButton::FinalDate, SpanOutcome::Done, Ymd(2021, 2, 8), {L"0", L"1", L"1", L"1"}, L"0"},
        {"an unticked unit keeps its typed text", Ymd(2021, 1, 1), std::nullopt, {L"", L"", L"3", L""},
         {true, true, false, true}, SpanButton::FinalDate, SpanOutcome::Done, Ymd(2021, 1, 22),
         {L"0", L"0", L"3", L"21"}, L"0"},
        {"final date before the initial", Ymd(2021, 3, 15), Ymd(2020, 1, 1), {L"1", L"1", L"1", L"1"}, kAll,
         SpanButton::Years, SpanOutcome::FinalBeforeInitial, Ymd(2020, 1, 1), {L"0", L"0", L"0", L"0"}, L""},
        {"a negative typed span", Ymd(2021, 3, 15), std::nullopt, {L"", L"", L"", L"-1"}, kAll,
         SpanButton::FinalDate, SpanOutcome::FinalBeforeInitial, Ymd(2021, 3, 14), {L"0", L"0", L"0", L"-1"}, L""},
        {"no final date and no span", Ymd(2021, 3, 15), std::nullopt, {}, kAll, SpanButton::FinalDate,
         SpanOutcome::CheckFields, std::nullopt, {L"0", L"0", L"0", L"0"}, L""},
        {"a span beyond the last date", Ymd(9999, 12, 31), std::nullopt, {L"", L"", L"", L"1"}, kAll,
         SpanButton::FinalDate, SpanOutcome::CheckFields, std::nullopt, {L"0", L"0", L"0", L"1"}, L""},
        {"a total beyond 32 bits", Ymd(2021, 3, 15), std::nullopt, {L"", L"", L"", L"3E9"}, kAll,
         SpanButton::FinalDate, SpanOutcome::CheckFields, std::nullopt, {L"0", L"0", L"0", L"3E9"}, L""},
        {"typed years moved over a leap day near the top", Ymd(9995, 1, 1), std::nullopt, {L"4", L"", L"", L""},
         kAll, SpanButton::FinalDate, SpanOutcome::Done, Ymd(9999, 1, 1), {L"4", L"0", L"0", L"0"}, L"1"},
        {"typed years whose leap day moves past the last date", Ymd(9996, 1, 1), std::nullopt,
         {L"4", L"", L"", L""}, kAll, SpanButton::FinalDate, SpanOutcome::CheckFields, Ymd(9999, 12, 31),
         {L"4", L"0", L"0", L"0"}, L""},
        {"a span ending on the last date", Ymd(9990, 3, 1), Ymd(9999, 12, 31), {}, kAll, SpanButton::Years,
         SpanOutcome::Done, Ymd(9999, 12, 31), {L"9", L"10", L"0", L"5"}, L"2"},
    };
    for (const DateStyle& style : AllStyles()) {
        rt::ScopedLocale locale(LocaleOf(style));
        for (const SpanCase& c : cases) {
            SCOPED_TRACE(Describe(style) + ": " + c.what);
            FakeFields fields(style.separator);
            fields.SetDateText(0, c.initial.Format(style.format));
            fields.SetDateText(1, c.final ? c.final->Format(style.format) : L"");
            fields.units = c.typed;
            fields.ticked = c.ticked;
            fields.leapDays = L"9";
            EXPECT_EQ(tools::CalculateSpan(fields, c.button, style.format), c.outcome);
            EXPECT_EQ(fields.DateText(0), c.initial.Format(style.format));
            EXPECT_EQ(fields.DateText(1), c.finalAfter ? c.finalAfter->Format(style.format) : fields.mask.Empty());
            EXPECT_EQ(fields.units, c.units);
            EXPECT_EQ(fields.leapDays, c.outcome == SpanOutcome::Done ? c.leapDays : (c.final ? L"" : L"9"));
        }
    }
}

TEST(DateSpan, SplitsMonthsBy31OnlyFrom360To364Days)
{
    struct Case {
        int32_t total;
        SpanButton from;
        std::array<bool, 4> ticked;
        std::array<std::optional<int32_t>, 4> split;
    };
    const Case cases[] = {
        {359, SpanButton::Months, {false, true, false, true}, {std::nullopt, 11, std::nullopt, 29}},
        {360, SpanButton::Months, {false, true, false, true}, {std::nullopt, 11, std::nullopt, 30}},
        {364, SpanButton::Months, {false, true, false, true}, {std::nullopt, 11, std::nullopt, 34}},
        {365, SpanButton::Months, {false, true, false, true}, {std::nullopt, 12, std::nullopt, 5}},
        {730, SpanButton::Years, kAll, {2, 0, 0, 0}},
        {729, SpanButton::FinalDate, kAll, {1, 11, 4, 6}},  // 364 left after the year: 11 months, 34 days
        {400, SpanButton::Days, kAll, {std::nullopt, std::nullopt, std::nullopt, 400}},
        {400, SpanButton::Weeks, {true, true, false, false}, {}},
        {0, SpanButton::Years, kAll, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        EXPECT_EQ(tools::SplitSpan(c.total, c.from, c.ticked), c.split);
    }
}

// 29 Februaries after the first date up to and including the last, counted year by year.
int CountLeapDays(rt::Date first, rt::Date last)
{
    int count = 0;
    for (int year = first.Year(); year <= last.Year(); ++year)
        if (const auto leapDay = rt::Date::FromYmd(year, 2, 29); leapDay && first < *leapDay && !(last < *leapDay))
            ++count;
    return count;
}

TEST(DateSpan, LeapWalkMatchesACountOfLeapDays)
{
    std::mt19937 random(20031215);
    const int32_t lowest = Ymd(100, 1, 1).Serial();
    const int32_t highest = Ymd(9999, 12, 31).Serial();
    std::uniform_int_distribution<int32_t> serial(lowest, highest);
    std::uniform_int_distribution<int32_t> shortSpan(0, 3000);
    for (int i = 0; i < 4000; ++i) {
        int32_t a = serial(random);
        // Most spans are short, many of them starting on or around a leap day or ending near the top.
        int32_t b = i % 16 == 1 ? serial(random) : std::min(highest, a + shortSpan(random));
        if (i % 7 == 0) {
            const int year = 4 * (25 + i % 2475);
            a = rt::Date::FromYmd(year, 2, 27 + i % 3).value_or(Ymd(year, 2, 28)).Serial();
        }
        if (i % 11 == 0) {
            b = highest - shortSpan(random) % 400;
            a = b - shortSpan(random);
        }
        if (a > b)
            std::swap(a, b);
        const rt::Date first = *rt::Date::FromSerial(a);
        const rt::Date last = *rt::Date::FromSerial(b);
        SCOPED_TRACE(first.Format(L"yyyy/mm/dd") + L" to " + last.Format(L"yyyy/mm/dd"));
        ASSERT_EQ(tools::LeapDaysInSpan(first, last), CountLeapDays(first, last));
    }
}

TEST(DateSpan, LeapWalkComparesDatesAsDatesAtBothEndsOfTheRange)
{
    struct Case {
        rt::Date first, last;
        int count;
    };
    const Case cases[] = {
        {Ymd(100, 1, 1), Ymd(9999, 12, 31), 2400},  // "100/..." and "9999/..." mis-compare as text
        {Ymd(996, 1, 1), Ymd(1004, 12, 31), 2},      // 996 and 1004
        {Ymd(999, 3, 1), Ymd(1000, 3, 1), 0},        // 1000 is no leap year
        {Ymd(9996, 2, 29), Ymd(9999, 12, 31), 0},    // the first date's own leap day is not counted
        {Ymd(9995, 3, 1), Ymd(9999, 12, 31), 1},
        {Ymd(9999, 3, 1), Ymd(9999, 12, 31), 0},     // no 29 February 10000 to look at
        {Ymd(2020, 2, 29), Ymd(2020, 2, 29), 0},
        {Ymd(2020, 2, 28), Ymd(2020, 2, 29), 1},
        {Ymd(2021, 1, 1), Ymd(2020, 1, 1), 0},       // a reversed span counts nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first.Format(L"yyyy/mm/dd") + L" to " + c.last.Format(L"yyyy/mm/dd"));
        EXPECT_EQ(tools::LeapDaysInSpan(c.first, c.last), c.count);
    }
}

TEST(DateSpan, TapeBlockListsTheNonZeroUnitsIn24Columns)
{
    for (const DateStyle& style : AllStyles()) {
        rt::ScopedLocale locale(LocaleOf(style));
        SCOPED_TRACE(Describe(style));
        const std::wstring initial = Ymd(2020, 1, 1).Format(style.format);
        const std::wstring final = Ymd(2021, 3, 15).Format(style.format);
        const std::wstring mask = tools::DateMask(style.separator).Empty();
        const auto block = tools::DateTapeBlock(initial, final, {L"1", L"2", L"1", L"6"});
        ASSERT_TRUE(block);
        const std::wstring head = L"         [" + final + L"] - \r\n" + L"         [" + initial + L"] = \r\n";
        const std::wstring tail = L" =========================\r\n";
        EXPECT_EQ(*block, head + Blanks(14) + L" years: 1 \r\n" + Blanks(13) + L" months: 2 \r\n" + Blanks(12) +
                              L"   weeks: 1 \r\n" + Blanks(15) + L" days: 6 \r\n" + tail);
        for (size_t line = 0, at = 0; line < 6; ++line, at += 26)
            EXPECT_EQ(block->substr(at + 24, 2), L"\r\n") << "line " << line;

        EXPECT_EQ(tools::DateTapeBlock(initial, final, {L"0", L"13", L"0", L"100"}),
                  head + Blanks(12) + L" months: 13 \r\n" + Blanks(13) + L" days: 100 \r\n" + tail);
        struct Refused {
            const char* what;
            std::wstring initial, final;
            std::array<std::wstring, 4> units;
        };
        const Refused refused[] = {
            {"all units 0", initial, final, {L"0", L"0", L"0", L"0"}},
            {"units summing to 0", initial, final, {L"1", L"-1", L"", L""}},
            {"empty units", initial, final, {L"", L"", L"", L""}},
            {"equal dates", initial, initial, {L"0", L"0", L"0", L"1"}},
            {"no final date", initial, mask, {L"1", L"0", L"0", L"0"}},
            {"an incomplete final date", initial, final.substr(0, 6) + L"____", {L"1", L"0", L"0", L"0"}},
        };
        for (const Refused& r : refused) {
            SCOPED_TRACE(r.what);
            EXPECT_FALSE(tools::DateTapeBlock(r.initial, r.final, r.units));
        }
    }
    // A unit text wider than its column has no line; the others stay.
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(tools::DateTapeBlock(L"01/01/2020", L"02/01/2020", {L"1234567890123456", L"", L"", L"1"}),
              L"         [02/01/2020] - \r\n         [01/01/2020] = \r\n" + Blanks(15) + L" days: 1 \r\n" +
                  L" =========================\r\n");
}

}  // namespace
