// The key-center partition of long charts of jazz changes: time, and the peak
// of heap memory in use during one partition (counter "peak_bytes").
#include <benchmark/benchmark.h>

#include <gmp.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/analysis/segment.h"
#include "core/analysis/structana.h"
#include "core/theory/roman.h"

namespace {

std::atomic<long long> heap_in_use{0};
std::atomic<long long> heap_peak{0};

void* counted_alloc(std::size_t size) {
    // A size header in front of every block, so that frees can be counted too.
    auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (block == nullptr) return nullptr;
    *block = size;
    const long long now = heap_in_use += static_cast<long long>(size);
    long long peak = heap_peak.load();
    while (now > peak && !heap_peak.compare_exchange_weak(peak, now)) {
    }
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void counted_free(void* pointer) {
    if (pointer == nullptr) return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(pointer) - sizeof(std::max_align_t));
    heap_in_use -= static_cast<long long>(*block);
    std::free(block);
}

void* gmp_alloc(std::size_t size) { return counted_alloc(size); }
void* gmp_realloc(void* pointer, std::size_t old_size, std::size_t new_size) {
    void* fresh = counted_alloc(new_size);
    if (pointer != nullptr) {
        std::memcpy(fresh, pointer, old_size < new_size ? old_size : new_size);
        counted_free(pointer);
    }
    return fresh;
}
void gmp_free(void* pointer, std::size_t) { counted_free(pointer); }

// Eight-bar phrases of a standard, as roman chords with chord types, two beats each
// ("" for a bar of one chord).
const std::vector<std::vector<std::pair<const char*, const char*>>> phrases = {
    {{"I", "Maj7"}, {"VI", "m7"}, {"II", "m7"}, {"V", "7"}, {"III", "m7"}, {"VI", "7"}, {"II", "m7"}, {"V", "7"},
     {"I", "Maj7"}, {"I", "Maj7"}, {"I", "7"}, {"I", "7"}, {"IV", "Maj7"}, {"IV", "Maj7"}, {"IV", "m7"}, {"bVII", "7"}},
    {{"III", "m7"}, {"bIII", "m7"}, {"II", "m7"}, {"bII", "7"}, {"I", "6"}, {"I", "6"}, {"VII", "m7b5"},
     {"III", "7b9"}, {"VI", "m7"}, {"VI", "m7"}, {"II", "7"}, {"II", "7"}, {"II", "m7"}, {"II", "m7"}, {"V", "7"},
     {"V", "7"}},
    {{"II", "m7b5"}, {"V", "7b9"}, {"I", "m6"}, {"I", "m6"}, {"IV", "m7"}, {"bVII", "7"}, {"bIII", "Maj7"},
     {"bVI", "Maj7"}, {"II", "m7b5"}, {"V", "7#9"}, {"I", "m7"}, {"IV", "7"}, {"bVI", "7"}, {"V", "7"}, {"I", "m6"},
     {"I", "m6"}},
    {{"III", "7"}, {"III", "7"}, {"VI", "7"}, {"VI", "7"}, {"II", "7"}, {"II", "7"}, {"V", "7"}, {"V", "7"},
     {"I", ""}, {"#I", "dim7"}, {"II", "m7"}, {"#II", "dim7"}, {"I", ""}, {"VI", "m7"}, {"II", "m7"}, {"V", "7"}},
};
const std::vector<const char*> keys = {"C", "Eb", "F", "Ab", "G", "Bb", "D", "Db", "A", "E", "B", "F#"};

std::vector<zub::Chord_entry> jazz_chart(int bars) {
    std::vector<zub::Chord_entry> chords;
    for (int phrase = 0; phrase * 8 < bars; ++phrase) {
        const zub::Note tonic = zub::Note::of_string(keys[static_cast<std::size_t>(phrase / 4) % keys.size()]);
        for (const auto& [numeral, type] : phrases[static_cast<std::size_t>(phrase) % phrases.size()])
            chords.emplace_back(tonic.add_intvl(zub::Roman::of_string(numeral).to_intvl()).to_string() + type, 2);
    }
    chords.resize(static_cast<std::size_t>(bars) * 2);
    return chords;
}

void BM_PartitionJazzChart(benchmark::State& state) {
    mp_set_memory_functions(gmp_alloc, gmp_realloc, gmp_free);
    const std::vector<zub::Chord_entry> chart = jazz_chart(static_cast<int>(state.range(0)));
    long long peak = 0;
    std::size_t elements = 0;
    for (auto _ : state) {
        heap_peak = heap_in_use.load();
        const long long before = heap_in_use.load();
        const std::vector<zub::Ae> grouped = zub::Structana::structana(chart);
        benchmark::DoNotOptimize(zub::Segment::partition(grouped));
        elements = grouped.size();
        peak = heap_peak.load() - before;
    }
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["peak_bytes"] = static_cast<double>(peak);
}
BENCHMARK(BM_PartitionJazzChart)->Arg(256)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t size) {
    if (void* pointer = counted_alloc(size)) return pointer;
    throw std::bad_alloc();
}
void operator delete(void* pointer) noexcept { counted_free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { counted_free(pointer); }
