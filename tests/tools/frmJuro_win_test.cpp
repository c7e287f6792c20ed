#include "core/ProgramState.h"
#include "runtime/Date.h"
#include "runtime/Handles_win.h"
#include "runtime/Locale.h"
#include "runtime/Screen_win.h"
#include "shell/frmCalcula_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"
#include "tools/frmJuro_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::PumpUntil;
using test::Settle;

frmJuro& Tool()
{
    return rt::TheForm<frmJuro>();
}
frmCalcula& Main()
{
    return rt::TheForm<frmCalcula>();
}

const std::wstring kRule = L" =========================\r\n";

// Types over the box's text, as entering it selects it all.
void TypeInto(rt::TextBox& box, std::wstring_view text)
{
    if (box.HasFocus()) {
        box.SetSelStart(0);
        box.SetSelLength(box.TextLength());
    }
    box.SetFocus();
    Settle();
    test::TypeText(text);
}

void Click(rt::Control& control)
{
    test::ClickAt(control.hWnd(), 5, 5);
}

std::wstring FocusName()
{
    rt::Control* focused = rt::Control::FromWindow(GetFocus());
    return focused ? focused->Name() : L"?";
}

bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Each test runs with the separator of its parameter, the calculator shown with a closed tape and the tool
// open over it (modeless: what the tests look at does not depend on modality).
class JuroTest : public ::testing::TestWithParam<wchar_t> {
protected:
    void SetUp() override
    {
        core::Program() = core::ProgramState();
        const bool comma = GetParam() == L',';
        core::Program().SeparadorDecimal = GetParam();
        core::Program().FormatoData = comma ? L"dd/mm/yyyy" : L"mm/dd/yyyy";
        rt::SetCurrentLocale(comma ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
        Main().Show();
        Main().txtFita.SetText(kRule);
        Tool().Show();
        ASSERT_TRUE(PumpUntil([] { return Tool().txtValVista.HasFocus(); }));
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
    // A number written with "." and "," in the locale's separators.
    static std::wstring Loc(std::wstring text)
    {
        const rt::Locale& locale = rt::CurrentLocale();
        for (wchar_t& c : text)
            c = c == L'.' ? locale.decimalSeparator : c == L',' ? locale.thousandsSeparator : c;
        return text;
    }
    // The worked example: 1,000.00 in 12 installments of 100.00, the first after 30 days.
    static void TypeExample()
    {
        TypeInto(Tool().txtValVista, L"1000");
        TypeInto(Tool().txtValPrest, L"100");
        TypeInto(Tool().txtParcelas, L"12");
    }
};

INSTANTIATE_TEST_SUITE_P(Separators, JuroTest, ::testing::Values(L'.', L','),
                         [](const auto& info) { return info.param == L'.' ? "Point" : "Comma"; });

TEST_P(JuroTest, TypedSeparatorsFollowTheLocale)
{
    frmJuro& f = Tool();
    TypeInto(f.txtJuroAp, L"12.5");
    EXPECT_EQ(f.txtJuroAp.Text(), Loc(L"12.5"));
    TypeInto(f.txtValVista, L"1,2.3x-");  // the second separator, letters and signs are dropped
    EXPECT_EQ(f.txtValVista.Text(), Loc(L"1.23"));
    TypeInto(f.txtParcelas, L"1.2");
    EXPECT_EQ(f.txtParcelas.Text(), L"12");
    TypeInto(f.txtDias, L"4,5");
    EXPECT_EQ(f.txtDias.Text(), L"45");
}

TEST_P(JuroTest, FieldRulesWhileTyping)
{
    frmJuro& f = Tool();
    TypeInto(f.txtJuroAp, L"3");
    TypeInto(f.txtValPrest, L"150");  // a positive installment empties the rate
    EXPECT_EQ(f.txtJuroAp.Text(), L"");
    TypeInto(f.txtJuroAp, L"0");  // a rate of 0 does not empty the installment (shown as money on leaving)
    EXPECT_EQ(f.txtValPrest.Text(), Loc(L"150.00"));
    TypeInto(f.txtJuroAp, L"3");  // a positive rate does
    EXPECT_EQ(f.txtValPrest.Text(), L"");

    EXPECT_EQ(f.chkVista.Value(), 0);
    TypeInto(f.txtDias, L"0");
    EXPECT_EQ(f.chkVista.Value(), 1);
    TypeInto(f.txtDias, L"05");
    EXPECT_EQ(f.chkVista.Value(), 0);
    TypeInto(f.txtDias, L"30");
    Click(f.chkVista);  // ticking the box sets the days to 0
    EXPECT_EQ(f.txtDias.Text(), L"0");
    EXPECT_EQ(f.chkVista.Value(), 1);
    f.txtDias.SetFocus();
    Settle();
    PressKey(VK_BACK);  // emptying the days (selected on entering) clears it
    EXPECT_EQ(f.txtDias.Text(), L"");
    EXPECT_EQ(f.chkVista.Value(), 0);

    TypeInto(f.txtValVista, L"");
    f.txtValVista.SetText(L"");
    TypeInto(f.txtValPrest, L"0");  // leaving: an empty value shows "0.00", an installment of 0 stays 0
    EXPECT_EQ(f.txtValVista.Text(), L"0.00");
    TypeInto(f.txtValVista, L"1234.5");
    EXPECT_EQ(f.txtValPrest.Text(), L"0");
    TypeInto(f.txtParcelas, L"");
    EXPECT_EQ(f.txtValVista.Text(), Loc(L"1,234.50"));

    f.txtParcelas.SetText(L"250");
    f.txtJuroAp.SetFocus();
    TypeInto(f.txtParcelas, L"");  // entering the count selects its first two characters
    EXPECT_EQ(f.txtParcelas.SelText(), L"25");
}

TEST_P(JuroTest, CountAbove250IsRefusedAsTyped)
{
    test::DialogScript script;
    script.Answer(IDOK);
    TypeInto(Tool().txtParcelas, L"300");
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, L"Digite a quantidade de parcelas entre 01 e 250");
    EXPECT_EQ(script.Shown()[0].style, 16);
    EXPECT_EQ(script.Shown()[0].title, L" Calculate Capitalized Interest Amount");
    EXPECT_EQ(Tool().txtParcelas.Text(), L"");
}

// The largest count typed into its narrow field shows every digit: none is scrolled out of the box.
TEST_P(JuroTest, TheLargestCountShowsWhole)
{
    frmJuro& f = Tool();
    TypeInto(f.txtParcelas, L"250");
    PressKey(VK_TAB);
    Settle();
    const HWND box = f.txtParcelas.hWnd();
    RECT shown{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    SIZE lastDigit{};
    {
        const rt::WindowDc dc(box);
        const rt::SelectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc.get(), L"0", 1, &lastDigit);
    }
    const auto left = [&](int index) {
        return static_cast<int>(static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, index, 0))));
    };
    EXPECT_GE(left(0), shown.left);
    EXPECT_LE(left(2) + lastDigit.cx, shown.right);
}

TEST_P(JuroTest, EnterMovesThroughTheInputsInTabOrder)
{
    std::vector<std::wstring> order{FocusName()};
    for (int i = 0; i < 5; ++i) {
        PressKey(VK_RETURN);
        order.push_back(FocusName());
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"txtValVista", L"txtValPrest", L"txtParcelas", L"txtDias", L"chkVista",
                                                L"txtJuroAp"}));
}

TEST_P(JuroTest, ValidationRefusesWithItsMessageAndFocus)
{
    struct Case {
        const wchar_t* value;
        const wchar_t* installment;
        const wchar_t* count;
        const wchar_t* days;
        std::wstring message;
        std::wstring focus;
    };
    const Case cases[] = {
        {L"", L"100", L"12", L"30", L"Insert Initial Value", L"txtValVista"},
        {L"1000", L"100", L"", L"30", L"Enter number of installments:\r\n\r\nMin. 1 / Max. 250.", L"txtParcelas"},
        {L"1000", L"100", L"00", L"30", L"Enter number of installments:\r\n\r\nMin. 1 / Max. 250.", L"txtParcelas"},
        {L"1000", L"100", L"12", L"", L"Enter the number of days until first installment expiration", L"txtDias"},
        {L"1000", L"", L"12", L"30",
         L"- Enter installment value to find out interest rate or\r\n\r\n- Enter interest rate to find out the "
         L"installment.",
         L"txtValPrest"},
        {L"1000", L"1000", L"12", L"30", L"Installment value could NOT be equal or higher the the initial value",
         L"txtValPrest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.message.begin(), c.message.end()));
        frmJuro& f = Tool();
        f.txtValVista.SetText(c.value);
        f.txtValPrest.SetText(c.installment);
        f.txtParcelas.SetText(c.count);
        f.txtDias.SetText(c.days);
        test::DialogScript script;
        script.Answer(IDOK);
        Click(f.cmdCalcular);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, c.message);
        EXPECT_EQ(script.Shown()[0].style, 48);
        EXPECT_TRUE(PumpUntil([&] { return FocusName() == c.focus; })) << std::string(c.focus.begin(), c.focus.end());
        EXPECT_EQ(f.txtValPrest.Tag(), L"");
        if (c.message[0] == L'-') {
            EXPECT_EQ(f.txtValPrest.Text(), L"0.00");  // the money format of an empty installment
        }
    }
    EXPECT_EQ(Tool().txtValPrest.Text(), Loc(L"1,000.00"));
    // Mended: an initial value below 1 is a value where "," is the separator too.
    Tool().txtValVista.SetText(Loc(L"0.50"));
    Tool().txtValPrest.SetText(L"");
    Tool().txtParcelas.SetText(L"1");
    Tool().txtJuroAp.SetText(Loc(L"2."));
    test::DialogScript none;
    Click(Tool().cmdCalcular);
    EXPECT_EQ(Tool().txtJuroAp.Text(), Loc(L"2.0"));     // "2," becomes "2,0"
    EXPECT_EQ(Tool().txtValPrest.Text(), Loc(L"0.51"));  // 0.50 grown by 2 %
}

TEST_P(JuroTest, RateFoundIsHandedOverOnClosing)
{
    frmCalcula& main = Main();
    int key = '5';
    main.Form_KeyPress(key);
    key = '+';
    main.Form_KeyPress(key);  // a running calculation: closed with "=" before the block
    TypeExample();
    Click(Tool().cmdCalcular);
    EXPECT_EQ(Tool().txtJuroAp.Text(), Loc(L"2.922855"));
    EXPECT_EQ(Tool().txtValFinal.Text(), Loc(L"1,200.00"));
    EXPECT_EQ(Tool().txtJuroTot.Text(), Loc(L"200.00"));
    EXPECT_EQ(Tool().cmdCalcular.Tag(), L"ok");
    EXPECT_EQ(FocusName(), L"cmdCalcular");
    EXPECT_EQ(rt::Screen::MousePointer(), rt::kPointerDefault);
    PressKey(VK_ESCAPE);
    ASSERT_FALSE(Tool().IsLoaded());
    const std::wstring tape = main.txtFita.Text();
    const size_t total = tape.find(L"5 T\r\n");
    const size_t block = tape.find(L"            INITIAL VALUE ");
    ASSERT_NE(total, std::wstring::npos);
    ASSERT_NE(block, std::wstring::npos);
    EXPECT_LT(total, block);
    EXPECT_NE(tape.find(L"\r\n 012\u00aa" + std::wstring(13, L' ') + Loc(L"100.00 =\r\n")), std::wstring::npos);
    EXPECT_TRUE(EndsWith(tape, Loc(L"             FINAL AMOUNT \r\n                 1,200.00 \r\n") + kRule));
    EXPECT_EQ(main.txtEntrada.Text(), Loc(L"1,200.00"));
    EXPECT_EQ(main.OperadorPendente(), L"+");  // cleared after the block
    EXPECT_EQ(main.TotalText(), L"0");
}

TEST_P(JuroTest, InstallmentFoundAndChangedInputsHandNothingOver)
{
    TypeInto(Tool().txtValVista, L"1000");
    TypeInto(Tool().txtJuroAp, L"3");
    TypeInto(Tool().txtParcelas, L"12");
    Click(Tool().cmdCalcular);
    EXPECT_EQ(Tool().txtValPrest.Text(), Loc(L"100.46"));
    EXPECT_EQ(Tool().txtValFinal.Text(), Loc(L"1,205.52"));
    EXPECT_EQ(Tool().cmdCalcular.Tag(), L"ok");
    TypeInto(Tool().txtDias, L"31");  // a changed input: the result is no longer handed over
    EXPECT_EQ(Tool().cmdCalcular.Tag(), L"");
    Tool().Unload();
    EXPECT_EQ(Main().txtFita.Text(), kRule);
}

TEST_P(JuroTest, FailureShowsErroAndWritesNothing)
{
    // 25 % over 250 months: the finest step moves the balance by far more than 1 % of the value.
    TypeInto(Tool().txtValVista, L"1000");
    TypeInto(Tool().txtJuroAp, L"25");
    TypeInto(Tool().txtParcelas, L"250");
    test::DialogScript script;
    script.Answer(IDOK);
    Click(Tool().cmdCalcular);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].style, 16);
    EXPECT_EQ(script.Shown()[0].text.substr(0, 33), L"Error in the calculation. Check t");
    EXPECT_EQ(Tool().txtJuroAp.Text(), L"Erro");
    EXPECT_EQ(Tool().txtValPrest.Text(), L"Erro");
    EXPECT_EQ(Tool().txtValPrest.Tag(), L"");
    EXPECT_EQ(rt::Screen::MousePointer(), rt::kPointerDefault);
    script.Answer(IDOK);
    Click(Tool().cmdCalcular);  // "Erro" reads as no installment and no rate
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[1].text.substr(0, 30), L"- Enter installment value to f");
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Main().txtFita.Text(), kRule);
}

TEST_P(JuroTest, ClosingDuringASearchCancelsIt)
{
    TypeExample();
    // The close arrives while the search yields to the message loop.
    const HWND button = Tool().cmdCalcular.hWnd();
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Settle();
    test::DialogScript none;  // no message at all
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PostMessageW(Tool().hWnd(), WM_CLOSE, 0, 0);
    Settle();
    EXPECT_EQ(Tool().txtJuroAp.Text(), L"15");  // the search had started from its first rate
    EXPECT_FALSE(Tool().IsLoaded());
    EXPECT_FALSE(Tool().Searching());
    EXPECT_EQ(rt::Screen::MousePointer(), rt::kPointerDefault);
    EXPECT_EQ(Main().txtFita.Text(), kRule);
    // A Calculate while the busy mark is set is ignored.
    Tool().Show();
    Tool().txtValPrest.SetTag(L"1");
    Click(Tool().cmdCalcular);  // an empty value would be refused otherwise
    EXPECT_TRUE(none.Shown().empty());
}

// A click on "in cash" handled while the search yields changes an input under it: the result is dropped and
// nothing is handed over.
TEST_P(JuroTest, AnInputChangedDuringASearchDropsItsResult)
{
    TypeExample();
    const HWND button = Tool().cmdCalcular.hWnd();
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Settle();
    test::DialogScript none;
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const HWND inCash = Tool().chkVista.hWnd();
    PostMessageW(inCash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(inCash, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(PumpUntil([] { return !Tool().Searching() && Tool().txtValPrest.Tag().empty(); }));
    Settle();
    EXPECT_EQ(Tool().txtDias.Text(), L"0");  // the click did reach the box
    EXPECT_EQ(Tool().cmdCalcular.Tag(), L"");
    EXPECT_EQ(Tool().txtJuroAp.Text(), L"");
    EXPECT_EQ(rt::Screen::MousePointer(), rt::kPointerDefault);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(Main().txtFita.Text(), kRule);
}

TEST_P(JuroTest, FullTapeIsOfferedForClearing)
{
    std::wstring full;
    while (full.size() <= 21000)
        full += kRule;
    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "yes" : "no");
        if (!Tool().IsLoaded()) {
            Tool().Show();
            ASSERT_TRUE(PumpUntil([] { return Tool().txtValVista.HasFocus(); }));
        }
        Main().txtFita.SetText(full);
        TypeExample();
        Click(Tool().cmdCalcular);
        test::DialogScript script;
        script.Answer(answer);
        PressKey(VK_ESCAPE);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text,
                  L"Calculation's list is full.\r\n\r\nDo you want to erase all the calculations of the list?");
        EXPECT_EQ(script.Shown()[0].style, 36);
        EXPECT_EQ(script.Shown()[0].title, L"Plumvane");
        const std::wstring tape = Main().txtFita.Text();
        EXPECT_EQ(tape.compare(0, full.size(), full) == 0, answer == IDNO);
        EXPECT_TRUE(EndsWith(tape, Loc(L"                 1,200.00 \r\n") + kRule));
        EXPECT_LT(tape.size(), answer == IDNO ? full.size() + 3000 : 3000u);
    }
}

TEST_P(JuroTest, SavingsAccountWritesItsBlockAndCloses)
{
    const bool comma = GetParam() == L',';
    test::DialogScript script;
    script.Type(L"1000").Type(L"2").Type(comma ? L"01/03/2024" : L"03/01/2024").Type(L"45").Answer(IDOK);
    Click(Tool().cmdCapitalizar);
    ASSERT_EQ(script.Shown().size(), 5u);
    EXPECT_EQ(script.Shown()[0].title, L" Capitalize Interest Rate");
    EXPECT_EQ(script.Shown()[0].text, L"Enter INITIAL VALUE $:");
    EXPECT_EQ(script.Shown()[0].inputText, L"0");
    EXPECT_EQ(script.Shown()[2].inputText, rt::Date::Today().Format(core::Program().FormatoData));
    EXPECT_EQ(script.Shown()[3].text, L"Enter FINAL DATE or\r\nNUMBER OF DAYS (1 to 1500 days):");
    EXPECT_EQ(script.Shown()[4].text, Loc(L"Amount + Capitalized Interest Amount:\r\n\r\n$ 1,030.20"));
    EXPECT_EQ(script.Shown()[4].style, 64);
    EXPECT_FALSE(Tool().IsLoaded());
    const std::wstring tape = Main().txtFita.Text();
    EXPECT_NE(tape.find((comma ? L" 01/03/24" : L" 03/01/24") + Loc(L"       1,000.00 +\r\n")), std::wstring::npos);
    EXPECT_NE(tape.find((comma ? L" 15/04/24" : L" 04/15/24") + Loc(L"       1,030.20 T\r\n\r\n")), std::wstring::npos);
    EXPECT_TRUE(EndsWith(tape, Loc(L"    TOTAL INTEREST AMOUNT \r\n                    30.20 \r\n") + kRule));
    EXPECT_EQ(Main().txtEntrada.Text(), Loc(L"1,030.20"));
}

TEST_P(JuroTest, CashCheckFindsTheNetAmount)
{
    test::DialogScript script;
    script.Type(Loc(L"1030.2")).Type(L"2").Type(L"1/1/2024").Type(L"45").Answer(IDOK);
    Click(Tool().cmdDescontar);
    ASSERT_EQ(script.Shown().size(), 5u);
    EXPECT_EQ(script.Shown()[0].title, L" Cash Check");
    EXPECT_EQ(script.Shown()[3].text, L"Enter FINAL DATE or\r\nNUMBER OF DAYS (1 to 730 days):");
    EXPECT_EQ(script.Shown()[4].text, Loc(L"Net amount minus interest amount:\r\n\r\n$ 1,000.00"));
    const std::wstring tape = Main().txtFita.Text();
    EXPECT_NE(tape.find(Loc(L"            INITIAL VALUE \r\n                 1,000.00 ")), std::wstring::npos);
    EXPECT_NE(tape.find(Loc(L"             FINAL AMOUNT \r\n                 1,030.20 ")), std::wstring::npos);
    EXPECT_EQ(Main().txtEntrada.Text(), Loc(L"1,000.00"));
}

TEST_P(JuroTest, InvalidAnswersAbortWithMessage30)
{
    struct Case {
        const char* why;
        std::vector<std::wstring> answers;  // typed; an empty vector element cancels that box
        bool cashCheck;
    };
    const Case cases[] = {
        {"cancelled value", {L"<esc>"}, false},
        {"zero rate", {L"1000", L"0"}, false},
        {"not a date", {L"1000", L"2", L"someday"}, false},
        {"1501 days", {L"1000", L"2", L"1/1/2024", L"1501"}, false},
        {"731 days", {L"1000", L"2", L"1/1/2024", L"731"}, true},
        {"final date before the initial date", {L"1000", L"2", L"5/5/2024", L"1/5/2024"}, true},
        {"an amount that overflows", {L"1000", L"900000000000000", L"1/1/2024", L"1500"}, false},
        {"a net amount that overflows", {L"1000", L"900000000000000", L"1/1/2024", L"730"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        test::DialogScript script;
        for (const std::wstring& answer : c.answers) {
            if (answer == L"<esc>")
                script.Escape();
            else
                script.Type(answer);
        }
        script.Answer(IDOK);
        Click(c.cashCheck ? Tool().cmdDescontar : Tool().cmdCapitalizar);
        ASSERT_EQ(script.Shown().size(), c.answers.size() + 1);
        EXPECT_EQ(script.Shown().back().text, L"Invalid Data! Operation aborted.");
        EXPECT_EQ(script.Shown().back().style, 16);
        EXPECT_TRUE(Tool().IsLoaded());
    }
    EXPECT_EQ(Main().txtFita.Text(), kRule);
}

TEST_P(JuroTest, HelpAndCaptions)
{
    test::DialogScript script;
    script.Answer(IDOK);
    PressKey(VK_F1);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text.substr(0, 17), L"FIXED INSTALLMENT");
    EXPECT_EQ(script.Shown()[0].style, 64);
    frmJuro& f = Tool();
    EXPECT_EQ(f.ScaleWidth(), 4260);
    EXPECT_EQ(f.ScaleHeight(), 5460);
    EXPECT_EQ(f.chkVista.Caption(), L"in cash");
    EXPECT_EQ(f.cmdCapitalizar.Caption(), L"Saving Acc&ount");
    EXPECT_NE(f.lblAgiota.Caption().find(L"\r\n"), std::wstring::npos);  // two lines
    EXPECT_EQ(f.txtDias.Text(), L"30");
    EXPECT_EQ(f.chkVista.MousePointer(), rt::kPointerCustom);
}

TEST_P(JuroTest, LosingTheActivationClosesAndHandsOver)
{
    TypeExample();
    Click(Tool().cmdCalcular);
    SetForegroundWindow(Main().hWnd());
    EXPECT_TRUE(PumpUntil([] { return !Tool().IsLoaded(); }));
    EXPECT_TRUE(EndsWith(Main().txtFita.Text(), Loc(L"                 1,200.00 \r\n") + kRule));
}

// The main window's command shows the tool modally.
TEST(JuroFromMainWindow, TheCommandShowsTheToolModally)
{
    core::Program() = core::ProgramState();
    rt::SetCurrentLocale(rt::Locale::EnglishUS());
    frmCalcula& main = Main();
    main.Show();
    static std::wstring seen;
    static int ticks;
    seen.clear();
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        if (++ticks > 250) {  // never opened as expected: end the modal loop instead of hanging
            KillTimer(nullptr, id);
            Tool().Unload();
            return;
        }
        if (!Tool().IsLoaded() || !Tool().txtValVista.HasFocus())
            return;
        KillTimer(nullptr, id);
        seen = L"modal " + std::to_wstring(Tool().IsModal()) + L", owner enabled " +
               std::to_wstring(IsWindowEnabled(Main().hWnd()));
        PressKey(VK_ESCAPE);
    });
    main.mnuJuro_Click();
    KillTimer(nullptr, timer);
    EXPECT_EQ(seen, L"modal 1, owner enabled 0");
    EXPECT_FALSE(Tool().IsLoaded());
    EXPECT_TRUE(main.mnuJuro.Enabled());
    main.Unload();
    Settle();
}

}  // namespace
