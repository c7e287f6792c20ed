#pragma once
// A form: one top-level window of the program with its controls. Each window of the program is a class
// derived from Form with its controls as members and its handlers named as the design names them:
//
//     class frmPeso : public rt::Form {
//     public:
//         frmPeso();                  // Add(...) the controls in design order, assign their events
//         rt::TextBox txtAltura;
//     protected:
//         void Design() override;     // the design values: caption, size, fonts, control positions...
//         void Form_Load() override;
//     private:
//         void txtAltura_KeyPress(int& KeyAscii);
//     };
//
// There is one program-wide instance per form class, created on first use: TheForm<frmPeso>().
//
// Life cycle: Load() resets the form (its Tag and Caption included) and every control to the class defaults,
// runs Design(), creates the windows (hidden; a CenterScreen form centred) and runs Form_Load; set run-time
// values after Load. Show() loads if needed and shows; modally it disables the program's
// other forms and runs a message loop until the form is hidden or unloaded. Unload() runs Form_QueryUnload
// and Form_Unload (either may cancel), then re-enables the owner, hides the window and destroys it; the
// object stays and the next Load starts again from the design state. Unloading from inside the form's own
// handlers is safe: the window is destroyed when the outermost of them returns.
//
// Form_Activate and Form_Deactivate follow activation between the program's forms only: message boxes,
// dialogs and other applications do not count. They, GotFocus and LostFocus run from the message loop just
// after the change, so a handler may show a message box or move the focus.
//
// Key preview: every key goes first to Form_KeyDown/Form_KeyUp (Tab included), every typed character first
// to Form_KeyPress; then to the focused control's own events; setting the code to 0 drops it. Tab and
// Shift+Tab then move the focus in tab order; Alt with an access key acts on the control that owns it; menu
// shortcuts run their menu's Click before any of this.
#include "runtime/Control_win.h"
#include "runtime/Graphics_win.h"
#include "runtime/StdFont.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rt {

LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);  // internal: the forms' window procedure
class Menu;
class Timer;

enum class BorderStyle { None = 0, FixedSingle = 1, Sizable = 2, FixedDialog = 3, FixedToolWindow = 4 };
enum class StartUpPosition { Manual = 0, CenterScreen = 2, WindowsDefault = 3 };
enum class ShowMode { Modeless = 0, Modal = 1 };

// Why a form is being unloaded: the UnloadMode argument of Form_QueryUnload.
inline constexpr int kUnloadFormControlMenu = 0;  // the close box, Alt+F4, WM_CLOSE
inline constexpr int kUnloadFormCode = 1;         // Unload called by the program
inline constexpr int kUnloadAppWindows = 2;       // the Windows session ends (log-off or shut-down)

// What the program does when the Windows session ends (WM_ENDSESSION reaches any form): normally its exit.
// The process may be ended as soon as the message returns, so the handler finishes its work before that.
void SetSessionEndHandler(std::function<void()> handler);

// Where Form::Add places a control: its design name, its Index in a control array, and its container (a Frame
// or PictureBox for windowed controls, the parent Menu for menus; nullptr for the form itself).
// Written as {L"txtValor", k} or {L"txtMagro", {}, &Frame1}.
struct Placement {
    Placement(std::wstring name, std::optional<int> index = std::nullopt, ControlBase* container = nullptr)
        : name(std::move(name)), index(index), container(container)
    {
    }
    std::wstring name;
    std::optional<int> index;
    ControlBase* container;
};

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    // Life cycle. Load returns whether the form is loaded afterwards (Form_Load may unload it); Unload
    // returns false when a handler cancelled it.
    bool Load();
    void Show(ShowMode mode = ShowMode::Modeless, Form* owner = nullptr);
    void Hide();
    bool Unload(int unloadMode = kUnloadFormCode);
    bool IsLoaded() const { return state_ == State::Loaded; }
    bool IsModal() const { return modal_; }
    bool Visible() const;
    HWND hWnd() const { return hwnd_; }

    // Outer geometry in twips (settable while unloaded and to places off the screen); client size in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left) { Move(left, Top(), Width(), Height()); }
    void SetTop(int top) { Move(Left(), top, Width(), Height()); }
    void SetWidth(int width) { Move(Left(), Top(), width, Height()); }
    void SetHeight(int height) { Move(Left(), Top(), Width(), height); }
    void Move(int left, int top, int width, int height);
    int ScaleWidth() const;
    int ScaleHeight() const;
    // Sets the outer size so that the client area is `width` x `height` twips.
    void SetClientSize(int width, int height);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag) { tag_ = std::move(tag); }
    BorderStyle Border() const { return border_; }
    void SetBorderStyle(BorderStyle border);  // takes effect at the next Load
    void SetStartUpPosition(StartUpPosition position) { startUp_ = position; }
    const StdFont& Font() const { return font_; }
    void SetFont(const StdFont& font) { font_ = font; }  // controls without a font of their own use it
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor color);
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);  // not owned
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer) { mousePointer_ = pointer; }

    // The controls in design order, menus and timers included.
    const std::vector<ControlBase*>& Controls() const { return controls_; }
    // Told after a menu control changed its item (text, shortcut, visibility, check mark, enabled state)
    // while the form has a window: a control that draws the menus itself takes the change over.
    void SetMenuObserver(std::function<void(Menu&)> observer) { menuObserver_ = std::move(observer); }
    // The control that has the focus, or had it when the form was last active.
    Control* ActiveControl() const;

    // The Form whose top-level window is `hwnd` or contains it, or nullptr (not a window of a program form).
    static Form* FromWindow(HWND hwnd);
    // Whether `hwnd` is the top-level window of a program form (message boxes and dialogs are not).
    static bool IsFormWindow(HWND hwnd);

protected:
    Form();

    // Registers a control; call in design order from the derived constructor.
    void Add(ControlBase& control, Placement placement);

    // Sets the design values; runs at every Load after the reset to the class defaults.
    virtual void Design() {}

    // Form events.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {}
    virtual void Form_Unload(int& Cancel) {}
    virtual void Form_Resize() {}
    virtual void Form_KeyDown(int& KeyCode, int Shift) {}
    virtual void Form_KeyUp(int& KeyCode, int Shift) {}
    virtual void Form_KeyPress(int& KeyAscii) {}

private:
    friend class ControlBase;
    friend class Control;
    friend class Menu;
    friend class Timer;
    friend class FormRuntime;
    friend LRESULT CALLBACK FormWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM);
    enum class State { Unloaded, Loading, Loaded, Unloading };

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ResetProperties();
    void CreateFormWindow();
    void CreateControlWindows(const ControlBase* container);
    void DestroyFormWindow();
    void EndModal();
    void RestoreFocus();
    bool CanRaise() const { return state_ != State::Unloaded && hwnd_ != nullptr; }
    void RunHandler(const std::function<void()>& handler);
    void EnterBusy() { ++busy_; }
    void LeaveBusy();
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    RECT OuterFromClient(int clientWidth, int clientHeight) const;

    // Keyboard routing (FormKeys_win.cpp): `target` is the control the key was sent to (nullptr: the form).
    // Returns true when the key was used up; otherwise `wParam` holds the (possibly changed) key to deliver.
    bool RouteKeyMessage(Control* target, UINT message, WPARAM& wParam, LPARAM lParam);
    bool TranslateShortcut(int keyCode);
    bool HandleAccessKey(wchar_t character);
    std::vector<Control*> TabOrder() const;
    void MoveFocus(Control* from, bool backward);
    Control* NextFocusableAfter(const Control* control) const;
    void NoteFocus(Control* control) { lastFocus_ = control; }
    void UpdateShownControls();
    HWND ToolTipWindow();

    // Menus (Menu_win.cpp).
    HMENU BuildMenuBar();
    void MenuCommand(UINT id);

    std::vector<ControlBase*> controls_;
    std::vector<Menu*> menus_;  // the menu controls among them, for the shortcut lookup of every key press
    std::function<void(Menu&)> menuObserver_;
    HWND hwnd_ = nullptr;
    State state_ = State::Unloaded;
    bool modal_ = false;
    bool pendingDestroy_ = false;
    int busy_ = 0;
    std::vector<HWND> disabledByModal_;
    Control* lastFocus_ = nullptr;

    std::wstring caption_;
    std::wstring tag_;
    BorderStyle border_ = BorderStyle::Sizable;
    StartUpPosition startUp_ = StartUpPosition::WindowsDefault;
    StdFont font_;
    OleColor backColor_ = kColorButtonFace;
    HICON icon_ = nullptr;
    int mousePointer_ = 0;
    bool positionSet_ = false;  // Left/Top given before the window exists
    int left_ = 0;
    int top_ = 0;
    int width_ = 4800;
    int height_ = 3600;
    std::optional<SIZE> clientRequest_;  // SetClientSize before the window exists
    HWND tooltip_ = nullptr;
};

// The program-wide instance of form class F, created on first use and kept until the program ends (never
// destroyed: its windows must not go away during static destruction, after the message loop has ended).
template <class F> F& TheForm()
{
    static F* const instance = new F();
    return *instance;
}

}  // namespace rt
