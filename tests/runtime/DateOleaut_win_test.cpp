// Our date reading and writing against the platform's own (oleaut32 and the NLS date writer), on generated
// texts in a month-first, a day-first and a "."-separated locale. Our locale is filled from the system's
// data for each LCID, so the comparison is about the rules, not the names.
//
// Where the two differ on purpose (each counted and reported; anything else fails the test):
// - Shape: we read exactly three numbers between single separators, with blanks and tabs only around
//   them. The platform also reads blanks and commas as separators, two numbers as a date in the current
//   year, times, and month names. We refuse all of these: the date fields hold a fixed mask, and a date
//   that depends on today's year would make the same text mean different dates.
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

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
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
    BSTR in = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    DATE date = 0;
    const HRESULT hr = VarDateFromStr(in, lcid, 0, &date);
    SysFreeString(in);
    if (FAILED(hr))
        return std::nullopt;
    return date;
}

std::wstring PlatformFormat(const rt::Date& date, const std::wstring& pattern, LCID lcid)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DATE;
    value.date = date.Serial();
    BSTR format = SysAllocString(pattern.c_str());
    BYTE tokens[1024];
    int used = 0;
    std::wstring result = L"(tokenize failed)";
    if (SUCCEEDED(VarTokenizeFormatString(format, tokens, sizeof tokens, 1, 1, lcid, &used))) {
        BSTR out = nullptr;
        if (SUCCEEDED(VarFormatFromTokens(&value, format, tokens, 0, &out, lcid)) && out)
            result.assign(out, SysStringLen(out));
        else
            result = L"(format failed)";
        SysFreeString(out);
    }
    SysFreeString(format);
    return result;
}

std::optional<std::wstring> PlatformLongDate(const rt::Date& date, LCID lcid)
{
    if (date.Year() < 1601)
        return std::nullopt;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(date.Year());
    time.wMonth = static_cast<WORD>(date.Month());
    time.wDay = static_cast<WORD>(date.Day());
    wchar_t buffer[256];
    const int length = GetDateFormatW(lcid, DATE_LONGDATE, &time, nullptr, buffer, 256);
    return length > 0 ? std::optional(std::wstring(buffer, length - 1)) : std::nullopt;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c == L'\t' ? "\\t" : c < 0x80 ? std::string(1, static_cast<char>(c)) : "?";
    return out;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

struct Shape {
    std::array<int64_t, 3> numbers = {};
    std::array<size_t, 3> digits = {};
};

// Three runs of digits between single separators, blanks only around: the only shape we read.
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

// Generated short-date texts: mostly well formed in every order, with the damage the platform and we
// must agree to refuse (impossible days, months, years) and the shapes only the platform reads.
std::vector<std::wstring> GenerateTexts(wchar_t localeSeparator, bool monthFirst, std::mt19937& random, int count)
{
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::wstring separators = std::wstring(L"/-.") + localeSeparator;
    const std::vector<std::wstring> blanks = {L"", L"", L"", L" ", L"  ", L"\t"};
    std::vector<std::wstring> texts;
    texts.reserve(count);
    for (int i = 0; i < count; ++i) {
        int year;
        switch (pick(0, 5)) {
        case 0: year = pick(0, 99); break;
        case 1: year = pick(100, 999); break;
        case 2: year = pick(9990, 10001); break;
        default: year = pick(1900, 2100); break;
        }
        const int month = pick(0, 9) == 0 ? pick(0, 13) : pick(1, 12);
        const int day = pick(0, 9) == 0 ? pick(0, 32) : pick(pick(0, 1) ? 28 : 1, 31);

        const auto number = [&](int value, int minWidth) {
            std::wstring s = std::to_wstring(value);
            while (static_cast<int>(s.size()) < minWidth)
                s.insert(0, 1, L'0');
            return s;
        };
        std::wstring yearText = number(year, pick(0, 3) == 0 ? pick(1, 4) : (year < 100 ? 2 : 4));
        std::wstring monthText = number(month, pick(1, 2) + (pick(0, 30) == 0));
        std::wstring dayText = number(day, pick(1, 2));

        std::array<std::wstring, 3> parts;
        const int order = pick(0, 19);
        if (order < 13)
            parts = monthFirst ? std::array{monthText, dayText, yearText} : std::array{dayText, monthText, yearText};
        else if (order < 16)
            parts = {yearText, monthText, dayText};
        else if (order < 18)
            parts = monthFirst ? std::array{dayText, monthText, yearText} : std::array{monthText, dayText, yearText};
        else
            parts = {yearText, dayText, monthText};

        const wchar_t sep1 = separators[pick(0, 3)];
        const wchar_t sep2 = pick(0, 9) == 0 ? separators[pick(0, 3)] : sep1;
        std::wstring text = parts[0] + sep1 + parts[1] + sep2 + parts[2];
        switch (pick(0, 24)) {
        case 0: text = parts[0] + sep1 + parts[1]; break;                    // two numbers
        case 1: text += sep1 + std::to_wstring(pick(1, 12)); break;          // four numbers
        case 2: text.insert(parts[0].size(), L" "); break;                   // blank inside
        case 3: text[parts[0].size()] = L','; break;                         // comma separator
        case 4: text[parts[0].size()] = L' '; break;                         // blank separator
        case 5: text += L" 10:30"; break;                                    // a time
        case 6: text.insert(parts[0].size(), 1, sep1); break;                // doubled separator
        case 7: text += L"x"; break;                                         // a letter
        case 8: text = sep1 + text; break;                                   // leading separator
        default: break;
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
        std::map<std::string, int> tally;
        std::vector<std::string> faults;
        const auto fault = [&](const std::wstring& text, const std::string& what) {
            if (faults.size() < 20)
                faults.push_back("[" + Narrow(text) + "] " + what);
            ++tally["FAULT"];
        };

        for (const std::wstring& text :
             GenerateTexts(locale.dateSeparator, locale.dateOrder == rt::DateOrder::MonthDayYear, random, 4000)) {
            const auto ours = rt::Date::Parse(text);
            const auto serial = PlatformParse(text, lcid);
            const auto shape = OurShape(text, locale.dateSeparator);
            const bool hasDot = text.find(L'.') != std::wstring::npos;
            if (shape && serial && *serial != std::trunc(*serial) && std::trunc(*serial) == 0 && hasDot) {
                ++tally["platform reads a time of day"];
                continue;
            }
            const auto platform = serial ? rt::Date::FromSerial(static_cast<int64_t>(std::trunc(*serial)))
                                         : rt::Result<rt::Date>(rt::ValueError::TypeMismatch);

            if (!shape) {
                if (ours.ok())
                    fault(text, "read a shape we do not read");
                else
                    ++tally[platform.ok() ? "platform only: other shape" : "both refuse"];
            } else if (ours.ok() && platform.ok()) {
                if (*ours == *platform)
                    ++tally["same date"];
                else if (ours->Year() >= 1930 && ours->Year() <= 1949 && platform->Year() == ours->Year() + 100 &&
                         platform->Month() == ours->Month() && platform->Day() == ours->Day())
                    ++tally["two-digit year 30-49"];
                else if (shape->digits[0] >= 3 && shape->digits[2] < 3 && shape->numbers[0] < 100 &&
                         IsReordering(shape->numbers, *platform))
                    ++tally["zero-padded first number as the year"];
                else
                    fault(text, "dates differ: ours " + Narrow(ours->Format(L"yyyy/mm/dd")) + ", platform " +
                                    Narrow(platform->Format(L"yyyy/mm/dd")));
            } else if (ours.ok()) {
                if (hasDot && locale.dateSeparator != L'.')
                    ++tally["ours only: \".\" separator"];
                else
                    fault(text, "platform refuses, ours " + Narrow(ours->Format(L"yyyy/mm/dd")));
            } else if (platform.ok()) {
                if (InLocaleOrder(*shape, locale.dateOrder))
                    fault(text, "we refuse a date written in the locale's order");
                else if (IsReordering(shape->numbers, *platform))
                    ++tally["platform only: reordered"];
                else
                    fault(text, "we refuse the platform's " + Narrow(platform->Format(L"yyyy/mm/dd")));
            } else {
                ++tally["both refuse"];
            }
        }

        std::string summary;
        for (const auto& [what, count] : tally)
            summary += "  " + what + ": " + std::to_string(count) + "\n";
        std::printf("LCID %04lx\n%s", lcid, summary.c_str());
        EXPECT_TRUE(faults.empty()) << "LCID " << lcid << "\n" << testing::PrintToString(faults);
        EXPECT_GT(tally["same date"], 1000) << "too few agreeing dates for the comparison to mean much";
        EXPECT_GT(tally["both refuse"], 200);
    }
}

TEST(DateOleaut, FormatAgreesWithVarFormat)
{
    const std::vector<std::wstring> patterns = {L"dd/mm/yyyy", L"mm/dd/yyyy", L"yyyy/mm/dd", L"dd/mm/yy",
                                                L"mm/dd/yy",   L"dddd",       L"dddddd"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int64_t> anyDay(-657434, 2958465);
    std::vector<rt::Date> dates = {*rt::Date::FromYmd(100, 1, 1), *rt::Date::FromYmd(9999, 12, 31),
                                   *rt::Date::FromYmd(1600, 12, 31), *rt::Date::FromYmd(1601, 1, 1),
                                   *rt::Date::FromYmd(2024, 2, 29)};
    for (int i = 0; i < 1500; ++i)
        dates.push_back(*rt::Date::FromSerial(anyDay(random)));

    for (const LCID lcid : kLocales) {
        rt::ScopedLocale scoped(LocaleFromSystem(lcid));
        const bool quotedLongDate = rt::CurrentLocale().longDatePattern.find(L'\'') != std::wstring::npos;
        int failures = 0;
        for (const rt::Date& date : dates) {
            for (const std::wstring& pattern : patterns) {
                const std::wstring ours = date.Format(pattern);
                std::optional<std::wstring> expected = PlatformFormat(date, pattern, lcid);
                if (pattern == L"dddddd") {
                    expected = PlatformLongDate(date, lcid);
                    if (!expected && !quotedLongDate)
                        expected = PlatformFormat(date, pattern, lcid);
                }
                if (expected && ours != *expected && ++failures <= 10)
                    ADD_FAILURE() << "LCID " << lcid << " " << Narrow(pattern) << ": ours [" << Narrow(ours)
                                  << "], platform [" << Narrow(*expected) << "]";
            }
        }
        EXPECT_EQ(failures, 0);
    }
}

TEST(DateOleaut, PresetLocalesWriteTheSystemsNames)
{
    const std::vector<std::pair<rt::Locale, LCID>> presets = {{rt::Locale::EnglishUS(), kEnglishUS},
                                                              {rt::Locale::PortugueseBR(), kPortugueseBR}};
    for (const auto& [preset, lcid] : presets) {
        SCOPED_TRACE(lcid);
        rt::ScopedLocale scoped(preset);
        for (int day = 1; day <= 7; ++day) {
            for (int month = 1; month <= 12; ++month) {
                const rt::Date date = *rt::Date::FromYmd(2021, month, day);
                EXPECT_EQ(date.Format(L"dddddd"), PlatformLongDate(date, lcid).value_or(L"?"));
                EXPECT_EQ(date.Format(L"dddd"), PlatformFormat(date, L"dddd", lcid));
            }
        }
    }
}
