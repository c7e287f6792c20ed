// The main window's menus drawn by its menu control: every command reached with the keyboard and the mouse,
// the icons on their items, the conditions that keep the menus the system's own, and the exit while a tool
// is open.
#include "controls/MSubclass_win.h"
#include "core/ProgramState.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "support/FormDriver_win.h"
#include "support/MenuScript_win.h"
#include "tools/frmData_win.h"
#include "tools/frmJuro_win.h"
#include "tools/frmPeso_win.h"
#include "tools/frmRegra_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

frmCalcula& Main() { return rt::TheForm<frmCalcula>(); }

// A click on the item with identifier `id` of `menu` (a popup's, once it is open).
void ClickItem(HMENU menu, UINT id, HWND host = nullptr)
{
    const int position = test::PositionOf(menu, id);
    ASSERT_GE(position, 0) << "no item " << id;
    test::ClickScreen(test::CentreOf(host, menu, position));
}

// The calculator as the program starts it, with the options as `menuXp` and the start-up word give them.
class MainMenusTest : public ::testing::Test {
protected:
    void Start(const wchar_t* menuXp = L"True", const wchar_t* word = L"")
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
        rt::SaveSetting(L"Plumva", L"Conf", L"MenuXP", menuXp);
        core::Program() = core::ProgramState();
        core::Program().LinhaComando = word;
        rt::TheForm<frmSysTray>().Load();
        ASSERT_TRUE(Main().IsLoaded());
        Main().mnuBackup.SetChecked(false);
        SetForegroundWindow(Main().hWnd());
        test::Settle();
    }
    void TearDown() override
    {
        if (rt::TheForm<frmSysTray>().IsLoaded()) rt::TheForm<frmSysTray>().Unload();
        test::Settle();
    }
    // Every item of the bar and its popups is owner-drawn without a text (true), or none is and each has its
    // text (false); anything else is a mix.
    static std::optional<bool> OwnerDrawn()
    {
        std::set<int> kinds;  // 1 drawn, 0 plain, 2 neither
        std::function<void(HMENU)> walk = [&](HMENU menu) {
            for (int p = 0; p < GetMenuItemCount(menu); ++p) {
                MENUITEMINFOW info{};
                info.cbSize = sizeof info;
                info.fMask = MIIM_FTYPE | MIIM_STRING;
                GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info);
                if (info.fType & MFT_OWNERDRAW)
                    kinds.insert(info.cch == 0 ? 1 : 2);
                else
                    kinds.insert((info.fType & MFT_SEPARATOR) || info.cch > 0 ? 0 : 2);
                if (HMENU popup = GetSubMenu(menu, p)) walk(popup);
            }
        };
        walk(GetMenu(Main().hWnd()));
        if (kinds.size() != 1 || kinds.count(2)) return std::nullopt;
        return kinds.count(1) > 0;
    }
};

TEST_F(MainMenusTest, EveryCommandRunsFromTheKeyboardAndTheMouse)
{
    Start();
    frmCalcula& calc = Main();
    ASSERT_EQ(OwnerDrawn(), true);
    test::IdleScript idle;
    controls::SubclassAttach(idle, calc.hWnd(), WM_ENTERIDLE);
    // Any tool that opens is closed again, and counted.
    static int toolsOpened;
    toolsOpened = 0;
    const UINT_PTR closer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        const auto close = [](rt::Form& tool) {
            if (tool.IsLoaded() && tool.Visible()) {
                ++toolsOpened;
                tool.Unload();
            }
        };
        close(rt::TheForm<frmJuro>());
        close(rt::TheForm<frmData>());
        close(rt::TheForm<frmRegra>());
        close(rt::TheForm<frmPeso>());
    });
    // What a command may change.
    const auto state = [&] {
        return calc.txtFita.Text() + L"|" + std::to_wstring(toolsOpened) + L"|" + std::to_wstring(calc.Width()) +
               std::to_wstring(calc.mnuBackup.Checked()) + std::to_wstring(calc.mnuNumLock.Checked()) +
               std::to_wstring(calc.mnuVisivel.Checked()) + std::to_wstring(calc.mnuMenuXP.Checked());
    };
    struct Command {
        rt::Menu* bar;
        WORD barKey;
        rt::Menu* item;
        std::vector<WORD> keys;  // in the open popup, one at a time
    };
    const Command commands[] = {
        {&calc.mnuArquivo, 'F', &calc.mnuLimpar, {'C'}},    {&calc.mnuArquivo, 'F', &calc.mnuBackup, {'B'}},
        {&calc.mnuFerramentas, 'T', &calc.mnuJuro, {'I'}},  {&calc.mnuFerramentas, 'T', &calc.mnuData, {'D'}},
        {&calc.mnuFerramentas, 'T', &calc.mnuRegra, {'R'}}, {&calc.mnuFerramentas, 'T', &calc.mnuPeso, {'W'}},
        {&calc.mnuOpcoes, 'O', &calc.mnuGrande, {'L'}},
        {&calc.mnuOpcoes, 'O', &calc.mnuNumLock, {VK_DOWN, VK_DOWN, VK_RETURN}},  // it has no access key
        {&calc.mnuOpcoes, 'O', &calc.mnuVisivel, {'T'}},    {&calc.mnuOpcoes, 'O', &calc.mnuMenuXP, {'M'}},
    };
    for (const Command& c : commands) {
        for (bool mouse : {false, true}) {
            SCOPED_TRACE(std::string(c.item->Name().begin(), c.item->Name().end()) + (mouse ? " mouse" : " keys"));
            test::TypeText(L"5+");
            test::Settle();
            const std::wstring before = state();
            if (mouse) {
                const HMENU popup = c.bar->Popup();
                const UINT id = c.item->CommandId();
                idle.steps.push_back([popup, id] { ClickItem(popup, id); });
                ClickItem(GetMenu(calc.hWnd()), static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup)), calc.hWnd());
            } else {
                idle.steps.push_back([keys = c.keys] {
                    for (WORD key : keys) test::SendKeys({key});
                });
                test::SendKeys({VK_MENU, c.barKey});
            }
            EXPECT_TRUE(test::PumpUntil([&] { return idle.steps.empty() && !test::InMenu() && state() != before; }))
                << "nothing changed";
            idle.steps.clear();
            if (test::InMenu()) EndMenu();
            test::Settle();
        }
    }
    // The rule of three's shortcut.
    const int opened = toolsOpened;
    test::SendKeys({VK_CONTROL, 'T'});
    EXPECT_TRUE(test::PumpUntil([&] { return toolsOpened == opened + 1; }));
    KillTimer(nullptr, closer);

    // Exit, last.
    idle.steps.push_back([] { test::SendKeys({'X'}); });
    test::SendKeys({VK_MENU, 'F'});
    EXPECT_TRUE(test::PumpUntil([] { return !rt::TheForm<frmSysTray>().IsLoaded(); }));
}

TEST_F(MainMenusTest, IconsOnEveryPopupCommandAndRadioMarksOnTheNumberFormats)
{
    Start();
    const controls::PopMenu& pop = Main().PopMenu1;
    std::set<int> icons;
    int withIcon = 0;
    for (const controls::MenuItemRecord& r : pop.Items().Records()) {
        SCOPED_TRACE(std::string(r.sKey.begin(), r.sKey.end()));
        const bool numberFormat = r.sKey.starts_with(L"mnuNumeral(");
        EXPECT_EQ(r.bRadio, numberFormat);
        if (r.hParentMenu == 0 || r.sCaption == L"-" || numberFormat) {
            EXPECT_EQ(r.lIconIndex, -1);
            continue;
        }
        EXPECT_GE(r.lIconIndex, 0);
        EXPECT_TRUE(icons.insert(r.lIconIndex).second) << "an icon used twice";
        ++withIcon;
    }
    EXPECT_EQ(withIcon, 30);
    EXPECT_LT(*icons.rbegin(), Main().Image1.ImageCount());
    EXPECT_EQ(pop.ImageList(), static_cast<HIMAGELIST>(Main().Image1));
    // Its design data: the flat look in black on white, Tahoma 8.25.
    EXPECT_TRUE(pop.OfficeXpStyle());
    EXPECT_EQ(pop.InActiveMenuForeColor(), 0u);
    EXPECT_EQ(pop.MenuBackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(pop.Font(), (rt::StdFont{.name = L"Tahoma", .size = 8.25}));
}

TEST_F(MainMenusTest, MenusStayTheSystemsOwnWithTheOptionOffStartedMiniOrInAnExtraCopy)
{
    for (const auto& [menuXp, word] : {std::pair{L"False", L""}, {L"True", L"mini"}, {L"True", L"outra"}}) {
        SCOPED_TRACE(std::wstring(menuXp) + L" " + word);
        Start(menuXp, word);
        EXPECT_EQ(OwnerDrawn(), false);
        EXPECT_FALSE(Main().PopMenu1.Hooked());
        EXPECT_EQ(Main().PopMenu1.Items().Count(), 0);
        rt::TheForm<frmSysTray>().Unload();
        test::Settle();
    }
}

// The program's exit while the interest tool, opened by its start-up word, shows a result: the tool still
// writes its block and hands its result to the entry, through the hooked main window.
TEST_F(MainMenusTest, ExitingWithTheInterestToolOpenHandsOverItsResult)
{
    static std::wstring tape, entry, display;
    tape = entry = display = L"";
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        frmJuro& tool = rt::TheForm<frmJuro>();
        if (!tool.IsLoaded() || !tool.txtValVista.HasFocus()) return;
        KillTimer(nullptr, id);
        tool.txtValVista.SetText(L"1000");
        tool.txtValPrest.SetText(L"100");
        tool.txtParcelas.SetText(L"12");
        test::ClickAt(tool.cmdCalcular.hWnd(), 5, 5);
        test::Settle();
        rt::TheForm<frmSysTray>().Unload();
        tape = Main().txtFita.Text();
        entry = Main().txtEntrada.Text();
        display = Main().lblVisor.Caption();
    });
    Start(L"True", L"juro");
    EXPECT_TRUE(test::PumpUntil([] { return !rt::TheForm<frmSysTray>().IsLoaded(); }));
    KillTimer(nullptr, timer);
    EXPECT_NE(tape.find(L"1,200.00"), std::wstring::npos) << tape;
    EXPECT_NE(entry, L"0");
    EXPECT_EQ(display, entry) << "the entry's change reached the main window";
}

}  // namespace
