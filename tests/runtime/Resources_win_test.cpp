#include "runtime/Handles_win.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace {

TEST(LoadResString, ReadsStoredTextsWhole)
{
    struct Case {
        int id;
        std::wstring expected;
    };
    const Case cases[] = {
        {332, L"Initial date must came before the final date"},
        {1502, L"  in cash"},       // leading blanks
        {1542, L"INITIAL VALUE "},  // trailing blank
        {632, L"Enter FINAL DATE or|NUMBER OF DAYS (1 to \u008D days):"},
        {2062, L"If you add:|\"\u008D\"||the result will/would add:|\"\u017D\" ?"},
        {333, L""},  // absent, in a block that exists
        {9, L""},    // absent block
        {-1, L""},
        {70000, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(rt::LoadResString(c.id), c.expected);
    }
    const std::wstring longest = rt::LoadResString(1872);  // longer than any fixed 256-character buffer
    EXPECT_EQ(longest.size(), 310u);
    EXPECT_EQ(longest.substr(longest.size() - 10), L"questions.");
}

TEST(LoadMessage, BreaksLinesAndFillsPlaceholdersOnce)
{
    EXPECT_EQ(rt::LoadMessage(4),
              L"Calculation's list is full.\r\n\r\nDo you want to erase all the calculations of the list?");
    EXPECT_EQ(rt::LoadMessage(63, L"1500"), L"Enter FINAL DATE or\r\nNUMBER OF DAYS (1 to 1500 days):");
    EXPECT_EQ(rt::LoadMessage(29, L"1,030.20"), L"Amount + Capitalized Interest Amount:\r\n\r\n$ 1,030.20");
    // An argument holding a placeholder character is not filled again.
    EXPECT_EQ(rt::LoadMessage(206, L"CARPENTERS \u017D", L"CLOSETS"),
              L"If you add:\r\n\"CARPENTERS \u017D\"\r\n\r\nthe result will/would add:\r\n\"CLOSETS\" ?");
    EXPECT_EQ(rt::LoadMessage(999), L"");  // no such message
    EXPECT_EQ(rt::LoadMessage(-3), L"");
}

struct IconShape {
    int width = 0;
    int height = 0;
    bool isIcon = false;
    int hotX = 0;
    int hotY = 0;
};

IconShape Measure(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {};
    rt::BitmapHandle mask(info.hbmMask);
    rt::BitmapHandle colour(info.hbmColor);
    BITMAP bits{};
    GetObjectW(mask.get(), sizeof bits, &bits);
    return {bits.bmWidth, colour ? bits.bmHeight : bits.bmHeight / 2, info.fIcon != FALSE,
            static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
}

// Draws the icon over magenta in a 32-bit memory bitmap and returns the pixel at (x, y) as 0xRRGGBB.
COLORREF PixelOf(HICON icon, int size, int x, int y)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    rt::BitmapHandle bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    rt::SelectScope select(dc.get(), bitmap.get());
    std::fill_n(static_cast<DWORD*>(bits), size * size, 0xFF00FF);
    DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    return static_cast<DWORD*>(bits)[y * size + x] & 0xFFFFFF;
}

TEST(LoadIconResource, LoadsIconsAndTheCursorAtTheirSizesFromTheirGrids)
{
    for (const auto& [id, size, expected] :
         {std::tuple{rt::kIconArrowDown, 0, 16}, std::tuple{rt::kIconProgram, 32, 32},
          std::tuple{rt::kIconProgram, 16, 16}}) {
        SCOPED_TRACE(id * 100 + size);
        HICON icon = rt::LoadIconResource(id, size);
        EXPECT_EQ(rt::LoadIconResource(id, size), icon);  // kept, not loaded again
        const IconShape shape = Measure(icon);
        EXPECT_TRUE(shape.isIcon);
        EXPECT_EQ(shape.width, expected);
        EXPECT_EQ(shape.height, expected);
    }
    const IconShape hand = Measure(rt::LoadCursorResource(rt::kCursorHand));
    EXPECT_FALSE(hand.isIcon);
    EXPECT_EQ(hand.width, 32);
    EXPECT_EQ(hand.height, 32);
    EXPECT_EQ(hand.hotX, 14);
    EXPECT_EQ(hand.hotY, 4);
    EXPECT_EQ(rt::LoadIconResource(999), nullptr);
    EXPECT_EQ(rt::LoadCursorResource(999), nullptr);

    const struct {
        HICON icon;
        int size, x, y;
        COLORREF rgb;
    } pixels[] = {
        {rt::LoadIconResource(rt::kIconArrowDown), 16, 0, 0, 0xFF00FF},   // transparent corner
        {rt::LoadIconResource(rt::kIconArrowDown), 16, 7, 5, 0xC00000},   // red shaft
        {rt::LoadIconResource(rt::kIconArrowDown), 16, 7, 14, 0x000000},  // tip at the bottom
        {rt::LoadIconResource(rt::kIconArrowUp), 16, 7, 1, 0x000000},     // tip at the top
        {rt::LoadIconResource(rt::kIconArrowUp), 16, 7, 10, 0x008000},    // green shaft
        {rt::LoadIconResource(rt::kIconArrowUp), 16, 1, 14, 0xFF00FF},
        {rt::LoadIconResource(rt::kIconProgram), 16, 0, 0, 0xFF00FF},
        {rt::LoadCursorResource(rt::kCursorHand), 32, 14, 4, 0x000000},  // the fingertip is the hot spot
        {rt::LoadCursorResource(rt::kCursorHand), 32, 15, 8, 0xFFFFFF},
        {rt::LoadCursorResource(rt::kCursorHand), 32, 14, 3, 0xFF00FF},
    };
    for (const auto& p : pixels) {
        SCOPED_TRACE(testing::Message() << p.size << " at " << p.x << "," << p.y);
        EXPECT_EQ(PixelOf(p.icon, p.size, p.x, p.y), p.rgb);
    }
}

TEST(AppIdentity, NamesTheProgramAndItsFolder)
{
    EXPECT_EQ(rt::AppTitle(), L"Plumvane");
    const std::wstring name = rt::ExeName();
    const std::wstring folder = rt::AppPath();
    EXPECT_EQ(name, L"runtime_Resources_win_test");  // without ".exe", as error sources name the program
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((folder + name + L".exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
