// The conversions the interest searches run millions of times: text to double, double to its general
// text, the money format, and a double to currency.
#include "runtime/Currency.h"
#include "runtime/Format.h"
#include "runtime/NumberText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

const std::array<std::wstring, 4> kTexts = {L"1,234.57", L"0.666666666666667", L"-2.5E-07", L"123456789012345"};
const std::array<double, 4> kValues = {1234.57, 2.0 / 3.0, -2.5e-7, 123456789.0125};

void ParseNumber(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::ParseNumber(kTexts[i++ % kTexts.size()]));
}
BENCHMARK(ParseNumber);

void GeneralText(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::GeneralText(kValues[i++ % kValues.size()]));
}
BENCHMARK(GeneralText);

void FormatMoneyPattern(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::FormatNumber(kValues[i++ % kValues.size()], L"#,##0.00"));
}
BENCHMARK(FormatMoneyPattern);

void CurrencyFromDouble(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(rt::Currency::FromDouble(kValues[i++ % kValues.size()]));
}
BENCHMARK(CurrencyFromDouble);

}  // namespace
