// The form's keyboard: key preview, tab order, access keys and menu shortcuts.
#include "runtime/App_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/FormRuntime_win.h"
#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"

#include <algorithm>
#include <bitset>
#include <cwctype>
#include <optional>

namespace rt {

namespace {

constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// The windowed controls of `controls` in tab order: ascending TabIndex, ties in design order.
std::vector<Control*> InTabIndexOrder(const std::vector<ControlBase*>& controls)
{
    std::vector<Control*> result;
    for (ControlBase* base : controls)
        if (auto* control = dynamic_cast<Control*>(base))
            result.push_back(control);
    std::stable_sort(result.begin(), result.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    return result;
}

std::bitset<256>& KeysPressedElsewhere()
{
    static std::bitset<256> keys;
    return keys;
}

constexpr LPARAM kWasDown = 1 << 30;  // a key message's "previous key state": an auto-repeated press

}  // namespace

void FormRuntime::IgnoreReleasesOfKeysPressedSince(const BYTE (&before)[256])
{
    ForgetModifiers();
    BYTE now[256] = {};
    if (!GetKeyboardState(now))
        return;
    for (int key = VK_BACK; key < 256; ++key)  // the mouse buttons below have no key messages
        if ((now[key] & 0x80) && !(before[key] & 0x80))
            KeysPressedElsewhere().set(static_cast<size_t>(key));
}

bool FormRuntime::IsReleaseOfKeyPressedElsewhere(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam >= 256)
        return false;
    const auto key = static_cast<size_t>(wParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!(lParam & kWasDown))
            KeysPressedElsewhere().reset(key);
        return false;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!KeysPressedElsewhere().test(key))
            return false;
        KeysPressedElsewhere().reset(key);
        return true;
    default:
        return false;
    }
}

bool Form::RouteKeyMessage(Control* target, UINT message, WPARAM& wParam, LPARAM lParam)
{
    if (FormRuntime::IsReleaseOfKeyPressedElsewhere(message, wParam, lParam))
        return true;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        int keyCode = static_cast<int>(wParam);
        const int shift = FormRuntime::ModifiersFor(message, wParam);
        RunHandler([&] { Form_KeyDown(keyCode, shift); });
        if (keyCode == 0)
            return true;
        if (keyCode == VK_TAB && (shift & (kCtrlMask | kAltMask)) == 0) {
            MoveFocus(target, (shift & kShiftMask) != 0);
            return true;
        }
        if (target && target->Parent() == this && CanRaise()) {
            target->OnKeyDown(keyCode, shift);
            if (keyCode == 0)
                return true;
        }
        wParam = static_cast<WPARAM>(keyCode);
        return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        int keyCode = static_cast<int>(wParam);
        const int shift = FormRuntime::ModifiersFor(message, wParam);
        RunHandler([&] { Form_KeyUp(keyCode, shift); });
        if (keyCode == 0)
            return true;
        if (target && CanRaise()) {
            target->OnKeyUp(keyCode, shift);
            if (keyCode == 0)
                return true;
        }
        wParam = static_cast<WPARAM>(keyCode);
        return false;
    }
    case WM_CHAR: {
        // The Tab key did its work as a key; its character would only make the edit controls beep.
        if (wParam == L'\t')
            return true;
        int keyAscii = static_cast<int>(wParam);
        RunHandler([&] { Form_KeyPress(keyAscii); });
        if (keyAscii == 0)
            return true;
        if (target && CanRaise()) {
            target->OnKeyPress(keyAscii);
            if (keyAscii == 0)
                return true;
        }
        wParam = static_cast<WPARAM>(keyAscii);
        return false;
    }
    case WM_SYSCHAR:
        return (lParam & (1 << 29)) != 0 && HandleAccessKey(static_cast<wchar_t>(wParam));
    default:
        return false;
    }
}

bool Form::TranslateShortcut(int keyCode)
{
    // The modifiers are read only for a key that some menu has: a reading is a trip to the window server under
    // Wine, and the key's own handling reads them again.
    std::optional<int> shift;
    for (Menu* menu : menus_) {
        if (!menu->ShortcutKey() || menu->ShortcutKey()->keyCode != keyCode)
            continue;
        if (!shift)
            shift = ShiftState();
        if (menu->ShortcutKey()->shift != *shift)
            continue;
        for (const ControlBase* item = menu; item; item = item->Container())
            if (!item->Visible() || !item->Enabled())
                return false;
        menu->Raise(menu->Click);
        return true;
    }
    return false;
}

bool Form::HandleAccessKey(wchar_t character)
{
    const wchar_t key = static_cast<wchar_t>(std::towlower(character));
    std::vector<Control*> candidates;
    for (Control* control : InTabIndexOrder(controls_))
        if (control->IsUsable() && control->AccessKeys().find(key) != std::wstring::npos)
            candidates.push_back(control);
    if (candidates.empty())
        return false;
    // Repeated presses of a key that several controls share go round them, after the focused one.
    Control* chosen = candidates.front();
    if (Control* focused = ActiveControl()) {
        auto at = std::find(candidates.begin(), candidates.end(), focused);
        if (at != candidates.end() && std::next(at) != candidates.end())
            chosen = *std::next(at);
    }
    chosen->OnAccessKey();
    return true;
}

std::vector<Control*> Form::TabOrder() const
{
    std::vector<Control*> stops;
    std::vector<const ControlBase*> groupsSeen;
    for (Control* control : InTabIndexOrder(controls_)) {
        if (!control->ControlTraits().canFocus || !control->TabStop() || !control->IsUsable())
            continue;
        auto* option = dynamic_cast<OptionButton*>(control);
        if (!option) {
            stops.push_back(control);
            continue;
        }
        // An option group is one stop: its selected option, or else its first.
        if (std::find(groupsSeen.begin(), groupsSeen.end(), option->Container()) != groupsSeen.end())
            continue;
        groupsSeen.push_back(option->Container());
        Control* stop = option;
        for (OptionButton* member : option->Group())
            if (member->Value() && member->TabStop() && member->IsUsable())
                stop = member;
        stops.push_back(stop);
    }
    return stops;
}

void Form::MoveFocus(Control* from, bool backward)
{
    const std::vector<Control*> stops = TabOrder();
    if (stops.empty())
        return;
    const auto n = static_cast<int>(stops.size());
    int at = -1;
    for (int i = 0; i < n && from; ++i) {
        const auto* option = dynamic_cast<const OptionButton*>(from);
        if (stops[i] == from ||
            (option && dynamic_cast<const OptionButton*>(stops[i]) && stops[i]->Container() == from->Container()))
            at = i;
    }
    Control* next = nullptr;
    if (at >= 0) {
        next = stops[(at + (backward ? n - 1 : 1)) % n];
    } else if (from) {
        // Not a stop itself (a label, a disabled box): the stops around its place in tab order.
        const auto place = [](const Control* c) { return std::pair{c->TabIndex(), c->DesignOrder()}; };
        next = backward ? stops.back() : stops.front();
        if (backward) {
            for (Control* stop : stops)
                if (place(stop) < place(from))
                    next = stop;
        } else {
            for (auto it = stops.rbegin(); it != stops.rend(); ++it)
                if (place(*it) > place(from))
                    next = *it;
        }
    } else {
        next = backward ? stops.back() : stops.front();
    }
    if (next && next->hWnd())
        ::SetFocus(next->hWnd());
}

Control* Form::NextFocusableAfter(const Control* control) const
{
    const std::vector<Control*> order = InTabIndexOrder(controls_);
    auto at = std::find(order.begin(), order.end(), control);
    if (at == order.end())
        return nullptr;
    for (auto it = std::next(at); it != order.end(); ++it)
        if ((*it)->ControlTraits().canFocus && (*it)->IsUsable())
            return *it;
    return nullptr;
}

}  // namespace rt
