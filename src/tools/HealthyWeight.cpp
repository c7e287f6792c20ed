#include "tools/HealthyWeight.h"

#include "runtime/Decimal.h"
#include "runtime/Format.h"
#include "runtime/NumberText.h"

namespace tools {

namespace {

constexpr wchar_t kRule[] = L" -------------------------\r\n";
constexpr wchar_t kClose[] = L" =========================\r\n";
constexpr wchar_t kToNormal[] = L"to enter in normal weight";

// The factors of the National Health and Nutrition Examination Survey, per square metre.
struct Factors {
    double thin, medium, overweight, fat, obese;
};
constexpr Factors kManFactors{20.7, 23.55, 26.4, 27.8, 31.1};
constexpr Factors kWomanFactors{18.5, 21.75, 25.0, 27.0, 32.0};

// The value the money format shows for a text, read back: what the window's checks compare. The money
// format always reads back; a text that is not a number shows "0.00".
double ShownValue(std::wstring_view text)
{
    return rt::ParseNumber(rt::FormatMoney(text)).value_or(0.0);
}

std::optional<rt::Decimal> DecimalOf(std::wstring_view text)
{
    const rt::Result<rt::Decimal> value = rt::Decimal::FromText(text);
    return value ? std::optional(*value) : std::nullopt;
}

// The money format of a - b; both come from texts of a few digits, so the difference is exact.
std::wstring Distance(const rt::Decimal& a, const rt::Decimal& b)
{
    const rt::Result<rt::Decimal> difference = a.Sub(b);
    return difference ? rt::FormatMoney(difference->ToDouble()) : std::wstring(L"0.00");
}

// The limits and the weight as decimals, read from the texts the window shows.
struct Numbers {
    rt::Decimal weight, thin, medium, overweight, fat, obese;
};

std::optional<Numbers> ReadNumbers(std::wstring_view weightText, const WeightLimits& limits)
{
    const auto weight = DecimalOf(weightText);
    const auto thin = DecimalOf(limits.thin);
    const auto medium = DecimalOf(limits.medium);
    const auto overweight = DecimalOf(limits.overweight);
    const auto fat = DecimalOf(limits.fat);
    const auto obese = DecimalOf(limits.obese);
    if (!weight || !thin || !medium || !overweight || !fat || !obese)
        return std::nullopt;
    return Numbers{*weight, *thin, *medium, *overweight, *fat, *obese};
}

}  // namespace

std::optional<std::wstring> MetresFromCentimetres(std::wstring_view heightText)
{
    if (ShownValue(heightText) <= 100.0)
        return std::nullopt;
    const rt::Result<double> height = rt::ParseNumber(heightText);
    if (!height)
        return std::nullopt;
    return rt::GeneralText(*height / 100.0);
}

bool IsValidHeight(std::wstring_view heightText)
{
    const double height = ShownValue(heightText);
    return height >= 1.0 && height <= 3.0;
}

bool IsValidWeight(std::wstring_view weightText)
{
    const double weight = ShownValue(weightText);
    return weight >= 20.0 && weight <= 300.0;
}

std::optional<WeightLimits> LimitsFor(std::wstring_view heightText, Sex sex)
{
    const rt::Result<double> height = rt::ParseNumber(heightText);
    if (!height)
        return std::nullopt;
    const Factors& f = sex == Sex::Man ? kManFactors : kWomanFactors;
    const double square = *height * *height;
    const auto limit = [square](double factor) { return rt::FormatMoney(square * factor); };
    return WeightLimits{limit(f.thin), limit(f.medium), limit(f.overweight), limit(f.fat), limit(f.obese)};
}

std::optional<float> ArrowLeft(std::wstring_view weightText, std::wstring_view mediumText)
{
    const rt::Result<double> medium = rt::ParseNumber(mediumText);
    const rt::Result<double> weight = rt::ParseNumber(weightText);
    if (!medium || !weight || *medium == 0.0)
        return std::nullopt;
    const double twipsPerKg = 1500.0 / *medium;
    const double left = (*weight * twipsPerKg - 1500.0) + *weight * twipsPerKg + 60.0;
    if (left < kArrowMinLeft)
        return kArrowMinLeft;
    if (left > kArrowMaxLeft)
        return kArrowMaxLeft;
    return static_cast<float>(left);
}

std::optional<Verdict> Judge(std::wstring_view weightText, const WeightLimits& limits)
{
    const std::optional<Numbers> n = ReadNumbers(weightText, limits);
    if (!n)
        return std::nullopt;
    Verdict verdict;
    if (n->weight > n->overweight) {
        if (n->weight > n->obese) {
            verdict.weightClass = WeightClass::Obese;
            verdict.word = L"OBESE";
        } else if (n->weight > n->fat) {
            verdict.weightClass = WeightClass::Fat;
            verdict.word = L"FAT";
        } else {
            verdict.weightClass = WeightClass::Overweight;
            verdict.word = L"OVERWEIGHT";
        }
        verdict.advice = L"\rLose\r" + Distance(n->weight, n->overweight) + L" Kg\r" + kToNormal;
    } else if (n->weight < n->thin) {
        verdict.weightClass = WeightClass::Thin;
        verdict.word = L"THIN";
        verdict.advice = L"\rGain\r" + Distance(n->thin, n->weight) + L" Kg\r" + kToNormal;
    } else {
        verdict.weightClass = WeightClass::Normal;
        verdict.word = L"NORMAL";
        verdict.advice = L"\rYou are in your NORMAL Weight";
    }
    return verdict;
}

std::optional<std::wstring> TapeBlock(Sex sex, std::wstring_view heightText, std::wstring_view weightText,
                                      const WeightLimits& limits)
{
    const std::optional<Numbers> n = ReadNumbers(weightText, limits);
    if (!n)
        return std::nullopt;
    std::wstring result;
    if (n->weight < n->thin)
        result = L"Gain " + Distance(n->thin, n->weight) + L"Kg";
    else if (n->weight > n->overweight)
        result = L"Lose " + Distance(n->weight, n->overweight) + L"Kg";
    else
        result = L"NORMAL Weight";

    std::wstring block = kRule;
    block += L" WEIGHT CALC. - ";
    block += sex == Sex::Man ? L"(Man)\r\n" : L"(Woman)\r\n";
    block += L" Your Height  = " + std::wstring(heightText) + L"m\r\n";
    block += L" Your Weight  = " + std::wstring(weightText) + L"Kg\r\n";
    block += kRule;
    block += L" Min. Weight  = " + limits.thin + L"Kg\r\n";
    block += L" Max. Weight  = " + limits.overweight + L"Kg\r\n";
    block += L" Result = " + result + L"\r\n";
    if (result == L"NORMAL Weight") {
        // At exactly the medium weight the option reads "Lose 0.00Kg".
        const std::wstring optional = n->weight < n->medium ? L"Gain " + Distance(n->medium, n->weight) + L"Kg"
                                                            : L"Lose " + Distance(n->weight, n->medium) + L"Kg";
        block += kRule;
        block += L" Medium Weight = " + limits.medium + L"Kg\r\n";
        block += L" Optional = " + optional + L"\r\n";
    }
    block += kClose;
    return block;
}

GaugeLayout GaugeFor(Sex sex)
{
    if (sex == Sex::Man)
        return {
            .minWidth = 1300, .tol1Left = 1180, .tol2Width = 200, .tol2Left = 2120, .maxLeft = 2120, .maxWidth = 1305};
    return {.minWidth = 1200, .tol1Left = 1080, .tol2Width = 255, .tol2Left = 2220, .maxLeft = 2220, .maxWidth = 1200};
}

int FilterWeightKey(int keyAscii, std::wstring_view boxText, wchar_t separator)
{
    const bool isSeparatorKey = keyAscii == '.' || keyAscii == ',';
    if (isSeparatorKey)
        return boxText.find(separator) != std::wstring_view::npos ? 0 : (separator == L',' ? ',' : '.');
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8)
        return keyAscii;
    return 0;
}

}  // namespace tools
