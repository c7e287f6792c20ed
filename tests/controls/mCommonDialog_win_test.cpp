#include "controls/mCommonDialog_win.h"
#include "controls/mDeclares_win.h"
#include "support/DialogScript_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace controls;
using namespace std::string_literals;

namespace {

// What a dialog call was given.
struct SeenFileDialog {
    bool open = false;
    DWORD structSize = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    std::wstring filter;  // up to and including the two closing NULs
    DWORD filterIndex = 0;
    std::wstring file;    // the buffer's text
    DWORD maxFile = 0;
    std::wstring title;
    DWORD maxTitle = 0;
    // Each text and whether one was given at all (none: the dialog's own choice).
    std::wstring initialDir = L"?";
    bool initialDirGiven = true;
    std::wstring dialogTitle = L"?";
    bool dialogTitleGiven = true;
    std::wstring defExt = L"?";
    bool defExtGiven = true;
    DWORD flags = 0;
};

std::wstring FilterOf(const wchar_t* filter)
{
    std::wstring text;
    for (const wchar_t* p = filter; !(p[0] == 0 && p[1] == 0); ++p)
        text += *p;
    return text + L"\0\0"s;
}

// A dialog that records what it is given, then writes `answer` into the file buffer and returns `result`.
CommonDialogCalls Recording(SeenFileDialog& seen, std::wstring answer, std::wstring answerTitle, BOOL result)
{
    const auto record = [&seen, answer, answerTitle, result](OPENFILENAMEW& ofn, bool open) {
        seen.open = open;
        seen.structSize = ofn.lStructSize;
        seen.owner = ofn.hwndOwner;
        seen.filter = FilterOf(ofn.lpstrFilter);
        seen.filterIndex = ofn.nFilterIndex;
        seen.file = ofn.lpstrFile;
        seen.maxFile = ofn.nMaxFile;
        seen.title = ofn.lpstrFileTitle;
        seen.maxTitle = ofn.nMaxFileTitle;
        seen.initialDirGiven = ofn.lpstrInitialDir != nullptr;
        seen.initialDir = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : L"";
        seen.dialogTitleGiven = ofn.lpstrTitle != nullptr;
        seen.dialogTitle = ofn.lpstrTitle ? ofn.lpstrTitle : L"";
        seen.defExtGiven = ofn.lpstrDefExt != nullptr;
        seen.defExt = ofn.lpstrDefExt ? ofn.lpstrDefExt : L"";
        seen.flags = ofn.Flags;
        // Fill the buffers as the dialog does, over the whole of them.
        std::fill(ofn.lpstrFile, ofn.lpstrFile + ofn.nMaxFile, L'\0');
        answer.copy(ofn.lpstrFile, std::min<size_t>(answer.size(), ofn.nMaxFile));
        std::fill(ofn.lpstrFileTitle, ofn.lpstrFileTitle + ofn.nMaxFileTitle, L'\0');
        answerTitle.copy(ofn.lpstrFileTitle, answerTitle.size());
        return result;
    };
    CommonDialogCalls calls = PlatformDialogCalls();
    calls.getOpenFileName = [record](OPENFILENAMEW& ofn) { return record(ofn, true); };
    calls.getSaveFileName = [record](OPENFILENAMEW& ofn) { return record(ofn, false); };
    return calls;
}

}  // namespace

TEST(ShowFileDialog, GivesTheDialogItsFilterBuffersAndFlags)
{
    SeenFileDialog seen;
    const ScopedDialogCalls calls(Recording(seen, L"C:\\t\\b.txt", L"b.txt", TRUE));
    std::wstring fileName = L"a.txt";
    std::wstring fileTitle = L"a";
    EXPECT_TRUE(ShowFileDialog(fileName, fileTitle, true, false, false, true, L"Text Document (*.txt)|*.txt", 1,
                               L"C:\\t", L"Save the tape", L"txt", kNoOwner, OFN_ENABLEHOOK | OFN_ENABLETEMPLATE,
                               false));
    EXPECT_FALSE(seen.open);
    EXPECT_EQ(seen.structSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_EQ(seen.filter, L"Text Document (*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(seen.filterIndex, 1u);
    EXPECT_EQ(seen.file, L"a.txt");
    EXPECT_EQ(seen.maxFile, 260u);
    EXPECT_EQ(seen.title, L"a");
    EXPECT_EQ(seen.maxTitle, 260u);
    EXPECT_EQ(seen.initialDir, L"C:\\t");
    EXPECT_EQ(seen.dialogTitle, L"Save the tape");
    EXPECT_EQ(seen.defExt, L"txt");
    EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));  // no hook, no template
    EXPECT_EQ(fileName, L"C:\\t\\b.txt");
    EXPECT_EQ(fileTitle, L"b.txt");

    // Empty texts leave the choice to the dialog; an owner is passed on.
    const HWND desktop = GetDesktopWindow();
    fileName = std::wstring(400, L'n');  // longer than the buffer: cut to fit with its terminator
    EXPECT_TRUE(ShowFileDialog(fileName, fileTitle, false, false, true, false, L"All|*.*", 2, L"", L"", L"",
                               desktop, 0, true));
    EXPECT_TRUE(seen.open);
    EXPECT_EQ(seen.owner, desktop);
    EXPECT_FALSE(seen.initialDirGiven);
    EXPECT_FALSE(seen.dialogTitleGiven);
    EXPECT_FALSE(seen.defExtGiven);
    EXPECT_EQ(seen.file, std::wstring(259, L'n'));
    EXPECT_EQ(seen.flags, static_cast<DWORD>(OFN_READONLY));
    EXPECT_EQ(seen.filterIndex, 2u);
}

TEST(ShowFileDialog, ReadsSeveralFilesWhenTheExtraFlagsAllowThem)
{
    SeenFileDialog seen;
    const ScopedDialogCalls calls(Recording(seen, L"C:\\t\0a.txt\0b.txt\0\0"s, L"", TRUE));
    std::wstring fileName;
    std::wstring fileTitle = L"old";
    EXPECT_TRUE(ShowFileDialog(fileName, fileTitle, false, false, false, false, L"All|*.*", 1, L"", L"", L"",
                               nullptr, 0x80200, true));
    EXPECT_EQ(seen.maxFile, 8192u);
    EXPECT_EQ(seen.flags, 0x80200u);
    EXPECT_EQ(fileName, L"C:\\t\0a.txt\0b.txt"s);
    EXPECT_EQ(fileTitle, L"");
}

TEST(ShowFileDialog, ACancelledDialogEmptiesTheNames)
{
    SeenFileDialog seen;
    const ScopedDialogCalls calls(Recording(seen, L"C:\\x.txt", L"x.txt", FALSE));
    std::wstring fileName = L"a.txt";
    std::wstring fileTitle = L"a.txt";
    EXPECT_FALSE(ShowFileDialog(fileName, fileTitle, false, false, false, false, L"All|*.*", 1, L"", L"", L"",
                                nullptr, 0, true));
    EXPECT_EQ(fileName, L"");
    EXPECT_EQ(fileTitle, L"");
}

TEST(ShowColorDialog, KeepsTheCustomColoursOfAChosenColourOnly)
{
    std::vector<COLORREF> offered;
    DWORD flags = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    COLORREF initial = 0;
    BOOL result = TRUE;
    CommonDialogCalls fake = PlatformDialogCalls();
    fake.chooseColor = [&](CHOOSECOLORW& cc) {
        EXPECT_EQ(cc.lStructSize, sizeof(CHOOSECOLORW));
        offered.assign(cc.lpCustColors, cc.lpCustColors + 16);
        flags = cc.Flags;
        owner = cc.hwndOwner;
        initial = cc.rgbResult;
        cc.lpCustColors[3] = RGB(1, 2, 3);  // the user defines a custom colour
        cc.rgbResult = RGB(9, 8, 7);
        return result;
    };
    const ScopedDialogCalls calls(fake);

    std::vector<COLORREF> system;
    for (int n = 0; n < 16; ++n)
        system.push_back(GetSysColor(n));
    std::int32_t colour = 0x123456;
    EXPECT_TRUE(ShowColorDialog(colour, true, true, false, kNoOwner));
    EXPECT_EQ(offered, system);  // the first dialog offers the first 16 system colours
    EXPECT_EQ(flags, static_cast<DWORD>(CC_RGBINIT | CC_ANYCOLOR | CC_FULLOPEN));
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(initial, 0x123456u);
    EXPECT_EQ(colour, static_cast<std::int32_t>(RGB(9, 8, 7)));

    std::vector<COLORREF> kept = system;
    kept[3] = RGB(1, 2, 3);
    EXPECT_TRUE(ShowColorDialog(colour, false, false, true, nullptr));
    EXPECT_EQ(offered, kept);  // offered again by the next dialog
    EXPECT_EQ(flags, static_cast<DWORD>(CC_RGBINIT | CC_SOLIDCOLOR | CC_PREVENTFULLOPEN));

    result = FALSE;
    EXPECT_FALSE(ShowColorDialog(colour, false, false, false, nullptr));
    EXPECT_EQ(colour, -1);
    EXPECT_EQ(std::vector<COLORREF>(CustomColors().begin(), CustomColors().end()), kept);  // cancel keeps them
}

// The real dialogs, answered as a user would.
TEST(CommonDialogs, RealDialogsAnswerOkAndCancel)
{
    const std::wstring folder = TempFolder() + L"plumvane-dialog-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"\\one.txt", L"\\two.txt"}) {
        const HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    {
        test::DialogScript script;
        script.Answer(IDOK);
        std::wstring fileName = folder + L"\\one.txt";
        std::wstring fileTitle;
        EXPECT_TRUE(ShowFileDialog(fileName, fileTitle, true, false, false, true, L"Text (*.txt)|*.txt", 1, L"",
                                   L"Open a tape", L"", nullptr, 0, true));
        EXPECT_EQ(fileName, folder + L"\\one.txt");
        EXPECT_EQ(fileTitle, L"one.txt");
    }
    {
        test::DialogScript script;
        script.Answer(IDOK);
        std::wstring fileName = L"\"one.txt\" \"two.txt\"";
        std::wstring fileTitle;
        EXPECT_TRUE(ShowFileDialog(fileName, fileTitle, true, true, false, true, L"Text (*.txt)|*.txt", 1, folder,
                                   L"", L"", nullptr, OFN_EXPLORER, true));
        EXPECT_EQ(fileName, folder + L"\0one.txt\0two.txt"s);
        EXPECT_EQ(fileTitle, L"");
    }
    {
        test::DialogScript script;
        script.Answer(IDCANCEL);
        std::wstring fileName = L"x.txt";
        std::wstring fileTitle = L"x.txt";
        EXPECT_FALSE(ShowFileDialog(fileName, fileTitle, false, false, false, false, L"All|*.*", 1, folder, L"",
                                    L"txt", nullptr, 0, false));
        EXPECT_EQ(fileName, L"");
    }
    {
        test::DialogScript script;
        script.Answer(IDOK).Answer(IDCANCEL);
        std::int32_t colour = 0x00FF00;
        EXPECT_TRUE(ShowColorDialog(colour, true, false, false, nullptr));
        EXPECT_EQ(colour, 0x00FF00);
        EXPECT_FALSE(ShowColorDialog(colour, true, false, false, nullptr));
        EXPECT_EQ(colour, -1);
    }
    DeleteFileW((folder + L"\\one.txt").c_str());
    DeleteFileW((folder + L"\\two.txt").c_str());
    RemoveDirectoryW(folder.c_str());
}
