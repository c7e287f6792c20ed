#include "runtime/LocaleFromSystem_win.h"

#include "runtime/LastError_win.h"

#include <windows.h>

#include <optional>
#include <string>

namespace rt {

namespace {

std::optional<std::wstring> Info(LCTYPE type)
{
    const int size = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (size <= 0) {
        RT_LOG_LAST_ERROR("GetLocaleInfoW");
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text.data(), size);
    if (written <= 0) {
        RT_LOG_LAST_ERROR("GetLocaleInfoW");
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(written - 1));  // the count includes the terminator
    return text;
}

// The first character of a separator setting; a blank one (some locales group with a space) is kept.
std::optional<wchar_t> FirstCharacter(LCTYPE type)
{
    const auto text = Info(type);
    if (!text || text->empty())
        return std::nullopt;
    return (*text)[0];
}

// The order of day, month and year in a short-date picture ("dd/MM/yyyy", "yyyy-MM-dd"); text in quotes
// is literal. nullopt when the picture does not name all three.
std::optional<DateOrder> OrderOfPicture(const std::wstring& picture)
{
    std::wstring fields;
    bool quoted = false;
    for (wchar_t c : picture) {
        if (c == L'\'')
            quoted = !quoted;
        else if (!quoted && (c == L'd' || c == L'M' || c == L'y') && fields.find(c) == std::wstring::npos)
            fields += c;
    }
    if (fields == L"dMy")
        return DateOrder::DayMonthYear;
    if (fields == L"Mdy")
        return DateOrder::MonthDayYear;
    if (fields == L"yMd")
        return DateOrder::YearMonthDay;
    return std::nullopt;
}

// The first character between two fields of the picture that is neither a field letter nor a blank.
std::optional<wchar_t> SeparatorOfPicture(const std::wstring& picture)
{
    bool quoted = false;
    bool afterField = false;
    for (wchar_t c : picture) {
        if (c == L'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == L'd' || c == L'M' || c == L'y'))
            afterField = true;
        else if (afterField && c != L' ')
            return c;
    }
    return std::nullopt;
}

}  // namespace

Locale SystemLocale()
{
    Locale locale = Locale::EnglishUS();
    if (const auto c = FirstCharacter(LOCALE_SDECIMAL))
        locale.decimalSeparator = *c;
    if (const auto c = FirstCharacter(LOCALE_STHOUSAND))
        locale.thousandsSeparator = *c;
    if (auto symbol = Info(LOCALE_SCURRENCY))
        locale.currencySymbol = std::move(*symbol);

    const std::wstring picture = Info(LOCALE_SSHORTDATE).value_or(L"");
    if (const auto order = OrderOfPicture(picture)) {
        locale.dateOrder = *order;
    } else if (const auto idate = Info(LOCALE_IDATE)) {
        // Older settings give the order only as a digit: 0 month first, 1 day first, 2 year first.
        if (*idate == L"1")
            locale.dateOrder = DateOrder::DayMonthYear;
        else if (*idate == L"2")
            locale.dateOrder = DateOrder::YearMonthDay;
        else
            locale.dateOrder = DateOrder::MonthDayYear;
    }
    // The picture is what dates show; LOCALE_SDATE is the older setting, kept for pictures without one.
    if (const auto fromPicture = SeparatorOfPicture(picture))
        locale.dateSeparator = *fromPicture;
    else if (const auto c = FirstCharacter(LOCALE_SDATE); c && *c != L' ')
        locale.dateSeparator = *c;

    // The system numbers the days from Monday (LOCALE_SDAYNAME1); the locale keeps Sunday first.
    for (int day = 0; day < 7; ++day) {
        const LCTYPE type = day == 0 ? LOCALE_SDAYNAME7 : static_cast<LCTYPE>(LOCALE_SDAYNAME1 + day - 1);
        if (auto name = Info(type); name && !name->empty())
            locale.dayNames[static_cast<std::size_t>(day)] = std::move(*name);
    }
    for (int month = 0; month < 12; ++month) {
        if (auto name = Info(static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + month)); name && !name->empty())
            locale.monthNames[static_cast<std::size_t>(month)] = std::move(*name);
    }
    if (auto pattern = Info(LOCALE_SLONGDATE); pattern && !pattern->empty())
        locale.longDatePattern = std::move(*pattern);
    return locale;
}

}  // namespace rt
