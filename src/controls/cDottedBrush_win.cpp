#include "controls/cDottedBrush_win.h"

#include "controls/mDeclares_win.h"
#include "runtime/LastError_win.h"

#include <cstdint>

namespace controls {

namespace {

// Rows of a 16 x 8 one-bit bitmap, two bytes each: 0x55 0x55 and 0xAA 0xAA alternate.
constexpr std::uint32_t kPattern[4] = {0xAAAA5555u, 0xAAAA5555u, 0xAAAA5555u, 0xAAAA5555u};

// Sets the context's text and background colours for one drawing and, unless kept, puts the old ones back.
class ColourScope {
public:
    ColourScope(HDC dc, rt::OleColor back, rt::OleColor fore, bool keep) : dc_(dc), keep_(keep)
    {
        if (const std::int32_t rgb = TranslateOleColor(back); rgb != -1) {
            oldBack_ = SetBkColor(dc, static_cast<COLORREF>(rgb));
            backSet_ = true;
        }
        if (const std::int32_t rgb = TranslateOleColor(fore); rgb != -1) {
            oldFore_ = SetTextColor(dc, static_cast<COLORREF>(rgb));
            foreSet_ = true;
        }
    }
    ~ColourScope()
    {
        if (keep_)
            return;
        if (backSet_)
            SetBkColor(dc_, oldBack_);
        if (foreSet_)
            SetTextColor(dc_, oldFore_);
    }
    ColourScope(const ColourScope&) = delete;
    ColourScope& operator=(const ColourScope&) = delete;

private:
    HDC dc_;
    bool keep_;
    bool backSet_ = false;
    bool foreSet_ = false;
    COLORREF oldBack_ = 0;
    COLORREF oldFore_ = 0;
};

}  // namespace

bool cDottedBrush::Create()
{
    Destroy();
    BITMAP pattern{};
    pattern.bmWidth = 16;
    pattern.bmHeight = 8;
    pattern.bmWidthBytes = 2;
    pattern.bmPlanes = 1;
    pattern.bmBitsPixel = 1;
    pattern.bmBits = const_cast<std::uint32_t*>(kPattern);
    const rt::BitmapHandle bitmap(CreateBitmapIndirect(&pattern));
    if (!bitmap) {
        RT_LOG_LAST_ERROR("CreateBitmapIndirect");
        return false;
    }
    brush_.reset(CreatePatternBrush(bitmap.get()));  // the brush keeps its own copy of the bits
    if (!brush_)
        RT_LOG_LAST_ERROR("CreatePatternBrush");
    return static_cast<bool>(brush_);
}

void cDottedBrush::DrawLine(HDC hdc, int xPixels, int yPixels, int widthPixels, int heightPixels, DWORD eRop,
                            rt::OleColor oBackColor, rt::OleColor oForeColor) const
{
    const rt::SelectScope brush(hdc, brush_.get());
    const ColourScope colours(hdc, oBackColor, oForeColor, false);
    PatBlt(hdc, xPixels, yPixels, widthPixels, heightPixels, eRop);
}

void cDottedBrush::Rectangle(HDC hdc, int xPixels, int yPixels, int widthRectPixels, int heightRectPixels,
                             int lineSizePixels, DWORD eRop, bool bFill, rt::OleColor oBackColor,
                             rt::OleColor oForeColor) const
{
    if (bFill) {
        const ColourScope colours(hdc, oBackColor, oForeColor, true);
        const RECT area{xPixels, yPixels, xPixels + widthRectPixels, yPixels + heightRectPixels};
        if (brush_)
            FillRect(hdc, &area, brush_.get());
        return;
    }
    const rt::SelectScope brush(hdc, brush_.get());
    const ColourScope colours(hdc, oBackColor, oForeColor, false);
    PatBlt(hdc, xPixels, yPixels, widthRectPixels, lineSizePixels, eRop);
    PatBlt(hdc, xPixels + widthRectPixels, yPixels, lineSizePixels, heightRectPixels, eRop);
    PatBlt(hdc, xPixels, yPixels + heightRectPixels, widthRectPixels, lineSizePixels, eRop);
    PatBlt(hdc, xPixels, yPixels, lineSizePixels, heightRectPixels, eRop);
}

}  // namespace controls
