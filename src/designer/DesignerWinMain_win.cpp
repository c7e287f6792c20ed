// Entry point of IconListDesigner.exe: IconListDesigner.exe <property-set file>.
#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "designer/IconListDesigner_win.h"
#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "runtime/LocaleFromSystem_win.h"
#include "runtime/MsgBox_win.h"

#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const rt::Locale locale = rt::SystemLocale();
    rt::SetCurrentLocale(locale);
    core::FillFromLocale(core::Program(), locale);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        rt::MsgBox(Module1::CarregaMensagem(743), rt::kMsgOkOnly + rt::kMsgInformation);
        if (argv)
            LocalFree(argv);
        return 2;
    }
    const std::wstring path = argv[1];
    LocalFree(argv);
    auto& sheet = rt::TheForm<designer::IconListDesigner>();
    if (!sheet.Open(path))
        return 1;
    sheet.Show();
    return rt::RunMessageLoop();
}
