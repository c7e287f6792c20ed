#include "controls/ColorBlend.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

using namespace controls;
using test::Hex;

TEST(BlendColors, WeighsEachChannelAndTreatsMinusOneAsWhite)
{
    struct Case {
        std::int32_t a, b;
        int w;
        Rgb expected;
    };
    const Case cases[] = {
        {0x000000, 0xFFFFFF, 128, 0x7F7F7F},  // 255 * 127 / 255 in every channel
        {0x123456, 0xABCDEF, 255, 0x123456},  {0x123456, 0xABCDEF, 0, 0xABCDEF},
        {0xFFFFFF, 0x000000, 255, 0xFFFFFF},  {0x000000, 0xFFFFFF, 0, 0xFFFFFF},  // the ends exact at full channels
        {0x0000FF, 0xFF0000, 80, 0xAF0050},   // channels stay in place
        {0x102030, 0x405060, 40, 0x384858},   // red 48 * 40 / 255 + 96 * 215 / 255 = 88.47
        {-1, 0x000000, 128, 0x808080},        {0x000000, -1, 64, 0xBFBFBF},  // -1 did not translate: white
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(static_cast<std::uint32_t>(c.a)) + " " + Hex(static_cast<std::uint32_t>(c.b)) + " " +
                     std::to_string(c.w));
        EXPECT_EQ(Hex(BlendColors(c.a, c.b, c.w)), Hex(c.expected));
    }
}

TEST(RGBToHLS, GivesHueInSixthsFromMinusOneToFive)
{
    struct Case {
        int r, g, b;
        float hue, saturation, luminance;
    };
    const Case cases[] = {
        {0, 0, 255, 4.0f, 1.0f, 0.5f},  {255, 0, 255, -1.0f, 1.0f, 0.5f},  {0, 255, 255, 3.0f, 1.0f, 0.5f},
        {128, 128, 128, 0.0f, 0.0f, 128.0f / 255.0f},                        // grey: no hue, no saturation
        {128, 0, 0, 0.0f, 1.0f, 64.0f / 255.0f},                             // dark: over max + min
        {255, 128, 128, 0.0f, 1.0f, 191.5f / 255.0f},                        // light: over 2 - max - min
        {64, 32, 16, 16.0f / 48.0f, 48.0f / 80.0f, 40.0f / 255.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b));
        float hue = 99, saturation = 99, luminance = 99;
        RGBToHLS(c.r, c.g, c.b, hue, saturation, luminance);
        EXPECT_NEAR(hue, c.hue, 1e-5);
        EXPECT_NEAR(saturation, c.saturation, 1e-5);
        EXPECT_NEAR(luminance, c.luminance, 1e-5);
    }
}

// Every one of the 16.7 million colours comes back within one unit per channel.
TEST(HLSToRGB, InvertsRGBToHLSForEveryColour)
{
    int failures = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                float hue, saturation, luminance;
                RGBToHLS(r, g, b, hue, saturation, luminance);
                int r2 = -9, g2 = -9, b2 = -9;
                HLSToRGB(hue, saturation, luminance, r2, g2, b2);
                if (std::max({std::abs(r - r2), std::abs(g - g2), std::abs(b - b2)}) > 1 && ++failures <= 5)
                    ADD_FAILURE() << r << "," << g << "," << b << " came back as " << r2 << "," << g2 << "," << b2;
            }
}

TEST(AdjustLuminance, DarkensNearWhiteAndLightensTheRestOnceForEachNewColour)
{
    struct Case {
        std::int32_t colour;
        Rgb expected;
    };
    const Case cases[] = {
        {0xFFFFFF, 0xCCCCCC}, {0x808080, 0x9A9A9A}, {0x000000, 0x000000}, {-1, 0xCCCCCC},  // 1.0 -> 0.8, 0.502 -> 0.6
        {0xFDFDFD, 0xCACACA},  // 0.9922 is above 0.99: darker
        {0xFCFCFC, 0xFFFFFF},  // 0.9882 is not: lighter, capped at 1
        {0x0000FF, 0x3333FF},  // red at 0.5 -> 0.6 keeps its hue
        {0x808080, 0x9A9A9A},  // back to an earlier colour
    };
    ColorMemory memory;
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(static_cast<std::uint32_t>(c.colour)));
        EXPECT_EQ(Hex(memory.AdjustLuminance(c.colour)), Hex(c.expected));
        EXPECT_EQ(Hex(memory.AdjustLuminance(c.colour)), Hex(c.expected));  // from memory
    }
}

TEST(IsHighColour, AsksUntilTheDisplayAnswersThenKeepsTheAnswer)
{
    for (const auto& [depth, high] : {std::pair{8, false}, {9, true}, {32, true}}) {
        SCOPED_TRACE(depth);
        ColorMemory memory;
        int asked = 0;
        int answer = 0;  // no display context yet
        const ColorMemory::DepthQuery query = [&] { return ++asked, answer; };
        EXPECT_FALSE(memory.IsHighColour(query));
        answer = depth;
        EXPECT_EQ(memory.IsHighColour(query), high);
        answer = high ? 8 : 32;  // a later change is not seen
        EXPECT_EQ(memory.IsHighColour(query), high);
        EXPECT_EQ(asked, 2);
    }
}
