#include "runtime/LocaleFromSystem_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <sstream>
#include <string>

// The locale depends on the environment the test runs in (under Wine: LANG), so these tests check that what
// was read agrees with how the system itself formats dates and numbers.
namespace {

std::wstring SystemDate(int year, int month, int day, DWORD flags, const wchar_t* picture = nullptr)
{
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    wchar_t text[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, picture, text, 128);
    return text;
}

TEST(SystemLocale, SeparatorsAgreeWithTheSystemsNumberText)
{
    const rt::Locale locale = rt::SystemLocale();
    wchar_t text[64] = {};
    GetNumberFormatW(LOCALE_USER_DEFAULT, 0, L"1234567.5", nullptr, text, 64);
    const std::wstring number = text;  // "1,234,567.50" (Wine groups only once, "1234,567.50": both will do)
    SCOPED_TRACE(number);
    ASSERT_GE(number.size(), 4u);
    EXPECT_EQ(number[number.size() - 3], locale.decimalSeparator);
    EXPECT_NE(number.find(locale.thousandsSeparator), std::wstring::npos);
    EXPECT_NE(locale.decimalSeparator, locale.thousandsSeparator);
}

TEST(SystemLocale, DateOrderAndSeparatorMatchTheShortDate)
{
    const rt::Locale locale = rt::SystemLocale();
    const std::wstring shortDate = SystemDate(2003, 12, 15, DATE_SHORTDATE);
    SCOPED_TRACE(shortDate);
    std::wstring spaced = shortDate;
    std::ranges::replace_if(
        spaced, [](wchar_t c) { return !std::iswdigit(c); }, L' ');
    std::array<int, 3> fields{};
    std::wistringstream(spaced) >> fields[0] >> fields[1] >> fields[2];
    for (int& field : fields)
        field = field == 3 ? 2003 : field;  // a two-digit year
    const std::array<int, 3> expected = locale.dateOrder == rt::DateOrder::DayMonthYear   ? std::array{15, 12, 2003}
                                        : locale.dateOrder == rt::DateOrder::MonthDayYear ? std::array{12, 15, 2003}
                                                                                          : std::array{2003, 12, 15};
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(shortDate[shortDate.find_first_not_of(L"0123456789")], locale.dateSeparator);
}

TEST(SystemLocale, NamesAndLongDateMatchTheSystemsDates)
{
    const rt::Locale locale = rt::SystemLocale();
    // 14 December 2003 was a Sunday.
    for (int day = 0; day < 7; ++day) {
        SCOPED_TRACE(day);
        EXPECT_EQ(locale.dayNames[static_cast<std::size_t>(day)], SystemDate(2003, 12, 14 + day, 0, L"dddd"));
    }
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        EXPECT_EQ(locale.monthNames[static_cast<std::size_t>(month - 1)], SystemDate(2003, month, 1, 0, L"MMMM"));
    }
    EXPECT_EQ(SystemDate(2003, 12, 15, 0, locale.longDatePattern.c_str()), SystemDate(2003, 12, 15, DATE_LONGDATE));
}

}  // namespace
