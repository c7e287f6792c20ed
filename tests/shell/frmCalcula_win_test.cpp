#include "core/Calculation.h"
#include "core/Module1_win.h"
#include "core/ProgramState.h"
#include "core/Tape.h"
#include "runtime/Resources_win.h"
#include "runtime/Settings_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"
#include "tools/frmJuro_win.h"
#include "tools/frmPeso_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// The calculator as the program starts it: the companion form loads and shows the main window.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Each test starts from the default options, whatever an earlier run saved in this prefix.
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
        rt::SetCurrentLocale(rt::Locale::EnglishUS());
        core::ProgramState& program = core::Program();
        program = core::ProgramState();
        core::FillFromLocale(program, rt::CurrentLocale());
        program.LinhaComando = word_;
        rt::TheForm<frmSysTray>().Load();
        ASSERT_TRUE(main().IsLoaded());
        main().mnuBackup.SetChecked(false);
        SetForegroundWindow(main().hWnd());
        test::Settle();
    }
    void TearDown() override
    {
        if (rt::TheForm<frmSysTray>().IsLoaded()) rt::TheForm<frmSysTray>().Unload();
        test::Settle();
        std::error_code ignored;
        std::filesystem::remove_all(BackupPath(), ignored);
    }

    static frmCalcula& main() { return rt::TheForm<frmCalcula>(); }
    static std::filesystem::path BackupPath() { return std::filesystem::path(rt::AppPath()) / L"plumva.txt"; }
    static void Click(controls::XPButton& key)
    {
        test::ClickAt(key.hWnd(), 5, 5);
        test::Settle();
    }
    static std::wstring Line(std::wstring_view number, std::wstring_view mark) { return core::TapeLine(number, mark); }

    std::wstring word_;
};

TEST_F(MainWindowTest, TypingAndTheKeypadWriteTheSameTape)
{
    test::TypeText(L"12+30=");
    test::Settle();
    const std::wstring typed = main().txtFita.Text();
    EXPECT_EQ(typed, Line(L"12", L" +") + Line(L"30", L" =") + L" -------------------------\r\n" +
                         Line(L"42", L" T") + L" =========================\r\n");

    main().txtFita.SetText(L"");
    for (controls::XPButton* key : {&main().cmdTecla[1], &main().cmdTecla[2], &main().chkMais, &main().cmdTecla[3],
                                    &main().cmdTecla[0], &main().chkIgual})
        Click(*key);
    EXPECT_EQ(main().txtFita.Text(), typed);
    EXPECT_TRUE(main().chkIgual.Value());  // "=" shows pressed after a total

    // The total went to the clipboard.
    ASSERT_TRUE(OpenClipboard(main().hWnd()));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring clip = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(clip, L"42");
}

TEST_F(MainWindowTest, TapeLinesDoNotWrap)
{
    test::TypeText(L"12+30=");
    test::Settle();
    for (bool large : {false, true}) {
        SCOPED_TRACE(large ? "large view" : "normal view");
        if (large) main().mnuGrande.Click();
        // Five lines and the empty one after the last line end: no line is broken in two.
        EXPECT_EQ(SendMessageW(main().txtFita.hWnd(), EM_GETLINECOUNT, 0, 0), 6);
    }
    main().mnuGrande.Click();
}

TEST_F(MainWindowTest, KeysShowTheRunningCalculationAndEnterTotals)
{
    frmCalcula& calc = main();
    test::TypeText(L"12.+5*");  // the separator left at the end of "12." is not written
    test::Settle();
    EXPECT_EQ(calc.txtFita.Text(), Line(L"12", L" +") + Line(L"5", L" \u00d7"));
    EXPECT_EQ(calc.lblItens.Caption(), L"002");
    EXPECT_TRUE(calc.chkVezes.Value());  // the pending operator's key stays down
    EXPECT_FALSE(calc.chkMais.Value());

    test::TypeText(L"2");
    test::PressKey(VK_RETURN);
    test::Settle();
    EXPECT_EQ(calc.txtFita.Text(), Line(L"12", L" +") + Line(L"5", L" \u00d7") + Line(L"2", L" =") +
                                       L" -------------------------\r\n" + Line(L"34", L" T") +
                                       L" =========================\r\n");
    EXPECT_EQ(calc.lblItens.Caption(), L"000");
    EXPECT_TRUE(calc.chkIgual.Value());
    EXPECT_FALSE(calc.chkVezes.Value());

    // A tool's result written into the entry goes into the next calculation with its sign.
    calc.txtEntrada.SetText(L"-1,200.00");
    calc.txtFita.SetText(L"");
    test::TypeText(L"+3=");
    test::Settle();
    EXPECT_EQ(calc.txtFita.Text(), Line(L"-1,200.00", L" +") + Line(L"3", L" =") + L" -------------------------\r\n" +
                                       Line(L"-1197", L" T") + L" =========================\r\n");
}

TEST_F(MainWindowTest, ToolPreparationClosesTheRunningCalculationOnce)
{
    test::TypeText(L"5+");
    test::Settle();
    main().PreparaFerramenta();
    EXPECT_TRUE(core::TapeIsClosed(main().txtFita.Text()));
    const std::wstring closed = main().txtFita.Text();
    main().PreparaFerramenta();  // nothing entered since: no second block
    EXPECT_EQ(main().txtFita.Text(), closed);
    EXPECT_FALSE(main().chkIgual.Value());
}

TEST_F(MainWindowTest, ClearingWithoutBackupWritesAClosedHeader)
{
    test::TypeText(L"7+");
    test::Settle();
    main().mnuLimpar_Click();
    const std::wstring tape = main().txtFita.Text();
    EXPECT_EQ(tape.size(), 28u);
    EXPECT_TRUE(core::TapeIsClosed(tape));
    EXPECT_EQ(main().lblItens.Caption(), L"000");
    EXPECT_FALSE(std::filesystem::exists(BackupPath()));
}

TEST_F(MainWindowTest, ClearingWithBackupAppendsTheWholeTape)
{
    main().mnuBackup.SetChecked(true);
    std::wstring big;
    for (int i = 0; i < 4000; ++i) big += Line(std::to_wstring(i), L" +");
    test::TypeText(L"2*3=");
    test::Settle();
    main().txtFita.SetText(main().txtFita.Text() + big);
    const std::wstring first = main().txtFita.Text();
    main().mnuLimpar_Click();
    main().txtFita.SetText(main().txtFita.Text() + L"second\r\n");
    const std::wstring second = main().txtFita.Text();
    main().mnuLimpar_Click();

    std::ifstream file(BackupPath(), std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string content = bytes.str();
    const std::string firstUtf8 = core::ToUtf8(first);
    const std::string secondUtf8 = core::ToUtf8(second);
    const size_t at = content.find(firstUtf8);
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(content.find(secondUtf8, at + firstUtf8.size()), std::string::npos);
    EXPECT_NE(content.find("\xC3\x97"), std::string::npos);  // the "×" mark survives
}

TEST_F(MainWindowTest, AnUnwritableBackupKeepsTheTape)
{
    main().mnuBackup.SetChecked(true);
    std::filesystem::create_directory(BackupPath());  // a folder where the file should be
    test::TypeText(L"4+4=");
    test::Settle();
    const std::wstring tape = main().txtFita.Text();
    test::DialogScript script;
    script.Answer(IDOK);
    main().mnuLimpar_Click();
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_NE(script.Shown()[0].text.find(L"plumva.txt"), std::wstring::npos);
    EXPECT_EQ(script.Shown()[0].style, 48);
    EXPECT_EQ(main().txtFita.Text(), tape);
}

// Run by tests/shell/BackupDevices.sh, which copies this program beside a plumva.txt that links to an always-full
// device ("full") or into a file system too small for the record ("small"); skipped when run on its own.
TEST_F(MainWindowTest, ABackupThatDoesNotFitKeepsTheTapeAndTheFile)
{
    wchar_t device[16] = {};
    if (!GetEnvironmentVariableW(L"PLUMVANE_BACKUP_DEVICE", device, 16)) GTEST_SKIP() << "needs BackupDevices.sh";
    const bool small = std::wstring(device) == L"small";
    auto content = [] {
        std::ifstream file(BackupPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string before = small ? content() : "";
    main().mnuBackup.SetChecked(true);
    std::wstring tape;
    for (int i = 0; i < (small ? 4000 : 1); ++i) tape += Line(std::to_wstring(i), L" +");
    main().txtFita.SetText(tape);
    test::DialogScript script;
    script.Answer(IDOK);
    main().mnuLimpar_Click();
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, Module1::CarregaMensagem(901, rt::AppPath() + L"plumva.txt"));
    EXPECT_EQ(main().txtFita.Text(), tape);
    if (small) {
        EXPECT_TRUE(content() == before) << "the file now holds " << content().size() << " bytes, not "
                                         << before.size();
    }
}

TEST_F(MainWindowTest, ClosingTheMainWindowIsTheProgramsExit)
{
    PostMessageW(main().hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(test::PumpUntil([] { return !rt::TheForm<frmSysTray>().IsLoaded(); }));
    EXPECT_FALSE(main().IsLoaded());
    EXPECT_EQ(core::Program().Fechando, -1);
}

TEST_F(MainWindowTest, MenuIconsAreRestoredAndNeverShown)
{
    EXPECT_EQ(main().Image1.ImageCount(), 47);
    const HIMAGELIST handle = main().Image1;
    EXPECT_NE(handle, nullptr);
    EXPECT_FALSE(IsWindowVisible(main().Image1.hWnd()));
}

// The controls never seen at run time are made at the size they keep: not made at a default size and then moved
// and drawn once more while the program starts.
TEST_F(MainWindowTest, HiddenControlsAreMadeAtTheirOwnSize)
{
    static std::vector<std::pair<const void*, SIZE>> made;
    made.clear();
    const auto record = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            made.push_back({create.lpCreateParams, SIZE{create.cx, create.cy}});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    };
    rt::TheForm<frmSysTray>().Unload();
    test::Settle();
    HHOOK hook = SetWindowsHookExW(WH_CBT, record, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    rt::TheForm<frmSysTray>().Load();
    UnhookWindowsHookEx(hook);
    test::Settle();
    const std::pair<const rt::Control*, int> expected[] = {{&main().Image1, 36}, {&main().PopMenu1, 40}};
    for (const auto& [control, side] : expected) {
        SCOPED_TRACE(control->Name());
        const auto found = std::find_if(made.begin(), made.end(), [&](const auto& m) { return m.first == control; });
        ASSERT_NE(found, made.end());
        EXPECT_EQ(found->second.cx, side);
        EXPECT_EQ(found->second.cy, side);
        RECT now{};
        GetClientRect(control->hWnd(), &now);
        EXPECT_EQ(now.right, side);  // and kept
    }
}

TEST_F(MainWindowTest, LargeViewWidensTheWindow)
{
    EXPECT_EQ(main().Width(), 3300);
    main().mnuGrande.Click();
    EXPECT_TRUE(main().mnuGrande.Checked());
    EXPECT_EQ(main().Width(), 5220);
    EXPECT_GT(main().chkIgual.Width(), 1000);
    main().mnuGrande.Click();
    EXPECT_EQ(main().Width(), 3300);
}

// The large view kept from the last run is laid out before the windows are made: it must come out as the menu
// item lays it out on the open window.
TEST_F(MainWindowTest, LargeViewKeptFromTheLastRunOpensAsTheMenuItemLaysItOut)
{
    const auto look = [] {
        frmCalcula& calc = main();
        return std::vector<double>{double(calc.Width()),           double(calc.Height()),
                                   double(calc.chkIgual.Left()),   double(calc.chkIgual.Top()),
                                   double(calc.chkIgual.Width()),  double(calc.chkIgual.Height()),
                                   double(calc.txtFita.Height()),  calc.txtFita.Font().size,
                                   calc.lblVisor.Font().size,      double(calc.cmdTecla[0].FontSize())};
    };
    main().mnuGrande.Click();
    test::Settle();
    const std::vector<double> large = look();
    rt::TheForm<frmSysTray>().Unload();  // the exit stores the option
    test::Settle();
    rt::TheForm<frmSysTray>().Load();
    test::Settle();
    EXPECT_TRUE(main().mnuGrande.Checked());
    EXPECT_EQ(look(), large);
    main().mnuGrande.Click();
}

// The start-up word opens its tool modally at the main window's first activation; the tool is closed again
// from a timer callback, which runs inside the tool's modal loop.
template <class Tool>
class StartupWordTest : public MainWindowTest {
protected:
    static void CALLBACK CloseTool(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!rt::TheForm<Tool>().IsLoaded()) return;
        opened_ = true;
        rt::TheForm<Tool>().Unload();
    }
    void SetUp() override {}
    void Run(const wchar_t* word)
    {
        opened_ = false;
        word_ = word;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CloseTool);
        MainWindowTest::SetUp();
        EXPECT_TRUE(test::PumpUntil([] { return opened_; }));
        KillTimer(nullptr, timer);
        EXPECT_TRUE(core::Program().LinhaComando.empty());  // used up: the next activation opens nothing
    }
    static inline bool opened_ = false;
};

using PesoWordTest = StartupWordTest<frmPeso>;
TEST_F(PesoWordTest, OpensTheWeightTool) { Run(L"peso"); }

using JuroWordTest = StartupWordTest<frmJuro>;
TEST_F(JuroWordTest, OpensTheInterestTool) { Run(L"juro"); }

// Windows ends the session by sending its two messages to every top-level window of the program in turn.
BOOL CALLBACK EndSessionOf(HWND hwnd, LPARAM)
{
    if (SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF))
        SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    return TRUE;
}

// Log-off while the weight tool, opened by its start-up word, shows a result in its modal loop.
class SessionEndTest : public StartupWordTest<frmPeso> {
protected:
    static void CALLBACK LogOff(HWND, UINT, UINT_PTR, DWORD)
    {
        frmPeso& tool = rt::TheForm<frmPeso>();
        if (!tool.IsLoaded() || (!opened_ && !tool.txtAltura.HasFocus())) return;  // shown and ready for typing
        if (opened_) {
            tool.Unload();  // the session's end left the tool open: end its modal loop, the test fails below
            return;
        }
        opened_ = true;
        tool.txtAltura.SetText(L"175");
        tool.txtPeso.SetText(L"70");
        tool.Option1.SetValue(true);  // the man's option: the result the tool writes when it closes
        rt::TheForm<frmCalcula>().mnuBackup.SetChecked(true);  // an option that differs from its default
        EnumThreadWindows(GetCurrentThreadId(), &EndSessionOf, 0);
        tape_ = rt::TheForm<frmCalcula>().txtFita.Text();  // as the exit left it, before the windows go
    }
    static inline std::wstring tape_;
};

TEST_F(SessionEndTest, RunsTheExitOnceWithTheToolsBlockAndStoresTheOptions)
{
    opened_ = false;
    word_ = L"peso";
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &LogOff);
    MainWindowTest::SetUp();
    EXPECT_TRUE(test::PumpUntil([] { return !rt::TheForm<frmSysTray>().IsLoaded(); }));
    KillTimer(nullptr, timer);
    EXPECT_FALSE(main().IsLoaded());
    EXPECT_FALSE(rt::TheForm<frmPeso>().IsLoaded());
    const std::wstring tape = tape_;
    const size_t block = tape.find(L"WEIGHT CALC.");
    ASSERT_NE(block, std::wstring::npos) << tape;
    EXPECT_EQ(tape.find(L"WEIGHT CALC.", block + 1), std::wstring::npos) << tape;
    EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", L"Backup", L""), L"True");
}

class AuxiliaryCopyTest : public MainWindowTest {
protected:
    AuxiliaryCopyTest() { word_ = L"outra"; }
};

TEST_F(AuxiliaryCopyTest, IsTitledAuxAndSavesNoSettings)
{
    EXPECT_EQ(rt::TheForm<frmSysTray>().Tag(), L"2");
    EXPECT_EQ(main().Caption(), L"Plumvane [Aux]");
    main().mnuVisivel.Click();
    EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", L"Visivel", L"absent"), L"absent");
    rt::TheForm<frmSysTray>().Unload();
    EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", L"Visivel", L"absent"), L"absent");
}

TEST_F(MainWindowTest, FirstCopySavesItsOptionsOnExit)
{
    EXPECT_TRUE(main().mnuVisivel.Checked());  // the defaults: always on top, XP menus
    EXPECT_TRUE(main().mnuMenuXP.Checked());
    main().mnuVisivel.SetChecked(false);
    rt::TheForm<frmSysTray>().Unload();
    EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", L"Visivel", L""), L"False");
    EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", L"MenuXP", L""), L"True");
    rt::TheForm<frmSysTray>().Load();
    EXPECT_FALSE(main().mnuVisivel.Checked());
}

TEST_F(MainWindowTest, DisplayFollowsEveryWriteOfTheEntry)
{
    frmCalcula& calc = main();
    test::TypeText(L"45");
    test::Settle();
    EXPECT_EQ(calc.lblVisor.Caption(), L"45");  // typed
    test::TypeText(L"+5");
    test::Settle();
    EXPECT_EQ(calc.lblVisor.Caption(), L"5");
    test::TypeText(L"+");
    test::Settle();
    EXPECT_EQ(calc.lblVisor.Caption(), L"50");  // after an operator: the running total
    calc.LimpaTudo();
    calc.txtEntrada.SetText(L"1,200.00");  // a tool's result
    EXPECT_EQ(calc.lblVisor.Caption(), L"1,200.00");
}

// The first character of the tape's last line stands inside the box.
bool TapeEndInView()
{
    const rt::TextBox& tape = rt::TheForm<frmCalcula>().txtFita;
    const int last = tape.TextLength() - 28;
    const LRESULT at = SendMessageW(tape.hWnd(), EM_POSFROMCHAR, static_cast<WPARAM>(last), 0);
    RECT client{};
    GetClientRect(tape.hWnd(), &client);
    const int y = static_cast<short>(HIWORD(at));
    return at != -1 && y >= 0 && y < client.bottom;
}

TEST_F(MainWindowTest, EveryWriteLeavesTheTapesEndInView)
{
    frmCalcula& calc = main();
    std::wstring block;
    for (int i = 0; i < 200; ++i) block += Line(std::to_wstring(i), L" +");
    // A tool's way: the whole text assigned in one write.
    calc.txtFita.SetText(calc.txtFita.Text() + block);
    test::Settle();
    EXPECT_TRUE(TapeEndInView());
    // Keys append after the user scrolled back to the start.
    SendMessageW(calc.txtFita.hWnd(), EM_SETSEL, 0, 0);
    SendMessageW(calc.txtFita.hWnd(), WM_VSCROLL, SB_TOP, 0);
    test::TypeText(L"7+");
    test::Settle();
    EXPECT_TRUE(TapeEndInView());
}

TEST_F(MainWindowTest, ChangingTheViewLeavesTheTapesEndInView)
{
    for (int i = 0; i < 60; ++i) test::TypeText(L"1+");
    test::Settle();
    ASSERT_TRUE(TapeEndInView());
    for (const char* view : {"large view", "normal view again"}) {
        SCOPED_TRACE(view);
        main().mnuGrande.Click();  // a new size and a new font for the tape
        test::Settle();
        EXPECT_TRUE(TapeEndInView());
    }
}

TEST_F(MainWindowTest, OptionsAreStoredWhenTheyChange)
{
    // The tools read the options while the program runs: each is in the store as soon as its item is clicked.
    for (rt::Menu* option : {&main().mnuVisivel, &main().mnuGrande, &main().mnuBackup}) {
        SCOPED_TRACE(std::string(option->Name().begin(), option->Name().end()));
        const bool before = option->Checked();
        option->Click();
        const std::wstring key = option == &main().mnuVisivel ? L"Visivel"
                                 : option == &main().mnuGrande ? L"Grande"
                                                               : L"Backup";
        EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", key, L""), before ? L"False" : L"True");
        option->Click();
        EXPECT_EQ(rt::GetSetting(L"Plumva", L"Conf", key, L""), before ? L"True" : L"False");
    }
}

}  // namespace
