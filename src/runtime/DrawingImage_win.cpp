#include "runtime/DrawingImage_win.h"

#include "runtime/Graphics_win.h"
#include "runtime/LastError_win.h"

#include <algorithm>

namespace rt {

void DrawingImage::Create(HFONT font, COLORREF textColor)
{
    Release();
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_) {
        RT_LOG_LAST_ERROR("CreateCompatibleDC");
        return;
    }
    SetBkMode(dc_.get(), TRANSPARENT);
    SetTextColor(textColor);
    SetFont(font);
}

void DrawingImage::Release()
{
    // The bitmap must leave the DC before either can be deleted.
    if (dc_) {
        if (originalBitmap_)
            SelectObject(dc_.get(), originalBitmap_);
        if (originalFont_)
            SelectObject(dc_.get(), originalFont_);
    }
    originalBitmap_ = nullptr;
    originalFont_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    size_ = {};
}

void DrawingImage::SetFont(HFONT font)
{
    if (!dc_ || !font)
        return;
    HGDIOBJ previous = SelectObject(dc_.get(), font);
    if (!originalFont_)
        originalFont_ = previous;
}

void DrawingImage::SetTextColor(COLORREF color)
{
    if (dc_)
        ::SetTextColor(dc_.get(), color);
}

bool DrawingImage::Resize(SIZE pixels, COLORREF back)
{
    if (!dc_)
        return false;
    pixels.cx = std::max<LONG>(pixels.cx, 1);
    pixels.cy = std::max<LONG>(pixels.cy, 1);
    if (bitmap_ && pixels.cx == size_.cx && pixels.cy == size_.cy)
        return false;
    WindowDc screen(nullptr);
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), pixels.cx, pixels.cy));
    if (!bitmap) {
        RT_LOG_LAST_ERROR("CreateCompatibleBitmap");
        return false;
    }
    HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
    if (!originalBitmap_)
        originalBitmap_ = previous;
    bitmap_ = std::move(bitmap);  // the old bitmap is no longer selected: it can go
    size_ = pixels;
    Clear(back);
    return true;
}

void DrawingImage::Clear(COLORREF back)
{
    if (!dc_)
        return;
    const RECT all{0, 0, size_.cx, size_.cy};
    FillRect(dc_.get(), &all, CachedBrush(back));
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
        if (dc_) {
            const RECT& area = paint.area();
            BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(),
                   area.left, area.top, SRCCOPY);
        }
        return true;
    }
    case WM_PRINTCLIENT:
        if (dc_)
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
        return true;
    default:
        return false;
    }
}

}  // namespace rt
