#include "imagelist/IconRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

using namespace imagelist;

namespace {

IconPixels Checker(int width, int height, std::uint32_t seed)
{
    IconPixels icon;
    icon.width = width;
    icon.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            icon.colour.push_back((seed * 2654435761u + static_cast<std::uint32_t>(y * width + x) * 40503u) &
                                  0x00FFFFFF);
            icon.transparent.push_back((x + y + static_cast<int>(seed)) % 3 == 0);
        }
    return icon;
}

std::vector<std::uint8_t> Record(int width, int height, std::int32_t version = kProgramVersion, std::uint32_t seed = 1)
{
    return *EncodeRecord(Checker(width, height, seed), version);
}

void Poke32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
}

}  // namespace

TEST(IconRecord, SizesOfSquareIconsAtBothColourLayouts)
{
    struct Case {
        int side;
        std::size_t v1, v0;
    };
    for (const Case& c : {Case{16, 1148, 940}, Case{24, 2460, 1956}, Case{32, 4412, 3484}, Case{48, 9660, 7500},
                          Case{72, 21660, 16692}}) {
        SCOPED_TRACE(c.side);
        EXPECT_EQ(RecordSize(c.side, c.side, kProgramVersion), c.v1);
        EXPECT_EQ(RecordSize(c.side, c.side, 1), c.v1);
        EXPECT_EQ(RecordSize(c.side, c.side, 0), c.v0);
        EXPECT_EQ(RecordSize(c.side, c.side, -5), c.v0);
        EXPECT_EQ(Record(c.side, c.side).size(), c.v1);
        EXPECT_EQ(Record(c.side, c.side, 0).size(), c.v0);
    }
    // Beyond the staging size the older writers reserved for a record.
    EXPECT_EQ(RecordSize(62, 62, kProgramVersion), 16180u);
    EXPECT_EQ(RecordSize(63, 63, kProgramVersion), 16692u);
}

TEST(IconRecord, MaskRowSizeRoundsHalvesToEven)
{
    // Width -> record row size R of the mask (area / height).
    for (auto [width, row] : {std::pair{16, 4}, {24, 4}, {32, 8}, {48, 8}, {72, 12}, {13, 4}, {5, 4}, {1, 4},
                              {29, 4}, {33, 8}, {57, 8}, {64, 12}}) {
        SCOPED_TRACE(width);
        EXPECT_EQ(AreaSize(BlockKind::Mask, width, 3, kProgramVersion), static_cast<std::size_t>(row * 3));
        EXPECT_GE(static_cast<std::size_t>(row), *PaddedRowBytes(BlockKind::Mask, width, 0));
    }
    EXPECT_EQ(AreaSize(BlockKind::Colour, 5, 2, 0), 36u);  // (3w + 3) h, not rounded to the 16-byte rows
    EXPECT_EQ(PaddedRowBytes(BlockKind::Colour, 5, 0), 16u);
    EXPECT_EQ(PaddedRowBytes(BlockKind::Colour, 5, 1), 20u);  // version 1 is already 32-bit
}

TEST(IconRecord, UnusableSidesHaveNoSize)
{
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    for (auto [w, h] : {std::pair{0, 16}, {16, 0}, {-1, 16}, {16, -16}, {big, big}, {65536, 65536}, {big, 1}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        EXPECT_FALSE(RecordSize(w, h, kProgramVersion));
        EXPECT_FALSE(RecordSize(w, h, 0));
    }
}

TEST(IconRecord, HeadersAreLittleEndianFieldByField)
{
    const std::vector<std::uint8_t> bytes = Record(16, 16);
    const std::vector<std::uint8_t> head{1, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0};
    EXPECT_EQ(std::vector(bytes.begin(), bytes.begin() + 12), head);
    const std::vector<std::uint8_t> colour{0, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0, 64, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector(bytes.begin() + 12, bytes.begin() + 36), colour);
    const std::vector<std::uint8_t> mask{0, 0, 0, 0, 16, 0, 0, 0, 16, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector(bytes.begin() + 1060, bytes.begin() + 1084), mask);

    BitmapHeader odd{-2, 0x01020304, -70000, 7, 0xABCD, 0x1234, 0xFEDCBA98};
    std::uint8_t out[24];
    PutHeader(out, odd);
    EXPECT_EQ(out[4], 0x04);
    EXPECT_EQ(out[7], 0x01);
    EXPECT_EQ(out[16], 0xCD);
    EXPECT_EQ(out[19], 0x12);
    EXPECT_EQ(out[23], 0xFE);
    EXPECT_EQ(GetHeader(out), odd);
}

TEST(IconRecord, TheHotSpotIsTheMiddleOfEachSide)
{
    // 13 x 6: x and y differ, so a swap of the two shows.
    const std::vector<std::uint8_t> bytes = Record(13, 6);
    const std::vector<std::uint8_t> head{1, 0, 0, 0, 6, 0, 0, 0, 3, 0, 0, 0};
    EXPECT_EQ(std::vector(bytes.begin(), bytes.begin() + 12), head);
    std::uint8_t out[12];
    PutHead(out, {1, 6, 3});
    EXPECT_EQ(std::vector(out, out + 12), head);
}

TEST(IconRecord, PixelsSurviveTheRecordAtBothLayouts)
{
    for (std::int32_t version : {kProgramVersion, 0}) {
        for (auto [w, h] : {std::pair{16, 16}, {13, 7}, {32, 32}, {5, 9}, {72, 72}, {1, 1}}) {
            SCOPED_TRACE(std::to_string(version) + ": " + std::to_string(w) + " x " + std::to_string(h));
            const IconPixels icon = Checker(w, h, 7);
            const auto back = DecodeRecord(*EncodeRecord(icon, version), 0, version);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->colour, icon.colour);
            EXPECT_EQ(back->transparent, icon.transparent);
        }
    }
}

TEST(IconRecord, WideMaskRowsFillTheStartOfTheirArea)
{
    IconPixels icon = Checker(32, 32, 3);
    icon.transparent.assign(icon.transparent.size(), true);
    const std::vector<std::uint8_t> bytes = *EncodeRecord(icon, kProgramVersion);
    const std::size_t area = 12 + 24 + 4096 + 24;
    ASSERT_EQ(bytes.size(), area + 256);
    for (std::size_t i = 0; i < 128; ++i)
        ASSERT_EQ(bytes[area + i], 0xFF) << i;
    for (std::size_t i = 128; i < 256; ++i)
        ASSERT_EQ(bytes[area + i], 0) << i;
}

TEST(IconRecord, AMaskOfFewerRowsLeavesTheRowsBelowItOpaque)
{
    // A 6 x 4 icon whose mask is one row high and whose bytes end with that row: nothing past the row (nor
    // before the mask's area) may be read as mask. The mask header's unused bits field holds ones, so a row
    // taken from just before the area would show as transparent.
    const IconPixels icon = Checker(6, 4, 5);
    const std::vector<std::uint8_t> full = *EncodeRecord(icon, kProgramVersion);
    const std::size_t maskHeader = 12 + 24 + 6 * 4 * 4;
    std::vector<std::uint8_t> bytes(full.data(), full.data() + maskHeader + 24 + 4);  // an allocation of its own
    Poke32(bytes, maskHeader + 8, 1);
    Poke32(bytes, maskHeader + 20, -1);
    bytes[maskHeader + 24] = 0xA8;  // pixels 0, 2 and 4 of the top row
    const auto back = DecodeRecord(bytes, 0, kProgramVersion);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->colour, icon.colour);
    std::vector<bool> transparent(24, false);
    transparent[0] = transparent[2] = transparent[4] = true;
    EXPECT_EQ(back->transparent, transparent);
}

TEST(IconRecord, RecordsAreFoundBackToBack)
{
    std::vector<std::uint8_t> run;
    for (std::uint32_t seed = 0; seed < 3; ++seed) {
        const auto record = Record(16, 16, kProgramVersion, seed);
        run.insert(run.end(), record.begin(), record.end());
    }
    EXPECT_EQ(RecordOffsets(run, kProgramVersion), (std::vector<std::size_t>{0, 1148, 2296}));
    // Mixed sizes: each size comes from the record itself.
    const auto big = Record(48, 48);
    run.insert(run.end(), big.begin(), big.end());
    const auto small = Record(5, 3);
    run.insert(run.end(), small.begin(), small.end());
    EXPECT_EQ(RecordOffsets(run, kProgramVersion), (std::vector<std::size_t>{0, 1148, 2296, 3444, 13104}));
    // A run that ends inside its last record gives that record no place.
    run.pop_back();
    EXPECT_EQ(RecordOffsets(run, kProgramVersion).size(), 4u);
    EXPECT_FALSE(MeasureRecord(run, 13104, kProgramVersion));
    EXPECT_FALSE(DecodeRecord(run, 13104, kProgramVersion));
}

TEST(IconRecord, TheStreamsVersionDecidesTheLayout)
{
    const auto record = Record(16, 16);
    // Read as 24-bit, the colour area is taken as 816 bytes and the mask header is looked for inside the
    // colour rows.
    const auto block = MeasureBlock(record, 12, BlockKind::Colour, 0);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->areaSize, 816u);
    const auto misread = MeasureRecord(record, 0, 0);
    EXPECT_TRUE(!misread || misread->size() != 1148u);
}

TEST(IconRecord, CorruptHeadersGiveNoSize)
{
    const std::vector<std::uint8_t> good = Record(16, 16);
    struct Case {
        const char* what;
        std::size_t at;
        std::int32_t value;
    };
    for (const Case& c : {Case{"zero colour width", 16, 0}, Case{"negative colour height", 20, -16},
                          Case{"zero mask height", 1068, 0}, Case{"negative mask width", 1064, -1},
                          Case{"colour area beyond the data", 16, 17}, Case{"mask area beyond the data", 1068, 17},
                          Case{"colour area overflows", 16, 0x7FFFFFFF}, Case{"mask area overflows", 1064, 0x40000000},
                          Case{"colour side past 2 GB of area", 20, 0x20000000}}) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes = good;
        Poke32(bytes, c.at, c.value);
        EXPECT_FALSE(MeasureRecord(bytes, 0, kProgramVersion));
        EXPECT_FALSE(DecodeRecord(bytes, 0, kProgramVersion));
        EXPECT_TRUE(RecordOffsets(bytes, kProgramVersion).empty());
    }
    for (std::size_t cut : {0u, 11u, 12u, 35u, 36u, 1083u, 1147u}) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(MeasureRecord(std::span(good).first(cut), 0, kProgramVersion));
    }
    EXPECT_FALSE(MeasureRecord(good, good.size(), kProgramVersion));
    EXPECT_FALSE(MeasureRecord(good, good.size() + 100, kProgramVersion));
    EXPECT_FALSE(MeasureBlock(good, std::numeric_limits<std::size_t>::max() - 4, BlockKind::Mask, 1));
}
