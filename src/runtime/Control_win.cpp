#include "runtime/Control_win.h"

#include "runtime/App_win.h"
#include "runtime/FormRuntime_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Screen_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cwctype>
#include <unordered_map>

namespace rt {

namespace {

constexpr wchar_t kControlClass[] = L"PlumvaneControl";

const wchar_t* ControlClassName()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ControlWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kControlClass;
        if (!RegisterClassExW(&wc)) {
            RT_LOG_LAST_ERROR("RegisterClassExW");
            return false;
        }
        return true;
    }();
    (void)registered;  // a failure is logged; CreateWindowExW then fails and logs too
    return kControlClass;
}

// The control of each window the runtime created. A map in the process, not a window property: the lookup
// runs for every notification and paint, and window properties cost a trip to the window server under Wine.
std::unordered_map<HWND, Control*>& ControlsByWindow()
{
    static std::unordered_map<HWND, Control*> controls;
    return controls;
}

int ButtonOfMessage(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return 4;
    default:
        return 0;
    }
}

int MouseShift(WPARAM wParam)
{
    return ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// The pointer to show for a window of the program; false leaves it to the window's default.
bool ApplyPointer(int ownPointer, HCURSOR ownIcon, LPARAM lParam)
{
    const int screen = Screen::MousePointer();
    if (screen != kPointerDefault) {
        if (HCURSOR cursor = StandardCursor(screen)) {
            SetCursor(cursor);
            return true;
        }
    }
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    if (ownPointer == kPointerCustom && ownIcon) {
        SetCursor(ownIcon);
        return true;
    }
    if (HCURSOR cursor = StandardCursor(ownPointer)) {
        SetCursor(cursor);
        return true;
    }
    return false;
}

bool HasNonClientArea(HWND hwnd)
{
    RECT window{};
    RECT client{};
    if (!GetWindowRect(hwnd, &window) || !GetClientRect(hwnd, &client))
        return true;  // unknown: left to the default handling
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

}  // namespace

// ControlBase

void ControlBase::SetVisible(bool visible)
{
    visible_ = visible;
}

void ControlBase::SetEnabled(bool enabled)
{
    enabled_ = enabled;
}

void ControlBase::ResetProperties()
{
    tag_.clear();
    visible_ = true;
    enabled_ = true;
}

void ControlBase::RunHandler(const std::function<void()>& handler) const
{
    if (form_)
        form_->RunHandler(handler);
}

// Window procedures

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = nullptr;
    if (message == WM_NCCREATE) {
        control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        control->hwnd_ = hwnd;
        ControlsByWindow()[hwnd] = control;
    } else {
        control = Control::FromWindow(hwnd);
    }
    if (!control)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ControlsByWindow().erase(hwnd);
        control->Detach();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return FormRuntime::Guarded(*control->Parent(),
                                [&] { return control->HandleMessage(message, wParam, lParam); });
}

// The window procedure of system-class controls (edit, button): the class's own procedure is kept in the
// control and called for what the runtime leaves. Plain window subclassing rather than comctl32's: that one
// looks up a window property, a trip to the window server under Wine, for every message.
LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = Control::FromWindow(hwnd);
    if (!control)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = control->originalProc_;
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == ControlSubclassProc)
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ControlsByWindow().erase(hwnd);
        control->Detach();
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return FormRuntime::Guarded(*control->Parent(),
                                [&] { return control->HandleMessage(message, wParam, lParam); });
}

Control* Control::FromWindow(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    const auto& controls = ControlsByWindow();
    const auto found = controls.find(hwnd);
    return found == controls.end() ? nullptr : found->second;
}

bool FormRuntime::ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            child = item->hwndItem;
        break;
    }
    case WM_NOTIFY:
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    default:
        break;
    }
    Control* control = Control::FromWindow(child);
    return control && control->OnReflected(message, wParam, lParam, result);
}

void FormRuntime::QueueFocusEvent(HWND hwnd, bool gained)
{
    Post([hwnd, gained] {
        if (Control* control = Control::FromWindow(hwnd))
            control->DeliverFocusEvent(gained);
    });
}

// Control

Control::~Control()
{
    if (!hwnd_)
        return;
    // The form's window may outlive this object (members go before the form's own destructor runs).
    HWND hwnd = hwnd_;
    if (subclassed_ && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == ControlSubclassProc)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
    ControlsByWindow().erase(hwnd);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
}

void Control::ResetProperties()
{
    ControlBase::ResetProperties();
    left_ = 0;
    top_ = 0;
    width_ = 1215;
    height_ = 495;
    tabIndex_ = DesignOrder();
    tabStop_ = true;
    font_.reset();
    backColor_ = kColorButtonFace;
    foreColor_ = kColorButtonText;
    mousePointer_ = kPointerDefault;
    mouseIcon_ = nullptr;
    toolTip_.clear();
    accessKeys_.clear();
}

void Control::OnFormCreated()
{
    CreateWindowNow();
}

void Control::OnFormDestroying()
{
    if (shown_) {
        shown_ = false;
        OnHide();
    }
    if (hwnd_)
        OnWindowDestroying();
}

void Control::CreateWindowNow()
{
    if (hwnd_ || !Parent())
        return;
    HWND parent = Parent()->hWnd();
    if (auto* container = dynamic_cast<Control*>(Container())) {
        container->CreateWindowNow();
        parent = container->hwnd_;
    }
    if (!parent)
        return;
    const WindowDescription window = DescribeWindow();
    DWORD style = window.style | WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible())
        style |= WS_VISIBLE;
    if (!Enabled())
        style |= WS_DISABLED;
    if (traits_.isContainer)
        style |= WS_CLIPCHILDREN;
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(DesignOrder() + 100));
    HWND hwnd = CreateWindowExW(window.exStyle, window.className ? window.className : ControlClassName(),
                                window.text.c_str(), style, PixelsFromTwipsX(left_), PixelsFromTwipsY(top_),
                                PixelsFromTwipsX(width_), PixelsFromTwipsY(height_), parent, id,
                                GetModuleHandleW(nullptr), this);
    if (!hwnd) {
        RT_LOG_LAST_ERROR("CreateWindowExW");
        return;
    }
    if (window.className) {
        hwnd_ = hwnd;
        ControlsByWindow()[hwnd] = this;
        originalProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlSubclassProc)));
        subclassed_ = originalProc_ != nullptr;
        if (!subclassed_)
            RT_LOG_LAST_ERROR("SetWindowLongPtrW");
    }
    OnWindowCreated();
    if (!toolTip_.empty())
        UpdateToolTip();
}

void Control::OnWindowCreated()
{
    if (subclassed_)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

void Control::Detach()
{
    hwnd_ = nullptr;
    subclassed_ = false;
    pressed_ = 0;
    clickArmed_ = false;
    gotFocusRaised_ = false;
}

LRESULT Control::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallDefault(message, wParam, lParam);
}

LRESULT Control::CallDefault(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd_)
        return 0;
    return subclassed_ ? CallWindowProcW(originalProc_, hwnd_, message, wParam, lParam)
                       : DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Control::OnReflected(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT Control::ColorDc(HDC dc) const
{
    const COLORREF back = TranslateColor(backColor_);
    SetTextColor(dc, TranslateColor(foreColor_));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(CachedBrush(back));
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && !toolTip_.empty())
        RelayToToolTip(message, wParam, lParam);
    if (traits_.isContainer && FormRuntime::ReflectNotification(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (Parent()->RouteKeyMessage(this, message, wParam, lParam))
            return 0;
        break;
    case WM_SETFOCUS:
        FormRuntime::ForgetModifiers();
        result = WindowProc(message, wParam, lParam);
        Parent()->NoteFocus(this);
        FormRuntime::QueueFocusEvent(hwnd_, true);
        return result;
    case WM_KILLFOCUS: {
        FormRuntime::ForgetModifiers();
        HWND hwnd = hwnd_;
        result = WindowProc(message, wParam, lParam);
        FormRuntime::QueueFocusEvent(hwnd, false);
        return result;
    }
    case WM_NCPAINT:
        // A runtime window without a frame, a caption or scroll bars has nothing outside its client area, but the
        // default handling takes a window DC for it all the same: under Wine a trip to the window server for each
        // control every time the form is shown.
        if (!subclassed_ && !HasNonClientArea(hwnd_))
            return 0;
        break;
    case WM_SETCURSOR:
        if (ApplyPointer(mousePointer_, mouseIcon_, lParam))
            return TRUE;
        break;
    case WM_CAPTURECHANGED:
        // Only the runtime's own windows hold the capture for their presses; system controls manage theirs.
        if (!subclassed_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
            pressed_ = 0;
            clickArmed_ = false;
        }
        break;
    case WM_SIZE:
        result = WindowProc(message, wParam, lParam);
        OnResize();
        return result;
    default:
        if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK && HandleMouse(message, wParam, lParam, result))
            return result;
        break;
    }
    return WindowProc(message, wParam, lParam);
}

bool Control::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const float x = static_cast<float>(GET_X_LPARAM(lParam) * Screen::TwipsPerPixelX());
    const float y = static_cast<float>(GET_Y_LPARAM(lParam) * Screen::TwipsPerPixelY());
    const int shift = MouseShift(wParam);
    const bool own = !subclassed_;
    const int button = ButtonOfMessage(message);
    switch (message) {
    case WM_MOUSEMOVE: {
        const int held =
            ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) | ((wParam & MK_MBUTTON) ? 4 : 0);
        OnMouseMove(held, shift, x, y);
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const bool doubleClick =
            message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
        pressed_ |= button;
        if (own && doubleClick && button == 1) {
            clickArmed_ = false;
            OnDblClick();
        } else {
            if (button == 1)
                clickArmed_ = true;
            OnMouseDown(button, shift, x, y);
        }
        if (!hwnd_)
            return true;
        if (own) {
            SetCapture(hwnd_);
            result = 0;
            return true;
        }
        return false;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool wasPressed = (pressed_ & button) != 0;
        pressed_ &= ~button;
        // The class's own handling first: a button reports its click before the release is an event.
        result = WindowProc(message, wParam, lParam);
        if (wasPressed)
            OnMouseUp(button, shift, x, y);
        if (own && button == 1 && clickArmed_) {
            clickArmed_ = false;
            RECT client{};
            if (hwnd_ && GetClientRect(hwnd_, &client)) {
                const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (PtInRect(&client, point))
                    OnClick();
            }
        }
        if (own && pressed_ == 0 && hwnd_ && GetCapture() == hwnd_)
            ReleaseCapture();
        return true;
    }
    default:
        return false;
    }
}

void Control::OnMouseDown(int button, int shift, float x, float y)
{
    Raise(MouseDown, button, shift, x, y);
}
void Control::OnMouseMove(int button, int shift, float x, float y)
{
    Raise(MouseMove, button, shift, x, y);
}
void Control::OnMouseUp(int button, int shift, float x, float y)
{
    Raise(MouseUp, button, shift, x, y);
}

void Control::DeliverFocusEvent(bool gained)
{
    if (gained) {
        if (gotFocusRaised_ || GetFocus() != hwnd_)
            return;
        gotFocusRaised_ = true;
        OnGotFocus();
    } else {
        if (!gotFocusRaised_)
            return;
        gotFocusRaised_ = false;
        OnLostFocus();
    }
}

void Control::Move(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_) {
        if (!SetWindowPos(hwnd_, nullptr, PixelsFromTwipsX(left), PixelsFromTwipsY(top), PixelsFromTwipsX(width),
                          PixelsFromTwipsY(height), SWP_NOZORDER | SWP_NOACTIVATE))
            RT_LOG_LAST_ERROR("SetWindowPos");
    }
}

void Control::SetVisible(bool visible)
{
    if (visible == Visible())
        return;
    ControlBase::SetVisible(visible);
    if (!hwnd_)
        return;
    if (!visible && HasFocus())
        Parent()->MoveFocus(this, false);
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    Parent()->UpdateShownControls();
}

void Control::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    ControlBase::SetEnabled(enabled);
    if (!hwnd_)
        return;
    // A disabled window loses the focus to nobody; hand it on first, as tabbing would.
    if (!enabled && HasFocus())
        Parent()->MoveFocus(this, false);
    EnableWindow(hwnd_, enabled);
}

const StdFont& Control::Font() const
{
    if (font_)
        return *font_;
    static const StdFont fallback;
    return Parent() ? Parent()->Font() : fallback;
}

void Control::SetFont(const StdFont& font)
{
    font_ = font;
    OnFontChanged();
}

void Control::SetFontSize(double points)
{
    StdFont font = Font();
    font.size = points;
    SetFont(font);
}

void Control::SetFontBold(bool bold)
{
    StdFont font = Font();
    font.bold = bold;
    SetFont(font);
}

void Control::OnFontChanged()
{
    if (!hwnd_)
        return;
    if (subclassed_)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    else
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetBackColor(OleColor color)
{
    backColor_ = color;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetForeColor(OleColor color)
{
    foreColor_ = color;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetToolTipText(std::wstring text)
{
    if (text == toolTip_)
        return;
    toolTip_ = std::move(text);
    UpdateToolTip();
}

void Control::UpdateToolTip()
{
    if (!hwnd_)
        return;
    HWND tip = Parent()->ToolTipWindow();
    if (!tip)
        return;
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    // The control relays its own mouse messages (HandleMessage): letting the tooltip subclass it instead
    // costs every message to the control, typed keys included, a detour through the tooltip.
    info.uFlags = TTF_IDISHWND;
    info.hwnd = Parent()->hWnd();
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (toolTip_.empty())
        return;
    info.lpszText = toolTip_.data();
    if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
        RT_LOG_LAST_ERROR("TTM_ADDTOOLW");
}

void Control::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND tip = Parent()->ToolTipWindow();
    if (!tip)
        return;
    MSG msg{hwnd_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD pos = GetMessagePos();
    msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void Control::SetFocus()
{
    if (!hwnd_ || !traits_.canFocus || !IsUsable() || !Parent()->Visible() || !IsWindowEnabled(Parent()->hWnd()))
        return;
    ::SetFocus(hwnd_);
}

bool Control::HasFocus() const
{
    return hwnd_ && GetFocus() == hwnd_;
}

void Control::ZOrder(int position)
{
    if (hwnd_)
        SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::Refresh()
{
    if (hwnd_)
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::wstring Control::AccessKeyOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return std::wstring(1, static_cast<wchar_t>(std::towlower(caption[i + 1])));
    }
    return {};
}

bool Control::IsShowable() const
{
    if (!Visible())
        return false;
    auto* container = dynamic_cast<const Control*>(Container());
    return container ? container->IsShowable() : true;
}

bool Control::IsUsable() const
{
    if (!Parent() || !Parent()->IsLoaded() || !hwnd_ || !Visible() || !Enabled())
        return false;
    auto* container = dynamic_cast<const Control*>(Container());
    return container ? container->IsUsable() : true;
}

SIZE Control::ClientPixels() const
{
    RECT client{};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    return {client.right - client.left, client.bottom - client.top};
}

OleColor Control::ContainerBackColor() const
{
    if (auto* container = dynamic_cast<const Control*>(Container()))
        return container->BackColor();
    return Parent() ? Parent()->BackColor() : kColorButtonFace;
}

Control* Control::NextInTabOrder() const
{
    return Parent() ? Parent()->NextFocusableAfter(this) : nullptr;
}

void Control::NotifyShown(bool shown)
{
    if (shown == shown_)
        return;
    shown_ = shown;
    if (shown)
        OnShow();
    else
        OnHide();
}

}  // namespace rt
