#include "runtime/Label_win.h"

#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Screen_win.h"

namespace rt {

namespace {

// DrawText breaks lines at CR LF; a lone CR breaks them too in a caption.
std::wstring WithLineBreaks(const std::wstring& caption)
{
    std::wstring text;
    text.reserve(caption.size() + 8);
    for (size_t i = 0; i < caption.size(); ++i) {
        text += caption[i];
        if (caption[i] == L'\r' && (i + 1 == caption.size() || caption[i + 1] != L'\n'))
            text += L'\n';
    }
    return text;
}

UINT AlignmentFormat(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return DT_RIGHT;
    case Alignment::Center:
        return DT_CENTER;
    case Alignment::Left:
    default:
        return DT_LEFT;
    }
}

}  // namespace

Label::Label() : Control(Traits{.clickFromMouse = true}) {}

void Label::ResetProperties()
{
    Control::ResetProperties();
    SetTabStop(false);
    caption_.clear();
    autoSize_ = false;
    wordWrap_ = false;
    alignment_ = Alignment::Left;
}

Control::WindowDescription Label::DescribeWindow() const
{
    return WindowDescription{};
}

void Label::SetCaption(std::wstring caption)
{
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    SetAccessKeys(AccessKeyOf(caption_));
    if (autoSize_)
        FitToCaption();
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
    Raise(Change);
}

void Label::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    if (autoSize_)
        FitToCaption();
}

void Label::SetAlignment(Alignment alignment)
{
    alignment_ = alignment;
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, TRUE);
}

void Label::SetWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    if (autoSize_)
        FitToCaption();
}

void Label::OnFontChanged()
{
    if (autoSize_)
        FitToCaption();
    Control::OnFontChanged();
}

void Label::FitToCaption()
{
    WindowDc screen(nullptr);
    if (!screen.get())
        return;
    SelectScope font(screen.get(), FontHandle());
    const std::wstring text = WithLineBreaks(caption_.empty() ? std::wstring(L" ") : caption_);
    RECT rect{0, 0, PixelsFromTwipsX(Width()), 0};
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    if (wordWrap_)
        format |= DT_WORDBREAK;
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    const int width = wordWrap_ ? Width() : TwipsFromPixelsX(rect.right - rect.left);
    Move(Left(), Top(), width, TwipsFromPixelsY(rect.bottom - rect.top));
}

void Label::Paint(HDC dc, const RECT& client) const
{
    FillRect(dc, &client, CachedBrush(TranslateColor(BackColor())));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hWnd()) ? TranslateColor(ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
    SelectScope font(dc, FontHandle());
    const std::wstring text = WithLineBreaks(caption_);
    RECT rect = client;
    UINT format = AlignmentFormat(alignment_) | DT_EXPANDTABS;
    if (!(autoSize_ && !wordWrap_))
        format |= DT_WORDBREAK;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

LRESULT Label::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hWnd());
        RECT client{};
        GetClientRect(hWnd(), &client);
        Paint(paint.dc(), client);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hWnd(), &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    default:
        return Control::WindowProc(message, wParam, lParam);
    }
}

void Label::OnAccessKey()
{
    if (Control* next = NextInTabOrder())
        next->SetFocus();
}

}  // namespace rt
