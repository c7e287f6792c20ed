#include "tools/StepSearch.h"

#include "runtime/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace tools {

namespace {

using Wide = __int128;

constexpr Wide kDigitLimit = 1'000'000'000'000'000;  // 10^15: the general text keeps 15 significant digits
constexpr int kMaxShift = 20;                        // beyond it the walk is too coarse or too fine to jump
constexpr uint64_t kMaxStride = uint64_t{1} << 50;

Wide Pow10(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

Wide FloorDiv(Wide a, Wide b)  // b > 0
{
    Wide q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}

double FromScientific(int64_t mantissa, int exponent)
{
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The exact decimal that the general text of `value` shows: mantissa x 10^exponent.
bool Decompose(double value, Wide& mantissa, int& exponent)
{
    if (!std::isfinite(value))
        return false;
    const rt::SignificantDigits d = rt::RoundToSignificant(value, 15);
    Wide m = 0;
    for (int i = 0; i < d.count; ++i)
        m = m * 10 + (d.digits[i] - '0');
    mantissa = d.negative ? -m : m;
    exponent = d.exponent - (d.count - 1);
    return true;
}

// How many steps from `value` (a value whose text is its general text) are exact decimal sums: each step's
// text is then value + j x step, so any of them can be computed without walking the ones before. A step
// gives the exact sum D when D has at most 15 significant digits and is at least twice the step away from
// zero: the double sum is then off by at most 3 units of 2^-53 of |D|, less than half a unit of D's 15th
// digit, so the general text rounds back to D.
uint64_t ExactRun(double value, const WalkStep& step, uint64_t limit)
{
    Wide m = 0;
    int e = 0;
    if (step.mantissa == 0 || !Decompose(value, m, e))
        return 0;
    const int q = std::min(e, step.exponent);
    if (e - q > kMaxShift || step.exponent - q > kMaxShift)
        return 0;
    m *= Pow10(e - q);
    const Wide s = Wide{step.mantissa} * Pow10(step.exponent - q);
    const Wide absS = s < 0 ? -s : s;
    const Wide t = s < 0 ? -m : m;  // the value measured in the step's direction
    Wide last = 0;
    if (t + absS >= 2 * absS) {
        // Moving away from zero: until the 16th digit is needed.
        last = FloorDiv(kDigitLimit - 1 - t, absS);
    } else if (t + absS <= -2 * absS) {
        // Moving toward zero: until twice the step from it.
        if (-(t + absS) >= kDigitLimit)
            return 0;
        last = FloorDiv(-2 * absS - t, absS);
    } else {
        return 0;
    }
    if (last < 1)
        return 0;
    return last < static_cast<Wide>(limit) ? static_cast<uint64_t>(last) : limit;
}

WalkValue JumpExactly(double value, const WalkStep& step, uint64_t count)
{
    Wide m = 0;
    int e = 0;
    Decompose(value, m, e);
    const int q = std::min(e, step.exponent);
    const Wide sum = m * Pow10(e - q) + Wide{step.mantissa} * Pow10(step.exponent - q) * static_cast<Wide>(count);
    const double exact = FromScientific(static_cast<int64_t>(sum), q);
    return {rt::GeneralText(exact), exact, false};
}

WalkValue StepOnce(const WalkValue& from, const WalkStep& step)
{
    return ReadWalkValue(rt::GeneralText(from.value + step.Value()));
}

WalkValue AdvanceBy(const WalkValue& from, const WalkStep& step, uint64_t count, bool exactJumps, bool* stalled)
{
    if (stalled)
        *stalled = false;
    WalkValue at = from;
    // Only a value that shows its own general text is an exact decimal the jumps can start from; the first
    // step of a search may start from a money-format text.
    bool canonical = !at.error && rt::GeneralText(at.value) == at.text;
    while (count > 0) {
        if (at.error) {
            if (stalled)
                *stalled = true;
            return at;
        }
        if (exactJumps && canonical) {
            if (const uint64_t run = ExactRun(at.value, step, count); run > 0) {
                at = JumpExactly(at.value, step, run);
                count -= run;
                continue;
            }
        }
        WalkValue next = StepOnce(at, step);
        if (next.text == at.text) {
            if (stalled)
                *stalled = true;
            return at;
        }
        at = std::move(next);
        canonical = true;
        --count;
    }
    return at;
}

int Sign(double x)
{
    return x > 0 ? 1 : x < 0 ? -1 : 0;
}

// Phase 0 walks while the objective is positive, phase 1 while it is negative, and so on.
int PhaseSign(size_t phase)
{
    return phase % 2 == 0 ? 1 : -1;
}

bool Matches(const Probe& probe, int want)
{
    return !probe.error && Sign(probe.objective) == want;
}

struct Point {
    WalkValue value;
    Probe probe;
};

enum class RunEnd { Found, Failed, Cancelled };

class Walker {
public:
    Walker(const Objective& objective, SearchObserver& observer, long maxComputations)
        : objective_(objective), observer_(observer), max_(maxComputations)
    {
    }

    // Computes the objective at `at`; Failed at the limit, Cancelled when the observer says so.
    RunEnd Compute(const WalkValue& at, Probe& probe)
    {
        if (count_ >= max_)
            return RunEnd::Failed;
        if (!observer_.Step(at.text))
            return RunEnd::Cancelled;
        ++count_;
        probe = at.error ? Probe{true, 0, false} : objective_(at);
        return RunEnd::Found;
    }

    // The walk from `base` (whose objective has the sign `want`) one step at a time: the next point.
    RunEnd StepRun(const Point& base, const WalkStep& step, Point& end)
    {
        bool stalled = false;
        end.value = AdvanceBy(base.value, step, 1, false, &stalled);
        if (stalled)
            return RunEnd::Failed;  // the value no longer moves: the same rule would hold for ever
        return Compute(end.value, end.probe);
    }

    // The first point of the run from `base` whose objective does not have the sign `want`, found with
    // doubling strides and bisection wherever the objective is known to be monotone between the points.
    RunEnd GallopRun(Point base, const WalkStep& step, int want, Point& end)
    {
        uint64_t stride = 1;
        for (;;) {
            bool stalled = false;
            Point next{AdvanceBy(base.value, step, stride, true, &stalled), {}};
            if (const RunEnd r = Compute(next.value, next.probe); r != RunEnd::Found)
                return r;
            const bool match = Matches(next.probe, want);
            if (stalled && match)
                return RunEnd::Failed;
            // The lower end of the stretch decides whether the objective is monotone over it.
            const bool monotone = (step.mantissa > 0 ? base.probe : next.probe).monotoneAbove;
            if (stride > 1 && !monotone) {
                stride = 1;  // the probe says nothing about the values between: walk them one by one
                continue;
            }
            if (match) {
                base = std::move(next);
                stride = monotone ? std::min(stride * 2, kMaxStride) : 1;
                continue;
            }
            // Every value from `lo` matches up to the one before `hi`, which does not.
            Point lo = std::move(base);
            Point hi = std::move(next);
            uint64_t span = stride;
            while (span > 1) {
                const uint64_t half = span / 2;
                Point mid{AdvanceBy(lo.value, step, half, true, nullptr), {}};
                if (const RunEnd r = Compute(mid.value, mid.probe); r != RunEnd::Found)
                    return r;
                if (Matches(mid.probe, want)) {
                    lo = std::move(mid);
                    span -= half;
                } else {
                    hi = std::move(mid);
                    span = half;
                }
            }
            end = std::move(hi);
            return RunEnd::Found;
        }
    }

    long Count() const { return count_; }

private:
    const Objective& objective_;
    SearchObserver& observer_;
    long max_;
    long count_ = 0;
};

}  // namespace

double WalkStep::Value() const
{
    return FromScientific(mantissa, exponent);
}

WalkValue ReadWalkValue(std::wstring text)
{
    const rt::Result<double> number = rt::ParseNumber(text);
    if (!number || !std::isfinite(*number))
        return {std::move(text), std::numeric_limits<double>::quiet_NaN(), true};
    return {std::move(text), *number, false};
}

std::optional<double> ThroughText(double value)
{
    // The digits the general text writes, read back without building the wide text: the balance of 250
    // periods does this 250 times per step.
    if (!std::isfinite(value))
        return std::nullopt;
    rt::SignificantDigits d = rt::RoundToSignificant(value, 15);
    if (d.exponent == 308 && std::string_view(d.digits, d.count) == "179769313486232")
        d.digits[14] = '1';  // as the general text keeps the largest doubles in range
    char text[40];
    char* p = text;
    if (d.negative)
        *p++ = '-';
    for (int i = 0; i < d.count; ++i)
        *p++ = d.digits[i];
    *p++ = 'e';
    p = std::to_chars(p, text + sizeof text, d.exponent - (d.count - 1)).ptr;
    double back = 0;
    std::from_chars(text, p, back);
    return back;
}

WalkValue Advance(const WalkValue& from, const WalkStep& step, uint64_t count, bool* stalled)
{
    return AdvanceBy(from, step, count, true, stalled);
}

WalkResult Walk(const WalkValue& start, std::span<const WalkStep> phases, const Objective& objective,
                SearchObserver& observer, WalkMode mode, long maxComputations)
{
    Walker walker(objective, observer, maxComputations);
    WalkResult result;
    const auto finish = [&](WalkEnd end, Point point) {
        result.end = end;
        result.value = std::move(point.value);
        result.last = point.probe;
        result.computations = walker.Count();
        return result;
    };
    const auto fromRun = [](RunEnd r) { return r == RunEnd::Cancelled ? WalkEnd::Cancelled : WalkEnd::Failed; };

    Point current{start, {}};
    if (const RunEnd r = walker.Compute(current.value, current.probe); r != RunEnd::Found)
        return finish(fromRun(r), std::move(current));
    size_t phase = 0;
    for (;;) {
        if (current.probe.error)
            return finish(WalkEnd::Failed, std::move(current));
        const int sign = Sign(current.probe.objective);
        if (sign == 0 || phases.empty())
            return finish(WalkEnd::Stopped, std::move(current));
        if (sign != PhaseSign(phase)) {
            if (phase + 1 >= phases.size())
                return finish(WalkEnd::Stopped, std::move(current));
            ++phase;
        }
        Point next;
        const RunEnd r = mode == WalkMode::Stepped ? walker.StepRun(current, phases[phase], next)
                                                   : walker.GallopRun(current, phases[phase], sign, next);
        if (r != RunEnd::Found)
            return finish(fromRun(r), std::move(current));
        current = std::move(next);
    }
}

}  // namespace tools
