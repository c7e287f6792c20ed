// Random keys on the adding machine: the entry stays a number as typed, every tape line is a whole line,
// a total closes its block and leaves the calculation cleared, and the display's text reads back as the
// running total whenever the total fits the number field.
#include "FuzzInput.h"
#include "core/Calculation.h"
#include "runtime/Decimal.h"
#include "runtime/Locale.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Whole lines of at least the number field and a mark, each ending in CR LF.
void RequireLines(const std::wstring& lines)
{
    size_t start = 0;
    while (start < lines.size()) {
        const size_t end = lines.find(L"\r\n", start);
        FUZZ_REQUIRE(end != std::wstring::npos && end - start >= core::kNumberWidth);
        start = end + 2;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const bool comma = in.Byte() & 1;
    rt::ScopedLocale locale(comma ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS());
    const wchar_t separator = comma ? L',' : L'.';
    core::Calculation calc(separator);
    bool typedOnly = true;  // the entry came from keys, not from outside
    for (int steps = 0; steps < 64 && !in.Empty(); ++steps) {
        const uint8_t key = in.Byte();
        switch (key % 16) {
        case 10: calc.TypeSeparator(); break;
        case 11: calc.Backspace(); break;
        case 12: RequireLines(calc.Operate(L"+-*/"[in.Pick(4)])); typedOnly = true; break;
        case 13: {
            const std::wstring block = calc.Totalize();
            RequireLines(block);
            // A total closes its block; a division by zero or an overflow ends in an error line instead.
            const bool error = block.size() >= 4 && block.compare(block.size() - 4, 2, core::kMarkError) == 0;
            FUZZ_REQUIRE(block.empty() || core::TapeIsClosed(block) || error);
            FUZZ_REQUIRE(calc.Items() == 0 && calc.Total().IsZero());
            typedOnly = typedOnly || !block.empty();  // "=" with nothing entered leaves the entry as it is
            break;
        }
        case 14: calc.SetEntry(in.Box(20)); typedOnly = false; break;
        case 15: calc.Clear(); typedOnly = true; break;
        default: calc.TypeDigit(static_cast<wchar_t>(L'0' + key % 10)); break;
        }
        if (typedOnly) {
            const std::wstring& entry = calc.Entry();
            FUZZ_REQUIRE(!entry.empty() && std::count(entry.begin(), entry.end(), separator) <= 1);
            FUZZ_REQUIRE(std::all_of(entry.begin(), entry.end(),
                                [&](wchar_t c) { return (c >= L'0' && c <= L'9') || c == separator || c == L'-'; }));
        }
        // The display rounds a total to the number field; one that fits is shown whole.
        const auto shown = rt::Decimal::FromText(calc.TotalText());
        FUZZ_REQUIRE(shown.ok());
        if (calc.Total().ToText().size() <= core::kNumberWidth)
            FUZZ_REQUIRE(*shown == calc.Total());
    }
    return 0;
}
