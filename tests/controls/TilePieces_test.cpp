#include "controls/TilePieces.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using controls::TilePiece;
using controls::TilePieces;

namespace {

std::string Describe(const std::vector<TilePiece>& pieces)
{
    std::string text;
    for (const TilePiece& p : pieces)
        text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(p.width) + "x" +
                std::to_string(p.height) + " from " + std::to_string(p.sourceX) + "," + std::to_string(p.sourceY) +
                ")";
    return text;
}

}  // namespace

TEST(TilePieces, AlignsThePatternToTheDestination)
{
    struct Case {
        const char* what;
        int x, y, width, height, tileWidth, tileHeight, offsetY;
        const char* expected;
    };
    const Case cases[] = {
        {"first column cut by x mod tile", 5, 0, 25, 10, 10, 10, 0,
         "(5,0 5x10 from 5,0)(10,0 10x10 from 0,0)(20,0 10x10 from 0,0)"},
        {"offset moves the first row", 0, 3, 10, 3, 10, 10, 4, "(0,3 10x3 from 0,7)"},
        {"rows and columns cut at the far edges", 0, 0, 15, 13, 10, 10, 0,
         "(0,0 10x10 from 0,0)(10,0 5x10 from 0,0)(0,10 10x3 from 0,0)(10,10 5x3 from 0,0)"},
        {"first row from the offset, later rows from the tile's top", 2, 8, 6, 6, 4, 4, 1,
         "(2,8 2x3 from 2,1)(4,8 4x3 from 0,1)(2,11 2x3 from 2,0)(4,11 4x3 from 0,0)"},
        {"rectangle inside one tile", 13, 27, 3, 2, 10, 10, 0, "(13,27 3x2 from 3,7)"},
        {"negative coordinates keep the pattern", -3, -1, 5, 2, 10, 4, 0,
         "(-3,-1 3x1 from 7,3)(0,-1 2x1 from 0,3)(-3,0 3x1 from 7,0)(0,0 2x1 from 0,0)"},
        {"empty tile", 0, 0, 10, 10, 0, 10, 0, ""},
        {"empty tile height", 0, 0, 10, 10, 10, -1, 0, ""},
        {"empty rectangle", 0, 0, 0, 10, 10, 10, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Describe(TilePieces(c.x, c.y, c.width, c.height, c.tileWidth, c.tileHeight, c.offsetY)),
                  c.expected);
    }
}

// Every pixel of the rectangle is painted exactly once, with the tile pixel the aligned pattern puts there.
TEST(TilePieces, CoverTheRectangleOnceWithTheRightTilePixels)
{
    for (const auto& [x, y, width, height, tw, th, dy] :
         std::vector<std::array<int, 7>>{{0, 0, 37, 23, 8, 5, 0}, {7, 3, 40, 17, 9, 4, 6}, {1, 1, 1, 1, 3, 3, 2},
                                         {11, 2, 16, 16, 16, 16, 15}, {-20, -9, 33, 21, 7, 6, 5}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y) + " tile " + std::to_string(tw) + "x" +
                     std::to_string(th));
        std::vector<int> hits(static_cast<size_t>(width * height), 0);
        for (const TilePiece& p : TilePieces(x, y, width, height, tw, th, dy)) {
            ASSERT_GE(p.sourceX, 0);
            ASSERT_GE(p.sourceY, 0);
            ASSERT_LE(p.sourceX + p.width, tw);
            ASSERT_LE(p.sourceY + p.height, th);
            for (int py = 0; py < p.height; ++py)
                for (int px = 0; px < p.width; ++px) {
                    const int dx = p.x + px;
                    const int dyPixel = p.y + py;
                    ASSERT_TRUE(dx >= x && dx < x + width && dyPixel >= y && dyPixel < y + height);
                    ++hits[static_cast<size_t>((dyPixel - y) * width + dx - x)];
                    EXPECT_EQ(((dx % tw) + tw) % tw, p.sourceX + px);
                    EXPECT_EQ((((dyPixel + dy) % th) + th) % th, p.sourceY + py);
                }
        }
        for (int h : hits)
            ASSERT_EQ(h, 1);
    }
}
