#include "runtime/PropertyBag.h"

namespace rt {

namespace {

// Property names are read regardless of case (stored design data may hold them in lower case); they are
// plain ASCII names, so only ASCII letters fold.
bool SameName(std::wstring_view a, std::wstring_view b)
{
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

}  // namespace

PropertyBag::PropertyBag(std::initializer_list<Entry> entries)
{
    for (const Entry& entry : entries)
        Write(entry.first, entry.second);
}

const PropertyValue* PropertyBag::Find(std::wstring_view key) const
{
    for (const Entry& entry : entries_)
        if (SameName(entry.first, key))
            return &entry.second;
    return nullptr;
}

void PropertyBag::Write(std::wstring_view key, PropertyValue value)
{
    // A name written again keeps its place and takes the value and the spelling given now.
    for (Entry& entry : entries_) {
        if (SameName(entry.first, key)) {
            entry.first = key;
            entry.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::wstring(key), std::move(value));
}

void PropertyBag::Write(std::wstring_view key, PropertyValue value, const PropertyValue& defaultValue)
{
    if (value == defaultValue) {
        std::erase_if(entries_, [&](const Entry& entry) { return SameName(entry.first, key); });
        return;
    }
    Write(key, std::move(value));
}

namespace detail {

bool NumberOf(const PropertyValue& value, std::int32_t& number)
{
    const auto& v = value.Get();
    if (const bool* b = std::get_if<bool>(&v))
        number = *b ? -1 : 0;
    else if (const std::int16_t* i = std::get_if<std::int16_t>(&v))
        number = *i;
    else if (const std::int32_t* l = std::get_if<std::int32_t>(&v))
        number = *l;
    else
        return false;
    return true;
}

}  // namespace detail

}  // namespace rt
