#pragma once
// The records of a list's images cut from the list's own bitmaps, read once as a whole: the reverse of
// IconStrip, so that saving needs no icon made and converted per image. The bytes are the ones the icon of
// each image gives (imagelist/IconRecord.h); the caller takes the parts every record of a list shares (the
// head and the two bitmap headers) from one icon's own record.
#include "imagelist/IconRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace imagelist {

// A list's whole image and mask bitmaps as one conversion gives them: rows bottom-up, 32 bits a pixel, the mask
// set where its pixel is not black. The mask is read at 32 bits as well: converting it to 1 bit a pixel costs
// ten times as much under Wine.
struct StripBits {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::span<const std::uint8_t> colour;
    std::span<const std::uint8_t> mask;
};

// What every record of one list shares.
struct RecordFrame {
    RecordHead head;
    BitmapHeader colour;
    BitmapHeader mask;
};

// The frame of the record at the start of `record`, when its two blocks have one size.
std::optional<RecordFrame> FrameOf(std::span<const std::uint8_t> record, std::int32_t version);

// Whether the image at (left, top) (top-down, in pixels) has a pixel with a fourth byte: such an image is
// blended when drawn, so its icon is not its raw bits.
bool HasAlpha(const StripBits& bits, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

// Writes the record of the frame's size whose image lies at (left, top) of the bits into `out`, which must be
// exactly the record's size. Masked-out pixels keep the colour the list holds for them, as the image's icon
// does. False (and nothing written) for a 24-bit version, an image not wholly inside the bits, or bits
// shorter than their sides need.
bool CutRecord(const StripBits& bits, std::int32_t left, std::int32_t top, const RecordFrame& frame,
               std::int32_t version, std::span<std::uint8_t> out);

}  // namespace imagelist
