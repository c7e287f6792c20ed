#include "core/Module1_win.h"

#include "core/ProgramState.h"
#include "runtime/Format.h"
#include "runtime/Resources_win.h"
#include "runtime/Strings.h"

#include <windows.h>

namespace Module1 {

std::wstring CarregaMensagem(int n, std::wstring_view first, std::wstring_view second, std::wstring_view third)
{
    // Resource numbers carry the message-language digit: message 33 is resource 332.
    return rt::ExpandMessage(rt::LoadResString(n * 10 + core::Program().DigitoIdioma), first, second, third);
}

std::wstring FormataValor(std::wstring_view value) { return rt::FormatMoney(value); }

std::wstring FormataValor(double value) { return rt::FormatMoney(value); }

void LigaNumLock(bool alwaysOn)
{
    if (!alwaysOn) return;
    if (GetKeyState(VK_NUMLOCK) & 1) return;
    keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    core::Program().NumLockLigado = true;
}

}  // namespace Module1
