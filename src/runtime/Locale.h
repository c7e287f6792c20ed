#pragma once
// The regional settings that number and date texts follow. On Windows the program fills it from the
// system at start-up; tests set it explicitly. Portable: no platform headers here.
#include <array>
#include <string>

namespace rt {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

struct Locale {
    wchar_t decimalSeparator = L'.';
    wchar_t thousandsSeparator = L',';
    DateOrder dateOrder = DateOrder::MonthDayYear;
    wchar_t dateSeparator = L'/';
    std::wstring currencySymbol = L"$";  // an amount may carry it before or after its digits
    std::array<std::wstring, 7> dayNames;     // full names, Sunday first
    std::array<std::wstring, 12> monthNames;  // full names, January first
    // Long-date picture in the platform's notation ("dddd, MMMM d, yyyy").
    std::wstring longDatePattern = L"dddd, MMMM d, yyyy";

    static Locale EnglishUS();     // "." decimal, month first, "/"
    static Locale PortugueseBR();  // "," decimal, "." thousands, day first, "/"
};

// The locale every conversion reads. One per program; set at start-up, or by a test.
const Locale& CurrentLocale();
void SetCurrentLocale(const Locale& locale);

// Restores the previous locale when it leaves scope; for tests that switch locales.
class ScopedLocale {
public:
    explicit ScopedLocale(const Locale& locale) : saved_(CurrentLocale()) { SetCurrentLocale(locale); }
    ~ScopedLocale() { SetCurrentLocale(saved_); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    Locale saved_;
};

}  // namespace rt
