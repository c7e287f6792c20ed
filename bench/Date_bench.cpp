// Reading and writing short dates: the date tool parses on every keystroke and formats every result.
#include "runtime/Date.h"
#include "runtime/Locale.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void DateParse(benchmark::State& state)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    const std::vector<std::wstring> texts = {L"15/03/2021", L"29/02/2024", L"31/04/2020", L" 1-2-99 ", L"12/05/20  "};
    size_t i = 0;
    for (auto _ : state) {
        auto date = rt::Date::Parse(texts[i++ % texts.size()]);
        benchmark::DoNotOptimize(date);
    }
}
BENCHMARK(DateParse);

void DateFormatShort(benchmark::State& state)
{
    rt::ScopedLocale locale(rt::Locale::PortugueseBR());
    const rt::Date date = *rt::Date::FromYmd(2021, 3, 15);
    for (auto _ : state) {
        std::wstring text = date.Format(L"dd/mm/yyyy");
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(DateFormatShort);

}  // namespace
