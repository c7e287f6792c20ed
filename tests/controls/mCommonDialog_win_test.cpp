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

// What the file dialog was given; texts it was not given read "(none)".
struct Seen {
    OPENFILENAMEW ofn{};
    std::wstring filter, file, title, folder, caption, extension;
};

std::wstring TextOf(const wchar_t* text)
{
    return text ? text : L"(none)";
}

// A file dialog that records what it is given, then fills the buffers with `answer` and returns `result`.
CommonDialogCalls FileDialog(Seen& seen, std::wstring answer, std::wstring answerTitle, BOOL result)
{
    const auto dialog = [&seen, answer, answerTitle, result](OPENFILENAMEW& ofn) {
        seen.ofn = ofn;
        const wchar_t* end = ofn.lpstrFilter;
        while (end[0] || end[1])
            ++end;
        seen.filter.assign(ofn.lpstrFilter, end + 2);
        seen.file = ofn.lpstrFile;
        seen.title = ofn.lpstrFileTitle;
        seen.folder = TextOf(ofn.lpstrInitialDir);
        seen.caption = TextOf(ofn.lpstrTitle);
        seen.extension = TextOf(ofn.lpstrDefExt);
        std::fill_n(ofn.lpstrFile, ofn.nMaxFile, L'\0');
        answer.copy(ofn.lpstrFile, ofn.nMaxFile);
        std::fill_n(ofn.lpstrFileTitle, ofn.nMaxFileTitle, L'\0');
        answerTitle.copy(ofn.lpstrFileTitle, ofn.nMaxFileTitle);
        return result;
    };
    CommonDialogCalls calls = PlatformDialogCalls();
    calls.getOpenFileName = calls.getSaveFileName = dialog;
    return calls;
}

}  // namespace

TEST(ShowFileDialog, GivesTheDialogItsFilterBuffersAndFlags)
{
    Seen seen;
    {
        const ScopedDialogCalls calls(FileDialog(seen, L"C:\\t\\b.txt", L"b.txt", TRUE));
        FileDialogArgs save{.fileName = L"a.txt",
                            .fileTitle = L"a",
                            .fileMustExist = true,
                            .hideReadOnly = true,
                            .filter = L"Text Document (*.txt)|*.txt",
                            .initialFolder = L"C:\\t",
                            .dialogTitle = L"Save the tape",
                            .defaultExtension = L"txt",
                            .owner = kNoOwner,
                            .extraFlags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE,
                            .open = false};
        EXPECT_TRUE(ShowFileDialog(save));
        EXPECT_EQ(seen.ofn.lStructSize, sizeof(OPENFILENAMEW));
        EXPECT_EQ(seen.ofn.hwndOwner, nullptr);
        EXPECT_EQ(seen.filter, L"Text Document (*.txt)\0*.txt\0\0"s);
        EXPECT_EQ(seen.file + L"|" + seen.title, L"a.txt|a");
        EXPECT_EQ(seen.ofn.nMaxFile + seen.ofn.nMaxFileTitle, 520u);
        EXPECT_EQ(seen.folder + L"|" + seen.caption + L"|" + seen.extension, L"C:\\t|Save the tape|txt");
        EXPECT_EQ(seen.ofn.Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));  // no hook or template
        EXPECT_EQ(save.fileName + L"|" + save.fileTitle, L"C:\\t\\b.txt|b.txt");

        // Empty texts leave the choice to the dialog; a name too long for the buffer is cut to fit.
        FileDialogArgs open{.fileName = std::wstring(400, L'n'),
                            .readOnly = true,
                            .filter = L"All|*.*",
                            .filterIndex = 2,
                            .owner = GetDesktopWindow()};
        EXPECT_TRUE(ShowFileDialog(open));
        EXPECT_EQ(seen.ofn.hwndOwner, GetDesktopWindow());
        EXPECT_EQ(seen.folder + seen.caption + seen.extension, L"(none)(none)(none)");
        EXPECT_EQ(seen.file, std::wstring(259, L'n'));
        EXPECT_EQ(seen.ofn.Flags, static_cast<DWORD>(OFN_READONLY));
    }
    const ScopedDialogCalls calls(FileDialog(seen, L"C:\\x.txt", L"x.txt", FALSE));
    FileDialogArgs cancelled{.fileName = L"a.txt", .fileTitle = L"a.txt", .filter = L"All|*.*"};
    EXPECT_FALSE(ShowFileDialog(cancelled));
    EXPECT_EQ(cancelled.fileName + cancelled.fileTitle, L"");
}

TEST(ShowColorDialog, KeepsTheCustomColoursOfAChosenColourOnly)
{
    std::vector<COLORREF> offered;
    CHOOSECOLORW seen{};
    BOOL result = TRUE;
    CommonDialogCalls fake = PlatformDialogCalls();
    fake.chooseColor = [&](CHOOSECOLORW& cc) {
        seen = cc;
        offered.assign(cc.lpCustColors, cc.lpCustColors + 16);
        cc.lpCustColors[3] = RGB(1, 2, 3);  // the user defines a custom colour
        cc.rgbResult = RGB(9, 8, 7);
        return result;
    };
    const ScopedDialogCalls calls(fake);

    std::vector<COLORREF> expected;
    for (int n = 0; n < 16; ++n)
        expected.push_back(GetSysColor(n));
    std::int32_t colour = 0x123456;
    EXPECT_TRUE(ShowColorDialog(colour, true, true, false, kNoOwner));
    EXPECT_EQ(offered, expected);  // the first dialog offers the first 16 system colours
    EXPECT_EQ(seen.lStructSize, sizeof(CHOOSECOLORW));
    EXPECT_EQ(seen.Flags, static_cast<DWORD>(CC_RGBINIT | CC_ANYCOLOR | CC_FULLOPEN));
    EXPECT_EQ(seen.hwndOwner, nullptr);
    EXPECT_EQ(seen.rgbResult, 0x123456u);
    EXPECT_EQ(colour, static_cast<std::int32_t>(RGB(9, 8, 7)));

    expected[3] = RGB(1, 2, 3);
    EXPECT_TRUE(ShowColorDialog(colour, false, false, true, nullptr));
    EXPECT_EQ(offered, expected);  // offered again by the next dialog
    EXPECT_EQ(seen.Flags, static_cast<DWORD>(CC_RGBINIT | CC_SOLIDCOLOR | CC_PREVENTFULLOPEN));

    result = FALSE;
    EXPECT_FALSE(ShowColorDialog(colour, false, false, false, nullptr));
    EXPECT_EQ(colour, -1);
    EXPECT_EQ(std::vector<COLORREF>(CustomColors().begin(), CustomColors().end()), expected);  // cancel keeps them
}

// The platform's dialogs, answered as a user would.
TEST(CommonDialogs, RealDialogsAnswerOkAndCancel)
{
    const std::wstring folder = TempFolder() + L"plumvane-dialog-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"\\one.txt", L"\\two.txt"})
        CloseHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    test::DialogScript script;
    script.Answer(IDOK).Answer(IDOK).Answer(IDCANCEL).Answer(IDOK).Answer(IDCANCEL);

    FileDialogArgs one{.fileName = folder + L"\\one.txt",
                       .fileMustExist = true,
                       .hideReadOnly = true,
                       .filter = L"Text (*.txt)|*.txt",
                       .dialogTitle = L"Open a tape"};
    EXPECT_TRUE(ShowFileDialog(one));
    EXPECT_EQ(one.fileName + L"|" + one.fileTitle, folder + L"\\one.txt|one.txt");

    FileDialogArgs two{.fileName = L"\"one.txt\" \"two.txt\"",
                       .fileMustExist = true,
                       .multiSelect = true,
                       .hideReadOnly = true,
                       .filter = L"Text (*.txt)|*.txt",
                       .initialFolder = folder,
                       .extraFlags = OFN_EXPLORER};
    EXPECT_TRUE(ShowFileDialog(two));
    EXPECT_EQ(two.fileName + L"|" + two.fileTitle, folder + L"\0one.txt\0two.txt|"s);

    FileDialogArgs cancelled{.fileName = L"x.txt",
                             .fileTitle = L"x.txt",
                             .filter = L"All|*.*",
                             .initialFolder = folder,
                             .defaultExtension = L"txt",
                             .open = false};
    EXPECT_FALSE(ShowFileDialog(cancelled));
    EXPECT_EQ(cancelled.fileName + cancelled.fileTitle, L"");

    std::int32_t colour = 0x00FF00;
    EXPECT_TRUE(ShowColorDialog(colour, true, false, false, nullptr));
    EXPECT_EQ(colour, 0x00FF00);
    EXPECT_FALSE(ShowColorDialog(colour, true, false, false, nullptr));
    EXPECT_EQ(colour, -1);

    for (const wchar_t* name : {L"\\one.txt", L"\\two.txt"})
        DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
}
