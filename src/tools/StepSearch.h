#pragma once
// The stepped search shared by the interest tool's rate, installment and cash-check searches. A value is held
// as the text its field would show: every step adds the phase's step to the value, writes the general
// 15-digit text and reads it back. Phase 0 walks while the objective is positive, phase 1 while it is
// negative, and so on alternately, each with its own step; the search stops when the objective is zero, or
// when it turns in the last phase.
//
// Walking one step at a time can take millions of steps (one per 100 of distance in a cash check of a
// billion). The fast mode gives the same end as the single-step walk with far fewer computations: within a
// phase it jumps ahead by doubling strides and bisects the run's end, wherever the objective is known to be
// monotone, and it computes the texts of the values it jumps over exactly, without walking them.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace tools {

// Every search gives up (and fails) after this many computations of its objective. Ordinary searches take
// well under a hundred: the largest of the benchmark (250-installment rate and installment searches on
// 10,000,000.00, a cash check of 1,000,000,000.00 over 730 days, 3.6 million single steps) take 42, 41 and
// 52. Only walks that never end reach it: the rate driven below -100 % for good, one step at a time, costs
// about half a second at 250 installments.
inline constexpr long kMaxSearchSteps = 10000;

// A searched value: its text as the field holds it and the number that text reads as.
struct WalkValue {
    std::wstring text;
    double value = 0;
    bool error = false;  // the text does not read back as a number (the walk overflowed)
};

// One step of a phase, as an exact decimal: mantissa x 10^exponent (-10 is {-1, 1}, 0.01 is {1, -2}).
struct WalkStep {
    int64_t mantissa;
    int exponent;

    double Value() const;
};

// The outcome of the objective at one value.
struct Probe {
    bool error = false;    // the computation failed: the search fails
    double objective = 0;  // its sign picks the rule
    // The objective is monotone on every value at or above this one. Jumps are made only across values
    // known to be monotone; a search whose objective is monotone everywhere says so at every value.
    bool monotoneAbove = false;
};

// What a search asks of its window at every step.
class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    // Called once per computation, just before it, with the text the searched field holds then. Yields to
    // the message loop; false cancels the search.
    virtual bool Step(const std::wstring& fieldText) = 0;
};

enum class WalkMode {
    Fast,     // jumps over monotone runs
    Stepped,  // one computation per step, as the plain walk does (tests compare the two)
};

enum class WalkEnd {
    Stopped,    // no rule holds: `last` is the objective at `value`
    Failed,     // an error, a walk that cannot move, or the step limit
    Cancelled,  // the observer cancelled
};

struct WalkResult {
    WalkEnd end = WalkEnd::Failed;
    WalkValue value;
    Probe last;
    long computations = 0;
};

using Objective = std::function<Probe(const WalkValue&)>;

// The number a field holds after `value` is written as its general text and read back; nothing when the
// value is an infinity or NaN (the text would not read back).
std::optional<double> ThroughText(double value);

// The value read from a text: the text kept as it is, its number with the locale's rules.
WalkValue ReadWalkValue(std::wstring text);

// The value `count` single steps after `from`; `stalled` is set when the walk stopped moving on the way (its
// text no longer changes), and then the value is where it stopped.
WalkValue Advance(const WalkValue& from, const WalkStep& step, uint64_t count, bool* stalled = nullptr);

// Runs the search from `start` with one step per phase, phase 0 first.
WalkResult Walk(const WalkValue& start, std::span<const WalkStep> phases, const Objective& objective,
                SearchObserver& observer, WalkMode mode = WalkMode::Fast, long maxComputations = kMaxSearchSteps);

}  // namespace tools
