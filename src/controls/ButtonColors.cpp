#include "controls/ButtonColors.h"

#include <algorithm>
#include <cmath>

namespace controls {

namespace {

int Red(Rgb color)
{
    return static_cast<int>(color & 0xFF);
}
int Green(Rgb color)
{
    return static_cast<int>((color >> 8) & 0xFF);
}
int Blue(Rgb color)
{
    return static_cast<int>((color >> 16) & 0xFF);
}
Rgb MakeRgb(int red, int green, int blue)
{
    return static_cast<Rgb>(red) | (static_cast<Rgb>(green) << 8) | (static_cast<Rgb>(blue) << 16);
}

// Rounds half to even, as the shade and grey rules require.
int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

Rgb ShiftColor(Rgb color, int amount, bool soft)
{
    if (soft)
        amount /= 2;
    int blue = Blue(color);
    int green = Green(color);
    int red = Red(color);
    blue += blue * amount / 192;
    green += amount;
    red += amount;
    // Only the direction of the shift can push a channel out of range.
    if (amount > 0) {
        blue = std::min(blue, 255);
        green = std::min(green, 255);
        red = std::min(red, 255);
    } else if (amount < 0) {
        blue = std::max(blue, 0);
        green = std::max(green, 0);
        red = std::max(red, 0);
    }
    return MakeRgb(red, green, blue);
}

ButtonColors PrepareColors(Rgb face, Rgb text, Rgb textOver, Rgb mask, bool soft)
{
    ButtonColors colors;
    colors.FaceFillColor = face;
    colors.TextColor = text;
    colors.TextOverColor = textOver;
    colors.MaskRGB = mask;
    colors.FaceShadowColor = ShiftColor(face, -64, soft);
    colors.FaceColor = ShiftColor(face, 48, soft);
    return colors;
}

int FaceShade(int i, int height)
{
    const float step = 25.0f / static_cast<float>(height);
    return RoundEven(-static_cast<double>(step) * i);
}

Rgb ComposePixel(Rgb picture, Rgb background, const PictureBlend& blend)
{
    if (blend.useMask && picture == blend.mask)
        return background;
    if (blend.effectColor >= 0)
        return static_cast<Rgb>(blend.effectColor);
    const int red = Red(picture);
    const int green = Green(picture);
    const int blue = Blue(picture);
    if (blend.greyed) {
        const int grey = RoundEven(RoundEven(0.3 * red) + 0.59 * green + 0.11 * blue);
        return MakeRgb(grey, grey, grey);
    }
    if (blend.blended)
        return MakeRgb((Red(background) + 2 * red) / 3, (Green(background) + 2 * green) / 3,
                       (Blue(background) + 2 * blue) / 3);
    return picture;
}

}  // namespace controls
