#include "imagelist/ImageStripGeometry.h"

#include <gtest/gtest.h>

using namespace imagelist;

namespace {
// The Images page's frame above the strip and its scroll bar, in twips.
constexpr StripLayout kPage{60, 2040, 5655, 915, 3840, 195};
const PixelRect kStrip = StripRect(kPage, 15, 15);
}  // namespace

TEST(ImageStripGeometry, TwipsRoundToWholeTwipsBeforeTheDivision)
{
    EXPECT_EQ(TwipsToPixels(2955, 15), 197);
    EXPECT_EQ(TwipsToPixels(44.5, 15), 2);  // 44 twips, halves to even
    EXPECT_EQ(TwipsToPixels(45.5, 15), 3);
    EXPECT_EQ(TwipsToPixels(44.6, 15), 3);
    EXPECT_EQ(TwipsToPixels(14.4, 15), 0);
}

TEST(ImageStripGeometry, ThePagesStripAndItsInnerRectangle)
{
    EXPECT_EQ(kStrip, (PixelRect{4, 205, 381, 271}));
    EXPECT_EQ(InnerRect(kStrip), (PixelRect{6, 207, 377, 267}));
    EXPECT_EQ(VisibleCells(kStrip, 16), 20);
    EXPECT_EQ(StripRect(kPage, 12, 12), (PixelRect{5, 254, 476, 338}));
}

TEST(ImageStripGeometry, TwelveImagesFitAndAreAllDrawn)
{
    EXPECT_FALSE(StripScroll(kStrip, 12, 16).visible);
    EXPECT_FALSE(StripScroll(kStrip, 20, 16).visible);
    const auto cells = DrawnCells(kStrip, 12, 16, 0);
    ASSERT_EQ(cells.size(), 12u);
    EXPECT_EQ(cells.front(), (StripCell{0, 6, 209}));
    EXPECT_EQ(cells.back(), (StripCell{11, 204, 209}));
}

TEST(ImageStripGeometry, ThirtyImagesScrollAndOnlyCellsInViewAreDrawn)
{
    const auto scroll = StripScroll(kStrip, 30, 16);
    EXPECT_TRUE(scroll.visible);
    EXPECT_EQ(scroll.max, 180);
    EXPECT_EQ(scroll.smallChange, 18);
    EXPECT_EQ(scroll.largeChange, 144);
    EXPECT_TRUE(StripScroll(kStrip, 21, 16).visible);

    const struct {
        int value, first, last, firstX;
    } cases[] = {
        {0, 0, 20, 6},    // the 21st cell is cut by the inner edge
        {15, 0, 21, -9},  // one pixel of the first cell still shows
        {16, 1, 21, 8},   // the first cell ends on the inner edge: not drawn
        {20, 1, 21, 4},
        {180, 10, 29, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "scrolled " << c.value);
        const auto cells = DrawnCells(kStrip, 30, 16, c.value);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.front().index, c.first);
        EXPECT_EQ(cells.front().x, c.firstX);
        EXPECT_EQ(cells.back().index, c.last);
    }
    EXPECT_EQ(SelectionEdge(kStrip, 24, 16, 16), (PixelRect{22, 207, 42, 227}));
}

TEST(ImageStripGeometry, ScrollToSelectedStepsTwoPixelsMoreThanACell)
{
    const struct {
        bool next;
        int selected, value, max;
        std::optional<int> result;
    } cases[] = {
        {true, 20, 0, 180, 20},             // next from image 20 to 21
        {true, 19, 0, 180, std::nullopt},   // image 20 still in view
        {true, 29, 161, 180, 180},          // held at the maximum
        {false, 0, 20, 180, 0},
        {false, 4, 100, 180, 80},
        {false, 10, 100, 180, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.next ? "next" : "back") << " to " << c.selected << " at " << c.value);
        EXPECT_EQ(ScrollToSelected(kStrip, c.next, c.selected, 16, c.value, c.max), c.result);
    }
}

TEST(ImageStripGeometry, HitTestChoosesTheCellUnderThePress)
{
    const struct {
        int x, y;
        bool scrolled;
        int value;
        std::optional<int> index;
    } cases[] = {
        {4, 240, false, 0, 0},              // the border on the left
        {205, 240, false, 0, 11},
        {220, 240, false, 0, 12},           // just right of the last image: pulled back by the redraw
        {238, 240, false, 0, std::nullopt}, // further right
        {3, 240, false, 0, std::nullopt},
        {100, 204, false, 0, std::nullopt},
        {100, 271, false, 0, 5},
        {100, 272, false, 0, std::nullopt},
        {4, 240, true, 20, 1},
        {4, 240, false, 20, 0},             // a hidden scroll bar shifts nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(HitTest(kStrip, c.x, c.y, c.scrolled, c.value, 16, 12), c.index);
    }
}
