#include "controls/TilePieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

using controls::TilePiece;
using controls::TilePieces;

TEST(TilePieces, AlignTheTileToTheDestination)
{
    const auto text = [](int x, int y, int w, int h, int tw, int th, int dy) {
        std::ostringstream out;
        for (const TilePiece& p : TilePieces(x, y, w, h, tw, th, dy))
            out << '(' << p.x << ',' << p.y << ' ' << p.width << 'x' << p.height << " from " << p.sourceX << ','
                << p.sourceY << ')';
        return out.str();
    };
    EXPECT_EQ(text(5, 0, 25, 10, 10, 10, 0), "(5,0 5x10 from 5,0)(10,0 10x10 from 0,0)(20,0 10x10 from 0,0)");
    EXPECT_EQ(text(0, 3, 10, 3, 10, 10, 4), "(0,3 10x3 from 0,7)");  // the offset moves the first row
    EXPECT_EQ(text(2, 8, 6, 6, 4, 4, 1),
              "(2,8 2x3 from 2,1)(4,8 4x3 from 0,1)(2,11 2x3 from 2,0)(4,11 4x3 from 0,0)");
    EXPECT_EQ(text(-3, -1, 5, 2, 10, 4, 0),  // negative coordinates keep the pattern inside the tile
              "(-3,-1 3x1 from 7,3)(0,-1 2x1 from 0,3)(-3,0 3x1 from 7,0)(0,0 2x1 from 0,0)");
    EXPECT_EQ(text(0, 0, 10, 10, 0, 10, 0) + text(0, 0, 10, 10, 10, -1, 0) + text(0, 0, 0, 10, 10, 10, 0), "");
}

// Every pixel of the rectangle is painted exactly once, with the tile pixel the aligned pattern puts there.
TEST(TilePieces, CoverTheRectangleOnceWithTheRightTilePixels)
{
    for (const auto& [x, y, width, height, tw, th, dy] : std::vector<std::array<int, 7>>{
             {0, 0, 37, 23, 8, 5, 0}, {7, 3, 40, 17, 9, 4, 6}, {1, 1, 1, 1, 3, 3, 2}, {-20, -9, 33, 21, 7, 6, 5}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        std::vector<int> hits(static_cast<size_t>(width * height), 0);
        for (const TilePiece& p : TilePieces(x, y, width, height, tw, th, dy)) {
            ASSERT_TRUE(p.sourceX >= 0 && p.sourceY >= 0 && p.sourceX + p.width <= tw && p.sourceY + p.height <= th);
            for (int py = p.y; py < p.y + p.height; ++py)
                for (int px = p.x; px < p.x + p.width; ++px) {
                    ASSERT_TRUE(px >= x && px < x + width && py >= y && py < y + height);
                    ++hits[static_cast<size_t>((py - y) * width + px - x)];
                    ASSERT_EQ(((px % tw) + tw) % tw, p.sourceX + px - p.x);
                    ASSERT_EQ((((py + dy) % th) + th) % th, p.sourceY + py - p.y);
                }
        }
        EXPECT_EQ(std::count(hits.begin(), hits.end(), 1), width * height);
    }
}
