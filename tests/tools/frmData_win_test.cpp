#include "core/ProgramState.h"
#include "runtime/Date.h"
#include "runtime/Locale.h"
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
using test::Click;

frmData& Tool()
{
    return rt::TheForm<frmData>();
}
frmCalcula& Main()
{
    return rt::TheForm<frmCalcula>();
}


void Focus(rt::Control& control)
{
    control.SetFocus();
    Settle();
}

// The unit fields, then which of the five buttons can be used: "1111 0" while the last edited date is a date.
std::wstring Units()
{
    return Tool().txtAnos.Text() + L' ' + Tool().txtMeses.Text() + L' ' + Tool().txtSemanas.Text() + L' ' +
           Tool().txtDias.Text();
}
std::wstring ButtonStates()
{
    std::wstring states;
    for (int i = 0; i < 5; ++i)
        states += std::wstring(i == 4 ? L" " : L"") + (Tool().cmdCalcula[i].Enabled() ? L'1' : L'0');
    return states;
}

// A tape line: right-aligned in 24 columns, as the block's lines are.
std::wstring Line(const std::wstring& text)
{
    return std::wstring(24 - text.size(), L' ') + text + L"\r\n";
}

struct DateStyle {
    rt::DateOrder order;
    wchar_t separator;
    const char* name;
};

// Each test runs in one date order and separator, with the calculator shown and the tool open over it. Every
// message box must be scripted: an unexpected one fails the test instead of blocking it.
class DataTest : public ::testing::TestWithParam<DateStyle> {
protected:
    void SetUp() override
    {
        // Settings another test saved (the large view) would move the tool's corner.
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
        core::Program() = core::ProgramState();
        rt::Locale locale =
            GetParam().order == rt::DateOrder::DayMonthYear ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS();
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
        if (Tool().IsLoaded())
            Tool().Unload();
        Main().mnuGrande.SetChecked(false);
        if (Main().IsLoaded())
            Main().Unload();
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
    // Presses a calculation button expecting one exclamation box with `text`.
    void ClickRefused(int button, const std::wstring& text)
    {
        dialogs.Answer(IDOK);
        Click(Tool().cmdCalcula[button]);
        ASSERT_FALSE(dialogs.Shown().empty());
        EXPECT_EQ(dialogs.Shown().back().text, text);
        EXPECT_EQ(dialogs.Shown().back().style, 48);
        EXPECT_EQ(dialogs.Shown().back().title, L" Calculate Date");
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
    EXPECT_EQ(std::pair(f.Left(), f.Top()), std::pair(Main().Left(), Main().Top()));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(f.txtData[i].Text(), Today());
        EXPECT_EQ(f.lblData[i].Caption(), today.Format(L"dddd"));
    }
    EXPECT_EQ(f.txtData[1].ToolTipText(), core::Program().FormatoData);
    EXPECT_EQ(f.lblHoje.Caption(), L"Today: " + Today() + L"\r" + today.Format(L"dddddd"));
    std::wstring captions = f.lblDat[0].Caption() + f.lblDat[1].Caption() + f.lblBis.Caption();
    for (auto& button : f.cmdCalcula)
        captions += button.Caption();
    EXPECT_EQ(captions, L"&Initial Date&Final DateLeap Years&Years&Months&Weeks&Days&Calculate Final Date");
    EXPECT_EQ(ButtonStates(), L"1111 0");

    // Enter moves on through the fields in their order, as Tab does.
    std::wstring order;
    for (int i = 0; i < 7; ++i) {
        rt::Control* focused = rt::Control::FromWindow(GetFocus());
        order += (focused ? focused->Name() : L"?") + L" ";
        PressKey(VK_RETURN);
        Settle();
    }
    EXPECT_EQ(order, L"txtData txtData txtAnos txtMeses txtSemanas txtDias cmdCalcula ");
    EXPECT_EQ(f.txtData[1].Text(), Today());  // entered with the initial date at today: left as it was
}

TEST_P(DataTest, TypingOverwritesTheDateAndTheKeyFilterDropsTheRest)
{
    frmData& f = Tool();
    f.txtAnos.SetText(L"5");
    f.lblBissextos.SetCaption(L"1");
    test::TypeText(Digits(2021, 3, 15) + L"7");  // the last digit finds the field full
    EXPECT_EQ(f.txtData[0].Text(), D(2021, 3, 15));
    EXPECT_EQ(f.txtData[0].SelStart(), 10);
    EXPECT_EQ(f.lblData[0].Caption(), L"Monday");
    EXPECT_EQ(f.txtAnos.Text() + f.lblBissextos.Caption(), L"");  // a typed date character empties the results

    // Backspace right after a separator removes the digit before it and rebuilds the mask from there.
    f.txtData[0].SetText(S(L"12/05/2020"));
    f.txtData[0].SetSelStart(3);
    PressKey(VK_BACK);
    EXPECT_EQ(f.txtData[0].Text(), S(L"1_/__/____"));
    EXPECT_EQ(f.lblData[0].Caption(), L"");
    EXPECT_EQ(ButtonStates(), L"0000 1");

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
        int index;
        std::wstring text, after;  // after: the field once left
        bool refused;
    };
    const Case cases[] = {
        {1, S(L"__/__/____"), S(L"__/__/____"), false},
        {1, S(L"1_/__/____"), S(L"__/__/____"), true},
        {1, S(L"12/05/20__"), S(L"12/05/2020"), false},
        {1, S(L"12/05/202_"), S(L"__/__/____"), true},  // a three-digit year: refused, not silently dropped
        {0, S(L"1_/__/____"), Today(), true},  // the initial date becomes today
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Focus(f.txtData[c.index]);
        f.txtData[c.index].SetText(c.text);
        if (c.refused)
            dialogs.Answer(IDOK);
        const size_t shown = dialogs.Shown().size();
        PressKey(VK_TAB);
        Settle();
        EXPECT_EQ(f.txtData[c.index].Text(), c.after);
        ASSERT_EQ(dialogs.Shown().size(), shown + (c.refused ? 1 : 0));
        if (!c.refused)
            continue;
        EXPECT_EQ(dialogs.Shown().back().text, L"The entered date is incorrect");
        EXPECT_EQ(dialogs.Shown().back().style, 48);
        EXPECT_TRUE(PumpUntil([&] { return f.txtData[c.index].HasFocus(); }));
    }
}

// Closing the tool or Alt+C with an incomplete date: one message, though the message takes the focus from
// the field it is about.
TEST_P(DataTest, ARefusedDateIsAnnouncedOnce)
{
    for (const bool closing : {false, true}) {
        SCOPED_TRACE(closing ? "Esc" : "Alt+C");
        if (!Tool().IsLoaded())
            Open();
        frmData& f = Tool();
        const int index = closing ? 0 : 1;
        Focus(f.txtData[index]);
        f.txtData[index].SetText(S(L"1_/__/____"));
        f.txtData[index].SetSelStart(1);
        const size_t shown = dialogs.Shown().size();
        dialogs.Answer(IDOK);
        if (!closing)
            dialogs.Answer(IDOK);  // "Check the information on the fields": no date and no span
        if (closing) {
            PressKey(VK_ESCAPE);
        } else {
            test::PressAltKey(L'C');
        }
        Settle();
        std::vector<std::wstring> texts;
        for (size_t i = shown; i < dialogs.Shown().size(); ++i)
            texts.push_back(dialogs.Shown()[i].text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(std::count(texts.begin(), texts.end(), L"The entered date is incorrect"), 1);
    }
}

// A span is written to the tape only with the dates it was computed from: a final date cut short and then
// replaced (refused, or emptied and filled with today on entering it again) leaves no block.
TEST_P(DataTest, ASpanIsWrittenOnlyWithTheDatesItWasComputedFrom)
{
    for (const int key : {VK_BACK, VK_DELETE}) {
        SCOPED_TRACE(key == VK_BACK ? "Backspace" : "Delete");
        if (!Tool().IsLoaded())
            Open();
        frmData& f = Tool();
        SetDates(D(2020, 1, 1), D(2021, 3, 15));
        Click(f.cmdCalcula[0]);
        ASSERT_EQ(Units(), L"1 2 1 6");
        Focus(f.txtData[1]);
        f.txtData[1].SetSelStart(key == VK_BACK ? 10 : 0);
        f.txtData[1].SetSelLength(key == VK_BACK ? 0 : 10);
        PressKey(key);
        if (key == VK_BACK)
            dialogs.Answer(IDOK);  // the three-digit year is refused
        PressKey(VK_TAB);
        Settle();
        Focus(f.txtData[1]);  // the initial date is not today: the final date becomes today
        ASSERT_EQ(f.txtData[1].Text(), Today());
        const std::wstring before = Main().txtFita.Text();
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(PumpUntil([] { return !Tool().IsLoaded(); }));
        EXPECT_EQ(Main().txtFita.Text(), before);
    }
}

// A sign after the digits of a unit reads as the same sign before them.
TEST_P(DataTest, ATrailingSignInAUnitReadsAsALeadingOne)
{
    std::vector<std::wstring> outcomes;
    for (const std::wstring typed : {L"-5", L"5-"}) {
        frmData& f = Tool();
        SetDates(D(2020, 1, 1), L"");
        f.txtDias.SetText(typed);
        ClickRefused(4, L"Initial date must came before the final date");
        outcomes.push_back(f.txtData[1].Text());
    }
    EXPECT_EQ(outcomes[0], D(2019, 12, 27));
    EXPECT_EQ(outcomes[1], outcomes[0]);
}

TEST_P(DataTest, EnteringAnEmptyFinalDateFillsTodayOnlyAfterAnotherInitialDate)
{
    frmData& f = Tool();
    SetDates(D(2020, 1, 1), L"");
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
    PressKey(VK_TAB);
    EXPECT_EQ(f.txtData[1].Text(), Today());
    EXPECT_EQ(f.txtData[1].SelLength(), 10);

    f.lblHoje_Click();
    EXPECT_EQ(f.txtData[0].Text(), Today());
    f.txtData[1].SetText(L"");
    Focus(f.txtData[0]);
    PressKey(VK_TAB);
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
}

TEST_P(DataTest, EqualDatesHideTheLeapLabelsAndWriteNothing)
{
    frmData& f = Tool();
    f.lblBissextos.SetCaption(L"2");
    Click(f.cmdCalcula[0]);
    EXPECT_EQ(Units(), L"0 0 0 0");
    EXPECT_EQ(f.lblBissextos.Caption(), L"0");
    EXPECT_FALSE(f.lblBis.Visible() || f.lblBissextos.Visible());
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
    ClickRefused(0, L"Initial date must came before the final date");
    EXPECT_EQ(Units(), L"0 0 0 0");

    f.txtData[1].SetText(L"");  // no final date and no span
    ClickRefused(4, L"Check the information on the fields");
    EXPECT_TRUE(PumpUntil([&] { return f.txtAnos.HasFocus(); }));

    f.txtData[0].SetText(D(9999, 12, 1));  // a span past 31 December 9999
    Focus(f.txtDias);
    test::TypeText(L"31");
    ClickRefused(4, L"Check the information on the fields");
    EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));
}

TEST_P(DataTest, TypedUnitsTickTheirUnitAndGiveTheFinalDate)
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
    EXPECT_EQ(Units(), L"0 1 0 0");
    EXPECT_EQ(ButtonStates(), L"1111 0");
}

TEST_P(DataTest, ReleasingACheckBoxRecalculatesFromYears)
{
    frmData& f = Tool();
    SetDates(D(2020, 1, 1), D(2021, 3, 15));
    Click(f.cmdCalcula[3]);
    EXPECT_EQ(Units(), L"0 0 0 439");
    Click(f.Check1[2]);
    EXPECT_EQ(f.Check1[2].Value(), 0);
    EXPECT_EQ(Units(), L"1 2 0 13");
}

TEST_P(DataTest, EscDeactivationAndExitEachWriteTheBlockOnce)
{
    enum class Closing { Esc, Deactivation, Exit };
    for (Closing closing : {Closing::Esc, Closing::Deactivation, Closing::Exit}) {
        SCOPED_TRACE(static_cast<int>(closing));
        if (closing == Closing::Exit) {
            // The tray form shows the calculator, which would close the tool: it comes first.
            if (Tool().IsLoaded())
                Tool().Unload();
            core::Program().LinhaComando = L"outra";  // an extra copy: its exit saves no settings
            rt::TheForm<frmSysTray>().Load();
            Settle();
        }
        if (!Tool().IsLoaded())
            Open();
        frmData& f = Tool();
        SetDates(D(2020, 1, 1), D(2021, 3, 15));
        Click(f.cmdCalcula[0]);
        EXPECT_EQ(Units(), L"1 2 1 6");
        EXPECT_EQ(f.lblBissextos.Caption(), L"1");
        EXPECT_TRUE(f.lblBis.Visible() && f.lblBissextos.Visible());
        EXPECT_TRUE(PumpUntil([&] { return f.txtAnos.HasFocus() && f.txtAnos.SelLength() == 1; }));

        const std::wstring before = Main().txtFita.Text();
        if (closing == Closing::Esc)
            PressKey(VK_ESCAPE);
        if (closing == Closing::Deactivation)
            SetForegroundWindow(Main().hWnd());
        if (closing == Closing::Exit)
            rt::TheForm<frmSysTray>().Unload();
        ASSERT_TRUE(PumpUntil([] { return !Tool().IsLoaded(); }));
        Settle();
        EXPECT_EQ(Main().txtFita.Text(), before + Line(L"[" + D(2021, 3, 15) + L"] - ") +
                                             Line(L"[" + D(2020, 1, 1) + L"] = ") + Line(L" years: 1 ") +
                                             Line(L" months: 2 ") + Line(L"   weeks: 1 ") + Line(L" days: 6 ") +
                                             L" =========================\r\n");
        EXPECT_EQ(f.txtData[1].Text(), S(L"__/__/____"));  // emptied once written
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
        rt::Control& control;
        int left, top, width, height;
        double fontSize;
    };
    const Place places[] = {
        {f.lblHoje, 60, 60, 6960, 990, 16.5},         {f.txtData[0], 420, 1740, 2490, 570, 16.5},
        {f.cmdCalcula[4], 2940, 2340, 4110, 570, 16}, {f.txtDias, 3780, 4080, 1830, 570, 16.5},
        {f.Check1[3], 3600, 4080, 285, 285, 8.25},  // check boxes keep their size and font
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.control.Name());
        EXPECT_EQ((std::vector{p.control.Left(), p.control.Top(), p.control.Width(), p.control.Height()}),
                  (std::vector{p.left, p.top, p.width, p.height}));
        EXPECT_EQ(p.control.FontSize(), p.fontSize);
    }
    // A label that sizes itself keeps its doubled corner and grows with the font.
    EXPECT_EQ((std::vector{f.lblDat[0].Left(), f.lblDat[0].Top()}), (std::vector{480, 1320}));
    EXPECT_EQ(f.lblDat[0].FontSize(), 16.5);
}

// Each check box reaches past the gap to its unit field: in both views the field lies on top, its left
// border whole, and a press there is the field's.
TEST_P(DataTest, UnitFieldsLieOverTheirCheckBoxes)
{
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large view" : "normal view");
        Tool().Unload();
        Main().mnuGrande.SetChecked(large);
        Open();
        frmData& f = Tool();
        const rt::TextBox* fields[] = {&f.txtAnos, &f.txtMeses, &f.txtSemanas, &f.txtDias};
        for (size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            RECT box{};
            RECT field{};
            GetWindowRect(f.Check1[i].hWnd(), &box);
            GetWindowRect(fields[i]->hWnd(), &field);
            ASSERT_GT(box.right, field.left);  // they do overlap
            POINT shared{field.left + 1, field.top + 1};
            ScreenToClient(f.hWnd(), &shared);
            EXPECT_EQ(ChildWindowFromPointEx(f.hWnd(), shared, CWP_SKIPINVISIBLE), fields[i]->hWnd());
        }
    }
}

// The main window's command closes the running calculation, then shows the tool modally over it.
TEST_P(DataTest, TheMenuCommandShowsTheToolModallyAfterClosingTheCalculation)
{
    Tool().Unload();
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == Main().hWnd(); }));
    test::TypeText(L"5+");
    Settle();
    static std::wstring seen;
    static int ticks;
    seen.clear();
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (++ticks > 250) {  // never opened as expected: end the modal loop instead of hanging
            KillTimer(nullptr, id);
            Tool().Unload();
        }
        if (!Tool().IsLoaded() || !Tool().txtData[0].HasFocus())
            return;
        KillTimer(nullptr, id);
        seen = L"modal " + std::to_wstring(Tool().IsModal()) + L", owner enabled " +
               std::to_wstring(IsWindowEnabled(Main().hWnd()));
        test::TypeText(Digits(2020, 2, 1));
        test::ClickAt(Tool().cmdCalcula[3].hWnd(), 5, 5);
        PressKey(VK_ESCAPE);
    });
    Main().mnuData_Click();
    KillTimer(nullptr, timer);  // already gone when the tool opened
    EXPECT_EQ(seen, L"modal 1, owner enabled 0");
    const std::wstring tape = Main().txtFita.Text();
    const size_t block = tape.find(Line(L"[" + Today() + L"] - ") + Line(L"[" + D(2020, 2, 1) + L"] = "));
    EXPECT_LT(tape.find(L" T\r\n"), block);  // the total comes first
    EXPECT_NE(block, std::wstring::npos);
    EXPECT_TRUE(IsWindowEnabled(Main().hWnd()));
}

}  // namespace
