#include "runtime/Menu_win.h"

#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"

namespace rt {

namespace {

// Command identifiers of menu items; kept clear of the child-window identifiers of controls.
constexpr UINT kFirstMenuCommand = 0x4000;

std::wstring KeyName(int keyCode)
{
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9'))
        return std::wstring(1, static_cast<wchar_t>(keyCode));
    if (keyCode >= VK_F1 && keyCode <= VK_F24)
        return L"F" + std::to_wstring(keyCode - VK_F1 + 1);
    switch (keyCode) {
    case VK_DELETE:
        return L"Del";
    case VK_INSERT:
        return L"Ins";
    case VK_BACK:
        return L"Bksp";
    default:
        break;
    }
    wchar_t name[64] = {};
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC);
    if (GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, 64) > 0)
        return name;
    return std::to_wstring(keyCode);
}

}  // namespace

std::wstring Menu::ShortcutText(const Shortcut& shortcut)
{
    std::wstring text;
    if (shortcut.shift & 2)
        text += L"Ctrl+";
    if (shortcut.shift & 1)
        text += L"Shift+";
    if (shortcut.shift & 4)
        text += L"Alt+";
    return text + KeyName(shortcut.keyCode);
}

void Menu::ResetProperties()
{
    ControlBase::ResetProperties();
    caption_.clear();
    checked_ = false;
    shortcut_.reset();
}

UINT Menu::CommandId() const
{
    return kFirstMenuCommand + static_cast<UINT>(DesignOrder());
}

std::wstring Menu::ItemText() const
{
    return shortcut_ ? caption_ + L"\t" + ShortcutText(*shortcut_) : caption_;
}

bool Menu::HasItems() const
{
    for (const ControlBase* control : Parent()->Controls())
        if (control->Container() == this)
            return true;
    return false;
}

HMENU Menu::OwnerMenu() const
{
    if (!Parent())
        return nullptr;
    if (auto* parentMenu = dynamic_cast<const Menu*>(Container()))
        return parentMenu->popup_;
    return Parent()->hWnd() ? GetMenu(Parent()->hWnd()) : nullptr;
}

UINT Menu::Position() const
{
    UINT position = 0;
    for (const ControlBase* control : Parent()->Controls()) {
        if (control == this)
            break;
        if (control->Container() == Container() && control->Visible() && dynamic_cast<const Menu*>(control))
            ++position;
    }
    return position;
}

bool Menu::InsertInto(HMENU owner, UINT position) const
{
    std::wstring text = ItemText();
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (caption_ == L"-") {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
        info.dwTypeData = text.data();
        info.fState = (checked_ ? MFS_CHECKED : 0u) | (Enabled() ? 0u : MFS_GRAYED);
        // A popup's item carries the popup's handle as its identifier, as AppendMenu gives it.
        info.wID = popup_ ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup_)) : CommandId();
        if (popup_) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = popup_;
        }
    }
    if (InsertMenuItemW(owner, position, TRUE, &info))
        return true;
    RT_LOG_LAST_ERROR("InsertMenuItemW");
    return false;
}

void Menu::InsertItem()
{
    HMENU owner = OwnerMenu();
    if (!owner && !Container() && Parent() && Parent()->hWnd()) {
        // The first visible item of a bar that had none; the window owns the bar once it is set.
        MenuHandle bar(CreateMenu());
        if (!bar || !SetMenu(Parent()->hWnd(), bar.get())) {
            RT_LOG_LAST_ERROR("SetMenu");
            return;
        }
        owner = bar.release();
    }
    if (owner)
        InsertInto(owner, Position());
}

HMENU Form::BuildMenuBar()
{
    bool anyVisible = false;
    for (ControlBase* control : controls_) {
        auto* menu = dynamic_cast<Menu*>(control);
        if (!menu)
            continue;
        menu->popup_ = menu->HasItems() ? CreatePopupMenu() : nullptr;
        if (!menu->Container() && menu->Visible())
            anyVisible = true;
    }
    HMENU bar = anyVisible ? CreateMenu() : nullptr;
    if (anyVisible && !bar)
        RT_LOG_LAST_ERROR("CreateMenu");
    // Items in design order: each lands after the visible items before it, so the bar follows the controls
    // depth first.
    for (ControlBase* control : controls_) {
        auto* menu = dynamic_cast<Menu*>(control);
        if (!menu || !menu->Visible())
            continue;
        HMENU owner = menu->Container() ? static_cast<Menu*>(menu->Container())->popup_ : bar;
        if (!owner)
            continue;
        menu->InsertInto(owner, static_cast<UINT>(GetMenuItemCount(owner)));
    }
    return bar;
}

void Form::MenuCommand(UINT id)
{
    for (ControlBase* control : controls_)
        if (auto* menu = dynamic_cast<Menu*>(control); menu && !menu->popup_ && menu->CommandId() == id)
            menu->Raise(menu->Click);
}

void Menu::OnFormDestroying()
{
    // A popup whose item is not in the bar is not destroyed with the window.
    if (popup_ && !Visible() && !DestroyMenu(popup_))
        RT_LOG_LAST_ERROR("DestroyMenu");
    popup_ = nullptr;
}

void Menu::RefreshBar() const
{
    if (Parent()->hWnd())
        DrawMenuBar(Parent()->hWnd());
}

void Menu::NotifyChanged()
{
    if (Parent() && Parent()->hWnd() && Parent()->menuObserver_) {
        auto observer = Parent()->menuObserver_;  // the observer may replace itself
        observer(*this);
    }
}

void Menu::SetCaption(std::wstring caption)
{
    const bool wasSeparator = caption_ == L"-";
    caption_ = std::move(caption);
    HMENU owner = OwnerMenu();
    if (!owner || !Visible())
        return;
    if (wasSeparator != (caption_ == L"-")) {
        // The item changes kind: put a new one in its place.
        RemoveMenu(owner, Position(), MF_BYPOSITION);
        InsertItem();
    } else if (caption_ != L"-") {
        std::wstring text = ItemText();
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = text.data();
        if (!SetMenuItemInfoW(owner, Position(), TRUE, &info))
            RT_LOG_LAST_ERROR("SetMenuItemInfoW");
    }
    RefreshBar();
    NotifyChanged();
}

void Menu::SetShortcut(std::optional<Shortcut> shortcut)
{
    shortcut_ = shortcut;
    SetCaption(caption_);
}

void Menu::SetChecked(bool checked)
{
    checked_ = checked;
    if (HMENU owner = OwnerMenu(); owner && Visible()) {
        CheckMenuItem(owner, Position(), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
        NotifyChanged();
    }
}

void Menu::SetEnabled(bool enabled)
{
    ControlBase::SetEnabled(enabled);
    if (HMENU owner = OwnerMenu(); owner && Visible()) {
        EnableMenuItem(owner, Position(), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        RefreshBar();
        NotifyChanged();
    }
}

void Menu::SetVisible(bool visible)
{
    if (visible == Visible())
        return;
    HMENU owner = OwnerMenu();
    if (!visible && owner) {
        if (!RemoveMenu(owner, Position(), MF_BYPOSITION))
            RT_LOG_LAST_ERROR("RemoveMenu");
        if (!Container() && GetMenuItemCount(owner) == 0) {
            // A bar without items would still take its line: drop it.
            SetMenu(Parent()->hWnd(), nullptr);
            DestroyMenu(owner);
        }
    }
    ControlBase::SetVisible(visible);
    if (visible && Parent() && Parent()->hWnd())
        InsertItem();
    RefreshBar();
    NotifyChanged();
}

}  // namespace rt
