#include "support/DialogScript_win.h"

#include "runtime/InputBox_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace test {

namespace {

thread_local DialogScript* current = nullptr;

constexpr int kMessageTextId = 0xFFFF;  // the static that holds a message box's text

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(0, GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool IsShown(HWND control)
{
    return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE);
}

HWND VisibleButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    return IsShown(button) ? button : nullptr;
}

int IconStyle(HWND dialog)
{
    HICON shown = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child && !shown; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    if (!shown)
        return 0;
    const std::pair<LPCWSTR, int> icons[] = {{IDI_HAND, MB_ICONHAND},
                                             {IDI_QUESTION, MB_ICONQUESTION},
                                             {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                             {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& [resource, style] : icons)
        if (LoadIconW(nullptr, resource) == shown)
            return style;
    return 0;
}

// Buttons + icon + default button, from the buttons the box shows, left to right.
int MessageBoxStyle(HWND dialog)
{
    std::vector<std::pair<LONG, int>> buttons;  // left edge, id
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (HWND button = VisibleButton(dialog, id)) {
            RECT r;
            GetWindowRect(button, &r);
            buttons.emplace_back(r.left, id);
        }
    std::sort(buttons.begin(), buttons.end());
    std::vector<int> ids;
    for (const auto& b : buttons)
        ids.push_back(b.second);
    int type = -1;
    if (ids == std::vector<int>{IDOK})
        type = MB_OK;
    else if (ids == std::vector<int>{IDOK, IDCANCEL})
        type = MB_OKCANCEL;
    else if (ids == std::vector<int>{IDABORT, IDRETRY, IDIGNORE})
        type = MB_ABORTRETRYIGNORE;
    else if (ids == std::vector<int>{IDYES, IDNO, IDCANCEL})
        type = MB_YESNOCANCEL;
    else if (ids == std::vector<int>{IDYES, IDNO})
        type = MB_YESNO;
    else if (ids == std::vector<int>{IDRETRY, IDCANCEL})
        type = MB_RETRYCANCEL;
    if (type < 0) {
        ADD_FAILURE() << "message box with an unknown set of buttons";
        return 0;
    }
    int defaultIndex = 0;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (GetWindowLongW(GetDlgItem(dialog, ids[i]), GWL_STYLE) & BS_DEFPUSHBUTTON)
            defaultIndex = static_cast<int>(i);
    return type + IconStyle(dialog) + defaultIndex * 256;
}

void Click(HWND dialog, int id)
{
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Ends a dialog nobody answered, with the answer that changes least.
void Dismiss(HWND dialog)
{
    for (int id : {IDCANCEL, IDNO, IDOK, IDIGNORE})
        if (VisibleButton(dialog, id)) {
            Click(dialog, id);
            return;
        }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

DialogScript::DialogScript() : outer_(current)
{
    current = this;
    if (!outer_) {
        hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
        if (!hook_)
            ADD_FAILURE() << "SetWindowsHookExW failed: " << GetLastError();
    }
}

DialogScript::~DialogScript()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (timer_)
        KillTimer(nullptr, timer_);
    current = outer_;
    if (Pending() > 0)
        ADD_FAILURE() << Pending() << " scripted dialog answer(s) were not used";
}

DialogScript& DialogScript::Answer(int buttonId)
{
    answers_.push_back({Action::Click, buttonId, {}});
    return *this;
}

DialogScript& DialogScript::Type(std::wstring text)
{
    answers_.push_back({Action::Type, IDOK, std::move(text)});
    return *this;
}

DialogScript& DialogScript::Escape()
{
    answers_.push_back({Action::Escape, 0, {}});
    return *this;
}

DialogScript& DialogScript::Close()
{
    answers_.push_back({Action::Close, 0, {}});
    return *this;
}

DialogScript& DialogScript::Press(int keyCode)
{
    answers_.push_back({Action::Press, keyCode, {}});
    return *this;
}

LRESULT CALLBACK DialogScript::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The dialog may become active before it has its text and buttons (while it is being created), so it is
    // only noted here and answered from the timer.
    if (current) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && ClassName(window) == L"#32770" && !current->seen_.count(window)) {
            current->seen_.insert(window);
            current->waiting_.push_back(window);
            if (!current->timer_)
                current->timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, TimerProc);
        } else if (code == HCBT_DESTROYWND) {
            current->seen_.erase(window);  // the handle may come back for a later dialog
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogScript::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    DialogScript* owner = current;  // the script that set this timer: a nested one may have started since
    while (owner && owner->timer_ != id)
        owner = owner->outer_;
    if (!owner)
        return;
    owner->timer_ = 0;
    std::vector<HWND> dialogs = std::move(owner->waiting_);
    owner->waiting_.clear();
    for (HWND dialog : dialogs)
        if (IsWindow(dialog))
            owner->OnShown(dialog);
}

void DialogScript::OnShown(HWND dialog)
{
    ShownDialog shown;
    shown.title = WindowText(dialog);
    shown.owner = GetWindow(dialog, GW_OWNER);
    shown.ownerEnabled = shown.owner && IsWindowEnabled(shown.owner);
    if (GetDlgItem(dialog, rt::kInputBoxEditId) && GetDlgItem(dialog, rt::kInputBoxPromptId)) {
        shown.kind = DialogKind::InputBox;
        shown.text = WindowText(GetDlgItem(dialog, rt::kInputBoxPromptId));
        shown.inputText = WindowText(GetDlgItem(dialog, rt::kInputBoxEditId));
        DWORD start = 0;
        DWORD end = 0;
        SendDlgItemMessageW(dialog, rt::kInputBoxEditId, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        shown.inputSelected = start == 0 && end == shown.inputText.size();
    } else if (GetDlgItem(dialog, kMessageTextId)) {
        shown.kind = DialogKind::MessageBox;
        shown.text = WindowText(GetDlgItem(dialog, kMessageTextId));
        shown.style = MessageBoxStyle(dialog);
    }

    const auto refuse = [&](const char* why) {
        const ShownDialog& last = shown_.back();
        ADD_FAILURE() << why << ": dialog " << testing::PrintToString(last.title) << " showing "
                      << testing::PrintToString(last.text);
        Dismiss(dialog);
    };
    if (next_ >= answers_.size()) {
        shown_.push_back(std::move(shown));
        refuse("unexpected dialog (no scripted answer left)");
        return;
    }
    const Step step = answers_[next_++];
    shown.answered = true;
    switch (step.action) {
    case Action::Click:
        if (VisibleButton(dialog, step.buttonId))
            Click(dialog, step.buttonId);
        else
            shown.answered = false;
        break;
    case Action::Type:
        if (shown.kind == DialogKind::InputBox) {
            SetDlgItemTextW(dialog, rt::kInputBoxEditId, step.text.c_str());
            Click(dialog, IDOK);
        } else {
            shown.answered = false;
        }
        break;
    case Action::Escape: {
        // To the control that will have the focus, as a typed key would go; the dialog's loop turns it into
        // Cancel.
        HWND target = shown.kind == DialogKind::InputBox ? GetDlgItem(dialog, rt::kInputBoxEditId) : dialog;
        PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        break;
    }
    case Action::Close:
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case Action::Press: {
        SetForegroundWindow(dialog);
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(step.buttonId);
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        shown.answered = SendInput(2, keys, sizeof(INPUT)) == 2;
        break;
    }
    }
    const bool answered = shown.answered;
    shown_.push_back(std::move(shown));
    if (!answered)
        refuse("the scripted answer does not fit this dialog");
}

}  // namespace test
