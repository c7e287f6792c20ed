#pragma once
// The program-wide state that every window reads: one object for the whole program.
#include "runtime/Locale.h"

#include <string>

namespace core {

struct ProgramState {
    int Fechando = 0;                        // -1 while the program shuts down, else 0
    wchar_t SeparadorDecimal = L'.';         // "," or ".", from the locale
    std::wstring FormatoData = L"mm/dd/yyyy";  // "dd/mm/yyyy" or "mm/dd/yyyy", from the short-date order
    std::wstring QuebraDupla = L"\r\n\r\n";  // between the parts of message texts and backup records
    int Plataforma = 2;                      // the NT family on every system we run on
    std::wstring LinhaComando;               // the command-line word until the main window acts on it
    int DigitoIdioma = 2;                    // message-language digit: English
    bool NumLockLigado = false;              // Num Lock was switched on by a synthesized key
};

ProgramState& Program();

// SeparadorDecimal and FormatoData as the locale gives them: the locale's decimal separator when it is
// "," or ".", else "."; month first or day first after the short-date order.
void FillFromLocale(ProgramState& state, const rt::Locale& locale);

}  // namespace core
