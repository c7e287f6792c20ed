#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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

struct IconSize {
    int width;
    int height;
    bool isIcon;
    int hotX;
    int hotY;
};

IconSize Measure(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {};
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    const bool colour = info.hbmColor != nullptr;
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return {mask.bmWidth, colour ? mask.bmHeight : mask.bmHeight / 2, info.fIcon != FALSE,
            static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
}

TEST(LoadIconResource, LoadsIconsAndTheCursorAtTheirSizes)
{
    struct Case {
        int id;
        int size;
        int expected;
    };
    for (const Case& c : {Case{rt::kIconArrowDown, 0, 16}, Case{rt::kIconArrowUp, 0, 16},
                          Case{rt::kIconProgram, 32, 32}, Case{rt::kIconProgram, 16, 16}}) {
        SCOPED_TRACE(c.id * 100 + c.size);
        HICON icon = rt::LoadIconResource(c.id, c.size);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(rt::LoadIconResource(c.id, c.size), icon);  // kept, not loaded again
        const IconSize measured = Measure(icon);
        EXPECT_TRUE(measured.isIcon);
        EXPECT_EQ(measured.width, c.expected);
        EXPECT_EQ(measured.height, c.expected);
    }
    const IconSize hand = Measure(rt::LoadCursorResource(rt::kCursorHand));
    EXPECT_FALSE(hand.isIcon);
    EXPECT_EQ(hand.width, 32);
    EXPECT_EQ(hand.height, 32);
    EXPECT_EQ(hand.hotX, 14);
    EXPECT_EQ(hand.hotY, 4);
    EXPECT_EQ(rt::LoadIconResource(999), nullptr);
    EXPECT_EQ(rt::LoadCursorResource(999), nullptr);
}

// Draws the icon over magenta in a 32-bit memory bitmap and returns the pixel at (x, y) as 0xRRGGBB.
COLORREF PixelOf(HICON icon, int size, int x, int y)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int i = 0; i < size * size; ++i)
        static_cast<DWORD*>(bits)[i] = 0xFF00FF;
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const DWORD pixel = static_cast<DWORD*>(bits)[y * size + x] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

TEST(LoadIconResource, PixelsFollowTheGrids)
{
    struct Case {
        int id;
        int size;
        int x;
        int y;
        COLORREF rgb;
    };
    const Case cases[] = {
        {rt::kIconArrowDown, 16, 0, 0, 0xFF00FF},   // transparent corner
        {rt::kIconArrowDown, 16, 7, 5, 0xC00000},   // red shaft
        {rt::kIconArrowDown, 16, 7, 14, 0x000000},  // outline at the tip, pointing down
        {rt::kIconArrowDown, 16, 7, 1, 0x000000},  {rt::kIconArrowUp, 16, 7, 1, 0x000000},  // tip, pointing up
        {rt::kIconArrowUp, 16, 7, 10, 0x008000},                                            // green shaft
        {rt::kIconArrowUp, 16, 1, 14, 0xFF00FF},   {rt::kIconProgram, 16, 0, 0, 0xFF00FF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " at " << c.x << "," << c.y);
        EXPECT_EQ(PixelOf(rt::LoadIconResource(c.id), c.size, c.x, c.y), c.rgb);
    }
    HICON hand = rt::LoadCursorResource(rt::kCursorHand);
    EXPECT_EQ(PixelOf(hand, 32, 14, 4), 0x000000u);  // the fingertip is the hot spot
    EXPECT_EQ(PixelOf(hand, 32, 15, 8), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(hand, 32, 14, 3), 0xFF00FFu);
}

TEST(AppIdentity, NamesTheProgramAndItsFolder)
{
    EXPECT_EQ(rt::AppTitle(), L"Plumvane");
    const std::wstring name = rt::ExeName();
    const std::wstring folder = rt::AppPath();
    EXPECT_EQ(name, L"runtime_Resources_win_test.exe");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_NE(GetFileAttributesW((folder + name).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
