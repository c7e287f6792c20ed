#include "controls/cMemDC_win.h"

#include <utility>

namespace controls {

cMemDC::cMemDC(cMemDC&& other) noexcept
    : image_(std::move(other.image_)), width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0))
{
}

cMemDC& cMemDC::operator=(cMemDC&& other) noexcept
{
    if (this != &other) {
        image_ = std::move(other.image_);
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
    image_ = rt::MemoryBitmap(nullptr, w, h);  // compatible with the screen, with no display context made for it
    if (!image_)
        return;  // logged where it failed
    width_ = w;
    height_ = h;
}

void cMemDC::FreeMemoryDC()
{
    image_.reset();
    width_ = 0;
    height_ = 0;
}

}  // namespace controls
