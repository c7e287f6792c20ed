#pragma once
// The text box: an edit control, single-line or multi-line with scroll bars, without a length limit unless
// MaxLength says so.
#include "runtime/Control_win.h"

#include <optional>
#include <string>

namespace rt {

enum class ScrollBars { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

class TextBox : public Control {
public:
    TextBox();

    // Text. Setting a different text raises Change (once); setting the same text does nothing.
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    int TextLength() const;

    // Selection, in characters from 0. Positions and lengths past the end clamp to it; negatives are ignored.
    // Setting SelStart empties the selection; SelText replaces the selection.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    std::wstring SelText() const;
    void SetSelText(const std::wstring& text);
    // Adds `text` at the end with the caret after it, as SelStart at the end and SelText would, but the box
    // moves its view once, to the new end, instead of also to the old end first. Change is raised once.
    void AppendText(const std::wstring& text);

    // Longest text the user may type; 0 for no limit (beyond the edit control's usual 30,000 characters too).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);
    Alignment TextAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment);
    // Design-time only: they take effect at the next Load.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }
    ScrollBars Scrolling() const { return scrollBars_; }
    void SetScrollBars(ScrollBars scrollBars) { scrollBars_ = scrollBars; }

    // Raised on every real change of the text, typed or set by the program.
    std::function<void()> Change;

protected:
    WindowDescription DescribeWindow() const override;
    void OnWindowCreated() override;
    void OnWindowDestroying() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ResetProperties() override;

private:
    void ClampSelection();

    std::wstring text_;  // the text while there is no window (the window holds it otherwise)
    // What the window holds, as last set by the program; dropped when the window's text changes otherwise.
    // Saves reading a long text (the tape) back from the window for every append.
    std::optional<std::wstring> known_;
    bool writing_ = false;  // SetText is writing the window
    int writeSerial_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    int maxLength_ = 0;
    bool locked_ = false;
    Alignment alignment_ = Alignment::Left;
    bool multiLine_ = false;
    ScrollBars scrollBars_ = ScrollBars::None;
    bool settingUp_ = false;     // the window is being filled: its notifications are not events
};

}  // namespace rt
