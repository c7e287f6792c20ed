#include "controls/MenuLayout.h"

namespace controls {

namespace {

constexpr int kBarIconWidth = 18;
constexpr int kBarEmptyWidth = 4;
constexpr int kPopupBaseWidth = 32;
constexpr int kSeparatorWidth = 32;
constexpr int kFlatSeparatorHeight = 3;
constexpr int kClassicSeparatorHeight = 8;

}  // namespace

void MeasureMenuItem(MenuItems& items, int index, bool topLevel, const MenuMetrics& metrics,
                     MenuTextMeasurer& measurer, MenuItemSize& size)
{
    if (!items.Has(index))
        return;
    const MenuItemRecord& item = items[index];
    size.height = topLevel ? metrics.menuBarHeight : metrics.rowHeight + (metrics.flat ? 2 : 0);
    const bool bold = item.bDefault;
    if (topLevel) {
        const std::wstring trimmed = TrimmedCaption(item.sCaption);
        if (trimmed == L"-" || trimmed.empty()) {
            size.width = kBarEmptyWidth;
            return;
        }
        size.width = (item.lIconIndex > -1 ? kBarIconWidth : 0) + measurer.Extent(item.sCaption, bold) + 2;
        return;
    }
    if (item.sCaption == L"-") {
        size.height = metrics.flat ? kFlatSeparatorHeight : kClassicSeparatorHeight;
        size.width = kSeparatorWidth;
        return;
    }
    int width = item.sCaption.empty() ? metrics.iconSize - 6 : kPopupBaseWidth;
    // The longest caption and shortcut of the menu by characters; the first of equal length wins.
    const MenuId menu = item.hMenu;
    const std::wstring* longestCaption = &item.sCaption;
    const std::wstring* longestShortcut = nullptr;
    bool first = true;
    for (int n = 1; n <= items.Count(); ++n) {
        const MenuItemRecord& other = items[n];
        if (other.hMenu != menu)
            continue;
        if (first || other.sCaption.size() > longestCaption->size())
            longestCaption = &other.sCaption;
        if (first || other.sShortcut.size() > longestShortcut->size())
            longestShortcut = &other.sShortcut;
        first = false;
    }
    width += measurer.Extent(*longestCaption, bold);
    if (longestShortcut && !longestShortcut->empty()) {
        width += 1;
        for (int n = 1; n <= items.Count(); ++n)
            if (items[n].hMenu == menu)
                items[n].lWidth = width + 4;
        if (!metrics.win98)
            width += measurer.Extent(*longestShortcut, bold);
    }
    width += metrics.win98 ? 10 : 16;
    size.width = width;
}

}  // namespace controls
