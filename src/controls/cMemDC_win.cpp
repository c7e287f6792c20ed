#include "controls/cMemDC_win.h"

#include "runtime/LastError_win.h"

#include <utility>

namespace controls {

cMemDC::cMemDC(cMemDC&& other) noexcept
    : dc_(std::move(other.dc_)), oldBitmap_(std::exchange(other.oldBitmap_, nullptr)),
      bitmap_(std::move(other.bitmap_)), width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0))
{
}

cMemDC& cMemDC::operator=(cMemDC&& other) noexcept
{
    if (this != &other) {
        FreeMemoryDC();
        dc_ = std::move(other.dc_);
        oldBitmap_ = std::exchange(other.oldBitmap_, nullptr);
        bitmap_ = std::move(other.bitmap_);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void cMemDC::Width(int lW)
{
    if (lW > width_)
        CreateMemoryDC(lW, height_);
}

void cMemDC::Height(int lH)
{
    if (lH > height_)
        CreateMemoryDC(width_, lH);
}

void cMemDC::CreateMemoryDC(int w, int h)
{
    FreeMemoryDC();
    const rt::MemoryDcHandle display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (!display) {
        RT_LOG_LAST_ERROR("CreateDCW");
        return;
    }
    dc_.reset(CreateCompatibleDC(display.get()));
    bitmap_.reset(CreateCompatibleBitmap(display.get(), w, h));
    if (dc_ && bitmap_)
        oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    if (oldBitmap_ == nullptr || oldBitmap_ == HGDI_ERROR) {
        oldBitmap_ = nullptr;
        RT_LOG_LAST_ERROR("SelectObject");
        FreeMemoryDC();
        return;
    }
    width_ = w;
    height_ = h;
}

void cMemDC::FreeMemoryDC()
{
    if (dc_ && oldBitmap_)
        SelectObject(dc_.get(), oldBitmap_);  // gives the made bitmap free for deletion; nothing to check
    oldBitmap_ = nullptr;
    bitmap_.reset();
    width_ = 0;
    height_ = 0;
    dc_.reset();
}

}  // namespace controls
