#include "imagelist/IconList_win.h"
#include "imagelist/IconRecord.h"
#include "imagelist/ImageListFile.h"
#include "imagelist/ListRecords_win.h"
#include "imagelist/mSaveIcon_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"

#include "support/ImageFileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

using namespace imagelist;
using Bytes = std::vector<std::uint8_t>;

namespace {

// The 16 colours every depth keeps, 0x00RRGGBB.
constexpr std::uint32_t kStandard[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// A w x h icon in standard colours (or any colours when `anyColour`), with a transparent diagonal band;
// transparent pixels are black, as the platform keeps them.
IconPixels Pattern(int w, int h, int seed, bool anyColour = false)
{
    IconPixels icon;
    icon.width = w;
    icon.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool clear = (x + 2 * y + seed) % 7 == 0;
            const std::uint32_t colour = anyColour ? (static_cast<std::uint32_t>(seed * 7919 + x * 131 + y * 65599) &
                                                      0xFFFFFF)
                                                   : kStandard[(x / 2 + y / 3 + seed) % 16];
            icon.colour.push_back(clear ? 0 : colour);
            icon.transparent.push_back(clear);
        }
    return icon;
}

struct Screen {
    rt::MemoryDcHandle dc{CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)};
};

rt::IconHandle MakeIcon(const IconPixels& pixels)
{
    Screen screen;
    const Bytes record = *EncodeRecord(pixels, kProgramVersion);
    HICON icon = nullptr;
    std::size_t size = 0;
    EXPECT_TRUE(mSaveIcon::BytesToIcon(screen.dc.get(), icon, record, 0, size, kProgramVersion));
    return rt::IconHandle(icon);
}

// The pixels of image `index` (0-based) of a list, read back through its record.
std::optional<IconPixels> PixelsOf(HIMAGELIST list, int index)
{
    rt::IconHandle icon(ImageList_GetIcon(list, index, ILD_NORMAL));
    if (!icon)
        return std::nullopt;
    Screen screen;
    Bytes record(mSaveIcon::IconRecordSize(icon.get(), kProgramVersion));
    std::size_t size = 0;
    if (!mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), record, 0, size, kProgramVersion))
        return std::nullopt;
    auto pixels = DecodeRecord(record, 0, kProgramVersion);
    for (auto& c : pixels->colour)
        c &= 0xFFFFFF;  // the fourth byte is the platform's business
    return pixels;
}

void ExpectSamePixels(const std::optional<IconPixels>& got, const IconPixels& want)
{
    ASSERT_TRUE(got);
    EXPECT_EQ(got->colour, want.colour);
    EXPECT_EQ(got->transparent, want.transparent);
}

class ListForm : public rt::Form {
public:
    ListForm() { Add(Image1, {L"Image1"}); }
    IconList Image1;
    std::optional<rt::PropertyBag> design;

protected:
    void Design() override
    {
        Image1.Move(120, 120, 600, 600);
        if (design)
            Image1.SetDesignProperties(*design);
    }
};

class IconListTest : public testing::Test {
protected:
    void SetUp() override
    {
        form.Load();
        rt::Err().Clear();
    }
    void TearDown() override
    {
        form.Unload();
        for (const auto& file : files)
            DeleteFileW(file.c_str());
    }

    IconList& list() { return form.Image1; }

    // Adds icons of the pattern, keyed as given.
    void AddIcons(std::initializer_list<const wchar_t*> keys, int side = 16)
    {
        int seed = list().ImageCount();
        for (const wchar_t* key : keys) {
            const rt::IconHandle icon = MakeIcon(Pattern(side, side, seed++));
            ASSERT_TRUE(list().AddFromHandle(icon.get(), kImageIcon, std::wstring(key)));
        }
    }

    std::vector<std::wstring> Keys()
    {
        std::vector<std::wstring> keys;
        for (int i = 1; i <= list().ImageCount(); ++i)
            keys.push_back(list().ItemKey(i).value_or(L"<none>"));
        return keys;
    }

    // The design look's count box: pixels in the text colour, and pixels neither text nor face.
    struct CountBox {
        int ink = 0;
        int other = 0;
    };
    CountBox DesignCountBox()
    {
        HDC dc = list().hDC();
        const auto face = GetSysColor(COLOR_BTNFACE);
        CountBox box;
        for (int y = 22; y < 34; ++y)
            for (int x = 3; x < 34; ++x) {
                const COLORREF pixel = GetPixel(dc, x, y);
                box.ink += pixel == GetTextColor(dc);
                box.other += pixel != GetTextColor(dc) && pixel != face;
            }
        return box;
    }

    std::wstring TempFile(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        files.push_back(std::wstring(folder) + L"plumvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name);
        DeleteFileW(files.back().c_str());
        return files.back();
    }

    static Bytes ReadFile(const std::wstring& name)
    {
        std::ifstream in(std::string(name.begin(), name.end()), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteFile(const std::wstring& name, const Bytes& bytes)
    {
        std::ofstream out(std::string(name.begin(), name.end()), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    ListForm form;
    std::vector<std::wstring> files;
};

}  // namespace

TEST(mSaveIcon, RecordsRoundTripAtEverySizeWithoutChangingAPixel)
{
    Screen screen;
    for (int side : {16, 13, 24, 32, 48, 72}) {
        SCOPED_TRACE(side);
        const IconPixels pixels = Pattern(side, side, side, true);
        const rt::IconHandle icon = MakeIcon(pixels);
        Bytes record(*RecordSize(side, side, kProgramVersion) + 10, 0xEE);
        std::size_t size = 0;
        ASSERT_TRUE(mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), record, 5, size, kProgramVersion));
        EXPECT_EQ(size, *RecordSize(side, side, kProgramVersion));
        EXPECT_EQ(record[4], 0xEE);
        EXPECT_EQ(record[5 + size], 0xEE);
        const auto head = GetHead(std::span<const std::uint8_t>(record).subspan(5).first<kHeadSize>());
        EXPECT_EQ(head, (RecordHead{1, side / 2, side / 2}));
        // Same bytes as the portable writer, apart from what the platform reports in the headers.
        const Bytes portable = *EncodeRecord(pixels, kProgramVersion);
        const auto back = DecodeRecord(record, 5, kProgramVersion);
        ASSERT_TRUE(back);
        IconPixels got = *back;
        for (auto& c : got.colour)
            c &= 0xFFFFFF;
        EXPECT_EQ(got.colour, pixels.colour);
        EXPECT_EQ(got.transparent, pixels.transparent);
        // The 24-bit layout of older streams reads back the same pixels.
        Bytes old(*RecordSize(side, side, 0));
        ASSERT_TRUE(mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), old, 0, size, 0));
        HICON again = nullptr;
        ASSERT_TRUE(mSaveIcon::BytesToIcon(screen.dc.get(), again, old, 0, size, 0));
        rt::IconHandle againOwner(again);
        Bytes twice(*RecordSize(side, side, kProgramVersion));
        ASSERT_TRUE(mSaveIcon::IconToBytes(screen.dc.get(), again, twice, 0, size, kProgramVersion));
        EXPECT_EQ(Bytes(twice.begin() + 36, twice.end()),
                  Bytes(record.begin() + 5 + 36, record.begin() + 5 + static_cast<long>(size)));
    }
}

TEST(mSaveIcon, WriterChecksTheWholeRecordFitsBeforeWritingAny)
{
    Screen screen;
    const rt::IconHandle icon = MakeIcon(Pattern(16, 16, 1));
    for (std::size_t room : {0u, 12u, 100u, 1100u, 1147u}) {
        SCOPED_TRACE(room);
        Bytes buffer(room, 0xAB);
        std::size_t size = 77;
        EXPECT_FALSE(mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), buffer, 0, size, kProgramVersion));
        EXPECT_EQ(size, 77u);
        EXPECT_EQ(buffer, Bytes(room, 0xAB));
    }
    Bytes buffer(2000, 0);
    std::size_t size = 0;
    EXPECT_FALSE(mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), buffer, 900, size, kProgramVersion));
    EXPECT_FALSE(mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), buffer, 5000, size, kProgramVersion));
    EXPECT_FALSE(mSaveIcon::IconToBytes(screen.dc.get(), nullptr, buffer, 0, size, kProgramVersion));
}

TEST(mSaveIcon, ReaderRefusesCutAndCorruptRecordsAndMakesCursorsIcons)
{
    Screen screen;
    Bytes record = *EncodeRecord(Pattern(16, 16, 2), kProgramVersion);
    record[0] = 0;  // stored as a cursor
    record[4] = 3;  // hot spot (3, 8)
    HICON icon = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(mSaveIcon::BytesToIcon(screen.dc.get(), icon, record, 0, size, kProgramVersion));
    rt::IconHandle owner(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(size, 1148u);

    for (std::size_t cut : {0u, 11u, 40u, 1060u, 1100u, 1147u}) {
        SCOPED_TRACE(cut);
        HICON none = reinterpret_cast<HICON>(1);
        std::size_t untouched = 99;
        EXPECT_FALSE(mSaveIcon::BytesToIcon(screen.dc.get(), none, std::span(record).first(cut), 0, untouched,
                                            kProgramVersion));
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(untouched, 99u);
    }
    Bytes corrupt = record;
    corrupt[16] = 0xFF, corrupt[17] = 0xFF, corrupt[18] = 0xFF, corrupt[19] = 0x7F;  // width 2^31 - 1
    HICON none = nullptr;
    EXPECT_FALSE(mSaveIcon::BytesToIcon(screen.dc.get(), none, corrupt, 0, size, kProgramVersion));
}

TEST_F(IconListTest, NewControlAndTheHandleAsItsValue)
{
    EXPECT_EQ(list().ImageCount(), 0);
    EXPECT_EQ(list().IconSizeX(), 16);
    EXPECT_EQ(list().IconSizeY(), 16);
    EXPECT_EQ(list().ColourDepth(), 0);
    ASSERT_NE(list().hIml(), nullptr);
    const HIMAGELIST asValue = list();
    EXPECT_EQ(asValue, list().hIml());
    EXPECT_EQ(list().Width(), 36 * rt::Screen::TwipsPerPixelX());
    EXPECT_EQ(list().Height(), 36 * rt::Screen::TwipsPerPixelY());
    // Sizes and depth only take effect at the next Create.
    list().SetIconSizeX(24);
    list().SetColourDepth(ILC_COLOR32);
    const HIMAGELIST before = list().hIml();
    EXPECT_EQ(list().hIml(), before);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list().hIml(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    list().Clear();
    ImageList_GetIconSize(list().hIml(), &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(list().PropertyChanges(),
              (std::vector<std::wstring>{L"IconSizeX", L"ColourDepth", L"Images", L"Size"}));
}

TEST_F(IconListTest, PositionsKeysAndTheirErrors)
{
    AddIcons({L"a", L"b", L"", L"d", L"3"});
    const std::wstring source = L"imagelist_IconList_win_test.IconList";
    struct Case {
        const char* what;
        ImageRef ref;
        int position;
    };
    for (const Case& c : {Case{"text 3 is a position", std::wstring(L"3"), 3}, Case{"0", 0.0, -1},
                          Case{"6", 6.0, -1}, Case{"unknown key", std::wstring(L"zz"), -1},
                          Case{"key", std::wstring(L"d"), 4}, Case{"empty text", std::wstring(), 3}}) {
        SCOPED_TRACE(c.what);
        rt::Err().Clear();
        EXPECT_EQ(list().ItemIndex(c.ref), c.position);
        EXPECT_EQ(rt::Err().Number(), c.position < 0 ? 9 : 0);
        EXPECT_EQ(rt::Err().Source(), c.position < 0 ? source : L"");
    }
    rt::Err().Clear();
    EXPECT_FALSE(list().ItemKey(6));
    EXPECT_EQ(rt::Err().Number(), 9);
    rt::Err().Clear();
    list().SetItemKey(2, std::wstring(L"a"));
    EXPECT_EQ(rt::Err().Number(), 457);
    EXPECT_EQ(rt::Err().Source(), L"");
    EXPECT_EQ(list().ItemKey(2), L"b");
    rt::Err().Clear();
    list().SetItemKey(2, std::wstring(L"A"));
    list().SetItemKey(1, std::wstring(L"  "));
    list().SetItemKey(3, std::wstring(L"  "));
    EXPECT_EQ(rt::Err().Number(), 0);
    list().SetItemKey(4, std::wstring(L"x\u00FFy"));  // would split in the stores
    EXPECT_EQ(rt::Err().Number(), 5);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"  ", L"A", L"  ", L"d", L"3"}));
    EXPECT_TRUE(list().KeyExists(L"A"));
    EXPECT_FALSE(list().KeyExists(L"a"));
    list().SetItemKey(0, std::wstring(L"q"));
    EXPECT_EQ(rt::Err().Number(), 9);

    list().Destroy();
    EXPECT_EQ(list().ImageCount(), 0);
    EXPECT_EQ(list().ItemIndex(1.0), -1);
    EXPECT_FALSE(list().AddFromHandle(MakeIcon(Pattern(16, 16, 0)).get(), kImageIcon));
    EXPECT_EQ(list().AddFromFile(L"C:\\nothing.ico", kImageIcon), 0);
    EXPECT_FALSE(list().LoadFromFile(L"C:\\nothing.iml"));
    EXPECT_FALSE(list().SaveToFile(L"C:\\nothing.iml"));
}

TEST_F(IconListTest, BitmapsAreCutAndPlacedAfterAPosition)
{
    AddIcons({L"p", L"q", L"r", L"s"});
    // A 48 x 16 bitmap of three coloured thirds, magenta in its top-left corner.
    Screen screen;
    rt::BitmapHandle strip(CreateCompatibleBitmap(screen.dc.get(), 48, 16));
    {
        rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
        rt::SelectScope use(dc.get(), strip.get());
        const COLORREF thirds[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
        for (int t = 0; t < 3; ++t) {
            RECT r{t * 16, 0, t * 16 + 16, 16};
            rt::BrushHandle brush(CreateSolidBrush(thirds[t]));
            FillRect(dc.get(), &r, brush.get());
        }
        SetPixel(dc.get(), 0, 0, RGB(255, 0, 255));
    }
    const auto old2 = PixelsOf(list(), 1);
    ASSERT_TRUE(list().AddFromHandle(strip.get(), kImageBitmap, std::wstring(L"new"), -1, 1.0));
    EXPECT_EQ(list().ImageCount(), 7);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"p", L"new", L"", L"", L"q", L"r", L"s"}));
    const auto first = PixelsOf(list(), 1);
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->transparent[0]);  // the corner's magenta became the transparent colour
    EXPECT_FALSE(first->transparent[1]);
    EXPECT_EQ(first->colour[1], 0xFF0000u);
    EXPECT_EQ(PixelsOf(list(), 3)->colour[5], 0x0000FFu);
    ExpectSamePixels(PixelsOf(list(), 4), *old2);

    // Nothing named to follow: nothing added. A bitmap narrower than one image adds nothing and keys nothing.
    EXPECT_FALSE(list().AddFromHandle(strip.get(), kImageBitmap, std::wstring(L"x"), -1, std::wstring(L"nope")));
    rt::BitmapHandle narrow(CreateCompatibleBitmap(screen.dc.get(), 8, 16));
    rt::Err().Clear();
    EXPECT_FALSE(list().AddFromHandle(narrow.get(), kImageBitmap, std::wstring(L"narrow")));
    EXPECT_EQ(list().ImageCount(), 7);
    EXPECT_FALSE(list().KeyExists(L"narrow"));
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"p", L"new", L"", L"", L"q", L"r", L"s"}));
    EXPECT_FALSE(list().AddFromHandle(nullptr, kImageIcon));
    EXPECT_FALSE(list().AddFromHandle(strip.get(), 7));
    // 0 after, and any after in an empty list, append.
    ASSERT_TRUE(list().AddFromHandle(MakeIcon(Pattern(16, 16, 9)).get(), kImageIcon, std::wstring(L"end"), -1, 0.0));
    EXPECT_EQ(list().ItemIndex(std::wstring(L"end")), 8);
}

// ImageCount is a 16-bit count: an add that would take the list past 32,767 images is refused and leaves the
// list, its count and its keys exactly as they were.
TEST_F(IconListTest, NoAddTakesTheListPast32767Images)
{
    list().SetIconSizeX(1);
    list().SetIconSizeY(1);
    list().Clear();
    Screen screen;
    const auto wide = [&](int width) { return rt::BitmapHandle(CreateCompatibleBitmap(screen.dc.get(), width, 1)); };
    const std::wstring file = TempFile(L"wide.bmp");
    WriteFile(file, test::BitmapFile(40000, 1, [](int, int) { return 0x336699u; }));
    EXPECT_EQ(list().AddFromFile(file, kImageBitmap, std::wstring(L"wide")), 0);
    EXPECT_FALSE(list().AddFromHandle(wide(32768).get(), kImageBitmap));
    EXPECT_EQ(list().ImageCount(), 0);

    AddIcons({L"first"}, 1);
    ASSERT_TRUE(list().AddFromHandle(wide(32766).get(), kImageBitmap, std::wstring(L"strip"), -1, 1.0));
    EXPECT_EQ(list().ImageCount(), 32767);
    rt::Err().Clear();
    EXPECT_EQ(list().ItemKey(1), L"first");
    EXPECT_EQ(list().ItemKey(2), L"strip");
    EXPECT_EQ(list().ItemKey(32767), L"");
    EXPECT_EQ(rt::Err().Number(), 0);
    EXPECT_FALSE(list().AddFromHandle(MakeIcon(Pattern(1, 1, 0)).get(), kImageIcon, std::wstring(L"one more")));
    EXPECT_FALSE(list().AddFromHandle(wide(1).get(), kImageBitmap, std::wstring(L"one more"), -1, 1.0));
    EXPECT_EQ(list().ImageCount(), 32767);
    EXPECT_EQ(list().ItemIndex(std::wstring(L"strip")), 2);
    EXPECT_FALSE(list().KeyExists(L"one more"));
    list().RemoveImage(32767.0);
    EXPECT_TRUE(list().AddFromHandle(MakeIcon(Pattern(1, 1, 0)).get(), kImageIcon, std::wstring(L"last")));
    EXPECT_EQ(list().ItemIndex(std::wstring(L"last")), 32767);

    // A file of 32,767 records loaded onto a list of one image: the record past the last place is not read.
    const Bytes one = *EncodeRecord(Pattern(1, 1, 0), kProgramVersion);
    Bytes records;
    for (int i = 0; i < 32767; ++i)
        records.insert(records.end(), one.begin(), one.end());
    const std::wstring many = TempFile(L"many.iml");
    WriteFile(many, EncodeFile(kProgramVersion, records, ""));
    list().Clear();
    AddIcons({L"first"}, 1);
    EXPECT_TRUE(list().LoadFromFile(many));
    EXPECT_EQ(list().ImageCount(), 32767);
    EXPECT_EQ(list().ItemKey(1), L"first");
}

TEST_F(IconListTest, SwapAndCopyMoveImagesAndKeysByPixels)
{
    AddIcons({L"a", L"b", L"c"});
    const auto one = PixelsOf(list(), 0);
    const auto three = PixelsOf(list(), 2);
    list().SwapOrCopyImage(1.0, 3.0);
    ExpectSamePixels(PixelsOf(list(), 0), *three);
    ExpectSamePixels(PixelsOf(list(), 2), *one);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"c", L"b", L"a"}));
    EXPECT_EQ(list().ImageCount(), 3);

    list().SwapOrCopyImage(std::wstring(L"c"), std::wstring(L"a"), 0);  // copies image 3 onto 1
    ExpectSamePixels(PixelsOf(list(), 0), *one);
    ExpectSamePixels(PixelsOf(list(), 2), *one);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"a", L"b", L"c"}));

    list().RemoveImage(2.0);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"a", L"c"}));
    list().RemoveImage(std::wstring(L"zz"));
    EXPECT_EQ(list().ImageCount(), 2);
}

TEST_F(IconListTest, SavedFileHasTheDocumentedBytesAndLoadsBack)
{
    AddIcons({L"aa", L"bb"});
    const std::wstring name = TempFile(L"two.iml");
    // An old, longer file at the same place is replaced whole.
    WriteFile(name, Bytes(5000, 0x11));
    ASSERT_TRUE(list().SaveToFile(name));
    const Bytes file = ReadFile(name);
    ASSERT_EQ(file.size(), 2319u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 12), (Bytes{0x56, 0xE4, 0x45, 0x57, 0, 0, 9, 0, 0xF8, 8, 0, 0}));
    EXPECT_EQ(Bytes(file.end() - 11, file.end()), (Bytes{7, 0, 0, 0, 'a', 'a', 0xFF, 'b', 'b', 0xFF, 0xFF}));

    const auto first = PixelsOf(list(), 0);
    list().Clear();
    ASSERT_TRUE(list().LoadFromFile(name));
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"aa", L"bb"}));
    ExpectSamePixels(PixelsOf(list(), 0), *first);
    // Into a list of three: appended, earlier keys untouched.
    list().Clear();
    AddIcons({L"x", L"", L"z"});
    ASSERT_TRUE(list().LoadFromFile(name));
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"x", L"", L"z", L"aa", L"bb"}));
    ExpectSamePixels(PixelsOf(list(), 3), *first);
}

TEST_F(IconListTest, SavingKeepsLargeIconsAndOneCharacterKeys)
{
    list().SetIconSizeX(72);
    list().SetIconSizeY(72);
    list().Clear();
    AddIcons({L"a", L"", L"c"}, 72);
    const std::wstring name = TempFile(L"large.iml");
    ASSERT_TRUE(list().SaveToFile(name));
    EXPECT_EQ(ReadFile(name).size(), 12u + 3 * 21660 + 4 + 6);
    const auto third = PixelsOf(list(), 2);
    list().Clear();
    ASSERT_TRUE(list().LoadFromFile(name));
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"a", L"", L"c"}));
    ExpectSamePixels(PixelsOf(list(), 2), *third);
}

TEST_F(IconListTest, OlderFilesAreReadAsTwentyFourBitRecords)
{
    const IconPixels pixels = Pattern(16, 16, 4, true);
    const Bytes record = *EncodeRecord(pixels, 0);
    Bytes file{static_cast<std::uint8_t>(record.size()), static_cast<std::uint8_t>(record.size() >> 8), 0, 0};
    file.insert(file.end(), record.begin(), record.end());
    file.insert(file.end(), {2, 0, 0, 0, 'k', 0xFF});
    const std::wstring name = TempFile(L"old.iml");
    WriteFile(name, file);
    list().SetColourDepth(ILC_COLOR32);
    list().Clear();
    ASSERT_TRUE(list().LoadFromFile(name));
    EXPECT_EQ(Keys(), std::vector<std::wstring>{L"k"});
    ExpectSamePixels(PixelsOf(list(), 0), pixels);
}

TEST_F(IconListTest, BadFilesRaiseAndLeaveTheListAsItWas)
{
    AddIcons({L"keep"});
    const std::wstring good = TempFile(L"good.iml");
    ASSERT_TRUE(list().SaveToFile(good));
    const Bytes file = ReadFile(good);
    const std::wstring source = L"imagelist_IconList_win_test.IconList";
    struct Case {
        const char* what;
        std::optional<Bytes> bytes;  // none: no file at all
        int number;
    };
    const auto text = [](int number) { return number == 53 ? L"File not found" : L"Bad file format"; };
    Bytes hugeCount = file;
    hugeCount[8] = 0xFF, hugeCount[9] = 0xFF, hugeCount[10] = 0xFF, hugeCount[11] = 0x7F;
    Bytes hugeKeys = file;
    hugeKeys[12 + 1148] = 0xFF, hugeKeys[12 + 1148 + 3] = 0x7F;
    for (const Case& c : {Case{"missing", std::nullopt, 53}, Case{"empty", Bytes{}, 321},
                          Case{"cut in the records", Bytes(file.begin(), file.begin() + 600), 321},
                          Case{"count past the end", hugeCount, 321}, Case{"key length past the end", hugeKeys, 321},
                          Case{"zero count", Bytes{0x56, 0xE4, 0x45, 0x57, 0, 0, 9, 0, 0, 0, 0, 0}, 321}}) {
        SCOPED_TRACE(c.what);
        const std::wstring name = TempFile(L"bad.iml");
        if (c.bytes)
            WriteFile(name, *c.bytes);
        try {
            list().LoadFromFile(name);
            ADD_FAILURE() << "no error";
        } catch (const IconListError& e) {
            EXPECT_EQ(e.Info().number, c.number);
            EXPECT_EQ(e.Info().source, source);
            EXPECT_EQ(e.Info().description, text(c.number));
        }
        EXPECT_EQ(Keys(), std::vector<std::wstring>{L"keep"});
    }
    // An empty list saves nothing, and makes no file.
    list().Clear();
    const std::wstring none = TempFile(L"none.iml");
    try {
        list().SaveToFile(none);
        ADD_FAILURE() << "no error";
    } catch (const IconListError& e) {
        EXPECT_EQ(e.Info().number, 9);
    }
    EXPECT_EQ(GetFileAttributesW(none.c_str()), INVALID_FILE_ATTRIBUTES);
    // A folder that does not exist.
    AddIcons({L"a"});
    EXPECT_THROW(list().SaveToFile(L"C:\\no such folder\\x.iml"), IconListError);
}

TEST_F(IconListTest, PropertySetCarriesImagesAndKeys)
{
    EXPECT_TRUE(list().SaveProperties().Entries().empty());
    list().SetIconSizeX(24);
    EXPECT_EQ(list().SaveProperties(), (rt::PropertyBag{{L"IconSizeX", 24}}));
    list().SetIconSizeX(16);

    AddIcons({L"a", L"", L"c"});
    const rt::PropertyBag bag = list().SaveProperties();
    std::vector<std::wstring> names;
    for (const auto& [name, value] : bag.Entries())
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Size", L"Images", L"Version", L"KeyCount", L"Keys"}));
    EXPECT_EQ(bag.Read<std::int32_t>(L"Size", 0), 3 * 1148);
    EXPECT_EQ(bag.Read<rt::ByteArray>(L"Images", {}).size(), 3u * 1148);
    EXPECT_EQ(bag.Read<std::int32_t>(L"Version", 0), 589824);
    EXPECT_EQ(bag.Read<std::int16_t>(L"KeyCount", 0), 3);
    EXPECT_EQ(bag.Read<std::wstring>(L"Keys", L""), L"a\u00FF\u00FFc");

    const auto second = PixelsOf(list(), 1);
    form.Unload();
    form.design = bag;
    form.Load();
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"a", L"", L"c"}));
    ExpectSamePixels(PixelsOf(list(), 1), *second);
    EXPECT_TRUE(list().PropertyChanges().empty());
    EXPECT_EQ(list().SaveProperties(), bag);

    // A size that claims more than the bytes there: only what is there is read.
    rt::PropertyBag liar = bag;
    liar.Write(L"Size", 10 * 1148);
    rt::ByteArray cut = bag.Read<rt::ByteArray>(L"Images", {});
    cut.resize(2 * 1148 + 100);
    liar.Write(L"Images", cut);
    form.Unload();
    form.design = liar;
    form.Load();
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"a", L""}));
    // One-character keys and sizes beyond the old staging survive the property set too.
    form.Unload();
    form.design = rt::PropertyBag{{L"IconSizeX", 72}, {L"IconSizeY", 72}};
    form.Load();
    AddIcons({L"x", L"y"}, 72);
    const rt::PropertyBag large = list().SaveProperties();
    EXPECT_EQ(large.Read<std::int32_t>(L"Size", 0), 2 * 21660);
    form.Unload();
    form.design = large;
    form.Load();
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"x", L"y"}));

    // The list read is made at its first use, as it was read: a size set before that is for the next list.
    form.Unload();
    form.design = bag;
    form.Load();
    list().SetIconSizeX(32);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list().hIml(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"a", L"", L"c"}));
}

TEST_F(IconListTest, OneAddOfAStripGivesTheSameImagesAsAddingIconByIcon)
{
    for (int depth : {0, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32}) {
        SCOPED_TRACE(depth);
        Bytes run;
        std::vector<IconPixels> icons;
        for (int i = 0; i < 5; ++i) {
            icons.push_back(Pattern(16, 16, i, depth >= ILC_COLOR24));
            const Bytes record = *EncodeRecord(icons.back(), kProgramVersion);
            run.insert(run.end(), record.begin(), record.end());
        }
        // The control's restore (one strip) beside the platform's icon-by-icon adds.
        form.Unload();
        form.design = rt::PropertyBag{{L"ColourDepth", depth}, {L"Size", static_cast<std::int32_t>(run.size())},
                                      {L"Images", run}, {L"Version", kProgramVersion}};
        form.Load();
        ASSERT_EQ(list().ImageCount(), 5);
        HIMAGELIST plain = ImageList_Create(16, 16, static_cast<UINT>(depth) | ILC_MASK, 4, 4);
        for (const IconPixels& icon : icons)
            ImageList_AddIcon(plain, MakeIcon(icon).get());
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            const auto want = PixelsOf(plain, i);
            ExpectSamePixels(PixelsOf(list(), i), *want);
            if (depth == 0 || depth >= ILC_COLOR24)
                ExpectSamePixels(want, icons[static_cast<std::size_t>(i)]);
        }
        ImageList_Destroy(plain);
    }
}

// Where two runs of bytes first differ (their common length when one is the start of the other); -1 when equal.
long FirstDifference(const Bytes& got, const Bytes& want)
{
    if (got == want)
        return -1;
    const auto [a, b] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
    return static_cast<long>(a - got.begin());
}

// The records of every image through its own icon, the platform's rendering and the oracle of the saved bytes.
Bytes RecordsThroughIcons(HIMAGELIST list, UINT flags)
{
    Screen screen;
    Bytes out;
    for (int p = 0; p < ImageList_GetImageCount(list); ++p) {
        rt::IconHandle icon(ImageList_GetIcon(list, p, flags));
        Bytes record(mSaveIcon::IconRecordSize(icon.get(), kProgramVersion));
        std::size_t size = 0;
        if (mSaveIcon::IconToBytes(screen.dc.get(), icon.get(), record, 0, size, kProgramVersion))
            out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

// Gives every masked-out pixel of image p a colour in the list's own bitmap; how many it changed.
int PaintUnderMask(HIMAGELIST list, int p, std::uint32_t colour)
{
    IMAGEINFO image{};
    BITMAP bm{};
    if (!ImageList_GetImageInfo(list, p, &image) || !GetObjectW(image.hbmImage, sizeof bm, &bm))
        return 0;
    Screen screen;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bm.bmWidth * bm.bmHeight));
    std::vector<std::uint32_t> masks(pixels.size());
    if (!GetDIBits(screen.dc.get(), image.hbmImage, 0, bm.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) ||
        !GetDIBits(screen.dc.get(), image.hbmMask, 0, bm.bmHeight, masks.data(), &info, DIB_RGB_COLORS))
        return 0;
    int changed = 0;
    for (int y = image.rcImage.top; y < image.rcImage.bottom; ++y)
        for (int x = image.rcImage.left; x < image.rcImage.right; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * bm.bmWidth + x);
            if ((masks[at] & 0xFFFFFF) && pixels[at] != colour) {
                pixels[at] = colour;
                ++changed;
            }
        }
    return SetDIBits(screen.dc.get(), image.hbmImage, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &info,
                     DIB_RGB_COLORS)
               ? changed
               : 0;
}

TEST_F(IconListTest, SavedRecordsAreTheBytesOfEachImagesIcon)
{
    struct Case {
        int depth;
        int cx;
        int cy;
        int count;
        bool keyed;
    };
    const Case cases[] = {
        {0, 16, 16, 47, true},           {0, 16, 16, 500, false},         {ILC_COLOR32, 16, 16, 500, true},
        {ILC_COLOR4, 13, 7, 9, false},   {ILC_COLOR8, 13, 7, 10, true},   {ILC_COLOR16, 1, 1, 6, true},
        {ILC_COLOR24, 48, 48, 5, false}, {ILC_COLOR32, 48, 48, 7, true},  {ILC_COLOR32, 13, 7, 5, false},
        {ILC_COLOR24, 33, 31, 6, true},  {ILC_COLOR32, 1, 1, 9, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + ": " + std::to_string(c.count) + " of " + std::to_string(c.cx) +
                     " x " + std::to_string(c.cy));
        form.Unload();
        form.design = rt::PropertyBag{{L"IconSizeX", c.cx}, {L"IconSizeY", c.cy}, {L"ColourDepth", c.depth}};
        form.Load();
        for (int i = 0; i < c.count; ++i) {
            IconPixels pixels = Pattern(c.cx, c.cy, i, true);
            if (c.depth == ILC_COLOR32 && i % 4 == 1)
                for (auto& colour : pixels.colour)
                    colour |= 0x80000000u;  // a blended image, whose icon is not its raw bits
            const rt::IconHandle icon = MakeIcon(pixels);
            ASSERT_TRUE(list().AddFromHandle(icon.get(), kImageIcon,
                                             c.keyed ? std::wstring(L"k") + std::to_wstring(i) : std::wstring()));
        }
        // A strip added with its own mask over colours that are not black.
        const int stripWidth = 2 * c.cx;
        std::vector<std::uint32_t> colour(static_cast<std::size_t>(stripWidth * c.cy));
        for (std::size_t k = 0; k < colour.size(); ++k)
            colour[k] = static_cast<std::uint32_t>(0x00406080 + k * 0x010305) & 0xFFFFFF;
        rt::BitmapHandle strip(CreateBitmap(stripWidth, c.cy, 1, 32, colour.data()));
        std::vector<std::uint16_t> maskRows(static_cast<std::size_t>((stripWidth + 15) / 16 * c.cy), 0xC3C3);
        rt::BitmapHandle mask(CreateBitmap(stripWidth, c.cy, 1, 1, maskRows.data()));
        ASSERT_NE(ImageList_Add(list().hIml(), strip.get(), mask.get()), -1);
        // The list keeps masked-out pixels black; paint them over in its own bitmap: its icon shows them as held.
        ASSERT_GT(PaintUnderMask(list().hIml(), list().ImageCount() - 1, 0x00C08040), 0);

        const Bytes fileOracle = RecordsThroughIcons(list().hIml(), ILD_TRANSPARENT);
        const Bytes setOracle = RecordsThroughIcons(list().hIml(), ILD_NORMAL);
        ASSERT_EQ(fileOracle.size(), *RecordSize(c.cx, c.cy, kProgramVersion) * static_cast<std::size_t>(c.count + 2));
        const std::wstring name = TempFile(L"cut.iml");
        ASSERT_TRUE(list().SaveToFile(name));
        const auto file = DecodeFile(ReadFile(name));
        ASSERT_TRUE(std::holds_alternative<ImageListContent>(file));
        EXPECT_EQ(FirstDifference(std::get<ImageListContent>(file).records, fileOracle), -1);
        EXPECT_EQ(FirstDifference(list().SaveProperties().Read<rt::ByteArray>(L"Images", {}), setOracle), -1);
        // All but the first image and the blended ones were cut from the list's bitmaps.
        const std::size_t blended = c.depth == ILC_COLOR32 ? static_cast<std::size_t>(c.count + 2) / 4 : 0;
        for (UINT flags : {ILD_TRANSPARENT, ILD_NORMAL}) {
            const Collected collected = CollectRecords(list().hIml(), flags, kProgramVersion);
            EXPECT_EQ(collected.cut, static_cast<std::size_t>(c.count + 1) - blended);
            EXPECT_EQ(FirstDifference(collected.bytes, flags == ILD_NORMAL ? setOracle : fileOracle), -1);
        }
    }
}

TEST_F(IconListTest, SavingAndLoadingLeaksNoHandles)
{
    // How many bitmaps and icons the process can still make, up to a cap.
    const auto room = [] {
        std::vector<HBITMAP> bitmaps;
        for (int i = 0; i < 20000; ++i) {
            HBITMAP b = CreateBitmap(1, 1, 1, 1, nullptr);
            if (!b)
                break;
            bitmaps.push_back(b);
        }
        for (HBITMAP b : bitmaps)
            DeleteObject(b);
        return bitmaps.size();
    };
    AddIcons({L"a", L"b", L"c"});
    const std::wstring name = TempFile(L"cycle.iml");
    // One cycle first: the platform's own first-use objects are not ours.
    ASSERT_TRUE(list().SaveToFile(name));
    const std::size_t before = room();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(list().SaveToFile(name));
        list().Clear();
        ASSERT_TRUE(list().LoadFromFile(name));
    }
    EXPECT_GE(room() + 10, before);
    EXPECT_EQ(list().ImageCount(), 3);
}

// Not painted while its form is hidden, the control shows its look once the form shows, and again at a new size
// while shown.
TEST_F(IconListTest, LookIsPaintedWhenTheFormShowsAndAfterANewSize)
{
    const auto face = GetSysColor(COLOR_BTNFACE);
    const auto painted = [&] {
        HDC dc = list().hDC();
        // The face through the picture's corner, the edge, the picture's back tile.
        return GetPixel(dc, 3, 5) == face && GetPixel(dc, 0, 0) != face && GetPixel(dc, 16, 2) == RGB(0, 0, 0);
    };
    constexpr COLORREF kSentinel = RGB(1, 2, 3);
    for (const auto& [x, y] : {std::pair{3, 5}, {0, 0}, {16, 2}})
        SetPixel(list().hDC(), x, y, kSentinel);
    form.Show();
    EXPECT_TRUE(painted());
    list().Move(list().Left(), list().Top(), 1200, 900);  // the control takes its own size back, anew
    RECT client{};
    GetClientRect(list().hWnd(), &client);
    EXPECT_EQ(client.right, 36);
    EXPECT_TRUE(painted());
}

TEST_F(IconListTest, DesignLookShowsThePictureEdgeAndCount)
{
    form.Unload();
    list().SetAmbientUserMode(false);
    form.Load();
    const auto face = GetSysColor(COLOR_BTNFACE);
    AddIcons({L"a", L"b", L"c", L"d"});
    list().RemoveImage(4.0);  // repaints in design mode
    HDC dc = list().hDC();
    EXPECT_EQ(GetPixel(dc, 3, 5), face);  // through the picture's transparent corner
    EXPECT_NE(GetPixel(dc, 0, 0), face);  // the raised edge
    EXPECT_NE(GetPixel(dc, 35, 35), face);
    EXPECT_EQ(GetPixel(dc, 16, 2), RGB(0, 0, 0));  // the picture's back tile
    // The count "3" on a quiet face: nothing of the picture in its box.
    const CountBox box = DesignCountBox();
    EXPECT_GT(box.ink, 5);
    EXPECT_EQ(box.other, 0);
    list().SetAmbientUserMode(true);
}

// A new icon size saves the images, clears the list and loads them back: the design look counts them again.
TEST_F(IconListTest, DesignLookCountsTheImagesLoadedAfterAClear)
{
    form.Unload();
    list().SetAmbientUserMode(false);
    form.Load();
    AddIcons({L"a", L"b", L"c"});
    const std::wstring name = TempFile(L"design-count.iml");
    ASSERT_TRUE(list().SaveToFile(name));
    list().Clear();
    EXPECT_EQ(DesignCountBox().ink, 0);
    ASSERT_TRUE(list().LoadFromFile(name));
    EXPECT_GT(DesignCountBox().ink, 5);
    list().SetAmbientUserMode(true);
}
