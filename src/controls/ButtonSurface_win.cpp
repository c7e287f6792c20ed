#include "controls/ButtonSurface_win.h"

#include "runtime/Handles_win.h"
#include "runtime/MemoryBitmap_win.h"

#include <cstdint>

namespace controls {

namespace {

Rgb FromDib(std::uint32_t pixel)
{
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

std::uint32_t ToDib(Rgb color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

}  // namespace

void GdiButtonSurface::SetPicture(const rt::Picture* picture, int width, int height, Rgb mask, bool useMask)
{
    picture_ = picture;
    pictureWidth_ = width;
    pictureHeight_ = height;
    mask_ = mask;
    useMask_ = useMask;
}

void GdiButtonSurface::Fill(int left, int top, int right, int bottom, Rgb color)
{
    // An opaque empty text is GDI's cheapest solid fill: no brush to make or select.
    const RECT rect{left, top, right, bottom};
    SetBkColor(dc_, color);
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void GdiButtonSurface::SetTextColor(Rgb color)
{
    ::SetTextColor(dc_, color);
}

void GdiButtonSurface::Text(const PixelRect& rect)
{
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    DrawTextW(dc_, caption_.c_str(), static_cast<int>(caption_.size()), &r, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
}

void GdiButtonSurface::Picture(int x, int y, const PictureBlend& blend)
{
    if (!picture_)
        return;
    PictureBlend withMask = blend;
    withMask.mask = mask_;
    withMask.useMask = useMask_;
    BlitPicture(dc_, x, y, pictureWidth_, pictureHeight_, *picture_, withMask);
}

void BlitPicture(HDC target, int x, int y, int width, int height, const rt::Picture& picture, const PictureBlend& blend)
{
    if (width <= 0 || height <= 0)
        return;
    std::uint32_t* picturePixels = nullptr;
    std::uint32_t* backgroundPixels = nullptr;
    const auto source = rt::MemoryBitmap::WithPixels(width, height, picturePixels);
    const auto background = rt::MemoryBitmap::WithPixels(width, height, backgroundPixels);
    if (!picturePixels || !backgroundPixels)
        return;
    if (HBITMAP bitmap = picture.Bitmap()) {
        rt::MemoryDcHandle bitmapDc(CreateCompatibleDC(nullptr));
        rt::SelectScope select(bitmapDc.get(), bitmap);
        BitBlt(source.dc(), 0, 0, width, height, bitmapDc.get(), 0, 0, SRCCOPY);
    } else if (HICON icon = picture.Icon()) {
        const RECT all{0, 0, width, height};
        SetBkColor(source.dc(), blend.mask);
        ExtTextOutW(source.dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        DrawIconEx(source.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    }
    BitBlt(background.dc(), 0, 0, width, height, target, x, y, SRCCOPY);
    GdiFlush();  // the pixels are read directly below
    for (int i = 0; i < width * height; ++i)
        backgroundPixels[i] = ToDib(ComposePixel(FromDib(picturePixels[i]), FromDib(backgroundPixels[i]), blend));
    BitBlt(target, x, y, width, height, background.dc(), 0, 0, SRCCOPY);
}

}  // namespace controls
