#include "controls/cDottedBrush_win.h"
#include "controls/cMemDC_win.h"
#include "controls/cNCMetrics_win.h"
#include "controls/mDeclares_win.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace controls;
using test::Hex;

namespace {

// A 32-bit top-down bitmap selected into a memory context: what is drawn into it reads back exactly.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : dc_(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = SelectObject(dc_.get(), bitmap_.get());
        const rt::BrushHandle brush(CreateSolidBrush(fill));
        const RECT all{0, 0, width, height};
        FillRect(dc_.get(), &all, brush.get());
    }
    ~Canvas() { SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    std::string At(int x, int y) const { return Hex(GetPixel(dc_.get(), x, y)); }

private:
    rt::MemoryDcHandle dc_;
    rt::BitmapHandle bitmap_;
    HGDIOBJ old_ = nullptr;
};

SIZE SelectedBitmapSize(HDC dc)
{
    BITMAP info{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info) == 0)
        return {-1, -1};
    return {info.bmWidth, info.bmHeight};
}

}  // namespace

TEST(TranslateOleColor, GivesSystemColoursAndMinusOneForWhatDoesNotTranslate)
{
    EXPECT_EQ(TranslateOleColor(0x8000000Fu), static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(TranslateOleColor(0x80000005u), static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(TranslateOleColor(0xFF), 0xFF);
    EXPECT_EQ(TranslateOleColor(0x123456), 0x123456);
    EXPECT_EQ(TranslateOleColor(0x80000050u), -1);  // no system colour 0x50
    EXPECT_EQ(TranslateOleColor(0xFFFFFFFFu), -1);
}

TEST(TempFileName, MakesAnEmptyFileNamedAfterThePrefix)
{
    const std::wstring folder = TempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    const std::wstring name = TempFileName(L"ILSX");
    ASSERT_FALSE(name.empty());
    const std::wstring fileName = name.substr(name.find_last_of(L'\\') + 1);
    EXPECT_EQ(name.substr(0, folder.size()), folder);
    EXPECT_EQ(fileName.substr(0, 3), L"ILS");  // three characters of the prefix only
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 0u);
    EXPECT_NE(TempFileName(L"ILS"), name);  // a second file does not reuse the name
    DeleteFileW(name.c_str());

    // A folder that does not exist: no file, an empty name.
    ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", L"C:\\no\\such\\folder\\"));
    EXPECT_EQ(TempFileName(L"ILS"), L"");
    SetEnvironmentVariableW(L"TMP", nullptr);
}

TEST(TileBitmap, CopiesTheAlignedTileOverTheRectangleOnly)
{
    Canvas tile(10, 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            SetPixelV(tile.dc(), x, y, RGB(x * 20, y * 20, 7));
    struct Case {
        int x, y, width, height, offsetY;
    };
    for (const Case c : {Case{5, 0, 25, 10, 0}, Case{3, 3, 21, 14, 4}, Case{0, 0, 40, 30, 9}}) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " offset " + std::to_string(c.offsetY));
        Canvas target(48, 40, RGB(1, 2, 3));
        TileBitmap(target.dc(), c.x, c.y, c.width, c.height, tile.dc(), 10, 10, c.offsetY);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 48; ++x) {
                const bool inside = x >= c.x && x < c.x + c.width && y >= c.y && y < c.y + c.height;
                const COLORREF expected = inside ? RGB((x % 10) * 20, ((y + c.offsetY) % 10) * 20, 7) : RGB(1, 2, 3);
                ASSERT_EQ(target.At(x, y), Hex(expected)) << x << "," << y;
            }
    }
    Canvas untouched(20, 20, RGB(1, 2, 3));
    TileBitmap(untouched.dc(), 0, 0, 20, 20, tile.dc(), 0, 10, 0);
    EXPECT_EQ(untouched.At(0, 0), "030201");
}

TEST(cMemDC, GrowsOnlyWhenAskedForMore)
{
    cMemDC mem;
    EXPECT_EQ(mem.hdc(), nullptr);
    mem.Width(100);
    ASSERT_NE(mem.hdc(), nullptr);
    EXPECT_EQ(mem.Width(), 100);
    EXPECT_EQ(mem.Height(), 0);
    EXPECT_EQ(SelectedBitmapSize(mem.hdc()).cx, 1);  // the platform's 1 x 1 bitmap for a height of 0

    mem.Height(20);
    EXPECT_EQ(mem.Width(), 100);
    EXPECT_EQ(mem.Height(), 20);
    const SIZE full = SelectedBitmapSize(mem.hdc());
    EXPECT_EQ(full.cx, 100);
    EXPECT_EQ(full.cy, 20);

    const HDC before = mem.hdc();
    mem.Width(50);
    mem.Height(20);
    mem.Width(100);
    EXPECT_EQ(mem.hdc(), before);  // not rebuilt for a smaller or equal size
    EXPECT_EQ(mem.Width(), 100);
    EXPECT_EQ(mem.Height(), 20);

    mem.Height(30);  // taller: rebuilt with the width kept
    const SIZE taller = SelectedBitmapSize(mem.hdc());
    EXPECT_EQ(taller.cx, 100);
    EXPECT_EQ(taller.cy, 30);

    // Drawing goes into the context's own bitmap.
    SetPixelV(mem.hdc(), 99, 29, RGB(10, 20, 30));
    EXPECT_EQ(Hex(GetPixel(mem.hdc(), 99, 29)), Hex(RGB(10, 20, 30)));

    cMemDC moved(std::move(mem));
    EXPECT_EQ(mem.hdc(), nullptr);
    EXPECT_EQ(mem.Width(), 0);
    EXPECT_EQ(moved.Width(), 100);
    EXPECT_EQ(Hex(GetPixel(moved.hdc(), 99, 29)), Hex(RGB(10, 20, 30)));
}

TEST(cNCMetrics, HandsOutTheSystemFonts)
{
    cNCMetrics metrics;
    ASSERT_TRUE(metrics.GetMetrics());
    const LOGFONTW* menu = metrics.LogFont(cNCMetrics::kMenu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(std::wstring(menu->lfFaceName), std::wstring(metrics.Metrics().lfMenuFont.lfFaceName));

    const HFONT menuFont = metrics.FontHandle(cNCMetrics::kMenu);
    ASSERT_NE(menuFont, nullptr);
    EXPECT_EQ(metrics.FontHandle(cNCMetrics::kMenu), menuFont);  // made once, then kept
    LOGFONTW made{};
    ASSERT_NE(GetObjectW(menuFont, sizeof made, &made), 0);
    EXPECT_EQ(std::wstring(made.lfFaceName), std::wstring(menu->lfFaceName));
    EXPECT_EQ(made.lfHeight, menu->lfHeight);

    // The menu font is a real face here, not a stand-in.
    Canvas canvas(4, 4, 0);
    {
        const rt::SelectScope select(canvas.dc(), menuFont);
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(canvas.dc(), LF_FACESIZE, face);
        EXPECT_EQ(std::wstring(face), std::wstring(menu->lfFaceName));
    }

    for (int number : {0, 7, -1}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(metrics.FontHandle(number), nullptr);
        EXPECT_FALSE(metrics.BoldenedFontHandle(number));
        EXPECT_FALSE(metrics.Font(canvas.dc(), number).has_value());
    }

    metrics.ClearUp();
    LOGFONTW gone{};
    EXPECT_EQ(GetObjectW(menuFont, sizeof gone, &gone), 0);  // deleted
    EXPECT_NE(metrics.FontHandle(cNCMetrics::kMenu), nullptr);
}

TEST(cNCMetrics, BoldensEveryFontOneStep)
{
    cNCMetrics metrics;
    ASSERT_TRUE(metrics.GetMetrics());
    for (int number = 1; number <= 6; ++number) {
        SCOPED_TRACE(number);
        const rt::FontHandle bold = metrics.BoldenedFontHandle(number);
        ASSERT_TRUE(bold);
        LOGFONTW made{};
        ASSERT_NE(GetObjectW(bold.get(), sizeof made, &made), 0);
        EXPECT_EQ(made.lfWeight, metrics.LogFont(number)->lfWeight >= 700 ? 900 : 700);
        EXPECT_NE(bold.get(), metrics.BoldenedFontHandle(number).get());  // a new font each time
    }
}

TEST(cNCMetrics, DescribesTheMenuFontInPoints)
{
    cNCMetrics metrics;
    ASSERT_TRUE(metrics.GetMetrics());
    const rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    ASSERT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSY), 96);
    const LOGFONTW* menu = metrics.LogFont(cNCMetrics::kMenu);
    ASSERT_EQ(menu->lfHeight, -11);  // Tahoma, 11 pixels
    const auto font = metrics.Font(dc.get(), cNCMetrics::kMenu);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->name, L"Tahoma");
    EXPECT_DOUBLE_EQ(font->size, 8.25);
    EXPECT_EQ(font->bold, menu->lfWeight >= 401);
    EXPECT_FALSE(font->italic);
}

// The check mark and the radio bullet of owner-drawn menu items come from Marlett.
TEST(Marlett, HasTheMenuMarks)
{
    LOGFONTW logFont{};
    logFont.lfHeight = -13;
    logFont.lfCharSet = SYMBOL_CHARSET;
    wcscpy(logFont.lfFaceName, L"Marlett");
    const rt::FontHandle marlett(CreateFontIndirectW(&logFont));
    Canvas canvas(4, 4, 0);
    const rt::SelectScope select(canvas.dc(), marlett.get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(canvas.dc(), LF_FACESIZE, face);
    EXPECT_EQ(std::wstring(face), L"Marlett");
    WORD glyphs[2] = {};
    ASSERT_NE(GetGlyphIndicesW(canvas.dc(), L"ah", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS), GDI_ERROR);
    EXPECT_NE(glyphs[0], 0xFFFF);  // check mark
    EXPECT_NE(glyphs[1], 0xFFFF);  // bullet
}

TEST(cDottedBrush, DrawsACheckerboardInTheGivenColours)
{
    cDottedBrush brush;
    ASSERT_TRUE(brush.Create());
    Canvas canvas(20, 12, RGB(9, 9, 9));
    SetBkColor(canvas.dc(), RGB(1, 1, 1));
    SetTextColor(canvas.dc(), RGB(2, 2, 2));
    const HGDIOBJ ownBrush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    brush.DrawLine(canvas.dc(), 0, 0, 18, 10, PATCOPY, RGB(255, 0, 0), RGB(0, 0, 255));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 18; ++x)
            ASSERT_EQ(canvas.At(x, y), (x + y) % 2 == 0 ? "FF0000" : "0000FF") << x << "," << y;
    EXPECT_EQ(canvas.At(18, 0), "090909");
    EXPECT_EQ(canvas.At(0, 10), "090909");
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(1, 1, 1));  // colours and brush put back
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(2, 2, 2));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), ownBrush);

    // No colour given: the context's own colours.
    brush.DrawLine(canvas.dc(), 0, 0, 2, 1, PATCOPY, cDottedBrush::kNoColour, cDottedBrush::kNoColour);
    EXPECT_EQ(canvas.At(0, 0), "020202");
    EXPECT_EQ(canvas.At(1, 0), "010101");
}

TEST(cDottedBrush, RectangleFillsOrDrawsFourBands)
{
    cDottedBrush brush;
    ASSERT_TRUE(brush.Create());
    {
        Canvas canvas(12, 12, RGB(9, 9, 9));
        SetBkColor(canvas.dc(), RGB(1, 1, 1));
        SetTextColor(canvas.dc(), RGB(2, 2, 2));
        brush.Rectangle(canvas.dc(), 1, 1, 4, 4, 1, PATCOPY, true, cDottedBrush::kNoColour, cDottedBrush::kNoColour);
        EXPECT_EQ(canvas.At(2, 2), "020202");  // the context's colours
        EXPECT_EQ(canvas.At(3, 2), "010101");
        EXPECT_EQ(canvas.At(5, 5), "090909");
        brush.Rectangle(canvas.dc(), 6, 6, 2, 2, 1, PATCOPY, true, RGB(255, 0, 0), RGB(0, 0, 255));
        EXPECT_EQ(GetBkColor(canvas.dc()), RGB(255, 0, 0));  // a fill leaves its colours set
        EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 255));
    }
    Canvas canvas(12, 12, RGB(9, 9, 9));
    brush.Rectangle(canvas.dc(), 2, 2, 6, 5, 1, PATCOPY, false, RGB(255, 255, 255), RGB(255, 255, 255));
    std::string picture;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            picture += canvas.At(x, y) == "FFFFFF" ? '#' : '.';
        picture += '\n';
    }
    EXPECT_EQ(picture,
              "..........\n"
              "..........\n"
              "..#######.\n"  // top band, and the right band just outside the width
              "..#.....#.\n"
              "..#.....#.\n"
              "..#.....#.\n"
              "..#.....#.\n"
              "..######..\n"  // bottom band just below the height; the far corner left undrawn
              "..........\n"
              "..........\n");
}
