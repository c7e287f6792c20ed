#pragma once
// Colour arithmetic of the program's push button: the shade rule every face, frame and caption colour comes
// from, the colour table a draw works with, and the per-pixel rule that composes a picture onto the face.
// Colours are RGB values with red in the low byte (0x00BBGGRR).
#include "controls/ColorBlend.h"

#include <cstdint>

namespace controls {

// A lighter (amount > 0) or darker (amount < 0) version of `color`. Red and green move by the amount, blue in
// proportion to its own value (B * amount / 192); each channel clamps at 0 or 255. `soft` halves the amount
// first, truncating toward zero.
Rgb ShiftColor(Rgb color, int amount, bool soft);

// The colours one draw of a button uses, derived from its translated property colours.
struct ButtonColors {
    Rgb FaceFillColor = 0;    // the face colour itself
    Rgb FaceColor = 0;        // the base of every shade of the face: the face lightened by 48
    Rgb FaceShadowColor = 0;  // shadow of a lifted picture: the face darkened by 64
    Rgb TextColor = 0;
    Rgb TextOverColor = 0;
    Rgb MaskRGB = 0;

    friend bool operator==(const ButtonColors&, const ButtonColors&) = default;
};

ButtonColors PrepareColors(Rgb face, Rgb text, Rgb textOver, Rgb mask, bool soft);

// Fixed colours of the frame and of the two rings.
inline constexpr Rgb kFrameColor = 0x733C00;
inline constexpr Rgb kFrameCornerColor = 0x7B4D10;

struct RingColors {
    Rgb outline;
    Rgb bottom;
    Rgb top;
    Rgb second;
    Rgb sides;
};
inline constexpr RingColors kHoverRing{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
inline constexpr RingColors kFocusRing{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};

// The shade amount of face row `i` (1 to height): -(25 / height) * i in single precision, rounded half to even,
// so the face darkens by up to 25 whatever its height.
int FaceShade(int i, int height);

// How BlitPicture treats one pixel of a picture.
struct PictureBlend {
    Rgb mask = 0;
    bool useMask = true;
    std::int32_t effectColor = -1;  // 0 or more: a single-colour copy in this colour; -1: the picture itself
    bool greyed = false;
    bool blended = false;  // two thirds picture, one third background
};

// The composed colour of one pixel: the background where the picture shows its mask colour, else the effect
// colour, the grey, the blend or the picture pixel, in that order of precedence.
Rgb ComposePixel(Rgb picture, Rgb background, const PictureBlend& blend);

}  // namespace controls
