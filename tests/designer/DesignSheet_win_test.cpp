// The host's side of the property-page contract, with two recording pages over a plain user control.
#include "designer/DesignSheet_win.h"

#include "runtime/TextBox_win.h"
#include "runtime/UserControl_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::Settle;

std::vector<std::wstring> calls;

class Widget : public rt::UserControl {};

class RecordingPage : public rt::PropertyPage {
public:
    explicit RecordingPage(std::wstring name) : name_(std::move(name))
    {
        AddControl(txtValue, {L"txtValue"});
        txtValue.Change = [this] { SetChanged(true); };
    }
    rt::TextBox txtValue;
    bool refuse = false;  // ApplyChanges keeps the page changed, as a page does for values it refuses

protected:
    void Design() override
    {
        SetCaption(name_);
        Move(0, 0, 3000, 1500);
        txtValue.Move(120, 120, 1500, 315);
    }
    void PropertyPage_Initialize() override { calls.push_back(name_ + L" Initialize"); }
    void PropertyPage_SelectionChanged() override
    {
        calls.push_back(name_ + L" SelectionChanged " + std::to_wstring(SelectedControls().size()));
    }
    void PropertyPage_ApplyChanges() override
    {
        calls.push_back(name_ + L" ApplyChanges");
        if (refuse)
            SetChanged(true);
    }

private:
    std::wstring name_;
};

class TestSheet : public designer::DesignSheet {
public:
    TestSheet()
    {
        AddPages({&first, &second});
        Add(widget, {L"widget"});
    }
    RecordingPage first{L"One"};
    RecordingPage second{L"Two"};
    Widget widget;
    bool saveFails = false;

protected:
    void Design() override
    {
        DesignSheet::Design();
        widget.Move(120, SheetHeight(), 540, 540);
    }
    bool SaveChanges(bool pagesApplied) override
    {
        calls.push_back(pagesApplied ? L"Save" : L"Save what the controls report");
        return !saveFails;
    }
};

class DesignSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        sheet.SetSelection({&sheet.widget});
        sheet.Show();
        Settle();
    }
    void TearDown() override
    {
        sheet.saveFails = false;
        sheet.Unload();
    }
    void Type(RecordingPage& page, const wchar_t* text)
    {
        page.txtValue.SetFocus();
        Settle();
        test::TypeText(text);
    }
    // Ctrl+Tab: the next page.
    static void PressCtrlTab()
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        PressKey(VK_TAB);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    TestSheet sheet;
};

TEST_F(DesignSheetTest, InitialisesEveryPageOnceAndSelectsOnFirstShowingAndEveryChange)
{
    sheet.tabPages.SetSelectedIndex(1);
    sheet.tabPages.SetSelectedIndex(0);  // shown before: no second SelectionChanged
    sheet.SetSelection({&sheet.widget, &sheet.widget});
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"One Initialize", L"Two Initialize", L"One SelectionChanged 1",
                                                L"Two SelectionChanged 1", L"One SelectionChanged 2",
                                                L"Two SelectionChanged 2"}));
    EXPECT_TRUE(sheet.first.Visible());
    EXPECT_FALSE(sheet.second.Visible());
}

TEST_F(DesignSheetTest, ApplyFollowsTheChangedFlagAndAppliesOnlyChangedPages)
{
    EXPECT_FALSE(sheet.cmdApply.Enabled());
    sheet.tabPages.SetSelectedIndex(1);
    Type(sheet.second, L"7");
    EXPECT_TRUE(sheet.cmdApply.Enabled());
    calls.clear();
    test::Click(sheet.cmdApply);
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Two ApplyChanges", L"Save"}));
    EXPECT_FALSE(sheet.second.Changed());
    EXPECT_FALSE(sheet.cmdApply.Enabled());
    EXPECT_TRUE(sheet.IsLoaded());
}

TEST_F(DesignSheetTest, OkAppliesAndClosesButStaysWhileAPageRefusesOrTheSaveFails)
{
    Type(sheet.first, L"1");
    sheet.first.refuse = true;
    test::Click(sheet.cmdOK);
    EXPECT_TRUE(sheet.IsLoaded());
    EXPECT_TRUE(sheet.cmdApply.Enabled());
    sheet.first.refuse = false;
    sheet.saveFails = true;
    test::Click(sheet.cmdOK);
    EXPECT_TRUE(sheet.IsLoaded());
    sheet.saveFails = false;
    calls.clear();
    test::Click(sheet.cmdOK);  // the page's values are on the control already: only the save is retried
    EXPECT_FALSE(sheet.IsLoaded());
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"Save"}));
}

// Cancel throws away what was not applied: every way of closing but OK neither applies nor saves, also while
// the last save failed (which must never keep the user in the window).
TEST_F(DesignSheetTest, CancelAndTheCloseBoxCloseWithoutApplyingOrSaving)
{
    const std::function<void()> closers[] = {
        [this] { test::Click(sheet.cmdCancel); },
        [] { PressKey(VK_ESCAPE); },
        [this] { SendMessageW(sheet.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },  // the close box and Alt+F4
        [this] { SendMessageW(sheet.hWnd(), WM_CLOSE, 0, 0); },
    };
    for (std::size_t i = 0; i < std::size(closers); ++i) {
        SCOPED_TRACE(i);
        if (!sheet.IsLoaded()) {
            sheet.Show();
            Settle();
        }
        Type(sheet.first, L"1");
        sheet.saveFails = true;
        test::Click(sheet.cmdApply);  // applied, but the save fails
        ASSERT_TRUE(sheet.IsLoaded());
        Type(sheet.first, L"2");
        calls.clear();
        closers[i]();
        Settle();
        EXPECT_FALSE(sheet.IsLoaded());
        EXPECT_EQ(calls, std::vector<std::wstring>{});
        sheet.saveFails = false;
    }
}

TEST_F(DesignSheetTest, KeysReachOkCancelAndTheTabs)
{
    Type(sheet.first, L"1");
    PressKey(VK_TAB);  // Ctrl+Tab: the next page
    EXPECT_TRUE(sheet.first.Visible());
    PressCtrlTab();
    EXPECT_TRUE(sheet.second.Visible());
    calls.clear();
    sheet.second.txtValue.SetFocus();
    Settle();
    PressKey(VK_RETURN);  // OK
    EXPECT_FALSE(sheet.IsLoaded());
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"One ApplyChanges", L"Save"}));

    sheet.Show();
    Settle();
    Type(sheet.first, L"2");
    calls.clear();
    PressKey(VK_ESCAPE);  // Cancel
    EXPECT_FALSE(sheet.IsLoaded());
    EXPECT_EQ(calls, std::vector<std::wstring>{});
}

// The focus never stays on a page that is hidden: keys typed after Ctrl+Tab, or with the mouse's choice of tab,
// go to a control the user sees, and Enter is OK, not a button of the hidden page.
TEST_F(DesignSheetTest, ChangingTabsTakesTheFocusOffTheHiddenPage)
{
    Type(sheet.first, L"1");
    PressCtrlTab();
    ASSERT_TRUE(sheet.second.Visible());
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    test::TypeText(L"2");
    EXPECT_EQ(sheet.first.txtValue.Text(), L"1");

    sheet.second.txtValue.SetFocus();
    Settle();
    sheet.tabPages.SetSelectedIndex(0);
    Settle();
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
    calls.clear();
    PressKey(VK_RETURN);
    EXPECT_FALSE(sheet.IsLoaded());
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"One ApplyChanges", L"Save"}));
}

}  // namespace
