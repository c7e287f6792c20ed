#include "controls/DialogText.h"

#include <gtest/gtest.h>

#include <string>

using namespace controls;
using namespace std::string_literals;

TEST(FilterText, SplitsAtBarsAndColonsAndEndsWithTwoNuls)
{
    struct Case {
        std::wstring filter;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"Text Document (*.txt)|*.txt", L"Text Document (*.txt)\0*.txt\0\0"s},
        {L"Icons|*.ico|All|*.*", L"Icons\0*.ico\0All\0*.*\0\0"s},
        {L"Drive C:|C:*.*", L"Drive C\0\0C\0*.*\0\0"s},  // a colon splits too
        {L"", L"\0\0"s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.filter.begin(), c.filter.end()));
        EXPECT_EQ(FilterText(c.filter), c.expected);
    }
}

TEST(FileDialogFlags, CombinesTheChoicesAndNeverAsksForAHook)
{
    EXPECT_EQ(FileDialogFlags(true, false, false, false, 0), 0x1000u);
    EXPECT_EQ(FileDialogFlags(false, true, false, false, 0), 0x200u);
    EXPECT_EQ(FileDialogFlags(false, false, true, false, 0), 0x1u);
    EXPECT_EQ(FileDialogFlags(false, false, false, true, 0), 0x4u);
    EXPECT_EQ(FileDialogFlags(true, true, true, true, 0x80000 | 0x20 | 0x40 | 0x2), 0x81207u);

    // Multiple selection from the extra flags alone sizes the buffer for many names too.
    EXPECT_EQ(FileBufferSize(FileDialogFlags(false, false, false, false, 0x80200)), 8192u);
    EXPECT_EQ(FileBufferSize(FileDialogFlags(false, true, false, false, 0)), 8192u);
    EXPECT_EQ(FileBufferSize(FileDialogFlags(true, false, true, true, 0x80000)), 260u);
}

TEST(FileBuffer, PadsWithNulsAndCutsWhatDoesNotFit)
{
    EXPECT_EQ(FileBuffer(L"abc", 6), L"abc\0\0\0"s);
    EXPECT_EQ(FileBuffer(L"", 3), L"\0\0\0"s);
    EXPECT_EQ(FileBuffer(L"abcdef", 4), L"abc\0"s);  // the terminator always fits
    EXPECT_EQ(FileBuffer(L"abc", 4), L"abc\0"s);
    const std::wstring longName(300, L'x');
    const std::wstring buffer = FileBuffer(longName, 260);
    EXPECT_EQ(buffer.size(), 260u);
    EXPECT_EQ(TrimAtNull(buffer).size(), 259u);
    EXPECT_EQ(FileBuffer(L"abc", 0), L"");
}

TEST(ReadChosenFile, ReadsOneOrSeveralFiles)
{
    struct Case {
        const char* what;
        std::wstring file;
        std::wstring title;
        std::uint32_t flags;
        std::wstring fileName;
        std::wstring fileTitle;
    };
    const Case cases[] = {
        {"one file", L"C:\\tmp\\a.txt\0\0\0"s, L"a.txt\0\0"s, 0, L"C:\\tmp\\a.txt", L"a.txt"},
        {"one file, stale text after the terminator", L"C:\\b.txt\0old.txt\0"s, L"b.txt\0xx"s, 0, L"C:\\b.txt",
         L"b.txt"},
        {"several files", L"C:\\tmp\0a.txt\0b.txt\0\0\0\0"s, L"junk\0"s, kFileAllowMultiSelect,
         L"C:\\tmp\0a.txt\0b.txt"s, L""},
        {"one file of a multiple selection", L"C:\\tmp\\a.txt\0\0\0"s, L"a.txt\0"s, kFileAllowMultiSelect,
         L"C:\\tmp\\a.txt", L""},
        {"no pair of NULs", L"C:\\x\0y"s, L""s, kFileAllowMultiSelect, L"C:\\x", L""},
        {"buffer full to the end", L"C:\\z"s, L"z"s, 0, L"C:\\z", L"z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChosenFile chosen = ReadChosenFile(c.file, c.title, c.flags);
        EXPECT_EQ(chosen.fileName, c.fileName);
        EXPECT_EQ(chosen.fileTitle, c.fileTitle);
    }
}
