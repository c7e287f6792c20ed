#include "controls/MenuLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace controls;

namespace {

// 7 pixels a character, "W" 12; "&" takes no room; bold adds 1 a character.
class FixedMeasurer : public MenuTextMeasurer {
public:
    int Extent(const std::wstring& text, bool bold) override
    {
        int width = 0;
        for (wchar_t c : text) {
            if (c == L'&')
                continue;
            width += (c == L'W' ? 12 : 7) + (bold ? 1 : 0);
        }
        return width;
    }
};

struct Item {
    const wchar_t* caption;
    const wchar_t* shortcut;
    MenuId menu;
    int icon = -1;
    bool isDefault = false;
};

MenuItems Build(const std::vector<Item>& list)
{
    MenuItems items;
    for (const Item& i : list) {
        MenuItemRecord r;
        r.sCaption = i.caption;
        r.sShortcut = i.shortcut;
        r.hMenu = i.menu;
        r.lIconIndex = i.icon;
        r.bDefault = i.isDefault;
        items.Append(r);
    }
    return items;
}

TEST(MenuLayout, PopupItemsMeasureByTheLongestCaptionAndShortcutOfTheirMenu)
{
    // Menu 10: "&Open" (4 drawn characters), "Save As" (7), shortcut "Ctrl+O" (6). Menu 20 has no shortcut.
    const std::vector<Item> list = {
        {L"&Open", L"Ctrl+O", 10}, {L"Save As", L"", 10}, {L"Wide WWW", L"", 20}, {L"", L"", 10},
        {L"Bold", L"", 20, -1, true}, {L"WWW", L"", 30}, {L"iii", L"F5", 30}, {L"-", L"", 10},
    };
    struct Case {
        int index;
        bool flat;
        bool win98;
        int width;
        int height;
        int lWidthOfMenu;  // lWidth every record of the item's menu gets; -1 none written
    };
    const Case cases[] = {
        // 32 + 49 (Save As) + 1 + 42 (Ctrl+O) + 16; lWidth = 32 + 49 + 1 + 4.
        {1, true, false, 140, 24, 86},
        {2, false, false, 140, 22, 86},
        {1, true, true, 92, 24, 86},  // no room for the shortcut, 10 at the end
        // An empty caption starts at icon size - 6 = 10 instead of 32.
        {4, true, false, 118, 24, 64},
        // No shortcut in the menu: nothing written, 32 + 76 + 16.
        {3, true, false, 124, 24, -1},
        // The default item is measured bold (the longest caption, "Wide WWW", 8 characters + 8).
        {5, true, false, 132, 24, -1},
        // Equal character counts: the first of the menu wins ("WWW" 36, not "iii" 21); shortcut "F5" 14.
        {7, true, false, 32 + 36 + 1 + 14 + 16, 24, 32 + 36 + 1 + 4},
        {8, true, false, 32, 3, -1},
        {8, false, false, 32, 8, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "item " << c.index << (c.flat ? " flat" : " classic")
                                        << (c.win98 ? " 98" : ""));
        MenuItems items = Build(list);
        FixedMeasurer measurer;
        MenuItemSize size{-5, -5};
        MeasureMenuItem(items, c.index, false, {.rowHeight = 22, .iconSize = 16, .flat = c.flat, .win98 = c.win98},
                        measurer, size);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        for (int n = 1; n <= items.Count(); ++n) {
            const bool sameMenu = items[n].hMenu == items[c.index].hMenu;
            EXPECT_EQ(items[n].lWidth, sameMenu && c.lWidthOfMenu >= 0 ? c.lWidthOfMenu : 0) << "record " << n;
        }
    }
}

TEST(MenuLayout, MenuBarItemsMeasureTheirOwnCaption)
{
    const std::vector<Item> list = {
        {L"&File", L"", 0}, {L"-", L"", 0}, {L"  ", L"", 0}, {L" - ", L"", 0}, {L"&Edit", L"", 0, 3},
        {L"&Tools", L"", 0, -1, true}, {L"Options", L"Ctrl+O", 0},
    };
    const int widths[] = {30, 4, 4, 4, 18 + 28 + 2, 8 * 5 + 2, 49 + 2};
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        MenuItems items = Build(list);
        FixedMeasurer measurer;
        MenuItemSize size;
        MeasureMenuItem(items, n, true, {.rowHeight = 22, .menuBarHeight = 19}, measurer, size);
        EXPECT_EQ(size.width, widths[n - 1]);
        EXPECT_EQ(size.height, 19);
        EXPECT_EQ(items[n].lWidth, 0);
    }
}

TEST(MenuLayout, UnknownRecordLeavesTheSizeAsItCame)
{
    MenuItems items = Build({{L"One", L"", 10}});
    FixedMeasurer measurer;
    for (int index : {0, 2, -1}) {
        MenuItemSize size{77, 88};
        MeasureMenuItem(items, index, false, {}, measurer, size);
        EXPECT_EQ(size.width, 77);
        EXPECT_EQ(size.height, 88);
    }
}

}  // namespace
