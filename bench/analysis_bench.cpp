// The whole analysis of a chart: key centers, then annotation under them.
#include <benchmark/benchmark.h>

#include "bridge/analysis_conversion.h"
#include "bridge/entry_points.h"
#include "core/analysis/kov.h"

namespace {

using zub::Kov::Bar_chords;

// A 32-bar standard: the changes of a well-worn AABC tune in G minor.
std::vector<Bar_chords> standard() {
    const std::vector<Bar_chords> a = {
        {{"Cm7", 4}}, {{"F7", 4}}, {{"BbMaj7", 4}}, {{"EbMaj7", 4}},
        {{"Am7b5", 4}}, {{"D7", 4}}, {{"Gm", 4}}, {{"Gm", 4}},
    };
    const std::vector<Bar_chords> b = {
        {{"Am7b5", 4}}, {{"D7", 4}}, {{"Gm", 4}}, {{"Gm", 4}},
        {{"Cm7", 4}}, {{"F7", 4}}, {{"BbMaj7", 4}}, {{"EbMaj7", 4}},
    };
    const std::vector<Bar_chords> c = {
        {{"Am7b5", 4}}, {{"D7", 4}}, {{"Gm7", 2}, {"C7", 2}}, {{"Fm7", 2}, {"Bb7", 2}},
        {{"EbMaj7", 4}}, {{"Am7b5", 2}, {"D7", 2}}, {{"Gm", 4}}, {{"Gm", 4}},
    };
    std::vector<Bar_chords> bars;
    for (const auto* part : {&a, &a, &b, &c}) bars.insert(bars.end(), part->begin(), part->end());
    return bars;
}

std::vector<Bar_chords> medley(std::size_t bars) {
    auto tune = standard();
    std::vector<Bar_chords> chart;
    while (chart.size() < bars) chart.insert(chart.end(), tune.begin(), tune.end());
    chart.resize(bars);
    return chart;
}

void BM_AnalyseChart(benchmark::State& state) {
    auto chart = medley(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto centers = zub::Kov::partition(chart);
        benchmark::DoNotOptimize(zub::Kov::annotate(chart, centers));
    }
}
BENCHMARK(BM_AnalyseChart)->Arg(32)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The same through the bridge, as the editor runs it: chart dictionary in,
// key-center list and analysis dictionary out.
zub::Plist::Array chart_bars(std::size_t bars) {
    std::string text;
    for (const auto& bar : medley(bars)) {
        text += "|";
        for (const auto& entry : bar) text += " " + entry.first;
        text += " |\n";
    }
    const zub::Plist font = zub::Plist::make_dictionary(
        {{"FontName", zub::Plist::make_string("Serif")}, {"PointSize", zub::Plist::make_real(12)}});
    return zub::Entry_points::kelreader_read_chart(text, font).array_at("Chords");
}

void BM_AnalyseChartDictionary(benchmark::State& state) {
    const auto bars = chart_bars(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const zub::Plist centers = zub::kov_partition(bars);
        benchmark::DoNotOptimize(zub::kov_annotate(bars, centers.as_array()));
    }
}
BENCHMARK(BM_AnalyseChartDictionary)->Arg(32)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
