#include "support/PixelCanvas_win.h"

namespace test {

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), image_(rt::MemoryBitmap::WithPixels(width, height, bits_))
{
    Fill(fill);
}

void PixelCanvas::Fill(COLORREF color)
{
    const RECT all{0, 0, width_, height_};
    SetBkColor(image_.dc(), color);
    ExtTextOutW(image_.dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
}

COLORREF PixelCanvas::At(int x, int y) const
{
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int PixelCanvas::Count(COLORREF color, int left, int top, int right, int bottom) const
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += At(x, y) == color;
    return n;
}

std::vector<COLORREF> PixelCanvas::Region(int left, int top, int right, int bottom) const
{
    std::vector<COLORREF> out;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            out.push_back(At(x, y));
    return out;
}

}  // namespace test
