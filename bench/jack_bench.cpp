// From Play to the first block through a real JACK server (jackd2's dummy
// backend, started here as the tests start it): the built-in synth on JACK's
// audio ports, and the MIDI out port alone. The file driver's figure is in
// the playback benchmarks; the target is 150 ms with every driver.
#include <benchmark/benchmark.h>

#include "blues_chart.h"
#include "jack_server.h"
#include "playback/soundfont.h"

namespace {

using namespace zub;

// One server for every run of these benchmarks.
playback::Jack_server& server() {
    static playback::Jack_server jackd;
    return jackd;
}

void BM_PlayToFirstBlockJack(benchmark::State& state) {
    if (!server().failure().empty()) {
        state.SkipWithError(server().failure().c_str());
        return;
    }
    playback::Sound_output output;
    if (state.range(0) == 0) {
        output.driver = "jack";
        output.jack_autoconnect = false;
    } else {
        output.driver = "none";
        output.midi_out = "jack";
    }
    playback::Live_player player(state.range(0) == 0 ? playback::find_soundfont("") : "", output);
    bench::time_play_to_first_block(state, player, bench::blues_of(32));
    state.SetLabel(state.range(0) == 0 ? "synth on JACK audio" : "JACK MIDI out");
}
BENCHMARK(BM_PlayToFirstBlockJack)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
