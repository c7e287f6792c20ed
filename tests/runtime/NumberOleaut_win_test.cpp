// The number runtime against the platform's own conversions in oleaut32, on generated values in a "."
// locale (0x0409) and a "," locale (0x0416). Each comparison either agrees or falls under one of the
// deliberate differences below; anything else fails.
//
// Deliberate differences:
//  1. Reading (VarR8FromStr, VarCyFromStr): both take a sign after the digits ("12-"), parentheses ("(12)")
//     and the locale's currency symbol ("$1000", "1.000 R$"). Where the platform reads more, it is wrong or
//     unsure of itself, and ours refuses (PlatformOnlyForm names each case):
//     - two signs ("+-5", "+12-", "12--", "1e+-5"): which one counts is a guess, and the platform even
//       refuses "-12-" and "+12+";
//     - "&H"/"&O" numbers: its own two readers disagree (VarR8FromStr reads "&H10" as 16, VarCyFromStr
//       reports Overflow);
//     - an exponent in an amount with its currency symbol after it ("1e5$"), which it refuses with the
//       symbol before it ("$1e5");
//     - thousands separators past the end of the number, after the exponent, a blank or a sign ("1e5,",
//       "5 ,", "50-,");
//     - an unclosed parenthesis ("-(1"; it refuses "(12" itself) and two currency symbols ("-$5$");
//     - an exponent with no number before it ("E15.5" in a "," locale reads as 5E+15).
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
#include "support/OleTally_win.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <type_traits>
#include <string>
#include <vector>

namespace {

using test::Narrow;
using test::OleLocale;
using test::Tally;

constexpr double kReadTolerance = 4e-15;  // relative: a few units in the last place

std::string Show(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// A reading of either side as one comparable text: the value, or the failure.
std::string Show(const rt::Result<double>& r) { return r ? Show(*r) : "error " + std::to_string(int(r.error())); }
std::string Show(const rt::Result<rt::Currency>& r)
{
    return r ? std::to_string(r->Scaled()) : "error " + std::to_string(int(r.error()));
}

// The platform's outcome as ours (call the function first: argument order is unspecified).
template <class T>
rt::Result<T> PlatformResult(HRESULT hr, T value)
{
    if (SUCCEEDED(hr))
        return value;
    return hr == DISP_E_OVERFLOW ? rt::ValueError::Overflow : rt::ValueError::TypeMismatch;
}

rt::Result<double> PlatformNumber(const std::wstring& text, LCID lcid)
{
    double value = 0;
    const HRESULT hr = VarR8FromStr(const_cast<OLECHAR*>(text.c_str()), lcid, 0, &value);
    return PlatformResult(hr, value);
}

rt::Result<rt::Currency> PlatformCurrency(const std::wstring& text, LCID lcid)
{
    CY cy{};
    const HRESULT hr = VarCyFromStr(const_cast<OLECHAR*>(text.c_str()), lcid, 0, &cy);
    return PlatformResult(hr, rt::Currency::FromScaled(cy.int64));
}

double Value(double d) { return d; }
double Value(const rt::Currency& c) { return c.ToDouble(); }

// Deliberate difference 1: the name of a form that only the platform reads, or nothing.
std::optional<std::string> PlatformOnlyForm(const std::wstring& text, const rt::Locale& locale)
{
    if (text.find(L'&') != std::wstring::npos)
        return "\"&H\" numbers";
    const size_t firstDigit = text.find_first_of(L"0123456789");
    if (text.find_first_of(L"eE") < firstDigit)
        return "an exponent without a number before it";
    if (std::count(text.begin(), text.end(), L'(') != std::count(text.begin(), text.end(), L')'))
        return "an unclosed parenthesis";
    const size_t currency = text.find(locale.currencySymbol);
    if (currency != std::wstring::npos && text.find(locale.currencySymbol, currency + 1) != std::wstring::npos)
        return "two currency symbols";
    int signs = 0;
    bool digit = false;
    bool exponent = false;
    bool ended = false;  // a digit, then something that is not part of the digits
    wchar_t previous = 0;
    for (const wchar_t c : text) {
        const bool sign = c == L'+' || c == L'-';
        if (sign && previous != L'e' && previous != L'E')
            ++signs;
        if (sign && (previous == L'+' || previous == L'-'))
            return "two signs";
        if (c == locale.thousandsSeparator && ended)
            return "a separator past the end of the number";
        const bool partOfDigits = (c >= L'0' && c <= L'9') || c == locale.decimalSeparator ||
                                  c == locale.thousandsSeparator;
        ended = ended || (digit && !partOfDigits);
        digit = digit || (c >= L'0' && c <= L'9');
        exponent = exponent || c == L'e' || c == L'E';
        previous = c;
    }
    if (signs >= 2)
        return "two signs";
    if (exponent && currency != std::wstring::npos)
        return "an exponent in an amount";
    return std::nullopt;
}

int SignificantDigitCount(const std::wstring& text)
{
    int count = 0;
    for (const wchar_t c : text.substr(0, text.find_first_of(L"eE")))
        count += (c >= L'1' && c <= L'9') || (c == L'0' && count > 0);
    return count;
}

// Compares one reading, allowing deliberate differences 1 and 2.
template <class T>
void CompareReading(const std::wstring& text, const rt::Locale& locale, const rt::Result<T>& ours,
                    const rt::Result<T>& theirs, Tally& tally)
{
    const bool bothOk = ours.ok() && theirs.ok();
    if (Show(ours) == Show(theirs))
        return tally.Same();
    const double a = bothOk ? Value(*ours) : 0;
    const double b = bothOk ? Value(*theirs) : 0;
    const bool close = std::fabs(a - b) <= std::fabs(a) * kReadTolerance;
    const size_t firstDigit = text.find_first_of(L"0123456789");
    const auto platformOnly = PlatformOnlyForm(text, locale);
    if (!ours.ok() && ours.error() == rt::ValueError::TypeMismatch && platformOnly)
        tally.Note("platform only: " + *platformOnly);
    else if (!ours.ok() && ours.error() == rt::ValueError::TypeMismatch && !theirs.ok() &&
             theirs.error() == rt::ValueError::Overflow && !(firstDigit < text.find_first_of(L"eE")))
        tally.Note("exponent without digits (platform: Overflow)");
    else if (std::is_same_v<T, double> && ours.ok() && !theirs.ok() && theirs.error() == rt::ValueError::Overflow &&
             std::fabs(Value(*ours)) > 1e308)
        tally.Note("platform overflows below the largest double");
    else if (bothOk && close && (std::is_same_v<T, double> || SignificantDigitCount(text) > 15))
        tally.Note("within the tolerance");
    else
        tally.Fail("[" + Narrow(text) + "] ours " + Show(ours) + ", platform " + Show(theirs));
}

// Doubles of every kind: random bits, short decimals and halves at every magnitude (the Format patterns'
// and currency's last decimals included), exact binary halves, exact halves at the 16th digit, and the
// neighbours of the exponent-form thresholds and of currency's range.
std::vector<double> Values(std::mt19937_64& random)
{
    std::vector<double> values = {0.0, -0.0, std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::max()};
    for (int i = 0; i < 3000; ++i) {
        const double sign = random() % 2 ? -1 : 1;
        const double bits = std::bit_cast<double>(random());
        if (std::isfinite(bits))
            values.push_back(bits);
        const double power = std::pow(10.0, int(random() % 8));
        values.push_back(sign * double(random() % 100000000000) / power);
        values.push_back(sign * (double(random() % 1000000000) + 0.5) / power);
        values.push_back(sign * double(random() % 100000) / 1000 * std::pow(10.0, int(random() % 50) - 25));
        values.push_back(double(2 * (random() % 100000000) + 1) / 32);
        values.push_back(std::ldexp(double(random() >> 11), int(random() % 110) - 100));
        if (i % 3 == 0) {
            values.push_back(1e15 + 5.0 * double(2 * (random() % 1000000) + 1));
            values.push_back(1e14 + double(random() % 1000000000) + 0.5);
        }
    }
    for (const double edge : {1e-5, 1e-4, 1e15, 1e16, 1e-300, 1e300, 922337203685477.5807, -922337203685477.5808}) {
        double below = edge;
        double above = edge;
        for (int k = 0; k < 30; ++k) {
            values.push_back(below = std::nextafter(below, 0.0));
            values.push_back(above = std::nextafter(above, edge * 2));
        }
    }
    return values;
}

// Texts of numbers as users and the program write them, plus short random junk.
std::vector<std::wstring> Texts(std::mt19937_64& random, const rt::Locale& locale)
{
    std::vector<std::wstring> texts = {L"",       L"   ", L".",  L",",   L"1e400", L"-1e400", L"1e-400",
                                       L"4e-320", L"1.7976931348623157e308",       L"\u00a05", L"\uff15",
                                       L"(5)",    L"5-",  L"&H10", L"+5-", L"1e5$"};
    for (int i = 0; i < 4000; ++i) {
        // Digits with the point anywhere, grouped or not, with a sign, blanks and an exponent.
        const int count = 1 + int(random() % 18);
        const int point = int(random() % (count + 1));
        std::wstring text = random() % 3 ? L"" : random() % 2 ? L"-" : L"+";
        for (int k = 0; k < count; ++k) {
            if (k == point && random() % 4 != 0)
                text += locale.decimalSeparator;
            text += wchar_t(L'0' + random() % 10);
            if (random() % 3 == 0 && point - 1 - k > 0 && (point - 1 - k) % 3 == 0)
                text += locale.thousandsSeparator;
        }
        if (random() % 3 == 0)
            text += (random() % 2 ? L"E" : L"e") + std::wstring(random() % 2 ? L"-" : L"") +
                    std::to_wstring(random() % 40);
        // Now and then as an amount: the currency symbol, parentheses or a sign after the digits.
        switch (random() % 12) {
        case 0: text = locale.currencySymbol + text; break;
        case 1: text += L" " + locale.currencySymbol; break;
        case 2: text = L"(" + text + L")"; break;
        case 3: text += random() % 2 ? L"-" : L"+"; break;
        }
        texts.push_back(random() % 4 ? text : L" " + text + L"  ");
    }
    std::vector<double> values = Values(random);
    for (size_t i = 0; i < values.size(); i += 3) {
        texts.push_back(rt::GeneralText(values[i]));
        texts.push_back(rt::FormatNumber(values[i], i % 2 ? L"#,##0.00" : L"#,##0.0#####"));
    }
    const wchar_t alphabet[] = {L'0', L'1', L'5', L'9', locale.decimalSeparator, locale.thousandsSeparator,
                                L' ', L'+', L'-', L'e', L'E', L'\t', L'x', L'(', L')', L'$'};
    for (int i = 0; i < 6000; ++i) {
        std::wstring text;
        for (int k = 0, length = 1 + int(random() % 7); k < length; ++k)
            text += alphabet[random() % std::size(alphabet)];
        texts.push_back(text);
    }
    return texts;
}

TEST(NumberOleaut, ReadingAgreesWithVarR8FromStrAndVarCyFromStr)
{
    std::mt19937_64 random(7);
    for (const OleLocale& language : test::DotAndCommaLocales()) {
        rt::ScopedLocale scoped(language.locale);
        Tally numbers(std::string("VarR8FromStr ") + language.name);
        Tally currencies(std::string("VarCyFromStr ") + language.name);
        for (const std::wstring& text : Texts(random, language.locale)) {
            CompareReading(text, language.locale, rt::ParseNumber(text), PlatformNumber(text, language.lcid), numbers);
            CompareReading(text, language.locale, rt::Currency::FromText(text), PlatformCurrency(text, language.lcid),
                           currencies);
        }
        EXPECT_GT(numbers.Count("same"), 10000);
        EXPECT_GT(currencies.Count("same"), 10000);
    }
}

// The forms users type into the tools' boxes, read exactly as the platform reads them in either locale (in
// a "," locale the currency symbol is "R$", so "$1000" is no number there, on either side).
TEST(NumberOleaut, ReadsTheFormsUsersTypeAsThePlatformDoes)
{
    for (const OleLocale& language : test::DotAndCommaLocales()) {
        rt::ScopedLocale scoped(language.locale);
        for (const std::wstring text : {L"$1000", L"$ 1,000.50", L"1000$", L"-$12", L"($12)", L"R$1000", L"R$ 1.000,50",
                                        L"1000 R$", L"(12)", L"( 12 )", L"(12)-", L"12-", L"12 -", L"12+", L"1,5-",
                                        L"(12", L"12)", L"-12-", L"$$12", L"$1e5"}) {
            SCOPED_TRACE(Narrow(text) + " " + language.name);
            EXPECT_EQ(Show(rt::ParseNumber(text)), Show(PlatformNumber(text, language.lcid)));
            EXPECT_EQ(Show(rt::Currency::FromText(text)), Show(PlatformCurrency(text, language.lcid)));
        }
    }
}

// VarCyFromR8 on the same values, and VarBstrFromCy on random amounts.
TEST(NumberOleaut, WritingAgreesWithVarBstrFromR8AndTheCurrencyConversions)
{
    std::mt19937_64 random(11);
    const std::vector<double> values = Values(random);
    for (const OleLocale& language : test::DotAndCommaLocales()) {
        rt::ScopedLocale scoped(language.locale);
        Tally tally(std::string("VarBstrFromR8, VarCyFromR8, VarBstrFromCy ") + language.name);
        for (const double value : values) {
            BSTR text = nullptr;
            ASSERT_EQ(VarBstrFromR8(value, language.lcid, 0, &text), S_OK);
            std::wstring theirs = test::TakeBstr(text);
            if (theirs.find(L'E') != std::wstring::npos)  // deliberate difference 5
                std::replace(theirs.begin(), theirs.end(), L'.', language.locale.decimalSeparator);
            const std::wstring ours = rt::GeneralText(value);
            if (std::fabs(value) >= 1.797693134862315e308) {  // deliberate difference 6
                EXPECT_NE(theirs.find(L"79769313486232E+308"), std::wstring::npos);
                EXPECT_EQ(std::fabs(rt::ParseNumber(ours).value_or(0)), 1.79769313486231e308);
            } else if (ours != theirs) {
                tally.Fail(Show(value) + ": ours " + Narrow(ours) + ", platform " + Narrow(theirs));
            }
            CY cy{};
            const HRESULT hr = VarCyFromR8(value, &cy);
            const auto cyTheirs = PlatformResult(hr, rt::Currency::FromScaled(cy.int64));
            const auto cyOurs = rt::Currency::FromDouble(value);
            if (cyOurs.ok() != cyTheirs.ok() || (cyOurs.ok() && *cyOurs != *cyTheirs))
                tally.Fail("currency of " + Show(value) + ": ours " + Show(cyOurs) + ", platform " + Show(cyTheirs));
            cy.int64 = static_cast<int64_t>(random() >> (random() % 64)) * (random() % 2 ? -1 : 1);
            ASSERT_EQ(VarBstrFromCy(cy, language.lcid, 0, &text), S_OK);
            const std::wstring cyText = test::TakeBstr(text);
            if (rt::Currency::FromScaled(cy.int64).ToText() != cyText)
                tally.Fail(std::to_string(cy.int64) + ": ours " + Narrow(rt::Currency::FromScaled(cy.int64).ToText()) +
                           ", platform " + Narrow(cyText));
            else
                tally.Same();
        }
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
    std::vector<double> values = Values(random);
    // Magnitudes a calculator shows (Wine garbles "#0.0#####" of values below about 1E-240).
    std::erase_if(values, [](double v) { return v != 0 && (std::fabs(v) > 1e25 || std::fabs(v) < 1e-30); });
    for (const OleLocale& language : test::DotAndCommaLocales()) {
        rt::ScopedLocale scoped(language.locale);
        Tally tally(std::string("VarFormat ") + language.name);
        for (const std::wstring pattern : {L"#,##0.00", L"#0.0#####", L"00", L"000"}) {
            for (const double value : values) {
                VARIANT v;
                VariantInit(&v);
                v.vt = VT_R8;
                v.dblVal = value;
                const auto theirs = test::OleFormat(v, pattern, language.lcid);
                ASSERT_TRUE(theirs.has_value());
                const std::wstring ours = rt::FormatNumber(value, pattern);
                if (ours == *theirs)
                    tally.Same();
                else if (language.locale.decimalSeparator != L'.' && rt::GeneralText(value).find(L'E') != ours.npos)
                    tally.Note("exponent-form values in a \",\" locale");
                else if (IsDeliberateFormatDifference(ours, *theirs))
                    tally.Note("negative zero, or \"00\" of a half");
                else
                    tally.Fail(Narrow(pattern) + " " + Show(value) + ": ours " + Narrow(ours) + ", platform " +
                               Narrow(*theirs));
            }
        }
        EXPECT_GT(tally.Count("same"), 20000);
    }
}

}  // namespace
