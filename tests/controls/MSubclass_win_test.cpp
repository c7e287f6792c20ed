#include "controls/MSubclass_win.h"
#include "runtime/ErrorState.h"
#include "runtime/Handles_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <string>

using namespace controls;

namespace {

constexpr UINT kHooked = WM_USER + 1;
constexpr UINT kUnhooked = WM_USER + 2;

std::string calls;

// The window's own procedure answers 100 + the message's offset, and notes which procedure the window has
// while it is destroyed.
LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kHooked || msg == kUnhooked) {
        calls += "own ";
        return 100 + static_cast<LRESULT>(msg - WM_USER);
    }
    if (msg == WM_DESTROY)
        calls += GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnProc) ? "destroyed as own "
                                                                                              : "destroyed subclassed ";
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

rt::WindowHandle MakeWindow()
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PlumvaneSubclassTest";
        return RegisterClassW(&wc);
    }();
    return rt::WindowHandle(CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr));
}

class Handler : public ISubclass {
public:
    Handler(std::string name, int response) : name_(std::move(name)), response_(response) {}
    int MsgResponse() override { return askedAbout = CurrentSubclassMessage(), response_; }
    LRESULT WindowProc(HWND hwnd, UINT, WPARAM, LPARAM) override
    {
        calls += name_ + " ";
        if (passOn)
            calls += "original " + std::to_string(CallOriginalWindowProc(hwnd, kUnhooked, 0, 0)) + " ";
        return 1;
    }
    UINT askedAbout = 0;
    bool passOn = false;

private:
    std::string name_;
    int response_;
};

LONG_PTR Prop(HWND hwnd, const std::string& name)
{
    return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name.c_str()));
}

BOOL CALLBACK CountProperty(HWND, LPSTR, HANDLE, ULONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int PropCount(HWND hwnd)
{
    int count = 0;
    EnumPropsExA(hwnd, CountProperty, reinterpret_cast<LPARAM>(&count));
    return count;
}

LONG_PTR Pointer(const Handler& h)
{
    return reinterpret_cast<LONG_PTR>(static_cast<const ISubclass*>(&h));
}

}  // namespace

// The properties are what others read: read back with the platform's own calls, beside real messages.
TEST(MSubclass, KeepsItsPropertiesAndRoutesRealMessages)
{
    const rt::WindowHandle window = MakeWindow();
    const HWND hwnd = window.get();
    const std::string h = std::to_string(reinterpret_cast<LONG_PTR>(hwnd));
    const std::string m = "#" + std::to_string(kHooked);
    Handler a("A", kPreviousAfter);
    Handler b("B", kHandlersOnly);
    b.passOn = true;
    rt::Err().Clear();
    SubclassAttach(a, hwnd, kHooked);
    SubclassAttach(b, hwnd, kHooked);
    SubclassAttach(a, hwnd, kUnhooked + 1);
    EXPECT_EQ(rt::Err().Number(), 0);
    EXPECT_EQ(Prop(hwnd, h), reinterpret_cast<LONG_PTR>(&OwnProc));
    EXPECT_EQ(Prop(hwnd, "C" + h), 3);
    EXPECT_EQ(Prop(hwnd, h + m + "C"), 2);
    EXPECT_EQ(Prop(hwnd, h + m + "#1"), Pointer(a));
    EXPECT_EQ(Prop(hwnd, h + m + "#2"), Pointer(b));

    calls.clear();
    EXPECT_EQ(SendMessageW(hwnd, kHooked, 0, 0), 101);
    EXPECT_EQ(calls, "B own original 102 A own ");
    EXPECT_EQ(a.askedAbout, kHooked);

    SubclassDetach(a, hwnd, kHooked);
    SubclassDetach(b, hwnd, kHooked);
    SubclassDetach(a, hwnd, kUnhooked + 1);
    EXPECT_EQ(PropCount(hwnd), 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
}

TEST(MSubclass, RecordsWhyAnAttachFailed)
{
    const rt::WindowHandle window = MakeWindow();
    const HWND gone = MakeWindow().get();  // destroyed at once
    Handler a("A", kHandlersOnly);
    SubclassAttach(a, window.get(), kHooked);
    const int desktopProperties = PropCount(GetDesktopWindow());
    struct Case {
        HWND hwnd;
        int number;
        const wchar_t* description;
    };
    for (const Case& c : {Case{gone, 13083, L"Invalid window"},
                          Case{GetDesktopWindow(), 13084, L"Can't modify external window"},
                          Case{window.get(), 13082, L"Message already handled by another class"}}) {
        SCOPED_TRACE(c.number);
        rt::Err().Clear();
        SubclassAttach(a, c.hwnd, kHooked);
        EXPECT_EQ(rt::Err().Number(), c.number | rt::kObjectError);
        EXPECT_EQ(rt::Err().Source(), L"controls_MSubclass_win_test.WindowProc");
        EXPECT_EQ(rt::Err().Description(), c.description);
    }
    rt::Err().Clear();
    EXPECT_EQ(PropCount(GetDesktopWindow()), desktopProperties);
    EXPECT_EQ(PropCount(window.get()), 4);  // unchanged by the refusals
}

TEST(MSubclass, LetsGoOfDestroyedWindowsAndEndedHandlers)
{
    rt::WindowHandle window = MakeWindow();
    Handler a("A", kHandlersOnly);
    SubclassAttach(a, window.get(), kHooked);
    calls.clear();
    window.reset();
    EXPECT_EQ(calls, "destroyed as own ");  // the procedure was back before WM_DESTROY went on

    window = MakeWindow();
    {
        Handler shortLived("short", kHandlersOnly);
        SubclassAttach(shortLived, window.get(), kHooked);
    }
    calls.clear();
    EXPECT_EQ(SendMessageW(window.get(), kHooked, 0, 0), 101);  // no freed handler is called
    EXPECT_EQ(calls, "own ");
    EXPECT_EQ(PropCount(window.get()), 0);
}

// The ANSI setter would turn a Unicode window into an ANSI one and mangle characters outside the code page.
TEST(MSubclass, KeepsAUnicodeWindowUnicode)
{
    const rt::WindowHandle edit(CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPED, 0, 0, 200, 30, nullptr, nullptr,
                                                GetModuleHandleW(nullptr), nullptr));
    Handler a("A", kPreviousAfter);
    SubclassAttach(a, edit.get(), WM_CHAR);
    EXPECT_TRUE(IsWindowUnicode(edit.get()));
    calls.clear();
    PostMessageW(edit.get(), WM_CHAR, 0x2212, 1);  // "−"
    PostMessageW(edit.get(), WM_CHAR, 0x00D7, 1);  // "×"
    test::PumpUntil([&] { return GetWindowTextLengthW(edit.get()) >= 2; }, 2000);
    wchar_t text[8] = {};
    GetWindowTextW(edit.get(), text, 8);
    EXPECT_EQ(std::wstring(text), L"\u2212\u00D7");
    EXPECT_EQ(calls, "A A ");
}
