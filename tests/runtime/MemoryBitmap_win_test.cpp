#include "runtime/Handles_win.h"
#include "runtime/MemoryBitmap_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

HGDIOBJ CurrentFont(HDC dc)
{
    return GetCurrentObject(dc, OBJ_FONT);
}

}  // namespace

TEST(SelectScope, PutsTheContextsFirstObjectBackOnceWhereverItMoves)
{
    const rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ original = CurrentFont(dc.get());
    const HGDIOBJ fixed = GetStockObject(ANSI_FIXED_FONT);
    const HGDIOBJ variable = GetStockObject(ANSI_VAR_FONT);
    ASSERT_NE(original, fixed);
    ASSERT_NE(original, variable);

    std::optional<rt::SelectScope> first;
    first.emplace(dc.get(), fixed);
    EXPECT_TRUE(first->Select(dc.get(), variable));  // a second font in the same place
    EXPECT_FALSE(first->Select(dc.get(), nullptr));
    EXPECT_EQ(CurrentFont(dc.get()), variable);

    rt::SelectScope kept(std::move(*first));
    first.reset();  // the moved-from owner puts nothing back
    EXPECT_EQ(CurrentFont(dc.get()), variable);
    kept.Restore();
    EXPECT_EQ(CurrentFont(dc.get()), original);  // not the font the second selection replaced
    EXPECT_FALSE(kept);
}

TEST(MemoryBitmap, DeletesTheBitmapsItOwnsAndLeavesTheOnesItShows)
{
    rt::MemoryBitmap image(nullptr, 4, 3);
    ASSERT_TRUE(image);
    const HBITMAP made = image.bitmap();
    ASSERT_EQ(GetCurrentObject(image.dc(), OBJ_BITMAP), made);
    SetPixelV(image.dc(), 3, 2, RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(image.dc(), 3, 2), RGB(10, 20, 30));  // a colour bitmap, not the context's monochrome one

    rt::BitmapHandle borrowed = rt::CompatibleBitmap(nullptr, 2, 2);
    ASSERT_TRUE(image.Show(borrowed.get()));
    EXPECT_EQ(GetObjectType(made), 0u);  // replaced: deleted at once

    rt::MemoryBitmap moved(std::move(image));
    EXPECT_EQ(image.dc(), nullptr);
    EXPECT_EQ(image.bitmap(), nullptr);
    EXPECT_EQ(moved.bitmap(), borrowed.get());
    ASSERT_TRUE(moved.Adopt(rt::CompatibleBitmap(nullptr, 1, 1)));
    moved.reset();
    // The shown bitmap is still its caller's, and free to go into another context.
    EXPECT_EQ(GetObjectType(borrowed.get()), static_cast<DWORD>(OBJ_BITMAP));
    const rt::MemoryDcHandle other(CreateCompatibleDC(nullptr));
    const rt::SelectScope select(other.get(), borrowed.get());
    EXPECT_TRUE(select);
}
