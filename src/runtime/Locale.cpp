#include "runtime/Locale.h"

namespace rt {

namespace {

Locale& Current()
{
    static Locale locale = Locale::EnglishUS();
    return locale;
}

}  // namespace

Locale Locale::EnglishUS()
{
    Locale l;
    l.decimalSeparator = L'.';
    l.thousandsSeparator = L',';
    l.dateOrder = DateOrder::MonthDayYear;
    l.dateSeparator = L'/';
    l.currencySymbol = L"$";
    l.dayNames = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};
    l.monthNames = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                    L"July",    L"August",   L"September", L"October", L"November", L"December"};
    l.longDatePattern = L"dddd, MMMM d, yyyy";
    return l;
}

Locale Locale::PortugueseBR()
{
    Locale l;
    l.decimalSeparator = L',';
    l.thousandsSeparator = L'.';
    l.dateOrder = DateOrder::DayMonthYear;
    l.dateSeparator = L'/';
    l.currencySymbol = L"R$";
    l.dayNames = {L"domingo", L"segunda-feira", L"ter\u00e7a-feira", L"quarta-feira",
                  L"quinta-feira", L"sexta-feira", L"s\u00e1bado"};
    l.monthNames = {L"janeiro", L"fevereiro", L"mar\u00e7o",  L"abril",   L"maio",     L"junho",
                    L"julho",   L"agosto",    L"setembro", L"outubro", L"novembro", L"dezembro"};
    l.longDatePattern = L"dddd, d' de 'MMMM' de 'yyyy";
    return l;
}

const Locale& CurrentLocale() { return Current(); }

void SetCurrentLocale(const Locale& locale) { Current() = locale; }

}  // namespace rt
