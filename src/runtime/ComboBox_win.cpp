#include "runtime/ComboBox_win.h"

#include "runtime/LastError_win.h"
#include "runtime/Screen_win.h"

namespace rt {

namespace {
constexpr int kVisibleEntries = 8;  // entries shown at once when the list drops down
}

ComboBox::ComboBox() : Control(Traits{.canFocus = true}) {}

void ComboBox::ResetProperties()
{
    Control::ResetProperties();
    items_.clear();
    listIndex_ = -1;
}

Control::WindowDescription ComboBox::DescribeWindow() const
{
    return WindowDescription{.className = L"COMBOBOX", .style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, .text = {}};
}

void ComboBox::OnWindowCreated()
{
    Control::OnWindowCreated();
    for (const Item& item : items_)
        SendMessageW(hWnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
    FitDropDown();
}

// The window of a drop-down list is as tall as the field and its dropped list together; Height is the field.
void ComboBox::FitDropDown()
{
    if (!hWnd())
        return;
    const auto entry = static_cast<int>(SendMessageW(hWnd(), CB_GETITEMHEIGHT, 0, 0));
    const int field = PixelsFromTwipsY(Height());
    if (!SetWindowPos(hWnd(), nullptr, 0, 0, PixelsFromTwipsX(Width()), field + kVisibleEntries * entry + 2,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        RT_LOG_LAST_ERROR("SetWindowPos");
}

void ComboBox::Move(int left, int top, int width, int height)
{
    Control::Move(left, top, width, height);
    FitDropDown();
}

void ComboBox::AddItem(std::wstring text, std::optional<int> index)
{
    int at = ListCount();
    if (index && *index >= 0 && *index < ListCount())
        at = *index;
    items_.insert(items_.begin() + at, Item{std::move(text), 0});
    if (listIndex_ >= at)
        ++listIndex_;  // the selected entry moved down, as the window's own selection does
    if (hWnd())
        SendMessageW(hWnd(), CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(items_[at].text.c_str()));
}

void ComboBox::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    items_.erase(items_.begin() + index);
    if (hWnd())
        SendMessageW(hWnd(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (listIndex_ == index)
        SetListIndex(-1);
    else if (listIndex_ > index)
        --listIndex_;
}

void ComboBox::Clear()
{
    items_.clear();
    if (hWnd())
        SendMessageW(hWnd(), CB_RESETCONTENT, 0, 0);
    listIndex_ = -1;
}

std::wstring ComboBox::List(int index) const
{
    return index >= 0 && index < ListCount() ? items_[index].text : std::wstring();
}

long ComboBox::ItemData(int index) const
{
    return index >= 0 && index < ListCount() ? items_[index].data : 0;
}

void ComboBox::SetItemData(int index, long data)
{
    if (index >= 0 && index < ListCount())
        items_[index].data = data;
}

void ComboBox::SetListIndex(int index)
{
    if (index < -1 || index >= ListCount() || index == listIndex_)
        return;
    listIndex_ = index;
    if (hWnd())
        SendMessageW(hWnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Raise(Click);
}

bool ComboBox::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        const auto selected = static_cast<int>(SendMessageW(hWnd(), CB_GETCURSEL, 0, 0));
        if (selected != listIndex_) {
            listIndex_ = selected;
            Raise(Click);
        }
        return true;
    }
    return false;
}

}  // namespace rt
