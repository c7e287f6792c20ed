#include "runtime/App_win.h"

#include "runtime/ErrorNumbers.h"
#include "runtime/ErrorState.h"
#include "runtime/FormRuntime_win.h"
#include "runtime/Form_win.h"
#include "runtime/LastError_win.h"
#include "runtime/Resources_win.h"

#include <cwctype>
#include <deque>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rt {

namespace {

constexpr wchar_t kRuntimeClass[] = L"PlumvaneRuntime";
constexpr UINT kRunTask = WM_APP + 0x100;
// DoEvents stops after this many messages even if handlers keep posting more.
constexpr int kDoEventsLimit = 10000;

std::deque<std::function<void()>>& Tasks()
{
    static std::deque<std::function<void()>> tasks;
    return tasks;
}

LRESULT CALLBACK RuntimeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kRunTask)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    auto& tasks = Tasks();
    if (tasks.empty())
        return 0;
    std::function<void()> task = std::move(tasks.front());
    tasks.pop_front();
    try {
        task();
    } catch (...) {
        ReportException();
    }
    return 0;
}

// A message-only window that receives the runtime's own posted work, so that every message loop (a message
// box's included) runs it.
HWND RuntimeWindow()
{
    static HWND hwnd = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = RuntimeWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kRuntimeClass;
        if (!RegisterClassExW(&wc))
            RT_LOG_LAST_ERROR("RegisterClassExW");
        HWND created = CreateWindowExW(0, kRuntimeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        if (!created)
            RT_LOG_LAST_ERROR("CreateWindowExW");
        return created;
    }();
    return hwnd;
}

// A key event of SendKeys.
struct SimulatedKey {
    int keyCode = 0;
    int shift = 0;
    bool down = true;
};

std::deque<SimulatedKey>& PendingKeys()
{
    static std::deque<SimulatedKey> keys;
    return keys;
}

std::optional<int> simulatedShift;

// The key pressed last and the modifiers read for it, until its release takes them (FormRuntime::ModifiersFor).
struct PressReading {
    WPARAM key = 0;
    int shift = 0;
};
std::optional<PressReading> lastPress;

// Delivers the next simulated key event to the window that has the focus now, then queues the one after, so
// that whatever the event posts (focus events) runs before it.
void DeliverNextKey()
{
    auto& keys = PendingKeys();
    if (keys.empty())
        return;
    const SimulatedKey key = keys.front();
    keys.pop_front();
    HWND target = GetFocus();
    if (!target)
        target = GetActiveWindow();
    if (target) {
        const bool alt = (key.shift & 4) != 0;
        MSG message{};
        message.hwnd = target;
        message.message = key.down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        message.wParam = static_cast<WPARAM>(key.keyCode);
        const UINT scanCode = MapVirtualKeyW(static_cast<UINT>(key.keyCode), MAPVK_VK_TO_VSC);
        message.lParam =
            static_cast<LPARAM>(1u | (scanCode << 16) | (alt ? (1u << 29) : 0u) | (key.down ? 0u : 0xC0000000u));
        message.time = GetMessageTime();
        simulatedShift = key.shift;
        // No TranslateMessage: the simulated keys carry no characters.
        if (!(key.down && FormRuntime::TranslateShortcut(message)))
            DispatchMessageW(&message);
        simulatedShift.reset();
    }
    if (!keys.empty())
        FormRuntime::Post(DeliverNextKey);
}

std::optional<int> NamedKey(std::wstring name)
{
    for (auto& c : name)
        c = static_cast<wchar_t>(std::towupper(c));
    if (name == L"TAB")
        return VK_TAB;
    return std::nullopt;
}

}  // namespace

void FormRuntime::Post(std::function<void()> task)
{
    Tasks().push_back(std::move(task));
    if (!PostMessageW(RuntimeWindow(), kRunTask, 0, 0))
        RT_LOG_LAST_ERROR("PostMessageW");
}

void FormRuntime::RunModalLoop(const std::function<bool()>& running)
{
    MSG message;
    while (running()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) {
            RT_LOG_LAST_ERROR("GetMessageW");
            return;
        }
        ProcessMessage(message);
    }
}

int RunMessageLoop()
{
    MSG message;
    while (FormRuntime::LoadedFormCount() > 0) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got < 0) {
            RT_LOG_LAST_ERROR("GetMessageW");
            return -1;
        }
        ProcessMessage(message);
    }
    return 0;
}

void DoEvents()
{
    MSG message;
    for (int count = 0; count < kDoEventsLimit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++count) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ProcessMessage(message);
    }
}

void ProcessMessage(MSG& message)
{
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && FormRuntime::TranslateShortcut(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void IgnoreReleasesOfHeldKeys()
{
    const BYTE noneHeld[256] = {};
    FormRuntime::IgnoreReleasesOfKeysPressedSince(noneHeld);
}

bool SendKeys(std::wstring_view keys)
{
    std::vector<SimulatedKey> parsed;
    int shift = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        const wchar_t c = keys[i];
        if (c == L'+' || c == L'^' || c == L'%') {
            shift |= c == L'+' ? 1 : c == L'^' ? 2 : 4;
            continue;
        }
        if (c != L'{')
            return false;
        const size_t close = keys.find(L'}', i + 1);
        if (close == std::wstring_view::npos)
            return false;
        const std::optional<int> keyCode = NamedKey(std::wstring(keys.substr(i + 1, close - i - 1)));
        if (!keyCode)
            return false;
        parsed.push_back({*keyCode, shift, true});
        shift = 0;
        i = close;
    }
    if (shift != 0)
        return false;
    auto& pending = PendingKeys();
    const bool idle = pending.empty();
    for (SimulatedKey key : parsed) {
        pending.push_back(key);
        key.down = false;
        pending.push_back(key);
    }
    if (idle && !pending.empty())
        FormRuntime::Post(DeliverNextKey);
    return true;
}

int ShiftState()
{
    if (simulatedShift)
        return *simulatedShift;
    // One call for the three keys: each key-state query is a trip to the window server under Wine.
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys))
        return 0;
    return ((keys[VK_SHIFT] & 0x80) ? 1 : 0) | ((keys[VK_CONTROL] & 0x80) ? 2 : 0) | ((keys[VK_MENU] & 0x80) ? 4 : 0);
}

int FormRuntime::ModifiersFor(UINT message, WPARAM key)
{
    const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const std::optional<PressReading> reading = std::exchange(lastPress, std::nullopt);
    if (!press && !simulatedShift && reading && reading->key == key)
        return reading->shift;
    const int shift = ShiftState();
    if (press && !simulatedShift)
        lastPress = PressReading{key, shift};
    return shift;
}

void FormRuntime::ForgetModifiers()
{
    lastPress.reset();
}

void ReportException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            const std::string what = e.what();
            Err().Raise(kErrInternal, ExeName(), std::wstring(what.begin(), what.end()));
            OutputDebugStringA(("Plumvane: exception in a handler: " + what + "\n").c_str());
        } catch (...) {
            Err().Raise(kErrInternal, ExeName());
            OutputDebugStringA("Plumvane: unknown exception in a handler\n");
        }
    } catch (...) {
        OutputDebugStringA("Plumvane: the error state could not record an exception\n");  // out of memory
    }
}

}  // namespace rt
