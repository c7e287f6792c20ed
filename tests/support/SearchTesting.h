#pragma once
// Helpers for the tests of the interest tool's searches and blocks.
#include "runtime/Locale.h"
#include "tools/Installments.h"
#include "tools/StepSearch.h"

#include <algorithm>
#include <string>
#include <vector>

namespace test {

// Lets every step through; cancels after `cancelAfter` steps when it is set; remembers the texts shown.
class RecordingObserver : public tools::SearchObserver {
public:
    explicit RecordingObserver(long cancelAfter = -1) : cancelAfter_(cancelAfter) {}

    bool Step(const std::wstring& fieldText) override
    {
        if (cancelAfter_ >= 0 && steps_ >= cancelAfter_)
            return false;
        ++steps_;
        last_ = fieldText;
        return true;
    }
    long Steps() const { return steps_; }
    const std::wstring& Last() const { return last_; }

private:
    long cancelAfter_;
    long steps_ = 0;
    std::wstring last_;
};

// The English headings of the message table.
inline tools::BlockHeadings EnglishHeadings()
{
    return {L"INITIAL VALUE ",         L"NUMBER OF INSTALLMENTS ", L"INSTALLMENT VALUE ", L"MONTHLY INTEREST RATE ",
            L"TOTAL INTEREST AMOUNT ", L"FINAL AMOUNT ",           L"NUMBER OF DAYS ",    L"  in cash"};
}

inline const std::vector<rt::Locale>& BothLocales()
{
    static const std::vector<rt::Locale> locales{rt::Locale::EnglishUS(), rt::Locale::PortugueseBR()};
    return locales;
}

// A text written with "." as the decimal point and "," as the thousands separator, in the current locale's.
inline std::wstring Loc(std::wstring text)
{
    const rt::Locale& locale = rt::CurrentLocale();
    for (wchar_t& c : text)
        c = c == L'.' ? locale.decimalSeparator : c == L',' ? locale.thousandsSeparator : c;
    return text;
}

inline std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos)
            return lines;
        start = end + 2;
    }
}

}  // namespace test
