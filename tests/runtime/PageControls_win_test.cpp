// The runtime pieces of property pages: combo box, scroll bar, push button, the page container, the picture
// loader and the property-set file.
#include "runtime/ComboBox_win.h"
#include "runtime/CommandButton_win.h"
#include "runtime/FileIo_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Picture_win.h"
#include "runtime/PropertyPage_win.h"
#include "runtime/PropertySetStore_win.h"
#include "runtime/Screen_win.h"
#include "runtime/ScrollBar_win.h"
#include "runtime/TabStrip_win.h"
#include "runtime/TextBox_win.h"
#include "support/FormDriver_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using test::PressKey;
using test::Settle;

std::vector<std::wstring> events;

class SamplePage : public rt::PropertyPage {
public:
    SamplePage()
    {
        AddControl(cboDepth, {L"cboDepth"});
        AddControl(hsbStrip, {L"hsbStrip"});
        AddControl(cmdGo, {L"cmdGo"});
        AddControl(txtSize, {L"txtSize"});
        cboDepth.Click = [this] { events.push_back(L"Click " + std::to_wstring(cboDepth.ListIndex())); };
        hsbStrip.Change = [this] { events.push_back(L"Change " + std::to_wstring(hsbStrip.Value())); };
        hsbStrip.Scroll = [this] { events.push_back(L"Scroll " + std::to_wstring(hsbStrip.Value())); };
        cmdGo.Click = [] { events.push_back(L"Go"); };
    }
    rt::ComboBox cboDepth;
    rt::HScrollBar hsbStrip;
    rt::CommandButton cmdGo;
    rt::TextBox txtSize;

protected:
    void Design() override
    {
        SetCaption(L"Sample");
        Move(0, 0, 4500, 3000);
        cboDepth.Move(60, 60, 2700, 315);
        hsbStrip.Move(60, 600, 3000, 255);
        hsbStrip.SetMax(10);
        hsbStrip.SetLargeChange(4);
        cmdGo.Move(60, 1000, 1200, 375);
        cmdGo.SetCaption(L"&Go");
        txtSize.Move(60, 1500, 1200, 315);
    }
    void PropertyPage_MouseDown(int Button, int Shift, float X, float Y) override
    {
        events.push_back(L"MouseDown " + std::to_wstring(Button) + L" " + std::to_wstring(static_cast<int>(X)) +
                         L" " + std::to_wstring(static_cast<int>(Y)));
    }
};

class HostForm : public rt::Form {
public:
    HostForm()
    {
        Add(tabs, {L"tabs"});
        Add(page, {L"page"});
        for (auto [control, placement] : page.PageControls()) {
            if (!placement.container)
                placement.container = &page;
            Add(*control, placement);
        }
    }
    rt::TabStrip tabs;
    SamplePage page;

protected:
    void Design() override
    {
        SetClientSize(4800, 3300);
        tabs.Move(0, 3000, 4800, 300);
        for (const wchar_t* caption : {L"One", L"Two", L"Three"})
            tabs.AddTab(caption);
        page.RunDesign();
    }
};

class PageControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        form.Show();
        Settle();
    }
    void TearDown() override { form.Unload(); }
    HostForm form;
};

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"plumvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

void WriteBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::uint8_t> ReadBytes(const std::wstring& path)
{
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

template <class T> void Put(std::vector<std::uint8_t>& out, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
}

// A 32-bit bottom-up DIB of `width` x `height`, every pixel `bgra`, with the bitmap file header when
// `fileHeader` is set (an icon image has none, and twice the height for its mask).
std::vector<std::uint8_t> Dib(int width, int height, std::uint32_t bgra, bool fileHeader)
{
    std::vector<std::uint8_t> out;
    const std::uint32_t pixels = static_cast<std::uint32_t>(width * height * 4);
    if (fileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put<std::uint32_t>(out, 14 + 40 + pixels);
        Put<std::uint32_t>(out, 0);
        Put<std::uint32_t>(out, 14 + 40);
    }
    Put<std::uint32_t>(out, 40);
    Put<std::int32_t>(out, width);
    Put<std::int32_t>(out, fileHeader ? height : height * 2);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, 32);
    for (int i = 0; i < 6; ++i)
        Put<std::uint32_t>(out, 0);
    for (int i = 0; i < width * height; ++i)
        Put<std::uint32_t>(out, bgra);
    return out;
}

TEST_F(PageControlsTest, ComboBoxKeepsItemDataAndRaisesClickOnEveryNewSelection)
{
    auto& combo = form.page.cboDepth;
    for (const wchar_t* text : {L"(Default)", L"16 colour (4 bit)", L"True Colour (24 bit)"})
        combo.AddItem(text);
    combo.SetItemData(1, 4);
    combo.SetItemData(2, 24);
    combo.SetItemData(7, 99);  // out of range: nothing
    EXPECT_EQ(combo.ListIndex(), -1);
    combo.SetListIndex(2);
    combo.SetListIndex(2);  // the same entry: no Click
    EXPECT_EQ(combo.Text(), L"True Colour (24 bit)");
    EXPECT_EQ(combo.ItemData(combo.ListIndex()), 24);
    combo.AddItem(L"256 colour (8 bit)", 2);  // before the selection: it follows its entry
    EXPECT_EQ(combo.ListIndex(), 3);
    EXPECT_EQ(SendMessageW(combo.hWnd(), CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(combo.ItemData(3), 24);

    combo.SetFocus();
    Settle();
    PressKey(VK_UP);  // the user picks the entry above in the closed list
    EXPECT_EQ(combo.ListIndex(), 2);
    EXPECT_EQ(combo.List(2), L"256 colour (8 bit)");
    combo.RemoveItem(2);
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Click 2", L"Click 2", L"Click -1"}));
    // The list drops below the field: the window is taller than the field it shows.
    RECT dropped{};
    SendMessageW(combo.hWnd(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GT(dropped.bottom - dropped.top, rt::PixelsFromTwipsY(combo.Height()) * 2);
}

TEST_F(PageControlsTest, ScrollBarStepsByItsChangesAndStaysWithinItsRange)
{
    auto& bar = form.page.hsbStrip;
    bar.SetFocus();
    Settle();
    PressKey(VK_RIGHT);
    PressKey(VK_NEXT);  // a page: LargeChange
    PressKey(VK_NEXT);
    PressKey(VK_NEXT);  // stops at Max
    PressKey(VK_LEFT);
    bar.SetValue(11);  // outside the range: ignored
    bar.SetMax(6);     // pulls the value down
    bar.SetMin(2);
    bar.SetValue(1);
    EXPECT_EQ(bar.Value(), 6);
    bar.SetMax(1);     // below Min: Max becomes Min
    EXPECT_EQ(bar.Max(), 2);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Change 1", L"Change 5", L"Change 9", L"Change 10",
                                                 L"Change 9", L"Change 6", L"Change 2"}));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar.hWnd(), SB_CTL, &info);
    EXPECT_EQ(info.nPos, 2);
    EXPECT_EQ(info.nPage, 4u);
}

TEST_F(PageControlsTest, ScrollBarDragRaisesScrollThenOneChange)
{
    auto& bar = form.page.hsbStrip;
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    POINT thumb{arrow + 8, 8};
    ClientToScreen(bar.hWnd(), &thumb);
    SetForegroundWindow(form.hWnd());
    SetCursorPos(thumb.x, thumb.y);
    Settle();
    // Press on the thumb, drag it right by a third of the bar and let go: the bar's own drag loop reads them.
    const auto absolute = [](int x, int y) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        return in;
    };
    INPUT inputs[4] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1] = absolute(thumb.x + 30, thumb.y);
    inputs[2] = absolute(thumb.x + 60, thumb.y);
    inputs[3].type = INPUT_MOUSE;
    inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
    test::PumpUntil([&] { return !events.empty() && events.back().starts_with(L"Change"); }, 2000);
    ASSERT_GE(events.size(), 2u);
    EXPECT_TRUE(events.front().starts_with(L"Scroll "));
    EXPECT_EQ(events.back(), L"Change " + std::to_wstring(bar.Value()));
    EXPECT_GT(bar.Value(), 0);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](auto& e) { return e.starts_with(L"Change"); }), 1);
}

TEST_F(PageControlsTest, PageShowsItsDrawingImageAndGivesMousePositionsInTwips)
{
    auto& page = form.page;
    HDC dc = page.hDC();
    ASSERT_NE(dc, nullptr);
    RECT square{10, 40, 20, 50};
    FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    rt::WindowDc screen(nullptr);
    rt::MemoryDcHandle copy(CreateCompatibleDC(screen.get()));
    rt::BitmapHandle canvas(CreateCompatibleBitmap(screen.get(), 100, 100));
    rt::SelectScope select(copy.get(), canvas.get());
    SendMessageW(page.hWnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(copy.get()), PRF_CLIENT);
    EXPECT_EQ(GetPixel(copy.get(), 15, 45), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(copy.get(), 25, 45), GetSysColor(COLOR_BTNFACE));

    test::ClickAt(page.hWnd(), 10, 40);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), L"MouseDown 1 " + std::to_wstring(10 * rt::Screen::TwipsPerPixelX()) + L" " +
                                  std::to_wstring(40 * rt::Screen::TwipsPerPixelY()));
    // The page's controls are its children and its changed flag tells the host.
    EXPECT_EQ(GetParent(page.cboDepth.hWnd()), page.hWnd());
    int heard = 0;
    page.ChangedChanged = [&] { ++heard; };
    page.SetChanged(true);
    page.SetChanged(true);
    page.SetChanged(false);
    EXPECT_EQ(heard, 2);
}

TEST_F(PageControlsTest, CommandButtonClicksByMouseAndAccessKey)
{
    test::Click(form.page.cmdGo);
    form.page.txtSize.SetFocus();
    Settle();
    test::PressAltKey(L'g');
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Go", L"Go"}));
    EXPECT_TRUE(form.page.cmdGo.HasFocus());
}

TEST_F(PageControlsTest, TabStripSelectsByKeyAndByCodeGoingRound)
{
    auto& tabs = form.tabs;
    tabs.Click = [&] { events.push_back(L"Tab " + std::to_wstring(tabs.SelectedIndex())); };
    tabs.SetFocus();
    Settle();
    PressKey(VK_RIGHT);
    tabs.NextTab(false);
    tabs.NextTab(false);  // past the last: the first
    tabs.NextTab(true);   // before the first: the last
    tabs.SetSelectedIndex(2);  // already selected: nothing
    tabs.SetSelectedIndex(5);  // no such tab: nothing
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Tab 1", L"Tab 2", L"Tab 0", L"Tab 2"}));
    EXPECT_EQ(SendMessageW(tabs.hWnd(), TCM_GETCURSEL, 0, 0), 2);
    const RECT area = tabs.DisplayArea();
    EXPECT_GT(area.top, tabs.Top());
    EXPECT_LT(area.bottom, tabs.Top() + tabs.Height());
}

TEST(PictureLoader, ReadsBitmapsAndIconsAndRefusesOtherFiles)
{
    const std::wstring bmp = TempPath(L"red.bmp");
    WriteBytes(bmp, Dib(3, 2, 0x00FF0000, true));
    auto loaded = rt::LoadPicture(bmp);
    ASSERT_TRUE(std::holds_alternative<rt::PicturePtr>(loaded));
    const rt::PicturePtr bitmap = std::get<rt::PicturePtr>(loaded);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Type(), rt::PictureType::Bitmap);
    EXPECT_EQ(rt::HimetricToPixelsX(bitmap->Width()), 3);
    EXPECT_EQ(rt::HimetricToPixelsY(bitmap->Height()), 2);

    // An icon file of one 16 x 16 image: directory, entry, then the image with its (empty) mask.
    std::vector<std::uint8_t> ico;
    Put<std::uint16_t>(ico, 0);
    Put<std::uint16_t>(ico, 1);
    Put<std::uint16_t>(ico, 1);
    std::vector<std::uint8_t> image = Dib(16, 16, 0xFF00FF00, false);
    image.insert(image.end(), 16 * 4, 0);  // mask rows of 32 bits
    ico.insert(ico.end(), {16, 16, 0, 0});
    Put<std::uint16_t>(ico, 1);
    Put<std::uint16_t>(ico, 32);
    Put<std::uint32_t>(ico, static_cast<std::uint32_t>(image.size()));
    Put<std::uint32_t>(ico, 22);
    ico.insert(ico.end(), image.begin(), image.end());
    const std::wstring icoPath = TempPath(L"green.ico");
    WriteBytes(icoPath, ico);
    loaded = rt::LoadPicture(icoPath);
    ASSERT_TRUE(std::holds_alternative<rt::PicturePtr>(loaded));
    ASSERT_TRUE(std::get<rt::PicturePtr>(loaded));
    EXPECT_EQ(std::get<rt::PicturePtr>(loaded)->Type(), rt::PictureType::Icon);
    EXPECT_EQ(rt::HimetricToPixelsX(std::get<rt::PicturePtr>(loaded)->Width()), 16);

    const std::wstring text = TempPath(L"notes.bmp");
    WriteBytes(text, {'h', 'e', 'l', 'l', 'o'});
    const struct {
        std::wstring path;
        rt::PictureLoadError error;
    } refused[] = {{text, rt::PictureLoadError::InvalidPicture},
                   {TempPath(L"absent.bmp"), rt::PictureLoadError::FileNotFound}};
    for (const auto& c : refused) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        auto result = rt::LoadPicture(c.path);
        ASSERT_TRUE(std::holds_alternative<rt::PictureLoadError>(result));
        EXPECT_EQ(std::get<rt::PictureLoadError>(result), c.error);
    }
    for (const auto& path : {bmp, icoPath, text})
        DeleteFileW(path.c_str());
}

TEST(PropertySetStore, SavesInPlaceAndKeepsTheOldFileWhenASaveFails)
{
    const std::wstring path = TempPath(L"set.pvps");
    const rt::PropertyBag first{{L"IconSizeX", 24}, {L"Keys", L"a\u00FFb"}};
    ASSERT_EQ(rt::WritePropertySetFile(path, first), std::nullopt);
    const rt::PropertyBag second{{L"IconSizeX", 48}};
    ASSERT_EQ(rt::WritePropertySetFile(path, second), std::nullopt);  // over an existing file
    auto read = rt::ReadPropertySetFile(path);
    ASSERT_TRUE(std::holds_alternative<rt::PropertyBag>(read));
    EXPECT_EQ(std::get<rt::PropertyBag>(read), second);

    // The new copy cannot be made (its name is taken by a folder): the old file stays whole.
    const std::vector<std::uint8_t> before = ReadBytes(path);
    CreateDirectoryW(rt::TemporaryBeside(path).c_str(), nullptr);
    const auto failed = rt::WritePropertySetFile(path, first);
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->empty());
    EXPECT_EQ(ReadBytes(path), before);
    RemoveDirectoryW(rt::TemporaryBeside(path).c_str());

    // Files that cannot be read give a reason and no set.
    WriteBytes(path, {'P', 'V', 'P', 'S', 1, 0, 0, 0, 5, 0, 0, 0});
    for (const std::wstring& bad : {path, TempPath(L"absent.pvps")}) {
        auto result = rt::ReadPropertySetFile(bad);
        ASSERT_TRUE(std::holds_alternative<std::wstring>(result));
        EXPECT_FALSE(std::get<std::wstring>(result).empty());
    }
    EXPECT_EQ(std::get<std::wstring>(rt::ReadPropertySetFile(path)), L"the file ends too early");
    DeleteFileW(path.c_str());
}

}  // namespace
