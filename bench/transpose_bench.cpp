// Transposing a long chart in the core: the target is under 2 ms for 1,024 bars.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "core/charts/transpose.h"

namespace {

// A chart of 1,024 bars in Bb, two chords a bar, with altered, slash and chromatic chords.
zub::Chart long_chart() {
    const std::array<const char*, 16> symbols = {"Cm7",  "F7",     "BbMaj7", "EbMaj7", "Am7b5", "D7b9", "Gm",    "C#7",
                                                 "F#m7b5/C", "Bdim7", "Ab7#11", "Db7",   "Gb/Bb", "B7#9", "E7sus", "Abm6"};
    std::vector<zub::Chart::Bar> bars(1024);
    for (std::size_t k = 0; k < bars.size(); ++k)
        bars[k] = {{symbols[(2 * k) % symbols.size()], 2}, {symbols[(2 * k + 1) % symbols.size()], 2}};
    return zub::Chart("Long", {4, 1}, "Bb", 160, std::move(bars), {1, 1024, 1}, {{1, 'A'}});
}

void BM_TransposeChart1024Bars(benchmark::State& state) {
    const zub::Chart chart = long_chart();
    const zub::Key to = zub::Key::of_string("E");
    for (auto _ : state) benchmark::DoNotOptimize(zub::Transpose::chart(chart, to));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * chart.bars().size()));
}
BENCHMARK(BM_TransposeChart1024Bars)->Unit(benchmark::kMillisecond);

// The same chart with a key center every four bars, each area moving to its own written key.
void BM_TransposeChart1024BarsByKeyCenters(benchmark::State& state) {
    const zub::Chart chart = long_chart();
    const std::array<const char*, 8> keys = {"Bb", "Gm", "Eb", "Cm", "Ab", "Db", "F#m", "B"};
    std::vector<zub::Key_center_entry> centers;
    for (std::size_t k = 0; k < chart.bars().size() / 4; ++k) centers.emplace_back(keys[k % keys.size()], 16);
    const zub::Key to = zub::Key::of_string("E");
    for (auto _ : state) benchmark::DoNotOptimize(zub::Transpose::chart(chart, to, centers));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * chart.bars().size()));
}
BENCHMARK(BM_TransposeChart1024BarsByKeyCenters)->Unit(benchmark::kMillisecond);

}  // namespace
