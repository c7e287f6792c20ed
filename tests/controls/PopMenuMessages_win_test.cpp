// The menu control on its host's real menu messages: menus opened with the keyboard and the mouse, driven from
// the host's idle message WM_ENTERIDLE as a user would drive them.
#include "controls/MSubclass_win.h"
#include "controls/PopMenu_win.h"
#include "controls/SubclassTable.h"
#include "core/ProgramState.h"
#include "runtime/ErrorState.h"
#include "runtime/Form_win.h"
#include "runtime/Menu_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Settings_win.h"
#include "startup/frmSysTray_win.h"
#include "support/FormDriver_win.h"
#include "support/MenuForm_win.h"
#include "support/MenuScript_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

using controls::PopMenu;
using test::CentreOf;
using test::ClickScreen;
using test::InMenu;

namespace {

// The subclassing module's count property on `host`: it is there while any hook holds the window.
bool Hooked(HWND host)
{
    return GetPropA(host, controls::AttachmentCountName(host).c_str()) != nullptr;
}

// The menu control's events and the host's own menu handlers write to one log.
class HostForm : public test::MenuForm {
public:
    HostForm() : test::MenuForm(true)
    {
        mnuLimpar.Click = [this] { log.push_back(L"host Clear"); };
        mnuImprimir[1].Click = [this] { log.push_back(L"host To port"); };
        PopMenu1.Click = [this](int& n) { log.push_back(L"Click " + std::to_wstring(n)); };
        PopMenu1.SystemMenuClick = [this](long& c) { log.push_back(L"SystemMenuClick " + std::to_wstring(c)); };
        PopMenu1.ItemHighlight = [this](int& n, bool& enabled, bool& separator) {
            log.push_back(L"ItemHighlight " + std::to_wstring(n) + (enabled ? L"" : L" disabled") +
                          (separator ? L" separator" : L""));
        };
        PopMenu1.SystemMenuItemHighlight = [this](long& c, bool&, bool&) {
            log.push_back(L"SystemMenuItemHighlight " + std::to_wstring(c));
        };
        PopMenu1.MenuExit = [this] { log.push_back(L"MenuExit"); };
        PopMenu1.InitPopupMenu = [this](int& n) { log.push_back(L"InitPopupMenu " + std::to_wstring(n)); };
        PopMenu1.WinIniChange = [this] { log.push_back(L"WinIniChange"); };
        PopMenu1.NewMDIMenu = [this] { log.push_back(L"NewMDIMenu"); };
    }
    std::vector<std::wstring> log;
};

struct PopMenuMessages : testing::Test {
    void SetUp() override
    {
        core::Program() = core::ProgramState();
        ASSERT_TRUE(form.Load());
        form.Show();
        SetForegroundWindow(form.hWnd());
        test::Settle();
        ASSERT_TRUE(pop.Hooked());
        controls::SubclassAttach(idle, form.hWnd(), WM_ENTERIDLE);
        form.log.clear();
        rt::Err().Clear();
    }
    void TearDown() override
    {
        controls::SubclassDetach(idle, form.hWnd(), WM_ENTERIDLE);
        form.Unload();
        test::Settle();
    }
    void Hook(bool bar = false)
    {
        pop.SubClassMenu(&form, bar);
        form.log.clear();
    }
    // Runs the script to its end and the menu loop to its close.
    void Run()
    {
        // A menu the script could not close is closed after 3 s, and the test fails.
        const UINT_PTR timer = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
        EXPECT_TRUE(test::PumpUntil([this] { return idle.steps.empty() && !InMenu(); })) << Log();
        KillTimer(nullptr, timer);
        EXPECT_TRUE(idle.steps.empty()) << "steps left: " << idle.steps.size() << ": " << Log();
        idle.steps.clear();
        test::Settle();
    }
    std::wstring Log() const
    {
        std::wstring all;
        for (const std::wstring& line : form.log)
            all += line + L"; ";
        return all;
    }
    // The index of `line` in the log, or -1.
    int At(const std::wstring& line) const
    {
        const auto found = std::find(form.log.begin(), form.log.end(), line);
        return found == form.log.end() ? -1 : static_cast<int>(found - form.log.begin());
    }
    // The host's handler ran, the control's Click right after it, and the menu closed once; where the host's is.
    int ExpectHostThenClick(const std::wstring& host, const std::wstring& click) const
    {
        const int at = At(host);
        EXPECT_GE(at, 0) << Log();
        EXPECT_EQ(At(click), at + 1) << Log();
        EXPECT_EQ(std::ranges::count(form.log, L"MenuExit"), 1) << Log();
        return at;
    }

    HostForm form;
    PopMenu& pop = form.PopMenu1;
    test::IdleScript idle;
};

TEST_F(PopMenuMessages, AltAndAccessKeysOpenAndRunTheItemHostHandlerFirstThenOneMenuExit)
{
    Hook();
    idle.steps.push_back([] { test::SendKeys({'C'}); });  // runs only once Alt+F has opened File
    test::SendKeys({VK_MENU, 'F'});
    Run();
    // File is reported by its position: its own record, never an exit while the menu is open.
    EXPECT_EQ(At(L"ItemHighlight 1"), 0) << Log();
    EXPECT_GE(At(L"InitPopupMenu 1"), 0) << Log();
    EXPECT_LT(At(L"MenuExit"), ExpectHostThenClick(L"host Clear", L"Click 2")) << "closed before the command ran";
}

// An icon list given as a way to get it is asked for when a popup first opens, not while the bar is drawn, and
// the rows measured from then on fit its icons.
TEST_F(PopMenuMessages, AnIconListGivenAsASourceIsTakenWhenAPopupFirstOpens)
{
    HIMAGELIST list = ImageList_Create(24, 24, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_TRUE(ImageList_SetImageCount(list, 1));
    int asked = 0;
    pop.SetImageListSource([&] {
        ++asked;
        return list;
    });
    Hook();
    RedrawWindow(form.hWnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);  // the bar
    test::Settle();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(pop.IconHeight(), 16);
    for (int open = 0; open < 2; ++open) {
        idle.steps.push_back([] { EndMenu(); });
        test::SendKeys({VK_MENU, 'F'});
        Run();
        EXPECT_GE(At(L"InitPopupMenu 1"), 0) << Log();
        EXPECT_EQ(asked, 1);
    }
    EXPECT_EQ(pop.ImageList(), list);
    EXPECT_EQ(pop.IconHeight(), 24);
    EXPECT_EQ(pop.ItemHeight(), 30);
    pop.SetImageList(nullptr);
    ImageList_Destroy(list);
}

TEST_F(PopMenuMessages, AnUnknownLetterIsRefusedAndTheMenuStaysOpen)
{
    Hook();
    bool stillOpen = false;
    idle.steps.push_back([] { test::SendKeys({'Q'}); });
    idle.steps.push_back([&] {
        stillOpen = InMenu();
        EndMenu();
    });
    test::SendKeys({VK_MENU, 'T'});
    Run();
    EXPECT_TRUE(stillOpen) << Log();
    EXPECT_EQ(At(L"InitPopupMenu 8"), 1) << Log();
    for (const std::wstring& line : form.log)
        EXPECT_FALSE(line.starts_with(L"Click")) << Log();
}

TEST_F(PopMenuMessages, MouseOpensASubmenuHighlightsTheSeparatorAndRunsTheItem)
{
    Hook();
    const HWND host = form.hWnd();
    const HMENU file = form.mnuArquivo.Popup();
    const HMENU print = form.mnuImprimirMenu.Popup();
    idle.steps.push_back([&] { ClickScreen(CentreOf(host, file, 1)); });      // Print
    idle.steps.push_back([&] { SetCursorPos(CentreOf(host, file, 2).x, CentreOf(host, file, 2).y); });  // separator
    idle.steps.push_back([&] { ClickScreen(CentreOf(host, file, 1)); });
    idle.steps.push_back([&] { ClickScreen(CentreOf(host, print, 1)); });     // To port
    ClickScreen(CentreOf(host, GetMenu(host), 0));
    Run();
    EXPECT_GE(At(L"InitPopupMenu 3"), 0) << Log();
    EXPECT_GE(At(L"ItemHighlight 3"), 0) << "Print, by its position: " << Log();
    EXPECT_GE(At(L"ItemHighlight 6 separator"), 0) << Log();
    ExpectHostThenClick(L"host To port", L"Click 5");
}

TEST_F(PopMenuMessages, TheWindowMenuGetsTheHostsAnswersAndItsCommandsAfterTheHost)
{
    Hook();
    // The host's own procedure closes the window menu on any letter: the control passes its answer on.
    const HWND host = form.hWnd();
    controls::SubclassDetachAll(pop);
    controls::SubclassDetachAll(idle);
    static WNDPROC formProc = nullptr;
    formProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_MENUCHAR && (HIWORD(wParam) & MF_SYSMENU))
                return MAKELRESULT(0, MNC_CLOSE);
            return CallWindowProcW(formProc, hwnd, message, wParam, lParam);
        })));
    pop.AttachMessages(host);
    controls::SubclassAttach(idle, host, WM_ENTERIDLE);
    const HMENU windowMenu = GetSystemMenu(host, FALSE);
    ASSERT_NE(windowMenu, nullptr);
    EXPECT_EQ(SendMessageW(host, WM_MENUCHAR, MAKEWPARAM(L'f', MF_SYSMENU | MF_POPUP),
                           reinterpret_cast<LPARAM>(windowMenu)),
              MAKELRESULT(0, MNC_CLOSE));

    idle.steps.push_back([] {
        test::SendKeys({VK_ESCAPE});  // back to the bar
        test::SendKeys({VK_ESCAPE});
    });
    test::SendKeys({VK_MENU, VK_SPACE});
    Run();
    EXPECT_GE(At(L"SystemMenuItemHighlight " + std::to_wstring(SC_RESTORE)), 0) << Log();
    EXPECT_EQ(At(L"SystemMenuClick " + std::to_wstring(SC_KEYMENU)), static_cast<int>(form.log.size()) - 1) << Log();

    // A window-menu command: the host carries it out first (Minimize), then the control hears it.
    form.log.clear();
    SendMessageW(form.hWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(form.hWnd()));
    EXPECT_EQ(Log(), L"SystemMenuClick " + std::to_wstring(SC_MINIMIZE) + L"; ");
    SendMessageW(form.hWnd(), WM_COMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(Log(), L"SystemMenuClick " + std::to_wstring(SC_MINIMIZE) + L"; ") << "no Click for it";
}

TEST_F(PopMenuMessages, ASettingChangeRebuildsOnceAndKeepsThePlainBarsTexts)
{
    Hook(true);
    SendMessageW(form.hWnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(Log(), L"WinIniChange; ");
    wchar_t text[32] = {};
    for (const auto& [position, caption] : {std::pair{0u, L"&File"}, {1u, L"&Tools"}}) {
        GetMenuStringW(GetMenu(form.hWnd()), position, text, 32, MF_BYPOSITION);
        EXPECT_STREQ(text, caption);
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoW(form.mnuArquivo.Popup(), 0, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, 2u);
}

TEST_F(PopMenuMessages, TheMdiStoreSwapsTwoFrameMenusAndStartsANewOneEmpty)
{
    CLIENTCREATESTRUCT create{};
    const HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 100, 100,
                                        form.hWnd(), nullptr, GetModuleHandleW(nullptr), &create);
    ASSERT_NE(client, nullptr);
    Hook();
    const HMENU first = GetMenu(form.hWnd());
    const std::vector<controls::MenuItemRecord> firstRecords = pop.Items().Records();
    const HMENU second = CreateMenu();
    AppendMenuW(second, MF_STRING, 500, L"&Window");

    SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(second), 0);
    EXPECT_EQ(Log(), L"NewMDIMenu; ");
    EXPECT_EQ(pop.Items().Count(), 0);
    EXPECT_EQ(GetMenu(form.hWnd()), second) << "the client still sets the frame menu itself";
    pop.SubClassMenu();
    ASSERT_EQ(pop.Items().Count(), 1);
    const std::vector<controls::MenuItemRecord> secondRecords = pop.Items().Records();

    EXPECT_EQ(SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(first), 0),
              reinterpret_cast<LRESULT>(second)) << "the client's own answer";
    EXPECT_EQ(pop.Items().Records(), firstRecords);
    SendMessageW(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(second), 0);
    EXPECT_EQ(pop.Items().Records(), secondRecords);
    SendMessageW(client, WM_MDISETMENU, 0, 0);
    EXPECT_EQ(pop.Items().Records(), secondRecords);
    EXPECT_EQ(Log(), L"NewMDIMenu; ");
    EXPECT_EQ(pop.MdiMenus().StoredSets(), 2);
    SetMenu(form.hWnd(), first);
    DestroyMenu(second);
    DestroyWindow(client);
}

TEST_F(PopMenuMessages, AControlEndingBeforeItsHostLetsGoOfItAndOfItsDrawingObjects)
{
    Hook();
    controls::SubclassDetach(idle, form.hWnd(), WM_ENTERIDLE);
    // Drawing an item makes every drawing object there is.
    SendMessageW(form.hWnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_TRUE(pop.HoldsDrawingObjects());
    const HWND host = form.hWnd();
    EXPECT_TRUE(Hooked(host));

    DestroyWindow(pop.hWnd());
    EXPECT_FALSE(pop.Hooked());
    EXPECT_FALSE(pop.HoldsDrawingObjects());
    EXPECT_FALSE(Hooked(host)) << "the host has its own procedure back";
    form.log.clear();
    SendMessageW(host, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageW(host, WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(Log(), L"");
}

// A control loaded with `bag` on a host of its own.
struct PlainForm : rt::Form {
    PlainForm() { Add(PopMenu1, {L"PopMenu1"}); }
    PopMenu PopMenu1;
    rt::PropertyBag bag{{L"OfficeXpStyle", true}};

protected:
    void Design() override { PopMenu1.SetDesignProperties(bag); }
};

TEST(PopMenuLife, TheMenusStayPlainInAnExtraCopyWithTheOptionOffOrStartedMini)
{
    const struct {
        const wchar_t* tag;
        const wchar_t* menuXp;
        const wchar_t* word;
        bool hooked;
    } cases[] = {
        {L"1", L"True", L"", true}, {L"2", L"True", L"", false}, {L"1", L"False", L"", false},
        {L"1", L"True", L"mini", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.tag) + L" " + c.menuXp + L" " + c.word);
        rt::TheForm<frmSysTray>().SetTag(c.tag);
        rt::SaveSetting(L"Plumva", L"Conf", L"MenuXP", c.menuXp);
        core::Program().LinhaComando = c.word;
        PlainForm form;
        ASSERT_TRUE(form.Load());
        EXPECT_EQ(form.PopMenu1.Hooked(), c.hooked);
        EXPECT_EQ(Hooked(form.hWnd()), c.hooked);
        form.Unload();
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva\\Conf", L"MenuXP");
    rt::TheForm<frmSysTray>().SetTag(L"");
    core::Program().LinhaComando.clear();
}

TEST(PopMenuLife, PropertiesPersistWithTheirDefaultsAndTheBoxStays40PixelsSquare)
{
    const rt::PropertyBag main{{L"OfficeXpStyle", true},
                               {L"ActiveMenuForeColor", 0},
                               {L"InActiveMenuForeColor", 0},
                               {L"MenuBackgroundColor", 0xFFFFFF},
                               {L"Font", rt::StdFont{.name = L"Tahoma", .size = 8.25}}};
    PlainForm form;
    form.bag = main;
    ASSERT_TRUE(form.Load());
    PopMenu& pop = form.PopMenu1;
    EXPECT_EQ(pop.SaveProperties(), main);
    EXPECT_FALSE(IsWindowVisible(pop.hWnd())) << "nothing of it shows at run time";
    pop.Move(0, 0, 5000, 100);
    EXPECT_EQ(pop.Width(), 40 * rt::Screen::TwipsPerPixelX());
    EXPECT_EQ(pop.Height(), 40 * rt::Screen::TwipsPerPixelY());
    form.Unload();

    // Absent keys read as their defaults: the classic look, unset colours; only the font is written back.
    form.bag = {};
    ASSERT_TRUE(form.Load());
    EXPECT_FALSE(pop.OfficeXpStyle());
    EXPECT_EQ(pop.MenuBackgroundColor(), 0x80000004u);
    const rt::PropertyBag saved = pop.SaveProperties();
    ASSERT_EQ(saved.Entries().size(), 1u);
    EXPECT_EQ(saved.Entries()[0].first, L"Font");
    form.Unload();
}

}  // namespace
