#include "runtime/Date.h"
#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using rt::Date;
using rt::ValueError;

struct Ymd {
    int year, month, day;
};

Date Make(int year, int month, int day) { return *Date::FromYmd(year, month, day); }

rt::Locale GermanStyle()
{
    rt::Locale l = rt::Locale::PortugueseBR();
    l.dateSeparator = L'.';
    return l;
}

rt::Locale YearFirst()
{
    rt::Locale l = rt::Locale::EnglishUS();
    l.dateOrder = rt::DateOrder::YearMonthDay;
    l.dateSeparator = L'-';
    return l;
}

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

}  // namespace

TEST(Date, FromYmdRefusesImpossibleDatesAndYearsOutOfRange)
{
    const struct {
        int year, month, day;
        std::optional<ValueError> error;
    } cases[] = {
        {100, 1, 1, {}},       {9999, 12, 31, {}},    {99, 12, 31, ValueError::Overflow},
        {10000, 1, 1, ValueError::Overflow},          {2020, 4, 31, ValueError::InvalidCall},
        {2020, 13, 1, ValueError::InvalidCall},       {2020, 0, 1, ValueError::InvalidCall},
        {2020, 1, 0, ValueError::InvalidCall},        {2020, 1, 32, ValueError::InvalidCall},
        {2020, -1, -1, ValueError::InvalidCall},
        // 29 February only in leap years.
        {2000, 2, 29, {}},     {2024, 2, 29, {}},     {400, 2, 29, {}},      {9996, 2, 29, {}},
        {1900, 2, 29, ValueError::InvalidCall},       {2100, 2, 29, ValueError::InvalidCall},
        {2023, 2, 29, ValueError::InvalidCall},       {100, 2, 29, ValueError::InvalidCall},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const auto date = Date::FromYmd(c.year, c.month, c.day);
        ASSERT_EQ(date.ok(), !c.error);
        if (c.error)
            EXPECT_EQ(date.error(), *c.error);
        else
            EXPECT_EQ(date->Year() * 10000 + date->Month() * 100 + date->Day(), c.year * 10000 + c.month * 100 + c.day);
        EXPECT_TRUE(c.month != 2 || c.day != 29 || Date::IsLeapYear(c.year) == !c.error);
    }
}

TEST(Date, AddDaysStaysInsideTheRange)
{
    const Date first = Make(100, 1, 1);
    const Date last = Make(9999, 12, 31);
    EXPECT_EQ(first.DaysUntil(last), 3615899);
    EXPECT_EQ(last.DaysUntil(first), -3615899);
    EXPECT_EQ(*first.AddDays(3615899), last);
    EXPECT_EQ(*last.AddDays(-3615899), first);
    EXPECT_EQ(last.AddDays(1).error(), ValueError::Overflow);
    EXPECT_EQ(first.AddDays(-1).error(), ValueError::Overflow);
    EXPECT_EQ(first.AddDays(INT64_MAX).error(), ValueError::Overflow);
    EXPECT_EQ(last.AddDays(INT64_MIN).error(), ValueError::Overflow);
    EXPECT_EQ(*Make(2020, 2, 28).AddDays(1), Make(2020, 2, 29));
    EXPECT_EQ(*Make(2019, 12, 31).AddDays(60), Make(2020, 2, 29));
    EXPECT_LT(Make(2020, 2, 28), Make(2020, 2, 29));
}

TEST(Date, SerialAndWeekdayMatchThePlatform)
{
    struct Case {
        Ymd date;
        int32_t serial;
        int weekday;
    };
    const Case cases[] = {{{1899, 12, 30}, 0, 7},      {{100, 1, 1}, -657434, 6}, {{9999, 12, 31}, 2958465, 6},
                          {{2020, 3, 1}, 43891, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial);
        const Date date = Make(c.date.year, c.date.month, c.date.day);
        EXPECT_EQ(date.Serial(), c.serial);
        EXPECT_EQ(date.Weekday(), c.weekday);
        EXPECT_EQ(*Date::FromSerial(c.serial), date);
    }
    EXPECT_FALSE(Date::FromSerial(-657435).ok());
    EXPECT_FALSE(Date::FromSerial(2958466).ok());
    EXPECT_GE(Date::Today().Year(), 2024);
}

TEST(Date, ParsesShortDatesInTheLocaleOrder)
{
    struct Case {
        rt::Locale locale;
        std::wstring text;
        std::optional<Ymd> expected;
    };
    const rt::Locale us = rt::Locale::EnglishUS();
    const rt::Locale br = rt::Locale::PortugueseBR();
    const int thisYear = Date::Today().Year();
    const std::vector<Case> cases = {
        {us, L"01-02-2020", Ymd{2020, 1, 2}},     {us, L"1.2.2020", Ymd{2020, 1, 2}},
        {us, L"1/2-2020", Ymd{2020, 1, 2}},       {us, L" \t1/2/2020  ", Ymd{2020, 1, 2}},
        {us, L"12/05/2", Ymd{2002, 12, 5}},       {us, L"12/05/202", Ymd{202, 12, 5}},
        {us, L"1/1/29", Ymd{2029, 1, 1}},         {us, L"1/1/30", Ymd{1930, 1, 1}},
        {us, L"1/1/00", Ymd{2000, 1, 1}},         {us, L"1/1/0099", Ymd{1999, 1, 1}},
        {us, L"1/1/100", Ymd{100, 1, 1}},         {us, L"12/31/9999", Ymd{9999, 12, 31}},
        {us, L"2020/1/31", Ymd{2020, 1, 31}},     {us, L"0100-01-01", Ymd{100, 1, 1}},
        {us, L"001/002/2020", Ymd{2020, 1, 2}},   {us, L"1/1/" + std::wstring(10000, L'0') + L"1", Ymd{2001, 1, 1}},
        {br, L"1/2/2020", Ymd{2020, 2, 1}},       {br, L"31/12/99", Ymd{1999, 12, 31}},
        {br, L"29/02/2000", Ymd{2000, 2, 29}},    {br, L"2020-12-31", Ymd{2020, 12, 31}},
        {br, L"20/1/2", Ymd{2002, 1, 20}},        {GermanStyle(), L"05.03.21", Ymd{2021, 3, 5}},
        {YearFirst(), L"20-1-2", Ymd{2020, 1, 2}}, {YearFirst(), L"31/12/2020", Ymd{2020, 12, 31}},
        // A day and a month: this year.
        {us, L"12/15", Ymd{thisYear, 12, 15}},   {br, L" 15-12 ", Ymd{thisYear, 12, 15}},
        {YearFirst(), L"12/15", Ymd{thisYear, 12, 15}},
        {us, L"15/12", {}},  {br, L"12/2020", {}},  {br, L"31/2", {}},  {us, L"0/12", {}},  {br, L"15/12/", {}},
        // Refused: no swapping of day and month, no reading of a short number as the year.
        {us, L"13/1/2020", {}},  {us, L"20/1/2", {}},  {us, L"2020/31/1", {}},  {br, L"12/31/2020", {}},
        // Impossible dates and years out of range.
        {us, L"2/29/2021", {}},  {br, L"29/02/1900", {}},  {br, L"31/04/2020", {}},  {br, L"0/1/2020", {}},
        {us, L"1/1/10000", {}},  {us, L"1/1/1" + std::wstring(10000, L'0'), {}},
        // Not three numbers between single separators.
        {us, L"", {}},           {us, L"   ", {}},         {us, L"/", {}},             {us, L"1", {}},
        {us, L"1/2/3/4", {}},    {us, L"1//2/2020", {}},   {us, L"/1/2/2020", {}},     {us, L"1/2/2020/", {}},
        {us, L"1 / 2 / 2020", {}},  {us, L"1/2/2020 10:00", {}},  {us, L"1,2,2020", {}},  {us, L"1_/__/____", {}},
        {us, std::wstring(L"1/2/2020\0", 9), {}},  {us, L"\uFF11/2/2020", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.text.substr(0, 40)));
        rt::ScopedLocale locale(c.locale);
        const auto date = Date::Parse(c.text);
        ASSERT_EQ(date.ok(), c.expected.has_value());
        if (c.expected) {
            EXPECT_EQ(date->Year(), c.expected->year);
            EXPECT_EQ(date->Month(), c.expected->month);
            EXPECT_EQ(date->Day(), c.expected->day);
        } else {
            EXPECT_EQ(date.error(), ValueError::TypeMismatch);
        }
    }
}

TEST(Date, FormatsPatternsWithTheLocaleNamesAndSeparator)
{
    struct Case {
        rt::Locale locale;
        Ymd date;
        std::wstring pattern;
        std::wstring expected;
    };
    const rt::Locale us = rt::Locale::EnglishUS();
    const rt::Locale br = rt::Locale::PortugueseBR();
    rt::Locale quoting = us;
    quoting.longDatePattern = L"d 'o''clock' ''M'' yy MMM";
    const std::vector<Case> cases = {
        {us, {2020, 3, 1}, L"dd/mm/yyyy", L"01/03/2020"},  {us, {2020, 3, 1}, L"mm/dd/yyyy", L"03/01/2020"},
        {us, {2020, 3, 1}, L"yyyy/mm/dd", L"2020/03/01"},  {us, {2020, 3, 1}, L"mm/dd/yy", L"03/01/20"},
        {us, {2020, 3, 1}, L"dddd", L"Sunday"},            {us, {2020, 3, 1}, L"dddddd", L"Sunday, March 1, 2020"},
        {us, {100, 1, 1}, L"dd/mm/yyyy", L"01/01/100"},    {us, {100, 1, 1}, L"dd/mm/yy", L"01/01/00"},
        {us, {9999, 12, 31}, L"dddddd", L"Friday, December 31, 9999"},
        {br, {2021, 3, 2}, L"dddd", L"ter\u00e7a-feira"},
        {br, {2020, 3, 1}, L"dddddd", L"domingo, 1 de mar\u00e7o de 2020"},
        {GermanStyle(), {2020, 3, 1}, L"dd/mm/yyyy", L"01.03.2020"},
        {GermanStyle(), {2020, 3, 1}, L"mm/dd/yy", L"03.01.20"},
        {YearFirst(), {2020, 3, 1}, L"yyyy/mm/dd", L"2020-03-01"},
        {quoting, {2005, 1, 9}, L"dddddd", L"9 o'clock '1' 05 January"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.pattern) + " " + Narrow(c.expected));
        rt::ScopedLocale locale(c.locale);
        EXPECT_EQ(Make(c.date.year, c.date.month, c.date.day).Format(c.pattern), c.expected);
    }
}

TEST(Date, FormattedDatesReadBackInBothOrders)
{
    const std::vector<std::pair<rt::Locale, std::wstring>> settings = {
        {rt::Locale::EnglishUS(), L"mm/dd/yyyy"}, {rt::Locale::PortugueseBR(), L"dd/mm/yyyy"},
        {GermanStyle(), L"dd/mm/yyyy"},           {YearFirst(), L"dd/mm/yyyy"},
        {rt::Locale::EnglishUS(), L"yyyy/mm/dd"}, {rt::Locale::PortugueseBR(), L"yyyy/mm/dd"}};
    const Date first = Make(100, 1, 1);
    for (const auto& [locale, pattern] : settings) {
        SCOPED_TRACE(Narrow(pattern));
        rt::ScopedLocale scoped(locale);
        for (int64_t day = 0; day <= first.DaysUntil(Make(9999, 12, 31)); day += 367) {
            const Date date = *first.AddDays(day);
            const auto back = Date::Parse(date.Format(pattern));
            ASSERT_TRUE(back.ok()) << Narrow(date.Format(pattern));
            ASSERT_EQ(*back, date) << Narrow(date.Format(pattern));
        }
    }
}
