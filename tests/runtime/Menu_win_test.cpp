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
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
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
    using Lines = std::vector<std::wstring>;
    EXPECT_EQ(Bar(), (Lines{L"&File", L"  &Clear", L"  &Print", L"    To &printer", L"    To &port", L"  -", L"  E&xit",
                            L"&Tools", L"  &Rule of Three\tCtrl+T"}));
    form.mnuSecret.SetVisible(true);
    form.mnuAjuda.SetVisible(true);
    form.mnuImprimir[0].SetVisible(false);
    EXPECT_EQ(Bar(), (Lines{L"&File", L"  &Clear", L"  &Print", L"    To &port", L"  -", L"  Secret", L"  E&xit",
                            L"&Tools", L"  &Rule of Three\tCtrl+T", L"&Help"}));
}

TEST_F(MenuTest, ItemsCarryTheirIdentifierAndState)
{
    HMENU bar = GetMenu(form.hWnd());
    HMENU file = form.mnuArquivo.Popup();
    ASSERT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(GetMenuItemID(file, 0), form.mnuLimpar.CommandId());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoW(bar, 0, TRUE, &info));
    EXPECT_EQ(info.wID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(file)));  // a popup's item: its handle

    form.mnuLimpar.SetChecked(true);
    form.mnuSair.SetEnabled(false);
    form.mnuLimpar.SetCaption(L"C&lear tape");  // keeps the check mark
    EXPECT_EQ(ItemText(file, 0), L"C&lear tape");
    EXPECT_NE(GetMenuState(file, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_NE(GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
}

TEST_F(MenuTest, CommandsAndShortcutsRunClick)
{
    const auto command = [this](const rt::Menu& menu) {
        SendMessageW(form.hWnd(), WM_COMMAND, MAKEWPARAM(menu.CommandId(), 0), 0);
    };
    const auto pressT = [](BYTE control) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = control;
        SetKeyboardState(state);
        test::PressKey('T');
    };
    command(form.mnuLimpar);
    command(form.mnuImprimir[1]);
    pressT(0x80);
    pressT(0);  // without Ctrl it is only a key
    form.mnuRegra.SetEnabled(false);
    pressT(0x80);
    pressT(0);
    form.mnuLimpar.Click = [this] { form.Unload(); };  // a menu may close its own form
    command(form.mnuLimpar);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(clicks, (std::vector<std::wstring>{L"mnuLimpar_Click", L"mnuImprimir_Click1", L"mnuRegra_Click"}));
}

}  // namespace
