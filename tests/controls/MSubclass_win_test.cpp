#include "controls/MSubclass_win.h"
#include "core/ProgramState.h"
#include "runtime/ErrorState.h"
#include "runtime/Handles_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace controls;

namespace {

constexpr UINT kHooked = WM_USER + 1;
constexpr UINT kUnhooked = WM_USER + 2;

std::vector<std::string> calls;

// The window's own procedure: logs the messages the tests look at and answers 100 + the message's offset.
LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kHooked || msg == kUnhooked) {
        calls.push_back("own");
        return 100 + static_cast<LRESULT>(msg - WM_USER);
    }
    if (msg == WM_DESTROY) {
        // What the window looks like while it is destroyed.
        calls.push_back(GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnProc)
                            ? "destroy with own procedure"
                            : "destroy still subclassed");
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

const wchar_t* OwnClass()
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PlumvaneSubclassTest";
        return RegisterClassW(&wc);
    }();
    return atom ? L"PlumvaneSubclassTest" : nullptr;
}

rt::WindowHandle MakeWindow()
{
    return rt::WindowHandle(CreateWindowExW(0, OwnClass(), L"subclass", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr));
}

class Handler : public ISubclass {
public:
    Handler(std::string name, LRESULT answer, int response) : name_(std::move(name)), answer_(answer), response_(response)
    {
    }
    int MsgResponse() override
    {
        askedAbout = CurrentSubclassMessage();
        return response_;
    }
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        calls.push_back(name_);
        if (during)
            during(hwnd);
        return answer_;
    }
    UINT askedAbout = 0;
    std::function<void(HWND)> during;

private:
    std::string name_;
    LRESULT answer_;
    int response_;
};

std::string Decimal(HWND hwnd)
{
    return std::to_string(reinterpret_cast<LONG_PTR>(hwnd));
}

LONG_PTR Prop(HWND hwnd, const std::string& name)
{
    return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name.c_str()));
}

std::string Joined()
{
    std::string text;
    for (const std::string& entry : calls)
        text += (text.empty() ? "" : " ") + entry;
    calls.clear();
    return text;
}

BOOL CALLBACK CountProp(HWND, LPSTR, HANDLE, ULONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int PropCount(HWND hwnd)
{
    int count = 0;
    EnumPropsExA(hwnd, CountProp, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

// The properties are the contract others read: read them back with the platform's own calls.
TEST(MSubclass, KeepsItsBookkeepingInWindowProperties)
{
    const rt::WindowHandle window = MakeWindow();
    const HWND hwnd = window.get();
    const std::string h = Decimal(hwnd);
    const std::string m = std::to_string(kHooked);
    Handler a("A", 1, kHandlersOnly);
    Handler b("B", 2, kHandlersOnly);
    rt::Err().Clear();
    SubclassAttach(a, hwnd, kHooked);
    SubclassAttach(b, hwnd, kHooked);
    SubclassAttach(a, hwnd, kUnhooked);
    EXPECT_EQ(rt::Err().Number(), 0);

    EXPECT_EQ(Prop(hwnd, h), reinterpret_cast<LONG_PTR>(&OwnProc));
    EXPECT_EQ(Prop(hwnd, "C" + h), 3);
    EXPECT_EQ(Prop(hwnd, h + "#" + m + "C"), 2);
    EXPECT_EQ(Prop(hwnd, h + "#" + m + "#1"), reinterpret_cast<LONG_PTR>(static_cast<ISubclass*>(&a)));
    EXPECT_EQ(Prop(hwnd, h + "#" + m + "#2"), reinterpret_cast<LONG_PTR>(static_cast<ISubclass*>(&b)));
    EXPECT_EQ(Prop(hwnd, h + "#" + std::to_string(kUnhooked) + "C"), 1);
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));

    SubclassDetach(a, hwnd, kHooked);
    EXPECT_EQ(Prop(hwnd, h + "#" + m + "#1"), reinterpret_cast<LONG_PTR>(static_cast<ISubclass*>(&b)));
    EXPECT_EQ(Prop(hwnd, h + "#" + m + "#2"), 0);
    EXPECT_EQ(Prop(hwnd, "C" + h), 2);

    SubclassDetach(b, hwnd, kHooked);
    SubclassDetach(a, hwnd, kUnhooked);
    EXPECT_EQ(PropCount(hwnd), 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
}

TEST(MSubclass, RoutesRealMessagesThroughTheHandlers)
{
    const rt::WindowHandle window = MakeWindow();
    const HWND hwnd = window.get();
    Handler first("first", 1, kPreviousAfter);
    Handler second("second", 2, kHandlersOnly);
    second.during = [](HWND h) {
        calls.push_back("original says " + std::to_string(CallOriginalWindowProc(h, kUnhooked, 0, 0)));
    };
    SubclassAttach(first, hwnd, kHooked);
    SubclassAttach(second, hwnd, kHooked);
    calls.clear();
    EXPECT_EQ(SendMessageW(hwnd, kHooked, 0, 0), 101);
    EXPECT_EQ(Joined(), "second own original says 102 first own");
    EXPECT_EQ(first.askedAbout, kHooked);
    EXPECT_EQ(SendMessageW(hwnd, kUnhooked, 0, 0), 102);
    EXPECT_EQ(Joined(), "own");

    // While the program closes, the handlers hear nothing and the window still answers.
    core::Program().Fechando = -1;
    EXPECT_EQ(SendMessageW(hwnd, kHooked, 0, 0), 101);
    core::Program().Fechando = 0;
    EXPECT_EQ(Joined(), "own");
    SubclassDetachAll(first);
    SubclassDetachAll(second);
}

TEST(MSubclass, RecordsWhyAnAttachFailed)
{
    const rt::WindowHandle window = MakeWindow();
    Handler a("A", 1, kHandlersOnly);
    HWND gone = MakeWindow().release();
    DestroyWindow(gone);
    struct Case {
        const char* what;
        HWND hwnd;
        int number;
        const wchar_t* description;
    };
    const Case cases[] = {
        {"not a window", gone, 13083, L"Invalid window"},
        {"no window at all", nullptr, 13083, L"Invalid window"},
        {"a window of another process", GetDesktopWindow(), 13084, L"Can't modify external window"},
        {"the same handler twice", window.get(), 13082, L"Message already handled by another class"},
    };
    SubclassAttach(a, window.get(), kHooked);
    const int desktopProperties = PropCount(GetDesktopWindow());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rt::Err().Clear();
        SubclassAttach(a, c.hwnd, kHooked);
        EXPECT_EQ(rt::Err().Number(), c.number | rt::kObjectError);
        EXPECT_EQ(rt::Err().Source(), L"controls_MSubclass_win_test.WindowProc");
        EXPECT_EQ(rt::Err().Description(), c.description);
    }
    EXPECT_EQ(PropCount(GetDesktopWindow()), desktopProperties);
    EXPECT_EQ(Prop(window.get(), "C" + Decimal(window.get())), 1);
    SubclassDetach(a, window.get(), kHooked);
    rt::Err().Clear();
}

TEST(MSubclass, GivesTheWindowItsProcedureBackWhenDestroyed)
{
    rt::WindowHandle window = MakeWindow();
    const HWND hwnd = window.get();
    Handler a("A", 1, kHandlersOnly);
    SubclassAttach(a, hwnd, kHooked);
    calls.clear();
    window.reset();
    EXPECT_EQ(Joined(), "destroy with own procedure");
    EXPECT_FALSE(IsWindow(hwnd));

    // A handler on WM_DESTROY itself hears it; the window still ends cleanly.
    rt::WindowHandle second = MakeWindow();
    Handler onDestroy("on destroy", 0, kPreviousAfter);
    SubclassAttach(onDestroy, second.get(), WM_DESTROY);
    second.reset();
    EXPECT_EQ(Joined(), "on destroy destroy still subclassed");
    // A new window of the same class works from scratch.
    const rt::WindowHandle third = MakeWindow();
    SubclassAttach(onDestroy, third.get(), kHooked);
    EXPECT_EQ(Prop(third.get(), "C" + Decimal(third.get())), 1);
    SubclassDetachAll(onDestroy);
}

TEST(MSubclass, AHandlerThatEndsIsDetachedEverywhere)
{
    const rt::WindowHandle window = MakeWindow();
    const HWND hwnd = window.get();
    {
        Handler shortLived("short", 1, kHandlersOnly);
        SubclassAttach(shortLived, hwnd, kHooked);
        SubclassAttach(shortLived, hwnd, kUnhooked);
    }
    calls.clear();
    EXPECT_EQ(SendMessageW(hwnd, kHooked, 0, 0), 101);  // no freed handler is called
    EXPECT_EQ(Joined(), "own");
    EXPECT_EQ(PropCount(hwnd), 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
}

// The ANSI setter would turn a Unicode window into an ANSI one and mangle characters outside the code page.
TEST(MSubclass, KeepsAUnicodeWindowUnicode)
{
    const rt::WindowHandle edit(CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 30, nullptr,
                                                nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(IsWindowUnicode(edit.get()));
    Handler a("A", 0, kPreviousAfter);
    SubclassAttach(a, edit.get(), WM_CHAR);
    EXPECT_TRUE(IsWindowUnicode(edit.get()));
    calls.clear();
    PostMessageW(edit.get(), WM_CHAR, 0x2212, 1);  // "−"
    PostMessageW(edit.get(), WM_CHAR, 0x00D7, 1);  // "×"
    test::PumpUntil([&] { return GetWindowTextLengthW(edit.get()) >= 2; }, 2000);
    wchar_t text[8] = {};
    GetWindowTextW(edit.get(), text, 8);
    EXPECT_EQ(std::wstring(text), L"\u2212\u00D7");
    EXPECT_EQ(Joined(), "A A");
    SubclassDetachAll(a);
}
