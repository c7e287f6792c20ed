#include "startup/Main_win.h"

#include "core/ProgramState.h"
#include "runtime/Locale.h"
#include "runtime/LocaleFromSystem_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct Seen {
    bool ran = false;
    std::wstring tag;
    bool mainShown = false;
    wchar_t separator = 0;
    std::wstring dateFormat;
    std::wstring caption;
};
Seen seen;

// Runs once the program's message loop turns: looks at what start-up left, then closes the calculator,
// which is the program's exit.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    frmCalcula& main = rt::TheForm<frmCalcula>();
    seen.ran = true;
    seen.tag = rt::TheForm<frmSysTray>().Tag();
    seen.mainShown = main.IsLoaded() && IsWindowVisible(main.hWnd());
    seen.separator = core::Program().SeparadorDecimal;
    seen.dateFormat = core::Program().FormatoData;
    seen.caption = main.Caption();
    if (main.IsLoaded()) PostMessageW(main.hWnd(), WM_CLOSE, 0, 0);
}

// The program started as an extra calculator ("outra", in any case and quoted), which keeps no settings.
TEST(Main, StartsFromTheCommandWordAndTheSystemLocaleAndEndsWithTheCalculator)
{
    SetTimer(nullptr, 0, 50, &LookAndClose);
    EXPECT_EQ(Main(L" \"OUTRA\" more words"), 0);
    ASSERT_TRUE(seen.ran);
    EXPECT_EQ(seen.tag, L"2");
    EXPECT_TRUE(seen.mainShown);
    EXPECT_EQ(seen.caption, L"Plumvane [Aux]");
    const rt::Locale system = rt::SystemLocale();
    EXPECT_EQ(seen.separator, system.decimalSeparator == L',' ? L',' : L'.');
    EXPECT_EQ(seen.dateFormat, system.dateOrder == rt::DateOrder::MonthDayYear ? L"mm/dd/yyyy" : L"dd/mm/yyyy");
    EXPECT_EQ(core::Program().QuebraDupla, L"\r\n\r\n");
    EXPECT_FALSE(rt::TheForm<frmSysTray>().IsLoaded());
    EXPECT_FALSE(rt::TheForm<frmCalcula>().IsLoaded());
}

}  // namespace
