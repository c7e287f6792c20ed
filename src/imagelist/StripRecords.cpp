#include "imagelist/StripRecords.h"

#include <algorithm>
#include <cstring>

namespace imagelist {

namespace {

struct Rows {
    std::size_t colour = 0;
    std::size_t mask = 0;
};

// The padded rows of the bits, when both spans hold all of them and the image lies inside.
std::optional<Rows> CheckedRows(const StripBits& bits, std::int32_t left, std::int32_t top, std::int32_t width,
                                std::int32_t height)
{
    const auto colourRow = PaddedRowBytes(BlockKind::Colour, bits.width, 1);
    const auto maskRow = PaddedRowBytes(BlockKind::Mask, bits.width, 1);
    if (!colourRow || !maskRow || bits.height < 1 || width < 1 || height < 1 || left < 0 || top < 0 ||
        left > bits.width - width || top > bits.height - height)
        return std::nullopt;
    const std::size_t h = static_cast<std::size_t>(bits.height);
    if (bits.colour.size() / h < *colourRow || bits.mask.size() / h < *maskRow)
        return std::nullopt;
    return Rows{*colourRow, *maskRow};
}

bool MaskBit(const std::uint8_t* row, std::size_t x)
{
    return (row[x / 8] & (0x80 >> (x % 8))) != 0;
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
    const auto rows = CheckedRows(bits, left, top, width, height);
    if (!rows)
        return false;
    const std::size_t h = static_cast<std::size_t>(bits.height);
    for (std::size_t y = static_cast<std::size_t>(top); y < static_cast<std::size_t>(top + height); ++y) {
        const std::uint8_t* row = &bits.colour[(h - 1 - y) * rows->colour];
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
    const auto rows = CheckedRows(bits, left, top, width, height);
    if (version < 1 || !size || !rows || out.size() != *size || frame.mask.width != width ||
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
        const std::uint8_t* colourIn = &bits.colour[stripRow * rows->colour + static_cast<std::size_t>(left) * 4];
        const std::uint8_t* maskIn = &bits.mask[stripRow * rows->mask];
        std::uint8_t* colourOut = colour + r * w * 4;
        std::uint8_t* maskOut = mask + r * maskRow;
        std::memcpy(colourOut, colourIn, w * 4);
        for (std::size_t x = 0; x < w; ++x)
            if (MaskBit(maskIn, static_cast<std::size_t>(left) + x))
                maskOut[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return true;
}

}  // namespace imagelist
