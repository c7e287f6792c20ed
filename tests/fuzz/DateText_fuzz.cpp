// Arbitrary text through the date reader in a month-first and a day-first locale; every date it accepts
// must format and read back to itself.
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
    // The first byte picks the locale; the rest are UTF-16 code units, or Latin-1 bytes when odd-sized,
    // so that short ASCII texts are easy to reach.
    const bool dayFirst = data[0] & 1;
    ++data;
    --size;
    std::wstring text;
    if (size % 2 == 0) {
        for (size_t i = 0; i + 1 < size; i += 2)
            text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    } else {
        for (size_t i = 0; i < size; ++i)
            text += static_cast<wchar_t>(data[i]);
    }

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
