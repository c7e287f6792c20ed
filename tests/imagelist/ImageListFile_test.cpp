#include "imagelist/IconRecord.h"
#include "imagelist/ImageListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace imagelist;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes TwoRecords()
{
    IconPixels icon;
    icon.width = icon.height = 16;
    icon.colour.assign(256, 0x00C0C0C0);
    icon.transparent.assign(256, false);
    Bytes run = *EncodeRecord(icon, kProgramVersion);
    icon.colour.assign(256, 0x00800000);
    const Bytes second = *EncodeRecord(icon, kProgramVersion);
    run.insert(run.end(), second.begin(), second.end());
    return run;
}

void Append32(Bytes& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

const std::string kFF(1, '\xFF');

}  // namespace

TEST(ImageListFile, TwoKeyedImagesWriteTheDocumentedBytes)
{
    const Bytes records = TwoRecords();
    const std::string keys = JoinKeys<char>({"aa", "bb"}, '\xFF', KeyTextForm::File);
    EXPECT_EQ(keys, "aa" + kFF + "bb" + kFF + kFF);
    const Bytes file = EncodeFile(kProgramVersion, records, keys);
    ASSERT_EQ(file.size(), 2319u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 12), (Bytes{0x56, 0xE4, 0x45, 0x57, 0, 0, 9, 0, 0xF8, 8, 0, 0}));
    EXPECT_EQ(Bytes(file.begin() + 12, file.begin() + 2308), records);
    EXPECT_EQ(Bytes(file.begin() + 2308, file.end()), (Bytes{7, 0, 0, 0, 'a', 'a', 0xFF, 'b', 'b', 0xFF, 0xFF}));

    const auto read = DecodeFile(file);
    ASSERT_TRUE(std::holds_alternative<ImageListContent>(read));
    const auto& content = std::get<ImageListContent>(read);
    EXPECT_EQ(content.version, kProgramVersion);
    EXPECT_EQ(content.records, records);
    EXPECT_EQ(content.keyText, keys);
    EXPECT_EQ(EncodeFile(content.version, content.records, content.keyText), file);
}

TEST(ImageListFile, OlderFormStartsWithTheCountAndIsVersionZero)
{
    IconPixels icon;
    icon.width = icon.height = 16;
    icon.colour.assign(256, 0x00FF0000);
    icon.transparent.assign(256, true);
    const Bytes record = *EncodeRecord(icon, 0);
    ASSERT_EQ(record.size(), 940u);
    Bytes file;
    file.reserve(4 + record.size());  // GCC 12 at -O3 warns of an overflow in the insert below without it
    Append32(file, 940);
    file.insert(file.end(), record.begin(), record.end());
    for (bool withKeys : {false, true}) {
        SCOPED_TRACE(withKeys);
        Bytes f = file;
        if (withKeys) {
            Append32(f, 3);
            f.insert(f.end(), {'x', 0xFF, 0xFF});
        }
        const auto read = DecodeFile(f);
        ASSERT_TRUE(std::holds_alternative<ImageListContent>(read));
        const auto& content = std::get<ImageListContent>(read);
        EXPECT_EQ(content.version, 0);
        EXPECT_EQ(content.records, record);
        EXPECT_EQ(content.keyText, withKeys ? "x" + kFF + kFF : "");
        EXPECT_EQ(RecordOffsets(content.records, content.version), std::vector<std::size_t>{0});
    }
}

TEST(ImageListFile, CountsAndLengthsAreCheckedAgainstWhatRemains)
{
    const Bytes records = TwoRecords();
    const Bytes good = EncodeFile(kProgramVersion, records, "aa" + kFF + kFF);
    struct Case {
        const char* what;
        Bytes file;
        FileError error;
    };
    const auto with = [&](std::size_t at, std::uint32_t value) {
        Bytes f = good;
        for (int i = 0; i < 4; ++i)
            f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return f;
    };
    const auto cut = [&](std::size_t size) { return Bytes(good.begin(), good.begin() + static_cast<long>(size)); };
    const std::vector<Case> cases{
        {"empty file", {}, FileError::Truncated},
        {"three bytes", {1, 2, 3}, FileError::Truncated},
        {"magic alone", cut(4), FileError::Truncated},
        {"no count", cut(8), FileError::Truncated},
        {"N of 0", with(8, 0), FileError::NoImageData},
        {"negative N", with(8, 0xFFFFFFFF), FileError::NoImageData},
        {"N past the end", with(8, 2297 + 4 + 5), FileError::Truncated},
        {"huge N", with(8, 0x7FFFFFFF), FileError::Truncated},
        {"records cut short", cut(12 + 2000), FileError::Truncated},
        {"part of L", cut(12 + 2296 + 2), FileError::Truncated},
        {"L past the end", with(12 + 2296, 5), FileError::Truncated},
        {"huge L", with(12 + 2296, 0x7FFFFFFF), FileError::Truncated},
        {"older form, N of 0", {0, 0, 0, 0, 1, 2}, FileError::NoImageData},
        {"older form, N past the end", {9, 0, 0, 0, 1, 2}, FileError::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = DecodeFile(c.file);
        ASSERT_TRUE(std::holds_alternative<FileError>(read));
        EXPECT_EQ(std::get<FileError>(read), c.error);
    }
    // No key part at all, an empty one or one of negative length: the images without keys.
    const auto keyLength = [&](std::uint32_t length) {
        Bytes f = with(12 + 2296, length);
        f.resize(12 + 2296 + 4);
        return f;
    };
    const std::vector<std::pair<const char*, Bytes>> keyless{
        {"no L", cut(12 + 2296)}, {"L of 0", keyLength(0)}, {"L of -1", keyLength(0xFFFFFFFF)},
        {"most negative L, key bytes after it", with(12 + 2296, 0x80000000)}};
    for (const auto& [what, file] : keyless) {
        SCOPED_TRACE(what);
        const auto read = DecodeFile(file);
        ASSERT_TRUE(std::holds_alternative<ImageListContent>(read));
        EXPECT_EQ(std::get<ImageListContent>(read).records, records);
        EXPECT_EQ(std::get<ImageListContent>(read).keyText, "");
    }
}

TEST(ImageListFile, KeyTextsSplitAndJoin)
{
    struct Case {
        std::wstring text;
        std::vector<std::wstring> pieces;
    };
    const wchar_t s = kKeySeparator;
    const std::wstring S(1, s);
    for (const Case& c : {Case{L"", {}}, Case{L"aa" + S + S + L"cc" + S + S, {L"aa", L"", L"cc", L""}},
                          Case{L"aa" + S + S + L"cc", {L"aa", L"", L"cc"}}, Case{S, {L""}}, Case{S + S, {L"", L""}},
                          Case{L"x", {L"x"}}, Case{L"a" + S + L"b", {L"a", L"b"}},
                          Case{L" a " + S + L"ab c", {L" a ", L"ab c"}}}) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(SplitKeys<wchar_t>(c.text, s), c.pieces);
    }
    // Three images keyed "aa", "" and "cc".
    const std::vector<std::string> keys{"aa", "", "cc"};
    EXPECT_EQ(JoinKeys<char>(keys, '\xFF', KeyTextForm::File), "aa" + kFF + kFF + "cc" + kFF + kFF);
    const std::vector<std::wstring> wide{L"aa", L"", L"cc"};
    EXPECT_EQ(JoinKeys<wchar_t>(wide, s, KeyTextForm::PropertySet), L"aa" + S + S + L"cc");
    // 47 empty keys: 46 separators in the property set (46 pieces: the last image keeps its empty key), 48 in
    // the file.
    const std::vector<std::wstring> empty(47);
    EXPECT_EQ(JoinKeys<wchar_t>(empty, s, KeyTextForm::PropertySet), std::wstring(46, s));
    EXPECT_EQ(SplitKeys<wchar_t>(std::wstring(46, s), s).size(), 46u);
    EXPECT_EQ(JoinKeys<wchar_t>(empty, s, KeyTextForm::File).size(), 48u);
    EXPECT_EQ(JoinKeys<wchar_t>({}, s, KeyTextForm::PropertySet), L"");
}

TEST(ImageListFile, StagingHoldsEveryRecordOfAnySize)
{
    EXPECT_EQ(StagingSize(47, 16, 16, kProgramVersion), 47u * 1148u);
    EXPECT_EQ(StagingSize(3, 72, 72, kProgramVersion), 3u * 21660u);  // more than 16,384 an image
    EXPECT_EQ(StagingSize(0, 16, 16, kProgramVersion), 0u);
    EXPECT_FALSE(StagingSize(1, 0, 16, kProgramVersion));
}
