#pragma once
// A property page: one tab of a design host's property sheet, editing the controls the host has selected.
// A page is written like a form: its controls are members, added in design order from its constructor with
// AddControl, given their design values in Design(), and its handlers carry the names the design gives:
//
//     class ppgControl : public rt::PropertyPage {
//     public:
//         ppgControl();               // AddControl(...) the controls, assign their events
//         rt::TextBox txtIconSize[2];
//     protected:
//         void Design() override;     // caption, size, control positions...
//         void PropertyPage_SelectionChanged() override;
//         void PropertyPage_ApplyChanges() override;
//     };
//
// The host (a form) places the page and its controls on itself (PageControls), runs Design() at each of its
// loads, calls Initialize once, SetSelection at the first showing and whenever the selection changes, and
// Apply when the user applies; it watches Changed to offer the Apply button.
//
// The page's window is a container with a persistent drawing image (hDC, Cls, RepaintNow) and raises its
// mouse events in twips.
#include "runtime/Control_win.h"
#include "runtime/DrawingImage_win.h"
#include "runtime/Form_win.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace rt {

class UserControl;

class PropertyPage : public Control {
public:
    // The tab's caption.
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) { caption_ = std::move(caption); }

    // The page's changed flag: set by the page when the user alters a value, cleared by the host after apply.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed);
    // The host hears of every change of the flag.
    std::function<void()> ChangedChanged;

    // The controls the host has selected, in the host's order; (i) is nullptr past the end.
    const std::vector<UserControl*>& SelectedControls() const { return selection_; }
    UserControl* SelectedControls(std::size_t i) const { return i < selection_.size() ? selection_[i] : nullptr; }

    // The host's side. The page's controls with their placements (a placement without a container means the
    // page itself).
    const std::vector<std::pair<ControlBase*, Placement>>& PageControls() const { return pageControls_; }
    void RunDesign();
    void Initialize();
    void SetSelection(std::vector<UserControl*> selection);
    void Apply();

    // The persistent drawing image (nullptr while there is no window).
    HDC hDC() const { return image_.dc(); }

protected:
    PropertyPage();
    ~PropertyPage() override;

    void AddControl(ControlBase& control, Placement placement);
    virtual void Design() {}

    virtual void PropertyPage_Initialize() {}
    virtual void PropertyPage_SelectionChanged() {}
    virtual void PropertyPage_ApplyChanges() {}
    virtual void PropertyPage_Paint() {}
    virtual void PropertyPage_MouseDown(int Button, int Shift, float X, float Y) {}
    virtual void PropertyPage_MouseMove(int Button, int Shift, float X, float Y) {}
    virtual void PropertyPage_MouseUp(int Button, int Shift, float X, float Y) {}

    // Drawing image: clear to BackColor (invalidating the window) and show it now.
    void Cls();
    void RepaintNow();

    WindowDescription DescribeWindow() const override { return {}; }
    void OnWindowCreated() override;
    void OnWindowDestroying() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFontChanged() override;
    void OnResize() override;
    void OnMouseDown(int button, int shift, float x, float y) final;
    void OnMouseMove(int button, int shift, float x, float y) final;
    void OnMouseUp(int button, int shift, float x, float y) final;

private:
    void ResizeImage();

    std::wstring caption_;
    bool changed_ = false;
    std::vector<UserControl*> selection_;
    std::vector<std::pair<ControlBase*, Placement>> pageControls_;
    DrawingImage image_;
};

}  // namespace rt
