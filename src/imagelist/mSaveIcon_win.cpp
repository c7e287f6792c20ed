#include "imagelist/mSaveIcon_win.h"

#include "imagelist/IconRecord.h"
#include "runtime/Handles_win.h"

#include <cstring>

namespace mSaveIcon {

using imagelist::BlockKind;

namespace {

// The header of the conversion, with room for the colour table that a 1-bit conversion reads or writes.
struct DibInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD colours[256]{};
};

DibInfo InfoFor(const imagelist::BitmapHeader& bitmap, BlockKind kind, std::int32_t version)
{
    DibInfo info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = bitmap.width;
    info.header.biHeight = bitmap.height;  // positive: bottom-up rows
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(imagelist::BlockBitsPerPixel(kind, version));
    info.header.biCompression = BI_RGB;
    if (kind == BlockKind::Mask)
        info.colours[1] = RGBQUAD{255, 255, 255, 0};  // entry 0 black, entry 1 white
    return info;
}

// The bitmap's description in the record's 24-byte form (an x64 BITMAP is 32 bytes).
bool Describe(HBITMAP hBitmap, imagelist::BitmapHeader& header)
{
    BITMAP bm{};
    if (GetObjectW(hBitmap, sizeof bm, &bm) != sizeof bm)
        return false;
    header.type = bm.bmType;
    header.width = bm.bmWidth;
    header.height = bm.bmHeight;
    header.widthBytes = bm.bmWidthBytes;
    header.planes = bm.bmPlanes;
    header.bitsPixel = bm.bmBitsPixel;
    header.bits = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bm.bmBits));
    return true;
}

std::size_t BlockSizeOf(HBITMAP hBitmap, BlockKind kind, std::int32_t version)
{
    imagelist::BitmapHeader header;
    if (!hBitmap || !Describe(hBitmap, header))
        return 0;
    const auto area = imagelist::AreaSize(kind, header.width, header.height, version);
    return area ? imagelist::kBitmapHeaderSize + *area : 0;
}

bool Fits(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size)
{
    return offset <= bytes.size() && bytes.size() - offset >= size;
}

// The parts GetIconInfo hands out, deleted whatever happens.
struct IconParts {
    ICONINFO info{};
    rt::BitmapHandle colour;
    rt::BitmapHandle mask;

    explicit IconParts(HICON hIcon)
    {
        if (hIcon && GetIconInfo(hIcon, &info)) {
            colour.reset(info.hbmColor);
            mask.reset(info.hbmMask);
            ok = true;
        }
    }
    bool ok = false;
};

}  // namespace

std::size_t IconRecordSize(HICON hIcon, std::int32_t version)
{
    const IconParts parts(hIcon);
    if (!parts.ok)
        return 0;
    const std::size_t colour = BlockSizeOf(parts.colour.get(), BlockKind::Colour, version);
    const std::size_t mask = BlockSizeOf(parts.mask.get(), BlockKind::Mask, version);
    return colour && mask ? imagelist::kHeadSize + colour + mask : 0;
}

bool BitmapToBytes(HDC hDC, HBITMAP hBitmap, bool isMask, std::span<std::uint8_t> bytes, std::size_t offset,
                   std::size_t& blockSize, std::int32_t version)
{
    const BlockKind kind = isMask ? BlockKind::Mask : BlockKind::Colour;
    imagelist::BitmapHeader header;
    if (!hBitmap || !Describe(hBitmap, header))
        return false;
    const auto area = imagelist::AreaSize(kind, header.width, header.height, version);
    if (!area || !Fits(bytes, offset, imagelist::kBitmapHeaderSize + *area))
        return false;
    imagelist::PutHeader(bytes.subspan(offset).first<imagelist::kBitmapHeaderSize>(), header);
    std::uint8_t* bits = bytes.data() + offset + imagelist::kBitmapHeaderSize;
    std::memset(bits, 0, *area);  // rows narrower than the area leave zeros after them
    DibInfo info = InfoFor(header, kind, version);
    if (GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(header.height), bits, reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) == 0)
        return false;
    blockSize = imagelist::kBitmapHeaderSize + *area;
    return true;
}

bool IconToBytes(HDC hDC, HICON hIcon, std::span<std::uint8_t> bytes, std::size_t offset, std::size_t& recordSize,
                 std::int32_t version)
{
    const IconParts parts(hIcon);
    if (!parts.ok || !parts.colour || !parts.mask)
        return false;  // a monochrome icon has no colour bitmap: it has no record of this form
    // The whole record must fit before any of it is written.
    const std::size_t colourSize = BlockSizeOf(parts.colour.get(), BlockKind::Colour, version);
    const std::size_t maskSize = BlockSizeOf(parts.mask.get(), BlockKind::Mask, version);
    if (!colourSize || !maskSize || !Fits(bytes, offset, imagelist::kHeadSize + colourSize + maskSize))
        return false;
    imagelist::PutHead(bytes.subspan(offset).first<imagelist::kHeadSize>(),
                       {parts.info.fIcon ? 1 : 0, static_cast<std::int32_t>(parts.info.xHotspot),
                        static_cast<std::int32_t>(parts.info.yHotspot)});
    std::size_t colour = 0;
    std::size_t mask = 0;
    if (!BitmapToBytes(hDC, parts.colour.get(), false, bytes, offset + imagelist::kHeadSize, colour, version))
        return false;
    if (!BitmapToBytes(hDC, parts.mask.get(), true, bytes, offset + imagelist::kHeadSize + colour, mask, version))
        return false;
    recordSize = imagelist::kHeadSize + colour + mask;
    return true;
}

bool BytesToBitmap(HDC hDC, HBITMAP& hBitmap, bool isMask, std::span<const std::uint8_t> bytes, std::size_t offset,
                   std::size_t& blockSize, std::int32_t version)
{
    hBitmap = nullptr;
    const BlockKind kind = isMask ? BlockKind::Mask : BlockKind::Colour;
    const auto block = imagelist::MeasureBlock(bytes, offset, kind, version);
    if (!block)
        return false;
    const imagelist::BitmapHeader& header = block->header;
    rt::BitmapHandle bitmap;
    if (isMask) {
        BITMAP bm{};
        bm.bmWidth = header.width;
        bm.bmHeight = header.height;
        bm.bmWidthBytes = header.widthBytes;
        bm.bmPlanes = header.planes;
        bm.bmBitsPixel = header.bitsPixel;
        bitmap.reset(CreateBitmapIndirect(&bm));
    } else {
        bitmap.reset(CreateCompatibleBitmap(hDC, header.width, header.height));
    }
    if (!bitmap)
        return false;
    DibInfo info = InfoFor(header, kind, version);
    if (SetDIBits(hDC, bitmap.get(), 0, static_cast<UINT>(header.height),
                  bytes.data() + offset + imagelist::kBitmapHeaderSize, reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) == 0)
        return false;
    hBitmap = bitmap.release();
    blockSize = block->size();
    return true;
}

bool BytesToIcon(HDC hDC, HICON& hIcon, std::span<const std::uint8_t> bytes, std::size_t offset,
                 std::size_t& recordSize, std::int32_t version)
{
    hIcon = nullptr;
    if (!Fits(bytes, offset, imagelist::kHeadSize))
        return false;
    const imagelist::RecordHead head = imagelist::GetHead(bytes.subspan(offset).first<imagelist::kHeadSize>());
    HBITMAP colourBitmap = nullptr;
    HBITMAP maskBitmap = nullptr;
    std::size_t colour = 0;
    std::size_t mask = 0;
    if (!BytesToBitmap(hDC, colourBitmap, false, bytes, offset + imagelist::kHeadSize, colour, version))
        return false;
    const rt::BitmapHandle colourOwner(colourBitmap);
    if (!BytesToBitmap(hDC, maskBitmap, true, bytes, offset + imagelist::kHeadSize + colour, mask, version))
        return false;
    const rt::BitmapHandle maskOwner(maskBitmap);
    // Every record comes back as an icon, whatever its flag said; the icon keeps copies of both bitmaps.
    ICONINFO info{TRUE, static_cast<DWORD>(head.xHotspot), static_cast<DWORD>(head.yHotspot), maskBitmap,
                  colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    if (!icon)
        return false;
    hIcon = icon;
    recordSize = imagelist::kHeadSize + colour + mask;
    return true;
}

}  // namespace mSaveIcon
