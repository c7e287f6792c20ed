#include "runtime/Strings.h"

#include <gtest/gtest.h>

#include <string>

TEST(Strings, RightAlignPadsInFrontAndNeverCuts)
{
    EXPECT_EQ(rt::RightAlign(L"12,5", 8), L"    12,5");
    EXPECT_EQ(rt::RightAlign(L"", 2), L"  ");
    EXPECT_EQ(rt::RightAlign(L"abc", 3), L"abc");
    EXPECT_EQ(rt::RightAlign(L"abc", 4), L" abc");
    EXPECT_EQ(rt::RightAlign(L"1.234.567,89", 10), L"1.234.567,89");
}

TEST(Strings, CaseMappingCoversLatin1Letters)
{
    const std::wstring lower = L"azàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþ";
    const std::wstring upper = L"AZÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞ";
    EXPECT_EQ(rt::UpperCase(lower), upper);
    EXPECT_EQ(rt::LowerCase(upper), lower);
    // Signs and letters without a Latin-1 partner stay as they are.
    const std::wstring unchanged = L"09 @[`{ \u00D7\u00F7 \u00DF\u00FF \u00AA\u00BA\u00B5 \u0151\u03A9";
    EXPECT_EQ(rt::UpperCase(unchanged), unchanged);
    EXPECT_EQ(rt::LowerCase(unchanged), unchanged);
}

TEST(Strings, ExpandMessageSubstitutesInOnePass)
{
    const struct {
        std::wstring stored, first, second, third, expected;
    } cases[] = {
        {L"a|b||c", L"", L"", L"", L"a\r\nb\r\n\r\nc"},
        {L"Value \u008D ok", L"12,50", L"", L"", L"Value 12,50 ok"},
        {L"\u008F, \u017D, \u008D", L"1", L"2", L"3", L"3, 2, 1"},
        // Only the first occurrence of each placeholder is filled.
        {L"\u008D and \u008D", L"X", L"", L"", L"X and \u008D"},
        // What an argument brings in is never substituted again: placeholders and "|" stay as given.
        {L"\u008D-\u017D-\u008F|", L"\u017D|\u008F", L"\u008D", L"\u008D\u017D",
         L"\u017D|\u008F-\u008D-\u008D\u017D\r\n"},
        // Missing arguments remove their placeholders.
        {L"[\u008D][\u017D][\u008F]", L"", L"", L"", L"[][][]"},
        {L"no placeholders", L"x", L"y", L"z", L"no placeholders"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(rt::ExpandMessage(c.stored, c.first, c.second, c.third), c.expected);
    }
    EXPECT_EQ(rt::ExpandMessage(L"[\u008D|\u017D]", L"only"), L"[only\r\n]");
}
