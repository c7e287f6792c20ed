#include "core/Calculation.h"
#include "core/ProgramState.h"

#include <gtest/gtest.h>

namespace {

// Types a sequence as the keyboard would: digits, the separator, operators and "=".
std::wstring Type(core::Calculation& calc, std::wstring_view keys)
{
    std::wstring tape;
    for (wchar_t key : keys) {
        if (key >= L'0' && key <= L'9') calc.TypeDigit(key);
        else if (key == L',' || key == L'.') calc.TypeSeparator();
        else if (key == L'=') tape += calc.Totalize();
        else tape += calc.Operate(key);
    }
    return tape;
}

}  // namespace

TEST(Calculation, AddsAndWritesTheTotalBlock)
{
    core::Calculation calc;
    const std::wstring tape = Type(calc, L"12+30=");
    EXPECT_EQ(tape, L"                      12 +\r\n"
                    L"                      30 =\r\n"
                    L" -------------------------\r\n"
                    L"                      42 T\r\n"
                    L" =========================\r\n");
    EXPECT_EQ(calc.LastTotalText(), L"42");
    EXPECT_TRUE(calc.Total().IsZero());
    EXPECT_EQ(calc.PendingOperator(), L"+");
}

// Decimal, not floating point. The total goes on with every digit; only what is shown is rounded to the
// 24-character number field, so the lines of a block add up to its total and no line is longer than 26
// characters.
TEST(Calculation, ComputesInDecimalAndShowsTotalsRoundedToTheNumberField)
{
    struct Case {
        std::wstring_view keys;
        std::wstring_view total;
    };
    const Case cases[] = {
        {L"0.1+0.2=", L"0.3"},
        {L"1/3*3=", L"1"},
        {L"10-12.5=", L"-2.5"},
        {L"7*0.1=", L"0.7"},
        {L"5-5=", L"0"},
        {L"1/3=", L"0.3333333333333333333333"},
        {L"2/3=", L"0.6666666666666666666667"},
        {L"2/3*3=", L"2"},
        {L"0-1/3=", L"-0.333333333333333333333"},
        {L"999999999999*999999999999=", L"999999999998000000000001"},
        {L"123456789012345678901234/7=", L"17636684144620811271605"},
        {L"12345678901234567890123/7=", L"1763668414462081127160.4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys.begin(), c.keys.end()));
        core::Calculation calc;
        const std::wstring tape = Type(calc, c.keys);
        EXPECT_EQ(calc.LastTotalText(), c.total);
        for (size_t at = 0; at < tape.size();) {
            const size_t end = tape.find(L"\r\n", at);
            ASSERT_NE(end, std::wstring::npos);
            EXPECT_EQ(end - at, 26u);
            at = end + 2;
        }
    }
}

TEST(Calculation, EntriesFromOutsideKeepTheirSignAndTrailingSeparatorsAreDropped)
{
    struct Case {
        std::wstring_view entry;  // written as a tool writes its result, before "keys"
        std::wstring_view keys;
        std::wstring_view tape;
        int items;  // after "keys"
    };
    const Case cases[] = {
        {L"", L"12.+", L"                      12 +\r\n", 1},
        {L"", L"1+2-3*", L"                       1 +\r\n                       2 -\r\n                       3 \u00d7\r\n", 3},
        {L"-1,200.00", L"+", L"               -1,200.00 +\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keys.begin(), c.keys.end()));
        core::Calculation calc;
        if (!c.entry.empty()) calc.SetEntry(std::wstring(c.entry));
        EXPECT_EQ(Type(calc, c.keys), c.tape);
        EXPECT_EQ(calc.Items(), c.items);
    }
    core::Calculation calc;
    calc.SetEntry(L"-1,200.00");
    Type(calc, L"+3=");
    EXPECT_EQ(calc.LastTotalText(), L"-1197");
    Type(calc, L"3*");
    calc.SetEntry(L"-2");
    Type(calc, L"=");
    EXPECT_EQ(calc.LastTotalText(), L"-6");
}

// What the display and an entry from outside show is rounded like the totals; what the field cannot hold is an
// overflow.
TEST(Calculation, RunningTotalsAndOutsideEntriesFitTheNumberField)
{
    // The running total while the calculation goes on is shown the same way.
    core::Calculation calc;
    Type(calc, L"2/3*");
    EXPECT_EQ(calc.TotalText(), L"0.6666666666666666666667");
    // A total too long for the field is an overflow: an error line, and the calculation starts again.
    EXPECT_EQ(Type(calc, L"999999999999*999999999999*10="),
              L"            999999999999 \u00d7\r\n            999999999999 \u00d7\r\n                      10 E\r\n");
    EXPECT_TRUE(calc.Total().IsZero());
    // A long result handed over from outside is rounded to the field too.
    calc.SetEntry(L"1,234,567,890,123,456,789.123456");
    EXPECT_EQ(calc.Entry(), L"1234567890123456789.1235");
}

TEST(Calculation, FitNumberRoundsAtTheFieldsEdge)
{
    struct Case {
        std::wstring_view number;
        std::optional<std::wstring_view> fitted;
    };
    const Case cases[] = {
        {L"123456789012345678901234", L"123456789012345678901234"},  // exactly the width
        {L"9.99999999999999999999999999", L"10"},                     // carry through every decimal
        {L"-0.0000000000000000000000001", L"0"},                      // no negative zero
        {L"0.12345678901234567890124999", L"0.1234567890123456789012"},
        {L"99999999999999999999999.9", L"100000000000000000000000"},  // carry into a 24th digit
        {L"999999999999999999999999.5", std::nullopt},                // carry into a 25th
        {L"1234567890123456789012345", std::nullopt},
        {L"-12345678901234567890123.4", L"-12345678901234567890123"},
        {L"1,5000000000000000000000000001", L"1,5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.number.begin(), c.number.end()));
        const std::optional<std::wstring> fitted = core::FitNumber(c.number);
        ASSERT_EQ(fitted.has_value(), c.fitted.has_value());
        if (fitted) {
            EXPECT_EQ(*fitted, *c.fitted);
        }
    }
}

TEST(Calculation, WritesTheProgramSeparator)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    core::Calculation calc(L',');
    const std::wstring tape = Type(calc, L"1,5+2.25=");
    EXPECT_NE(tape.find(L"                     1,5 +\r\n"), std::wstring::npos);
    EXPECT_EQ(calc.LastTotalText(), L"3,75");
}

TEST(Calculation, EqualsWithNothingEnteredWritesNothing)
{
    core::Calculation calc;
    EXPECT_EQ(calc.Totalize(), L"");
    Type(calc, L"2+2=");
    EXPECT_EQ(calc.Totalize(), L"");
}

TEST(Calculation, DivisionByZeroWritesAnErrorLineAndClears)
{
    core::Calculation calc;
    std::wstring tape = Type(calc, L"8/0=");
    EXPECT_EQ(tape, L"                       8 \u00f7\r\n                       0 E\r\n");
    EXPECT_TRUE(calc.Total().IsZero());
    EXPECT_EQ(calc.Items(), 0);
    // The next calculation starts clean.
    Type(calc, L"4+1=");
    EXPECT_EQ(calc.LastTotalText(), L"5");
}

TEST(Calculation, ToolMarkSkipsArithmeticButClosesTheRunningTotal)
{
    core::Calculation calc;
    Type(calc, L"12+");
    calc.SetPendingOperator(L"T");
    calc.SetEntry(L"0");
    const std::wstring block = calc.Totalize();
    EXPECT_NE(block.find(L"                      12 T\r\n"), std::wstring::npos);
    EXPECT_TRUE(core::TapeIsClosed(block));
}

TEST(Calculation, EntryStartsAfreshAfterAnOperatorAndKeepsOneSeparator)
{
    core::Calculation calc;
    Type(calc, L"0012..5");
    EXPECT_EQ(calc.Entry(), L"12.5");
    Type(calc, L"+.");
    EXPECT_EQ(calc.Entry(), L"0.");
    calc.SetEntry(L"1,234.00");
    calc.TypeDigit(L'7');
    EXPECT_EQ(calc.Entry(), L"7");
    Type(calc, L"5.");
    calc.Backspace();
    EXPECT_EQ(calc.Entry(), L"75");
    calc.Backspace();
    calc.Backspace();
    EXPECT_EQ(calc.Entry(), L"0");
    calc.TypeDigit(L'3');
    EXPECT_EQ(calc.Entry(), L"3");
}

TEST(Calculation, LongEntryIsCappedToTheNumberField)
{
    core::Calculation calc;
    for (int i = 0; i < 40; ++i) calc.TypeDigit(L'9');
    EXPECT_EQ(calc.Entry().size(), core::kNumberWidth);
    const std::wstring line = calc.Operate(L'+');
    EXPECT_EQ(line.size(), 28u);
}

TEST(TapeIsClosed, LooksFourPlacesFromTheEnd)
{
    EXPECT_TRUE(core::TapeIsClosed(L" =========================\r\n"));
    EXPECT_FALSE(core::TapeIsClosed(L"                      12 +\r\n"));
    EXPECT_FALSE(core::TapeIsClosed(L""));
    EXPECT_FALSE(core::TapeIsClosed(L"=\r\n"));
    // A result line's "=" mark stands three places from the end: the block is still open.
    EXPECT_FALSE(core::TapeIsClosed(core::TapeLine(L"30", core::kMarkEquals)));
    EXPECT_FALSE(core::TapeIsClosed(L"                      30 =\r\n"));
}

TEST(ProgramState, TakesSeparatorAndDateOrderFromTheLocale)
{
    core::ProgramState state;
    rt::Locale locale = rt::Locale::PortugueseBR();
    core::FillFromLocale(state, locale);
    EXPECT_EQ(state.SeparadorDecimal, L',');
    EXPECT_EQ(state.FormatoData, L"dd/mm/yyyy");
    locale = rt::Locale::EnglishUS();
    locale.decimalSeparator = L'\u066b';
    core::FillFromLocale(state, locale);
    EXPECT_EQ(state.SeparadorDecimal, L'.');
    EXPECT_EQ(state.FormatoData, L"mm/dd/yyyy");
}
