#pragma once
// A property set as bytes, so that a control's design data can be kept in a file of its own and edited by the
// design host. The form is the same on every machine (little-endian, texts as UTF-16 code units):
//
//     "PVPS"  u32 format (1)  u32 entry count
//     per entry: u32 name length (code units), the name, u8 type, u32 value length (bytes), the value
//
// Types: 1 Boolean (one byte, 0 or 1), 2 Integer (2 bytes), 3 Long (4 bytes), 4 String (UTF-16), 5 byte
// array, 6 font (u32 name length, name, the size as an IEEE double, one byte of style flags), 7 no picture
// (empty). A picture other than none cannot be kept in a file.
//
// The reader trusts nothing: every length is checked against what is left, fixed-size values must have their
// size, names may not repeat, and nothing may follow the last entry.
#include "runtime/PropertyBag.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace rt {

enum class PropertySetError {
    Truncated,           // the bytes end inside a field
    NotAPropertySet,     // no "PVPS" at the start
    UnsupportedFormat,   // a format number this program does not know
    UnknownType,         // a value type this program does not know
    BadLength,           // a value whose length does not fit its type
    BadValue,            // a Boolean other than 0 or 1, a font size that is not a positive number, a bad text
    DuplicateName,       // two entries of one name
    TrailingBytes,       // bytes after the last entry
    TooLarge,            // more than kMaxPropertySetBytes
    PictureNotStorable,  // writing: a picture other than none
};

inline constexpr std::size_t kMaxPropertySetBytes = 64u << 20;

// The text of an error, for messages and logs.
std::wstring_view PropertySetErrorText(PropertySetError error);

std::variant<ByteArray, PropertySetError> EncodePropertySet(const PropertyBag& bag);
std::variant<PropertyBag, PropertySetError> DecodePropertySet(std::span<const std::uint8_t> bytes);

}  // namespace rt
