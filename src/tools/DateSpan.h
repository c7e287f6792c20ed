#pragma once
// The date tool's calculation: the span between two dates in years, months, weeks and days, the count of
// 29 Februaries inside it, the final date from a typed span, and the block the tool leaves on the tape.
// Spans are counted in fixed units (365, 30 and 7 days); the leap-day count is the only calendar knowledge.
#include "runtime/Date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tools {

enum class DateUnit { Years = 0, Months = 1, Weeks = 2, Days = 3 };
inline constexpr int kDateUnitCount = 4;

// The buttons of the calculation: express the span from years, months, weeks or days on, or compute the
// final date from the typed span and then act as Years.
enum class SpanButton { Years = 0, Months = 1, Weeks = 2, Days = 3, FinalDate = 4 };

// The date tool's fields as the calculation reads and writes them. The window implements it on its
// controls, so a write runs the field's own change handling before the next read.
class DateFields {
public:
    virtual ~DateFields() = default;
    virtual std::wstring DateText(int index) const = 0;  // 0 the initial date, 1 the final date
    virtual void SetDateText(int index, const std::wstring& text) = 0;
    virtual std::wstring UnitText(DateUnit unit) const = 0;
    virtual void SetUnitText(DateUnit unit, const std::wstring& text) = 0;
    virtual bool UnitTicked(DateUnit unit) const = 0;
    virtual void SetLeapDays(const std::wstring& caption) = 0;
};

enum class SpanOutcome {
    Done,
    FinalBeforeInitial,  // message 33; the fields keep what the first steps left
    CheckFields,         // message 34: a missing or unreadable date, or a date or total out of range
};

// The 29 Februaries after `initial` up to and including `final`, found by stepping a date a year at a time
// from `initial`. Compares dates as dates and never steps past the last date of the range.
int LeapDaysInSpan(rt::Date initial, rt::Date final);

// The span of `total` days split into the ticked units, starting from `from` (FinalDate splits like
// Years). An empty entry is a unit the split leaves alone (not ticked, or above `from`). Months divide by
// 31 when 360 to 364 days are left, so that such a span reads as 11 months and not 12, but always take 30
// days off.
std::array<std::optional<int32_t>, kDateUnitCount> SplitSpan(int32_t total, SpanButton from,
                                                            const std::array<bool, kDateUnitCount>& ticked);

// Empties the four unit fields and the leap-day count.
void ClearResults(DateFields& fields);

// One press of a calculation button, once both date fields have been checked: the typed span (when the
// final date is not a date) gives the final date, then the span between the dates is split from the
// button's unit on. Dates are read and written in `dateFormat` ("dd/mm/yyyy" or "mm/dd/yyyy").
SpanOutcome CalculateSpan(DateFields& fields, SpanButton button, std::wstring_view dateFormat);

// The tape block of a closing date tool, or nothing when the units sum to 0, either text is not a date or
// both texts are equal: the final and initial dates, one line per non-zero unit with its text unchanged
// (each line 24 characters for short texts), and the closing line; every line ends in CR LF.
std::optional<std::wstring> DateTapeBlock(std::wstring_view initial, std::wstring_view final,
                                          const std::array<std::wstring, kDateUnitCount>& units);

}  // namespace tools
