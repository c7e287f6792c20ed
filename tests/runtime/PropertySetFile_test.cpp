#include "runtime/PropertySetFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using rt::ByteArray;
using rt::PropertyBag;
using rt::PropertySetError;

namespace {

ByteArray Encode(const PropertyBag& bag)
{
    auto result = rt::EncodePropertySet(bag);
    EXPECT_TRUE(std::holds_alternative<ByteArray>(result));
    return std::holds_alternative<ByteArray>(result) ? std::get<ByteArray>(result) : ByteArray{};
}

std::optional<PropertySetError> ErrorOf(const ByteArray& bytes)
{
    auto result = rt::DecodePropertySet(bytes);
    if (auto* error = std::get_if<PropertySetError>(&result))
        return *error;
    return std::nullopt;
}

// A hand-built set: header, then entries appended with Entry().
struct Bytes {
    ByteArray b{'P', 'V', 'P', 'S', 1, 0, 0, 0};
    Bytes& U32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& Raw(std::initializer_list<std::uint8_t> bytes)
    {
        b.insert(b.end(), bytes);
        return *this;
    }
    // An entry named "a" of `type` holding `value`.
    Bytes& Entry(std::uint8_t type, std::initializer_list<std::uint8_t> value)
    {
        U32(1).Raw({'a', 0, type});
        U32(static_cast<std::uint32_t>(value.size()));
        return Raw(value);
    }
};

}  // namespace

// Every type, the image list's own values included, comes back equal and in the same order.
TEST(PropertySetFile, RoundTripKeepsEveryTypeAndTheOrder)
{
    ByteArray records(2296);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i] = static_cast<std::uint8_t>(i * 7);
    const PropertyBag bag{{L"IconSizeX", 72},
                          {L"Size", 2296},
                          {L"Images", records},
                          {L"Version", 589824},
                          {L"KeyCount", std::int16_t{-2}},
                          {L"Keys", std::wstring(L"aa\u00FFb\u00FF\u00E7\U0001F600")},
                          {L"Empty", L""},
                          {L"NoBytes", ByteArray{}},
                          {L"Colour", 0x8000000Fu},
                          {L"True", true},
                          {L"False", false},
                          {L"FONT", rt::StdFont{L"Tahoma", 8.25, true, false, true, true}},
                          {L"NoPicture", rt::PicturePtr()},
                          {L"", 1}};
    auto decoded = rt::DecodePropertySet(Encode(bag));
    ASSERT_TRUE(std::holds_alternative<PropertyBag>(decoded));
    EXPECT_EQ(std::get<PropertyBag>(decoded), bag);
}

// The form is fixed byte for byte, so that files move between machines.
TEST(PropertySetFile, WritesLittleEndianCountedUtf16)
{
    const ByteArray expected{'P', 'V', 'P', 'S', 1, 0, 0, 0, 2, 0, 0, 0,         // header, two entries
                             2, 0, 0, 0, 'I', 0, 'X', 0, 3, 4, 0, 0, 0, 0x00, 0x00, 0x09, 0x00,  // Long 589824
                             1, 0, 0, 0, 'K', 0, 4, 4, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE};  // String U+1F600
    EXPECT_EQ(Encode(PropertyBag{{L"IX", 589824}, {L"K", L"\U0001F600"}}), expected);

    // Names and font names beyond the Basic Multilingual Plane are counted in code units: two for U+1F600.
    const ByteArray beyond{'P', 'V', 'P', 'S', 1, 0, 0, 0, 2, 0, 0, 0,
                           2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE, 1, 1, 0, 0, 0, 1,  // Boolean True
                           1, 0, 0, 0, 'F', 0, 6, 19, 0, 0, 0, 3, 0, 0, 0, 'a', 0, 0x3D, 0xD8, 0x00, 0xDE,
                           0, 0, 0, 0, 0, 0, 0x20, 0x40, 1};  // font "a" U+1F600, 8, bold
    const PropertyBag bag{{L"\U0001F600", true}, {L"F", rt::StdFont{L"a\U0001F600", 8.0, true, false, false, false}}};
    EXPECT_EQ(Encode(bag), beyond);
    auto decoded = rt::DecodePropertySet(beyond);
    ASSERT_TRUE(std::holds_alternative<PropertyBag>(decoded));
    EXPECT_EQ(std::get<PropertyBag>(decoded), bag);
}

// A picture object lives only in the running program: it is refused, not written as nothing.
TEST(PropertySetFile, RefusesToWriteAPicture)
{
    auto picture = std::shared_ptr<const rt::Picture>(reinterpret_cast<const rt::Picture*>(16), [](auto*) {});
    auto result = rt::EncodePropertySet(PropertyBag{{L"Picture", picture}});
    ASSERT_TRUE(std::holds_alternative<PropertySetError>(result));
    EXPECT_EQ(std::get<PropertySetError>(result), PropertySetError::PictureNotStorable);
}

TEST(PropertySetFile, RefusesEveryCorruptForm)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::uint8_t nanBytes[8];
    std::memcpy(nanBytes, &nan, 8);
    struct Case {
        const char* what;
        ByteArray bytes;
        PropertySetError error;
    };
    const std::vector<Case> cases{
        {"empty", {}, PropertySetError::Truncated},
        {"short magic", {'P', 'V', 'P'}, PropertySetError::Truncated},
        {"other magic", {'P', 'V', 'P', 'T', 1, 0, 0, 0, 0, 0, 0, 0}, PropertySetError::NotAPropertySet},
        {"no format", {'P', 'V', 'P', 'S', 1, 0}, PropertySetError::Truncated},
        {"format 2", {'P', 'V', 'P', 'S', 2, 0, 0, 0, 0, 0, 0, 0}, PropertySetError::UnsupportedFormat},
        {"no count", Bytes{}.b, PropertySetError::Truncated},
        {"count above entries", Bytes{}.U32(2).Entry(3, {1, 2, 3, 4}).b, PropertySetError::Truncated},
        {"huge count", Bytes{}.U32(0xFFFFFFFF).b, PropertySetError::Truncated},
        {"name past the end", Bytes{}.U32(1).U32(0x7FFFFFFF).Raw({'a', 0}).b, PropertySetError::Truncated},
        {"odd name bytes", Bytes{}.U32(1).U32(1).Raw({'a'}).b, PropertySetError::Truncated},
        {"no type", Bytes{}.U32(1).U32(1).Raw({'a', 0}).b, PropertySetError::Truncated},
        {"type 0", Bytes{}.U32(1).Entry(0, {}).b, PropertySetError::UnknownType},
        {"type 8", Bytes{}.U32(1).Entry(8, {}).b, PropertySetError::UnknownType},
        {"value past the end", Bytes{}.U32(1).U32(1).Raw({'a', 0, 5}).U32(10).Raw({1, 2}).b,
         PropertySetError::Truncated},
        {"Boolean of 2 bytes", Bytes{}.U32(1).Entry(1, {1, 0}).b, PropertySetError::BadLength},
        {"Boolean 2", Bytes{}.U32(1).Entry(1, {2}).b, PropertySetError::BadValue},
        {"Integer of 1 byte", Bytes{}.U32(1).Entry(2, {1}).b, PropertySetError::BadLength},
        {"Long of 3 bytes", Bytes{}.U32(1).Entry(3, {1, 2, 3}).b, PropertySetError::BadLength},
        {"Long of 5 bytes", Bytes{}.U32(1).Entry(3, {1, 2, 3, 4, 5}).b, PropertySetError::BadLength},
        {"String of odd length", Bytes{}.U32(1).Entry(4, {'a', 0, 'b'}).b, PropertySetError::BadLength},
        {"font name past its value", Bytes{}.U32(1).Entry(6, {9, 0, 0, 0, 'a', 0}).b, PropertySetError::BadLength},
        {"font without styles", Bytes{}.U32(1).Entry(6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0x40}).b,
         PropertySetError::BadLength},
        {"font with a spare byte", Bytes{}.U32(1).Entry(6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0x40, 1, 0}).b,
         PropertySetError::BadLength},
        {"font size 0", Bytes{}.U32(1).Entry(6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).b,
         PropertySetError::BadValue},
        {"font size NaN",
         Bytes{}.U32(1).Entry(6, {0, 0, 0, 0, nanBytes[0], nanBytes[1], nanBytes[2], nanBytes[3], nanBytes[4],
                                  nanBytes[5], nanBytes[6], nanBytes[7], 0}).b,
         PropertySetError::BadValue},
        {"font style 16", Bytes{}.U32(1).Entry(6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0x40, 16}).b,
         PropertySetError::BadValue},
        {"picture with bytes", Bytes{}.U32(1).Entry(7, {0}).b, PropertySetError::BadLength},
        {"name twice", Bytes{}.U32(2).Entry(3, {1, 0, 0, 0}).Entry(3, {2, 0, 0, 0}).b,
         PropertySetError::DuplicateName},
        {"byte after the end", Bytes{}.U32(1).Entry(3, {1, 0, 0, 0}).Raw({0}).b, PropertySetError::TrailingBytes},
        {"too large", ByteArray(rt::kMaxPropertySetBytes + 1), PropertySetError::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ErrorOf(c.bytes), c.error);
    }
    // The hand-built form itself is sound: only the faults above make it fail.
    EXPECT_EQ(ErrorOf(Bytes{}.U32(1).Entry(6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20, 0x40, 15}).b), std::nullopt);
}

// Cutting a valid set anywhere never gives a shorter set that reads as valid.
TEST(PropertySetFile, RefusesEveryTruncation)
{
    const ByteArray whole = Encode(PropertyBag{{L"IconSizeX", 24},
                                               {L"Images", ByteArray{1, 2, 3}},
                                               {L"Keys", L"a\u00FFb"},
                                               {L"FONT", rt::StdFont{}},
                                               {L"Big", true}});
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(ErrorOf(ByteArray(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size))));
    }
}
