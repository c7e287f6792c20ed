#include "imagelist/IconRecord.h"
#include "imagelist/StripRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace imagelist;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A list's bitmaps built by hand: images of w x h in a grid of `columns`, rows bottom-up, 32 bits a pixel, the
// mask white (as the platform converts a one-bit mask) where an image's pixel is transparent.
struct HandStrip {
    int w;
    int h;
    int columns;
    int count;
    std::int32_t width() const { return columns * w; }
    std::int32_t height() const { return (count + columns - 1) / columns * h; }
    std::size_t row() const { return static_cast<std::size_t>(width()) * 4; }

    Bytes colour;
    Bytes mask;
    std::vector<IconPixels> icons;

    HandStrip(int w_, int h_, int columns_, int count_) : w(w_), h(h_), columns(columns_), count(count_)
    {
        // Cells no image fills are neither black nor transparent, so that a cut reaching into them shows.
        colour.assign(row() * static_cast<std::size_t>(height()), 0xEE);
        mask.assign(row() * static_cast<std::size_t>(height()), 0xFF);
        for (int k = 0; k < count; ++k) {
            IconPixels icon;
            icon.width = w;
            icon.height = h;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    icon.colour.push_back(static_cast<std::uint32_t>(k << 16 | y << 8 | x) | 0x01000000u * (x % 2));
                    icon.transparent.push_back((x + y + k) % 3 == 0);
                }
            Place(k, icon);
            icons.push_back(icon);
        }
    }
    std::int32_t Left(int k) const { return k % columns * w; }
    std::int32_t Top(int k) const { return k / columns * h; }
    void Place(int k, const IconPixels& icon)
    {
        for (int y = 0; y < h; ++y) {
            const std::size_t at = static_cast<std::size_t>(height() - 1 - (Top(k) + y)) * row();
            for (int x = 0; x < w; ++x) {
                const std::size_t sx = static_cast<std::size_t>(Left(k) + x);
                const std::uint32_t c = icon.colour[static_cast<std::size_t>(y * w + x)];
                const bool transparent = icon.transparent[static_cast<std::size_t>(y * w + x)];
                for (std::size_t b = 0; b < 4; ++b) {
                    colour[at + sx * 4 + b] = static_cast<std::uint8_t>(c >> (8 * b));
                    mask[at + sx * 4 + b] = transparent && b < 3 ? 0xFF : 0;
                }
            }
        }
    }
    StripBits Bits() const { return {width(), height(), colour, mask}; }
};

RecordFrame FrameFor(int w, int h)
{
    return *FrameOf(*EncodeRecord(IconPixels{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h)),
                                             std::vector<bool>(static_cast<std::size_t>(w * h))},
                                  kProgramVersion),
                    kProgramVersion);
}

}  // namespace

TEST(StripRecords, EachCutIsTheRecordOfItsImage)
{
    // Unaligned image edges (13, 1, 33 pixels), rows padded in both bitmaps, masks of one and several words.
    for (auto [w, h, columns, count] :
         {std::tuple{13, 7, 4, 10}, {1, 1, 4, 6}, {16, 16, 4, 9}, {33, 5, 3, 5}, {48, 48, 4, 5}, {32, 2, 1, 3}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const HandStrip strip(w, h, columns, count);
        const RecordFrame frame = FrameFor(w, h);
        for (int k = 0; k < count; ++k) {
            SCOPED_TRACE(k);
            Bytes cut(*RecordSize(w, h, kProgramVersion), 0xAB);
            ASSERT_TRUE(CutRecord(strip.Bits(), strip.Left(k), strip.Top(k), frame, kProgramVersion, cut));
            EXPECT_EQ(cut, *EncodeRecord(strip.icons[static_cast<std::size_t>(k)], kProgramVersion));
        }
    }
}

TEST(StripRecords, CutsOnlyWhatLiesWhollyInsideTheBits)
{
    const HandStrip strip(13, 7, 4, 8);
    const RecordFrame frame = FrameFor(13, 7);
    const std::size_t size = *RecordSize(13, 7, kProgramVersion);
    struct Refused {
        const char* what;
        std::int32_t left;
        std::int32_t top;
        std::size_t outSize;
        std::int32_t version;
        std::size_t colourBytes;
        std::size_t maskBytes;
    };
    const std::size_t all = strip.colour.size();
    for (const Refused& r : {Refused{"past the right", 40, 0, size, kProgramVersion, all, all},
                             Refused{"past the bottom", 0, 8, size, kProgramVersion, all, all},
                             Refused{"left of the start", -1, 0, size, kProgramVersion, all, all},
                             Refused{"above the top", 0, -1, size, kProgramVersion, all, all},
                             Refused{"a 24-bit stream", 0, 0, *RecordSize(13, 7, 0), 0, all, all},
                             Refused{"room for less", 0, 0, size - 1, kProgramVersion, all, all},
                             Refused{"room for more", 0, 0, size + 1, kProgramVersion, all, all},
                             Refused{"a colour row short", 0, 0, size, kProgramVersion, all - 1, all},
                             Refused{"a mask row short", 0, 0, size, kProgramVersion, all, all - 1}}) {
        SCOPED_TRACE(r.what);
        StripBits bits = strip.Bits();
        bits.colour = bits.colour.first(r.colourBytes);
        bits.mask = bits.mask.first(r.maskBytes);
        Bytes out(r.outSize, 0xAB);
        EXPECT_FALSE(CutRecord(bits, r.left, r.top, frame, r.version, out));
        EXPECT_EQ(out, Bytes(r.outSize, 0xAB));
    }
    Bytes out(size);
    EXPECT_TRUE(CutRecord(strip.Bits(), 39, 7, frame, kProgramVersion, out));  // the last place there is
    RecordFrame uneven = frame;
    uneven.mask.height = 8;
    EXPECT_FALSE(CutRecord(strip.Bits(), 0, 0, uneven, kProgramVersion, out));
}

TEST(StripRecords, FrameAndAlphaOfOneImage)
{
    Bytes record =
        *EncodeRecord(IconPixels{2, 3, std::vector<std::uint32_t>(6), std::vector<bool>(6)}, kProgramVersion);
    record[4] = 9;  // hot spot x
    const auto frame = FrameOf(record, kProgramVersion);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->head, (RecordHead{1, 9, 1}));
    EXPECT_EQ(frame->colour, (BitmapHeader{0, 2, 3, 8, 1, 32, 0}));
    EXPECT_EQ(frame->mask, (BitmapHeader{0, 2, 3, 2, 1, 1, 0}));
    EXPECT_FALSE(FrameOf(std::span(record).first(record.size() - 1), kProgramVersion));
    Bytes taller = record;
    taller[12 + 24 + 24 + 8] = 2;  // the mask two rows high
    EXPECT_FALSE(FrameOf(taller, kProgramVersion));

    HandStrip strip(5, 4, 3, 3);
    for (auto& c : strip.icons[1].colour)
        c &= 0xFFFFFF;
    strip.icons[1].colour[19] |= 0x10000000u;  // one blended pixel, the last of image 1
    for (auto& c : strip.icons[2].colour)
        c &= 0xFFFFFF;
    strip.Place(1, strip.icons[1]);
    strip.Place(2, strip.icons[2]);
    EXPECT_TRUE(HasAlpha(strip.Bits(), 0, 0, 5, 4));
    EXPECT_TRUE(HasAlpha(strip.Bits(), 5, 0, 5, 4));
    EXPECT_FALSE(HasAlpha(strip.Bits(), 10, 0, 5, 4));
    EXPECT_FALSE(HasAlpha(strip.Bits(), 10, 1, 5, 4));  // outside: nothing to say
}
