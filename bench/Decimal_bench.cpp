#include "runtime/Decimal.h"

#include "runtime/Locale.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

using rt::Decimal;

// Operands like those of a running total: amounts with a few decimals, quotients with 28 digits.
const std::array<Decimal, 4> kOperands = {
    Decimal::FromText(L"1234.56").value(), Decimal::FromText(L"0.3333333333333333333333333333").value(),
    Decimal::FromText(L"-98765432109876.5432").value(), Decimal::FromText(L"7").value()};

template <class F>
void Binary(benchmark::State& state, F op)
{
    size_t i = 0;
    for (auto _ : state) {
        const Decimal& a = kOperands[i % kOperands.size()];
        const Decimal& b = kOperands[(i + 1) % kOperands.size()];
        benchmark::DoNotOptimize(op(a, b));
        ++i;
    }
}

void BM_DecimalAdd(benchmark::State& state)
{
    Binary(state, [](const Decimal& a, const Decimal& b) { return a.Add(b); });
}

void BM_DecimalMul(benchmark::State& state)
{
    Binary(state, [](const Decimal& a, const Decimal& b) { return a.Mul(b); });
}

void BM_DecimalDiv(benchmark::State& state)
{
    Binary(state, [](const Decimal& a, const Decimal& b) { return a.Div(b); });
}

void BM_DecimalFromText(benchmark::State& state)
{
    const std::array<std::wstring, 3> texts = {L"1,234.56", L"0.3333333333333333333333333333", L"-98765432109876.5432"};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Decimal::FromText(texts[i++ % texts.size()]));
}

void BM_DecimalToText(benchmark::State& state)
{
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(kOperands[i++ % kOperands.size()].ToText());
}

void BM_DecimalFromDouble(benchmark::State& state)
{
    const std::array<double, 3> values = {0.1, 2.0 / 3, 12345.678901234};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Decimal::FromDouble(values[i++ % values.size()]));
}

BENCHMARK(BM_DecimalAdd);
BENCHMARK(BM_DecimalMul);
BENCHMARK(BM_DecimalDiv);
BENCHMARK(BM_DecimalFromText);
BENCHMARK(BM_DecimalToText);
BENCHMARK(BM_DecimalFromDouble);

}  // namespace
