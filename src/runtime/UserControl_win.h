#pragma once
// The user control: a control the program builds itself on a plain child window that it paints. A derived
// control overrides the UserControl_... handlers and raises its own events to the host (Click, MouseDown...,
// by reference where the host may change an argument).
//
// Life on every load of the form: the window is created, then UserControl_Initialize, then
// UserControl_ReadProperties with the design property set the form gave (SetDesignProperties in its Design),
// or UserControl_InitProperties when it gave none (a control placed new), then UserControl_Resize. Show and
// Hide follow the control's visibility on screen; UserControl_Terminate runs before the window goes.
// A left press or the control's access key (AccessKeys, with Alt) gives it the focus, as for a push button.
//
// Drawing goes to a persistent image of the window's client area (hDC): Cls clears it to BackColor and
// invalidates the window, the window shows the image whenever it is painted, and RepaintNow paints at once.
// The image keeps its text colour (ForeColor unless the control sets another) and font between draws.
#include "runtime/Control_win.h"
#include "runtime/DrawingImage_win.h"
#include "runtime/PropertyBag.h"

#include <windows.h>

#include <string>
#include <vector>

namespace rt {

// What the container tells its controls.
struct AmbientProperties {
    std::wstring DisplayName;       // the control's name as the container knows it: "cmdCalcula(4)"
    bool UserMode = true;           // false only while the container is being designed
    bool DisplayAsDefault = false;  // the control is the container's default button
};

class UserControl : public Control {
public:
    // The control's design data, read at every load (ReadProperties). Call from the form's Design(); without
    // it the control starts as newly placed (InitProperties).
    void SetDesignProperties(PropertyBag bag)
    {
        design_ = std::move(bag);
        hasDesign_ = true;
    }
    // The control's current property set as WriteProperties gives it.
    PropertyBag SaveProperties();

    // The container's side of the ambient properties; they stay across loads.
    AmbientProperties Ambient() const;
    void SetAmbientUserMode(bool userMode) { userMode_ = userMode; }
    void SetAmbientDisplayAsDefault(bool displayAsDefault) { displayAsDefault_ = displayAsDefault; }

    // Keys of the PropertyChanged notifications since the control was last loaded, in order.
    const std::vector<std::wstring>& PropertyChanges() const { return propertyChanges_; }
    void ClearPropertyChanges() { propertyChanges_.clear(); }

    // The persistent drawing image (nullptr while there is no window).
    HDC hDC() const { return image_.dc(); }

    void SetForeColor(OleColor color) override;

protected:
    UserControl();
    ~UserControl() override;

    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(const PropertyBag& PropBag) {}
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Terminate() {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_AccessKeyPress(int KeyAscii) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_MouseDown(int Button, int Shift, float X, float Y) {}
    virtual void UserControl_MouseMove(int Button, int Shift, float X, float Y) {}
    virtual void UserControl_MouseUp(int Button, int Shift, float X, float Y) {}
    virtual void UserControl_KeyDown(int& KeyCode, int Shift) {}
    virtual void UserControl_KeyUp(int& KeyCode, int Shift) {}
    virtual void UserControl_KeyPress(int& KeyAscii) {}
    // A timer started with StartTimer ticked.
    virtual void UserControl_Timer(UINT_PTR id) {}

    // Tells the host that a persisted property changed (recorded in PropertyChanges).
    void PropertyChanged(std::wstring key) { propertyChanges_.push_back(std::move(key)); }

    // Drawing image: clear to BackColor (invalidating the window) and show it now.
    void Cls();
    void RepaintNow();

    // Window timers of the control; they stop when the window goes.
    void StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);

    WindowDescription DescribeWindow() const override { return {}; }
    void OnWindowCreated() override;
    void OnWindowDestroying() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ResetProperties() override;
    void OnFontChanged() override;

private:
    void OnKeyDown(int& keyCode, int shift) final { UserControl_KeyDown(keyCode, shift); }
    void OnKeyUp(int& keyCode, int shift) final { UserControl_KeyUp(keyCode, shift); }
    void OnKeyPress(int& keyAscii) final { UserControl_KeyPress(keyAscii); }
    void OnMouseDown(int button, int shift, float x, float y) final;
    void OnMouseMove(int button, int shift, float x, float y) final { UserControl_MouseMove(button, shift, x, y); }
    void OnMouseUp(int button, int shift, float x, float y) final { UserControl_MouseUp(button, shift, x, y); }
    void OnClick() final { UserControl_Click(); }
    void OnDblClick() final;
    void OnGotFocus() final;
    void OnLostFocus() final;
    void OnAccessKey() final;
    void OnShow() final;
    void OnHide() final;
    void OnResize() final;

    void ResizeImage();

    PropertyBag design_;
    bool hasDesign_ = false;
    bool started_ = false;  // Initialize and Read/InitProperties have run on the current window
    bool userMode_ = true;
    bool displayAsDefault_ = false;
    std::vector<std::wstring> propertyChanges_;
    std::vector<UINT_PTR> timers_;

    DrawingImage image_;
};

}  // namespace rt
