#include "core/ProgramState.h"

namespace core {

ProgramState& Program()
{
    static ProgramState state;
    return state;
}

void FillFromLocale(ProgramState& state, const rt::Locale& locale)
{
    const wchar_t sep = locale.decimalSeparator;
    state.SeparadorDecimal = (sep == L',' || sep == L'.') ? sep : L'.';
    state.FormatoData = locale.dateOrder == rt::DateOrder::MonthDayYear ? L"mm/dd/yyyy" : L"dd/mm/yyyy";
}

}  // namespace core
