#pragma once
// Drives a window's menus as a user would: keys and clicks sent as real input, and a script whose steps run
// one at a time each time the window's menu loop goes idle (WM_ENTERIDLE, heard through the subclassing
// module: attach it with SubclassAttach(script, hwnd, WM_ENTERIDLE)).
#include "controls/ISubclass.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>

namespace test {

class IdleScript : public controls::ISubclass {
public:
    int MsgResponse() override { return controls::kPreviousAfter; }
    controls::SubclassResult WindowProc(HWND, unsigned, WPARAM wParam, LPARAM) override;
    std::deque<std::function<void()>> steps;
};

// Presses the keys in order and releases them in reverse, in one go.
void SendKeys(std::initializer_list<WORD> keys);
// A left click at a point of the screen.
void ClickScreen(POINT at);
// The centre of the item at `position` on the screen; a popup's items are found through its open menu window.
POINT CentreOf(HWND host, HMENU menu, int position);
// The position of the item with identifier `id` in `menu`, or -1.
int PositionOf(HMENU menu, UINT id);
// This thread is in a menu loop.
bool InMenu();

}  // namespace test
