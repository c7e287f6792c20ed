#include "runtime/Containers_win.h"

#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"

namespace rt {

// Frame

Frame::Frame() : Control(Traits{.isContainer = true, .clickFromMouse = true}) {}

void Frame::ResetProperties()
{
    Control::ResetProperties();
    SetTabStop(false);
    caption_.clear();
}

Control::WindowDescription Frame::DescribeWindow() const
{
    return WindowDescription{.style = WS_CLIPCHILDREN, .text = {}};
}

void Frame::SetCaption(std::wstring caption)
{
    caption_ = std::move(caption);
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

LRESULT Frame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return Control::WindowProc(message, wParam, lParam);
    PaintScope paint(hWnd());
    HDC dc = paint.dc();
    RECT client{};
    GetClientRect(hWnd(), &client);
    FillRect(dc, &client, CachedBrush(TranslateColor(BackColor())));
    SelectScope font(dc, FontHandle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT border = client;
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    if (!caption_.empty()) {
        RECT text{8, 0, client.right - 8, metrics.tmHeight};
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, DT_CALCRECT | DT_SINGLELINE);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, TranslateColor(BackColor()));
        SetTextColor(dc, TranslateColor(ForeColor()));
        text.right += 2;
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, DT_SINGLELINE | DT_CENTER);
    }
    return 0;
}

// PictureBox

PictureBox::PictureBox() : Control(Traits{.isContainer = true, .clickFromMouse = true}) {}

void PictureBox::ResetProperties()
{
    Control::ResetProperties();
    SetTabStop(false);
    picture_ = nullptr;
    border_ = true;
}

Control::WindowDescription PictureBox::DescribeWindow() const
{
    return WindowDescription{.exStyle = border_ ? static_cast<DWORD>(WS_EX_CLIENTEDGE) : 0u, .text = {}};
}

void PictureBox::SetPicture(HICON picture)
{
    picture_ = picture;
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

LRESULT PictureBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return Control::WindowProc(message, wParam, lParam);
    PaintScope paint(hWnd());
    RECT client{};
    GetClientRect(hWnd(), &client);
    FillRect(paint.dc(), &client, CachedBrush(TranslateColor(BackColor())));
    if (picture_)
        DrawIconEx(paint.dc(), 0, 0, picture_, 0, 0, 0, nullptr, DI_NORMAL);
    return 0;
}

}  // namespace rt
