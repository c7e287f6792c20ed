#pragma once
// A one-pixel checkerboard brush in two colours, for dithered fills and lines on displays of 256 colours or
// fewer. The pattern's two kinds of pixels take the context's text and background colours. Owns its brush.
#include "runtime/Graphics_win.h"
#include "runtime/Handles_win.h"

#include <windows.h>

namespace controls {

class cDottedBrush {
public:
    // A colour argument of kNoColour (or any colour that does not translate) keeps the context's colour.
    static constexpr rt::OleColor kNoColour = 0xFFFFFFFFu;

    cDottedBrush() = default;
    cDottedBrush(cDottedBrush&&) noexcept = default;
    cDottedBrush& operator=(cDottedBrush&&) noexcept = default;
    cDottedBrush(const cDottedBrush&) = delete;
    cDottedBrush& operator=(const cDottedBrush&) = delete;

    // Makes the brush afresh; false when the platform refused it.
    bool Create();
    void Destroy() { brush_.reset(); }
    HBRUSH Handle() const { return brush_.get(); }

    // PatBlt of the area with the brush; the context's colours and brush are put back afterwards.
    void DrawLine(HDC hdc, int xPixels, int yPixels, int widthPixels, int heightPixels, DWORD eRop = PATCOPY,
                  rt::OleColor oBackColor = kNoColour, rt::OleColor oForeColor = kNoColour) const;

    // bFill: fills the area (eRop unused) and leaves the colours set. Otherwise four bands of lineSizePixels:
    // top and left inside the area, right and bottom just outside it; the far corner square stays undrawn.
    void Rectangle(HDC hdc, int xPixels, int yPixels, int widthRectPixels, int heightRectPixels, int lineSizePixels,
                   DWORD eRop = PATCOPY, bool bFill = false, rt::OleColor oBackColor = kNoColour,
                   rt::OleColor oForeColor = kNoColour) const;

private:
    rt::BrushHandle brush_;
};

}  // namespace controls
