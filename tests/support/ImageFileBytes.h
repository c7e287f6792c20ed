#pragma once
// Image files written by the tests themselves, byte by byte: icons and cursors of one colour, animated
// cursors (RIFF ACON) of such frames, 24-bit bitmaps and small GIF images.
#include <cstdint>
#include <string>
#include <vector>

namespace test {

using Bytes = std::vector<std::uint8_t>;

// An opaque square of `rgb` (0xRRGGBB), 32 bits a pixel with an all-opaque mask; `cursor` makes it a .cur
// with its hot spot at (1, 2).
Bytes IconFile(int size, std::uint32_t rgb, bool cursor = false);

// An animated cursor whose frames are the cursors of `rgbs`, one step each.
Bytes AnimatedCursorFile(int size, const std::vector<std::uint32_t>& rgbs);

// A 24-bit bitmap `width` x `height`; `pixel(x, y)` (0xRRGGBB, y from the top) gives its colours.
template <class PixelFn>
Bytes BitmapFile(int width, int height, PixelFn pixel);

// A GIF of up to four colours; `index(x, y)` picks each pixel's colour from `palette`.
template <class IndexFn>
Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette, IndexFn index);

namespace detail {
void Put16(Bytes& out, std::uint32_t value);
void Put32(Bytes& out, std::uint32_t value);
Bytes BitmapFile(int width, int height, const std::vector<std::uint32_t>& topDownPixels);
Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette,
              const std::vector<std::uint8_t>& indices);
}  // namespace detail

template <class PixelFn>
Bytes BitmapFile(int width, int height, PixelFn pixel)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixel(x, y));
    return detail::BitmapFile(width, height, pixels);
}

template <class IndexFn>
Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette, IndexFn index)
{
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            indices.push_back(static_cast<std::uint8_t>(index(x, y)));
    return detail::GifFile(width, height, palette, indices);
}

}  // namespace test
