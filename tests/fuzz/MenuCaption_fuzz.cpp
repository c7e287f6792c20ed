// Arbitrary menu texts through the caption and shortcut reader, and arbitrary keys through the record
// lookup: the results must stay within their ranges and a found key must name its record.
#include "FuzzText.h"
#include "controls/MenuItems.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool separator = data[0] & 1;
    const bool numberKey = data[0] & 2;
    ++data;
    --size;
    const std::wstring text = FuzzText(data, size);

    controls::MenuItemRecord record;
    controls::SetItemCaption(record, text, separator);
    if (record.sCaption.find(L'\t') != std::wstring::npos || record.sAccelerator.size() > 1)
        std::abort();
    if (record.iShiftMask < 0 || record.iShiftMask > 3 || record.iKeyCode < 0 || record.iKeyCode > 0xFFFF)
        std::abort();
    if (record.iShiftMask == 0 && record.iKeyCode != 0 && (record.iKeyCode < 112 || record.iKeyCode > 135))
        std::abort();
    if (!separator && record.sCaption.size() + record.sShortcut.size() > text.size())
        std::abort();

    // Records keyed by the text's pieces between '|' characters; the whole text is looked up.
    controls::MenuItems items;
    size_t start = 0;
    while (items.Count() < 64) {
        const size_t bar = text.find(L'|', start);
        controls::MenuItemRecord keyed;
        keyed.sKey = text.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start);
        items.Append(keyed);
        if (bar == std::wstring::npos)
            break;
        start = bar + 1;
    }
    double number = 0;
    if (numberKey && size >= sizeof number)
        std::memcpy(&number, data, sizeof number);
    const controls::MenuKey key = numberKey && size >= sizeof number ? controls::MenuKey(number) : controls::MenuKey(text);
    const int found = items.FindItemIndex(key);
    if (found != -1 && !items.Has(found))
        std::abort();
    if (found > 0 && !key.IsNumeric(number) && items[found].sKey != text)
        std::abort();
    return 0;
}
