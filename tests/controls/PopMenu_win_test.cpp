#include "controls/PopMenu_win.h"
#include "runtime/ErrorState.h"
#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"
#include "support/FormDriver_win.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using controls::MenuItemRecord;
using controls::PopMenu;
using test::Hex;

namespace {

// File (Clear, Print > To printer / To port, a separator, a hidden item, Exit), Tools (Rule Ctrl+T), the menu
// control, and an image list of red, green and blue 16 x 16 squares.
class MenuForm : public rt::Form {
public:
    MenuForm()
    {
        Add(mnuArquivo, {L"mnuArquivo"});
        Add(mnuLimpar, {L"mnuLimpar", {}, &mnuArquivo});
        Add(mnuImprimirMenu, {L"mnuImprimirMenu", {}, &mnuArquivo});
        for (int i = 0; i < 2; ++i)
            Add(mnuImprimir[i], {L"mnuImprimir", i, &mnuImprimirMenu});
        Add(mnuSep, {L"mnuSep", {}, &mnuArquivo});
        Add(mnuSecret, {L"mnuSecret", {}, &mnuArquivo});
        Add(mnuSair, {L"mnuSair", {}, &mnuArquivo});
        Add(mnuFerramentas, {L"mnuFerramentas"});
        Add(mnuRegra, {L"mnuRegra", {}, &mnuFerramentas});
        Add(PopMenu1, {L"PopMenu1"});
    }

    rt::Menu mnuArquivo, mnuLimpar, mnuImprimirMenu, mnuSep, mnuSecret, mnuSair, mnuFerramentas, mnuRegra;
    std::array<rt::Menu, 2> mnuImprimir;
    PopMenu PopMenu1;

protected:
    void Design() override
    {
        SetClientSize(3000, 2000);
        mnuArquivo.SetCaption(L"&File");
        mnuLimpar.SetCaption(L"&Clear");
        mnuLimpar.SetTag(L"limpa");
        mnuImprimirMenu.SetCaption(L"&Print");
        mnuImprimir[0].SetCaption(L"To &printer");
        mnuImprimir[1].SetCaption(L"To p&ort");
        mnuSep.SetCaption(L"-");
        mnuSecret.SetCaption(L"Secret");
        mnuSecret.SetVisible(false);
        mnuSair.SetCaption(L"E&xit");
        mnuFerramentas.SetCaption(L"&Tools");
        mnuRegra.SetCaption(L"&Rule of Three");
        mnuRegra.SetShortcut(rt::Shortcut{'T', 2});
        PopMenu1.Move(0, 0, 600, 600);
    }
};

struct Fixture : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(form.Load());
        rt::Err().Clear();
    }
    void TearDown() override { form.Unload(); }

    // The items of `menu` (depth first) as the platform has them.
    struct Item {
        UINT type;
        ULONG_PTR data;
        UINT textLength;
    };
    static void Collect(HMENU menu, std::vector<Item>& out)
    {
        for (int p = 0; p < GetMenuItemCount(menu); ++p) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
            EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info));
            out.push_back({info.fType, info.dwItemData, info.cch});
            if (HMENU popup = GetSubMenu(menu, p))
                Collect(popup, out);
        }
    }
    std::vector<Item> Items() const
    {
        std::vector<Item> items;
        Collect(GetMenu(form.hWnd()), items);
        return items;
    }
    std::vector<std::wstring> Keys() const
    {
        std::vector<std::wstring> keys;
        for (const MenuItemRecord& r : form.PopMenu1.Items().Records())
            keys.push_back(r.sKey + L"=" + r.sCaption);
        return keys;
    }

    MenuForm form;
};

const std::vector<std::wstring> kKeys = {
    L"mnuArquivo=&File", L"mnuLimpar=&Clear", L"mnuImprimirMenu=&Print", L"mnuImprimir(0)=To &printer",
    L"mnuImprimir(1)=To p&ort", L"mnuSep=-", L"mnuSair=E&xit", L"mnuFerramentas=&Tools", L"mnuRegra=&Rule of Three",
};

using PopMenuConversion = Fixture;

TEST_F(PopMenuConversion, EveryItemOwnerDrawnWithoutTextAndRecordsInDepthFirstOrder)
{
    form.PopMenu1.SubClassMenu(&form);
    EXPECT_EQ(Keys(), kKeys);
    const std::vector<Item> items = Items();
    ASSERT_EQ(items.size(), kKeys.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(items[i].type & MFT_OWNERDRAW);
        EXPECT_EQ(items[i].data, i + 1);
        EXPECT_EQ(items[i].textLength, 0u);  // else the system answers access keys itself
    }
    EXPECT_EQ(items[5].type, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));
    const auto& records = form.PopMenu1.Items();
    EXPECT_EQ(records[1].hParentMenu, 0u);
    EXPECT_EQ(records[2].hParentMenu, reinterpret_cast<controls::MenuId>(form.mnuArquivo.Popup()));
    EXPECT_EQ(records[4].hParentMenu, reinterpret_cast<controls::MenuId>(form.mnuImprimirMenu.Popup()));
    EXPECT_EQ(records[3].lId, controls::IdOfPopup(records[4].hParentMenu));  // the item that opens it
    EXPECT_EQ(records[9].sShortcut, L"Ctrl+T");
    EXPECT_EQ(records[9].iKeyCode, 'T');
    EXPECT_EQ(records[2].sTag, L"limpa");
    EXPECT_EQ(records[2].sAccelerator, L"C");
    EXPECT_TRUE(records[2].bEnabled);
    EXPECT_TRUE(form.PopMenu1.IsTopLevelItem(8));
    EXPECT_FALSE(form.PopMenu1.IsTopLevelItem(9));

    // Converting again keeps every caption, though the items no longer carry text.
    form.PopMenu1.SubClassMenu(&form);
    EXPECT_EQ(Keys(), kKeys);
}

TEST_F(PopMenuConversion, LeavingTopLevelMenusKeepsTheBarPlainButKeyed)
{
    form.PopMenu1.SubClassMenu(&form, true);
    EXPECT_EQ(Keys(), kKeys);
    const std::vector<Item> items = Items();
    EXPECT_FALSE(items[0].type & MFT_OWNERDRAW);
    EXPECT_EQ(items[0].textLength, 5u);
    EXPECT_TRUE(items[1].type & MFT_OWNERDRAW);
    EXPECT_FALSE(items[7].type & MFT_OWNERDRAW);

    // Re-inserting a plain item carries its text.
    EXPECT_EQ(form.PopMenu1.ReplaceItem(L"mnuFerramentas"), 0);
    const std::vector<Item> after = Items();
    ASSERT_EQ(after.size(), items.size());
    EXPECT_EQ(after[7].textLength, 6u);
    wchar_t text[32] = {};
    GetMenuStringW(GetMenu(form.hWnd()), 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Tools");
}

TEST_F(PopMenuConversion, WithoutAFormOnlyNumbersFindItems)
{
    form.PopMenu1.SubClassMenu();
    EXPECT_EQ(form.PopMenu1.Items().Count(), 9);
    EXPECT_EQ(form.PopMenu1.Items()[2].sKey, L"");
    EXPECT_EQ(form.PopMenu1.MenuIndex(L"mnuLimpar"), -1);
    EXPECT_EQ(form.PopMenu1.MenuIndex(L"2"), 2);
}

TEST_F(PopMenuConversion, ItemPropertiesByKeyAndUnknownKeysRecordError9)
{
    PopMenu& pop = form.PopMenu1;
    pop.SubClassMenu(&form);
    pop.SetItemIcon(L"mnuImprimir(0)", 4);
    pop.SetItemRadio(L"mnuSair", 0);
    pop.SetMenuDefault(5, true);
    EXPECT_EQ(pop.ItemIcon(4), 4);
    EXPECT_EQ(pop.ItemRadio(L"mnuSair"), -1);
    EXPECT_EQ(pop.ItemRadio(L"mnuLimpar"), 0);
    EXPECT_TRUE(pop.MenuDefault(L"mnuImprimir(1)"));
    EXPECT_EQ(rt::Err().Number(), 0);

    EXPECT_EQ(pop.ItemIcon(0), 0);  // no lookup, no error
    EXPECT_EQ(rt::Err().Number(), 0);
    for (const controls::MenuKey& key : {controls::MenuKey(0), controls::MenuKey(L"mnuNada"), controls::MenuKey(10)}) {
        rt::Err().Clear();
        EXPECT_EQ(pop.MenuIndex(key), -1);
        EXPECT_EQ(rt::Err().Number(), 9);
        EXPECT_TRUE(rt::Err().Source().ends_with(L".cPopMenu"));
    }
    rt::Err().Clear();
    pop.SetItemIcon(L"mnuNada", 3);  // changes nothing
    EXPECT_EQ(rt::Err().Number(), 9);

    pop.SetEnabled(L"mnuSair", false);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoW(form.mnuArquivo.Popup(), 3, TRUE, &info));  // Exit
    EXPECT_EQ(info.fState & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
    EXPECT_FALSE(pop.Enabled(L"mnuSair"));
    EnableMenuItem(form.mnuArquivo.Popup(), 3, MF_BYPOSITION | MF_ENABLED);
    EXPECT_TRUE(pop.Enabled(L"mnuSair"));  // read from the menu
}

TEST_F(PopMenuConversion, ReplaceItemKeepsOrderCaptionsAndOwnerDrawing)
{
    PopMenu& pop = form.PopMenu1;
    pop.SubClassMenu(&form);
    controls::ReplaceItemArgs args;
    args.sCaption = L"To port &two\tCtrl+P";
    args.lIconIndex = 2;
    EXPECT_EQ(pop.ReplaceItem(L"mnuImprimir(0)", args), 0);  // second-to-last of its popup
    EXPECT_EQ(pop.ReplaceItem(L"mnuSep"), 0);
    EXPECT_EQ(pop.ReplaceItem(L"mnuArquivo"), 0);  // a popup-opening item of the bar
    const std::vector<Item> items = Items();
    ASSERT_EQ(items.size(), kKeys.size());
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(items[i].type & MFT_OWNERDRAW);
        EXPECT_EQ(items[i].data, i + 1);
    }
    EXPECT_EQ(pop.Items()[4].sCaption, L"To port &two");
    EXPECT_EQ(pop.Items()[4].sShortcut, L"Ctrl+P");
    EXPECT_EQ(GetSubMenu(GetMenu(form.hWnd()), 0), form.mnuArquivo.Popup());
}

TEST_F(PopMenuConversion, MenuControlChangesAfterConversionStayOwnerDrawn)
{
    PopMenu& pop = form.PopMenu1;
    pop.SubClassMenu(&form);
    pop.SetItemIcon(L"mnuSair", 2);
    form.mnuLimpar.SetCaption(L"C&lean");
    form.mnuSecret.SetVisible(true);
    form.mnuRegra.SetChecked(true);
    std::vector<std::wstring> keys = kKeys;
    keys[1] = L"mnuLimpar=C&lean";
    keys.insert(keys.begin() + 6, L"mnuSecret=Secret");
    EXPECT_EQ(Keys(), keys);
    for (const Item& item : Items()) {
        EXPECT_TRUE(item.type & MFT_OWNERDRAW);
        EXPECT_EQ(item.textLength, 0u);
    }
    EXPECT_EQ(pop.ItemIcon(L"mnuSair"), 2);
    EXPECT_TRUE(pop.Items()[pop.MenuIndex(L"mnuRegra")].bChecked);
}

TEST_F(PopMenuConversion, LongCaptionsAreCutAt127Characters)
{
    const std::wstring longText(300, L'x');
    form.mnuLimpar.SetCaption(longText);
    form.PopMenu1.SubClassMenu(&form);
    EXPECT_EQ(form.PopMenu1.Items()[2].sCaption, longText.substr(0, 127));
}

TEST_F(PopMenuConversion, StartsWithTheUnsetColoursOfEachLookAndTahoma)
{
    PopMenu& pop = form.PopMenu1;
    EXPECT_EQ(pop.Font().name, L"Tahoma");
    EXPECT_DOUBLE_EQ(pop.Font().size, 8.25);
    pop.SetOfficeXpStyle(true);
    EXPECT_EQ(Hex(pop.ActiveMenuForeColor()), "80000007");
    EXPECT_EQ(Hex(pop.InActiveMenuForeColor()), "80000007");
    EXPECT_EQ(Hex(pop.MenuBackgroundColor()), "80000005");
    pop.SetOfficeXpStyle(false);
    EXPECT_EQ(Hex(pop.ActiveMenuForeColor()), "8000000E");
    EXPECT_EQ(Hex(pop.MenuBackgroundColor()), "80000004");
    pop.SetMenuBackgroundColor(0xFFFFFF);
    pop.SetActiveMenuForeColor(0);
    EXPECT_EQ(Hex(pop.MenuBackgroundColor()), "FFFFFF");
    EXPECT_EQ(Hex(pop.ActiveMenuForeColor()), "000000");
}

}  // namespace
