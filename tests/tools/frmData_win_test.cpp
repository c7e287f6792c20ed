#include "core/ProgramState.h"
#include "runtime/Date.h"
#include "runtime/Locale.h"
#include "runtime/ResourceIds.h"
#include "runtime/Resources_win.h"
#include "runtime/Screen_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"
#include "tools/frmData_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::PumpUntil;
using test::Settle;

frmData& Tool() { return rt::TheForm<frmData>(); }
frmCalcula& Main() { return rt::TheForm<frmCalcula>(); }

struct DateStyle {
    rt::DateOrder order;
    wchar_t separator;
    const char* name;
};

void Click(rt::Control& control)
{
    test::ClickAt(control.hWnd(), 5, 5);
    Settle();
}

void Focus(rt::Control& control)
{
    control.SetFocus();
    Settle();
}

std::vector<std::wstring> Units()
{
    return {Tool().txtAnos.Text(), Tool().txtMeses.Text(), Tool().txtSemanas.Text(), Tool().txtDias.Text()};
}

// Which of the five buttons can be used: "1111 0" while the date field changed last holds a date.
std::wstring ButtonStates()
{
    std::wstring states;
    for (int i = 0; i < 5; ++i) {
        if (i == 4) states += L' ';
        states += Tool().cmdCalcula[i].Enabled() ? L'1' : L'0';
    }
    return states;
}

// Each test runs in one date order and separator, with the calculator shown and the tool open over it. Every
// message box must be scripted: an unexpected one fails the test instead of blocking it.
class DataTest : public ::testing::TestWithParam<DateStyle> {
protected:
    void SetUp() override
    {
        core::Program() = core::ProgramState();
        rt::Locale locale = GetParam().order == rt::DateOrder::DayMonthYear ? rt::Locale::PortugueseBR()
                                                                            : rt::Locale::EnglishUS();
        locale.dateOrder = GetParam().order;
        locale.dateSeparator = GetParam().separator;
        locale.dayNames = rt::Locale::EnglishUS().dayNames;
        rt::SetCurrentLocale(locale);
        core::FillFromLocale(core::Program(), locale);
        Main().Show();
        Main().txtFita.SetText(L" =========================\r\n");
        Open();
    }
    void TearDown() override
    {
        if (Tool().IsLoaded()) Tool().Unload();
        Main().mnuGrande.SetChecked(false);
        if (Main().IsLoaded()) Main().Unload();
        Settle();
        rt::SetCurrentLocale(rt::Locale::EnglishUS());
        core::Program() = core::ProgramState();
    }
    static void Open()
    {
        Tool().Show();
        ASSERT_TRUE(PumpUntil([] { return Tool().txtData[0].HasFocus(); }));
        Settle();  // the activation's own steps and the field's GotFocus
    }
    // A date in the program's format, and the digits that type it.
    static std::wstring D(int year, int month, int day)
    {
        return rt::Date::FromYmd(year, month, day)->Format(core::Program().FormatoData);
    }
    static std::wstring Digits(int year, int month, int day)
    {
        std::wstring digits = D(year, month, day);
        std::erase_if(digits, [](wchar_t c) { return c < L'0' || c > L'9'; });
        return digits;
    }
    // A text written with "/" in the locale's separator.
    static std::wstring S(std::wstring text)
    {
        std::replace(text.begin(), text.end(), L'/', GetParam().separator);
        return text;
    }
    static std::wstring Today() { return rt::Date::Today().Format(core::Program().FormatoData); }
    static void SetDates(const std::wstring& initial, const std::wstring& final)
    {
        Tool().txtData[0].SetText(initial);
        Tool().txtData[1].SetText(final);
    }

    test::DialogScript dialogs;
};

INSTANTIATE_TEST_SUITE_P(Styles, DataTest,
                         ::testing::Values(DateStyle{rt::DateOrder::DayMonthYear, L'/', "DayFirstSlash"},
                                           DateStyle{rt::DateOrder::MonthDayYear, L'/', "MonthFirstSlash"},
                                           DateStyle{rt::DateOrder::DayMonthYear, L'.', "DayFirstDot"},
                                           DateStyle{rt::DateOrder::MonthDayYear, L'-', "MonthFirstDash"}),
                         [](const auto& info) { return info.param.name; });

TEST_P(DataTest, OpensWithTodayOnTheMainWindowsCorner)
{
    frmData& f = Tool();
    const rt::Date today = rt::Date::Today();
    EXPECT_EQ(f.Caption(), L" Calculate Date");
    EXPECT_EQ(f.ScaleWidth(), 3555);
    EXPECT_EQ(f.ScaleHeight(), 3090);
    EXPECT_EQ(f.Left(), Main().Left());
    EXPECT_EQ(f.Top(), Main().Top());
    EXPECT_EQ(f.SeparadorData, GetParam().separator);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(f.txtData[i].Text(), Today());
        EXPECT_EQ(f.txtData[i].ToolTipText(), core::Program().FormatoData);
        EXPECT_EQ(f.lblData[i].Caption(), today.Format(L"dddd"));
    }
    EXPECT_EQ(f.lblHoje.Caption(), L"Today: " + Today() + L"\r" + today.Format(L"dddddd"));
    EXPECT_EQ((std::vector<std::wstring>{f.lblDat[0].Caption(), f.lblDat[1].Caption(), f.cmdCalcula[0].Caption(),
                                         f.cmdCalcula[1].Caption(), f.cmdCalcula[2].Caption(),
                                         f.cmdCalcula[3].Caption(), f.cmdCalcula[4].Caption(), f.lblBis.Caption()}),
              (std::vector<std::wstring>{L"&Initial Date", L"&Final Date", L"&Years", L"&Months", L"&Weeks", L"&Days",
                                         L"&Calculate Final Date", L"Leap Years"}));
    EXPECT_EQ(ButtonStates(), L"1111 0");
    for (rt::CheckBox& box : f.Check1) {
        EXPECT_EQ(box.Value(), 1);
        EXPECT_EQ(box.MousePointer(), rt::kPointerCustom);
        EXPECT_EQ(box.MouseIcon(), rt::LoadCursorResource(rt::kCursorHand));
    }
    EXPECT_FALSE(f.lblBis.Visible());
    EXPECT_EQ(f.lblBis.Left() + f.lblBis.Width(), 3435);
    EXPECT_EQ(f.txtData[0].SelLength(), 10);

    // Enter moves on through the fields in their order, as Tab does.
    std::vector<std::wstring> order;
    for (int i = 0; i < 7; ++i) {
        rt::Control* focused = rt::Control::FromWindow(GetFocus());
        order.push_back(focused ? focused->Name() : L"?");
        PressKey(VK_RETURN);
        Settle();
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"txtData", L"txtData", L"txtAnos", L"txtMeses", L"txtSemanas",
                                                L"txtDias", L"cmdCalcula"}));
    EXPECT_EQ(f.txtData[1].Text(), Today());  // entered with the initial date at today: left as it was
}

TEST_P(DataTest, TypingOverwritesTheDateAndStepsOverTheSeparators)
{
    frmData& f = Tool();
    f.txtAnos.SetText(L"5");
    f.lblBissextos.SetCaption(L"1");
    test::TypeText(Digits(2021, 3, 15));
    EXPECT_EQ(f.txtData[0].Text(), D(2021, 3, 15));
    EXPECT_EQ(f.txtData[0].SelStart(), 10);
    EXPECT_EQ(f.lblData[0].Caption(), L"Monday");
    EXPECT_EQ(f.txtAnos.Text(), L"");  // a typed date character empties the results
    EXPECT_EQ(f.lblBissextos.Caption(), L"");
    EXPECT_FALSE(f.lblBis.Visible());
    test::TypeText(L"7");  // the field is full
    EXPECT_EQ(f.txtData[0].Text(), D(2021, 3, 15));

    struct Case {
        const char* what;
        int caret;
        int key;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"backspace at the end", 10, VK_BACK, L"12/05/202_"},
        {"backspace after the first separator", 3, VK_BACK, L"1_/__/____"},
        {"backspace after 12/0", 4, VK_BACK, L"12/__/____"},
        {"delete at the start", 0, VK_DELETE, L"__/__/____"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f.txtData[0].SetText(S(L"12/05/2020"));
        EXPECT_EQ(ButtonStates(), L"1111 0");
        f.txtData[0].SetSelStart(c.caret);
        PressKey(c.key);
        EXPECT_EQ(f.txtData[0].Text(), S(c.text));
        EXPECT_EQ(f.lblData[0].Caption(), L"");
        EXPECT_EQ(ButtonStates(), L"0000 1");
    }

    // "-" clears the results and is dropped; letters, "+" and "/" never reach the field.
    f.txtData[0].SetText(D(2021, 3, 15));
    f.txtData[0].SetSelStart(0);
    f.txtAnos.SetText(L"5");
    test::TypeText(L"a+/");
    EXPECT_EQ(f.txtAnos.Text(), L"5");
    test::TypeText(L"-");
    EXPECT_EQ(f.txtAnos.Text(), L"");
    EXPECT_EQ(f.txtData[0].Text(), D(2021, 3, 15));
    Focus(f.txtDias);
    test::TypeText(L"a+/4-");
    EXPECT_EQ(f.txtDias.Text(), L"4-");
}

TEST_P(DataTest, LeavingADateFieldChecksItsTypedBeginning)
{
    frmData& f = Tool();
    struct Case {
        const char* what;
        int index;
        std::wstring text;
        std::wstring after;  // the field once left
        bool refused;
    };
    const Case cases[] = {
        {"the untouched mask", 1, S(L"__/__/____"), S(L"__/__/____"), false},
        {"an incomplete final date", 1, S(L"1_/__/____"), S(L"__/__/____"), true},
        {"a beginning with a two-digit year", 1, S(L"12/05/20__"), S(L"12/05/2020"), false},
        {"an impossible date", 1, S(L"31/31/2021"), S(L"__/__/____"), true},
        {"an incomplete initial date", 0, S(L"1_/__/____"), Today(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Focus(f.txtData[c.index]);
        f.txtData[c.index].SetText(c.text);
        if (c.refused) dialogs.Answer(IDOK);
        const size_t shown = dialogs.Shown().size();
        PressKey(VK_TAB);
        Settle();
        EXPECT_EQ(f.txtData[c.index].Text(), c.after);
        ASSERT_EQ(dialogs.Shown().size(), shown + (c.refused ? 1 : 0));
        if (!c.refused) continue;
        EXPECT_EQ(dialogs.Shown().back().text, L"The entered date is incorrect");
        EXPECT_EQ(dialogs.Shown().back().style, 48);
        EXPECT_EQ(dialogs.Shown().back().title, L" Calculate Date");
        EXPECT_TRUE(PumpUntil([&] { return f.txtData[c.index].HasFocus(); }));
    }
}

TEST_P(DataTest, EnteringAnEmptyFinalDateFillsTodayOnlyAfterAnotherInitialDate)
{
    frmData& f = Tool();
    SetDates(D(2020, 1, 1), L"");
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
    PressKey(VK_TAB);
    EXPECT_TRUE(f.txtData[1].HasFocus());
    EXPECT_EQ(f.txtData[1].Text(), Today());
    EXPECT_EQ(f.txtData[1].SelLength(), 10);

    f.lblHoje_Click();
    EXPECT_EQ(f.txtData[0].Text(), Today());
    f.txtData[1].SetText(L"");
    Focus(f.txtData[0]);
    PressKey(VK_TAB);
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
}

TEST_P(DataTest, TheExampleSpanAndEscWriteTheSixLineBlockOnce)
{
    frmData& f = Tool();
    SetDates(D(2020, 1, 1), D(2021, 3, 15));
    Click(f.cmdCalcula[0]);
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"1", L"2", L"1", L"6"}));
    EXPECT_EQ(f.lblBissextos.Caption(), L"1");
    EXPECT_TRUE(f.lblBis.Visible());
    EXPECT_TRUE(f.lblBissextos.Visible());
    EXPECT_TRUE(PumpUntil([&] { return f.txtAnos.HasFocus(); }));
    EXPECT_EQ(f.txtAnos.SelStart(), 0);
    EXPECT_EQ(f.txtAnos.SelLength(), 1);

    const std::wstring before = Main().txtFita.Text();
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(f.IsLoaded());
    Settle();
    EXPECT_EQ(Main().txtFita.Text(), before + L"         [" + D(2021, 3, 15) + L"] - \r\n" + L"         [" +
                                         D(2020, 1, 1) + L"] = \r\n" + std::wstring(14, L' ') + L" years: 1 \r\n" +
                                         std::wstring(13, L' ') + L" months: 2 \r\n" + std::wstring(12, L' ') +
                                         L"   weeks: 1 \r\n" + std::wstring(15, L' ') + L" days: 6 \r\n" +
                                         L" =========================\r\n");
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));  // emptied once written
    EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == Main().hWnd(); }));
}

TEST_P(DataTest, EqualDatesHideTheLeapLabelsAndWriteNothing)
{
    frmData& f = Tool();
    f.lblBissextos.SetCaption(L"2");
    Click(f.cmdCalcula[0]);
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"0", L"0", L"0", L"0"}));
    EXPECT_EQ(f.lblBissextos.Caption(), L"0");
    EXPECT_FALSE(f.lblBis.Visible());
    EXPECT_FALSE(f.lblBissextos.Visible());
    const std::wstring before = Main().txtFita.Text();
    PressKey(VK_ESCAPE);
    Settle();
    EXPECT_EQ(Main().txtFita.Text(), before);
    EXPECT_EQ(f.txtData[1].Text(), Today());  // nothing written, so the final date stays
}

TEST_P(DataTest, RefusedCalculationsShowTheirMessages)
{
    frmData& f = Tool();
    SetDates(D(2021, 3, 15), D(2020, 1, 1));
    f.txtDias.SetText(L"9");
    dialogs.Answer(IDOK);
    Click(f.cmdCalcula[0]);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].text, L"Initial date must came before the final date");
    EXPECT_EQ(dialogs.Shown()[0].style, 48);
    EXPECT_EQ(dialogs.Shown()[0].title, L" Calculate Date");
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"0", L"0", L"0", L"0"}));

    // No final date and no span.
    f.txtData[1].SetText(L"");
    EXPECT_EQ(ButtonStates(), L"0000 1");
    dialogs.Answer(IDOK);
    Click(f.cmdCalcula[4]);
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[1].text, L"Check the information on the fields");
    EXPECT_EQ(dialogs.Shown()[1].style, 48);
    EXPECT_TRUE(PumpUntil([&] { return f.txtAnos.HasFocus(); }));

    // A span past 31 December 9999.
    f.txtData[0].SetText(D(9999, 12, 1));
    Focus(f.txtDias);
    test::TypeText(L"31");
    dialogs.Answer(IDOK);
    Click(f.cmdCalcula[4]);
    ASSERT_EQ(dialogs.Shown().size(), 3u);
    EXPECT_EQ(dialogs.Shown()[2].text, L"Check the information on the fields");
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
}

TEST_P(DataTest, TypedUnitsGiveTheFinalDate)
{
    frmData& f = Tool();
    f.txtData[0].SetText(D(2020, 1, 1));
    f.Check1[1].SetValue(0);
    Focus(f.txtMeses);
    test::TypeText(L"1");
    EXPECT_EQ(f.Check1[1].Value(), 1);
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
    EXPECT_EQ(ButtonStates(), L"0000 1");
    f.Check1[2].SetValue(0);
    PressKey(VK_RETURN);  // ticks its own unit only, and moves on
    EXPECT_TRUE(f.txtSemanas.HasFocus());
    EXPECT_EQ(f.Check1[2].Value(), 0);
    f.Check1[2].SetValue(1);
    Click(f.cmdCalcula[4]);
    EXPECT_EQ(f.txtData[1].Text(), D(2020, 1, 31));
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"0", L"1", L"0", L"0"}));
    EXPECT_EQ(ButtonStates(), L"1111 0");

    // Two typed years from 2019: moved over 29 February 2020. Typing the date empties the old results.
    Focus(f.txtData[0]);
    test::TypeText(Digits(2019, 1, 1));
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"", L"", L"", L""}));
    Focus(f.txtAnos);
    test::TypeText(L"2");
    Click(f.cmdCalcula[4]);
    EXPECT_EQ(f.txtData[1].Text(), D(2021, 1, 1));
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"2", L"0", L"0", L"0"}));
    EXPECT_EQ(f.lblBissextos.Caption(), L"1");
}

TEST_P(DataTest, ReleasingACheckBoxRecalculatesFromYears)
{
    frmData& f = Tool();
    SetDates(D(2020, 1, 1), D(2021, 3, 15));
    Click(f.cmdCalcula[3]);
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"0", L"0", L"0", L"439"}));
    Click(f.Check1[2]);
    EXPECT_EQ(f.Check1[2].Value(), 0);
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"1", L"2", L"0", L"13"}));
    Click(f.cmdCalcula[1]);
    EXPECT_EQ(Units(), (std::vector<std::wstring>{L"0", L"14", L"0", L"19"}));
}

TEST_P(DataTest, EscDeactivationAndExitEachWriteTheBlockOnce)
{
    enum class Closing { Esc, Deactivation, Exit };
    for (Closing closing : {Closing::Esc, Closing::Deactivation, Closing::Exit}) {
        SCOPED_TRACE(static_cast<int>(closing));
        if (closing == Closing::Exit) {
            // The tray form shows the calculator, which would close the tool: it comes first.
            if (Tool().IsLoaded()) Tool().Unload();
            core::Program().LinhaComando = L"outra";  // an extra copy: its exit saves no settings
            rt::TheForm<frmSysTray>().Load();
            Settle();
        }
        if (!Tool().IsLoaded()) Open();
        SetDates(D(2020, 1, 1), D(2021, 3, 15));
        Click(Tool().cmdCalcula[2]);
        EXPECT_EQ(Units(), (std::vector<std::wstring>{L"0", L"0", L"62", L"5"}));
        const std::wstring before = Main().txtFita.Text();
        if (closing == Closing::Esc) PressKey(VK_ESCAPE);
        if (closing == Closing::Deactivation) SetForegroundWindow(Main().hWnd());
        if (closing == Closing::Exit) rt::TheForm<frmSysTray>().Unload();
        ASSERT_TRUE(PumpUntil([] { return !Tool().IsLoaded(); }));
        Settle();
        EXPECT_EQ(Main().txtFita.Text(), before + L"         [" + D(2021, 3, 15) + L"] - \r\n         [" +
                                             D(2020, 1, 1) + L"] = \r\n" + std::wstring(11, L' ') +
                                             L"   weeks: 62 \r\n" + std::wstring(15, L' ') +
                                             L" days: 5 \r\n =========================\r\n");
        // The focus goes back to the calculator, except at the exit, which closes it too.
        if (closing == Closing::Exit)
            EXPECT_FALSE(Main().IsLoaded());
        else
            EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == Main().hWnd(); }));
    }
}

TEST_P(DataTest, TheLargeViewDoublesTheLayoutAndCentresTheWindow)
{
    const int width = Tool().Width();
    const int height = Tool().Height();
    Tool().Unload();
    Main().mnuGrande.SetChecked(true);
    Open();
    frmData& f = Tool();
    EXPECT_NEAR(f.Width(), width * 2, rt::Screen::TwipsPerPixelX());
    EXPECT_NEAR(f.Height(), height * 1.9, rt::Screen::TwipsPerPixelY());
    EXPECT_NEAR(f.Left(), rt::Screen::Width() / 2 - f.Width() / 2, rt::Screen::TwipsPerPixelX());
    EXPECT_NEAR(f.Top(), rt::Screen::Height() / 2 - f.Height() / 2, rt::Screen::TwipsPerPixelY());

    struct Place {
        const char* what;
        rt::Control& control;
        int left, top, width, height;
        double fontSize;
    };
    const Place places[] = {
        {"lblHoje", f.lblHoje, 60, 60, 6960, 990, 16.5},
        {"txtData(0)", f.txtData[0], 420, 1740, 2370, 570, 16.5},
        {"lblData(1)", f.lblData[1], 2940, 2940, 4050, 570, 16.5},
        {"cmdCalcula(4)", f.cmdCalcula[4], 2940, 2340, 3210, 570, 16},
        {"cmdCalcula(2)", f.cmdCalcula[2], 2100, 5280, 1950, 570, 16},
        {"txtDias", f.txtDias, 3900, 4080, 1710, 570, 16.5},
        {"lblBissextos", f.lblBissextos, 6000, 5280, 870, 570, 16.5},
        {"Check1(0)", f.Check1[0], 540, 4080, 285, 285, 8.25},
        {"Check1(3)", f.Check1[3], 3720, 4080, 285, 285, 8.25},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(p.control.Left(), p.left);
        EXPECT_EQ(p.control.Top(), p.top);
        EXPECT_EQ(p.control.Width(), p.width);
        EXPECT_EQ(p.control.Height(), p.height);
        EXPECT_EQ(p.control.FontSize(), p.fontSize);
    }
    // The labels that size themselves keep their doubled corner and grow with the font.
    EXPECT_EQ(f.lblDat[0].Left(), 480);
    EXPECT_EQ(f.lblDat[0].Top(), 1320);
    EXPECT_EQ(f.lblDat[0].FontSize(), 16.5);
    EXPECT_EQ(f.lblBis.Top(), 4800);
    EXPECT_EQ(f.lblBis.TextAlignment(), rt::Alignment::Left);
    EXPECT_EQ(f.lblBis.FontSize(), 16.5);
}

TEST_P(DataTest, TheMenuCommandShowsTheToolModallyAfterClosingTheCalculation)
{
    Tool().Unload();
    frmCalcula& main = Main();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == main.hWnd(); }));
    test::TypeText(L"5+");
    Settle();

    static std::wstring seen;
    static std::wstring digits;
    static int ticks;
    seen.clear();
    digits = Digits(2020, 2, 1);
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (++ticks > 250) {  // never opened as expected: end the modal loop instead of hanging
            KillTimer(nullptr, id);
            Tool().Unload();
            return;
        }
        if (!Tool().IsLoaded() || !Tool().txtData[0].HasFocus()) return;
        KillTimer(nullptr, id);
        seen = L"modal " + std::to_wstring(Tool().IsModal()) + L", owner enabled " +
               std::to_wstring(IsWindowEnabled(Main().hWnd()));
        test::TypeText(digits);
        test::ClickAt(Tool().cmdCalcula[3].hWnd(), 5, 5);
        PressKey(VK_ESCAPE);
    });
    main.mnuData_Click();
    KillTimer(nullptr, timer);  // already gone when the tool opened
    EXPECT_EQ(seen, L"modal 1, owner enabled 0");
    EXPECT_FALSE(Tool().IsLoaded());
    const std::wstring tape = main.txtFita.Text();
    // The running calculation was closed before the block.
    const size_t total = tape.find(L" T\r\n");
    const size_t block = tape.find(L"         [" + Today() + L"] - \r\n         [" + D(2020, 2, 1) + L"] = \r\n");
    EXPECT_NE(total, std::wstring::npos);
    EXPECT_NE(block, std::wstring::npos);
    EXPECT_LT(total, block);
    EXPECT_TRUE(IsWindowEnabled(main.hWnd()));
}

}  // namespace
