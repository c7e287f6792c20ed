#include "controls/GrowingBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using controls::ReadGrowing;

namespace {

// Behaves like the platform's folder queries: the text when it fits with its terminator, else the size needed.
struct FakeQuery {
    std::wstring text;
    bool fails = false;
    std::vector<std::size_t> sizesAsked;

    std::size_t operator()(wchar_t* buffer, std::size_t size)
    {
        sizesAsked.push_back(size);
        if (fails)
            return 0;
        if (text.size() + 1 > size)
            return text.size() + 1;
        std::copy(text.begin(), text.end(), buffer);
        buffer[text.size()] = L'\0';
        return text.size();
    }
};

}  // namespace

TEST(ReadGrowing, AsksAgainWithTheSizeThePlatformNeeds)
{
    struct Case {
        std::size_t length;
        std::vector<std::size_t> sizesAsked;
    };
    const Case cases[] = {
        {10, {261}}, {260, {261}},        // fits the first guess, terminator included
        {261, {261, 263}},                // one too long: asked again
        {1000, {261, 1002}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        FakeQuery query{std::wstring(c.length, L'f'), false, {}};
        const auto text = ReadGrowing(std::ref(query), 261);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, query.text);
        EXPECT_EQ(query.sizesAsked, c.sizesAsked);
    }
    FakeQuery failing{L"x", true, {}};
    EXPECT_FALSE(ReadGrowing(std::ref(failing), 261).has_value());
}
