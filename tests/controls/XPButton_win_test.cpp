#include "controls/XPButton_win.h"
#include "runtime/Form_win.h"
#include "runtime/Screen_win.h"
#include "support/FormDriver_win.h"
#include "support/HexColor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using controls::XPButton;
using test::PumpUntil;
using test::Settle;

namespace {

constexpr int kWidth = 75;  // pixels; 15 twips each at 96 DPI
constexpr int kHeight = 25;
constexpr COLORREF kSentinel = RGB(1, 2, 3);
// Row 10 of a white face: darkened by 10 in the up look, by 15 from white less 16 in the down look.
constexpr const char* kUpRow10 = "F2F5F5";
constexpr const char* kDownRow10 = "D8E0E0";

using Log = std::vector<std::wstring>;
Log eventLog;

// Three 75 x 25 buttons in a row; each reads the property set the test gives it.
class ButtonForm : public rt::Form {
public:
    ButtonForm()
    {
        Add(cmdA, {L"cmdA", std::nullopt});
        Add(cmdB, {L"cmdB", std::nullopt});
        Add(cmdC, {L"cmdC", 4});
    }

    XPButton cmdA;
    XPButton cmdB;
    XPButton cmdC;
    rt::PropertyBag bagA{{L"TX", L"&Alpha"}, {L"BCOL", 0xFFFFFF}, {L"FX", 1}};
    rt::PropertyBag bagB{{L"TX", L"Beta"}, {L"BCOL", 0xFFFFFF}};
    std::optional<rt::PropertyBag> bagC;  // none: placed new
    int heightC = kHeight;

protected:
    void Design() override
    {
        SetBorderStyle(rt::BorderStyle::FixedDialog);
        Move(3000, 3000, Width(), Height());  // away from the pointer's resting place
        SetClientSize(4500, 1500);
        SetFont(rt::StdFont{L"Tahoma", 8.25});
        cmdA.Move(150, 150, kWidth * 15, kHeight * 15);
        cmdB.Move(1500, 150, kWidth * 15, kHeight * 15);
        cmdC.Move(2850, 150, kWidth * 15, heightC * 15);
        cmdA.SetDesignProperties(bagA);
        cmdB.SetDesignProperties(bagB);
        if (bagC)
            cmdC.SetDesignProperties(*bagC);
    }
};

void Watch(XPButton& button, const std::wstring& name, bool hover = false)
{
    auto mouse = [name](const wchar_t* what) {
        return [name, what](int& Button, int, float X, float Y) {
            eventLog.push_back(name + L"." + what + L" " + std::to_wstring(Button) + (X == 0 && Y == 0 ? L" @0" : L""));
        };
    };
    button.MouseDown = mouse(L"MouseDown");
    button.MouseUp = mouse(L"MouseUp");
    button.Click = [name] { eventLog.push_back(name + L".Click"); };
    button.KeyDown = [name](int& KeyCode, int) { eventLog.push_back(name + L".KeyDown " + std::to_wstring(KeyCode)); };
    button.KeyUp = [name](int& KeyCode, int) { eventLog.push_back(name + L".KeyUp " + std::to_wstring(KeyCode)); };
    button.KeyPress = [name](int& KeyAscii) { eventLog.push_back(name + L".KeyPress " + std::to_wstring(KeyAscii)); };
    if (hover) {
        button.MouseOver = [name] { eventLog.push_back(name + L".MouseOver"); };
        button.MOUSEOUT = [name] { eventLog.push_back(name + L".MOUSEOUT"); };
    }
}

// The colour at (x, y) of the button's drawing image, 0xBBGGRR.
std::string At(const XPButton& button, int x, int y)
{
    return test::Hex(GetPixel(button.hDC(), x, y));
}

std::vector<COLORREF> AllPixels(const XPButton& button)
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels.push_back(GetPixel(button.hDC(), x, y));
    return pixels;
}

Log Clicks()
{
    Log clicks;
    std::ranges::copy_if(eventLog, std::back_inserter(clicks), [](const auto& e) { return e.ends_with(L".Click"); });
    return clicks;
}

// A pixel no drawing leaves alone: still there afterwards means nothing was drawn.
void Mark(const XPButton& button)
{
    SetPixel(button.hDC(), 37, 12, kSentinel);
}

bool Marked(const XPButton& button)
{
    return GetPixel(button.hDC(), 37, 12) == kSentinel;
}

void Post(const XPButton& button, UINT message, WPARAM keys = 0)
{
    PostMessageW(button.hWnd(), message, keys, MAKELPARAM(30, 10));
    Settle();
}

void Click(const XPButton& button)
{
    Post(button, WM_LBUTTONDOWN, MK_LBUTTON);
    Post(button, WM_LBUTTONUP);
}

// Puts the pointer on the centre of `button`, `dx` pixels to the right.
void PointAt(const XPButton& button, int dx = 0)
{
    POINT p{kWidth / 2 + dx, kHeight / 2};
    ClientToScreen(button.hWnd(), &p);
    SetCursorPos(p.x, p.y);
    Settle();
}

// A left click through the system's input, at the pointer.
void RealClick()
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

class XPButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        eventLog.clear();
        SetCursorPos(0, 0);
    }
    void TearDown() override { form.Unload(); }
    void Open()
    {
        form.Show();
        ASSERT_TRUE(PumpUntil([&] { return form.Visible(); }));
        Settle();
        Watch(form.cmdA, L"A");
        Watch(form.cmdB, L"B");
    }
    ButtonForm form;
};

}  // namespace

TEST_F(XPButtonTest, MouseButtonsGiveTheirEventsInOrder)
{
    Open();
    const struct {
        UINT down;
        UINT up;
        WPARAM held;
        bool drawn;
        Log expected;
    } cases[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, true, {L"A.MouseDown 1", L"A.MouseUp 1", L"A.Click"}},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, false, {L"A.MouseDown 2", L"A.MouseUp 2"}},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, true, {L"A.MouseDown 4", L"A.MouseUp 4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.front());
        eventLog.clear();
        Mark(form.cmdA);
        Post(form.cmdA, c.down, c.held);
        EXPECT_NE(Marked(form.cmdA), c.drawn);
        EXPECT_EQ(At(form.cmdA, 10, 10), c.drawn ? kDownRow10 : kUpRow10);
        Post(form.cmdA, c.up);
        EXPECT_EQ(eventLog, c.expected);
        EXPECT_EQ(At(form.cmdA, 10, 10), kUpRow10);  // up again (or never left it)
    }
    // The host changes Button and KeyCode by reference: neither gives a Click.
    eventLog.clear();
    form.cmdA.MouseDown = [](int& Button, int, float, float) { Button = 2; };
    Click(form.cmdA);
    form.cmdA.SetFocus();
    form.cmdA.KeyDown = [](int& KeyCode, int) { KeyCode = 0; };
    test::PressKey(VK_SPACE);
    EXPECT_EQ(eventLog, (Log{L"A.MouseUp 1", L"A.KeyPress 32", L"A.KeyUp 32"}));
}

TEST_F(XPButtonTest, DoubleClickRepeatsThePressAndReleasesTheCapture)
{
    Open();
    SetForegroundWindow(form.hWnd());
    PointAt(form.cmdA);
    RealClick();
    RealClick();
    ASSERT_TRUE(PumpUntil([] { return eventLog.size() >= 5; }));
    Settle();
    EXPECT_EQ(eventLog, (Log{L"A.MouseDown 1", L"A.MouseUp 1", L"A.Click", L"A.MouseDown 1 @0", L"A.MouseUp 1"}));
    EXPECT_EQ(GetCapture(), nullptr);
    eventLog.clear();  // the next click goes to the button under the pointer
    PointAt(form.cmdB);
    RealClick();
    ASSERT_TRUE(PumpUntil([] { return !eventLog.empty() && eventLog.back() == L"B.Click"; }));
    EXPECT_EQ(eventLog, (Log{L"B.MouseDown 1", L"B.MouseUp 1", L"B.Click"}));
}

TEST_F(XPButtonTest, KeysClickAndMoveTheFocus)
{
    form.bagC = rt::PropertyBag{{L"TX", L"Gamma"}};
    Open();
    form.cmdA.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form.cmdA.hWnd(); }));
    const struct {
        int key;
        const XPButton* to;
    } steps[] = {{VK_RIGHT, &form.cmdB}, {VK_DOWN, &form.cmdC}, {VK_LEFT, &form.cmdB}, {VK_UP, &form.cmdA}};
    for (const auto& step : steps) {  // arrows move on after the host's KeyDown
        SCOPED_TRACE(step.key);
        test::PressKey(step.key);
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == step.to->hWnd(); }));
    }
    EXPECT_EQ(eventLog.front(), L"A.KeyDown 39");
    eventLog.clear();
    PostMessageW(form.cmdA.hWnd(), WM_KEYDOWN, VK_SPACE, 1);
    Settle();
    EXPECT_EQ(At(form.cmdA, 10, 10), kDownRow10);  // down while Space is held
    PostMessageW(form.cmdA.hWnd(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
    Settle();
    EXPECT_EQ(eventLog, (Log{L"A.KeyDown 32", L"A.KeyPress 32", L"A.KeyUp 32", L"A.Click"}));
    // "&Alpha" answers Alt+A; "A&&B &Go" answers Alt+G, the pair before it being a literal ampersand.
    form.cmdB.SetCaption(L"A&&B &Go");
    eventLog.clear();
    test::PressAltKey(L'g');
    test::PressAltKey(L'a');
    form.cmdB.SetCaption(L"A&&B");
    test::PressAltKey(L'b');
    EXPECT_EQ(Clicks(), (Log{L"B.Click", L"A.Click"}));
}

TEST_F(XPButtonTest, ValueShowsDownAndFlipsOnlyAsTwoStateButton)
{
    Open();
    XPButton& b = form.cmdB;
    b.ClearPropertyChanges();
    b.SetValue(true);
    EXPECT_EQ(At(b, 10, 10), kDownRow10);
    Mark(b);
    b.SetValue(true);  // unchanged: nothing at all
    EXPECT_TRUE(Marked(b));
    EXPECT_EQ(b.PropertyChanges(), Log{L"VALUE"});
    Click(b);
    EXPECT_TRUE(b.Value());  // a plain button keeps Value
    EXPECT_EQ(At(b, 10, 10), kUpRow10);

    b.SetCheckBoxBehaviour(true);
    b.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == b.hWnd(); }));
    for (bool value : {false, true, false}) {
        Click(b);
        EXPECT_EQ(b.Value(), value);
        EXPECT_EQ(At(b, 10, 10), value ? kDownRow10 : kUpRow10);
    }
    test::PressKey(VK_SPACE);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(At(b, 10, 10), kDownRow10);
}

TEST_F(XPButtonTest, DisableRefreshStopsDrawingUntilRefreshAndZeroHeightNeverDraws)
{
    form.heightC = 0;
    form.bagC = rt::PropertyBag{{L"TX", L"Gamma"}};
    Open();
    XPButton& a = form.cmdA;
    a.DisableRefresh();
    Mark(a);
    a.SetCaption(L"Other");
    a.SetBackColor(0x00FF00);
    a.SetValue(true);
    Click(a);
    EXPECT_TRUE(Marked(a));
    a.Refresh();
    EXPECT_EQ(At(a, 10, 10), "00F526");  // the up look of the green face (00FF30): row 10 darkened by 10

    SetPixel(form.cmdC.hDC(), 0, 0, kSentinel);
    form.cmdC.SetCaption(L"x");
    form.cmdC.Refresh();
    EXPECT_EQ(GetPixel(form.cmdC.hDC(), 0, 0), kSentinel);
}

TEST_F(XPButtonTest, RegionCutsThreePixelsAtEachCorner)
{
    Open();
    rt::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form.cmdA.hWnd(), region.get()), ERROR);
    for (const auto& [x, y, dx, dy] :
         {std::array{0, 0, 1, 1}, std::array{kWidth - 1, 0, -1, 1}, std::array{0, kHeight - 1, 1, -1},
          std::array{kWidth - 1, kHeight - 1, -1, -1}}) {
        SCOPED_TRACE(testing::Message() << x << "," << y);
        for (const auto& [inX, inY, inside] :
             {std::tuple{0, 0, false}, {1, 0, false}, {0, 1, false}, {1, 1, true}, {2, 0, true}, {0, 2, true}})
            EXPECT_EQ(PtInRegion(region.get(), x + dx * inX, y + dy * inY) != FALSE, inside) << inX << "," << inY;
    }
}

TEST_F(XPButtonTest, HoverRaisesMouseOverOnceAndMouseOutAfterLeaving)
{
    Open();
    XPButton& b = form.cmdB;
    Watch(b, L"B", true);
    POINT corner{0, 0};  // a cut corner pixel is not over the button
    ClientToScreen(b.hWnd(), &corner);
    SetCursorPos(corner.x, corner.y);
    Settle();
    EXPECT_TRUE(eventLog.empty());
    PointAt(b);
    ASSERT_TRUE(PumpUntil([] { return !eventLog.empty(); }));
    PointAt(b, 1);
    EXPECT_EQ(eventLog, Log{L"B.MouseOver"});
    EXPECT_EQ(At(b, 1, 10), "31B2FF");  // the orange ring
    SetCursorPos(0, 0);
    ASSERT_TRUE(PumpUntil([] { return eventLog.size() >= 2; }));
    EXPECT_EQ(eventLog.back(), L"B.MOUSEOUT");
    EXPECT_EQ(At(b, 1, 10), "F9FAFA");     // the bevel again
    EXPECT_FALSE(KillTimer(b.hWnd(), 1));  // the timer runs only while hovered
}

TEST_F(XPButtonTest, LooksAtKnownPixels)
{
    Open();
    XPButton& a = form.cmdA;
    XPButton& b = form.cmdB;
    EXPECT_EQ(At(b, 0, 12), "733C00");  // the frame
    EXPECT_EQ(At(b, 1, 10), "F9FAFA");  // the bevel
    EXPECT_EQ(At(b, 10, 10), kUpRow10);
    a.SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return At(a, 1, 10) == "E7AE8C"; }));  // the blue ring
    b.SetAmbientDisplayAsDefault(true);
    b.Refresh();
    EXPECT_EQ(At(b, 10, 1), "FFE7CE");  // the default button shows it without the focus
    b.SetShowFocusRect(false);
    EXPECT_EQ(At(b, 10, 1), "FFFFFF");  // ... unless ShowFocusRect is off
    a.SetEnabled(false);
    EXPECT_EQ(At(a, 0, 12), "90ABAB");
    EXPECT_EQ(At(a, 1, 10), "E0E7E7");  // no ring, no gradient
    EXPECT_EQ(At(a, 10, 20), "E0E7E7");
}

TEST_F(XPButtonTest, LoadedDisabledTakesNoInput)
{
    form.bagA.Write(L"ENAB", false);
    Open();
    EXPECT_FALSE(IsWindowEnabled(form.cmdA.hWnd()));
    SetForegroundWindow(form.hWnd());
    PointAt(form.cmdA);
    RealClick();
    Settle();
    EXPECT_TRUE(eventLog.empty());
    EXPECT_EQ(form.cmdA.MousePointer(), rt::kPointerDefault);
    form.cmdA.SetEnabled(true);
    EXPECT_EQ(form.cmdA.MousePointer(), rt::kPointerCustom);  // the hand, its hot spot on the fingertip
    ICONINFO hand{};
    ASSERT_TRUE(GetIconInfo(form.cmdA.MouseIcon(), &hand));
    rt::BitmapHandle mask(hand.hbmMask);
    rt::BitmapHandle color(hand.hbmColor);
    EXPECT_EQ(hand.xHotspot, 10u);
    EXPECT_EQ(hand.yHotspot, 1u);
    RealClick();
    EXPECT_TRUE(PumpUntil([] { return !eventLog.empty() && eventLog.back() == L"A.Click"; }));
}

TEST_F(XPButtonTest, CaptionAndPictureLayoutForEachPosition)
{
    Open();
    XPButton& a = form.cmdA;
    a.SetSpecialEffect(0);
    rt::WindowDc screen(nullptr);
    a.SetPictureNormal(rt::Picture::FromBitmap(rt::BitmapHandle(CreateCompatibleBitmap(screen.get(), 16, 16))));
    for (int position : {0, 1, 2, 3, 4, 7}) {
        SCOPED_TRACE(position);
        a.SetCaption(L"Go");
        a.SetPicturePosition(position);
        const controls::PixelRect caption = a.CaptionRect();
        const controls::PixelPoint expected = controls::PlacePicture(position, kWidth, kHeight, 16, 16, caption, false);
        EXPECT_EQ(a.PictureRect().x, expected.x);
        EXPECT_EQ(a.PictureRect().y, expected.y);
        // The access key's underline is the only difference between "&Go" and "Go": one row under the G.
        const std::vector<COLORREF> plain = AllPixels(a);
        a.SetCaption(L"&Go");
        ASSERT_EQ(a.CaptionRect(), caption);
        const std::vector<COLORREF> underlined = AllPixels(a);
        std::set<int> rows;
        int leftmost = kWidth;
        for (int i = 0; i < kWidth * kHeight; ++i)
            if (underlined[i] != plain[i]) {
                rows.insert(i / kWidth);
                leftmost = std::min(leftmost, i % kWidth);
            }
        if (caption.bottom <= kHeight) {  // above the picture the caption is pushed partly out of sight
            EXPECT_EQ(rows.size(), 1u);
            EXPECT_LT(leftmost, (caption.left + caption.right) / 2);
        }
    }
}

TEST_F(XPButtonTest, PropertySetRoundTripsInKeyOrder)
{
    form.bagC = rt::PropertyBag{};  // an empty set: every default
    Open();
    const rt::PropertyBag defaults = form.cmdC.SaveProperties();
    std::vector<std::wstring> written;
    for (const auto& entry : defaults.Entries())
        written.push_back(entry.first);
    EXPECT_EQ(written, (Log{L"TX", L"ENAB", L"FONT", L"FOCUSR", L"BCOL", L"BCOLO", L"FCOL", L"FCOLO", L"MCOL", L"PICN",
                            L"PICH", L"UMCOL", L"SOFT", L"PICPOS", L"FX", L"HAND", L"CHECK", L"VALUE"}));
    EXPECT_EQ(defaults.Read<std::wstring>(L"TX", L"?"), L"");
    EXPECT_EQ(defaults.Read(L"FONT", rt::StdFont{}), form.Font());
    EXPECT_EQ(static_cast<COLORREF>(defaults.Read<std::int32_t>(L"BCOL", 0)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(defaults.Read<std::int32_t>(L"FCOLO", 1), static_cast<std::int32_t>(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_EQ(defaults.Read<std::int32_t>(L"MCOL", 0), 0xC0C0C0);
    EXPECT_TRUE(defaults.Read(L"ENAB", false) && defaults.Read(L"FOCUSR", false) && defaults.Read(L"UMCOL", false));
    EXPECT_FALSE(defaults.Read(L"HAND", true) || defaults.Read(L"SOFT", true) || defaults.Read(L"VALUE", true));

    // Every property changed, saved, and read into a fresh load.
    XPButton& a = form.cmdA;
    a.SetCaption(L"&Total");
    a.SetEnabled(false);
    a.SetFont(rt::StdFont{L"Tahoma", 9.75, true, true});
    a.SetShowFocusRect(false);
    a.SetBackColor(0x102030);
    a.SetBackOver(0x405060);
    a.SetForeColor(0x8000000Fu);
    a.SetForeOver(0x0000FF);
    a.SetMaskColor(0xFF00FF);
    rt::WindowDc screen(nullptr);
    const rt::PicturePtr picture =
        rt::Picture::FromBitmap(rt::BitmapHandle(CreateCompatibleBitmap(screen.get(), 8, 8)));
    a.SetPictureNormal(picture);
    a.SetPictureOver(picture);
    a.SetUseMaskColor(false);
    a.SetSoftBevel(true);
    a.SetPicturePosition(3);
    a.SetSpecialEffect(2);
    a.SetCheckBoxBehaviour(true);
    a.SetValue(true);
    const rt::PropertyBag saved = a.SaveProperties();
    form.Unload();
    form.bagA = saved;
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(a.SaveProperties(), saved);
    EXPECT_EQ(a.FontSize(), 10);  // 9.75 to the nearest whole number
    EXPECT_EQ(a.PictureNormal(), picture);
    a.SetAmbientUserMode(false);  // in design mode BackColor carries BackOver along
    a.SetBackColor(0x123456);
    EXPECT_EQ(a.BackOver(), 0x123456u);

    // A button placed new takes its container's name and the new-button colours, and writes HAND.
    form.Unload();
    form.bagC.reset();
    ASSERT_TRUE(form.Load());
    EXPECT_EQ(form.cmdC.Caption(), L"cmdC(4)");
    EXPECT_EQ(form.cmdC.FontName(), L"Verdana");
    EXPECT_EQ(form.cmdC.ForeOver(), 0xFF0000u);
    EXPECT_TRUE(form.cmdC.SaveProperties().Read(L"HAND", false));
}
