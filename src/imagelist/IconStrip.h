#pragma once
// A run of equal-sized icon records laid side by side as one colour strip and one mask strip, so that a
// whole run goes into an image list in one add instead of one add per icon (which costs about half a
// millisecond an icon). Only records whose pixels the strip carries exactly qualify: every record of the run
// the list's size, and no colour alpha (an alpha icon would be blended differently).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace imagelist {

struct IconStrip {
    std::int32_t width = 0;  // the whole strip: count x the icon width
    std::int32_t height = 0;
    std::size_t count = 0;
    std::vector<std::uint8_t> colour;  // 32 bits a pixel, rows bottom-up, fourth byte 0
    std::vector<std::uint8_t> mask;    // 1 bit a pixel, rows bottom-up, padded to 4 bytes
};

// The strip of every record that `offsets` gives, or nothing when one of them does not qualify.
std::optional<IconStrip> BuildStrip(std::span<const std::uint8_t> data, std::span<const std::size_t> offsets,
                                    std::int32_t version, std::int32_t iconWidth, std::int32_t iconHeight);

}  // namespace imagelist
