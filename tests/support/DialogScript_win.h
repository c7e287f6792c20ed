#pragma once
// Answers the program's message boxes and input boxes by script, on the real dialogs, and records what they
// showed. While a DialogScript lives, a CBT hook on the calling thread notes every dialog (class "#32770") that
// becomes active; a thread timer, which the dialog's own modal loop runs once the dialog is up, then records it
// and posts the next scripted answer to it, so the modal call returns as if the user had answered. A dialog with no
// answer left fails the test (ADD_FAILURE) and is closed at once instead of blocking; so does an answer the dialog
// cannot take (Type on a message box, a button the box does not have). Answers left unused when the script ends fail
// the test too.
//
//     test::DialogScript script;
//     script.Answer(IDYES).Answer(IDNO).Type(L"12").Escape();
//     ...code that shows two message boxes and two input boxes...
//     EXPECT_EQ(script.Shown()[0].text, L"Calculation's list is full.\r\n\r\n...");
//     EXPECT_EQ(script.Shown()[0].style, 36);
//
// Scripts nest: the innermost one on a thread answers, and the outer one takes over again when it ends (so a
// test program can keep one for its whole run, turning any unanswered dialog into a failure instead of a hang).
// Dialogs of other threads are not seen.
#include <windows.h>

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace test {

enum class DialogKind { MessageBox, InputBox, Other };

struct ShownDialog {
    DialogKind kind = DialogKind::Other;
    std::wstring title;
    std::wstring text;           // the message box's text, or the input box's prompt
    std::wstring inputText;      // the input box's edit text when it opened (its default text)
    bool inputSelected = false;  // ... and whether all of it was selected, so typing replaces it
    // The message box's classic style number rebuilt from what it shows: buttons (0 OK, 1 OK/Cancel, 2 Abort/
    // Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel) + icon (16, 32, 48, 64) + default button (0, 256,
    // 512). 0 for other dialogs.
    int style = 0;
    HWND owner = nullptr;       // the dialog's owner window
    bool ownerEnabled = false;  // whether the owner took input while the dialog was open
    bool answered = false;      // false: no answer was scripted (or it did not fit) and the dialog was closed
};

class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Answer(int buttonId);     // clicks that button: IDOK, IDCANCEL, IDYES, IDNO, ...
    DialogScript& Type(std::wstring text);  // input box: replaces the edit's text, then clicks OK
    DialogScript& Escape();                 // presses Esc
    DialogScript& Close();                  // clicks the close box of the title bar
    // Presses and releases `keyCode` as real input (SendInput), as a user answers with a key: the release is
    // read by whichever window has the keyboard by then.
    DialogScript& Press(int keyCode);

    const std::vector<ShownDialog>& Shown() const { return shown_; }
    std::size_t Pending() const { return answers_.size() - next_; }

private:
    enum class Action { Click, Type, Escape, Close, Press };
    struct Step {
        Action action;
        int buttonId = 0;  // or the key pressed
        std::wstring text;
    };

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void OnShown(HWND dialog);

    DialogScript* outer_ = nullptr;
    HHOOK hook_ = nullptr;  // installed by the outermost script only
    UINT_PTR timer_ = 0;
    std::vector<HWND> waiting_;  // activated, not yet answered
    std::vector<Step> answers_;
    std::size_t next_ = 0;
    std::vector<ShownDialog> shown_;
    std::set<HWND> seen_;  // dialogs already answered, so a later re-activation is not answered twice
};

}  // namespace test
