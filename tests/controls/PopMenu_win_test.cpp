#include "controls/ColorBlend.h"
#include "controls/PopMenu_win.h"
#include "runtime/ErrorState.h"
#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"
#include "support/HexColor.h"
#include "support/MenuForm_win.h"
#include "support/PixelCanvas_win.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using controls::PopMenu;
using test::Hex;
using test::PixelCanvas;

namespace {

using test::MenuForm;

MENUITEMINFOW InfoFor(UINT mask)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

LRESULT CALLBACK Hook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* pop = reinterpret_cast<PopMenu*>(data);
    if (auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam); message == WM_MEASUREITEM && pop->IndexForId(m->itemID)) {
        pop->MeasureItem(m->itemID, m->itemWidth, m->itemHeight);
        return TRUE;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

struct PopMenuTest : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(form.Load());
        SetWindowSubclass(form.hWnd(), Hook, 1, reinterpret_cast<DWORD_PTR>(&pop));
        rt::Err().Clear();
    }
    void TearDown() override
    {
        RemoveWindowSubclass(form.hWnd(), Hook, 1);
        form.Unload();
    }

    // "key=caption" of every record, in order.
    std::vector<std::wstring> Keys() const
    {
        std::vector<std::wstring> keys;
        for (const controls::MenuItemRecord& r : pop.Items().Records())
            keys.push_back(r.sKey + L"=" + r.sCaption);
        return keys;
    }
    struct Item {
        UINT type;
        ULONG_PTR data;
        UINT textLength;
    };
    // The items of the bar and its popups, depth first, as the platform has them.
    static void Collect(HMENU menu, std::vector<Item>& out)
    {
        for (int p = 0; p < GetMenuItemCount(menu); ++p) {
            MENUITEMINFOW info = InfoFor(MIIM_FTYPE | MIIM_DATA | MIIM_STRING);
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

    MenuForm form;
    PopMenu& pop = form.PopMenu1;
};

const std::vector<std::wstring> kKeys = {
    L"mnuArquivo=&File", L"mnuLimpar=&Clear", L"mnuImprimirMenu=&Print", L"mnuImprimir(0)=To &printer",
    L"mnuImprimir(1)=To p&ort", L"mnuSep=-", L"mnuSair=E&xit", L"mnuFerramentas=&Tools", L"mnuRegra=&Rule",
};

using PopMenuConversion = PopMenuTest;

TEST_F(PopMenuConversion, EveryItemOwnerDrawnWithoutTextAndRecordsInDepthFirstOrder)
{
    pop.SubClassMenu(&form);
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
    const auto& r = pop.Items();
    EXPECT_EQ(r[1].hParentMenu, 0u);
    EXPECT_EQ(r[4].hParentMenu, reinterpret_cast<controls::MenuId>(form.mnuImprimirMenu.Popup()));
    EXPECT_EQ(r[3].lId, controls::IdOfPopup(r[4].hParentMenu));  // the item that opens it
    EXPECT_EQ(r[9].iKeyCode, 'T');
    EXPECT_EQ(r[2].sTag, L"limpa");
    EXPECT_TRUE(pop.IsTopLevelItem(8));
    EXPECT_FALSE(pop.IsTopLevelItem(9));

    pop.SubClassMenu(&form);  // again: the items carry no text now, the captions stay
    EXPECT_EQ(Keys(), kKeys);
}

TEST_F(PopMenuConversion, TopLevelMenusLeftPlainKeepTheirTextThroughReplaceItem)
{
    pop.SubClassMenu(&form, true);
    EXPECT_EQ(Keys(), kKeys);
    EXPECT_FALSE(Items()[0].type & MFT_OWNERDRAW);
    EXPECT_TRUE(Items()[1].type & MFT_OWNERDRAW);
    EXPECT_EQ(pop.ReplaceItem(L"mnuFerramentas"), 0);
    wchar_t text[32] = {};
    GetMenuStringW(GetMenu(form.hWnd()), 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Tools");
}

TEST_F(PopMenuConversion, ItemPropertiesByKeyAndUnknownKeysRecordError9)
{
    pop.SubClassMenu(&form);
    pop.SetItemIcon(L"mnuImprimir(0)", 4);
    pop.SetItemRadio(L"mnuSair", 0);
    pop.SetMenuDefault(5, true);
    EXPECT_EQ(pop.ItemIcon(4), 4);
    EXPECT_EQ(pop.ItemRadio(L"mnuSair"), -1);
    EXPECT_EQ(pop.ItemRadio(L"mnuLimpar"), 0);
    EXPECT_TRUE(pop.MenuDefault(L"mnuImprimir(1)"));
    EXPECT_EQ(pop.ItemIcon(0), 0);  // no lookup
    EXPECT_EQ(rt::Err().Number(), 0);
    for (const controls::MenuKey& key : {controls::MenuKey(0), controls::MenuKey(L"mnuNada"), controls::MenuKey(10)}) {
        rt::Err().Clear();
        EXPECT_EQ(pop.MenuIndex(key), -1);
        EXPECT_EQ(rt::Err().Number(), 9);
        EXPECT_EQ(rt::Err().Source(), L"controls_PopMenu_win_test.cPopMenu");  // the program without ".exe"
    }

    pop.SetEnabled(L"mnuSair", false);
    EXPECT_EQ(GetMenuState(form.mnuArquivo.Popup(), 3, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EnableMenuItem(form.mnuArquivo.Popup(), 3, MF_BYPOSITION | MF_ENABLED);
    EXPECT_TRUE(pop.Enabled(L"mnuSair"));  // read from the menu
}

TEST_F(PopMenuConversion, ReplaceItemKeepsOrderAndOwnerDrawing)
{
    pop.SubClassMenu(&form);
    EXPECT_EQ(pop.ReplaceItem(L"mnuImprimir(0)", {.sCaption = L"To port &two\tCtrl+P"}), 0);  // second-to-last
    EXPECT_EQ(pop.ReplaceItem(L"mnuArquivo"), 0);  // a popup-opening item of the bar
    const std::vector<Item> items = Items();
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_TRUE(items[i].type & MFT_OWNERDRAW) << i;
        EXPECT_EQ(items[i].data, i + 1);
    }
    EXPECT_EQ(pop.Items()[4].sShortcut, L"Ctrl+P");
    EXPECT_EQ(GetSubMenu(GetMenu(form.hWnd()), 0), form.mnuArquivo.Popup());
}

TEST_F(PopMenuConversion, MenuControlChangesAfterConversionStayOwnerDrawn)
{
    pop.SubClassMenu(&form);
    pop.SetItemIcon(L"mnuSair", 2);
    form.mnuLimpar.SetCaption(L"C&lean");
    form.mnuSecret.SetVisible(true);
    form.mnuRegra.SetChecked(true);
    std::vector<std::wstring> keys = kKeys;
    keys[1] = L"mnuLimpar=C&lean";
    keys.insert(keys.begin() + 6, L"mnuSecret=Secret");
    EXPECT_EQ(Keys(), keys);
    for (const Item& item : Items())
        EXPECT_TRUE((item.type & MFT_OWNERDRAW) && item.textLength == 0);
    EXPECT_EQ(pop.ItemIcon(L"mnuSair"), 2);
    EXPECT_TRUE(pop.Items()[pop.MenuIndex(L"mnuRegra")].bChecked);
}

TEST_F(PopMenuConversion, LongCaptionsCutAt127AndDefaultsOfEachLook)
{
    form.mnuLimpar.SetCaption(std::wstring(300, L'x'));
    pop.SubClassMenu(&form);
    EXPECT_EQ(pop.Items()[2].sCaption, std::wstring(127, L'x'));

    EXPECT_EQ(pop.Font().name, L"Tahoma");
    EXPECT_DOUBLE_EQ(pop.Font().size, 8.25);
    pop.SetOfficeXpStyle(true);
    EXPECT_EQ(Hex(pop.ActiveMenuForeColor()) + Hex(pop.InActiveMenuForeColor()) + Hex(pop.MenuBackgroundColor()),
              "800000078000000780000005");
    pop.SetOfficeXpStyle(false);
    EXPECT_EQ(Hex(pop.ActiveMenuForeColor()) + Hex(pop.MenuBackgroundColor()), "8000000E80000004");
    pop.SetMenuBackgroundColor(0xFFFFFF);
    EXPECT_EQ(Hex(pop.MenuBackgroundColor()), "FFFFFF");
}

// Drawing: white background, black texts, an image list of a red and a green square.
constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(255, 0, 0);

rt::BitmapHandle Solid(COLORREF color, int size)
{
    HDC screen = GetDC(nullptr);
    rt::BitmapHandle bitmap(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    rt::SelectScope select(dc.get(), bitmap.get());
    const RECT all{0, 0, size, size};
    SetBkColor(dc.get(), color);
    ExtTextOutW(dc.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    return bitmap;
}

struct PopMenuDrawing : PopMenuTest {
    void SetUp() override
    {
        PopMenuTest::SetUp();
        list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
        for (COLORREF color : {kRed, RGB(0, 160, 0)})
            ImageList_Add(list, Solid(color, 16).get(), nullptr);
        pop.SetOfficeXpStyle(true);
        pop.SetMenuBackgroundColor(0xFFFFFF);
        pop.SetActiveMenuForeColor(0);
        pop.SetInActiveMenuForeColor(0);
        pop.SetImageList(list);
        pop.SubClassMenu(&form);
        pop.SetItemIcon(L"mnuImprimir(0)", 0);
    }
    void TearDown() override
    {
        PopMenuTest::TearDown();
        ImageList_Destroy(list);
    }
    void SetHot(const wchar_t* key, bool hot)
    {
        const auto& r = pop.Items()[pop.MenuIndex(key)];
        MENUITEMINFOW info = InfoFor(MIIM_STATE);
        GetMenuItemInfoW(reinterpret_cast<HMENU>(r.hMenu), r.lId, FALSE, &info);
        info.fState = hot ? info.fState | MFS_HILITE : info.fState & ~MFS_HILITE;
        SetMenuItemInfoW(reinterpret_cast<HMENU>(r.hMenu), r.lId, FALSE, &info);
    }
    // Measures the item and draws it at (x, y), 150 pixels wide in a popup, as wide as the system makes it on
    // the bar; answers its size.
    SIZE Draw(PixelCanvas& canvas, const wchar_t* key, int x, int y, UINT itemState = 0)
    {
        const int n = pop.MenuIndex(key);
        const auto& r = pop.Items()[n];
        UINT width = 150, height = 0;
        pop.MeasureItem(r.lId, width, height);
        if (pop.IsTopLevelItem(n)) {
            DrawMenuBar(form.hWnd());
            RECT bar{};
            GetMenuItemRect(form.hWnd(), GetMenu(form.hWnd()), 0, &bar);
            width = static_cast<UINT>(bar.right - bar.left);
        } else {
            width = 150;
        }
        DRAWITEMSTRUCT dis{ODT_MENU, 0, r.lId, 0, itemState, reinterpret_cast<HWND>(r.hMenu), canvas.dc(),
                           {x, y, x + static_cast<int>(width), y + static_cast<int>(height)}, 0};
        pop.DrawItem(dis, n);
        return {static_cast<LONG>(width), static_cast<LONG>(height)};
    }

    HIMAGELIST list = nullptr;
};

COLORREF Blend(COLORREF a, COLORREF b, int w)
{
    return controls::BlendColors(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), w);
}

TEST_F(PopMenuDrawing, FlatLookColumnBoxHighlightIconsMarksAndSeparator)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF faceBlend = Blend(0xFFFFFF, GetSysColor(COLOR_BTNFACE), 128);
    const int row = pop.ItemHeight();
    PixelCanvas c(200, 200, kSentinel);

    EXPECT_EQ(Draw(c, L"mnuRegra", 0, 0).cy, row + 2);
    EXPECT_EQ(Hex(c.At(0, 10)) + Hex(c.At(row + 3, 10)), Hex(faceBlend) + Hex(faceBlend)) << "icon column";
    EXPECT_EQ(Hex(c.At(row + 4, 10)), Hex(0xFFFFFF));
    EXPECT_EQ(Hex(c.At(10, 10)), Hex(Blend(highlight, faceBlend, 40))) << "empty box";
    EXPECT_EQ(Hex(c.At(2, 10)), Hex(highlight)) << "box frame";
    EXPECT_GT(c.Count(0, row + 10, 1, 90, row + 2), 20) << "caption";
    EXPECT_GT(c.Count(0, 90, 1, 134, row + 2), 20) << "shortcut";
    EXPECT_EQ(c.Count(0, 135, 1, 150, row + 2), 0) << "16 pixels clear on the right";
    EXPECT_EQ(Hex(c.At(10, row + 2)), Hex(faceBlend)) << "a popup item copies its extra row";

    SetHot(L"mnuRegra", true);
    Draw(c, L"mnuRegra", 0, 30);
    EXPECT_EQ(Hex(c.At(100, 40)), Hex(Blend(highlight, 0xFFFFFF, 80)));
    EXPECT_EQ(Hex(c.At(1, 40)) + Hex(c.At(147, 40)), Hex(highlight) + Hex(highlight));
    EXPECT_EQ(Hex(c.At(148, 40)), Hex(0xFFFFFF));

    // The icon centred in the box; lifted over a grey shadow when hot; without colour and never highlighted
    // when disabled.
    const int x = 1 + ((row + 2) - 1 - 16) / 2, y = 1 + ((row + 2) - 16) / 2;
    Draw(c, L"mnuImprimir(0)", 0, 60);
    EXPECT_EQ(Hex(c.At(x, 60 + y)) + Hex(c.At(x + 15, 60 + y + 15)), Hex(kRed) + Hex(kRed));
    SetHot(L"mnuImprimir(0)", true);
    Draw(c, L"mnuImprimir(0)", 0, 90);
    EXPECT_EQ(Hex(c.At(x - 1, 90 + y - 1)), Hex(kRed));
    EXPECT_EQ(Hex(c.At(x + 15, 90 + y + 15)), Hex(shadow)) << "shadow below right";
    pop.SetEnabled(L"mnuImprimir(0)", false);
    Draw(c, L"mnuImprimir(0)", 0, 120);
    EXPECT_EQ(c.Count(kRed, 0, 120, 30, 150), 0);
    EXPECT_EQ(Hex(c.At(100, 130)), Hex(0xFFFFFF));

    form.mnuSair.SetChecked(true);
    Draw(c, L"mnuSair", 0, 150);
    EXPECT_GE(c.Count(0, 3, 153, row - 2, 150 + row - 2), 4) << "check mark";
    EXPECT_EQ(Draw(c, L"mnuSep", 0, 180).cy, 3);
    EXPECT_EQ(Hex(c.At(row + 8, 182)) + Hex(c.At(149, 182)), Hex(shadow) + Hex(shadow));
    EXPECT_EQ(Hex(c.At(row + 7, 182)), Hex(0xFFFFFF));
}

TEST_F(PopMenuDrawing, AnItemLooksTheSameWhateverWasDrawnBefore)
{
    // Exit (checked, no icon) alone, then after an underlined item (checked with an icon above 0) and a default
    // one: the same pixels, and the control's own font untouched.
    form.mnuSair.SetChecked(true);
    form.mnuLimpar.SetChecked(true);
    pop.SetItemIcon(L"mnuLimpar", 1);
    pop.SetMenuDefault(L"mnuRegra", true);
    PixelCanvas first(200, 30, kSentinel), second(200, 30, kSentinel), scratch(200, 30, kSentinel);
    Draw(first, L"mnuSair", 0, 0);
    Draw(scratch, L"mnuLimpar", 0, 0);
    Draw(scratch, L"mnuRegra", 0, 0);
    Draw(second, L"mnuSair", 0, 0);
    EXPECT_EQ(first.Region(0, 0, 200, 30), second.Region(0, 0, 200, 30));
    EXPECT_EQ(pop.Font(), (rt::StdFont{.name = L"Tahoma", .size = 8.25}));
}

TEST_F(PopMenuDrawing, ClassicHighlightOpenMenuBarItemAndBackgroundPicture)
{
    PixelCanvas c(200, 100, kSentinel);
    const SIZE bar = Draw(c, L"mnuArquivo", 10, 0, ODS_SELECTED);
    EXPECT_EQ(bar.cy, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(Hex(c.At(10, 8)) + Hex(c.At(20, 1)), Hex(GetSysColor(COLOR_BTNSHADOW)) + Hex(GetSysColor(COLOR_BTNSHADOW)))
        << "the open box's left side and top";
    EXPECT_EQ(Hex(c.At(20, bar.cy)), Hex(kSentinel)) << "a bar item's extra row is not copied";
    EXPECT_GT(c.Count(0, 10, 0, 10 + bar.cx, bar.cy), 10) << "caption";

    pop.SetOfficeXpStyle(false);
    SetHot(L"mnuRegra", true);
    EXPECT_EQ(Draw(c, L"mnuRegra", 0, 30).cy, pop.ItemHeight());
    EXPECT_EQ(Hex(c.At(0, 40)) + Hex(c.At(140, 40)), Hex(GetSysColor(COLOR_HIGHLIGHT)) + Hex(GetSysColor(COLOR_HIGHLIGHT)));

    pop.SetBackgroundPicture(rt::Picture::FromBitmap(Solid(RGB(0, 128, 0), 8)));
    SetHot(L"mnuRegra", false);
    Draw(c, L"mnuRegra", 0, 60);
    EXPECT_EQ(Hex(c.At(140, 70)), Hex(RGB(0, 128, 0)));
    pop.ClearBackgroundPicture();
    Draw(c, L"mnuRegra", 0, 60);
    EXPECT_EQ(Hex(c.At(140, 70)), Hex(0xFFFFFF));
}

}  // namespace
