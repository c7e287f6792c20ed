#pragma once
// The byte record of one icon, as the image list stores its images: a 12-byte head (icon flag and hot spot)
// followed by two bitmap blocks, the colour block and then the mask block. A block is a 24-byte bitmap header
// followed by the bits area, rows bottom-up. All numbers are little-endian and nothing is padded.
//
// Records stand back to back with no count and no length, so a reader finds the next record only by decoding
// this one. Every reader here checks its bounds: a header that gives no sensible size (zero or negative
// sides, an area too large to exist) or whose bits lie beyond the data gives no size at all, and nothing
// outside the data is ever read.
//
// The version of the stream that holds a record decides the colour layout: 1 or more means 32 bits a pixel,
// 0 or less 24 bits. Our writers always use kProgramVersion.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace imagelist {

// (major And &H7FFF) * 65536 + minor, for program version 9.0.
constexpr std::int32_t VersionValue(int major, int minor)
{
    return static_cast<std::int32_t>((major & 0x7FFF) * 65536 + minor);
}
constexpr std::int32_t kProgramVersion = VersionValue(9, 0);  // 589824

constexpr std::size_t kHeadSize = 12;
constexpr std::size_t kBitmapHeaderSize = 24;

enum class BlockKind { Colour, Mask };

// The platform's bitmap description as the record stores it (24 bytes, not the 32 of an x64 BITMAP).
struct BitmapHeader {
    std::int32_t type = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t widthBytes = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitsPixel = 0;
    std::uint32_t bits = 0;  // never used when reading

    friend bool operator==(const BitmapHeader&, const BitmapHeader&) = default;
};

struct RecordHead {
    std::int32_t isIcon = 1;
    std::int32_t xHotspot = 0;
    std::int32_t yHotspot = 0;

    friend bool operator==(const RecordHead&, const RecordHead&) = default;
};

// Bits a pixel of a block's rows: 1 for masks, 32 for colour from version 1 on, 24 before.
int BlockBitsPerPixel(BlockKind kind, std::int32_t version);

// The row of the device-independent conversion, padded to 4 bytes; nothing for a width below 1.
std::optional<std::size_t> PaddedRowBytes(BlockKind kind, std::int32_t width, std::int32_t version);

// Size of the bits area of a block of width x height; nothing for a side below 1 or an area beyond 2 GB.
std::optional<std::size_t> AreaSize(BlockKind kind, std::int32_t width, std::int32_t height, std::int32_t version);

// Size of a whole record of a width x height icon.
std::optional<std::size_t> RecordSize(std::int32_t width, std::int32_t height, std::int32_t version);

// Little-endian fields; the caller has checked that the bytes are there.
void PutHeader(std::span<std::uint8_t, kBitmapHeaderSize> out, const BitmapHeader& header);
BitmapHeader GetHeader(std::span<const std::uint8_t, kBitmapHeaderSize> in);
void PutHead(std::span<std::uint8_t, kHeadSize> out, const RecordHead& head);
RecordHead GetHead(std::span<const std::uint8_t, kHeadSize> in);

// Where a block lies: its header and the size of its bits area, which starts kBitmapHeaderSize after the
// block's offset.
struct BlockExtent {
    BitmapHeader header;
    std::size_t areaSize = 0;
    std::size_t size() const { return kBitmapHeaderSize + areaSize; }
};

struct RecordExtent {
    RecordHead head;
    BlockExtent colour;
    BlockExtent mask;
    std::size_t size() const { return kHeadSize + colour.size() + mask.size(); }
};

// The block or record at `offset`, when all of it lies within `data` and its header is sound.
std::optional<BlockExtent> MeasureBlock(std::span<const std::uint8_t> data, std::size_t offset, BlockKind kind,
                                        std::int32_t version);
std::optional<RecordExtent> MeasureRecord(std::span<const std::uint8_t> data, std::size_t offset,
                                          std::int32_t version);

// The offsets of the records of a run, in order, up to the first that cannot be measured.
std::vector<std::size_t> RecordOffsets(std::span<const std::uint8_t> data, std::int32_t version);

// An icon as pixels, top row first: colour 0x00RRGGBB (the fourth byte kept as given) and, per pixel,
// whether the mask makes it transparent.
struct IconPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> colour;
    std::vector<bool> transparent;
};

// The record of an icon, with the header values of a screen-compatible device bitmap of 32 bits a pixel
// (what the platform reports for an icon's bitmaps) and the hot spot in the middle, as for an icon.
// Nothing for an empty or inconsistent image.
std::optional<std::vector<std::uint8_t>> EncodeRecord(const IconPixels& icon, std::int32_t version);

// The pixels of the record at `offset`, or nothing when it cannot be measured.
std::optional<IconPixels> DecodeRecord(std::span<const std::uint8_t> data, std::size_t offset, std::int32_t version);

}  // namespace imagelist
