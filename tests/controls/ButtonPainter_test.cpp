#include "controls/ButtonPainter.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace controls;
using test::Hex;

namespace {

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
    int result = 0;  // what PaintButton returned

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    Rgb textColor_ = 0x111111;  // what a previous draw left
};

using Tweak = std::function<void(ButtonLook&)>;

// A 75 x 25 white button (FaceColor white too) in `state`, changed by `tweak`, painted on a fresh grid.
GridSurface Painted(int state, const Tweak& tweak = {})
{
    ButtonLook look{.width = 75, .height = 25, .state = state};
    look.colors = PrepareColors(0xFFFFFF, 0x000000, 0xFF0000, 0xC0C0C0, false);
    look.captionRect = {20, 6, 55, 19};
    look.pressedCaptionRect = look.captionRect.Offset(1, 1);
    look.picture = {10, 4};
    if (tweak)
        tweak(look);
    GridSurface grid(75, 25);
    grid.result = PaintButton(grid, look);
    return grid;
}

struct PixelCase {
    int x;
    int y;
    const char* expected;
};

}  // namespace

// The down look's base is white less 16: EAEFEF.
TEST(PaintButton, LooksAtKnownPixels)
{
    // Frame and corners; rows 10 and 20; bottom -48 -32, right -36 -24; top +16, left -5 -10.
    const std::initializer_list<PixelCase> upLook{
        {0, 0, "733C00"},   {74, 24, "733C00"}, {1, 1, "7B4D10"},   {73, 23, "7B4D10"}, {10, 10, "F2F5F5"},
        {10, 20, "E5EBEB"}, {10, 23, "C0CFCF"}, {10, 22, "D5DFDF"}, {73, 10, "D0DBDB"}, {72, 10, "E0E7E7"},
        {10, 1, "FFFFFF"},  {1, 10, "F9FAFA"},  {2, 10, "F2F5F5"},  {1, 2, "F9FAFA"}};
    // Row 12 is 13 rows from the bottom; bottom +16 +10, right +5 and the face; top -32 -24, left -32 -22.
    const std::initializer_list<PixelCase> downLook{{0, 0, "733C00"},   {1, 1, "7B4D10"},   {10, 12, "DBE2E2"},
                                                    {10, 23, "FDFFFF"}, {10, 22, "F6F9F9"}, {73, 10, "F0F4F4"},
                                                    {72, 10, "FFFFFF"}, {10, 1, "C3CFCF"},  {10, 2, "CDD7D7"},
                                                    {1, 10, "C3CFCF"},  {2, 10, "D0D9D9"}};
    const std::initializer_list<PixelCase> hoverRing{{1, 10, "31B2FF"}, {73, 10, "31B2FF"}, {10, 23, "0096E7"},
                                                     {10, 1, "CEF3FF"}, {10, 2, "8CDBFF"},  {1, 2, "8CDBFF"},
                                                     {2, 10, "6BCBFF"}, {72, 10, "6BCBFF"}};
    const std::initializer_list<PixelCase> focusRing{{1, 10, "E7AE8C"}, {73, 10, "E7AE8C"}, {10, 23, "EF826B"},
                                                     {10, 1, "FFE7CE"}, {10, 2, "F7D7BD"},  {1, 2, "F7D7BD"},
                                                     {2, 10, "F0D1B5"}, {72, 10, "F0D1B5"}};
    const std::initializer_list<PixelCase> disabledLook{{0, 0, "90ABAB"},  {1, 1, "A0B7B7"},  {73, 23, "A0B7B7"},
                                                        {1, 10, "E0E7E7"}, {10, 1, "E0E7E7"}, {10, 23, "E0E7E7"},
                                                        {37, 12, "E0E7E7"}};
    const Tweak disabled = [](ButtonLook& l) { l.enabled = false, l.hovered = true, l.focusRing = true; };
    const Tweak softDisabled = [](ButtonLook& l) { l.enabled = false, l.soft = true; };
    const struct {
        const char* name;
        int state;
        Tweak tweak;
        std::initializer_list<PixelCase> pixels;
    } cases[] = {
        {"up", kStateUp, {}, upLook},
        {"down", kStateDown, {}, downLook},
        {"hover", kStateUp, [](ButtonLook& l) { l.hovered = true; }, hoverRing},
        {"hover beats focus", kStateUp, [](ButtonLook& l) { l.hovered = l.focusRing = true; }, hoverRing},
        {"focus", kStateUp, [](ButtonLook& l) { l.focusRing = true; }, focusRing},
        {"disabled: flat, no ring", kStateUp, disabled, disabledLook},
        {"disabled down", kStateDown, disabled, disabledLook},
        {"disabled SoftBevel: -12 instead of -24", kStateUp, softDisabled, {{10, 10, "F0F3F3"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GridSurface grid = Painted(c.state, c.tweak);
        for (const PixelCase& p : c.pixels)
            EXPECT_EQ(grid.At(p.x, p.y), p.expected) << p.x << "," << p.y;
    }
    EXPECT_EQ(Painted(kStateDown, disabled).result, 5);
}

TEST(PaintButton, CaptionEffectsAndPicturesDrawInOrder)
{
    const auto with = [](bool enabled, bool hovered, int effect, bool picture = false, int position = 0) {
        return [=](ButtonLook& l) {
            l.enabled = enabled, l.hovered = hovered, l.specialEffect = effect;
            l.hasPicture = picture, l.picturePosition = position;
        };
    };
    const struct {
        const char* name;
        int state;
        Tweak tweak;
        std::vector<std::string> expected;
    } cases[] = {
        {"plain", kStateUp, with(true, false, 0), {"text 000000 @20,6"}},
        {"raised", kStateUp, with(true, false, 1), {"text CAD7D7 @21,7", "text FFFFFF @19,5", "text 000000 @20,6"}},
        {"sunken", kStateUp, with(true, false, 2), {"text FFFFFF @21,7", "text CAD7D7 @19,5", "text 000000 @20,6"}},
        {"shadow", kStateUp, with(true, false, 3), {"text CAD7D7 @21,7", "text 000000 @20,6"}},
        {"hovered", kStateUp, with(true, true, 1), {"text CAD7D7 @21,7", "text FFFFFF @19,5", "text FF0000 @20,6"}},
        // Down: no effect and no colour of its own, one pixel right and down.
        {"down", kStateDown, with(true, false, 1), {"text 111111 @21,7"}},
        {"disabled", kStateUp, with(false, true, 0), {"text 759797 @20,6"}},
        {"picture idle: blended", kStateUp, with(true, false, 0, true), {"text 000000 @20,6", "picture @10,4 blended"}},
        {"picture hovered: shadow, then lifted",
         kStateUp,
         with(true, true, 0, true),
         {"text FF0000 @20,6", "picture @11,5 in AABFBF", "picture @9,3"}},
        {"picture down: shifted", kStateDown, with(true, false, 0, true), {"text 111111 @21,7", "picture @11,5"}},
        {"picture disabled: grey and shifted",
         kStateUp,
         with(false, false, 0, true),
         {"text 759797 @20,6", "picture @11,5 grey"}},
        {"picture with effect copies",
         kStateUp,
         with(true, false, 3, true, 1),
         {"text CAD7D7 @21,7", "text 000000 @20,6", "picture @11,5 in CAD7D7", "picture @10,4 blended"}},
        {"picture behind: caption again on top",
         kStateDown,
         with(true, false, 0, true, 4),
         {"text 111111 @21,7", "picture @11,5", "text 111111 @21,7"}},
        {"position outside 0 to 4 acts as behind",
         kStateUp,
         with(false, false, 0, true, 12),
         {"text 759797 @20,6", "picture @11,5 grey", "text 759797 @20,6"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Painted(c.state, c.tweak).log, c.expected);
    }
}
