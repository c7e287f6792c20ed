#include "imagelist/ImageKeys.h"
#include "imagelist/ImageListFile.h"

#include <gtest/gtest.h>

using namespace imagelist;

namespace {

ImageKeys Five()
{
    ImageKeys keys;
    keys.Fit(5);
    EXPECT_EQ(keys.Set(0, L"open"), KeyResult::Stored);
    EXPECT_EQ(keys.Set(1, L"Open"), KeyResult::Stored);
    EXPECT_EQ(keys.Set(2, L"a "), KeyResult::Stored);
    EXPECT_EQ(keys.Set(4, L"3"), KeyResult::Stored);
    return keys;
}

}  // namespace

TEST(ImageKeys, NumbersAndNumericTextsArePositions)
{
    const ImageKeys keys = Five();
    struct Case {
        const char* what;
        ImageRef ref;
        int position;
    };
    for (const Case& c : {Case{"number", 2.0, 2}, Case{"text 3 though image 5 has the key 3", std::wstring(L"3"), 3},
                          Case{"blanks around", std::wstring(L" 4 "), 4}, Case{"half to even, down", 2.5, 2},
                          Case{"half to even, up", 3.5, 4}, Case{"text half", std::wstring(L"1.5"), 2},
                          Case{"0", 0.0, -1}, Case{"6", 6.0, -1}, Case{"negative", -1.0, -1},
                          Case{"too large to convert", 1e300, -1}, Case{"no key like it", std::wstring(L"x"), -1},
                          Case{"exact key", std::wstring(L"Open"), 2}, Case{"case counts", std::wstring(L"open"), 1},
                          Case{"trailing blank counts", std::wstring(L"a "), 3},
                          Case{"without the blank", std::wstring(L"a"), -1},
                          Case{"empty text: first image without key", std::wstring(), 4},
                          Case{"omitted", std::monostate{}, -1}}) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(keys.Find(c.ref, 5), c.position);
    }
    EXPECT_EQ(ImageKeys().Find(1.0, 0), -1);
}

TEST(ImageKeys, NumericTextsOutsideThePositionsAreKeys)
{
    ImageKeys keys;
    keys.Fit(4);
    for (auto [i, key] : {std::pair{0, L"x"}, {1, L"0"}, {2, L"-2"}, {3, L"12"}})
        ASSERT_EQ(keys.Set(static_cast<std::size_t>(i), key), KeyResult::Stored);
    struct Case {
        const char* what;
        ImageRef ref;
        int position;
    };
    for (const Case& c : {Case{"text past the last position", std::wstring(L"12"), 4},
                          Case{"text 0", std::wstring(L"0"), 2}, Case{"negative text", std::wstring(L"-2"), 3},
                          Case{"a number is never a key", 12.0, -1}, Case{"the last position", 4.0, 4},
                          Case{"the last position as text", std::wstring(L"4"), 4},
                          Case{"empty text, every image keyed", std::wstring(), -1}}) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(keys.Find(c.ref, 4), c.position);
    }
    // Fewer keys than images: an empty text names the first image past them, never one past the last.
    keys.Fit(2);
    EXPECT_EQ(keys.Find(std::wstring(), 4), 3);
    EXPECT_EQ(keys.Find(std::wstring(), 2), -1);
}

TEST(ImageKeys, DuplicatesAreRefusedExceptBlanks)
{
    ImageKeys keys;
    keys.Fit(3);
    ASSERT_EQ(keys.Set(0, L"A"), KeyResult::Stored);
    ASSERT_EQ(keys.Set(1, L"b"), KeyResult::Stored);
    EXPECT_EQ(keys.Set(1, L"A"), KeyResult::Duplicate);
    EXPECT_EQ(keys[1], L"b");  // kept
    EXPECT_EQ(keys.Set(1, L"a"), KeyResult::Stored);
    EXPECT_EQ(keys.Set(0, L"A"), KeyResult::Stored);  // its own key again
    for (const wchar_t* blank : {L"", L"  "}) {
        EXPECT_EQ(keys.Set(1, blank), KeyResult::Stored);
        EXPECT_EQ(keys.Set(2, blank), KeyResult::Stored);
    }
    EXPECT_EQ(keys.Set(2, std::wstring(L"x") + kKeySeparator + L"y"), KeyResult::HasSeparator);
    EXPECT_EQ(keys[2], L"  ");
    // A key beyond the keys grows them.
    EXPECT_EQ(keys.Set(5, L"far"), KeyResult::Stored);
    EXPECT_EQ(keys.size(), 6u);
    EXPECT_TRUE(keys.Contains(L"far"));
    EXPECT_FALSE(keys.Contains(L"Far"));
}

TEST(ImageKeys, KeysFollowRemovalsSwapsAndRestores)
{
    ImageKeys keys;
    keys.Fit(3);
    keys.Assign(0, {L"a", L"b", L"c", L"ignored"});
    keys.Remove(1);
    EXPECT_EQ(keys.All(), (std::vector<std::wstring>{L"a", L"c"}));
    keys.Fit(4);
    keys.Swap(0, 3);
    EXPECT_EQ(keys.All(), (std::vector<std::wstring>{L"", L"c", L"", L"a"}));
    // Restored keys skip the tests, one-character ones included, and start where they are told.
    keys.Assign(1, {L"a", L"", L"x"});
    EXPECT_EQ(keys.All(), (std::vector<std::wstring>{L"", L"a", L"", L"x"}));
    // Images added at the end and placed after the first: their keys move with them, the rest follow.
    keys.Fit(6);
    keys.Assign(4, {L"n1", L"n2"});
    keys.Rotate(1, 4, 6);
    EXPECT_EQ(keys.All(), (std::vector<std::wstring>{L"", L"n1", L"n2", L"a", L"", L"x"}));
    keys.Rotate(1, 4, 7);  // past the keys: nothing moves
    EXPECT_EQ(keys.All(), (std::vector<std::wstring>{L"", L"n1", L"n2", L"a", L"", L"x"}));
    EXPECT_EQ(KeyText(7.0), L"7");
    EXPECT_EQ(KeyText(std::monostate{}), L"");
}
