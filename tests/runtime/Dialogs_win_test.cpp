#include "runtime/InputBox_win.h"
#include "runtime/MsgBox_win.h"
#include "support/DialogScript_win.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

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

struct MsgBoxCase {
    int style;
    int answer;
    int expected;
};

TEST(MsgBox, ReturnsTheScriptedButtonAndShowsTheStyle)
{
    const MsgBoxCase cases[] = {
        {0, IDOK, 1},      // OK only
        {1, IDCANCEL, 2},  // OK / Cancel
        {16, IDOK, 1},     // critical
        {36, IDYES, 6},    // Yes / No, question
        {36, IDNO, 7},
        {48 + 1 + 256, IDOK, 1},      // exclamation, OK / Cancel, Cancel the default
        {3 + 32 + 256, IDCANCEL, 2},  // Yes / No / Cancel, No the default
        {3 + 64 + 512, IDYES, 6},     // information, Cancel the default
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        test::DialogScript script;
        script.Answer(c.answer);
        EXPECT_EQ(rt::MsgBox(L"Line one\r\nLine two", c.style, L"Caption"), c.expected);
        ASSERT_EQ(script.Shown().size(), 1u);
        const auto& shown = script.Shown()[0];
        EXPECT_EQ(shown.kind, test::DialogKind::MessageBox);
        EXPECT_EQ(shown.text, L"Line one\r\nLine two");
        EXPECT_EQ(shown.title, L"Caption");
        EXPECT_EQ(shown.style, c.style);
    }
}

TEST(MsgBox, EmptyTitleGivesTheApplicationTitle)
{
    test::DialogScript script;
    script.Answer(IDOK);
    rt::MsgBox(L"Hello");
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].title, L"Plumvane");
}

TEST(MsgBox, EscapeAndCloseBoxGiveCancel)
{
    test::DialogScript script;
    script.Escape().Close();
    EXPECT_EQ(rt::MsgBox(L"a", 3), 2);
    EXPECT_EQ(rt::MsgBox(L"b", 1), 2);
}

TEST(MsgBox, IsOwnedByTheActiveWindowAndDisablesIt)
{
    OwnerWindow owner;
    ASSERT_EQ(GetActiveWindow(), owner.get());
    test::DialogScript script;
    script.Answer(IDOK);
    rt::MsgBox(L"Owned");
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].owner, owner.get());
    EXPECT_FALSE(script.Shown()[0].ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

struct InputCase {
    const char* name;
    void (*answer)(test::DialogScript&);
    const wchar_t* expected;
};

TEST(InputBox, ReturnsTheTextOrEmptyWhenCancelled)
{
    const InputCase cases[] = {
        {"typed", [](test::DialogScript& s) { s.Type(L"1,234.5"); }, L"1,234.5"},
        {"typed empty", [](test::DialogScript& s) { s.Type(L""); }, L""},
        {"OK keeps the default", [](test::DialogScript& s) { s.Answer(IDOK); }, L"0"},
        {"Cancel", [](test::DialogScript& s) { s.Answer(IDCANCEL); }, L""},
        {"Esc", [](test::DialogScript& s) { s.Escape(); }, L""},
        {"close box", [](test::DialogScript& s) { s.Close(); }, L""},
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
    }
}

TEST(InputBox, SelectsTheDefaultTextAndTakesTheApplicationTitle)
{
    test::DialogScript script;
    script.Answer(IDOK);
    EXPECT_EQ(rt::InputBox(L"Enter INITIAL DATE:", L"", L"15/12/2003"), L"15/12/2003");
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].title, L"Plumvane");
    EXPECT_TRUE(script.Shown()[0].inputSelected);
}

TEST(InputBox, DisablesItsOwnerOnlyWhileOpen)
{
    OwnerWindow owner;
    test::DialogScript script;
    script.Type(L"7");
    EXPECT_EQ(rt::InputBox(L"Days"), L"7");
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].owner, owner.get());
    EXPECT_FALSE(script.Shown()[0].ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
    EXPECT_EQ(GetActiveWindow(), owner.get());
}

int unexpectedAnswer = -1;

TEST(DialogScript, ClosesAnUnexpectedBoxAndFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::DialogScript script;
            unexpectedAnswer = rt::MsgBox(L"Surprise", 4);
        },
        "unexpected dialog");
    EXPECT_EQ(unexpectedAnswer, 7);
    EXPECT_NONFATAL_FAILURE(
        {
            test::DialogScript script;
            script.Type(L"x");
            unexpectedAnswer = rt::MsgBox(L"Not an input box", 1);
        },
        "does not fit");
    EXPECT_EQ(unexpectedAnswer, 2);
    EXPECT_NONFATAL_FAILURE(
        {
            test::DialogScript script;
            script.Answer(IDOK);
        },
        "not used");
}

TEST(DialogScript, NestedScriptAnswersUntilItEnds)
{
    test::DialogScript outer;
    outer.Answer(IDYES);
    {
        test::DialogScript inner;
        inner.Answer(IDNO);
        EXPECT_EQ(rt::MsgBox(L"inner", 4), 7);
    }
    EXPECT_EQ(rt::MsgBox(L"outer", 4), 6);
    EXPECT_EQ(outer.Shown().size(), 1u);
}

}  // namespace
