#include "runtime/Form_win.h"
#include "runtime/TextBox_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <string>

namespace {

using test::PumpUntil;
using test::TypeText;

// A tool-like form: its key preview turns "," into "." and drops letters; the tape box is multi-line.
class EntryForm : public rt::Form {
public:
    EntryForm()
    {
        Add(txtValue, {L"txtValue"});
        Add(txtTape, {L"txtTape"});
        txtValue.Change = [this] {
            ++changes;
            if (onChange)
                onChange();
        };
        txtValue.KeyPress = [this](int& KeyAscii) { seenByBox += static_cast<wchar_t>(KeyAscii); };
    }

    rt::TextBox txtValue;
    rt::TextBox txtTape;
    int changes = 0;
    bool filter = false;
    std::wstring seenByBox;
    std::function<void()> onChange;

protected:
    void Design() override
    {
        SetClientSize(4000, 3000);
        txtValue.Move(0, 0, 2000, 300);
        txtTape.Move(0, 400, 4000, 2000);
        txtTape.SetMultiLine(true);
        txtTape.SetScrollBars(rt::ScrollBars::Vertical);
        txtTape.SetFont(rt::StdFont{.name = L"Courier New", .size = 10});
    }
    void Form_KeyPress(int& KeyAscii) override
    {
        if (!filter)
            return;
        if (KeyAscii == ',')
            KeyAscii = '.';
        else if (std::iswalpha(static_cast<wint_t>(KeyAscii)))
            KeyAscii = 0;
    }
};

class TextBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.Show();
        ASSERT_TRUE(PumpUntil([this] { return form.txtValue.HasFocus(); }));
        form.changes = 0;
    }
    void TearDown() override { form.Unload(); }
    EntryForm form;
};

TEST_F(TextBoxTest, KeyPreviewChangesWhatTheBoxReceives)
{
    form.filter = true;
    TypeText(L"1,5a2x");
    EXPECT_EQ(form.txtValue.Text(), L"1.52");
    EXPECT_EQ(form.seenByBox, L"1.52");  // the box's own KeyPress sees the changed character, dropped ones never
    EXPECT_EQ(form.changes, 4);
}

TEST_F(TextBoxTest, ChangeFiresOnRealChangesOnly)
{
    auto& box = form.txtValue;
    const struct {
        const wchar_t* what;
        std::function<void()> act;
        int changes;
    } steps[] = {
        {L"new text", [&] { box.SetText(L"abc"); }, 1},
        {L"same text", [&] { box.SetText(L"abc"); }, 0},
        {L"typed", [&] { box.SetSelStart(3), TypeText(L"d"); }, 1},
        {L"backspace at the start", [&] { box.SetSelStart(0), test::PressKey(VK_BACK); }, 0},
        {L"Enter and Esc", [&] { test::PressKey(VK_RETURN), test::PressKey(VK_ESCAPE); }, 0},
        {L"selection replaced", [&] { box.SetSelStart(1), box.SetSelLength(1), box.SetSelText(L"X"); }, 1},
        {L"emptied", [&] { box.SetText(L""); }, 1},
        {L"emptied again", [&] { box.SetText(L""); }, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        form.changes = 0;
        step.act();
        EXPECT_EQ(form.changes, step.changes);
    }
    // A mask that rebuilds itself on every change, as the date fields do, may set the text again.
    form.onChange = [&] {
        if (box.Text().size() != 5)
            box.SetText((box.Text() + L"_____").substr(0, 5));
    };
    form.changes = 0;
    box.SetText(L"12");
    EXPECT_EQ(box.Text(), L"12___");
    EXPECT_EQ(form.changes, 2);
}

TEST_F(TextBoxTest, MaxLengthLimitsTypingAndZeroLiftsTheUsualLimit)
{
    form.txtValue.SetMaxLength(3);
    TypeText(L"12345");
    EXPECT_EQ(form.txtValue.Text(), L"123");
    form.txtValue.SetMaxLength(0);
    TypeText(L"45");
    EXPECT_EQ(form.txtValue.Text(), L"12345");
    // Past the edit control's usual 30,000 characters (in short lines: one long line is slow to lay out).
    std::wstring text;
    while (text.size() < 30000)
        text += L"1234567890123456789012345\r\n";
    form.txtTape.SetText(text);
    form.txtTape.SetFocus();
    form.txtTape.SetSelStart(form.txtTape.TextLength());
    TypeText(L"2");
    EXPECT_EQ(form.txtTape.TextLength(), static_cast<int>(text.size()) + 1);
}

TEST_F(TextBoxTest, SelectionClampsToTheText)
{
    auto& box = form.txtValue;
    box.SetText(L"250");
    const struct {
        int start, length, expectedStart, expectedLength;
        const wchar_t* selected;
    } cases[] = {
        {0, 2, 0, 2, L"25"}, {0, 200, 0, 3, L"250"}, {1, 100, 1, 2, L"50"},
        {10, 1, 3, 0, L""},  {-1, 1, 3, 0, L""},  // a negative start is ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "," << c.length);
        box.SetSelStart(c.start);
        box.SetSelLength(c.length);
        EXPECT_EQ(box.SelStart(), c.expectedStart);
        EXPECT_EQ(box.SelLength(), c.expectedLength);
        EXPECT_EQ(box.SelText(), c.selected);
    }
    form.Unload();  // an unloaded box keeps its text and still edits it, silently
    form.changes = 0;
    box.SetSelStart(99);
    box.SetSelText(L"!");
    EXPECT_EQ(box.Text(), L"250!");
    EXPECT_EQ(form.changes, 0);
}

TEST_F(TextBoxTest, AppendGoesToTheEndWhateverIsSelected)
{
    auto& box = form.txtValue;
    box.SetText(L"abc");  // the box now remembers what it was given
    box.SetSelStart(0);
    box.SetSelLength(1);
    form.changes = 0;
    box.AppendText(L"de");
    EXPECT_EQ(box.Text(), L"abcde");  // the selected "a" is kept, and the remembered text is not stale
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_EQ(form.changes, 1);
    form.Unload();
    box.SetSelStart(1);
    box.AppendText(L"f");
    EXPECT_EQ(box.Text(), L"abcdef");
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(form.changes, 1);
}

TEST_F(TextBoxTest, MillionCharacterTapeIsSetAndReadBackWhole)
{
    std::wstring tape;
    while (tape.size() < 1000000)
        tape += L"                      12 +\r\n";
    form.txtTape.SetText(tape);
    EXPECT_EQ(form.txtTape.Text(), tape);
    tape += L" =========================\r\n";  // appended as the calculator does: all of it in one write
    form.txtTape.SetText(tape);
    EXPECT_EQ(form.txtTape.Text(), tape);
    EXPECT_EQ(form.txtTape.SelStart(), 0);
}

}  // namespace
