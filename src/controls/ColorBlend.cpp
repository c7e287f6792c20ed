#include "controls/ColorBlend.h"

#include <algorithm>
#include <cmath>

namespace controls {

namespace {

int Channel(std::int32_t colour, int shift)
{
    return static_cast<int>((static_cast<std::uint32_t>(colour) >> shift) & 0xFF);
}

Rgb MakeRgb(int red, int green, int blue)
{
    return static_cast<Rgb>(red) | (static_cast<Rgb>(green) << 8) | (static_cast<Rgb>(blue) << 16);
}

// Halves to even; a weight outside 0-255 could push a channel out of range, which stays at the nearer end.
int RoundChannel(double value)
{
    return std::clamp(static_cast<int>(std::nearbyint(value)), 0, 255);
}

}  // namespace

Rgb BlendColors(std::int32_t a, std::int32_t b, int w)
{
    int channels[3];
    for (int shift : {16, 8, 0}) {
        const double value = Channel(a, shift) * static_cast<double>(w) / 255.0 +
                             Channel(b, shift) * static_cast<double>(255 - w) / 255.0;
        channels[shift / 8] = RoundChannel(value);
    }
    return MakeRgb(channels[0], channels[1], channels[2]);
}

float Max3(float a, float b, float c)
{
    return std::max(std::max(a, b), c);
}

float Min3(float a, float b, float c)
{
    return std::min(std::min(a, b), c);
}

void RGBToHLS(int red, int green, int blue, float& hue, float& saturation, float& luminance)
{
    const float r = static_cast<float>(red) / 255.0f;
    const float g = static_cast<float>(green) / 255.0f;
    const float b = static_cast<float>(blue) / 255.0f;
    const float max = Max3(r, g, b);
    const float min = Min3(r, g, b);
    luminance = (max + min) / 2.0f;
    if (max == min) {
        saturation = 0.0f;
        hue = 0.0f;
        return;
    }
    saturation = luminance <= 0.5f ? (max - min) / (max + min) : (max - min) / (2.0f - max - min);
    const float d = max - min;
    if (r == max)
        hue = (g - b) / d;
    else if (g == max)
        hue = 2.0f + (b - r) / d;
    else
        hue = 4.0f + (r - g) / d;
}

void HLSToRGB(float hue, float saturation, float luminance, int& red, int& green, int& blue)
{
    float r;
    float g;
    float b;
    if (saturation == 0.0f) {
        r = g = b = luminance;
    } else {
        const float m1 =
            luminance <= 0.5f ? luminance * (1.0f - saturation) : luminance - (1.0f - luminance) * saturation;
        const float m2 = 2.0f * luminance - m1;
        const float d = m2 - m1;
        if (hue < 1.0f) {
            r = m2;
            if (hue < 0.0f) {
                g = m1;
                b = m1 - hue * d;
            } else {
                b = m1;
                g = m1 + hue * d;
            }
        } else if (hue >= 3.0f) {
            b = m2;
            if (hue < 4.0f) {
                r = m1;
                g = m1 - (hue - 4.0f) * d;
            } else {
                g = m1;
                r = m1 + (hue - 4.0f) * d;
            }
        } else {
            g = m2;
            if (hue < 2.0f) {
                b = m1;
                r = m1 - (hue - 2.0f) * d;
            } else {
                r = m1;
                b = m1 + (hue - 2.0f) * d;
            }
        }
    }
    red = RoundChannel(r * 255.0f);
    green = RoundChannel(g * 255.0f);
    blue = RoundChannel(b * 255.0f);
}

Rgb ColorMemory::AdjustLuminance(std::int32_t colour)
{
    if (colour == lastInput_)
        return lastResult_;
    lastInput_ = colour;
    float hue;
    float saturation;
    float luminance;
    RGBToHLS(Channel(colour, 0), Channel(colour, 8), Channel(colour, 16), hue, saturation, luminance);
    if (luminance > 0.99f)
        luminance *= 0.8f;
    else
        luminance = std::min(luminance * 1.2f, 1.0f);
    int red;
    int green;
    int blue;
    HLSToRGB(hue, saturation, luminance, red, green, blue);
    lastResult_ = MakeRgb(red, green, blue);
    return lastResult_;
}

bool ColorMemory::IsHighColour(const DepthQuery& depth)
{
    if (!highColourFound_) {
        const int bits = depth ? depth() : 0;
        if (bits != 0) {
            highColourFound_ = true;
            highColour_ = bits >= 9;
        }
    }
    return highColour_;
}

}  // namespace controls
