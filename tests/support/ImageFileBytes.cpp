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

namespace {

void PutTag(Bytes& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);  // uncompressed
    Put32(out, imageSize);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
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
Bytes GifFile(int width, int height, const std::vector<std::uint32_t>& palette, const std::vector<std::uint8_t>& indices)
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

}  // namespace detail

using detail::Put16;
using detail::Put32;
using detail::PutInfoHeader;
using detail::PutTag;

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

}  // namespace test
