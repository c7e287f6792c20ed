#include "runtime/Strings.h"

namespace rt {

namespace {

constexpr wchar_t kMultiplication = L'\u00D7';
constexpr wchar_t kDivision = L'\u00F7';

bool IsLatinLower(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'\u00E0' && c <= L'\u00FE' && c != kDivision);
}

bool IsLatinUpper(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'\u00C0' && c <= L'\u00DE' && c != kMultiplication);
}

// Upper and lower case differ by 0x20 throughout Latin-1.
constexpr wchar_t kCaseDistance = 0x20;

}  // namespace

std::wstring RightAlign(std::wstring_view text, size_t width)
{
    std::wstring out;
    if (text.size() < width)
        out.assign(width - text.size(), L' ');
    out += text;
    return out;
}

std::wstring UpperCase(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out) {
        if (IsLatinLower(c))
            c = static_cast<wchar_t>(c - kCaseDistance);
    }
    return out;
}

std::wstring LowerCase(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out) {
        if (IsLatinUpper(c))
            c = static_cast<wchar_t>(c + kCaseDistance);
    }
    return out;
}

std::wstring ExpandMessage(std::wstring_view stored, std::wstring_view first, std::wstring_view second,
                           std::wstring_view third)
{
    constexpr wchar_t kPlaceholders[3] = {L'\u008D', L'\u017D', L'\u008F'};
    const std::wstring_view arguments[3] = {first, second, third};
    bool filled[3] = {false, false, false};

    std::wstring out;
    out.reserve(stored.size() + first.size() + second.size() + third.size() + 8);
    for (const wchar_t c : stored) {
        if (c == L'|') {
            out += L"\r\n";
            continue;
        }
        bool replaced = false;
        for (int k = 0; k < 3; ++k) {
            if (c == kPlaceholders[k] && !filled[k]) {
                out += arguments[k];
                filled[k] = true;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += c;
    }
    return out;
}

}  // namespace rt
