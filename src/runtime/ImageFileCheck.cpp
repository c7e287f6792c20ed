#include "runtime/ImageFileCheck.h"

#include <array>
#include <cstddef>

namespace rt {

namespace {

// Every size below is worked out in 64 bits: no header field of 32 bits can make a sum wrap.
using Size = std::uint64_t;

// The platform keeps a loaded picture as a bitmap and its readers take time in proportion to the pixels,
// whatever the file's size: under Wine 8,192 x 4,096 (2^25, room for an 8K frame or a 24-megapixel photo)
// took 0.3-0.8 s in every format, a 24-megapixel progressive JPEG 1.1 s; 4,095 x 60,000 took 3.2 s, and the
// 65,500 x 65,500 JPEG 23 s before it faulted.
constexpr Size kMostPixels = Size{1} << 25;
// Widths and heights that the file formats' 16-bit fields allow; a bitmap header's 32 bits may claim more.
constexpr Size kLongestSide = 65535;
// An icon directory states sizes up to 256 pixels, the largest icon the image list takes.
constexpr Size kLargestIconSide = 256;
// Real icon files hold a few dozen sizes and depths at most.
constexpr Size kMostIconImages = 256;
// The Images page counts an animated cursor's frames to 1,024; 65,536 steps kept the reader busy for seconds.
constexpr Size kMostAnimationSteps = 1024;
constexpr Size kMostAnimationFrames = 1024;
// The images of a GIF are read one after another; animations hold hundreds at most.
constexpr Size kMostGifImages = 4096;
// Every scan of a progressive JPEG passes over the whole picture again (64 scans of 2^25 pixels took 1.5 s);
// encoders write about ten.
constexpr Size kMostJpegScans = 32;
// A complete JPEG needs at least one bit of entropy-coded data for every 8 x 8 block of each component in
// its first scan (512 pixels a byte); a file that declares many more pixels than its data can fill is a
// small file that would keep the reader busy with nothing.
constexpr Size kMostPixelsPerEntropyByte = 1024;
// Pictures this small are cheap whatever their data: no need to weigh them against it.
constexpr Size kPixelsAlwaysCheap = Size{1} << 16;

// Bounds-checked reads of the file's little- and big-endian fields: a read outside gives 0, and the checks
// ask In() before they trust a field.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    Size Length() const { return bytes_.size(); }
    bool In(Size at, Size count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
    std::uint32_t U8(Size at) const { return In(at, 1) ? bytes_[at] : 0; }
    std::uint32_t Le16(Size at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t Le32(Size at) const { return Le16(at) | Le16(at + 2) << 16; }
    std::int32_t LeS32(Size at) const { return static_cast<std::int32_t>(Le32(at)); }
    std::uint32_t Be16(Size at) const { return U8(at) << 8 | U8(at + 1); }
    std::uint32_t Be32(Size at) const { return Be16(at) << 16 | Be16(at + 2); }
    bool Tag(Size at, const char (&tag)[5]) const
    {
        for (Size i = 0; i < 4; ++i)
            if (U8(at + i) != static_cast<std::uint8_t>(tag[i]) || !In(at + i, 1))
                return false;
        return true;
    }
    ByteReader Part(Size at, Size count) const
    {
        return In(at, count) ? ByteReader(bytes_.subspan(at, count)) : ByteReader({});
    }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

private:
    std::span<const std::uint8_t> bytes_;
};

// Bytes of one row of a device-independent bitmap: whole 32-bit words.
Size Stride(Size width, Size bits)
{
    return (width * bits + 31) / 32 * 4;
}

bool ValidDibBits(Size bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Palette entries of a bitmap header: the count it gives, or the depth's full table for 0. False when the
// count does not fit the depth (beyond 8 bits a palette only helps a display, up to 256 entries).
bool ReadPalette(Size bits, Size used, Size& entries)
{
    const Size full = bits <= 8 ? Size{1} << bits : 0;
    if (bits <= 8 ? used > full : used > 256)
        return false;
    entries = used != 0 ? used : full;
    return true;
}

// ---- PNG ----

std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWithPng(const ByteReader& file)
{
    for (Size i = 0; i < kPngSignature.size(); ++i)
        if (!file.In(i, 1) || file.U8(i) != kPngSignature[i])
            return false;
    return true;
}

bool ValidPngDepth(std::uint32_t colourType, std::uint32_t depth)
{
    switch (colourType) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

// A PNG of at most `longestSide` pixels a side: IHDR first, every chunk whole with its checksum, a palette
// where the colour type needs one, image data, and IEND.
bool PngHoldsTogether(const ByteReader& file, Size longestSide)
{
    if (!StartsWithPng(file))
        return false;
    Size at = kPngSignature.size();
    bool header = false, palette = false, data = false;
    std::uint32_t colourType = 0, depth = 0;
    while (true) {
        if (!file.In(at, 8))
            return false;
        const Size length = file.Be32(at);
        if (length > 0x7FFFFFFFu || !file.In(at + 8, length + 4))
            return false;
        const Size body = at + 8;
        if (Crc32(file.Bytes().subspan(at + 4, length + 4)) != file.Be32(body + length))
            return false;
        const bool isHeader = file.Tag(at + 4, "IHDR");
        if (isHeader != !header)
            return false;  // IHDR comes first, and once
        if (isHeader) {
            const Size width = file.Be32(body), height = file.Be32(body + 4);
            depth = file.U8(body + 8);
            colourType = file.U8(body + 9);
            if (length != 13 || width == 0 || height == 0 || width > longestSide || height > longestSide ||
                width * height > kMostPixels || !ValidPngDepth(colourType, depth) || file.U8(body + 10) != 0 ||
                file.U8(body + 11) != 0 || file.U8(body + 12) > 1)
                return false;
            header = true;
        } else if (file.Tag(at + 4, "PLTE")) {
            if (palette || data || length == 0 || length % 3 != 0 || length / 3 > 256 ||
                (colourType == 3 && length / 3 > (Size{1} << depth)))
                return false;
            palette = true;
        } else if (file.Tag(at + 4, "IDAT")) {
            if (colourType == 3 && !palette)
                return false;
            data = true;
        } else if (file.Tag(at + 4, "IEND")) {
            return length == 0 && data;
        }
        at = body + length + 4;
    }
}

// ---- Icons, cursors and animated cursors ----

// One image of an icon directory: a PNG (where `png` allows it), or a bitmap header with its palette, colour
// rows and mask rows (the header's height counts both) all inside the entry's bytes.
bool IconImageHoldsTogether(const ByteReader& image, bool png)
{
    if (StartsWithPng(image))
        return png && PngHoldsTogether(image, kLargestIconSide);
    if (!image.In(0, 40))
        return false;
    const Size headerSize = image.Le32(0);
    const std::int32_t width = image.LeS32(4), height = image.LeS32(8);
    const Size bits = image.Le16(14);
    Size palette = 0;
    if (headerSize < 40 || width <= 0 || height <= 0 || height % 2 != 0 ||
        static_cast<Size>(width) > kLargestIconSide || static_cast<Size>(height / 2) > kLargestIconSide ||
        image.Le16(12) != 1 || !ValidDibBits(bits) || image.Le32(16) != 0 ||
        !ReadPalette(bits, image.Le32(32), palette))
        return false;
    const Size rows = static_cast<Size>(height / 2);
    const Size need = headerSize + palette * 4 + Stride(static_cast<Size>(width), bits) * rows +
                      Stride(static_cast<Size>(width), 1) * rows;
    return need <= image.Length();
}

// An .ico or .cur file: the directory, and every image it lists inside the file and whole; PNG images only
// where `png` allows them.
bool IconDirectoryHoldsTogether(const ByteReader& file, bool png = true)
{
    if (!file.In(0, 6))
        return false;
    const Size type = file.Le16(2), count = file.Le16(4);
    if (file.Le16(0) != 0 || (type != 1 && type != 2) || count == 0 || count > kMostIconImages)
        return false;
    const Size directoryEnd = 6 + 16 * count;
    if (!file.In(0, directoryEnd))
        return false;
    for (Size i = 0; i < count; ++i) {
        const Size entry = 6 + 16 * i;
        const Size bytes = file.Le32(entry + 8), offset = file.Le32(entry + 12);
        if (offset < directoryEnd || !file.In(offset, bytes) || !IconImageHoldsTogether(file.Part(offset, bytes), png))
            return false;
    }
    return true;
}

// A chunk of a RIFF file: its tag, where its data starts and how long it is.
struct Chunk {
    Size at = 0;
    Size data = 0;
    Size length = 0;
};

// The chunks between `begin` and `end`, each wholly inside; false when one is not. Chunks start on even
// offsets (an odd chunk's pad byte may be missing only at the very end).
template <class Visit> bool WalkChunks(const ByteReader& file, Size begin, Size end, Visit visit)
{
    Size at = begin;
    while (at < end) {
        if (end - at < 8 || !file.In(at, 8))
            return false;
        const Size length = file.Le32(at + 4);
        if (length > end - at - 8 || !file.In(at + 8, length))
            return false;
        if (!visit(Chunk{at, at + 8, length}))
            return false;
        at += 8 + length + (length & 1);
    }
    return true;
}

// Fields of an "anih" chunk.
constexpr Size kAnihSize = 36;
constexpr std::uint32_t kAnihFramesAreIcons = 1;
constexpr std::uint32_t kAnihHasSequence = 2;

// A RIFF "ACON" file: one "anih" first, with frames and steps in bounds; a "LIST" "fram" of at least as
// many "icon" chunks, each a whole icon file; "rate" and "seq " long enough for every step, and every
// sequence entry naming a frame that exists.
bool AnimatedCursorHoldsTogether(const ByteReader& file)
{
    if (!file.Tag(0, "RIFF") || !file.Tag(8, "ACON"))
        return false;
    const Size riffLength = file.Le32(4);
    if (riffLength < 4 || !file.In(8, riffLength))
        return false;
    Size frames = 0, steps = 0, icons = 0;
    std::uint32_t flags = 0;
    bool header = false, frameList = false, rate = false;
    Chunk sequence;
    bool hasSequence = false;
    const bool whole = WalkChunks(file, 12, 8 + riffLength, [&](const Chunk& chunk) {
        if (file.Tag(chunk.at, "anih")) {
            if (header || chunk.length < kAnihSize || file.Le32(chunk.data) != kAnihSize)
                return false;
            frames = file.Le32(chunk.data + 4);
            steps = file.Le32(chunk.data + 8);
            flags = file.Le32(chunk.data + 32);
            header = true;
            return frames >= 1 && frames <= kMostAnimationFrames && steps >= 1 && steps <= kMostAnimationSteps &&
                   (flags & kAnihFramesAreIcons) != 0;
        }
        if (file.Tag(chunk.at, "rate")) {
            if (!header || rate || chunk.length < steps * 4)
                return false;
            rate = true;
            return true;
        }
        if (file.Tag(chunk.at, "seq ")) {
            if (!header || hasSequence || chunk.length < steps * 4)
                return false;
            hasSequence = true;
            sequence = chunk;
            return true;
        }
        if (file.Tag(chunk.at, "LIST") && file.Tag(chunk.data, "fram")) {
            if (!header || frameList || chunk.length < 4)
                return false;
            frameList = true;
            return WalkChunks(file, chunk.data + 4, chunk.data + chunk.length, [&](const Chunk& frame) {
                ++icons;
                return file.Tag(frame.at, "icon") && IconDirectoryHoldsTogether(file.Part(frame.data, frame.length));
            });
        }
        return true;  // LIST INFO and other chunks no reader looks into
    });
    if (!whole || !frameList || icons < frames)
        return false;
    // Without a sequence, step n shows frame n.
    if (!hasSequence)
        return steps <= frames && (flags & kAnihHasSequence) == 0;
    for (Size i = 0; i < steps; ++i)
        if (file.Le32(sequence.data + 4 * i) >= frames)
            return false;
    return true;
}

// ---- Bitmaps ----

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
constexpr Size kFileHeaderSize = 14;
constexpr Size kCoreHeaderSize = 12, kInfoHeaderSize = 40, kV4HeaderSize = 108, kV5HeaderSize = 124;

// A run-length-coded image: runs stay inside the image's `width` x `height` and the stream ends with its own
// end-of-bitmap mark before its bytes run out. `bits` is 8 or 4 (the pixels a data byte holds differ).
bool RleHoldsTogether(const ByteReader& data, Size width, Size height, Size bits)
{
    Size at = 0, x = 0, y = 0;
    while (data.In(at, 2)) {
        const Size count = data.U8(at), code = data.U8(at + 1);
        at += 2;
        if (count > 0) {  // a run of one value
            if (y >= height || count > width - x)
                return false;
            x += count;
        } else if (code == 0) {  // end of line
            x = 0;
            if (++y > height)
                return false;
        } else if (code == 1) {  // end of bitmap
            return true;
        } else if (code == 2) {  // move right and up
            if (!data.In(at, 2))
                return false;
            x += data.U8(at);
            y += data.U8(at + 1);
            at += 2;
            if (x > width || y > height)
                return false;
        } else {  // `code` pixels as they are, padded to a whole word
            const Size bytes = bits == 8 ? code : (code + 1) / 2;
            if (y >= height || code > width - x || !data.In(at, bytes))
                return false;
            x += code;
            at += bytes + (bytes & 1);
        }
    }
    return false;
}

// A .bmp file: the file header, a core (12-byte) or info (40, 108 or 124-byte) header, whole; dimensions,
// depth and compression that go together; the palette and any colour masks before the pixels; the pixels
// inside the file, walked through for the run-length compressions.
bool BitmapHoldsTogether(const ByteReader& file)
{
    if (!file.In(0, kFileHeaderSize + 4) || file.U8(0) != 'B' || file.U8(1) != 'M')
        return false;
    const Size pixelsAt = file.Le32(10);
    const Size headerSize = file.Le32(kFileHeaderSize);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize &&
        headerSize != kV5HeaderSize)
        return false;
    if (!file.In(kFileHeaderSize, headerSize))
        return false;
    const Size h = kFileHeaderSize;
    Size width = 0, height = 0, bits = 0, entrySize = 4, masks = 0, imageSize = 0;
    std::uint32_t compression = kBiRgb;
    bool bottomUp = true;
    Size palette = 0;
    if (headerSize == kCoreHeaderSize) {
        width = file.Le16(h + 4);
        height = file.Le16(h + 6);
        bits = file.Le16(h + 10);
        if (file.Le16(h + 8) != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24) ||
            !ReadPalette(bits, 0, palette))
            return false;
        entrySize = 3;
    } else {
        const std::int32_t signedWidth = file.LeS32(h + 4), signedHeight = file.LeS32(h + 8);
        if (signedWidth <= 0 || signedHeight == 0 || signedHeight == INT32_MIN)
            return false;
        width = static_cast<Size>(signedWidth);
        bottomUp = signedHeight > 0;
        height = static_cast<Size>(bottomUp ? signedHeight : -signedHeight);
        bits = file.Le16(h + 14);
        compression = file.Le32(h + 16);
        imageSize = file.Le32(h + 20);
        if (file.Le16(h + 12) != 1 || !ReadPalette(bits, file.Le32(h + 32), palette))
            return false;
        switch (compression) {
        case kBiRgb:
            if (!ValidDibBits(bits))
                return false;
            break;
        case kBiRle8:
        case kBiRle4:
            if (bits != (compression == kBiRle8 ? 8u : 4u) || !bottomUp)
                return false;
            break;
        case kBiBitfields:
            if (bits != 16 && bits != 32)
                return false;
            // The three masks follow a 40-byte header; the longer headers hold them.
            masks = headerSize == kInfoHeaderSize ? 12 : 0;
            break;
        default:
            return false;  // JPEG or PNG inside, and anything newer: no reader here vouches for them
        }
        // A colour profile the header points to (V5, embedded or linked) must lie in the file too.
        const std::uint32_t kEmbedded = 0x4D424544, kLinked = 0x4C494E4B;  // 'MBED', 'LINK'
        if (headerSize == kV5HeaderSize && (file.Le32(h + 56) == kEmbedded || file.Le32(h + 56) == kLinked) &&
            !file.In(h + file.Le32(h + 112), file.Le32(h + 116)))
            return false;
    }
    if (width == 0 || height == 0 || width > kLongestSide || height > kLongestSide || width * height > kMostPixels)
        return false;
    const Size paletteAt = kFileHeaderSize + headerSize + masks;
    if (pixelsAt < paletteAt + palette * entrySize || pixelsAt > file.Length())
        return false;
    if (imageSize != 0 && !file.In(pixelsAt, imageSize))
        return false;
    if (compression == kBiRle8 || compression == kBiRle4)
        return imageSize != 0 && RleHoldsTogether(file.Part(pixelsAt, imageSize), width, height, bits);
    return file.In(pixelsAt, Stride(width, bits) * height);
}

// ---- GIF ----

// A chain of data sub-blocks from `at`, ended by an empty one; gives the offset past it, or 0.
Size SkipSubBlocks(const ByteReader& file, Size at)
{
    while (file.In(at, 1)) {
        const Size length = file.U8(at);
        if (length == 0)
            return at + 1;
        at += 1 + length;
    }
    return 0;
}

Size ColourTableBytes(std::uint32_t packed)
{
    return (packed & 0x80) ? 3 * (Size{2} << (packed & 7)) : 0;
}

// A GIF87a/GIF89a: a logical screen of bounded size; every image inside it, with a colour table, a sensible
// code size and its data chain whole; extensions whole; a trailer, or the end of the file after a whole
// block, with at least one image.
bool GifHoldsTogether(const ByteReader& file)
{
    if (!file.In(0, 13) || !file.Tag(0, "GIF8") || (file.U8(4) != '7' && file.U8(4) != '9') || file.U8(5) != 'a')
        return false;
    const Size screenWidth = file.Le16(6), screenHeight = file.Le16(8);
    const std::uint32_t screenFlags = file.U8(10);
    if (screenWidth == 0 || screenHeight == 0 || screenWidth * screenHeight > kMostPixels)
        return false;
    const bool globalTable = (screenFlags & 0x80) != 0;
    Size at = 13 + ColourTableBytes(screenFlags);
    Size images = 0, pixels = 0;
    while (true) {
        if (!file.In(at, 1))
            return images > 0;  // no trailer, but every block before the end was whole
        const std::uint32_t introducer = file.U8(at);
        if (introducer == 0x3B)
            return images > 0;
        if (introducer == 0x21) {
            if (!file.In(at, 2) || (at = SkipSubBlocks(file, at + 2)) == 0)
                return false;
        } else if (introducer == 0x2C) {
            if (!file.In(at, 10))
                return false;
            const Size left = file.Le16(at + 1), top = file.Le16(at + 3);
            const Size width = file.Le16(at + 5), height = file.Le16(at + 7);
            const std::uint32_t flags = file.U8(at + 9);
            pixels += width * height;
            if (width == 0 || height == 0 || left + width > screenWidth || top + height > screenHeight ||
                pixels > kMostPixels || ++images > kMostGifImages || (!globalTable && (flags & 0x80) == 0))
                return false;
            at += 10 + ColourTableBytes(flags);
            const Size codeSize = file.U8(at);
            if (!file.In(at, 1) || codeSize < 2 || codeSize > 8 || (at = SkipSubBlocks(file, at + 1)) == 0)
                return false;
        } else {
            return false;
        }
    }
}

// ---- JPEG ----

// The frame header's facts the scans are checked against.
struct JpegFrame {
    bool seen = false;
    bool progressive = false;
    Size components = 0;
    std::array<std::uint32_t, 4> ids{};
};

bool JpegFrameHoldsTogether(const ByteReader& segment, std::uint32_t marker, JpegFrame& frame)
{
    const Size height = segment.Be16(1), width = segment.Be16(3), components = segment.U8(5);
    if (segment.U8(0) != 8 || width == 0 || height == 0 || width * height > kMostPixels || components < 1 ||
        components > 4 || segment.Length() != 6 + 3 * components)
        return false;
    for (Size i = 0; i < components; ++i) {
        const std::uint32_t id = segment.U8(6 + 3 * i), sampling = segment.U8(7 + 3 * i);
        const std::uint32_t h = sampling >> 4, v = sampling & 15;
        if (h < 1 || h > 4 || v < 1 || v > 4 || segment.U8(8 + 3 * i) > 3)
            return false;
        for (Size j = 0; j < i; ++j)
            if (frame.ids[j] == id)
                return false;
        frame.ids[i] = id;
    }
    frame.seen = true;
    frame.progressive = marker == 0xC2;
    frame.components = components;
    return true;
}

bool JpegScanHoldsTogether(const ByteReader& segment, const JpegFrame& frame)
{
    const Size count = segment.U8(0);
    if (count < 1 || count > frame.components || segment.Length() != 4 + 2 * count)
        return false;
    std::array<bool, 4> used{};
    for (Size i = 0; i < count; ++i) {
        const std::uint32_t id = segment.U8(1 + 2 * i), tables = segment.U8(2 + 2 * i);
        Size which = 0;
        while (which < frame.components && frame.ids[which] != id)
            ++which;
        if (which == frame.components || used[which] || (tables >> 4) > 3 || (tables & 15) > 3)
            return false;
        used[which] = true;
    }
    const Size start = segment.U8(1 + 2 * count), end = segment.U8(2 + 2 * count);
    const Size high = segment.U8(3 + 2 * count) >> 4, low = segment.U8(3 + 2 * count) & 15;
    if (!frame.progressive)
        return start == 0 && end == 63 && high == 0 && low == 0;
    // A DC scan stands alone; an AC scan covers one component.
    return start <= end && end <= 63 && (start == 0 ? end == 0 : count == 1) && high <= 13 && low <= 13;
}

bool JpegTablesHoldTogether(const ByteReader& segment, std::uint32_t marker)
{
    Size at = 0;
    while (at < segment.Length()) {
        const std::uint32_t which = segment.U8(at);
        if (marker == 0xDB) {  // quantisation tables of 8 or 16-bit entries
            if ((which >> 4) > 1 || (which & 15) > 3)
                return false;
            at += 1 + ((which >> 4) ? 128 : 64);
        } else {  // Huffman tables: 16 counts of codes by length, then the symbols
            if ((which >> 4) > 1 || (which & 15) > 3 || !segment.In(at, 17))
                return false;
            Size symbols = 0;
            for (Size i = 1; i <= 16; ++i)
                symbols += segment.U8(at + i);
            if (symbols > 256)
                return false;
            at += 17 + symbols;
        }
        if (at > segment.Length())
            return false;
    }
    return true;
}

// Past the entropy-coded data from `at`: the offset of the next marker that is not a stuffed byte or a
// restart, or 0 when the file ends first.
Size SkipEntropyData(const ByteReader& file, Size at)
{
    while (file.In(at, 2)) {
        if (file.U8(at) != 0xFF) {
            ++at;
            continue;
        }
        const std::uint32_t next = file.U8(at + 1);
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
            at += 2;
        else if (next == 0xFF)
            ++at;  // fill before a marker
        else
            return at;
    }
    return 0;
}

// A JPEG of Huffman coding (baseline, extended or progressive, 8 bits): every marker segment whole, one frame
// header of bounded size before the scans, tables and scans that agree with it, and the end mark. The
// pixels are weighed against the entropy-coded data that is to fill them.
bool JpegHoldsTogether(const ByteReader& file)
{
    if (!file.In(0, 2) || file.U8(0) != 0xFF || file.U8(1) != 0xD8)
        return false;
    JpegFrame frame;
    Size at = 2, scans = 0, entropyBytes = 0, pixels = 0;
    while (true) {
        if (!file.In(at, 2) || file.U8(at) != 0xFF)
            return false;
        std::uint32_t marker = file.U8(at + 1);
        while (marker == 0xFF && file.In(at + 2, 1))
            marker = file.U8(++at + 1);
        if (marker == 0xD9)
            return scans > 0 && (pixels <= kPixelsAlwaysCheap || pixels / kMostPixelsPerEntropyByte <= entropyBytes);
        if (marker == 0xFF || marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7))
            return false;
        if (!file.In(at + 2, 2))
            return false;
        const Size length = file.Be16(at + 2);
        if (length < 2 || !file.In(at + 2, length))
            return false;
        const ByteReader segment = file.Part(at + 4, length - 2);
        const Size next = at + 2 + length;
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            if (frame.seen || !JpegFrameHoldsTogether(segment, marker, frame))
                return false;
            pixels = Size{segment.Be16(1)} * segment.Be16(3);
        } else if (marker == 0xC4 || marker == 0xDB) {
            if (!JpegTablesHoldTogether(segment, marker))
                return false;
        } else if (marker == 0xDD) {
            if (length != 4)
                return false;
        } else if (marker == 0xDA) {
            if (!frame.seen || ++scans > kMostJpegScans || !JpegScanHoldsTogether(segment, frame))
                return false;
            const Size end = SkipEntropyData(file, next);
            if (end == 0)
                return false;
            entropyBytes += end - next;
            at = end;
            continue;
        } else if (!(marker >= 0xE0 && marker <= 0xEF) && marker != 0xFE) {
            return false;  // other codings (lossless, hierarchical, arithmetic), line counts, extensions
        }
        at = next;
    }
}

}  // namespace

bool ImageFileHoldsTogether(ImageFileKind kind, std::span<const std::uint8_t> bytes)
{
    const ByteReader file(bytes);
    switch (kind) {
    case ImageFileKind::Bitmap:
        return BitmapHoldsTogether(file);
    case ImageFileKind::IconOrCursor:
        return file.Tag(0, "RIFF") ? AnimatedCursorHoldsTogether(file) : IconDirectoryHoldsTogether(file);
    case ImageFileKind::Picture:
        if (file.In(0, 2) && file.U8(0) == 'B' && file.U8(1) == 'M')
            return BitmapHoldsTogether(file);
        if (file.Tag(0, "GIF8"))
            return GifHoldsTogether(file);
        if (file.In(0, 2) && file.U8(0) == 0xFF && file.U8(1) == 0xD8)
            return JpegHoldsTogether(file);
        // The picture loader reads icons too: plain ones, of bitmap images only.
        if (file.In(0, 4) && file.Le16(0) == 0 && file.Le16(2) == 1)
            return IconDirectoryHoldsTogether(file, false);
        return PngHoldsTogether(file, kLongestSide);
    }
    return false;
}

}  // namespace rt
