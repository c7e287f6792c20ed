#pragma once
// The compound rule of three without its window: which keys a number box takes, when a row is open, and the
// calculation of the unknown as the quotient of two products, each described row asked whether it is direct
// or inverse. Numbers are the texts of the boxes, read with the locale's rules.
#include "runtime/ValueError.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tools {

inline constexpr int kRuleRows = 6;

// The relation of a row to the unknown, as its marker shows it. None: not asked yet, or the unknown's row.
enum class Relation { None, Direct, Inverse };

// The user's answer to "does the unknown grow when this quantity grows?".
enum class RelationAnswer { Direct, Inverse, Cancel };

// One row as its boxes hold it.
struct RuleRow {
    std::wstring baseValue;    // known case: value
    std::wstring description;  // known case: description
    std::wstring findValue;    // case to find: value (in the unknown's row, the result)
    bool findEnabled = false;
    Relation relation = Relation::None;
};

using RuleRows = std::array<RuleRow, kRuleRows>;

// The key rule of the number boxes for one typed character: a second decimal separator ("." or ",") is
// dropped, a first one becomes `separator`; digits and Backspace pass; everything else is dropped (0).
int FilterNumberKey(int keyAscii, std::wstring_view boxText, wchar_t separator);

// What a change of a row's description does. A base value that is not a number is emptied first; the row is
// closed when its value is a number that is 0 or its description is empty, open otherwise (also while the
// value is still empty).
struct RowOpening {
    bool emptyBaseValue = false;
    bool open = false;
};
RowOpening OpenRow(std::wstring_view baseValue, std::wstring_view description);

// The quotient as the result box shows it: through the currency type (four decimals, halves to even), the
// locale's separator, no trailing zeros. A divisor of 0 gives DivisionByZero, a quotient beyond the currency
// range (or not finite) Overflow.
rt::Result<std::wstring> QuotientText(double dividend, double divisor);

// What the calculation asks of its window while it runs. Markers and the emptied unknown are set as the
// calculation goes, so a Cancel leaves them as far as it came.
class RuleOfThreeHost {
public:
    virtual ~RuleOfThreeHost() = default;
    virtual RelationAnswer AskRelation(int row, int unknown) = 0;
    virtual void SetRelation(int row, Relation relation) = 0;
    virtual void ClearUnknownValue(int unknown) = 0;
};

// Which box a refusal points the user to.
enum class RuleBox { BaseValue, FindValue };
struct RuleFocus {
    RuleBox box;
    int row;
    friend bool operator==(const RuleFocus&, const RuleFocus&) = default;
};

struct RuleOutcome {
    enum class Kind {
        Calculated,  // resultText goes into the unknown's find box
        Refused,     // nothing asked: show `message`, then focus
        Aborted,     // Cancel on a question, or no quotient: show `message`; no calculated state
    };
    Kind kind = Kind::Refused;
    int message = 0;
    std::optional<RuleFocus> focus;
    int unknown = -1;
    std::wstring resultText;
};

// Message numbers of the outcomes.
inline constexpr int kMsgBaseMissing = 197;
inline constexpr int kMsgOnlyTheUnknown = 199;
inline constexpr int kMsgTooFewRows = 200;
inline constexpr int kMsgNoUnknown = 201;
inline constexpr int kMsgRelationQuestion = 206;
inline constexpr int kMsgAborted = 30;

// Runs the calculation. `answered` reuses the rows' relations without a question (a result was computed
// since the unknown was chosen). Closed rows (base value 0) take no part; a described row whose base value
// is not a number is refused like an undefined find value.
RuleOutcome CalculateRuleOfThree(const RuleRows& rows, std::optional<int> unknown, bool answered,
                                 RuleOfThreeHost& host);

}  // namespace tools
