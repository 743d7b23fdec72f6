#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "core/theory/chord.h"

namespace {

// A realistic mix from jazz standards: triads, sevenths, altered dominants, slash chords.
const std::array<std::string, 16> symbols = {"C",   "Dm7",     "G7",    "CMaj7", "F#m7b5", "B7b9",  "Em7",  "A7#5",
                                              "Bbm", "Eb7#9",   "AbMaj9", "Db7#11", "C7/E", "Gsus", "F6",   "Bdim7"};

void BM_ParseAndPrintChords(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zub::chord_printname(symbols[k++ % symbols.size()]));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_ParseAndPrintChords);

}  // namespace
