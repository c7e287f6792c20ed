#include "runtime/ImageFileCheck.h"

#include "support/HostileImageFiles.h"
#include "support/ImageFileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using rt::ImageFileKind;
using test::Bytes;

struct Case {
    const char* name;
    Bytes bytes;
};

// Little- or big-endian field writes at a fixed offset of a file the writers made.
Bytes With(Bytes bytes, std::size_t at, std::uint32_t value, int width = 4, bool bigEndian = false)
{
    for (int i = 0; i < width; ++i)
        bytes[at + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(value >> (8 * (bigEndian ? width - 1 - i : i)));
    return bytes;
}

Bytes Cut(const Bytes& bytes, std::size_t length)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

void ExpectRefused(ImageFileKind kind, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(rt::ImageFileHoldsTogether(kind, c.bytes));
    }
}

// Offsets in the writers' files: a one-image icon's bitmap header, an animated cursor's "anih", a bitmap's
// info header, the frame header of JpegFile, a PNG's IHDR.
constexpr std::size_t kIcon = 22, kAnih = 20, kInfo = 14, kFrame = 71, kIhdr = 16;

// A PNG (at `at` of the file) whose IHDR was changed, with its checksum made right again.
Bytes RepairedPng(Bytes bytes, std::size_t at = 0)
{
    return With(bytes, at + 29, test::detail::Crc32(bytes.data() + at + 12, 17), 4, true);
}

Bytes Rle8(std::initializer_list<std::uint8_t> stream)  // 9 x 4 pixels of four colours
{
    const Bytes valid = test::PaletteBitmapFile(9, 4, 4, true, [](int, int) { return 0; });
    Bytes bytes = Cut(valid, 14 + 40 + 16);
    for (std::uint8_t byte : stream)
        bytes.push_back(byte);
    return With(bytes, kInfo + 20, static_cast<std::uint32_t>(stream.size()));
}

TEST(ImageFileCheck, ValidFilesOfEveryKindPass)
{
    const auto pixel = [](int x, int y) { return static_cast<std::uint32_t>(x % 256 * 0x010203 + y % 256 * 0x030201); };
    const std::vector<std::pair<ImageFileKind, Case>> valid = {
        {ImageFileKind::IconOrCursor, {"icon 16", test::IconFile(16, 0xFF0000)}},
        {ImageFileKind::IconOrCursor, {"icon 256", test::IconFile(256, 0xFF0000)}},
        {ImageFileKind::IconOrCursor, {"cursor 32", test::IconFile(32, 0x00FF00, true)}},
        {ImageFileKind::IconOrCursor, {"icon 1 bit", test::PaletteIconFile(16, 1)}},
        {ImageFileKind::IconOrCursor, {"icon 4 bits", test::PaletteIconFile(32, 4)}},
        {ImageFileKind::IconOrCursor, {"icon 8 bits", test::PaletteIconFile(16, 8)}},
        {ImageFileKind::IconOrCursor, {"PNG icon", test::PngIconFile(48, 0x123456)}},
        {ImageFileKind::IconOrCursor, {"animated cursor", test::AnimatedCursorFile(16, {1, 2, 3})}},
        {ImageFileKind::Bitmap, {"24 bits", test::BitmapFile(3, 2, pixel)}},
        {ImageFileKind::Bitmap, {"40,000 x 1", test::BitmapFile(40000, 1, pixel)}},
        {ImageFileKind::Bitmap, {"8 bits", test::PaletteBitmapFile(5, 3, 7, false, [](int x, int) { return x; })}},
        {ImageFileKind::Bitmap,
         {"RLE8", test::PaletteBitmapFile(300, 3, 2, true, [](int x, int) { return x / 7 % 2; })}},
        {ImageFileKind::Bitmap, {"RLE4", test::Rle4BitmapFile(7, 3, 9)}},
        {ImageFileKind::Bitmap, {"bit fields", test::BitfieldsBitmapFile()}},
        {ImageFileKind::Bitmap, {"core header", test::CoreBitmapFile()}},
        {ImageFileKind::Bitmap, {"V5 top-down", test::TopDownV5BitmapFile()}},
        {ImageFileKind::Picture, {"bitmap", test::BitmapFile(3, 2, pixel)}},
        {ImageFileKind::Picture, {"GIF", test::GifFile(5, 3, {0, 0xFFFFFF}, [](int x, int) { return x % 2; })}},
        {ImageFileKind::Picture, {"JPEG", test::JpegFile(800, 600, 3)}},
        {ImageFileKind::Picture, {"JPEG 4,096 x 4,096", test::JpegFile(4096, 4096)}},
        {ImageFileKind::Picture, {"progressive JPEG", test::JpegFile(801, 599, 3, true)}},
        {ImageFileKind::Picture, {"PNG", test::PngFile(7, 5, pixel)}},
        {ImageFileKind::Picture, {"icon", test::PaletteIconFile(16, 4)}},
    };
    for (const auto& [kind, c] : valid) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(rt::ImageFileHoldsTogether(kind, c.bytes));
    }
    // The picture loader is given plain icons only: no PNG images, no cursors, no animations.
    ExpectRefused(ImageFileKind::Picture, {{"PNG icon", test::PngIconFile(4, 0x123456)},
                                           {"cursor", test::IconFile(16, 0x123456, true)},
                                           {"animated cursor", test::AnimatedCursorFile(16, {1, 2, 3})}});
}

// No prefix of a whole file holds together: every length and offset is weighed against the end.
TEST(ImageFileCheck, FilesCutShortAreRefused)
{
    const std::vector<std::pair<ImageFileKind, Case>> whole = {
        {ImageFileKind::IconOrCursor, {"icon", test::PaletteIconFile(16, 4)}},
        {ImageFileKind::IconOrCursor, {"PNG icon", test::PngIconFile(4, 0x123456)}},
        {ImageFileKind::IconOrCursor, {"animated cursor", test::AnimatedCursorFile(4, {1, 2})}},
        {ImageFileKind::Bitmap, {"RLE8", test::PaletteBitmapFile(9, 4, 4, true, [](int x, int) { return x / 3; })}},
        {ImageFileKind::Bitmap, {"core header", test::CoreBitmapFile()}},
        {ImageFileKind::Bitmap, {"bit fields", test::BitfieldsBitmapFile()}},
        {ImageFileKind::Picture, {"JPEG", test::JpegFile(16, 16, 3, true)}},
        {ImageFileKind::Picture, {"PNG", test::PngFile(3, 3, [](int, int) { return 0u; })}},
    };
    for (const auto& [kind, c] : whole)
        for (std::size_t length = 0; length < c.bytes.size(); ++length) {
            SCOPED_TRACE(std::string(c.name) + " cut to " + std::to_string(length));
            EXPECT_FALSE(rt::ImageFileHoldsTogether(kind, Cut(c.bytes, length)));
        }
}

// An icon file of `count` directory entries that all name the one image of `icon`.
Bytes ManyEntries(const Bytes& icon, std::uint16_t count)
{
    const std::uint32_t imageAt = 6 + 16u * count;
    Bytes out = With(Cut(icon, 6), 4, count, 2);
    for (std::uint16_t i = 0; i < count; ++i) {
        out.insert(out.end(), icon.begin() + 6, icon.begin() + 22);
        out = With(out, out.size() - 4, imageAt);
    }
    out.insert(out.end(), icon.begin() + 22, icon.end());
    return out;
}

TEST(ImageFileCheck, IconsWithHostileHeadersAreRefused)
{
    const Bytes icon = test::IconFile(16, 0xFF0000, true);
    const Bytes png = test::PngIconFile(16, 0xFF0000);
    const auto size = static_cast<std::uint32_t>(icon.size());
    const std::vector<Case> refused = {
        {"0 width", test::ZeroWidthCursor()},
        {"0 height", test::ZeroHeightCursor()},
        {"negative width", With(icon, kIcon + 4, 0x80000000)},
        {"odd height", With(icon, kIcon + 8, 31)},
        {"257 pixels wide", With(test::IconFile(257, 0xFF0000), kIcon + 8, 32)},
        {"2 planes", With(icon, kIcon + 12, 2, 2)},
        {"7 bits", With(icon, kIcon + 14, 7, 2)},
        {"bit fields", With(icon, kIcon + 16, 3)},
        {"header size 39", With(icon, kIcon, 39)},
        {"header past the entry", With(icon, kIcon, 41)},
        {"palette past the entry", With(icon, kIcon + 32, 1)},
        {"no mask rows", With(icon, 14, size - 22 - 64)},
        {"entry bytes past the file", With(icon, 14, size - 21)},
        {"entry past the file", With(icon, 18, size)},
        {"no entries", With(icon, 4, 0, 2)},
        {"257 entries", ManyEntries(test::IconFile(16, 0xFF0000), 257)},
        {"type 3", With(icon, 2, 3, 2)},
        {"reserved 1", With(icon, 0, 1, 2)},
        {"PNG of 0 width", RepairedPng(With(png, kIcon + kIhdr, 0, 4, true), kIcon)},
        {"PNG of 257 rows", RepairedPng(With(png, kIcon + kIhdr + 4, 257, 4, true), kIcon)},
        {"PNG bad checksum", With(png, kIcon + kIhdr, 17, 4, true)},
    };
    ExpectRefused(ImageFileKind::IconOrCursor, refused);
}

TEST(ImageFileCheck, AnimatedCursorsThatFaultOrHangAreRefused)
{
    const Bytes ani = test::AnimatedCursorFile(16, {1, 2, 3});
    const auto size = static_cast<std::uint32_t>(ani.size());
    const std::vector<Case> refused = {
        {"68 bytes, 0 frames, 3 steps", test::SmallestFaultingAnimatedCursor()},
        {"65,536 steps", test::ManyStepsAnimatedCursor()},
        {"0 frames", With(ani, kAnih + 4, 0)},
        {"0 steps", With(ani, kAnih + 8, 0)},
        {"1,025 frames", With(test::AnimatedCursorFile(1, std::vector<std::uint32_t>(1025, 0xFF)), kAnih + 8, 1)},
        {"more frames than icons", With(With(ani, kAnih + 4, 4), kAnih + 8, 4)},
        {"more steps than frames", With(ani, kAnih + 8, 4)},
        {"sequence flag, no sequence", With(ani, kAnih + 32, 3)},
        {"frames not icons", With(ani, kAnih + 32, 0)},
        {"anih's own size 0", With(ani, kAnih, 0)},
        {"anih chunk of 35 bytes", With(ani, 16, 35)},
        {"RIFF past the file", With(ani, 4, size - 7)},
        {"list past the RIFF", With(ani, 60, size)},
        {"first icon past the list", With(ani, 72, size)},
        {"a frame with a 0-width header", With(ani, 76 + kIcon + 4, 0)},
    };
    ExpectRefused(ImageFileKind::IconOrCursor, refused);
}

// Three frames shown in the order of `sequence` (a "seq " chunk after the frames), over three steps.
Bytes SequencedCursor(const std::vector<std::uint32_t>& sequence)
{
    Bytes ani = With(test::AnimatedCursorFile(8, {1, 2, 3}), kAnih + 32, 3);
    ani.insert(ani.end(), {'s', 'e', 'q', ' '});
    test::detail::Put32(ani, static_cast<std::uint32_t>(sequence.size() * 4));
    for (std::uint32_t frame : sequence)
        test::detail::Put32(ani, frame);
    return With(ani, 4, static_cast<std::uint32_t>(ani.size() - 8));
}

TEST(ImageFileCheck, AnimatedCursorSequencesNameFramesThatExist)
{
    EXPECT_TRUE(rt::ImageFileHoldsTogether(ImageFileKind::IconOrCursor, SequencedCursor({2, 0, 1})));
    EXPECT_FALSE(rt::ImageFileHoldsTogether(ImageFileKind::IconOrCursor, SequencedCursor({2, 3, 1})));
    EXPECT_FALSE(rt::ImageFileHoldsTogether(ImageFileKind::IconOrCursor, SequencedCursor({2, 0})));
}

// A bitmap whose info header claims `size` bytes: the bytes past the 40 it has are put in, the pixels moved.
Bytes WithHeaderSize(Bytes bmp, std::uint32_t size)
{
    bmp.insert(bmp.begin() + 54, size - 40, 0);
    return With(With(bmp, kInfo, size), 10, 14 + size);
}

// A 24-bit bitmap given an (optional) palette of `entries` colours before its pixels.
Bytes WithPalette(Bytes bmp, std::uint32_t entries)
{
    bmp.insert(bmp.begin() + 54, entries * 4, 0);
    return With(With(bmp, kInfo + 32, entries), 10, 54 + entries * 4);
}

TEST(ImageFileCheck, BitmapsWithHostileHeadersAreRefused)
{
    const Bytes bmp = test::BitmapFile(4, 3, [](int, int) { return 0u; });
    const auto size = static_cast<std::uint32_t>(bmp.size());
    const Bytes pal = test::PaletteBitmapFile(4, 3, 16, false, [](int, int) { return 0; });
    const std::vector<Case> refused = {
        {"pixels before the header", With(bmp, 10, 30)},
        {"pixels past the file", With(bmp, 10, size + 1)},
        {"rows past the file", With(bmp, kInfo + 8, 4)},
        {"header cut short", Cut(bmp, 40)},
        {"header size 64", With(bmp, kInfo, 64)},
        {"0 width", With(bmp, kInfo + 4, 0)},
        {"negative width", With(bmp, kInfo + 4, 0xFFFFFFFF)},
        {"0 height", With(bmp, kInfo + 8, 0)},
        {"INT_MIN height", With(bmp, kInfo + 8, 0x80000000)},
        {"65,536 wide", With(With(Rle8({0, 1}), kInfo + 4, 65536), kInfo + 8, 1)},
        {"2 planes", With(bmp, kInfo + 12, 2, 2)},
        {"12 bits", With(bmp, kInfo + 14, 12, 2)},
        {"header of 64 bytes", WithHeaderSize(bmp, 64)},
        {"palette of 257 entries", WithPalette(bmp, 257)},
        {"JPEG inside", With(bmp, kInfo + 16, 4)},
        {"PNG inside", With(bmp, kInfo + 16, 5)},
        {"bit fields of 12 bits", With(test::BitfieldsBitmapFile(), kInfo + 14, 12, 2)},
        {"image size past the file", With(bmp, kInfo + 20, size)},
        {"palette overlaps the pixels", With(pal, kInfo + 32, 17)},
        {"palette past the pixels' offset", With(pal, 10, 54 + 60)},
        {"core header of 0 bits", With(test::CoreBitmapFile(), kInfo + 10, 0, 2)},
        {"RLE8 of 4 bits", With(Rle8({0, 1}), kInfo + 14, 4, 2)},
        {"RLE8 top-down", With(Rle8({0, 1}), kInfo + 8, static_cast<std::uint32_t>(-4))},
        {"RLE8 without its size", With(Rle8({0, 1}), kInfo + 20, 0)},
        {"RLE8 runs out", Rle8({9, 1, 0, 0, 9})},
        {"RLE8 without its end", Rle8({9, 1, 0, 0, 9, 2, 0, 0})},
        {"RLE8 run past the row", Rle8({10, 1, 0, 1})},
        {"RLE8 absolute run past the row", Rle8({0, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1})},
        {"RLE8 absolute run cut short", Rle8({0, 9, 1, 2, 3})},
        {"RLE8 move past the top", Rle8({0, 2, 0, 5, 0, 1})},
        {"RLE8 move past the row", Rle8({0, 2, 10, 0, 0, 1})},
        {"RLE8 run above the top", Rle8({0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1})},
        {"RLE8 rows past the top", Rle8({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})},
        {"RLE8 40,000 x 40,000", With(With(Rle8({0, 1}), kInfo + 4, 40000), kInfo + 8, 40000)},
    };
    ExpectRefused(ImageFileKind::Bitmap, refused);
    EXPECT_TRUE(rt::ImageFileHoldsTogether(ImageFileKind::Bitmap, Rle8({9, 1, 0, 0, 0, 2, 3, 2, 6, 1, 0, 1})));
    EXPECT_TRUE(rt::ImageFileHoldsTogether(ImageFileKind::Bitmap, WithPalette(bmp, 256)));
}

TEST(ImageFileCheck, GifsWithHostileHeadersAreRefused)
{
    const Bytes gif = test::GifFile(6, 5, {0, 0xFF}, [](int x, int) { return x % 2; });
    Bytes unknownLast = gif;
    unknownLast.insert(unknownLast.end() - 1, 0x2D);
    Bytes noTable = With(Cut(gif, 13), 10, 0, 1);
    noTable.insert(noTable.end(), gif.begin() + 25, gif.end());
    const std::vector<Case> refused = {
        {"0-wide screen", With(gif, 6, 0, 2)},
        {"0-wide image", With(gif, 30, 0, 2)},
        {"image wider than the screen", With(gif, 30, 7, 2)},
        {"image past the screen's right edge", With(gif, 26, 1, 2)},
        {"no colour table", noTable},
        {"code size 1", With(gif, 35, 1, 1)},
        {"code size 9", With(gif, 35, 9, 1)},
        {"sub-block past the file", With(gif, 36, 0xFF, 1)},
        {"image without its end", Cut(gif, gif.size() - 2)},
        {"no image", Cut(gif, 25)},
        {"unknown block", With(gif, 25, 0x2D, 1)},
        {"unknown block after the image", unknownLast},
        {"GIF90a", With(gif, 4, '0', 1)},
    };
    ExpectRefused(ImageFileKind::Picture, refused);
    EXPECT_TRUE(rt::ImageFileHoldsTogether(ImageFileKind::Picture, Cut(gif, gif.size() - 1)));
}

// A progressive JPEG of `scans` scans: its last scan (AC of the one component, one byte of data) repeated.
Bytes ManyScans(int scans)
{
    Bytes jpeg = test::JpegFile(8, 8, 1, true);
    const Bytes last(jpeg.end() - 2 - 11, jpeg.end() - 2);  // its header of 10 bytes and its data
    for (int i = 2; i < scans; ++i)
        jpeg.insert(jpeg.end() - 2, last.begin(), last.end());
    return jpeg;
}

TEST(ImageFileCheck, JpegsThatHangOrLieAreRefused)
{
    const Bytes jpeg = test::JpegFile(16, 16, 3);
    const Bytes kScan{0xFF, 0xDA};
    Bytes fiveComponents = With(With(jpeg, kFrame + 3, 17 + 6, 2, true), kFrame + 9, 5, 1);
    fiveComponents.insert(fiveComponents.begin() + kFrame + 19, {4, 0x11, 0, 5, 0x11, 0});
    Bytes lineCount = jpeg;
    lineCount.insert(lineCount.end() - 2, {0xFF, 0xDC, 0, 4, 0, 16});
    Bytes twoFrames = jpeg;
    twoFrames.insert(twoFrames.begin() + kFrame, jpeg.begin() + kFrame, jpeg.begin() + kFrame + 19);
    const std::size_t scan =
        static_cast<std::size_t>(std::search(jpeg.begin(), jpeg.end(), kScan.begin(), kScan.end()) - jpeg.begin());
    const std::vector<Case> refused = {
        {"159 bytes, 4,095 x 60,000", test::SlowNarrowJpeg()},
        {"65,500 x 65,500", test::HugeJpeg()},
        {"8,192 x 4,097 with all its data", test::JpegFile(8192, 4097)},
        {"4,096 x 4,096 from one byte",
         With(With(test::JpegFile(8, 8), kFrame + 5, 4096, 2, true), kFrame + 7, 4096, 2, true)},
        {"0 wide", With(jpeg, kFrame + 7, 0, 2, true)},
        {"0 rows", With(jpeg, kFrame + 5, 0, 2, true)},
        {"12-bit", With(jpeg, kFrame + 4, 12, 1)},
        {"0 components", With(jpeg, kFrame + 9, 0, 1)},
        {"5 components", fiveComponents},
        {"line count segment", lineCount},
        {"sampling 0", With(jpeg, kFrame + 11, 0x01, 1)},
        {"sampling 5", With(jpeg, kFrame + 11, 0x51, 1)},
        {"quantisation table 4", With(jpeg, kFrame + 12, 4, 1)},
        {"quantisation table id 4", With(jpeg, 6, 4, 1)},
        {"33 scans", ManyScans(33)},
        {"two frame headers", twoFrames},
        {"arithmetic coding", With(jpeg, kFrame + 1, 0xC9, 1)},
        {"quantisation table past the file", With(jpeg, 4, 0xFFF0, 2, true)},
        {"scan of an unknown component", With(jpeg, scan + 5, 7, 1)},
        {"scan of two components twice", With(jpeg, scan + 7, 1, 1)},
        {"no end", Cut(jpeg, jpeg.size() - 2)},
        {"no frame", Bytes{0xFF, 0xD8, 0xFF, 0xD9}},
    };
    ExpectRefused(ImageFileKind::Picture, refused);
    EXPECT_TRUE(rt::ImageFileHoldsTogether(ImageFileKind::Picture, ManyScans(32)));
}

TEST(ImageFileCheck, PngsWithHostileHeadersAreRefused)
{
    const Bytes png = test::PngFile(4, 4, [](int, int) { return 0x808080u; });
    Bytes noIend = Cut(png, png.size() - 12);
    const std::vector<Case> refused = {
        {"0 wide", RepairedPng(With(png, kIhdr, 0, 4, true))},
        {"2^31 rows", RepairedPng(With(png, kIhdr + 4, 0x80000000, 4, true))},
        {"65,536 x 65,536", RepairedPng(With(With(png, kIhdr, 65536, 4, true), kIhdr + 4, 65536, 4, true))},
        {"depth 3", RepairedPng(With(png, kIhdr + 8, 3, 1))},
        {"colour type 1", RepairedPng(With(png, kIhdr + 9, 1, 1))},
        {"palette type without a palette", RepairedPng(With(png, kIhdr + 9, 3, 1))},
        {"bad checksum", With(png, kIhdr, 5, 4, true)},
        {"no IEND", noIend},
        {"data chunk past the file", With(png, 33, 0x7FFFFFF0, 4, true)},
    };
    ExpectRefused(ImageFileKind::Picture, refused);
}

TEST(ImageFileCheck, EachKindTakesOnlyItsOwnFormats)
{
    const Bytes icon = test::IconFile(16, 1);
    const Bytes gif = test::GifFile(2, 2, {0, 1}, [](int, int) { return 0; });
    const Bytes bmp = test::BitmapFile(2, 2, [](int, int) { return 0u; });
    const std::vector<Case> refused = {
        {"TIFF", Bytes{'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0}},
        {"placeable metafile", Bytes{0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 0, 0, 0, 0, 0, 0}},
        {"empty", Bytes{}},
    };
    ExpectRefused(ImageFileKind::Picture, refused);
    ExpectRefused(ImageFileKind::Bitmap, {{"GIF", gif}, {"icon", icon}});
    ExpectRefused(ImageFileKind::IconOrCursor, {{"bitmap", bmp}, {"GIF", gif}});
}

// Every file is read to its end or its first fault without reading outside it (the sanitizers watch), the
// generator gives the same files for the same seed, and it stays small enough to feed the real readers.
TEST(HostileImageFiles, AreReadSafelyAndStayFew)
{
    const auto files = test::HostileImageFiles(7);
    std::map<ImageFileKind, int> perKind, refused;
    for (const auto& file : files) {
        ++perKind[file.kind];
        refused[file.kind] += rt::ImageFileHoldsTogether(file.kind, file.bytes) ? 0 : 1;
    }
    for (const auto& [kind, count] : perKind) {
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_GE(count, 150);
        EXPECT_LE(count, 400);
        EXPECT_GT(refused[kind], count * 3 / 4);
    }
    const auto again = test::HostileImageFiles(7);
    ASSERT_EQ(again.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(again[i].bytes, files[i].bytes) << files[i].name;
}

}  // namespace
