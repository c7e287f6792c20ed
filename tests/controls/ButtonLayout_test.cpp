#include "controls/ButtonLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace controls;

namespace {

std::string Text(const PixelRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace

// A 75 x 25 button with a 16 x 16 picture throughout.
TEST(ButtonLayout, StartBoxLeavesRoomForThePicture)
{
    const struct {
        int position;
        const char* expected;
    } cases[] = {
        {0, "17,1,67,23"}, {1, "1,1,51,23"}, {2, "1,17,67,23"}, {3, "1,1,67,7"},
        {4, "1,1,67,23"},  {5, "1,1,67,23"}, {-1, "1,1,67,23"},  // outside 0 to 4: laid out as 4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(Text(CaptionStartBox(c.position, 75, 25, 16, 16)), c.expected);
    }
}

TEST(ButtonLayout, CaptionCentredWithItsPicture)
{
    const struct {
        int position;
        PixelRect measured;
        const char* expected;
    } cases[] = {
        {0, {17, 1, 47, 14}, "31,6,61,19"},  {1, {1, 1, 31, 14}, "13,6,43,19"},  // (75 - 31 - 16 - 4) / 2
        {2, {1, 17, 31, 30}, "23,15,53,28"},  // dy = (25 - 30) / 2 = -2, truncated toward zero
        {3, {1, 1, 31, 14}, "23,-3,53,10"},   // dy = -9 / 2 = -4, not -5
        {4, {1, 1, 31, 14}, "23,6,53,19"},   {9, {1, 1, 31, 14}, "23,6,53,19"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(Text(PlaceCaption(c.position, 75, 25, 16, 16, c.measured)), c.expected);
    }
    // A caption wider than the button moves left by half the overflow, truncated toward zero.
    EXPECT_EQ(Text(PlaceCaption(4, 20, 25, 0, 0, {1, 1, 31, 14})), "-4,6,26,19");
}

TEST(ButtonLayout, PictureBesideTheCaptionOrCentred)
{
    const PixelRect caption{31, 6, 61, 19};
    const struct {
        int position;
        bool blank;
        PixelPoint expected;
    } cases[] = {
        {0, false, {11, 4}}, {1, false, {65, 4}}, {2, false, {29, -12}}, {3, false, {29, 21}},
        {4, false, {29, 4}}, {7, false, {29, 4}}, {0, true, {29, 4}},    {3, true, {29, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.position) + (c.blank ? " blank" : ""));
        const PixelPoint at = PlacePicture(c.position, 75, 25, 16, 16, caption, c.blank);
        EXPECT_EQ(at.x, c.expected.x);
        EXPECT_EQ(at.y, c.expected.y);
    }
    EXPECT_EQ(PlacePicture(0, 75, 10, 16, 16, caption, false).y, -3);  // (10 - 16) / 2
}

TEST(ButtonLayout, AccessKeyFollowsTheAmpersandRules)
{
    const struct {
        const wchar_t* caption;
        wchar_t expected;
    } cases[] = {
        {L"&Calculate", L'c'},
        {L"Saving Acc&ount", L'o'},
        {L"&1", L'1'},
        {L"&&&x", L'x'},
        {L"A&&B", 0},         // only a doubled pair
        {L"A&&B &Go", L'g'},  // a pair, then a single ampersand
        {L"a&&b&&c&d", 0},    // only the first pair is skipped
        {L"&&x&", 0},         // the ampersand after the pair ends the caption
        {L"&", 0},
        {L"AB&", 0},
        {L"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.caption)));
        EXPECT_EQ(ButtonAccessKey(c.caption), c.expected);
    }
}
