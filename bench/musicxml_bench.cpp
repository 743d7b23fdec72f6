// MusicXML export of a 32-bar chart (target: under 1 ms), plain and with its
// analysis already made, as the editor exports an analysed chart; and the
// whole 'zub convert --analyze' path, analysis included, for comparison.
#include <benchmark/benchmark.h>

#include <string>

#include "bridge/analysis_conversion.h"
#include "bridge/analysis_result.h"
#include "bridge/chart_document.h"
#include "bridge/musicxml_export.h"
#include "bridge/my_constants.h"

namespace {

// A 32-bar AABA tune with two chords in most bars, sections and a repeated chorus.
zub::Plist tune() {
    static const char* const lines[] = {"| Cm7 F7 | BbMaj7 | EbMaj7 Ab7#11 | Am7b5 D7b9 |",
                                        "| Gm7 C7 | Fm7 Bb7 | EbMaj7 | Am7b5 D7alt |"};
    std::string text = "Name: Thirty-two\nKey: Gm\nTempo: 160\nChorus: bars 1 to 32 (repeat 3 times)\n"
                       "Sections: 1A 9A 17B 25A\n";
    for (int line = 0; line < 8; ++line) text += std::string(lines[line % 2]) + "\n";
    const zub::Plist& font = zub::MyConstants::shared().newDocumentChartTemplate().at("Font");
    return zub::chartFromDocumentBytes(text, font).with("Composer", zub::Plist::make_string("A. Composer"));
}

void BM_MusicXmlOfChart(benchmark::State& state) {
    const zub::Plist chart = tune();
    for (auto _ : state) benchmark::DoNotOptimize(zub::musicXmlOfChart(chart));
}
BENCHMARK(BM_MusicXmlOfChart)->Unit(benchmark::kMicrosecond);

void BM_MusicXmlOfAnalysedChart(benchmark::State& state) {
    const zub::Plist chart = tune();
    const zub::Plist::Array& bars = chart.array_at("Chords");
    const zub::AnalysisResult analysis = zub::annotateChart(bars, zub::kov_partition(bars).as_array());
    for (auto _ : state) benchmark::DoNotOptimize(zub::musicXmlOfChart(chart, &analysis));
}
BENCHMARK(BM_MusicXmlOfAnalysedChart)->Unit(benchmark::kMicrosecond);

void BM_AnalysedMusicXmlOfChart(benchmark::State& state) {
    const zub::Plist chart = tune();
    for (auto _ : state) benchmark::DoNotOptimize(zub::analysedMusicXmlOfChart(chart));
}
BENCHMARK(BM_AnalysedMusicXmlOfChart)->Unit(benchmark::kMillisecond);

}  // namespace
