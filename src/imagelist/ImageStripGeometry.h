#pragma once
// Where the Images page's strip of images goes, in pixels of the page: its rectangle from the page's layout
// in twips, the cells of the images shifted left by the scroll value, the scroll bar's range, the scroll that
// keeps the selected image in view, and which image a mouse press hits.
#include "controls/ButtonLayout.h"

#include <optional>
#include <vector>

namespace imagelist {

using controls::PixelRect;

// A page coordinate in twips as pixels: rounded to whole twips (halves to even), then divided whole by the
// twips a pixel takes.
int TwipsToPixels(double twips, int twipsPerPixel);

// The layout the strip is placed by: the frame above it and the scroll bar inside its bottom, in twips.
struct StripLayout {
    int frameLeft, frameTop, frameWidth, frameHeight;
    int scrollTop, scrollHeight;
};

// The strip's outer rectangle: below the frame, as wide as it, down to just below the scroll bar.
PixelRect StripRect(const StripLayout& layout, int twipsPerPixelX, int twipsPerPixelY);
// Inside the border: what the images are clipped to.
PixelRect InnerRect(const PixelRect& strip);

// How many whole cells of icons `iconWidth` wide the strip shows.
int VisibleCells(const PixelRect& strip, int iconWidth);

// The scroll bar for `count` images: hidden (value 0) when they all fit; otherwise its range in pixels.
struct ScrollSettings {
    bool visible = false;
    int max = 0;
    int smallChange = 0;
    int largeChange = 0;
};
ScrollSettings StripScroll(const PixelRect& strip, int count, int iconWidth);

// One image to draw and where: its cell's left edge and top.
struct StripCell {
    int index;
    int x;
    int y;
    bool operator==(const StripCell&) const = default;
};
// The cells that reach into the inner rectangle, in order; the row ends at the first that starts beyond it.
std::vector<StripCell> DrawnCells(const PixelRect& strip, int count, int iconWidth, int scrollValue);

// The raised edge round the selected image's cell at `x`.
PixelRect SelectionEdge(const PixelRect& strip, int x, int iconWidth, int iconHeight);

// The scroll value after a step to the next image (`next`) or the previous one, or nothing when the selected
// image is in view already. Each step moves two pixels more than one cell.
std::optional<int> ScrollToSelected(const PixelRect& strip, bool next, int selectedImage, int iconWidth,
                                    int scrollValue, int scrollMax);

// The image a press at (x, y) pixels chooses, or nothing outside the strip or beyond one cell past the last
// image. An index equal to `count` (the cell right after the last image) is a valid answer: the redraw pulls
// it back to the last image.
std::optional<int> HitTest(const PixelRect& strip, int x, int y, bool scrollVisible, int scrollValue, int iconWidth,
                           int count);

}  // namespace imagelist
