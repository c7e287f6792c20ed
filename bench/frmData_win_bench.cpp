// The date tool's real window: one digit typed into a date field (key-down selection, key filters, the edit,
// the mask upkeep, the date parse and the weekday), and one calculation over the widest span its fields hold.
// Keys are posted to the field and go through the program's message handling.
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/Locale.h"
#include "tools/frmData_win.h"

#include <windows.h>

#include <cstdio>

namespace {

double Seconds()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency);
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) rt::ProcessMessage(message);
}

}  // namespace

int main()
{
    const rt::Locale locale = rt::Locale::PortugueseBR();
    rt::SetCurrentLocale(locale);
    core::FillFromLocale(core::Program(), locale);
    frmData& tool = rt::TheForm<frmData>();
    tool.Show();
    for (int round = 0; round < 200 && !tool.txtData[0].HasFocus(); ++round) {
        Pump();
        Sleep(5);
    }
    Pump();
    if (!tool.txtData[0].HasFocus()) {
        std::printf("the initial date never took the focus\n");
        return 1;
    }

    constexpr int kKeys = 2000;
    HWND field = tool.txtData[0].hWnd();
    const double typingStart = Seconds();
    for (int i = 0; i < kKeys; ++i) {
        tool.txtData[0].SetSelStart(i % 2 == 0 ? 0 : 3);
        const WPARAM key = '1' + i % 2;
        PostMessageW(field, WM_KEYDOWN, key, 1);
        PostMessageW(field, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        Pump();
    }
    const double typing = (Seconds() - typingStart) / kKeys;

    auto timeIt = [&](const char* what, auto&& action) {
        const double start = Seconds();
        for (int i = 0; i < 500; ++i) { action(i); Pump(); }
        std::printf("%s: %.1f us\n", what, (Seconds() - start) / 500 * 1e6);
    };
    timeIt("pump only", [&](int) {});
    timeIt("setselstart", [&](int i) { tool.txtData[0].SetSelStart(i % 2 ? 0 : 3); });
    timeIt("raw setsel", [&](int i) { SendMessageW(field, EM_SETSEL, i % 2 ? 0 : 3, i % 2 ? 0 : 3); });
    timeIt("raw setsel nopump", [&](int i) { SendMessageW(field, EM_SETSEL, i % 2 ? 0 : 3, i % 2 ? 0 : 3); ValidateRect(field, nullptr); });
    timeIt("raw scrollcaret", [&](int i) { SendMessageW(field, EM_SCROLLCARET, 0, 0); });
    timeIt("raw settext", [&](int i) { SetWindowTextW(tool.txtData[1].hWnd(), i % 2 ? L"01/01/2020" : L"02/01/2020"); });
    timeIt("raw settext validate", [&](int i) { SetWindowTextW(tool.txtData[1].hWnd(), i % 2 ? L"01/01/2020" : L"02/01/2020"); ValidateRect(tool.txtData[1].hWnd(), nullptr); });
    timeIt("Text()", [&](int) { volatile auto n = tool.txtData[0].Text().size(); (void)n; });
    timeIt("SelStart()", [&](int) { volatile auto n = tool.txtData[0].SelStart(); (void)n; });
    timeIt("SelLength()", [&](int) { volatile auto n = tool.txtData[0].SelLength(); (void)n; });
    timeIt("SetSelLength(1)", [&](int) { tool.txtData[0].SetSelLength(1); });
    timeIt("SetSelStart+Length", [&](int i) { tool.txtData[0].SetSelStart(i % 2 ? 0 : 3); tool.txtData[0].SetSelLength(1); });
    timeIt("keydown F5 (no handler work? selects)", [&](int) { PostMessageW(field, WM_KEYDOWN, VK_F5, 1); });
    timeIt("keydown up arrow", [&](int) { PostMessageW(field, WM_KEYDOWN, VK_UP, 1); });
    timeIt("keydown shift on unit", [&](int) { PostMessageW(tool.txtDias.hWnd(), WM_KEYDOWN, VK_SHIFT, 1); });
    timeIt("keydown shift", [&](int) { PostMessageW(field, WM_KEYDOWN, VK_SHIFT, 1); });
    timeIt("char direct", [&](int i) { tool.txtData[0].SetSelStart(0); tool.txtData[0].SetSelLength(1); SendMessageW(field, WM_CHAR, '1' + i % 2, 1); });
    timeIt("limpa", [&](int) { tool.LimpaResultados(); });
    timeIt("settext date", [&](int i) { tool.txtData[0].SetText(i % 2 ? L"01/01/2020" : L"02/01/2020"); });
    timeIt("label caption", [&](int i) { tool.lblData[1].SetCaption(i % 2 ? L"Monday" : L"Tuesday"); });
    timeIt("char letter", [&](int i) { PostMessageW(field, WM_CHAR, 'a', 1); });
    constexpr int kSpans = 50;
    const double spanStart = Seconds();
    for (int i = 0; i < kSpans; ++i) {
        tool.txtData[0].SetText(L"01/01/1000");
        tool.txtData[1].SetText(L"31/12/9999");
        tool.cmdCalcula_Click(0);
        Pump();
    }
    const double span = (Seconds() - spanStart) / kSpans;

    std::printf("typed digit: %.1f us (final text %ls)\n", typing * 1e6, tool.txtData[0].Text().c_str());
    std::printf("1000-01-01 to 9999-12-31 from the years button: %.2f ms (leap days %ls, years %ls)\n", span * 1e3,
                tool.lblBissextos.Caption().c_str(), tool.txtAnos.Text().c_str());
    tool.Unload();
    return 0;
}
