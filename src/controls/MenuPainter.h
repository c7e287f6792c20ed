#pragma once
// The looks of one menu item of the menu control, flat ("Office XP") or classic, painted through a small
// surface interface: the background, the flat icon column, the highlight, the check box with its mark or
// icon, the caption and shortcut, separators and menu-bar items.
#include "controls/ColorBlend.h"
#include "controls/MenuItemRecord.h"
#include "runtime/StdFont.h"

#include <cstdint>
#include <string_view>

namespace controls {

// Pixels left..right-1, top..bottom-1.
struct MenuRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const MenuRect&, const MenuRect&) = default;
};

enum class MenuEdge { RaisedInner, SunkenOuter };
enum class EdgeSides { All, TopBottom };
enum class MenuTextAlign { Left, Center, Right };
enum class MenuFontKind { Caption, Mark };
enum class MenuIconStyle { Normal, Embossed, Shadow };

// What a menu item is painted on: a memory context as large as the item plus one pixel each way.
class MenuSurface {
public:
    virtual ~MenuSurface() = default;
    virtual void Fill(const MenuRect& rect, Rgb color) = 0;
    // A one-pixel checkerboard of the two colours (for displays of 256 colours or fewer).
    virtual void FillDotted(const MenuRect& rect, Rgb back, Rgb fore) = 0;
    // The background picture tiled over `rect`, as if the menu's tiling started `yOffset` rows higher.
    virtual void TileBackground(const MenuRect& rect, int yOffset) = 0;
    // A one-pixel line from (x1, y1) up to but not including (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2, Rgb color) = 0;
    virtual void Edge(const MenuRect& rect, MenuEdge edge, EdgeSides sides) = 0;
    virtual void SelectFont(MenuFontKind font) = 0;
    // One line, vertically centred in `rect`, "&" marking the access key, on a transparent background.
    virtual void Text(std::wstring_view text, const MenuRect& rect, MenuTextAlign align, Rgb color) = 0;
    // The item's icon with its top-left corner at (x, y).
    virtual void Icon(int x, int y, MenuIconStyle style) = 0;
};

// Colours of a draw, translated to RGB; the blends come from MakeMenuColors.
struct MenuColors {
    Rgb menuBack = 0xFFFFFF;
    Rgb activeFore = 0;
    Rgb inactiveFore = 0;
    Rgb buttonFace = 0xC0C0C0;
    Rgb highlight = 0x800000;
    Rgb buttonShadow = 0x808080;
    Rgb highlight3d = 0xFFFFFF;
    Rgb faceBlend = 0;       // menu background half into button face: the flat icon column
    Rgb highlightBlend = 0;  // highlight 80/255 into the menu background
    Rgb checkTint = 0;       // highlight 40/255 into the face blend: the flat check box
    Rgb lightBack = 0;       // the menu background lighter (or darker when near white): the classic check box
    Rgb shadowLines[3] = {};  // black 128, 64 and 32 /255 into button face: the open menu-bar box's shadow
};

// Everything one item's draw depends on.
struct MenuItemLook {
    int width = 0;   // the item rectangle's size
    int height = 0;
    int top = 0;     // the rectangle's top in the menu, for the background picture
    bool topLevel = false;
    bool flat = true;
    bool highColour = true;  // more than 256 colours
    bool hasPicture = false;
    // From the menu item's own state.
    bool separator = false;
    bool checked = false;
    bool disabled = false;
    bool hot = false;
    // From the draw request: the open menu-bar item, and a hot-tracked one.
    bool selected = false;
    bool hotTracked = false;
    // From the record.
    bool radio = false;
    bool enabled = true;
    int iconIndex = -1;
    int shortcutBase = 0;  // lWidth
    std::wstring_view caption;
    std::wstring_view shortcut;
    int rowHeight = 22;
    int iconSize = 16;
    MenuColors colors;
};

void PaintMenuItem(MenuSurface& surface, const MenuItemLook& look);

// Rows of the memory context copied out: a menu-bar item one fewer than a popup item.
int MenuCopyHeight(const MenuItemLook& look);

// The caption font of an item, built from the item alone: the control's font with the system menu font's
// face, size and weight; bold for the default item; underlined when checked and it has an icon above 0 or
// is a radio item.
rt::StdFont CaptionFontFor(const rt::StdFont& font, const rt::StdFont& menuFont, const MenuItemRecord& item,
                           bool checked);
// The check and radio glyphs' font: Marlett at 1.2 times the control's font.
rt::StdFont MarkFontFor(const rt::StdFont& font);

}  // namespace controls
