#include "imagelist/IconRecord.h"

#include <limits>

namespace imagelist {

namespace {

constexpr std::uint64_t kLargestArea = std::numeric_limits<std::int32_t>::max();

void Put32(std::uint8_t* out, std::uint32_t v)
{
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
    out[2] = static_cast<std::uint8_t>(v >> 16);
    out[3] = static_cast<std::uint8_t>(v >> 24);
}

void Put16(std::uint8_t* out, std::uint16_t v)
{
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t Get32(const std::uint8_t* in)
{
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}

std::uint16_t Get16(const std::uint8_t* in)
{
    return static_cast<std::uint16_t>(in[0] | in[1] << 8);
}

// Bytes a mask row takes in a record: (w + 7) / 8 rounded half to even, then up to a multiple of 4. For some
// widths (32, for one) this is more than the padded row; the rows fill the start of the area.
std::uint64_t MaskRecordRow(std::int32_t width)
{
    const std::uint64_t w7 = static_cast<std::uint64_t>(width) + 7;
    std::uint64_t n = w7 / 8;
    const std::uint64_t eighths = w7 % 8;
    if (eighths > 4 || (eighths == 4 && n % 2 == 1))
        ++n;
    return (n + 3) / 4 * 4;
}

}  // namespace

int BlockBitsPerPixel(BlockKind kind, std::int32_t version)
{
    if (kind == BlockKind::Mask)
        return 1;
    return version >= 1 ? 32 : 24;
}

std::optional<std::size_t> PaddedRowBytes(BlockKind kind, std::int32_t width, std::int32_t version)
{
    if (width < 1)
        return std::nullopt;
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * BlockBitsPerPixel(kind, version);
    const std::uint64_t row = (bits + 31) / 32 * 4;
    if (row > kLargestArea)
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

std::optional<std::size_t> AreaSize(BlockKind kind, std::int32_t width, std::int32_t height, std::int32_t version)
{
    if (width < 1 || height < 1)
        return std::nullopt;
    // Both sides are below 2^31, so none of these products can overflow 64 bits.
    const std::uint64_t w = static_cast<std::uint64_t>(width);
    const std::uint64_t h = static_cast<std::uint64_t>(height);
    std::uint64_t area = 0;
    if (kind == BlockKind::Mask)
        area = MaskRecordRow(width) * h;
    else if (version >= 1)
        area = w * h * 4;
    else
        area = (3 * w + 3) * h;  // the padded row rounded up, not down to a multiple of 4
    if (area > kLargestArea)
        return std::nullopt;
    return static_cast<std::size_t>(area);
}

std::optional<std::size_t> RecordSize(std::int32_t width, std::int32_t height, std::int32_t version)
{
    const auto colour = AreaSize(BlockKind::Colour, width, height, version);
    const auto mask = AreaSize(BlockKind::Mask, width, height, version);
    if (!colour || !mask)
        return std::nullopt;
    return kHeadSize + 2 * kBitmapHeaderSize + *colour + *mask;
}

void PutHeader(std::span<std::uint8_t, kBitmapHeaderSize> out, const BitmapHeader& header)
{
    Put32(&out[0], static_cast<std::uint32_t>(header.type));
    Put32(&out[4], static_cast<std::uint32_t>(header.width));
    Put32(&out[8], static_cast<std::uint32_t>(header.height));
    Put32(&out[12], static_cast<std::uint32_t>(header.widthBytes));
    Put16(&out[16], header.planes);
    Put16(&out[18], header.bitsPixel);
    Put32(&out[20], header.bits);
}

BitmapHeader GetHeader(std::span<const std::uint8_t, kBitmapHeaderSize> in)
{
    BitmapHeader header;
    header.type = static_cast<std::int32_t>(Get32(&in[0]));
    header.width = static_cast<std::int32_t>(Get32(&in[4]));
    header.height = static_cast<std::int32_t>(Get32(&in[8]));
    header.widthBytes = static_cast<std::int32_t>(Get32(&in[12]));
    header.planes = Get16(&in[16]);
    header.bitsPixel = Get16(&in[18]);
    header.bits = Get32(&in[20]);
    return header;
}

void PutHead(std::span<std::uint8_t, kHeadSize> out, const RecordHead& head)
{
    Put32(&out[0], static_cast<std::uint32_t>(head.isIcon));
    Put32(&out[4], static_cast<std::uint32_t>(head.xHotspot));
    Put32(&out[8], static_cast<std::uint32_t>(head.yHotspot));
}

RecordHead GetHead(std::span<const std::uint8_t, kHeadSize> in)
{
    return {static_cast<std::int32_t>(Get32(&in[0])), static_cast<std::int32_t>(Get32(&in[4])),
            static_cast<std::int32_t>(Get32(&in[8]))};
}

std::optional<BlockExtent> MeasureBlock(std::span<const std::uint8_t> data, std::size_t offset, BlockKind kind,
                                        std::int32_t version)
{
    if (offset > data.size() || data.size() - offset < kBitmapHeaderSize)
        return std::nullopt;
    BlockExtent block;
    block.header = GetHeader(data.subspan(offset).first<kBitmapHeaderSize>());
    const auto area = AreaSize(kind, block.header.width, block.header.height, version);
    const auto row = PaddedRowBytes(kind, block.header.width, version);
    if (!area || !row)
        return std::nullopt;
    // The conversion reads height padded rows from the area: they must be there too.
    if (*row * static_cast<std::uint64_t>(block.header.height) > *area)
        return std::nullopt;
    if (data.size() - offset - kBitmapHeaderSize < *area)
        return std::nullopt;
    block.areaSize = *area;
    return block;
}

std::optional<RecordExtent> MeasureRecord(std::span<const std::uint8_t> data, std::size_t offset,
                                          std::int32_t version)
{
    if (offset > data.size() || data.size() - offset < kHeadSize)
        return std::nullopt;
    RecordExtent record;
    record.head = GetHead(data.subspan(offset).first<kHeadSize>());
    const auto colour = MeasureBlock(data, offset + kHeadSize, BlockKind::Colour, version);
    if (!colour)
        return std::nullopt;
    const auto mask = MeasureBlock(data, offset + kHeadSize + colour->size(), BlockKind::Mask, version);
    if (!mask)
        return std::nullopt;
    record.colour = *colour;
    record.mask = *mask;
    return record;
}

std::vector<std::size_t> RecordOffsets(std::span<const std::uint8_t> data, std::int32_t version)
{
    std::vector<std::size_t> offsets;
    std::size_t offset = 0;
    while (offset < data.size()) {
        const auto record = MeasureRecord(data, offset, version);
        if (!record)
            break;
        offsets.push_back(offset);
        offset += record->size();  // at least 60 bytes: the walk always moves forward
    }
    return offsets;
}

std::optional<std::vector<std::uint8_t>> EncodeRecord(const IconPixels& icon, std::int32_t version)
{
    const auto size = RecordSize(icon.width, icon.height, version);
    const std::size_t pixels = static_cast<std::size_t>(icon.width) * static_cast<std::size_t>(icon.height);
    if (!size || icon.colour.size() != pixels || icon.transparent.size() != pixels)
        return std::nullopt;
    const std::size_t w = static_cast<std::size_t>(icon.width);
    const std::size_t h = static_cast<std::size_t>(icon.height);
    const int bpp = BlockBitsPerPixel(BlockKind::Colour, version);
    std::vector<std::uint8_t> out(*size, 0);

    PutHead(std::span(out).first<kHeadSize>(), {1, icon.width / 2, icon.height / 2});

    // A 32-bit device bitmap's rows are 4w bytes; a monochrome one's are word-aligned.
    std::size_t at = kHeadSize;
    PutHeader(std::span(out).subspan(at).first<kBitmapHeaderSize>(),
              {0, icon.width, icon.height, icon.width * 4, 1, 32, 0});
    at += kBitmapHeaderSize;
    const std::size_t colourRow = *PaddedRowBytes(BlockKind::Colour, icon.width, version);
    for (std::size_t y = 0; y < h; ++y) {
        std::uint8_t* row = &out[at + (h - 1 - y) * colourRow];
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t c = icon.colour[y * w + x];
            std::uint8_t* p = row + x * static_cast<std::size_t>(bpp / 8);
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c >> 16);
            if (bpp == 32)
                p[3] = static_cast<std::uint8_t>(c >> 24);
        }
    }
    at += *AreaSize(BlockKind::Colour, icon.width, icon.height, version);

    PutHeader(std::span(out).subspan(at).first<kBitmapHeaderSize>(),
              {0, icon.width, icon.height, (icon.width + 15) / 16 * 2, 1, 1, 0});
    at += kBitmapHeaderSize;
    const std::size_t maskRow = *PaddedRowBytes(BlockKind::Mask, icon.width, version);
    for (std::size_t y = 0; y < h; ++y) {
        std::uint8_t* row = &out[at + (h - 1 - y) * maskRow];
        for (std::size_t x = 0; x < w; ++x)
            if (icon.transparent[y * w + x])
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return out;
}

std::optional<IconPixels> DecodeRecord(std::span<const std::uint8_t> data, std::size_t offset, std::int32_t version)
{
    const auto record = MeasureRecord(data, offset, version);
    if (!record)
        return std::nullopt;
    IconPixels icon;
    icon.width = record->colour.header.width;
    icon.height = record->colour.header.height;
    const std::size_t w = static_cast<std::size_t>(icon.width);
    const std::size_t h = static_cast<std::size_t>(icon.height);
    icon.colour.assign(w * h, 0);
    icon.transparent.assign(w * h, false);

    const int bpp = BlockBitsPerPixel(BlockKind::Colour, version);
    const std::size_t colourRow = *PaddedRowBytes(BlockKind::Colour, icon.width, version);
    const std::uint8_t* colour = &data[offset + kHeadSize + kBitmapHeaderSize];
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t* row = colour + (h - 1 - y) * colourRow;
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint8_t* p = row + x * static_cast<std::size_t>(bpp / 8);
            icon.colour[y * w + x] = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 |
                                     (bpp == 32 ? static_cast<std::uint32_t>(p[3]) << 24 : 0);
        }
    }

    // The mask may have sides of its own; pixels outside it stay opaque.
    const BitmapHeader& m = record->mask.header;
    const std::size_t maskRow = *PaddedRowBytes(BlockKind::Mask, m.width, version);
    const std::uint8_t* mask = &data[offset + kHeadSize + record->colour.size() + kBitmapHeaderSize];
    const std::size_t mw = static_cast<std::size_t>(m.width);
    const std::size_t mh = static_cast<std::size_t>(m.height);
    for (std::size_t y = 0; y < h && y < mh; ++y) {
        const std::uint8_t* row = mask + (mh - 1 - y) * maskRow;
        for (std::size_t x = 0; x < w && x < mw; ++x)
            icon.transparent[y * w + x] = (row[x / 8] & (0x80 >> (x % 8))) != 0;
    }
    return icon;
}

}  // namespace imagelist
