// Arbitrary texts through every number conversion: no crash, hang or sanitizer report, and the general
// text of any double that comes out reads back to the same text.
#include "runtime/Currency.h"
#include "runtime/Format.h"
#include "runtime/Locale.h"
#include "runtime/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The results of the (void) calls are not checked: those conversions only must not fail.
void CheckValue(double value)
{
    for (const wchar_t* pattern : {L"#,##0.00", L"#0.0#####", L"00", L"000"})
        (void)rt::FormatNumber(value, pattern);
    (void)rt::FormatMoney(value);
    (void)rt::Currency::FromDouble(value);
    (void)rt::ToLong(value);
    (void)rt::ToInteger(value);
    const std::wstring text = rt::GeneralText(value);
    if (!std::isfinite(value))
        return;
    const auto back = rt::ParseNumber(text);
    if (!back || rt::GeneralText(*back) != text)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const rt::Locale english = rt::Locale::EnglishUS();
    static const rt::Locale portuguese = rt::Locale::PortugueseBR();
    rt::SetCurrentLocale(data[0] & 1 ? portuguese : english);
    // Either one character per byte (reaches the ASCII forms quickly) or one per two bytes (any character).
    std::wstring text;
    if (data[0] & 2) {
        for (size_t i = 1; i < size; ++i)
            text += static_cast<wchar_t>(data[i]);
    } else {
        for (size_t i = 1; i + 1 < size; i += 2)
            text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    }
    const auto value = rt::ParseNumber(text);
    if (value.ok() != rt::IsNumeric(text))
        std::abort();
    (void)rt::FormatMoney(text);
    (void)rt::Currency::FromText(text);
    if (value)
        CheckValue(*value);
    CheckValue(rt::LeadingNumber(text));
    return 0;
}
