#include "runtime/PropertyBag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using rt::PropertyBag;
using rt::PropertyValue;

namespace {

std::vector<std::wstring> Keys(const PropertyBag& bag)
{
    std::vector<std::wstring> keys;
    for (const auto& entry : bag.Entries())
        keys.push_back(entry.first);
    return keys;
}

}  // namespace

// Keys stay in the order first written; writing a value equal to the given default removes the key.
TEST(PropertyBag, KeepsWriteOrderAndOmitsDefaults)
{
    PropertyBag bag{{L"TX", L"&Go"}, {L"ENAB", true}, {L"BCOL", 0xC0C0C0}};
    bag.Write(L"ENAB", false);
    bag.Write(L"FX", 1);
    bag.Write(L"SOFT", true, false);
    bag.Write(L"PICPOS", 0, 0);
    bag.Write(L"TX", L"", L"");
    EXPECT_EQ(Keys(bag), (std::vector<std::wstring>{L"ENAB", L"BCOL", L"FX", L"SOFT"}));
    EXPECT_FALSE(bag.Read(L"ENAB", true));
    bag.Write(L"SOFT", false, false);
    EXPECT_FALSE(bag.Contains(L"SOFT"));
    EXPECT_TRUE(bag.Read(L"SOFT", true));
}

TEST(PropertyBag, ReadsConvertNumbersAndFallBackOnOtherTypes)
{
    const PropertyBag bag{{L"bool", true},
                          {L"long", 40000},
                          {L"int", std::int16_t{-7}},
                          {L"colour", 0x8000000Fu},
                          {L"text", L"12"},
                          {L"bytes", rt::ByteArray{1, 2, 3}},
                          {L"font", rt::StdFont{L"Tahoma", 8.25, true}}};
    EXPECT_EQ(bag.Read<std::int32_t>(L"bool", 0), -1);
    EXPECT_TRUE(bag.Read(L"long", false));
    EXPECT_EQ(bag.Read<std::int16_t>(L"long", 5), 5);  // out of the Integer range
    EXPECT_EQ(bag.Read<std::int32_t>(L"int", 0), -7);
    EXPECT_EQ(static_cast<std::uint32_t>(bag.Read<std::int32_t>(L"colour", 0)), 0x8000000Fu);
    EXPECT_EQ(bag.Read<std::int32_t>(L"text", 3), 3);  // a text is no number
    EXPECT_EQ(bag.Read<std::wstring>(L"long", L"none"), L"none");
    EXPECT_EQ(bag.Read(L"bytes", rt::ByteArray{}), (rt::ByteArray{1, 2, 3}));
    EXPECT_EQ(bag.Read(L"font", rt::StdFont{}), (rt::StdFont{L"Tahoma", 8.25, true}));
    EXPECT_EQ(bag.Read<rt::PicturePtr>(L"font", nullptr), nullptr);
    EXPECT_EQ(bag.Read<std::wstring>(L"absent", L"dflt"), L"dflt");
}

// Stored design data may hold the names in lower case: a name is found whatever its case, a name written again
// in another case replaces the value and takes the new spelling, and a default removes it in any case.
TEST(PropertyBag, NamesMatchRegardlessOfCase)
{
    PropertyBag bag{{L"officexpstyle", true}, {L"activemenuforecolor", 0}, {L"menubackgroundcolor", 0xFFFFFF}};
    EXPECT_TRUE(bag.Read(L"OfficeXpStyle", false));
    EXPECT_EQ(bag.Read<std::int32_t>(L"ActiveMenuForeColor", -1), 0);
    EXPECT_EQ(bag.Read<std::int32_t>(L"MenuBackgroundColor", -1), 0xFFFFFF);
    EXPECT_EQ(bag.Read<std::int32_t>(L"MenuBackgroundColour", -1), -1);  // a longer name is another name
    bag.Write(L"ActiveMenuForeColor", 255);
    bag.Write(L"MENUBACKGROUNDCOLOR", -1, -1);
    EXPECT_EQ(Keys(bag), (std::vector<std::wstring>{L"officexpstyle", L"ActiveMenuForeColor"}));
    EXPECT_EQ(bag.Read<std::int32_t>(L"activemenuforecolor", -1), 255);
}
