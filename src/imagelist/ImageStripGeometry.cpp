#include "imagelist/ImageStripGeometry.h"

#include "runtime/NumberText.h"

namespace imagelist {

namespace {

// One image's cell: the icon and two pixels of space.
int CellWidth(int iconWidth)
{
    return iconWidth + 2;
}

}  // namespace

int TwipsToPixels(double twips, int twipsPerPixel)
{
    if (twipsPerPixel <= 0)
        return 0;
    return rt::ToLong(twips).value_or(0) / twipsPerPixel;
}

PixelRect StripRect(const StripLayout& layout, int twipsPerPixelX, int twipsPerPixelY)
{
    PixelRect strip;
    strip.left = TwipsToPixels(layout.frameLeft, twipsPerPixelX);
    strip.top = TwipsToPixels(layout.frameTop + layout.frameHeight, twipsPerPixelY) + 8;
    strip.right = strip.left + TwipsToPixels(layout.frameWidth, twipsPerPixelX);
    strip.bottom = TwipsToPixels(layout.scrollTop + layout.scrollHeight, twipsPerPixelY) + 2;
    return strip;
}

PixelRect InnerRect(const PixelRect& strip)
{
    return {strip.left + 2, strip.top + 2, strip.right - 4, strip.bottom - 4};
}

int VisibleCells(const PixelRect& strip, int iconWidth)
{
    const PixelRect inner = InnerRect(strip);
    return (inner.right - inner.left) / CellWidth(iconWidth);
}

ScrollSettings StripScroll(const PixelRect& strip, int count, int iconWidth)
{
    const int visible = VisibleCells(strip, iconWidth);
    if (count <= visible)
        return {};
    const int cell = CellWidth(iconWidth);
    return {true, (count - visible) * cell, cell, cell * 8};
}

std::vector<StripCell> DrawnCells(const PixelRect& strip, int count, int iconWidth, int scrollValue)
{
    const PixelRect inner = InnerRect(strip);
    const int cell = CellWidth(iconWidth);
    // The first cell whose right end passes the inner left edge; the ones before it are scrolled out.
    int first = 0;
    if (scrollValue - iconWidth >= 0)
        first = (scrollValue - iconWidth) / cell + 1;
    std::vector<StripCell> cells;
    int x = inner.left - scrollValue + first * cell;
    if (first > 0 && x > inner.right)
        return cells;
    for (int i = first; i < count; ++i) {
        cells.push_back({i, x, inner.top + 2});
        x += cell;
        if (x > inner.right)
            break;
    }
    return cells;
}

PixelRect SelectionEdge(const PixelRect& strip, int x, int iconWidth, int iconHeight)
{
    const PixelRect inner = InnerRect(strip);
    return {x - 2, inner.top, x + iconWidth + 2, inner.top + iconHeight + 4};
}

std::optional<int> ScrollToSelected(const PixelRect& strip, bool next, int selectedImage, int iconWidth,
                                    int scrollValue, int scrollMax)
{
    const int cell = CellWidth(iconWidth);
    const int step = iconWidth + 4;
    if (next) {
        const int right = strip.left - scrollValue + cell * (selectedImage + 1);
        if (right <= strip.right)
            return std::nullopt;
        return scrollValue + step < scrollMax ? scrollValue + step : scrollMax;
    }
    const int left = strip.left - scrollValue + cell * selectedImage;
    if (left >= strip.left)
        return std::nullopt;
    return scrollValue > step ? scrollValue - step : 0;
}

std::optional<int> HitTest(const PixelRect& strip, int x, int y, bool scrollVisible, int scrollValue, int iconWidth,
                           int count)
{
    if (x < strip.left || x > strip.right || y < strip.top || y > strip.bottom)
        return std::nullopt;
    if (scrollVisible)
        x += scrollValue;
    const int index = (x - strip.left) / CellWidth(iconWidth);
    if (index < 0 || index > count)
        return std::nullopt;
    return index;
}

}  // namespace imagelist
