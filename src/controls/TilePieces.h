#pragma once
// Where the copies of a tile go when a picture is tiled over a rectangle: the pattern is aligned to the
// destination's coordinates (plus a vertical offset), so neighbouring rectangles tiled apart join seamlessly.
#include <vector>

namespace controls {

// One copy: the destination rectangle and the tile's point copied to its top left corner.
struct TilePiece {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int sourceX = 0;
    int sourceY = 0;

    friend bool operator==(const TilePiece&, const TilePiece&) = default;
};

// The pieces that cover (x, y, width, height) exactly, row by row from the top, each row left to right, with
// a tile of tileWidth x tileHeight whose pattern is shifted down by offsetY. An empty tile or rectangle gives
// no pieces. The pattern lines up with negative coordinates too (the tile never reads outside itself).
std::vector<TilePiece> TilePieces(int x, int y, int width, int height, int tileWidth, int tileHeight, int offsetY);

}  // namespace controls
