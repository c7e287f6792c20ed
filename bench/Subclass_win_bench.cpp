// Cost of a message through the subclass procedure: a hooked one (a handler, then the window's own procedure)
// and an unhooked one, beside the same message sent to a window that is not subclassed, all in one run; and,
// for scale, one property read of the kind a dispatch that asked the window for its book-keeping would make.
// Prints microseconds per message (median of rounds); asserts nothing.
#include "MedianTiming_win.h"
#include "controls/MSubclass_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr UINT kHooked = WM_USER + 1;
constexpr UINT kUnhooked = WM_USER + 2;

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kHooked || msg == kUnhooked)
        return static_cast<LRESULT>(wParam + 1);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class PassOn : public controls::ISubclass {
public:
    int MsgResponse() override { return controls::kPreviousAfter; }
    LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) override { return 0; }
};

template <class F> double MedianMicroseconds(F send)
{
    return ::MedianMicroseconds(21, 2000, send, [] {});
}

}  // namespace

int main()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PlumvaneSubclassBench";
    RegisterClassW(&wc);
    const auto make = [] {
        return CreateWindowExW(0, L"PlumvaneSubclassBench", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    const HWND plain = make();
    const HWND subclassed = make();
    PassOn handler;
    controls::SubclassAttach(handler, subclassed, kHooked);
    // A few more hooks on the window, as the menu control makes.
    for (UINT msg : {WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR, WM_INITMENUPOPUP, WM_MENUSELECT, WM_SYSCOLORCHANGE})
        controls::SubclassAttach(handler, subclassed, msg);

    for (int run = 0; run < 3; ++run) {
        const double plainUs = MedianMicroseconds([&](int i) { SendMessageW(plain, kUnhooked, i, 0); });
        const double unhookedUs = MedianMicroseconds([&](int i) { SendMessageW(subclassed, kUnhooked, i, 0); });
        const double hookedUs = MedianMicroseconds([&](int i) { SendMessageW(subclassed, kHooked, i, 0); });
        const double propertyUs = MedianMicroseconds([&](int) { GetPropA(subclassed, "C65568"); });
        std::printf("plain window %.3f us, subclassed unhooked %.3f us (+%.3f), hooked %.3f us (+%.3f); "
                    "one property read %.3f us\n",
                    plainUs, unhookedUs, unhookedUs - plainUs, hookedUs, hookedUs - plainUs, propertyUs);
    }
    controls::SubclassDetachAll(handler);
    DestroyWindow(plain);
    DestroyWindow(subclassed);
    return 0;
}
