// Arbitrary text through the date reader in a month-first and a day-first locale; every date it accepts
// must format and read back to itself.
#include "FuzzText.h"
#include "runtime/Date.h"
#include "runtime/Locale.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the locale; the rest is the text.
    const bool dayFirst = data[0] & 1;
    const std::wstring text = FuzzText(data + 1, size - 1);

    rt::ScopedLocale locale(dayFirst ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
    const auto date = rt::Date::Parse(text);
    if (!date)
        return 0;
    for (const wchar_t* pattern : {L"dd/mm/yyyy", L"mm/dd/yyyy", L"yyyy/mm/dd", L"dd/mm/yy", L"mm/dd/yy", L"dddd",
                                   L"dddddd"})
        (void)date->Format(pattern);  // only its safety matters here
    const auto back = rt::Date::Parse(date->Format(dayFirst ? L"dd/mm/yyyy" : L"mm/dd/yyyy"));
    if (!back || *back != *date)
        std::abort();
    return 0;
}
