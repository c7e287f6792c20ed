#include "support/MenuScript_win.h"

#include <vector>

namespace test {

controls::SubclassResult IdleScript::WindowProc(HWND, unsigned, WPARAM wParam, LPARAM)
{
    if (wParam == MSGF_MENU && !steps.empty()) {
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    return 0;
}

void SendKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD key : keys)
        add(key, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        add(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ClickScreen(POINT at)
{
    SetCursorPos(at.x, at.y);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

POINT CentreOf(HWND host, HMENU menu, int position)
{
    RECT r{};
    GetMenuItemRect(menu == GetMenu(host) ? host : nullptr, menu, static_cast<UINT>(position), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

int PositionOf(HMENU menu, UINT id)
{
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(p), TRUE, &info) && info.wID == id)
            return p;
    }
    return -1;
}

bool InMenu()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE);
}

}  // namespace test
