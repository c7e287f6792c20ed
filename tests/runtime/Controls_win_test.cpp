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

TEST_F(ControlsTest, LabelCaptionBreaksLinesAtCrLfAndLoneCr)
{
    form.lblResultado.SetCaption(L"Lose");
    const int oneLine = form.lblResultado.Height();
    form.lblResultado.SetCaption(L"Lose\r\n2.50 Kg");
    const int crLf = form.lblResultado.Height();
    form.lblResultado.SetCaption(L"\rLose\r2.50 Kg\r");
    const int loneCr = form.lblResultado.Height();
    EXPECT_GT(oneLine, 0);
    EXPECT_EQ(crLf, 2 * oneLine);
    EXPECT_EQ(loneCr, 3 * oneLine);  // the trailing CR ends the last line without opening another
}

TEST_F(ControlsTest, LabelRaisesChangeOnNewCaptionsAndClickAfterTheRelease)
{
    form.lblResultado.SetCaption(L"a");
    form.lblResultado.SetCaption(L"a");
    form.lblResultado.SetCaption(L"");
    test::ClickAt(form.lblResultado.hWnd());
    const std::vector<std::wstring> expected{L"Change", L"Change", L"MouseDown", L"MouseUp", L"Click"};
    EXPECT_EQ(events, expected);
}

TEST_F(ControlsTest, ControlsInAFrameAreItsChildren)
{
    ASSERT_NE(form.optInside.hWnd(), nullptr);
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
    rt::BitmapHandle color(CreateBitmap(kSize, kSize, 1, 32, nullptr));
    rt::BitmapHandle mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    {
        rt::MemoryDcHandle dc(CreateCompatibleDC(nullptr));
        {
            rt::SelectScope select(dc.get(), color.get());
            RECT all{0, 0, kSize, kSize};
            FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            RECT left{0, 0, kSize / 2, kSize};
            FillRect(dc.get(), &left, rt::CachedBrush(RGB(255, 0, 0)));
        }
        rt::SelectScope select(dc.get(), mask.get());
        RECT right{kSize / 2, 0, kSize, kSize};
        RECT all{0, 0, kSize, kSize};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(dc.get(), &right, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
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
    SendMessageW(form.Image1.hWnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc.get(), 2, 8), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc.get(), 12, 8), RGB(0, 255, 0));  // the form's colour

    form.Image1.SetPicture(nullptr);
    SendMessageW(form.Image1.hWnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc.get(), 2, 8), RGB(0, 255, 0));
}

TEST_F(ControlsTest, LaterControlsLieOnTopUntilZOrderChangesIt)
{
    POINT inside{2400 / rt::Screen::TwipsPerPixelX() + 4, 60 / rt::Screen::TwipsPerPixelY() + 4};
    EXPECT_EQ(ChildWindowFromPoint(form.hWnd(), inside), form.Image2.hWnd());
    form.Image1.ZOrder(0);
    EXPECT_EQ(ChildWindowFromPoint(form.hWnd(), inside), form.Image1.hWnd());
    form.Image2.SetVisible(true);
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

}  // namespace
