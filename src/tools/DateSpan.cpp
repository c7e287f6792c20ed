#include "tools/DateSpan.h"

#include "runtime/NumberText.h"

namespace tools {

namespace {

constexpr std::array<DateUnit, kDateUnitCount> kUnits{DateUnit::Years, DateUnit::Months, DateUnit::Weeks,
                                                      DateUnit::Days};
constexpr std::array<double, kDateUnitCount> kDaysPerUnit{365, 30, 7, 1};

constexpr int kYearDays = 365;
constexpr int kMonthDays = 30;
constexpr int kWeekDays = 7;

// The number a unit field holds: read with the locale's rules, else its leading number.
double UnitValue(const DateFields& fields, DateUnit unit)
{
    const std::wstring text = fields.UnitText(unit);
    return rt::ParseNumber(text).value_or(rt::LeadingNumber(text));
}

std::wstring WholeText(int64_t value) { return std::to_wstring(value); }

}  // namespace

int LeapDaysInSpan(rt::Date initial, rt::Date final)
{
    rt::Date step = initial;
    int count = 0;
    int previous = 0;
    while (!(final < step)) {
        const int year = step.Year();
        // The stepping date is inside the range, so its year's 28 February exists.
        const rt::Date february28 = *rt::Date::FromYmd(year, 2, 28);
        if (final < february28)
            break;
        if (!(february28 < step)) {
            // On or before 28 February: this year's leap day is still ahead.
            const auto leapDay = rt::Date::FromYmd(year, 2, 29);
            if (leapDay && !(final < *leapDay))
                ++count;
        } else if (step < final) {
            // Past February: next year's leap day is the one this step reaches (none after 9999).
            const auto leapDay = rt::Date::FromYmd(year + 1, 2, 29);
            if (leapDay && !(final < *leapDay))
                ++count;
        }
        // A year later, one day more when a leap day was passed, so the stepping date keeps its day.
        const auto next = step.AddDays(kYearDays + (count != previous ? 1 : 0));
        if (!next)
            break;  // beyond the last date of the range, so beyond any final date too
        step = *next;
        previous = count;
    }
    return count;
}

std::array<std::optional<int32_t>, kDateUnitCount> SplitSpan(int32_t total, SpanButton from,
                                                            const std::array<bool, kDateUnitCount>& ticked)
{
    const int first = from == SpanButton::FinalDate ? 0 : static_cast<int>(from);
    std::array<std::optional<int32_t>, kDateUnitCount> split;
    if (first <= 0 && ticked[0]) {
        split[0] = total / kYearDays;
        total -= *split[0] * kYearDays;
    }
    if (first <= 1 && ticked[1]) {
        const int divisor = total >= 360 && total <= 364 ? 31 : kMonthDays;
        split[1] = total / divisor;
        total -= *split[1] * kMonthDays;
    }
    if (first <= 2 && ticked[2]) {
        split[2] = total / kWeekDays;
        total -= *split[2] * kWeekDays;
    }
    if (ticked[3])
        split[3] = total;
    return split;
}

void ClearResults(DateFields& fields)
{
    for (DateUnit unit : kUnits)
        fields.SetUnitText(unit, L"");
    fields.SetLeapDays(L"");
}

SpanOutcome CalculateSpan(DateFields& fields, SpanButton button, std::wstring_view dateFormat)
{
    // With two dates given, a typed span is discarded.
    if (rt::Date::Parse(fields.DateText(1)))
        ClearResults(fields);
    for (DateUnit unit : kUnits)
        if (!rt::IsNumeric(fields.UnitText(unit)))
            fields.SetUnitText(unit, L"0");

    int32_t typed = 0;
    for (size_t i = 0; i < kUnits.size(); ++i) {
        const auto value = rt::ParseNumber(fields.UnitText(kUnits[i]));
        if (!value)
            return SpanOutcome::CheckFields;
        const auto sum = rt::ToLong(*value * kDaysPerUnit[i] + typed);
        if (!sum)
            return SpanOutcome::CheckFields;
        typed = *sum;
    }
    if (typed != 0) {
        const auto initial = rt::Date::Parse(fields.DateText(0));
        if (!initial)
            return SpanOutcome::CheckFields;
        const auto final = initial->AddDays(typed);
        if (!final)
            return SpanOutcome::CheckFields;
        fields.SetDateText(1, final->Format(dateFormat));
    }
    if (fields.DateText(1).size() < 8 || !rt::Date::Parse(fields.DateText(1)))
        return SpanOutcome::CheckFields;

    // The dates as the fields hold them now; read again after the final date moves.
    const auto readDates = [&fields](rt::Date& initial, rt::Date& final) {
        const auto first = rt::Date::Parse(fields.DateText(0));
        const auto last = rt::Date::Parse(fields.DateText(1));
        if (!first || !last)
            return false;
        initial = *first;
        final = *last;
        return true;
    };
    rt::Date initial = rt::Date::Today();
    rt::Date final = initial;
    if (!readDates(initial, final))
        return SpanOutcome::CheckFields;
    if (final < initial)
        return SpanOutcome::FinalBeforeInitial;

    int32_t total = 0;
    int leapDays = 0;
    for (;;) {
        total = static_cast<int32_t>(initial.DaysUntil(final));
        if (button == SpanButton::Years || button == SpanButton::FinalDate) {
            if (total < kYearDays)
                break;
            leapDays = LeapDaysInSpan(initial, final);
            if (UnitValue(fields, DateUnit::Years) == 0) {
                total -= leapDays;
                break;
            }
            // The final date was found with 365-day years: move it by the leap days inside and measure
            // again, now with no typed years.
            const auto moved = initial.AddDays(int64_t{total} + leapDays);
            if (!moved)
                return SpanOutcome::CheckFields;
            fields.SetDateText(1, moved->Format(dateFormat));
            fields.SetUnitText(DateUnit::Years, L"0");
            if (!readDates(initial, final))
                return SpanOutcome::CheckFields;
            continue;
        }
        // The units above the button's are zeroed.
        for (int i = 0; i < static_cast<int>(button); ++i)
            fields.SetUnitText(kUnits[static_cast<size_t>(i)], L"0");
        break;
    }

    std::array<bool, kDateUnitCount> ticked{};
    for (size_t i = 0; i < kUnits.size(); ++i)
        ticked[i] = fields.UnitTicked(kUnits[i]);
    const auto split = SplitSpan(total, button, ticked);
    for (size_t i = 0; i < 3; ++i)
        if (split[i])
            fields.SetUnitText(kUnits[i], WholeText(*split[i]));
    fields.SetLeapDays(WholeText(leapDays));
    if (split[3])
        fields.SetUnitText(DateUnit::Days, WholeText(*split[3]));
    return SpanOutcome::Done;
}

std::optional<std::wstring> DateTapeBlock(std::wstring_view initial, std::wstring_view final,
                                          const std::array<std::wstring, kDateUnitCount>& units)
{
    double sum = 0;
    for (const std::wstring& unit : units)
        sum += rt::LeadingNumber(unit);
    if (sum == 0 || !rt::Date::Parse(initial) || !rt::Date::Parse(final) || initial == final)
        return std::nullopt;

    struct UnitLine {
        size_t width;  // blanks plus the text
        std::wstring_view label;
    };
    static constexpr std::array<UnitLine, kDateUnitCount> kLines{
        {{15, L" years: "}, {14, L" months: "}, {13, L"   weeks: "}, {16, L" days: "}}};
    const std::wstring indent(9, L' ');
    std::wstring block;
    block.append(indent).append(L"[").append(final).append(L"] - \r\n");
    block.append(indent).append(L"[").append(initial).append(L"] = \r\n");
    for (size_t i = 0; i < units.size(); ++i) {
        const std::wstring& text = units[i];
        // A text wider than its column has no line (it cannot be typed within the fields' limits).
        if (rt::LeadingNumber(text) == 0 || text.size() > kLines[i].width)
            continue;
        block.append(kLines[i].width - text.size(), L' ').append(kLines[i].label).append(text).append(L" \r\n");
    }
    block.append(L" =========================\r\n");
    return block;
}

}  // namespace tools
