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
    rt::TheForm<frmCalcula>().Show();
}

void frmSysTray::Form_Unload(int& Cancel)
{
    core::Program().Fechando = -1;
    // TOOLS IN EXIT ORDER: frmRegra, frmData, frmJuro, frmPeso (each tool adds its Unload here).
    if (rt::TheForm<frmRegra>().IsLoaded()) rt::TheForm<frmRegra>().Unload();
    if (rt::TheForm<frmData>().IsLoaded()) rt::TheForm<frmData>().Unload();
    if (rt::TheForm<frmJuro>().IsLoaded()) rt::TheForm<frmJuro>().Unload();
    if (rt::TheForm<frmPeso>().IsLoaded()) rt::TheForm<frmPeso>().Unload();
    frmCalcula& calculator = rt::TheForm<frmCalcula>();
    if (calculator.IsLoaded()) calculator.Unload();
}
