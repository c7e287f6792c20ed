#include "tools/StepSearch.h"

#include "runtime/Format.h"
#include "runtime/Locale.h"
#include "runtime/NumberText.h"
#include "support/SearchTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tools::WalkStep;
using tools::WalkValue;

constexpr WalkStep kSteps[] = {{-1, 1}, {1, 0}, {-1, -1}, {1, -2}, {-1, -3}, {1, -4}, {-1, -5},
                               {1, -6}, {1, 3}, {-1, 2},  {1, 1},  {-1, 0},  {1, -1}, {-1, -2}};

// One step by the rule, apart from the search's code: the double sum, rounded to 15 significant digits
// (halves away from zero) from its exact decimal expansion, then written as the field writes a number.
WalkValue StepByTheRule(const WalkValue& from, const WalkStep& step)
{
    const double sum = from.value + std::stod(std::to_string(step.mantissa) + "e" + std::to_string(step.exponent));
    double rounded = 0;
    if (sum != 0) {
        // 40 digits decide the 16th unless a carry from beyond them could reach it; then all 767 of them.
        char exact[1000];
        const double magnitude = std::fabs(sum);
        const char* end = std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific, 39).ptr;
        const std::string_view beyond(exact + 17, 24);
        double shown = 0;
        std::from_chars(exact, end, shown);
        if (beyond.find_first_not_of('9') == std::string_view::npos ||
            (beyond.find_first_not_of('0') == std::string_view::npos && shown != magnitude))
            end = std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific, 766).ptr;
        std::string digits(1, exact[0]);
        digits.append(exact + 2, exact + 16);  // "d.ddd...e+XX": the first 15 digits
        int exponent = 0;
        const char* mark = std::find(static_cast<const char*>(exact), end, 'e');
        std::from_chars(mark + (mark[1] == '+' ? 2 : 1), end, exponent);
        const long long kept = std::stoll(digits) + (exact[16] >= '5' ? 1 : 0);
        rounded = std::copysign(std::stod(std::to_string(kept) + "e" + std::to_string(exponent - 14)), sum);
    }
    const std::wstring text = rt::GeneralText(rounded);
    return {text, rounded, false};
}

std::string Describe(const WalkValue& from, const WalkStep& step, uint64_t count)
{
    return "from " + std::string(from.text.begin(), from.text.end()) + " step " + std::to_string(step.mantissa) + "e" +
           std::to_string(step.exponent) + " x " + std::to_string(count);
}

// Starts of every kind: money texts, general texts near zero, at the 15-digit limit, huge and tiny.
WalkValue RandomStart(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<int> exponent(-8, 17);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    switch (kind(random)) {
    case 0:
        return tools::ReadWalkValue(rt::FormatMoney(std::ldexp(unit(random), exponent(random) * 3)));
    case 1:
        return tools::ReadWalkValue(rt::GeneralText(unit(random) * 0.05));  // near zero
    case 2:
        return tools::ReadWalkValue(rt::GeneralText(unit(random) * 999999999999999.0));  // 15 whole digits
    case 3:
        return tools::ReadWalkValue(rt::GeneralText(unit(random) * std::pow(10.0, exponent(random))));
    case 4: {
        // A short decimal, the common case.
        std::uniform_int_distribution<int> cents(-200000, 200000);
        return tools::ReadWalkValue(rt::GeneralText(cents(random) / 100.0));
    }
    default:
        return tools::ReadWalkValue(rt::GeneralText(unit(random) * 1e20));  // beyond the digits: stalls
    }
}

TEST(StepSearch, JumpsGiveTheTextsOfSingleSteps)
{
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        std::mt19937_64 random(20240611);
        std::uniform_int_distribution<int> whichStep(0, std::size(kSteps) - 1);
        std::uniform_int_distribution<uint64_t> length(1, 400);
        for (int trial = 0; trial < 1500; ++trial) {
            const WalkValue start = RandomStart(random);
            const WalkStep& step = kSteps[whichStep(random)];
            const uint64_t count = length(random);
            SCOPED_TRACE(Describe(start, step, count));
            WalkValue expected = start;
            bool expectedStall = false;
            for (uint64_t i = 0; i < count && !expectedStall; ++i) {
                WalkValue next = StepByTheRule(expected, step);
                if (next.text == expected.text)
                    expectedStall = true;
                else
                    expected = next;
            }
            bool stalled = false;
            const WalkValue jumped = tools::Advance(start, step, count, &stalled);
            ASSERT_EQ(jumped.text, expected.text);
            EXPECT_EQ(stalled, expectedStall);
        }
    }
}

TEST(StepSearch, LongJumpsStayExact)
{
    // Far jumps cross decades and come close to the 15-digit limit; compare with a walk of all the steps.
    struct Case {
        std::wstring start;
        WalkStep step;
        uint64_t count;
    };
    const Case cases[] = {
        {L"980000000", {-1, 2}, 300000},    // the cash check of a billion walks down by 100
        {L"1009.596", {-1, 2}, 50},         // through zero and below
        {L"3000.01", {-1, 3}, 3},           // lands next to zero, where the double sum is not 0.01
        {L"300.001", {-1, 2}, 3},
        {L"-0.5", {1, 3}, 20000},           // a negative start, up by 1000 past zero
        {L"99999999999999.9", {1, 3}, 20},  // the 15-digit limit: the tenths drop off
        {L"0.000001", {1, -6}, 200000},     // the rate's finest step
        {L"40,000.00", {1, 3}, 50000},      // a money text: the first step reads it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(tools::ReadWalkValue(c.start), c.step, c.count));
        WalkValue expected = tools::ReadWalkValue(c.start);
        for (uint64_t i = 0; i < c.count; ++i)
            expected = StepByTheRule(expected, c.step);
        EXPECT_EQ(tools::Advance(tools::ReadWalkValue(c.start), c.step, c.count).text, expected.text);
    }
}

// Objective x -> target - x: the walk homes in on the target from above and below.
TEST(StepSearch, WalkStopsOnTheRulesOfThePhases)
{
    const WalkStep phases[] = {{1, 3}, {-1, 2}, {1, 1}, {-1, 0}, {1, -1}, {-1, -2}};
    struct Case {
        std::wstring start;
        double target;
        std::wstring end;
    };
    const Case cases[] = {
        {L"0", 12345.678, L"12345.67"},  // ends on the first value of the last walk down not above it
        {L"20000", 12345.678, L"12345.67"},
        {L"12345.67", 12345.67, L"12345.67"},  // zero at once
        {L"-3000000", 5.5, L"5.5"},
    };
    for (const Case& c : cases) {
        for (tools::WalkMode mode : {tools::WalkMode::Fast, tools::WalkMode::Stepped}) {
            SCOPED_TRACE(std::string(c.start.begin(), c.start.end()) + (mode == tools::WalkMode::Fast ? " fast" : ""));
            test::RecordingObserver observer;
            const tools::WalkResult result = tools::Walk(
                tools::ReadWalkValue(c.start), phases,
                [&](const WalkValue& at) {
                    return tools::Probe{false, c.target - at.value, true};
                },
                observer, mode);
            ASSERT_EQ(result.end, tools::WalkEnd::Stopped);
            EXPECT_EQ(result.value.text, c.end);
            EXPECT_EQ(result.computations, observer.Steps());
        }
    }
}

TEST(StepSearch, ThroughTextReadsBackWhatTheGeneralTextWrites)
{
    std::mt19937_64 random(3);
    std::uniform_int_distribution<uint64_t> bits;
    std::uniform_int_distribution<int> digits(1, 16);
    std::vector<double> values{0.0,    -0.0,     123456789012345.5,      -123456789012345.5,      0.5,
                               1e-300, 4.9e-324, 1.7976931348623157e308, -1.7976931348623157e308, 999999999999999.5,
                               1e15,   0.1};
    for (int i = 0; i < 20000; ++i) {
        // Raw bit patterns, and short decimals with an exact half in the 16th digit.
        double raw = std::bit_cast<double>(bits(random));
        if (std::isfinite(raw))
            values.push_back(raw);
        const int n = digits(random);
        values.push_back(static_cast<double>(bits(random) % 100000000000000000ULL) / std::pow(10.0, n) + 0.5);
    }
    for (const rt::Locale& locale : test::BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (double value : values) {
            const rt::Result<double> expected = rt::ParseNumber(rt::GeneralText(value));
            ASSERT_TRUE(expected.ok());
            const std::optional<double> fast = tools::ThroughText(value);
            ASSERT_TRUE(fast.has_value());
            ASSERT_EQ(std::bit_cast<uint64_t>(*fast), std::bit_cast<uint64_t>(*expected)) << value;
        }
    }
    EXPECT_FALSE(tools::ThroughText(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(tools::ThroughText(std::nan("")));
}

}  // namespace
