// From Play to the first block through a real JACK server (jackd2's dummy
// backend, started here as the tests start it): the built-in synth on JACK's
// audio ports, and the MIDI out port alone. The file driver's figure is in
// the playback benchmarks; the target is 150 ms with every driver.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <thread>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "jack_server.h"
#include "playback/live_player.h"
#include "playback/soundfont.h"

namespace {

using namespace zub;

Plist blues_of_32() {
    std::string text = "Name: Bench\nMeter: 4/4\nStyle: Swing\nKey: F\nTempo: 160\nChorus: bars 1 to 32 (repeat 1 times)\n";
    for (int line = 0; line < 8; ++line) text += "| F7 | Bb7 | F7 | Cm7 F7 |\n";
    return chartFromDocumentBytes(text, MyConstants::shared().newDocumentChartTemplate().at("Font"));
}

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
    const Plist chart = blues_of_32();
    playback::Live_player player(state.range(0) == 0 ? playback::find_soundfont("") : "", output);
    for (auto _ : state) {
        player.play(playback::generate(chart, 1), {});
        while (player.tick() < 0) std::this_thread::yield();
        state.PauseTiming();
        player.stop();
        state.ResumeTiming();
    }
    state.SetLabel(state.range(0) == 0 ? "synth on JACK audio" : "JACK MIDI out");
}
BENCHMARK(BM_PlayToFirstBlockJack)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
