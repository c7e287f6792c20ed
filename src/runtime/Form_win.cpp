#include "runtime/Form_win.h"

#include "runtime/App_win.h"
#include "runtime/FormRuntime_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Menu_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Timer_win.h"

#include <commctrl.h>

#include <algorithm>

namespace rt {

namespace {

constexpr wchar_t kFormClass[] = L"PlumvaneForm";

ATOM FormClassAtom()
{
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = FormWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kFormClass;
        const ATOM registered = RegisterClassExW(&wc);
        if (!registered)
            RT_LOG_LAST_ERROR("RegisterClassExW");
        return registered;
    }();
    return atom;
}

std::vector<Form*>& AllForms()
{
    static std::vector<Form*> forms;
    return forms;
}

Form* activeForm = nullptr;  // the program form activated last, while it stays loaded

std::function<void()>& SessionEndHandler()
{
    static std::function<void()> handler;
    return handler;
}

// Windows sends the session's end to every top-level window of the program, and the handler may close windows
// that have yet to receive it: it never runs from inside itself, and must do nothing once its work is done.
void RunSessionEnd()
{
    static bool running = false;
    if (running || !SessionEndHandler())
        return;
    running = true;
    try {
        SessionEndHandler()();
    } catch (...) {
        ReportException();
    }
    running = false;
}

}  // namespace

void SetSessionEndHandler(std::function<void()> handler)
{
    SessionEndHandler() = std::move(handler);
}

// Program-wide state

void FormRuntime::QueueActivationCheck()
{
    Post([] {
        Form* now = Form::FromWindow(GetActiveWindow());
        if (!now || now == activeForm || !now->IsLoaded())
            return;
        Form* previous = activeForm;
        activeForm = now;
        if (previous && previous->IsLoaded())
            previous->RunHandler([previous] { previous->Form_Deactivate(); });
        if (activeForm == now && now->IsLoaded())
            now->RunHandler([now] { now->Form_Activate(); });
    });
}

void FormRuntime::Forget(Form* form)
{
    if (activeForm == form)
        activeForm = nullptr;
}

Form* FormRuntime::ActiveForm()
{
    return activeForm;
}

int FormRuntime::LoadedFormCount()
{
    return static_cast<int>(
        std::count_if(AllForms().begin(), AllForms().end(), [](const Form* form) { return form->IsLoaded(); }));
}

bool FormRuntime::TranslateShortcut(const MSG& message)
{
    Form* form = Form::FromWindow(message.hwnd);
    return form && form->IsLoaded() && form->TranslateShortcut(static_cast<int>(message.wParam));
}

Form* Screen::ActiveForm()
{
    return activeForm;
}

Control* Screen::ActiveControl()
{
    return activeForm ? activeForm->ActiveControl() : nullptr;
}

// Window procedure

LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Form* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else {
        form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!form)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        form->tooltip_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return FormRuntime::Guarded(*form, [&] { return form->HandleMessage(message, wParam, lParam); });
}

Form* Form::FromWindow(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!IsFormWindow(root))
        return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

bool Form::IsFormWindow(HWND hwnd)
{
    return hwnd && static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM)) == FormClassAtom();
}

// Life cycle

Form::Form()
{
    AllForms().push_back(this);
}

Form::~Form()
{
    auto& forms = AllForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    FormRuntime::Forget(this);
    // The derived form's controls are gone already: the window must not reach them or this object.
    controls_.clear();
    menus_.clear();
    lastFocus_ = nullptr;
    state_ = State::Unloaded;
    for (HWND hwnd : disabledByModal_)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    if (hwnd_) {
        HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

void Form::Add(ControlBase& control, Placement placement)
{
    control.form_ = this;
    control.name_ = std::move(placement.name);
    control.index_ = placement.index;
    control.container_ = placement.container;
    control.order_ = static_cast<int>(controls_.size());
    controls_.push_back(&control);
    if (auto* menu = dynamic_cast<Menu*>(&control))
        menus_.push_back(menu);
    control.ResetProperties();
}

void Form::ResetProperties()
{
    caption_.clear();
    tag_.clear();
    border_ = BorderStyle::Sizable;
    startUp_ = StartUpPosition::WindowsDefault;
    font_ = StdFont{};
    backColor_ = kColorButtonFace;
    icon_ = nullptr;
    mousePointer_ = kPointerDefault;
    positionSet_ = false;
    left_ = 0;
    top_ = 0;
    width_ = 4800;
    height_ = 3600;
    clientRequest_.reset();
    lastFocus_ = nullptr;
}

bool Form::Load()
{
    if (state_ == State::Loaded || state_ == State::Loading)
        return true;
    if (state_ == State::Unloading)
        return false;
    if (hwnd_)
        DestroyFormWindow();  // the window of the previous load, still waiting for its handlers to return
    state_ = State::Loading;
    ResetProperties();
    for (ControlBase* control : controls_)
        control->ResetProperties();
    try {
        Design();
    } catch (...) {
        ReportException();
    }
    CreateFormWindow();
    if (!hwnd_) {
        state_ = State::Unloaded;
        return false;
    }
    state_ = State::Loaded;
    RunHandler([this] { Form_Load(); });
    return IsLoaded();
}

DWORD Form::WindowStyle() const
{
    switch (border_) {
    case BorderStyle::None:
        return WS_POPUP | WS_CLIPCHILDREN;
    case BorderStyle::FixedSingle:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    case BorderStyle::FixedDialog:
    case BorderStyle::FixedToolWindow:
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    case BorderStyle::Sizable:
    default:
        return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    }
}

DWORD Form::WindowExStyle() const
{
    switch (border_) {
    case BorderStyle::FixedDialog:
        return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    case BorderStyle::FixedToolWindow:
        return WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    default:
        return WS_EX_CONTROLPARENT;
    }
}

RECT Form::OuterFromClient(int clientWidth, int clientHeight) const
{
    bool hasMenu = false;
    if (hwnd_) {
        hasMenu = GetMenu(hwnd_) != nullptr;
    } else {
        for (const ControlBase* control : controls_)
            if (auto* menu = dynamic_cast<const Menu*>(control); menu && !menu->Container() && menu->Visible())
                hasMenu = true;
    }
    RECT rect{0, 0, PixelsFromTwipsX(clientWidth), PixelsFromTwipsY(clientHeight)};
    if (!AdjustWindowRectEx(&rect, WindowStyle(), hasMenu, WindowExStyle()))
        RT_LOG_LAST_ERROR("AdjustWindowRectEx");
    return rect;
}

void Form::CreateFormWindow()
{
    HMENU bar = BuildMenuBar();
    int width = PixelsFromTwipsX(width_);
    int height = PixelsFromTwipsY(height_);
    if (clientRequest_) {
        const RECT outer = OuterFromClient(clientRequest_->cx, clientRequest_->cy);
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
    }
    int x = PixelsFromTwipsX(left_);
    int y = PixelsFromTwipsY(top_);
    if (startUp_ == StartUpPosition::CenterScreen) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    } else if (startUp_ == StartUpPosition::WindowsDefault && !positionSet_ && border_ != BorderStyle::None) {
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }
    HWND hwnd = CreateWindowExW(WindowExStyle(), MAKEINTATOM(FormClassAtom()), caption_.c_str(), WindowStyle(), x, y,
                                width, height, nullptr, bar, GetModuleHandleW(nullptr), this);
    if (!hwnd) {
        RT_LOG_LAST_ERROR("CreateWindowExW");
        if (bar)
            DestroyMenu(bar);
        return;
    }
    clientRequest_.reset();
    if (icon_) {
        // The small one first: a large icon given to a window without a small one is scaled into one at once.
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    }
    CreateControlWindows(nullptr);
    for (ControlBase* control : controls_)
        control->OnFormCreated();
}

void Form::CreateControlWindows(const ControlBase* container)
{
    // A new child window goes below its siblings: creating them last to first leaves the later controls of
    // the design on top, as designed, without restacking each one.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (auto* control = dynamic_cast<Control*>(*it); control && control->Container() == container)
            control->CreateWindowNow();
    for (ControlBase* control : controls_)
        if (auto* child = dynamic_cast<Control*>(control);
            child && child->Container() == container && child->ControlTraits().isContainer)
            CreateControlWindows(child);
}

void Form::Show(ShowMode mode, Form* owner)
{
    if (!Load() || !hwnd_)
        return;
    if (mode == ShowMode::Modeless) {
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        UpdateShownControls();
        return;
    }
    if (modal_)
        return;
    HWND ownerWindow = nullptr;
    if (owner && owner != this)
        ownerWindow = owner->hwnd_;
    else if (Form* active = FormRuntime::ActiveForm(); active && active != this && active->Visible())
        ownerWindow = active->hwnd_;
    SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    UpdateShownControls();
    for (Form* other : AllForms()) {
        if (other != this && other->hwnd_ && IsWindowEnabled(other->hwnd_)) {
            EnableWindow(other->hwnd_, FALSE);
            disabledByModal_.push_back(other->hwnd_);
        }
    }
    modal_ = true;
    FormRuntime::RunModalLoop([this] { return modal_; });
    EndModal();
}

void Form::EndModal()
{
    modal_ = false;
    // Re-enabled before this window goes, so that activation returns to the owner and not elsewhere.
    for (HWND hwnd : disabledByModal_)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    disabledByModal_.clear();
}

void Form::Hide()
{
    EndModal();
    if (!hwnd_)
        return;
    ShowWindow(hwnd_, SW_HIDE);
    UpdateShownControls();
}

bool Form::Unload(int unloadMode)
{
    if (state_ != State::Loaded)
        return state_ == State::Unloaded;
    state_ = State::Unloading;
    int cancel = 0;
    RunHandler([&] { Form_QueryUnload(cancel, unloadMode); });
    if (cancel == 0)
        RunHandler([&] { Form_Unload(cancel); });
    if (cancel != 0) {
        if (state_ == State::Unloading)
            state_ = State::Loaded;
        return false;
    }
    state_ = State::Unloaded;
    FormRuntime::Forget(this);
    EndModal();
    if (hwnd_) {
        ShowWindow(hwnd_, SW_HIDE);
        UpdateShownControls();
    }
    if (busy_ > 0)
        pendingDestroy_ = true;
    else
        DestroyFormWindow();
    return true;
}

void Form::DestroyFormWindow()
{
    pendingDestroy_ = false;
    if (!hwnd_)
        return;
    for (ControlBase* control : controls_)
        control->OnFormDestroying();
    lastFocus_ = nullptr;
    if (!DestroyWindow(hwnd_))
        RT_LOG_LAST_ERROR("DestroyWindow");
    hwnd_ = nullptr;
}

void Form::LeaveBusy()
{
    if (--busy_ == 0 && pendingDestroy_)
        DestroyFormWindow();
}

void FormRuntime::EnterBusy(Form& form)
{
    form.EnterBusy();
}

void FormRuntime::LeaveBusy(Form& form)
{
    form.LeaveBusy();
}

void Form::RunHandler(const std::function<void()>& handler)
{
    if (!CanRaise())
        return;
    EnterBusy();
    try {
        handler();
    } catch (...) {
        ReportException();
    }
    LeaveBusy();
}

bool Form::Visible() const
{
    return hwnd_ && IsWindowVisible(hwnd_);
}

void Form::UpdateShownControls()
{
    const bool formShown = Visible() && IsLoaded();
    for (ControlBase* base : controls_)
        if (auto* control = dynamic_cast<Control*>(base))
            control->NotifyShown(formShown && control->hwnd_ && control->IsShowable());
}

Control* Form::ActiveControl() const
{
    if (Control* focused = Control::FromWindow(GetFocus()); focused && focused->Parent() == this)
        return focused;
    return lastFocus_;
}

void Form::RestoreFocus()
{
    Control* target = nullptr;
    if (lastFocus_ && lastFocus_->hwnd_ && lastFocus_->ControlTraits().canFocus && lastFocus_->IsUsable())
        target = lastFocus_;
    if (!target) {
        const std::vector<Control*> order = TabOrder();
        if (!order.empty())
            target = order.front();
    }
    ::SetFocus(target ? target->hwnd_ : hwnd_);
}

HWND Form::ToolTipWindow()
{
    if (tooltip_ || !hwnd_)
        return tooltip_;
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)initialised;  // tooltips are a nicety: without them the controls still work
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_)
        RT_LOG_LAST_ERROR("CreateWindowExW");
    return tooltip_;
}

// Messages

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (FormRuntime::ReflectNotification(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
        FormRuntime::ForgetModifiers();  // the keyboard goes elsewhere, or a loop of the system's has it
        break;
    case WM_ACTIVATE:
        FormRuntime::ForgetModifiers();
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            RestoreFocus();
        FormRuntime::QueueActivationCheck();
        return 0;
    case WM_CLOSE:
        Unload(kUnloadFormControlMenu);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            RunSessionEnd();
        return 0;
    case WM_COMMAND:
        if (lParam == 0) {
            MenuCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_TIMER:
        for (ControlBase* control : controls_)
            if (auto* timer = dynamic_cast<Timer*>(control); timer && timer->Id() == wParam)
                timer->Raise(timer->Tick);
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, CachedBrush(TranslateColor(backColor_)));
        return 1;
    }
    case WM_SETCURSOR: {
        const int pointer = Screen::MousePointer() != kPointerDefault ? Screen::MousePointer() : mousePointer_;
        if (HCURSOR cursor = StandardCursor(pointer);
            cursor && (Screen::MousePointer() != kPointerDefault || LOWORD(lParam) == HTCLIENT)) {
            SetCursor(cursor);
            return TRUE;
        }
        break;
    }
    case WM_SIZE:
        if (IsLoaded())
            RunHandler([this] { Form_Resize(); });
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (RouteKeyMessage(nullptr, message, wParam, lParam))
            return 0;
        break;
    case WM_DESTROY:
        if (state_ != State::Unloaded) {
            // Destroyed from outside: the form counts as unloaded from now on.
            state_ = State::Unloaded;
            FormRuntime::Forget(this);
            EndModal();
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// Geometry

int Form::Left() const
{
    if (hwnd_) {
        RECT rect{};
        GetWindowRect(hwnd_, &rect);
        return TwipsFromPixelsX(rect.left);
    }
    return left_;
}

int Form::Top() const
{
    if (hwnd_) {
        RECT rect{};
        GetWindowRect(hwnd_, &rect);
        return TwipsFromPixelsY(rect.top);
    }
    return top_;
}

int Form::Width() const
{
    if (hwnd_) {
        RECT rect{};
        GetWindowRect(hwnd_, &rect);
        return TwipsFromPixelsX(rect.right - rect.left);
    }
    if (clientRequest_) {
        const RECT outer = OuterFromClient(clientRequest_->cx, clientRequest_->cy);
        return TwipsFromPixelsX(outer.right - outer.left);
    }
    return width_;
}

int Form::Height() const
{
    if (hwnd_) {
        RECT rect{};
        GetWindowRect(hwnd_, &rect);
        return TwipsFromPixelsY(rect.bottom - rect.top);
    }
    if (clientRequest_) {
        const RECT outer = OuterFromClient(clientRequest_->cx, clientRequest_->cy);
        return TwipsFromPixelsY(outer.bottom - outer.top);
    }
    return height_;
}

void Form::Move(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    positionSet_ = true;
    clientRequest_.reset();
    if (hwnd_ && !SetWindowPos(hwnd_, nullptr, PixelsFromTwipsX(left), PixelsFromTwipsY(top), PixelsFromTwipsX(width),
                               PixelsFromTwipsY(height), SWP_NOZORDER | SWP_NOACTIVATE))
        RT_LOG_LAST_ERROR("SetWindowPos");
}

int Form::ScaleWidth() const
{
    if (hwnd_) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        return TwipsFromPixelsX(client.right);
    }
    if (clientRequest_)
        return clientRequest_->cx;
    const RECT frame = OuterFromClient(0, 0);
    return width_ - TwipsFromPixelsX(frame.right - frame.left);
}

int Form::ScaleHeight() const
{
    if (hwnd_) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        return TwipsFromPixelsY(client.bottom);
    }
    if (clientRequest_)
        return clientRequest_->cy;
    const RECT frame = OuterFromClient(0, 0);
    return height_ - TwipsFromPixelsY(frame.bottom - frame.top);
}

void Form::SetClientSize(int width, int height)
{
    if (!hwnd_) {
        clientRequest_ = SIZE{width, height};
        return;
    }
    const RECT outer = OuterFromClient(width, height);
    width_ = TwipsFromPixelsX(outer.right - outer.left);
    height_ = TwipsFromPixelsY(outer.bottom - outer.top);
    if (!SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        RT_LOG_LAST_ERROR("SetWindowPos");
}

// Appearance

void Form::SetCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    if (hwnd_ && !SetWindowTextW(hwnd_, caption_.c_str()))
        RT_LOG_LAST_ERROR("SetWindowTextW");
}

void Form::SetBorderStyle(BorderStyle border)
{
    border_ = border;
}

void Form::SetBackColor(OleColor color)
{
    backColor_ = color;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::SetIcon(HICON icon)
{
    icon_ = icon;
    if (hwnd_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace rt
