#include "imagelist/ImagesPageRules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace imagelist;

TEST(ImagesPageRules, ParseRGBTakesTheLeadingNumberHeldToOneByte)
{
    const struct {
        const wchar_t* text;
        int value;
    } cases[] = {
        {L"0", 0},       {L"255", 255},   {L"300", 255},  {L"x", 0},          {L"-5", 0},
        {L"12abc", 12},  {L" 7", 7},      {L"", 0},       {L"127.5", 128},    {L"128.5", 128},
        {L"&HFF", 255},  {L"1e400", 0},   {L"3000000000", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseRGB(c.text), c.value);
    }
}

// The page keys the frames of one file one after another, each key stored before the next is asked for.
TEST(ImagesPageRules, UniqueKeySkipsTakenSuffixesAndCarriesTheSuffixOn)
{
    std::set<std::wstring> keys{L"A:1", L"A:2", L"A:4", L"B"};
    auto exists = [&](const std::wstring& key) { return keys.count(key) > 0; };
    int suffix = 1;
    std::vector<std::wstring> taken;
    for (int i = 0; i < 3; ++i)
        keys.insert(taken.emplace_back(UniqueKey(L"A", suffix, exists)));
    EXPECT_EQ(taken, (std::vector<std::wstring>{L"A:3", L"A:5", L"A:6"}));
    EXPECT_EQ(suffix, 6);

    int bare = 0;
    EXPECT_EQ(UniqueKey(L"C", bare, exists), L"C");
    EXPECT_EQ(bare, 0);
    EXPECT_EQ(UniqueKey(L"B", bare, exists), L"B:1");
}

TEST(ImagesPageRules, SplitDialogAnswerGivesEveryChosenFile)
{
    using namespace std::string_literals;
    const struct {
        std::wstring answer;
        std::vector<std::wstring> paths;
    } cases[] = {
        {L"", {}},
        {L"C:\\d\\a.ico", {L"C:\\d\\a.ico"}},
        {L"C:\\d\0A.ico\0b.cur\0C.bmp"s, {L"C:\\d\\A.ico", L"C:\\d\\b.cur", L"C:\\d\\C.bmp"}},
        {L"C:\\\0a.ico\0b.ico"s, {L"C:\\a.ico", L"C:\\b.ico"}},
        {L"C:\\d\0ab.ico\0x"s, {L"C:\\d\\ab.ico", L"C:\\d\\x"}},
        {L"C:\\d\0a\0b"s, {L"C:\\d\\a", L"C:\\d\\b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case with " << c.paths.size() << " paths");
        EXPECT_EQ(SplitDialogAnswer(c.answer), c.paths);
    }
}

TEST(ImagesPageRules, FileNameGivesTheKeyAndTheLoader)
{
    const struct {
        const wchar_t* path;
        const wchar_t* key;
        ImageLoader loader;
    } cases[] = {
        {L"C:\\d\\A.ico", L"A", ImageLoader::Icon},
        {L"b.cur", L"B", ImageLoader::Cursor},
        {L"C:\\d\\c.Bmp", L"C", ImageLoader::Bitmap},
        {L"x.dib", L"X", ImageLoader::Bitmap},
        {L"C:\\walk.ANI", L"WALK", ImageLoader::AnimatedCursor},
        {L"pic.gif", L"PIC", ImageLoader::Picture},
        {L"C:\\my.dir\\noext", L"NOEXT", ImageLoader::Picture},
        {L"archive.tar.ico", L"ARCHIVE.TAR", ImageLoader::Icon},
        {L"name.", L"NAME.", ImageLoader::Picture},
        {L"\u00e9t\u00e9.ico", L"\u00c9T\u00c9", ImageLoader::Icon},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(KeyFromFileName(c.path), c.key);
        EXPECT_EQ(LoaderFor(c.path), c.loader);
    }
}

// The images of one file follow the selected image, or are appended; keying them never reaches the images of
// an earlier file.
TEST(ImagesPageRules, AddedPositionsNameOnlyTheNewImages)
{
    const struct {
        int before, after, selected, first, count;
    } cases[] = {
        {0, 3, -1, 1, 3}, {0, 1, 0, 1, 1}, {4, 7, 0, 2, 3}, {4, 7, -1, 5, 3},
        {4, 4, 2, 4, 0},  {5, 6, 4, 6, 1}, {3, 6, 3, 4, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << " -> " << c.after << ", selected " << c.selected);
        const auto added = AddedPositions(c.before, c.after, c.selected);
        EXPECT_EQ(added.first, c.first);
        EXPECT_EQ(added.count, c.count);
    }
}

TEST(ImagesPageRules, CountFramesEndsAtTheCapWithOneFrame)
{
    EXPECT_EQ(CountFrames([](int step) { return step < 6; }), 6);
    EXPECT_EQ(CountFrames([](int) { return false; }), 0);
    EXPECT_EQ(CountFrames([](int step) { return step < 7; }, 8), 7);
    int asked = 0;
    EXPECT_EQ(CountFrames([&](int) { return ++asked > 0; }, 8), 1);
    EXPECT_EQ(asked, 8);
    EXPECT_EQ(CountFrames([](int) { return true; }), 1);
}
