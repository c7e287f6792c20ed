#pragma once
// What the menu control makes of its host's menu messages, apart from the window system: the item an access
// key runs, the item that opens a popup, what a highlight names, the swap of record sets between MDI frame
// menus, and whether the menus stay the system's own.
#include "controls/MenuItems.h"
#include "controls/cStoreMenu.h"

#include <cstdint>
#include <string>
#include <vector>

namespace controls {

// The window-menu commands a WM_COMMAND may carry (size, move, minimize, maximize, close, restore): the menu
// control raises nothing for them.
bool IsWindowMenuCommand(unsigned id);

// One position of a menu as the platform reports it: the identifier and the popup it opens (0 for none).
struct MenuPosition {
    std::uint32_t id = 0;
    MenuId popup = 0;
};

// The answer to an access key typed in `menu`: the first record of that menu whose access key is `upper`
// (the character in upper case) and whose identifier stands at a position of the menu gives 0x20000 | that
// position (the system runs the item); 0 when none does (the system ignores the key).
std::intptr_t MenuCharAnswer(const MenuItems& items, MenuId menu, const std::wstring& upper,
                             const std::vector<MenuPosition>& positions);

// The record of the item that opens `popup`: walking from the last record down, past the first one inside
// the popup, the first whose identifier is that popup's; 0 when none.
int PopupOpener(const MenuItems& items, MenuId popup);

// What a WM_MENUSELECT names.
struct MenuSelection {
    enum class Kind { Exit, Item, WindowMenuItem } kind = Kind::Exit;
    int record = 0;       // Item: the record highlighted
    std::uint32_t id = 0;  // WindowMenuItem: the command highlighted
};
// `item` and `flags` are the low and high words of wParam, `menu` the menu (0 when the menu closes) and
// `positions` its items. An item that opens a popup is reported by its position (flag 0x10), so it names the
// record of that popup's opener; any other item by its identifier, which must stand in the menu. Anything
// else, the menu closing above all, is an exit.
MenuSelection SelectionOf(const MenuItems& items, unsigned item, unsigned flags, MenuId menu,
                          const std::vector<MenuPosition>& positions);

// The record sets of the frame menus an MDI client has shown: each new frame menu stores the current set and
// brings back its own, or starts empty. Sets are never removed.
class MdiMenuStore {
public:
    enum class Change { None, Restored, NewMenu };

    MenuId CurrentMenu() const { return current_; }
    void SetCurrentMenu(MenuId menu) { current_ = menu; }
    int StoredSets() const { return static_cast<int>(sets_.size()); }

    // The frame menu becomes `menu`; `items` are the control's records, swapped. NewMenu: no set was stored
    // for it, so the records are empty now.
    Change SetMenu(MenuId menu, MenuItems& items);

private:
    std::vector<cStoreMenu> sets_;
    MenuId current_ = 0;
};

// The menus stay the system's own in an extra calculator (instance "2"), with the option "MenuXP" off, or
// when the program was started with the word "mini".
bool KeepMenusPlain(const std::wstring& instance, bool menuXp, const std::wstring& startWord);

}  // namespace controls
