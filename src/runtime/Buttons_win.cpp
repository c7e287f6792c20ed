#include "runtime/Buttons_win.h"

#include "runtime/Form_win.h"

#include <algorithm>

namespace rt {

// CheckBox

CheckBox::CheckBox() : Control(Traits{.canFocus = true}) {}

void CheckBox::ResetProperties()
{
    Control::ResetProperties();
    caption_.clear();
    value_ = 0;
}

Control::WindowDescription CheckBox::DescribeWindow() const
{
    // BS_CHECKBOX, not the automatic kind: Value changes only here, so code and clicks raise Click alike.
    return WindowDescription{.className = L"BUTTON", .style = BS_CHECKBOX, .text = caption_};
}

void CheckBox::OnWindowCreated()
{
    Control::OnWindowCreated();
    SendMessageW(hWnd(), BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SetCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    SetAccessKeys(AccessKeyOf(caption_));
    if (hWnd())
        SetWindowTextW(hWnd(), caption_.c_str());
}

void CheckBox::SetValue(int value)
{
    value = value ? 1 : 0;
    if (value == value_)
        return;
    value_ = value;
    if (hWnd())
        SendMessageW(hWnd(), BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
    Raise(Click);
}

bool CheckBox::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            SetValue(value_ ? 0 : 1);
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = ColorDc(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return false;
    }
}

void CheckBox::OnAccessKey()
{
    SetFocus();
    SetValue(value_ ? 0 : 1);
}

// OptionButton

OptionButton::OptionButton() : Control(Traits{.canFocus = true}) {}

void OptionButton::ResetProperties()
{
    Control::ResetProperties();
    caption_.clear();
    value_ = false;
}

Control::WindowDescription OptionButton::DescribeWindow() const
{
    return WindowDescription{.className = L"BUTTON", .style = BS_RADIOBUTTON, .text = caption_};
}

void OptionButton::OnWindowCreated()
{
    Control::OnWindowCreated();
    ShowValue();
}

void OptionButton::SetCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    SetAccessKeys(AccessKeyOf(caption_));
    if (hWnd())
        SetWindowTextW(hWnd(), caption_.c_str());
}

void OptionButton::ShowValue()
{
    if (hWnd())
        SendMessageW(hWnd(), BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::vector<OptionButton*> OptionButton::Group() const
{
    std::vector<OptionButton*> group;
    if (!Parent())
        return group;
    for (ControlBase* control : Parent()->Controls())
        if (auto* option = dynamic_cast<OptionButton*>(control); option && option->Container() == Container())
            group.push_back(option);
    std::stable_sort(group.begin(), group.end(),
                     [](const OptionButton* a, const OptionButton* b) { return a->TabIndex() < b->TabIndex(); });
    return group;
}

void OptionButton::SetValue(bool value)
{
    if (value == value_)
        return;
    if (!value) {
        value_ = false;
        ShowValue();
        return;
    }
    for (OptionButton* other : Group()) {
        if (other != this && other->value_) {
            other->value_ = false;
            other->ShowValue();
        }
    }
    value_ = true;
    ShowValue();
    Raise(Click);
}

void OptionButton::Select()
{
    if (!value_)
        SetValue(true);
}

bool OptionButton::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            Select();
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = ColorDc(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return false;
    }
}

LRESULT OptionButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Arrow keys move through the group and select the option they reach.
    if (message == WM_KEYDOWN && wParam >= VK_LEFT && wParam <= VK_DOWN) {
        const bool backward = wParam == VK_LEFT || wParam == VK_UP;
        std::vector<OptionButton*> group = Group();
        std::erase_if(group, [this](OptionButton* o) { return o != this && !o->IsUsable(); });
        auto at = std::find(group.begin(), group.end(), this);
        if (group.size() > 1 && at != group.end()) {
            const auto n = static_cast<std::ptrdiff_t>(group.size());
            const std::ptrdiff_t index = ((at - group.begin()) + (backward ? n - 1 : 1)) % n;
            OptionButton* next = group[static_cast<size_t>(index)];
            next->SetFocus();
            next->Select();
        }
        return 0;
    }
    return Control::WindowProc(message, wParam, lParam);
}

void OptionButton::OnAccessKey()
{
    SetFocus();
    Select();
}

}  // namespace rt
