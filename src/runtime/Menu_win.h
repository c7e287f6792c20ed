#pragma once
// A menu control. The form's menu controls make up its menu bar: a menu whose container is another menu is an
// item of that menu's popup; the items stand in the bar in the same depth-first order as the controls, and
// an invisible menu has no item at all. A popup's item carries the popup's handle as its identifier.
#include "runtime/Control_win.h"

#include <string>

namespace rt {

// A menu shortcut: a virtual-key code with Shift (1), Ctrl (2) and Alt (4).
struct Shortcut {
    int keyCode = 0;
    int shift = 0;
    friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

class Menu : public ControlBase {
public:
    Menu() = default;

    // "&" marks the mnemonic; "-" makes a separator. The item shows the caption, then a Tab and the
    // shortcut's text ("Ctrl+T") when there is a shortcut.
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    const std::optional<Shortcut>& ShortcutKey() const { return shortcut_; }
    void SetShortcut(std::optional<Shortcut> shortcut);

    // The popup of a menu that has items (nullptr otherwise, or while the form is not loaded).
    HMENU Popup() const { return popup_; }
    // The menu's command identifier (items without a popup).
    UINT CommandId() const;

    std::function<void()> Click;

    // "Ctrl+T", "Shift+F1"...
    static std::wstring ShortcutText(const Shortcut& shortcut);

protected:
    void ResetProperties() override;
    void OnFormDestroying() override;

private:
    friend class Form;
    std::wstring ItemText() const;
    HMENU OwnerMenu() const;  // the popup or bar this menu's item is in
    UINT Position() const;    // its position there
    bool HasItems() const;
    void InsertItem();
    bool InsertInto(HMENU owner, UINT position) const;
    void RefreshBar() const;
    void NotifyChanged();

    std::wstring caption_;
    bool checked_ = false;
    std::optional<Shortcut> shortcut_;
    HMENU popup_ = nullptr;  // owned by the bar (destroyed with the form's window)
};

}  // namespace rt
