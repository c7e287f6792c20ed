// The image list's Images page in its design host, as a user drives it: files chosen in the open dialog
// (written here byte by byte), the questions and messages, keys, moves, the transparent colour and the strip
// painted on the page's image.
#include "designer/IconListDesigner_win.h"

#include "controls/mCommonDialog_win.h"
#include "runtime/FileIo_win.h"
#include "runtime/Handles_win.h"
#include "runtime/Picture_win.h"
#include "runtime/PropertySetStore_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"
#include "support/HostileImageFiles.h"
#include "support/ImageFileBytes.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

using imagelist::IconList;
using rt::ImageFileKind;
using test::DialogScript;
using test::Settle;

constexpr int kYesNoQuestion = 36;
constexpr int kInformation = 64;
const std::uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF};

COLORREF Ref(std::uint32_t rgb)
{
    return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// A 16 x 16 square of `rgb` whose top-left pixel is `corner`.
test::Bytes CorneredBitmap(std::uint32_t rgb, std::uint32_t corner, int width = 16)
{
    return test::BitmapFile(width, 16, [&](int x, int y) { return x == 0 && y == 0 ? corner : rgb; });
}

// The colour of image `position` at (x, y) drawn transparently over white.
COLORREF PixelOf(const IconList& list, int position, int x = 8, int y = 8)
{
    rt::WindowDc screen(nullptr);
    rt::MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
    rt::BitmapHandle canvas(CreateCompatibleBitmap(screen.get(), 16, 16));
    rt::SelectScope select(dc.get(), canvas.get());
    PatBlt(dc.get(), 0, 0, 16, 16, WHITENESS);
    ImageList_Draw(list.hIml(), position - 1, dc.get(), 0, 0, ILD_TRANSPARENT);
    return GetPixel(dc.get(), x, y);
}

// An image as the user sees it: its key, its centre and its top-left corner drawn over white.
struct ImageSummary {
    std::wstring key;
    COLORREF centre = 0;
    COLORREF corner = 0;
    friend bool operator==(const ImageSummary&, const ImageSummary&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ImageSummary& image)
    {
        return out << std::string(image.key.begin(), image.key.end()) << " " << std::hex << image.centre << "/"
                   << image.corner << std::dec;
    }
};

std::vector<ImageSummary> Summary(const IconList& list)
{
    std::vector<ImageSummary> images;
    for (int i = 1; i <= list.ImageCount(); ++i)
        images.push_back({list.ItemKey(i).value_or(L"?"), PixelOf(list, i), PixelOf(list, i, 0, 0)});
    return images;
}

class ImagesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"plumvane-images-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        ASSERT_TRUE(designer.Open(folder + L"\\set.pvps"));
        designer.Show();
        Settle();
    }
    // The Images tab; images added to the control before are there as if the set held them.
    void ShowImages()
    {
        designer.tabPages.SetSelectedIndex(1);
        Settle();
    }
    void TearDown() override
    {
        if (designer.IsLoaded())
            designer.Unload();
        for (const auto& name : written)
            DeleteFileW((folder + L"\\" + name).c_str());
        DeleteFileW((folder + L"\\set.pvps").c_str());
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring Write(const std::wstring& name, const test::Bytes& bytes)
    {
        const std::wstring path = folder + L"\\" + name;
        EXPECT_FALSE(rt::ReplaceWholeFile(path, bytes));
        written.push_back(name);
        return path;
    }
    // Chooses `names` of the folder in the open dialog that Add shows, as the dialog answers them.
    void Add(const std::vector<std::wstring>& names)
    {
        std::wstring answer = names.size() == 1 ? folder + L"\\" + names[0] : folder;
        for (std::size_t i = 0; names.size() > 1 && i < names.size(); ++i)
            answer += L'\0' + names[i];
        controls::CommonDialogCalls calls = controls::PlatformDialogCalls();
        calls.getOpenFileName = [&](OPENFILENAMEW& dialog) {
            asked = dialog;
            extension = dialog.lpstrDefExt;
            filter.assign(dialog.lpstrFilter, dialog.lpstrFilter + std::wcslen(dialog.lpstrFilter));
            title = dialog.lpstrTitle;
            answer.copy(dialog.lpstrFile, dialog.nMaxFile - 2);
            dialog.lpstrFile[answer.size()] = dialog.lpstrFile[answer.size() + 1] = L'\0';
            return TRUE;
        };
        controls::ScopedDialogCalls scoped(calls);
        test::Click(Page().cmdAdd);
    }
    // Images of one colour each, keyed "k1", "k2", ..., shown on the page.
    void Fill(int count)
    {
        for (int i = 0; i < count; ++i) {
            const test::Bytes icon = test::IconFile(16, kColours[i % 6]);
            Write(L"fill.ico", icon);
            Image().AddFromFile(folder + L"\\fill.ico", imagelist::kImageIcon, L"k" + std::to_wstring(i + 1));
        }
        designer.SetSelection({&Image()});
    }
    std::vector<std::wstring> Keys()
    {
        std::vector<std::wstring> keys;
        for (int i = 1; i <= Image().ImageCount(); ++i)
            keys.push_back(Image().ItemKey(i).value_or(L"?"));
        return keys;
    }
    COLORREF Pixel(int position, int x = 8, int y = 8) { return PixelOf(Image(), position, x, y); }
    // The images of the set as a new design host reads it from the file.
    std::vector<ImageSummary> Reopened()
    {
        designer::IconListDesigner again;
        EXPECT_TRUE(again.Open(folder + L"\\set.pvps"));
        again.Show();
        Settle();
        auto images = Summary(again.Image1);
        again.Unload();
        return images;
    }
    // Replaces the text of `box` by typing.
    void Retype(rt::TextBox& box, const wchar_t* text)
    {
        box.SetFocus();
        Settle();
        box.SetSelStart(0);
        box.SetSelLength(100);
        test::TypeText(text);
    }
    // A press at (x, y) pixels of the page.
    void PressAt(int x, int y) { test::ClickAt(Page().hWnd(), x, y); }
    imagelist::ppgImages& Page() { return designer.ppgImages1; }
    IconList& Image() { return designer.Image1; }

    std::wstring folder;
    std::vector<std::wstring> written;
    OPENFILENAMEW asked{};
    std::wstring filter, title, extension;
    designer::IconListDesigner designer;
};

// Several files at once, each placed right after the selected image; a last name of one character is taken.
TEST_F(ImagesPageTest, AddsSeveralFilesKeyedFromTheirNamesAfterTheSelection)
{
    ShowImages();
    Write(L"A.ico", test::IconFile(16, kColours[0]));
    Write(L"b.cur", test::IconFile(16, kColours[1], true));
    Write(L"C.bmp", CorneredBitmap(kColours[2], 0));
    Write(L"g", test::GifFile(16, 16, {0, kColours[3]}, [](int x, int y) { return x + y > 0 ? 1 : 0; }));
    test::Click(Page().chkSetKeys);
    Add({L"A.ico"});
    EXPECT_EQ(title, L"Choose Icon to add");
    EXPECT_EQ(filter, L"ImageList Pictures (*.ICO;*.CUR;*.ANI;*.BMP;*.DIB;*.GIF)");
    EXPECT_EQ(asked.Flags & 0x81200u, 0x81200u);  // explorer style, several files, files must exist
    EXPECT_EQ(asked.hwndOwner, Page().cmdAdd.hWnd());
    EXPECT_EQ(extension, L"ICO");
    Add({L"b.cur", L"C.bmp", L"g"});
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"A", L"G", L"C", L"B"}));
    const std::uint32_t order[] = {kColours[0], kColours[3], kColours[2], kColours[1]};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(Pixel(i + 1), Ref(order[i]));
    }
    EXPECT_EQ(Page().SelectedImage, 0);
    EXPECT_EQ(Page().txtIndex.Text(), L"1 of 4");
    EXPECT_TRUE(designer.cmdApply.Enabled());
}

TEST_F(ImagesPageTest, AnAnimatedCursorGivesAllItsFramesOrOneImage)
{
    ShowImages();
    const std::vector<std::uint32_t> frames(std::begin(kColours), std::end(kColours));
    const std::wstring walk = Write(L"walk.ani", test::AnimatedCursorFile(16, frames));
    Write(L"plain.ani", test::IconFile(16, kColours[4], true));
    test::Click(Page().chkSetKeys);
    DialogScript script;
    script.Answer(IDYES).Answer(IDNO).Answer(IDYES);
    Add({L"walk.ani"});
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, L"Do you want to load all frames of the animated cursor file '" + walk + L"'?");
    EXPECT_EQ(script.Shown()[0].style, kYesNoQuestion);
    ASSERT_EQ(Keys(), (std::vector<std::wstring>{L"WALK:1", L"WALK:2", L"WALK:3", L"WALK:4", L"WALK:5", L"WALK:6"}));
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(Pixel(i + 1), Ref(frames[i]));
    }
    // No: one image, after the selected first one. A plain cursor under the name counts as one frame.
    Add({L"walk.ani", L"plain.ani"});
    EXPECT_EQ(Image().ImageCount(), 8);
    EXPECT_EQ(Image().ItemKey(2).value_or(L"?"), L"PLAIN");
    EXPECT_EQ(Image().ItemKey(3).value_or(L"?"), L"WALK");
    EXPECT_EQ(Pixel(2), Ref(kColours[4]));
}

// With nothing selected the images are appended, and keying the frames of a file leaves earlier files' keys.
TEST_F(ImagesPageTest, KeysOfAnEarlierFileStayWhenNothingIsSelected)
{
    ShowImages();
    Write(L"first.ico", test::IconFile(16, kColours[0]));
    Write(L"wide.bmp", CorneredBitmap(kColours[1], 0, 48));
    test::Click(Page().chkSetKeys);
    EXPECT_EQ(Page().SelectedImage, -1);
    Add({L"first.ico", L"wide.bmp"});
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"FIRST", L"WIDE:1", L"WIDE:2", L"WIDE:3"}));
}

TEST_F(ImagesPageTest, AFileThatIsNoImageIsReportedAndAddsNothing)
{
    ShowImages();
    const std::wstring notes = Write(L"notes.txt", {'n', 'o', 't', 'e', 's'});
    Write(L"A.ico", test::IconFile(16, kColours[0]));
    DialogScript script;
    script.Answer(IDOK).Answer(IDOK);
    Add({L"notes.txt", L"A.ico"});
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text,
              L"The file '" + notes + L"' could not be loaded.  Please check whether this is a valid image.");
    EXPECT_EQ(script.Shown()[0].style, kInformation);
    EXPECT_EQ(Image().ImageCount(), 1);
    Add({L"notes.txt"});
    EXPECT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(Image().ImageCount(), 1);
    EXPECT_EQ(Pixel(1), Ref(kColours[0]));
}

// A bitmap's transparent colour: its top-left pixel, or the colour of the three boxes (held to 0 ... 255).
TEST_F(ImagesPageTest, BitmapsTurnTheChosenColourTransparent)
{
    ShowImages();
    Write(L"two.bmp", CorneredBitmap(kColours[0], kColours[1]));
    EXPECT_TRUE(Page().txtRGB[0].Locked());
    EXPECT_FALSE(Page().cmdPickColour.Enabled());
    Add({L"two.bmp"});
    EXPECT_EQ(Pixel(1, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(1), Ref(kColours[0]));

    test::Click(Page().optTransparentColour[1]);
    EXPECT_FALSE(Page().txtRGB[0].Locked());
    Retype(Page().txtRGB[0], L"300");
    Retype(Page().txtRGB[1], L"x");
    Retype(Page().txtRGB[2], L"-5");
    EXPECT_EQ(Page().lblColor.BackColor(), 0x0000FFu);
    Add({L"two.bmp"});
    EXPECT_EQ(Pixel(2, 0, 0), Ref(kColours[1]));
    EXPECT_EQ(Pixel(2), RGB(255, 255, 255));

    controls::CommonDialogCalls calls = controls::PlatformDialogCalls();
    COLORREF seed = 0;
    calls.chooseColor = [&](CHOOSECOLORW& dialog) {
        seed = dialog.rgbResult;
        dialog.rgbResult = RGB(1, 2, 3);
        return TRUE;
    };
    {
        controls::ScopedDialogCalls scoped(calls);
        test::Click(Page().cmdPickColour);
    }
    EXPECT_EQ(seed, RGB(255, 0, 0));
    EXPECT_EQ(Page().txtRGB[2].Text(), L"3");
    EXPECT_EQ(Page().lblColor.BackColor(), static_cast<rt::OleColor>(RGB(1, 2, 3)));
}

// Whatever the page adds and Apply applies is in the file: adds through the picture loader and the frames of an
// animated cursor name no changed property of the control, and must be saved all the same.
TEST_F(ImagesPageTest, EveryAddIsSavedByApplyAndReadByANewHost)
{
    ShowImages();
    Write(L"pic.gif", test::GifFile(16, 16, {0x000000, kColours[3]}, [](int x, int y) { return x + y > 0 ? 1 : 0; }));
    const std::vector<std::uint32_t> frames(std::begin(kColours), std::begin(kColours) + 3);
    Write(L"walk.ani", test::AnimatedCursorFile(16, frames));
    Write(L"A.ico", test::IconFile(16, kColours[4]));
    Write(L"b.cur", test::IconFile(16, kColours[5], true));
    Write(L"C.bmp", CorneredBitmap(kColours[2], 0));
    struct Step {
        const wchar_t* file;
        bool keys;
        int count;
    };
    const Step steps[] = {{L"pic.gif", false, 1}, {L"walk.ani", false, 4}, {L"walk.ani", true, 7},
                          {L"A.ico", true, 8},    {L"b.cur", true, 9},     {L"C.bmp", true, 10}};
    DialogScript script;
    for (const Step& step : steps) {
        SCOPED_TRACE(std::wstring(step.file) + (step.keys ? L" keyed" : L""));
        if ((Page().chkSetKeys.Value() == 1) != step.keys)
            test::Click(Page().chkSetKeys);
        if (std::wstring(step.file) == L"walk.ani")
            script.Answer(IDYES);  // all frames
        Add({step.file});
        ASSERT_EQ(Image().ImageCount(), step.count);
        ASSERT_TRUE(designer.cmdApply.Enabled());
        test::Click(designer.cmdApply);
        EXPECT_FALSE(designer.cmdApply.Enabled());
        EXPECT_EQ(Reopened(), Summary(Image()));
    }
    EXPECT_EQ(Keys(),
              (std::vector<std::wstring>{L"", L"C", L"B", L"A", L"WALK:1", L"WALK:2", L"WALK:3", L"", L"", L""}));
}

// The top-left colour of a picture turns transparent whatever alpha the picture loader gives its pixels, in the
// list and in the saved set.
TEST_F(ImagesPageTest, APicturesTopLeftColourTurnsTransparent)
{
    ShowImages();
    Write(L"pic.gif", test::GifFile(16, 16, {kColours[1], kColours[3]}, [](int x, int y) { return x + y > 0; }));
    Add({L"pic.gif"});
    EXPECT_EQ(Pixel(1, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(1), Ref(kColours[3]));
    test::Click(designer.cmdApply);
    EXPECT_EQ(Reopened(), (std::vector<ImageSummary>{{L"", Ref(kColours[3]), RGB(255, 255, 255)}}));
}

// Moves keep keys with their images; a removal is offered to apply and reaches the saved set.
TEST_F(ImagesPageTest, MovesAndARemovalReachTheSavedSet)
{
    Fill(3);
    ShowImages();
    EXPECT_FALSE(Page().cmdBack.Enabled());
    EXPECT_FALSE(Page().cmdMoveDown.Enabled());
    test::Click(Page().cmdMoveUp);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"k2", L"k1", L"k3"}));
    EXPECT_EQ(Pixel(2), Ref(kColours[0]));
    test::Click(Page().cmdNext);
    EXPECT_EQ(Page().SelectedImage, 2);
    EXPECT_FALSE(Page().cmdNext.Enabled());
    EXPECT_FALSE(Page().cmdMoveUp.Enabled());
    test::Click(Page().cmdMoveDown);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"k2", L"k3", L"k1"}));
    test::Click(designer.cmdApply);
    ASSERT_FALSE(designer.cmdApply.Enabled());
    test::Click(Page().cmdRemove);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"k2", L"k1"}));
    ASSERT_TRUE(designer.cmdApply.Enabled());
    test::Click(designer.cmdApply);
    auto saved = rt::ReadPropertySetFile(folder + L"\\set.pvps");
    ASSERT_TRUE(std::holds_alternative<rt::PropertyBag>(saved));
    EXPECT_EQ(std::get<rt::PropertyBag>(saved).Read<std::int16_t>(L"KeyCount", 0), 2);
}

TEST_F(ImagesPageTest, ClearAsksAndAnEmptyListDisablesTheSelection)
{
    Fill(2);
    ShowImages();
    DialogScript script;
    script.Answer(IDNO).Answer(IDYES).Answer(IDYES);
    test::Click(Page().cmdClear);
    EXPECT_EQ(Image().ImageCount(), 2);
    test::Click(Page().cmdClear);
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[0].text, L"Are you sure you want to remove all icons?");
    EXPECT_EQ(script.Shown()[1].style, kYesNoQuestion);
    EXPECT_EQ(Image().ImageCount(), 0);
    EXPECT_EQ(Page().SelectedImage, -1);
    EXPECT_EQ(Page().txtIndex.Text(), L"");
    EXPECT_FALSE(Page().txtKey.Enabled());
    for (const rt::Control* button : {&Page().cmdBack, &Page().cmdNext, &Page().cmdMoveDown, &Page().cmdMoveUp,
                                      &Page().cmdRemove})
        EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(Page().hscScroll.Visible());
    EXPECT_EQ(Page().hscScroll.Value(), 0);
    test::Click(Page().cmdClear);  // an empty list is still asked about
    EXPECT_EQ(script.Shown().size(), 3u);
    Write(L"A.ico", test::IconFile(16, kColours[0]));
    Add({L"A.ico"});
    EXPECT_EQ(Page().SelectedImage, 0);
}

TEST_F(ImagesPageTest, AKeyIsWrittenOnTheNextStepOrRefusedWhenTaken)
{
    Fill(3);
    ShowImages();
    DialogScript script;
    script.Answer(IDOK);
    Retype(Page().txtKey, L"k2");
    test::Click(Page().cmdNext);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, L"This key is already associated with an element of this collection");
    EXPECT_EQ(script.Shown()[0].style, kInformation);
    EXPECT_EQ(Image().ItemKey(1).value_or(L"?"), L"k1");
    Retype(Page().txtKey, L"two");
    test::Click(designer.cmdApply);
    EXPECT_EQ(Image().ItemKey(2).value_or(L"?"), L"two");
}

// The strip as painted on the page's image: 12 images fit, 30 scroll, presses choose.
TEST_F(ImagesPageTest, TheStripShowsScrollsAndAnswersPresses)
{
    const HDC page = Page().hDC();
    Fill(12);
    ShowImages();
    EXPECT_EQ(Page().StripRect, (imagelist::PixelRect{4, 205, 381, 271}));
    EXPECT_FALSE(Page().hscScroll.Visible());
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetPixel(page, 6 + 18 * i + 8, 217), Ref(kColours[i % 6]));
    }
    EXPECT_EQ(GetPixel(page, 14, 207), GetSysColor(COLOR_3DLIGHT));  // the raised edge round image 1
    EXPECT_EQ(GetPixel(page, 32, 207), GetSysColor(COLOR_WINDOW));   // none round image 2
    PressAt(220, 240);  // just right of the last image
    EXPECT_EQ(Page().SelectedImage, 11);
    EXPECT_FALSE(Page().cmdNext.Enabled());
    EXPECT_FALSE(Page().cmdMoveUp.Enabled());
    PressAt(240, 240);
    EXPECT_EQ(Page().SelectedImage, 11);
    PressAt(4, 240);
    EXPECT_EQ(Page().SelectedImage, 0);

    Fill(18);
    ASSERT_TRUE(Page().hscScroll.Visible());
    EXPECT_EQ(Page().hscScroll.Max(), 180);
    EXPECT_EQ(Page().hscScroll.SmallChange(), 18);
    EXPECT_EQ(Page().hscScroll.LargeChange(), 144);
    PressAt(6 + 18 * 19 + 8, 217);
    EXPECT_EQ(Page().SelectedImage, 19);
    test::Click(Page().cmdNext);
    EXPECT_EQ(Page().hscScroll.Value(), 20);
    EXPECT_EQ(Page().txtIndex.Text(), L"21 of 30");
    EXPECT_EQ(GetPixel(page, 6 - 20 + 18 * 5 + 8, 217), Ref(kColours[5]));
}

// A new icon size applied on the Properties tab shows on the strip when the Images tab comes back.
TEST_F(ImagesPageTest, TheStripFollowsANewIconSize)
{
    Fill(3);
    ShowImages();
    designer.tabPages.SetSelectedIndex(0);
    DialogScript script;
    script.Answer(IDYES).Answer(IDYES);  // the preset, then the apply
    test::Click(designer.ppgControl1.cmdSize[2]);
    test::Click(designer.cmdApply);
    ShowImages();
    EXPECT_EQ(GetPixel(Page().hDC(), 6 + 34 + 16, 209 + 16), Ref(kColours[1]));
}

TEST_F(ImagesPageTest, AccessKeysTabAndEscapeReachThePage)
{
    Fill(2);
    ShowImages();
    test::PressAltKey(L'k');
    EXPECT_TRUE(Page().txtKey.HasFocus());
    test::PressKey(VK_TAB);
    EXPECT_TRUE(Page().chkSetKeys.HasFocus());
    test::PressAltKey(L'r');
    EXPECT_EQ(Image().ImageCount(), 1);
    test::PressKey(VK_ESCAPE);
    EXPECT_FALSE(designer.IsLoaded());
}

// Alt+A is the page's Add whether or not the sheet offers to apply: no button of the sheet shares its key.
TEST_F(ImagesPageTest, AltAAddsAgainWhileApplyIsOffered)
{
    Fill(1);
    ShowImages();
    int dialogs = 0;
    controls::CommonDialogCalls calls = controls::PlatformDialogCalls();
    calls.getOpenFileName = [&](OPENFILENAMEW&) {
        ++dialogs;
        return FALSE;
    };
    controls::ScopedDialogCalls scoped(calls);
    Page().SetChanged(true);
    ASSERT_TRUE(designer.cmdApply.Enabled());
    for (int press = 1; press <= 3; ++press) {
        SCOPED_TRACE(press);
        test::PressAltKey(L'a');
        EXPECT_EQ(dialogs, press);
        EXPECT_TRUE(designer.cmdApply.Enabled());
    }
}

// Back to the first `keep` images after an add that placed its images after image 1.
void RemoveAdded(IconList& list, std::size_t keep)
{
    while (list.ImageCount() > static_cast<int>(keep))
        list.RemoveImage(2.0);
}

// Hostile image files through every path of the page that reaches a platform reader: AddFromFile as bitmap,
// icon and cursor, all frames of a cursor, and the picture loader with AddFromHandle. The readers under Wine
// trust every header field; no file may end or hang the host, and one that adds nothing leaves the list
// exactly as it was.
TEST_F(ImagesPageTest, NoFileEndsTheHostAndARefusedOneChangesNothing)
{
    // Icons of 4 pixels, so that the small files the check passes are also cut and added.
    Image().SetIconSizeX(4);
    Image().SetIconSizeY(4);
    Image().Clear();
    Fill(2);
    const std::vector<std::wstring> before = Keys();
    std::map<ImageFileKind, int> files, refused, added;
    for (const test::HostileImageFile& file : test::HostileImageFiles()) {
        SCOPED_TRACE(file.name);
        const std::string extension = file.name.substr(file.name.rfind('.'));
        const std::wstring path = Write(L"hostile" + std::wstring(extension.begin(), extension.end()), file.bytes);
        const bool holds = rt::ImageFileHoldsTogether(file.kind, file.bytes);
        ++files[file.kind];
        refused[file.kind] += !holds;
        // Each path this kind of file takes on the page, placed after image 1.
        std::vector<std::function<bool()>> adds;
        switch (file.kind) {
        case ImageFileKind::Bitmap:
            adds.push_back([&] { return Image().AddFromFile(path, imagelist::kImageBitmap, {}, false, -1, 1.0) != 0; });
            break;
        case ImageFileKind::IconOrCursor:
            adds.push_back([&] { return Image().AddFromFile(path, imagelist::kImageIcon, {}, false, -1, 1.0) != 0; });
            adds.push_back([&] { return Image().AddFromFile(path, imagelist::kImageCursor, {}, false, -1, 1.0) != 0; });
            adds.push_back([&] {
                const int count = Image().ImageCount();
                designer.ppgImages1.AddCursorFrames(path, 1, L"");
                return Image().ImageCount() != count;
            });
            [[fallthrough]];  // the picture loader reads icons too
        case ImageFileKind::Picture:
            adds.push_back([&] {
                const auto loaded = rt::LoadPicture(path);
                const auto* picture = std::get_if<rt::PicturePtr>(&loaded);
                return picture && *picture && (*picture)->Bitmap() &&
                       Image().AddFromHandle((*picture)->Bitmap(), imagelist::kImageBitmap, {}, -1, 1.0);
            });
            break;
        }
        for (const auto& add : adds) {
            const bool took = add();
            EXPECT_FALSE(took && !holds) << "a file the check refuses reached the reader";
            if (took) {
                ++added[file.kind];
                EXPECT_EQ(Image().ItemKey(1).value_or(L"?"), L"k1");
                RemoveAdded(Image(), before.size());
            }
            ASSERT_EQ(Keys(), before);
        }
    }
    for (auto [kind, count] : files)
        std::printf("kind %d: %d files, %d refused by the check, %d adds\n", static_cast<int>(kind), count,
                    refused[kind], added[kind]);
}

// The files that ended or hung the host, through the page's own Add: each is reported as a file that could not
// be loaded, and the list keeps its two images.
TEST_F(ImagesPageTest, TheFilesThatEndedTheHostAreReportedAsNotLoaded)
{
    Fill(2);
    ShowImages();
    const struct {
        const char* name;
        test::Bytes bytes;
        int answer;  // to the all-frames question of an .ani; 0 for none
    } cases[] = {
        {"empty-frames.ani", test::SmallestFaultingAnimatedCursor(), IDYES},
        {"empty-frames-one.ani", test::SmallestFaultingAnimatedCursor(), IDNO},
        {"empty-frames.cur", test::SmallestFaultingAnimatedCursor(), 0},
        {"zero-width.cur", test::ZeroWidthCursor(), 0},
        {"zero-height.cur", test::ZeroHeightCursor(), 0},
        {"many-steps.ani", test::ManyStepsAnimatedCursor(), IDYES},
        {"narrow.jpg", test::SlowNarrowJpeg(), 0},
        {"huge.jpg", test::HugeJpeg(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring path = Write(std::wstring(c.name, c.name + std::strlen(c.name)), c.bytes);
        DialogScript script;
        if (c.answer)
            script.Answer(c.answer);
        script.Answer(IDOK);
        Add({path.substr(folder.size() + 1)});
        ASSERT_EQ(script.Shown().size(), c.answer ? 2u : 1u);
        EXPECT_EQ(script.Shown().back().text,
                  L"The file '" + path + L"' could not be loaded.  Please check whether this is a valid image.");
        EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"k1", L"k2"}));
    }
}

}  // namespace
