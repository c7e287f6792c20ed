#include "controls/HandCursor_win.h"

#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace controls {

namespace {

constexpr int kSize = 32;
constexpr int kHotX = 10;
constexpr int kHotY = 1;

// K black, W white, '.' transparent. The fingertip's top-left pixel is the hot spot.
// clang-format off
constexpr std::array<std::string_view, kSize> kHand = {
    "................................",
    "..........KK....................",
    ".........KWWK...................",
    ".........KWWK...................",
    ".........KWWK...................",
    ".........KWWK...................",
    ".........KWWKKK.................",
    ".........KWWKWWKKK..............",
    ".........KWWKWWKWWKK............",
    ".........KWWKWWKWWKWK...........",
    "......KK.KWWKWWKWWKWWK..........",
    ".....KWWKKWWWWWWWWWWWK..........",
    ".....KWWWKWWWWWWWWWWWK..........",
    "......KWWWWWWWWWWWWWWK..........",
    ".......KWWWWWWWWWWWWWK..........",
    "........KWWWWWWWWWWWWK..........",
    "........KWWWWWWWWWWWK...........",
    ".........KWWWWWWWWWWK...........",
    ".........KWWWWWWWWWWK...........",
    "..........KWWWWWWWWK............",
    "..........KWWWWWWWWK............",
    "..........KKKKKKKKKK............",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
// clang-format on

constexpr bool WellFormed()
{
    for (std::string_view row : kHand) {
        if (row.size() != kSize)
            return false;
        for (char c : row)
            if (c != 'K' && c != 'W' && c != '.')
                return false;
    }
    return kHand[kHotY][kHotX] == 'K';
}
static_assert(WellFormed(), "the hand is 32 x 32 of K, W and '.', with the fingertip at the hot spot");

HCURSOR MakeHand()
{
    // Monochrome cursor planes: AND 1 keeps the screen (transparent), XOR 1 paints white over the cleared pixel.
    std::array<std::uint8_t, kSize * kSize / 8> andPlane{};
    std::array<std::uint8_t, kSize * kSize / 8> xorPlane{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            const int at = y * (kSize / 8) + x / 8;
            const char c = kHand[y][x];
            if (c == '.')
                andPlane[at] |= bit;
            else if (c == 'W')
                xorPlane[at] |= bit;
        }
    }
    HCURSOR cursor =
        CreateCursor(GetModuleHandleW(nullptr), kHotX, kHotY, kSize, kSize, andPlane.data(), xorPlane.data());
    if (!cursor)
        RT_LOG_LAST_ERROR("CreateCursor");
    return cursor;
}

}  // namespace

HCURSOR ButtonHandCursor()
{
    static const rt::CursorHandle hand(MakeHand());
    return hand.get();
}

}  // namespace controls
