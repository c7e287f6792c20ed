// Our date reading and writing against the platform's own (oleaut32 and the NLS date writer), on generated
// texts in a month-first, a day-first and a "."-separated locale. Our locale is filled from the system's
// data for each LCID, so the comparison is about the rules, not the names.
//
// Where the two differ on purpose (each counted and reported; anything else fails the test):
// - Shape: we read three numbers, or a day and a month of the current year, between single separators,
//   with blanks and tabs only around them. The platform also reads blanks and commas as separators, times,
//   and month names. We refuse these: the date fields hold a fixed mask.
// - A month and a year ("12/2020", "31/2" as February 2031): the platform makes them the first of the month;
//   we refuse them, since a date without its day is not a date the user gave.
// - Order: the platform swaps day and month, or takes a short first number as the year, when the
//   locale's order gives a date that does not exist ("13/1/2020" is 13 January in a month-first locale).
//   We never reorder: a date typed in the wrong order is refused rather than silently read as another.
//   The year is found by shape only: a number of three or more digits at either end, so "005-01-04" is
//   4 January 2005 where the platform, going by value, reads 5 January 2004.
// - "." as a separator: the platform takes it only in locales whose separator it is (elsewhere it reads
//   "5.02.16" as a time of day); we take "/", "-" and "." in every locale.
// - Two-digit years: Wine's oleaut32 puts 30-49 in 2030-2049; Windows' default window and ours are
//   1930-2029.
// - Long date: Wine's VarFormat expands the pattern letters inside quoted literals ("d 'de' MMMM" writes
//   "1 '1e' março"); the long date is compared with GetDateFormatW instead, which cannot write years
//   before 1601, so for those years VarFormat is the reference in locales without quotes only.
#include "runtime/Date.h"
#include "runtime/Locale.h"
#include "support/OleTally_win.h"

#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr LCID kEnglishUS = 0x0409;     // month first, "/"
constexpr LCID kPortugueseBR = 0x0416;  // day first, "/"
constexpr LCID kGerman = 0x0407;        // day first, "."
constexpr std::array kLocales = {kEnglishUS, kPortugueseBR, kGerman};

std::wstring LocaleText(LCID lcid, LCTYPE type)
{
    wchar_t buffer[128] = {};
    const int length = GetLocaleInfoW(lcid, type, buffer, 128);
    return length > 0 ? std::wstring(buffer, length - 1) : std::wstring();
}

rt::Locale LocaleFromSystem(LCID lcid)
{
    rt::Locale locale = rt::Locale::EnglishUS();
    locale.dateSeparator = LocaleText(lcid, LOCALE_SDATE).at(0);
    const std::wstring order = LocaleText(lcid, LOCALE_IDATE);
    locale.dateOrder = order == L"0"   ? rt::DateOrder::MonthDayYear
                       : order == L"1" ? rt::DateOrder::DayMonthYear
                                       : rt::DateOrder::YearMonthDay;
    locale.dayNames[0] = LocaleText(lcid, LOCALE_SDAYNAME7);
    for (int k = 1; k < 7; ++k)
        locale.dayNames[k] = LocaleText(lcid, LOCALE_SDAYNAME1 + k - 1);
    for (int k = 0; k < 12; ++k)
        locale.monthNames[k] = LocaleText(lcid, LOCALE_SMONTHNAME1 + k);
    locale.longDatePattern = LocaleText(lcid, LOCALE_SLONGDATE);
    return locale;
}

// The platform's reading: a date serial, with a fraction when the text carried a time of day.
std::optional<double> PlatformParse(const std::wstring& text, LCID lcid)
{
    BSTR in = test::MakeBstr(text);
    DATE date = 0;
    const HRESULT hr = VarDateFromStr(in, lcid, 0, &date);
    SysFreeString(in);
    return SUCCEEDED(hr) ? std::optional(date) : std::nullopt;
}

std::optional<std::wstring> PlatformFormat(const rt::Date& date, const std::wstring& pattern, LCID lcid)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DATE;
    value.date = date.Serial();
    return test::OleFormat(value, pattern, lcid);
}

std::optional<std::wstring> PlatformLongDate(const rt::Date& date, LCID lcid)
{
    const SYSTEMTIME time = {WORD(date.Year()), WORD(date.Month()), 0, WORD(date.Day()), 0, 0, 0, 0};
    wchar_t buffer[256];
    const int length = date.Year() < 1601 ? 0 : GetDateFormatW(lcid, DATE_LONGDATE, &time, nullptr, buffer, 256);
    return length > 0 ? std::optional(std::wstring(buffer, length - 1)) : std::nullopt;
}

using test::Narrow;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

struct Shape {
    std::array<int64_t, 3> numbers = {};
    std::array<size_t, 3> digits = {};
    int count = 3;
};

// Two or three runs of digits between single separators, blanks only around: the only shapes we read.
std::optional<Shape> OurShape(const std::wstring& text, wchar_t localeSeparator)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    Shape shape;
    size_t pos = begin;
    for (int n = 0; n < 3; ++n) {
        if (n > 0) {
            if (n == 2 && pos == end) {
                shape.count = 2;
                break;
            }
            const wchar_t c = pos < end ? text[pos] : 0;
            if (c != L'/' && c != L'-' && c != L'.' && c != localeSeparator)
                return std::nullopt;
            ++pos;
        }
        const size_t start = pos;
        while (pos < end && text[pos] >= L'0' && text[pos] <= L'9' && pos - start < 9)
            shape.numbers[n] = shape.numbers[n] * 10 + (text[pos++] - L'0');
        shape.digits[n] = pos - start;
        if (pos == start)
            return std::nullopt;
    }
    if (pos != end)
        return std::nullopt;
    return shape;
}

// The platform's date is the same three numbers in another order (so it reordered what we refuse).
bool IsReordering(const std::array<int64_t, 3>& numbers, const rt::Date& platform)
{
    const auto isYear = [&](int64_t n) {
        return n == platform.Year() || (n < 100 && (n + 1900 == platform.Year() || n + 2000 == platform.Year()));
    };
    const int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& p : perms) {
        if (isYear(numbers[p[0]]) && numbers[p[1]] == platform.Month() && numbers[p[2]] == platform.Day())
            return true;
    }
    return false;
}

// The three numbers, year last, make a date in the locale's order (and no zero-padded first number makes
// the year first): a text that we must read.
bool InLocaleOrder(const Shape& shape, rt::DateOrder order)
{
    if (shape.count == 2) {
        const bool dayFirst = order == rt::DateOrder::DayMonthYear;
        if (shape.digits[0] > 2 || shape.digits[1] > 2)
            return false;
        return rt::Date::FromYmd(rt::Date::Today().Year(), static_cast<int>(shape.numbers[dayFirst ? 1 : 0]),
                                 static_cast<int>(shape.numbers[dayFirst ? 0 : 1]))
            .ok();
    }
    if (shape.digits[0] >= 3 && shape.digits[2] < 3)
        return false;
    const bool monthFirst = order == rt::DateOrder::MonthDayYear;
    int64_t year = shape.numbers[2];
    if (year < 100)
        year += year < 30 ? 2000 : 1900;
    if (year > 9999)
        return false;
    return rt::Date::FromYmd(static_cast<int>(year), static_cast<int>(shape.numbers[monthFirst ? 0 : 1]),
                             static_cast<int>(shape.numbers[monthFirst ? 1 : 0]))
        .ok();
}

// Two numbers the platform took for a month and a year (the first of that month), or for a day and a month
// of this year in the other order.
const char* TwoNumberReading(const Shape& shape, const rt::Date& platform)
{
    const auto isYear = [&](int64_t n) {
        return n == platform.Year() || (n < 100 && (n + 1900 == platform.Year() || n + 2000 == platform.Year()));
    };
    const auto& n = shape.numbers;
    if ((shape.digits[0] > 2 || shape.digits[1] > 2) && platform.Year() == rt::Date::Today().Year())
        return "platform only: a day or month of three digits";
    if (platform.Day() == 1 && ((n[0] == platform.Month() && isYear(n[1])) || (n[1] == platform.Month() && isYear(n[0]))))
        return "platform only: a month and a year";
    if (platform.Year() == rt::Date::Today().Year() &&
        ((n[0] == platform.Month() && n[1] == platform.Day()) || (n[1] == platform.Month() && n[0] == platform.Day())))
        return "platform only: reordered";
    return nullptr;
}

// Generated short-date texts: mostly well formed in every order, with the damage the platform and we
// must agree to refuse (impossible days, months, years) and the shapes only the platform reads.
std::vector<std::wstring> GenerateTexts(wchar_t localeSeparator, bool monthFirst, std::mt19937& random)
{
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto number = [](int value, size_t minWidth) {
        const std::wstring s = std::to_wstring(value);
        return std::wstring(minWidth > s.size() ? minWidth - s.size() : 0, L'0') + s;
    };
    const std::wstring separators = std::wstring(L"/-.") + localeSeparator;
    const wchar_t* blanks[] = {L"", L"", L"", L" ", L"  ", L"\t"};
    std::vector<std::wstring> texts;
    for (int i = 0; i < 4000; ++i) {
        const int kind = pick(0, 5);
        const int year = kind == 0 ? pick(0, 99) : kind == 1 ? pick(100, 999) : kind == 2 ? pick(9990, 10001)
                                                                                            : pick(1900, 2100);
        const int month = pick(0, 9) == 0 ? pick(0, 13) : pick(1, 12);
        const int day = pick(0, 9) == 0 ? pick(0, 32) : pick(pick(0, 1) ? 28 : 1, 31);
        const std::wstring y = number(year, pick(0, 3) == 0 ? pick(1, 4) : (year < 100 ? 2 : 4));
        const std::wstring m = number(month, pick(1, 2) + (pick(0, 30) == 0));
        const std::wstring d = number(day, pick(1, 2));
        const std::wstring first = monthFirst ? m : d;
        const std::wstring second = monthFirst ? d : m;
        // Mostly the locale's order, then year first, the other order, and year-day-month.
        const int order = pick(0, 19);
        const std::array parts = order < 13   ? std::array{first, second, y}
                                 : order < 16 ? std::array{y, m, d}
                                 : order < 18 ? std::array{second, first, y}
                                              : std::array{y, d, m};
        const wchar_t sep1 = separators[pick(0, 3)];
        const wchar_t sep2 = pick(0, 9) == 0 ? separators[pick(0, 3)] : sep1;
        std::wstring text = parts[0] + sep1 + parts[1] + sep2 + parts[2];
        switch (pick(0, 24)) {
        case 0: text = parts[0] + sep1 + parts[1]; break;            // two numbers
        case 1: text += sep1 + std::to_wstring(pick(1, 12)); break;  // four numbers
        case 2: text.insert(parts[0].size(), L" "); break;           // blank inside
        case 3: text[parts[0].size()] = L','; break;                 // comma separator
        case 4: text[parts[0].size()] = L' '; break;                 // blank separator
        case 5: text += L" 10:30"; break;                            // a time
        case 6: text.insert(parts[0].size(), 1, sep1); break;        // doubled separator
        case 7: text += L"x"; break;                                 // a letter
        case 8: text = sep1 + text; break;                           // leading separator
        }
        texts.push_back(blanks[pick(0, 5)] + text + blanks[pick(0, 5)]);
    }
    return texts;
}

}  // namespace

TEST(DateOleaut, ParseAgreesWithVarDateFromStr)
{
    std::mt19937 random(20240611);
    for (const LCID lcid : kLocales) {
        const rt::Locale locale = LocaleFromSystem(lcid);
        rt::ScopedLocale scoped(locale);
        test::Tally tally("VarDateFromStr " + std::to_string(lcid));
        const auto ymd = [](const rt::Date& date) { return Narrow(date.Format(L"yyyy/mm/dd")); };
        // A day and a month as users type them, this year's date on both sides.
        const std::wstring dayMonth = locale.dateOrder == rt::DateOrder::DayMonthYear ? L"15/12" : L"12/15";
        const auto theirs = PlatformParse(dayMonth, lcid);
        const auto ours = rt::Date::Parse(dayMonth);
        EXPECT_TRUE(theirs && ours && *ours == *rt::Date::FromSerial(static_cast<int64_t>(*theirs))) << Narrow(dayMonth);
        std::vector<std::wstring> texts = {L"15/12", L"12/15", L"15.12", L"15-12", L"1/2", L"12/2020", L"005/12"};
        for (const std::wstring& text :
             GenerateTexts(locale.dateSeparator, locale.dateOrder == rt::DateOrder::MonthDayYear, random))
            texts.push_back(text);
        for (const std::wstring& text : texts) {
            const auto ours = rt::Date::Parse(text);
            const auto serial = PlatformParse(text, lcid);
            const auto shape = OurShape(text, locale.dateSeparator);
            const bool hasDot = text.find(L'.') != std::wstring::npos;
            const auto platform = serial ? rt::Date::FromSerial(static_cast<int64_t>(std::trunc(*serial)))
                                         : rt::Result<rt::Date>(rt::ValueError::TypeMismatch);
            const std::string where = "[" + Narrow(text) + "] ";
            if (shape && serial && *serial != std::trunc(*serial) && std::trunc(*serial) == 0 && hasDot)
                tally.Note("platform reads a time of day");
            else if (!shape && ours.ok())
                tally.Fail(where + "read a shape we do not read");
            else if (!shape)
                tally.Note(platform.ok() ? "platform only: other shape" : "both refuse");
            else if (ours.ok() && platform.ok() && *ours == *platform)
                tally.Same();
            else if (ours.ok() && platform.ok() && ours->Year() >= 1930 && ours->Year() <= 1949 &&
                     *platform == *rt::Date::FromYmd(ours->Year() + 100, ours->Month(), ours->Day()))
                tally.Note("two-digit year 30-49");
            else if (ours.ok() && platform.ok() && shape->digits[0] >= 3 && shape->digits[2] < 3 &&
                     shape->numbers[0] < 100 && IsReordering(shape->numbers, *platform))
                tally.Note("zero-padded first number as the year");
            else if (ours.ok() && platform.ok())
                tally.Fail(where + "dates differ: ours " + ymd(*ours) + ", platform " + ymd(*platform));
            else if (ours.ok() && hasDot && locale.dateSeparator != L'.')
                tally.Note("ours only: \".\" separator");
            else if (ours.ok())
                tally.Fail(where + "platform refuses, ours " + ymd(*ours));
            else if (platform.ok() && InLocaleOrder(*shape, locale.dateOrder))
                tally.Fail(where + "we refuse a date written in the locale's order");
            else if (platform.ok() && shape->count == 2 && TwoNumberReading(*shape, *platform))
                tally.Note(TwoNumberReading(*shape, *platform));
            else if (platform.ok() && shape->count == 3 && IsReordering(shape->numbers, *platform))
                tally.Note("platform only: reordered");
            else if (platform.ok())
                tally.Fail(where + "we refuse the platform's " + ymd(*platform));
            else
                tally.Note("both refuse");
        }
        EXPECT_GT(tally.Count("same"), 1000) << "too few agreeing dates for the comparison to mean much";
        EXPECT_GT(tally.Count("both refuse"), 200);
    }
}

// The short patterns and "dddd" against VarFormat, the long date against GetDateFormatW, in the three
// locales filled from the system and in the two preset locales.
TEST(DateOleaut, FormatAgreesWithVarFormat)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int64_t> anyDay(-657434, 2958465);
    std::vector<rt::Date> dates = {*rt::Date::FromYmd(100, 1, 1), *rt::Date::FromYmd(9999, 12, 31),
                                   *rt::Date::FromYmd(1600, 12, 31), *rt::Date::FromYmd(1601, 1, 1),
                                   *rt::Date::FromYmd(2024, 2, 29)};
    for (int month = 1; month <= 12; ++month)  // every day and month name
        dates.push_back(*rt::Date::FromYmd(2021, month, month <= 7 ? month : 1));
    for (int i = 0; i < 1500; ++i)
        dates.push_back(*rt::Date::FromSerial(anyDay(random)));
    std::vector<std::pair<rt::Locale, LCID>> locales = {{rt::Locale::EnglishUS(), kEnglishUS},
                                                        {rt::Locale::PortugueseBR(), kPortugueseBR}};
    for (const LCID lcid : kLocales)
        locales.emplace_back(LocaleFromSystem(lcid), lcid);
    for (const auto& [locale, lcid] : locales) {
        rt::ScopedLocale scoped(locale);
        const bool quotedLongDate = locale.longDatePattern.find(L'\'') != std::wstring::npos;
        test::Tally tally("VarFormat " + std::to_string(lcid));
        for (const rt::Date& date : dates) {
            for (const std::wstring pattern :
                 {L"dd/mm/yyyy", L"mm/dd/yyyy", L"yyyy/mm/dd", L"dd/mm/yy", L"mm/dd/yy", L"dddd", L"dddddd"}) {
                const std::wstring ours = date.Format(pattern);
                auto expected =
                    pattern == L"dddddd" ? PlatformLongDate(date, lcid) : PlatformFormat(date, pattern, lcid);
                if (!expected && pattern == L"dddddd" && !quotedLongDate)
                    expected = PlatformFormat(date, pattern, lcid);
                if (expected ? ours != *expected : pattern != L"dddddd")
                    tally.Fail(Narrow(pattern) + ": ours [" + Narrow(ours) + "], platform [" +
                               Narrow(expected.value_or(L"(failed)")) + "]");
                else
                    tally.Same();
            }
        }
    }
}
