#pragma once
// The menu control's record of one menu item, and the reading of a menu text into it: column-break markers,
// caption, access key and shortcut.
#include <cstdint>
#include <string>
#include <string_view>

namespace controls {

// Menu handles are kept as numbers so that the records stay portable; they are pointer-sized.
using MenuId = std::uintptr_t;

struct MenuItemRecord {
    std::wstring sHelptext;     // set through ReplaceItem; nothing reads it
    std::wstring sCaption;      // the text before the Tab, markers taken out; "-" for a separator
    std::wstring sAccelerator;  // access-key character of sCaption in upper case, "" when none
    std::wstring sShortcut;     // the text after the Tab, "" without one
    std::wstring sKey;          // the host's menu control name, "mnuImprimir(0)" for an array element
    std::wstring sTag;
    int iShiftMask = 0;  // 2 Ctrl, or-ed with 1 Shift
    int iKeyCode = 0;    // 0 when the shortcut names no key
    std::uint32_t lId = 0;  // command identifier; a popup-opening item's is its popup handle cut to 32 bits
    std::intptr_t lItemData = 0;
    MenuId hParentMenu = 0;  // the popup holding the item; 0 on the menu bar
    int lIconIndex = -1;
    bool bChecked = false;
    bool bEnabled = false;
    bool bRadio = false;
    MenuId hMenu = 0;  // the menu holding the item
    bool bOwnerDraw = false;
    int lWidth = 0;  // base of the menu's shortcut column, written by the measuring
    bool bMenuBarBreak = false;
    bool bMenuBreak = false;
    bool bDefault = false;

    friend bool operator==(const MenuItemRecord&, const MenuItemRecord&) = default;
};

// The identifier the platform gives the item that opens `popup`.
inline std::uint32_t IdOfPopup(MenuId popup)
{
    return static_cast<std::uint32_t>(popup);
}

// Menu item type and state bits as the platform defines them.
inline constexpr unsigned kTypeMenuBarBreak = 0x20;
inline constexpr unsigned kTypeMenuBreak = 0x40;
inline constexpr unsigned kTypeOwnerDraw = 0x100;
inline constexpr unsigned kTypeSeparator = 0x800;
inline constexpr unsigned kStateGrayed = 3;
inline constexpr unsigned kStateChecked = 8;

// The type a converted item is written back with: always owner-drawn, a separator when the trimmed caption is
// "-", and the record's column breaks.
unsigned OwnerDrawType(const MenuItemRecord& record);
// The caption with blanks trimmed at both ends.
std::wstring TrimmedCaption(const std::wstring& caption);

// Takes the first `marker` out of `text` and answers true; a text without it, or holding it twice in a row
// anywhere, is left as it is and answers false.
bool TakeMarker(std::wstring& text, wchar_t marker);

// The character after the first "&" in upper case ("&&" gives "&"); "" when there is none or "&" is last.
std::wstring AcceleratorChar(std::wstring_view caption);

// Fills sShortcut, iShiftMask and iKeyCode from a shortcut text: "Ctrl" gives 2, "Shift" adds 1; a modified
// shortcut's key is its single character after the last "+"; an unmodified one may be "F1" to "F24".
void ParseShortcut(MenuItemRecord& record, std::wstring_view text);

// Reads a menu text into the record: a separator only gets "-"; otherwise the bar marker "|" and the caret
// marker "^" set the column breaks, the text before the first Tab is the caption and the rest the shortcut.
void SetItemCaption(MenuItemRecord& record, std::wstring text, bool separator);

}  // namespace controls
