// The menu control's costs beside the same menus left to the system: converting 48 menu controls with the
// bar redrawn, drawing one item, and opening a 46-item popup up to the first idle moment of the menu loop.
// Prints medians in milliseconds or microseconds; asserts nothing.
#include "MedianTiming_win.h"
#include "controls/MSubclass_win.h"
#include "controls/PopMenu_win.h"
#include "core/ProgramState.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// 7 bar menus holding 41 items (48 menu controls), or one bar menu with a popup of 46 items.
class BenchForm : public rt::Form {
public:
    explicit BenchForm(bool onePopup, bool hooked = false) : hooked_(hooked)
    {
        const int bar = onePopup ? 1 : 7;
        const int items = onePopup ? 46 : 41;
        for (int i = 0; i < bar + items; ++i) {
            const bool isBar = onePopup ? i == 0 : i % 7 == 0 && i / 7 < bar;
            if (isBar)
                current_ = &menus_[static_cast<size_t>(i)];
            Add(menus_[static_cast<size_t>(i)], {L"mnu" + std::to_wstring(i), {}, isBar ? nullptr : current_});
        }
        count_ = bar + items;
        Add(PopMenu1, {L"PopMenu1"});
    }
    rt::Menu& MenuAt(int i) { return menus_[static_cast<size_t>(i)]; }
    int Count() const { return count_; }
    controls::PopMenu PopMenu1;

protected:
    void Design() override
    {
        SetClientSize(4000, 3000);
        if (hooked_)
            PopMenu1.SetDesignProperties({{L"OfficeXpStyle", true}});
        for (int i = 0; i < count_; ++i) {
            rt::Menu& menu = menus_[static_cast<size_t>(i)];
            menu.SetCaption(menu.Container() ? L"&Item number " + std::to_wstring(i) : L"&Menu" + std::to_wstring(i));
            if (i % 5 == 3)
                menu.SetShortcut(rt::Shortcut{'A' + i % 26, 2});
        }
    }

private:
    std::array<rt::Menu, 60> menus_;
    rt::Menu* current_ = nullptr;
    bool hooked_ = false;
    int count_ = 0;
};

double Now()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The host's measuring and drawing requests go to the control, as its message hooks will send them.
controls::PopMenu* hooked = nullptr;
WNDPROC previousProc = nullptr;
double idleAt = 0;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hooked && message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType == ODT_MENU && hooked->IndexForId(measure->itemID) > 0) {
            hooked->MeasureItem(measure->itemID, measure->itemWidth, measure->itemHeight);
            return TRUE;
        }
    }
    if (hooked && message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (const int n = hooked->IndexForId(draw->itemID); draw->CtlType == ODT_MENU && n > 0) {
            hooked->DrawItem(*draw, n);
            return TRUE;
        }
    }
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && idleAt == 0) {
        idleAt = Now();
        EndMenu();
    }
    return CallWindowProcW(previousProc, hwnd, message, wParam, lParam);
}

// Milliseconds from TrackPopupMenu to the menu loop's first idle moment.
double OpenPopup(HWND host, HMENU popup)
{
    idleAt = 0;
    const double start = Now();
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, 100, 100, 0, host, nullptr);
    return (idleAt - start) * 1000;
}

}  // namespace

// A control notification (WM_COMMAND from a child) on a host whose menu control hooks its menu messages,
// beside the same host without the hooks: the cost the dispatch adds to every hooked message the host gets.
void DispatchCost()
{
    constexpr int kCalls = 2000;
    double figures[2] = {};
    for (bool hooked : {false, true}) {
        BenchForm form(true, hooked);
        form.Show();
        rt::DoEvents();
        const HWND host = form.hWnd();
        const HWND child = form.PopMenu1.hWnd();
        figures[hooked] = MedianMicroseconds(
            21, kCalls, [&](int) { SendMessageW(host, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(child)); },
            [] {});
        if (hooked && !form.PopMenu1.Hooked())
            std::printf("(the control did not hook the host)\n");
        form.Unload();
    }
    std::printf("A child's WM_COMMAND to the host, menus hooked: %.2f us (not hooked: %.2f us)\n", figures[1],
                figures[0]);
}

// The main window's Options popup opened from its bar (Alt+O), to the menu loop's first idle moment, with the
// "Office XP" menus on and off; the idle moment is heard through the subclassing module.
class IdleClock : public controls::ISubclass {
public:
    int MsgResponse() override { return controls::kPreviousAfter; }
    controls::SubclassResult WindowProc(HWND, unsigned, WPARAM wParam, LPARAM) override
    {
        if (wParam == MSGF_MENU && at == 0) {
            at = Now();
            EndMenu();
        }
        return 0;
    }
    double at = 0;
};

void MainWindowOptionsPopup()
{
    double figures[2] = {};
    for (bool drawn : {false, true}) {
        rt::SaveSetting(L"Plumva", L"Conf", L"MenuXP", drawn ? L"True" : L"False");
        core::Program() = core::ProgramState();
        rt::TheForm<frmSysTray>().Load();
        frmCalcula& main = rt::TheForm<frmCalcula>();
        SetForegroundWindow(main.hWnd());
        rt::DoEvents();
        IdleClock clock;
        controls::SubclassAttach(clock, main.hWnd(), WM_ENTERIDLE);
        std::vector<double> times;
        for (int round = 0; round < 21; ++round) {
            clock.at = 0;
            const double start = Now();
            SendMessageW(main.hWnd(), WM_SYSCOMMAND, SC_KEYMENU, L'o');
            times.push_back((clock.at - start) * 1000);
        }
        figures[drawn] = Median(times);
        if (drawn != main.PopMenu1.Hooked())
            std::printf("(the menus are not as asked)\n");
        controls::SubclassDetach(clock, main.hWnd(), WM_ENTERIDLE);
        rt::TheForm<frmSysTray>().Unload();
        rt::DoEvents();
    }
    rt::SaveSetting(L"Plumva", L"Conf", L"MenuXP", L"True");
    std::printf("Opening the main window's Options popup: %.1f ms (menus plain: %.1f ms)\n", figures[1], figures[0]);
}

int main()
{
    DispatchCost();
    MainWindowOptionsPopup();
    constexpr int kRounds = 21;
    {
        std::vector<double> converted;
        std::vector<double> plain;
        for (int round = 0; round < kRounds; ++round) {
            BenchForm form(false);
            form.Show();
            rt::DoEvents();
            HWND host = form.hWnd();
            // Plain: every item read and written back with its text, the bar redrawn.
            double start = Now();
            std::function<void(HMENU)> walk = [&](HMENU menu) {
                for (int p = 0; p < GetMenuItemCount(menu); ++p) {
                    wchar_t text[128];
                    MENUITEMINFOW info{};
                    info.cbSize = sizeof info;
                    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
                    info.dwTypeData = text;
                    info.cch = 128;
                    GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info);
                    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
                    SetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info);
                    if (HMENU sub = GetSubMenu(menu, p))
                        walk(sub);
                }
            };
            walk(GetMenu(host));
            DrawMenuBar(host);
            plain.push_back((Now() - start) * 1000);
            start = Now();
            form.PopMenu1.SubClassMenu(&form);
            converted.push_back((Now() - start) * 1000);
            form.Unload();
        }
        std::printf("Converting 48 menu controls, bar redrawn: %.2f ms (plain rewrite of the same items: %.2f ms)\n",
                    Median(converted), Median(plain));
    }
    {
        BenchForm form(true);
        form.Show();
        rt::DoEvents();
        HWND host = form.hWnd();
        HMENU popup = form.MenuAt(0).Popup();
        previousProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc)));
        SetForegroundWindow(host);
        std::vector<double> plain;
        for (int round = 0; round < kRounds; ++round)
            plain.push_back(OpenPopup(host, popup));

        controls::PopMenu& pop = form.PopMenu1;
        pop.SetOfficeXpStyle(true);
        pop.SubClassMenu(&form);
        hooked = &pop;
        std::vector<double> drawn;
        for (int round = 0; round < kRounds; ++round)
            drawn.push_back(OpenPopup(host, popup));
        std::printf("Opening a 46-item popup to the first idle moment: %.1f ms (plain: %.1f ms)\n", Median(drawn),
                    Median(plain));

        // One item drawn into a memory context, beside a plain item's background and text.
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 30);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const int n = pop.MenuIndex(L"mnu4");
        const auto& item = pop.Items()[n];
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = item.lId;
        dis.hwndItem = reinterpret_cast<HWND>(item.hMenu);
        dis.hDC = memory;
        dis.rcItem = {0, 0, 180, 24};
        constexpr int kCalls = 400;
        std::vector<double> perDraw;
        std::vector<double> perPlain;
        HFONT menuFont = rt::CachedFont(rt::StdFont{L"Tahoma", 8.25});
        for (int round = 0; round < kRounds; ++round) {
            double start = Now();
            for (int i = 0; i < kCalls; ++i)
                pop.DrawItem(dis, n);
            perDraw.push_back((Now() - start) * 1e6 / kCalls);
            start = Now();
            for (int i = 0; i < kCalls; ++i) {
                RECT r{0, 0, 180, 24};
                FillRect(memory, &r, GetSysColorBrush(COLOR_MENU));
                HGDIOBJ oldFont = SelectObject(memory, menuFont);
                SetBkMode(memory, TRANSPARENT);
                r.left = 20;
                DrawTextW(memory, item.sCaption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
                r.right -= 16;
                DrawTextW(memory, L"Ctrl+E", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
                SelectObject(memory, oldFont);
            }
            perPlain.push_back((Now() - start) * 1e6 / kCalls);
        }
        std::printf("One DrawItem (flat, with a shortcut): %.1f us (a plain item's fill and two texts: %.1f us)\n",
                    Median(perDraw), Median(perPlain));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        hooked = nullptr;
        form.Unload();
    }
    return 0;
}
