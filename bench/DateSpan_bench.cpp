// The date tool's work per click and per keystroke: the widest span (1 January 100 to 31 December 9999)
// split from the years button with its leap-year walk, and the mask, date parse and weekday of one typed
// digit.
#include "runtime/Date.h"
#include "runtime/Locale.h"
#include "tools/DateMask.h"
#include "tools/DateSpan.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

// Plain fields: no window behind them.
class Fields : public tools::DateFields {
public:
    std::wstring DateText(int index) const override { return dates[index]; }
    void SetDateText(int index, const std::wstring& text) override { dates[index] = text; }
    std::wstring UnitText(tools::DateUnit unit) const override { return units[static_cast<size_t>(unit)]; }
    void SetUnitText(tools::DateUnit unit, const std::wstring& text) override
    {
        units[static_cast<size_t>(unit)] = text;
    }
    bool UnitTicked(tools::DateUnit) const override { return true; }
    void SetLeapDays(const std::wstring& caption) override { leapDays = caption; }

    std::wstring dates[2];
    std::array<std::wstring, tools::kDateUnitCount> units;
    std::wstring leapDays;
};

void WidestSpan(benchmark::State& state)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    Fields fields;
    for (auto _ : state) {
        fields.dates[0] = L"01/01/0100";
        fields.dates[1] = L"31/12/9999";
        fields.units = {};
        benchmark::DoNotOptimize(tools::CalculateSpan(fields, tools::SpanButton::Years, L"dd/mm/yyyy"));
    }
    if (fields.leapDays != L"2400")
        state.SkipWithError("wrong leap-day count");
}
BENCHMARK(WidestSpan)->Unit(benchmark::kMicrosecond);

void LeapWalkWidest(benchmark::State& state)
{
    const rt::Date first = *rt::Date::FromYmd(100, 1, 1);
    const rt::Date last = *rt::Date::FromYmd(9999, 12, 31);
    for (auto _ : state)
        benchmark::DoNotOptimize(tools::LeapDaysInSpan(first, last));
}
BENCHMARK(LeapWalkWidest)->Unit(benchmark::kMicrosecond);

// One digit typed over a date: the key-down selection, the change with its separator step, then the
// parse and the weekday name the field shows.
void TypedDigit(benchmark::State& state)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    const tools::DateMask mask(L'/');
    std::wstring text = L"15/03/2021";
    for (auto _ : state) {
        const auto selection = mask.BeforeKey(text, {1, 0}, '5');
        text[static_cast<size_t>(selection->start)] = L'5';
        const tools::DateMask::Edit edit = mask.AfterChange(text, selection->start + 1);
        std::wstring weekday;
        if (const auto date = rt::Date::Parse(edit.text))
            weekday = date->Format(L"dddd");
        benchmark::DoNotOptimize(weekday);
        text = edit.text;
    }
}
BENCHMARK(TypedDigit)->Unit(benchmark::kNanosecond);

}  // namespace
