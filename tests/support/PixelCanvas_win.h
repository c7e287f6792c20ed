#pragma once
// A 32-bit top-down image in its own memory context, for drawing tests: pixels read back as RGB values.
#include "runtime/Handles_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace test {

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return dc_.get(); }
    void Fill(COLORREF color);
    COLORREF At(int x, int y) const;
    // Pixels of `color` in left..right-1, top..bottom-1.
    int Count(COLORREF color, int left, int top, int right, int bottom) const;
    std::vector<COLORREF> Region(int left, int top, int right, int bottom) const;

private:
    int width_;
    int height_;
    rt::BitmapHandle bitmap_;
    rt::MemoryDcHandle dc_;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

}  // namespace test
