#include "runtime/TextBox_win.h"

#include "runtime/Form_win.h"

#include <algorithm>
#include <utility>

namespace rt {

namespace {

DWORD AlignmentStyle(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return ES_RIGHT;
    case Alignment::Center:
        return ES_CENTER;
    case Alignment::Left:
    default:
        return ES_LEFT;
    }
}

// EM_SETLIMITTEXT with 0 lifts the limit to the largest the control allows.
WPARAM LimitOf(int maxLength)
{
    return static_cast<WPARAM>(maxLength > 0 ? maxLength : 0);
}

}  // namespace

TextBox::TextBox() : Control(Traits{.canFocus = true}) {}

void TextBox::ResetProperties()
{
    Control::ResetProperties();
    SetBackColor(kColorWindowBackground);
    SetForeColor(kColorWindowText);
    text_.clear();
    selStart_ = 0;
    selLength_ = 0;
    maxLength_ = 0;
    locked_ = false;
    alignment_ = Alignment::Left;
    multiLine_ = false;
    scrollBars_ = ScrollBars::None;
}

Control::WindowDescription TextBox::DescribeWindow() const
{
    WindowDescription window;
    window.className = L"EDIT";
    window.exStyle = WS_EX_CLIENTEDGE;
    window.style = AlignmentStyle(alignment_) | (locked_ ? ES_READONLY : 0);
    if (multiLine_) {
        window.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
        const auto bars = static_cast<int>(scrollBars_);
        if (bars & static_cast<int>(ScrollBars::Horizontal))
            window.style |= WS_HSCROLL | ES_AUTOHSCROLL;
        if (bars & static_cast<int>(ScrollBars::Vertical))
            window.style |= WS_VSCROLL;
    } else {
        window.style |= ES_AUTOHSCROLL;
    }
    window.text = text_;  // the window starts with it: one trip to the window server less than setting it
    return window;
}

void TextBox::OnWindowCreated()
{
    Control::OnWindowCreated();
    settingUp_ = true;
    SendMessageW(hWnd(), EM_SETLIMITTEXT, LimitOf(maxLength_), 0);
    if (selStart_ != 0 || selLength_ != 0)
        SendMessageW(hWnd(), EM_SETSEL, static_cast<WPARAM>(selStart_), static_cast<LPARAM>(selStart_ + selLength_));
    settingUp_ = false;
    // The window holds the text from now on.
    text_.clear();
    text_.shrink_to_fit();
}

void TextBox::OnWindowDestroying()
{
    text_ = Text();
    known_.reset();
    selStart_ = SelStart();
    selLength_ = SelLength();
}

std::wstring TextBox::Text() const
{
    if (!hWnd())
        return text_;
    if (known_)
        return *known_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hWnd())), L'\0');
    const int copied = GetWindowTextW(hWnd(), text.data(), static_cast<int>(text.size()) + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

int TextBox::TextLength() const
{
    if (known_)
        return static_cast<int>(known_->size());
    return hWnd() ? GetWindowTextLengthW(hWnd()) : static_cast<int>(text_.size());
}

void TextBox::SetText(const std::wstring& text)
{
    if (!hWnd()) {
        text_ = text;
        selStart_ = 0;
        selLength_ = 0;
        return;
    }
    const std::wstring current = Text();
    if (current == text)
        return;
    known_.reset();
    const int serial = ++writeSerial_;
    const bool wasWriting = std::exchange(writing_, true);
    const auto length = static_cast<WPARAM>(current.size());
    if (multiLine_ && maxLength_ == 0 && text.size() > current.size() && text.starts_with(current)) {
        // Appending to a long text (the tape): only the new part goes through the edit control.
        SendMessageW(hWnd(), EM_SETSEL, length, static_cast<LPARAM>(length));
        SendMessageW(hWnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str() + current.size()));
        SendMessageW(hWnd(), EM_SETSEL, 0, 0);
    } else {
        SetWindowTextW(hWnd(), text.c_str());
    }
    writing_ = wasWriting;
    if (hWnd() && serial == writeSerial_)  // nothing wrote again meanwhile
        known_ = text;
    Raise(Change);
}

int TextBox::SelStart() const
{
    if (!hWnd())
        return selStart_;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TextBox::SelLength() const
{
    if (!hWnd())
        return selLength_;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TextBox::SetSelStart(int start)
{
    if (start < 0)
        return;
    start = std::min(start, TextLength());
    if (!hWnd()) {
        selStart_ = start;
        selLength_ = 0;
        return;
    }
    SendMessageW(hWnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start));
    SendMessageW(hWnd(), EM_SCROLLCARET, 0, 0);
}

void TextBox::SetSelLength(int length)
{
    if (length < 0)
        return;
    const int start = SelStart();
    length = std::min(length, TextLength() - start);
    if (!hWnd()) {
        selLength_ = length;
        return;
    }
    SendMessageW(hWnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

std::wstring TextBox::SelText() const
{
    const std::wstring text = Text();
    const auto start = std::min(static_cast<size_t>(SelStart()), text.size());
    return text.substr(start, static_cast<size_t>(SelLength()));
}

void TextBox::SetSelText(const std::wstring& text)
{
    if (!hWnd()) {
        ClampSelection();
        text_.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), text);
        selStart_ += static_cast<int>(text.size());
        selLength_ = 0;
        return;
    }
    known_.reset();
    SendMessageW(hWnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TextBox::AppendText(const std::wstring& text)
{
    if (!hWnd()) {
        text_ += text;
        selStart_ = static_cast<int>(text_.size());
        selLength_ = 0;
        return;
    }
    known_.reset();
    // The replace scrolls the caret into view itself; the selection before it need not.
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(hWnd()));
    SendMessageW(hWnd(), EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(hWnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TextBox::ClampSelection()
{
    const auto length = static_cast<int>(text_.size());
    selStart_ = std::clamp(selStart_, 0, length);
    selLength_ = std::clamp(selLength_, 0, length - selStart_);
}

void TextBox::SetMaxLength(int maxLength)
{
    maxLength_ = std::max(maxLength, 0);
    if (hWnd())
        SendMessageW(hWnd(), EM_SETLIMITTEXT, LimitOf(maxLength_), 0);
}

void TextBox::SetLocked(bool locked)
{
    locked_ = locked;
    if (hWnd())
        SendMessageW(hWnd(), EM_SETREADONLY, locked, 0);
}

void TextBox::SetAlignment(Alignment alignment)
{
    alignment_ = alignment;
    if (!hWnd())
        return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hWnd(), GWL_STYLE));
    SetWindowLongPtrW(hWnd(), GWL_STYLE,
                      (style & ~static_cast<DWORD>(ES_RIGHT | ES_CENTER)) | AlignmentStyle(alignment));
    InvalidateRect(hWnd(), nullptr, TRUE);
}

LRESULT TextBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A single-line edit control beeps at Enter and Esc; the form has seen them already.
    if (message == WM_CHAR && !multiLine_ && (wParam == VK_RETURN || wParam == VK_ESCAPE))
        return 0;
    return Control::WindowProc(message, wParam, lParam);
}

bool TextBox::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        // SetText raises Change itself once the write is whole (the caret placed): a handler sees the final state.
        if (HIWORD(wParam) == EN_CHANGE && !settingUp_ && !writing_) {
            known_.reset();
            Raise(Change);
        }
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        result = ColorDc(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return false;
    }
}

}  // namespace rt
