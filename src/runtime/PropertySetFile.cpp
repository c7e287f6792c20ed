#include "runtime/PropertySetFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace rt {

namespace {

constexpr std::uint8_t kMagic[4] = {'P', 'V', 'P', 'S'};
constexpr std::uint32_t kFormat = 1;

enum class Tag : std::uint8_t { Boolean = 1, Integer = 2, Long = 3, String = 4, Bytes = 5, Font = 6, NoPicture = 7 };

constexpr std::uint8_t kBold = 1, kItalic = 2, kUnderline = 4, kStrikethrough = 8;
constexpr std::uint8_t kAllStyles = kBold | kItalic | kUnderline | kStrikethrough;

// The code units of `text`: wchar_t is UTF-16 on Windows and UTF-32 elsewhere.
bool ToUtf16(std::wstring_view text, std::u16string& units)
{
    units.clear();
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code <= 0xFFFF) {
            units.push_back(static_cast<char16_t>(code));
        } else if (code <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            return false;
        }
    }
    return true;
}

std::wstring FromUtf16(const std::u16string& units)
{
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if constexpr (sizeof(wchar_t) >= 4) {
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] < 0xE000) {
                text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
                ++i;
                continue;
            }
        }
        text += static_cast<wchar_t>(unit);
    }
    return text;
}

class Writer {
public:
    void U8(std::uint8_t v) { out.push_back(v); }
    void U32(std::uint32_t v)
    {
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    void U64(std::uint64_t v)
    {
        for (int shift = 0; shift < 64; shift += 8)
            out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    void Units(const std::u16string& units)
    {
        for (char16_t unit : units) {
            out.push_back(static_cast<std::uint8_t>(unit));
            out.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    }
    // A counted text; false when the text holds a character UTF-16 cannot carry.
    bool Text(std::wstring_view text)
    {
        std::u16string units;
        if (!ToUtf16(text, units))
            return false;
        U32(static_cast<std::uint32_t>(units.size()));
        Units(units);
        return true;
    }
    ByteArray out;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Left() const { return bytes_.size() - pos_; }
    bool U8(std::uint8_t& v)
    {
        if (Left() < 1)
            return false;
        v = bytes_[pos_++];
        return true;
    }
    bool U32(std::uint32_t& v)
    {
        if (Left() < 4)
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(bytes_[pos_++]) << (8 * i);
        return true;
    }
    bool U64(std::uint64_t& v)
    {
        if (Left() < 8)
            return false;
        v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<std::uint64_t>(bytes_[pos_++]) << (8 * i);
        return true;
    }
    // `count` code units; the count is checked against what is left before anything is reserved.
    bool Units(std::uint32_t count, std::wstring& text)
    {
        if (Left() / 2 < count)
            return false;
        std::u16string units(count, u'\0');
        for (std::uint32_t i = 0; i < count; ++i, pos_ += 2)
            units[i] = static_cast<char16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
        text = FromUtf16(units);
        return true;
    }
    bool Text(std::wstring& text)
    {
        std::uint32_t count = 0;
        return U32(count) && Units(count, text);
    }
    std::span<const std::uint8_t> Take(std::size_t count)
    {
        auto part = bytes_.subspan(pos_, count);
        pos_ += count;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

using Decoded = std::variant<PropertyValue, PropertySetError>;

// The value of one entry; its length has been checked against the bytes left. Text and fonts are built in
// place: GCC 12 at -O3 takes a moved-from temporary's release for freeing memory never allocated.
Decoded DecodeValue(Tag tag, std::span<const std::uint8_t> value)
{
    Reader in(value);
    auto exact = [&](std::size_t size) { return value.size() == size; };
    switch (tag) {
    case Tag::Boolean:
        if (!exact(1))
            return PropertySetError::BadLength;
        if (value[0] > 1)
            return PropertySetError::BadValue;
        return PropertyValue(value[0] == 1);
    case Tag::Integer:
        if (!exact(2))
            return PropertySetError::BadLength;
        return PropertyValue(static_cast<std::int16_t>(value[0] | value[1] << 8));
    case Tag::Long: {
        std::uint32_t v = 0;
        if (!exact(4) || !in.U32(v))
            return PropertySetError::BadLength;
        return PropertyValue(static_cast<std::int32_t>(v));
    }
    case Tag::String: {
        std::wstring text;
        if (value.size() % 2 != 0 || !in.Units(static_cast<std::uint32_t>(value.size() / 2), text))
            return PropertySetError::BadLength;
        return Decoded(std::in_place_type<PropertyValue>, std::move(text));
    }
    case Tag::Bytes:
        return PropertyValue(ByteArray(value.begin(), value.end()));
    case Tag::Font: {
        StdFont font;
        std::uint64_t sizeBits = 0;
        std::uint8_t styles = 0;
        if (!in.Text(font.name) || !in.U64(sizeBits) || !in.U8(styles) || in.Left() != 0)
            return PropertySetError::BadLength;
        font.size = std::bit_cast<double>(sizeBits);
        if (!std::isfinite(font.size) || font.size <= 0 || (styles & ~kAllStyles) != 0)
            return PropertySetError::BadValue;
        font.bold = styles & kBold;
        font.italic = styles & kItalic;
        font.underline = styles & kUnderline;
        font.strikethrough = styles & kStrikethrough;
        return Decoded(std::in_place_type<PropertyValue>, std::move(font));
    }
    case Tag::NoPicture:
        if (!exact(0))
            return PropertySetError::BadLength;
        return PropertyValue(PicturePtr());
    }
    return PropertySetError::UnknownType;
}

// Appends the type, length and bytes of `value`.
std::optional<PropertySetError> EncodeValue(const PropertyValue& value, Writer& out)
{
    Writer body;
    Tag tag = Tag::NoPicture;
    const auto& v = value.Get();
    if (const bool* b = std::get_if<bool>(&v)) {
        tag = Tag::Boolean;
        body.U8(*b ? 1 : 0);
    } else if (const std::int16_t* i = std::get_if<std::int16_t>(&v)) {
        tag = Tag::Integer;
        body.U8(static_cast<std::uint8_t>(*i));
        body.U8(static_cast<std::uint8_t>(static_cast<std::uint16_t>(*i) >> 8));
    } else if (const std::int32_t* l = std::get_if<std::int32_t>(&v)) {
        tag = Tag::Long;
        body.U32(static_cast<std::uint32_t>(*l));
    } else if (const std::wstring* s = std::get_if<std::wstring>(&v)) {
        tag = Tag::String;
        std::u16string units;
        if (!ToUtf16(*s, units))
            return PropertySetError::BadValue;
        body.Units(units);
    } else if (const ByteArray* bytes = std::get_if<ByteArray>(&v)) {
        tag = Tag::Bytes;
        body.out = *bytes;
    } else if (const StdFont* font = std::get_if<StdFont>(&v)) {
        tag = Tag::Font;
        if (!std::isfinite(font->size) || font->size <= 0 || !body.Text(font->name))
            return PropertySetError::BadValue;
        body.U64(std::bit_cast<std::uint64_t>(font->size));
        body.U8(static_cast<std::uint8_t>((font->bold ? kBold : 0) | (font->italic ? kItalic : 0) |
                                          (font->underline ? kUnderline : 0) |
                                          (font->strikethrough ? kStrikethrough : 0)));
    } else if (std::get<PicturePtr>(v)) {
        return PropertySetError::PictureNotStorable;
    }
    if (body.out.size() > kMaxPropertySetBytes)
        return PropertySetError::TooLarge;
    out.U8(static_cast<std::uint8_t>(tag));
    out.U32(static_cast<std::uint32_t>(body.out.size()));
    out.out.insert(out.out.end(), body.out.begin(), body.out.end());
    return std::nullopt;
}

}  // namespace

std::wstring_view PropertySetErrorText(PropertySetError error)
{
    switch (error) {
    case PropertySetError::Truncated:
        return L"the file ends too early";
    case PropertySetError::NotAPropertySet:
        return L"the file holds no property set";
    case PropertySetError::UnsupportedFormat:
        return L"the property set was written by a newer program";
    case PropertySetError::UnknownType:
        return L"a value has an unknown type";
    case PropertySetError::BadLength:
        return L"a value has the wrong length";
    case PropertySetError::BadValue:
        return L"a value is invalid";
    case PropertySetError::DuplicateName:
        return L"a value name appears twice";
    case PropertySetError::TrailingBytes:
        return L"unexpected bytes follow the last value";
    case PropertySetError::TooLarge:
        return L"the property set is too large";
    case PropertySetError::PictureNotStorable:
        return L"a picture cannot be stored in a property set file";
    }
    return L"unknown error";
}

std::variant<ByteArray, PropertySetError> EncodePropertySet(const PropertyBag& bag)
{
    Writer out;
    out.out.assign(std::begin(kMagic), std::end(kMagic));
    out.U32(kFormat);
    out.U32(static_cast<std::uint32_t>(bag.Entries().size()));
    for (const auto& [name, value] : bag.Entries()) {
        if (!out.Text(name))
            return PropertySetError::BadValue;
        if (auto error = EncodeValue(value, out))
            return *error;
        if (out.out.size() > kMaxPropertySetBytes)
            return PropertySetError::TooLarge;
    }
    return std::move(out.out);
}

std::variant<PropertyBag, PropertySetError> DecodePropertySet(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kMaxPropertySetBytes)
        return PropertySetError::TooLarge;
    Reader in(bytes);
    if (in.Left() < sizeof kMagic)
        return PropertySetError::Truncated;
    const auto magic = in.Take(sizeof kMagic);
    if (!std::equal(magic.begin(), magic.end(), std::begin(kMagic)))
        return PropertySetError::NotAPropertySet;
    std::uint32_t format = 0, count = 0;
    if (!in.U32(format))
        return PropertySetError::Truncated;
    if (format != kFormat)
        return PropertySetError::UnsupportedFormat;
    if (!in.U32(count))
        return PropertySetError::Truncated;

    PropertyBag bag;
    std::set<std::wstring> names;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::wstring name;
        std::uint8_t tag = 0;
        std::uint32_t length = 0;
        if (!in.Text(name) || !in.U8(tag) || !in.U32(length))
            return PropertySetError::Truncated;
        if (tag < static_cast<std::uint8_t>(Tag::Boolean) || tag > static_cast<std::uint8_t>(Tag::NoPicture))
            return PropertySetError::UnknownType;
        if (length > in.Left())
            return PropertySetError::Truncated;
        auto value = DecodeValue(static_cast<Tag>(tag), in.Take(length));
        if (auto* error = std::get_if<PropertySetError>(&value))
            return *error;
        if (!names.insert(name).second)
            return PropertySetError::DuplicateName;
        bag.Write(name, std::move(std::get<PropertyValue>(value)));
    }
    if (in.Left() != 0)
        return PropertySetError::TrailingBytes;
    return bag;
}

}  // namespace rt
