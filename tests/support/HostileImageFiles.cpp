#include "support/HostileImageFiles.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <tuple>

namespace test {

namespace {

using Kind = rt::ImageFileKind;

// A header field: where it is, how wide (1, 2 or 4 bytes), in which byte order, and values of its own to try
// beside the hostile values of its width.
struct Field {
    const char* name;
    std::size_t at;
    int width;
    bool bigEndian = false;
    std::vector<std::uint32_t> extra = {};
};

// Values that broke readers: 0, 1, the largest and smallest of each sign, and the first past 16 bits.
constexpr std::uint32_t kHostile32[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x10000};
constexpr std::uint32_t kHostile16[] = {0, 1, 0x8000, 0xFFFF};
constexpr std::uint32_t kHostile8[] = {0, 1, 0x80, 0xFF};

void Put(Bytes& bytes, std::size_t at, int width, bool bigEndian, std::uint32_t value)
{
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        if (at + static_cast<std::size_t>(i) < bytes.size())
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> shift);
    }
}

// A copy of `bytes` with one little-endian field of 4 bytes, or `values` of them at `at`, `at` + 4, ..., set.
Bytes With(Bytes bytes, std::size_t at, std::initializer_list<std::uint32_t> values)
{
    for (std::uint32_t value : values) {
        Put(bytes, at, 4, false, value);
        at += 4;
    }
    return bytes;
}

void PutTag(Bytes& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

class Maker {
public:
    explicit Maker(std::uint32_t seed) : random_(seed) {}

    void Add(std::string name, Kind kind, Bytes bytes) { files_.push_back({std::move(name), kind, std::move(bytes)}); }

    // Every length below `every`, then `sample` more spread over the rest.
    void Truncations(const std::string& base, const std::string& ext, Kind kind, const Bytes& bytes, std::size_t every,
                     int sample)
    {
        std::vector<std::size_t> lengths;
        every = std::min(every, bytes.size());
        for (std::size_t n = 0; n < every; ++n)
            lengths.push_back(n);
        for (int i = 0; i < sample && bytes.size() > every; ++i)
            lengths.push_back(every + Below(bytes.size() - every));
        std::sort(lengths.begin(), lengths.end());
        lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
        for (std::size_t n : lengths)
            Add(base + "-cut-" + std::to_string(n) + ext, kind,
                Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)));
    }

    // Single bits flipped, mostly in the first 128 bytes where the headers are.
    void Flips(const std::string& base, const std::string& ext, Kind kind, const Bytes& bytes, int count)
    {
        for (int i = 0; i < count; ++i) {
            const std::size_t span = i % 4 == 3 ? bytes.size() : std::min<std::size_t>(128, bytes.size());
            const std::size_t bit = Below(span * 8);
            Bytes flipped = bytes;
            flipped[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
            Add(base + "-flip-" + std::to_string(bit) + ext, kind, std::move(flipped));
        }
    }

    // Each field set to each hostile value of its width and to its own values; `fix` mends what a reader
    // would otherwise refuse for another reason (a checksum).
    void Fields(const std::string& base, const std::string& ext, Kind kind, const Bytes& bytes,
                const std::vector<Field>& fields, const std::function<void(Bytes&)>& fix = {})
    {
        for (const Field& field : fields) {
            std::vector<std::uint32_t> values;
            if (field.width == 4)
                values.assign(std::begin(kHostile32), std::end(kHostile32));
            else if (field.width == 2)
                values.assign(std::begin(kHostile16), std::end(kHostile16));
            else
                values.assign(std::begin(kHostile8), std::end(kHostile8));
            values.insert(values.end(), field.extra.begin(), field.extra.end());
            for (std::uint32_t value : values) {
                Bytes changed = bytes;
                Put(changed, field.at, field.width, field.bigEndian, value);
                if (fix)
                    fix(changed);
                if (changed != bytes)
                    Add(base + "-" + field.name + "-" + Hex(value) + ext, kind, std::move(changed));
            }
        }
    }

    // The magic, then random bytes of random length.
    void Noise(const std::string& base, const std::string& ext, Kind kind, const Bytes& magic, int count)
    {
        for (int i = 0; i < count; ++i) {
            Bytes bytes = magic;
            const std::size_t length = 8 + Below(600);
            for (std::size_t j = 0; j < length; ++j)
                bytes.push_back(static_cast<std::uint8_t>(random_()));
            Add(base + "-noise-" + std::to_string(i) + ext, kind, std::move(bytes));
        }
    }

    std::vector<HostileImageFile> Take() { return std::move(files_); }

private:
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random_() % n); }

    std::mt19937 random_;
    std::vector<HostileImageFile> files_;
};

// An animated cursor from its parts: an "anih" of `frames` and `steps`, optional "rate" and "seq " of
// `sequence`, and a "fram" list of `icons`.
Bytes AnimatedCursor(std::uint32_t frames, std::uint32_t steps, const std::vector<Bytes>& icons,
                     const std::vector<std::uint32_t>& sequence, bool rate)
{
    Bytes body;
    PutTag(body, "ACON");
    PutTag(body, "anih");
    detail::Put32(body, 36);
    for (std::uint32_t value : {36u, frames, steps, 0u, 0u, 0u, 0u, 10u, sequence.empty() ? 1u : 3u})
        detail::Put32(body, value);
    if (rate) {
        PutTag(body, "rate");
        detail::Put32(body, steps * 4);
        for (std::uint32_t i = 0; i < steps; ++i)
            detail::Put32(body, 10);
    }
    if (!sequence.empty()) {
        PutTag(body, "seq ");
        detail::Put32(body, static_cast<std::uint32_t>(sequence.size() * 4));
        for (std::uint32_t entry : sequence)
            detail::Put32(body, entry);
    }
    Bytes list;
    PutTag(list, "fram");
    for (const Bytes& icon : icons) {
        PutTag(list, "icon");
        detail::Put32(list, static_cast<std::uint32_t>(icon.size()));
        list.insert(list.end(), icon.begin(), icon.end());
        if (icon.size() % 2)
            list.push_back(0);
    }
    PutTag(body, "LIST");
    detail::Put32(body, static_cast<std::uint32_t>(list.size()));
    body.insert(body.end(), list.begin(), list.end());
    Bytes out;
    PutTag(out, "RIFF");
    detail::Put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// The checksum of a PNG's IHDR at `png` made right again after its fields were changed: the reader is to see
// the fields, not a damaged chunk.
std::function<void(Bytes&)> FixHeaderChecksum(std::size_t png)
{
    return [png](Bytes& bytes) { Put(bytes, png + 29, 4, true, detail::Crc32(bytes.data() + png + 12, 17)); };
}

// Offsets in the files of ImageFileBytes: a one-image icon's directory entry and its bitmap header.
constexpr std::size_t kIconEntry = 6, kIconImage = 22;
// A bitmap's file header and info header.
constexpr std::size_t kInfo = 14;

void IconsAndCursors(Maker& make)
{
    const Kind kind = Kind::IconOrCursor;
    const Bytes icon = IconFile(16, 0x3366CC);
    const Bytes cursor = IconFile(16, 0xCC6633, true);
    const Bytes paletted = PaletteIconFile(16, 4);
    const Bytes png = PngIconFile(16, 0x22AA44);
    const Bytes animated = AnimatedCursorFile(16, {0xFF0000, 0x00FF00, 0x0000FF});

    make.Truncations("icon", ".ico", kind, icon, 24, 6);
    for (const auto& [name, ext, bytes] : {std::tuple{"cursor", ".cur", cursor}, std::tuple{"icon4", ".ico", paletted},
                                           std::tuple{"pngicon", ".ico", png}})
        make.Truncations(name, ext, kind, bytes, 0, 6);
    for (const auto& [name, ext, bytes] : {std::tuple{"icon", ".ico", icon}, std::tuple{"cursor", ".cur", cursor},
                                           std::tuple{"icon4", ".ico", paletted}, std::tuple{"pngicon", ".ico", png}})
        make.Flips(name, ext, kind, bytes, 6);
    make.Truncations("ani", ".ani", kind, animated, 16, 16);
    make.Flips("ani", ".ani", kind, animated, 16);

    const auto size = static_cast<std::uint32_t>(cursor.size());
    make.Fields("cursor", ".cur", kind, cursor,
                {{"reserved", 0, 2},
                 {"type", 2, 2, false, {2, 3}},
                 {"count", 4, 2, false, {2}},
                 {"entry-bytes", kIconEntry + 8, 4, false, {size - 21, size}},
                 {"entry-offset", kIconEntry + 12, 4, false, {5, 21, size, size + 1}},
                 {"header-size", kIconImage, 4, false, {39, 41, 124}},
                 {"header-width", kIconImage + 4, 4, false, {257}},
                 {"header-height", kIconImage + 8, 4, false, {16, 31, 33}},
                 {"header-planes", kIconImage + 12, 2},
                 {"header-bits", kIconImage + 14, 2, false, {7, 16, 24, 64}},
                 {"header-compression", kIconImage + 16, 4, false, {2, 3, 4}},
                 {"header-colours", kIconImage + 32, 4, false, {256, 257}}});
    make.Fields("icon4", ".ico", kind, paletted, {{"header-colours", kIconImage + 32, 4, false, {15, 17}}});
    make.Fields("pngicon", ".ico", kind, png,
                {{"png-width", kIconImage + 16, 4, true, {257}}, {"png-height", kIconImage + 20, 4, true, {4096}}},
                FixHeaderChecksum(kIconImage));
    // An animated cursor's RIFF size, its "anih" (chunk size, own size, frames, steps, flags) and its list.
    const auto aniSize = static_cast<std::uint32_t>(animated.size());
    make.Fields("ani", ".ani", kind, animated,
                {{"riff-size", 4, 4, false, {aniSize - 7}},
                 {"anih-size", 16, 4, false, {35}},
                 {"anih-own-size", 20, 4},
                 {"anih-frames", 24, 4, false, {2, 4, 1025}},
                 {"anih-steps", 28, 4, false, {2, 4, 1024, 1025}},
                 {"anih-flags", 52, 4, false, {2, 3}},
                 {"list-size", 60, 4, false, {aniSize}},
                 {"first-icon-size", 72, 4, false, {aniSize}}});

    const Bytes frame = IconFile(16, 0x808080, true);
    make.Add("ani-68-bytes-0-frames-3-steps.ani", kind, SmallestFaultingAnimatedCursor());
    make.Add("ani-65536-steps.ani", kind, ManyStepsAnimatedCursor());
    make.Add("ani-steps-past-frames.ani", kind, AnimatedCursor(2, 3, {frame, frame}, {}, false));
    make.Add("ani-fewer-icons-than-frames.ani", kind, AnimatedCursor(3, 3, {frame, frame}, {}, false));
    make.Add("ani-sequence-past-frames.ani", kind, AnimatedCursor(2, 3, {frame, frame}, {0, 1, 2}, true));
    make.Add("ani-sequence-short.ani", kind, AnimatedCursor(2, 3, {frame, frame}, {0, 1}, true));
    make.Add("ani-frame-0-width.ani", kind, AnimatedCursor(1, 1, {ZeroWidthCursor()}, {}, false));
    make.Add("ani-frame-0-height.ani", kind, AnimatedCursor(1, 1, {ZeroHeightCursor()}, {}, false));
    make.Add("ani-frame-not-icon.ani", kind, AnimatedCursor(1, 1, {Bytes(64, 0x41)}, {}, false));
    make.Add("ani-65536-frames.ani", kind, AnimatedCursor(65536, 65536, {frame, frame}, {}, false));
    make.Add("cursor-0-width.cur", kind, ZeroWidthCursor());
    make.Add("cursor-0-height.cur", kind, ZeroHeightCursor());
    make.Add("icon-0-width.ico", kind, With(icon, kIconImage + 4, {0}));
    make.Noise("icon", ".ico", kind, {0, 0, 1, 0, 1, 0}, 6);
    make.Noise("cursor", ".cur", kind, {0, 0, 2, 0, 1, 0}, 6);
    make.Noise("ani", ".ani", kind, {'R', 'I', 'F', 'F', 0, 1, 0, 0, 'A', 'C', 'O', 'N'}, 6);
}

void Bitmaps(Maker& make)
{
    const Kind kind = Kind::Bitmap;
    const Bytes rgb =
        BitmapFile(8, 6, [](int x, int y) { return static_cast<std::uint32_t>(x * 0x201000 + y * 0x20); });
    const Bytes palette = PaletteBitmapFile(7, 5, 16, false, [](int x, int y) { return (x + y) % 16; });
    const Bytes rle8 = PaletteBitmapFile(9, 4, 4, true, [](int x, int y) { return x < 4 ? y % 4 : 3; });
    const Bytes rle4 = Rle4BitmapFile(10, 3, 5);
    const Bytes bitfields = BitfieldsBitmapFile();
    const Bytes core = CoreBitmapFile();
    const Bytes v5 = TopDownV5BitmapFile();

    make.Truncations("rgb24", ".bmp", kind, rgb, 32, 6);
    for (const auto& [name, bytes] :
         {std::pair{"rgb24", rgb}, std::pair{"pal8", palette}, std::pair{"rle8", rle8}, std::pair{"rle4", rle4},
          std::pair{"bitfields", bitfields}, std::pair{"core", core}, std::pair{"v5", v5}}) {
        if (name != std::string("rgb24"))
            make.Truncations(name, ".bmp", kind, bytes, 0, 6);
        make.Flips(name, ".bmp", kind, bytes, 8);
    }
    const auto rgbSize = static_cast<std::uint32_t>(rgb.size());
    make.Fields("rgb24", ".bmp", kind, rgb,
                {{"pixels-at", 10, 4, false, {13, 53, rgbSize, rgbSize + 1}},
                 {"header-size", kInfo, 4, false, {12, 39, 41, 64, 108, 124}},
                 {"width", kInfo + 4, 4, false, {65535, 40000}},
                 {"height", kInfo + 8, 4, false, {65536, 7}},
                 {"planes", kInfo + 12, 2},
                 {"bits", kInfo + 14, 2, false, {2, 7, 16, 32, 64}},
                 {"compression", kInfo + 16, 4, false, {2, 3, 4, 5, 6}},
                 {"image-size", kInfo + 20, 4, false, {rgbSize}},
                 {"colours", kInfo + 32, 4, false, {256, 257}}});
    const auto rleSize = static_cast<std::uint32_t>(rle8.size());
    make.Fields("rle8", ".bmp", kind, rle8,
                {{"pixels-at", 10, 4, false, {69, rleSize}},
                 {"height", kInfo + 8, 4, false, {static_cast<std::uint32_t>(-4)}},
                 {"image-size", kInfo + 20, 4, false, {rleSize - 2}},
                 {"colours", kInfo + 32, 4, false, {5, 257}}});
    make.Fields("core", ".bmp", kind, core,
                {{"width", kInfo + 4, 2}, {"height", kInfo + 6, 2}, {"bits", kInfo + 10, 2, false, {8, 24, 32}}});

    // Run-length streams that run out, lack their end, or write outside the image (9 x 4 pixels).
    const std::size_t runs = 14 + 40 + 16;
    auto rle = [&](std::initializer_list<std::uint8_t> stream) {
        Bytes bytes(rle8.begin(), rle8.begin() + static_cast<std::ptrdiff_t>(runs));
        for (std::uint8_t byte : stream)
            bytes.push_back(byte);
        Put(bytes, kInfo + 20, 4, false, static_cast<std::uint32_t>(stream.size()));
        Put(bytes, 2, 4, false, static_cast<std::uint32_t>(bytes.size()));
        return bytes;
    };
    make.Add("rle8-runs-out.bmp", kind, rle({9, 1, 0, 0, 9}));
    make.Add("rle8-no-end.bmp", kind, rle({9, 1, 0, 0, 9, 2, 0, 0}));
    make.Add("rle8-run-past-width.bmp", kind, rle({10, 1, 0, 1}));
    make.Add("rle8-absolute-past-width.bmp", kind, rle({0, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0, 1}));
    make.Add("rle8-delta-past-height.bmp", kind, rle({0, 2, 0, 5, 1, 1, 0, 1}));
    make.Add("rle8-delta-past-width.bmp", kind, rle({0, 2, 200, 0, 1, 1, 0, 1}));
    make.Add("rle8-lines-past-height.bmp", kind, rle({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}));
    make.Add("rle8-absolute-runs-out.bmp", kind, rle({0, 9, 1, 2, 3}));
    make.Add("bmp-header-cut-short.bmp", kind, Bytes(rgb.begin(), rgb.begin() + 30));
    make.Add("bmp-pixels-before-header.bmp", kind, With(rgb, 10, {20}));
    make.Add("bmp-pixels-past-file.bmp", kind, With(rgb, 10, {rgbSize + 100}));
    make.Add("bmp-jpeg-inside.bmp", kind, With(rgb, kInfo + 16, {4}));
    make.Add("bmp-png-inside.bmp", kind, With(rgb, kInfo + 16, {5}));
    make.Add("bmp-65536-wide-rle.bmp", kind, With(rle8, kInfo + 4, {65536}));
    make.Add("bmp-40000-square-rle.bmp", kind, With(rle8, kInfo + 4, {40000, 40000}));
    make.Noise("bmp", ".bmp", kind, {'B', 'M'}, 8);
    make.Noise("bmp-info", ".bmp", kind, {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0}, 8);
}

void Pictures(Maker& make)
{
    const Kind kind = Kind::Picture;
    const Bytes gif = GifFile(6, 5, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, [](int x, int y) { return (x + y) % 4; });
    const Bytes baseline = JpegFile(24, 16, 3);
    const Bytes progressive = JpegFile(16, 16, 1, true);
    const Bytes png = PngFile(5, 4, [](int x, int y) { return static_cast<std::uint32_t>(x * 0x300000 + y * 0x30); });
    const Bytes bmp = BitmapFile(4, 4, [](int x, int) { return static_cast<std::uint32_t>(x * 0x404040); });

    for (const auto& [name, ext, bytes] : {std::tuple{"gif", ".gif", gif}, std::tuple{"jpeg", ".jpg", baseline},
                                           std::tuple{"jpeg-progressive", ".jpg", progressive},
                                           std::tuple{"png", ".png", png}, std::tuple{"picture-bmp", ".bmp", bmp}}) {
        make.Truncations(name, ext, kind, bytes, name == std::string("jpeg") ? 16 : 0, 6);
        make.Flips(name, ext, kind, bytes, 12);
    }
    // GIF: screen size and flags, the image descriptor after the four-colour table (at 25), its code size.
    make.Fields("gif", ".gif", kind, gif,
                {{"screen-width", 6, 2, false, {5}},
                 {"screen-height", 8, 2, false, {4}},
                 {"screen-flags", 10, 1},
                 {"image-left", 26, 2},
                 {"image-top", 28, 2},
                 {"image-width", 30, 2, false, {7}},
                 {"image-height", 32, 2},
                 {"image-flags", 34, 1},
                 {"code-size", 35, 1, false, {9, 12}},
                 {"first-block", 36, 1}});
    // JPEG: the quantisation table's length and id (at 2), the frame header after it (at 71).
    make.Fields("jpeg", ".jpg", kind, baseline,
                {{"dqt-length", 4, 2, true},
                 {"dqt-id", 6, 1, false, {4, 0x10}},
                 {"sof-length", 73, 2, true, {16}},
                 {"precision", 75, 1, false, {12, 16}},
                 {"height", 76, 2, true},
                 {"width", 78, 2, true},
                 {"components", 80, 1, false, {2, 4, 5}},
                 {"sampling", 82, 1, false, {0x44, 0x55}},
                 {"quant-table", 83, 1, false, {4}}});
    // PNG: IHDR's length, width, height, depth, colour type, compression and interlace.
    make.Fields("png", ".png", kind, png,
                {{"ihdr-length", 8, 4, true, {12, 14}},
                 {"width", 16, 4, true, {65536}},
                 {"height", 20, 4, true},
                 {"depth", 24, 1, false, {3, 16}},
                 {"colour-type", 25, 1, false, {3, 7}},
                 {"compression", 26, 1},
                 {"interlace", 28, 1, false, {2}}},
                FixHeaderChecksum(0));

    make.Add("jpeg-159-bytes-4095-wide.jpg", kind, SlowNarrowJpeg());
    make.Add("jpeg-65500-square.jpg", kind, HugeJpeg());
    make.Add("jpeg-no-frame.jpg", kind, Bytes{0xFF, 0xD8, 0xFF, 0xD9});
    make.Add("jpeg-arithmetic.jpg", kind, [&] {
        Bytes b = baseline;
        b[72] = 0xC9;
        return b;
    }());
    make.Add("jpeg-lossless.jpg", kind, [&] {
        Bytes b = baseline;
        b[72] = 0xC3;
        return b;
    }());
    make.Add("jpeg-no-end.jpg", kind, Bytes(baseline.begin(), baseline.end() - 2));
    make.Add("icon-as-picture.ico", kind, IconFile(16, 0x123456));
    make.Add("cursor-as-picture.cur", kind, ZeroWidthCursor());
    make.Add("tiff.tif", kind, Bytes{'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0});
    make.Add("metafile.wmf", kind, Bytes{0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x10, 0x10, 0, 0, 0, 0, 0, 0, 0, 0});
    make.Add("enhanced-metafile.emf", kind, [] {
        Bytes b(88, 0);
        b[0] = 1;
        b[40] = ' ', b[41] = 'E', b[42] = 'M', b[43] = 'F';
        return b;
    }());
    make.Add("empty.jpg", kind, {});
    make.Noise("gif", ".gif", kind, {'G', 'I', 'F', '8', '9', 'a'}, 8);
    make.Noise("jpeg", ".jpg", kind, {0xFF, 0xD8, 0xFF}, 8);
    make.Noise("png", ".png", kind, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, 8);
    make.Noise("unknown", ".jpg", kind, {}, 5);
}

}  // namespace

Bytes SmallestFaultingAnimatedCursor()
{
    Bytes out;
    PutTag(out, "RIFF");
    detail::Put32(out, 60);
    PutTag(out, "ACON");
    PutTag(out, "anih");
    detail::Put32(out, 36);
    for (std::uint32_t value : {36u, 0u, 3u, 0u, 0u, 0u, 0u, 10u, 1u})
        detail::Put32(out, value);
    PutTag(out, "LIST");
    detail::Put32(out, 4);
    PutTag(out, "fram");
    return out;
}

Bytes ZeroWidthCursor()
{
    Bytes bytes = IconFile(16, 0x102030, true);
    Put(bytes, kIconImage + 4, 4, false, 0);
    return bytes;
}

Bytes ZeroHeightCursor()
{
    Bytes bytes = IconFile(16, 0x102030, true);
    Put(bytes, kIconImage + 8, 4, false, 0);
    return bytes;
}

// JpegFile's frame header is at 71 (after SOI and the 69-byte quantisation table): height at 76, width at 78.
Bytes SlowNarrowJpeg()
{
    Bytes bytes = JpegFile(8, 8);
    Put(bytes, 76, 2, true, 60000);
    Put(bytes, 78, 2, true, 4095);
    bytes.insert(bytes.end() - 2, 159 - bytes.size(), 0);
    return bytes;
}

Bytes HugeJpeg()
{
    Bytes bytes = JpegFile(8, 8);
    Put(bytes, 76, 2, true, 65500);
    Put(bytes, 78, 2, true, 65500);
    return bytes;
}

Bytes ManyStepsAnimatedCursor()
{
    return AnimatedCursor(1, 65536, {IconFile(16, 0x445566, true)}, std::vector<std::uint32_t>(65536, 0), true);
}

std::vector<HostileImageFile> HostileImageFiles(std::uint32_t seed)
{
    Maker make(seed);
    IconsAndCursors(make);
    Bitmaps(make);
    Pictures(make);
    return make.Take();
}

}  // namespace test
