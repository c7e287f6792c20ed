#pragma once
// The savings account and the cash check of the interest tool without its window: the tests of the answers,
// the capitalization, the search for a check's net amount and the block written to the tape.
#include "runtime/Date.h"
#include "runtime/ValueError.h"
#include "tools/Installments.h"
#include "tools/StepSearch.h"

#include <optional>
#include <string>
#include <string_view>

namespace tools {

inline constexpr int kSavingsMaxDays = 1500;
inline constexpr int kCashCheckMaxDays = 730;

// The amount after `days` at the monthly `rate`: compounded each whole 30-day month at full precision, the
// rest days charged pro rata, in the money format. Errors: a text that does not convert, an overflow.
rt::Result<std::wstring> CalculaCapital(std::wstring_view value, std::wstring_view rate, std::wstring_view days);

// An answer for a value or a rate: the text of its currency number (four decimals), when that is above 0.
std::optional<std::wstring> PositiveAmount(std::wstring_view answer);

// The days the answer gives: a number as it was typed; a date, the days from `initial` to it; anything else
// "0".
std::wstring DaysFromAnswer(std::wstring_view answer, const rt::Date& initial);

// Days above 0 and at most `maxDays`.
bool DaysInRange(std::wstring_view days, int maxDays);

struct CashCheckOutcome {
    SearchEnd end = SearchEnd::Failed;
    std::wstring net;  // the net amount in the money format (Found)
    long computations = 0;
};

// The net amount of a check of value `check` discounted at `rate` over `days`: the last value of the search
// whose capitalized amount does not exceed the check. Failed: an arithmetic error or the step limit.
CashCheckOutcome SearchCashCheck(std::wstring_view check, std::wstring_view rate, std::wstring_view days,
                                 SearchObserver& observer, WalkMode mode = WalkMode::Fast,
                                 long maxComputations = kMaxSearchSteps);

// The block of a savings account or a cash check, lines of 26 characters (longer when a value needs more
// room) joined by CR LF, the last without one. `dateFormat` is the program's date format; its first 8
// characters ("dd/mm/yy") write the dates. Errors: a date or number that does not convert, an overflow.
rt::Result<std::wstring> CapitalBlock(std::wstring_view value, std::wstring_view rate, std::wstring_view days,
                                      std::wstring_view finalAmount, std::wstring_view initialDate,
                                      std::wstring_view dateFormat, const BlockHeadings& headings);

}  // namespace tools
