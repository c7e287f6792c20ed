#include "runtime/DrawingImage_win.h"

#include "runtime/Graphics_win.h"

#include <algorithm>

namespace rt {

void DrawingImage::Create(HFONT font, COLORREF textColor)
{
    Release();
    image_ = MemoryBitmap(nullptr);
    if (!image_)
        return;
    SetBkMode(image_.dc(), TRANSPARENT);
    SetTextColor(textColor);
    SetFont(font);
}

void DrawingImage::Release()
{
    font_.Restore();
    image_.reset();
    size_ = {};
}

void DrawingImage::SetFont(HFONT font)
{
    if (image_)
        font_.Select(image_.dc(), font);
}

void DrawingImage::SetTextColor(COLORREF color)
{
    if (image_)
        ::SetTextColor(image_.dc(), color);
}

bool DrawingImage::Resize(SIZE pixels, COLORREF back)
{
    if (!image_)
        return false;
    pixels.cx = std::max<LONG>(pixels.cx, 1);
    pixels.cy = std::max<LONG>(pixels.cy, 1);
    if (image_.bitmap() && pixels.cx == size_.cx && pixels.cy == size_.cy)
        return false;
    if (!image_.Adopt(CompatibleBitmap(nullptr, pixels.cx, pixels.cy)))
        return false;
    size_ = pixels;
    Clear(back);
    return true;
}

void DrawingImage::Clear(COLORREF back)
{
    if (!image_)
        return;
    const RECT all{0, 0, size_.cx, size_.cy};
    FillRect(image_.dc(), &all, CachedBrush(back));
}

bool DrawingImage::PaintMessage(HWND hwnd, UINT message, WPARAM wParam, LRESULT& result) const
{
    result = 0;
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;  // the image covers the whole client area
        return true;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        if (image_) {
            const RECT& area = paint.area();
            BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, image_.dc(),
                   area.left, area.top, SRCCOPY);
        }
        return true;
    }
    case WM_PRINTCLIENT:
        if (image_)
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, size_.cx, size_.cy, image_.dc(), 0, 0, SRCCOPY);
        return true;
    default:
        return false;
    }
}

}  // namespace rt
