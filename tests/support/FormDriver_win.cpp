#include "support/FormDriver_win.h"

#include "runtime/App_win.h"

#include <cwctype>

namespace test {

namespace {

void SetKeyHeld(int keyCode, bool held)
{
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[keyCode] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

void PostToFocus(UINT message, int keyCode, LPARAM flags)
{
    HWND target = GetFocus();
    if (!target)
        target = GetActiveWindow();
    const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC);
    PostMessageW(target, message, static_cast<WPARAM>(keyCode), static_cast<LPARAM>(1u | (scanCode << 16)) | flags);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return done();
            }
            rt::ProcessMessage(message);
            if (done())
                return true;
        }
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Settle()
{
    MSG message;
    for (int round = 0; round < 100000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        rt::ProcessMessage(message);
    }
}

void PressKey(int keyCode, bool shift)
{
    if (shift)
        SetKeyHeld(VK_SHIFT, true);
    PostToFocus(WM_KEYDOWN, keyCode, 0);
    Settle();
    PostToFocus(WM_KEYUP, keyCode, static_cast<LPARAM>(0xC0000000u));
    Settle();
    if (shift)
        SetKeyHeld(VK_SHIFT, false);
}

void TypeText(std::wstring_view text)
{
    for (wchar_t c : text) {
        const SHORT scan = VkKeyScanW(c);
        PressKey(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
    }
}

void PressAltKey(wchar_t letter)
{
    const int keyCode = std::towupper(letter);
    SetKeyHeld(VK_MENU, true);
    PostToFocus(WM_SYSKEYDOWN, keyCode, static_cast<LPARAM>(1u << 29));
    Settle();
    PostToFocus(WM_SYSKEYUP, keyCode, static_cast<LPARAM>(0xE0000000u));
    Settle();
    SetKeyHeld(VK_MENU, false);
}

void ClickAt(HWND hwnd, int x, int y)
{
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Settle();
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Settle();
}

void Click(const rt::Control& control)
{
    ClickAt(control.hWnd(), 5, 5);
    Settle();
}

void TypeInto(rt::TextBox& box, std::wstring_view text)
{
    box.SetFocus();
    Settle();
    TypeText(text);
}

}  // namespace test
