#pragma once
// The looks of the program's push button (up, down, disabled; hover ring, focus ring, bevel; caption effects
// and picture states), painted through a small surface interface so that the geometry is the same on screen
// and in tests.
#include "controls/ButtonColors.h"
#include "controls/ButtonLayout.h"

namespace controls {

// What the button paints on. Fills cover the pixels left..right-1 and top..bottom-1. The text colour is state
// of the surface: it stays as set until set again, also from one draw to the next.
class ButtonSurface {
public:
    virtual ~ButtonSurface() = default;
    virtual void Fill(int left, int top, int right, int bottom, Rgb color) = 0;
    virtual void SetTextColor(Rgb color) = 0;
    // The caption, centred and word-wrapped in `rect`, in the current text colour.
    virtual void Text(const PixelRect& rect) = 0;
    // The picture composed at (x, y) as `blend` says (mask colour and mask use filled in by the surface).
    virtual void Picture(int x, int y, const PictureBlend& blend) = 0;
};

// Button states of a draw.
inline constexpr int kStateUp = 0;
inline constexpr int kStateDown = 2;

// Everything one draw depends on.
struct ButtonLook {
    int width = 0;
    int height = 0;
    int state = kStateUp;
    bool enabled = true;
    bool hovered = false;
    bool focusRing = false;  // ShowFocusRect and (the focus or the container's default button)
    bool soft = false;       // SoftBevel
    int specialEffect = 0;
    int picturePosition = 0;
    bool hasPicture = false;
    ButtonColors colors{};  // already taken from the hover face colour while hovered
    PixelRect captionRect{};
    PixelRect pressedCaptionRect{};
    PixelPoint picture{};  // top-left of the picture
};

// Paints the whole face, frame, edge, caption and picture for `look`; returns the text state of the last
// caption draw (0 up, 1 hovered, 2 down, 5 disabled), or -1 when the state drew nothing.
int PaintButton(ButtonSurface& surface, const ButtonLook& look);

}  // namespace controls
