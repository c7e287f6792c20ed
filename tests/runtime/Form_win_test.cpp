#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "runtime/Label_win.h"
#include "runtime/Screen_win.h"
#include "runtime/TextBox_win.h"
#include "runtime/Timer_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test::PumpUntil;
using test::Settle;

std::vector<std::wstring> eventLog;

bool Logged(const std::wstring& entry)
{
    for (const auto& e : eventLog)
        if (e == entry)
            return true;
    return false;
}

// A form that records its events and unloads itself on Esc or when its timer fires.
class LogForm : public rt::Form {
public:
    explicit LogForm(std::wstring name) : name_(std::move(name))
    {
        Add(txtEntry, {L"txtEntry"});
        Add(lblTitle, {L"lblTitle"});
        Add(tmrClose, {L"tmrClose"});
        txtEntry.Change = [this] { Log(L"txtEntry_Change"); };
        tmrClose.Tick = [this] { Unload(); };
    }

    rt::TextBox txtEntry;
    rt::Label lblTitle;
    rt::Timer tmrClose;
    int cancelQueryUnload = 0;

protected:
    void Design() override
    {
        SetCaption(L" " + name_);
        SetBorderStyle(rt::BorderStyle::FixedDialog);
        SetClientSize(3000, 1995);
        txtEntry.Move(120, 120, 1500, 300);
        txtEntry.SetText(L"design");
        lblTitle.SetCaption(L"Title");
    }
    void Form_Load() override { Log(L"Load"); }
    void Form_Activate() override { Log(L"Activate"); }
    void Form_Deactivate() override { Log(L"Deactivate"); }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override
    {
        Log(L"QueryUnload" + std::to_wstring(UnloadMode));
        Cancel = cancelQueryUnload;
    }
    void Form_Unload(int&) override { Log(L"Unload"); }
    void Form_KeyPress(int& KeyAscii) override
    {
        if (KeyAscii == 27)
            Unload();
    }

private:
    void Log(const std::wstring& what) { eventLog.push_back(name_ + L"." + what); }
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

    // A message box over A neither deactivates nor reactivates it.
    {
        test::DialogScript script;
        script.Answer(IDOK);
        EXPECT_EQ(MessageBoxW(a.hWnd(), L"Hello", L"Box", MB_OK), IDOK);
        Settle();
    }
    EXPECT_TRUE(a.Unload());
    EXPECT_TRUE(b.Unload());
    const std::vector<std::wstring> expected{L"A.Load",     L"A.Activate",     L"B.Load",     L"A.Deactivate",
                                             L"B.Activate", L"B.Deactivate",   L"A.Activate", L"A.QueryUnload1",
                                             L"A.Unload",   L"B.QueryUnload1", L"B.Unload"};
    EXPECT_EQ(eventLog, expected);
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
    EXPECT_FALSE(tool.IsLoaded());
    EXPECT_EQ(tool.hWnd(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    EXPECT_EQ(GetActiveWindow(), owner.hWnd());
    ASSERT_TRUE(PumpUntil([] { return eventLog.back() == L"Owner.Activate"; }));
    const std::vector<std::wstring> expected{L"Owner.Load",       L"Owner.Activate", L"Tool.Load",
                                             L"Owner.Deactivate", L"Tool.Activate",  L"Tool.QueryUnload1",
                                             L"Tool.Unload",      L"Modal returned", L"Owner.Activate"};
    EXPECT_EQ(eventLog, expected);
}

TEST_F(FormTest, UnloadFromAKeyHandlerDestroysTheWindowAfterTheHandler)
{
    LogForm form(L"F");
    form.Show();
    ASSERT_TRUE(PumpUntil([&] { return form.txtEntry.HasFocus(); }));
    HWND window = form.hWnd();
    test::PressKey(VK_ESCAPE);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form.txtEntry.Text(), L"design");  // the object keeps what the window held
    EXPECT_EQ(eventLog.back(), L"F.Unload");
}

TEST_F(FormTest, CancelledUnloadKeepsTheFormLoaded)
{
    LogForm form(L"F");
    form.Show();
    form.cancelQueryUnload = 1;
    SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(Logged(L"F.QueryUnload0"));
    EXPECT_FALSE(Logged(L"F.Unload"));
    form.cancelQueryUnload = 0;
    EXPECT_TRUE(form.Unload());
}

TEST_F(FormTest, EachLoadStartsFromTheDesignState)
{
    LogForm form(L"F");
    form.Show();
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
    EXPECT_TRUE(form.lblTitle.Visible());
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
    EXPECT_EQ(form.hWnd(), nullptr);
    EXPECT_EQ(form.txtEntry.hWnd(), nullptr);
    EXPECT_EQ(form.txtEntry.Text(), L"x");
    EXPECT_TRUE(eventLog.empty());  // no Change, no Load
    EXPECT_TRUE(form.Unload());
    EXPECT_TRUE(eventLog.empty());
}

TEST_F(FormTest, GeometryIsInTwips)
{
    LogForm form(L"F");
    form.Load();
    const int tpp = rt::Screen::TwipsPerPixelX();
    EXPECT_EQ(tpp, 1440 / 96);
    EXPECT_EQ(form.ScaleWidth(), 3000);
    EXPECT_EQ(form.ScaleHeight(), 1995);
    RECT client{};
    GetClientRect(form.hWnd(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_GT(form.Width(), form.ScaleWidth());
    form.Move(-12000, -12000, form.Width() * 2, form.Height());
    EXPECT_EQ(form.Left(), -12000);
    EXPECT_EQ(form.Top(), -12000);
    EXPECT_EQ(form.ScaleWidth(), 3000 + form.Width() / 2);
    RECT edit{};
    GetWindowRect(form.txtEntry.hWnd(), &edit);
    EXPECT_EQ(edit.right - edit.left, 100);
    EXPECT_EQ(rt::Screen::Width(), GetSystemMetrics(SM_CXSCREEN) * tpp);
    form.Unload();
}

TEST_F(FormTest, CentredFormsOpenInTheMiddleOfTheScreen)
{
    class Centred : public LogForm {
    public:
        Centred() : LogForm(L"C") {}

    protected:
        void Design() override
        {
            LogForm::Design();
            SetStartUpPosition(rt::StartUpPosition::CenterScreen);
        }
    } form;
    form.Load();
    const int middleX = form.Left() + form.Width() / 2;
    const int middleY = form.Top() + form.Height() / 2;
    EXPECT_NEAR(middleX, rt::Screen::Width() / 2, 30);
    EXPECT_NEAR(middleY, rt::Screen::Height() / 2, 30);
    EXPECT_EQ(GetWindowLongPtrW(form.hWnd(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(form.Caption(), L" C");
    form.Unload();
}

TEST_F(FormTest, ControlsTakeTheFormsFontUnlessGivenTheirOwn)
{
    LogForm form(L"F");
    form.Load();
    const auto fontOf = [](const rt::Control& control) {
        return reinterpret_cast<HFONT>(SendMessageW(control.hWnd(), WM_GETFONT, 0, 0));
    };
    EXPECT_EQ(fontOf(form.txtEntry), rt::CachedFont(form.Font()));
    form.txtEntry.SetFontSize(12);
    form.txtEntry.SetFontBold(true);
    rt::StdFont expected = form.Font();
    expected.size = 12;
    expected.bold = true;
    EXPECT_EQ(form.txtEntry.Font(), expected);
    EXPECT_EQ(fontOf(form.txtEntry), rt::CachedFont(expected));
    EXPECT_FALSE(form.Font().bold);
    form.Unload();
    form.Load();  // the design font again
    EXPECT_EQ(fontOf(form.txtEntry), rt::CachedFont(form.Font()));
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

TEST_F(FormTest, ControlsCollectionListsTheDesignOrder)
{
    LogForm form(L"F");
    const auto& controls = form.Controls();
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0]->Name(), L"txtEntry");
    EXPECT_EQ(controls[2]->Name(), L"tmrClose");
    EXPECT_FALSE(controls[1]->Index().has_value());
}

}  // namespace
