// The whole accompaniment entry point as the editor calls it: converting the
// chart dictionary, generating drums, piano and bass, and writing the file,
// in each of the three styles.
#include <benchmark/benchmark.h>

#include "bridge/internal/chart_conversion.h"
#include "bridge/generation.h"
#include "bridge/my_constants.h"
#include "core/generate/zub2lite.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"

namespace {

// The styles by (meter, style code): swing, jazz waltz, bossa nova, ballad,
// two-feel, even eighths, Latin, funk, shuffle, swing in 5/4, even eighths in 7/4.
constexpr int styles[][2] = {{4, 1},  {3, 8},  {4, 4},  {4, 25}, {4, 26}, {4, 27},
                             {4, 28}, {4, 29}, {4, 30}, {5, 1},  {7, 27}};

// An AABA-like progression of ii-V-Is and turnarounds, `bars` bars long, with a
// section mark every 8 bars, played `repeats` times; the split bars share the
// meter between their two chords.
zub::Chart standard(int bars, int repeats, int style) {
    const int meter = styles[style][0];
    const auto whole = [meter](const char* symbol) { return zub::Chart::Bar{{symbol, meter}}; };
    const auto split = [meter](const char* first, const char* second) {
        return zub::Chart::Bar{{first, meter - meter / 2}, {second, meter / 2}};
    };
    const std::vector<zub::Chart::Bar> cycle = {whole("Cm7"),   whole("F7"), whole("BbMaj7"),    whole("EbMaj7"),
                                                whole("Am7b5"), whole("D7"), split("Gm7", "C7"), split("Fm7", "Bb7")};
    std::vector<zub::Chart::Bar> chart_bars;
    std::vector<zub::Chart::Section> sections;
    for (int k = 0; k < bars; ++k) {
        chart_bars.push_back(cycle[static_cast<std::size_t>(k) % cycle.size()]);
        if (k % 8 == 0) sections.push_back({k + 1, static_cast<char>(k / 8 % 2 == 0 ? 'A' : 'B')});
    }
    return zub::Chart("Bench", {meter, styles[style][1]}, "Bb", 160, chart_bars, {1, bars, repeats}, sections);
}

// Arguments: bars, repeats, style (an index into styles).
void BM_Zub2liteGen(benchmark::State& state) {
    zub::start_core();
    zub::Zub2lite::init_random_with(42);
    const zub::Plist& font = zub::MyConstants::shared().newDocumentChartTemplate().at("Font");
    const zub::Plist chart = zub::dictionaryFromCoreChart(
        zub::Chart_value::of_chart(standard(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                            static_cast<int>(state.range(2)))),
        font);
    for (auto _ : state) benchmark::DoNotOptimize(zub::Entry_points::zub2lite_gen(chart));
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}
// A 32-bar standard played three times in each style and meter, a 1,024-bar
// swing chart and 8,192 bars of the slowest style.
BENCHMARK(BM_Zub2liteGen)
    ->ArgNames({"bars", "repeats", "style"})
    ->ArgsProduct({{32}, {3}, benchmark::CreateDenseRange(0, 10, 1)})
    ->Args({1024, 1, 0})
    ->Args({8192, 1, 0})
    ->Args({8192, 1, 5})
    ->Unit(benchmark::kMillisecond);

}  // namespace
