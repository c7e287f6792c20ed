#include "runtime/Graphics_win.h"

#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"

#include <olectl.h>

#include <cmath>
#include <utility>
#include <vector>

namespace rt {

COLORREF TranslateColor(OleColor color, HPALETTE palette)
{
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(color, palette, &rgb)))
        return CLR_INVALID;
    return rgb;
}

namespace {

// The largest em height, in pixels, that Tahoma has hand-tuned bitmaps for.
constexpr LONG kLargestBitmapPixels = 16;

int ScreenDpiY()
{
    static const int dpi = [] {
        WindowDc screen(nullptr);
        const int value = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

}  // namespace

BYTE TextQuality(bool bold, LONG emPixels)
{
    // Small text of the program's faces is drawn from hand-tuned bitmaps, without smoothing; bold made from them
    // is drawn the same way, as a smoothed emboldening of them comes out hardly heavier than the regular face.
    return bold && emPixels <= kLargestBitmapPixels ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
}

HFONT CachedFont(const StdFont& font)
{
    // A form shares a handful of fonts among all its controls; a linear search over them is cheapest.
    static std::vector<std::pair<StdFont, FontHandle>> cache;
    for (const auto& [key, handle] : cache)
        if (key == font)
            return handle.get();
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.size * ScreenDpiY() / 72.0));
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = TextQuality(font.bold, -lf.lfHeight);
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
    FontHandle handle(CreateFontIndirectW(&lf));
    if (!handle) {
        RT_LOG_LAST_ERROR("CreateFontIndirectW");
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    HFONT result = handle.get();
    cache.emplace_back(font, std::move(handle));
    return result;
}

HBRUSH CachedBrush(COLORREF color)
{
    static std::vector<std::pair<COLORREF, BrushHandle>> cache;
    for (const auto& [key, handle] : cache)
        if (key == color)
            return handle.get();
    BrushHandle handle(CreateSolidBrush(color));
    if (!handle) {
        RT_LOG_LAST_ERROR("CreateSolidBrush");
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }
    HBRUSH result = handle.get();
    cache.emplace_back(color, std::move(handle));
    return result;
}

}  // namespace rt
