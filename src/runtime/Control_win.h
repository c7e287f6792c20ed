#pragma once
// The controls of a form. ControlBase holds what every control has (Name, Index, Tag, Visible, Enabled, its
// form and container); Control adds a child window: twips geometry, tab order, focus, keyboard and mouse
// input routed through the form's key preview, access keys and the mouse pointer.
//
// Conventions of the whole form runtime:
// - Properties live in the C++ object. While the form is loaded they are reflected to the window; otherwise
//   reading or writing them only touches the object, never loads the form and never raises an event.
// - Every Load starts from the design state: each control is reset to its class defaults, then the form's
//   Design() sets the design values.
// - Events are std::function members, assigned by the form (usually in its constructor). Arguments that a
//   handler may change are references (KeyAscii, KeyCode, Button). A control array's form captures the Index
//   in the lambda it assigns. Events are raised only while the form is loaded.
// - Derived controls (intrinsic ones and user controls) override the On... hooks; the default hooks raise the
//   events. A hook that overrides one is responsible for raising its event.
#include "runtime/Graphics_win.h"
#include "runtime/StdFont.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace rt {

class Form;
// Internal: the window procedures of controls (the runtime's own class; subclassed system classes).
LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM);

// Text alignment of text boxes and labels.
enum class Alignment { Left = 0, Right = 1, Center = 2 };

class ControlBase {
public:
    ControlBase(const ControlBase&) = delete;
    ControlBase& operator=(const ControlBase&) = delete;
    virtual ~ControlBase() = default;

    // Design identity, fixed when the form adds the control.
    const std::wstring& Name() const { return name_; }
    std::optional<int> Index() const { return index_; }  // empty for a control that is not in an array
    Form* Parent() const { return form_; }
    ControlBase* Container() const { return container_; }  // nullptr: the form itself

    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag) { tag_ = std::move(tag); }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

protected:
    ControlBase() = default;

    // Position in the form's design order.
    int DesignOrder() const { return order_; }

    // Back to the class defaults; every override calls its base first.
    virtual void ResetProperties();
    // The form's windows were created / are about to be destroyed.
    virtual void OnFormCreated() {}
    virtual void OnFormDestroying() {}

    // Raises `event` with `args` when it is set and the form may raise events; an exception from the handler
    // goes to the error state and the caller carries on.
    template <class... Params, class... Args>
    void Raise(const std::function<void(Params...)>& event, Args&&... args) const
    {
        if (event)
            RunHandler([&] { event(std::forward<Args>(args)...); });
    }
    void RunHandler(const std::function<void()>& handler) const;

private:
    friend class Form;
    Form* form_ = nullptr;
    ControlBase* container_ = nullptr;
    std::wstring name_;
    std::optional<int> index_;
    int order_ = 0;  // position in the form's design order
    std::wstring tag_;
    bool visible_ = true;
    bool enabled_ = true;
};

// A control with a child window.
class Control : public ControlBase {
public:
    // Geometry in twips, relative to the container's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { Move(left, top_, width_, height_); }
    void SetTop(int top) { Move(left_, top, width_, height_); }
    void SetWidth(int width) { Move(left_, top_, width, height_); }
    void SetHeight(int height) { Move(left_, top_, width_, height); }
    virtual void Move(int left, int top, int width, int height);

    // Tab order: ascending TabIndex (ties in design order); the default is the design order.
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int tabIndex) { tabIndex_ = tabIndex; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }

    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;

    // The control's own font, or else the form's.
    const StdFont& Font() const;
    virtual void SetFont(const StdFont& font);
    double FontSize() const { return Font().size; }
    void SetFontSize(double points);
    bool FontBold() const { return Font().bold; }
    void SetFontBold(bool bold);

    OleColor BackColor() const { return backColor_; }
    virtual void SetBackColor(OleColor color);
    OleColor ForeColor() const { return foreColor_; }
    virtual void SetForeColor(OleColor color);

    // kPointerDefault, a standard pointer, or kPointerCustom to show MouseIcon (not owned).
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer) { mousePointer_ = pointer; }
    HCURSOR MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(HCURSOR cursor) { mouseIcon_ = cursor; }

    const std::wstring& ToolTipText() const { return toolTip_; }
    void SetToolTipText(std::wstring text);

    // Gives the control the keyboard focus; does nothing when it cannot take it (disabled, hidden, the form
    // not shown).
    void SetFocus();
    bool HasFocus() const;
    // 0 brings the control to the front of its siblings, 1 sends it to the back.
    void ZOrder(int position = 0);
    // Repaints the control at once.
    void Refresh();
    HWND hWnd() const { return hwnd_; }

    ~Control() override;

    // Events (see the conventions above).
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> Click;
    std::function<void(int& KeyCode, int Shift)> KeyDown;
    std::function<void(int& KeyCode, int Shift)> KeyUp;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int& Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int& Button, int Shift, float X, float Y)> MouseMove;
    std::function<void(int& Button, int Shift, float X, float Y)> MouseUp;

    // The Control that owns `hwnd`, or nullptr.
    static Control* FromWindow(HWND hwnd);

protected:
    // What a control class is.
    struct Traits {
        bool canFocus = false;        // takes part in tab order and can hold the focus
        bool isContainer = false;     // other controls may be placed inside it
        bool clickFromMouse = false;  // the runtime turns a left press and release into OnClick (own windows)
    };
    explicit Control(Traits traits) : traits_(traits) {}

    // The window to create. A null className creates a window of the runtime's own control class (the control
    // paints itself in WindowProc); otherwise a system class that the runtime subclasses.
    struct WindowDescription {
        const wchar_t* className = nullptr;
        DWORD style = 0;  // WS_CHILD, WS_VISIBLE, WS_DISABLED and WS_CLIPSIBLINGS are added
        DWORD exStyle = 0;
        std::wstring text;
    };
    virtual WindowDescription DescribeWindow() const = 0;
    // The window exists: push the properties to it. The base sends the font.
    virtual void OnWindowCreated();
    // The window is about to go: keep whatever the window held that the object must remember.
    virtual void OnWindowDestroying() {}

    // Messages that reach the control after the runtime's routing (keys, mouse, focus, cursor, access keys).
    // The default passes them to the window class's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
    // Notifications the container forwards back to the control (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM,
    // WM_NOTIFY). Return true when handled, with the result in `result`.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Colours a WM_CTLCOLOR* device context with ForeColor/BackColor; returns the background brush.
    LRESULT ColorDc(HDC dc) const;

    // Input hooks. Button: 1 left, 2 right, 4 middle (MouseMove: the buttons held); Shift: 1 Shift, 2 Ctrl,
    // 4 Alt; X and Y in twips. The defaults raise the events. A key hook that sets the code to 0 stops it.
    virtual void OnKeyDown(int& keyCode, int shift) { Raise(KeyDown, keyCode, shift); }
    virtual void OnKeyUp(int& keyCode, int shift) { Raise(KeyUp, keyCode, shift); }
    virtual void OnKeyPress(int& keyAscii) { Raise(KeyPress, keyAscii); }
    virtual void OnMouseDown(int button, int shift, float x, float y);
    virtual void OnMouseMove(int button, int shift, float x, float y);
    virtual void OnMouseUp(int button, int shift, float x, float y);
    virtual void OnClick() { Raise(Click); }
    // The second press of a double click (own windows); it comes in place of OnMouseDown, and its release
    // gives OnMouseUp without OnClick.
    virtual void OnDblClick() {}
    virtual void OnGotFocus() { Raise(GotFocus); }
    virtual void OnLostFocus() { Raise(LostFocus); }
    // Alt with one of AccessKeys() was pressed.
    virtual void OnAccessKey() {}
    // The control became visible (its form shown, or Visible set) / hidden; its window's size changed.
    virtual void OnShow() {}
    virtual void OnHide() {}
    virtual void OnResize() {}
    virtual void OnFontChanged();

    // Lower-case characters that act as the control's access keys with Alt ("" for none).
    const std::wstring& AccessKeys() const { return accessKeys_; }
    void SetAccessKeys(std::wstring lowerCaseKeys) { accessKeys_ = std::move(lowerCaseKeys); }
    // The access key marked by "&" in a caption ("&&" is a literal ampersand), lower-cased; "" when none.
    static std::wstring AccessKeyOf(const std::wstring& caption);

    void ResetProperties() override;
    void OnFormCreated() override;
    void OnFormDestroying() override;

    // The first control after this one in tab order that can take the focus now (tab stop or not).
    Control* NextInTabOrder() const;
    // Whether the control and all its containers are visible / enabled, and the form is loaded.
    bool IsShowable() const;
    bool IsUsable() const;
    const Traits& ControlTraits() const { return traits_; }
    HFONT FontHandle() const { return CachedFont(Font()); }
    // Client-area size in pixels (0 while there is no window).
    SIZE ClientPixels() const;
    // The colour behind the control: its container's BackColor (the form's, or a frame's).
    OleColor ContainerBackColor() const;

private:
    friend class Form;
    friend class FormRuntime;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM);
    void CreateWindowNow();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void NotifyShown(bool shown);
    void Detach();
    void DeliverFocusEvent(bool gained);
    void UpdateToolTip();

    Traits traits_;
    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    WNDPROC originalProc_ = nullptr;
    bool shown_ = false;  // OnShow given, no OnHide since
    int left_ = 0;
    int top_ = 0;
    int width_ = 1215;
    int height_ = 495;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    std::optional<StdFont> font_;
    OleColor backColor_ = kColorButtonFace;
    OleColor foreColor_ = kColorButtonText;
    int mousePointer_ = 0;
    HCURSOR mouseIcon_ = nullptr;
    std::wstring toolTip_;
    std::wstring accessKeys_;
    int pressed_ = 0;              // mouse buttons pressed on the control and not yet released
    bool clickArmed_ = false;      // a left press that its release may turn into OnClick
    bool gotFocusRaised_ = false;  // GotFocus raised and LostFocus not yet
};

}  // namespace rt
