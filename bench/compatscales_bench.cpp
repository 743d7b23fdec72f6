// Chord-scale compatibility: building the table, reading it back from its
// cache file, and choosing scales along a long sequence of jazz changes.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/analysis/compatscales.h"
#include "core/analysis/cstfile.h"
#include "core/analysis/tonalana.h"
#include "core/theory/chord.h"

namespace {

void BM_RecomputeTable(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(zub::Compatscales::build_table());
}
BENCHMARK(BM_RecomputeTable)->Unit(benchmark::kMillisecond);

void BM_ReadCacheFile(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "zub-bench-cst";
    std::filesystem::create_directories(dir);
    zub::Compatscales::set_cache_pathname(dir.string());
    namespace C = zub::Compatscales;
    const auto path = (dir / std::string(C::cache_file_name)).string();
    zub::Cstfile::write_file_atomically(path, zub::Cstfile::encode({C::chordtype_keys(), C::scaletype_keys(), C::build_table()}));
    for (auto _ : state) {
        C::forget_table();
        if (!C::read_cst()) state.SkipWithError("the cache file was not read");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadCacheFile)->Unit(benchmark::kMillisecond);

void BM_TonalAnalysis(benchmark::State& state) {
    const char* changes[] = {"Cm7", "F7", "BbMaj7", "EbMaj7", "Am7b5", "D7b9", "Gm", "Gm7",
                             "C7",  "Fm7", "Bb7",   "EbMaj7", "Ab7",   "Dm7b5", "G7#9", "Cm6"};
    std::vector<zub::Chord> chords;
    for (int i = 0; i < 1000; ++i) chords.push_back(zub::Chord::of_string(changes[i % 16]));
    zub::Compatscales::compatscales("C7");  // the table is in memory, as in a running program
    for (auto _ : state) benchmark::DoNotOptimize(zub::Tonalana::analyze(chords));
}
BENCHMARK(BM_TonalAnalysis)->Unit(benchmark::kMillisecond);

}  // namespace
