#include "controls/MenuPainter.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace controls;
using test::Hex;

namespace {

constexpr Rgb kBack = 0xFFFFFF, kActive = 0x0000AA, kInactive = 0x000011, kFace = 0xC0C0C0, kHighlight = 0x800000,
              kShadow = 0x808080, kLight3d = 0xFFFFFE, kFaceBlend = 0xE0E0E0, kHighBlend = 0xEED0C0,
              kTint = 0xDDCCBB, kLightBack = 0xCCCCCC, kShadow0 = 0x606060, kShadow1 = 0x909090, kShadow2 = 0xB0B0B0;

// Fills and lines as pixels; edges, fonts, texts, icons and tiles as a log in order.
class GridSurface : public MenuSurface {
public:
    GridSurface(int width, int height) : width_(width), height_(height), pixels_(width * height, 0xDEAD) {}

    void Fill(const MenuRect& r, Rgb color) override
    {
        Paint(r, [color](int, int) { return color; });
    }
    void FillDotted(const MenuRect& r, Rgb back, Rgb fore) override
    {
        Paint(r, [=](int x, int y) { return (x + y) % 2 ? fore : back; });
    }
    void TileBackground(const MenuRect& r, int yOffset) override
    {
        log.push_back("tile " + Rect(r) + " from " + std::to_string(yOffset));
    }
    void Line(int x1, int y1, int x2, int y2, Rgb color) override
    {
        const int dx = (x2 > x1) - (x2 < x1), dy = (y2 > y1) - (y2 < y1);
        for (int x = x1, y = y1; x != x2 || y != y2; x += dx, y += dy)
            Set(x, y, color);
    }
    void Edge(const MenuRect& r, MenuEdge edge, EdgeSides sides) override
    {
        log.push_back(std::string(edge == MenuEdge::RaisedInner ? "raised " : "sunken ") + Rect(r) +
                      (sides == EdgeSides::All ? "" : " top+bottom"));
    }
    void SelectFont(MenuFontKind font) override { font_ = font == MenuFontKind::Mark ? "mark" : "caption"; }
    void Text(std::wstring_view text, const MenuRect& r, MenuTextAlign align, Rgb color) override
    {
        log.push_back("text " + std::string(text.begin(), text.end()) + " " + Rect(r) +
                      (align == MenuTextAlign::Center ? " centre" : align == MenuTextAlign::Right ? " right" : "") +
                      " " + Hex(color) + " " + font_);
    }
    void Icon(int x, int y, MenuIconStyle style) override
    {
        log.push_back("icon " + std::to_string(x) + "," + std::to_string(y) +
                      (style == MenuIconStyle::Embossed ? " embossed" : style == MenuIconStyle::Shadow ? " shadow" : ""));
    }

    std::string At(int x, int y) const { return Hex(pixels_[y * width_ + x]); }
    std::vector<std::string> log;

private:
    static std::string Rect(const MenuRect& r)
    {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    }
    void Set(int x, int y, Rgb color)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[y * width_ + x] = color;
    }
    template <class F> void Paint(const MenuRect& r, F color)
    {
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, height_); ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, width_); ++x)
                pixels_[y * width_ + x] = color(x, y);
    }
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    std::string font_ = "none";
};

using Tweak = std::function<void(MenuItemLook&)>;

// A 150 x 24 popup item "&Open" (row height 22, flat look) on a 151 x 25 grid, changed by `tweak`.
GridSurface Painted(const Tweak& tweak)
{
    MenuItemLook look;
    look.width = 150;
    look.height = 24;
    look.top = 40;
    look.caption = L"&Open";
    look.colors = {kBack, kActive, kInactive, kFace, kHighlight, kShadow, kLight3d, kFaceBlend, kHighBlend, kTint,
                   kLightBack, {kShadow0, kShadow1, kShadow2}};
    tweak(look);
    GridSurface grid(look.width + 1, look.height + 1);
    PaintMenuItem(grid, look);
    return grid;
}

struct Pixel {
    int x;
    int y;
    Rgb color;
};

struct StateCase {
    const char* name;
    Tweak tweak;
    std::vector<Pixel> pixels;
    std::vector<std::string> log;
};

void Check(const StateCase& c)
{
    SCOPED_TRACE(c.name);
    const GridSurface grid = Painted(c.tweak);
    for (const Pixel& p : c.pixels)
        EXPECT_EQ(grid.At(p.x, p.y), Hex(p.color)) << "at " << p.x << "," << p.y;
    EXPECT_EQ(grid.log, c.log);
}

// The box of a 24-pixel row: x 1..22, y 1..23; its flat frame runs at x 2 and 21, y 2 and 22.
TEST(MenuPainter, FlatPopupItemStates)
{
    const StateCase cases[] = {
        {"plain: icon column, tinted empty box with a highlight frame, caption after the column",
         [](MenuItemLook&) {},
         {{0, 0, kFaceBlend}, {25, 12, kFaceBlend}, {26, 12, kBack}, {100, 12, kBack}, {10, 12, kTint},
          {2, 12, kHighlight}, {21, 12, kHighlight}, {10, 2, kHighlight}, {10, 22, kHighlight}, {10, 23, kFaceBlend}, {1, 12, kFaceBlend}},
         {"text &Open 34,1,150,24 000011 caption"}},
        {"hot: blended highlight with a frame, the box keeps its frame but not its tint",
         [](MenuItemLook& l) { l.hot = true; },
         {{1, 12, kHighlight}, {147, 12, kHighlight}, {100, 1, kHighlight}, {100, 23, kHighlight},
          {100, 12, kHighBlend}, {148, 12, kBack}, {0, 12, kFaceBlend}, {10, 12, kHighBlend}, {2, 12, kHighlight}},
         {"text &Open 34,1,150,24 0000AA caption"}},
        {"disabled and hot: never highlighted, grey text",
         [](MenuItemLook& l) { l.hot = true, l.disabled = true; },
         {{100, 12, kBack}, {10, 12, kFaceBlend}, {2, 12, kHighlight}},
         {"text &Open 34,1,150,24 808080 caption"}},
        {"checked: the check glyph centred in the box, in the inactive colour",
         [](MenuItemLook& l) { l.checked = true; },
         {{10, 12, kTint}},
         {"text b 1,1,23,24 centre 000011 mark", "text &Open 34,1,150,24 000011 caption"}},
        {"checked radio, hot: the dot stays in the inactive colour, the caption takes the active one",
         [](MenuItemLook& l) { l.checked = true, l.radio = true, l.hot = true; },
         {{10, 12, kHighBlend}},
         {"text h 1,1,23,24 centre 000011 mark", "text &Open 34,1,150,24 0000AA caption"}},
        {"icon: centred, no box",
         [](MenuItemLook& l) { l.iconIndex = 3; },
         {{10, 12, kFaceBlend}, {2, 12, kFaceBlend}},
         {"icon 4,5", "text &Open 34,1,150,24 000011 caption"}},
        {"icon, hot: lifted over its grey shadow",
         [](MenuItemLook& l) { l.iconIndex = 0, l.hot = true; },
         {{10, 12, kHighBlend}},
         {"icon 5,6 shadow", "icon 3,4", "text &Open 34,1,150,24 0000AA caption"}},
        {"icon, disabled: embossed",
         [](MenuItemLook& l) { l.iconIndex = 3, l.disabled = true; },
         {},
         {"icon 4,5 embossed", "text &Open 34,1,150,24 808080 caption"}},
        {"shortcut: right-aligned from the column base less 8 to 16 short of the right",
         [](MenuItemLook& l) { l.shortcut = L"Ctrl+O", l.shortcutBase = 90; },
         {},
         {"text &Open 34,1,150,24 000011 caption", "text Ctrl+O 82,1,134,24 right 000011 caption"}},
        {"separator: a shadow line from the column's edge on, no text",
         [](MenuItemLook& l) { l.separator = true, l.height = 3; },
         {{29, 2, kBack}, {30, 2, kShadow}, {150, 2, kShadow}, {30, 1, kBack}, {30, 3, kBack}, {5, 2, kFaceBlend}},
         {}},
        {"256 colours: dotted column and highlight, the box tint stays",
         [](MenuItemLook& l) { l.highColour = false, l.hot = true; },
         {{0, 0, kBack}, {1, 0, kLight3d}, {100, 12, kBack}, {101, 12, kLight3d}},
         {"text &Open 34,1,150,24 0000AA caption"}},
    };
    for (const StateCase& c : cases)
        Check(c);
}

TEST(MenuPainter, ClassicPopupItemStates)
{
    const auto classic = [](Tweak more) {
        return [more](MenuItemLook& l) {
            l.flat = false;
            l.height = 22;
            more(l);
        };
    };
    // A 22-pixel row: box x 1..20, y 1..22 (right edge 21, bottom 22); caption from 24.
    const StateCase cases[] = {
        {"plain: lighter box with a sunken edge, no column",
         classic([](MenuItemLook&) {}),
         {{0, 12, kBack}, {10, 12, kLightBack}, {21, 12, kBack}},
         {"sunken 1,1,21,22", "text &Open 24,1,150,22 000011 caption"}},
        {"hot without icon: solid highlight from the left edge, the box edge stays",
         classic([](MenuItemLook& l) { l.hot = true; }),
         {{0, 12, kHighlight}, {10, 12, kHighlight}, {149, 21, kHighlight}, {150, 12, kBack}},
         {"sunken 1,1,21,22", "text &Open 24,1,150,22 0000AA caption"}},
        {"hot with icon: highlight right of the box, raised box",
         classic([](MenuItemLook& l) { l.hot = true, l.iconIndex = 2; }),
         {{21, 12, kBack}, {22, 12, kHighlight}},
         {"raised 1,1,21,22", "icon 3,4", "text &Open 24,1,150,22 0000AA caption"}},
        {"checked without icon, hot: the highlight starts right of the box",
         classic([](MenuItemLook& l) { l.hot = true, l.checked = true; }),
         {{0, 12, kBack}, {10, 12, kBack}, {22, 12, kHighlight}},
         {"sunken 1,1,21,22", "text b 1,1,21,22 centre 000011 mark", "text &Open 24,1,150,22 0000AA caption"}},
        {"checked with icon, hot: no raised edge, sunken box, plain icon",
         classic([](MenuItemLook& l) { l.hot = true, l.iconIndex = 2, l.checked = true; }),
         {{10, 12, kBack}, {22, 12, kHighlight}},
         {"sunken 1,1,21,22", "icon 3,4", "text &Open 24,1,150,22 0000AA caption"}},
        {"disabled: engraved text, light copy one pixel down and right first",
         classic([](MenuItemLook& l) { l.disabled = true, l.shortcut = L"F5", l.shortcutBase = 80; }),
         {},
         {"sunken 1,1,21,22", "text &Open 25,2,151,23 FFFFFE caption", "text &Open 24,1,150,22 808080 caption",
          "text F5 73,2,135,23 right FFFFFE caption", "text F5 72,1,134,22 right 808080 caption"}},
        {"256 colours: dotted box",
         classic([](MenuItemLook& l) { l.highColour = false; }),
         {{1, 1, kBack}, {2, 1, kLight3d}, {0, 12, kBack}},
         {"sunken 1,1,21,22", "text &Open 24,1,150,22 000011 caption"}},
        {"separator: a sunken double line inset by 12",
         classic([](MenuItemLook& l) { l.separator = true, l.height = 8; }),
         {},
         {"sunken 12,3,138,5 top+bottom"}},
    };
    for (const StateCase& c : cases)
        Check(c);
}

TEST(MenuPainter, MenuBarItemStates)
{
    const auto bar = [](Tweak more) {
        return [more](MenuItemLook& l) {
            l.topLevel = true;
            l.width = 40;
            l.height = 19;
            l.caption = L"&File";
            more(l);
        };
    };
    // rc = 0,1,40,19; r = 2,1,40,19; text in 7,2,39,18.
    const StateCase cases[] = {
        {"plain: button face, no column", bar([](MenuItemLook&) {}),
         {{0, 0, kFace}, {40, 19, kFace}},
         {"text &File 7,2,39,18 000011 caption"}},
        {"open, flat: box with a soft shadow on its right", bar([](MenuItemLook& l) { l.selected = true; }),
         {{0, 18, kShadow}, {0, 1, kShadow}, {20, 1, kShadow}, {37, 1, kShadow}, {37, 18, kShadow},
          {38, 4, kFace}, {38, 5, kShadow0}, {39, 5, kFace}, {39, 6, kShadow1}, {40, 6, kFace}, {40, 7, kShadow2},
          {40, 18, kShadow2}, {40, 19, kFace}, {20, 10, kFace}},
         {"text &File 7,2,39,18 000011 caption"}},
        {"open, flat on 256 colours: sunken edge",
         bar([](MenuItemLook& l) { l.selected = true, l.highColour = false; }),
         {{0, 18, kFace}},
         {"sunken 2,1,40,19", "text &File 7,2,39,18 000011 caption"}},
        {"open, classic: sunken edge", bar([](MenuItemLook& l) { l.selected = true, l.flat = false; }), {},
         {"sunken 2,1,40,19", "text &File 7,2,39,18 000011 caption"}},
        {"hot-tracked, flat: blended highlight with a frame, text stays inactive",
         bar([](MenuItemLook& l) { l.hotTracked = true, l.hot = true; }),
         {{2, 10, kHighlight}, {39, 10, kHighlight}, {10, 10, kHighBlend}, {1, 10, kFace}},
         {"text &File 7,2,39,18 000011 caption"}},
        {"hot-tracked, classic: raised edge",
         bar([](MenuItemLook& l) { l.hotTracked = true, l.flat = false; }), {},
         {"raised 2,1,40,19", "text &File 7,2,39,18 000011 caption"}},
    };
    for (const StateCase& c : cases)
        Check(c);
    MenuItemLook look;
    look.height = 19;
    look.topLevel = true;
    EXPECT_EQ(MenuCopyHeight(look), 19);
    look.topLevel = false;
    EXPECT_EQ(MenuCopyHeight(look), 20);
}

TEST(MenuPainter, CaptionFontComesFromTheItemAlone)
{
    const rt::StdFont control{.name = L"Tahoma", .size = 8.25, .italic = true};
    const rt::StdFont menu{.name = L"Segoe UI", .size = 9};
    struct Case {
        bool isDefault;
        bool checked;
        int icon;
        bool radio;
        bool bold;
        bool underline;
    };
    const Case cases[] = {
        {false, false, -1, false, false, false}, {true, false, -1, false, true, false},
        {false, true, -1, true, false, true},    {false, true, 1, false, false, true},
        {false, true, 0, false, false, false},   {false, true, -1, false, false, false},
        {true, true, 2, false, true, true},      {false, false, 2, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        MenuItemRecord item;
        item.bDefault = c.isDefault;
        item.lIconIndex = c.icon;
        item.bRadio = c.radio;
        const rt::StdFont font = CaptionFontFor(control, menu, item, c.checked);
        EXPECT_EQ(font.name, L"Segoe UI");
        EXPECT_EQ(font.size, 9);
        EXPECT_EQ(font.bold, c.bold);
        EXPECT_EQ(font.underline, c.underline);
        EXPECT_TRUE(font.italic);
    }
    const rt::StdFont mark = MarkFontFor(control);
    EXPECT_EQ(mark.name, L"Marlett");
    EXPECT_DOUBLE_EQ(mark.size, 9.9);
}

}  // namespace
