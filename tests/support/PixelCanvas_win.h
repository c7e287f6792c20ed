#pragma once
// A 32-bit top-down image in its own memory context, for drawing tests: pixels read back as RGB values.
#include "runtime/MemoryBitmap_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace test {

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill);
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return image_.dc(); }
    void Fill(COLORREF color);
    COLORREF At(int x, int y) const;
    // Pixels of `color` in left..right-1, top..bottom-1.
    int Count(COLORREF color, int left, int top, int right, int bottom) const;
    std::vector<COLORREF> Region(int left, int top, int right, int bottom) const;

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    rt::MemoryBitmap image_;
};

}  // namespace test
