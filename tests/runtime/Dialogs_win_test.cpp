#include "runtime/InputBox_win.h"
#include "runtime/MsgBox_win.h"
#include "support/DialogScript_win.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// A plain top-level window, shown and active, to own the boxes.
class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DialogsTestOwner";
        RegisterClassW(&wc);  // fails harmlessly when a previous test registered it
        hwnd_ = CreateWindowW(L"DialogsTestOwner", L"Owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
        ShowWindow(hwnd_, SW_SHOW);
        SetForegroundWindow(hwnd_);
        SetActiveWindow(hwnd_);
    }
    ~OwnerWindow() { DestroyWindow(hwnd_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

TEST(MsgBox, ReturnsTheScriptedButtonAndShowsTheStyle)
{
    const struct {
        int style;
        std::function<void(test::DialogScript&)> answer;
        int expected;
    } cases[] = {
        {0, [](auto& s) { s.Answer(IDOK); }, 1},
        {1, [](auto& s) { s.Answer(IDCANCEL); }, 2},
        {16, [](auto& s) { s.Answer(IDOK); }, 1},   // critical
        {36, [](auto& s) { s.Answer(IDYES); }, 6},  // Yes / No, question
        {36, [](auto& s) { s.Answer(IDNO); }, 7},
        {48 + 1 + 256, [](auto& s) { s.Answer(IDOK); }, 1},   // exclamation, Cancel the default
        {3 + 32 + 256, [](auto& s) { s.Escape(); }, 2},       // Yes / No / Cancel, No the default
        {3 + 64 + 512, [](auto& s) { s.Answer(IDYES); }, 6},  // information, Cancel the default
        {1, [](auto& s) { s.Close(); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        test::DialogScript script;
        c.answer(script);
        EXPECT_EQ(rt::MsgBox(L"Line one\r\nLine two", c.style, L"Caption"), c.expected);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].kind, test::DialogKind::MessageBox);
        EXPECT_EQ(script.Shown()[0].text, L"Line one\r\nLine two");
        EXPECT_EQ(script.Shown()[0].title, L"Caption");
        EXPECT_EQ(script.Shown()[0].style, c.style);
    }
}

TEST(InputBox, ReturnsTheTextOrEmptyWhenCancelled)
{
    const struct {
        const char* name;
        std::function<void(test::DialogScript&)> answer;
        const wchar_t* expected;
    } cases[] = {
        {"typed", [](auto& s) { s.Type(L"1,234.5"); }, L"1,234.5"},
        {"typed empty", [](auto& s) { s.Type(L""); }, L""},
        {"OK keeps the default", [](auto& s) { s.Answer(IDOK); }, L"0"},
        {"Cancel", [](auto& s) { s.Answer(IDCANCEL); }, L""},
        {"Esc", [](auto& s) { s.Escape(); }, L""},
        {"close box", [](auto& s) { s.Close(); }, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogScript script;
        c.answer(script);
        EXPECT_EQ(rt::InputBox(L"Enter FINAL DATE or\r\nNUMBER OF DAYS", L" Cash Check", L"0"), c.expected);
        ASSERT_EQ(script.Shown().size(), 1u);
        const auto& shown = script.Shown()[0];
        EXPECT_EQ(shown.kind, test::DialogKind::InputBox);
        EXPECT_EQ(shown.text, L"Enter FINAL DATE or\r\nNUMBER OF DAYS");
        EXPECT_EQ(shown.title, L" Cash Check");
        EXPECT_EQ(shown.inputText, L"0");
        EXPECT_TRUE(shown.inputSelected);  // typing replaces the default
    }
}

TEST(Dialogs, AreOwnedByTheActiveWindowAndTakeTheApplicationTitle)
{
    OwnerWindow owner;
    ASSERT_EQ(GetActiveWindow(), owner.get());
    test::DialogScript script;
    script.Answer(IDOK).Type(L"7");
    rt::MsgBox(L"Owned");
    EXPECT_EQ(rt::InputBox(L"Days"), L"7");
    ASSERT_EQ(script.Shown().size(), 2u);
    for (const auto& shown : script.Shown()) {
        EXPECT_EQ(shown.title, L"Plumvane");
        EXPECT_EQ(shown.owner, owner.get());
        EXPECT_FALSE(shown.ownerEnabled);  // disabled only while open
    }
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    EXPECT_EQ(GetActiveWindow(), owner.get());
}

TEST(DialogScript, ClosesAnUnexpectedBoxAndFailsTheTest)
{
    static int answer = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            test::DialogScript script;
            answer = rt::MsgBox(L"Surprise", 4);
        },
        "unexpected dialog");
    EXPECT_EQ(answer, 7);
}

}  // namespace
