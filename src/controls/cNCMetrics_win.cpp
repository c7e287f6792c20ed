#include "controls/cNCMetrics_win.h"

#include "runtime/Graphics_win.h"
#include "runtime/LastError_win.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace controls {

bool cNCMetrics::GetMetrics()
{
    ClearUp();
    NONCLIENTMETRICSW read{};
    read.cbSize = sizeof read;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof read, &read, 0)) {
        RT_LOG_LAST_ERROR("SystemParametersInfoW");
        return false;
    }
    ncm_ = read;
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle_, &iconTitle_, 0)) {
        RT_LOG_LAST_ERROR("SystemParametersInfoW");
        return false;
    }
    return true;
}

const LOGFONTW* cNCMetrics::LogFont(int eFontNum) const
{
    switch (eFontNum) {
    case kIconTitle: return &iconTitle_;
    case kCaption: return &ncm_.lfCaptionFont;
    case kSmallCaption: return &ncm_.lfSmCaptionFont;
    case kMenu: return &ncm_.lfMenuFont;
    case kStatusBar: return &ncm_.lfStatusFont;
    case kMessageBox: return &ncm_.lfMessageFont;
    default: return nullptr;
    }
}

HFONT cNCMetrics::FontHandle(int eFontNum)
{
    const LOGFONTW* logFont = LogFont(eFontNum);
    if (!logFont)
        return nullptr;
    rt::FontHandle& slot = fonts_[static_cast<size_t>(eFontNum - 1)];
    if (!slot) {
        slot.reset(CreateFontIndirectW(logFont));
        if (!slot)
            RT_LOG_LAST_ERROR("CreateFontIndirectW");
    }
    return slot.get();
}

rt::FontHandle cNCMetrics::BoldenedFontHandle(int eFontNum) const
{
    const LOGFONTW* logFont = LogFont(eFontNum);
    if (!logFont)
        return rt::FontHandle();
    LOGFONTW bold = *logFont;
    bold.lfWeight = bold.lfWeight >= FW_BOLD ? FW_HEAVY : FW_BOLD;
    bold.lfQuality = rt::TextQuality(true, std::labs(bold.lfHeight));
    rt::FontHandle font(CreateFontIndirectW(&bold));
    if (!font)
        RT_LOG_LAST_ERROR("CreateFontIndirectW");
    return font;
}

std::optional<rt::StdFont> cNCMetrics::Font(HDC lHDC, int eFontNum) const
{
    const LOGFONTW* logFont = LogFont(eFontNum);
    if (!logFont)
        return std::nullopt;
    return FontFromLogFont(*logFont, lHDC);
}

rt::StdFont cNCMetrics::FontFromLogFont(const LOGFONTW& logFont, HDC dc)
{
    rt::StdFont font;
    font.name.assign(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE));
    if (logFont.lfHeight == 0) {
        font.size = 8;
    } else if (logFont.lfHeight > 0) {
        font.size = logFont.lfHeight;
    } else {
        const int perInch = GetDeviceCaps(dc, LOGPIXELSY);
        font.size = perInch > 0 ? std::fabs(72.0 / perInch * logFont.lfHeight) : 8;  // no resolution: 8 points
    }
    font.italic = logFont.lfItalic > 0;
    font.underline = logFont.lfUnderline > 0;
    font.strikethrough = logFont.lfStrikeOut > 0;
    font.bold = logFont.lfWeight >= 401;
    return font;
}

void cNCMetrics::ClearUp()
{
    for (rt::FontHandle& font : fonts_)
        font.reset();
}

}  // namespace controls
