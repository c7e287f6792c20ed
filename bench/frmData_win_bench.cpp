// The date tool's real window: a date typed digit by digit into a date field (key-down selection, key filters,
// the edit, the mask upkeep, the date parse and the weekday), the same keys into a bare ten-character text box
// with and without the field's tip (what the edit control and the form runtime cost without the tool's
// handlers), and one calculation over the widest span the fields hold. Keys are posted to the field and go
// through the program's message handling.
#include "core/ProgramState.h"
#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "runtime/Locale.h"
#include "runtime/TextBox_win.h"
#include "tools/frmData_win.h"

#include <windows.h>

#include <cstdio>
#include <string_view>

namespace {

class BareForm : public rt::Form {
public:
    BareForm() { Add(box, {L"box"}); }
    rt::TextBox box;
    std::wstring tip;

protected:
    void Design() override
    {
        SetClientSize(3555, 3090);
        box.Move(210, 870, 1185, 285);
        box.SetMaxLength(10);
        box.SetAlignment(rt::Alignment::Center);
        box.SetToolTipText(tip);
    }
};

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

bool WaitForFocus(const rt::TextBox& box)
{
    for (int round = 0; round < 400 && !box.HasFocus(); ++round) {
        Pump();
        Sleep(5);
    }
    Pump();
    return box.HasFocus();
}

// Average microseconds per digit typing `digits` over the box's text `rounds` times from the first position.
double TypeDigits(rt::TextBox& box, const std::wstring& start, std::wstring_view digits, int rounds)
{
    double total = 0;
    for (int round = 0; round < rounds; ++round) {
        box.SetText(start);
        box.SetSelStart(0);
        box.SetSelLength(10);
        Pump();
        for (wchar_t digit : digits) {
            const double before = Seconds();
            PostMessageW(box.hWnd(), WM_KEYDOWN, digit, 1);
            PostMessageW(box.hWnd(), WM_KEYUP, digit, static_cast<LPARAM>(0xC0000001u));
            Pump();
            total += Seconds() - before;
        }
    }
    return total / (rounds * static_cast<double>(digits.size())) * 1e6;
}

}  // namespace

int main()
{
    const rt::Locale locale = rt::Locale::PortugueseBR();
    rt::SetCurrentLocale(locale);
    core::FillFromLocale(core::Program(), locale);
    constexpr int kRounds = 100;

    frmData& tool = rt::TheForm<frmData>();
    tool.Show();
    if (!WaitForFocus(tool.txtData[0])) {
        std::printf("the initial date never took the focus\n");
        return 1;
    }
    const double dateField = TypeDigits(tool.txtData[0], L"06/12/2026", L"15032021", kRounds);
    const std::wstring typed = tool.txtData[0].Text();
    const std::wstring weekday = tool.lblData[0].Caption();

    constexpr int kSpans = 50;
    const double spanStart = Seconds();
    for (int i = 0; i < kSpans; ++i) {
        tool.txtData[0].SetText(L"01/01/1000");
        tool.txtData[1].SetText(L"31/12/9999");
        tool.cmdCalcula_Click(0);
        Pump();
    }
    const double span = (Seconds() - spanStart) / kSpans * 1e3;
    const std::wstring leapDays = tool.lblBissextos.Caption();
    tool.Unload();
    Pump();

    BareForm& bare = rt::TheForm<BareForm>();
    double bareBox[2] = {};
    for (int withTip = 0; withTip < 2; ++withTip) {
        bare.tip = withTip ? L"dd/mm/yyyy" : L"";
        bare.Show();
        if (!WaitForFocus(bare.box)) {
            std::printf("the bare box never took the focus\n");
            return 1;
        }
        bareBox[withTip] = TypeDigits(bare.box, L"0612202600", L"15032021", kRounds);
        bare.Unload();
        Pump();
    }

    std::printf("digit typed into a date field: %.0f us (%ls, %ls)\n", dateField, typed.c_str(), weekday.c_str());
    std::printf("the same keys into a bare text box: %.0f us, with a tip: %.0f us; the tool's handlers: %.0f us\n",
                bareBox[0], bareBox[1], dateField - bareBox[1]);
    std::printf("01/01/1000 to 31/12/9999 from the years button: %.2f ms (leap days %ls)\n", span, leapDays.c_str());
    return 0;
}
