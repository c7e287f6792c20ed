#include "tools/DateMask.h"
#include "tools/DateSpan.h"

#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using tools::DateUnit;
using tools::SpanButton;
using tools::SpanOutcome;
using Units = std::array<std::wstring, tools::kDateUnitCount>;
using Ticks = std::array<bool, tools::kDateUnitCount>;

constexpr Ticks kAll{true, true, true, true};

rt::Date Ymd(int year, int month, int day)
{
    return *rt::Date::FromYmd(year, month, day);
}

// Runs `check(format, separator)` in both date orders with each separator, the locale set to match.
template <typename Check> void InEveryDateStyle(Check check)
{
    for (auto order : {rt::DateOrder::DayMonthYear, rt::DateOrder::MonthDayYear}) {
        for (wchar_t separator : {L'/', L'.', L'-'}) {
            rt::Locale locale = rt::Locale::EnglishUS();
            locale.dateOrder = order;
            locale.dateSeparator = separator;
            rt::ScopedLocale scoped(locale);
            const bool dayFirst = order == rt::DateOrder::DayMonthYear;
            SCOPED_TRACE(testing::Message() << (dayFirst ? "dd/mm" : "mm/dd") << " with " << char(separator));
            check(std::wstring(dayFirst ? L"dd/mm/yyyy" : L"mm/dd/yyyy"), separator);
        }
    }
}

// The fields as the window keeps them: a date field rebuilds its mask when set to a shorter text.
class FakeFields : public tools::DateFields {
public:
    explicit FakeFields(wchar_t separator) : mask(separator) {}
    std::wstring DateText(int index) const override { return dates[index]; }
    void SetDateText(int index, const std::wstring& text) override { dates[index] = mask.AfterChange(text, 0).text; }
    std::wstring UnitText(DateUnit unit) const override { return units[static_cast<size_t>(unit)]; }
    void SetUnitText(DateUnit unit, const std::wstring& text) override { units[static_cast<size_t>(unit)] = text; }
    bool UnitTicked(DateUnit unit) const override { return ticked[static_cast<size_t>(unit)]; }
    void SetLeapDays(const std::wstring& caption) override { leapDays = caption; }

    tools::DateMask mask;
    std::wstring dates[2];
    Units units;
    Ticks ticked = kAll;
    std::wstring leapDays;
};

TEST(DateSpan, CalculatesEverySpanInEveryDateStyle)
{
    struct Case {
        const char* what;
        rt::Date initial;
        std::optional<rt::Date> final, finalAfter;  // empty: the field holds the mask
        Units typed;
        Ticks ticked;
        SpanButton button;
        SpanOutcome outcome;
        Units units;
        std::wstring leapDays;  // after Done only; otherwise the count is left alone
    };
    // clang-format off
    const Case cases[] = {
        {"439 days", Ymd(2020, 1, 1), Ymd(2021, 3, 15), Ymd(2021, 3, 15), {}, kAll, SpanButton::Years,
         SpanOutcome::Done, {L"1", L"2", L"1", L"6"}, L"1"},
        {"equal dates, junk typed", Ymd(2020, 5, 5), Ymd(2020, 5, 5), Ymd(2020, 5, 5), {L"3", L"", L"x", L"1"}, kAll,
         SpanButton::Years, SpanOutcome::Done, {L"0", L"0", L"0", L"0"}, L"0"},
        {"365 days over a leap day", Ymd(2020, 1, 1), Ymd(2020, 12, 31), Ymd(2020, 12, 31), {}, kAll,
         SpanButton::Years, SpanOutcome::Done, {L"0", L"11", L"4", L"6"}, L"1"},
        {"366 days over a leap day", Ymd(2020, 1, 1), Ymd(2021, 1, 1), Ymd(2021, 1, 1), {}, kAll, SpanButton::Years,
         SpanOutcome::Done, {L"1", L"0", L"0", L"0"}, L"1"},
        {"365 days after the leap day", Ymd(2020, 3, 1), Ymd(2021, 3, 1), Ymd(2021, 3, 1), {}, kAll,
         SpanButton::Years, SpanOutcome::Done, {L"1", L"0", L"0", L"0"}, L"0"},
        {"362 days: months divide by 31", Ymd(2021, 1, 1), Ymd(2021, 12, 29), Ymd(2021, 12, 29), {},
         {false, true, false, true}, SpanButton::Years, SpanOutcome::Done, {L"0", L"11", L"0", L"32"}, L"0"},
        {"400 days from months", Ymd(2021, 1, 1), Ymd(2022, 2, 5), Ymd(2022, 2, 5), {}, {false, true, true, true},
         SpanButton::Months, SpanOutcome::Done, {L"0", L"13", L"1", L"3"}, L"0"},
        {"the days button", Ymd(2020, 1, 1), Ymd(2021, 3, 15), Ymd(2021, 3, 15), {}, kAll, SpanButton::Days,
         SpanOutcome::Done, {L"0", L"0", L"0", L"439"}, L"0"},
        {"2 typed years move over the leap day", Ymd(2019, 1, 1), {}, Ymd(2021, 1, 1), {L"2", L"", L"", L""}, kAll,
         SpanButton::FinalDate, SpanOutcome::Done, {L"2", L"0", L"0", L"0"}, L"1"},
        {"1 typed month", Ymd(2020, 1, 1), {}, Ymd(2020, 1, 31), {L"", L"1", L"", L""}, kAll, SpanButton::FinalDate,
         SpanOutcome::Done, {L"0", L"1", L"0", L"0"}, L"0"},
        {"an unticked unit keeps its text", Ymd(2021, 1, 1), {}, Ymd(2021, 1, 22), {L"", L"", L"3", L""},
         {true, true, false, true}, SpanButton::FinalDate, SpanOutcome::Done, {L"0", L"0", L"3", L"21"}, L"0"},
        {"the weeks button zeroes typed months; unticked days keep their text", Ymd(2021, 1, 1), {},
         Ymd(2021, 2, 3), {L"", L"1", L"", L"3"}, {true, true, true, false}, SpanButton::Weeks, SpanOutcome::Done,
         {L"0", L"0", L"4", L"3"}, L"0"},
        {"the months button keeps unticked typed months", Ymd(2021, 1, 1), {}, Ymd(2021, 2, 3),
         {L"", L"1", L"", L"3"}, {true, false, true, true}, SpanButton::Months, SpanOutcome::Done,
         {L"0", L"1", L"4", L"5"}, L"0"},
        {"final before initial", Ymd(2021, 3, 15), Ymd(2020, 1, 1), Ymd(2020, 1, 1), {L"1", L"1", L"1", L"1"}, kAll,
         SpanButton::Years, SpanOutcome::FinalBeforeInitial, {L"0", L"0", L"0", L"0"}, L""},
        {"a negative typed span", Ymd(2021, 3, 15), {}, Ymd(2021, 3, 14), {L"", L"", L"", L"-1"}, kAll,
         SpanButton::FinalDate, SpanOutcome::FinalBeforeInitial, {L"0", L"0", L"0", L"-1"}, L""},
        {"no final date, no span", Ymd(2021, 3, 15), {}, {}, {}, kAll, SpanButton::FinalDate,
         SpanOutcome::CheckFields, {L"0", L"0", L"0", L"0"}, L""},
        {"a span past the last date", Ymd(9999, 12, 31), {}, {}, {L"", L"", L"", L"1"}, kAll, SpanButton::FinalDate,
         SpanOutcome::CheckFields, {L"0", L"0", L"0", L"1"}, L""},
        {"a total beyond 32 bits", Ymd(2021, 3, 15), {}, {}, {L"", L"", L"", L"3E9"}, kAll, SpanButton::FinalDate,
         SpanOutcome::CheckFields, {L"0", L"0", L"0", L"3E9"}, L""},
        {"typed years over a leap day near the top", Ymd(9995, 1, 1), {}, Ymd(9999, 1, 1), {L"4", L"", L"", L""},
         kAll, SpanButton::FinalDate, SpanOutcome::Done, {L"4", L"0", L"0", L"0"}, L"1"},
        {"a leap day moving past the last date", Ymd(9996, 1, 1), {}, Ymd(9999, 12, 31), {L"4", L"", L"", L""},
         kAll, SpanButton::FinalDate, SpanOutcome::CheckFields, {L"4", L"0", L"0", L"0"}, L""},
        {"a span ending on the last date", Ymd(9990, 3, 1), Ymd(9999, 12, 31), Ymd(9999, 12, 31), {}, kAll,
         SpanButton::Years, SpanOutcome::Done, {L"9", L"10", L"0", L"5"}, L"2"},
    };
    // clang-format on
    InEveryDateStyle([&](const std::wstring& format, wchar_t separator) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            FakeFields fields(separator);
            fields.SetDateText(0, c.initial.Format(format));
            fields.SetDateText(1, c.final ? c.final->Format(format) : L"");
            fields.units = c.typed;
            fields.ticked = c.ticked;
            fields.leapDays = L"9";
            EXPECT_EQ(tools::CalculateSpan(fields, c.button, format), c.outcome);
            EXPECT_EQ(fields.dates[0], c.initial.Format(format));
            EXPECT_EQ(fields.dates[1], c.finalAfter ? c.finalAfter->Format(format) : fields.mask.Empty());
            EXPECT_EQ(fields.units, c.units);
            EXPECT_EQ(fields.leapDays, c.outcome == SpanOutcome::Done ? c.leapDays : (c.final ? L"" : L"9"));
        }
    });
}

TEST(DateSpan, SplitsMonthsBy31OnlyFrom360To364Days)
{
    using Split = std::array<std::optional<int32_t>, tools::kDateUnitCount>;
    constexpr Ticks kMonthsAndDays{false, true, false, true};
    constexpr std::nullopt_t kLeftAlone = std::nullopt;
    struct Case {
        int32_t total;
        SpanButton from;
        Ticks ticked;
        Split split;
    };
    const Case cases[] = {
        {359, SpanButton::Months, kMonthsAndDays, {kLeftAlone, 11, kLeftAlone, 29}},
        {360, SpanButton::Months, kMonthsAndDays, {kLeftAlone, 11, kLeftAlone, 30}},
        {364, SpanButton::Months, kMonthsAndDays, {kLeftAlone, 11, kLeftAlone, 34}},
        {365, SpanButton::Months, kMonthsAndDays, {kLeftAlone, 12, kLeftAlone, 5}},
        {729, SpanButton::FinalDate, kAll, {1, 11, 4, 6}},  // 364 left after the year: 11 months, 34 days
        {400, SpanButton::Weeks, {true, true, false, false}, {}},
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
    const int32_t highest = Ymd(9999, 12, 31).Serial();
    std::uniform_int_distribution<int32_t> serial(Ymd(100, 1, 1).Serial(), highest);
    std::uniform_int_distribution<int32_t> shortSpan(0, 3000);
    for (int i = 0; i < 4000; ++i) {
        // Mostly short spans, some of them ending near the top of the range, and a few wide ones.
        int32_t a = serial(random);
        int32_t b = i % 16 == 1 ? serial(random) : std::min(highest, a + shortSpan(random));
        if (i % 11 == 0) {
            b = highest - shortSpan(random) % 400;
            a = b - shortSpan(random);
        }
        const rt::Date first = *rt::Date::FromSerial(std::min(a, b));
        const rt::Date last = *rt::Date::FromSerial(std::max(a, b));
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
        {Ymd(996, 1, 1), Ymd(1004, 12, 31), 2},
        {Ymd(9996, 2, 29), Ymd(9999, 12, 31), 0},  // the first date's own leap day is not counted
        {Ymd(9999, 3, 1), Ymd(9999, 12, 31), 0},   // no 29 February 10000 to look at
        {Ymd(2020, 2, 28), Ymd(2020, 2, 29), 1},
        {Ymd(2021, 1, 1), Ymd(2020, 1, 1), 0},  // a reversed span counts nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first.Format(L"yyyy/mm/dd") + L" to " + c.last.Format(L"yyyy/mm/dd"));
        EXPECT_EQ(tools::LeapDaysInSpan(c.first, c.last), c.count);
    }
}

// A tape line: right-aligned in 24 columns, as every line of the block is for short texts.
std::wstring Line(const std::wstring& text)
{
    return std::wstring(24 - text.size(), L' ') + text + L"\r\n";
}

TEST(DateSpan, TapeBlockListsTheNonZeroUnitsIn24Columns)
{
    const std::wstring tail = L" =========================\r\n";
    InEveryDateStyle([&](const std::wstring& format, wchar_t separator) {
        const std::wstring initial = Ymd(2020, 1, 1).Format(format);
        const std::wstring final = Ymd(2021, 3, 15).Format(format);
        const std::wstring head = Line(L"[" + final + L"] - ") + Line(L"[" + initial + L"] = ");
        EXPECT_EQ(tools::DateTapeBlock(initial, final, {L"1", L"2", L"1", L"6"}),
                  head + Line(L" years: 1 ") + Line(L" months: 2 ") + Line(L"   weeks: 1 ") + Line(L" days: 6 ") +
                      tail);
        EXPECT_EQ(tools::DateTapeBlock(initial, final, {L"0", L"13", L"0", L"100"}),
                  head + Line(L" months: 13 ") + Line(L" days: 100 ") + tail);
        const std::pair<std::wstring, Units> refused[] = {
            {final, {L"0", L"0", L"0", L"0"}},
            {final, {L"1", L"-1", L"", L""}},  // units summing to 0
            {initial, {L"0", L"0", L"0", L"1"}},
            {tools::DateMask(separator).Empty(), {L"1", L"0", L"0", L"0"}},
            {final.substr(0, 6) + L"____", {L"1", L"0", L"0", L"0"}},
        };
        for (const auto& [finalText, units] : refused) {
            SCOPED_TRACE(finalText);
            EXPECT_FALSE(tools::DateTapeBlock(initial, finalText, units));
        }
    });
    // A unit text wider than its column has no line; the others stay.
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    const std::wstring head = Line(L"[02/01/2020] - ") + Line(L"[01/01/2020] = ");
    EXPECT_EQ(tools::DateTapeBlock(L"01/01/2020", L"02/01/2020", {L"1234567890123456", L"", L"", L"1"}),
              head + Line(L" days: 1 ") + tail);
    // One exactly as wide as its column (15, 14, 13 and 16 characters) fills it with no blank before it.
    EXPECT_EQ(tools::DateTapeBlock(L"01/01/2020", L"02/01/2020",
                                   {L"123456789012345", L"12345678901234", L"1234567890123", L"1234567890123456"}),
              head + L" years: 123456789012345 \r\n months: 12345678901234 \r\n   weeks: 1234567890123 \r\n"
                     L" days: 1234567890123456 \r\n" + tail);
}

}  // namespace
