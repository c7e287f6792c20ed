#include "imagelist/StripRecords.h"

#include <algorithm>
#include <cstring>

namespace imagelist {

namespace {

// The bytes of a row of the bits (both bitmaps alike), when both spans hold all rows and the image lies inside.
std::optional<std::size_t> CheckedRow(const StripBits& bits, std::int32_t left, std::int32_t top, std::int32_t width,
                                      std::int32_t height)
{
    const auto row = PaddedRowBytes(BlockKind::Colour, bits.width, 1);
    if (!row || bits.height < 1 || width < 1 || height < 1 || left < 0 || top < 0 || left > bits.width - width ||
        top > bits.height - height)
        return std::nullopt;
    const std::size_t h = static_cast<std::size_t>(bits.height);
    if (bits.colour.size() / h < *row || bits.mask.size() / h < *row)
        return std::nullopt;
    return *row;
}

bool MaskSet(const std::uint8_t* pixel)
{
    return (pixel[0] | pixel[1] | pixel[2]) != 0;
}

}  // namespace

std::optional<RecordFrame> FrameOf(std::span<const std::uint8_t> record, std::int32_t version)
{
    const auto extent = MeasureRecord(record, 0, version);
    if (!extent || extent->colour.header.width != extent->mask.header.width ||
        extent->colour.header.height != extent->mask.header.height)
        return std::nullopt;
    return RecordFrame{extent->head, extent->colour.header, extent->mask.header};
}

bool HasAlpha(const StripBits& bits, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    const auto rowBytes = CheckedRow(bits, left, top, width, height);
    if (!rowBytes)
        return false;
    const std::size_t h = static_cast<std::size_t>(bits.height);
    for (std::size_t y = static_cast<std::size_t>(top); y < static_cast<std::size_t>(top + height); ++y) {
        const std::uint8_t* row = &bits.colour[(h - 1 - y) * *rowBytes];
        for (std::size_t x = static_cast<std::size_t>(left); x < static_cast<std::size_t>(left + width); ++x)
            if (row[x * 4 + 3])
                return true;
    }
    return false;
}

bool CutRecord(const StripBits& bits, std::int32_t left, std::int32_t top, const RecordFrame& frame,
               std::int32_t version, std::span<std::uint8_t> out)
{
    const std::int32_t width = frame.colour.width;
    const std::int32_t height = frame.colour.height;
    const auto size = RecordSize(width, height, version);
    const auto rowBytes = CheckedRow(bits, left, top, width, height);
    if (version < 1 || !size || !rowBytes || out.size() != *size || frame.mask.width != width ||
        frame.mask.height != height)
        return false;
    const std::size_t w = static_cast<std::size_t>(width);
    const std::size_t h = static_cast<std::size_t>(height);
    const std::size_t stripHeight = static_cast<std::size_t>(bits.height);
    const std::size_t colourArea = *AreaSize(BlockKind::Colour, width, height, version);
    const std::size_t maskRow = *PaddedRowBytes(BlockKind::Mask, width, version);
    std::fill(out.begin(), out.end(), std::uint8_t{0});  // mask areas wider than their rows end in zeros

    PutHead(out.first<kHeadSize>(), frame.head);
    std::size_t at = kHeadSize;
    PutHeader(out.subspan(at).first<kBitmapHeaderSize>(), frame.colour);
    std::uint8_t* colour = &out[at + kBitmapHeaderSize];
    at += kBitmapHeaderSize + colourArea;
    PutHeader(out.subspan(at).first<kBitmapHeaderSize>(), frame.mask);
    std::uint8_t* mask = &out[at + kBitmapHeaderSize];

    // Record row r is the image's row h - 1 - r from the top, which is strip row top + h - 1 - r.
    for (std::size_t r = 0; r < h; ++r) {
        const std::size_t stripRow = stripHeight - 1 - (static_cast<std::size_t>(top) + h - 1 - r);
        const std::size_t in = stripRow * *rowBytes + static_cast<std::size_t>(left) * 4;
        const std::uint8_t* maskIn = &bits.mask[in];
        std::uint8_t* maskOut = mask + r * maskRow;
        std::memcpy(colour + r * w * 4, &bits.colour[in], w * 4);
        for (std::size_t x = 0; x < w; ++x)
            if (MaskSet(maskIn + x * 4))
                maskOut[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return true;
}

}  // namespace imagelist
