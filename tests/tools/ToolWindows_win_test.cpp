// What every tool window does around the main window: the always-on-top option, Num Lock on key release, the
// focus handed back on closing, and the interest tool's block written when the program exits.
#include "core/ProgramState.h"
#include "runtime/Locale.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "support/FormDriver_win.h"
#include "tools/frmData_win.h"
#include "tools/frmJuro_win.h"
#include "tools/frmPeso_win.h"
#include "tools/frmRegra_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using test::PumpUntil;
using test::Settle;

frmCalcula& Main() { return rt::TheForm<frmCalcula>(); }

struct Tool {
    const char* name;
    std::function<rt::Form&()> form;
    // The field that takes the focus when the tool opens.
    std::function<rt::Control&()> first;
};

template <class F>
rt::Form& FormOf()
{
    return rt::TheForm<F>();
}

const Tool kTools[] = {
    {"interest", FormOf<frmJuro>, [] () -> rt::Control& { return rt::TheForm<frmJuro>().txtValVista; }},
    {"dates", FormOf<frmData>, [] () -> rt::Control& { return rt::TheForm<frmData>().txtData[0]; }},
    {"rule of three", FormOf<frmRegra>, [] () -> rt::Control& { return rt::TheForm<frmRegra>().txtValor[0]; }},
    {"weight", FormOf<frmPeso>, [] () -> rt::Control& { return rt::TheForm<frmPeso>().txtAltura; }},
};

class ToolWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
        rt::SetCurrentLocale(rt::Locale::EnglishUS());
        core::Program() = core::ProgramState();
        core::FillFromLocale(core::Program(), rt::CurrentLocale());
    }
    void TearDown() override
    {
        for (const Tool& tool : kTools)
            if (tool.form().IsLoaded()) tool.form().Unload();
        if (rt::TheForm<frmSysTray>().IsLoaded()) rt::TheForm<frmSysTray>().Unload();
        if (Main().IsLoaded()) Main().Unload();
        Settle();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
    }
    static void Open(const Tool& tool)
    {
        tool.form().Show();
        ASSERT_TRUE(PumpUntil([&] { return tool.first().HasFocus(); }));
    }
};

TEST_F(ToolWindowsTest, AlwaysOnTopFollowsTheOption)
{
    for (bool onTop : {true, false}) {
        rt::SaveBoolSetting(L"Plumva", L"Conf", L"Visivel", onTop);
        Main().Show();
        for (const Tool& tool : kTools) {
            SCOPED_TRACE(std::string(tool.name) + (onTop ? ", on top" : ", not on top"));
            Open(tool);
            const auto style = GetWindowLongPtrW(tool.form().hWnd(), GWL_EXSTYLE);
            EXPECT_EQ((style & WS_EX_TOPMOST) != 0, onTop);
            tool.form().Unload();
            Settle();
        }
        Main().Unload();
        Settle();
    }
}

TEST_F(ToolWindowsTest, KeyReleaseSwitchesNumLockBackOn)
{
    Main().Show();
    Main().mnuNumLock.SetChecked(true);
    for (const Tool& tool : kTools) {
        if (&tool.form() == &FormOf<frmRegra>()) continue;  // the rule of three leaves Num Lock alone
        SCOPED_TRACE(tool.name);
        Open(tool);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_NUMLOCK] &= ~1;  // Num Lock off, as this thread sees it
        SetKeyboardState(keys);
        core::Program().NumLockLigado = false;
        test::PressKey(VK_SHIFT);
        EXPECT_TRUE(core::Program().NumLockLigado);
        tool.form().Unload();
        Settle();
    }
}

TEST_F(ToolWindowsTest, ClosingHandsTheFocusBackToTheMainWindow)
{
    rt::SaveBoolSetting(L"Plumva", L"Conf", L"Visivel", false);  // no window stays above the others
    Main().Show();
    // Another window of the program stands between the tool and the main window: without the hand-over it
    // would be the one activated.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    for (const Tool& tool : kTools) {
        if (&tool.form() == &FormOf<frmRegra>()) continue;  // it leaves the activation to the system
        SCOPED_TRACE(tool.name);
        SetForegroundWindow(other);
        Settle();
        Open(tool);
        test::PressKey(VK_ESCAPE);
        EXPECT_TRUE(PumpUntil([&] { return !tool.form().IsLoaded(); }));
        Settle();
        EXPECT_EQ(GetForegroundWindow(), Main().hWnd());
        EXPECT_EQ(GetFocus(), Main().hWnd());
    }
    DestroyWindow(other);
}

TEST_F(ToolWindowsTest, TheInterestToolWritesItsBlockWhenTheProgramExits)
{
    rt::TheForm<frmSysTray>().Load();
    ASSERT_TRUE(Main().IsLoaded());
    frmJuro& juro = rt::TheForm<frmJuro>();
    Open(kTools[0]);
    test::TypeInto(juro.txtValVista, L"1000");
    test::TypeInto(juro.txtValPrest, L"100");
    test::TypeInto(juro.txtParcelas, L"12");
    test::Click(juro.cmdCalcular);
    ASSERT_TRUE(PumpUntil([&] { return juro.cmdCalcular.Tag() == L"ok"; }));
    rt::TheForm<frmSysTray>().Unload();
    EXPECT_FALSE(Main().IsLoaded());
    // The schedule's last line and the rule that closes it are on the tape the main window kept.
    const std::wstring tape = Main().txtFita.Text();
    EXPECT_NE(tape.find(L"1,200.00 \r\n =========================\r\n"), std::wstring::npos) << tape.size();
}

}  // namespace
