#include "runtime/MemoryBitmap_win.h"

#include "runtime/LastError_win.h"

#include <utility>

namespace rt {

BitmapHandle CompatibleBitmap(HDC reference, int width, int height)
{
    BitmapHandle bitmap;
    if (reference) {
        bitmap.reset(CreateCompatibleBitmap(reference, width, height));
    } else {
        const WindowDc screen(nullptr);
        bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
    }
    if (!bitmap)
        RT_LOG_LAST_ERROR("CreateCompatibleBitmap");
    return bitmap;
}

BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

MemoryBitmap::MemoryBitmap(HDC reference) : dc_(CreateCompatibleDC(reference))
{
    if (!dc_)
        RT_LOG_LAST_ERROR("CreateCompatibleDC");
}

MemoryBitmap::MemoryBitmap(HDC reference, int width, int height) : MemoryBitmap(reference)
{
    if (!dc_)
        return;
    if (!Adopt(CompatibleBitmap(reference, width, height)))
        dc_.reset();
}

MemoryBitmap MemoryBitmap::WithPixels(int width, int height, std::uint32_t*& bits)
{
    bits = nullptr;
    const BITMAPINFO info = TopDownInfo(width, height);
    void* pixels = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap)
        RT_LOG_LAST_ERROR("CreateDIBSection");
    MemoryBitmap image(nullptr);
    if (image.Adopt(std::move(bitmap)))
        bits = static_cast<std::uint32_t*>(pixels);
    return image;
}

MemoryBitmap::MemoryBitmap(MemoryBitmap&& other) noexcept
    : dc_(std::move(other.dc_)), owned_(std::move(other.owned_)), bitmap_(std::exchange(other.bitmap_, nullptr)),
      selection_(std::move(other.selection_))
{
}

MemoryBitmap& MemoryBitmap::operator=(MemoryBitmap&& other) noexcept
{
    if (this != &other) {
        reset();
        dc_ = std::move(other.dc_);
        owned_ = std::move(other.owned_);
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        selection_ = std::move(other.selection_);
    }
    return *this;
}

bool MemoryBitmap::Adopt(BitmapHandle bitmap)
{
    HBITMAP handle = bitmap.get();
    return Select(handle, std::move(bitmap));
}

bool MemoryBitmap::Show(HBITMAP bitmap)
{
    return Select(bitmap, BitmapHandle());
}

bool MemoryBitmap::Select(HBITMAP bitmap, BitmapHandle owned)
{
    if (!dc_ || !bitmap)
        return false;
    if (!selection_.Select(dc_.get(), bitmap)) {
        RT_LOG_LAST_ERROR("SelectObject");
        return false;
    }
    owned_ = std::move(owned);  // the bitmap before it has just left the context: it can go
    bitmap_ = bitmap;
    return true;
}

void MemoryBitmap::reset()
{
    selection_.Restore();
    owned_.reset();
    bitmap_ = nullptr;
    dc_.reset();
}

}  // namespace rt
