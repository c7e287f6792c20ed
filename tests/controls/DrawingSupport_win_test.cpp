#include "controls/cDottedBrush_win.h"
#include "controls/cMemDC_win.h"
#include "controls/cNCMetrics_win.h"
#include "controls/mDeclares_win.h"
#include "runtime/MemoryBitmap_win.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace controls;
using test::Hex;

namespace {

// A 32-bit bitmap in a memory context, filled with one colour: what is drawn into it reads back exactly.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : image_(nullptr, width, height)
    {
        const rt::BrushHandle brush(CreateSolidBrush(fill));
        const RECT all{0, 0, width, height};
        FillRect(image_.dc(), &all, brush.get());
    }
    HDC dc() const { return image_.dc(); }
    std::string At(int x, int y) const { return Hex(GetPixel(image_.dc(), x, y)); }
    // Rows of '#' where the pixel is `colour`, '.' elsewhere.
    std::string Picture(int width, int height, COLORREF colour) const
    {
        std::string text;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                text += GetPixel(image_.dc(), x, y) == colour ? '#' : '.';
            text += '\n';
        }
        return text;
    }

private:
    rt::MemoryBitmap image_;
};

SIZE BitmapSize(HDC dc)
{
    BITMAP info{};
    GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

TEST(SharedRoutines, TranslateColoursTileAndMakeTemporaryFiles)
{
    EXPECT_EQ(TranslateOleColor(0x8000000Fu), static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(TranslateOleColor(0xFF), 0xFF);
    EXPECT_EQ(TranslateOleColor(0x80000050u), -1);  // no system colour 0x50
    EXPECT_EQ(rt::TranslateColor(0x80000050u), CLR_INVALID);  // the forms' colours fail as the controls' do
    EXPECT_EQ(DisplayBitsPerPixel(), 32);

    const std::wstring name = TempFileName(L"ILSX");
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.substr(0, TempFolder().size() + 3), TempFolder() + L"ILS");  // three characters of the prefix
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow == 0);
    DeleteFileW(name.c_str());

    Canvas tile(10, 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            SetPixelV(tile.dc(), x, y, RGB(x * 20, y * 20, 7));
    Canvas target(40, 30, RGB(1, 2, 3));
    TileBitmap(target.dc(), 3, 3, 21, 14, tile.dc(), 10, 10, 4);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 3 && x < 24 && y >= 3 && y < 17;
            ASSERT_EQ(target.At(x, y), Hex(inside ? RGB((x % 10) * 20, ((y + 4) % 10) * 20, 7) : RGB(1, 2, 3)))
                << x << "," << y;
        }
}

TEST(cMemDC, GrowsOnlyWhenAskedForMore)
{
    cMemDC mem;
    mem.Width(100);
    EXPECT_EQ(std::pair(mem.Width(), mem.Height()), std::pair(100, 0));
    EXPECT_EQ(BitmapSize(mem.hdc()).cx, 1);  // the platform's 1 x 1 bitmap for a height of 0
    mem.Height(20);
    EXPECT_EQ(std::pair(BitmapSize(mem.hdc()).cx, BitmapSize(mem.hdc()).cy), std::pair(100L, 20L));
    const HDC before = mem.hdc();
    mem.Width(50);
    mem.Height(20);
    EXPECT_EQ(mem.hdc(), before);  // not rebuilt for a smaller or equal size
    EXPECT_EQ(std::pair(mem.Width(), mem.Height()), std::pair(100, 20));
    mem.Height(30);
    EXPECT_EQ(std::pair(BitmapSize(mem.hdc()).cx, BitmapSize(mem.hdc()).cy), std::pair(100L, 30L));

    SetPixelV(mem.hdc(), 99, 29, RGB(10, 20, 30));
    const cMemDC moved(std::move(mem));
    EXPECT_EQ(mem.hdc(), nullptr);
    EXPECT_EQ(Hex(GetPixel(moved.hdc(), 99, 29)), Hex(RGB(10, 20, 30)));
}

TEST(cNCMetrics, HandsOutTheSystemFontsAndTheMenuMarks)
{
    cNCMetrics metrics;
    ASSERT_TRUE(metrics.GetMetrics());
    const HFONT menuFont = metrics.FontHandle(cNCMetrics::kMenu);
    EXPECT_EQ(metrics.FontHandle(cNCMetrics::kMenu), menuFont);  // made once, then kept
    LOGFONTW made{};
    ASSERT_NE(GetObjectW(menuFont, sizeof made, &made), 0);
    EXPECT_EQ(std::wstring(made.lfFaceName), L"Tahoma");
    EXPECT_EQ(made.lfHeight, -11);
    const rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    const auto font = metrics.Font(dc.get(), cNCMetrics::kMenu);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->name, L"Tahoma");
    EXPECT_DOUBLE_EQ(font->size, 8.25);  // 11 pixels at 96 per inch

    for (int number = 1; number <= 6; ++number) {
        SCOPED_TRACE(number);
        const rt::FontHandle bold = metrics.BoldenedFontHandle(number);
        ASSERT_NE(GetObjectW(bold.get(), sizeof made, &made), 0);
        EXPECT_EQ(made.lfWeight, metrics.LogFont(number)->lfWeight >= 700 ? 900 : 700);
    }
    for (int number : {0, 7})
        EXPECT_TRUE(!metrics.FontHandle(number) && !metrics.BoldenedFontHandle(number) && !metrics.Font(dc.get(), number));
    metrics.ClearUp();
    EXPECT_EQ(GetObjectW(menuFont, sizeof made, &made), 0);  // deleted

    // Marlett has the check mark and the bullet of owner-drawn menu items.
    LOGFONTW marlett{};
    marlett.lfHeight = -13;
    marlett.lfCharSet = SYMBOL_CHARSET;
    wcscpy(marlett.lfFaceName, L"Marlett");
    const rt::FontHandle marks(CreateFontIndirectW(&marlett));
    const rt::SelectScope select(dc.get(), marks.get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc.get(), LF_FACESIZE, face);
    EXPECT_EQ(std::wstring(face), L"Marlett");
    WORD glyphs[2] = {};
    GetGlyphIndicesW(dc.get(), L"ah", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    EXPECT_TRUE(glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF);
}

TEST(cDottedBrush, DrawsACheckerboardInTheGivenOrTheContextsColours)
{
    cDottedBrush brush;
    ASSERT_TRUE(brush.Create());
    Canvas canvas(12, 12, RGB(9, 9, 9));
    SetBkColor(canvas.dc(), RGB(1, 1, 1));
    SetTextColor(canvas.dc(), RGB(2, 2, 2));
    const HGDIOBJ ownBrush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    brush.DrawLine(canvas.dc(), 0, 0, 10, 9, PATCOPY, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Picture(11, 10, RGB(0, 0, 255)),  // foreground where (x + y) is even
              "#.#.#.#.#..\n.#.#.#.#.#.\n#.#.#.#.#..\n.#.#.#.#.#.\n#.#.#.#.#..\n"
              ".#.#.#.#.#.\n#.#.#.#.#..\n.#.#.#.#.#.\n#.#.#.#.#..\n...........\n");
    EXPECT_EQ(canvas.At(1, 0), Hex(RGB(255, 0, 0)));  // background where (x + y) is odd
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(1, 1, 1));  // colours and brush put back
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(2, 2, 2));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), ownBrush);

    // A fill without colours takes the context's own, and a fill's colours stay set.
    brush.Rectangle(canvas.dc(), 0, 0, 2, 1, 1, PATCOPY, true, cDottedBrush::kNoColour, cDottedBrush::kNoColour);
    EXPECT_EQ(canvas.At(0, 0) + canvas.At(1, 0), "020202010101");
    brush.Rectangle(canvas.dc(), 0, 0, 1, 1, 1, PATCOPY, true, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(255, 0, 0));

    Canvas frame(10, 10, RGB(9, 9, 9));
    brush.Rectangle(frame.dc(), 2, 2, 6, 5, 1, PATCOPY, false, RGB(255, 255, 255), RGB(255, 255, 255));
    EXPECT_EQ(frame.Picture(10, 9, RGB(255, 255, 255)),  // right and bottom bands just outside; far corner undrawn
              "..........\n..........\n..#######.\n..#.....#.\n..#.....#.\n..#.....#.\n..#.....#.\n..######..\n"
              "..........\n");
}
