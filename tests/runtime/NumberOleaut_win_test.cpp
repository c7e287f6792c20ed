// The number runtime against the platform's own conversions in oleaut32, on generated values in a "."
// locale (0x0409) and a "," locale (0x0416). Each comparison either agrees or falls under one of the
// deliberate differences below; anything else fails.
//
// Deliberate differences:
//  1. Reading (VarR8FromStr, VarCyFromStr) also accepts forms outside the plain decimal grammar that the
//     tools' fields hold: a trailing sign ("5-"), parentheses, a currency symbol, "&H"/"&O" numbers, a second
//     sign ("+-5", "1e+-5") and thousands separators after the exponent or after trailing blanks ("1e5,",
//     "5 ,"). Ours refuses them: one leading sign, digits, separators, exponent. IsPlatformOnlyForm.
//     The platform also reports Overflow for an exponent with no digit before it ("E9995"); ours says
//     TypeMismatch, as for any text that is not a number.
//  2. The platform's reader (Wine's) is not correctly rounded: it is often one unit in the last place off
//     even for short decimals ("62.642367650343"), more for long mantissas and large exponents, and it
//     refuses some texts just below the largest double ("1.797693134862315e308"). Ours is correctly
//     rounded; values may differ by a few units in the last place (kReadTolerance), and an overflow of the
//     platform above 1e308 is accepted. VarCyFromStr likewise loses digits beyond the 15th; ours reads the
//     correctly rounded double, so texts with more than 15 significant digits agree within kReadTolerance.
//  3. Format with a negative value that rounds to zero: the platform writes "-0.00", ours "0.00" (a sum of
//     zero shows no sign).
//  4. Format "00"/"000" of a value from 0.5 to 1 (magnitude): the platform writes "00", ours rounds the half
//     away from zero like every other value ("01").
//  5. In a "," locale the platform writes the exponent form of VarBstrFromR8 with "." ("1.5E-07"), which
//     its own reader then takes for a thousands separator; ours writes the locale's separator ("1,5E-07"),
//     so the text reads back. Its Format of such values (|value| from 1E+15 or below 1E-04) is garbled by
//     the same fault ("2.586.091.655,41" for 2.586E-05) and is not compared.
//  6. The largest doubles (from 1.797693134862315E+308): the platform writes "1.79769313486232E+308", which
//     neither reader takes back (it is beyond the range); ours writes "1.79769313486231E+308", which reads back.
//  7. Infinities and NaN (not compared): the platform under Wine writes "INF" and "-NAN(IND)"; ours writes
//     the classic "1.#INF", "-1.#INF" and "-1.#IND".
#include "runtime/Currency.h"
#include "runtime/Format.h"
#include "runtime/Locale.h"
#include "runtime/NumberText.h"

#include <windows.h>

#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace {

struct Language {
    LCID lcid;
    rt::Locale locale;
    const char* name;
};

std::vector<Language> Languages()
{
    return {{0x0409, rt::Locale::EnglishUS(), "0409"}, {0x0416, rt::Locale::PortugueseBR(), "0416"}};
}

// Values that must agree are gathered, and the first few differences are shown.
class Differences {
public:
    void Add(const std::string& what)
    {
        if (count_++ < 20)
            ADD_FAILURE() << what;
    }
    int Count() const { return count_; }

private:
    int count_ = 0;
};

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t c : text) {
        if (c >= 32 && c < 127)
            out += static_cast<char>(c);
        else
            out += "\\x" + std::to_string(static_cast<unsigned>(c));
    }
    return out;
}

std::string Show(double value)
{
    char buffer[40];
    snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string Describe(const rt::Result<double>& value)
{
    return value ? Show(*value) : "error " + std::to_string(static_cast<int>(value.error()));
}

std::string Describe(const rt::Result<rt::Currency>& value)
{
    return value ? std::to_string(value->Scaled()) : "error " + std::to_string(static_cast<int>(value.error()));
}

std::wstring TakeBstr(BSTR text)
{
    std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return out;
}

// The platform's results: a value, or the failure as our error.
rt::Result<double> PlatformReadNumber(const std::wstring& text, LCID lcid)
{
    double value = 0;
    const HRESULT hr = VarR8FromStr(const_cast<OLECHAR*>(text.c_str()), lcid, 0, &value);
    if (hr == DISP_E_OVERFLOW)
        return rt::ValueError::Overflow;
    if (FAILED(hr))
        return rt::ValueError::TypeMismatch;
    return value;
}

rt::Result<int64_t> PlatformCurrencyScaled(const std::wstring& text, LCID lcid)
{
    CY cy{};
    const HRESULT hr = VarCyFromStr(const_cast<OLECHAR*>(text.c_str()), lcid, 0, &cy);
    if (hr == DISP_E_OVERFLOW)
        return rt::ValueError::Overflow;
    if (FAILED(hr))
        return rt::ValueError::TypeMismatch;
    return static_cast<int64_t>(cy.int64);
}

std::optional<std::wstring> PlatformFormat(double value, const std::wstring& pattern, LCID lcid)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    BYTE tokens[256];
    int used = 0;
    BSTR out = nullptr;
    OLECHAR* p = const_cast<OLECHAR*>(pattern.c_str());
    if (FAILED(VarTokenizeFormatString(p, tokens, sizeof tokens, 1, 1, lcid, &used)) ||
        FAILED(VarFormatFromTokens(&v, p, tokens, 0, &out, lcid)))
        return std::nullopt;
    return TakeBstr(out);
}

// Deliberate difference 1: forms the platform reads that are outside our grammar.
bool IsPlatformOnlyForm(const std::wstring& text, const rt::Locale& locale)
{
    bool started = false;
    bool digit = false;
    bool exponent = false;
    bool blankAfterDigit = false;
    wchar_t previous = 0;
    for (const wchar_t c : text) {
        if (c == L'(' || c == L')' || c == L'$' || c == L'&')
            return true;
        if (c == L' ' || c == L'\t') {
            blankAfterDigit = blankAfterDigit || digit;
            previous = c;
            continue;
        }
        if (c == L'+' || c == L'-') {
            if (started && previous != L'e' && previous != L'E')
                return true;  // a trailing or second sign
        } else if (c >= L'0' && c <= L'9') {
            digit = true;
        } else if (c == L'e' || c == L'E') {
            exponent = true;
        } else if (c == locale.thousandsSeparator && digit && (exponent || blankAfterDigit)) {
            return true;
        }
        started = true;
        previous = c;
    }
    return false;
}

constexpr double kReadTolerance = 4e-15;  // relative: a few units in the last place

bool CloseEnough(double ours, double theirs)
{
    return ours == theirs || std::fabs(ours - theirs) <= std::fabs(ours) * kReadTolerance;
}

bool HasDigitBeforeExponent(const std::wstring& text)
{
    const size_t digit = text.find_first_of(L"0123456789");
    return digit != std::wstring::npos && digit < text.find_first_of(L"eE");
}

// Deliberate differences 1 and 2, for readings where one side fails.
template <class T>
bool IsDeliberateReadDifference(const std::wstring& text, const rt::Locale& locale, const rt::Result<T>& ours,
                                const rt::Result<T>& theirs)
{
    if (!ours.ok() && ours.error() == rt::ValueError::TypeMismatch) {
        if (IsPlatformOnlyForm(text, locale))
            return true;
        return !theirs.ok() && theirs.error() == rt::ValueError::Overflow && !HasDigitBeforeExponent(text);
    }
    if constexpr (std::is_same_v<T, double>)
        return ours.ok() && !theirs.ok() && theirs.error() == rt::ValueError::Overflow && std::fabs(*ours) > 1e308;
    return false;
}

int SignificantDigitCount(const std::wstring& text)
{
    int count = 0;
    for (const wchar_t c : text.substr(0, text.find_first_of(L"eE"))) {
        if ((c >= L'1' && c <= L'9') || (c == L'0' && count > 0))
            ++count;
    }
    return count;
}

// Texts of numbers as users and the program write them, plus short random junk.
std::vector<std::wstring> ReadingTexts(std::mt19937_64& random, const rt::Locale& locale)
{
    std::vector<std::wstring> texts;
    std::uniform_int_distribution<int> digitCount(1, 18);
    std::uniform_int_distribution<int> pick(0, 9);
    for (int i = 0; i < 4000; ++i) {
        // Decimal digits with the point anywhere, grouped or not, with a sign, blanks and an exponent.
        std::wstring digits;
        const int count = digitCount(random);
        for (int k = 0; k < count; ++k)
            digits += static_cast<wchar_t>(L'0' + pick(random));
        const int point = static_cast<int>(random() % (count + 1));
        std::wstring text;
        for (int k = 0; k < count; ++k) {
            if (k == point && random() % 4 != 0)
                text += locale.decimalSeparator;
            text += digits[k];
            const int left = point - 1 - k;
            if (random() % 3 == 0 && left > 0 && left % 3 == 0)
                text += locale.thousandsSeparator;
        }
        if (random() % 3 == 0)
            text += (random() % 2 ? L"E" : L"e") + std::wstring(random() % 2 ? L"-" : L"") +
                    std::to_wstring(random() % 40);
        if (random() % 3 == 0)
            text.insert(0, random() % 2 ? L"-" : L"+");
        if (random() % 4 == 0)
            text = L" " + text + L"  ";
        texts.push_back(text);
    }
    for (int i = 0; i < 3000; ++i) {
        double value = std::bit_cast<double>(random());
        if (!std::isfinite(value))
            continue;
        if (i % 2)
            value = std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 100) - 80);
        texts.push_back(rt::GeneralText(value));
        texts.push_back(rt::FormatNumber(value, i % 3 ? L"#,##0.00" : L"#,##0.0#####"));
    }
    const wchar_t alphabet[] = {L'0', L'1', L'5', L'9', locale.decimalSeparator, locale.thousandsSeparator,
                                L' ', L'+', L'-', L'e', L'E', L'\t', L'x'};
    for (int i = 0; i < 6000; ++i) {
        std::wstring text;
        const int length = 1 + static_cast<int>(random() % 7);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % std::size(alphabet)];
        texts.push_back(text);
    }
    for (const wchar_t* fixed : {L"", L"   ", L".", L",", L"1e400", L"-1e400", L"1e-400", L"4e-320",
                                 L"1.7976931348623157e308", L"\u00a05", L"\uff15", L"(5)", L"5-", L"&H10"})
        texts.push_back(fixed);
    return texts;
}

TEST(NumberOleaut, ParseNumberAgreesWithVarR8FromStr)
{
    std::mt19937_64 random(7);
    for (const Language& language : Languages()) {
        rt::ScopedLocale scoped(language.locale);
        Differences differences;
        int compared = 0;
        int inexact = 0;
        int deliberate = 0;
        for (const std::wstring& text : ReadingTexts(random, language.locale)) {
            ++compared;
            const auto ours = rt::ParseNumber(text);
            const auto theirs = PlatformReadNumber(text, language.lcid);
            if (ours.ok() != theirs.ok() || (!ours.ok() && ours.error() != theirs.error())) {
                if (IsDeliberateReadDifference(text, language.locale, ours, theirs)) {
                    ++deliberate;
                    continue;
                }
                differences.Add(std::string(language.name) + " [" + Narrow(text) + "] ours " + Describe(ours) +
                                ", platform " + Describe(theirs));
            } else if (ours.ok() && *ours != *theirs) {
                ++inexact;
                if (CloseEnough(*ours, *theirs))
                    continue;
                differences.Add(std::string(language.name) + " [" + Narrow(text) + "] ours " + Show(*ours) +
                                ", platform " + Show(*theirs));
            }
        }
        EXPECT_EQ(differences.Count(), 0) << "of " << compared << " texts";
        EXPECT_GT(compared, 15000);
        printf("%s: %d texts read, %d within the tolerance only, %d deliberate differences\n", language.name,
               compared, inexact, deliberate);
    }
}

// Doubles of every kind: random bits, short decimals at every magnitude, exact halves at the 16th digit,
// and the neighbours of the exponent-form thresholds.
std::vector<double> TextValues(std::mt19937_64& random)
{
    std::vector<double> values;
    for (int i = 0; i < 5000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (int i = 0; i < 5000; ++i) {
        const double mantissa = static_cast<double>(random() % 100000000) / 1000;
        values.push_back((random() % 2 ? -1 : 1) * mantissa * std::pow(10.0, static_cast<int>(random() % 50) - 25));
    }
    for (int i = 0; i < 1000; ++i) {
        // 16 digits ending in 5, exactly representable: 10^15 + odd multiples of 5, and k + 0.5 near 10^14.
        values.push_back(1e15 + 5.0 * static_cast<double>(2 * (random() % 1000000) + 1));
        values.push_back(1e14 + static_cast<double>(random() % 1000000000) + 0.5);
    }
    for (const double edge : {1e-5, 1e-4, 1e15, 1e16, 1e-300, 1e300}) {
        double below = edge;
        double above = edge;
        for (int k = 0; k < 50; ++k) {
            values.push_back(below = std::nextafter(below, 0.0));
            values.push_back(above = std::nextafter(above, 1e308));
        }
    }
    values.push_back(0.0);
    values.push_back(-0.0);
    values.push_back(std::numeric_limits<double>::denorm_min());
    values.push_back(std::numeric_limits<double>::max());
    return values;
}

TEST(NumberOleaut, GeneralTextAgreesWithVarBstrFromR8)
{
    std::mt19937_64 random(11);
    const std::vector<double> values = TextValues(random);
    for (const Language& language : Languages()) {
        rt::ScopedLocale scoped(language.locale);
        Differences differences;
        for (const double value : values) {
            BSTR text = nullptr;
            ASSERT_EQ(VarBstrFromR8(value, language.lcid, 0, &text), S_OK);
            std::wstring theirs = TakeBstr(text);
            if (theirs.find(L'E') != std::wstring::npos)  // deliberate difference 5
                std::replace(theirs.begin(), theirs.end(), L'.', language.locale.decimalSeparator);
            const std::wstring ours = rt::GeneralText(value);
            if (std::fabs(value) >= 1.797693134862315e308) {  // deliberate difference 6
                EXPECT_NE(theirs.find(L"79769313486232E+308"), std::wstring::npos);
                EXPECT_EQ(std::fabs(rt::ParseNumber(ours).value_or(0)), 1.79769313486231e308);
                continue;
            }
            if (ours != theirs)
                differences.Add(std::string(language.name) + " " + Show(value) + ": ours " + Narrow(ours) +
                                ", platform " + Narrow(theirs));
        }
        EXPECT_EQ(differences.Count(), 0) << "of " << values.size() << " values";
    }
}

// Amounts with four decimals and halves at the fifth, exact binary halves (odd multiples of 1/32), random
// magnitudes up to beyond the range, and the range's ends.
std::vector<double> CurrencyValues(std::mt19937_64& random)
{
    std::vector<double> values;
    for (int i = 0; i < 4000; ++i) {
        const double tenThousandths = static_cast<double>(random() % 100000000000) + 0.5;
        values.push_back((random() % 2 ? -1 : 1) * tenThousandths / 10000.0);
        values.push_back(static_cast<double>(2 * (random() % 100000000) + 1) / 32.0);
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 110) - 100));
    }
    for (const double edge : {922337203685477.5807, -922337203685477.5808}) {
        double below = edge;
        double above = edge;
        for (int k = 0; k < 20; ++k) {
            values.push_back(below = std::nextafter(below, 0.0));
            values.push_back(above = std::nextafter(above, edge * 2));
        }
    }
    return values;
}

TEST(NumberOleaut, CurrencyAgreesWithVarCyFromR8AndVarBstrFromCy)
{
    std::mt19937_64 random(13);
    Differences differences;
    const std::vector<double> values = CurrencyValues(random);
    for (const double value : values) {
        CY cy{};
        const HRESULT hr = VarCyFromR8(value, &cy);
        const auto ours = rt::Currency::FromDouble(value);
        if (ours.ok() != SUCCEEDED(hr) || (ours.ok() && ours->Scaled() != cy.int64))
            differences.Add(Show(value) + ": ours " + (ours.ok() ? std::to_string(ours->Scaled()) : "overflow") +
                            ", platform " + (SUCCEEDED(hr) ? std::to_string(cy.int64) : "failure"));
    }
    for (const Language& language : Languages()) {
        rt::ScopedLocale scoped(language.locale);
        for (int i = 0; i < 4000; ++i) {
            CY cy{};
            cy.int64 = static_cast<int64_t>(random() >> (random() % 64));
            if (i % 2)
                cy.int64 = -cy.int64;
            BSTR text = nullptr;
            ASSERT_EQ(VarBstrFromCy(cy, language.lcid, 0, &text), S_OK);
            const std::wstring theirs = TakeBstr(text);
            const std::wstring ours = rt::Currency::FromScaled(cy.int64).ToText();
            if (ours != theirs)
                differences.Add(std::string(language.name) + " " + std::to_string(cy.int64) + ": ours " +
                                Narrow(ours) + ", platform " + Narrow(theirs));
        }
    }
    EXPECT_EQ(differences.Count(), 0);
}

TEST(NumberOleaut, CurrencyFromTextAgreesWithVarCyFromStr)
{
    std::mt19937_64 random(17);
    for (const Language& language : Languages()) {
        rt::ScopedLocale scoped(language.locale);
        Differences differences;
        std::vector<std::wstring> texts = ReadingTexts(random, language.locale);
        for (int i = 0; i < 3000; ++i) {
            const double value = static_cast<double>(random() % 10000000000) / 100000.0;
            texts.push_back(rt::GeneralText(value));  // halves at the fifth decimal
        }
        for (const std::wstring& text : texts) {
            const auto ours = rt::Currency::FromText(text);
            const auto theirsScaled = PlatformCurrencyScaled(text, language.lcid);
            const rt::Result<rt::Currency> theirs =
                theirsScaled ? rt::Result<rt::Currency>(rt::Currency::FromScaled(*theirsScaled))
                             : rt::Result<rt::Currency>(theirsScaled.error());
            if (ours.ok() == theirs.ok() && (ours.ok() ? *ours == *theirs : ours.error() == theirs.error()))
                continue;
            if (IsDeliberateReadDifference(text, language.locale, ours, theirs))
                continue;
            if (ours.ok() && theirs.ok() && SignificantDigitCount(text) > 15 &&
                CloseEnough(ours->ToDouble(), theirs->ToDouble()))
                continue;
            differences.Add(std::string(language.name) + " [" + Narrow(text) + "] ours " + Describe(ours) +
                            ", platform " + Describe(theirs));
        }
        EXPECT_EQ(differences.Count(), 0) << "of " << texts.size() << " texts";
    }
}

// Deliberate differences 3 and 4.
bool IsDeliberateFormatDifference(const std::wstring& ours, const std::wstring& theirs)
{
    if (theirs == L"-" + ours)  // "-0.00": a negative value rounded to zero
        return ours.find_first_not_of(L"0.,") == std::wstring::npos;
    return (theirs == L"00" && ours == L"01") || (theirs == L"000" && ours == L"001") ||
           (theirs == L"-00" && ours == L"-01") || (theirs == L"-000" && ours == L"-001");
}

TEST(NumberOleaut, FormatNumberAgreesWithVarFormat)
{
    std::mt19937_64 random(19);
    std::vector<double> values;
    for (int i = 0; i < 3000; ++i) {
        // Halves at the decimals the patterns keep, small and large magnitudes, both signs.
        const double sign = random() % 2 ? -1 : 1;
        values.push_back(sign * static_cast<double>(random() % 10000000) / 1000.0);
        values.push_back(sign * (static_cast<double>(random() % 1000000) + 0.5) / 100.0);
        values.push_back(sign * static_cast<double>(random() % 100000000) / 10000000.0);
        values.push_back(sign * static_cast<double>(random() % 1000) / 2.0);
        const double magnitude = std::pow(10.0, static_cast<int>(random() % 30) - 20);
        values.push_back(sign * static_cast<double>(random() >> 11) * magnitude);
    }
    for (int i = 0; i < 200; ++i)  // exact halves at the 16th digit
        values.push_back(1e14 + static_cast<double>(random() % 1000000000) + 0.5);
    for (const Language& language : Languages()) {
        rt::ScopedLocale scoped(language.locale);
        Differences differences;
        int deliberate = 0;
        for (const std::wstring pattern : {L"#,##0.00", L"#0.0#####", L"00", L"000"}) {
            for (const double value : values) {
                const auto theirs = PlatformFormat(value, pattern, language.lcid);
                ASSERT_TRUE(theirs.has_value());
                const std::wstring ours = rt::FormatNumber(value, pattern);
                if (ours == *theirs)
                    continue;
                if (language.locale.decimalSeparator != L'.' &&
                    rt::GeneralText(value).find(L'E') != std::wstring::npos) {
                    ++deliberate;  // difference 5
                    continue;
                }
                if (IsDeliberateFormatDifference(ours, *theirs)) {
                    ++deliberate;
                    continue;
                }
                differences.Add(std::string(language.name) + " " + Narrow(pattern) + " " + Show(value) +
                                ": ours " + Narrow(ours) + ", platform " + Narrow(*theirs));
            }
        }
        EXPECT_EQ(differences.Count(), 0);
        EXPECT_LT(deliberate, static_cast<int>(values.size()));
        printf("%s: %zu values in 4 patterns, %d deliberate differences\n", language.name, values.size(),
               deliberate);
    }
}

}  // namespace
