#pragma once
// The records of a list's images, as both writers of the list collect them (imagelist/IconRecord.h).
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imagelist {

// The records of every image that gives an icon, back to back, and which images gave one.
struct Collected {
    std::vector<std::uint8_t> bytes;
    std::vector<bool> written;
    std::size_t cut = 0;  // how many of them were cut from the list's bitmaps rather than made through icons
};

// The conversion header of a strip of images, rows bottom-up: 32-bit colour, or the 1-bit mask with its
// black-and-white table.
struct StripDib {
    BITMAPINFOHEADER header{};
    RGBQUAD colours[2]{};
    StripDib(std::int32_t width, std::int32_t height, bool mask);
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// Each image's record as its icon (ImageList_GetIcon with `flags`) gives it. Most are cut from the list's
// bitmaps, read once; the first image, images with alpha and lists whose bitmaps cannot be read go through
// their icons.
Collected CollectRecords(HIMAGELIST list, UINT flags, std::int32_t version);

}  // namespace imagelist
