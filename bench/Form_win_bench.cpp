// Speed of the form runtime under Wine: opening and showing a form of 30 controls, typing into a text box
// through a key preview and a Change handler, and appending a line to a tape of 1,000,000 characters.
#include "runtime/App_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/Form_win.h"
#include "runtime/Label_win.h"
#include "runtime/TextBox_win.h"

#include "MedianTiming_win.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class BenchForm : public rt::Form {
public:
    BenchForm()
    {
        for (int i = 0; i < 10; ++i) {
            Add(lbl[i], {L"lbl", i});
            Add(txt[i], {L"txt", i});
            txt[i].Change = [this] { ++changes; };
        }
        for (int i = 0; i < 5; ++i) {
            Add(chk[i], {L"chk", i});
            Add(opt[i], {L"opt", i});
        }
        Add(txtTape, {L"txtTape"});
    }

    std::array<rt::Label, 10> lbl;
    std::array<rt::TextBox, 10> txt;
    std::array<rt::CheckBox, 5> chk;
    std::array<rt::OptionButton, 5> opt;
    rt::TextBox txtTape;  // not counted among the 30: only shown in the tape run
    int changes = 0;
    bool withTape = false;

protected:
    void Design() override
    {
        SetCaption(L" Benchmark");
        SetBorderStyle(rt::BorderStyle::FixedDialog);
        SetStartUpPosition(rt::StartUpPosition::CenterScreen);
        SetClientSize(6000, 6000);
        SetFont(rt::StdFont{.name = L"Tahoma", .size = 8.25});
        for (int i = 0; i < 10; ++i) {
            lbl[i].Move(100, 100 + 400 * i, 1500, 300);
            lbl[i].SetCaption(L"&Label " + std::to_wstring(i));
            txt[i].Move(1700, 100 + 400 * i, 1500, 300);
            txt[i].SetAlignment(rt::Alignment::Right);
            txt[i].SetMaxLength(2000);
        }
        for (int i = 0; i < 5; ++i) {
            chk[i].Move(3400, 100 + 400 * i, 1500, 300);
            chk[i].SetCaption(L"Check " + std::to_wstring(i));
            opt[i].Move(3400, 2100 + 400 * i, 1500, 300);
            opt[i].SetCaption(L"Option " + std::to_wstring(i));
        }
        txtTape.SetVisible(withTape);
        txtTape.SetMultiLine(true);
        txtTape.SetScrollBars(rt::ScrollBars::Vertical);
        txtTape.SetFont(rt::StdFont{.name = L"Courier New", .size = 10});
        txtTape.Move(100, 4200, 5800, 1700);
    }
    void Form_KeyPress(int& KeyAscii) override
    {
        if (KeyAscii == ',')
            KeyAscii = '.';
        else if (KeyAscii > '9')
            KeyAscii = 0;
    }
};

// A bare window with a bare edit control made as the form's box `like` is, with its font: what Wine itself
// costs for typing.
HWND BareEdit(const rt::TextBox& like)
{
    HWND top = CreateWindowW(BareWindowClass(), L"bare", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_RIGHT | ES_AUTOHSCROLL, 10,
                                10, 100, 20, top, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(edit, WM_SETFONT, SendMessageW(like.hWnd(), WM_GETFONT, 0, 0), FALSE);
    ShowWindow(top, SW_SHOW);
    return edit;
}

// Types "1" `characters` times into `box`, as posted key presses that the loop `settle` translates, and gives
// the time per character.
template <class Loop> double MillisecondsPerCharacter(HWND top, HWND box, int characters, Loop settle)
{
    SetForegroundWindow(top);
    SetFocus(box);
    settle();
    const UINT scanCode = MapVirtualKeyW('1', MAPVK_VK_TO_VSC);
    const auto start = Clock::now();
    for (int i = 0; i < characters; ++i) {
        PostMessageW(box, WM_KEYDOWN, '1', static_cast<LPARAM>(1u | (scanCode << 16)));
        PostMessageW(box, WM_KEYUP, '1', static_cast<LPARAM>(1u | (scanCode << 16) | 0xC0000000u));
        settle();
    }
    return MillisecondsSince(start) / characters;
}

// A bare window with the same 30 child windows, created, shown and painted: what Wine itself costs.
double BareOpenMilliseconds()
{
    const auto start = Clock::now();
    HWND top = CreateWindowExW(WS_EX_DLGMODALFRAME, BareWindowClass(), L" Benchmark", WS_CAPTION | WS_SYSMENU, 100, 100,
                               420, 440, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < 30; ++i) {
        const wchar_t* cls = i < 10 ? L"STATIC" : i < 20 ? L"EDIT" : L"BUTTON";
        const DWORD style = i < 10   ? SS_LEFT
                            : i < 20 ? ES_RIGHT | ES_AUTOHSCROLL
                            : i < 25 ? BS_CHECKBOX
                                     : BS_RADIOBUTTON;
        HWND child = CreateWindowExW(i >= 10 && i < 20 ? WS_EX_CLIENTEDGE : 0, cls, L"Caption",
                                     WS_CHILD | WS_VISIBLE | style, 10 + 120 * (i / 10), 10 + 25 * (i % 10), 100, 20,
                                     top, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(top, SW_SHOW);
    SetForegroundWindow(top);
    Settle();
    const double elapsed = MillisecondsSince(start);
    DestroyWindow(top);
    Settle();
    return elapsed;
}

}  // namespace

int main()
{
    BenchForm form;

    std::vector<double> loads;
    std::vector<double> opens;
    for (int run = 0; run < 21; ++run) {
        const auto start = Clock::now();
        form.Load();
        loads.push_back(MillisecondsSince(start));
        form.Show();
        Settle();
        opens.push_back(MillisecondsSince(start));
        form.Unload();
        Settle();
    }
    std::printf(
        "open and show a form of 30 controls: first %.2f ms, median of 20 more %.2f ms (of which Load %.2f ms)\n",
        opens.front(), Median({opens.begin() + 1, opens.end()}), Median({loads.begin() + 1, loads.end()}));
    std::vector<double> bareOpens;
    for (int run = 0; run < 21; ++run)
        bareOpens.push_back(BareOpenMilliseconds());
    std::printf("the same 30 child windows in a bare window: median %.2f ms\n", Median(bareOpens));

    // Rounds of 20 characters alternate between the form and the bare edit, each from an empty box or from one
    // of 900 characters (set untimed).
    form.Show();
    HWND bare = BareEdit(form.txt[0]);
    Settle();
    for (const size_t start : {0, 900}) {
        const std::wstring prefill(start, L'1');
        const int changesBefore = form.changes;
        std::vector<double> ours;
        std::vector<double> floor;
        std::vector<double> ratios;  // of each pair of rounds: steadier than the ratio of medians on a busy machine
        for (int round = 0; round < 61; ++round) {
            form.txt[0].SetText(prefill);
            ours.push_back(MillisecondsPerCharacter(form.hWnd(), form.txt[0].hWnd(), 20, Settle));
            SetWindowTextW(bare, prefill.c_str());
            floor.push_back(MillisecondsPerCharacter(GetParent(bare), bare, 20, SettlePlain));
            ratios.push_back(ours.back() / floor.back());
        }
        std::printf("typing 20 characters into a box of %zu, with key preview and Change: %.3f ms per character (%d "
                    "changes for 1220 keys); a bare edit control: %.3f ms; ratio %.2f (medians of 61 alternating "
                    "rounds; median of the rounds' ratios %.2f)\n",
                    start, Median(ours), form.changes - changesBefore, Median(floor), Median(ours) / Median(floor),
                    Median(ratios));
    }
    DestroyWindow(GetParent(bare));
    form.Unload();
    Settle();

    form.withTape = true;
    form.Show();
    Settle();
    const std::wstring line = std::wstring(22, L' ') + L"12 +\r\n";
    std::wstring tape;
    while (tape.size() < 1000000)
        tape += line;
    auto start = Clock::now();
    form.txtTape.SetText(tape);
    Settle();
    std::printf("set a tape of %zu characters: %.1f ms\n", tape.size(), MillisecondsSince(start));
    std::vector<double> appends;
    for (int i = 0; i < 20; ++i) {
        start = Clock::now();
        form.txtTape.SetText(form.txtTape.Text() + line);
        form.txtTape.SetSelStart(form.txtTape.TextLength());
        Settle();
        appends.push_back(MillisecondsSince(start));
    }
    std::printf("append a line to it (read, write, caret to the end): median %.2f ms\n", Median(appends));
    form.Unload();
    return 0;
}
