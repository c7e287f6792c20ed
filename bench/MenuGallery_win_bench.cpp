// Pictures of the menu control's items in every state, flat and classic, for looking at them: writes
// menu-flat.bmp and menu-classic.bmp (into the folder given as the argument, default the current one). Each
// picture: the bar item plain, open and hot-tracked; then each popup item plain on the left and hot on the
// right (icon, checked, radio, disabled, separator, shortcut), a disabled icon and a checked icon last.
#include "controls/PopMenu_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/MemoryBitmap_win.h"
#include "runtime/Menu_win.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class GalleryForm : public rt::Form {
public:
    GalleryForm()
    {
        Add(mnuArquivo, {L"mnuArquivo"});
        for (size_t i = 0; i < items.size(); ++i)
            Add(items[i], {L"mnuItem", static_cast<int>(i), &mnuArquivo});
        Add(PopMenu1, {L"PopMenu1"});
    }
    rt::Menu mnuArquivo;
    std::array<rt::Menu, 6> items;
    controls::PopMenu PopMenu1;

protected:
    void Design() override
    {
        mnuArquivo.SetCaption(L"&File");
        const wchar_t* captions[] = {L"&Open", L"&Save", L"&Radio", L"&Gone", L"-", L"S&hortcut"};
        for (size_t i = 0; i < items.size(); ++i)
            items[i].SetCaption(captions[i]);
        items[1].SetChecked(true);
        items[2].SetChecked(true);
        items[3].SetEnabled(false);
        items[5].SetShortcut(rt::Shortcut{'S', 2});
    }
};

LRESULT CALLBACK Hook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* pop = reinterpret_cast<controls::PopMenu*>(data);
    if (auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam); message == WM_MEASUREITEM && pop->IndexForId(m->itemID)) {
        pop->MeasureItem(m->itemID, m->itemWidth, m->itemHeight);
        return TRUE;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

rt::BitmapHandle Solid(HDC dc, COLORREF color)
{
    rt::BitmapHandle bitmap(CreateCompatibleBitmap(dc, 16, 16));
    rt::MemoryDcHandle memory(CreateCompatibleDC(dc));
    rt::SelectScope select(memory.get(), bitmap.get());
    const RECT all{0, 0, 16, 16};
    SetBkColor(memory.get(), color);
    ExtTextOutW(memory.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    return bitmap;
}

void SaveBmp(HDC dc, HBITMAP bitmap, int width, int height, const std::string& path)
{
    BITMAPINFO info = rt::TopDownInfo(width, height);
    std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, f);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
        std::fwrite(pixels.data(), 4, pixels.size(), f);
        std::fclose(f);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? std::string(argv[1]) + "/" : "";
    GalleryForm form;
    form.Load();
    controls::PopMenu& pop = form.PopMenu1;
    SetWindowSubclass(form.hWnd(), Hook, 1, reinterpret_cast<DWORD_PTR>(&pop));
    rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    HDC screen = GetDC(nullptr);
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1);
    for (COLORREF color : {RGB(255, 0, 0), RGB(0, 160, 0)})
        ImageList_Add(list, Solid(screen, color).get(), nullptr);
    rt::BitmapHandle bitmap(CreateCompatibleBitmap(screen, 330, 190));
    ReleaseDC(nullptr, screen);
    rt::SelectScope select(dc.get(), bitmap.get());

    pop.SetMenuBackgroundColor(0xFFFFFF);
    pop.SetActiveMenuForeColor(0);
    pop.SetInActiveMenuForeColor(0);
    pop.SetImageList(list);
    pop.SubClassMenu(&form);
    pop.SetItemIcon(L"mnuItem(0)", 0);
    pop.SetItemRadio(L"mnuItem(2)", 0);
    DrawMenuBar(form.hWnd());
    RECT bar{};
    GetMenuItemRect(form.hWnd(), GetMenu(form.hWnd()), 0, &bar);

    auto setHot = [&](const controls::MenuItemRecord& r, bool hot) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE;
        GetMenuItemInfoW(reinterpret_cast<HMENU>(r.hMenu), r.lId, FALSE, &info);
        info.fState = hot ? info.fState | MFS_HILITE : info.fState & ~MFS_HILITE;
        SetMenuItemInfoW(reinterpret_cast<HMENU>(r.hMenu), r.lId, FALSE, &info);
    };
    auto draw = [&](int n, int x, int y, UINT state, bool hot) {
        const controls::MenuItemRecord& r = pop.Items()[n];
        setHot(r, hot);
        UINT width = 150, height = 0;
        pop.MeasureItem(r.lId, width, height);
        if (pop.IsTopLevelItem(n))
            width = static_cast<UINT>(bar.right - bar.left);
        else
            width = 150;
        DRAWITEMSTRUCT dis{ODT_MENU, 0, r.lId, 0, state, reinterpret_cast<HWND>(r.hMenu), dc.get(),
                           {x, y, x + static_cast<int>(width), y + static_cast<int>(height)}, 0};
        pop.DrawItem(dis, n);
        setHot(r, false);
        return static_cast<int>(height);
    };
    for (bool flat : {true, false}) {
        pop.SetOfficeXpStyle(flat);
        const RECT all{0, 0, 330, 190};
        SetBkColor(dc.get(), RGB(255, 255, 255));
        ExtTextOutW(dc.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        draw(1, 0, 4, 0, false);
        draw(1, 60, 4, ODS_SELECTED, false);
        draw(1, 120, 4, ODS_HOTLIGHT, true);
        int y = 30;
        for (int n = 2; n <= 7; ++n) {
            draw(n, 0, y, 0, false);
            y += draw(n, 165, y, 0, true);
        }
        pop.SetEnabled(L"mnuItem(0)", false);
        draw(2, 0, y, 0, false);
        pop.SetEnabled(L"mnuItem(0)", true);
        pop.SetItemIcon(L"mnuItem(1)", 1);
        draw(3, 165, y, 0, false);
        pop.SetItemIcon(L"mnuItem(1)", -1);
        SaveBmp(dc.get(), bitmap.get(), 330, 190, folder + (flat ? "menu-flat.bmp" : "menu-classic.bmp"));
    }
    RemoveWindowSubclass(form.hWnd(), Hook, 1);
    form.Unload();
    ImageList_Destroy(list);
    std::printf("menu-flat.bmp and menu-classic.bmp written\n");
    return 0;
}
