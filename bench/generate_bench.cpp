#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/generate/midiwriter.h"
#include "core/generate/mng.h"
#include "core/generate/random.h"

namespace {

using zub::Midi_seq;
using zub::Midinote;

// One instrument's notes: eighth notes over a two-octave walk, on whole ticks.
Midi_seq track_of(int count, int lowest) {
    Midi_seq seq = Midi_seq::create();
    for (int k = 0; k < count; ++k)
        seq = seq.add(mpq_class(k, 2), mpq_class(1, 3), {Midinote::of_notenum(lowest + k % 24), 64 + k % 50});
    return seq;
}

// 100,000 notes over three tracks, written as one file.
void BM_WriteHundredThousandNotes(benchmark::State& state) {
    const std::vector<zub::Track> tracks = {{track_of(33334, 36), "Drums", 10, 1},
                                            {track_of(33333, 60), "Piano", 1, 1},
                                            {track_of(33333, 28), "Bass", 2, 33}};
    for (auto _ : state) benchmark::DoNotOptimize(zub::Midiwriter::write(tracks, "Bench", {4, 4}, 120, "F"));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 100000);
}
BENCHMARK(BM_WriteHundredThousandNotes)->Unit(benchmark::kMillisecond);

// Draws from a bass-like generator: chord tones in a range, spelled.
void BM_MngGen(benchmark::State& state) {
    const zub::Mng m = zub::mng_of_chord(zub::Chord::of_string("Bb7")) &
                       zub::mng_of_range(Midinote::of_string("E1"), Midinote::of_string("F3"));
    zub::Random::init(1);
    for (auto _ : state) benchmark::DoNotOptimize(zub::mng_gen(m));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_MngGen);

}  // namespace
