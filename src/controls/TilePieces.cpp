#include "controls/TilePieces.h"

#include <algorithm>

namespace controls {

namespace {

// A remainder in 0 to divisor - 1 whatever the sign of the value.
int PositiveRemainder(long long value, int divisor)
{
    const long long r = value % divisor;
    return static_cast<int>(r < 0 ? r + divisor : r);
}

}  // namespace

std::vector<TilePiece> TilePieces(int x, int y, int width, int height, int tileWidth, int tileHeight, int offsetY)
{
    std::vector<TilePiece> pieces;
    if (tileWidth <= 0 || tileHeight <= 0 || width <= 0 || height <= 0)
        return pieces;
    const int firstSourceX = PositiveRemainder(x, tileWidth);
    const int firstSourceY = PositiveRemainder(static_cast<long long>(y) + offsetY, tileHeight);
    const long long right = static_cast<long long>(x) + width;
    const long long bottom = static_cast<long long>(y) + height;
    int sourceY = firstSourceY;
    for (long long top = y; top < bottom;) {
        const int rowHeight = static_cast<int>(std::min<long long>(tileHeight - sourceY, bottom - top));
        int sourceX = firstSourceX;
        for (long long left = x; left < right;) {
            const int columnWidth = static_cast<int>(std::min<long long>(tileWidth - sourceX, right - left));
            pieces.push_back({static_cast<int>(left), static_cast<int>(top), columnWidth, rowHeight, sourceX, sourceY});
            left += columnWidth;
            sourceX = 0;
        }
        top += rowHeight;
        sourceY = 0;
    }
    return pieces;
}

}  // namespace controls
