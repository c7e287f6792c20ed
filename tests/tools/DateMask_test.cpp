#include "tools/DateMask.h"

#include "runtime/Date.h"
#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using tools::DateMask;

constexpr int kBackspace = 8;
constexpr int kDelete = 46;
constexpr int kLeft = 37;
constexpr int kDown = 40;
constexpr int kDigitKey = '0';
const wchar_t kSeparators[] = {L'/', L'.', L'-'};

// A field's text and selection, keyed as the date field does it: BeforeKey at the key-down, the edit's own
// change (a digit replaces the selection or is refused at the end; Backspace and Delete remove the selection
// or one character), then AfterChange.
struct Field {
    std::wstring text;
    DateMask::Selection selection;

    void Key(const DateMask& mask, int keyCode, wchar_t digit = 0)
    {
        selection = mask.BeforeKey(text, selection, keyCode).value_or(selection);
        auto& [start, length] = selection;
        if (digit != 0 && length == 0 && text.size() >= DateMask::kLength)
            return;
        if (length == 0 && keyCode == kBackspace) {
            if (start == 0)
                return;
            --start;
            length = 1;
        }
        if (length == 0 && keyCode == kDelete) {
            if (static_cast<size_t>(start) == text.size())
                return;
            length = 1;
        }
        text.erase(static_cast<size_t>(start), static_cast<size_t>(length));
        if (digit != 0)
            text.insert(static_cast<size_t>(start++), 1, digit);
        const DateMask::Edit edit = mask.AfterChange(text, start);
        text = edit.text;
        selection = {edit.caret, 0};
    }
};

// A date written with `separator`: "12/05/2020" -> "12.05.2020".
std::wstring With(wchar_t separator, std::wstring text)
{
    std::replace(text.begin(), text.end(), L'/', separator);
    return text;
}

TEST(DateMask, TypingOverwritesAndStepsOverTheSeparators)
{
    for (wchar_t separator : kSeparators) {
        SCOPED_TRACE(std::string(1, static_cast<char>(separator)));
        const DateMask mask(separator);
        EXPECT_EQ(mask.Empty(), With(separator, L"__/__/____"));
        Field field{With(separator, L"06/12/2026"), {0, 10}};  // entered: all selected
        const std::wstring steps[] = {L"16/12/2026", L"15/12/2026", L"15/02/2026", L"15/03/2026",
                                      L"15/03/2026", L"15/03/2026", L"15/03/2026", L"15/03/2021"};
        const int carets[] = {1, 3, 4, 6, 7, 8, 9, 10};
        for (size_t i = 0; i < 8; ++i) {
            field.Key(mask, kDigitKey, L"15032021"[i]);
            EXPECT_EQ(field.text, With(separator, steps[i])) << "digit " << i;
            EXPECT_EQ(field.selection.start, carets[i]) << "digit " << i;
        }
        field.Key(mask, kDigitKey, L'9');  // the field is full
        EXPECT_EQ(field.text, With(separator, L"15/03/2021"));
    }
}

TEST(DateMask, DeletingRebuildsTheMaskFromTheCaret)
{
    struct Case {
        int start, length, key;
        const wchar_t* text;
        int caret;
    };
    const Case cases[] = {
        {10, 0, kBackspace, L"12/05/202_", 9}, {3, 0, kBackspace, L"1_/__/____", 1},
        {6, 0, kBackspace, L"12/0_/____", 4},  {4, 0, kBackspace, L"12/__/____", 3},
        {0, 0, kBackspace, L"12/05/2020", 0},  {0, 10, kBackspace, L"__/__/____", 0},
        {0, 0, kDelete, L"__/__/____", 0},     {2, 0, kDelete, L"12/__/____", 3},
    };
    for (wchar_t separator : kSeparators) {
        const DateMask mask(separator);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "key " << c.key << " at " << c.start << " with " << char(separator));
            Field field{With(separator, L"12/05/2020"), {c.start, c.length}};
            field.Key(mask, c.key);
            EXPECT_EQ(field.text, With(separator, c.text));
            EXPECT_EQ(field.selection.start, c.caret);
        }
    }
}

// Text pasted through the context menu, or a caret the field reports out of range, must not move the caret
// outside 0-10 or the text.
TEST(DateMask, KeepsCaretAndSelectionInsideTheMaskWhateverTheFieldHolds)
{
    const DateMask mask(L'/');
    struct KeyCase {
        const wchar_t* text;
        DateMask::Selection selection;
        int keyCode;
        std::optional<DateMask::Selection> result;
    };
    const KeyCase keys[] = {
        {L"", {0, 0}, kDigitKey, std::nullopt},
        {L"12/05/2020", {2, 0}, kDigitKey, DateMask::Selection{3, 1}},
        {L"12/05/2020", {2, 0}, kLeft, std::nullopt},
        {L"12/05/2020", {2, 0}, kDown, std::nullopt},
        {L"12/05/2020 pasted here", {22, 0}, kDigitKey, DateMask::Selection{10, 0}},
        {L"12/05/2020 pasted here", {40, 0}, kBackspace, std::nullopt},
        {L"12", {9, 0}, kDigitKey, DateMask::Selection{2, 0}},
        {L"/1", {1, 0}, kBackspace, std::nullopt},  // the caret must stand after position 1
        {L"12/", {-5, 3}, kDigitKey, DateMask::Selection{0, 1}},
    };
    for (const KeyCase& k : keys) {
        SCOPED_TRACE(testing::Message() << "key " << k.keyCode << " at " << k.selection.start);
        EXPECT_EQ(mask.BeforeKey(k.text, k.selection, k.keyCode), k.result);
    }
    struct ChangeCase {
        const wchar_t* text;
        int caret;
        const wchar_t* result;
        int resultCaret;
    };
    const ChangeCase changes[] = {
        {L"", 7, L"__/__/____", 0},
        {L"12/05/2020 pasted here", 22, L"12/05/2020", 10},
        {L"12/05/2020x", -3, L"__/__/____", 0},
        {L"12/05", 5, L"12/05/____", 6},
        {L"12/05/2020", 99, L"12/05/2020", 10},
    };
    // A caret standing on any separator moves past it before the digit.
    for (wchar_t separator : kSeparators)
        EXPECT_EQ(DateMask(separator).BeforeKey(With(separator, L"12/05/2020"), {5, 0}, kDigitKey),
                  (DateMask::Selection{6, 1}));
    for (const ChangeCase& c : changes) {
        SCOPED_TRACE(testing::Message() << "change to " << c.text << " at " << c.caret);
        const DateMask::Edit edit = mask.AfterChange(c.text, c.caret);
        EXPECT_EQ(edit.text, c.result);
        EXPECT_EQ(edit.caret, c.resultCaret);
    }
}

TEST(DateMask, ValidatesTheTypedBeginningInBothDateOrders)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* dayFirst;  // the field afterwards, "!" when refused
        const wchar_t* monthFirst;
    };
    const Case cases[] = {
        {L"__/__/____", L"__/__/____", L"__/__/____"},  // nothing typed: accepted as it is
        {L"1_/__/____", L"!", L"!"},
        {L"12/05/20__", L"12/05/2020", L"12/05/2020"},
        {L"13/05/20__", L"13/05/2020", L"!"},
        {L"12/05/____", L"!", L"!"},
        {L"12/05/202_", L"!", L"!"},  // a year the mask cannot show: refused, not turned into another text
        {L"12/05/0202", L"!", L"!"},
        {L"29/02/2021", L"!", L"!"},
        {L"29/02/2024", L"29/02/2024", L"!"},
        {L"02/29/2024", L"!", L"02/29/2024"},
        {L"1/2/2003  ", L"01/02/2003", L"01/02/2003"},
        {L"_1/02/2003", L"!", L"!"},
        {L"", L"!", L"!"},
    };
    for (wchar_t separator : kSeparators) {
        const DateMask mask(separator);
        for (const bool dayFirst : {true, false}) {
            rt::Locale locale = rt::Locale::EnglishUS();
            locale.dateOrder = dayFirst ? rt::DateOrder::DayMonthYear : rt::DateOrder::MonthDayYear;
            locale.dateSeparator = separator;
            rt::ScopedLocale scoped(locale);
            for (const Case& c : cases) {
                const std::wstring text = With(separator, c.text);
                SCOPED_TRACE(testing::Message() << text << (dayFirst ? " day first" : " month first"));
                const std::wstring expected = dayFirst ? c.dayFirst : c.monthFirst;
                const DateMask::Check check = mask.Validate(text, dayFirst ? L"dd/mm/yyyy" : L"mm/dd/yyyy");
                EXPECT_EQ(check.refused, expected == L"!");
                EXPECT_EQ(check.text, expected == L"!" ? mask.Empty() : With(separator, expected));
            }
        }
    }
}

}  // namespace
