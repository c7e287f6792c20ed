// The menu control's side of its host's menu messages: which it hooks, in what order it and the host see
// them, and the events it raises.
#include "controls/MSubclass_win.h"
#include "controls/PopMenu_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Strings.h"

namespace controls {

namespace {

constexpr UINT kMdiSetMenu = WM_MDISETMENU;

MenuId Id(HMENU menu)
{
    return reinterpret_cast<MenuId>(menu);
}

// Identifier and popup of every position of `menu`; a popup-opening item's identifier is its popup's handle.
std::vector<MenuPosition> PositionsOf(HMENU menu)
{
    std::vector<MenuPosition> positions;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int p = 0; p < count; ++p) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info))
            info.wID = 0;  // unreadable: a position no record matches by accident is all it needs to be
        positions.push_back({info.wID, Id(info.hSubMenu)});
    }
    return positions;
}

}  // namespace

void PopMenu::AttachMessages(HWND hWnd)
{
    for (UINT message : {WM_MENUSELECT, WM_MEASUREITEM, WM_DRAWITEM, WM_COMMAND, WM_MENUCHAR, WM_SYSCOMMAND,
                         WM_INITMENUPOPUP, WM_SETTINGCHANGE})
        SubclassAttach(*this, hWnd, message);
    hooked_ = true;
}

int PopMenu::MsgResponse()
{
    switch (CurrentSubclassMessage()) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return kHandlersOnly;
    case kMdiSetMenu:
        // The client's own answer (the frame menu it replaced) is what its caller gets back.
        return kPreviousAfter;
    default:
        return kPreviousBefore;
    }
}

SubclassResult PopMenu::WindowProc(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam, SubclassLParam lParam)
{
    switch (iMsg) {
    case WM_SETTINGCHANGE:
        HandleSettingChange();
        return 0;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const int n = IndexForId(draw.itemID); draw.CtlType == ODT_MENU && n >= 1) {
            DrawItem(draw, n);
            return 0;
        }
        return CallOriginalWindowProc(hWnd, iMsg, wParam, lParam);
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU || IndexForId(measure->itemID) < 1)
            return CallOriginalWindowProc(hWnd, iMsg, wParam, lParam);
        MeasureItem(measure->itemID, measure->itemWidth, measure->itemHeight);
        return 1;
    }
    case WM_COMMAND:
        if (lParam == 0)
            HandleCommand(LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND: {
        long command = static_cast<long>(wParam);
        Raise(SystemMenuClick, command);
        return 0;
    }
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) == 0)
            HandleInitPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_MENUSELECT:
        HandleMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_MENUCHAR:
        if (HIWORD(wParam) & MF_SYSMENU)
            return CallOriginalWindowProc(hWnd, iMsg, wParam, lParam);
        return HandleMenuChar(reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)));
    case kMdiSetMenu:
        HandleMdiSetMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    default:
        return 0;
    }
}

void PopMenu::HandleCommand(unsigned id)
{
    if (IsWindowMenuCommand(id))
        return;
    if (int n = IndexForId(id); n >= 1)
        Raise(Click, n);
}

void PopMenu::HandleMenuSelect(unsigned item, unsigned flags, HMENU menu)
{
    const MenuSelection selection = SelectionOf(items_, item, flags, Id(menu), PositionsOf(menu));
    switch (selection.kind) {
    case MenuSelection::Kind::Exit:
        Raise(MenuExit);
        // The menu has closed (its popups are hidden by now): a setting change it held back is taken.
        if (rebuildPending_ && menu == nullptr)
            RebuildItems();
        return;
    case MenuSelection::Kind::Item: {
        int n = selection.record;
        bool enabled = items_[n].bEnabled;
        bool separator = items_[n].sCaption == L"-";
        Raise(ItemHighlight, n, enabled, separator);
        return;
    }
    case MenuSelection::Kind::WindowMenuItem: {
        long command = static_cast<long>(selection.id);
        bool enabled = false;
        bool separator = false;
        if (HMENU windowMenu = GetSystemMenu(HostWindow(), FALSE)) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE;
            if (GetMenuItemInfoW(windowMenu, selection.id, FALSE, &info))
                enabled = (info.fState & kStateGrayed) != kStateGrayed;
        }
        Raise(SystemMenuItemHighlight, command, enabled, separator);
        return;
    }
    }
}

void PopMenu::HandleInitPopup(HMENU popup)
{
    EnsureImageList();
    if (int n = PopupOpener(items_, Id(popup)); n >= 1)
        Raise(InitPopupMenu, n);
}

LRESULT PopMenu::HandleMenuChar(HMENU menu, wchar_t character)
{
    return MenuCharAnswer(items_, Id(menu), rt::UpperCase(std::wstring(1, character)), PositionsOf(menu));
}

void PopMenu::HandleSettingChange()
{
    // RefreshMetrics drops the cached system fonts, once the measuring context has let go of the menu font.
    RefreshMetrics();
    // Items taken out and put back under an open menu of the host strand its popup on the screen and leave the
    // menu's highlight behind: they are put back once the menu has closed.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    rebuildPending_ = GetGUIThreadInfo(GetCurrentThreadId(), &thread) && (thread.flags & GUI_INMENUMODE) &&
                      thread.hwndMenuOwner == HostWindow();
    if (!rebuildPending_)
        RebuildItems();
}

void PopMenu::RebuildItems()
{
    rebuildPending_ = false;
    for (int n = 1; n <= items_.Count(); ++n)
        ReplaceItem(n);
    Raise(WinIniChange);
}

void PopMenu::HandleMdiSetMenu(HMENU menu)
{
    if (mdiStore_.SetMenu(Id(menu), items_) == MdiMenuStore::Change::NewMenu)
        Raise(NewMDIMenu);
}

}  // namespace controls
