#pragma once
// The interface of an object that receives another window's messages without replacing its window procedure.
// Attach one with SubclassAttach; it is detached from everything on its own destruction, so no message ever
// reaches a handler that is gone (an owner that ends in steps should still detach it first, before its own
// members go). Kept free of <windows.h>: the window handle is the platform's own HWND type, declared here.
#include <cstdint>

struct HWND__;

namespace controls {

using SubclassWindow = HWND__*;           // HWND
using SubclassWParam = std::uintptr_t;    // WPARAM
using SubclassLParam = std::intptr_t;     // LPARAM
using SubclassResult = std::intptr_t;     // LRESULT

// What MsgResponse answers, asked of the first-attached handler of the message being dispatched.
inline constexpr int kHandlersOnly = 0;      // the previous window procedure never sees the message
inline constexpr int kPreviousAfter = 1;     // it runs after the handlers and its result is the answer
inline constexpr int kPreviousBefore = 2;    // it runs before the first-attached handler, whose result is the answer

class ISubclass {
public:
    ISubclass() = default;
    ISubclass(const ISubclass&) = delete;
    ISubclass& operator=(const ISubclass&) = delete;
    virtual ~ISubclass();

    // Asked while CurrentSubclassMessage gives the message being dispatched, so the answer may differ per
    // message. Any value other than the three above counts as kHandlersOnly.
    virtual int MsgResponse() { return kHandlersOnly; }
    virtual void MsgResponse(int) {}
    virtual SubclassResult WindowProc(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam,
                                      SubclassLParam lParam)
    {
        return 0;
    }
};

}  // namespace controls
