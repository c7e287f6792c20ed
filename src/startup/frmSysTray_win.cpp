#include "startup/frmSysTray_win.h"

#include "core/ProgramState.h"
#include "shell/frmCalcula_win.h"
#include "tools/frmData_win.h"
#include "tools/frmJuro_win.h"
#include "tools/frmPeso_win.h"
#include "tools/frmRegra_win.h"

void frmSysTray::Form_Load()
{
    SetTag(core::Program().LinhaComando == L"outra" ? L"2" : L"1");
    // Log-off and shut-down run the exit as closing the calculator does; once it has run, they find nothing
    // loaded and do nothing.
    rt::SetSessionEndHandler([] { rt::TheForm<frmSysTray>().Unload(rt::kUnloadAppWindows); });
    rt::TheForm<frmCalcula>().Show();
}

namespace {

template <class F>
void UnloadIfLoaded()
{
    F& form = rt::TheForm<F>();
    if (form.IsLoaded()) form.Unload();
}

}  // namespace

void frmSysTray::Form_Unload(int& Cancel)
{
    core::Program().Fechando = -1;
    UnloadIfLoaded<frmRegra>();
    UnloadIfLoaded<frmData>();
    UnloadIfLoaded<frmJuro>();
    UnloadIfLoaded<frmPeso>();
    UnloadIfLoaded<frmCalcula>();
}
