#include "controls/ColorBlend.h"
#include "controls/PopMenu_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Menu_win.h"
#include "support/HexColor.h"
#include "support/PixelCanvas_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using controls::PopMenu;
using test::Hex;

namespace {

// One popup (Open with an icon, Save checked, Radio, Gone disabled, a separator, Shortcut Ctrl+S) on a bar
// item "&File", and the menu control with an image list of a red, a green and a blue square.
class DrawForm : public rt::Form {
public:
    DrawForm()
    {
        Add(mnuArquivo, {L"mnuArquivo"});
        Add(mnuAbrir, {L"mnuAbrir", {}, &mnuArquivo});
        Add(mnuSalvar, {L"mnuSalvar", {}, &mnuArquivo});
        Add(mnuRadio, {L"mnuRadio", {}, &mnuArquivo});
        Add(mnuFora, {L"mnuFora", {}, &mnuArquivo});
        Add(mnuSep, {L"mnuSep", {}, &mnuArquivo});
        Add(mnuAtalho, {L"mnuAtalho", {}, &mnuArquivo});
        Add(PopMenu1, {L"PopMenu1"});
    }
    rt::Menu mnuArquivo, mnuAbrir, mnuSalvar, mnuRadio, mnuFora, mnuSep, mnuAtalho;
    PopMenu PopMenu1;

protected:
    void Design() override
    {
        SetClientSize(3000, 2000);
        mnuArquivo.SetCaption(L"&File");
        mnuAbrir.SetCaption(L"&Open");
        mnuSalvar.SetCaption(L"&Save");
        mnuSalvar.SetChecked(true);
        mnuRadio.SetCaption(L"&Radio");
        mnuRadio.SetChecked(true);
        mnuFora.SetCaption(L"&Gone");
        mnuFora.SetEnabled(false);
        mnuSep.SetCaption(L"-");
        mnuAtalho.SetCaption(L"S&hortcut");
        mnuAtalho.SetShortcut(rt::Shortcut{'S', 2});
    }
};

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(255, 0, 0);

using Canvas = test::PixelCanvas;

HIMAGELIST SquaresList()
{
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 1);
    for (COLORREF color : {kRed, RGB(0, 160, 0), RGB(0, 0, 255)}) {
        Canvas square(16, 16, color);
        // A bitmap the list can copy: a compatible one filled the same way.
        HDC screen = GetDC(nullptr);
        rt::BitmapHandle bitmap(CreateCompatibleBitmap(screen, 16, 16));
        ReleaseDC(nullptr, screen);
        rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
        HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
        BitBlt(dc.get(), 0, 0, 16, 16, square.dc(), 0, 0, SRCCOPY);
        SelectObject(dc.get(), old);
        ImageList_AddMasked(list, bitmap.get(), RGB(255, 0, 255));
    }
    return list;
}

COLORREF Sys(int index)
{
    return GetSysColor(index);
}

COLORREF Blend(COLORREF a, COLORREF b, int w)
{
    return controls::BlendColors(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), w);
}

// The host's measuring and drawing requests go to the control, as its message hooks will send them.
LRESULT CALLBACK Hook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* pop = reinterpret_cast<PopMenu*>(data);
    if (message == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (m->CtlType == ODT_MENU && pop->IndexForId(m->itemID) > 0) {
            pop->MeasureItem(m->itemID, m->itemWidth, m->itemHeight);
            return TRUE;
        }
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

struct Drawing : testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(form.Load());
        SetWindowSubclass(form.hWnd(), Hook, 1, reinterpret_cast<DWORD_PTR>(&form.PopMenu1));
        list = SquaresList();
        PopMenu& pop = form.PopMenu1;
        pop.SetOfficeXpStyle(true);
        pop.SetMenuBackgroundColor(0xFFFFFF);
        pop.SetActiveMenuForeColor(0);
        pop.SetInActiveMenuForeColor(0);
        pop.SetImageList(list);
        pop.SubClassMenu(&form);
        pop.SetItemIcon(L"mnuAbrir", 0);
        pop.SetItemRadio(L"mnuRadio", 0);
    }
    void TearDown() override
    {
        RemoveWindowSubclass(form.hWnd(), Hook, 1);
        form.Unload();
        ImageList_Destroy(list);
    }

    int Index(const wchar_t* key) { return form.PopMenu1.MenuIndex(key); }
    void SetHot(const wchar_t* key, bool hot)
    {
        const auto& r = form.PopMenu1.Items()[Index(key)];
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        GetMenuItemInfoW(reinterpret_cast<HMENU>(r.hMenu), r.lId, FALSE, &info);
        info.fState = hot ? info.fState | MFS_HILITE : info.fState & ~MFS_HILITE;
        SetMenuItemInfoW(reinterpret_cast<HMENU>(r.hMenu), r.lId, FALSE, &info);
    }
    // Measures the item, then draws it at (x, y) of `canvas`; answers its size.
    SIZE Draw(Canvas& canvas, const wchar_t* key, int x = 0, int y = 0, UINT itemState = 0)
    {
        const auto& r = form.PopMenu1.Items()[Index(key)];
        UINT width = 0, height = 0;
        form.PopMenu1.MeasureItem(r.lId, width, height);
        if (form.PopMenu1.IsTopLevelItem(Index(key))) {
            // As wide as the system makes it from the measured width.
            DrawMenuBar(form.hWnd());
            RECT bar{};
            GetMenuItemRect(form.hWnd(), GetMenu(form.hWnd()), 0, &bar);
            width = static_cast<UINT>(bar.right - bar.left);
        } else {
            width = 150;  // as wide as the popup's widest item would make it
        }
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = r.lId;
        dis.itemState = itemState;
        dis.hwndItem = reinterpret_cast<HWND>(r.hMenu);
        dis.hDC = canvas.dc();
        dis.rcItem = {x, y, x + static_cast<int>(width), y + static_cast<int>(height)};
        form.PopMenu1.DrawItem(dis, Index(key));
        return {static_cast<LONG>(width), static_cast<LONG>(height)};
    }

    DrawForm form;
    HIMAGELIST list = nullptr;
};

TEST_F(Drawing, FlatLookHighlightBoxesIconsAndSeparator)
{
    const COLORREF faceBlend = Blend(0xFFFFFF, Sys(COLOR_BTNFACE), 128);
    const COLORREF highBlend = Blend(Sys(COLOR_HIGHLIGHT), 0xFFFFFF, 80);
    const COLORREF tint = Blend(Sys(COLOR_HIGHLIGHT), faceBlend, 40);
    const int row = form.PopMenu1.ItemHeight();
    Canvas c(200, 200, kSentinel);

    const SIZE plain = Draw(c, L"mnuAtalho", 0, 0);
    EXPECT_EQ(plain.cy, row + 2);
    EXPECT_EQ(Hex(c.At(0, 10)), Hex(faceBlend)) << "icon column";
    EXPECT_EQ(Hex(c.At(row + 3, 10)), Hex(faceBlend));
    EXPECT_EQ(Hex(c.At(row + 4, 10)), Hex(0xFFFFFF));
    EXPECT_EQ(Hex(c.At(10, 10)), Hex(tint)) << "empty box";
    EXPECT_EQ(Hex(c.At(2, 10)), Hex(Sys(COLOR_HIGHLIGHT))) << "box frame";
    EXPECT_GT(c.Count(0, row + 10, 1, 150, row + 2), 20) << "caption text";
    EXPECT_GT(c.Count(0, 80, 1, 134, row + 2), 20) << "shortcut text";
    EXPECT_EQ(c.Count(0, 135, 1, 150, row + 2), 0) << "16 pixels kept clear on the right";
    EXPECT_EQ(Hex(c.At(10, row + 2)), Hex(faceBlend)) << "a popup item copies its extra row";

    SetHot(L"mnuAtalho", true);
    Draw(c, L"mnuAtalho", 0, 30);
    EXPECT_EQ(Hex(c.At(100, 30 + 10)), Hex(highBlend));
    EXPECT_EQ(Hex(c.At(1, 30 + 10)), Hex(Sys(COLOR_HIGHLIGHT)));
    EXPECT_EQ(Hex(c.At(147, 30 + 10)), Hex(Sys(COLOR_HIGHLIGHT)));
    EXPECT_EQ(Hex(c.At(148, 30 + 10)), Hex(0xFFFFFF));

    // The icon: centred in the box, lifted over a grey shadow when hot, embossed when disabled.
    Draw(c, L"mnuAbrir", 0, 60);
    const int x = 1 + ((row + 2) - 1 - 16) / 2, y = 60 + 1 + ((row + 2) - 16) / 2;
    EXPECT_EQ(Hex(c.At(x, y)), Hex(kRed));
    EXPECT_EQ(Hex(c.At(x + 15, y + 15)), Hex(kRed));
    EXPECT_NE(Hex(c.At(x - 1, y)), Hex(kRed));
    SetHot(L"mnuAbrir", true);
    Draw(c, L"mnuAbrir", 0, 90);
    EXPECT_EQ(Hex(c.At(x - 1, y + 29)), Hex(kRed));
    EXPECT_EQ(Hex(c.At(x + 15, y + 30 + 15)), Hex(Sys(COLOR_BTNSHADOW))) << "shadow below right";
    EXPECT_NE(Hex(c.At(x + 15, y + 30 + 15)), Hex(kRed));
    form.PopMenu1.SetEnabled(L"mnuAbrir", false);
    Draw(c, L"mnuAbrir", 0, 120);
    EXPECT_EQ(c.Count(kRed, 0, 120, 30, 150), 0) << "disabled: no colour";
    EXPECT_EQ(Hex(c.At(100, 130)), Hex(0xFFFFFF)) << "disabled: never highlighted";

    const SIZE sep = Draw(c, L"mnuSep", 0, 160);
    EXPECT_EQ(sep.cy, 3);
    EXPECT_EQ(Hex(c.At(row + 8, 162)), Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(c.At(149, 162)), Hex(Sys(COLOR_BTNSHADOW)));
    EXPECT_EQ(Hex(c.At(row + 7, 162)), Hex(0xFFFFFF));
}

TEST_F(Drawing, MarksFromTheGlyphFont)
{
    Canvas c(200, 60, kSentinel);
    const int row = form.PopMenu1.ItemHeight() + 2;
    Draw(c, L"mnuSalvar", 0, 0);
    Draw(c, L"mnuRadio", 0, 30);
    const int check = c.Count(0, 2, 2, row - 2, row - 2);
    const int dot = c.Count(0, 2, 32, row - 2, 30 + row - 2);
    EXPECT_GE(check, 4);
    EXPECT_GE(dot, 4);
    EXPECT_NE(c.Region(2, 2, row - 2, row - 2), c.Region(2, 32, row - 2, 30 + row - 2)) << "check and dot differ";
}

TEST_F(Drawing, AnItemLooksTheSameWhateverWasDrawnBefore)
{
    // Save (checked, no icon) drawn first, then after an underlined item (checked with an icon above 0) and a
    // default one: the same pixels, and the control's own font untouched.
    PopMenu& pop = form.PopMenu1;
    pop.SetItemIcon(L"mnuRadio", 1);
    pop.SetMenuDefault(L"mnuAtalho", true);
    Canvas first(200, 30, kSentinel), second(200, 30, kSentinel), scratch(200, 30, kSentinel);
    Draw(first, L"mnuSalvar");
    Draw(scratch, L"mnuRadio");
    Draw(scratch, L"mnuAtalho");
    Draw(second, L"mnuSalvar");
    EXPECT_EQ(first.Region(0, 0, 200, 30), second.Region(0, 0, 200, 30));
    EXPECT_EQ(pop.Font().name, L"Tahoma");
    EXPECT_DOUBLE_EQ(pop.Font().size, 8.25);
    EXPECT_FALSE(pop.Font().underline);
    EXPECT_FALSE(pop.Font().bold);
}

TEST_F(Drawing, ClassicLookAndMenuBarItems)
{
    PopMenu& pop = form.PopMenu1;
    pop.SetOfficeXpStyle(false);
    Canvas c(200, 120, kSentinel);
    SetHot(L"mnuAtalho", true);
    const SIZE hot = Draw(c, L"mnuAtalho", 0, 0);
    EXPECT_EQ(hot.cy, pop.ItemHeight());
    EXPECT_EQ(Hex(c.At(0, 10)), Hex(Sys(COLOR_HIGHLIGHT))) << "no icon: highlight from the left edge";
    EXPECT_EQ(Hex(c.At(140, 10)), Hex(Sys(COLOR_HIGHLIGHT)));
    // Disabled: engraved, a light copy below right of the shadow copy.
    Draw(c, L"mnuFora", 0, 30);
    EXPECT_GT(c.Count(Sys(COLOR_3DHILIGHT) == 0xFFFFFF ? 0xFFFFFF : Sys(COLOR_3DHILIGHT), 30, 31, 150, 52), 0);
    EXPECT_GT(c.Count(Sys(COLOR_BTNSHADOW), 30, 31, 150, 52), 8);
    EXPECT_EQ(c.Count(0, 30, 31, 150, 52), 0);

    // The open menu-bar item: a copy one row shorter than the rectangle's extra row.
    pop.SetOfficeXpStyle(true);
    const SIZE bar = Draw(c, L"mnuArquivo", 10, 70, ODS_SELECTED);
    EXPECT_EQ(bar.cy, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(Hex(c.At(10, 70 + 8)), Hex(Sys(COLOR_BTNSHADOW))) << "left side of the open box";
    EXPECT_EQ(Hex(c.At(20, 70 + 1)), Hex(Sys(COLOR_BTNSHADOW))) << "its top";
    EXPECT_EQ(Hex(c.At(20, 70 + 8)), Hex(Sys(COLOR_BTNFACE)));
    EXPECT_EQ(Hex(c.At(20, 70 + bar.cy)), Hex(kSentinel)) << "the extra row is not copied";
    EXPECT_GT(c.Count(0, 10, 70, 10 + bar.cx, 70 + bar.cy), 10) << "caption";
}

TEST_F(Drawing, BackgroundPictureTiledUntilCleared)
{
    PopMenu& pop = form.PopMenu1;
    pop.SetOfficeXpStyle(false);
    HDC screen = GetDC(nullptr);
    rt::BitmapHandle tile(CreateCompatibleBitmap(screen, 8, 8));
    ReleaseDC(nullptr, screen);
    {
        rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
        HGDIOBJ old = SelectObject(dc.get(), tile.get());
        const RECT all{0, 0, 8, 8};
        SetBkColor(dc.get(), RGB(0, 128, 0));
        ExtTextOutW(dc.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        SelectObject(dc.get(), old);
    }
    pop.SetBackgroundPicture(rt::Picture::FromBitmap(std::move(tile)));
    ASSERT_TRUE(pop.BackgroundPicture());
    Canvas c(200, 60, kSentinel);
    Draw(c, L"mnuAtalho", 0, 0);
    EXPECT_EQ(Hex(c.At(140, 10)), Hex(RGB(0, 128, 0)));
    pop.ClearBackgroundPicture();
    EXPECT_FALSE(pop.BackgroundPicture());
    Draw(c, L"mnuAtalho", 0, 30);
    EXPECT_EQ(Hex(c.At(140, 40)), Hex(0xFFFFFF));
}

// Every state in both looks into one picture per look (build/windows/menu-flat.bmp, menu-classic.bmp).
TEST_F(Drawing, PicturesOfEveryState)
{
    PopMenu& pop = form.PopMenu1;
    for (bool flat : {true, false}) {
        pop.SetOfficeXpStyle(flat);
        Canvas c(330, 190, 0xFFFFFF);
        c.Fill(0xFFFFFF);
        int y = 30;
        Draw(c, L"mnuArquivo", 0, 4, 0);
        Draw(c, L"mnuArquivo", 60, 4, ODS_SELECTED);
        Draw(c, L"mnuArquivo", 120, 4, ODS_HOTLIGHT);
        for (const wchar_t* key : {L"mnuAbrir", L"mnuSalvar", L"mnuRadio", L"mnuFora", L"mnuSep", L"mnuAtalho"}) {
            SetHot(key, false);
            Draw(c, key, 0, y);
            SetHot(key, true);
            const SIZE size = Draw(c, key, 165, y);
            SetHot(key, false);
            y += size.cy;
        }
        pop.SetEnabled(L"mnuAbrir", false);
        Draw(c, L"mnuAbrir", 0, y);
        pop.SetEnabled(L"mnuAbrir", true);
        pop.SetItemIcon(L"mnuSalvar", 1);
        y += Draw(c, L"mnuSalvar", 165, y).cy;
        pop.SetItemIcon(L"mnuSalvar", -1);
        c.SaveBmp(flat ? "menu-flat.bmp" : "menu-classic.bmp");
    }
}

}  // namespace
