// The whole accompaniment entry point as the editor calls it: converting the
// chart dictionary, generating drums, piano and bass, and writing the file.
#include <benchmark/benchmark.h>

#include "bridge/internal/chart_conversion.h"
#include "bridge/generation.h"
#include "bridge/my_constants.h"
#include "core/generate/zub2lite.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"

namespace {

// An AABA-like progression of ii-V-Is and turnarounds, `bars` bars long, with a
// section mark every 8 bars, played `repeats` times.
zub::Chart standard(int bars, int repeats) {
    const std::vector<zub::Chart::Bar> cycle = {
        {{"Cm7", 4}}, {{"F7", 4}},  {{"BbMaj7", 4}}, {{"EbMaj7", 4}},
        {{"Am7b5", 4}}, {{"D7", 4}}, {{"Gm7", 2}, {"C7", 2}}, {{"Fm7", 2}, {"Bb7", 2}}};
    std::vector<zub::Chart::Bar> chart_bars;
    std::vector<zub::Chart::Section> sections;
    for (int k = 0; k < bars; ++k) {
        chart_bars.push_back(cycle[static_cast<std::size_t>(k) % cycle.size()]);
        if (k % 8 == 0) sections.push_back({k + 1, static_cast<char>(k / 8 % 2 == 0 ? 'A' : 'B')});
    }
    return zub::Chart("Bench", {4, 1}, "Bb", 160, chart_bars, {1, bars, repeats}, sections);
}

void BM_Zub2liteGen(benchmark::State& state) {
    zub::start_core();
    zub::Zub2lite::init_random_with(42);
    const zub::Plist& font = zub::MyConstants::shared().newDocumentChartTemplate().at("Font");
    const zub::Plist chart = zub::dictionaryFromCoreChart(
        zub::Chart_value::of_chart(standard(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))),
        font);
    for (auto _ : state) benchmark::DoNotOptimize(zub::Entry_points::zub2lite_gen(chart));
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
// A 32-bar standard played three times, and a 1,024-bar chart.
BENCHMARK(BM_Zub2liteGen)->Args({32, 3})->Args({1024, 1})->Unit(benchmark::kMillisecond);

}  // namespace
