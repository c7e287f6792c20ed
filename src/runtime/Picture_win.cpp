#include "runtime/Picture_win.h"

#include "runtime/FileIo_win.h"
#include "runtime/ImageFileCheck.h"
#include "runtime/LastError_win.h"

#include <olectl.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace rt {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr std::uint64_t kLargestPicture = 256u << 20;

int ScreenDpi(int index)
{
    WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), index) : 0;
    return dpi > 0 ? dpi : 96;
}

int DpiX()
{
    static const int dpi = ScreenDpi(LOGPIXELSX);
    return dpi;
}

int DpiY()
{
    static const int dpi = ScreenDpi(LOGPIXELSY);
    return dpi;
}

int ToHimetric(int pixels, int dpi)
{
    return static_cast<int>(std::lround(pixels * kHimetricPerInch / dpi));
}

bool IconSize(HICON icon, SIZE& size)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        RT_LOG_LAST_ERROR("GetIconInfo");
        return false;
    }
    BitmapHandle mask(info.hbmMask);
    BitmapHandle color(info.hbmColor);
    BITMAP bm{};
    if (!GetObjectW(mask.get(), sizeof bm, &bm))
        return false;
    size.cx = bm.bmWidth;
    // A monochrome icon keeps its AND and XOR masks one above the other in one bitmap.
    size.cy = color ? bm.bmHeight : bm.bmHeight / 2;
    return true;
}

}  // namespace

int HimetricToPixelsX(int himetric)
{
    return static_cast<int>(std::lround(himetric * DpiX() / kHimetricPerInch));
}
int HimetricToPixelsY(int himetric)
{
    return static_cast<int>(std::lround(himetric * DpiY() / kHimetricPerInch));
}

Picture::Picture(PictureType type, HANDLE handle, bool owned, SIZE pixels)
    : type_(type), handle_(handle), owned_(owned), width_(ToHimetric(pixels.cx, DpiX())),
      height_(ToHimetric(pixels.cy, DpiY()))
{
}

Picture::~Picture()
{
    if (!owned_)
        return;
    // The owners release the handle as they go.
    if (type_ == PictureType::Bitmap) {
        BitmapHandle owner(static_cast<HBITMAP>(handle_));
    } else {
        IconHandle owner(static_cast<HICON>(handle_));
    }
}

PicturePtr Picture::FromBitmap(BitmapHandle bitmap)
{
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof bm, &bm))
        return nullptr;
    return PicturePtr(new Picture(PictureType::Bitmap, bitmap.release(), true, SIZE{bm.bmWidth, bm.bmHeight}));
}

PicturePtr Picture::FromIcon(IconHandle icon)
{
    SIZE size{};
    if (!icon || !IconSize(icon.get(), size))
        return nullptr;
    return PicturePtr(new Picture(PictureType::Icon, icon.release(), true, size));
}

PicturePtr Picture::FromSharedIcon(HICON icon)
{
    SIZE size{};
    if (!icon || !IconSize(icon, size))
        return nullptr;
    return PicturePtr(new Picture(PictureType::Icon, icon, false, size));
}

namespace {

struct ReleaseUnknown {
    void operator()(IUnknown* unknown) const
    {
        if (unknown)
            unknown->Release();
    }
};
template <class T> using ComPtr = std::unique_ptr<T, ReleaseUnknown>;

// The whole file in movable global memory, as the picture loader's stream wants it; nullptr when it cannot
// be read, or its structure does not hold together (the platform's decoders trust every header field).
HGLOBAL ReadIntoGlobal(const std::wstring& fileName, DWORD& size)
{
    const auto read = ReadWholeFile(fileName, kLargestPicture);
    const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&read);
    if (!bytes || !ImageFileHoldsTogether(ImageFileKind::Picture, *bytes))
        return nullptr;
    size = static_cast<DWORD>(bytes->size());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes->data(), size);
    GlobalUnlock(memory);
    return memory;
}

// The loader's bitmap as a 24-bit copy. The decoders leave an alpha channel (255 all over a GIF) that carries
// nothing a picture shows, but an image list given the bitmap would keep it over the mask it makes from a
// transparent colour, and that colour would stay opaque.
BitmapHandle OpaqueCopy(HBITMAP source)
{
    BITMAP bm{};
    if (!GetObjectW(source, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const MemoryDcHandle from(CreateCompatibleDC(nullptr));
    const MemoryDcHandle to(CreateCompatibleDC(nullptr));
    if (!copy || !from || !to)
        return {};
    const SelectScope read(from.get(), source);
    const SelectScope write(to.get(), copy.get());
    if (!read || !write || !BitBlt(to.get(), 0, 0, bm.bmWidth, bm.bmHeight, from.get(), 0, 0, SRCCOPY))
        return {};
    return copy;
}

}  // namespace

std::variant<PicturePtr, PictureLoadError> LoadPicture(const std::wstring& fileName)
{
    if (GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
        return PictureLoadError::FileNotFound;
    DWORD size = 0;
    HGLOBAL memory = ReadIntoGlobal(fileName, size);
    if (!memory)
        return PictureLoadError::InvalidPicture;
    IStream* rawStream = nullptr;
    // The stream frees the memory when it goes.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &rawStream))) {
        GlobalFree(memory);
        return PictureLoadError::InvalidPicture;
    }
    ComPtr<IStream> stream(rawStream);
    IPicture* rawPicture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&rawPicture))) ||
        !rawPicture)
        return PictureLoadError::InvalidPicture;
    ComPtr<IPicture> picture(rawPicture);
    short type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || FAILED(picture->get_Handle(&handle)) || !handle)
        return PictureLoadError::InvalidPicture;
    // The loader's object owns its handle: the program's picture keeps a copy of its own.
    HANDLE source = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
    PicturePtr result;
    if (type == PICTYPE_BITMAP)
        result = Picture::FromBitmap(OpaqueCopy(static_cast<HBITMAP>(source)));
    else if (type == PICTYPE_ICON)
        result = Picture::FromIcon(IconHandle(CopyIcon(static_cast<HICON>(source))));
    if (!result)
        return PictureLoadError::InvalidPicture;
    return result;
}

}  // namespace rt
