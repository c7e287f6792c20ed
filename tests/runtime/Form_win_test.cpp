#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "runtime/Label_win.h"
#include "runtime/Screen_win.h"
#include "runtime/TextBox_win.h"
#include "runtime/Timer_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test::PumpUntil;
using Log = std::vector<std::wstring>;

Log eventLog;

bool Logged(const std::wstring& entry)
{
    return std::ranges::find(eventLog, entry) != eventLog.end();
}

HFONT FontOf(const rt::Control& control)
{
    return reinterpret_cast<HFONT>(SendMessageW(control.hWnd(), WM_GETFONT, 0, 0));
}

// A form that records its events and unloads itself on Esc or when its timer fires.
class LogForm : public rt::Form {
public:
    explicit LogForm(std::wstring name) : name_(std::move(name))
    {
        Add(txtEntry, {L"txtEntry"});
        Add(lblTitle, {L"lblTitle"});
        Add(tmrClose, {L"tmrClose"});
        txtEntry.Change = [this] { Record(L"txtEntry_Change"); };
        tmrClose.Tick = [this] { Unload(); };
    }

    rt::TextBox txtEntry;
    rt::Label lblTitle;
    rt::Timer tmrClose;
    int cancelQueryUnload = 0;
    bool centred = false;

protected:
    void Design() override
    {
        SetCaption(L" " + name_);
        SetBorderStyle(rt::BorderStyle::FixedDialog);
        SetClientSize(3000, 1995);
        if (centred)
            SetStartUpPosition(rt::StartUpPosition::CenterScreen);
        txtEntry.Move(120, 120, 1500, 300);
        txtEntry.SetText(L"design");
        lblTitle.SetCaption(L"Title");
    }
    void Form_Load() override { Record(L"Load"); }
    void Form_Activate() override { Record(L"Activate"); }
    void Form_Deactivate() override { Record(L"Deactivate"); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        Record(L"QueryUnload" + std::to_wstring(UnloadMode));
        Cancel = cancelQueryUnload;
    }
    void Form_Unload(int&) override { Record(L"Unload"); }
    void Form_KeyPress(int& KeyAscii) override
    {
        if (KeyAscii == 27)
            Unload();
    }

private:
    void Record(const std::wstring& what) { eventLog.push_back(name_ + L"." + what); }
    std::wstring name_;
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { eventLog.clear(); }
};

TEST_F(FormTest, ActivationEventsFollowOnlyTheProgramsForms)
{
    LogForm a(L"A");
    LogForm b(L"B");
    a.Show();
    ASSERT_TRUE(PumpUntil([] { return Logged(L"A.Activate"); }));
    b.Show();
    ASSERT_TRUE(PumpUntil([] { return Logged(L"B.Activate"); }));
    SetForegroundWindow(a.hWnd());
    ASSERT_TRUE(PumpUntil([] { return eventLog.size() >= 7; }));
    {
        test::DialogScript script;  // a message box over A neither deactivates nor reactivates it
        script.Answer(IDOK);
        EXPECT_EQ(MessageBoxW(a.hWnd(), L"Hello", L"Box", MB_OK), IDOK);
        test::Settle();
    }
    EXPECT_TRUE(a.Unload());
    EXPECT_TRUE(b.Unload());
    EXPECT_EQ(eventLog, (Log{L"A.Load", L"A.Activate", L"B.Load", L"A.Deactivate", L"B.Activate", L"B.Deactivate",
                             L"A.Activate", L"A.QueryUnload1", L"A.Unload", L"B.QueryUnload1", L"B.Unload"}));
}

TEST_F(FormTest, ModalShowReturnsAfterUnloadWithTheOwnerActiveAgain)
{
    LogForm owner(L"Owner");
    LogForm tool(L"Tool");
    owner.Show();
    ASSERT_TRUE(PumpUntil([] { return Logged(L"Owner.Activate"); }));
    bool ownerWasDisabled = false;
    tool.tmrClose.Tick = [&] {
        ownerWasDisabled = !IsWindowEnabled(owner.hWnd());
        tool.Unload();  // from inside the tool's own handler
    };
    owner.txtEntry.Change = [&] {
        tool.Load();
        tool.tmrClose.SetInterval(20);
        tool.Show(rt::ShowMode::Modal);
        eventLog.push_back(L"Modal returned");
    };
    owner.txtEntry.SetText(L"go");
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_EQ(tool.hWnd(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    EXPECT_EQ(GetActiveWindow(), owner.hWnd());
    ASSERT_TRUE(PumpUntil([] { return eventLog.back() == L"Owner.Activate"; }));
    EXPECT_EQ(eventLog, (Log{L"Owner.Load", L"Owner.Activate", L"Tool.Load", L"Owner.Deactivate", L"Tool.Activate",
                             L"Tool.QueryUnload1", L"Tool.Unload", L"Modal returned", L"Owner.Activate"}));
}

TEST_F(FormTest, UnloadMayBeCancelledOrRunFromAKeyHandler)
{
    LogForm form(L"F");
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return form.txtEntry.HasFocus() && Logged(L"F.Activate"); }));
    form.cancelQueryUnload = 1;
    SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.IsLoaded());
    form.cancelQueryUnload = 0;
    HWND window = form.hWnd();
    test::PressKey(VK_ESCAPE);  // the window goes only after the handler returns
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form.txtEntry.Text(), L"design");  // the object keeps what the window held
    EXPECT_EQ(eventLog, (Log{L"F.Load", L"F.Activate", L"F.QueryUnload0", L"F.QueryUnload1", L"F.Unload"}));
}

TEST_F(FormTest, EachLoadStartsFromTheDesignState)
{
    LogForm form(L"F");
    form.Show();
    form.txtEntry.SetFontSize(12);  // a font of its own; the form's stays
    rt::StdFont ownFont = form.Font();
    ownFont.size = 12;
    EXPECT_EQ(form.txtEntry.Font(), ownFont);
    EXPECT_EQ(FontOf(form.txtEntry), rt::CachedFont(ownFont));
    EXPECT_NE(form.Font().size, 12);
    form.SetCaption(L"changed");
    form.txtEntry.SetText(L"typed");
    form.txtEntry.SetEnabled(false);
    form.txtEntry.SetTag(L"tag");
    form.lblTitle.SetVisible(false);
    form.Unload();
    form.Load();
    EXPECT_EQ(form.Caption(), L" F");
    EXPECT_EQ(form.txtEntry.Text(), L"design");
    EXPECT_TRUE(form.txtEntry.Enabled());
    EXPECT_EQ(form.txtEntry.Tag(), L"");
    EXPECT_EQ(FontOf(form.txtEntry), rt::CachedFont(form.Font()));
    EXPECT_NE(GetWindowLongPtrW(form.lblTitle.hWnd(), GWL_STYLE) & WS_VISIBLE, 0);
    form.Unload();
}

TEST_F(FormTest, ControlsOfAnUnloadedFormAreInertObjects)
{
    LogForm form(L"F");
    form.txtEntry.SetText(L"x");
    form.txtEntry.SetFocus();
    form.txtEntry.SetSelStart(1);
    form.lblTitle.SetCaption(L"y");
    form.tmrClose.SetInterval(10);
    form.txtEntry.Move(0, 0, 10, 10);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.txtEntry.hWnd(), nullptr);
    EXPECT_EQ(form.txtEntry.Text(), L"x");
    EXPECT_TRUE(form.Unload());
    EXPECT_TRUE(eventLog.empty());  // no Change, no Load
    const auto& controls = form.Controls();
    ASSERT_EQ(controls.size(), 3u);  // in design order
    EXPECT_EQ(controls[2]->Name(), L"tmrClose");
    EXPECT_FALSE(controls[1]->Index().has_value());
}

TEST_F(FormTest, GeometryIsInTwipsAndCentredFormsOpenMidScreen)
{
    LogForm form(L"F");
    form.centred = true;
    form.Load();
    const int tpp = rt::Screen::TwipsPerPixelX();
    EXPECT_EQ(tpp, 1440 / 96);
    EXPECT_EQ(rt::Screen::Width(), GetSystemMetrics(SM_CXSCREEN) * tpp);
    EXPECT_NEAR(form.Left() + form.Width() / 2, rt::Screen::Width() / 2, 30);
    EXPECT_NEAR(form.Top() + form.Height() / 2, rt::Screen::Height() / 2, 30);
    EXPECT_EQ(GetWindowLongPtrW(form.hWnd(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    RECT client{};
    GetClientRect(form.hWnd(), &client);
    EXPECT_EQ(client.right, 200);
    form.Move(-12000, -12000, form.Width() * 2, form.Height());
    EXPECT_EQ(form.Left(), -12000);
    EXPECT_EQ(form.Top(), -12000);
    EXPECT_EQ(form.ScaleWidth(), 3000 + form.Width() / 2);
    RECT edit{};
    GetWindowRect(form.txtEntry.hWnd(), &edit);
    EXPECT_EQ(edit.right - edit.left, 100);
    form.Unload();
}

TEST_F(FormTest, DoEventsKeepsAQuitForTheOuterLoop)
{
    PostQuitMessage(3);
    rt::DoEvents();
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

}  // namespace
