#pragma once
// How large the menu control's items are: menu-bar items by their own caption, popup items by the longest
// caption and shortcut of their menu, so that every item of one popup measures nearly the same.
#include "controls/MenuItems.h"

#include <string>

namespace controls {

// Text widths in the menu font as they will be drawn ("&" marks an access key and takes no room).
class MenuTextMeasurer {
public:
    virtual ~MenuTextMeasurer() = default;
    virtual int Extent(const std::wstring& text, bool bold) = 0;
};

struct MenuMetrics {
    int rowHeight = 22;     // a popup row, before the flat look's extra 2
    int iconSize = 16;
    int menuBarHeight = 19;  // the system's menu-bar height
    bool flat = true;        // the Office XP look
    bool win98 = false;      // the Windows 98/ME platform class: no room for shortcuts, 10 at the end
};

struct MenuItemSize {
    int width = 0;
    int height = 0;
};

// Measures record `index`, which sits on the menu bar when `topLevel`; writes lWidth into every record of a
// popup that has a shortcut text. A number without a record leaves `size` as it came.
void MeasureMenuItem(MenuItems& items, int index, bool topLevel, const MenuMetrics& metrics,
                     MenuTextMeasurer& measurer, MenuItemSize& size);

}  // namespace controls
