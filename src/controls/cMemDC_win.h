#pragma once
// An off-screen drawing surface that only grows: items are painted into it and then copied to the screen, and
// it is rebuilt only when an item is wider or taller than every one before. Owns its context and bitmap.
#include "runtime/MemoryBitmap_win.h"

#include <windows.h>

namespace controls {

class cMemDC {
public:
    cMemDC() = default;
    ~cMemDC() { FreeMemoryDC(); }
    cMemDC(cMemDC&& other) noexcept;
    cMemDC& operator=(cMemDC&& other) noexcept;
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;

    HDC hdc() const { return image_.dc(); }

    // A larger value rebuilds the context at the new size, the other dimension kept, the old contents lost;
    // the same or a smaller value changes nothing. A dimension of 0 gives the platform's 1 x 1 bitmap.
    int Width() const { return width_; }
    void Width(int lW);
    int Height() const { return height_; }
    void Height(int lH);

private:
    void CreateMemoryDC(int w, int h);
    void FreeMemoryDC();

    rt::MemoryBitmap image_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace controls
