#include "runtime/Date.h"

#include "runtime/Locale.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace rt {

namespace {

namespace chr = std::chrono;

constexpr int32_t DaysOf(int year, unsigned month, unsigned day)
{
    return chr::sys_days{chr::year{year} / chr::month{month} / chr::day{day}}.time_since_epoch().count();
}

constexpr int32_t kMinDays = DaysOf(Date::kMinYear, 1, 1);
constexpr int32_t kMaxDays = DaysOf(Date::kMaxYear, 12, 31);
constexpr int32_t kSerialZero = DaysOf(1899, 12, 30);

// Years written below 100 (in any number of digits): 0-29 are 2000-2029, 30-99 are 1930-1999.
constexpr int kCenturyPivot = 30;

struct Ymd {
    int year;
    int month;
    int day;
};

Ymd Split(int32_t days)
{
    const chr::year_month_day ymd{chr::sys_days{chr::days{days}}};
    return {static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}),
            static_cast<int>(unsigned{ymd.day()})};
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool IsDateSeparator(wchar_t c, wchar_t localeSeparator)
{
    return c == localeSeparator || c == L'/' || c == L'-' || c == L'.';
}

// One run of digits of a short date. The value stops growing past any valid date part, so arbitrarily
// long runs of digits cannot overflow; the digit count keeps its shape (a year is 3 or more digits).
struct Number {
    int value = 0;
    size_t digits = 0;
};

constexpr int kNumberCap = 100000;

void AppendTwoDigits(std::wstring& out, int value)
{
    out += static_cast<wchar_t>(L'0' + value / 10 % 10);
    out += static_cast<wchar_t>(L'0' + value % 10);
}

void AppendNumber(std::wstring& out, int value)
{
    wchar_t digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0)
        out += digits[--count];
}

// The locale's long-date picture: d, dd, M, MM, y, yy, yyyy and the names (dddd, MMMM; the locale keeps
// no abbreviations, so ddd and MMM write the full names too); text in single quotes is literal, '' is a
// quote.
void AppendPicture(std::wstring& out, std::wstring_view picture, const Ymd& ymd, int weekday, const Locale& locale)
{
    size_t i = 0;
    while (i < picture.size()) {
        const wchar_t c = picture[i];
        if (c == L'\'' && i + 1 < picture.size() && picture[i + 1] == L'\'') {
            out += L'\'';
            i += 2;
            continue;
        }
        if (c == L'\'') {
            ++i;
            while (i < picture.size()) {
                if (picture[i] == L'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == L'\'') {
                        out += L'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        if (c != L'd' && c != L'M' && c != L'y') {
            out += c;
            ++i;
            continue;
        }
        size_t run = 0;
        while (i < picture.size() && picture[i] == c) {
            ++run;
            ++i;
        }
        if (c == L'd') {
            if (run >= 3)
                out += locale.dayNames[weekday - 1];
            else if (run == 2)
                AppendTwoDigits(out, ymd.day);
            else
                AppendNumber(out, ymd.day);
        } else if (c == L'M') {
            if (run >= 3)
                out += locale.monthNames[ymd.month - 1];
            else if (run == 2)
                AppendTwoDigits(out, ymd.month);
            else
                AppendNumber(out, ymd.month);
        } else {
            if (run >= 3)
                AppendNumber(out, ymd.year);
            else if (run == 2)
                AppendTwoDigits(out, ymd.year % 100);
            else
                AppendNumber(out, ymd.year % 100);
        }
    }
}

}  // namespace

bool Date::IsLeapYear(int year) { return chr::year{year}.is_leap(); }

Result<Date> Date::FromYmd(int year, int month, int day)
{
    if (year < kMinYear || year > kMaxYear)
        return ValueError::Overflow;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return ValueError::InvalidCall;
    const chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                  chr::day{static_cast<unsigned>(day)}};
    if (!ymd.ok())
        return ValueError::InvalidCall;
    return Date{static_cast<int32_t>(chr::sys_days{ymd}.time_since_epoch().count())};
}

Result<Date> Date::FromSerial(int64_t serial)
{
    if (serial < kMinDays - kSerialZero || serial > kMaxDays - kSerialZero)
        return ValueError::Overflow;
    return Date{static_cast<int32_t>(serial + kSerialZero)};
}

Date Date::Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &now) == 0;
#else
    const bool converted = localtime_r(&now, &local) != nullptr;
#endif
    if (converted) {
        if (auto today = FromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday))
            return *today;
    }
    // A clock the C runtime cannot convert: the UTC date, kept inside the range.
    const auto days = chr::floor<chr::days>(chr::system_clock::now()).time_since_epoch().count();
    return Date{static_cast<int32_t>(std::clamp<int64_t>(days, kMinDays, kMaxDays))};
}

Result<Date> Date::Parse(std::wstring_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;

    const Locale& locale = CurrentLocale();
    Number numbers[3];
    size_t pos = begin;
    int count = 0;
    for (int n = 0; n < 3; ++n) {
        if (n > 0) {
            if (n == 2 && pos == end)
                break;  // a day and a month: this year
            if (pos == end || !IsDateSeparator(text[pos], locale.dateSeparator))
                return ValueError::TypeMismatch;
            ++pos;
        }
        Number& number = numbers[n];
        while (pos < end && text[pos] >= L'0' && text[pos] <= L'9') {
            if (number.value < kNumberCap)
                number.value = number.value * 10 + (text[pos] - L'0');
            ++number.digits;
            ++pos;
        }
        if (number.digits == 0)
            return ValueError::TypeMismatch;
        ++count;
    }
    if (pos != end)
        return ValueError::TypeMismatch;

    int year;
    int month;
    int day;
    if (count == 2) {
        if (numbers[0].digits > 2 || numbers[1].digits > 2)
            return ValueError::TypeMismatch;  // a year and no day
        const bool dayFirst = locale.dateOrder == DateOrder::DayMonthYear;
        const auto date = FromYmd(Today().Year(), numbers[dayFirst ? 1 : 0].value, numbers[dayFirst ? 0 : 1].value);
        if (!date)
            return ValueError::TypeMismatch;
        return date;
    }
    const bool yearLast =
        numbers[2].digits >= 3 || (numbers[0].digits < 3 && locale.dateOrder != DateOrder::YearMonthDay);
    if (yearLast) {
        const bool monthFirst = locale.dateOrder == DateOrder::MonthDayYear;
        month = numbers[monthFirst ? 0 : 1].value;
        day = numbers[monthFirst ? 1 : 0].value;
        year = numbers[2].value;
    } else {
        year = numbers[0].value;
        month = numbers[1].value;
        day = numbers[2].value;
    }
    if (year < 100)
        year += year < kCenturyPivot ? 2000 : 1900;
    auto date = FromYmd(year, month, day);
    if (!date)
        return ValueError::TypeMismatch;
    return date;
}

Result<Date> Date::AddDays(int64_t days) const
{
    if (days < int64_t{kMinDays} - days_ || days > int64_t{kMaxDays} - days_)
        return ValueError::Overflow;
    return Date{static_cast<int32_t>(days_ + days)};
}

int Date::Year() const { return Split(days_).year; }

int Date::Month() const { return Split(days_).month; }

int Date::Day() const { return Split(days_).day; }

int Date::Weekday() const
{
    return static_cast<int>(chr::weekday{chr::sys_days{chr::days{days_}}}.c_encoding()) + 1;
}

int32_t Date::Serial() const { return days_ - kSerialZero; }

std::wstring Date::Format(std::wstring_view pattern) const
{
    const Locale& locale = CurrentLocale();
    const Ymd ymd = Split(days_);
    std::wstring out;
    out.reserve(pattern.size() + 2);
    size_t i = 0;
    while (i < pattern.size()) {
        const wchar_t c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c && run < 6)
            ++run;
        if (c == L'd' && run == 6) {
            AppendPicture(out, locale.longDatePattern, ymd, Weekday(), locale);
            i += 6;
        } else if (c == L'd' && run >= 4) {
            out += locale.dayNames[Weekday() - 1];
            i += 4;
        } else if ((c == L'd' || c == L'm') && run >= 2) {
            AppendTwoDigits(out, c == L'd' ? ymd.day : ymd.month);
            i += 2;
        } else if (c == L'y' && run >= 4) {
            AppendNumber(out, ymd.year);
            i += 4;
        } else if (c == L'y' && run >= 2) {
            AppendTwoDigits(out, ymd.year % 100);
            i += 2;
        } else {
            out += c == L'/' ? locale.dateSeparator : c;
            ++i;
        }
    }
    return out;
}

}  // namespace rt
