#include "imagelist/IconSizeText.h"

#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using imagelist::ParseIconSize;

// Whole sizes from 1 to 256 in any numeric form pass; everything the list could not be made at is refused.
TEST(IconSizeText, AcceptsOnlyWholeSizesFromOneTo256)
{
    rt::ScopedLocale locale(rt::Locale::EnglishUS());
    const struct {
        const wchar_t* text;
        std::optional<int> size;
    } cases[] = {
        {L"16", 16},      {L" 48 ", 48},        {L"1", 1},           {L"256", 256},        {L"72.0", 72},
        {L"3E1", 30},     {L"0", std::nullopt}, {L"-5", std::nullopt}, {L"1E9", std::nullopt},
        {L"257", std::nullopt}, {L"256.5", std::nullopt}, {L"16.5", std::nullopt}, {L"0.9", std::nullopt},
        {L"abc", std::nullopt}, {L"", std::nullopt}, {L"1,000", std::nullopt}, {L"1E400", std::nullopt},
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
    EXPECT_EQ(ParseIconSize(L"24,5"), std::nullopt);
}
