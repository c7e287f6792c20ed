#include "imagelist/IconList_win.h"
#include "imagelist/IconRecord.h"
#include "imagelist/MenuIcons_win.h"
#include "imagelist/mSaveIcon_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"

#include <gtest/gtest.h>

using namespace imagelist;

namespace {

class MenuForm : public rt::Form {
public:
    MenuForm() { Add(Image1, {L"Image1"}); }
    IconList Image1;

protected:
    void Design() override { Image1.SetDesignProperties(MenuIconsDesign()); }
};

}  // namespace

TEST(MenuIcons, DesignDataHoldsFortySevenRecordsWithEmptyKeys)
{
    const rt::PropertyBag bag = MenuIconsDesign();
    EXPECT_EQ(bag.Read<std::int32_t>(L"Size", 0), 53956);
    const rt::ByteArray records = bag.Read<rt::ByteArray>(L"Images", {});
    ASSERT_EQ(records.size(), 53956u);
    EXPECT_EQ(RecordOffsets(records, kProgramVersion).size(), 47u);
    EXPECT_EQ(bag.Read<std::int32_t>(L"Version", 0), 589824);
    EXPECT_EQ(bag.Read<std::int16_t>(L"KeyCount", 0), 47);
    EXPECT_EQ(bag.Read<std::wstring>(L"Keys", L""), std::wstring(46, L'\u00FF'));
    EXPECT_FALSE(bag.Contains(L"IconSizeX"));
    EXPECT_FALSE(bag.Contains(L"ColourDepth"));
}

TEST(MenuIcons, RestoredListWritesBackTheSameBytes)
{
    MenuForm form;
    form.Load();
    IconList& list = form.Image1;
    ASSERT_EQ(list.ImageCount(), 47);
    for (int i = 1; i <= 47; ++i)
        EXPECT_EQ(list.ItemKey(i), L"") << i;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list.hIml(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    const rt::PropertyBag design = MenuIconsDesign();
    const rt::PropertyBag written = list.SaveProperties();
    EXPECT_EQ(written.Read<rt::ByteArray>(L"Images", {}), design.Read<rt::ByteArray>(L"Images", {}));
    EXPECT_EQ(written, design);
    // Every image also draws as its record says: the transparent pixels show what is behind them.
    const rt::ByteArray records = design.Read<rt::ByteArray>(L"Images", {});
    const auto offsets = RecordOffsets(records, kProgramVersion);
    rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    rt::MemoryDcHandle screen(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    rt::BitmapHandle canvas(CreateCompatibleBitmap(screen.get(), 16, 16));
    rt::SelectScope use(dc.get(), canvas.get());
    for (int i = 0; i < 47; ++i) {
        SCOPED_TRACE(i);
        RECT all{0, 0, 16, 16};
        rt::BrushHandle back(CreateSolidBrush(RGB(1, 2, 3)));
        FillRect(dc.get(), &all, back.get());
        ASSERT_TRUE(ImageList_Draw(list.hIml(), i, dc.get(), 0, 0, ILD_TRANSPARENT));
        const auto pixels = DecodeRecord(records, offsets[static_cast<std::size_t>(i)], kProgramVersion);
        int wrong = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const std::size_t at = static_cast<std::size_t>(y * 16 + x);
                const std::uint32_t rgb = pixels->colour[at];
                const COLORREF want = pixels->transparent[at] ? RGB(1, 2, 3)
                                                              : RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
                wrong += GetPixel(dc.get(), x, y) != want;
            }
        EXPECT_EQ(wrong, 0);
    }
    form.Unload();
}
