#include "runtime/Buttons_win.h"
#include "runtime/Containers_win.h"
#include "runtime/Form_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Image_win.h"
#include "runtime/Label_win.h"
#include "runtime/Screen_win.h"
#include "runtime/Timer_win.h"
#include "support/FormDriver_win.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using test::PumpUntil;
using test::Settle;

std::vector<std::wstring> events;

class PanelForm : public rt::Form {
public:
    PanelForm()
    {
        Add(lblResultado, {L"lblResultado"});
        Add(fraResult, {L"fraResult"});
        Add(optInside, {L"optInside", {}, &fraResult});
        Add(Image1, {L"Image1"});
        Add(Image2, {L"Image2"});
        Add(tmrTick, {L"tmrTick"});
        lblResultado.Change = [] { events.push_back(L"Change"); };
        lblResultado.Click = [] { events.push_back(L"Click"); };
        lblResultado.MouseDown = [](int& Button, int, float, float) { events.push_back(L"MouseDown"); };
        lblResultado.MouseUp = [](int& Button, int, float, float) { events.push_back(L"MouseUp"); };
        tmrTick.Tick = [this] {
            if (++ticks == 3)
                tmrTick.SetEnabled(false);
        };
    }

    rt::Label lblResultado;
    rt::Frame fraResult;
    rt::OptionButton optInside;
    rt::Image Image1, Image2;
    rt::Timer tmrTick;
    int ticks = 0;

protected:
    void Design() override
    {
        SetClientSize(4000, 4000);
        SetBackColor(0x00FF00);
        lblResultado.Move(60, 60, 2000, 300);
        lblResultado.SetAutoSize(true);
        fraResult.Move(60, 1500, 2000, 1200);
        optInside.Move(150, 300, 1500, 300);
        Image1.Move(2400, 60, 480, 480);
        Image2.Move(2400, 60, 480, 480);
        tmrTick.SetInterval(10);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        form.Show();
        Settle();
    }
    void TearDown() override { form.Unload(); }
    PanelForm form;
};

TEST_F(ControlsTest, LabelBreaksLinesAndRaisesChangeAndClick)
{
    auto& label = form.lblResultado;
    label.SetCaption(L"Lose");
    const int oneLine = label.Height();
    label.SetCaption(L"Lose\r\n2.50 Kg");
    EXPECT_EQ(label.Height(), 2 * oneLine);
    label.SetCaption(L"\rLose\r2.50 Kg\r");  // the trailing CR ends the last line without opening another
    EXPECT_EQ(label.Height(), 3 * oneLine);
    label.SetCaption(L"\rLose\r2.50 Kg\r");
    test::ClickAt(label.hWnd());
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Change", L"Change", L"Change", L"MouseDown", L"MouseUp", L"Click"}));
}

TEST_F(ControlsTest, ControlsInAFrameAreItsChildren)
{
    EXPECT_EQ(GetParent(form.optInside.hWnd()), form.fraResult.hWnd());
    POINT origin{0, 0};
    MapWindowPoints(form.optInside.hWnd(), form.fraResult.hWnd(), &origin, 1);
    EXPECT_EQ(origin.x, 10);
    EXPECT_EQ(origin.y, 20);
    form.fraResult.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(form.optInside.hWnd()));
}

TEST_F(ControlsTest, ImageTakesItsIconsSizeAndShowsThroughItsTransparentPixels)
{
    // 16 x 16: the left half opaque red, the right half transparent.
    constexpr int kSize = 16;
    std::array<DWORD, kSize * kSize> colour{};
    std::array<BYTE, kSize * 2> transparent{};  // one 16-bit row each
    for (int i = 0; i < kSize * kSize; ++i)
        colour[i] = i % kSize < kSize / 2 ? 0xFF0000 : 0;
    for (int i = 1; i < kSize * 2; i += 2)
        transparent[i] = 0xFF;
    rt::BitmapHandle color(CreateBitmap(kSize, kSize, 1, 32, colour.data()));
    rt::BitmapHandle mask(CreateBitmap(kSize, kSize, 1, 1, transparent.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    rt::IconHandle icon(CreateIconIndirect(&info));
    ASSERT_TRUE(icon);

    form.Image1.SetPicture(icon.get());
    EXPECT_EQ(form.Image1.Width(), kSize * rt::Screen::TwipsPerPixelX());
    EXPECT_EQ(form.Image1.Height(), kSize * rt::Screen::TwipsPerPixelY());
    rt::WindowDc screen(nullptr);
    rt::MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
    rt::BitmapHandle canvas(CreateCompatibleBitmap(screen.get(), kSize, kSize));
    rt::SelectScope select(dc.get(), canvas.get());
    const auto printed = [&](int x) {
        SendMessageW(form.Image1.hWnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        return GetPixel(dc.get(), x, 8);
    };
    EXPECT_EQ(printed(2), RGB(255, 0, 0));
    EXPECT_EQ(printed(12), RGB(0, 255, 0));  // the form's colour
    form.Image1.SetPicture(nullptr);
    EXPECT_EQ(printed(2), RGB(0, 255, 0));
}

TEST_F(ControlsTest, LaterControlsLieOnTopUntilZOrderChangesIt)
{
    POINT inside{2400 / rt::Screen::TwipsPerPixelX() + 4, 60 / rt::Screen::TwipsPerPixelY() + 4};
    EXPECT_EQ(ChildWindowFromPoint(form.hWnd(), inside), form.Image2.hWnd());
    form.Image1.ZOrder(0);
    EXPECT_EQ(ChildWindowFromPoint(form.hWnd(), inside), form.Image1.hWnd());
    form.Image1.ZOrder(1);
    EXPECT_EQ(ChildWindowFromPoint(form.hWnd(), inside), form.Image2.hWnd());
}

TEST_F(ControlsTest, TimerTicksWhileEnabledAndIntervalIsNotZero)
{
    ASSERT_TRUE(PumpUntil([this] { return form.ticks == 3; }));
    form.tmrTick.SetInterval(0);
    form.tmrTick.SetEnabled(true);
    EXPECT_FALSE(PumpUntil([this] { return form.ticks > 3; }, 100));
    form.Unload();
    form.tmrTick.SetInterval(10);  // the form is unloaded: nothing runs
    EXPECT_FALSE(PumpUntil([this] { return form.ticks > 3; }, 100));
}

TEST_F(ControlsTest, ScreenPointerCoversTheProgramsWindowsAndControlsHaveTheirOwn)
{
    auto cursorOver = [](HWND hwnd) {
        SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    form.optInside.SetMousePointer(rt::kPointerCustom);
    form.optInside.SetMouseIcon(cross);
    EXPECT_EQ(cursorOver(form.optInside.hWnd()), cross);
    rt::Screen::SetMousePointer(rt::kPointerHourglass);
    EXPECT_EQ(cursorOver(form.optInside.hWnd()), LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(cursorOver(form.hWnd()), LoadCursorW(nullptr, IDC_WAIT));
    rt::Screen::SetMousePointer(rt::kPointerDefault);
    EXPECT_EQ(cursorOver(form.optInside.hWnd()), cross);
}

// Two picture boxes, one with its sunken frame and one without any.
class FrameForm : public rt::Form {
public:
    FrameForm()
    {
        Add(picFramed, {L"picFramed"});
        Add(picPlain, {L"picPlain"});
    }
    rt::PictureBox picFramed, picPlain;

protected:
    void Design() override
    {
        SetClientSize(3000, 1500);
        picFramed.Move(60, 60, 1200, 900);
        picPlain.Move(1500, 60, 1200, 900);
        picPlain.SetBorder(false);
        picFramed.SetBackColor(0xFFFFFF);
        picPlain.SetBackColor(0xFFFFFF);
    }
};

// The window's top-left pixel, first set to red, after a full redraw of the window (frame and client).
COLORREF CornerAfterRedraw(HWND hwnd)
{
    SetPixel(rt::WindowDc(hwnd, rt::WindowDc::Area::Whole).get(), 0, 0, RGB(255, 0, 0));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
    Settle();
    return GetPixel(rt::WindowDc(hwnd, rt::WindowDc::Area::Whole).get(), 0, 0);
}

// Runtime windows without a frame skip the default non-client painting; those with one must still get it.
TEST(ControlFrames, FramedControlsRedrawTheirFrameAndPlainOnesTheirClientArea)
{
    FrameForm form;
    form.Show();
    Settle();
    const COLORREF framed = CornerAfterRedraw(form.picFramed.hWnd());
    EXPECT_NE(framed, RGB(255, 0, 0)) << "the frame was not drawn";
    EXPECT_NE(framed, RGB(255, 255, 255)) << "the frame was not drawn";
    EXPECT_EQ(CornerAfterRedraw(form.picPlain.hWnd()), RGB(255, 255, 255));
    form.Unload();
}

}  // namespace
