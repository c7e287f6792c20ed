#include "support/PixelCanvas_win.h"

namespace test {

PixelCanvas::PixelCanvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.reset(CreateCompatibleDC(nullptr));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    bits_ = static_cast<std::uint32_t*>(bits);
    Fill(fill);
}

PixelCanvas::~PixelCanvas()
{
    SelectObject(dc_.get(), previous_);
}

void PixelCanvas::Fill(COLORREF color)
{
    const RECT all{0, 0, width_, height_};
    SetBkColor(dc_.get(), color);
    ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
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
