#include "runtime/Image_win.h"

#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Screen_win.h"

namespace rt {

namespace {

// The icon's own size in pixels (the mask holds both halves of a monochrome icon).
SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {0, 0};
    BitmapHandle color(info.hbmColor);
    BitmapHandle mask(info.hbmMask);
    BITMAP bitmap{};
    if (color && GetObjectW(color.get(), sizeof bitmap, &bitmap))
        return {bitmap.bmWidth, bitmap.bmHeight};
    if (mask && GetObjectW(mask.get(), sizeof bitmap, &bitmap))
        return {bitmap.bmWidth, bitmap.bmHeight / 2};
    return {0, 0};
}

}  // namespace

Image::Image() : Control(Traits{.clickFromMouse = true}) {}

void Image::ResetProperties()
{
    Control::ResetProperties();
    SetTabStop(false);
    picture_ = nullptr;
}

Control::WindowDescription Image::DescribeWindow() const
{
    return WindowDescription{};
}

void Image::SetPicture(HICON picture)
{
    picture_ = picture;
    if (picture_) {
        const SIZE size = IconSize(picture_);
        if (size.cx > 0 && size.cy > 0)
            Move(Left(), Top(), TwipsFromPixelsX(size.cx), TwipsFromPixelsY(size.cy));
    }
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

void Image::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(hWnd(), &client);
    // The icon's transparent pixels show the colour of whatever holds the image.
    FillRect(dc, &client, CachedBrush(TranslateColor(ContainerBackColor())));
    if (picture_)
        DrawIconEx(dc, 0, 0, picture_, 0, 0, 0, nullptr, DI_NORMAL);
}

LRESULT Image::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hWnd());
        Paint(paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return Control::WindowProc(message, wParam, lParam);
    }
}

}  // namespace rt
