// Cost of appending one calculator line to a tape of about 1,000,000 characters, through the keys a user
// types, on the real main window; beside it, in the same run and alternating with it, a bare EDIT control of
// the same style, size, font and text given the same line with EM_SETSEL and EM_REPLACESEL.
#include "core/Calculation.h"
#include "core/ProgramState.h"
#include "core/Tape.h"
#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"

#include "MedianTiming_win.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A top-level window holding one EDIT made as the tape box is, in the same place, with the tape's font and text.
HWND BareTape(const rt::TextBox& tape, const std::wstring& text)
{
    RECT box{};
    GetWindowRect(tape.hWnd(), &box);
    HWND top = CreateWindowW(BareWindowClass(), L"bare", WS_OVERLAPPEDWINDOW, 0, 0, box.right - box.left + 40,
                             box.bottom - box.top + 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(tape.hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(tape.hWnd(), GWL_EXSTYLE));
    HWND edit = CreateWindowExW(exStyle, L"EDIT", L"", style, 10, 10, box.right - box.left, box.bottom - box.top, top,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, SendMessageW(tape.hWnd(), WM_GETFONT, 0, 0), FALSE);
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(edit, text.c_str());
    ShowWindow(top, SW_SHOWNA);
    return edit;
}

}  // namespace

int main()
{
    rt::SetCurrentLocale(rt::Locale::EnglishUS());
    core::FillFromLocale(core::Program(), rt::CurrentLocale());
    rt::TheForm<frmSysTray>().Load();
    frmCalcula& calc = rt::TheForm<frmCalcula>();
    std::wstring tape;
    while (tape.size() < 1000000)
        tape += core::TapeLine(std::to_wstring(tape.size()), L" +");
    calc.txtFita.SetText(tape);
    HWND bare = BareTape(calc.txtFita, tape);
    Settle();

    // The keys 7 and + write this line; the bare box is given the same.
    const std::wstring line = core::TapeLine(L"7", L" +");
    std::vector<double> ours;
    std::vector<double> floor;
    std::vector<double> ratios;  // of each pair: steadier than the ratio of the medians on a busy machine
    for (int i = 0; i < 51; ++i) {
        int digit = '7';
        int plus = '+';
        calc.Form_KeyPress(digit);
        auto start = Clock::now();
        calc.Form_KeyPress(plus);
        ours.push_back(MillisecondsSince(start));
        Settle();

        start = Clock::now();
        const auto end = static_cast<WPARAM>(GetWindowTextLengthW(bare));
        SendMessageW(bare, EM_SETSEL, end, static_cast<LPARAM>(end));
        SendMessageW(bare, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
        floor.push_back(MillisecondsSince(start));
        ratios.push_back(ours.back() / floor.back());
        Settle();
    }
    const bool same = calc.txtFita.Text().size() == static_cast<size_t>(GetWindowTextLengthW(bare));
    std::printf("append one line to a %zu-character tape, median of %zu alternating with a bare EDIT: %.3f ms; "
                "the bare EDIT (EM_SETSEL + EM_REPLACESEL): %.3f ms; ratio %.2f (median of the pairs' ratios %.2f)%s\n",
                calc.txtFita.Text().size(), ours.size(), Median(ours), Median(floor), Median(ours) / Median(floor),
                Median(ratios), same ? "" : " (the two texts differ in length!)");
    DestroyWindow(GetParent(bare));
    rt::TheForm<frmSysTray>().Unload();
    return 0;
}
