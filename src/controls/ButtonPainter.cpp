#include "controls/ButtonPainter.h"

#include <algorithm>

namespace controls {

namespace {

inline constexpr int kTextUp = 0;
inline constexpr int kTextHovered = 1;
inline constexpr int kTextDown = 2;
inline constexpr int kTextDisabled = 5;

inline constexpr int kPictureUp = 0;
inline constexpr int kPictureDown = 1;
inline constexpr int kPictureDisabled = 2;

class Painter {
public:
    Painter(ButtonSurface& surface, const ButtonLook& look) : s_(surface), look_(look) {}

    int Paint()
    {
        const int w = look_.width;
        const int h = look_.height;
        Rect(0, 0, w, h, look_.colors.FaceFillColor);
        if (!look_.enabled)
            Disabled();
        else if (look_.state == kStateUp)
            Up();
        else if (look_.state == kStateDown)
            Down();
        return lastCaptionState_;
    }

private:
    Rgb Shift(Rgb color, int amount) const { return ShiftColor(color, amount, look_.soft); }
    Rgb Face(int amount) const { return Shift(look_.colors.FaceColor, amount); }

    void Rect(int left, int top, int right, int bottom, Rgb color)
    {
        if (right > left && bottom > top)
            s_.Fill(left, top, right, bottom, color);
    }

    // A one-pixel line from (x1, y1) up to but not including (x2, y2); every line of the button is horizontal or
    // vertical.
    void Line(int x1, int y1, int x2, int y2, Rgb color)
    {
        if (y1 == y2) {
            if (x2 >= x1)
                Rect(x1, y1, x2, y1 + 1, color);
            else
                Rect(x2 + 1, y1, x1 + 1, y1 + 1, color);
        } else if (x1 == x2) {
            if (y2 >= y1)
                Rect(x1, y1, x1 + 1, y2, color);
            else
                Rect(x1, y2 + 1, x1 + 1, y1 + 1, color);
        }
    }

    void Outline(int left, int top, int right, int bottom, Rgb color)
    {
        if (right <= left || bottom <= top)
            return;
        Rect(left, top, right, top + 1, color);
        Rect(left, bottom - 1, right, bottom, color);
        Rect(left, top + 1, left + 1, bottom - 1, color);
        Rect(right - 1, top + 1, right, bottom - 1, color);
    }

    void Pixel(int x, int y, Rgb color) { Rect(x, y, x + 1, y + 1, color); }

    void FrameAndCorners(Rgb frame, Rgb corner)
    {
        const int w = look_.width;
        const int h = look_.height;
        Outline(0, 0, w, h, frame);
        Pixel(1, 1, corner);
        Pixel(1, h - 2, corner);
        Pixel(w - 2, 1, corner);
        Pixel(w - 2, h - 2, corner);
    }

    void Up()
    {
        const int w = look_.width;
        const int h = look_.height;
        for (int i = 1; i <= h; ++i)
            Line(0, i, w, i, Face(FaceShade(i, h)));
        Caption(look_.hovered ? kTextHovered : kTextUp);
        FrameAndCorners(kFrameColor, kFrameCornerColor);
        if (look_.hovered)
            Ring(kHoverRing);
        else if (look_.focusRing)
            Ring(kFocusRing);
        else
            Bevel();
        PictureAndCaption(kPictureUp);
    }

    void Ring(const RingColors& ring)
    {
        const int w = look_.width;
        const int h = look_.height;
        Outline(1, 2, w - 1, h - 2, ring.outline);
        Line(2, h - 2, w - 2, h - 2, ring.bottom);
        Line(2, 1, w - 2, 1, ring.top);
        Line(1, 2, w - 1, 2, ring.second);
        Line(2, 3, 2, h - 3, ring.sides);
        Line(w - 3, 3, w - 3, h - 3, ring.sides);
    }

    void Bevel()
    {
        const int w = look_.width;
        const int h = look_.height;
        Line(2, h - 2, w - 2, h - 2, Face(-48));
        Line(1, h - 3, w - 2, h - 3, Face(-32));
        Line(w - 2, 2, w - 2, h - 2, Face(-36));
        Line(w - 3, 3, w - 3, h - 3, Face(-24));
        Line(2, 1, w - 2, 1, Face(16));
        Line(1, 2, w - 2, 2, Face(10));
        Line(1, 2, 1, h - 2, Face(-5));
        Line(2, 3, 2, h - 3, Face(-10));
    }

    void Down()
    {
        const int w = look_.width;
        const int h = look_.height;
        const Rgb base = Face(-16);
        for (int i = 1; i <= h; ++i)
            Line(0, h - i, w, h - i, Shift(base, FaceShade(i, h)));
        Caption(kTextDown);
        FrameAndCorners(kFrameColor, kFrameCornerColor);
        Line(2, h - 2, w - 2, h - 2, Shift(base, 16));
        Line(1, h - 3, w - 2, h - 3, Shift(base, 10));
        Line(w - 2, 2, w - 2, h - 2, Shift(base, 5));
        Line(w - 3, 3, w - 3, h - 3, look_.colors.FaceColor);
        Line(2, 1, w - 2, 1, Shift(base, -32));
        Line(1, 2, w - 2, 2, Shift(base, -24));
        Line(1, 2, 1, h - 2, Shift(base, -32));
        Line(2, 2, 2, h - 2, Shift(base, -22));
        PictureAndCaption(kPictureDown);
    }

    void Disabled()
    {
        Rect(0, 0, look_.width, look_.height, Face(-24));
        Caption(kTextDisabled);
        FrameAndCorners(Face(-84), Face(-72));
        PictureAndCaption(kPictureDisabled);
    }

    // DrawCaption.
    void Caption(int textState)
    {
        lastCaptionState_ = textState;
        switch (textState) {
        case kTextUp:
            CaptionEffect(look_.captionRect);
            s_.SetTextColor(look_.colors.TextColor);
            break;
        case kTextHovered:
            CaptionEffect(look_.captionRect);
            s_.SetTextColor(look_.colors.TextOverColor);
            break;
        case kTextDisabled:
            s_.SetTextColor(Face(-104));
            break;
        default:
            break;  // down: the colour the previous draw left
        }
        s_.Text(textState == kTextDown ? look_.pressedCaptionRect : look_.captionRect);
    }

    // Raised (1): dark below right, light above left; sunken (2): the reverse; 3 or more: only the shadow.
    void CaptionEffect(const PixelRect& rect)
    {
        const int effect = look_.specialEffect;
        if (effect <= 0)
            return;
        s_.SetTextColor(Face(effect == 2 ? 40 : -40));
        s_.Text(rect.Offset(1, 1));
        if (effect < 3) {
            s_.SetTextColor(Face(effect == 2 ? -40 : 40));
            s_.Text(rect.Offset(-1, -1));
        }
    }

    void PictureAt(int x, int y, std::int32_t effectColor, bool greyed, bool blended)
    {
        PictureBlend blend;
        blend.effectColor = effectColor;
        blend.greyed = greyed;
        blend.blended = blended;
        s_.Picture(x, y, blend);
    }

    void PictureEffect(int offset)
    {
        const int effect = look_.specialEffect;
        if (effect <= 0)
            return;
        const int x = look_.picture.x;
        const int y = look_.picture.y;
        PictureAt(x + 1 + offset, y + 1 + offset, static_cast<std::int32_t>(Face(effect == 2 ? 40 : -40)), false,
                  false);
        if (effect < 3)
            PictureAt(x - 1 + offset, y - 1 + offset, static_cast<std::int32_t>(Face(effect == 2 ? -40 : 40)), false,
                      false);
    }

    // DrawPictureAndCaption.
    void PictureAndCaption(int pictureState)
    {
        if (!look_.hasPicture)
            return;
        const int x = look_.picture.x;
        const int y = look_.picture.y;
        switch (pictureState) {
        case kPictureUp:
            if (look_.hovered) {
                PictureEffect(-1);
                PictureAt(x + 1, y + 1, static_cast<std::int32_t>(look_.colors.FaceShadowColor), false, false);
                PictureAt(x - 1, y - 1, -1, false, false);
            } else {
                PictureEffect(0);
                PictureAt(x, y, -1, false, true);
            }
            break;
        case kPictureDown:
            PictureEffect(1);
            PictureAt(x + 1, y + 1, -1, false, false);
            break;
        default:
            PictureAt(x + 1, y + 1, -1, true, false);
            break;
        }
        if (EffectivePicturePosition(look_.picturePosition) == kPictureBehind)
            Caption(lastCaptionState_);
    }

    ButtonSurface& s_;
    const ButtonLook& look_;
    int lastCaptionState_ = -1;
};

}  // namespace

int PaintButton(ButtonSurface& surface, const ButtonLook& look)
{
    return Painter(surface, look).Paint();
}

}  // namespace controls
