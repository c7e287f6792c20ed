#pragma once
// Calendar dates of whole days, as the date tool and the tape blocks read, compute and write them.
#include "runtime/ValueError.h"

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// A date from 1 January 100 to 31 December 9999 in the proleptic Gregorian calendar. Always valid:
// every way of making one checks the range.
class Date {
public:
    static constexpr int kMinYear = 100;
    static constexpr int kMaxYear = 9999;

    // InvalidCall for a month or day that does not exist (29 February of a common year), Overflow for a
    // year outside 100-9999.
    static Result<Date> FromYmd(int year, int month, int day);
    // The platform's date serial: days since 30 December 1899 (negative before it).
    static Result<Date> FromSerial(int64_t serial);
    // The local date of the system clock.
    static Date Today();

    // Reads a short date written in the current locale's order, with the locale's separator or any of
    // "/", "-", "." between the three numbers, blanks and tabs around. Which number is the year goes by
    // shape: a last number of three or more digits is the year (day and month before it in the locale's
    // order; a year-first locale then reads day first, as the program writes its dates); otherwise a first
    // number of three or more digits is the year, followed by month and day; otherwise the locale's order
    // decides. Years below 100 fall in 1930-2029. Day and month are never swapped to rescue a date that
    // does not exist. Two numbers of one or two digits are a day and a month of this year, in the locale's
    // order (month first in a year-first locale). Anything else fails with TypeMismatch.
    static Result<Date> Parse(std::wstring_view text);

    static bool IsLeapYear(int year);

    // Overflow when the result would leave the range.
    Result<Date> AddDays(int64_t days) const;
    // Days from this date to `later` (negative when `later` is earlier).
    int64_t DaysUntil(const Date& later) const { return int64_t{later.days_} - days_; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Weekday() const;  // 1 = Sunday .. 7 = Saturday
    int32_t Serial() const;

    // Writes the date by a picture: "dd", "mm", "yyyy" (the year unpadded, so "100"), "yy", "dddd" (the
    // locale's day name), "dddddd" (the locale's long date) and "/" (the locale's date separator); every
    // other character is copied. Used with "dd/mm/yyyy", "mm/dd/yyyy", "yyyy/mm/dd", "dd/mm/yy",
    // "mm/dd/yy", "dddd" and "dddddd".
    std::wstring Format(std::wstring_view pattern) const;

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;

private:
    explicit Date(int32_t days) : days_(days) {}

    int32_t days_;  // days since 1 January 1970
};

}  // namespace rt
