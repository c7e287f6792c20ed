#include "runtime/App_win.h"
#include "runtime/Buttons_win.h"
#include "runtime/Containers_win.h"
#include "runtime/Form_win.h"
#include "runtime/Label_win.h"
#include "runtime/TextBox_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::PumpUntil;
using test::Settle;

std::vector<std::wstring> events;

// Tab order differs from design order; one box is disabled, one hidden, one not a tab stop; three options in
// the form and two in a frame; a label with an access key before the second box.
class FocusForm : public rt::Form {
public:
    FocusForm()
    {
        Add(txtC, {L"txtC"});
        Add(txtA, {L"txtA"});
        Add(lblB, {L"lblB"});
        Add(txtB, {L"txtB"});
        Add(txtDisabled, {L"txtDisabled"});
        Add(txtHidden, {L"txtHidden"});
        Add(txtNoStop, {L"txtNoStop"});
        for (int i = 0; i < 3; ++i) {
            Add(optRow[i], {L"optRow", i});
            optRow[i].Click = [i] { events.push_back(L"optRow_Click" + std::to_wstring(i)); };
            optRow[i].MouseUp = [i](int& Button, int, float, float) {
                events.push_back(L"optRow_MouseUp" + std::to_wstring(i) + L"," + std::to_wstring(Button));
            };
        }
        Add(fraSex, {L"fraSex"});
        Add(optWoman, {L"optWoman", {}, &fraSex});
        Add(optMan, {L"optMan", {}, &fraSex});
        Add(chkVista, {L"chkVista"});
        chkVista.Click = [] { events.push_back(L"chkVista_Click"); };
        chkVista.MouseUp = [](int& Button, int, float, float) { events.push_back(L"chkVista_MouseUp"); };
        for (rt::TextBox* box : {&txtA, &txtB, &txtC}) {
            box->GotFocus = [box] { events.push_back(box->Name() + L"_GotFocus"); };
            box->LostFocus = [box] { events.push_back(box->Name() + L"_LostFocus"); };
            box->KeyUp = [box](int& KeyCode, int Shift) {
                events.push_back(box->Name() + L"_KeyUp" + std::to_wstring(KeyCode) + L"," + std::to_wstring(Shift));
            };
        }
    }

    rt::TextBox txtC, txtA, txtB, txtDisabled, txtHidden, txtNoStop;
    rt::Label lblB;
    std::array<rt::OptionButton, 3> optRow;
    rt::Frame fraSex;
    rt::OptionButton optWoman, optMan;
    rt::CheckBox chkVista;
    bool enterTabs = false;

protected:
    // As the tool windows do: Enter moves on to the next field, and still reaches the field.
    void Form_KeyPress(int& KeyAscii) override
    {
        if (enterTabs && KeyAscii == 13) {
            rt::SendKeys(L"{TAB}");
            rt::DoEvents();
        }
    }

    void Design() override
    {
        SetClientSize(6000, 4000);
        int top = 0;
        for (rt::Control* c : std::initializer_list<rt::Control*>{&txtC, &txtA, &lblB, &txtB, &txtDisabled, &txtHidden,
                                                                  &txtNoStop, &optRow[0], &optRow[1], &optRow[2]}) {
            c->Move(100, top, 1500, 300);
            top += 320;
        }
        fraSex.Move(2000, 0, 2000, 1500);
        optWoman.Move(100, 300, 1500, 300);
        optMan.Move(100, 700, 1500, 300);
        chkVista.Move(2000, 1600, 1500, 300);
        int tabIndex = 0;
        for (rt::Control* c :
             std::initializer_list<rt::Control*>{&txtA, &lblB, &txtB, &txtC, &txtDisabled, &txtHidden, &txtNoStop,
                                                 &optRow[2], &optRow[1], &optRow[0], &optWoman, &optMan, &chkVista})
            c->SetTabIndex(tabIndex++);
        txtDisabled.SetEnabled(false);
        txtHidden.SetVisible(false);
        txtNoStop.SetTabStop(false);
        lblB.SetCaption(L"Value &B");
        optWoman.SetCaption(L"&Woman");
        optMan.SetCaption(L"&Man");
        optWoman.SetValue(true);
        chkVista.SetCaption(L"in &cash");
    }
};

class FocusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        form.Show();
        ASSERT_TRUE(PumpUntil([this] { return form.txtA.HasFocus(); }));
        Settle();
        events.clear();
    }
    void TearDown() override { form.Unload(); }

    std::wstring Focused() const
    {
        rt::Control* control = rt::Control::FromWindow(GetFocus());
        if (!control)
            return L"(none)";
        return control->Name() + (control->Index() ? std::to_wstring(*control->Index()) : L"");
    }

    FocusForm form;
};

TEST_F(FocusTest, TabFollowsTabIndexAndSkipsWhatCannotTakeTheFocus)
{
    for (const auto& expected : {L"txtB", L"txtC", L"optRow2", L"optWoman", L"chkVista", L"txtA"}) {
        PressKey(VK_TAB);
        EXPECT_EQ(Focused(), expected);
    }
    for (const auto& expected : {L"chkVista", L"optWoman", L"optRow2", L"txtC", L"txtB", L"txtA"}) {
        PressKey(VK_TAB, true);
        EXPECT_EQ(Focused(), expected);
    }
    form.txtA.SetEnabled(false);  // disabling the focused control hands the focus on
    EXPECT_EQ(Focused(), L"txtB");
    form.txtDisabled.SetFocus();  // does nothing
    EXPECT_EQ(Focused(), L"txtB");
}

TEST_F(FocusTest, SimulatedTabMovesFocusAndItsReleaseReachesTheNewControl)
{
    ASSERT_TRUE(rt::SendKeys(L"{TAB}"));
    Settle();
    ASSERT_TRUE(rt::SendKeys(L"+{Tab}"));
    Settle();
    EXPECT_EQ(events, (std::vector<std::wstring>{L"txtA_LostFocus", L"txtB_GotFocus", L"txtB_KeyUp9,0",
                                                 L"txtB_LostFocus", L"txtA_GotFocus", L"txtA_KeyUp9,1"}));
    EXPECT_FALSE(rt::SendKeys(L"{ENTER}"));
    EXPECT_FALSE(rt::SendKeys(L"a"));
    // As the tool windows do: Enter sent on as Tab from the key preview, from a box and from a check box.
    form.enterTabs = true;
    form.txtC.SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(Focused(), L"optRow2");
    form.chkVista.SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(Focused(), L"txtA");
    EXPECT_EQ(form.chkVista.Value(), 0);
}

// A key's release reports the modifiers held at its time, whatever happened since its press.
TEST_F(FocusTest, ReleaseReportsTheModifiersHeldAtItsTime)
{
    const auto hold = [](int modifier) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
            keys[key] = key == modifier ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    const auto post = [](UINT message, int keyCode) {
        PostMessageW(GetFocus(), message, static_cast<WPARAM>(keyCode), message == WM_KEYUP ? 0xC0000001 : 1);
        Settle();
    };
    const struct {
        const char* what;
        int heldAtPress;
        std::function<void()> between;  // after the press of "1", before a release
        int released;
        const wchar_t* expected;
    } cases[] = {
        {"nothing", VK_SHIFT, [] {}, '1', L"txtA_KeyUp49,1"},
        {"Shift released", VK_SHIFT, [&] { hold(0), post(WM_KEYUP, VK_SHIFT); }, '1', L"txtA_KeyUp49,0"},
        {"Ctrl held and the focus moved", 0, [&] { hold(VK_CONTROL), form.txtB.SetFocus(); }, '1', L"txtB_KeyUp49,2"},
        {"Shift held and another key released", 0, [&] { hold(VK_SHIFT); }, '2', L"txtA_KeyUp50,1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form.txtA.SetFocus();
        hold(c.heldAtPress);
        post(WM_KEYDOWN, '1');
        c.between();
        events.clear();
        post(WM_KEYUP, c.released);
        std::erase_if(events, [](const std::wstring& e) { return e.find(L"_KeyUp") == std::wstring::npos; });
        EXPECT_EQ(events, std::vector<std::wstring>{c.expected});
    }
    hold(0);
}

TEST_F(FocusTest, AccessKeysFocusClickAndSelect)
{
    test::PressAltKey(L'b');  // the label hands the focus to the control after it
    EXPECT_EQ(Focused(), L"txtB");
    test::PressAltKey(L'C');
    EXPECT_EQ(Focused(), L"chkVista");
    EXPECT_EQ(form.chkVista.Value(), 1);
    test::PressAltKey(L'm');
    EXPECT_EQ(Focused(), L"optMan");
    EXPECT_FALSE(form.optWoman.Value());
    form.lblB.SetVisible(false);
    form.txtA.SetFocus();
    test::PressAltKey(L'b');  // a hidden label has no access key
    EXPECT_EQ(Focused(), L"txtA");
}

TEST_F(FocusTest, OptionGroupsSelectOneAndAreOneTabStop)
{
    form.optRow[0].SetValue(true);
    form.optRow[0].SetValue(true);  // already selected: no second Click
    form.optRow[2].SetValue(true);
    EXPECT_FALSE(form.optRow[0].Value());
    EXPECT_TRUE(form.optWoman.Value());  // another container, another group
    form.optRow[2].SetValue(false);      // none selected is allowed, and silent
    EXPECT_FALSE(form.optRow[2].Value());
    EXPECT_EQ(events, (std::vector<std::wstring>{L"optRow_Click0", L"optRow_Click2"}));

    form.optRow[2].SetFocus();  // arrow keys walk the group in tab order and select
    Settle();
    events.clear();
    PressKey(VK_DOWN);
    EXPECT_EQ(Focused(), L"optRow1");
    EXPECT_TRUE(form.optRow[1].Value());
    EXPECT_EQ(events, std::vector<std::wstring>{L"optRow_Click1"});

    form.txtC.SetFocus();  // the group's one tab stop is its selected option
    PressKey(VK_TAB);
    EXPECT_EQ(Focused(), L"optRow1");
    PressKey(VK_TAB);
    EXPECT_EQ(Focused(), L"optWoman");
}

TEST_F(FocusTest, ClicksRaiseClickBeforeMouseUp)
{
    test::ClickAt(form.chkVista.hWnd());
    test::ClickAt(form.optRow[1].hWnd());
    test::ClickAt(form.optRow[1].hWnd());  // already selected: MouseUp only
    EXPECT_EQ(form.chkVista.Value(), 1);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"txtA_LostFocus", L"chkVista_Click", L"chkVista_MouseUp",
                                                 L"optRow_Click1", L"optRow_MouseUp1,1", L"optRow_MouseUp1,1"}));
}

}  // namespace
