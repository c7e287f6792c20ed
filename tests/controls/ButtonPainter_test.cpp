#include "controls/ButtonPainter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace controls;

namespace {

std::string Hex(Rgb color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

// Pixels in memory, plus a log of the caption and picture calls in order.
class GridSurface : public ButtonSurface {
public:
    GridSurface(int width, int height) : width_(width), height_(height), pixels_(width * height, 0xDEAD) {}

    void Fill(int left, int top, int right, int bottom, Rgb color) override
    {
        for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
            for (int x = std::max(left, 0); x < std::min(right, width_); ++x)
                pixels_[y * width_ + x] = color;
    }
    void SetTextColor(Rgb color) override { textColor_ = color; }
    void Text(const PixelRect& r) override
    {
        log.push_back("text " + Hex(textColor_) + " @" + std::to_string(r.left) + "," + std::to_string(r.top));
    }
    void Picture(int x, int y, const PictureBlend& blend) override
    {
        std::string entry = "picture @" + std::to_string(x) + "," + std::to_string(y);
        if (blend.effectColor >= 0)
            entry += " in " + Hex(static_cast<Rgb>(blend.effectColor));
        if (blend.greyed)
            entry += " grey";
        if (blend.blended)
            entry += " blended";
        log.push_back(entry);
    }

    std::string At(int x, int y) const { return Hex(pixels_[y * width_ + x]); }

    std::vector<std::string> log;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    Rgb textColor_ = 0x111111;  // what a previous draw left
};

ButtonLook WhiteLook(int state)
{
    ButtonLook look;
    look.width = 75;
    look.height = 25;
    look.state = state;
    look.colors = PrepareColors(0xFFFFFF, 0x000000, 0xFF0000, 0xC0C0C0, false);
    look.captionRect = {20, 6, 55, 19};
    look.pressedCaptionRect = look.captionRect.Offset(1, 1);
    look.picture = {10, 4};
    return look;
}

struct PixelCase {
    int x;
    int y;
    const char* expected;
};

void ExpectPixels(const GridSurface& grid, std::initializer_list<PixelCase> cases)
{
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(grid.At(c.x, c.y), c.expected);
    }
}

}  // namespace

// White face throughout (FaceColor white too); the down look's base is white less 16: EAEFEF.
TEST(PaintButton, UpAndDownLooksAtKnownPixels)
{
    const struct {
        int state;
        std::initializer_list<PixelCase> pixels;
    } cases[] = {
        {kStateUp,
         {{0, 0, "733C00"}, {74, 24, "733C00"}, {1, 1, "7B4D10"}, {73, 23, "7B4D10"},  // frame, corners
          {10, 10, "F2F5F5"}, {10, 20, "E5EBEB"},                                      // rows 10 and 20
          {10, 23, "C0CFCF"}, {10, 22, "D5DFDF"}, {73, 10, "D0DBDB"}, {72, 10, "E0E7E7"},  // -48 -32 -36 -24
          {10, 1, "FFFFFF"}, {1, 10, "F9FAFA"}, {2, 10, "F2F5F5"}, {1, 2, "F9FAFA"}}},  // +16, -5, -10
        {kStateDown,
         {{0, 0, "733C00"}, {1, 1, "7B4D10"}, {10, 12, "DBE2E2"},   // row 12 is 13 rows from the bottom
          {10, 23, "FDFFFF"}, {10, 22, "F6F9F9"}, {73, 10, "F0F4F4"}, {72, 10, "FFFFFF"},  // +16 +10 +5, face
          {10, 1, "C3CFCF"}, {10, 2, "CDD7D7"}, {1, 10, "C3CFCF"}, {2, 10, "D0D9D9"}}},   // -32 -24 -32 -22
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        GridSurface grid(75, 25);
        PaintButton(grid, WhiteLook(c.state));
        ExpectPixels(grid, c.pixels);
    }
}

TEST(PaintButton, RingsReplaceTheBevel)
{
    const struct {
        const char* name;
        bool hovered;
        bool focus;
        const char* outline;
        const char* bottom;
        const char* top;
        const char* second;
        const char* sides;
    } cases[] = {
        {"hover", true, false, "31B2FF", "0096E7", "CEF3FF", "8CDBFF", "6BCBFF"},
        {"hover beats focus", true, true, "31B2FF", "0096E7", "CEF3FF", "8CDBFF", "6BCBFF"},
        {"focus", false, true, "E7AE8C", "EF826B", "FFE7CE", "F7D7BD", "F0D1B5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonLook look = WhiteLook(kStateUp);
        look.hovered = c.hovered;
        look.focusRing = c.focus;
        GridSurface grid(75, 25);
        PaintButton(grid, look);
        ExpectPixels(grid, {{1, 10, c.outline}, {73, 10, c.outline}, {10, 23, c.bottom}, {10, 1, c.top},
                            {10, 2, c.second}, {1, 2, c.second}, {2, 10, c.sides}, {72, 10, c.sides},
                            {0, 0, "733C00"}, {1, 1, "7B4D10"}});
    }
}

TEST(PaintButton, DisabledLookIsFlatWithoutRing)
{
    for (int state : {kStateUp, kStateDown}) {
        SCOPED_TRACE(state);
        ButtonLook look = WhiteLook(state);
        look.enabled = false;
        look.hovered = true;
        look.focusRing = true;
        GridSurface grid(75, 25);
        EXPECT_EQ(PaintButton(grid, look), 5);
        ExpectPixels(grid, {{0, 0, "90ABAB"}, {1, 1, "A0B7B7"}, {73, 23, "A0B7B7"}, {1, 10, "E0E7E7"},
                            {10, 1, "E0E7E7"}, {10, 23, "E0E7E7"}, {37, 12, "E0E7E7"}});
        EXPECT_EQ(grid.log, std::vector<std::string>{"text 759797 @20,6"});
    }
    ButtonLook soft = WhiteLook(kStateUp);
    soft.enabled = false;
    soft.soft = true;
    GridSurface grid(75, 25);
    PaintButton(grid, soft);
    EXPECT_EQ(grid.At(10, 10), "F0F3F3");  // SoftBevel: -12 instead of -24
}

TEST(PaintButton, CaptionEffectsDrawCopiesBeforeThePlainText)
{
    const struct {
        int effect;
        bool hovered;
        int state;
        std::vector<std::string> expected;
    } cases[] = {
        {0, false, kStateUp, {"text 000000 @20,6"}},
        {1, false, kStateUp, {"text CAD7D7 @21,7", "text FFFFFF @19,5", "text 000000 @20,6"}},
        {2, false, kStateUp, {"text FFFFFF @21,7", "text CAD7D7 @19,5", "text 000000 @20,6"}},
        {3, false, kStateUp, {"text CAD7D7 @21,7", "text 000000 @20,6"}},
        {1, true, kStateUp, {"text CAD7D7 @21,7", "text FFFFFF @19,5", "text FF0000 @20,6"}},
        // Down: no effect and no colour of its own, one pixel right and down.
        {1, false, kStateDown, {"text 111111 @21,7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.effect) + (c.hovered ? " hovered" : "") + " state " + std::to_string(c.state));
        ButtonLook look = WhiteLook(c.state);
        look.specialEffect = c.effect;
        look.hovered = c.hovered;
        GridSurface grid(75, 25);
        PaintButton(grid, look);
        EXPECT_EQ(grid.log, c.expected);
    }
}

TEST(PaintButton, PictureStatesAndCaptionOnTopWhenBehind)
{
    const struct {
        const char* name;
        int state;
        bool enabled;
        bool hovered;
        int effect;
        int position;
        std::vector<std::string> expected;
    } cases[] = {
        {"idle: blended", kStateUp, true, false, 0, 0, {"text 000000 @20,6", "picture @10,4 blended"}},
        {"hovered: shadow, then lifted",
         kStateUp, true, true, 0, 0,
         {"text FF0000 @20,6", "picture @11,5 in AABFBF", "picture @9,3"}},
        {"down: shifted", kStateDown, true, false, 0, 0, {"text 111111 @21,7", "picture @11,5"}},
        {"disabled: grey and shifted", kStateUp, false, false, 0, 0, {"text 759797 @20,6", "picture @11,5 grey"}},
        {"raised effect copies",
         kStateUp, true, false, 3, 1,
         {"text CAD7D7 @21,7", "text 000000 @20,6", "picture @11,5 in CAD7D7", "picture @10,4 blended"}},
        {"behind: caption again on top",
         kStateDown, true, false, 0, 4,
         {"text 111111 @21,7", "picture @11,5", "text 111111 @21,7"}},
        {"outside 0 to 4 acts as behind",
         kStateUp, false, false, 0, 12,
         {"text 759797 @20,6", "picture @11,5 grey", "text 759797 @20,6"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ButtonLook look = WhiteLook(c.state);
        look.hasPicture = true;
        look.enabled = c.enabled;
        look.hovered = c.hovered;
        look.specialEffect = c.effect;
        look.picturePosition = c.position;
        GridSurface grid(75, 25);
        PaintButton(grid, look);
        EXPECT_EQ(grid.log, c.expected);
    }
}
