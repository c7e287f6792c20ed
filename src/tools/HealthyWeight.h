#pragma once
// The healthy-weight tool without its window: the height and weight checks, the five weight limits of a
// height, the verdict with its advice, the gauge's layout and arrow, and the block written to the tape.
// Numbers are the texts of the boxes, read with the current locale's rules; the limits are the money-format
// texts the window shows, and every comparison reads those texts back, so a weight equal to a shown limit
// counts as on that limit.
#include <optional>
#include <string>
#include <string_view>

namespace tools {

enum class Sex { Woman, Man };

// The five limits as shown, top to bottom.
struct WeightLimits {
    std::wstring thin;        // below it: thin
    std::wstring medium;      // the ideal weight
    std::wstring overweight;  // above it: overweight
    std::wstring fat;         // above it: fat
    std::wstring obese;       // above it: obese
};

enum class WeightClass { Thin, Normal, Overweight, Fat, Obese };

struct Verdict {
    WeightClass weightClass = WeightClass::Normal;
    std::wstring word;    // what follows "Result = " in the frame's caption: "NORMAL", "THIN", "FAT"...
    std::wstring advice;  // the result label's text, its lines broken by a lone CR
};

// The coloured zones of the gauge, in twips, which differ between the sexes.
struct GaugeLayout {
    int minWidth;   // thin zone
    int tol1Left;   // first tolerance mark
    int tol2Width;  // second tolerance mark
    int tol2Left;
    int maxLeft;  // obese zone
    int maxWidth;
};

// The arrow's Left is pinned to this range, so that it stays on the gauge.
inline constexpr float kArrowMinLeft = -90.0f;
inline constexpr float kArrowMaxLeft = 3210.0f;

// The centimetre step: a height whose money-format value is above 100 was typed in centimetres and becomes
// its value / 100 as a general number text ("175" gives "1.75"); nullopt leaves the text as it is (100 too).
std::optional<std::wstring> MetresFromCentimetres(std::wstring_view heightText);

// A height of 1 to 3 metres, a weight of 20 to 300 kg, judged on the text's money-format value (so "3.004"
// counts as 3.00 and "19.995" as 20.00); a text that is not a number counts as 0.
bool IsValidHeight(std::wstring_view heightText);
bool IsValidWeight(std::wstring_view weightText);

// The limits of a height: (height x height) x the sex's factor, in money format; nullopt when the height is
// not a number.
std::optional<WeightLimits> LimitsFor(std::wstring_view heightText, Sex sex);

// The arrow's Left in twips: twice the weight's share of 1500 twips per medium weight, less 1440 (the medium
// weight itself gives 1560, the design place), pinned to kArrowMinLeft..kArrowMaxLeft. nullopt when a text
// is not a number or the medium weight is 0.
std::optional<float> ArrowLeft(std::wstring_view weightText, std::wstring_view mediumText);

// The weight against the shown limits. Above the overweight limit the advice is the distance to that limit
// whatever the class (fat and obese too); below the thin limit, the distance to it. nullopt when a text is
// not a number.
std::optional<Verdict> Judge(std::wstring_view weightText, const WeightLimits& limits);

// The block the window appends to the tape when it closes after a verdict, each line ending in CR LF: nine
// lines, or twelve with the medium weight and the optional advice when the weight is normal. nullopt when the
// weight or a limit is not a number.
std::optional<std::wstring> TapeBlock(Sex sex, std::wstring_view heightText, std::wstring_view weightText,
                                      const WeightLimits& limits);

GaugeLayout GaugeFor(Sex sex);

// The key rule of the height and weight boxes for one typed character: a second decimal separator ("." or
// ",") is dropped, a first one becomes `separator`; digits and Backspace pass; every other key is dropped (0).
int FilterWeightKey(int keyAscii, std::wstring_view boxText, wchar_t separator);

}  // namespace tools
