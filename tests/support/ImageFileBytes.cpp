#include "support/ImageFileBytes.h"

#include <algorithm>

namespace test {

namespace detail {

void Put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

namespace {

void PutTag(Bytes& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize, std::uint32_t compression = 0,
                   std::uint32_t colours = 0)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, compression);
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, colours);
    Put32(out, 0);
}

void PutBig32(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutPngChunk(Bytes& out, const char* tag, const Bytes& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    PutTag(out, tag);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// A bitmap file header and info header for pixels of `imageSize` bytes after a palette of `colours` entries.
Bytes BitmapHeaders(int width, int height, int bits, std::uint32_t compression, int colours, std::uint32_t imageSize)
{
    const std::uint32_t pixelsAt = 54 + static_cast<std::uint32_t>(colours) * 4;
    Bytes out{'B', 'M'};
    Put32(out, pixelsAt + imageSize);
    Put32(out, 0);
    Put32(out, pixelsAt);
    PutInfoHeader(out, width, height, bits, imageSize, compression, static_cast<std::uint32_t>(colours));
    for (int i = 0; i < colours; ++i)
        Put32(out, static_cast<std::uint32_t>(i * 0x010305));  // a colour of its own for each index
    return out;
}

}  // namespace

Bytes BitmapFile(int width, int height, const std::vector<std::uint32_t>& topDownPixels)
{
    const int row = (width * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(row * height);
    Bytes out{'B', 'M'};
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, width, height, 24, imageSize);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = topDownPixels[static_cast<std::size_t>(y * width + x)];
            out.push_back(static_cast<std::uint8_t>(rgb));
            out.push_back(static_cast<std::uint8_t>(rgb >> 8));
            out.push_back(static_cast<std::uint8_t>(rgb >> 16));
        }
        out.insert(out.end(), static_cast<std::size_t>(row - width * 3), 0);
    }
    return out;
}

// Every code is 3 bits wide: a clear code after each two pixels keeps the code table from growing.
Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette,
              const std::vector<std::uint8_t>& indices)
{
    constexpr unsigned kClear = 4, kEnd = 5;
    Bytes out{'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, static_cast<std::uint32_t>(width));
    Put16(out, static_cast<std::uint32_t>(height));
    out.insert(out.end(), {0x91, 0, 0});  // a table of four colours
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t rgb = i < palette.size() ? palette[i] : 0;
        out.insert(out.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                               static_cast<std::uint8_t>(rgb)});
    }
    out.push_back(0x2C);
    Put32(out, 0);
    Put16(out, static_cast<std::uint32_t>(width));
    Put16(out, static_cast<std::uint32_t>(height));
    out.push_back(0);
    out.push_back(2);  // the smallest code size

    Bytes data;
    unsigned bits = 0, held = 0;
    auto code = [&](unsigned value) {
        bits |= value << held;
        held += 3;
        while (held >= 8) {
            data.push_back(static_cast<std::uint8_t>(bits));
            bits >>= 8;
            held -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0)
            code(kClear);
        code(indices[i]);
    }
    code(kEnd);
    if (held > 0)
        data.push_back(static_cast<std::uint8_t>(bits));
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

Bytes PaletteBitmapFile(int width, int height, int colours, bool rle, const std::vector<std::uint8_t>& topDown)
{
    Bytes pixels;
    const auto at = [&](int x, int y) { return topDown[static_cast<std::size_t>(y * width + x)]; };
    for (int y = height - 1; y >= 0; --y) {
        if (!rle) {
            for (int x = 0; x < width; ++x)
                pixels.push_back(at(x, y));
            pixels.insert(pixels.end(), static_cast<std::size_t>((4 - width % 4) % 4), 0);
            continue;
        }
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && at(x + run, y) == at(x, y))
                ++run;
            pixels.push_back(static_cast<std::uint8_t>(run));
            pixels.push_back(at(x, y));
            x += run;
        }
        pixels.insert(pixels.end(), {0, static_cast<std::uint8_t>(y == 0 ? 1 : 0)});  // end of line / of bitmap
    }
    Bytes out = BitmapHeaders(width, height, 8, rle ? 1 : 0, colours, static_cast<std::uint32_t>(pixels.size()));
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Stored (uncompressed) deflate blocks inside a zlib stream: every filter byte 0.
Bytes PngFile(int width, int height, const std::vector<std::uint32_t>& topDownPixels)
{
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = topDownPixels[static_cast<std::size_t>(y * width + x)];
            raw.insert(raw.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                   static_cast<std::uint8_t>(rgb)});
        }
    }
    Bytes zlib{0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        zlib.push_back(at + n >= raw.size() ? 1 : 0);
        Put16(zlib, static_cast<std::uint32_t>(n));
        Put16(zlib, static_cast<std::uint32_t>(~n & 0xFFFF));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    PutBig32(zlib, b << 16 | a);
    Bytes header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, not interlaced
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutPngChunk(out, "IHDR", header);
    PutPngChunk(out, "IDAT", zlib);
    PutPngChunk(out, "IEND", {});
    return out;
}

}  // namespace detail

using detail::Put16;
using detail::Put32;
using detail::PutBig32;
using detail::PutInfoHeader;
using detail::PutTag;

namespace {

// An icon directory of one image of `image`'s bytes, `size` pixels square.
Bytes IconDirectory(int size, int bits, const Bytes& image)
{
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.insert(out.end(), {static_cast<std::uint8_t>(size >= 256 ? 0 : size),
                           static_cast<std::uint8_t>(size >= 256 ? 0 : size), 0, 0});
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, static_cast<std::uint32_t>(image.size()));
    Put32(out, 22);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace

Bytes PaletteIconFile(int size, int bits)
{
    const int colourRow = (size * bits + 31) / 32 * 4;
    const int maskRow = (size + 31) / 32 * 4;
    const int colours = 1 << bits;
    Bytes image;
    PutInfoHeader(image, size, size * 2, bits, static_cast<std::uint32_t>((colourRow + maskRow) * size));
    for (int i = 0; i < colours; ++i)
        Put32(image, i == 1 ? 0x00FF0000u : 0);
    // Every pixel index 1: the pattern of a 1 in each pixel's first bit, repeated.
    const std::uint8_t ones = bits == 1 ? 0xFF : bits == 4 ? 0x11 : 0x01;
    for (int y = 0; y < size; ++y) {
        image.insert(image.end(), static_cast<std::size_t>(size * bits / 8), ones);
        image.insert(image.end(), static_cast<std::size_t>(colourRow - size * bits / 8), 0);
    }
    image.insert(image.end(), static_cast<std::size_t>(maskRow * size), 0);
    return IconDirectory(size, bits, image);
}

Bytes PngIconFile(int size, std::uint32_t rgb)
{
    return IconDirectory(size, 32, PngFile(size, size, [rgb](int, int) { return rgb; }));
}

Bytes Rle4BitmapFile(int width, int height, int index)
{
    const auto pair = static_cast<std::uint8_t>(index << 4 | index);
    Bytes pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; x += 255)
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(std::min(255, width - x)), pair});
        pixels.insert(pixels.end(), {0, static_cast<std::uint8_t>(y == height - 1 ? 1 : 0)});
    }
    Bytes out = detail::BitmapHeaders(width, height, 4, 2, 16, static_cast<std::uint32_t>(pixels.size()));
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// The coefficients are all 0: with one code of one bit for the DC difference 0 and one for the end of block,
// each 8 x 8 block takes one bit a table, and the picture comes out grey.
Bytes JpegFile(int width, int height, int components, bool progressive)
{
    auto segment = [](Bytes& out, std::uint8_t marker, const Bytes& body) {
        out.insert(out.end(), {0xFF, marker});
        out.push_back(static_cast<std::uint8_t>((body.size() + 2) >> 8));
        out.push_back(static_cast<std::uint8_t>(body.size() + 2));
        out.insert(out.end(), body.begin(), body.end());
    };
    auto entropy = [](Bytes& out, std::size_t bits) {
        out.insert(out.end(), bits / 8, 0);
        if (bits % 8)
            out.push_back(static_cast<std::uint8_t>(0xFF >> (bits % 8)));  // padded with ones
    };
    const std::size_t blocks = static_cast<std::size_t>((width + 7) / 8) * static_cast<std::size_t>((height + 7) / 8);
    const auto count = static_cast<std::uint8_t>(components);
    Bytes out{0xFF, 0xD8};
    Bytes quant{0};
    quant.insert(quant.end(), 64, 1);
    segment(out, 0xDB, quant);
    Bytes frame{8,
                static_cast<std::uint8_t>(height >> 8),
                static_cast<std::uint8_t>(height),
                static_cast<std::uint8_t>(width >> 8),
                static_cast<std::uint8_t>(width),
                count};
    for (std::uint8_t c = 1; c <= count; ++c)
        frame.insert(frame.end(), {c, 0x11, 0});
    segment(out, progressive ? 0xC2 : 0xC0, frame);
    for (std::uint8_t table : {0x00, 0x10}) {
        Bytes huffman{table, 1};
        huffman.insert(huffman.end(), 15, 0);
        huffman.push_back(0);  // the one symbol: a DC difference of 0, or the end of block
        segment(out, 0xC4, huffman);
    }
    auto scan = [&](std::uint8_t first, std::uint8_t last, std::uint8_t from, std::uint8_t to) {
        Bytes body{static_cast<std::uint8_t>(last - first + 1)};
        for (std::uint8_t c = first; c <= last; ++c)
            body.insert(body.end(), {c, 0x00});
        body.insert(body.end(), {from, to, 0});
        segment(out, 0xDA, body);
    };
    if (!progressive) {
        scan(1, count, 0, 63);
        entropy(out, blocks * 2 * count);
    } else {
        scan(1, count, 0, 0);
        entropy(out, blocks * count);
        for (std::uint8_t c = 1; c <= count; ++c) {
            scan(c, c, 1, 63);
            entropy(out, blocks);
        }
    }
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

Bytes IconFile(int size, std::uint32_t rgb, bool cursor)
{
    const int maskRow = (size + 31) / 32 * 4;
    const auto imageSize = static_cast<std::uint32_t>(size * size * 4 + maskRow * size);
    Bytes out;
    Put16(out, 0);
    Put16(out, cursor ? 2 : 1);
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
    out.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);                // hot spot x, or the planes of an icon
    Put16(out, cursor ? 2 : 32);  // hot spot y, or its bits a pixel
    Put32(out, 40 + imageSize);
    Put32(out, 22);
    PutInfoHeader(out, size, size * 2, 32, imageSize);
    for (int i = 0; i < size * size; ++i)
        out.insert(out.end(), {static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                               static_cast<std::uint8_t>(rgb >> 16), 0xFF});
    out.insert(out.end(), static_cast<std::size_t>(maskRow * size), 0);
    return out;
}

Bytes AnimatedCursorFile(int size, const std::vector<std::uint32_t>& rgbs)
{
    Bytes frames;
    PutTag(frames, "fram");
    for (std::uint32_t rgb : rgbs) {
        const Bytes frame = IconFile(size, rgb, true);
        PutTag(frames, "icon");
        Put32(frames, static_cast<std::uint32_t>(frame.size()));
        frames.insert(frames.end(), frame.begin(), frame.end());
        if (frame.size() % 2)
            frames.push_back(0);
    }
    Bytes body;
    PutTag(body, "ACON");
    PutTag(body, "anih");
    Put32(body, 36);
    const auto count = static_cast<std::uint32_t>(rgbs.size());
    for (std::uint32_t value : {36u, count, count, 0u, 0u, 0u, 0u, 10u, 1u})  // frames are icon files
        Put32(body, value);
    PutTag(body, "LIST");
    Put32(body, static_cast<std::uint32_t>(frames.size()));
    body.insert(body.end(), frames.begin(), frames.end());
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A 16-bit bitmap with a 40-byte header and its three masks (5-6-5), 3 x 2 pixels.
Bytes BitfieldsBitmapFile()
{
    Bytes out{'B', 'M'};
    Put32(out, 66 + 16);
    Put32(out, 0);
    Put32(out, 66);
    for (std::uint32_t value : {40u, 3u, 2u})
        Put32(out, value);
    Put16(out, 1);
    Put16(out, 16);
    for (std::uint32_t value : {3u, 16u, 0u, 0u, 0u, 0u, 0xF800u, 0x07E0u, 0x001Fu})
        Put32(out, value);
    // Rows of 8 bytes (three pixels and the padding): blue, green, red; then white, black, black.
    out.insert(out.end(), {0x1F, 0x00, 0xE0, 0x07, 0x00, 0xF8, 0, 0, 0xFF, 0xFF, 0x00, 0x00, 0, 0, 0, 0});
    return out;
}

// A 1-bit bitmap with a 12-byte core header, 5 x 3 pixels.
Bytes CoreBitmapFile()
{
    Bytes out{'B', 'M'};
    Put32(out, 32 + 12);
    Put32(out, 0);
    Put32(out, 32);
    Put32(out, 12);
    for (std::uint32_t value : {5u, 3u, 1u, 1u})
        Put16(out, value);
    out.insert(out.end(), {0, 0, 0, 0xFF, 0xFF, 0xFF});
    for (int row = 0; row < 3; ++row)
        out.insert(out.end(), {0xA8, 0, 0, 0});
    return out;
}

// A top-down 32-bit bitmap with a 124-byte (V5) header, 4 x 3 pixels.
Bytes TopDownV5BitmapFile()
{
    Bytes out{'B', 'M'};
    const std::uint32_t pixelsAt = 14 + 124;
    Put32(out, pixelsAt + 48);
    Put32(out, 0);
    Put32(out, pixelsAt);
    Put32(out, 124);
    Put32(out, 4);
    Put32(out, static_cast<std::uint32_t>(-3));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, 48);
    out.resize(14 + 56, 0);
    PutTag(out, "BGRs");  // the colour space 'sRGB' as a little-endian number: no profile
    out.resize(pixelsAt, 0);
    for (int i = 0; i < 12; ++i)
        out.insert(out.end(), {static_cast<std::uint8_t>(i * 20), 0x40, 0x80, 0xFF});
    return out;
}

}  // namespace test
