#include "runtime/ScrollBar_win.h"

#include <algorithm>

namespace rt {

HScrollBar::HScrollBar() : Control(Traits{.canFocus = true}) {}

void HScrollBar::ResetProperties()
{
    Control::ResetProperties();
    value_ = 0;
    min_ = 0;
    max_ = 32767;
    smallChange_ = 1;
    largeChange_ = 1;
    dragged_ = false;
}

Control::WindowDescription HScrollBar::DescribeWindow() const
{
    return WindowDescription{.className = L"SCROLLBAR", .style = SBS_HORZ | WS_TABSTOP, .text = {}};
}

void HScrollBar::OnWindowCreated()
{
    Control::OnWindowCreated();
    ShowRange();
}

// The window's range runs from Min to Max plus one page less one, so that the thumb's left edge reaches Max.
void HScrollBar::ShowRange()
{
    if (!hWnd())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = min_;
    info.nMax = max_ + largeChange_ - 1;
    info.nPage = static_cast<UINT>(largeChange_);
    info.nPos = value_;
    SetScrollInfo(hWnd(), SB_CTL, &info, TRUE);
}

void HScrollBar::SetValue(int value)
{
    if (value < min_ || value > max_)
        return;
    MoveTo(value, false);
}

void HScrollBar::SetMin(int min)
{
    min_ = std::min(min, max_);
    ShowRange();
    if (value_ < min_)
        MoveTo(min_, false);
}

void HScrollBar::SetMax(int max)
{
    max_ = std::max(max, min_);
    ShowRange();
    if (value_ > max_)
        MoveTo(max_, false);
}

void HScrollBar::SetLargeChange(int change)
{
    largeChange_ = change > 0 ? change : 1;
    ShowRange();
}

void HScrollBar::MoveTo(int value, bool dragging)
{
    value = std::clamp(value, min_, max_);
    if (value == value_)
        return;
    value_ = value;
    if (hWnd())
        SetScrollPos(hWnd(), SB_CTL, value_, TRUE);
    if (dragging) {
        dragged_ = true;
        Raise(Scroll);
    } else {
        Raise(Change);
    }
}

bool HScrollBar::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_HSCROLL)
        return false;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        MoveTo(value_ - smallChange_, false);
        break;
    case SB_LINERIGHT:
        MoveTo(value_ + smallChange_, false);
        break;
    case SB_PAGELEFT:
        MoveTo(value_ - largeChange_, false);
        break;
    case SB_PAGERIGHT:
        MoveTo(value_ + largeChange_, false);
        break;
    case SB_LEFT:
        MoveTo(min_, false);
        break;
    case SB_RIGHT:
        MoveTo(max_, false);
        break;
    case SB_THUMBTRACK: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hWnd(), SB_CTL, &info);
        MoveTo(info.nTrackPos, true);
        break;
    }
    case SB_THUMBPOSITION:
    case SB_ENDSCROLL:
        // A drag ends in one Change for the value it reached.
        if (dragged_) {
            dragged_ = false;
            Raise(Change);
        }
        break;
    default:
        break;
    }
    result = 0;
    return true;
}

}  // namespace rt
