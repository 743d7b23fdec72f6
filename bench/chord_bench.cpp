#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "bridge/chord_spelling.h"
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

// The same with the jazz names, which used to be interval lists.
const std::array<std::string, 16> jazz_symbols = {
    "D7b13", "G7alt",  "CMaj7#5", "F13#11", "Bbm69",   "Eb7b9sus", "Ab13sus", "Db7b9b13",
    "Gm9b5", "C7#9#11", "Fadd9",   "Em#5",   "AbMaj13", "Dbsus2",   "B5",      "EbdimMaj7/D"};

void BM_ParseAndPrintJazzChords(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zub::chord_printname(jazz_symbols[k++ % jazz_symbols.size()]));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_ParseAndPrintJazzChords);

// What chord entry does on a keystroke: musicians' spellings respelled into names.
const std::array<std::string, 8> spellings = {"Cmaj7", "D-7", "G7(b9,#11)", "F#\u00F8", "Bb^7", "Ealt", "C6/9", "Ab7b13"};

void BM_RespellSymbols(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zub::Chord_spelling::respell_symbol(spellings[k++ % spellings.size()]));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_RespellSymbols);

}  // namespace
