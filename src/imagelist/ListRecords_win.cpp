#include "imagelist/ListRecords_win.h"

#include "imagelist/IconRecord.h"
#include "imagelist/ImageListFile.h"
#include "imagelist/StripRecords.h"
#include "imagelist/mSaveIcon_win.h"
#include "runtime/Handles_win.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace imagelist {

namespace {

// The list's whole image and mask bitmaps, each read in one conversion. The buffers are left unfilled: a read
// that does not give every row is refused.
struct ListBits {
    std::unique_ptr<std::uint8_t[]> colour;
    std::unique_ptr<std::uint8_t[]> mask;
    std::size_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    StripBits view() const { return {width, height, {colour.get(), size}, {mask.get(), size}}; }
};

std::optional<ListBits> ReadListBits(HIMAGELIST list, HDC dc)
{
    IMAGEINFO image{};
    BITMAP bm{};
    if (!ImageList_GetImageInfo(list, 0, &image) || !image.hbmImage || !image.hbmMask ||
        GetObjectW(image.hbmImage, sizeof bm, &bm) != sizeof bm || bm.bmWidth < 1 || bm.bmHeight < 1)
        return std::nullopt;
    const auto row = PaddedRowBytes(BlockKind::Colour, bm.bmWidth, 1);
    if (!row)
        return std::nullopt;
    ListBits bits;
    bits.width = bm.bmWidth;
    bits.height = bm.bmHeight;
    bits.size = *row * static_cast<std::size_t>(bm.bmHeight);
    bits.colour = std::make_unique_for_overwrite<std::uint8_t[]>(bits.size);
    bits.mask = std::make_unique_for_overwrite<std::uint8_t[]>(bits.size);
    // Both at 32 bits a pixel (imagelist/StripRecords.h).
    const auto read = [&](HBITMAP bitmap, std::uint8_t* out) {
        StripDib info(bm.bmWidth, bm.bmHeight, false);
        return GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), out, info.get(), DIB_RGB_COLORS) ==
               bm.bmHeight;
    };
    if (!read(image.hbmImage, bits.colour.get()) || !read(image.hbmMask, bits.mask.get()))
        return std::nullopt;
    return bits;
}

// Where image p lies in the list's bitmaps, top-down.
std::optional<POINT> ImagePlace(HIMAGELIST list, int p)
{
    IMAGEINFO image{};
    if (!ImageList_GetImageInfo(list, p, &image))
        return std::nullopt;
    return POINT{image.rcImage.left, image.rcImage.top};
}

// Cuts records from the list's own bitmaps, read once, instead of making and converting an icon per image
// (three quarters of the time went on making the icons). It serves a list only when the cut of the first
// image is byte for byte the record its icon gave, and leaves images with alpha to their icons, which the
// platform may blend.
class RecordCutter {
public:
    RecordCutter(HIMAGELIST list, HDC dc, std::int32_t version, std::span<const std::uint8_t> iconRecord, int p)
        : list_(list), version_(version)
    {
        const auto frame = FrameOf(iconRecord, version);
        if (!frame)
            return;
        frame_ = *frame;
        bits_ = ReadListBits(list, dc);
        std::vector<std::uint8_t> cut(iconRecord.size());
        if (!bits_ || !Cut(p, cut) || !std::equal(cut.begin(), cut.end(), iconRecord.begin(), iconRecord.end()))
            bits_.reset();
    }
    // Writes image p's record into `out`, of the record's size; false when p is left to its icon.
    bool Cut(int p, std::span<std::uint8_t> out) const
    {
        if (!bits_)
            return false;
        const auto place = ImagePlace(list_, p);
        if (!place)
            return false;
        const StripBits view = bits_->view();
        return !HasAlpha(view, place->x, place->y, frame_.colour.width, frame_.colour.height) &&
               CutRecord(view, place->x, place->y, frame_, version_, out);
    }

private:
    HIMAGELIST list_;
    std::int32_t version_;
    RecordFrame frame_;
    std::optional<ListBits> bits_;
};

// Image p's record through its icon, the platform's own rendering of it.
bool RecordThroughIcon(HIMAGELIST list, int p, UINT flags, HDC dc, std::span<std::uint8_t> bytes, std::size_t offset,
                       std::size_t& size, std::int32_t version)
{
    HICON icon = ImageList_GetIcon(list, p, flags);
    if (!icon || icon == reinterpret_cast<HICON>(-1))
        return false;
    const rt::IconHandle owner(icon);
    return mSaveIcon::IconToBytes(dc, icon, bytes, offset, size, version);
}

}  // namespace

StripDib::StripDib(std::int32_t width, std::int32_t height, bool mask)
{
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;  // positive: bottom-up rows, as the records keep them
    header.biPlanes = 1;
    header.biBitCount = mask ? 1 : 32;
    header.biCompression = BI_RGB;
    if (mask)
        colours[1] = RGBQUAD{255, 255, 255, 0};  // entry 0 black, entry 1 white
}

Collected CollectRecords(HIMAGELIST list, UINT flags, std::int32_t version)
{
    Collected out;
    const int count = ImageList_GetImageCount(list);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    // Sized from the records themselves, so that no size of icon is too large for it.
    const std::size_t recordSize = RecordSize(cx, cy, version).value_or(0);
    out.bytes.assign(StagingSize(static_cast<std::size_t>(std::max(count, 0)), cx, cy, version).value_or(0), 0);
    out.written.assign(static_cast<std::size_t>(std::max(count, 0)), false);
    // The conversions give their own colour tables, so any DC serves: a memory DC is made without the round
    // trips to the display a display DC takes (a tenth of its time under Wine).
    rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    std::optional<RecordCutter> cutter;
    std::size_t offset = 0;
    for (int p = 0; p < count; ++p) {
        // The list gives its icons at its own size, whose records the staging was sized for.
        if (out.bytes.size() - offset < recordSize)
            out.bytes.resize(offset + recordSize);
        std::size_t size = 0;
        if (cutter && cutter->Cut(p, std::span(out.bytes).subspan(offset, recordSize))) {
            size = recordSize;
            ++out.cut;
        } else if (!RecordThroughIcon(list, p, flags, dc.get(), out.bytes, offset, size, version))
            continue;
        if (!cutter)  // once, from the first record made through its icon
            cutter.emplace(list, dc.get(), version, std::span(out.bytes).subspan(offset, size), p);
        offset += size;
        out.written[static_cast<std::size_t>(p)] = true;
    }
    out.bytes.resize(offset);
    return out;
}

}  // namespace imagelist
