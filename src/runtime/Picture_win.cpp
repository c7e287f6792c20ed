#include "runtime/Picture_win.h"

#include "runtime/LastError_win.h"

#include <cmath>

namespace rt {

namespace {

constexpr double kHimetricPerInch = 2540.0;

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

}  // namespace rt
