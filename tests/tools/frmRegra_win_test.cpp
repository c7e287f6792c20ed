#include "core/ProgramState.h"
#include "runtime/Handles_win.h"
#include "runtime/Locale.h"
#include "shell/frmCalcula_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"
#include "support/MenuScript_win.h"
#include "support/PrintedPage_win.h"
#include "tools/QuestionMarkIcon_win.h"
#include "tools/frmRegra_win.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::Settle;
using test::TypeInto;
using test::Click;
using tools::Relation;

constexpr wchar_t kAborted[] = L"Invalid Data! Operation aborted.";

frmRegra& Tool()
{
    return rt::TheForm<frmRegra>();
}

void UseSeparator(wchar_t separator)
{
    core::Program().SeparadorDecimal = separator;
    rt::SetCurrentLocale(separator == L',' ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
}



void EnterRow(int k, std::wstring_view value, std::wstring_view description)
{
    TypeInto(Tool().txtValor[k], value);
    TypeInto(Tool().txtCond[k], description);
}

// Clicks a button with the message boxes answered by `answers` (IDOK, IDYES...); returns what they showed.
std::vector<test::ShownDialog> ClickAnswering(controls::XPButton& button, std::vector<int> answers)
{
    test::DialogScript script;
    for (int answer : answers)
        script.Answer(answer);
    Click(button);
    return script.Shown();
}

class RegraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core::Program() = core::ProgramState();
        UseSeparator(L'.');
        Open();
    }
    void TearDown() override
    {
        if (Tool().IsLoaded())
            Tool().Unload();
        UseSeparator(L'.');
    }
    static void Open()
    {
        if (Tool().IsLoaded())
            Tool().Unload();
        Tool().Show();
        ASSERT_TRUE(test::PumpUntil([] { return Tool().txtValor[0].HasFocus(); }));
    }
    // Rows 0 and 1 described, row 0's find value typed, then Tab into row 1's empty find box: the unknown.
    static void TwoRows(std::wstring_view base0, std::wstring_view find0, std::wstring_view base1)
    {
        EnterRow(0, base0, L"apples");
        EnterRow(1, base1, L"pears");
        TypeInto(Tool().txtValor2[0], find0);
        PressKey(VK_TAB);
    }
};

TEST_F(RegraTest, OpensInTheDesignStateWithItsCaptions)
{
    frmRegra& f = Tool();
    EXPECT_EQ(f.Caption(), L" Rule of Three Calculation");
    EXPECT_EQ(f.ScaleWidth(), 5385);
    EXPECT_EQ(f.cmdExemplo.Caption() + f.cmdExemplo2.Caption() + f.cmdCalcular.Caption() + f.cmdImprimir.Caption(),
              L"Example &1Example &2&Calculate&Print");
    EXPECT_EQ(f.lblQtd[1].Caption() + f.lblDescricao[1].Caption() + f.lblDados.Caption() + f.lblEncontrar.Caption(),
              L"Qty. or &Value&DescriptionBASE DATAFIND");
    EXPECT_NE(f.Image1.Picture(), nullptr);
    EXPECT_TRUE(f.cmdExemplo.Enabled() && f.cmdCalcular.Enabled());
    EXPECT_FALSE(f.cmdExemplo2.Enabled() || f.cmdImprimir.Enabled());
    for (int k = 0; k < tools::kRuleRows; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(f.txtValor[k].Enabled() && f.txtCond[k].Enabled(), k == 0);
        EXPECT_FALSE(f.txtValor2[k].Enabled() || f.txtCond2[k].Enabled() || f.optInc[k].Enabled());
    }
}

TEST_F(RegraTest, NumberBoxesTakeDigitsAndOneSeparatorInBothLocales)
{
    for (wchar_t separator : {L'.', L','}) {
        SCOPED_TRACE(static_cast<char>(separator));
        UseSeparator(separator);
        Open();
        TypeInto(Tool().txtValor[0], L"1,5.3-a 2");
        EXPECT_EQ(Tool().txtValor[0].Text(), std::wstring(L"1") + separator + L"532");
        Tool().txtCond[0].SetFocus();
        TypeInto(Tool().txtValor[0], L"123456789012");  // coming back selects the old text: it is replaced
        EXPECT_EQ(Tool().txtValor[0].Text(), L"1234567890");
    }
}

TEST_F(RegraTest, EnterMovesOnAndDescriptionsOpenAndCloseRows)
{
    frmRegra& f = Tool();
    test::TypeText(L"8");
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.txtCond[0].HasFocus());
    test::TypeText(L"apples");
    EXPECT_TRUE(f.txtValor[1].Enabled() && f.txtValor2[0].Enabled() && f.optInc[0].Enabled());
    EXPECT_EQ(f.txtCond2[0].Text(), L"apples");
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.txtValor[1].HasFocus());

    // A description before its value opens the row; a 0 and a further edit close it again.
    TypeInto(f.txtCond[1], L"pears");
    TypeInto(f.txtValor2[1], L"7");
    TypeInto(f.txtValor[1], L"0");
    f.txtCond[1].SetFocus();
    PressKey(VK_END);
    test::TypeText(L"s");
    EXPECT_FALSE(f.txtValor2[1].Enabled() || f.optInc[1].Enabled() || f.txtValor[2].Enabled());
    EXPECT_EQ(f.txtValor2[1].Text() + f.txtCond2[1].Text(), L"");
}

TEST_F(RegraTest, TwoRowsAskOneQuestionAndReuseItsAnswer)
{
    frmRegra& f = Tool();
    TwoRows(L"8", L"4", L"12");
    ASSERT_TRUE(f.optInc[1].Value());  // the empty find box reached by Tab
    EXPECT_FALSE(f.txtValor[0].Enabled() || f.txtCond[1].Enabled());
    // Placeholder characters in a description are shown as typed, not substituted again.
    f.txtCond[0].SetText(L"apples\u017D");
    std::vector<test::ShownDialog> shown = ClickAnswering(f.cmdCalcular, {IDNO});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"If you add:\r\n\"APPLES\u017D\"\r\n\r\nthe result will/would add:\r\n\"PEARS\" ?");
    EXPECT_EQ(shown[0].style, 35);  // Yes/No/Cancel, question, Yes the default
    EXPECT_EQ(shown[0].title, f.Caption());
    EXPECT_EQ(f.txtValor2[1].Text(), L"24");
    EXPECT_EQ(f.Relacao(0), Relation::Inverse);
    EXPECT_FALSE(f.cmdCalcular.Enabled());
    EXPECT_TRUE(f.cmdImprimir.Enabled());
    EXPECT_TRUE(f.txtValor2[1].HasFocus());
    EXPECT_EQ(f.txtValor2[1].SelLength(), 2);

    // A changed find value: Calculate again without a question.
    TypeInto(f.txtValor2[0], L"8");
    EXPECT_TRUE(f.cmdCalcular.Enabled() && !f.cmdImprimir.Enabled());
    EXPECT_TRUE(ClickAnswering(f.cmdCalcular, {}).empty());
    EXPECT_EQ(f.txtValor2[1].Text(), L"12");

    // Another unknown, chosen with the mouse, empties its box and asks again.
    test::ClickAt(f.optInc[0].hWnd());
    EXPECT_EQ(f.txtValor2[0].Text(), L"");
    shown = ClickAnswering(f.cmdCalcular, {IDYES});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find(L"\"PEARS\"\r\n\r\nthe result will/would add:\r\n\"APPLES\u017D\" ?"),
              std::wstring::npos);
    EXPECT_EQ(f.txtValor2[0].Text(), L"8");  // 8 x 12/12

    // Typing into the unknown's box clears the unknown.
    TypeInto(f.txtValor2[0], L"5");
    EXPECT_FALSE(f.optInc[0].Value());
    shown = ClickAnswering(f.cmdCalcular, {IDOK});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"You must select the variable field - the one you want to find out!");
    EXPECT_EQ(shown[0].style, 48);
}

// A divisor of 0 used to show the calculated state with an empty result.
TEST_F(RegraTest, DivisorZeroShowsMessage30WithoutTheCalculatedState)
{
    TwoRows(L"8", L"0", L"12");
    const std::vector<test::ShownDialog> shown = ClickAnswering(Tool().cmdCalcular, {IDNO, IDOK});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, kAborted);
    EXPECT_EQ(shown[1].style, 48);
    EXPECT_EQ(Tool().txtValor2[1].Text(), L"");
    EXPECT_TRUE(Tool().cmdCalcular.Enabled());
    EXPECT_FALSE(Tool().cmdImprimir.Enabled());
    EXPECT_NE(Tool().cmdCalcular.Tag(), L"ok");
}

// A question answered with a key: the key's release reaches the find box that gets the focus back with the
// result, and is no edit of it. A key pressed in the box afterwards is one.
TEST_F(RegraTest, TheKeyThatAnswersAQuestionDoesNotEditTheResult)
{
    const struct {
        int key;
        const wchar_t* result;
        int typedAfter;  // Enter in the box would move on: a digit instead
    } answers[] = {{'N', L"24", 'N'}, {'Y', L"6", 'Y'}, {VK_RETURN, L"6", '5'}};
    frmRegra& f = Tool();
    const auto released = [](int key) { return [key] { return GetKeyState(key) >= 0; }; };
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.key);
        Open();
        TwoRows(L"8", L"4", L"12");
        {
            test::DialogScript script;
            script.Press(answer.key);
            Click(f.cmdCalcular);
            ASSERT_TRUE(test::PumpUntil([&] { return script.Pending() == 0; }));
            ASSERT_TRUE(test::PumpUntil(released(answer.key)));
            test::Settle();
        }
        ASSERT_EQ(f.txtValor2[1].Text(), answer.result);
        ASSERT_TRUE(f.txtValor2[1].HasFocus());
        EXPECT_TRUE(f.optInc[1].Value());
        EXPECT_TRUE(f.cmdImprimir.Enabled());
        EXPECT_FALSE(f.cmdCalcular.Enabled());

        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(answer.typedAfter);
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
        ASSERT_TRUE(test::PumpUntil(released(answer.typedAfter)));
        test::Settle();
        EXPECT_FALSE(f.optInc[1].Value());
        EXPECT_FALSE(f.cmdImprimir.Enabled());
    }
}

// Calculate run by its access key with no question to ask: the releases of Alt and C reach the find box that
// gets the result, and are no edit of it.
TEST_F(RegraTest, TheAccessKeyOfCalculateDoesNotEditTheResult)
{
    frmRegra& f = Tool();
    TwoRows(L"8", L"4", L"12");
    ASSERT_EQ(ClickAnswering(f.cmdCalcular, {IDYES}).size(), 1u);
    TypeInto(f.txtValor2[0], L"5");
    ASSERT_TRUE(f.cmdCalcular.Enabled());

    test::SendKeys({VK_MENU, 'C'});
    ASSERT_TRUE(test::PumpUntil([] { return GetKeyState(VK_MENU) >= 0 && GetKeyState('C') >= 0; }));
    Settle();

    EXPECT_EQ(f.txtValor2[1].Text(), L"7.5");
    EXPECT_TRUE(f.txtValor2[1].HasFocus());
    EXPECT_TRUE(f.optInc[1].Value());
    EXPECT_TRUE(f.cmdImprimir.Enabled());
    EXPECT_FALSE(f.cmdCalcular.Enabled());
}

TEST_F(RegraTest, ClosedRowsAreSkippedAndDescribedRowsNeedAValue)
{
    frmRegra& f = Tool();
    EnterRow(0, L"8", L"apples");
    EnterRow(1, L"12", L"pears");
    EnterRow(2, L"0", L"plums");  // closed by its 0
    TypeInto(f.txtValor2[0], L"4");
    PressKey(VK_TAB);
    EXPECT_EQ(ClickAnswering(f.cmdCalcular, {IDNO}).size(), 1u);  // none about PLUMS
    EXPECT_EQ(f.txtValor2[1].Text(), L"24");

    Open();
    EnterRow(0, L"8", L"apples");
    EnterRow(1, L"12", L"pears");
    TypeInto(f.txtCond[2], L"plums");  // described, no value
    TypeInto(f.txtValor2[0], L"4");
    TypeInto(f.txtValor2[1], L"6");
    TypeInto(f.txtValor2[2], L"1");
    const std::vector<test::ShownDialog> shown = ClickAnswering(f.cmdCalcular, {IDOK});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Only the variable may be undefined.");
    EXPECT_TRUE(f.txtValor[2].HasFocus());

    // With the unknown chosen the base values are locked: the refused one is opened to be corrected.
    Open();
    EnterRow(0, L"8", L"apples");
    EnterRow(1, L"12", L"pears");
    TypeInto(f.txtCond[2], L"plums");
    TypeInto(f.txtValor2[0], L"4");
    TypeInto(f.txtValor2[2], L"1");
    Click(f.optInc[1]);
    ASSERT_FALSE(f.txtValor[2].Enabled());
    ASSERT_EQ(ClickAnswering(f.cmdCalcular, {IDOK}).size(), 1u);
    ASSERT_TRUE(f.txtValor[2].HasFocus());
    test::TypeText(L"2");
    EXPECT_EQ(ClickAnswering(f.cmdCalcular, {IDNO, IDNO}).size(), 2u);
    EXPECT_EQ(f.txtValor2[1].Text(), L"48");
}

TEST_F(RegraTest, WorkedExamplesStepByStep)
{
    frmRegra& f = Tool();
    std::vector<test::ShownDialog> shown = ClickAnswering(f.cmdExemplo, std::vector<int>(9, IDOK));
    std::vector<int> styles;
    for (const test::ShownDialog& box : shown)
        styles.push_back(box.title == f.Caption() ? box.style : -1);
    EXPECT_EQ(styles, (std::vector<int>{64, 64, 64, 64, 32, 64, 64, 64, 48}));
    EXPECT_EQ(shown[0].text, L"If 8 carpenters...");
    EXPECT_EQ(f.Left(), 0);
    EXPECT_TRUE(!f.cmdExemplo.Enabled() && f.cmdExemplo2.Enabled() && f.cmdCalcular.HasFocus());
    EXPECT_TRUE(f.optInc[3].Value());
    EXPECT_EQ(f.txtCond2[3].Text(), L"closets");

    shown = ClickAnswering(f.cmdCalcular, {IDYES, IDYES, IDYES});
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[2].text.find(L"\"WORKING HOURS PER DAY\"\r\n\r\nthe result will/would add:\r\n\"CLOSETS\" ?"),
              std::wstring::npos);
    EXPECT_EQ(f.txtValor2[3].Text(), L"20");
    EXPECT_TRUE(!f.cmdCalcular.Enabled() && f.cmdImprimir.Enabled());

    shown = ClickAnswering(f.cmdExemplo2, std::vector<int>(5, IDOK));
    EXPECT_EQ(shown[0].style, 32);
    EXPECT_FALSE(f.cmdExemplo.Enabled() || f.cmdExemplo2.Enabled());
    EXPECT_TRUE(f.optInc[2].Value());

    // Cancel on the second question: the first row has its new arrow, the others keep the old ones.
    shown = ClickAnswering(f.cmdCalcular, {IDNO, IDCANCEL, IDOK});
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].text, kAborted);
    EXPECT_EQ(std::vector<Relation>({f.Relacao(0), f.Relacao(1), f.Relacao(2)}),
              std::vector<Relation>({Relation::Inverse, Relation::Direct, Relation::Direct}));

    ClickAnswering(f.cmdCalcular, {IDNO, IDNO, IDYES});
    EXPECT_EQ(f.txtValor2[2].Text(), L"10");
    EXPECT_EQ(std::vector<Relation>({f.Relacao(0), f.Relacao(1), f.Relacao(2), f.Relacao(3)}),
              std::vector<Relation>({Relation::Inverse, Relation::Inverse, Relation::None, Relation::Direct}));
}

bool HasDefaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    return size > 0;
}

// The window's image on a printed page: its marks (texts, frames, arrows: every pixel far from its
// background colour) are found on the page at one offset, the printer's margin, each within a pixel of its
// place (the page went through the printer's resolution and back).
void ExpectWindowOnPage(const rt::ClientImage& window, const rt::ClientImage& page)
{
    const auto distance = [](uint32_t a, uint32_t b) {
        int most = 0;
        for (const int shift : {0, 8, 16})
            most = std::max(most, std::abs(int(a >> shift & 255) - int(b >> shift & 255)));
        return most;
    };
    std::map<uint32_t, int> counts;
    for (const uint32_t pixel : window.pixels)
        ++counts[pixel];
    const uint32_t background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    struct Mark {
        int x, y;
        uint32_t colour;
    };
    std::vector<Mark> marks;
    for (int y = 0; y < window.height; ++y)
        for (int x = 0; x < window.width; ++x)
            if (distance(window.At(x, y), background) > 48)
                marks.push_back({x, y, window.At(x, y)});
    ASSERT_GT(marks.size(), 1000u) << "too few marks in the window for the comparison to mean much";
    const auto foundAt = [&](const Mark& mark, int left, int top) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = left + mark.x + dx;
                const int y = top + mark.y + dy;
                if (x >= 0 && y >= 0 && x < page.width && y < page.height && distance(page.At(x, y), mark.colour) <= 64)
                    return true;
            }
        return false;
    };
    const auto count = [&](int left, int top, size_t step) {
        size_t found = 0;
        for (size_t i = 0; i < marks.size(); i += step)
            found += foundAt(marks[i], left, top);
        return found;
    };
    constexpr int kMargin = 150;  // the printable area starts within an inch and a half of the paper's corner
    const size_t step = marks.size() / 300 + 1;
    int bestLeft = 0;
    int bestTop = 0;
    size_t best = 0;
    for (int top = 0; top <= kMargin; ++top)
        for (int left = 0; left <= kMargin; ++left)
            if (const size_t found = count(left, top, step); found > best) {
                best = found;
                bestLeft = left;
                bestTop = top;
            }
    const size_t found = count(bestLeft, bestTop, 1);
    EXPECT_GT(found, marks.size() * 95 / 100)
        << found << " of " << marks.size() << " marks found at " << bestLeft << ", " << bestTop;
}

// With the test set-up's PDF printer as the default: message 16, and the worked example's window on the page.
TEST_F(RegraTest, PrintingPutsTheWindowOnAPage)
{
    ASSERT_TRUE(HasDefaultPrinter()) << "no default printer: tools/printer-setup.sh provides one, CTest points here";
    frmRegra& f = Tool();
    ClickAnswering(f.cmdExemplo, std::vector<int>(9, IDOK));
    ClickAnswering(f.cmdCalcular, {IDYES, IDYES, IDYES});
    ASSERT_EQ(f.txtValor2[3].Text(), L"20");
    test::PrintedPages pages;
    const std::optional<rt::ClientImage> window = rt::CaptureClientArea(f.hWnd());
    ASSERT_TRUE(window);
    const std::vector<test::ShownDialog> shown = ClickAnswering(f.cmdImprimir, {IDOK});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Sent to printer");
    EXPECT_EQ(shown[0].style, 64);
    const std::optional<std::string> pdf = pages.WaitForNew("Plumvane");
    ASSERT_TRUE(pdf) << "no page arrived in [" << pages.Folder() << "] (PLUMVANE_PRINTED_PAGES)";
    const std::optional<rt::ClientImage> page = test::PageImage(*pdf, 96);
    DeleteFileW(test::WindowsPath(*pdf).c_str());
    ASSERT_TRUE(page) << "pdftoppm could not read " << *pdf;
    ExpectWindowOnPage(*window, *page);
}

// Without a printer (a run of its own): message 17, and the window keeps its entries instead of closing.
TEST_F(RegraTest, PrintingWithoutAPrinterKeepsTheWindowAndItsEntries)
{
    if (HasDefaultPrinter())
        GTEST_SKIP() << "a printer is the default here: the run without one checks this";
    TwoRows(L"8", L"4", L"12");
    ClickAnswering(Tool().cmdCalcular, {IDNO});
    const std::vector<test::ShownDialog> shown = ClickAnswering(Tool().cmdImprimir, {IDOK});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Printer is not responding or is not installed");
    EXPECT_EQ(shown[0].style, 16);
    EXPECT_TRUE(Tool().IsLoaded());
    EXPECT_EQ(Tool().txtValor2[1].Text(), L"24");
}

void HoldControl(bool held)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Ctrl+T on the main window opens the tool modally; Esc closes it and the next opening starts empty.
TEST(RegraFromMainWindow, CtrlTOpensItModallyAndEscClosesIt)
{
    core::Program() = core::ProgramState();
    UseSeparator(L'.');
    frmCalcula& main = rt::TheForm<frmCalcula>();
    main.Show();
    ASSERT_TRUE(test::PumpUntil([&] { return GetActiveWindow() == main.hWnd(); }));
    static std::vector<std::wstring> seen;
    static int ticks;
    for (int opening = 0; opening < 2; ++opening) {
        ticks = 0;
        SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
            if (++ticks > 250) {  // not opened as expected: end the modal loop rather than hang
                KillTimer(nullptr, id);
                Tool().Unload();
            }
            if (!Tool().IsLoaded() || !Tool().txtValor[0].HasFocus())
                return;
            KillTimer(nullptr, id);
            HoldControl(false);
            seen.push_back(L"modal " + std::to_wstring(Tool().IsModal()) + L", owner enabled " +
                           std::to_wstring(IsWindowEnabled(rt::TheForm<frmCalcula>().hWnd())) + L", [" +
                           Tool().txtValor[0].Text() + L"]");
            test::TypeText(L"5");
            PressKey(VK_ESCAPE);
        });
        HoldControl(true);
        PressKey('T');
        HoldControl(false);
        EXPECT_FALSE(Tool().IsLoaded());
    }
    EXPECT_EQ(seen, std::vector<std::wstring>(2, L"modal 1, owner enabled 0, []"));
    main.Unload();
}

TEST(QuestionMarkIcon, DrawsItsGridWithTransparentCorners)
{
    rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    rt::BitmapHandle surface(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const HGDIOBJ old = SelectObject(dc.get(), surface.get());
    const RECT all{0, 0, 32, 32};
    rt::BrushHandle magenta(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(dc.get(), &all, magenta.get());
    ASSERT_TRUE(DrawIconEx(dc.get(), 0, 0, tools::QuestionMarkIcon(), 32, 32, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(255, 0, 255));        // transparent corner
    EXPECT_EQ(GetPixel(dc.get(), 15, 8), RGB(255, 255, 255));     // the question mark
    EXPECT_EQ(GetPixel(dc.get(), 5, 15), RGB(0x3A, 0x78, 0xD0));  // the disc
    SelectObject(dc.get(), old);
}

}  // namespace
