#include "tools/HealthyWeight.h"

#include "runtime/Locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

using tools::Sex;
using tools::WeightClass;
using tools::WeightLimits;

// Every table runs in both locales; texts are written with "." and turned into the locale's separator.
const std::vector<rt::Locale>& BothLocales()
{
    static const std::vector<rt::Locale> locales{rt::Locale::EnglishUS(), rt::Locale::PortugueseBR()};
    return locales;
}

std::wstring Loc(std::wstring text)
{
    std::replace(text.begin(), text.end(), L'.', rt::CurrentLocale().decimalSeparator);
    return text;
}

std::string Trace(const rt::Locale& locale, std::wstring_view input)
{
    return std::string("separator ") + static_cast<char>(locale.decimalSeparator) + ", input \"" +
           std::string(input.begin(), input.end()) + "\"";
}

// Height 1.75 as a man.
WeightLimits ManAt175()
{
    return {Loc(L"63.39"), Loc(L"72.12"), Loc(L"80.85"), Loc(L"85.14"), Loc(L"95.24")};
}

TEST(HealthyWeight, CentimetresAboveOneHundredBecomeMetres)
{
    struct Case {
        std::wstring height;
        std::optional<std::wstring> metres;
    };
    const Case cases[] = {
        {L"175", L"1.75"},          {L"1750", L"17.5"},  {L"101", L"1.01"},
        {L"100", std::nullopt},      // exactly 100 stays
        {L"100.004", std::nullopt},  // shows as 100.00
        {L"100.005", L"1.00005"},    // shows as 100.01: the raw text is divided
        {L"1.75", std::nullopt},    {L"", std::nullopt}, {L"abc", std::nullopt},
    };
    for (const rt::Locale& locale : BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Trace(locale, c.height));
            EXPECT_EQ(tools::MetresFromCentimetres(Loc(c.height)),
                      c.metres ? std::optional(Loc(*c.metres)) : std::nullopt);
        }
    }
}

TEST(HealthyWeight, ChecksJudgeTheShownTwoDecimalValue)
{
    struct Case {
        std::wstring text;
        bool validHeight;
        bool validWeight;
    };
    const Case cases[] = {
        {L"1", true, false},        {L"3", true, false},      {L"1.75", true, false},
        {L"0.9", false, false},     {L"3.1", false, false},   {L"100", false, true},
        {L"3.004", true, false},    {L"3.005", false, false}, {L"0.995", true, false},  // 0.995 shows as 1.00
        {L"20", false, true},       {L"300", false, true},    {L"19.9", false, false},
        {L"300.5", false, false},   {L"19.995", false, true}, {L"300.004", false, true},
        {L"300.005", false, false}, {L"", false, false},      {L"x", false, false},
    };
    for (const rt::Locale& locale : BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Trace(locale, c.text));
            EXPECT_EQ(tools::IsValidHeight(Loc(c.text)), c.validHeight);
            EXPECT_EQ(tools::IsValidWeight(Loc(c.text)), c.validWeight);
        }
    }
}

TEST(HealthyWeight, LimitsRoundTheProductsHalfAwayFromZero)
{
    struct Case {
        std::wstring height;
        Sex sex;
        std::vector<std::wstring> limits;  // thin, medium, overweight, fat, obese
    };
    const Case cases[] = {
        {L"1.75", Sex::Man, {L"63.39", L"72.12", L"80.85", L"85.14", L"95.24"}},
        {L"1.75", Sex::Woman, {L"56.66", L"66.61", L"76.56", L"82.69", L"98.00"}},
        // 46.575 and 69.975 are ties that the double products miss by a hair.
        {L"1.5", Sex::Man, {L"46.58", L"52.99", L"59.40", L"62.55", L"69.98"}},
        {L"3", Sex::Woman, {L"166.50", L"195.75", L"225.00", L"243.00", L"288.00"}},
    };
    for (const rt::Locale& locale : BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Trace(locale, c.height) + (c.sex == Sex::Man ? " man" : " woman"));
            const auto limits = tools::LimitsFor(Loc(c.height), c.sex);
            ASSERT_TRUE(limits);
            EXPECT_EQ((std::vector{limits->thin, limits->medium, limits->overweight, limits->fat, limits->obese}),
                      (std::vector{Loc(c.limits[0]), Loc(c.limits[1]), Loc(c.limits[2]), Loc(c.limits[3]),
                                   Loc(c.limits[4])}));
        }
        EXPECT_FALSE(tools::LimitsFor(L"", Sex::Man));
    }
}

TEST(HealthyWeight, ArrowFollowsTheWeightAndIsPinnedAtTheEnds)
{
    struct Case {
        std::wstring weight;
        std::wstring medium;
        std::optional<float> left;
    };
    const Case cases[] = {
        {L"70", L"72.12", 1471.8136f},  // (70 x 1500 / 72.12) x 2 - 1440
        {L"72.12", L"72.12", 1560.0f},  // the design place
        {L"46", L"100", -60.0f},       {L"44", L"100", -90.0f},     {L"156", L"100", 3210.0f},
        {L"", L"72.12", std::nullopt}, {L"70", L"0", std::nullopt},
    };
    for (const rt::Locale& locale : BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Trace(locale, c.weight + L" / " + c.medium));
            const std::optional<float> left = tools::ArrowLeft(Loc(c.weight), Loc(c.medium));
            ASSERT_EQ(left.has_value(), c.left.has_value());
            if (left) {
                EXPECT_NEAR(*left, *c.left, 0.01f);
            }
        }
    }
}

TEST(HealthyWeight, GaugeZonesOfEachSex)
{
    // The design's zones: the woman's gauge is the form's own, the man's is laid over it.
    struct Case {
        Sex sex;
        std::vector<int> zones;  // thin width, first mark's left, second mark's width and left, obese left and width
    };
    for (const Case& c : {Case{Sex::Man, {1300, 1180, 200, 2120, 2120, 1305}},
                          Case{Sex::Woman, {1200, 1080, 255, 2220, 2220, 1200}}}) {
        SCOPED_TRACE(c.sex == Sex::Man ? "man" : "woman");
        const tools::GaugeLayout g = tools::GaugeFor(c.sex);
        EXPECT_EQ((std::vector{g.minWidth, g.tol1Left, g.tol2Width, g.tol2Left, g.maxLeft, g.maxWidth}), c.zones);
        EXPECT_LE(g.maxLeft + g.maxWidth, 60 + 3390);  // the obese zone ends on the gauge
    }
}

TEST(HealthyWeight, VerdictComparesWithTheShownLimits)
{
    struct Case {
        std::wstring weight;
        WeightClass weightClass;
        std::wstring word;
        std::wstring advice;
    };
    const std::wstring normal = L"\rYou are in your NORMAL Weight";
    const Case cases[] = {
        {L"70", WeightClass::Normal, L"NORMAL", normal},
        {L"63.39", WeightClass::Normal, L"NORMAL", normal},  // the unrounded limit is 63.39375
        {L"80.85", WeightClass::Normal, L"NORMAL", normal},
        {L"63.38", WeightClass::Thin, L"THIN", L"\rGain\r0.01 Kg\rto enter in normal weight"},
        {L"80.86", WeightClass::Overweight, L"OVERWEIGHT", L"\rLose\r0.01 Kg\rto enter in normal weight"},
        // Fat and obese are told the way to the overweight limit, not to their own.
        {L"85.15", WeightClass::Fat, L"FAT", L"\rLose\r4.30 Kg\rto enter in normal weight"},
        {L"95.24", WeightClass::Fat, L"FAT", L"\rLose\r14.39 Kg\rto enter in normal weight"},  // at the limit
        {L"95.25", WeightClass::Obese, L"OBESE", L"\rLose\r14.40 Kg\rto enter in normal weight"},
        {L"300", WeightClass::Obese, L"OBESE", L"\rLose\r219.15 Kg\rto enter in normal weight"},
    };
    for (const rt::Locale& locale : BothLocales()) {
        rt::ScopedLocale scoped(locale);
        for (const Case& c : cases) {
            SCOPED_TRACE(Trace(locale, c.weight));
            const auto verdict = tools::Judge(Loc(c.weight), ManAt175());
            ASSERT_TRUE(verdict);
            EXPECT_EQ(verdict->weightClass, c.weightClass);
            EXPECT_EQ(verdict->word, c.word);
            EXPECT_EQ(verdict->advice, Loc(c.advice));
        }
        EXPECT_FALSE(tools::Judge(L"", ManAt175()));
        EXPECT_FALSE(tools::Judge(L"70", {L"", L"72.12", L"80.85", L"85.14", L"95.24"}));
    }
}

TEST(HealthyWeight, TapeBlockHasTwelveLinesOnlyForANormalWeight)
{
    const std::wstring rule = L" -------------------------\r\n";
    const std::wstring close = L" =========================\r\n";
    const std::wstring head = rule + L" WEIGHT CALC. - (Man)\r\n";
    const auto limitsLines = [&] {
        return rule + L" Min. Weight  = " + Loc(L"63.39") + L"Kg\r\n Max. Weight  = " + Loc(L"80.85") + L"Kg\r\n";
    };
    for (const rt::Locale& locale : BothLocales()) {
        rt::ScopedLocale scoped(locale);
        struct Case {
            std::wstring weight;
            std::wstring tail;  // from the result line on
        };
        const Case cases[] = {
            {L"70", L" Result = NORMAL Weight\r\n" + rule + Loc(L" Medium Weight = 72.12Kg\r\n") +
                        Loc(L" Optional = Gain 2.12Kg\r\n") + close},
            {L"72.12", L" Result = NORMAL Weight\r\n" + rule + Loc(L" Medium Weight = 72.12Kg\r\n") +
                           Loc(L" Optional = Lose 0.00Kg\r\n") + close},
            {L"63.39", L" Result = NORMAL Weight\r\n" + rule + Loc(L" Medium Weight = 72.12Kg\r\n") +
                           Loc(L" Optional = Gain 8.73Kg\r\n") + close},  // at the thin limit
            {L"50", Loc(L" Result = Gain 13.39Kg\r\n") + close},
            {L"90.5", Loc(L" Result = Lose 9.65Kg\r\n") + close},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(Trace(locale, c.weight));
            const auto block = tools::TapeBlock(Sex::Man, Loc(L"1.75"), Loc(c.weight), ManAt175());
            ASSERT_TRUE(block);
            EXPECT_EQ(*block, head + Loc(L" Your Height  = 1.75m\r\n") + L" Your Weight  = " + Loc(c.weight) +
                                  L"Kg\r\n" + limitsLines() + c.tail);
            const auto lines = std::count(block->begin(), block->end(), L'\n');
            EXPECT_EQ(lines, c.tail.find(L"NORMAL") != std::wstring::npos ? 12 : 9);
        }
        const auto woman = tools::TapeBlock(Sex::Woman, L"2", L"100", ManAt175());
        ASSERT_TRUE(woman);
        const std::wstring womanHead = rule + L" WEIGHT CALC. - (Woman)\r\n";
        EXPECT_EQ(woman->substr(0, womanHead.size()), womanHead);
        EXPECT_FALSE(tools::TapeBlock(Sex::Man, L"1.75", L"", ManAt175()));
    }
}

TEST(HealthyWeight, KeyFilterKeepsOneSeparatorOfTheLocale)
{
    struct Case {
        int key;
        std::wstring text;
        wchar_t separator;
        int result;
    };
    const Case cases[] = {
        {',', L"", L'.', '.'},    {'.', L"", L',', ','},    {',', L"1.7", L'.', 0},
        {'.', L"1,7", L',', 0},   {'.', L"1.7", L',', ','},  // only the separator in use counts
        {'0', L"1.7", L'.', '0'}, {8, L"1.7", L'.', 8},     {'a', L"", L'.', 0},
        {'-', L"", L'.', 0},      {13, L"", L'.', 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + " on \"" + std::string(c.text.begin(), c.text.end()) + "\"");
        EXPECT_EQ(tools::FilterWeightKey(c.key, c.text, c.separator), c.result);
    }
}

}  // namespace
