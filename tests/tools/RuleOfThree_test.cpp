#include "tools/RuleOfThree.h"

#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>

namespace {

using tools::Relation;
using tools::RuleBox;
using tools::RuleFocus;
using tools::RuleOutcome;
using tools::RuleRow;
using tools::RuleRows;

// Answers the questions from a string ("Y" direct, "N" inverse, "C" cancel) and logs every call in short:
// "?k" asked about row k, "+k" / "-k" / "=k" marker up / down / cleared, "xk" the unknown's box emptied.
class ScriptedHost : public tools::RuleOfThreeHost {
public:
    explicit ScriptedHost(std::wstring answers) : answers_(std::move(answers)) {}

    tools::RelationAnswer AskRelation(int row, int unknown) override
    {
        Log(L'?', row);
        if (next_ >= answers_.size()) {
            ADD_FAILURE() << "an unexpected question";
            return tools::RelationAnswer::Cancel;
        }
        const wchar_t answer = answers_[next_++];
        return answer == L'Y'   ? tools::RelationAnswer::Direct
               : answer == L'N' ? tools::RelationAnswer::Inverse
                                : tools::RelationAnswer::Cancel;
    }
    void SetRelation(int row, Relation relation) override
    {
        Log(relation == Relation::Direct ? L'+' : relation == Relation::Inverse ? L'-' : L'=', row);
    }
    void ClearUnknownValue(int unknown) override { Log(L'x', unknown); }

    std::wstring log;

private:
    void Log(wchar_t what, int row)
    {
        log += (log.empty() ? L"" : L" ") + std::wstring(1, what) + std::to_wstring(row);
    }

    std::wstring answers_;
    size_t next_ = 0;
};

RuleRow Row(std::wstring base, std::wstring description, std::wstring find = L"", Relation relation = Relation::None)
{
    return RuleRow{std::move(base), std::move(description), std::move(find), true, relation};
}

// The given rows, the rest empty and closed.
RuleRows Rows(std::initializer_list<RuleRow> given)
{
    RuleRows rows;
    std::copy(given.begin(), given.end(), rows.begin());
    for (size_t k = given.size(); k < rows.size(); ++k)
        rows[k].findEnabled = false;
    return rows;
}

// 8 carpenters in 5 days of 6 hours build 12 closets; to find: 5 carpenters, 10 days, 8 hours, the closets.
RuleRows Carpenters()
{
    return Rows({Row(L"8", L"carpenters", L"5"), Row(L"5", L"working days", L"10"),
                 Row(L"6", L"working hours per day", L"8"), Row(L"12", L"closets")});
}

TEST(RuleOfThree, NumberKeysTakeDigitsBackspaceAndOneSeparator)
{
    struct Case {
        int key;
        std::wstring text;
        wchar_t separator;
        int expected;
    };
    const Case cases[] = {
        {'7', L"12", L'.', '7'}, {8, L"1.5", L'.', 8},     {',', L"12", L'.', '.'},
        {'.', L"12", L',', ','}, {'.', L"1.5", L'.', 0},   {',', L"1.5", L'.', 0},
        {',', L"1,5", L',', 0},  {'.', L"1,5", L'.', '.'},  // a pasted foreign separator does not count
        {'-', L"", L'.', 0},     {'a', L"", L'.', 0},      {' ', L"", L'.', 0},
        {13, L"1", L'.', 0},     {27, L"1", L'.', 0},      {3, L"1", L'.', 0},
        {22, L"1", L'.', 0},  // Enter, Esc, Ctrl+C, Ctrl+V
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " on " << std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(tools::FilterNumberKey(c.key, c.text, c.separator), c.expected);
    }
}

TEST(RuleOfThree, RowsOpenWithADescriptionAndANonZeroOrMissingValue)
{
    rt::ScopedLocale locale(rt::Locale::EnglishUS());
    struct Case {
        std::wstring base, description;
        bool empty, open;
    };
    const Case cases[] = {
        {L"8", L"carpenters", false, true},  {L"", L"carpenters", false, true}, {L"", L"", false, true},
        {L"0", L"carpenters", false, false}, {L"0.00", L"x", false, false},     {L"8", L"", false, false},
        {L"-3", L"debts", false, true},      {L".", L"x", true, true},          {L"abc", L"", true, true},
        {L"1,000", L"grams", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.base.begin(), c.base.end()) << "|"
                                        << std::string(c.description.begin(), c.description.end()));
        const tools::RowOpening opening = tools::OpenRow(c.base, c.description);
        EXPECT_EQ(opening.emptyBaseValue, c.empty);
        EXPECT_EQ(opening.open, c.open);
    }
}

TEST(RuleOfThree, QuotientGoesThroughTheCurrencyType)
{
    struct Case {
        double dividend, divisor;
        std::wstring dot, comma;
    };
    const Case cases[] = {
        {240, 12, L"20", L"20"},
        {25, 2, L"12.5", L"12,5"},
        {2, 3, L"0.6667", L"0,6667"},
        {1, 32, L"0.0312", L"0,0312"},  // 0.03125: the tie goes to the even 2
        {3, 32, L"0.0938", L"0,0938"},  // 0.09375: to the even 8
        {-7, 2, L"-3.5", L"-3,5"},
        {1234567, 1, L"1234567", L"1234567"},
        {922337203685477, 1, L"922337203685477", L"922337203685477"},
        {1, 30000, L"0", L"0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dividend << " / " << c.divisor);
        {
            rt::ScopedLocale locale(rt::Locale::EnglishUS());
            EXPECT_EQ(tools::QuotientText(c.dividend, c.divisor).value_or(L"failed"), c.dot);
        }
        rt::ScopedLocale locale(rt::Locale::PortugueseBR());
        EXPECT_EQ(tools::QuotientText(c.dividend, c.divisor).value_or(L"failed"), c.comma);
    }
    EXPECT_EQ(tools::QuotientText(5, 0).error(), rt::ValueError::DivisionByZero);
    EXPECT_EQ(tools::QuotientText(0, 0).error(), rt::ValueError::DivisionByZero);
    EXPECT_EQ(tools::QuotientText(922337203685478, 1).error(), rt::ValueError::Overflow);
    EXPECT_EQ(tools::QuotientText(-1e15, 1).error(), rt::ValueError::Overflow);
    EXPECT_EQ(tools::QuotientText(1e308 * 10, 1).error(), rt::ValueError::Overflow);
}

TEST(RuleOfThree, CalculatesTheUnknown)
{
    rt::ScopedLocale locale(rt::Locale::EnglishUS());
    RuleRows second = Carpenters();  // the second worked example on the first one's base case
    second[0].findValue = L"3";
    second[1].findValue = L"12";
    second[2].findValue = L"";
    second[3].findValue = L"18";
    RuleRows closed = Carpenters();
    closed[4] = Row(L"0", L"tools");  // closed by its 0, description kept
    closed[4].findEnabled = false;
    RuleRows answered = Carpenters();
    for (int k = 0; k < 3; ++k)
        answered[k].relation = Relation::Direct;
    answered[1].findValue = L"20";
    answered[3].findValue = L"999";  // the previous result: never a factor
    RuleRows neverAsked = answered;
    neverAsked[2].relation = Relation::None;  // counts as inverse
    struct Case {
        const char* name;
        RuleRows rows;
        int unknown;
        bool answered;
        std::wstring answers, result, log;
    };
    const Case cases[] = {
        {"all direct", Carpenters(), 3, false, L"YYY", L"20", L"?0 +0 x3 ?1 +1 ?2 +2 =3"},
        {"all inverse", Carpenters(), 3, false, L"NNN", L"7.2", L"?0 -0 x3 ?1 -1 ?2 -2 =3"},
        {"second example", second, 2, false, L"NNY", L"10", L"?0 -0 x2 ?1 -1 =2 ?3 +3"},
        {"closed row", closed, 3, false, L"YYY", L"20", L"?0 +0 x3 ?1 +1 ?2 +2 =3"},
        {"answered", answered, 3, true, L"", L"40", L"x3 =3"},
        {"never asked", neverAsked, 3, true, L"", L"22.5", L"x3 =3"},
        {"two rows inverse", Rows({Row(L"8", L"a", L"4"), Row(L"12", L"b")}), 1, false, L"N", L"24", L"?0 -0 x1 =1"},
        {"two rows direct", Rows({Row(L"8", L"a", L"4"), Row(L"12", L"b")}), 1, false, L"Y", L"6", L"?0 +0 x1 =1"},
        {"unknown first", Rows({Row(L"8", L"a", L"99"), Row(L"12", L"b", L"4")}), 0, false, L"N", L"24",
         L"=0 x0 ?1 -1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedHost host(c.answers);
        const RuleOutcome outcome = tools::CalculateRuleOfThree(c.rows, c.unknown, c.answered, host);
        ASSERT_EQ(outcome.kind, RuleOutcome::Kind::Calculated);
        EXPECT_EQ(outcome.resultText, c.result);
        EXPECT_EQ(outcome.focus, (RuleFocus{RuleBox::FindValue, c.unknown}));
        EXPECT_EQ(host.log, c.log);
    }
}

TEST(RuleOfThree, RefusesBeforeAskingAnything)
{
    rt::ScopedLocale locale(rt::Locale::EnglishUS());
    const RuleRow a = Row(L"8", L"a", L"1");
    struct Case {
        const char* name;
        RuleRows rows;
        std::optional<int> unknown;
        int message;
        std::optional<RuleFocus> focus;
    };
    const Case cases[] = {
        {"row 0 empty, four rows filled",
         Rows({Row(L"", L"a", L"1"), Row(L"2", L"b", L"1"), Row(L"3", L"c", L"1"), Row(L"4", L"d", L"1"),
               Row(L"5", L"e")}),
         4, 197, RuleFocus{RuleBox::BaseValue, 0}},
        {"row 1 negative", Rows({a, Row(L"-1", L"b")}), 1, 197, RuleFocus{RuleBox::BaseValue, 0}},
        {"row 1 no number", Rows({a, Row(L"1..", L"b")}), 1, 197, RuleFocus{RuleBox::BaseValue, 0}},
        // The first undefined find box comes before any count of base values.
        {"find box empty", Rows({Row(L"8", L"a"), Row(L"0", L"")}), std::nullopt, 199,
         RuleFocus{RuleBox::FindValue, 0}},
        {"find box pasted text", Rows({a, Row(L"5", L"b", L"x"), Row(L"1", L"c")}), 2, 199,
         RuleFocus{RuleBox::FindValue, 1}},
        {"described row without value", Rows({a, Row(L"5", L"b", L"2"), Row(L"", L"c", L"3"), Row(L"2", L"d")}), 3, 199,
         RuleFocus{RuleBox::BaseValue, 2}},
        {"unknown's value no number", Rows({a, Row(L"5", L"b", L"2"), Row(L".", L"c")}), 2, 199,
         RuleFocus{RuleBox::BaseValue, 2}},
        {"one row counted", Rows({a, Row(L"0", L"", L"1")}), 0, 200, std::nullopt},
        {"no unknown", Rows({a, Row(L"5", L"b", L"2")}), std::nullopt, 201, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedHost host(L"");
        const RuleOutcome outcome = tools::CalculateRuleOfThree(c.rows, c.unknown, false, host);
        EXPECT_EQ(outcome.kind, RuleOutcome::Kind::Refused);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.focus, c.focus);
        EXPECT_EQ(host.log, L"");
    }
}

// Cancel, a divisor of 0 or a quotient beyond the currency range: message 30, no result.
TEST(RuleOfThree, AbortsWithMessage30)
{
    RuleRows zero = Carpenters();
    zero[0].findValue = L"0";  // inverse with find value 0
    struct Case {
        const char* name;
        RuleRows rows;
        int unknown;
        std::wstring answers, log;
    };
    const Case cases[] = {
        {"cancel on the second question", Carpenters(), 3, L"YC", L"?0 +0 x3 ?1"},
        {"divisor 0", zero, 3, L"NYY", L"?0 -0 x3 ?1 +1 ?2 +2 =3"},
        {"beyond the currency range", Rows({Row(L"0.0000001", L"a", L"9999999999"), Row(L"9999999999", L"b")}), 1, L"Y",
         L"?0 +0 x1 =1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedHost host(c.answers);
        const RuleOutcome outcome = tools::CalculateRuleOfThree(c.rows, c.unknown, false, host);
        EXPECT_EQ(outcome.kind, RuleOutcome::Kind::Aborted);
        EXPECT_EQ(outcome.message, 30);
        EXPECT_EQ(outcome.resultText, L"");
        EXPECT_EQ(host.log, c.log);
    }
}

}  // namespace
