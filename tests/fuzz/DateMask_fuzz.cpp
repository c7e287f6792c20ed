// Whatever a date field holds and wherever its caret stands, the mask's rules return positions inside the
// field and a ten-character text; a checked field holds the empty mask or a date in the program's format
// that checks again to itself.
#include "FuzzInput.h"
#include "runtime/Date.h"
#include "runtime/Locale.h"
#include "tools/DateMask.h"

#include <algorithm>
#include <cstdlib>

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    const uint8_t setup = in.Byte();
    static constexpr wchar_t kSeparators[] = {L'/', L'.', L'-'};
    const wchar_t separator = kSeparators[setup % 3];
    const bool dayFirst = setup & 4;
    rt::Locale locale = dayFirst ? rt::Locale::PortugueseBR() : rt::Locale::EnglishUS();
    rt::ScopedLocale scoped(locale);
    const tools::DateMask mask(separator);
    const std::wstring format = dayFirst ? L"dd/mm/yyyy" : L"mm/dd/yyyy";

    std::wstring text = in.Text(14);
    for (wchar_t& c : text)
        if (c == L'/' || c == L'_')
            c = c == L'/' ? separator : L'_';
    const int caret = in.Pick(static_cast<int>(text.size()) + 3) - 1;  // now and then outside the text
    const int length = in.Pick(4);
    static constexpr int kKeys[] = {'5', 8, 37, 39, 46, ' '};
    const int key = kKeys[in.Pick(6)];

    if (const auto selection = mask.BeforeKey(text, {caret, length}, key)) {
        FUZZ_REQUIRE(selection->start >= 0 && selection->length >= 0);
        FUZZ_REQUIRE(selection->start + selection->length <= std::min<int>(tools::DateMask::kLength, text.size()));
    }
    const auto edit = mask.AfterChange(text, caret);
    FUZZ_REQUIRE(edit.text.size() == static_cast<size_t>(tools::DateMask::kLength));
    FUZZ_REQUIRE(edit.caret >= 0 && edit.caret <= tools::DateMask::kLength);
    FUZZ_REQUIRE(mask.AfterChange(edit.text, edit.caret).text == edit.text);

    const auto check = mask.Validate(edit.text, format);
    if (check.refused) {
        FUZZ_REQUIRE(check.text == mask.Empty());
        return 0;
    }
    const auto again = mask.Validate(check.text, format);
    FUZZ_REQUIRE(!again.refused && again.text == check.text);
    return 0;
}
