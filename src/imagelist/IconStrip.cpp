#include "imagelist/IconStrip.h"

#include "imagelist/IconRecord.h"

#include <limits>

namespace imagelist {

std::optional<IconStrip> BuildStrip(std::span<const std::uint8_t> data, std::span<const std::size_t> offsets,
                                    std::int32_t version, std::int32_t iconWidth, std::int32_t iconHeight)
{
    if (offsets.empty() || iconWidth < 1 || iconHeight < 1 ||
        offsets.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() / iconWidth))
        return std::nullopt;
    IconStrip strip;
    strip.count = offsets.size();
    strip.width = static_cast<std::int32_t>(offsets.size()) * iconWidth;
    strip.height = iconHeight;
    const auto colourRow = PaddedRowBytes(BlockKind::Colour, strip.width, 1);
    const auto maskRow = PaddedRowBytes(BlockKind::Mask, strip.width, 1);
    if (!colourRow || !maskRow)
        return std::nullopt;
    const std::size_t h = static_cast<std::size_t>(iconHeight);
    const std::size_t w = static_cast<std::size_t>(iconWidth);
    strip.colour.assign(*colourRow * h, 0);
    strip.mask.assign(*maskRow * h, 0);

    for (std::size_t k = 0; k < offsets.size(); ++k) {
        const auto record = MeasureRecord(data, offsets[k], version);
        if (!record || record->colour.header.width != iconWidth || record->colour.header.height != iconHeight ||
            record->mask.header.width != iconWidth || record->mask.header.height != iconHeight)
            return std::nullopt;
        const auto icon = DecodeRecord(data, offsets[k], version);
        if (!icon)
            return std::nullopt;
        for (std::size_t y = 0; y < h; ++y) {
            std::uint8_t* colour = &strip.colour[(h - 1 - y) * *colourRow];
            std::uint8_t* mask = &strip.mask[(h - 1 - y) * *maskRow];
            for (std::size_t x = 0; x < w; ++x) {
                const std::uint32_t c = icon->colour[y * w + x];
                if (c >> 24)
                    return std::nullopt;
                const std::size_t sx = k * w + x;
                colour[sx * 4] = static_cast<std::uint8_t>(c);
                colour[sx * 4 + 1] = static_cast<std::uint8_t>(c >> 8);
                colour[sx * 4 + 2] = static_cast<std::uint8_t>(c >> 16);
                if (icon->transparent[y * w + x])
                    mask[sx / 8] |= static_cast<std::uint8_t>(0x80 >> (sx % 8));
            }
        }
    }
    return strip;
}

}  // namespace imagelist
