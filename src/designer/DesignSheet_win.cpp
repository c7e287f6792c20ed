#include "designer/DesignSheet_win.h"

#include <algorithm>

namespace designer {

namespace {
// Twips.
constexpr int kMargin = 120;
constexpr int kTabHeader = 390;  // the row of tabs above a page
constexpr int kInset = 90;       // between the strip's border and the page
constexpr int kButtonWidth = 1125;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 90;
}  // namespace

void DesignSheet::AddPages(std::vector<rt::PropertyPage*> pages)
{
    pages_ = std::move(pages);
    Add(tabPages, {L"tabPages"});
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        rt::PropertyPage& page = *pages_[i];
        Add(page, {L"page", static_cast<int>(i)});
        for (auto [control, placement] : page.PageControls()) {
            if (!placement.container)
                placement.container = &page;
            Add(*control, placement);
        }
        page.ChangedChanged = [this] { UpdateApply(); };
    }
    Add(cmdOK, {L"cmdOK"});
    Add(cmdCancel, {L"cmdCancel"});
    Add(cmdApply, {L"cmdApply"});
    tabPages.Click = [this] { ShowPage(tabPages.SelectedIndex()); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdApply.Click = [this] { cmdApply_Click(); };
}

void DesignSheet::Design()
{
    SetFont(rt::StdFont{L"Tahoma", 8.25});
    SetBorderStyle(rt::BorderStyle::FixedDialog);
    SetStartUpPosition(rt::StartUpPosition::CenterScreen);
    int width = 3 * kButtonWidth + 2 * kButtonGap;
    int height = 0;
    for (rt::PropertyPage* page : pages_) {
        page->RunDesign();
        width = std::max(width, page->Width());
        height = std::max(height, page->Height());
        tabPages.AddTab(page->Caption());
    }
    const int stripWidth = width + 2 * kInset;
    tabPages.Move(kMargin, kMargin, stripWidth, height + kTabHeader + kInset);
    for (rt::PropertyPage* page : pages_)
        page->Move(kMargin + kInset, kMargin + kTabHeader, page->Width(), page->Height());
    const int buttonsTop = tabPages.Top() + tabPages.Height() + kMargin;
    const int right = kMargin + stripWidth;
    cmdApply.Move(right - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    cmdCancel.Move(cmdApply.Left() - kButtonGap - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    cmdOK.Move(cmdCancel.Left() - kButtonGap - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    cmdOK.SetCaption(L"OK");
    cmdOK.SetDefault(true);
    cmdCancel.SetCaption(L"Cancel");
    // No access key: the pages' own keys take every letter of it ("&Add...", "&Pick...", "Co&lour", "&Y"), and
    // a shared key would send every other press to Apply.
    cmdApply.SetCaption(L"Apply");
    cmdApply.SetEnabled(false);
    sheetHeight_ = buttonsTop + kButtonHeight + kMargin;
    SetClientSize(right + kMargin, sheetHeight_);
}

void DesignSheet::Form_Load()
{
    unsaved_ = false;
    shown_.assign(pages_.size(), false);
    for (rt::PropertyPage* page : pages_) {
        page->SetChanged(false);
        page->Initialize();
    }
    if (!pages_.empty())
        ShowPage(tabPages.SelectedIndex());
    UpdateApply();
}

void DesignSheet::SetSelection(std::vector<rt::UserControl*> selection)
{
    selection_ = std::move(selection);
    if (!IsLoaded())
        return;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (shown_[i])
            pages_[i]->SetSelection(selection_);
}

void DesignSheet::ShowPage(int index)
{
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        return;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->SetVisible(static_cast<int>(i) == index);
    // A control of the page just hidden would still take the keys, and Enter would press its button.
    if (HWND focus = GetFocus(); focus && hWnd() && IsChild(hWnd(), focus) && !IsWindowVisible(focus))
        tabPages.SetFocus();
    if (!shown_[index]) {
        shown_[index] = true;
        pages_[index]->SetSelection(selection_);
    }
}

bool DesignSheet::AnyChanged() const
{
    return std::any_of(pages_.begin(), pages_.end(), [](auto* page) { return page->Changed(); });
}

void DesignSheet::UpdateApply()
{
    cmdApply.SetEnabled(AnyChanged());
}

bool DesignSheet::ApplyAll()
{
    for (rt::PropertyPage* page : pages_) {
        if (page->Changed()) {
            page->SetChanged(false);
            page->Apply();
            unsaved_ = true;
        }
    }
    const bool saved = SaveChanges(unsaved_);
    if (saved)
        unsaved_ = false;
    UpdateApply();
    return saved && !AnyChanged();
}

void DesignSheet::cmdOK_Click()
{
    if (ApplyAll())
        Unload();
}

void DesignSheet::cmdCancel_Click()
{
    Unload();
}

void DesignSheet::cmdApply_Click()
{
    ApplyAll();
}

namespace {

// A combo box whose list is dropped down: Enter and Esc close its list, as in any dialog.
bool DroppedListHasFocus()
{
    for (HWND window = GetFocus(); window; window = GetParent(window)) {
        wchar_t name[16] = {};
        if (GetClassNameW(window, name, 16) && _wcsicmp(name, L"ComboBox") == 0)
            return SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (GetWindowLongW(window, GWL_STYLE) & WS_POPUP || !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
            break;
    }
    return false;
}

}  // namespace

void DesignSheet::Form_KeyDown(int& KeyCode, int Shift)
{
    constexpr int kCtrl = 2, kShift = 1;
    if ((KeyCode == VK_RETURN || KeyCode == VK_ESCAPE) && DroppedListHasFocus())
        return;
    if (KeyCode == VK_RETURN && Shift == 0) {
        auto* focused = dynamic_cast<rt::CommandButton*>(ActiveControl());
        SendMessageW((focused ? *focused : cmdOK).hWnd(), BM_CLICK, 0, 0);
        KeyCode = 0;
    } else if (KeyCode == VK_ESCAPE && Shift == 0) {
        SendMessageW(cmdCancel.hWnd(), BM_CLICK, 0, 0);
        KeyCode = 0;
    } else if (KeyCode == VK_TAB && (Shift & kCtrl)) {
        tabPages.NextTab((Shift & kShift) != 0);
        KeyCode = 0;
    }
}

void DesignSheet::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii == '\r' || KeyAscii == 27)
        KeyAscii = 0;  // used up by Form_KeyDown
}

}  // namespace designer
