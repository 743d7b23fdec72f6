// The key-center partition of long charts of jazz changes: time, and the peak
// resident memory of one partition (counters "peak_rss_kb" and "partition_kb").
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "core/analysis/segment.h"
#include "core/analysis/structana.h"
#include "core/theory/roman.h"

namespace {

// The peak resident memory, in kilobytes, of a child process that does the work once.
long peak_rss_kb(const std::function<void()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

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
    const std::vector<zub::Chord_entry> chart = jazz_chart(static_cast<int>(state.range(0)));
    std::size_t elements = 0;
    for (auto _ : state) {
        const std::vector<zub::Ae> grouped = zub::Structana::structana(chart);
        benchmark::DoNotOptimize(zub::Segment::partition(grouped));
        elements = grouped.size();
    }
    // Memory of one partition: the peak of a process that partitions, less that of one that only holds the chart.
    const long baseline = peak_rss_kb([&] { benchmark::DoNotOptimize(chart.data()); });
    const long partitioned =
        peak_rss_kb([&] { benchmark::DoNotOptimize(zub::Segment::partition(zub::Structana::structana(chart))); });
    state.counters["elements"] = static_cast<double>(elements);
    state.counters["peak_rss_kb"] = static_cast<double>(partitioned);
    state.counters["partition_kb"] = static_cast<double>(partitioned - baseline);
}
BENCHMARK(BM_PartitionJazzChart)->Arg(256)->Arg(512)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace
