#include "controls/DialogText.h"
#include "controls/GrowingBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace controls;
using namespace std::string_literals;

TEST(FileDialogText, FilterFlagsAndBuffers)
{
    EXPECT_EQ(FilterText(L"Text Document (*.txt)|*.txt"), L"Text Document (*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(FilterText(L"Drive C:|C:*.*"), L"Drive C\0\0C\0*.*\0\0"s);  // a colon splits too

    EXPECT_EQ(FileDialogFlags(true, true, true, true, 0x80000 | 0x20 | 0x40), 0x81205u);  // never hook or template
    // Multiple selection from the extra flags alone sizes the buffer for many names too.
    EXPECT_EQ(FileBufferSize(FileDialogFlags(false, false, false, false, 0x80200)), 8192u);
    EXPECT_EQ(FileBufferSize(FileDialogFlags(true, false, true, true, 0x80000)), 260u);

    EXPECT_EQ(FileBuffer(L"abc", 6), L"abc\0\0\0"s);
    EXPECT_EQ(FileBuffer(L"abcdef", 4), L"abc\0"s);  // cut so the terminator fits
    EXPECT_EQ(FileBuffer(L"abc", 0), L"");
}

TEST(FileDialogText, ReadsOneOrSeveralChosenFiles)
{
    struct Case {
        std::wstring file, title;
        std::uint32_t flags;
        std::wstring fileName, fileTitle;
    };
    const Case cases[] = {
        {L"C:\\b.txt\0old.txt\0"s, L"b.txt\0xx"s, 0, L"C:\\b.txt", L"b.txt"},
        {L"C:\\t\0a.txt\0b.txt\0\0\0"s, L"x\0"s, kFileAllowMultiSelect, L"C:\\t\0a.txt\0b.txt"s, L""},
        {L"C:\\t\\a.txt\0\0"s, L"a.txt\0"s, kFileAllowMultiSelect, L"C:\\t\\a.txt", L""},
        {L"C:\\x\0y"s, L""s, kFileAllowMultiSelect, L"C:\\x", L""},  // no pair of NULs: up to the first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fileName.begin(), c.fileName.end()));
        const ChosenFile chosen = ReadChosenFile(c.file, c.title, c.flags);
        EXPECT_EQ(chosen.fileName, c.fileName);
        EXPECT_EQ(chosen.fileTitle, c.fileTitle);
    }
}

// Like the platform's folder queries: the text when it fits with its terminator, else the size it needs.
TEST(ReadGrowing, AsksAgainWithTheSizeThePlatformNeeds)
{
    for (const auto& [length, sizes] : std::vector<std::pair<std::size_t, std::vector<std::size_t>>>{
             {260, {261}}, {261, {261, 263}}, {1000, {261, 1002}}}) {
        SCOPED_TRACE(length);
        const std::wstring text(length, L'f');
        std::vector<std::size_t> asked;
        const auto read = [&](wchar_t* buffer, std::size_t size) -> std::size_t {
            asked.push_back(size);
            if (text.size() + 1 > size)
                return text.size() + 1;
            std::copy(text.begin(), text.end(), buffer);
            return text.size();
        };
        EXPECT_EQ(ReadGrowing(read, 261), text);
        EXPECT_EQ(asked, sizes);
    }
    EXPECT_FALSE(ReadGrowing([](wchar_t*, std::size_t) -> std::size_t { return 0; }, 261).has_value());

    // A text that outgrows every buffer it is asked with gives nothing, not a cut or empty text, and the
    // asking stops after a few rounds.
    int calls = 0;
    const auto growing = [&](wchar_t* buffer, std::size_t size) -> std::size_t {
        if (++calls > 20) {
            ADD_FAILURE() << "still asking";
            return 0;
        }
        std::fill(buffer, buffer + size, L'g');
        return size + 10;
    };
    EXPECT_FALSE(ReadGrowing(growing, 261).has_value());
    EXPECT_GE(calls, 2);
}
