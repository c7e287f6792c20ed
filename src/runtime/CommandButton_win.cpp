#include "runtime/CommandButton_win.h"

namespace rt {

CommandButton::CommandButton() : Control(Traits{.canFocus = true}) {}

void CommandButton::ResetProperties()
{
    Control::ResetProperties();
    caption_.clear();
    default_ = false;
}

Control::WindowDescription CommandButton::DescribeWindow() const
{
    return WindowDescription{.className = L"BUTTON",
                      .style = static_cast<DWORD>((default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP),
                      .text = caption_};
}

void CommandButton::SetCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    SetAccessKeys(AccessKeyOf(caption_));
    if (hWnd())
        SetWindowTextW(hWnd(), caption_.c_str());
}

void CommandButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    if (hWnd())
        SendMessageW(hWnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool CommandButton::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Raise(Click);
        return true;
    }
    return false;
}

void CommandButton::OnAccessKey()
{
    if (!IsUsable())
        return;
    SetFocus();
    Raise(Click);
}

}  // namespace rt
