#include "runtime/MsgBox_win.h"

#include "runtime/FormRuntime_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Resources_win.h"

#include <windows.h>

#include <string>

namespace rt {

namespace {

// The style bits passed on: buttons, icon, default button, system modality and the text placement flags.
// The rest (help button, service notifications) has no meaning in this program.
constexpr UINT kPassedStyleBits =
    MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK | MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST | MB_RIGHT | MB_RTLREADING;

}  // namespace

int MsgBox(std::wstring_view prompt, int style, std::wstring_view title)
{
    const std::wstring text(prompt);
    const std::wstring caption = title.empty() ? AppTitle() : std::wstring(title);
    UINT flags = static_cast<UINT>(style) & kPassedStyleBits;
    if (!(flags & MB_SYSTEMMODAL))
        flags |= MB_TASKMODAL;  // with no active window, this still disables every window of the thread
    BYTE keys[256] = {};
    GetKeyboardState(keys);  // on failure all keys count as up, so every key held at the end was the box's
    const int answer = MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), flags);
    // A key that answered the box is released over the window that has the focus again.
    FormRuntime::IgnoreReleasesOfKeysPressedSince(keys);
    if (answer == 0)
        RT_LOG_LAST_ERROR("MessageBoxW");
    return answer;
}

}  // namespace rt
