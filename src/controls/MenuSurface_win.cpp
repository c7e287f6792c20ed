#include "controls/MenuSurface_win.h"

#include "controls/mDeclares_win.h"
#include "runtime/LastError_win.h"

namespace controls {

GdiMenuSurface::GdiMenuSurface(HDC dc, const Resources& resources) : dc_(dc), resources_(resources)
{
    SetBkMode(dc_, TRANSPARENT);
}

void GdiMenuSurface::Fill(const MenuRect& r, Rgb color)
{
    // An opaque empty text is GDI's cheapest solid fill: no brush to make or select.
    const RECT rect{r.left, r.top, r.right, r.bottom};
    SetBkColor(dc_, color);
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void GdiMenuSurface::FillDotted(const MenuRect& r, Rgb back, Rgb fore)
{
    if (resources_.dottedBrush)
        resources_.dottedBrush->Rectangle(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, 1, PATCOPY, true,
                                          back, fore);
}

void GdiMenuSurface::TileBackground(const MenuRect& r, int yOffset)
{
    TileBitmap(dc_, r.left, r.top, r.right - r.left, r.bottom - r.top, resources_.pictureDc, resources_.pictureWidth,
               resources_.pictureHeight, yOffset);
}

void GdiMenuSurface::Line(int x1, int y1, int x2, int y2, Rgb color)
{
    if (!pen_ || penColor_ != color) {
        rt::PenHandle pen(CreatePen(PS_SOLID, 1, color));
        if (!pen || !penSelection_.Select(dc_, pen.get()))
            return;
        pen_ = std::move(pen);  // the old pen is no longer selected
        penColor_ = color;
    }
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void GdiMenuSurface::Edge(const MenuRect& r, MenuEdge edge, EdgeSides sides)
{
    RECT rect{r.left, r.top, r.right, r.bottom};
    DrawEdge(dc_, &rect, edge == MenuEdge::RaisedInner ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
             sides == EdgeSides::All ? BF_RECT : BF_TOP | BF_BOTTOM);
}

void GdiMenuSurface::SelectFont(MenuFontKind font)
{
    HFONT handle = font == MenuFontKind::Mark ? resources_.markFont : resources_.captionFont;
    font_.Select(dc_, handle);
}

void GdiMenuSurface::Text(std::wstring_view text, const MenuRect& r, MenuTextAlign align, Rgb color)
{
    RECT rect{r.left, r.top, r.right, r.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (align == MenuTextAlign::Center)
        format |= DT_CENTER;
    else if (align == MenuTextAlign::Right)
        format |= DT_RIGHT;
    SetTextColor(dc_, color);
    DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &rect, format);
}

void GdiMenuSurface::Icon(int x, int y, MenuIconStyle style)
{
    if (!resources_.imageList || resources_.iconIndex < 0)
        return;
    if (style == MenuIconStyle::Normal) {
        ImageList_Draw(resources_.imageList, resources_.iconIndex, dc_, x, y, ILD_TRANSPARENT);
        return;
    }
    rt::IconHandle icon(ImageList_GetIcon(resources_.imageList, resources_.iconIndex, ILD_NORMAL));
    if (!icon)
        return;  // a missing icon draws nothing
    const UINT flags = DST_ICON | (style == MenuIconStyle::Shadow ? DSS_MONO : DSS_DISABLED);
    HBRUSH brush = style == MenuIconStyle::Shadow ? GetSysColorBrush(COLOR_BTNSHADOW) : nullptr;
    if (!DrawStateW(dc_, brush, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, resources_.iconSize,
                    resources_.iconSize, flags))
        RT_LOG_LAST_ERROR("DrawStateW");
}

}  // namespace controls
