#include "tools/RuleOfThree.h"

#include "runtime/Currency.h"
#include "runtime/NumberText.h"

#include <cassert>

namespace tools {

namespace {

constexpr int kBackspace = 8;

RuleOutcome Refuse(int message, std::optional<RuleFocus> focus = std::nullopt)
{
    RuleOutcome outcome;
    outcome.kind = RuleOutcome::Kind::Refused;
    outcome.message = message;
    outcome.focus = focus;
    return outcome;
}

RuleOutcome Abort(int unknown)
{
    RuleOutcome outcome;
    outcome.kind = RuleOutcome::Kind::Aborted;
    outcome.message = kMsgAborted;
    outcome.unknown = unknown;
    return outcome;
}

// A factor of a product: a text that is not a number leaves the product as it is.
void MultiplyBy(double& product, std::wstring_view text)
{
    if (const auto number = rt::ParseNumber(text))
        product *= *number;
}

}  // namespace

int FilterNumberKey(int keyAscii, std::wstring_view boxText, wchar_t separator)
{
    if (keyAscii == '.' || keyAscii == ',') {
        // The separator may sit in the selection the key would replace; it is refused all the same.
        if (boxText.find(separator) != std::wstring_view::npos)
            return 0;
        return separator == L',' ? ',' : '.';
    }
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == kBackspace)
        return keyAscii;
    return 0;
}

RowOpening OpenRow(std::wstring_view baseValue, std::wstring_view description)
{
    const auto number = rt::ParseNumber(baseValue);
    RowOpening opening;
    opening.emptyBaseValue = !number && !baseValue.empty();
    const bool closed = number && (*number == 0 || description.empty());
    opening.open = !closed;
    return opening;
}

rt::Result<std::wstring> QuotientText(double dividend, double divisor)
{
    if (divisor == 0)
        return rt::ValueError::DivisionByZero;
    const auto amount = rt::Currency::FromDouble(dividend / divisor);
    if (!amount)
        return amount.error();
    return amount->ToText();
}

RuleOutcome CalculateRuleOfThree(const RuleRows& rows, std::optional<int> unknown, bool answered, RuleOfThreeHost& host)
{
    assert(!unknown || (*unknown >= 0 && *unknown < kRuleRows));

    for (int k : {0, 1}) {
        const auto base = rt::ParseNumber(rows[k].baseValue);
        if (!base || *base < 0)
            return Refuse(kMsgBaseMissing, RuleFocus{RuleBox::BaseValue, 0});
    }

    // Every refusal comes before the first question, so nothing is marked or emptied by a refused calculation.
    int counted = 0;
    for (int k = 0; k < kRuleRows; ++k) {
        const RuleRow& row = rows[k];
        if (!row.description.empty() && !rt::IsNumeric(row.baseValue))
            return Refuse(kMsgOnlyTheUnknown, RuleFocus{RuleBox::BaseValue, k});
        if (row.findEnabled && unknown != k && !rt::IsNumeric(row.findValue))
            return Refuse(kMsgOnlyTheUnknown, RuleFocus{RuleBox::FindValue, k});
        if (const auto base = rt::ParseNumber(row.baseValue); base && *base > 0)
            ++counted;
    }
    if (counted < 2)
        return Refuse(kMsgTooFewRows);
    if (!unknown)
        return Refuse(kMsgNoUnknown);
    const int u = *unknown;

    double divisor = 1;
    double dividend = 1;
    bool unknownCleared = false;
    for (int k = 0; k < kRuleRows; ++k) {
        const RuleRow& row = rows[k];
        if (row.description.empty())
            continue;
        const double base = *rt::ParseNumber(row.baseValue);  // numeric: checked above
        Relation relation = Relation::None;
        if (k == u) {
            host.SetRelation(k, Relation::None);
        } else if (base == 0) {
            continue;  // a closed row that kept its description
        } else if (answered) {
            relation = row.relation;
        } else {
            const RelationAnswer answer = host.AskRelation(k, u);
            if (answer == RelationAnswer::Cancel)
                return Abort(u);
            relation = answer == RelationAnswer::Direct ? Relation::Direct : Relation::Inverse;
            host.SetRelation(k, relation);
        }
        if (!unknownCleared) {
            host.ClearUnknownValue(u);
            unknownCleared = true;
        }
        // The unknown's own find box has just been emptied, so only its base value counts.
        const std::wstring_view find = k == u ? std::wstring_view{} : std::wstring_view{row.findValue};
        if (relation == Relation::Direct) {
            divisor *= base;
            if (!find.empty())
                MultiplyBy(dividend, find);
        } else {
            if (!find.empty())
                MultiplyBy(divisor, find);
            dividend *= base;
        }
    }

    const auto text = QuotientText(dividend, divisor);
    if (!text)
        return Abort(u);
    RuleOutcome outcome;
    outcome.kind = RuleOutcome::Kind::Calculated;
    outcome.unknown = u;
    outcome.focus = RuleFocus{RuleBox::FindValue, u};
    outcome.resultText = *text;
    return outcome;
}

}  // namespace tools
