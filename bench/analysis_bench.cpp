#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/analysis/compatscales.h"
#include "core/analysis/cstfile.h"
#include "core/analysis/tonalana.h"
#include "core/failure.h"
#include "core/theory/chord.h"

namespace {

namespace C = zub::Compatscales;

// A scratch folder for the cache, also made HOME so the real ~/.kel/ is never touched.
const std::string& scratch_folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zubbench.XXXXXX").string();
        std::string made = ::mkdtemp(pattern.data());
        ::setenv("HOME", made.c_str(), 1);
        ::unsetenv("KEL_PATH");
        C::set_cache_pathname(made);
        return made;
    }();
    return folder;
}

// The whole rebuild but the progress text: compute every chord against every
// scale, encode, and replace the cache file.
void BM_RecomputeTable(benchmark::State& state) {
    const std::string path = scratch_folder() + "/compatscales.dat";
    for (auto _ : state) {
        const std::string bytes = zub::Cstfile::encode({C::chordtype_keys(), C::scaletype_keys(), C::build_table()});
        benchmark::DoNotOptimize(zub::Cstfile::write_file_atomically(path, bytes));
    }
}
BENCHMARK(BM_RecomputeTable)->Unit(benchmark::kMillisecond);

// What the name lists cost a process once: parsing every candidate chord and scale name.
void BM_ParseEveryCandidateName(benchmark::State& state) {
    for (auto _ : state) {
        int accepted = 0;
        for (const std::string& note : C::all_notes())
            for (const std::string& type : C::chordtype_keys()) {
                try {
                    benchmark::DoNotOptimize(zub::Chord::of_string(note + type));
                    ++accepted;
                } catch (const zub::Failure&) {
                }
            }
        benchmark::DoNotOptimize(accepted);
    }
}
BENCHMARK(BM_ParseEveryCandidateName)->Unit(benchmark::kMillisecond);

// Finding, reading and decoding the cache file, as a new process does.
void BM_ReadCache(benchmark::State& state) {
    const std::string path = scratch_folder() + "/compatscales.dat";
    zub::Cstfile::write_file_atomically(path,
                                        zub::Cstfile::encode({C::chordtype_keys(), C::scaletype_keys(), C::build_table()}));
    for (auto _ : state) {
        C::forget_table();
        if (!C::read_cst()) state.SkipWithError("cache file not read");
    }
}
BENCHMARK(BM_ReadCache)->Unit(benchmark::kMillisecond);

// 1,000 chords of jazz changes: ii-V-Is, turnarounds, altered dominants, minor ii-Vs.
std::vector<zub::Chord> jazz_changes(std::size_t count) {
    const std::vector<std::string> progression = {
        "Cm7",   "F7",    "BbMaj7", "EbMaj7", "Am7b5", "D7b9",  "Gm6",   "G7#5",   "Dm7",   "G7",   "CMaj7", "A7b9",
        "Dm7",   "Db7",   "CMaj7",  "Ebdim",  "Em7",   "A7",    "Dm9",   "G13",    "F#m7b5", "B7#9", "Em7",   "Bb7#11",
        "AbMaj7", "Gm7",  "C7sus",  "C7",     "FMaj9", "Bbm7",  "Eb9",   "AbMaj7", "Dbm7",  "Gb7",  "BMaj7", "C69"};
    std::vector<zub::Chord> chords;
    for (std::size_t k = 0; k < count; ++k) chords.push_back(zub::Chord::of_string(progression[k % progression.size()]));
    return chords;
}

void BM_Analyze1000Chords(benchmark::State& state) {
    scratch_folder();
    const std::vector<zub::Chord> chords = jazz_changes(1000);
    std::cout.setstate(std::ios::failbit);  // keep a rebuild's progress text out of the report
    benchmark::DoNotOptimize(zub::Tonalana::analyze(chords));
    std::cout.clear();
    for (auto _ : state) benchmark::DoNotOptimize(zub::Tonalana::analyze(chords));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * chords.size()));
}
BENCHMARK(BM_Analyze1000Chords)->Unit(benchmark::kMillisecond);

}  // namespace
