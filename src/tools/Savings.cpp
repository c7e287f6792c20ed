#include "tools/Savings.h"

#include "runtime/Currency.h"
#include "runtime/Decimal.h"
#include "runtime/Format.h"
#include "runtime/NumberText.h"
#include "runtime/Strings.h"

#include <cmath>
#include <vector>

namespace tools {

namespace {

// The cash check walks the net amount as the installment search walks the installment.
constexpr WalkStep kNetPhases[] = {{1, 3}, {-1, 2}, {1, 1}, {-1, 0}, {1, -1}, {-1, -2}};

// a + b, held as its general text; nothing on an overflow.
std::optional<double> SumThroughText(double a, double b)
{
    return ThroughText(a + b);
}

// A date and an amount right-aligned beside it; a blank stays between them however long the amount.
std::wstring DateLine(const rt::Date& date, const std::wstring& shortDate, std::wstring_view amount,
                      std::wstring_view mark)
{
    return L" " + date.Format(shortDate) + L" " + rt::RightAlign(amount, 14) + std::wstring(mark);
}

}  // namespace

rt::Result<std::wstring> CalculaCapital(std::wstring_view value, std::wstring_view rate, std::wstring_view days)
{
    const rt::Result<double> amount = rt::ParseNumber(value);
    const rt::Result<double> monthly = rt::ParseNumber(rate);
    const rt::Result<double> span = rt::ParseNumber(days);
    for (const auto* read : {&amount, &monthly, &span})
        if (!*read)
            return read->error();
    const rt::Result<int16_t> months = rt::ToInteger(std::floor(*span / 30));
    if (!months)
        return months.error();
    const std::optional<double> rest = ThroughText(*span - *months * 30.0);
    if (!rest)
        return rt::ValueError::Overflow;

    double grown = *amount;
    for (int month = 1; month <= *months; ++month) {
        // Each month's interest and the new amount are held as texts: full precision, not cents.
        const std::optional<double> interest = ThroughText(*monthly / 100 * grown);
        const std::optional<double> next = interest ? SumThroughText(grown, *interest) : std::nullopt;
        if (!next)
            return rt::ValueError::Overflow;
        grown = *next;
    }
    // The rest days' rate goes through the decimal type (15 digits from the double), divided by 100 exactly.
    const rt::Result<rt::Decimal> restPercent = rt::Decimal::FromDouble(*rest * (*monthly / 30));
    if (!restPercent)
        return restPercent.error();
    const rt::Result<rt::Decimal> restRate = restPercent->Div(rt::Decimal::FromInt64(100));
    if (!restRate)
        return restRate.error();
    const rt::Result<double> restFactor = rt::ParseNumber(restRate->ToText());
    if (!restFactor)
        return restFactor.error();
    if (*rest != 0) {
        const std::optional<double> interest = ThroughText(grown * *restFactor);
        const std::optional<double> next = interest ? SumThroughText(grown, *interest) : std::nullopt;
        if (!next)
            return rt::ValueError::Overflow;
        grown = *next;
    }
    return rt::FormatMoney(grown);
}

std::optional<std::wstring> PositiveAmount(std::wstring_view answer)
{
    const rt::Result<rt::Currency> amount = rt::Currency::FromText(answer);
    if (!amount || *amount <= rt::Currency())
        return std::nullopt;
    return amount->ToText();
}

std::wstring DaysFromAnswer(std::wstring_view answer, const rt::Date& initial)
{
    if (rt::IsNumeric(answer))
        return std::wstring(answer);
    if (const rt::Result<rt::Date> final = rt::Date::Parse(answer))
        return std::to_wstring(initial.DaysUntil(*final));
    return L"0";
}

bool DaysInRange(std::wstring_view days, int maxDays)
{
    const rt::Result<double> value = rt::ParseNumber(days);
    return value && *value > 0 && *value <= maxDays;
}

CashCheckOutcome SearchCashCheck(std::wstring_view check, std::wstring_view rate, std::wstring_view days,
                                 SearchObserver& observer, WalkMode mode, long maxComputations)
{
    const rt::Result<double> checkValue = rt::ParseNumber(check);
    const rt::Result<double> monthly = rt::ParseNumber(rate);
    const rt::Result<double> span = rt::ParseNumber(days);
    if (!checkValue || !monthly || !span)
        return {};
    // The check less one month's simple interest.
    const double start = *checkValue - *checkValue * *monthly / 100;
    if (!std::isfinite(start))
        return {};
    // A positive rate over positive days never lowers the amount of a larger value.
    const bool monotone = *monthly >= 0 && *span >= 0;
    const Objective objective = [&](const WalkValue& at) {
        const rt::Result<std::wstring> amount = CalculaCapital(at.text, rate, days);
        const rt::Result<double> reached = amount ? rt::ParseNumber(*amount) : rt::Result<double>(amount.error());
        if (!reached)
            return Probe{true, 0, false};
        return Probe{false, *checkValue - *reached, monotone};
    };
    const WalkResult walk =
        Walk(ReadWalkValue(rt::GeneralText(start)), kNetPhases, objective, observer, mode, maxComputations);
    CashCheckOutcome outcome;
    outcome.computations = walk.computations;
    switch (walk.end) {
    case WalkEnd::Stopped:
        outcome.end = SearchEnd::Found;
        outcome.net = rt::FormatMoney(walk.value.text);
        break;
    case WalkEnd::Cancelled:
        outcome.end = SearchEnd::Cancelled;
        break;
    case WalkEnd::Failed:
        outcome.end = SearchEnd::Failed;
        break;
    }
    return outcome;
}

rt::Result<std::wstring> CapitalBlock(std::wstring_view value, std::wstring_view rate, std::wstring_view days,
                                      std::wstring_view finalAmount, std::wstring_view initialDate,
                                      std::wstring_view dateFormat, const BlockHeadings& headings)
{
    const rt::Result<double> amount = rt::ParseNumber(value);
    const rt::Result<double> monthly = rt::ParseNumber(rate);
    const rt::Result<double> span = rt::ParseNumber(days);
    const rt::Result<double> reached = rt::ParseNumber(finalAmount);
    for (const auto* read : {&amount, &monthly, &span, &reached})
        if (!*read)
            return read->error();
    const rt::Result<rt::Date> start = rt::Date::Parse(initialDate);
    if (!start)
        return start.error();
    const rt::Result<int16_t> months = rt::ToInteger(std::floor(*span / 30));
    if (!months)
        return months.error();
    const rt::Result<int32_t> restDays = rt::ToLong(*span - *months * 30.0);
    if (!restDays)
        return restDays.error();
    const std::wstring shortDate(dateFormat.substr(0, 8));

    using rt::RightAlign;
    std::vector<std::wstring> lines{
        L" =========================",
        RightAlign(headings.initialValue, 26),
        RightAlign(value, 25) + L" ",
        RightAlign(headings.days, 26),
        RightAlign(days, 25) + L" ",
        RightAlign(headings.finalAmount, 26),
        RightAlign(finalAmount, 25) + L" ",
        RightAlign(headings.rate, 26),
        RightAlign(rate, 23) + L" % ",
        L" =========== CALCULATION =",
        DateLine(*start, shortDate, value, L" +"),
    };
    // The monthly values are taken to the cent each month.
    const std::wstring shownRate(rate.substr(0, 7));
    double previous = *amount;
    for (int month = 1; month <= *months; ++month) {
        const double next = previous + previous * *monthly / 100;
        if (!std::isfinite(next))
            return rt::ValueError::Overflow;
        const std::wstring shown = rt::FormatMoney(next);
        lines.push_back(std::wstring(13 - shownRate.size(), L' ') + L"30 days (" + shownRate + L"%) =");
        lines.push_back(RightAlign(shown, 24) + (month == *months && *restDays == 0 ? L" T" : L" +"));
        previous = rt::ParseNumber(shown).value_or(0);
    }
    if (*restDays != 0) {
        const rt::Result<rt::Decimal> restPercent = rt::Decimal::FromDouble(*monthly / 30 * *restDays);
        if (!restPercent)
            return restPercent.error();
        const rt::Result<rt::Date> end = start->AddDays(static_cast<int64_t>(std::floor(*span)));
        if (!end)
            return end.error();
        const std::wstring restRate = restPercent->ToText().substr(0, 7);
        lines.push_back(std::wstring(13 - restRate.size(), L' ') + rt::FormatNumber(*restDays, L"00") + L" days (" +
                        restRate + L"%) =");
        lines.push_back(DateLine(*end, shortDate, finalAmount, L" T"));
    }
    lines.push_back(L"");
    lines.push_back(RightAlign(headings.totalInterest, 26));
    lines.push_back(RightAlign(rt::FormatMoney(*reached - *amount), 25) + L" ");

    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace tools
