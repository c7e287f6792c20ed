#include "runtime/Screen_win.h"

#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"

namespace rt {

namespace {

struct Dpi {
    int x = 96;
    int y = 96;
};

const Dpi& ScreenDpi()
{
    static const Dpi dpi = [] {
        Dpi result;
        WindowDc screen(nullptr);
        if (screen.get()) {
            result.x = GetDeviceCaps(screen.get(), LOGPIXELSX);
            result.y = GetDeviceCaps(screen.get(), LOGPIXELSY);
        }
        if (result.x <= 0)
            result.x = 96;
        if (result.y <= 0)
            result.y = 96;
        return result;
    }();
    return dpi;
}

int screenPointer = kPointerDefault;

// Rounds twips * dpi / 1440 to the nearest integer, halves away from zero, for negative values too.
int ScaleRounded(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

}  // namespace

int Screen::TwipsPerPixelX()
{
    return 1440 / ScreenDpi().x;
}
int Screen::TwipsPerPixelY()
{
    return 1440 / ScreenDpi().y;
}
int Screen::Width()
{
    return TwipsFromPixelsX(GetSystemMetrics(SM_CXSCREEN));
}
int Screen::Height()
{
    return TwipsFromPixelsY(GetSystemMetrics(SM_CYSCREEN));
}

int Screen::MousePointer()
{
    return screenPointer;
}

void Screen::SetMousePointer(int pointer)
{
    screenPointer = pointer;
    // Show it now: the program may keep working without pumping messages (that is what the hourglass is for).
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    if (pointer != kPointerDefault) {
        if (HCURSOR cursorHandle = StandardCursor(pointer))
            SetCursor(cursorHandle);
    } else if (under && Form::FromWindow(under)) {
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

int PixelsFromTwipsX(int twips)
{
    return ScaleRounded(twips, ScreenDpi().x, 1440);
}
int PixelsFromTwipsY(int twips)
{
    return ScaleRounded(twips, ScreenDpi().y, 1440);
}
int TwipsFromPixelsX(int pixels)
{
    return ScaleRounded(pixels, 1440, ScreenDpi().x);
}
int TwipsFromPixelsY(int pixels)
{
    return ScaleRounded(pixels, 1440, ScreenDpi().y);
}

HCURSOR StandardCursor(int pointer)
{
    switch (pointer) {
    case kPointerArrow:
        return LoadCursorW(nullptr, IDC_ARROW);
    case kPointerCross:
        return LoadCursorW(nullptr, IDC_CROSS);
    case kPointerIBeam:
        return LoadCursorW(nullptr, IDC_IBEAM);
    case kPointerHourglass:
        return LoadCursorW(nullptr, IDC_WAIT);
    case kPointerArrowHourglass:
        return LoadCursorW(nullptr, IDC_APPSTARTING);
    default:
        return nullptr;
    }
}

}  // namespace rt
