#include "startup/Main_win.h"

#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/LocaleFromSystem_win.h"
#include "runtime/Strings.h"
#include "startup/frmSysTray_win.h"

#include <windows.h>

namespace {

// The first word of the command line, lower-cased.
std::wstring CommandWord(std::wstring_view commandLine)
{
    const size_t start = commandLine.find_first_not_of(L" \t\"");
    if (start == std::wstring_view::npos) return {};
    const size_t end = commandLine.find_first_of(L" \t\"", start);
    return rt::LowerCase(commandLine.substr(start, end == std::wstring_view::npos ? end : end - start));
}

}  // namespace

int Main(std::wstring_view commandLine)
{
    core::ProgramState& program = core::Program();
    program.QuebraDupla = L"\r\n\r\n";
    program.LinhaComando = CommandWord(commandLine);
    const rt::Locale locale = rt::SystemLocale();
    rt::SetCurrentLocale(locale);
    core::FillFromLocale(program, locale);
    program.Plataforma = 2;
    program.DigitoIdioma = 2;
    program.Fechando = 0;

    rt::TheForm<frmSysTray>().Load();
    return rt::RunMessageLoop();
}
