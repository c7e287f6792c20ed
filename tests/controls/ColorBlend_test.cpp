#include "controls/ColorBlend.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

using namespace controls;
using test::Hex;

TEST(BlendColors, WeighsEachChannelAndTreatsMinusOneAsWhite)
{
    struct Case {
        std::int32_t a;
        std::int32_t b;
        int w;
        Rgb expected;
    };
    const Case cases[] = {
        {0x000000, 0xFFFFFF, 128, 0x7F7F7F},  // 255 * 127 / 255 in every channel
        {0x123456, 0xABCDEF, 255, 0x123456},  // full weight: a
        {0x123456, 0xABCDEF, 0, 0xABCDEF},    // no weight: b
        {0x0000FF, 0xFF0000, 80, 0xAF0050},   // red keeps 80 of 255, blue 175: channels stay in place
        {-1, 0x000000, 128, 0x808080},        // an untranslated colour is white
        {0x000000, -1, 64, 0xBFBFBF},         // 255 * 191 / 255
        {0x102030, 0x405060, 40, 0x384858},   // red 48 * 40 / 255 + 96 * 215 / 255 = 88.47
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(static_cast<std::uint32_t>(c.a)) + " with " + Hex(static_cast<std::uint32_t>(c.b)) +
                     " at " + std::to_string(c.w));
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
        {0, 0, 255, 4.0f, 1.0f, 0.5f},     {255, 0, 255, -1.0f, 1.0f, 0.5f},  // blue; magenta below red
        {255, 0, 0, 0.0f, 1.0f, 0.5f},     {0, 255, 0, 2.0f, 1.0f, 0.5f},     {0, 255, 255, 3.0f, 1.0f, 0.5f},
        {255, 255, 0, 1.0f, 1.0f, 0.5f},   {128, 128, 128, 0.0f, 0.0f, 128.0f / 255.0f},  // grey: no hue
        {255, 255, 255, 0.0f, 0.0f, 1.0f}, {0, 0, 0, 0.0f, 0.0f, 0.0f},
        {128, 0, 0, 0.0f, 1.0f, 64.0f / 255.0f},               // dark: saturation over max + min
        {255, 128, 128, 0.0f, 1.0f, 191.5f / 255.0f},          // light: saturation over 2 - max - min
        {64, 32, 16, 16.0f / 48.0f, 48.0f / 80.0f, 40.0f / 255.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b));
        float hue = 99.0f;
        float saturation = 99.0f;
        float luminance = 99.0f;
        RGBToHLS(c.r, c.g, c.b, hue, saturation, luminance);
        EXPECT_NEAR(hue, c.hue, 1e-5);
        EXPECT_NEAR(saturation, c.saturation, 1e-5);
        EXPECT_NEAR(luminance, c.luminance, 1e-5);
    }
}

// Every one of the 16.7 million colours comes back within one unit per channel.
TEST(HLSToRGB, InvertsRGBToHLSForEveryColour)
{
    int worst = 0;
    int failures = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                float hue;
                float saturation;
                float luminance;
                RGBToHLS(r, g, b, hue, saturation, luminance);
                int r2 = -1;
                int g2 = -1;
                int b2 = -1;
                HLSToRGB(hue, saturation, luminance, r2, g2, b2);
                const int error = std::max({std::abs(r - r2), std::abs(g - g2), std::abs(b - b2)});
                worst = std::max(worst, error);
                if (error > 1 && ++failures <= 5)
                    ADD_FAILURE() << r << "," << g << "," << b << " came back as " << r2 << "," << g2 << "," << b2;
            }
    EXPECT_LE(worst, 1);
}

TEST(HLSToRGB, PlacesEachSixthOfTheCircle)
{
    struct Case {
        float hue, saturation, luminance;
        int r, g, b;
    };
    const Case cases[] = {
        {-0.5f, 1.0f, 0.5f, 255, 0, 128},  // between magenta and red
        {0.5f, 1.0f, 0.5f, 255, 128, 0},   {1.5f, 1.0f, 0.5f, 128, 255, 0}, {2.5f, 1.0f, 0.5f, 0, 255, 128},
        {3.5f, 1.0f, 0.5f, 0, 128, 255},   {4.5f, 1.0f, 0.5f, 128, 0, 255},
        {4.0f, 0.0f, 0.25f, 64, 64, 64},   // no saturation: grey whatever the hue
        {0.0f, 0.5f, 0.75f, 223, 159, 159},  // light: m1 = l - (1 - l) * s
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.hue) + " " + std::to_string(c.saturation) + " " + std::to_string(c.luminance));
        int r = -1;
        int g = -1;
        int b = -1;
        HLSToRGB(c.hue, c.saturation, c.luminance, r, g, b);
        EXPECT_EQ(r, c.r);
        EXPECT_EQ(g, c.g);
        EXPECT_EQ(b, c.b);
    }
}

TEST(Max3Min3, FindTheExtremeWhereverItStands)
{
    for (const auto& [a, b, c] : {std::tuple{3.0f, 1.0f, 2.0f}, {1.0f, 3.0f, 2.0f}, {2.0f, 1.0f, 3.0f}}) {
        EXPECT_EQ(Max3(a, b, c), 3.0f);
        EXPECT_EQ(Min3(a, b, c), 1.0f);
    }
}

TEST(AdjustLuminance, DarkensNearWhiteAndLightensTheRest)
{
    struct Case {
        std::int32_t colour;
        Rgb expected;
    };
    const Case cases[] = {
        {0xFFFFFF, 0xCCCCCC},  // luminance 1.0 -> 0.8
        {0x808080, 0x9A9A9A},  // 0.502 -> 0.6024
        {0x000000, 0x000000},  {-1, 0xCCCCCC},  // -1 is white
        {0xFDFDFD, 0xCACACA},  // 0.9922 is above 0.99: darker
        {0xFCFCFC, 0xFFFFFF},  // 0.9882 is not: lighter, capped at 1
        {0x0000FF, 0x3333FF},  // red at 0.5 -> 0.6 keeps its hue
    };
    ColorMemory memory;
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(static_cast<std::uint32_t>(c.colour)));
        EXPECT_EQ(Hex(memory.AdjustLuminance(c.colour)), Hex(c.expected));
        EXPECT_EQ(Hex(memory.AdjustLuminance(c.colour)), Hex(c.expected));  // from memory the second time
    }
    EXPECT_EQ(Hex(memory.AdjustLuminance(0x808080)), "9A9A9A");  // back to an earlier colour
}

TEST(IsHighColour, AsksUntilTheDisplayAnswersThenKeepsTheAnswer)
{
    struct Case {
        int depth;
        bool high;
    };
    for (const Case c : {Case{8, false}, Case{9, true}, Case{16, true}, Case{32, true}, Case{1, false}}) {
        SCOPED_TRACE(c.depth);
        ColorMemory memory;
        int asked = 0;
        int answer = 0;
        const ColorMemory::DepthQuery query = [&] {
            ++asked;
            return answer;
        };
        EXPECT_FALSE(memory.IsHighColour(query));  // no display context yet
        EXPECT_FALSE(memory.IsHighColour(query));
        EXPECT_EQ(asked, 2);
        answer = c.depth;
        EXPECT_EQ(memory.IsHighColour(query), c.high);
        answer = c.high ? 8 : 32;  // a later change of depth is not seen
        EXPECT_EQ(memory.IsHighColour(query), c.high);
        EXPECT_EQ(asked, 3);
    }
}
