// The image list's design host as a user drives it: the Properties page, OK, Cancel and Apply, and the
// property-set file.
#include "designer/IconListDesigner_win.h"

#include "runtime/FileIo_win.h"
#include "runtime/Handles_win.h"
#include "runtime/PropertySetStore_win.h"
#include "support/DialogScript_win.h"
#include "support/FormDriver_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using imagelist::IconList;
using test::DialogScript;
using test::Settle;

const std::wstring kSizeQuestion = L"Changing size of the image list will distort any images you have added.\r\n\r\n";
constexpr int kYesNoQuestion = 36;

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"plumvane-designer-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

// A 16 x 16 icon of one opaque colour.
rt::IconHandle SolidIcon(COLORREF colour)
{
    std::vector<DWORD> pixels(16 * 16, 0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 |
                                           GetBValue(colour));
    std::vector<BYTE> mask(16 * 2, 0);
    rt::BitmapHandle colourBits(CreateBitmap(16, 16, 1, 32, pixels.data()));
    rt::BitmapHandle maskBits(CreateBitmap(16, 16, 1, 1, mask.data()));
    ICONINFO info{TRUE, 0, 0, maskBits.get(), colourBits.get()};
    return rt::IconHandle(CreateIconIndirect(&info));
}

// The colour at the centre of image `position` (1-based) as the list draws it.
COLORREF CentreColour(const IconList& list, int position)
{
    int width = 0, height = 0;
    ImageList_GetIconSize(list.hIml(), &width, &height);
    rt::WindowDc screen(nullptr);
    rt::MemoryDcHandle dc(CreateCompatibleDC(screen.get()));
    rt::BitmapHandle canvas(CreateCompatibleBitmap(screen.get(), width, height));
    rt::SelectScope select(dc.get(), canvas.get());
    ImageList_Draw(list.hIml(), position - 1, dc.get(), 0, 0, ILD_NORMAL);
    return GetPixel(dc.get(), width / 2, height / 2);
}

const COLORREF kColours[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
const wchar_t* const kKeys[] = {L"a", L"bb", L"", L"Open"};

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = TempPath(L"set.pvps");
        DeleteFileW(path.c_str());
    }
    void TearDown() override
    {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that closing the host can save
        if (designer.IsLoaded())
            designer.Unload();
        DeleteFileW(path.c_str());
    }
    void Open()
    {
        ASSERT_TRUE(designer.Open(path));
        designer.Show();
        Settle();
    }
    // Four images keyed "a", "bb", "" and "Open", in four colours.
    void AddImages()
    {
        for (int i = 0; i < 4; ++i) {
            rt::IconHandle icon = SolidIcon(kColours[i]);
            ASSERT_TRUE(Image().AddFromHandle(icon.get(), imagelist::kImageIcon, std::wstring(kKeys[i])));
        }
    }
    IconList& Image() { return designer.Image1; }
    imagelist::ppgControl& Page() { return designer.ppgControl1; }
    void TypeSize(int index, const wchar_t* text)
    {
        Page().txtIconSize[index].SetFocus();
        Settle();
        Page().txtIconSize[index].SetSelStart(0);
        Page().txtIconSize[index].SetSelLength(100);
        test::TypeText(text);
    }
    // Applies the typed sizes, answering the one question a new size asks with `answer`; gives that question.
    test::ShownDialog ApplyAnswering(int answer)
    {
        DialogScript script;
        script.Answer(answer);
        test::Click(designer.cmdApply);
        EXPECT_EQ(script.Shown().size(), 1u);
        return script.Shown().empty() ? test::ShownDialog{} : script.Shown()[0];
    }
    void ExpectImagesKept()
    {
        ASSERT_EQ(Image().ImageCount(), 4);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(Image().ItemKey(i + 1).value_or(L"?"), kKeys[i]);
            EXPECT_EQ(CentreColour(Image(), i + 1), kColours[i]);
        }
    }

    std::wstring path;
    designer::IconListDesigner designer;
};

TEST_F(DesignerTest, SavesTheSetAndAnotherHostReadsAnEqualSet)
{
    Open();
    AddImages();
    TypeSize(0, L"24");
    TypeSize(1, L"24");
    DialogScript script;
    script.Answer(IDYES);
    test::Click(designer.cmdOK);
    EXPECT_FALSE(designer.IsLoaded());
    auto saved = rt::ReadPropertySetFile(path);
    ASSERT_TRUE(std::holds_alternative<rt::PropertyBag>(saved));
    EXPECT_EQ(std::get<rt::PropertyBag>(saved).Read<std::int32_t>(L"IconSizeX", 0), 24);

    designer::IconListDesigner again;
    ASSERT_TRUE(again.Open(path));
    again.Show();
    Settle();
    EXPECT_EQ(again.Image1.SaveProperties(), std::get<rt::PropertyBag>(saved));
    EXPECT_EQ(again.ppgControl1.txtIconSize[0].Text(), L"24");
    EXPECT_EQ(again.Image1.ItemKey(4).value_or(L"?"), L"Open");
    again.Unload();
}

TEST_F(DesignerTest, AFileThatCannotBeReadIsReportedAndLeftAlone)
{
    const char garbage[] = "not a property set";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, garbage, sizeof garbage, &written, nullptr);
    CloseHandle(file);
    DialogScript script;
    script.Answer(IDOK);
    EXPECT_FALSE(designer.Open(path));
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].text, L"The property set cannot be opened:\r\n\r\n" + path +
                                          L"\r\n\r\nthe file holds no property set\r\n\r\nNothing was changed.");
    EXPECT_EQ(script.Shown()[0].style, 16);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(data.nFileSizeLow, sizeof garbage);
}

TEST_F(DesignerTest, AReadOnlySetIsNotReplacedAndTheChangesAreKept)
{
    Open();
    AddImages();
    TypeSize(0, L"24");
    DialogScript first;
    first.Answer(IDYES);
    test::Click(designer.cmdApply);  // makes the file
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto before = rt::ReadPropertySetFile(path);
    ASSERT_TRUE(std::holds_alternative<rt::PropertyBag>(before));

    TypeSize(0, L"32");
    DialogScript script;
    script.Answer(IDYES).Answer(IDOK);
    test::Click(designer.cmdApply);
    ASSERT_EQ(script.Shown().size(), 2u);
    const std::wstring& shown = script.Shown()[1].text;
    EXPECT_EQ(shown.rfind(L"The property set could not be saved:\r\n\r\n" + path + L"\r\n\r\n", 0), 0u) << shown;
    EXPECT_NE(shown.find(L"The changes are kept in the open window"), std::wstring::npos) << shown;
    EXPECT_EQ(script.Shown()[1].style, 16);
    EXPECT_EQ(rt::ReadPropertySetFile(path), before);
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Image().IconSizeX(), 32);  // kept in the window, to be applied again
}

TEST_F(DesignerTest, PresetOnAnEmptyListAsksNothingAndRecreatesTheList)
{
    Open();
    EXPECT_EQ(Page().txtIconSize[0].Text(), L"16");
    EXPECT_EQ(Page().cboColourDepth.Text(), L"(Default)");
    EXPECT_FALSE(designer.cmdApply.Enabled());
    test::Click(Page().cmdSize[3]);
    EXPECT_EQ(Page().txtIconSize[0].Text(), L"48");
    EXPECT_EQ(Page().txtIconSize[1].Text(), L"48");
    EXPECT_TRUE(designer.cmdApply.Enabled());
    test::Click(designer.cmdApply);
    int width = 0, height = 0;
    ImageList_GetIconSize(Image().hIml(), &width, &height);
    EXPECT_EQ(width, 48);
    EXPECT_EQ(height, 48);
    EXPECT_TRUE(designer.IsLoaded());
    EXPECT_FALSE(designer.cmdApply.Enabled());
}

TEST_F(DesignerTest, WidthAloneAsksAndRecreatesWithTheImagesOrRestoresTheBoxes)
{
    Open();
    AddImages();
    TypeSize(0, L"32");
    const test::ShownDialog question = ApplyAnswering(IDNO);
    EXPECT_EQ(question.text, kSizeQuestion + L"Are you sure?");
    EXPECT_EQ(question.style, kYesNoQuestion);
    EXPECT_EQ(Page().txtIconSize[0].Text(), L"16");
    EXPECT_EQ(Image().IconSizeX(), 16);
    TypeSize(0, L"32");
    DialogScript script;
    script.Answer(IDYES);
    test::Click(designer.cmdApply);
    EXPECT_EQ(Image().IconSizeX(), 32);
    EXPECT_EQ(Image().IconSizeY(), 16);
    int width = 0, height = 0;
    ImageList_GetIconSize(Image().hIml(), &width, &height);
    EXPECT_EQ(width, 32);
    ExpectImagesKept();
}

// The names of the temporary image-list files in the temporary folder.
std::vector<std::wstring> TemporaryFiles()
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"ILS*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

TEST_F(DesignerTest, SixteenToSeventyTwoAndBackKeepsEveryImageAndKey)
{
    Open();
    AddImages();
    const std::vector<std::wstring> before = TemporaryFiles();
    for (int preset : {4, 0}) {
        SCOPED_TRACE(preset);
        DialogScript script;
        script.Answer(IDYES).Answer(IDYES);
        test::Click(Page().cmdSize[preset]);
        test::Click(designer.cmdApply);
        ASSERT_EQ(script.Shown().size(), 2u);
        EXPECT_EQ(script.Shown()[0].text, kSizeQuestion + L"Are you sure you want to do this?");
        ExpectImagesKept();
    }
    EXPECT_EQ(Image().IconSizeX(), 16);
    EXPECT_EQ(TemporaryFiles(), before);  // the page's temporary files are gone
}

TEST_F(DesignerTest, InvalidSizesAreRefusedAndChangeNothing)
{
    Open();
    AddImages();
    const HIMAGELIST before = Image().hIml();
    for (const wchar_t* text : {L"abc", L"0", L"0.5", L"-5", L"1E9", L"257", L"256.9", L""}) {
        SCOPED_TRACE(std::string(text, text + wcslen(text)));
        TypeSize(1, text);
        if (!*text)
            test::PressKey(VK_BACK);
        DialogScript script;
        script.Answer(IDOK);
        test::Click(designer.cmdApply);
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, L"Please enter a valid icon size.");
        EXPECT_EQ(script.Shown()[0].style, 64);
        EXPECT_EQ(Image().IconSizeY(), 16);
        EXPECT_EQ(Image().hIml(), before);
        EXPECT_TRUE(designer.cmdApply.Enabled());  // the typed value is still to be applied
    }
    ExpectImagesKept();
}

TEST_F(DesignerTest, AFractionalSizeIsAppliedAsItsWholeNumber)
{
    Open();
    AddImages();
    TypeSize(0, L"24.5");  // halves go to the even neighbour
    TypeSize(1, L"31.6");
    EXPECT_EQ(ApplyAnswering(IDYES).text, kSizeQuestion + L"Are you sure?");
    EXPECT_EQ(Image().IconSizeX(), 24);
    EXPECT_EQ(Image().IconSizeY(), 32);
    int width = 0, height = 0;
    ImageList_GetIconSize(Image().hIml(), &width, &height);
    EXPECT_EQ(width, 24);
    EXPECT_EQ(height, 32);
    ExpectImagesKept();
}

TEST_F(DesignerTest, ASaveThatCannotBeMadeKeepsTheImagesAndTheOldSize)
{
    Open();
    AddImages();
    wchar_t saved[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", saved, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", L"Z:\\no\\such\\folder\\");
    TypeSize(0, L"24");
    TypeSize(1, L"24");
    DialogScript script;
    script.Answer(IDYES).Answer(IDOK);
    test::Click(designer.cmdApply);
    SetEnvironmentVariableW(L"TMP", *saved ? saved : nullptr);
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[1].text,
              L"No temporary file could be made for the images, so the icon size was not changed.");
    EXPECT_EQ(Image().IconSizeX(), 16);
    EXPECT_EQ(Image().IconSizeY(), 16);
    ExpectImagesKept();
    EXPECT_TRUE(designer.cmdApply.Enabled());
}

TEST_F(DesignerTest, DepthAloneIsStoredWithoutRecreatingAndLoweringItWarns)
{
    Open();
    AddImages();
    auto& combo = Page().cboColourDepth;
    combo.SetFocus();
    Settle();
    const HIMAGELIST before = Image().hIml();
    test::PressKey(VK_END);  // "Excessive (32 bit)": higher, no warning
    EXPECT_EQ(combo.Text(), L"Excessive (32 bit)");
    test::Click(designer.cmdApply);
    EXPECT_EQ(Image().ColourDepth(), 32);
    EXPECT_EQ(Image().hIml(), before);

    combo.SetFocus();
    Settle();
    {
        DialogScript script;
        script.Answer(IDNO);
        test::PressKey(VK_HOME);  // "(Default)": lower, warns; No puts the entry back
        ASSERT_EQ(script.Shown().size(), 1u);
        EXPECT_EQ(script.Shown()[0].text, L"Warning - decreasing the colour depth may affect images already stored "
                                          L"in the control.  Are you sure you want to do this?");
        EXPECT_EQ(script.Shown()[0].style, kYesNoQuestion);
    }
    EXPECT_EQ(combo.ListIndex(), 5);
    EXPECT_FALSE(designer.cmdApply.Enabled());
    DialogScript script;
    script.Answer(IDYES);
    test::PressKey(VK_HOME);
    EXPECT_EQ(combo.ListIndex(), 0);
    EXPECT_TRUE(designer.cmdApply.Enabled());
}

std::vector<std::uint8_t> FileBytes(const std::wstring& path)
{
    auto read = rt::ReadWholeFile(path, 1u << 20);
    auto* bytes = std::get_if<std::vector<std::uint8_t>>(&read);
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

// Cancel throws away what was not applied: every way of closing but OK leaves the file as it was opened, also
// after an Apply that failed on a read-only file (which must never trap the user in the window).
TEST_F(DesignerTest, OnlyApplyAndOkWriteTheFileAndCancelAlwaysCloses)
{
    Open();
    AddImages();
    ASSERT_FALSE(rt::WritePropertySetFile(path, Image().SaveProperties()));  // a saved set of four images
    designer.Unload();
    const std::vector<std::uint8_t> saved = FileBytes(path);
    ASSERT_FALSE(saved.empty());
    auto& images = designer.ppgImages1;
    const std::function<void()> edits[] = {
        [&] {
            DialogScript script;
            script.Answer(IDYES);
            test::Click(images.cmdClear);
        },
        [&] { test::Click(images.cmdRemove); },
        [&] {
            rt::IconHandle icon = SolidIcon(kColours[0]);
            Image().AddFromHandle(icon.get(), imagelist::kImageIcon, std::wstring(L"new"));
            images.SetChanged(true);  // as the page's Add does
        },
    };
    const std::function<void()> closers[] = {
        [&] { test::Click(designer.cmdCancel); },
        [] { test::PressKey(VK_ESCAPE); },
        [&] { SendMessageW(designer.hWnd(), WM_SYSCOMMAND, SC_CLOSE, 0); },  // the close box and Alt+F4
    };
    for (bool readOnly : {false, true}) {
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
        for (std::size_t e = 0; e < std::size(edits); ++e) {
            for (std::size_t c = 0; c < std::size(closers); ++c) {
                SCOPED_TRACE(testing::Message() << "read-only " << readOnly << ", edit " << e << ", closer " << c);
                Open();
                designer.tabPages.SetSelectedIndex(1);
                Settle();
                edits[e]();
                ASSERT_TRUE(designer.cmdApply.Enabled());
                if (readOnly) {
                    DialogScript script;
                    script.Answer(IDOK);
                    test::Click(designer.cmdApply);
                    ASSERT_EQ(script.Shown().size(), 1u);  // could not be saved
                    ASSERT_TRUE(designer.IsLoaded());
                }
                closers[c]();
                Settle();
                EXPECT_FALSE(designer.IsLoaded());
                EXPECT_EQ(FileBytes(path), saved);
                if (designer.IsLoaded())
                    designer.Unload();
            }
        }
    }
}

TEST_F(DesignerTest, CancelLeavesTheControlAsItWas)
{
    Open();
    TypeSize(0, L"24");
    test::Click(designer.cmdCancel);
    EXPECT_FALSE(designer.IsLoaded());
    EXPECT_EQ(Image().IconSizeX(), 16);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);  // nothing changed, nothing saved
}

}  // namespace

TEST_F(DesignerTest, ANewSizeKeepsKeysTheSystemCodePageLacks)
{
    Open();
    // "Ω" has no place in the code page of the list's file, whose writer makes it "O": without care the two
    // keys would come back as one key twice.
    const std::wstring keys[] = {L"\u03A9pen", L"Open", L"caf\u00E9 \u4E2D"};
    for (const std::wstring& key : keys) {
        rt::IconHandle icon = SolidIcon(kColours[0]);
        ASSERT_TRUE(Image().AddFromHandle(icon.get(), imagelist::kImageIcon, key));
    }
    DialogScript script;
    script.Answer(IDYES).Answer(IDYES);
    test::Click(Page().cmdSize[2]);
    test::Click(designer.cmdApply);
    ASSERT_EQ(Image().IconSizeX(), 32);
    ASSERT_EQ(Image().ImageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(Image().ItemKey(i + 1).value_or(L"?"), keys[i]);
    }
}

// Esc and Enter close a dropped list as they do in any dialog: the sheet stays.
TEST_F(DesignerTest, EscAndEnterInADroppedListCloseTheListNotTheSheet)
{
    Open();
    auto& combo = Page().cboColourDepth;
    combo.SetFocus();
    Settle();
    for (int key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        SendMessageW(combo.hWnd(), CB_SHOWDROPDOWN, TRUE, 0);
        Settle();
        ASSERT_TRUE(SendMessageW(combo.hWnd(), CB_GETDROPPEDSTATE, 0, 0));
        test::PressKey(key);
        ASSERT_TRUE(designer.IsLoaded());
        EXPECT_FALSE(SendMessageW(combo.hWnd(), CB_GETDROPPEDSTATE, 0, 0));
    }
    test::PressKey(VK_ESCAPE);  // with the list closed, Esc is Cancel again
    EXPECT_FALSE(designer.IsLoaded());
}
