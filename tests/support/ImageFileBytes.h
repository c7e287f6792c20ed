#pragma once
// Image files written by the tests themselves, byte by byte: icons and cursors of one colour, animated
// cursors (RIFF ACON) of such frames, 24-bit, palette and run-length bitmaps, small GIF images, JPEGs of one
// flat grey and PNGs.
#include <cstddef>
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

// An icon of `bits` 1, 4 or 8 a pixel: a full palette, every pixel of colour 1, an all-opaque mask.
Bytes PaletteIconFile(int size, int bits);

// An icon whose one image is a PNG of `size` x `size`, of one colour.
Bytes PngIconFile(int size, std::uint32_t rgb);

// A bitmap of 8 bits a pixel with a palette of `colours` entries, `index(x, y)` (y from the top) for each
// pixel; `rle` codes it as runs (BI_RLE8), ended by the end-of-bitmap mark.
template <class IndexFn> Bytes PaletteBitmapFile(int width, int height, int colours, bool rle, IndexFn index);

// A bitmap of 4 bits a pixel coded as runs (BI_RLE4), every pixel of colour `index`.
Bytes Rle4BitmapFile(int width, int height, int index);

// Small bitmaps of the other headers: 16 bits a pixel with a 40-byte header and three masks (BI_BITFIELDS),
// 1 bit a pixel with a 12-byte core header, and 32 bits a pixel top-down with a 124-byte (V5) header.
Bytes BitfieldsBitmapFile();
Bytes CoreBitmapFile();
Bytes TopDownV5BitmapFile();

// A JPEG of one flat grey, Huffman-coded with one-bit codes: `components` 1 or 3 (sampled alike);
// `progressive` writes a DC scan and one AC scan for each component instead of one baseline scan.
Bytes JpegFile(int width, int height, int components = 1, bool progressive = false);

// An 8-bit RGB PNG, its data deflated as stored blocks; `pixel(x, y)` gives each colour (0xRRGGBB).
template <class PixelFn> Bytes PngFile(int width, int height, PixelFn pixel);

// A 24-bit bitmap `width` x `height`; `pixel(x, y)` (0xRRGGBB, y from the top) gives its colours.
template <class PixelFn> Bytes BitmapFile(int width, int height, PixelFn pixel);

// A GIF of up to four colours; `index(x, y)` picks each pixel's colour from `palette`.
template <class IndexFn> Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette, IndexFn index);

namespace detail {
void Put16(Bytes& out, std::uint32_t value);
void Put32(Bytes& out, std::uint32_t value);
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count);  // PNG's (and zlib's) CRC-32
Bytes BitmapFile(int width, int height, const std::vector<std::uint32_t>& topDownPixels);
Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette,
              const std::vector<std::uint8_t>& indices);
Bytes PaletteBitmapFile(int width, int height, int colours, bool rle, const std::vector<std::uint8_t>& topDown);
Bytes PngFile(int width, int height, const std::vector<std::uint32_t>& topDownPixels);
}  // namespace detail

template <class PixelFn> Bytes BitmapFile(int width, int height, PixelFn pixel)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixel(x, y));
    return detail::BitmapFile(width, height, pixels);
}

template <class IndexFn> Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette, IndexFn index)
{
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            indices.push_back(static_cast<std::uint8_t>(index(x, y)));
    return detail::GifFile(width, height, palette, indices);
}

template <class IndexFn> Bytes PaletteBitmapFile(int width, int height, int colours, bool rle, IndexFn index)
{
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            indices.push_back(static_cast<std::uint8_t>(index(x, y)));
    return detail::PaletteBitmapFile(width, height, colours, rle, indices);
}

template <class PixelFn> Bytes PngFile(int width, int height, PixelFn pixel)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixel(x, y));
    return detail::PngFile(width, height, pixels);
}

}  // namespace test
