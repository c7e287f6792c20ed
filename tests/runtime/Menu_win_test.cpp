#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using test::PumpUntil;

std::vector<std::wstring> clicks;

// File (Clear, Print(0..1) in a submenu, a separator, a hidden item, Exit), Tools (Rule Ctrl+T), a hidden Help.
class MenuForm : public rt::Form {
public:
    MenuForm()
    {
        Add(mnuArquivo, {L"mnuArquivo"});
        Add(mnuLimpar, {L"mnuLimpar", {}, &mnuArquivo});
        Add(mnuImprimirMenu, {L"mnuImprimirMenu", {}, &mnuArquivo});
        for (int i = 0; i < 2; ++i) {
            Add(mnuImprimir[i], {L"mnuImprimir", i, &mnuImprimirMenu});
            mnuImprimir[i].Click = [i] { clicks.push_back(L"mnuImprimir_Click" + std::to_wstring(i)); };
        }
        Add(mnuSep, {L"mnuSep", {}, &mnuArquivo});
        Add(mnuSecret, {L"mnuSecret", {}, &mnuArquivo});
        Add(mnuSair, {L"mnuSair", {}, &mnuArquivo});
        Add(mnuFerramentas, {L"mnuFerramentas"});
        Add(mnuRegra, {L"mnuRegra", {}, &mnuFerramentas});
        Add(mnuAjuda, {L"mnuAjuda"});
        mnuLimpar.Click = [] { clicks.push_back(L"mnuLimpar_Click"); };
        mnuRegra.Click = [] { clicks.push_back(L"mnuRegra_Click"); };
    }

    rt::Menu mnuArquivo, mnuLimpar, mnuImprimirMenu, mnuSep, mnuSecret, mnuSair, mnuFerramentas, mnuRegra, mnuAjuda;
    std::array<rt::Menu, 2> mnuImprimir;

protected:
    void Design() override
    {
        SetClientSize(3000, 2000);
        mnuArquivo.SetCaption(L"&File");
        mnuLimpar.SetCaption(L"&Clear");
        mnuImprimirMenu.SetCaption(L"&Print");
        mnuImprimir[0].SetCaption(L"To &printer");
        mnuImprimir[1].SetCaption(L"To &port");
        mnuSep.SetCaption(L"-");
        mnuSecret.SetCaption(L"Secret");
        mnuSecret.SetVisible(false);
        mnuSair.SetCaption(L"E&xit");
        mnuFerramentas.SetCaption(L"&Tools");
        mnuRegra.SetCaption(L"&Rule of Three");
        mnuRegra.SetShortcut(rt::Shortcut{'T', 2});
        mnuAjuda.SetCaption(L"&Help");
        mnuAjuda.SetVisible(false);
    }
};

std::wstring ItemText(HMENU menu, UINT position)
{
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 128;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return text;
}

// The menu as "text" lines, depth first, sub-items indented.
void Flatten(HMENU menu, const std::wstring& indent, std::vector<std::wstring>& lines)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU sub = GetSubMenu(menu, i);
        std::wstring text = ItemText(menu, static_cast<UINT>(i));
        lines.push_back(indent + (text.empty() ? L"-" : text));
        if (sub)
            Flatten(sub, indent + L"  ", lines);
    }
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clicks.clear();
        form.Show();
        ASSERT_TRUE(PumpUntil([this] { return GetActiveWindow() == form.hWnd(); }));
    }
    void TearDown() override { form.Unload(); }

    std::vector<std::wstring> Bar() const
    {
        std::vector<std::wstring> lines;
        Flatten(GetMenu(form.hWnd()), L"", lines);
        return lines;
    }

    MenuForm form;
};

TEST_F(MenuTest, BarFollowsTheControlsDepthFirstWithoutInvisibleItems)
{
    const std::vector<std::wstring> expected{L"&File",           L"  &Clear",     L"  &Print",
                                             L"    To &printer", L"    To &port", L"  -",
                                             L"  E&xit",         L"&Tools",       L"  &Rule of Three\tCtrl+T"};
    EXPECT_EQ(Bar(), expected);

    form.mnuSecret.SetVisible(true);
    form.mnuAjuda.SetVisible(true);
    form.mnuImprimir[0].SetVisible(false);
    const std::vector<std::wstring> changed{L"&File",        L"  &Clear", L"  &Print",
                                            L"    To &port", L"  -",      L"  Secret",
                                            L"  E&xit",      L"&Tools",   L"  &Rule of Three\tCtrl+T",
                                            L"&Help"};
    EXPECT_EQ(Bar(), changed);
}

TEST_F(MenuTest, PopupItemsCarryThePopupHandleAsTheirIdentifier)
{
    HMENU file = GetSubMenu(GetMenu(form.hWnd()), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file, form.mnuArquivo.Popup());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(GetMenu(form.hWnd()), 0, TRUE, &info));
    EXPECT_EQ(info.wID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(file)));
    ASSERT_TRUE(GetMenuItemInfoW(file, 0, TRUE, &info));
    EXPECT_EQ(info.wID, form.mnuLimpar.CommandId());
}

TEST_F(MenuTest, CheckedAndEnabledReachTheItems)
{
    HMENU file = form.mnuArquivo.Popup();
    form.mnuLimpar.SetChecked(true);
    form.mnuSair.SetEnabled(false);
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
    form.mnuLimpar.SetCaption(L"C&lear tape");
    EXPECT_EQ(ItemText(file, 0), L"C&lear tape");
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

TEST_F(MenuTest, CommandsAndShortcutsRunClick)
{
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(form.mnuLimpar.CommandId(), 0), 0);
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(form.mnuImprimir[1].CommandId(), 0), 0);
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    test::PressKey('T');
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    test::PressKey('T');  // without Ctrl it is only a key
    form.mnuRegra.SetEnabled(false);
    form.mnuLimpar.Click = [this] { form.Unload(); };  // a menu may close its own form
    SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(form.mnuLimpar.CommandId(), 0), 0);
    EXPECT_FALSE(form.IsLoaded());
    const std::vector<std::wstring> expected{L"mnuLimpar_Click", L"mnuImprimir_Click1", L"mnuRegra_Click"};
    EXPECT_EQ(clicks, expected);
    EXPECT_EQ(form.mnuImprimir[1].Index(), 1);
}

}  // namespace
