// A whole Calculate of the interest tool on its window, at the largest inputs: a 250-installment rate search
// and a 250-installment installment search on 10,000,000.00, and a search that never ends and runs into the
// step limit (its failure message is answered at once). Prints the time of each and the longest time the
// message loop went unserved meanwhile (a 1 ms timer measures it); asserts nothing.
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/Locale.h"
#include "tools/frmJuro_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Every time a message loop runs the timer, it notes the time.
std::vector<LARGE_INTEGER> pings;

LRESULT CALLBACK PingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        pings.push_back(Now());
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct Figures {
    double total = 0;
    double longestGap = 0;
    std::wstring result;
};

template <class Fill> Figures Measure(HWND pinger, Fill fill, rt::TextBox& searched)
{
    frmJuro& tool = rt::TheForm<frmJuro>();
    tool.Show();
    rt::DoEvents();
    fill(tool);
    pings.clear();
    SetTimer(pinger, 1, 1, nullptr);
    const LARGE_INTEGER start = Now();
    tool.cmdCalcular_Click();
    const LARGE_INTEGER end = Now();
    KillTimer(pinger, 1);
    rt::DoEvents();
    Figures figures;
    figures.total = Milliseconds(start, end);
    LARGE_INTEGER last = start;
    for (const LARGE_INTEGER& ping : pings) {
        figures.longestGap = std::max(figures.longestGap, Milliseconds(last, ping));
        last = ping;
    }
    figures.longestGap = std::max(figures.longestGap, Milliseconds(last, end));
    figures.result = searched.Text();
    tool.cmdCalcular.SetTag(L"");  // nothing to hand over: there is no main window here
    tool.Unload();
    return figures;
}

// Answers the failure message at once.
LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        wchar_t name[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
        if (std::wstring(name) == L"#32770")
            PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main()
{
    core::Program().SeparadorDecimal = L'.';
    rt::SetCurrentLocale(rt::Locale::EnglishUS());
    WNDCLASSW pingClass{};
    pingClass.lpfnWndProc = PingProc;
    pingClass.hInstance = GetModuleHandleW(nullptr);
    pingClass.lpszClassName = L"InterestBenchPing";
    RegisterClassW(&pingClass);
    HWND pinger = CreateWindowW(L"InterestBenchPing", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);

    frmJuro& tool = rt::TheForm<frmJuro>();
    for (int round = 0; round < 3; ++round) {
        const Figures rate = Measure(
            pinger,
            [](frmJuro& f) {
                f.txtValVista.SetText(L"10,000,000.00");
                f.txtValPrest.SetText(L"60,000.00");
                f.txtParcelas.SetText(L"250");
                f.txtDias.SetText(L"30");
            },
            tool.txtJuroAp);
        std::printf("rate search, 250 installments:        %7.1f ms, loop unserved at most %5.1f ms, rate %ls\n",
                    rate.total, rate.longestGap, rate.result.c_str());
        const Figures installment = Measure(
            pinger,
            [](frmJuro& f) {
                f.txtValVista.SetText(L"10,000,000.00");
                f.txtJuroAp.SetText(L"2");
                f.txtParcelas.SetText(L"250");
                f.txtDias.SetText(L"30");
            },
            tool.txtValPrest);
        std::printf("installment search, 250 installments: %7.1f ms, loop unserved at most %5.1f ms, installment %ls\n",
                    installment.total, installment.longestGap, installment.result.c_str());
    }
    HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    const Figures endless = Measure(
        pinger,
        [](frmJuro& f) {
            f.txtValVista.SetText(L"100,000.00");
            f.txtValPrest.SetText(L"100.00");
            f.txtParcelas.SetText(L"2");
            f.txtDias.SetText(L"30");
        },
        tool.txtJuroAp);
    UnhookWindowsHookEx(hook);
    std::printf("endless rate search, %ld steps:      %7.1f ms, loop unserved at most %5.1f ms, rate %ls\n",
                tools::kMaxSearchSteps, endless.total, endless.longestGap, endless.result.c_str());
    DestroyWindow(pinger);
    return 0;
}
