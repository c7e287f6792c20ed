// Stored message texts and their arguments through the message expansion: every "|" of the stored text and
// nothing else becomes CR LF, the first of each placeholder takes its argument whole, and what an argument
// brings in ("|", placeholders) is never expanded again.
#include "FuzzInput.h"
#include "runtime/Strings.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    static constexpr wchar_t kPlaceholders[3] = {L'\u008D', L'\u017D', L'\u008F'};
    // Stored texts: the common characters with placeholders sprinkled in by the bytes that pick them.
    std::wstring stored = in.Text(30);
    for (wchar_t& c : stored)
        if (c == L'(' || c == L')' || c == L'$')
            c = kPlaceholders[c == L'(' ? 0 : c == L')' ? 1 : 2];
    std::wstring arguments[3];
    for (std::wstring& argument : arguments) {
        argument = in.Text(12);
        if (in.Byte() & 1)
            argument += kPlaceholders[in.Pick(3)];
    }
    const std::wstring out = rt::ExpandMessage(stored, arguments[0], arguments[1], arguments[2]);
    const std::wstring bare = rt::ExpandMessage(stored);

    // Without arguments every placeholder's first occurrence is gone and each "|" became two characters.
    const size_t bars = static_cast<size_t>(std::count(stored.begin(), stored.end(), L'|'));
    size_t present = 0;
    size_t brought = 0;
    for (int k = 0; k < 3; ++k) {
        if (stored.find(kPlaceholders[k]) == std::wstring::npos)
            continue;
        ++present;
        brought += arguments[k].size();
        FUZZ_REQUIRE(out.find(arguments[k]) != std::wstring::npos);
    }
    FUZZ_REQUIRE(bare.size() == stored.size() + bars - present && bare.find(L'|') == std::wstring::npos);
    // The arguments add their own length and nothing more: nothing they bring in is expanded.
    FUZZ_REQUIRE(out.size() == bare.size() + brought);
    FUZZ_REQUIRE(bars > 0 || present > 0 || out == stored);
    return 0;
}
