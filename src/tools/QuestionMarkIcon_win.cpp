#include "tools/QuestionMarkIcon_win.h"

#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace tools {

namespace {

constexpr int kSize = 32;

// '.' transparent, 'D' the disc's rim, 'B' the disc, 'W' the question mark.
// clang-format off
constexpr const char* kGrid[kSize] = {
    "................................",
    "............DDDDDDDD............",
    ".........DDDDBBBBBBDDDD.........",
    "........DDBBBBBBBBBBBBDD........",
    "......DDBBBBBBBBBBBBBBBBDD......",
    ".....DDBBBBBBBBBBBBBBBBBBDD.....",
    "....DDBBBBBBBBBBBBBBBBBBBBDD....",
    "....DBBBBBBBBWWWWWWBBBBBBBBD....",
    "...DBBBBBBBWWWWWWWWWWBBBBBBBD...",
    "..DDBBBBBBWWWWBBBBWWWWBBBBBBDD..",
    "..DBBBBBBBWWWBBBBBBWWWBBBBBBBD..",
    "..DBBBBBBBWWWBBBBBBWWWBBBBBBBD..",
    ".DDBBBBBBBBBBBBBBBBWWWBBBBBBBDD.",
    ".DBBBBBBBBBBBBBBBBWWWWBBBBBBBBD.",
    ".DBBBBBBBBBBBBBBBWWWWBBBBBBBBBD.",
    ".DBBBBBBBBBBBBBBWWWWBBBBBBBBBBD.",
    ".DBBBBBBBBBBBBBWWWWBBBBBBBBBBBD.",
    ".DBBBBBBBBBBBBBWWWBBBBBBBBBBBBD.",
    ".DBBBBBBBBBBBBBWWWBBBBBBBBBBBBD.",
    ".DDBBBBBBBBBBBBWWWBBBBBBBBBBBDD.",
    "..DBBBBBBBBBBBBBBBBBBBBBBBBBBD..",
    "..DBBBBBBBBBBBBWWWBBBBBBBBBBBD..",
    "..DDBBBBBBBBBBBWWWBBBBBBBBBBDD..",
    "...DBBBBBBBBBBBWWWBBBBBBBBBBD...",
    "....DBBBBBBBBBBBBBBBBBBBBBBD....",
    "....DDBBBBBBBBBBBBBBBBBBBBDD....",
    ".....DDBBBBBBBBBBBBBBBBBBDD.....",
    "......DDBBBBBBBBBBBBBBBBDD......",
    "........DDBBBBBBBBBBBBDD........",
    ".........DDDDBBBBBBDDDD.........",
    "............DDDDDDDD............",
    "................................",
};
// clang-format on

// Opaque 0xAARRGGBB for a grid character; 0 (transparent) for '.'.
std::uint32_t PixelOf(char cell)
{
    switch (cell) {
    case 'D':
        return 0xFF1C3A78u;
    case 'B':
        return 0xFF3A78D0u;
    case 'W':
        return 0xFFFFFFFFu;
    default:
        return 0;
    }
}

HICON BuildIcon()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;  // top row first, as the grid reads
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    rt::BitmapHandle color(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!color || !bits) {
        RT_LOG_LAST_ERROR("CreateDIBSection");
        return nullptr;
    }
    // The mask: one bit per pixel (a row of 32 fills whole 16-bit words, as CreateBitmap wants); set = transparent.
    constexpr int kMaskStride = kSize / 8;
    std::vector<std::uint8_t> mask(static_cast<size_t>(kMaskStride) * kSize, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const std::uint32_t pixel = PixelOf(kGrid[y][x]);
            pixels[y * kSize + x] = pixel;
            if (pixel == 0)
                mask[static_cast<size_t>(y) * kMaskStride + x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
    }
    rt::BitmapHandle maskBitmap(CreateBitmap(kSize, kSize, 1, 1, mask.data()));
    if (!maskBitmap) {
        RT_LOG_LAST_ERROR("CreateBitmap");
        return nullptr;
    }
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmMask = maskBitmap.get();
    icon.hbmColor = color.get();
    HICON made = CreateIconIndirect(&icon);  // copies both bitmaps
    if (!made)
        RT_LOG_LAST_ERROR("CreateIconIndirect");
    return made;
}

}  // namespace

HICON QuestionMarkIcon()
{
    static const rt::IconHandle icon(BuildIcon());
    return icon.get();
}

}  // namespace tools
