#include "core/ProgramState.h"
#include "runtime/Locale.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"
#include "tools/frmPeso_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::PumpUntil;
using test::Settle;
using test::TypeInto;
using test::Click;

frmPeso& Tool()
{
    return rt::TheForm<frmPeso>();
}
frmCalcula& Main()
{
    return rt::TheForm<frmCalcula>();
}



// Each test runs with the decimal separator of its parameter, the calculator shown and the tool open on it.
class PesoTest : public ::testing::TestWithParam<wchar_t> {
protected:
    void SetUp() override
    {
        core::Program() = core::ProgramState();
        core::Program().SeparadorDecimal = GetParam();
        rt::SetCurrentLocale(GetParam() == L',' ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        Main().Show();
        Main().txtFita.SetText(L" =========================\r\n");
        Open();
    }
    void TearDown() override
    {
        if (Tool().IsLoaded())
            Tool().Unload();
        if (Main().IsLoaded())
            Main().Unload();
        Settle();
        rt::SetCurrentLocale(rt::Locale::EnglishUS());
    }
    static void Open()
    {
        Tool().Show();
        ASSERT_TRUE(PumpUntil([] { return Tool().txtAltura.HasFocus(); }));
    }
    // A number written with "." in the locale's separator.
    static std::wstring Loc(std::wstring text)
    {
        std::replace(text.begin(), text.end(), L'.', GetParam());
        return text;
    }
    // Height 1.75 and weight `weight` typed as a man: the man's option runs the calculation.
    static void ManAt175(std::wstring_view weight)
    {
        TypeInto(Tool().txtAltura, L"175");
        TypeInto(Tool().txtPeso, weight);
        Click(Tool().Option1);
    }
    static std::wstring ExampleBlock()
    {
        return L" -------------------------\r\n WEIGHT CALC. - (Man)\r\n Your Height  = " + Loc(L"1.75") +
               L"m\r\n Your Weight  = 70Kg\r\n -------------------------\r\n Min. Weight  = " + Loc(L"63.39") +
               L"Kg\r\n Max. Weight  = " + Loc(L"80.85") +
               L"Kg\r\n Result = NORMAL Weight\r\n -------------------------\r\n Medium Weight = " + Loc(L"72.12") +
               L"Kg\r\n Optional = Gain " + Loc(L"2.12") + L"Kg\r\n =========================\r\n";
    }
};

INSTANTIATE_TEST_SUITE_P(Separators, PesoTest, ::testing::Values(L'.', L','),
                         [](const auto& info) { return info.param == L'.' ? "Point" : "Comma"; });

TEST_P(PesoTest, OpensCentredAsWomanWithThePicturesAndPointers)
{
    frmPeso& f = Tool();
    EXPECT_EQ(f.Caption(), L" Ideal Weight");
    EXPECT_EQ(f.ScaleWidth(), 3540);
    EXPECT_EQ(f.ScaleHeight(), 4665);
    RECT window{};
    GetWindowRect(f.hWnd(), &window);
    EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_TRUE(f.Option2.Value() && !f.Option1.Value() && f.Image2.Visible());
    // The pictures keep their design sizes: the icons are loaded at their own, non-square size.
    EXPECT_EQ((std::vector{f.Image1.Width(), f.Image2.Height(), f.imgSeta.Width(), f.imgSeta.Left()}),
              (std::vector{570, 1140, 480, 1560}));
    EXPECT_EQ((std::vector{f.lblMin.Width(), f.lblTol1.Left(), f.lblTol2.Left(), f.lblMax.Width()}),
              (std::vector{1200, 1080, 2220, 1200}));  // the woman's gauge
    EXPECT_EQ(f.lblResultado.MouseIcon(), rt::LoadCursorResource(rt::kCursorHand));
    // Tab order: the two boxes, the option group as one stop, the button.
    std::vector<std::wstring> order;
    for (int i = 0; i < 5; ++i) {
        rt::Control* focused = rt::Control::FromWindow(GetFocus());
        order.push_back(focused ? focused->Name() : L"?");
        PressKey(VK_TAB);
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"txtAltura", L"txtPeso", L"Option2", L"cmdHomem", L"txtAltura"}));
}

TEST_P(PesoTest, TheExampleGivesNormalAndLaysTheGaugeOutForAMan)
{
    frmPeso& f = Tool();
    test::TypeText(L"175");
    PressKey(VK_RETURN);  // Enter moves on like Tab
    EXPECT_TRUE(f.txtPeso.HasFocus());
    test::TypeText(L"70");
    Click(f.Option1);

    EXPECT_EQ(f.txtAltura.Text(), Loc(L"1.75"));
    EXPECT_EQ((std::vector{f.txtMagro.Text(), f.txtIdeal.Text(), f.txtSobrepeso.Text(), f.txtGordo.Text(),
                           f.txtObeso.Text()}),
              (std::vector{Loc(L"63.39"), Loc(L"72.12"), Loc(L"80.85"), Loc(L"85.14"), Loc(L"95.24")}));
    EXPECT_EQ(f.Frame1.Caption(), L"Result = NORMAL");
    EXPECT_EQ(f.lblResultado.Caption(), L"\rYou are in your NORMAL Weight");
    EXPECT_NEAR(f.imgSeta.Left(), 1471.8, 1.0);
    EXPECT_FALSE(f.Image2.Visible());
    EXPECT_EQ(f.lblMin.Width(), 1300);
    EXPECT_EQ((std::vector{f.lblTol1.Left(), f.lblTol2.Width(), f.lblTol2.Left(), f.lblMax.Left(), f.lblMax.Width()}),
              (std::vector{1180, 200, 2120, 2120, 1305}));
}

TEST_P(PesoTest, OutOfRangeInputsAreRefusedWithTheFocusOnTheirBox)
{
    struct Case {
        std::wstring height;
        std::wstring weight;
        const wchar_t* message;  // nullptr: accepted
    };
    // The bounds themselves are checked natively; here the messages, the focus and what stays as it was.
    const Case cases[] = {
        {L"100", L"70", L"Height Invalid!"},
        {L"1.75", L"300.5", L"Weight Invalid!"},
        {L"3", L"300", nullptr},
    };
    frmPeso& f = Tool();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(L"height ") + c.height + L", weight " + c.weight);
        f.txtMagro.SetText(L"before");
        f.txtAltura.SetText(Loc(c.height));
        f.txtPeso.SetText(Loc(c.weight));
        test::DialogScript script;
        if (c.message)
            script.Answer(IDOK);
        Click(f.cmdHomem);
        if (!c.message) {
            EXPECT_EQ(f.Frame1.Caption().substr(0, 9), L"Result = ");
            continue;
        }
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, c.message);
        EXPECT_EQ(script.Shown()[0].style, 64);
        EXPECT_EQ(script.Shown()[0].title, L"Plumvane");
        const rt::TextBox& box = c.message[0] == L'H' ? f.txtAltura : f.txtPeso;
        EXPECT_TRUE(PumpUntil([&] { return box.HasFocus(); }));
        EXPECT_EQ(f.txtMagro.Text(), L"before");  // the limits keep what they showed
        EXPECT_EQ(f.lblResultado.Caption(), L"");
    }
}

TEST_P(PesoTest, EditingTheWeightOrTheHeightWithdrawsTheBlock)
{
    for (rt::TextBox* edited : {&Tool().txtPeso, &Tool().txtAltura}) {
        SCOPED_TRACE(edited->Name());
        ManAt175(L"70");
        ASSERT_NE(Tool().lblResultado.Caption(), L"");
        edited->SetFocus();
        Settle();
        PressKey(VK_END);
        PressKey(VK_BACK);
        EXPECT_EQ(Tool().lblResultado.Caption(), L"");
        const std::wstring before = Main().txtFita.Text();
        PressKey(VK_ESCAPE);
        Settle();
        EXPECT_EQ(Main().txtFita.Text(), before);
        Open();
    }
}

TEST_P(PesoTest, EscDeactivationAndExitEachWriteTheBlockOnce)
{
    enum class Closing { Esc, Deactivation, Exit };
    for (Closing closing : {Closing::Esc, Closing::Deactivation, Closing::Exit}) {
        SCOPED_TRACE(static_cast<int>(closing));
        if (closing == Closing::Exit) {
            // The tray form shows the calculator, which would close the tool: it comes first.
            Tool().Unload();
            core::Program().LinhaComando = L"outra";  // an extra copy: its exit saves no settings
            rt::TheForm<frmSysTray>().Load();
            Settle();
        }
        if (!Tool().IsLoaded())
            Open();
        ManAt175(L"70");
        const std::wstring before = Main().txtFita.Text();
        if (closing == Closing::Esc)
            PressKey(VK_ESCAPE);
        if (closing == Closing::Deactivation)
            SetForegroundWindow(Main().hWnd());
        if (closing == Closing::Exit)
            rt::TheForm<frmSysTray>().Unload();
        ASSERT_TRUE(PumpUntil([] { return !Tool().IsLoaded(); }));
        Settle();
        EXPECT_EQ(Main().txtFita.Text(), before + ExampleBlock());
        if (closing == Closing::Exit)
            EXPECT_FALSE(Main().IsLoaded());
        else
            EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == Main().hWnd(); }));
    }
}

TEST_P(PesoTest, SwitchingTheSexRecalculatesOnlyWithBothBoxesNumeric)
{
    frmPeso& f = Tool();
    {
        test::DialogScript none;  // an empty box: no calculation, so no message either
        TypeInto(f.txtAltura, L"175");
        Click(f.Option1);
    }
    EXPECT_FALSE(f.Image2.Visible());
    EXPECT_EQ(f.lblMax.Width(), 1305);
    EXPECT_EQ(f.txtIdeal.Text(), L"");
    EXPECT_EQ(f.txtAltura.Text(), L"175");

    TypeInto(f.txtPeso, L"70");
    Click(f.Option2);
    EXPECT_EQ(f.lblMax.Width(), 1200);
    EXPECT_EQ(f.txtIdeal.Text(), Loc(L"66.61"));
    EXPECT_EQ(f.Frame1.Caption(), L"Result = NORMAL");
    Click(f.Option1);
    EXPECT_EQ(f.txtIdeal.Text(), Loc(L"72.12"));
}

TEST_P(PesoTest, BoxesTakeDigitsAndOneSeparatorAndSelectAllOnFocus)
{
    frmPeso& f = Tool();
    TypeInto(f.txtPeso, L"6a5,.5-0");
    EXPECT_EQ(f.txtPeso.Text(), Loc(L"65.50"));
    TypeInto(f.txtAltura, L"1.7,5");
    EXPECT_EQ(f.txtAltura.Text(), Loc(L"1.75"));
    PressKey(VK_TAB);
    EXPECT_TRUE(f.txtPeso.HasFocus());
    EXPECT_EQ(f.txtPeso.SelStart(), 0);
    EXPECT_EQ(f.txtPeso.SelLength(), 5);
}

TEST_P(PesoTest, KeyReleasesSwitchNumLockBackOn)
{
    Main().mnuNumLock.SetChecked(true);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] &= ~1;
    SetKeyboardState(keys);
    core::Program().NumLockLigado = false;
    test::TypeText(L"1");
    EXPECT_TRUE(PumpUntil([] { return core::Program().NumLockLigado; }));
    Main().mnuNumLock.SetChecked(false);
}

}  // namespace
