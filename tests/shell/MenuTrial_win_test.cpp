// The main window's drawn menus under the ways a user and a hostile tester drive them: what changes around
// an open menu, and what the window shows once it has closed.
#include "controls/MSubclass_win.h"
#include "core/ProgramState.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "support/FormDriver_win.h"
#include "support/MenuScript_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

frmCalcula& Main() { return rt::TheForm<frmCalcula>(); }

// The popup menu windows of this thread that are on the screen.
int VisiblePopups()
{
    int visible = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM count) {
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (std::wstring(name) == L"#32768" && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visible));
    return visible;
}

class MenuTrialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
        core::Program() = core::ProgramState();
        rt::TheForm<frmSysTray>().Load();
        ASSERT_TRUE(Main().IsLoaded());
        ASSERT_TRUE(Main().PopMenu1.Hooked());
        SetForegroundWindow(Main().hWnd());
        test::Settle();
        controls::SubclassAttach(idle_, Main().hWnd(), WM_ENTERIDLE);
    }
    void TearDown() override
    {
        if (test::InMenu()) EndMenu();
        if (rt::TheForm<frmSysTray>().IsLoaded()) rt::TheForm<frmSysTray>().Unload();
        test::Settle();
    }
    // Runs `steps` one per idle turn of the menu that Alt+`bar` opens (each ends in a key or closes the menu,
    // so that the menu goes idle again), then waits for the menu to close.
    void InMenu(WORD bar, std::initializer_list<std::function<void()>> steps)
    {
        idle_.steps.assign(steps.begin(), steps.end());
        test::SendKeys({VK_MENU, bar});
        EXPECT_TRUE(test::PumpUntil([&] { return idle_.steps.empty() && !test::InMenu(); }));
        EXPECT_TRUE(idle_.steps.empty()) << "the menu stalled";
        idle_.steps.clear();
        test::Settle();
    }
    test::IdleScript idle_;
};

// A system setting that changes while a menu is open: the items are rebuilt once it has closed, as taking
// them out and back in under the open menu left its popup on the screen for good.
TEST_F(MenuTrialTest, SettingChangeWhileAMenuIsOpenRebuildsTheItemsAfterItCloses)
{
    frmCalcula& calc = Main();
    int changes = 0;
    calc.PopMenu1.WinIniChange = [&] { ++changes; };
    const auto settingChange = [&] { SendMessageW(calc.hWnd(), WM_SETTINGCHANGE, 0, 0); };
    for (bool twice : {false, true}) {
        SCOPED_TRACE(twice ? "two changes" : "one change");
        changes = 0;
        InMenu('T', {[] { test::SendKeys({VK_DOWN}); },
                     [&] {
                         settingChange();
                         if (twice) settingChange();
                         test::SendKeys({VK_DOWN});
                     },
                     [&] {
                         EXPECT_EQ(changes, 0) << "rebuilt under the open menu";
                         EndMenu();
                     }});
        EXPECT_EQ(VisiblePopups(), 0) << "a popup stayed on the screen";
        EXPECT_EQ(changes, 1);
    }
    // With no menu open the change is taken at once; the rebuilt menus still run their commands.
    changes = 0;
    settingChange();
    EXPECT_EQ(changes, 1);
    InMenu('O', {[] { test::SendKeys({'L'}); }});
    EXPECT_TRUE(calc.mnuGrande.Checked());
    EXPECT_EQ(VisiblePopups(), 0);
}

}  // namespace
