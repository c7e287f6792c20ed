#pragma once
// Colour arithmetic of the menu control's flat look, in namespace controls: blends of two colours, a lighter
// or darker shade of one, and the conversions between RGB and hue/luminance/saturation they rest on.
// Colours are RGB values with red in the low byte (0x00BBGGRR). OLE colours are translated by the caller;
// a colour that did not translate arrives as -1 and so counts as white in every channel.
#include <cstdint>
#include <functional>

namespace controls {

// An RGB value, 0x00BBGGRR: the one colour type of the controls' portable drawing.
using Rgb = std::uint32_t;

// a * w / 255 + b * (255 - w) / 255 per channel, halves to even: w = 255 gives a, w = 0 gives b.
Rgb BlendColors(std::int32_t a, std::int32_t b, int w);

// Hue in sixths of the colour circle, -1 to 5 (red 0, green 2, blue 4); saturation and luminance 0 to 1.
void RGBToHLS(int red, int green, int blue, float& hue, float& saturation, float& luminance);
void HLSToRGB(float hue, float saturation, float luminance, int& red, int& green, int& blue);

float Max3(float a, float b, float c);
float Min3(float a, float b, float c);

// What one menu control remembers between draws: the last colour AdjustLuminance was given and its answer,
// and whether the display shows more than 256 colours once that is known.
class ColorMemory {
public:
    // The display's bits per pixel, or 0 when no display context could be made.
    using DepthQuery = std::function<int()>;

    // A near-white colour (luminance above 0.99) darkened to 80 % of its luminance, any other lightened to
    // 120 % (at most 1). The same colour twice in a row is computed once.
    Rgb AdjustLuminance(std::int32_t colour);

    // Asks `depth` until it gives an answer, then keeps that answer for good; false until then.
    bool IsHighColour(const DepthQuery& depth);

private:
    std::int32_t lastInput_ = 0;
    Rgb lastResult_ = 0;
    bool highColour_ = false;
    bool highColourFound_ = false;
};

}  // namespace controls
