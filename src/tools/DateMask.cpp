#include "tools/DateMask.h"

#include "runtime/Date.h"

#include <algorithm>

namespace tools {

namespace {

constexpr int kBackspace = 8;
constexpr int kFirstArrow = 37;  // Left, Up, Right, Down
constexpr int kLastArrow = 40;

// Positions that exist both in the text and in the mask.
int Limit(std::wstring_view text) { return static_cast<int>(std::min<size_t>(text.size(), DateMask::kLength)); }

}  // namespace

DateMask::DateMask(wchar_t separator) : separator_(separator)
{
    empty_ = L"__";
    empty_ += separator;
    empty_ += L"__";
    empty_ += separator;
    empty_ += L"____";
}

std::optional<DateMask::Selection> DateMask::BeforeKey(std::wstring_view text, Selection selection,
                                                       int keyCode) const
{
    // A pasted or shorter text must not move the caret outside the text or the mask.
    const int limit = Limit(text);
    const int caret = std::clamp(selection.start, 0, limit);
    const bool arrow = keyCode >= kFirstArrow && keyCode <= kLastArrow;
    if (!text.empty() && keyCode != kBackspace && !arrow) {
        int at = caret;
        if (at < limit && text[static_cast<size_t>(at)] == separator_)
            ++at;
        return Selection{at, std::min(1, limit - at)};
    }
    if (keyCode == kBackspace && caret > 1 && text[static_cast<size_t>(caret - 1)] == separator_)
        return Selection{caret - 1, 0};
    return std::nullopt;
}

DateMask::Edit DateMask::AfterChange(std::wstring_view text, int caret) const
{
    Edit edit{std::wstring(text), std::clamp(caret, 0, Limit(text))};
    if (text.size() != static_cast<size_t>(kLength)) {
        // Whatever stood from the caret on is lost: the mask takes its place.
        edit.text = std::wstring(text.substr(0, static_cast<size_t>(edit.caret)));
        edit.text.append(empty_, static_cast<size_t>(edit.caret));
    }
    if (edit.caret < kLength && edit.text[static_cast<size_t>(edit.caret)] == separator_)
        ++edit.caret;
    return edit;
}

DateMask::Check DateMask::Validate(std::wstring_view text, std::wstring_view dateFormat) const
{
    std::wstring typed(text);
    const size_t placeholder = typed.find(L'_');
    if (placeholder != std::wstring::npos && placeholder > 0) {
        typed.resize(placeholder);
        typed.append(placeholder < static_cast<size_t>(kLength) ? kLength - placeholder : 0, L' ');
    }
    // A date the mask cannot show (a year of three digits) is refused, not turned into a shorter text.
    if (const auto date = rt::Date::Parse(typed); date && date->Format(dateFormat).size() == kLength)
        return {date->Format(dateFormat), false};
    if (typed == empty_)
        return {std::move(typed), false};
    return {empty_, true};
}

}  // namespace tools
