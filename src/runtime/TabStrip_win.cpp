#include "runtime/TabStrip_win.h"

#include "runtime/Screen_win.h"

#include <commctrl.h>

namespace rt {

TabStrip::TabStrip() : Control(Traits{.canFocus = true}) {}

void TabStrip::ResetProperties()
{
    Control::ResetProperties();
    captions_.clear();
    selected_ = 0;
}

Control::WindowDescription TabStrip::DescribeWindow() const
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;  // without it the window is not made, which CreateWindowNow reports
    return WindowDescription{.className = WC_TABCONTROLW, .style = WS_TABSTOP | TCS_FOCUSONBUTTONDOWN, .text = {}};
}

void TabStrip::OnWindowCreated()
{
    Control::OnWindowCreated();
    for (std::size_t i = 0; i < captions_.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions_[i].c_str());
        SendMessageW(hWnd(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(hWnd(), TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void TabStrip::AddTab(std::wstring caption)
{
    captions_.push_back(std::move(caption));
    if (hWnd()) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions_.back().c_str());
        SendMessageW(hWnd(), TCM_INSERTITEMW, captions_.size() - 1, reinterpret_cast<LPARAM>(&item));
    }
}

void TabStrip::SetSelectedIndex(int index)
{
    if (index < 0 || index >= TabCount() || index == selected_)
        return;
    selected_ = index;
    if (hWnd())
        SendMessageW(hWnd(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Raise(Click);
}

void TabStrip::NextTab(bool backward)
{
    if (TabCount() > 1)
        SetSelectedIndex((selected_ + (backward ? TabCount() - 1 : 1)) % TabCount());
}

RECT TabStrip::DisplayArea() const
{
    RECT area{0, 0, PixelsFromTwipsX(Width()), PixelsFromTwipsY(Height())};
    if (hWnd())
        SendMessageW(hWnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return RECT{Left() + TwipsFromPixelsX(area.left), Top() + TwipsFromPixelsY(area.top),
                Left() + TwipsFromPixelsX(area.right), Top() + TwipsFromPixelsY(area.bottom)};
}

bool TabStrip::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE)
        return false;
    const auto now = static_cast<int>(SendMessageW(hWnd(), TCM_GETCURSEL, 0, 0));
    if (now >= 0 && now != selected_) {
        selected_ = now;
        Raise(Click);
    }
    result = 0;
    return true;
}

}  // namespace rt
