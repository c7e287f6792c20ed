#pragma once
// The system's non-client metrics and the fonts they name (caption, menu, status bar and others), handed out
// as GDI fonts made once and kept, or as font values. Owns the fonts it keeps.
#include "runtime/Handles_win.h"
#include "runtime/StdFont.h"

#include <windows.h>

#include <array>
#include <optional>

namespace controls {

class cNCMetrics {
public:
    // Font numbers; any other number names no font.
    static constexpr int kIconTitle = 1;
    static constexpr int kCaption = 2;
    static constexpr int kSmallCaption = 3;
    static constexpr int kMenu = 4;
    static constexpr int kStatusBar = 5;
    static constexpr int kMessageBox = 6;

    cNCMetrics() = default;
    cNCMetrics(cNCMetrics&&) noexcept = default;
    cNCMetrics& operator=(cNCMetrics&&) noexcept = default;
    cNCMetrics(const cNCMetrics&) = delete;
    cNCMetrics& operator=(const cNCMetrics&) = delete;

    // Reads the metrics and the icon-title font afresh (dropping the kept fonts); false when either read
    // fails, and a failed first read keeps the previous metrics.
    bool GetMetrics();

    // The font of that number, made on the first request and kept until ClearUp; nullptr for no font.
    HFONT FontHandle(int eFontNum);
    // The font described for `lHDC` (whose vertical resolution turns pixel heights into points).
    std::optional<rt::StdFont> Font(HDC lHDC, int eFontNum) const;
    // A new bold font of that number (weight 700, or 900 when it is already bold); the caller owns it.
    rt::FontHandle BoldenedFontHandle(int eFontNum) const;
    void ClearUp();
    // Some font is kept.
    bool HoldsFonts() const
    {
        for (const rt::FontHandle& font : fonts_)
            if (font)
                return true;
        return false;
    }

    const NONCLIENTMETRICSW& Metrics() const { return ncm_; }
    const LOGFONTW* LogFont(int eFontNum) const;

private:
    static rt::StdFont FontFromLogFont(const LOGFONTW& logFont, HDC dc);

    NONCLIENTMETRICSW ncm_{};
    LOGFONTW iconTitle_{};
    std::array<rt::FontHandle, 6> fonts_;
};

}  // namespace controls
