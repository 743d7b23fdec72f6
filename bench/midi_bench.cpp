// Writing MIDI files and drawing notes from weighted note generators.
#include <benchmark/benchmark.h>

#include "core/generate/midiwriter.h"
#include "core/generate/mng.h"
#include "core/generate/random.h"

namespace {

zub::Midi_seq notes(int count, int first_note) {
    auto seq = zub::Midi_seq::create();
    for (int i = 0; i < count; ++i)
        seq = seq.add(mpq_class(i, 2), mpq_class(1, 2), {zub::Midinote::of_notenum(first_note + i % 24), 90});
    return seq;
}

void BM_WriteMidiFile(benchmark::State& state) {
    const int per_track = static_cast<int>(state.range(0)) / 3;
    const std::vector<zub::Track> tracks = {
        {notes(per_track, 36), "Drums", 10, 1}, {notes(per_track, 48), "Piano", 1, 1}, {notes(per_track, 28), "Bass", 2, 33}};
    for (auto _ : state) benchmark::DoNotOptimize(zub::Midiwriter::write(tracks, "Bench", {4, 4}, 120, "C"));
    state.SetItemsProcessed(state.iterations() * per_track * 3);
}
BENCHMARK(BM_WriteMidiFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MngGen(benchmark::State& state) {
    zub::Random::init(42);
    const zub::Mng range = zub::mng_of_range(zub::Midinote::of_string("E1"), zub::Midinote::of_string("F3"));
    const zub::Mng chord = zub::mng_of_chord(zub::Chord::of_string("G7"));
    const zub::Mng weighted = (range & chord) | (range * 0.1);
    for (auto _ : state) benchmark::DoNotOptimize(zub::mng_gen(weighted));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MngGen);

}  // namespace
