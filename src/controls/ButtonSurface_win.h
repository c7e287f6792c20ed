#pragma once
// The button's looks painted with GDI on a device context: the button's drawing image or any memory DC.
#include "controls/ButtonPainter.h"
#include "runtime/Picture_win.h"

#include <windows.h>

#include <string>

namespace controls {

class GdiButtonSurface : public ButtonSurface {
public:
    // `caption` must outlive the surface.
    GdiButtonSurface(HDC dc, const std::wstring& caption) : dc_(dc), caption_(caption) {}

    // The picture that Picture() draws, at width x height pixels; nullptr for none.
    void SetPicture(const rt::Picture* picture, int width, int height, Rgb mask, bool useMask);

    void Fill(int left, int top, int right, int bottom, Rgb color) override;
    void SetTextColor(Rgb color) override;
    void Text(const PixelRect& rect) override;
    void Picture(int x, int y, const PictureBlend& blend) override;

private:
    HDC dc_;
    const std::wstring& caption_;
    const rt::Picture* picture_ = nullptr;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    Rgb mask_ = 0;
    bool useMask_ = true;
};

// Composes the top-left width x height pixels of `picture` onto `target` at (x, y) pixel by pixel as `blend`
// says (ComposePixel). An icon is first drawn in its own size on an image filled with the mask colour.
void BlitPicture(HDC target, int x, int y, int width, int height, const rt::Picture& picture,
                 const PictureBlend& blend);

}  // namespace controls
