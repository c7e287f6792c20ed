#include "controls/MenuPainter.h"

namespace controls {

namespace {

constexpr int kCaptionGap = 2;
constexpr int kFlatCaptionGap = 8;
constexpr int kSeparatorInset = 12;

MenuRect Shrunk(MenuRect r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// A one-pixel frame just inside `r` in the highlight colour.
void Outline(MenuSurface& s, const MenuRect& r, Rgb color)
{
    s.Line(r.left, r.top, r.right - 1, r.top, color);
    s.Line(r.right - 1, r.top, r.right - 1, r.bottom - 1, color);
    s.Line(r.right - 1, r.bottom - 1, r.left, r.bottom - 1, color);
    s.Line(r.left, r.bottom - 1, r.left, r.top, color);
}

// A blend of two colours; on 256 colours or fewer, a dotted fill of the menu and 3D-highlight colours instead.
void FillBlend(MenuSurface& s, const MenuItemLook& look, const MenuRect& r, Rgb blend)
{
    if (look.highColour)
        s.Fill(r, blend);
    else
        s.FillDotted(r, look.colors.menuBack, look.colors.highlight3d);
}

// Enabled text in `color`; disabled text engraved in the classic look, plain shadow grey in the flat one.
void ItemText(MenuSurface& s, const MenuItemLook& look, std::wstring_view text, const MenuRect& r,
              MenuTextAlign align, bool disabled, Rgb color)
{
    if (!disabled) {
        s.Text(text, r, align, color);
        return;
    }
    if (!look.flat)
        s.Text(text, {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, align, look.colors.highlight3d);
    s.Text(text, r, align, look.colors.buttonShadow);
}

void PaintBarItem(MenuSurface& s, const MenuItemLook& look, const MenuRect& rc)
{
    MenuRect r = rc;
    r.left += 2;
    if (look.hotTracked) {
        if (look.flat) {
            FillBlend(s, look, r, look.colors.highlightBlend);
            Outline(s, r, look.colors.highlight);
        } else {
            s.Edge(r, MenuEdge::RaisedInner, EdgeSides::All);
        }
    } else if (look.selected) {
        if (!look.flat || !look.highColour) {
            s.Edge(r, MenuEdge::SunkenOuter, EdgeSides::All);
        } else {
            // An open box with a soft shadow on its right.
            const Rgb shadow = look.colors.buttonShadow;
            s.Line(r.left - 2, r.bottom, r.left - 2, r.top, shadow);
            s.Line(r.left - 2, r.top, r.right - 3, r.top, shadow);
            s.Line(r.right - 3, r.top, r.right - 3, r.bottom, shadow);
            s.Line(r.right - 2, r.top + 4, r.right - 2, r.bottom, look.colors.shadowLines[0]);
            s.Line(r.right - 1, r.top + 5, r.right - 1, r.bottom, look.colors.shadowLines[1]);
            s.Line(r.right, r.top + 6, r.right, r.bottom, look.colors.shadowLines[2]);
        }
    }
    r = Shrunk(r, 1);
    r.left += 4;
    ItemText(s, look, look.caption, r, MenuTextAlign::Left, !look.enabled, look.colors.inactiveFore);
}

void PaintSeparator(MenuSurface& s, const MenuItemLook& look, const MenuRect& rc)
{
    MenuRect r = rc;
    r.top = rc.top + (rc.bottom - rc.top - 2) / 2;
    r.bottom = r.top + 2;
    r.left += kSeparatorInset;
    r.right -= kSeparatorInset;
    if (look.flat)
        s.Line(look.rowHeight + 8, r.top + 1, r.right + 19, r.top + 1, look.colors.buttonShadow);
    else
        s.Edge(r, MenuEdge::SunkenOuter, EdgeSides::TopBottom);
}

void PaintPopupItem(MenuSurface& s, const MenuItemLook& look, const MenuRect& rc)
{
    const MenuColors& c = look.colors;
    const bool hasIcon = look.iconIndex >= 0;
    const int boxHeight = rc.bottom - rc.top + 1;
    const int boxRight = look.checked || hasIcon ? boxHeight : 0;
    const bool highlighted = look.hot && !look.disabled;
    if (highlighted) {
        if (look.flat) {
            const MenuRect r{rc.left + 1, rc.top, rc.right - 2, rc.bottom};
            FillBlend(s, look, r, look.colors.highlightBlend);
            Outline(s, r, c.highlight);
        } else {
            s.Fill({boxRight, rc.top, rc.right, rc.bottom}, c.highlight);
        }
    }
    const Rgb textColor = look.hot ? c.activeFore : c.inactiveFore;

    MenuRect box = rc;
    box.left += 1;
    box.right = box.left + (box.bottom - box.top + 1) - 2;
    if (!hasIcon || look.checked) {
        if (!look.hot) {
            if (look.flat)
                s.Fill(Shrunk(box, 1), c.checkTint);
            else if (look.highColour)
                s.Fill(box, c.lightBack);
            else
                s.FillDotted(box, c.menuBack, c.highlight3d);
        }
        if (look.flat)
            Outline(s, Shrunk(box, 1), c.highlight);
        else
            s.Edge(box, MenuEdge::SunkenOuter, EdgeSides::All);
    }

    if (look.checked && !hasIcon) {
        s.SelectFont(MenuFontKind::Mark);
        ItemText(s, look, look.radio ? L"h" : L"b", box, MenuTextAlign::Center, look.disabled, c.inactiveFore);
        s.SelectFont(MenuFontKind::Caption);
    } else if (hasIcon) {
        const int x = box.left + ((box.right - box.left + 1) - look.iconSize) / 2;
        const int y = box.top + ((box.bottom - box.top + 1) - look.iconSize) / 2;
        if (!look.checked && highlighted && !look.flat)
            s.Edge(box, MenuEdge::RaisedInner, EdgeSides::All);
        if (look.disabled) {
            s.Icon(x, y, MenuIconStyle::Embossed);
        } else if (!look.flat || look.checked) {
            s.Icon(x, y, MenuIconStyle::Normal);
        } else if (look.hot) {
            // The icon lifts: a grey silhouette below right, the icon above left.
            s.Icon(x + 1, y + 1, MenuIconStyle::Shadow);
            s.Icon(x - 1, y - 1, MenuIconStyle::Normal);
        } else {
            s.Icon(x, y, MenuIconStyle::Normal);
        }
    }

    MenuRect r = rc;
    r.left = boxHeight + kCaptionGap + (look.flat ? kFlatCaptionGap : 0);
    ItemText(s, look, look.caption, r, MenuTextAlign::Left, look.disabled, textColor);
    if (!look.shortcut.empty()) {
        r.left = look.shortcutBase - 8;
        r.right -= 16;
        ItemText(s, look, look.shortcut, r, MenuTextAlign::Right, look.disabled, textColor);
    }
}

}  // namespace

void PaintMenuItem(MenuSurface& s, const MenuItemLook& look)
{
    const MenuRect all{0, 0, look.width + 1, look.height + 1};
    if (look.topLevel)
        s.Fill(all, look.colors.buttonFace);
    else if (look.hasPicture)
        s.TileBackground(all, look.top);
    else
        s.Fill(all, look.colors.menuBack);
    if (look.flat && !look.topLevel)
        FillBlend(s, look, {0, 0, look.rowHeight + 4, look.height + 1}, look.colors.faceBlend);

    MenuRect rc{0, 1, look.width, look.height};
    if (look.separator) {
        PaintSeparator(s, look, rc);
        return;
    }
    s.SelectFont(MenuFontKind::Caption);
    if (look.topLevel)
        PaintBarItem(s, look, rc);
    else
        PaintPopupItem(s, look, rc);
}

int MenuCopyHeight(const MenuItemLook& look)
{
    return look.topLevel ? look.height : look.height + 1;
}

rt::StdFont CaptionFontFor(const rt::StdFont& font, const rt::StdFont& menuFont, const MenuItemRecord& item,
                           bool checked)
{
    rt::StdFont caption = font;
    caption.name = menuFont.name;
    caption.size = menuFont.size;
    caption.bold = menuFont.bold || item.bDefault;
    caption.underline = checked && (item.lIconIndex > 0 || item.bRadio);
    return caption;
}

rt::StdFont MarkFontFor(const rt::StdFont& font)
{
    rt::StdFont mark;
    mark.name = L"Marlett";
    mark.size = font.size * 1.2;
    return mark;
}

}  // namespace controls
