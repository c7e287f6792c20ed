#include "controls/ButtonColors.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <string>

using namespace controls;
using test::Hex;

TEST(ShiftColor, MatchesHandComputedShades)
{
    struct Case {
        Rgb color;
        int amount;
        bool soft;
        Rgb expected;
    };
    const Case cases[] = {
        {0xFFFFFF, -25, false, 0xDEE6E6},                                   // blue drops by 255 * 25 / 192 = 33
        {0xC0C0C0, -25, false, 0xA7A7A7},                                   // blue 192 moves like the others
        {0x808080, -25, false, 0x706767},                                   // blue 128 drops by 16 (16.7 truncated)
        {0xC0C0C0, -64, false, 0x808080}, {0xC0C0C0, -64, true, 0xA0A0A0},  // SoftBevel halves the step
        {0xC0C0C0, -25, true, 0xB4B4B4},                                    // -25 halves to -12, not -13
        {0x0A0000, -25, false, 0x090000},  // blue 10 * -25 / 192 = -1.3 truncates to -1, red and green clamp
        {0x102030, 48, false, 0x145060},   // red 0x30, green 0x20 move by 48, blue 0x10 by 4
        {0x0000F0, 20, false, 0x0014FF},   // red clamps at 255 alone
        {0x000000, -40, false, 0x000000},  // darkening black stays black
        {0xFFFFFF, 40, false, 0xFFFFFF},   // lightening white stays white
        {0x123456, 0, false, 0x123456},   {0x123456, 1, true, 0x123456},  // 1 halves to 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.color) + " by " + std::to_string(c.amount) + (c.soft ? " soft" : ""));
        EXPECT_EQ(Hex(ShiftColor(c.color, c.amount, c.soft)), Hex(c.expected));
    }
}

TEST(PrepareColors, LightensTheFaceAndDarkensTheShadow)
{
    const auto grey = PrepareColors(0xC0C0C0, 1, 2, 3, false);
    EXPECT_EQ(Hex(grey.FaceColor), "F0F0F0");
    EXPECT_EQ(Hex(grey.FaceShadowColor), "808080");
    EXPECT_EQ(Hex(PrepareColors(0xC0C0C0, 1, 2, 3, true).FaceColor), "D8D8D8");  // +24 with SoftBevel
}

TEST(FaceShade, RoundsHalvesToEvenAndEndsAtMinus25)
{
    struct Case {
        int height;
        int row;
        int expected;
    };
    const Case cases[] = {
        {50, 1, 0},  {50, 2, -1},   {50, 3, -2},  {50, 5, -2},
        {50, 6, -3}, {50, 50, -25}, {4, 2, -12},  {4, 3, -19},  // 6.25 steps: -12.5 goes to -12
        {10, 1, -2}, {10, 3, -8},   {10, 5, -12},               // -2.5, -7.5, -12.5
        {3, 2, -17}, {25, 7, -7},   {1, 1, -25},  {23, 23, -25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("height " + std::to_string(c.height) + " row " + std::to_string(c.row));
        EXPECT_EQ(FaceShade(c.row, c.height), c.expected);
    }
}

TEST(ComposePixel, AppliesMaskEffectGreyAndBlendInOrder)
{
    struct Case {
        const char* name;
        Rgb picture;
        Rgb background;
        PictureBlend blend;
        Rgb expected;
    };
    const Case cases[] = {
        {"mask shows the face", 0xC0C0C0, 0x123456, {0xC0C0C0, true, -1, false, false}, 0x123456},
        {"mask off draws the mask colour", 0xC0C0C0, 0x123456, {0xC0C0C0, false, -1, false, false}, 0xC0C0C0},
        {"mask wins over the effect", 0xC0C0C0, 0x123456, {0xC0C0C0, true, 0x00FF00, false, false}, 0x123456},
        {"black is a valid effect colour", 0x445566, 0x123456, {0xC0C0C0, true, 0, true, true}, 0x000000},
        {"effect wins over grey", 0x445566, 0x123456, {0xC0C0C0, true, 0x0000FF, true, false}, 0x0000FF},
        {"grey", 0x1E140A, 0xFFFFFF, {0xC0C0C0, true, -1, true, true}, 0x121212},     // 3 + 11.8 + 3.3
        {"grey of white", 0xFFFFFF, 0, {0xC0C0C0, true, -1, true, false}, 0xFEFEFE},  // 76.5 -> 76, 254.5 -> 254
        {"blend of white on black", 0xFFFFFF, 0x000000, {0xC0C0C0, true, -1, false, true}, 0xAAAAAA},
        {"blend of black on white", 0x000000, 0xFFFFFF, {0xC0C0C0, true, -1, false, true}, 0x555555},
        {"blend per channel", 0x00FF00, 0x0000FF, {0xC0C0C0, true, -1, false, true}, 0x00AA55},
        {"plain", 0x445566, 0x123456, {0xC0C0C0, true, -1, false, false}, 0x445566},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Hex(ComposePixel(c.picture, c.background, c.blend)), Hex(c.expected));
    }
}
