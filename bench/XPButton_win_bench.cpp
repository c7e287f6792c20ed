// Time of a full redraw of a 75 x 25 pixel button (face, frame, raised caption) on its drawing image, as the
// keypad's buttons are drawn. Prints microseconds per redraw; asserts nothing.
#include "MedianTiming_win.h"
#include "controls/XPButton_win.h"
#include "runtime/App_win.h"
#include "runtime/Form_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class BenchForm : public rt::Form {
public:
    BenchForm() { Add(cmdTotal, {L"cmdTotal", std::nullopt}); }
    controls::XPButton cmdTotal;

protected:
    void Design() override
    {
        SetClientSize(3000, 1500);
        SetFont(rt::StdFont{L"Tahoma", 8.25, true});
        cmdTotal.Move(150, 150, 75 * 15, 25 * 15);
        cmdTotal.SetDesignProperties({{L"TX", L"&Total"}, {L"BCOL", 0xE0E0E0}, {L"FX", 1}});
    }
};

// Median over rounds of the time per call of `redraw`, in microseconds; the invalidated window repaints between
// rounds.
template <class F> double MedianMicroseconds(F redraw)
{
    return ::MedianMicroseconds(15, 400, [&](int) { redraw(); }, [] { rt::DoEvents(); });
}

}  // namespace

int main()
{
    BenchForm form;
    form.Show();
    rt::DoEvents();
    controls::XPButton& button = form.cmdTotal;
    const double forced = MedianMicroseconds([&] {
        button.SetShowFocusRect(true);  // stores, then redraws in the last state, forced
        button.ClearPropertyChanges();
    });
    const double refresh = MedianMicroseconds([&] { button.Refresh(); });  // also recolours and measures the caption
    std::printf("XPButton 75x25 full redraw (face, frame, raised caption): %.1f us\n", forced);
    std::printf("XPButton 75x25 Refresh (colours, caption layout, redraw): %.1f us\n", refresh);
    form.Unload();
    return 0;
}
