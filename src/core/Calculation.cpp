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

std::optional<std::wstring> FitNumber(std::wstring_view number, size_t width)
{
    if (number.size() <= width) return std::wstring(number);
    const size_t sign = !number.empty() && number[0] == L'-' ? 1 : 0;
    const size_t separator = std::min(number.find_first_not_of(L"0123456789", sign), number.size());
    const std::wstring_view integer = number.substr(sign, separator - sign);
    const std::wstring_view fraction = separator < number.size() ? number.substr(separator + 1) : std::wstring_view();
    if (sign + integer.size() > width) return std::nullopt;
    // What is left after the integer part, less one place for the separator.
    const size_t room = width - sign - integer.size();
    const size_t decimals = std::min(room > 1 ? room - 1 : 0, fraction.size());

    std::wstring digits(integer);
    digits += fraction.substr(0, decimals);
    if (decimals < fraction.size() && fraction[decimals] >= L'5') {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == L'9') digits[--i] = L'0';
        if (i == 0) digits.insert(digits.begin(), L'1');
        else ++digits[i - 1];
    }
    const size_t integerLength = digits.size() - decimals;
    size_t end = digits.size();
    while (end > integerLength && digits[end - 1] == L'0') --end;

    std::wstring text;
    if (sign && digits.find_first_not_of(L'0') < end) text = L"-";
    text.append(digits, 0, integerLength);
    if (end > integerLength) {
        text += number[separator];
        text.append(digits, integerLength, end - integerLength);
    }
    if (text.size() > width) return std::nullopt;  // rounding carried into one digit more
    return text;
}

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
    if (entry_.size() <= kNumberWidth) return;
    // Grouped or long: shown as the plain number, rounded to the field, when that makes it fit.
    const rt::Result<rt::Decimal> value = ReadNumber(entry_);
    if (!value) return;
    const std::wstring plain = WithSeparator(value->ToText(), rt::CurrentLocale().decimalSeparator, separator_);
    if (std::optional<std::wstring> fitted = FitNumber(plain)) entry_ = std::move(*fitted);
}

rt::Result<rt::Decimal> Calculation::ReadNumber(const std::wstring& number) const
{
    // The entry uses the program's separator; the decimal reader wants the locale's, and no grouping.
    std::wstring forReading = number;
    const wchar_t localeSep = rt::CurrentLocale().decimalSeparator;
    std::erase_if(forReading, [&](wchar_t c) { return c != separator_ && (c < L'0' || c > L'9') && c != L'-'; });
    return rt::Decimal::FromText(WithSeparator(forReading, separator_, localeSep));
}

std::wstring Calculation::EntryNumberText() const
{
    std::wstring text = entry_;
    if (!text.empty() && text.back() == separator_) text.pop_back();
    return text.empty() ? L"0" : text;
}

std::wstring Calculation::TotalText() const
{
    std::wstring text = WithSeparator(total_.ToText(), rt::CurrentLocale().decimalSeparator, separator_);
    std::optional<std::wstring> fitted = FitNumber(text);
    return fitted ? std::move(*fitted) : text;
}

bool Calculation::ApplyPending(std::wstring& errorLine)
{
    if (pending_ == L"T") return true;  // a tool's block: no arithmetic
    const std::wstring number = EntryNumberText();
    const rt::Result<rt::Decimal> value = ReadNumber(number);
    rt::Result<rt::Decimal> result = rt::ValueError::TypeMismatch;
    if (value) {
        if (pending_ == L"+") result = total_.Add(*value);
        else if (pending_ == L"-") result = total_.Sub(*value);
        else if (pending_ == L"*") result = total_.Mul(*value);
        else if (pending_ == L"/") result = total_.Div(*value);
        else result = *value;
    }
    // A total the number field cannot show is an overflow like any other.
    if (result && !FitNumber(result->ToText())) result = rt::ValueError::Overflow;
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
