// A window with rows of buttons in each look, for looking at them on a screen: up, down, hovered, focused,
// default, disabled; the caption effects and the soft bevel; a picture in each position. Closes itself after
// the number of seconds given as its argument (default 10).
#include "controls/XPButton_win.h"
#include "runtime/App_win.h"
#include "runtime/Form_win.h"
#include "runtime/Timer_win.h"

#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTwips = 15;  // per pixel at 96 DPI

// A 16 x 16 picture: a green disc with a dark rim on the grey mask colour.
rt::PicturePtr DiscPicture()
{
    rt::WindowDc screen(nullptr);
    rt::BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), 16, 16));
    rt::MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
    {
        rt::SelectScope select(dc.get(), bitmap.get());
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int dx = 2 * x - 15;
                const int dy = 2 * y - 15;
                const int d = dx * dx + dy * dy;
                SetPixelV(dc.get(), x, y, d > 225 ? RGB(192, 192, 192) : d > 150 ? RGB(0, 80, 0) : RGB(40, 200, 60));
            }
        }
    }
    return rt::Picture::FromBitmap(std::move(bitmap));
}

class frmGallery : public rt::Form {
public:
    frmGallery()
    {
        for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
            Add(buttons[i], {L"cmdLook", i});
        Add(tmrClose, {L"tmrClose", std::nullopt});
        tmrClose.Tick = [this] { Unload(); };
    }

    std::array<controls::XPButton, 18> buttons;
    rt::Timer tmrClose;
    int seconds = 10;

protected:
    void Design() override
    {
        SetCaption(L"Buttons");
        SetBorderStyle(rt::BorderStyle::FixedDialog);
        Move(40 * kTwips, 40 * kTwips, Width(), Height());
        SetClientSize(560 * kTwips, 190 * kTwips);
        SetFont(rt::StdFont{L"Tahoma", 8.25, true});
        const rt::PicturePtr disc = DiscPicture();
        const wchar_t* const captions[] = {L"&Up",  L"&Down",  L"&Hover", L"&Focus", L"D&efault", L"Disa&bled",
                                           L"None", L"Raised", L"Sunken", L"Shadow", L"Soft",     L"Two-state",
                                           L"Left", L"Right",  L"Above",  L"Below",  L"",         L"Grey"};
        for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
            const int row = i / 6;
            const int column = i % 6;
            const int height = row == 2 ? 50 : 25;
            buttons[i].Move((10 + 90 * column) * kTwips, (10 + 40 * row) * kTwips, 80 * kTwips, height * kTwips);
            rt::PropertyBag bag{{L"TX", captions[i]}, {L"BCOL", 0xE0E0E0}, {L"FCOLO", 0x800000}, {L"FX", 1}};
            if (row == 1)
                bag.Write(L"FX", column < 4 ? column : 1);
            if (row == 2) {
                bag.Write(L"PICN", disc);
                bag.Write(L"PICPOS", column < 4 ? column : 4);
            }
            buttons[i].SetDesignProperties(bag);
        }
        buttons[5].SetDesignProperties({{L"TX", L"Disa&bled"}, {L"BCOL", 0xE0E0E0}, {L"FX", 1}, {L"ENAB", false}});
        buttons[10].SetDesignProperties({{L"TX", L"Soft"}, {L"BCOL", 0xE0E0E0}, {L"FX", 1}, {L"SOFT", true}});
        buttons[11].SetDesignProperties(
            {{L"TX", L"Two-state"}, {L"BCOL", 0xC0E0FF}, {L"FX", 1}, {L"CHECK", true}, {L"VALUE", true}});
        buttons[17].SetDesignProperties(
            {{L"TX", L"Grey"}, {L"BCOL", 0xE0E0E0}, {L"FX", 1}, {L"PICN", disc}, {L"PICPOS", 0}, {L"ENAB", false}});
        tmrClose.SetInterval(seconds * 1000);
        tmrClose.SetEnabled(true);
    }
    void Form_Load() override { buttons[4].SetAmbientDisplayAsDefault(true); }
};

}  // namespace

int main(int argc, char** argv)
{
    frmGallery& form = rt::TheForm<frmGallery>();
    if (argc > 1)
        form.seconds = std::max(1, std::atoi(argv[1]));
    form.Show();
    rt::DoEvents();
    form.buttons[1].SetValue(true);  // drawn down without being a two-state button
    form.buttons[4].Refresh();       // the default look, set after the first draw
    form.buttons[3].SetFocus();
    POINT hover{40, 12};
    ClientToScreen(form.buttons[2].hWnd(), &hover);
    SetCursorPos(hover.x, hover.y);
    return rt::RunMessageLoop();
}
