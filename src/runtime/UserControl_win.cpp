#include "runtime/UserControl_win.h"

#include "runtime/LastError_win.h"

#include <algorithm>

namespace rt {

UserControl::UserControl() : Control(Traits{.canFocus = true, .isContainer = false, .clickFromMouse = true}) {}

UserControl::~UserControl()
{
    ReleaseImage();
}

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
    if (image_)
        ::SetTextColor(image_.get(), TranslateColor(color));
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
    image_.reset(CreateCompatibleDC(nullptr));
    if (!image_) {
        RT_LOG_LAST_ERROR("CreateCompatibleDC");
    } else {
        // Text is drawn over what is already there, as the control's own drawing expects.
        SetBkMode(image_.get(), TRANSPARENT);
        ::SetTextColor(image_.get(), TranslateColor(ForeColor()));
        ApplyImageFont();
    }
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
    ReleaseImage();
}

void UserControl::ReleaseImage()
{
    // The bitmap must leave the DC before either can be deleted.
    if (image_) {
        if (originalBitmap_)
            SelectObject(image_.get(), originalBitmap_);
        if (originalFont_)
            SelectObject(image_.get(), originalFont_);
    }
    originalBitmap_ = nullptr;
    originalFont_ = nullptr;
    imageBitmap_.reset();
    image_.reset();
    imageSize_ = {};
}

void UserControl::ApplyImageFont()
{
    if (!image_)
        return;
    HGDIOBJ previous = SelectObject(image_.get(), FontHandle());
    if (!originalFont_)
        originalFont_ = previous;
}

void UserControl::OnFontChanged()
{
    ApplyImageFont();
}

void UserControl::ResizeImage()
{
    if (!image_)
        return;
    const SIZE client = ClientPixels();
    if (client.cx == imageSize_.cx && client.cy == imageSize_.cy && imageBitmap_)
        return;
    WindowDc screen(nullptr);
    // A bitmap of at least one pixel keeps a real bitmap selected while the window has no area.
    BitmapHandle bitmap(
        CreateCompatibleBitmap(screen.get(), std::max<LONG>(client.cx, 1), std::max<LONG>(client.cy, 1)));
    if (!bitmap) {
        RT_LOG_LAST_ERROR("CreateCompatibleBitmap");
        return;
    }
    HGDIOBJ previous = SelectObject(image_.get(), bitmap.get());
    if (!originalBitmap_)
        originalBitmap_ = previous;
    imageBitmap_ = std::move(bitmap);  // the old bitmap is no longer selected: it can go
    imageSize_ = client;
    Cls();
}

void UserControl::Cls()
{
    if (!image_)
        return;
    const RECT all{0, 0, imageSize_.cx, imageSize_.cy};
    FillRect(image_.get(), &all, CachedBrush(TranslateColor(BackColor())));
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
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the image covers the whole client area
    case WM_PAINT: {
        PaintScope paint(hWnd());
        if (image_) {
            const RECT& area = paint.area();
            BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, image_.get(),
                   area.left, area.top, SRCCOPY);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        if (image_)
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, imageSize_.cx, imageSize_.cy, image_.get(), 0, 0, SRCCOPY);
        return 0;
    case WM_TIMER:
        if (std::find(timers_.begin(), timers_.end(), wParam) != timers_.end()) {
            UserControl_Timer(wParam);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
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
