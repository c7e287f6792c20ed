#include "runtime/InputBox_win.h"

#include "runtime/Handles_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Resources_win.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace rt {

namespace {

struct InputBoxState {
    std::wstring prompt;
    std::wstring defaultText;
    std::wstring answer;
};

// Layout in dialog units: the prompt at the left with OK and Cancel beside it, the edit across the bottom.
constexpr short kWidth = 260;
constexpr short kHeight = 86;
constexpr short kMargin = 7;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kEditHeight = 12;
constexpr short kPromptWidth = kWidth - 3 * kMargin - kButtonWidth;
constexpr short kPromptHeight = kHeight - 3 * kMargin - kEditHeight;

// An in-memory dialog template: the header, then each item on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* title, const wchar_t* font, WORD pointSize)
    {
        AppendDword(style);
        AppendDword(0);  // extended style
        countIndex_ = words_.size();
        words_.push_back(0);
        AppendShorts({0, 0, cx, cy});
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the dialog class
        AppendText(title);
        words_.push_back(pointSize);
        AppendText(font);
    }

    void AddItem(WORD classAtom, int id, DWORD style, short x, short y, short cx, short cy, const wchar_t* text)
    {
        if (words_.size() % 2)
            words_.push_back(0);
        AppendDword(style | WS_CHILD | WS_VISIBLE);
        AppendDword(0);
        AppendShorts({x, y, cx, cy});
        words_.push_back(static_cast<WORD>(id));
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        AppendText(text);
        words_.push_back(0);  // no creation data
        ++words_[countIndex_];
    }

    const DLGTEMPLATE* get()
    {
        return reinterpret_cast<const DLGTEMPLATE*>(words_.data());  // vector storage is suitably aligned
    }

private:
    void AppendDword(DWORD value)
    {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void AppendShorts(std::initializer_list<short> values)
    {
        for (short v : values)
            words_.push_back(static_cast<WORD>(v));
    }
    void AppendText(const wchar_t* text)
    {
        for (; *text; ++text)
            words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }

    std::vector<WORD> words_;
    std::size_t countIndex_ = 0;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

// Makes the prompt tall enough for its text, moving the edit down and growing the box, kept on the screen.
void FitPrompt(HWND dialog, const std::wstring& prompt)
{
    HWND label = GetDlgItem(dialog, kInputBoxPromptId);
    RECT labelRect;
    GetWindowRect(label, &labelRect);
    RECT needed{0, 0, labelRect.right - labelRect.left, 0};
    WindowDc dc(label);
    if (dc.get()) {
        SelectScope font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), prompt.c_str(), static_cast<int>(prompt.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    }
    const int grow = needed.bottom - (labelRect.bottom - labelRect.top);
    if (grow <= 0)
        return;
    SetWindowPos(label, nullptr, 0, 0, labelRect.right - labelRect.left, needed.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND edit = GetDlgItem(dialog, kInputBoxEditId);
    RECT editRect;
    GetWindowRect(edit, &editRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&editRect), 2);
    SetWindowPos(edit, nullptr, editRect.left, editRect.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT box;
    GetWindowRect(dialog, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const int height = box.bottom - box.top + grow;
    const int top =
        std::max<int>(monitor.rcWork.top, std::min<int>(box.top - grow / 2, monitor.rcWork.bottom - height));
    SetWindowPos(dialog, nullptr, box.left, top, box.right - box.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<InputBoxState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetDlgItemTextW(dialog, kInputBoxPromptId, state->prompt.c_str());
        SetDlgItemTextW(dialog, kInputBoxEditId, state->defaultText.c_str());
        FitPrompt(dialog, state->prompt);
        HWND edit = GetDlgItem(dialog, kInputBoxEditId);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
            HWND edit = GetDlgItem(dialog, kInputBoxEditId);
            state->answer.assign(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
            const int length = GetWindowTextW(edit, state->answer.data(), static_cast<int>(state->answer.size()));
            state->answer.resize(static_cast<std::size_t>(std::max(length, 0)));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {  // the Cancel button, Esc and the close box
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

std::wstring InputBox(std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText)
{
    InputBoxState state{std::wstring(prompt), std::wstring(defaultText), {}};
    const std::wstring caption = title.empty() ? AppTitle() : std::wstring(title);
    DialogTemplate box(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, kWidth, kHeight,
                       caption.c_str(), L"MS Shell Dlg", 8);
    box.AddItem(kStaticAtom, kInputBoxPromptId, SS_LEFT | SS_NOPREFIX, kMargin, kMargin, kPromptWidth, kPromptHeight,
                L"");
    box.AddItem(kEditAtom, kInputBoxEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kMargin,
                kHeight - kMargin - kEditHeight, kWidth - 2 * kMargin, kEditHeight, L"");
    box.AddItem(kButtonAtom, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth, kMargin,
                kButtonWidth, kButtonHeight, L"OK");
    box.AddItem(kButtonAtom, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - kButtonWidth,
                kMargin + kButtonHeight + 4, kButtonWidth, kButtonHeight, L"Cancel");

    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), GetActiveWindow(),
                                                   InputBoxProc, reinterpret_cast<LPARAM>(&state));
    if (result == -1 || result == 0) {
        RT_LOG_LAST_ERROR("DialogBoxIndirectParamW");
        return {};
    }
    return result == IDOK ? state.answer : std::wstring();
}

}  // namespace rt
