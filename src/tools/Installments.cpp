#include "tools/Installments.h"

#include "runtime/Currency.h"
#include "runtime/Format.h"
#include "runtime/NumberText.h"
#include "runtime/Strings.h"

#include <cmath>
#include <vector>

namespace tools {

namespace {

constexpr std::wstring_view kLineEnd = L"\r\n";

// The numbers a search reads from the fields that do not change while it runs.
struct Loan {
    double initialValue = 0;
    int count = 0;
    double days = 0;
    double installment = 0;
};

rt::Result<Loan> ReadLoan(const LoanFields& fields)
{
    const rt::Result<double> value = rt::ParseNumber(fields.initialValue);
    const rt::Result<double> count = rt::ParseNumber(fields.count);
    const rt::Result<double> days = rt::ParseNumber(fields.days);
    const rt::Result<double> installment = rt::ParseNumber(fields.installment);
    for (const auto* read : {&value, &count, &days, &installment})
        if (!*read)
            return read->error();
    // The count is read as a byte: 0 to 255.
    const rt::Result<int32_t> whole = rt::ToLong(*count);
    if (!whole || *whole < 0 || *whole > 255)
        return rt::ValueError::Overflow;
    return Loan{*value, *whole, *days, *installment};
}

// The period rates as texts and the factors they give: r_1 is the rate charged pro rata by days (unless the
// days are 30), every later period the rate field's own text.
struct PeriodRates {
    std::wstring first;
    std::wstring rest;
    double firstFactor = 1;
    double factor = 1;
};

rt::Result<PeriodRates> ReadPeriodRates(const std::wstring& rateText, double days)
{
    const rt::Result<double> rate = rt::ParseNumber(rateText);
    if (!rate)
        return rate.error();
    if (!std::isfinite(*rate / 30 * days))
        return rt::ValueError::Overflow;
    PeriodRates rates;
    rates.rest = rateText;
    rates.first = days != 30 ? rt::GeneralText(*rate / 30 * days) : rateText;
    const rt::Result<double> first = rt::ParseNumber(rates.first);
    if (!first)
        return first.error();
    rates.firstFactor = 1 + *first / 100;
    rates.factor = 1 + *rate / 100;
    return rates;
}

// B_n at one installment. `monotoneAbove` tells whether every intermediate balance and factor is
// non-negative: a higher rate then cannot lower any balance, so the final one is monotone in the rate from
// here upward.
Probe Balance(const Loan& loan, const PeriodRates& rates, double installment)
{
    double balance = loan.initialValue;
    bool nonNegative = loan.initialValue >= 0 && rates.firstFactor >= 0 && rates.factor >= 0;
    for (int k = 1; k <= loan.count; ++k) {
        const double factor = k == 1 ? rates.firstFactor : rates.factor;
        const std::optional<double> next = ThroughText(balance * factor - installment);
        if (!next)
            return {true, 0, false};
        balance = *next;
        if (k < loan.count && balance < 0)
            nonNegative = false;
    }
    return {false, balance, nonNegative};
}

constexpr WalkStep kRatePhases[] = {{-1, 1}, {1, 0}, {-1, -1}, {1, -2}, {-1, -3}, {1, -4}, {-1, -5}, {1, -6}};
constexpr WalkStep kInstallmentPhases[] = {{1, 3}, {-1, 2}, {1, 1}, {-1, 0}, {1, -1}, {-1, -2}};

// The residual test after a search: a balance above 1 % of the initial value is no answer, except for a
// count of exactly "1".
SearchOutcome Conclude(const WalkResult& walk, const Loan& loan, std::wstring_view countText)
{
    SearchOutcome outcome;
    outcome.text = walk.value.text;
    outcome.balance = walk.last.objective;
    outcome.computations = walk.computations;
    switch (walk.end) {
    case WalkEnd::Cancelled:
        outcome.end = SearchEnd::Cancelled;
        break;
    case WalkEnd::Failed:
        outcome.end = SearchEnd::Failed;
        break;
    case WalkEnd::Stopped:
        outcome.end =
            countText != L"1" && outcome.balance > loan.initialValue * 0.01 ? SearchEnd::Failed : SearchEnd::Found;
        break;
    }
    return outcome;
}

SearchOutcome Failure()
{
    return {SearchEnd::Failed, {}, 0, 0};
}

std::wstring Join(const std::vector<std::wstring>& lines)
{
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += kLineEnd;
        text += lines[i];
    }
    return text;
}

}  // namespace

bool InitialValueMissing(std::wstring_view text)
{
    const rt::Result<double> value = rt::ParseNumber(text);
    return !value || *value == 0;
}

bool CountRefused(std::wstring_view text)
{
    const rt::Result<double> value = rt::ParseNumber(text);
    return text == L"0" || !value || *value == 0;
}

double MoneyReading(std::wstring_view text)
{
    return rt::ParseNumber(rt::FormatMoney(text)).value_or(0);
}

std::wstring RateWithDecimals(std::wstring_view text)
{
    const rt::Result<double> value = rt::ParseNumber(text);
    return value ? rt::FormatNumber(*value, L"#0.0#####") : std::wstring(text);
}

std::wstring DaysWithTwoDigits(std::wstring_view text)
{
    const rt::Result<double> value = rt::ParseNumber(text);
    return value ? rt::FormatNumber(*value, L"00") : std::wstring(text);
}

rt::Result<bool> InstallmentNotBelowValue(std::wstring_view initialValue, std::wstring_view installment)
{
    const rt::Result<rt::Currency> value = rt::Currency::FromText(initialValue);
    const rt::Result<rt::Currency> payment = rt::Currency::FromText(installment);
    if (!value)
        return value.error();
    if (!payment)
        return payment.error();
    return *payment >= *value;
}

std::wstring FinalAmount(std::wstring_view count, std::wstring_view installment)
{
    const rt::Result<double> n = rt::ParseNumber(count);
    const rt::Result<double> payment = rt::ParseNumber(installment);
    return n && payment ? rt::FormatMoney(*n * *payment) : rt::FormatMoney(0.0);
}

std::wstring FirstInstallmentGuess(std::wstring_view initialValue, std::wstring_view count)
{
    const rt::Result<double> value = rt::ParseNumber(initialValue);
    const rt::Result<double> n = rt::ParseNumber(count);
    return value && n ? rt::FormatMoney(*value / *n) : rt::FormatMoney(0.0);
}

std::optional<std::wstring> TotalInterest(std::wstring_view finalAmount, std::wstring_view initialValue)
{
    const rt::Result<double> total = rt::ParseNumber(finalAmount);
    const rt::Result<double> value = rt::ParseNumber(initialValue);
    if (!total || !value)
        return std::nullopt;
    return rt::FormatMoney(*total - *value);
}

rt::Result<double> LoanBalance(const LoanFields& fields)
{
    const rt::Result<Loan> loan = ReadLoan(fields);
    if (!loan)
        return loan.error();
    const rt::Result<PeriodRates> rates = ReadPeriodRates(fields.rate, loan->days);
    if (!rates)
        return rates.error();
    const Probe probe = Balance(*loan, *rates, loan->installment);
    if (probe.error)
        return rt::ValueError::Overflow;
    return probe.objective;
}

SearchOutcome SearchRate(const LoanFields& fields, SearchObserver& observer, WalkMode mode)
{
    const rt::Result<Loan> loan = ReadLoan(fields);
    if (!loan || loan->count == 0)
        return Failure();
    if (loan->count == 1 && loan->days == 0) {
        // Paid at once, the one installment is never charged interest: the balance is the same at every rate,
        // and a balance other than 0 would walk the rate for ever.
        const std::optional<double> balance = ThroughText(loan->initialValue - loan->installment);
        if (!balance || *balance != 0)
            return Failure();
    }
    const Objective objective = [&](const WalkValue& at) {
        const rt::Result<PeriodRates> rates = ReadPeriodRates(at.text, loan->days);
        return rates ? Balance(*loan, *rates, loan->installment) : Probe{true, 0, false};
    };
    const WalkResult walk = Walk(ReadWalkValue(fields.rate), kRatePhases, objective, observer, mode);
    return Conclude(walk, *loan, fields.count);
}

SearchOutcome SearchInstallment(const LoanFields& fields, SearchObserver& observer, WalkMode mode)
{
    const rt::Result<Loan> loan = ReadLoan(fields);
    if (!loan || loan->count == 0)
        return Failure();
    const rt::Result<PeriodRates> rates = ReadPeriodRates(fields.rate, loan->days);
    if (!rates)
        return Failure();
    const WalkValue start = ReadWalkValue(fields.installment);
    if (fields.count == L"1") {
        // One installment: the initial value grown by the first period's rate, in one step.
        if (!observer.Step(start.text))
            return {SearchEnd::Cancelled, start.text, 0, 0};
        const Probe probe = start.error ? Probe{true, 0, false} : Balance(*loan, *rates, start.value);
        const double sum = start.value + probe.objective;
        if (probe.error || !std::isfinite(sum))
            return Failure();
        return {SearchEnd::Found, rt::GeneralText(sum), probe.objective, 1};
    }
    // With no negative factor a larger installment never raises a balance: monotone everywhere.
    const bool monotone = rates->firstFactor >= 0 && rates->factor >= 0;
    const Objective objective = [&](const WalkValue& at) {
        Probe probe = Balance(*loan, *rates, at.value);
        probe.monotoneAbove = monotone;
        return probe;
    };
    const WalkResult walk = Walk(start, kInstallmentPhases, objective, observer, mode);
    return Conclude(walk, *loan, fields.count);
}

rt::Result<std::wstring> ScheduleBlock(const LoanFields& fields, std::wstring_view totalInterest,
                                       std::wstring_view finalAmount, const BlockHeadings& headings)
{
    const rt::Result<Loan> loan = ReadLoan(fields);
    if (!loan)
        return loan.error();
    const rt::Result<PeriodRates> rates = ReadPeriodRates(fields.rate, loan->days);
    if (!rates)
        return rates.error();
    using rt::RightAlign;
    std::vector<std::wstring> lines{
        L" =========================",
        RightAlign(headings.initialValue, 26),
        RightAlign(fields.initialValue, 25) + L" ",
        RightAlign(headings.count, 26),
        RightAlign(fields.count, 23) + L" x ",
        RightAlign(headings.installment, 26),
        RightAlign(fields.installment, 25) + L" ",
        RightAlign(headings.rate, 26),
        RightAlign(fields.rate, 23) + L" % ",
        L" =========== CALCULATION =",
        RightAlign(fields.initialValue, 24) + L" T",
    };
    double balance = loan->initialValue;
    for (int k = 1; k <= loan->count; ++k) {
        const std::wstring& rateText = k == 1 ? rates->first : rates->rest;
        const double grown = balance * (k == 1 ? rates->firstFactor : rates->factor);
        const std::optional<double> next = ThroughText(grown - loan->installment);
        if (!std::isfinite(grown) || !next)
            return rt::ValueError::Overflow;
        const std::wstring shownRate = rateText.substr(0, 8);
        std::wstring period = L"  30 days";
        if (k == 1)
            period = loan->days == 0 ? headings.inCash : RightAlign(fields.days, 4) + L" days";
        lines.push_back(RightAlign(rt::FormatMoney(balance), 24) + L" +");
        lines.push_back(std::wstring(11 - shownRate.size(), L' ') + period + L" (" + shownRate + L"%) =");
        lines.push_back(RightAlign(rt::FormatMoney(grown), 24) + L" -");
        lines.push_back(L" " + rt::FormatNumber(k, L"000") + L"\u00aa" + RightAlign(fields.installment, 19) + L" =");
        balance = *next;
    }
    lines.push_back(RightAlign(rt::FormatMoney(balance), 24) + L" T");
    lines.push_back(L"");
    lines.push_back(RightAlign(headings.totalInterest, 26));
    lines.push_back(RightAlign(totalInterest, 25) + L" ");
    lines.push_back(L"");
    lines.push_back(RightAlign(headings.finalAmount, 26));
    lines.push_back(RightAlign(finalAmount, 25) + L" ");
    return Join(lines);
}

}  // namespace tools
