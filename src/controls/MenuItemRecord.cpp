#include "controls/MenuItemRecord.h"

#include "runtime/Strings.h"

namespace controls {

bool TakeMarker(std::wstring& text, wchar_t marker)
{
    const size_t at = text.find(marker);
    if (at == std::wstring::npos)
        return false;
    if (text.find(std::wstring(2, marker)) != std::wstring::npos)
        return false;
    text.erase(at, 1);
    return true;
}

std::wstring AcceleratorChar(std::wstring_view caption)
{
    const size_t at = caption.find(L'&');
    if (at == std::wstring_view::npos || at + 1 >= caption.size())
        return {};
    return rt::UpperCase(caption.substr(at + 1, 1));
}

namespace {

constexpr int kShiftBit = 1;
constexpr int kCtrlBit = 2;
constexpr int kFirstFunctionKey = 111;  // "F1" is key 112
constexpr int kLastFunctionNumber = 24;

// The function-key number written right after position `at`, 0 when there is none in 1..24.
int FunctionNumber(std::wstring_view text, size_t at)
{
    int number = 0;
    size_t i = at + 1;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        number = number * 10 + (text[i] - L'0');
        if (number > kLastFunctionNumber)
            return 0;
    }
    return number;
}

}  // namespace

void ParseShortcut(MenuItemRecord& record, std::wstring_view text)
{
    record.iShiftMask = 0;
    record.iKeyCode = 0;
    record.sShortcut = std::wstring(text);
    if (text.empty())
        return;
    if (text.find(L"Ctrl") != std::wstring_view::npos)
        record.iShiftMask = kCtrlBit;
    if (text.find(L"Shift") != std::wstring_view::npos)
        record.iShiftMask |= kShiftBit;
    if (record.iShiftMask != 0) {
        const size_t plus = text.rfind(L'+');
        const std::wstring_view key = plus == std::wstring_view::npos ? text : text.substr(plus + 1);
        if (key.size() == 1)
            record.iKeyCode = key[0];
        return;
    }
    const size_t f = text.find(L'F');
    if (f == std::wstring_view::npos)
        return;
    // "F" with no number after it (or one that is no function key) names no key, rather than key 111.
    if (const int number = FunctionNumber(text, f); number > 0)
        record.iKeyCode = kFirstFunctionKey + number;
}

std::wstring TrimmedCaption(const std::wstring& caption)
{
    const size_t first = caption.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    const size_t last = caption.find_last_not_of(L' ');
    return caption.substr(first, last - first + 1);
}

unsigned OwnerDrawType(const MenuItemRecord& record)
{
    unsigned type = kTypeOwnerDraw;
    if (TrimmedCaption(record.sCaption) == L"-")
        type |= kTypeSeparator;
    if (record.bMenuBarBreak)
        type |= kTypeMenuBarBreak;
    if (record.bMenuBreak)
        type |= kTypeMenuBreak;
    return type;
}

void SetItemCaption(MenuItemRecord& record, std::wstring text, bool separator)
{
    if (separator) {
        record.sCaption = L"-";
        return;
    }
    record.bMenuBarBreak = TakeMarker(text, L'|');
    record.bMenuBreak = TakeMarker(text, L'^');
    const size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos) {
        ParseShortcut(record, {});
    } else {
        ParseShortcut(record, std::wstring_view(text).substr(tab + 1));
        text.resize(tab);
    }
    record.sAccelerator = AcceleratorChar(text);
    record.sCaption = std::move(text);
}

}  // namespace controls
