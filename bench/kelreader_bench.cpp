// Reading and writing long text charts: a tune of a few thousand bars, with
// held chords, headers between the bar lines and Windows line endings.
#include <benchmark/benchmark.h>

#include <string>

#include "core/charts/kelreader.h"
#include "core/charts/kelwriter.h"

namespace {

// Bar lines of four bars each, every 32 bars a Sections and a Key line.
std::string long_chart(int bars, const char* line_end) {
    static const char* const lines[] = {"| Gm7 C7 | F7M | Bb7M _ _ Eb7 | Am7b5 D7 |",
                                        "| Gm7 | _ | Cm7 F7 | _ Bb _ D7#9 |"};
    std::string text = "Name: Autumn in four thousand bars" + std::string(line_end) + "Tempo: 180" + line_end;
    for (int bar = 0; bar < bars; bar += 4) {
        if (bar % 32 == 0) text += "Sections: 1A 9A 17B 25A" + std::string(line_end) + "Key: Gm" + line_end;
        text += lines[(bar / 4) % 2];
        text += line_end;
    }
    return text;
}

void BM_ReadChart(benchmark::State& state, const char* line_end) {
    const std::string text = long_chart(static_cast<int>(state.range(0)), line_end);
    for (auto _ : state) benchmark::DoNotOptimize(zub::Kelreader::read_chart(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_ReadChart, lf, "\n")->Arg(64)->Arg(4096)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadChart, crlf, "\r\n")->Arg(4096)->Unit(benchmark::kMicrosecond);

// One header line of a megabyte: the reader must stay linear on it.
void BM_ReadLongHeaderLine(benchmark::State& state) {
    const std::string text = "Name: " + std::string(static_cast<std::size_t>(state.range(0)), 'x') + "\n";
    for (auto _ : state) benchmark::DoNotOptimize(zub::Kelreader::read_chart(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadLongHeaderLine)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

void BM_WriteChart(benchmark::State& state) {
    const zub::Chart chart = zub::Kelreader::read_chart(long_chart(static_cast<int>(state.range(0)), "\n"));
    for (auto _ : state) benchmark::DoNotOptimize(zub::Kelwriter::write_chart(chart));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteChart)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace
