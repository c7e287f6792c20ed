#include "core/Calculation.h"

#include "runtime/Locale.h"
#include "runtime/Strings.h"

#include <algorithm>

namespace core {

namespace {

// Room for the number field of a tape line.
constexpr size_t kMaxEntryLength = kNumberWidth;

std::wstring WithSeparator(std::wstring text, wchar_t from, wchar_t to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

}  // namespace

std::wstring TapeLine(std::wstring_view number, std::wstring_view mark)
{
    std::wstring line = rt::RightAlign(number, kNumberWidth);
    line += mark;
    line += L"\r\n";
    return line;
}

bool TapeIsClosed(std::wstring_view tape) { return tape.size() >= 4 && tape[tape.size() - 4] == L'='; }

void Calculation::TypeDigit(wchar_t digit)
{
    if (digit < L'0' || digit > L'9') return;
    if (entryFresh_ || entry_ == L"0") {
        entry_.assign(1, digit);
        entryFresh_ = false;
    } else if (entry_.size() < kMaxEntryLength) {
        entry_ += digit;
    }
    enteredSinceTotal_ = true;
}

void Calculation::TypeSeparator()
{
    if (entryFresh_) {
        entry_ = L"0";
        entryFresh_ = false;
    }
    if (entry_.find(separator_) == std::wstring::npos && entry_.size() < kMaxEntryLength) entry_ += separator_;
    enteredSinceTotal_ = true;
}

void Calculation::Backspace()
{
    if (entryFresh_) return;
    entry_.pop_back();
    if (entry_.empty() || entry_ == L"-") {
        entry_ = L"0";
        entryFresh_ = true;
    }
}

void Calculation::SetEntry(std::wstring text)
{
    entry_ = text.empty() ? L"0" : std::move(text);
    entryFresh_ = true;
}

std::wstring Calculation::EntryNumberText() const
{
    std::wstring text = entry_;
    if (!text.empty() && text.back() == separator_) text.pop_back();
    return text.empty() ? L"0" : text;
}

std::wstring Calculation::TotalText() const
{
    return WithSeparator(total_.ToText(), rt::CurrentLocale().decimalSeparator, separator_);
}

bool Calculation::ApplyPending(std::wstring& errorLine)
{
    if (pending_ == L"T") return true;  // a tool's block: no arithmetic
    // The entry uses the program's separator; the decimal reader wants the locale's, and no grouping.
    const std::wstring number = EntryNumberText();
    std::wstring forReading = number;
    const wchar_t localeSep = rt::CurrentLocale().decimalSeparator;
    std::erase_if(forReading, [&](wchar_t c) { return c != separator_ && (c < L'0' || c > L'9') && c != L'-'; });
    forReading = WithSeparator(forReading, separator_, localeSep);
    const rt::Result<rt::Decimal> value = rt::Decimal::FromText(forReading);
    rt::Result<rt::Decimal> result = rt::ValueError::TypeMismatch;
    if (value) {
        if (pending_ == L"+") result = total_.Add(*value);
        else if (pending_ == L"-") result = total_.Sub(*value);
        else if (pending_ == L"*") result = total_.Mul(*value);
        else if (pending_ == L"/") result = total_.Div(*value);
        else result = *value;
    }
    if (!result) {
        errorLine = TapeLine(number, kMarkError);
        Clear();
        return false;
    }
    total_ = *result;
    return true;
}

std::wstring Calculation::Operate(wchar_t key)
{
    std::wstring_view mark;
    switch (key) {
    case L'+': mark = kMarkPlus; break;
    case L'-': mark = kMarkMinus; break;
    case L'*': mark = kMarkTimes; break;
    case L'/': mark = kMarkDivide; break;
    default: return {};
    }
    std::wstring line = TapeLine(EntryNumberText(), mark);
    std::wstring errorLine;
    if (!ApplyPending(errorLine)) return errorLine;
    pending_.assign(1, key);
    ++items_;
    entry_ = L"0";
    entryFresh_ = true;
    enteredSinceTotal_ = true;
    return line;
}

std::wstring Calculation::Totalize()
{
    if (!enteredSinceTotal_) return {};
    std::wstring block = TapeLine(EntryNumberText(), kMarkEquals);
    std::wstring errorLine;
    if (!ApplyPending(errorLine)) return errorLine;
    lastTotal_ = TotalText();
    block += kSubtotalRule;
    block += L"\r\n";
    block += TapeLine(lastTotal_, kMarkTotal);
    block += kBlockRule;
    block += L"\r\n";
    Clear();
    return block;
}

void Calculation::Clear()
{
    total_ = rt::Decimal();
    items_ = 0;
    pending_ = L"+";
    entry_ = L"0";
    entryFresh_ = true;
    enteredSinceTotal_ = false;
}

}  // namespace core
