#pragma once
// The fixed-installment calculator without its window: the readings its validation makes of the fields, the
// loan balance over the installment periods, the rate and installment searches, and the schedule block
// written to the tape. The state is the fields' texts, read with the current locale's rules; intermediate
// values are held as their general 15-digit texts, as the fields would hold them.
#include "runtime/ValueError.h"
#include "tools/StepSearch.h"

#include <optional>
#include <string>
#include <string_view>

namespace tools {

// The texts of the calculator's input fields.
struct LoanFields {
    std::wstring initialValue;  // loan or merchandise value
    std::wstring installment;   // the fixed installment
    std::wstring count;         // number of installments, 1 to 250
    std::wstring days;          // days until the first installment; 0 is paid in cash
    std::wstring rate;          // monthly interest rate in percent

    friend bool operator==(const LoanFields&, const LoanFields&) = default;
};

// Headings of the tape blocks, from the message table.
struct BlockHeadings {
    std::wstring initialValue;   // "INITIAL VALUE "
    std::wstring count;          // "NUMBER OF INSTALLMENTS "
    std::wstring installment;    // "INSTALLMENT VALUE "
    std::wstring rate;           // "MONTHLY INTEREST RATE "
    std::wstring totalInterest;  // "TOTAL INTEREST AMOUNT "
    std::wstring finalAmount;    // "FINAL AMOUNT "
    std::wstring days;           // "NUMBER OF DAYS "
    std::wstring inCash;         // "  in cash", the period text of a first installment paid at once
};

inline constexpr int kMaxInstallments = 250;
inline constexpr wchar_t kRateSearchStart[] = L"15";

// Validation readings, in the order the calculation makes them.

// No initial value: the text does not read as a number, or reads as 0. Read with the locale's separator, so
// "0,50" is half a unit where "," is the separator.
bool InitialValueMissing(std::wstring_view text);
// A count the calculation refuses: "0", not a number, or a value of 0 such as "00" (no periods: the search
// could never end).
bool CountRefused(std::wstring_view text);
// The text through the money format, read back: what "reads above 0" judges. "" and "Erro" read 0.
double MoneyReading(std::wstring_view text);
// The rate as it is shown once it holds a decimal separator: "#0.0#####" ("2," becomes "2,0"); a text that
// is not a number stays as it is.
std::wstring RateWithDecimals(std::wstring_view text);
// The days in the format "00" ("5" becomes "05"); the text must be numeric.
std::wstring DaysWithTwoDigits(std::wstring_view text);
// Whether the installment is not below the initial value, compared as currency; an error when either does
// not convert.
rt::Result<bool> InstallmentNotBelowValue(std::wstring_view initialValue, std::wstring_view installment);
// The final amount: count x installment in the money format.
std::wstring FinalAmount(std::wstring_view count, std::wstring_view installment);
// The installment the installment search starts from: initial value / count in the money format.
std::wstring FirstInstallmentGuess(std::wstring_view initialValue, std::wstring_view count);
// The total interest: final amount - initial value in the money format; nothing when either does not convert.
std::optional<std::wstring> TotalInterest(std::wstring_view finalAmount, std::wstring_view initialValue);

// The balance B_n after the last period (positive: the installments do not pay the loan off). Errors: a
// field that does not convert, a count above 255, an overflow.
rt::Result<double> LoanBalance(const LoanFields& fields);

enum class SearchEnd {
    Found,      // the searched field holds the answer
    Failed,     // the failure steps: no answer (residual too large, an error, a walk that does not end)
    Cancelled,  // the observer cancelled: nothing more is to be written
};

struct SearchOutcome {
    SearchEnd end = SearchEnd::Failed;
    std::wstring text;   // the searched field's text when the search ended
    double balance = 0;  // the last balance computed
    long computations = 0;
};

// The rate search: `fields.rate` holds the rate it starts from (kRateSearchStart), `fields.installment` the
// installment. Fails at once when the balance cannot depend on the rate (one installment paid in cash that
// differs from the initial value; no installments).
SearchOutcome SearchRate(const LoanFields& fields, SearchObserver& observer, WalkMode mode = WalkMode::Fast);

// The installment search: `fields.installment` holds the installment it starts from (FirstInstallmentGuess),
// `fields.rate` the rate. The text found is the general text before the money format the window gives it.
SearchOutcome SearchInstallment(const LoanFields& fields, SearchObserver& observer, WalkMode mode = WalkMode::Fast);

// The schedule written to the tape after a calculation: lines of 26 characters (longer when a value needs
// more room) joined by CR LF, the last without one. `totalInterest` and `finalAmount` are the result fields.
rt::Result<std::wstring> ScheduleBlock(const LoanFields& fields, std::wstring_view totalInterest,
                                       std::wstring_view finalAmount, const BlockHeadings& headings);

}  // namespace tools
