#include "runtime/UserControl_win.h"

#include "runtime/LastError_win.h"

#include <algorithm>

namespace rt {

UserControl::UserControl() : Control(Traits{.canFocus = true, .isContainer = false, .clickFromMouse = true}) {}

UserControl::~UserControl() = default;

PropertyBag UserControl::SaveProperties()
{
    PropertyBag bag;
    UserControl_WriteProperties(bag);
    return bag;
}

AmbientProperties UserControl::Ambient() const
{
    AmbientProperties ambient;
    ambient.DisplayName = Name();
    if (Index())
        ambient.DisplayName += L"(" + std::to_wstring(*Index()) + L")";
    ambient.UserMode = userMode_;
    ambient.DisplayAsDefault = displayAsDefault_;
    return ambient;
}

void UserControl::SetForeColor(OleColor color)
{
    Control::SetForeColor(color);
    image_.SetTextColor(TranslateColor(color));
}

void UserControl::ResetProperties()
{
    Control::ResetProperties();
    design_ = PropertyBag();
    hasDesign_ = false;
    propertyChanges_.clear();
}

void UserControl::OnWindowCreated()
{
    Control::OnWindowCreated();
    image_.Create(FontHandle(), TranslateColor(ForeColor()));
    ResizeImage();
    UserControl_Initialize();
    if (hasDesign_)
        UserControl_ReadProperties(design_);
    else
        UserControl_InitProperties();
    started_ = true;
    UserControl_Resize();
}

void UserControl::OnWindowDestroying()
{
    if (started_) {
        started_ = false;
        UserControl_Terminate();
    }
    for (UINT_PTR id : timers_)
        if (hWnd())
            KillTimer(hWnd(), id);
    timers_.clear();
    image_.Release();
}

void UserControl::OnFontChanged()
{
    image_.SetFont(FontHandle());
}

void UserControl::ResizeImage()
{
    if (image_.Resize(ClientPixels(), TranslateColor(BackColor())) && hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

void UserControl::Cls()
{
    if (!image_)
        return;
    image_.Clear(TranslateColor(BackColor()));
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

void UserControl::RepaintNow()
{
    if (hWnd())
        UpdateWindow(hWnd());
}

void UserControl::StartTimer(UINT_PTR id, UINT milliseconds)
{
    if (!hWnd())
        return;
    if (!SetTimer(hWnd(), id, milliseconds, nullptr)) {
        RT_LOG_LAST_ERROR("SetTimer");
        return;
    }
    if (std::find(timers_.begin(), timers_.end(), id) == timers_.end())
        timers_.push_back(id);
}

void UserControl::StopTimer(UINT_PTR id)
{
    if (hWnd())
        KillTimer(hWnd(), id);  // false only when the timer was not running, which is what we want
    std::erase(timers_, id);
}

LRESULT UserControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; image_.PaintMessage(hWnd(), message, wParam, result))
        return result;
    switch (message) {
    case WM_TIMER:
        if (std::find(timers_.begin(), timers_.end(), wParam) != timers_.end()) {
            UserControl_Timer(wParam);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_DESTROY:
        // A control window destroyed on its own, before its form's: the control ends now.
        if (started_) {
            started_ = false;
            UserControl_Terminate();
        }
        break;
    default:
        break;
    }
    return Control::WindowProc(message, wParam, lParam);
}

// A left press gives the control the focus, as it does a push button.
void UserControl::OnMouseDown(int button, int shift, float x, float y)
{
    if (button == 1)
        Control::SetFocus();
    UserControl_MouseDown(button, shift, x, y);
}

void UserControl::OnDblClick()
{
    Control::SetFocus();
    UserControl_DblClick();
}

void UserControl::OnGotFocus()
{
    UserControl_GotFocus();
    Raise(GotFocus);
}

void UserControl::OnLostFocus()
{
    UserControl_LostFocus();
    Raise(LostFocus);
}

void UserControl::OnAccessKey()
{
    // The control takes the focus like a push button whose access key is pressed.
    Control::SetFocus();
    UserControl_AccessKeyPress(AccessKeys().empty() ? 0 : AccessKeys().front());
}

void UserControl::OnShow()
{
    if (started_)
        UserControl_Show();
}

void UserControl::OnHide()
{
    if (started_)
        UserControl_Hide();
}

void UserControl::OnResize()
{
    if (!started_)
        return;  // sizes given while the window is made come before Initialize; Resize follows it
    ResizeImage();
    UserControl_Resize();
}

}  // namespace rt
