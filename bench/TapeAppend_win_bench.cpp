// Cost of appending one calculator line to a tape of about 1,000,000 characters, through the keys a user
// types, on the real main window.
#include "core/Calculation.h"
#include "core/ProgramState.h"
#include "runtime/Form_win.h"
#include "shell/frmCalcula_win.h"
#include "startup/frmSysTray_win.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    rt::SetCurrentLocale(rt::Locale::EnglishUS());
    core::FillFromLocale(core::Program(), rt::CurrentLocale());
    rt::TheForm<frmSysTray>().Load();
    frmCalcula& calc = rt::TheForm<frmCalcula>();
    std::wstring tape;
    while (tape.size() < 1000000) tape += core::TapeLine(std::to_wstring(tape.size()), L" +");
    calc.txtFita.SetText(tape);

    std::vector<double> samples;
    for (int i = 0; i < 50; ++i) {
        int digit = '7';
        int plus = '+';
        calc.Form_KeyPress(digit);
        const auto start = std::chrono::steady_clock::now();
        calc.Form_KeyPress(plus);  // writes one line to the tape
        samples.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    std::printf("append one line to a %zu-character tape: median %.3f ms, worst %.3f ms\n", calc.txtFita.Text().size(),
                samples[samples.size() / 2], samples.back());
    rt::TheForm<frmSysTray>().Unload();
    return 0;
}
