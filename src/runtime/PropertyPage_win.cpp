#include "runtime/PropertyPage_win.h"

namespace rt {

PropertyPage::PropertyPage() : Control(Traits{.isContainer = true, .clickFromMouse = true}) {}

PropertyPage::~PropertyPage() = default;

void PropertyPage::AddControl(ControlBase& control, Placement placement)
{
    pageControls_.emplace_back(&control, std::move(placement));
}

void PropertyPage::SetChanged(bool changed)
{
    if (changed == changed_)
        return;
    changed_ = changed;
    if (ChangedChanged)
        ChangedChanged();
}

void PropertyPage::RunDesign()
{
    SetTabStop(false);
    Design();  // part of the host's Design: the host's load catches what it throws
}

void PropertyPage::Initialize()
{
    RunHandler([this] { PropertyPage_Initialize(); });
}

void PropertyPage::SetSelection(std::vector<UserControl*> selection)
{
    selection_ = std::move(selection);
    RunHandler([this] { PropertyPage_SelectionChanged(); });
}

void PropertyPage::Apply()
{
    RunHandler([this] { PropertyPage_ApplyChanges(); });
}

void PropertyPage::OnWindowCreated()
{
    Control::OnWindowCreated();
    image_.Create(FontHandle(), TranslateColor(ForeColor()));
    ResizeImage();
}

void PropertyPage::OnWindowDestroying()
{
    image_.Release();
}

void PropertyPage::OnFontChanged()
{
    image_.SetFont(FontHandle());
}

void PropertyPage::OnResize()
{
    ResizeImage();
}

void PropertyPage::ResizeImage()
{
    if (image_.Resize(ClientPixels(), TranslateColor(BackColor()))) {
        RunHandler([this] { PropertyPage_Paint(); });
        if (hWnd())
            InvalidateRect(hWnd(), nullptr, FALSE);
    }
}

void PropertyPage::Cls()
{
    if (!image_)
        return;
    image_.Clear(TranslateColor(BackColor()));
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
}

void PropertyPage::RepaintNow()
{
    if (hWnd())
        UpdateWindow(hWnd());
}

LRESULT PropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; image_.PaintMessage(hWnd(), message, wParam, result))
        return result;
    return Control::WindowProc(message, wParam, lParam);
}

void PropertyPage::OnMouseDown(int button, int shift, float x, float y)
{
    RunHandler([&] { PropertyPage_MouseDown(button, shift, x, y); });
    Control::OnMouseDown(button, shift, x, y);
}

void PropertyPage::OnMouseMove(int button, int shift, float x, float y)
{
    RunHandler([&] { PropertyPage_MouseMove(button, shift, x, y); });
    Control::OnMouseMove(button, shift, x, y);
}

void PropertyPage::OnMouseUp(int button, int shift, float x, float y)
{
    RunHandler([&] { PropertyPage_MouseUp(button, shift, x, y); });
    Control::OnMouseUp(button, shift, x, y);
}

}  // namespace rt
