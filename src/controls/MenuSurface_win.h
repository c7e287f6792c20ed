#pragma once
// The menu item painter's surface on a GDI device context: the control's memory context.
#include "controls/MenuPainter.h"
#include "controls/cDottedBrush_win.h"
#include "runtime/Handles_win.h"

#include <windows.h>
#include <commctrl.h>

namespace controls {

class GdiMenuSurface : public MenuSurface {
public:
    struct Resources {
        HFONT captionFont = nullptr;
        HFONT markFont = nullptr;
        const cDottedBrush* dottedBrush = nullptr;
        HIMAGELIST imageList = nullptr;
        int iconIndex = -1;
        int iconSize = 16;
        HDC pictureDc = nullptr;  // the background picture, nullptr for none
        int pictureWidth = 0;
        int pictureHeight = 0;
    };

    GdiMenuSurface(HDC dc, const Resources& resources);
    GdiMenuSurface(const GdiMenuSurface&) = delete;
    GdiMenuSurface& operator=(const GdiMenuSurface&) = delete;

    void Fill(const MenuRect& rect, Rgb color) override;
    void FillDotted(const MenuRect& rect, Rgb back, Rgb fore) override;
    void TileBackground(const MenuRect& rect, int yOffset) override;
    void Line(int x1, int y1, int x2, int y2, Rgb color) override;
    void Edge(const MenuRect& rect, MenuEdge edge, EdgeSides sides) override;
    void SelectFont(MenuFontKind font) override;
    void Text(std::wstring_view text, const MenuRect& rect, MenuTextAlign align, Rgb color) override;
    void Icon(int x, int y, MenuIconStyle style) override;

private:
    HDC dc_;
    Resources resources_;
    rt::SelectScope font_;
    rt::PenHandle pen_;
    Rgb penColor_ = 0;
    rt::SelectScope penSelection_;  // after the pen: the context's own pen goes back before the pen is deleted
};

}  // namespace controls
