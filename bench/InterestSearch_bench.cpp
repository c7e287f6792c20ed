// The interest tool's searches at their largest: a 250-installment rate search, a 250-installment
// installment search on 10,000,000.00 and a cash check of 1,000,000,000.00 at 2 % over 730 days, each in the
// fast mode the window uses. Counters: the computations of the objective (one yield each in the window).
#include "runtime/Locale.h"
#include "runtime/NumberText.h"
#include "tools/Installments.h"
#include "tools/Savings.h"
#include "tools/StepSearch.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

class PassObserver : public tools::SearchObserver {
public:
    bool Step(const std::wstring&) override { return true; }
};

void RateSearch250(benchmark::State& state)
{
    // 10,000,000.00 in 250 installments of 60,000.00, the first after 30 days.
    const tools::LoanFields fields{L"10,000,000.00", L"60,000.00", L"250", L"30", tools::kRateSearchStart};
    long computations = 0;
    for (auto _ : state) {
        PassObserver observer;
        const tools::SearchOutcome outcome = tools::SearchRate(fields, observer);
        benchmark::DoNotOptimize(outcome.text);
        computations = outcome.computations;
    }
    state.counters["computations"] = static_cast<double>(computations);
}
BENCHMARK(RateSearch250)->Unit(benchmark::kMillisecond);

void InstallmentSearch250(benchmark::State& state)
{
    tools::LoanFields fields{L"10,000,000.00", L"", L"250", L"30", L"2"};
    fields.installment = tools::FirstInstallmentGuess(fields.initialValue, fields.count);
    long computations = 0;
    for (auto _ : state) {
        PassObserver observer;
        const tools::SearchOutcome outcome = tools::SearchInstallment(fields, observer);
        benchmark::DoNotOptimize(outcome.text);
        computations = outcome.computations;
    }
    state.counters["computations"] = static_cast<double>(computations);
}
BENCHMARK(InstallmentSearch250)->Unit(benchmark::kMillisecond);

void CashCheckBillion(benchmark::State& state)
{
    long computations = 0;
    for (auto _ : state) {
        PassObserver observer;
        const tools::CashCheckOutcome outcome = tools::SearchCashCheck(L"1000000000", L"2", L"730", observer);
        benchmark::DoNotOptimize(outcome.net);
        computations = outcome.computations;
    }
    state.counters["computations"] = static_cast<double>(computations);
}
BENCHMARK(CashCheckBillion)->Unit(benchmark::kMillisecond);

// A walk that never ends runs into the step limit one step at a time: 100,000.00 in two installments of
// 100.00 drive the rate below -100 % for good.
void EndlessRateSearch(benchmark::State& state)
{
    const tools::LoanFields fields{L"100,000.00", L"100.00", L"2", L"30", tools::kRateSearchStart};
    long computations = 0;
    for (auto _ : state) {
        PassObserver observer;
        const tools::SearchOutcome outcome = tools::SearchRate(fields, observer);
        benchmark::DoNotOptimize(outcome.text);
        computations = outcome.end == tools::SearchEnd::Failed ? outcome.computations : -1;
    }
    state.counters["computations"] = static_cast<double>(computations);
}
BENCHMARK(EndlessRateSearch)->Unit(benchmark::kMillisecond)->Iterations(3);

// One balance of 250 periods: the cost of every step of the stepped walk.
void Balance250(benchmark::State& state)
{
    const tools::LoanFields fields{L"10,000,000.00", L"60,000.00", L"250", L"45", L"2.922855"};
    for (auto _ : state)
        benchmark::DoNotOptimize(tools::LoanBalance(fields));
}
BENCHMARK(Balance250)->Unit(benchmark::kMicrosecond);

}  // namespace
