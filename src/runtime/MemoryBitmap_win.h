#pragma once
// A memory device context and the bitmap drawn into it, as one owner. The context's original bitmap goes
// back first, then the bitmap is deleted, then the context: a bitmap still selected cannot be deleted.
#include "runtime/Handles_win.h"

#include <windows.h>

#include <cstdint>

namespace rt {

// A `width` x `height` bitmap compatible with `reference`, the screen's for nullptr (a memory context's own
// bitmap is monochrome); empty, the failure logged, when it cannot be made.
BitmapHandle CompatibleBitmap(HDC reference, int width, int height);
// The header of a top-down 32-bit image (pixels 0x00RRGGBB, row after row), as DIB sections and copies take it.
BITMAPINFO TopDownInfo(int width, int height);

class MemoryBitmap {
public:
    MemoryBitmap() = default;
    // A memory context compatible with `reference` (nullptr: the screen), still holding its own 1 x 1 bitmap.
    explicit MemoryBitmap(HDC reference);
    // The same context holding a new CompatibleBitmap; empty when either cannot be made.
    MemoryBitmap(HDC reference, int width, int height);
    // A TopDownInfo DIB section in a memory context of its own; `bits` points at its pixels, nullptr when it
    // cannot be made.
    static MemoryBitmap WithPixels(int width, int height, std::uint32_t*& bits);
    ~MemoryBitmap() = default;
    MemoryBitmap(MemoryBitmap&& other) noexcept;
    MemoryBitmap& operator=(MemoryBitmap&& other) noexcept;
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    // Puts `bitmap` into the context in place of the bitmap there, which is deleted if it is owned here;
    // false when the context refuses it (the given bitmap is then deleted, nothing else changes).
    bool Adopt(BitmapHandle bitmap);
    // The same for a bitmap its caller keeps, alive for as long as it stays selected here.
    bool Show(HBITMAP bitmap);
    void reset();

    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_; }  // nullptr while the context holds its own
    explicit operator bool() const { return static_cast<bool>(dc_); }

private:
    bool Select(HBITMAP bitmap, BitmapHandle owned);

    // Destroyed from the bottom up: the selection undone, the bitmap deleted, the context deleted.
    MemoryDcHandle dc_;
    BitmapHandle owned_;
    HBITMAP bitmap_ = nullptr;
    SelectScope selection_;
};

}  // namespace rt
