#pragma once
// The adding machine's running calculation: the entry being typed, the pending operator and the running
// total in decimal arithmetic, and the tape lines each key produces. Windows show what it holds and
// append the lines it returns to the tape.
#include "runtime/Decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace core {

// Operator marks of the tape.
inline constexpr std::wstring_view kMarkPlus = L" +";
inline constexpr std::wstring_view kMarkMinus = L" -";
inline constexpr std::wstring_view kMarkTimes = L" \u00d7";
inline constexpr std::wstring_view kMarkDivide = L" \u00f7";
inline constexpr std::wstring_view kMarkEquals = L" =";
inline constexpr std::wstring_view kMarkTotal = L" T";
inline constexpr std::wstring_view kMarkError = L" E";
inline constexpr std::wstring_view kSubtotalRule = L" -------------------------";
inline constexpr std::wstring_view kBlockRule = L" =========================";
inline constexpr size_t kNumberWidth = 24;

// A tape line: the number right-aligned in 24 characters, the mark, CR LF.
std::wstring TapeLine(std::wstring_view number, std::wstring_view mark);

// A block is closed when the character four places from the end of the tape is "=".
bool TapeIsClosed(std::wstring_view tape);

// A plain number text ("-12.5": a sign, digits, one separator) rounded half away from zero to as many decimals
// as fit in `width` characters, without trailing zeros; nothing when its integer part alone does not fit.
std::optional<std::wstring> FitNumber(std::wstring_view number, size_t width = kNumberWidth);

class Calculation {
public:
    explicit Calculation(wchar_t separator = L'.') : separator_(separator) {}

    void SetSeparator(wchar_t separator) { separator_ = separator; }

    // Typing into the entry. The first key after an operator or a total starts a new number.
    void TypeDigit(wchar_t digit);
    void TypeSeparator();
    // Removes the last character typed; an emptied entry is "0".
    void Backspace();
    const std::wstring& Entry() const { return entry_; }
    // An entry written from outside (a tool's result, "0"): taken as typed, ready to be replaced. A number
    // too long for the field is rounded to fit.
    void SetEntry(std::wstring text);

    // "+", "-", "*" or "/": the entry line for the tape. The previous pending operator is applied to
    // the running total first; a division by zero or an overflow (a total too long for the number field
    // included) gives an error line instead and clears the calculation. The total keeps every digit; only
    // what is shown is rounded to the field, so a tape's lines add up to its total.
    std::wstring Operate(wchar_t key);
    // "=": the total block, or nothing when nothing was entered since the last total. Clears the
    // running total afterwards.
    std::wstring Totalize();

    // Display 0, total 0, no items, pending "+", entry "0" ready for typing.
    void Clear();

    const rt::Decimal& Total() const { return total_; }
    std::wstring TotalText() const;
    int Items() const { return items_; }
    const std::wstring& PendingOperator() const { return pending_; }
    // "T" marks the tape as written by a tool: no arithmetic until the next operator key.
    void SetPendingOperator(std::wstring op) { pending_ = std::move(op); }
    // The total last closed by Totalize, for the clipboard.
    const std::wstring& LastTotalText() const { return lastTotal_; }

private:
    std::wstring EntryNumberText() const;
    // An entry text as a value: grouping dropped, the program's separator read.
    rt::Result<rt::Decimal> ReadNumber(const std::wstring& number) const;
    bool ApplyPending(std::wstring& errorLine);

    wchar_t separator_;
    std::wstring entry_ = L"0";
    bool entryFresh_ = true;   // the next digit replaces the entry
    bool enteredSinceTotal_ = false;
    rt::Decimal total_;
    int items_ = 0;
    std::wstring pending_ = L"+";
    std::wstring lastTotal_;
};

}  // namespace core
