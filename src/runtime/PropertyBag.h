#pragma once
// The property set of a user control: named values, kept in the order they were written. A form keeps each
// control's design data as one of these, written in its source as a table:
//
//     cmdCalcular.SetDesignProperties({
//         {L"TX", L"&Calculate"},
//         {L"FONT", rt::StdFont{L"Tahoma", 8.25, true}},
//         {L"BCOL", 0xC0C0C0},
//     });
//
// A control reads each value with a default for an absent key, and writes it either always or only when it
// differs from a default (the usual way to keep design data short). Keys are matched regardless of case
// ("officexpstyle" reads "OfficeXpStyle"); a key is written as given.
#include "runtime/StdFont.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace rt {

class Picture;  // Picture_win.h
using PicturePtr = std::shared_ptr<const Picture>;

using ByteArray = std::vector<std::uint8_t>;

// One value: Boolean, Integer (16-bit), Long (32-bit), String, byte array, font or picture (none is an empty
// pointer). Pictures compare by identity.
class PropertyValue {
public:
    using Variant = std::variant<bool, std::int16_t, std::int32_t, std::wstring, ByteArray, StdFont, PicturePtr>;

    PropertyValue(bool value) : v_(value) {}
    PropertyValue(std::int16_t value) : v_(value) {}
    PropertyValue(std::int32_t value) : v_(value) {}
    // Colours written as hexadecimal literals (0x8000000F) are unsigned; they are stored as Long, bit for bit.
    PropertyValue(std::uint32_t value) : v_(static_cast<std::int32_t>(value)) {}
    PropertyValue(std::wstring value) : v_(std::move(value)) {}
    PropertyValue(const wchar_t* value) : v_(std::wstring(value)) {}
    PropertyValue(ByteArray value) : v_(std::move(value)) {}
    PropertyValue(StdFont value) : v_(std::move(value)) {}
    PropertyValue(PicturePtr value) : v_(std::move(value)) {}

    const Variant& Get() const { return v_; }
    friend bool operator==(const PropertyValue&, const PropertyValue&) = default;

private:
    Variant v_;
};

class PropertyBag {
public:
    using Entry = std::pair<std::wstring, PropertyValue>;

    PropertyBag() = default;
    PropertyBag(std::initializer_list<Entry> entries);

    // The value of `key` as T, or `defaultValue` when the key is absent or its value is of a type that does not
    // convert: Boolean, Integer and Long convert among themselves (True is -1, any non-zero number is True; a
    // Long outside the Integer range does not convert); every other type reads only as itself.
    template <class T> T Read(std::wstring_view key, T defaultValue) const;

    // Stores `value` under `key`: a key written again keeps its place and takes the new value.
    void Write(std::wstring_view key, PropertyValue value);
    // The same, except that a value equal to `defaultValue` is not stored (and an earlier value is removed).
    void Write(std::wstring_view key, PropertyValue value, const PropertyValue& defaultValue);

    bool Contains(std::wstring_view key) const { return Find(key) != nullptr; }
    const std::vector<Entry>& Entries() const { return entries_; }
    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    const PropertyValue* Find(std::wstring_view key) const;
    std::vector<Entry> entries_;
};

namespace detail {
// A Boolean, Integer or Long value as a 32-bit number, or nothing for other types.
bool NumberOf(const PropertyValue& value, std::int32_t& number);
}  // namespace detail

template <class T> T PropertyBag::Read(std::wstring_view key, T defaultValue) const
{
    const PropertyValue* value = Find(key);
    if (!value)
        return defaultValue;
    if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::int32_t>) {
        std::int32_t number = 0;
        if (!detail::NumberOf(*value, number))
            return defaultValue;
        if constexpr (std::is_same_v<T, bool>)
            return number != 0;
        else if constexpr (std::is_same_v<T, std::int16_t>)
            return number >= INT16_MIN && number <= INT16_MAX ? static_cast<std::int16_t>(number) : defaultValue;
        else
            return number;
    } else {
        if (const T* exact = std::get_if<T>(&value->Get()))
            return *exact;
        return defaultValue;
    }
}

}  // namespace rt
