#include "core/Calculation.h"
#include "core/Tape.h"

#include <gtest/gtest.h>

TEST(Tape, ClearedHeaderLeavesTheTapeClosed)
{
    struct Case {
        std::wstring_view date, time;
    };
    // Short and long stamps alike: a tool must see a closed tape and add no total block.
    for (const Case& c : {Case{L"06/12/26", L"21:30"}, Case{L"06/12/2026", L"21:30"},
                          Case{L"a very long date text here", L"21:30:59"}}) {
        const std::wstring header = core::ClearedTapeHeader(c.date, c.time);
        SCOPED_TRACE(std::string(header.begin(), header.end()));
        EXPECT_TRUE(core::TapeIsClosed(header));
        EXPECT_NE(header.find(c.date), std::wstring::npos);
    }
    EXPECT_EQ(core::ClearedTapeHeader(L"06/12/26", L"21:30"), L" 06/12/26 21:30 ==========\r\n");
    // Filled to 26 characters while three "=" still fit; a longer stamp gets three and runs over.
    struct Exact {
        std::wstring_view date, time, header;
    };
    for (const Exact& c : {Exact{L"06/12/2026", L"9:30:59 PM", L" 06/12/2026 9:30:59 PM ===\r\n"},
                           Exact{L"06/12/2026", L"09:30:59 PM", L" 06/12/2026 09:30:59 PM ===\r\n"},
                           Exact{L"6 December 2026", L"9:30:59", L" 6 December 2026 9:30:59 ===\r\n"},
                           Exact{L"December 6, 2026", L"9:30 PM", L" December 6, 2026 9:30 PM ===\r\n"},
                           Exact{L"a very long date text here", L"21:30:59",
                                 L" a very long date text here 21:30:59 ===\r\n"}}) {
        SCOPED_TRACE(std::string(c.header.begin(), c.header.end()));
        EXPECT_EQ(core::ClearedTapeHeader(c.date, c.time), c.header);
    }
}

TEST(Tape, BackupRecordKeepsTheTapeWhole)
{
    const std::wstring tape = L"                      12 +\r\n                      30 =\r\n";
    const std::wstring record = core::BackupRecord(L"06/12/2026", L"21:30", tape, L"\r\n\r\n");
    EXPECT_EQ(record, L"--- 06/12/2026 21:30 ---\r\n" + tape + L"\r\n\r\n");
}

TEST(Tape, Utf8KeepsTheOperatorMarks)
{
    EXPECT_EQ(core::ToUtf8(L"1 \u00d7 2 \u00f7 \u2212"), "1 \xC3\x97 2 \xC3\xB7 \xE2\x88\x92");
    EXPECT_EQ(core::ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(core::ToUtf8(L"\u07FF\u0800"), "\xDF\xBF\xE0\xA0\x80");  // the two- and three-byte edges
    const wchar_t pair[] = {wchar_t(0xD83D), wchar_t(0xDE00), 0};    // U+1F600 as Windows keeps it
    EXPECT_EQ(core::ToUtf8(pair), "\xF0\x9F\x98\x80");
    EXPECT_EQ(core::ToUtf8(L""), "");
}
