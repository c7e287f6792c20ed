#include "imagelist/IconSizeText.h"

#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using imagelist::ParseIconSize;

// Any number whose whole number (to the nearest, halves to even) is from 1 to 256 gives that size; everything
// the list could not be made at is refused.
TEST(IconSizeText, TakesTheWholeNumberOfSizesFromOneTo256)
{
    rt::ScopedLocale locale(rt::Locale::EnglishUS());
    const struct {
        const wchar_t* text;
        std::optional<int> size;
    } cases[] = {
        {L"16", 16}, {L" 48 ", 48}, {L"72.0", 72}, {L"3E1", 30},
        // halves go to the even neighbour, the rest to the nearest
        {L"16.5", 16}, {L"17.5", 18}, {L"16.4", 16}, {L"16.6", 17},
        // the ends of the range, by their whole numbers
        {L"0.5", std::nullopt}, {L"0.51", 1}, {L"1", 1}, {L"1.5", 2},
        {L"256", 256}, {L"256.5", 256}, {L"256.9", std::nullopt}, {L"257", std::nullopt},
        {L"0", std::nullopt}, {L"-5", std::nullopt}, {L"1E9", std::nullopt}, {L"1E400", std::nullopt},
        // no number at all
        {L"abc", std::nullopt}, {L"", std::nullopt}, {L"1,000", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.text, c.text + std::wcslen(c.text)));
        EXPECT_EQ(ParseIconSize(c.text), c.size);
    }
}

// The size boxes read numbers the way the user's locale writes them.
TEST(IconSizeText, ReadsTheLocalesDecimalSeparator)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    EXPECT_EQ(ParseIconSize(L"24,0"), 24);
    EXPECT_EQ(ParseIconSize(L"24,6"), 25);
}
