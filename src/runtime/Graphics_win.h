#pragma once
// Colours and fonts as forms and controls hold them, turned into what GDI draws with.
#include "runtime/StdFont.h"

#include <windows.h>

#include <cstdint>

namespace rt {

// An OLE colour: an RGB value (red in the low byte), or with the high bit set a system colour index.
using OleColor = std::uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;
inline constexpr OleColor kColorScrollBars = 0x80000000u;
inline constexpr OleColor kColorWindowBackground = 0x80000005u;
inline constexpr OleColor kColorWindowText = 0x80000008u;
inline constexpr OleColor kColorButtonFace = 0x8000000Fu;
inline constexpr OleColor kColorGrayText = 0x80000011u;
inline constexpr OleColor kColorButtonText = 0x80000012u;

// The program's one OLE colour translation: a system colour's current RGB value, an RGB value unchanged;
// CLR_INVALID (-1 as a signed number) when the platform cannot translate it, such as a system colour index that
// does not exist.
COLORREF TranslateColor(OleColor color, HPALETTE palette = nullptr);

// The lfQuality to draw text with: DEFAULT_QUALITY, or for bold text of an em height of `emPixels` that the
// faces have hand-tuned bitmaps for, NONANTIALIASED_QUALITY.
BYTE TextQuality(bool bold, LONG emPixels);

// A font handle for `font` at the screen's resolution. Handles are shared by every caller and kept until the
// program ends: never delete one.
HFONT CachedFont(const StdFont& font);

// A solid brush of `color`, shared and kept like the fonts.
HBRUSH CachedBrush(COLORREF color);

}  // namespace rt
