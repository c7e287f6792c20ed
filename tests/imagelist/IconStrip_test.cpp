#include "imagelist/IconRecord.h"
#include "imagelist/IconStrip.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace imagelist;

namespace {

IconPixels Icon(int w, int h, int seed)
{
    IconPixels icon;
    icon.width = w;
    icon.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            icon.colour.push_back(static_cast<std::uint32_t>((seed * 97 + x * 31 + y * 7) & 0xFFFFFF));
            icon.transparent.push_back((x * 3 + y + seed) % 5 == 0);
        }
    return icon;
}

struct RecordRun {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> offsets;
    void Add(const IconPixels& icon, std::int32_t version = kProgramVersion)
    {
        offsets.push_back(bytes.size());
        const auto record = *EncodeRecord(icon, version);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
};

}  // namespace

TEST(IconStrip, IconsStandSideBySideBottomUp)
{
    for (auto [w, h, version] : {std::tuple{16, 16, kProgramVersion}, {13, 7, kProgramVersion}, {9, 5, 0}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h) + " v" + std::to_string(version));
        RecordRun run;
        std::vector<IconPixels> icons;
        for (int i = 0; i < 3; ++i) {
            icons.push_back(Icon(w, h, i));
            run.Add(icons.back(), version);
        }
        const auto strip = BuildStrip(run.bytes, run.offsets, version, w, h);
        ASSERT_TRUE(strip);
        EXPECT_EQ(strip->width, 3 * w);
        EXPECT_EQ(strip->count, 3u);
        const std::size_t colourRow = static_cast<std::size_t>(3 * w) * 4;
        const std::size_t maskRow = static_cast<std::size_t>((3 * w + 31) / 32 * 4);
        for (int k = 0; k < 3; ++k)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const std::size_t sx = static_cast<std::size_t>(k * w + x);
                    const std::size_t row = static_cast<std::size_t>(h - 1 - y);
                    const std::size_t at = static_cast<std::size_t>(y * w + x);
                    const std::uint8_t* p = &strip->colour[row * colourRow + sx * 4];
                    const std::uint32_t colour = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
                    ASSERT_EQ(colour, icons[static_cast<std::size_t>(k)].colour[at]) << k << " " << x << "," << y;
                    const bool clear = strip->mask[row * maskRow + sx / 8] & (0x80 >> (sx % 8));
                    ASSERT_EQ(clear, icons[static_cast<std::size_t>(k)].transparent[at]) << k << " " << x << "," << y;
                }
    }
}

TEST(IconStrip, OnlyRunsTheStripCarriesExactlyQualify)
{
    RecordRun same;
    same.Add(Icon(16, 16, 1));
    same.Add(Icon(16, 16, 2));
    EXPECT_TRUE(BuildStrip(same.bytes, same.offsets, kProgramVersion, 16, 16));
    EXPECT_FALSE(BuildStrip(same.bytes, same.offsets, kProgramVersion, 16, 24));  // not the list's size
    EXPECT_FALSE(BuildStrip(same.bytes, {}, kProgramVersion, 16, 16));

    RecordRun taller = same;
    taller.Add(Icon(16, 24, 3));
    EXPECT_FALSE(BuildStrip(taller.bytes, taller.offsets, kProgramVersion, 16, 16));
    // A colour block taller than the list with a mask of the list's size.
    const auto tallColour = *EncodeRecord(Icon(16, 24, 5), kProgramVersion);
    const auto squareMask = *EncodeRecord(Icon(16, 16, 5), kProgramVersion);
    RecordRun mixed = same;
    mixed.offsets.push_back(mixed.bytes.size());
    mixed.bytes.insert(mixed.bytes.end(), tallColour.begin(), tallColour.begin() + 12 + 24 + 16 * 24 * 4);
    mixed.bytes.insert(mixed.bytes.end(), squareMask.begin() + 12 + 24 + 1024, squareMask.end());
    EXPECT_FALSE(BuildStrip(mixed.bytes, mixed.offsets, kProgramVersion, 16, 16));
    RecordRun wider = same;
    wider.Add(Icon(24, 16, 3));
    EXPECT_FALSE(BuildStrip(wider.bytes, wider.offsets, kProgramVersion, 16, 16));

    IconPixels alpha = Icon(16, 16, 4);
    alpha.colour[100] |= 0x80000000u;  // a blended pixel
    RecordRun blended = same;
    blended.Add(alpha);
    EXPECT_FALSE(BuildStrip(blended.bytes, blended.offsets, kProgramVersion, 16, 16));

    RecordRun cut = same;
    cut.bytes.resize(cut.bytes.size() - 1);
    EXPECT_FALSE(BuildStrip(cut.bytes, cut.offsets, kProgramVersion, 16, 16));
}
