// The tools' readers of typed text and the blocks they build from it, one tool per input (its first byte):
// what the readers accept is in range and ordered, the key filters never let a second separator or a
// letter into a box, and every block is made of whole lines.
#include "FuzzInput.h"
#include "runtime/Date.h"
#include "runtime/Locale.h"
#include "runtime/NumberText.h"
#include "tools/DateSpan.h"
#include "tools/HealthyWeight.h"
#include "tools/Installments.h"
#include "tools/RuleOfThree.h"
#include "tools/Savings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

double Read(std::wstring_view text)
{
    const auto value = rt::ParseNumber(text);
    FUZZ_REQUIRE(value.ok());
    return *value;
}

// Lines joined by CR LF, none shorter than `width` but the empty ones that space the block out; `lastEnds`: the
// last line ends in CR LF too.
void RequireBlock(std::wstring_view block, size_t width, bool lastEnds)
{
    FUZZ_REQUIRE(!block.empty());
    FUZZ_REQUIRE(lastEnds == (block.size() >= 2 && block.substr(block.size() - 2) == L"\r\n"));
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find(L"\r\n", start);
        if (end == std::wstring_view::npos)
            end = block.size();
        FUZZ_REQUIRE(end == start || end - start >= width);
        start = end + 2;
    }
}

// Typing `keys` into a box through a tool's key rule: only digits and one separator ever get in.
template <class Filter> void RequireFilteredBox(const std::wstring& keys, wchar_t separator, Filter filter)
{
    std::wstring box;
    for (wchar_t key : keys) {
        const int passed = filter(key, box, separator);
        if (passed == 8) {
            if (!box.empty())
                box.pop_back();
        } else if (passed != 0) {
            FUZZ_REQUIRE((passed >= '0' && passed <= '9') || passed == separator);
            box += static_cast<wchar_t>(passed);
        }
    }
    FUZZ_REQUIRE(std::count(box.begin(), box.end(), separator) <= 1);
}

void Weight(fuzz::Input& in, wchar_t separator)
{
    RequireFilteredBox(in.Text(), separator, tools::FilterWeightKey);
    const tools::Sex sex = in.Byte() & 1 ? tools::Sex::Man : tools::Sex::Woman;
    std::wstring height = in.Box(10);
    const std::wstring weight = in.Box(10);
    if (const auto metres = tools::MetresFromCentimetres(height))
        height = *metres;
    const auto limits = tools::LimitsFor(height, sex);
    if (!limits)
        return;
    const double thin = Read(limits->thin), medium = Read(limits->medium), over = Read(limits->overweight),
                 fat = Read(limits->fat), obese = Read(limits->obese);
    FUZZ_REQUIRE(thin <= medium && medium <= over && over <= fat && fat <= obese);
    if (const auto left = tools::ArrowLeft(weight, limits->medium))
        FUZZ_REQUIRE(*left >= tools::kArrowMinLeft && *left <= tools::kArrowMaxLeft);
    const auto verdict = tools::Judge(weight, *limits);
    const auto block = tools::TapeBlock(sex, height, weight, *limits);
    FUZZ_REQUIRE(verdict.has_value() == block.has_value());
    if (!block)
        return;
    RequireBlock(*block, 0, true);
    const auto lines = std::count(block->begin(), block->end(), L'\n');
    FUZZ_REQUIRE(lines == (verdict->weightClass == tools::WeightClass::Normal ? 12 : 9));
}

class Answers : public tools::RuleOfThreeHost {
public:
    explicit Answers(fuzz::Input& in) : in_(in) {}
    tools::RelationAnswer AskRelation(int row, int unknown) override
    {
        FUZZ_REQUIRE(row != unknown && row >= 0 && row < tools::kRuleRows);
        return static_cast<tools::RelationAnswer>(in_.Pick(3));
    }
    void SetRelation(int row, tools::Relation) override { FUZZ_REQUIRE(row >= 0 && row < tools::kRuleRows); }
    void ClearUnknownValue(int unknown) override { FUZZ_REQUIRE(unknown >= 0 && unknown < tools::kRuleRows); }

private:
    fuzz::Input& in_;
};

void RuleOfThree(fuzz::Input& in, wchar_t separator)
{
    RequireFilteredBox(in.Text(), separator, tools::FilterNumberKey);
    tools::RuleRows rows;
    for (tools::RuleRow& row : rows) {
        row.baseValue = in.Text(8);
        row.description = in.Byte() & 1 ? L"q" : L"";
        row.findValue = in.Text(8);
        row.findEnabled = in.Byte() & 1;
        row.relation = static_cast<tools::Relation>(in.Pick(3));
    }
    const int unknown = in.Pick(tools::kRuleRows + 1);
    Answers host(in);
    const auto outcome = tools::CalculateRuleOfThree(
        rows, unknown < tools::kRuleRows ? std::optional<int>(unknown) : std::nullopt, in.Byte() & 1, host);
    if (outcome.kind == tools::RuleOutcome::Kind::Calculated) {
        FUZZ_REQUIRE(outcome.unknown >= 0 && outcome.unknown < tools::kRuleRows);
        (void)Read(outcome.resultText);
    }
    if (outcome.focus)
        FUZZ_REQUIRE(outcome.focus->row >= 0 && outcome.focus->row < tools::kRuleRows);
    const double a = rt::LeadingNumber(in.Text(12)), b = rt::LeadingNumber(in.Text(12));
    if (const auto quotient = tools::QuotientText(a, b)) {
        // Four decimals, halves to even: never more than half a unit of the fourth decimal off.
        FUZZ_REQUIRE(std::fabs(Read(*quotient) - a / b) <= 0.00005 + std::fabs(a / b) * 1e-12);
    }
}

void Interest(fuzz::Input& in)
{
    tools::LoanFields fields{in.Box(12), in.Box(12), in.Box(4), in.Box(4), in.Box(8)};
    (void)tools::LoanBalance(fields);  // any reading of the fields; only its safety matters here
    const std::wstring rate = tools::RateWithDecimals(fields.rate);
    if (rt::IsNumeric(fields.rate) && fields.rate.find_first_of(L".,") != std::wstring::npos && rate != fields.rate)
        FUZZ_REQUIRE(std::fabs(Read(rate) - Read(fields.rate)) <= 0.0000005 + std::fabs(Read(fields.rate)) * 1e-12);
    const tools::BlockHeadings headings{L"INITIAL VALUE ", L"NUMBER OF INSTALLMENTS ", L"INSTALLMENT VALUE ",
                                        L"MONTHLY INTEREST RATE ", L"TOTAL INTEREST AMOUNT ", L"FINAL AMOUNT ",
                                        L"NUMBER OF DAYS ", L"  in cash"};
    const std::wstring final = tools::FinalAmount(fields.count, fields.installment);
    const auto interest = tools::TotalInterest(final, fields.initialValue);
    if (const auto block = tools::ScheduleBlock(fields, interest.value_or(L"0.00"), final, headings))
        RequireBlock(*block, 26, false);
    const std::wstring answer = in.Box(12);
    if (const auto amount = tools::PositiveAmount(answer))
        FUZZ_REQUIRE(Read(*amount) > 0);
    const rt::Date start = rt::Date::FromSerial(in.Pick(40000) + 30000).value();
    const std::wstring days = tools::DaysFromAnswer(answer, start);
    FUZZ_REQUIRE(days == L"0" || rt::IsNumeric(days));
    std::wstring shortDays = in.Box(3);
    if (const auto block = tools::CapitalBlock(fields.initialValue, fields.rate, shortDays, final,
                                               start.Format(L"dd/mm/yyyy"), L"dd/mm/yyyy", headings))
        RequireBlock(*block, 26, false);
}

void Dates(fuzz::Input& in)
{
    // Consecutive spans add up: the 29 Februaries of a..c are those of a..b and b..c.
    int32_t serials[3];
    for (int32_t& serial : serials)
        serial = static_cast<int32_t>(in.Byte() | in.Byte() << 8 | (in.Byte() & 0x3F) << 16) % 3000000 - 650000;
    std::sort(std::begin(serials), std::end(serials));
    const auto a = rt::Date::FromSerial(serials[0]), b = rt::Date::FromSerial(serials[1]),
               c = rt::Date::FromSerial(serials[2]);
    if (a && b && c)
        FUZZ_REQUIRE(tools::LeapDaysInSpan(*a, *c) == tools::LeapDaysInSpan(*a, *b) + tools::LeapDaysInSpan(*b, *c));
    // Every unit of a split from years on, ticked, takes its days off the total; nothing is negative.
    const int32_t total = serials[2] - serials[0];
    const auto split = tools::SplitSpan(total, tools::SpanButton::Years, {true, true, true, true});
    FUZZ_REQUIRE(*split[0] * 365 + *split[1] * 30 + *split[2] * 7 + *split[3] == total);
    FUZZ_REQUIRE(*split[1] >= 0 && *split[2] >= 0 && *split[3] >= 0);
    const std::wstring first = in.Text(10), second = in.Byte() & 1 ? first : in.Text(10);
    const std::array<std::wstring, tools::kDateUnitCount> units{in.Text(4), in.Text(4), in.Text(4), in.Text(4)};
    const auto block = tools::DateTapeBlock(first, second, units);
    if (first == second)
        FUZZ_REQUIRE(!block);
    if (block)
        RequireBlock(*block, 0, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t setup = in.Byte();
    const bool comma = setup & 8;
    rt::ScopedLocale locale(comma ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
    switch (setup % 4) {
    case 0: Weight(in, comma ? L',' : L'.'); break;
    case 1: RuleOfThree(in, comma ? L',' : L'.'); break;
    case 2: Interest(in); break;
    default: Dates(in); break;
    }
    return 0;
}
