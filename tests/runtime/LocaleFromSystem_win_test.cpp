#include "runtime/LocaleFromSystem_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

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
    std::vector<int> numbers;
    std::wstring separators;
    for (std::size_t i = 0; i < shortDate.size();) {
        if (std::iswdigit(shortDate[i])) {
            std::size_t end = i;
            while (end < shortDate.size() && std::iswdigit(shortDate[end]))
                ++end;
            numbers.push_back(std::stoi(shortDate.substr(i, end - i)));
            i = end;
        } else {
            if (!numbers.empty() && separators.size() < numbers.size() && shortDate[i] != L' ')
                separators += shortDate[i];
            ++i;
        }
    }
    ASSERT_EQ(numbers.size(), 3u);
    const int year = numbers[0] == 2003 || numbers[0] == 3 ? 0 : numbers[2] == 2003 || numbers[2] == 3 ? 2 : -1;
    switch (locale.dateOrder) {
    case rt::DateOrder::DayMonthYear:
        EXPECT_EQ(numbers[0], 15);
        EXPECT_EQ(numbers[1], 12);
        EXPECT_EQ(year, 2);
        break;
    case rt::DateOrder::MonthDayYear:
        EXPECT_EQ(numbers[0], 12);
        EXPECT_EQ(numbers[1], 15);
        EXPECT_EQ(year, 2);
        break;
    case rt::DateOrder::YearMonthDay:
        EXPECT_EQ(year, 0);
        EXPECT_EQ(numbers[1], 12);
        EXPECT_EQ(numbers[2], 15);
        break;
    }
    ASSERT_FALSE(separators.empty());
    EXPECT_EQ(separators[0], locale.dateSeparator);
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
        EXPECT_FALSE(locale.monthNames[static_cast<std::size_t>(month - 1)].empty());
        EXPECT_NE(
            SystemDate(2003, month, 1, DATE_LONGDATE).find(locale.monthNames[static_cast<std::size_t>(month - 1)]),
            std::wstring::npos);
    }
    EXPECT_EQ(SystemDate(2003, 12, 15, 0, locale.longDatePattern.c_str()), SystemDate(2003, 12, 15, DATE_LONGDATE));
}

}  // namespace
